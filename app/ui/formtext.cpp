#include "app/ui/formtext.h"

#include "app/platform.h"
#include "app/scratchfile.h"
#include "app/ui/icons.h"
#include "app/ui/mainform.h"
#include "editing/textops.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

struct ButtonDef {
    const char *name;
    const char *icon;
    const char *german;
    const char *english;
    void (TFormText::*action)();
};

// Left to right; a null name is a separator.
const ButtonDef kButtons[] = {
    {"ToolButton1", "ToolButton1", "Neu", "New", &TFormText::ToolButton1Click},
    {"ToolButton2", "OpenButton", "Datei \u00f6ffen", "Open file", &TFormText::ToolButton2Click},
    {"ToolButton3", "TextSaveAs", "Speichern unter...", "Save as...", &TFormText::ToolButton3Click},
    {"Buttonspeichern", "SaveButton", "Speichern", "Save", &TFormText::ButtonspeichernClick},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ToolButton14", "TextSelectAll", "Alles ausw\u00e4hlen", "Select all", &TFormText::ToolButton14Click},
    {"ToolButton6", "CopyButton", "Kopieren", "Copy", &TFormText::ToolButton6Click},
    {"ToolButton5", "PasteButton", "Einf\u00fcgen", "Paste", &TFormText::ToolButton5Click},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ToolButton7", "CutButton", "Ausschneiden", "Cut", &TFormText::ToolButton7Click},
    {"ToolButton4", "UndoButton", "R\u00fcckg\u00e4ngig", "Undo", &TFormText::ToolButton4Click},
    {"ToolButton10", "TextDelete", "L\u00f6schen", "Delete", &TFormText::ToolButton10Click},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ToolButton13", "ToolButton3", "Zeilenbegrenzung an/aus", "WordWrap on/off", &TFormText::ToolButton13Click},
    {"ToolButton11", "TextExit", "Schliessen", "Exit", &TFormText::ToolButton11Click},
};

} // namespace

TFormText::TFormText(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Editor"));
    setModal(false);
    setSizeGripEnabled(false);
    resize(700, 500);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(20, 20));
    // No frame, padding or spacing of its own: the indent alone places the first button.
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar#ToolBar1 { border: 0px; padding: 0px; spacing: 0px; }"));
    m_indentSpacer = new QWidget(ToolBar1);
    m_indentSpacer->setFixedSize(m_indent, 1);
    ToolBar1->addWidget(m_indentSpacer);
    for (const ButtonDef &b : kButtons) {
        if (!b.name) {
            ToolBar1->addSeparator();
            continue;
        }
        auto *a = new QAction(commandIcon(QString::fromLatin1(b.icon)), QString::fromUtf8(b.english), this);
        a->setObjectName(QString::fromLatin1(b.name));
        const auto action = b.action;
        connect(a, &QAction::triggered, this, [this, action] { guarded([this, action] { (this->*action)(); }); });
        ToolBar1->addAction(a);
        if (QWidget *w = ToolBar1->widgetForAction(a)) {
            w->setObjectName(a->objectName());
            w->setFixedSize(37, 40);
        }
    }
    layout->addWidget(ToolBar1);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    Memo->setFont(f);
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(Memo, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    auto *panel = new QLabel(StatusBar1);
    panel->setAlignment(Qt::AlignCenter);
    StatusBar1->addWidget(panel, 1);
    layout->addWidget(StatusBar1);

    // Ctrl+A in the text is the text area's own select-all; F1 anywhere shows the help.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        guarded([this] {
            if (TMainForm *form = mainForm())
                form->platform().showHelp(form->helpFile, 150);
        });
    });

    applyHints();
    Memo->setFocus();
}

TMainForm *TFormText::mainForm() const { return qobject_cast<TMainForm *>(parentWidget()); }

template <class Fn> void TFormText::guarded(Fn fn)
{
    try {
        fn();
    } catch (const std::exception &e) {
        if (TMainForm *form = mainForm())
            form->prompts().defaultError(QString::fromUtf8(e.what()));
    }
}

// ---------------------------------------------------------------------------------------

QString TFormText::text() const
{
    // The raw text keeps every character (a no-break space stays one); blocks are
    // separated by U+2029.
    QString t = Memo->document()->toRawText();
    QString out;
    out.reserve(t.size() + t.size() / 32);
    for (const QChar c : std::as_const(t)) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            out.append(u"\r\n");
        else
            out.append(c);
    }
    return out;
}

void TFormText::setText(const QString &text)
{
    QTextCursor c(Memo->document());
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.insertText(text);
    c.endEditBlock();
    c.movePosition(QTextCursor::Start);
    Memo->setTextCursor(c);
}

bool TFormText::wordWrap() const { return Memo->lineWrapMode() != QPlainTextEdit::NoWrap; }

void TFormText::showNonModal()
{
    if (isVisible()) {
        applyHints();
    } else {
        setModal(false);
        setWindowModality(Qt::NonModal);
        show();
    }
    raise();
    activateWindow();
}

int TFormText::showModal(TMainForm &form)
{
    // A window that is shown already must be hidden before it can become modal.
    if (isVisible())
        hide();
    const int result = form.execDialog(this);
    setModal(false);
    setWindowModality(Qt::NonModal);
    return result;
}

void TFormText::applyHints()
{
    for (const ButtonDef &b : kButtons) {
        if (!b.name)
            continue;
        const QString hint = QString::fromUtf8(Language == 0 ? b.german : b.english);
        if (auto *a = findChild<QAction *>(QString::fromLatin1(b.name), Qt::FindDirectChildrenOnly)) {
            a->setText(hint);
            a->setToolTip(hint);
            a->setStatusTip(hint);
        }
    }
}

void TFormText::FormShow() { applyHints(); }

void TFormText::FormResize()
{
    const int half = width() / 2;
    if (half > 250)
        m_indent = half - 250;
    m_indentSpacer->setFixedWidth(m_indent);
}

void TFormText::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormShow();
}

void TFormText::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    FormResize();
}

// ---------------------------------------------------------------------------------------
// Files.

bool TFormText::readInto(const QString &path)
{
    TMainForm *form = mainForm();
    QByteArray bytes;
    QString error;
    if (!readScratchFile(path, &bytes, &error)) {
        if (form)
            form->prompts().defaultError(error);
        return false;
    }
    const ScratchFileText file = decodeScratchFile(bytes, form ? form->platform().ansiCodePage()
                                                               : QStringLiteral("windows-1252"));
    m_encoding = file.encoding;
    setText(file.text);
    return true;
}

bool TFormText::writeTo(const QString &path)
{
    TMainForm *form = mainForm();
    const QByteArray bytes = encodeScratchFile(text(), m_encoding, form ? form->platform().ansiCodePage()
                                                                        : QStringLiteral("windows-1252"));
    QString error;
    if (!writeScratchFile(path, bytes, &error)) {
        if (form)
            form->prompts().defaultError(error);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// The buttons.

void TFormText::ToolButton1Click() { setText(QString()); }

void TFormText::ToolButton2Click()
{
    TMainForm *form = mainForm();
    if (!form)
        return;
    FileDialogRequest r;
    r.initialFolder = sx::folderPart(CurrentFile);
    const QStringList chosen = form->prompts().openFiles(r);
    if (chosen.isEmpty())
        return;
    // The path becomes the current file only once its text is read, so that a file that
    // could not be read is never written over by the next Save.
    if (readInto(chosen.first()))
        CurrentFile = chosen.first();
}

void TFormText::ToolButton3Click()
{
    TMainForm *form = mainForm();
    if (!form || sx::isBlank(text()))
        return;
    FileDialogRequest r;
    r.fileName = sx::fileNamePart(CurrentFile);
    r.initialFolder = sx::folderPart(CurrentFile);
    const QString path = form->prompts().saveFile(r);
    if (path.isEmpty())
        return;
    if (writeTo(path))
        CurrentFile = path;
}

void TFormText::ButtonspeichernClick()
{
    if (!sx::isBlank(text()) && !sx::isBlank(CurrentFile))
        writeTo(CurrentFile);
    else
        ToolButton3Click();
}

void TFormText::ToolButton14Click() { Memo->selectAll(); }
void TFormText::ToolButton6Click() { Memo->copy(); }
void TFormText::ToolButton5Click() { Memo->paste(); }
void TFormText::ToolButton7Click() { Memo->cut(); }
void TFormText::ToolButton4Click() { Memo->undo(); }

void TFormText::ToolButton10Click()
{
    QTextCursor c = Memo->textCursor();
    if (c.hasSelection()) {
        c.removeSelectedText();
        Memo->setTextCursor(c);
    }
}

void TFormText::ToolButton13Click()
{
    if (wordWrap()) {
        Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TFormText::ToolButton11Click()
{
    setText(QString());
    close();
}

SORVEX_DIALOG(TFormText, TFormText);

SORVEX_HANDLER(Startsimpletexteditor1Click)
{
    TFormText *t = form.dialogAs<TFormText>(QStringLiteral("TFormText"));
    if (!t)
        return;
    t->Language = form.InterfaceLanguage;
    t->showNonModal();
}

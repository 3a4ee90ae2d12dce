#include "app/ui/mainform.h"

#include "app/commandtable.h"
#include "app/platform.h"
#include "app/ui/icons.h"
#include "editing/textops.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <stdexcept>

namespace {

struct NamedColor {
    const char *name;
    quint32 value;
};
// The colour box: the standard colours, then the extended ones, then the custom entries.
const NamedColor kColors[] = {
    {"Black", 0x000000},   {"Maroon", 0x000080},      {"Green", 0x008000},    {"Olive", 0x008080},
    {"Navy", 0x800000},    {"Purple", 0x800080},      {"Teal", 0x808000},     {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},  {"Red", 0x0000FF},         {"Lime", 0x00FF00},     {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},    {"Fuchsia", 0xFF00FF},     {"Aqua", 0xFFFF00},     {"White", 0xFFFFFF},
    {"Money green", 0xC0DCC0}, {"Sky blue", 0xF0CAA6}, {"Cream", 0xF0FBFF},   {"Medium gray", 0xA4A0A0},
};
constexpr quint32 kNoColor = 0x1FFFFFFF;

QIcon swatch(quint32 c)
{
    QPixmap pm(14, 14);
    pm.fill(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    return QIcon(pm);
}

} // namespace

const QStringList &TMainForm::dialogOrder()
{
    static const QStringList order = {
        "TAboutBox",   "TFormTable",  "TFormCss",   "TFormSettings", "TFormImage",   "TFormSetup",   "TFormFiles",
        "TFormFrames", "TFormIFrame", "TFormFormular", "TFormInput", "TFormText",    "TFormDIV",     "TFormObject",
        "TFormInsTR",  "TFormData",   "TFormSpecial", "TFormDocType", "TFormBlock",  "TFormSelPage", "TFormSEO",
    };
    return order;
}

TMainForm::TMainForm(Platform &platform, UiPrompts &prompts, const QStringList &arguments)
    : m_platform(platform), m_prompts(prompts), m_arguments(arguments)
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("Sorvex"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);

    m_editor = new SynEdit(this);
    m_buffer = std::make_unique<ScintillaBuffer>(m_editor);
    setCentralWidget(m_editor);
    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);

    QStatusBar *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    const int widths[4] = {120, 120, 60, 120};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        m_panels[i]->setFixedWidth(widths[i]);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        if (i == 1)
            m_panels[i]->setAlignment(Qt::AlignCenter);
        bar->addWidget(m_panels[i]);
    }
    setStatusBar(bar);

    buildCommands();

    connect(m_editor, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        if (QMenu *m = menu(QStringLiteral("PopupMenu2")))
            m->popup(m_editor->mapToGlobal(p));
    });
    connect(m_editor, &SynEdit::clicked, this, &TMainForm::UpdateCaretStatus);
    connect(m_editor, &SynEdit::keyReleased, this, &TMainForm::UpdateCaretStatus);
    connect(m_editor, &SynEdit::gutterClicked, this, &TMainForm::SynMemo1GutterClick);

    qApp->installEventFilter(this);
    FormCreate();
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
}

EditorBuffer &TMainForm::buffer() { return *m_buffer; }

// ---------------------------------------------------------------------------------------
// Building the menus and toolbars from the command table.

void TMainForm::buildCommands()
{
    QMenu *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu2"));
    m_menus.insert(popup->objectName(), popup);

    auto makeBar = [this](const QString &name, bool breakBefore) {
        if (breakBefore)
            addToolBarBreak();
        QToolBar *tb = new QToolBar(this);
        tb->setObjectName(name);
        tb->setMovable(false);
        tb->setFloatable(false);
        tb->setIconSize(QSize(20, 20));
        addToolBar(Qt::TopToolBarArea, tb);
        m_toolbars.insert(name, tb);
        return tb;
    };
    makeBar(QStringLiteral("StandardToolBar"), false);
    makeBar(QStringLiteral("StandardToolBarRow2"), true);
    makeBar(QStringLiteral("ToolBar2"), true);

    QActionGroup *alignGroup = new QActionGroup(this);
    alignGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    for (const CommandDef &c : commandTable()) {
        const QString name = QString::fromUtf8(c.name);
        const QString parent = QString::fromUtf8(c.parent);
        switch (c.kind) {
        case ItemKind::MenuBar: {
            QMenu *m = menuBar()->addMenu(QString::fromUtf8(c.caption));
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
            m_menus.insert(name, m);
            break;
        }
        case ItemKind::Submenu: {
            QMenu *host = m_menus.value(parent);
            QMenu *m = host->addMenu(QString::fromUtf8(c.caption));
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
            m_menus.insert(name, m);
            break;
        }
        case ItemKind::Separator: {
            QAction *sep = m_menus.value(parent)->addSeparator();
            if (c.flags & ItemFlag::AlwaysHidden)
                sep->setVisible(false);
            break;
        }
        case ItemKind::ToolSeparator:
            m_toolbars.value(parent)->addSeparator();
            break;
        case ItemKind::Widget: {
            // The boxes are made together; each takes its own place between the separators.
            QToolBar *bar = m_toolbars.value(parent);
            if (!ComboFont1)
                buildToolbarBoxes(bar);
            for (QComboBox *box : {ComboFont1, ComboColor, EditSize})
                if (box->objectName() == name)
                    bar->addWidget(box);
            break;
        }
        case ItemKind::Item:
        case ItemKind::Button: {
            QAction *a = new QAction(QString::fromUtf8(c.caption), this);
            a->setObjectName(name);
            a->setProperty("tag", c.tag);
            if (c.hintMsg < 0 && *c.hint) {
                a->setStatusTip(QString::fromUtf8(c.hint));
                if (c.kind == ItemKind::Button)
                    a->setToolTip(QString::fromUtf8(c.hint));
            }
            if (*c.shortcut) {
                a->setShortcut(QKeySequence(QString::fromUtf8(c.shortcut), QKeySequence::PortableText));
                a->setShortcutContext(Qt::WindowShortcut);
            }
            if (c.flags & ItemFlag::Hidden)
                a->setVisible(false);
            if ((c.flags & ItemFlag::TwoState) || parent == QLatin1String("Bookmark1")
                || parent == QLatin1String("GotoBookmark1"))
                a->setCheckable(true);
            if (c.flags & ItemFlag::Grouped)
                alignGroup->addAction(a);
            const QString handler = QString::fromUtf8(c.handler);
            a->setEnabled(Registry::handler(handler) != nullptr);
            const Sender sender{name, c.tag};
            connect(a, &QAction::triggered, this, [this, handler, sender] { run(handler, sender); });
            m_actions.insert(name, a);
            if (c.kind == ItemKind::Item) {
                m_menus.value(parent)->addAction(a);
                addAction(a); // shortcuts work while the menu is closed
            } else {
                a->setIcon(commandIcon(name));
                QToolBar *tb = m_toolbars.value(parent);
                tb->addAction(a);
                if (QWidget *w = tb->widgetForAction(a))
                    w->setObjectName(name);
            }
            break;
        }
        }
    }
}

void TMainForm::buildToolbarBoxes(QToolBar *bar)
{
    ComboFont1 = new QComboBox(bar);
    ComboFont1->setObjectName(QStringLiteral("ComboFont1"));
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    ComboFont1->addItems(families);
    ComboFont1->setMinimumContentsLength(14);
    ComboFont1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    ComboColor = new QComboBox(bar);
    ComboColor->setObjectName(QStringLiteral("ComboColor"));
    for (const NamedColor &c : kColors)
        ComboColor->addItem(swatch(c.value), QString::fromUtf8(c.name), c.value);
    ComboColor->addItem(QStringLiteral("Custom..."), kNoColor);
    ComboColor->setCurrentIndex(0);
    connect(ComboColor, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (ComboColor->itemText(index) != QLatin1String("Custom..."))
            return;
        const int custom = ComboColor->findText(QStringLiteral("Custom"), Qt::MatchExactly);
        quint32 color = custom >= 0 ? ComboColor->itemData(custom).toUInt() : 0;
        if (!m_prompts.chooseColor(color)) {
            ComboColor->setCurrentIndex(custom >= 0 ? custom : 0);
            return;
        }
        if (custom >= 0) {
            ComboColor->setItemData(custom, color);
            ComboColor->setItemIcon(custom, swatch(color));
            ComboColor->setCurrentIndex(custom);
        } else {
            ComboColor->addItem(swatch(color), QStringLiteral("Custom"), color);
            ComboColor->setCurrentIndex(ComboColor->count() - 1);
        }
    });

    EditSize = new QComboBox(bar);
    EditSize->setObjectName(QStringLiteral("EditSize"));
    EditSize->setEditable(true);
    EditSize->addItems({"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "30"});
    EditSize->setCurrentIndex(-1);
    EditSize->setEditText(QString());
    EditSize->setMinimumContentsLength(3);
}

quint32 TMainForm::comboColorValue() const
{
    if (!ComboColor || ComboColor->currentIndex() < 0)
        return kNoColor;
    return ComboColor->currentData().toUInt();
}

void TMainForm::createDialogs()
{
    for (const QString &name : dialogOrder()) {
        QDialog *d = nullptr;
        if (const DialogFactory *f = Registry::dialog(name))
            d = (*f)(this);
        if (!d)
            d = new QDialog(this);
        d->setObjectName(name);
        m_dialogs.insert(name, d);
    }
}

// ---------------------------------------------------------------------------------------
// Commands.

void TMainForm::run(const QString &handler, const Sender &sender)
{
    const Handler *h = Registry::handler(handler);
    if (!h)
        return;
    try {
        (*h)(*this, sender);
    } catch (const std::exception &e) {
        m_prompts.defaultError(QString::fromUtf8(e.what()));
    }
}

void TMainForm::trigger(const QString &itemName)
{
    if (const CommandDef *c = findCommand(itemName))
        run(QString::fromUtf8(c->handler), Sender{itemName, c->tag});
}

void TMainForm::releaseButton(const QString &name)
{
    if (QAction *a = action(name))
        if (a->isCheckable())
            a->setChecked(false);
}

void TMainForm::setPanelText(int index, const QString &text)
{
    if (index >= 0 && index < 4)
        m_panels[index]->setText(text);
}

// ---------------------------------------------------------------------------------------
// Start-up.

void TMainForm::FormCreate()
{
    setAcceptDrops(true);
    openDialogFolder = saveDialogFolder = m_platform.exeFolder();
    // The catalogue is still empty here: the document starts with the empty file name.
    SetFileName(Message(0));
    UpdateCaretStatus();

    const QSize screen = m_platform.screenSize();
    int w = 754, h = 494;
    if (screen.width() > 1000) {
        w = 1000;
        if (screen.height() > 700)
            h = 700;
    }
    if (screen.width() > 1200)
        w = 1150;
    if (screen.height() > 800)
        h = 800;
    resize(w, h);
    move(std::max(0, (screen.width() - w) / 2), std::max(0, (screen.height() - h) / 2));

    createDialogs();
}

void TMainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_shown) {
        m_shown = true;
        try {
            FormShow();
        } catch (const std::exception &ex) {
            m_prompts.defaultError(QString::fromUtf8(ex.what()));
        }
    }
}

void TMainForm::FormShow()
{
    settings.flag18 = true;
    settings.ftpClient.clear();
    document.SaveEncoding.clear();
    settings.browserPath.clear();
    settings.webSite.clear();
    settings.updaterMode.clear();
    settings.updaterCommand.clear();

    ClearRecentFiles();
    ClearAllBookmarks();

    const QString folder = m_platform.settingsFolder();
    if (!QDir().mkpath(folder))
        m_prompts.defaultError(QStringLiteral("Cannot create folder %1").arg(QDir::toNativeSeparators(folder)));

    LoadSettings();
    if (QAction *a = action(QStringLiteral("Registrierung1")))
        a->setVisible(!sx::isBlank(settings.webSite));
    ApplyLanguage();
    UpdateCaretStatus();
    setAcceptDrops(true);
    m_editor->setFocus();

    if (!m_arguments.isEmpty() && QFileInfo(m_arguments.first()).isFile())
        PerformFileOpen(QFileInfo(m_arguments.first()).absoluteFilePath());

    SelectFontInCombo(QStringLiteral("Arial"));
    LoadRecentFiles();
    applyGutter();
    CheckForUpdateAtStart();
}

void TMainForm::applyGutter()
{
    m_editor->setLineNumbers(settings.lineNumbers);
}

void TMainForm::SelectFontInCombo(const QString &name)
{
    if (!ComboFont1)
        return;
    int found = 0;
    for (int i = 0; i < ComboFont1->count(); ++i) {
        const QString item = ComboFont1->itemText(i);
        if (item == name) {
            found = i;
            break;
        }
        if (item.contains(name, Qt::CaseInsensitive))
            found = i;
    }
    ComboFont1->setCurrentIndex(ComboFont1->count() > 0 ? found : -1);
}

void TMainForm::FormResize()
{
    UpdateCaretStatus();
    m_editor->setEdgeColumn(int(sx::roundHalfEven(m_editor->width() / 10.0)) + 10);
}

void TMainForm::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    FormResize();
}

// ---------------------------------------------------------------------------------------
// Keys, hints and drops.

void TMainForm::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F1) {
        m_platform.showHelp(helpFile, 60);
    } else if (key == Qt::Key_F4) {
        if (NextProblemIndex > 0)
            ShowNextProblem();
        else
            ScanProblems();
    }
}

bool TMainForm::eventFilter(QObject *watched, QEvent *e)
{
    if (AppMessage(watched, e))
        return true;
    // The right-edge marker follows the editor's own width, which settles only after the
    // window's layout has run.
    if (watched == m_editor && e->type() == QEvent::Resize)
        FormResize();
    if (e->type() == QEvent::KeyRelease)
        m_lastKeyEvent = nullptr;
    if (e->type() == QEvent::KeyPress && watched->isWidgetType()) {
        QWidget *w = static_cast<QWidget *>(watched);
        // An unhandled key press travels on to the parents of its receiver; the window
        // sees it once. (A later key press may reuse the address of an earlier event.)
        const bool travelling = e == m_lastKeyEvent && m_lastKeyReceiver && w->isAncestorOf(m_lastKeyReceiver);
        if (e == m_lastKeyEvent)
            m_lastKeyReceiver = w;
        if (!travelling && w->window() == this && !QApplication::activeModalWidget()) {
            m_lastKeyEvent = e;
            m_lastKeyReceiver = w;
            auto *ke = static_cast<QKeyEvent *>(e);
            try {
                FormKeyDown(ke->key(), ke->modifiers());
            } catch (const std::exception &ex) {
                m_prompts.defaultError(QString::fromUtf8(ex.what()));
            }
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

bool TMainForm::event(QEvent *e)
{
    if (e->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TMainForm::ShowHint(const QString &hint)
{
    // A hint fills the whole bar; an empty one brings the four panels back.
    if (hint.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(hint);
}

void TMainForm::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *e)
{
    QStringList paths;
    for (const QUrl &u : e->mimeData()->urls())
        if (u.isLocalFile())
            paths << u.toLocalFile();
    e->acceptProposedAction();
    try {
        WMDropFiles(paths);
    } catch (const std::exception &ex) {
        m_prompts.defaultError(QString::fromUtf8(ex.what()));
    }
}

void TMainForm::WMDropFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    // The whole path, however long; a Cancel left from an earlier prompt must not stop
    // this drop.
    const QString path = paths.first();
    SaveCancelled = false;
    ConfirmSaveChanges();
    if (SaveCancelled)
        return;
    PerformFileOpen(path);
}

// ---------------------------------------------------------------------------------------
// Shutdown.

void TMainForm::FileExit()
{
    SaveCancelled = false;
    ConfirmSaveChanges();
    if (SaveCancelled)
        return;
    // The question has been answered: closing does not ask it a second time.
    m_exitConfirmed = true;
    if (!close())
        m_exitConfirmed = false;
}

void TMainForm::FormCloseQuery(bool &canClose)
{
    SaveCancelled = false;
    canClose = true;
    if (sx::isBlank(m_buffer->text()))
        return;
    if (!m_exitConfirmed)
        ConfirmSaveChanges();
    try {
        SaveSessionSettings();
    } catch (const std::exception &e) {
        m_prompts.defaultError(QString::fromUtf8(e.what()));
    }
    canClose = !SaveCancelled;
}

void TMainForm::FormClose()
{
    try {
        SaveSessionSettings();
    } catch (...) {
    }
    try {
        SaveRecentFiles();
    } catch (...) {
    }
}

void TMainForm::closeEvent(QCloseEvent *e)
{
    bool canClose = true;
    try {
        FormCloseQuery(canClose);
    } catch (const std::exception &ex) {
        m_prompts.defaultError(QString::fromUtf8(ex.what()));
    }
    if (!canClose) {
        e->ignore();
        return;
    }
    FormClose();
    e->accept();
    for (QDialog *d : std::as_const(m_dialogs))
        d->close();
}

// ---------------------------------------------------------------------------------------
// Language.

void TMainForm::ApplyLanguage()
{
    m_catalogue.activate(InterfaceLanguage);
    helpFile = helpFileName(m_platform.exeFolder(), InterfaceLanguage);
    for (const CommandDef &c : commandTable()) {
        const QString name = QString::fromUtf8(c.name);
        if (name.isEmpty())
            continue;
        if (c.captionMsg >= 0) {
            if (QMenu *m = m_menus.value(name))
                m->setTitle(Message(c.captionMsg));
            else if (QAction *a = m_actions.value(name))
                a->setText(Message(c.captionMsg));
        }
        if (c.hintMsg >= 0)
            if (QAction *a = m_actions.value(name)) {
                a->setStatusTip(Message(c.hintMsg));
                if (c.kind == ItemKind::Button)
                    a->setToolTip(Message(c.hintMsg));
            }
    }
    for (const char *sub : {"Bookmark1", "GotoBookmark1"})
        if (QMenu *m = m_menus.value(QString::fromLatin1(sub))) {
            int i = 0;
            for (QAction *a : m->actions())
                a->setText(Message(213) + QString::number(i++));
        }
}

// ---------------------------------------------------------------------------------------
// The caret display, word wrap and bookmarks.

void TMainForm::UpdateCaretStatus()
{
    try {
        setPanelText(0, sx::formatMessage(Message(2), {m_buffer->caretY(), m_buffer->caretX()}));
        const qsizetype start = m_buffer->selStart();
        if (start >= 0)
            setPanelText(1, QString::number(start));
    } catch (...) {
    }
}

void TMainForm::ToolButton3Click()
{
    if (m_buffer->wordWrap()) {
        m_buffer->setWordWrap(false);
        setPanelText(2, QStringLiteral("WW=off"));
        if (QAction *a = action(QStringLiteral("ToolButton3")))
            a->setIcon(commandIcon(QStringLiteral("ToolButton3_off")));
    } else {
        m_buffer->setWordWrap(true);
        setPanelText(2, QStringLiteral("WW=on"));
        if (QAction *a = action(QStringLiteral("ToolButton3")))
            a->setIcon(commandIcon(QStringLiteral("ToolButton3")));
    }
}

void TMainForm::syncBookmarkMarks()
{
    // The check marks are the system's own record of the bookmarks it has set; a click on
    // an item must not toggle them.
    for (const char *sub : {"Bookmark1", "GotoBookmark1"})
        if (QMenu *m = menu(QString::fromLatin1(sub))) {
            const QList<QAction *> items = m->actions();
            for (int n = 0; n < 10 && n < items.size(); ++n)
                items[n]->setChecked(m_bookmarkMarks[n]);
        }
}

void TMainForm::SetBookmarkAtCaret(int n)
{
    if (m_buffer->lineCount() == 0 || n < 0 || n > 9)
        return;
    m_buffer->clearBookmark(n);
    m_buffer->setBookmark(n, m_buffer->caretX(), m_buffer->caretY());
    m_bookmarkMarks[n] = true;
    syncBookmarkMarks();
}

void TMainForm::ClearBookmark(int n)
{
    if (n < 0 || n > 9)
        return;
    m_buffer->clearBookmark(n);
    m_bookmarkMarks[n] = false;
    syncBookmarkMarks();
}

void TMainForm::ClearAllBookmarks()
{
    for (int n = 0; n < 10; ++n)
        ClearBookmark(n);
}

void TMainForm::GotoBookmark(int n) { m_buffer->gotoBookmark(n); }

void TMainForm::SynMemo1GutterClick(int line)
{
    for (int n = 0; n < 10; ++n) {
        const Bookmark b = m_buffer->bookmark(n);
        if (b.set && b.line == line) {
            ClearBookmark(n);
            return;
        }
    }
    for (int n = 0; n < 10; ++n)
        if (!m_bookmarkMarks[n]) {
            SetBookmarkAtCaret(n);
            return;
        }
}

#include "structure/ui/divdialog.h"

#include "app/ui/dialogkit.h"
#include "app/ui/formtext.h"
#include "app/ui/icons.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/markup.h"
#include "editing/textops.h"
#include "editing/ui/cssdialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

SORVEX_DIALOG(TFormDIV, TFormDIV);

using dlg::named;

namespace {

QToolButton *smallButton(QWidget *parent, const char *name, const char *icon)
{
    auto *b = named(new QToolButton(parent), name);
    b->setIcon(commandIcon(QString::fromLatin1(icon)));
    b->setAutoRaise(false);
    return b;
}

} // namespace

TFormDIV::TFormDIV(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Property"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);

    TagName = named(new QLabel(QStringLiteral("<DIV>"), this), "TagName");
    QFont bold = TagName->font();
    bold.setBold(true);
    bold.setPixelSize(14);
    TagName->setFont(bold);
    TagName->setTextFormat(Qt::PlainText);

    auto *g = new QGridLayout;
    g->setColumnStretch(1, 1);
    Edit1 = named(new QLineEdit(this), "Edit1");
    Label1 = named(new QLabel(QStringLiteral("Class="), this), "Label1");
    Label1->setBuddy(Edit1);
    SpeedButton2 = smallButton(this, "SpeedButton2", "DialogLookup");
    g->addWidget(Label1, 0, 0);
    g->addWidget(Edit1, 0, 1);
    g->addWidget(SpeedButton2, 0, 2);

    Edit2 = named(new QLineEdit(this), "Edit2");
    Label2 = named(new QLabel(QStringLiteral("ID="), this), "Label2");
    Label2->setBuddy(Edit2);
    SpeedButton1 = smallButton(this, "SpeedButton1", "DialogLookup");
    g->addWidget(Label2, 1, 0);
    g->addWidget(Edit2, 1, 1);
    g->addWidget(SpeedButton1, 1, 2);

    ComboBox1 = named(new QComboBox(this), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("center"),
                         QStringLiteral("justify")});
    Label3 = named(new QLabel(QStringLiteral("text-align:"), this), "Label3");
    Label3->setBuddy(ComboBox1);
    g->addWidget(Label3, 2, 0);
    g->addWidget(ComboBox1, 2, 1);

    Button1 = named(new QPushButton(QStringLiteral("Style="), this), "Button1");
    Button1->setAutoDefault(false);
    Edit3 = named(new QLineEdit(this), "Edit3");
    // Wide enough for the span's initial style.
    Edit3->setMinimumWidth(Edit3->fontMetrics().horizontalAdvance(initialDivStyle(1)) + 16);
    BitBtn3 = smallButton(this, "BitBtn3", "DialogClear");
    g->addWidget(Button1, 3, 0);
    g->addWidget(Edit3, 3, 1);
    g->addWidget(BitBtn3, 3, 2);

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *main = new QVBoxLayout(this);
    main->addWidget(TagName);
    main->addLayout(g);
    main->addStretch(1);
    main->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormDIV::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QToolButton::clicked, Edit3, &QLineEdit::clear);
    connect(Button1, &QPushButton::clicked, this, &TFormDIV::Button1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { lookUp(Edit1, false); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { lookUp(Edit2, true); });
    FormShow();
}

DivFields TFormDIV::fields() const
{
    DivFields f;
    f.Typ = Typ;
    f.Edit1 = Edit1->text();
    f.Edit2 = Edit2->text();
    f.Edit3 = Edit3->text();
    f.ComboBox1 = ComboBox1->currentText();
    return f;
}

void TFormDIV::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormDIV::FormShow()
{
    const bool en = Sprache != 0;
    HtmlCode.clear();
    ComboBox1->setEnabled(true);
    BitBtn2->setText(dlg::text(en, "Cancel", "Abbrechen"));
    m_notFound = styleNotFoundText(en);
    const QString lookupHint = dlg::text(en, "Look up the rule in this document",
                                         "Regel in diesem Dokument nachschlagen");
    SpeedButton1->setToolTip(lookupHint);
    SpeedButton2->setToolTip(lookupHint);
    BitBtn3->setToolTip(dlg::text(en, "Clear the style", "Style leeren"));
    clearFields();
    TagName->setText(divTagCaption(Typ));
    Edit3->setText(initialDivStyle(Typ));
    Edit1->setFocus();
}

void TFormDIV::clearFields()
{
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
}

void TFormDIV::done(int result)
{
    // However the dialog closes, it keeps nothing for the next time.
    clearFields();
    QDialog::done(result);
}

void TFormDIV::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 140);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormDIV::BitBtn1Click()
{
    if (!InfoOnly) {
        const DivResult r = buildDivTag(fields());
        Edit1->setText(r.Edit1);
        Edit2->setText(r.Edit2);
        HtmlCode = r.HtmlCode;
    }
    accept();
}

void TFormDIV::Button1Click()
{
    TMainForm *form = dlg::mainFormOf(this);
    auto *css = form ? form->dialogAs<TFormCss>(QStringLiteral("TFormCss")) : nullptr;
    if (!css)
        return;
    css->OneLine = true;
    css->Sprache = Sprache != 0;
    // A cancelled style dialog leaves the style field as it was.
    if (form->execDialog(css) == QDialog::Accepted)
        Edit3->setText(css->MyStyle);
}

void TFormDIV::lookUp(QLineEdit *field, bool idRule)
{
    TMainForm *form = dlg::mainFormOf(this);
    if (!form)
        return;
    const QString page = form->buffer().text();
    const QString found = sx::isBlank(field->text()) ? collectStyleBlocks(page)
                                                     : lookupStyleRule(page, field->text(), idRule);
    if (found.isEmpty()) {
        form->prompts().message(MsgKind::Information, QStringLiteral("Sorvex"), m_notFound, Btn::OK);
        return;
    }
    // The clipboard is only touched when there is something to paste.
    QApplication::clipboard()->setText(found);
    auto *text = form->dialogAs<TFormText>(QStringLiteral("TFormText"));
    if (!text)
        return;
    text->Language = Sprache;
    text->showModal(*form);
}

// ---------------------------------------------------------------------------------------
// The div and span commands.

namespace {

void wrapInElement(TMainForm &form, int typ)
{
    auto *d = form.dialogAs<TFormDIV>(QStringLiteral("TFormDIV"));
    if (!d)
        return;
    d->Sprache = form.InterfaceLanguage;
    d->Typ = typ;
    d->InfoOnly = false;
    form.execDialog(d);
    if (sx::isBlank(d->HtmlCode))
        return;
    ApplyMarkup(form.buffer(), {SelectionTreatment::WrapAsIs, d->HtmlCode, divClosingTag(typ)});
}

} // namespace

SORVEX_HANDLER(Div1Click) { wrapInElement(form, 0); }
SORVEX_HANDLER(Span1Click) { wrapInElement(form, 1); }

#include "editing/ui/linkdialog.h"

#include "app/ui/dialogkit.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

SORVEX_DIALOG(TFormSettings, TFormSettings);

using dlg::named;

TFormSettings::TFormSettings(QWidget *parent) : QDialog(parent)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    auto *kinds = new QHBoxLayout(GroupBox1);
    RadioButton1 = named(new QRadioButton(QStringLiteral("http"), GroupBox1), "RadioButton1");
    RadioButton1->setChecked(true);
    RadioButton2 = named(new QRadioButton(QStringLiteral("mailto"), GroupBox1), "RadioButton2");
    RadioButton3 = named(new QRadioButton(QStringLiteral("anchor"), GroupBox1), "RadioButton3");
    RadioButton4 = named(new QRadioButton(GroupBox1), "RadioButton4");
    for (QRadioButton *b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        kinds->addWidget(b);
    kinds->addStretch(1);

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    EditName = named(new QLineEdit(this), "EditName");
    EditName->setMinimumWidth(300);
    Label1 = named(new QLabel(QStringLiteral("Url"), this), "Label1");
    EditColor = named(new QLineEdit(this), "EditColor");
    Label2 = named(new QLabel(QStringLiteral("Description"), this), "Label2");
    EditMyTitle = named(new QLineEdit(this), "EditMyTitle");
    Label3 = named(new QLabel(QStringLiteral("Title"), this), "Label3");
    ComboBox1 = named(new QComboBox(this), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_top"),
                         QStringLiteral("_parent")});
    ComboBox1->setEditText(QStringLiteral("_blank"));
    Label4 = named(new QLabel(QStringLiteral("Target"), this), "Label4");
    const std::pair<QLabel *, QWidget *> rows[] = {
        {Label1, EditName}, {Label2, EditColor}, {Label3, EditMyTitle}, {Label4, ComboBox1}};
    for (const auto &[label, field] : rows) {
        label->setBuddy(field);
        form->addRow(label, field);
    }

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *main = new QVBoxLayout(this);
    main->addWidget(GroupBox1);
    main->addLayout(form);
    main->addStretch(1);
    main->addLayout(buttons);

    connect(RadioButton1, &QRadioButton::clicked, this, &TFormSettings::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TFormSettings::RadioButton2Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &TFormSettings::RadioButton3Click);
    connect(RadioButton4, &QRadioButton::clicked, this, &TFormSettings::RadioButton4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormSettings::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormSettings::BitBtn2Click);
    FormShow();
}

LinkKind TFormSettings::kind() const
{
    if (RadioButton2->isChecked())
        return LinkKind::Mail;
    if (RadioButton3->isChecked())
        return LinkKind::Anchor;
    if (RadioButton4->isChecked())
        return LinkKind::None;
    return LinkKind::Web;
}

LinkFields TFormSettings::fields() const
{
    LinkFields f;
    f.DLanguage = DLanguage;
    f.kind = kind();
    f.EditName = EditName->text();
    f.EditColor = EditColor->text();
    f.EditMyTitle = EditMyTitle->text();
    f.ComboBox1 = ComboBox1->currentText();
    return f;
}

void TFormSettings::RadioButton1Click()
{
    ComboBox1->setEnabled(true);
    Label1->setText(QStringLiteral("Url"));
    ComboBox1->setEditText(QStringLiteral("_blank"));
}

void TFormSettings::RadioButton2Click()
{
    Label1->setText(QStringLiteral("Mail"));
    ComboBox1->setEditText(QString());
    ComboBox1->setEnabled(false);
}

void TFormSettings::RadioButton3Click()
{
    Label1->setText(QStringLiteral("#"));
    EditName->setText(QStringLiteral("Chapter1"));
    ComboBox1->setEditText(QString());
    EditMyTitle->setText(QStringLiteral("Go to Chapter1"));
    ComboBox1->setEnabled(false);
}

void TFormSettings::RadioButton4Click()
{
    Label1->setText(QStringLiteral("Url"));
    ComboBox1->setEditText(QString());
}

void TFormSettings::runKindAction(LinkKind k)
{
    switch (k) {
    case LinkKind::Web: RadioButton1->setChecked(true); RadioButton1Click(); break;
    case LinkKind::Mail: RadioButton2->setChecked(true); RadioButton2Click(); break;
    case LinkKind::Anchor: RadioButton3->setChecked(true); RadioButton3Click(); break;
    case LinkKind::None: RadioButton4->setChecked(true); RadioButton4Click(); break;
    }
}

void TFormSettings::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormSettings::FormShow()
{
    LinkStart.clear();
    LinkKind k;
    if (preselectedKind(LinkTyp, &k))
        runKindAction(k);
    EditMyTitle->clear();
    const bool en = DLanguage;
    setWindowTitle(dlg::text(en, "Create link", "HTML Link erstellen"));
    GroupBox1->setTitle(dlg::text(en, "Protocol", "Protokoll"));
    RadioButton4->setText(dlg::text(en, "none", "ohne"));
    RadioButton1->setToolTip(dlg::text(en, "Link to URL", "Verlinken auf URL"));
    RadioButton2->setToolTip(dlg::text(en, "Mail link", "Maillink"));
    RadioButton3->setToolTip(
        dlg::text(en, "Link to chapter of the current document", "Kapitel/Abschnitt der aktuellen Seite verlinken"));
    RadioButton4->setToolTip(dlg::text(en, "No specification", "Ohne Angaben"));
    BitBtn2->setText(dlg::text(en, "Cancel", "Abbrechen"));
    EditName->setFocus();
}

void TFormSettings::keyPressEvent(QKeyEvent *e)
{
    if (e->modifiers() == Qt::NoModifier && e->key() == Qt::Key_F1) {
        dlg::showHelp(this, 140);
        return;
    }
    // Escape is the cancel button.
    if (e->modifiers() == Qt::NoModifier && e->key() == Qt::Key_Escape) {
        BitBtn2Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormSettings::BitBtn1Click()
{
    TMainForm *form = dlg::mainFormOf(this);
    const LinkFields f = fields();
    LinkResult r = buildLink(f);
    if (r.askExternal) {
        const int answer = form ? form->prompts().message(MsgKind::Confirmation, QStringLiteral("Sorvex"),
                                                          linkTexts(DLanguage).externalAddress, Btn::YesNo)
                                : Btn::No;
        if (answer != Btn::Yes)
            return;
        r = buildLink(f, true);
    }
    if (EditName->text() != r.EditName)
        EditName->setText(r.EditName);
    if (EditColor->text() != r.EditColor)
        EditColor->setText(r.EditColor);
    for (const QString &m : r.messages) {
        if (form)
            form->prompts().message(MsgKind::Plain, QStringLiteral("Sorvex"), m, Btn::OK);
    }
    if (!r.close)
        return;
    LinkStart = r.LinkStart;
    accept();
}

void TFormSettings::BitBtn2Click()
{
    LinkStart.clear();
    EditName->clear();
    EditColor->clear();
    reject();
}

// ---------------------------------------------------------------------------------------
// The link command.

SORVEX_HANDLER(Link1Click)
{
    auto *d = form.dialogAs<TFormSettings>(QStringLiteral("TFormSettings"));
    if (!d)
        return;
    EditorBuffer &b = form.buffer();
    TrimBlankSelection(b);
    const QString s = b.selText();
    const LinkPrefill p = prefillLink(s);
    d->LinkTyp = p.LinkTyp;
    d->EditColor->setText(s);
    if (p.button == LinkKind::Web) {
        d->RadioButton1->setChecked(true);
        d->EditName->setText(s);
    } else if (p.button == LinkKind::Mail) {
        d->RadioButton2->setChecked(true);
        d->EditName->setText(s);
    }
    d->DLanguage = form.InterfaceLanguage != 0;
    form.execDialog(d);
    if (!d->LinkStart.isEmpty())
        b.setSelText(d->LinkStart);
}

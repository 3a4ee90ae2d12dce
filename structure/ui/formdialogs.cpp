#include "structure/ui/formdialogs.h"

#include "app/prompts.h"
#include "app/ui/dialogkit.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

SORVEX_DIALOG(TFormFormular, TFormFormular);
SORVEX_DIALOG(TFormInput, TFormInput);

using dlg::named;

namespace {

QComboBox *editableList(QWidget *parent, const char *name, const QStringList &items)
{
    auto *c = named(new QComboBox(parent), name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // What the user types stays as typed (no completion to an item's case).
    c->setCompleter(nullptr);
    c->addItems(items);
    return c;
}

QLabel *label(QWidget *parent, const char *name, const char *text, QWidget *buddy)
{
    auto *l = named(new QLabel(QString::fromUtf8(text), parent), name);
    l->setBuddy(buddy);
    return l;
}

QHBoxLayout *okCancel(QPushButton *ok, QPushButton *cancel)
{
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void setDialogFont(QWidget *w)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    w->setFont(f);
}

} // namespace

// ---------------------------------------------------------------------------------------
// TFormFormular

TFormFormular::TFormFormular(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Forms"));
    setDialogFont(this);
    const FormFields initial;
    EditName = named(new QLineEdit(initial.EditName, this), "EditName");
    EditAction = named(new QLineEdit(initial.EditAction, this), "EditAction");
    Method = editableList(this, "Method", formMethods());
    Method->setCurrentIndex(0);
    EncType = editableList(this, "EncType", formEncTypes());
    EncType->setCurrentIndex(0);
    EditSubmit = named(new QLineEdit(this), "EditSubmit");
    EditAction->setMinimumWidth(EditAction->fontMetrics().horizontalAdvance(formEncTypes().first()) + 40);

    Label1 = label(this, "Label1", "Name", EditName);
    Label2 = label(this, "Label2", "Action (Mail/URL)", EditAction);
    Label3 = label(this, "Label3", "Method", Method);
    Label4 = label(this, "Label4", "Enctype", EncType);
    Label5 = label(this, "Label5", "onSubmit (optional)", EditSubmit);
    auto *g = new QGridLayout;
    g->setColumnStretch(1, 1);
    int row = 0;
    for (auto [l, w] : {std::pair<QLabel *, QWidget *>{Label1, EditName}, {Label2, EditAction}, {Label3, Method},
                        {Label4, EncType}, {Label5, EditSubmit}}) {
        g->addWidget(l, row, 0);
        g->addWidget(w, row, 1);
        ++row;
    }

    CheckSubmit = named(new QCheckBox(this), "CheckSubmit");
    CheckReset = named(new QCheckBox(this), "CheckReset");
    CheckInput = named(new QCheckBox(this), "CheckInput");
    CheckUpload = named(new QCheckBox(this), "CheckUpload");
    CheckSubmit->setChecked(initial.CheckSubmit);
    CheckReset->setChecked(initial.CheckReset);
    CheckInput->setChecked(initial.CheckInput);
    CheckUpload->setChecked(initial.CheckUpload);
    auto *checks = new QGridLayout;
    checks->addWidget(CheckSubmit, 0, 0);
    checks->addWidget(CheckReset, 0, 1);
    checks->addWidget(CheckInput, 1, 0);
    checks->addWidget(CheckUpload, 1, 1);

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn2 = named(new QPushButton(this), "BitBtn2");

    auto *main = new QVBoxLayout(this);
    main->addLayout(g);
    main->addSpacing(6);
    main->addLayout(checks);
    main->addStretch(1);
    main->addLayout(okCancel(BitBtn1, BitBtn2));
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(CheckUpload, &QCheckBox::toggled, this, &TFormFormular::CheckUploadClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormFormular::MakeForm);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

FormFields TFormFormular::fields() const
{
    FormFields f;
    f.EditName = EditName->text();
    f.EditAction = EditAction->text();
    f.Method = Method->currentText();
    f.EncType = EncType->currentText();
    f.EditSubmit = EditSubmit->text();
    f.CheckSubmit = CheckSubmit->isChecked();
    f.CheckReset = CheckReset->isChecked();
    f.CheckInput = CheckInput->isChecked();
    f.CheckUpload = CheckUpload->isChecked();
    return f;
}

void TFormFormular::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormFormular::FormShow()
{
    const bool en = Sprache != 0;
    FormCode.clear();
    CheckSubmit->setText(dlg::text(en, "Insert submit button", "Submit Button einfügen"));
    CheckReset->setText(dlg::text(en, "Insert reset button", "Reset Button einfügen"));
    CheckInput->setText(dlg::text(en, "Insert input", "Eingabefeld einfügen"));
    CheckUpload->setText(dlg::text(en, "Insert file upload", "Datei Upload einfügen"));
    BitBtn2->setText(dlg::text(en, "Cancel", "Abbrechen"));
}

void TFormFormular::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 150);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormFormular::CheckUploadClick(bool ticked)
{
    QString method = Method->currentText(), enctype = EncType->currentText();
    applyUploadRule(ticked, &method, &enctype);
    Method->setCurrentText(method);
    EncType->setCurrentText(enctype);
}

void TFormFormular::MakeForm()
{
    FormCode = buildForm(fields());
    accept();
}

// ---------------------------------------------------------------------------------------
// TFormInput

TFormInput::TFormInput(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Input"));
    setDialogFont(this);
    const InputFields initial;
    EditName = named(new QLineEdit(this), "EditName");
    EditSize = named(new QLineEdit(initial.EditSize, this), "EditSize");
    EditLength = named(new QLineEdit(initial.EditLength, this), "EditLength");
    ComboBoxType = editableList(this, "ComboBoxType", inputTypes());
    ComboBoxType->setMaxVisibleItems(24);
    EditValue = named(new QLineEdit(initial.EditValue, this), "EditValue");
    EditClick = named(new QLineEdit(initial.EditClick, this), "EditClick");
    EditImage = named(new QLineEdit(this), "EditImage");
    BitBtn1 = named(new QPushButton(QStringLiteral("..."), this), "BitBtn1");
    BitBtn1->setAutoDefault(false);
    BitBtn1->setFixedWidth(BitBtn1->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    EditClick->setMinimumWidth(EditClick->fontMetrics().horizontalAdvance(initial.EditClick) + 60);

    Label1 = label(this, "Label1", "Name", EditName);
    Label2 = label(this, "Label2", "Size", EditSize);
    Label3 = label(this, "Label3", "MaxLength", EditLength);
    Label4 = label(this, "Label4", "Type", ComboBoxType);
    Label5 = label(this, "Label5", "Value/Alt", EditValue);
    Label6 = label(this, "Label6", "onclick", EditClick);
    Label7 = label(this, "Label7", "Button graphics", EditImage);

    auto *g = new QGridLayout;
    g->setColumnStretch(1, 1);
    g->addWidget(Label4, 0, 0);
    g->addWidget(ComboBoxType, 0, 1, 1, 2);
    g->addWidget(Label1, 1, 0);
    g->addWidget(EditName, 1, 1, 1, 2);
    g->addWidget(Label2, 2, 0);
    g->addWidget(EditSize, 2, 1, 1, 2);
    g->addWidget(Label3, 3, 0);
    g->addWidget(EditLength, 3, 1, 1, 2);
    g->addWidget(Label5, 4, 0);
    g->addWidget(EditValue, 4, 1, 1, 2);
    g->addWidget(Label6, 5, 0);
    g->addWidget(EditClick, 5, 1, 1, 2);
    g->addWidget(Label7, 6, 0);
    g->addWidget(EditImage, 6, 1);
    g->addWidget(BitBtn1, 6, 2);

    BitBtn2 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn2");
    BitBtn3 = named(new QPushButton(this), "BitBtn3");
    auto *main = new QVBoxLayout(this);
    main->addLayout(g);
    main->addStretch(1);
    main->addLayout(okCancel(BitBtn2, BitBtn3));
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(ComboBoxType, &QComboBox::activated, this, &TFormInput::ComboBoxTypeChange);
    connect(ComboBoxType->lineEdit(), &QLineEdit::textEdited, this, &TFormInput::ComboBoxTypeEdited);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormInput::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormInput::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFormInput::BitBtn3Click);
    FormShow();
}

InputFields TFormInput::fields() const
{
    InputFields f;
    f.type = ComboBoxType->currentText();
    f.EditName = EditName->text();
    f.EditSize = EditSize->text();
    f.EditLength = EditLength->text();
    f.EditValue = EditValue->text();
    f.EditClick = EditClick->text();
    f.EditImage = EditImage->text();
    f.NotInput = NotInput;
    return f;
}

void TFormInput::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormInput::FormShow()
{
    const bool en = Sprache != 0;
    SelType = -1;
    EditName->setToolTip(dlg::text(en, "Name attribute", "Name des Feldes"));
    EditSize->setToolTip(dlg::text(en, "Size", "Grösse"));
    EditLength->setToolTip(dlg::text(en, "Max length(number of characters)", "Maximale Anzahl Zeichen"));
    ComboBoxType->setToolTip(dlg::text(en, "Type attribute", "Typ des Feldes"));
    EditValue->setToolTip(dlg::text(en, "Value", "Wert"));
    Label7->setText(dlg::text(en, "Button graphics", "Grafik Schaltfläche"));
    BitBtn3->setText(dlg::text(en, "Cancel", "Abbrechen"));
    HTMCode.clear();
    ComboBoxType->setCurrentIndex(InpTyp >= 0 && InpTyp < ComboBoxType->count() ? InpTyp : 0);
    ComboBoxTypeChange();
}

void TFormInput::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 150);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormInput::ComboBoxTypeChange()
{
    Label2->setText(QStringLiteral("Size"));
    Label3->setText(QStringLiteral("MaxLength"));
    EditLength->setText(QStringLiteral("50"));
    const int i = ComboBoxType->currentIndex();
    if (i >= 0)
        EditName->setText(ComboBoxType->itemText(i));
    SelType = i;
}

void TFormInput::ComboBoxTypeEdited(const QString &text)
{
    // A typed type is no chosen item: the name and length fields stay as they are, and the
    // type counts as chosen when it names an item.
    SelType = inputTypeIndexIgnoringCase(text);
}

void TFormInput::BitBtn1Click()
{
    TMainForm *form = dlg::mainFormOf(this);
    if (!form)
        return;
    FileDialogRequest r;
    r.filter = QStringLiteral("Pictures(*.gif,*.jpg,*.png,*.bmp ...)|*.gif;*jpg;*.jpeg;*.png;*.bmp;*.ico;*.pcx;*.ani;"
                              "*.wmf;*.cur|All(*.*)|*.*");
    r.mustExist = true;
    const QStringList chosen = form->prompts().openFiles(r);
    if (!chosen.isEmpty())
        EditImage->setText(sx::fileNamePart(chosen.first()));
}

void TFormInput::BitBtn2Click()
{
    HTMCode = buildInputControl(fields());
    accept();
}

void TFormInput::BitBtn3Click()
{
    HTMCode.clear();
    reject();
}

// ---------------------------------------------------------------------------------------
// The form and control commands.

namespace {

// Shows the input dialog with the type at that list position preselected (-1: the one the
// previous command left) and inserts its control in front of the selection. True when a
// control was asked for (OK).
bool insertControl(TMainForm &form, int preselect)
{
    auto *d = form.dialogAs<TFormInput>(QStringLiteral("TFormInput"));
    if (!d)
        return false;
    if (preselect >= 0)
        d->InpTyp = preselect;
    d->Sprache = form.InterfaceLanguage;
    if (form.execDialog(d) != QDialog::Accepted)
        return false;
    EditorBuffer &b = form.buffer();
    b.setSelLength(0);
    if (!d->HTMCode.isEmpty())
        b.setSelText(d->HTMCode);
    return true;
}

void inputCommand(TMainForm &form, const Sender &sender)
{
    auto *d = form.dialogAs<TFormInput>(QStringLiteral("TFormInput"));
    if (!d)
        return;
    d->NotInput = false;
    static const QList<std::pair<const char *, const char *>> buttons = {
        {"ToolButtonInput", "text"},
        {"ToolButtonPassword", "password"},
        {"ToolButtonUpload", "file"},
        {"ToolButtonHidden", "hidden"},
    };
    int preselect = -1;
    for (const auto &[name, type] : buttons)
        if (sender.name == QLatin1String(name))
            preselect = inputTypeIndex(QLatin1String(type));
    if (!insertControl(form, preselect))
        return;
    if (needsHtml5(d->SelType))
        form.prompts().message(MsgKind::Warning, QStringLiteral("Veltrax"),
                               html5WarningText(form.InterfaceLanguage != 0), Btn::OK);
}

void insertSnippet(TMainForm &form, const QString &snippet)
{
    EditorBuffer &b = form.buffer();
    b.setSelLength(0);
    b.setSelText(snippet);
}

} // namespace

SORVEX_HANDLER(Form1Click)
{
    auto *d = form.dialogAs<TFormFormular>(QStringLiteral("TFormFormular"));
    if (!d)
        return;
    EditorBuffer &b = form.buffer();
    TrimBlankSelection(b);
    d->Sprache = form.InterfaceLanguage;
    if (form.execDialog(d) != QDialog::Accepted)
        return;
    b.setSelText(d->FormCode + b.selText());
}
SORVEX_HANDLER(ToolButtonFormClick) { form.trigger(QStringLiteral("Form1")); }

SORVEX_HANDLER(Inputbox1Click) { inputCommand(form, sender); }
SORVEX_HANDLER(ToolButtonInputClick) { inputCommand(form, sender); }
SORVEX_HANDLER(ToolButtonPasswordClick) { inputCommand(form, sender); }
SORVEX_HANDLER(ToolButtonUploadClick) { inputCommand(form, sender); }
SORVEX_HANDLER(ToolButtonHiddenClick) { inputCommand(form, sender); }

SORVEX_HANDLER(Button1Click)
{
    if (auto *d = form.dialogAs<TFormInput>(QStringLiteral("TFormInput")))
        d->NotInput = true;
    insertControl(form, inputTypeIndex(QStringLiteral("button")));
}
SORVEX_HANDLER(ToolButtonButtonClick) { form.trigger(QStringLiteral("Button1")); }

SORVEX_HANDLER(Textarea1Click) { insertControl(form, inputTypeIndex(QStringLiteral("textarea"))); }
SORVEX_HANDLER(ToolButtonAreaClick) { insertControl(form, inputTypeIndex(QStringLiteral("textarea"))); }
SORVEX_HANDLER(Radiobutton1Click) { insertControl(form, inputTypeIndex(QStringLiteral("radio"))); }
SORVEX_HANDLER(ToolButtonRadioClick) { insertControl(form, inputTypeIndex(QStringLiteral("radio"))); }
SORVEX_HANDLER(CheckBox1Click) { insertControl(form, inputTypeIndex(QStringLiteral("checkbox"))); }
SORVEX_HANDLER(ToolButtonCheckClick) { insertControl(form, inputTypeIndex(QStringLiteral("checkbox"))); }

SORVEX_HANDLER(Selectbox1Click) { insertSnippet(form, selectBoxSnippet()); }
SORVEX_HANDLER(ToolButtonListClick) { insertSnippet(form, selectBoxSnippet()); }
SORVEX_HANDLER(Dropdownlist1Click) { insertSnippet(form, dropDownListSnippet()); }
SORVEX_HANDLER(ToolButtonDropdownClick) { insertSnippet(form, dropDownListSnippet()); }

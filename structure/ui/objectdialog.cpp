#include "structure/ui/objectdialog.h"

#include "app/ui/dialogkit.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

SORVEX_DIALOG(TFormObject, TFormObject);

using dlg::named;

TFormObject::TFormObject(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Object"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);
    const ObjectFields initial;

    auto edit = [this](const char *name, const QString &text = QString()) {
        return named(new QLineEdit(text, this), name);
    };
    auto label = [this](const char *name, const QString &text, QWidget *buddy) {
        QLabel *l = named(new QLabel(text, this), name);
        l->setBuddy(buddy);
        return l;
    };

    ComboBox1 = named(new QComboBox(this), "ComboBox1");
    ComboBox1->addItems(objectTypes());
    ComboBox2 = named(new QComboBox(this), "ComboBox2");
    ComboBox2->addItems(mimeTypes());
    ComboBox2->setMaxVisibleItems(20);
    Label7 = label("Label7", QString(), ComboBox1);
    Label12 = label("Label12", QStringLiteral("MIME types"), ComboBox2);

    EditClass = edit("EditClass");
    EditCode = edit("EditCode");
    EditName = edit("EditName");
    EditMap = edit("EditMap", initial.EditMap);
    EditBorder = edit("EditBorder");
    EditWidth = edit("EditWidth", initial.EditWidth);
    EditHeight = edit("EditHeight", initial.EditHeight);
    EditPName = edit("EditPName");
    EditPValue = edit("EditPValue");
    // Wide enough for the Flash preset's cabinet address.
    EditCode->setMinimumWidth(EditCode->fontMetrics().horizontalAdvance(objectPreset("Flash", "", "").fields.EditCode) + 16);
    Label1 = label("Label1", initial.Label1, EditClass);
    Label2 = label("Label2", initial.Label2, EditCode);
    Label11 = label("Label11", initial.Label11, EditName);
    Label8 = label("Label8", QStringLiteral("usemap"), EditMap);
    Label10 = label("Label10", QStringLiteral("border"), EditBorder);
    Label3 = label("Label3", QStringLiteral("width"), EditWidth);
    Label4 = label("Label4", QStringLiteral("height"), EditHeight);
    Label5 = label("Label5", QStringLiteral("param name"), EditPName);
    Label6 = label("Label6", QStringLiteral("value"), EditPValue);

    ButtonAdd = named(new QPushButton(this), "ButtonAdd");
    ButtonAdd->setAutoDefault(false);
    Memo1 = named(new QPlainTextEdit(this), "Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(12);
    Memo1->setFont(mono);
    Memo1->setMinimumHeight(150);
    // Wide enough for the longest line of the Flash preset.
    int widest = 0;
    for (const QString &line : objectPreset("Flash", "300", "300").fields.Memo1.split(QStringLiteral("\r\n")))
        widest = qMax(widest, Memo1->fontMetrics().horizontalAdvance(line));
    Memo1->setMinimumWidth(widest + 30);
    Label9 = label("Label9", QStringLiteral("Parameter"), Memo1);
    Button1 = named(new QPushButton(this), "Button1");
    Button1->setAutoDefault(false);

    auto *top = new QGridLayout;
    top->addWidget(Label7, 0, 0);
    top->addWidget(ComboBox1, 1, 0);
    top->addWidget(Label12, 0, 1);
    top->addWidget(ComboBox2, 1, 1);
    top->setColumnStretch(1, 1);

    auto *g = new QGridLayout;
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->addWidget(Label1, 0, 0);
    g->addWidget(EditClass, 0, 1, 1, 3);
    g->addWidget(Label2, 1, 0);
    g->addWidget(EditCode, 1, 1, 1, 3);
    g->addWidget(Label11, 2, 0);
    g->addWidget(EditName, 2, 1);
    g->addWidget(Label8, 2, 2);
    g->addWidget(EditMap, 2, 3);
    g->addWidget(Label3, 3, 0);
    g->addWidget(EditWidth, 3, 1);
    g->addWidget(Label4, 3, 2);
    g->addWidget(EditHeight, 3, 3);
    g->addWidget(Label10, 4, 0);
    g->addWidget(EditBorder, 4, 1);

    auto *params = new QGridLayout;
    params->setColumnStretch(1, 1);
    params->setColumnStretch(3, 1);
    params->addWidget(Label5, 0, 0);
    params->addWidget(EditPName, 0, 1);
    params->addWidget(Label6, 0, 2);
    params->addWidget(EditPValue, 0, 3);
    params->addWidget(ButtonAdd, 0, 4);
    params->addWidget(Label9, 1, 0, 1, 5);
    params->addWidget(Memo1, 2, 0, 1, 5);
    auto *deleteRow = new QHBoxLayout;
    deleteRow->addWidget(Button1);
    deleteRow->addStretch(1);
    params->addLayout(deleteRow, 3, 0, 1, 5);

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(g);
    main->addSpacing(4);
    main->addLayout(params);
    main->addLayout(buttons);

    connect(ComboBox1, &QComboBox::activated, this, &TFormObject::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TFormObject::ComboBox2Change);
    connect(ButtonAdd, &QPushButton::clicked, this, &TFormObject::ButtonAddClick);
    connect(Button1, &QPushButton::clicked, Memo1, &QPlainTextEdit::clear);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormObject::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormObject::BitBtn2Click);
    FormShow();
}

QString TFormObject::memoText() const { return normalizeLineBreaks(Memo1->toPlainText()); }

void TFormObject::setMemoText(const QString &text) { Memo1->setPlainText(text); }

ObjectFields TFormObject::fields() const
{
    ObjectFields f;
    f.Label1 = Label1->text();
    f.Label2 = Label2->text();
    f.Label11 = Label11->text();
    f.EditClass = EditClass->text();
    f.EditCode = EditCode->text();
    f.EditName = EditName->text();
    f.EditMap = EditMap->text();
    f.EditBorder = EditBorder->text();
    f.EditWidth = EditWidth->text();
    f.EditHeight = EditHeight->text();
    f.Memo1 = memoText();
    return f;
}

void TFormObject::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormObject::FormShow()
{
    const bool en = Sprache != 0;
    EditClass->setToolTip(dlg::text(en, "Unique ID of the object class", "Eindeutige ID der Objektklasse"));
    EditCode->setToolTip(dlg::text(en, "Code base", "Codebasis"));
    EditMap->setToolTip(dlg::text(en, "Image map name", "Imagemap Name"));
    EditBorder->setToolTip(dlg::text(en, "Border", "Rahmen"));
    EditWidth->setToolTip(dlg::text(en, "Width", "Breite"));
    EditHeight->setToolTip(dlg::text(en, "Height", "Höhe"));
    EditPName->setToolTip(dlg::text(en, "Parameter name", "Parametername"));
    EditPValue->setToolTip(dlg::text(en, "Value", "Wert"));
    Memo1->setToolTip(dlg::text(en, "List of parameters", "Liste Parameter"));
    Label7->setText(dlg::text(en, "Select object type", "Objecttyp auswählen"));
    ButtonAdd->setText(dlg::text(en, "Add", "Hinzufügen"));
    Button1->setText(dlg::text(en, "Delete", "Löschen"));
    BitBtn2->setText(dlg::text(en, "Cancel", "Abbrechen"));
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
    ObjectTag.clear();
    const ObjectFields initial;
    Label1->setText(initial.Label1);
    Label2->setText(initial.Label2);
    Label11->setText(initial.Label11);
    EditMap->setEnabled(false);
    clearFields();
}

void TFormObject::clearFields()
{
    for (QLineEdit *e : {EditClass, EditCode, EditName, EditBorder, EditPName, EditPValue})
        e->clear();
    Memo1->clear();
    EditMap->setText(QStringLiteral("#"));
}

void TFormObject::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 140);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormObject::ComboBox1Change()
{
    clearFields();
    const ObjectPreset p = objectPreset(ComboBox1->currentText(), EditWidth->text(), EditHeight->text());
    Label1->setText(p.fields.Label1);
    Label2->setText(p.fields.Label2);
    Label11->setText(p.fields.Label11);
    EditClass->setText(p.fields.EditClass);
    EditCode->setText(p.fields.EditCode);
    EditName->setText(p.fields.EditName);
    EditMap->setEnabled(p.mapEnabled);
    setMemoText(p.fields.Memo1);
}

void TFormObject::ComboBox2Change()
{
    switch (mimeTarget(ComboBox1->currentText())) {
    case 2:
        EditCode->setText(ComboBox2->currentText());
        break;
    case 3:
        EditName->setText(ComboBox2->currentText());
        break;
    default:
        break;
    }
}

void TFormObject::ButtonAddClick()
{
    setMemoText(appendParamLine(memoText(), EditPName->text(), EditPValue->text()));
}

void TFormObject::BitBtn1Click()
{
    ObjectTag = buildObjectTag(fields());
    accept();
}

void TFormObject::BitBtn2Click()
{
    ObjectTag.clear();
    reject();
}

SORVEX_HANDLER(Object1Click)
{
    auto *d = form.dialogAs<TFormObject>(QStringLiteral("TFormObject"));
    if (!d)
        return;
    d->Sprache = form.InterfaceLanguage;
    form.execDialog(d);
    if (sx::isBlank(d->ObjectTag))
        return;
    EditorBuffer &b = form.buffer();
    b.setSelText(d->ObjectTag + b.selText());
}

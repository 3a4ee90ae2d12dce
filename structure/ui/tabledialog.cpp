#include "structure/ui/tabledialog.h"

#include "app/ui/dialogkit.h"
#include "app/ui/icons.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/htmlcolor.h"
#include "editing/textops.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

SORVEX_DIALOG(TFormTable, TFormTable);

using dlg::named;

namespace {

QLineEdit *edit(QWidget *parent, const char *name, const QString &text)
{
    auto *e = named(new QLineEdit(text, parent), name);
    e->setMinimumWidth(90);
    return e;
}

QComboBox *combo(QWidget *parent, const char *name, const QStringList &items, const QString &text)
{
    auto *c = named(new QComboBox(parent), name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setCurrentIndex(items.indexOf(text));
    c->setEditText(text);
    c->setMinimumContentsLength(10);
    return c;
}

QLabel *caption(QWidget *parent, const char *name, const char *text, QWidget *buddy)
{
    auto *l = named(new QLabel(QString::fromLatin1(text), parent), name);
    l->setBuddy(buddy);
    return l;
}

QPushButton *colorButton(QWidget *parent, const char *name)
{
    auto *b = named(new QPushButton(QStringLiteral("bgcolor"), parent), name);
    b->setIcon(commandIcon(QStringLiteral("DialogColor")));
    b->setAutoDefault(false);
    return b;
}

// Label and field in the next free cell of a two-pair-per-row grid.
void place(QGridLayout *g, int index, QLabel *label, QWidget *field)
{
    const int row = index / 2, col = (index % 2) * 2;
    g->addWidget(label, row, col);
    g->addWidget(field, row, col + 1);
}

} // namespace

TFormTable::TFormTable(QWidget *parent) : QDialog(parent)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);
    const TableFields d; // the start-up contents

    GroupBox1 = named(new QGroupBox(QStringLiteral("Table"), this), "GroupBox1");
    {
        auto *g = new QGridLayout(GroupBox1);
        g->setColumnStretch(1, 1);
        g->setColumnStretch(3, 1);
        g->setColumnMinimumWidth(2, 80);
        EditZeile = edit(GroupBox1, "EditZeile", d.EditZeile);
        Label1 = caption(GroupBox1, "Label1", "Rows", EditZeile);
        place(g, 0, Label1, EditZeile);
        EditSpalte = edit(GroupBox1, "EditSpalte", d.EditSpalte);
        Label2 = caption(GroupBox1, "Label2", "Cols", EditSpalte);
        place(g, 1, Label2, EditSpalte);
        EditBreite = edit(GroupBox1, "EditBreite", d.EditBreite);
        Label3 = caption(GroupBox1, "Label3", "Width", EditBreite);
        place(g, 2, Label3, EditBreite);
        EditHoehe = edit(GroupBox1, "EditHoehe", d.EditHoehe);
        Label4 = caption(GroupBox1, "Label4", "Height", EditHoehe);
        place(g, 3, Label4, EditHoehe);
        EditBorder = edit(GroupBox1, "EditBorder", d.EditBorder);
        Label5 = caption(GroupBox1, "Label5", "Border", EditBorder);
        place(g, 4, Label5, EditBorder);
        EditPadding = edit(GroupBox1, "EditPadding", d.EditPadding);
        Label6 = caption(GroupBox1, "Label6", "Cellpadding", EditPadding);
        place(g, 5, Label6, EditPadding);
        EditSpacing = edit(GroupBox1, "EditSpacing", d.EditSpacing);
        Label7 = caption(GroupBox1, "Label7", "Cellspacing", EditSpacing);
        place(g, 6, Label7, EditSpacing);
        ComboBox1 = combo(GroupBox1, "ComboBox1",
                          {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right"),
                           QStringLiteral("bleedleft"), QStringLiteral("bleedright")},
                          d.ComboBox1);
        Label8 = caption(GroupBox1, "Label8", "Align", ComboBox1);
        place(g, 7, Label8, ComboBox1);
        EditFarbe = edit(GroupBox1, "EditFarbe", d.EditFarbe);
        Button2 = colorButton(GroupBox1, "Button2");
        Panel2 = named(new ColorSwatch(GroupBox1), "Panel2");
        auto *colorRow = new QHBoxLayout;
        colorRow->addWidget(EditFarbe, 1);
        colorRow->addWidget(Panel2);
        g->addWidget(Button2, 4, 0);
        g->addLayout(colorRow, 4, 1, 1, 3);
    }

    GroupBox2 = named(new QGroupBox(QStringLiteral("TR/TD"), this), "GroupBox2");
    {
        auto *g = new QGridLayout(GroupBox2);
        g->setColumnStretch(1, 1);
        g->setColumnStretch(3, 1);
        g->setColumnMinimumWidth(2, 80);
        EditWidth = edit(GroupBox2, "EditWidth", d.EditWidth);
        Label9 = caption(GroupBox2, "Label9", "Width", EditWidth);
        place(g, 0, Label9, EditWidth);
        EditHeight = edit(GroupBox2, "EditHeight", d.EditHeight);
        Label10 = caption(GroupBox2, "Label10", "Height", EditHeight);
        place(g, 1, Label10, EditHeight);
        ComboBox2 = combo(GroupBox2, "ComboBox2",
                          {QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right"),
                           QStringLiteral("justify")},
                          d.ComboBox2);
        Label11 = caption(GroupBox2, "Label11", "Align", ComboBox2);
        place(g, 2, Label11, ComboBox2);
        ComboBox3 = combo(GroupBox2, "ComboBox3",
                          {QStringLiteral("top"), QStringLiteral("middle"), QStringLiteral("bottom"),
                           QStringLiteral("baseline")},
                          d.ComboBox3);
        Label12 = caption(GroupBox2, "Label12", "Valign", ComboBox3);
        place(g, 3, Label12, ComboBox3);
        EditColor = edit(GroupBox2, "EditColor", d.EditColor);
        Button1 = colorButton(GroupBox2, "Button1");
        Panel1 = named(new ColorSwatch(GroupBox2), "Panel1");
        auto *colorRow = new QHBoxLayout;
        colorRow->addWidget(EditColor, 1);
        colorRow->addWidget(Panel1);
        g->addWidget(Button1, 2, 0);
        g->addLayout(colorRow, 2, 1, 1, 3);
        EditColspan = edit(GroupBox2, "EditColspan", d.EditColspan);
        Label13 = caption(GroupBox2, "Label13", "Colspan", EditColspan);
        EditRowspan = edit(GroupBox2, "EditRowspan", d.EditRowspan);
        Label14 = caption(GroupBox2, "Label14", "Rowspan", EditRowspan);
        g->addWidget(Label13, 3, 0);
        g->addWidget(EditColspan, 3, 1);
        g->addWidget(Label14, 3, 2);
        g->addWidget(EditRowspan, 3, 3);
    }

    CheckBoxBehind = named(new QCheckBox(this), "CheckBoxBehind");
    CheckBoxBehind->setChecked(true);

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CheckBoxBehind);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *main = new QVBoxLayout(this);
    main->addWidget(GroupBox1);
    main->addWidget(GroupBox2);
    main->addStretch(1);
    main->addLayout(buttons);

    // Keys move through the fields in the order of the table text.
    QWidget *order[] = {EditZeile, EditSpalte, EditBreite, EditHoehe, EditBorder, EditPadding, EditSpacing,
                        ComboBox1, EditFarbe, Button2, EditWidth, EditHeight, ComboBox2, ComboBox3,
                        EditColor, Button1, EditColspan, EditRowspan, CheckBoxBehind, BitBtn1, BitBtn2};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormTable::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button2, &QPushButton::clicked, this, [this] { chooseColor(EditFarbe, Panel2); });
    connect(Button1, &QPushButton::clicked, this, [this] { chooseColor(EditColor, Panel1); });
    FormShow();
}

TableFields TFormTable::fields() const
{
    TableFields f;
    f.EditZeile = EditZeile->text();
    f.EditSpalte = EditSpalte->text();
    f.EditBreite = EditBreite->text();
    f.EditHoehe = EditHoehe->text();
    f.EditBorder = EditBorder->text();
    f.EditPadding = EditPadding->text();
    f.EditSpacing = EditSpacing->text();
    f.ComboBox1 = ComboBox1->currentText();
    f.EditFarbe = EditFarbe->text();
    f.EditWidth = EditWidth->text();
    f.EditHeight = EditHeight->text();
    f.ComboBox2 = ComboBox2->currentText();
    f.ComboBox3 = ComboBox3->currentText();
    f.EditColor = EditColor->text();
    f.EditColspan = EditColspan->text();
    f.EditRowspan = EditRowspan->text();
    return f;
}

void TFormTable::setFields(const TableFields &f)
{
    auto set = [](QLineEdit *e, const QString &t) {
        if (e->text() != t)
            e->setText(t);
    };
    set(EditZeile, f.EditZeile);
    set(EditSpalte, f.EditSpalte);
    set(EditBorder, f.EditBorder);
    set(EditPadding, f.EditPadding);
    set(EditSpacing, f.EditSpacing);
    set(EditColspan, f.EditColspan);
    set(EditRowspan, f.EditRowspan);
}

void TFormTable::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormTable::FormShow()
{
    const bool en = TLanguage != 0;
    const TableTexts t = tableTexts(en);
    setWindowTitle(t.caption);
    auto hint = [en](QWidget *w, const char *english, const char *german) {
        w->setToolTip(dlg::text(en, english, german));
    };
    hint(Label1, "Table rows (TR)", "Tabellenzeilen (TR)");
    hint(Label2, "Table data/cells (TD)", "Tabellenzellen (TD)");
    hint(Label3, "Table width", "Tabellenbreite");
    hint(Label4, "Table height", "Tabellenhöhe");
    hint(Label5, "Table border width", "Rahmenstärke");
    hint(Label6, "Cellpadding", "Zellenzwischenraum");
    hint(Label7, "Cellspacing", "Zellenabstand");
    hint(Label8, "Ausrichtung", "Ausrichtung");
    hint(Label9, "Width", "Breite");
    hint(Label10, "Height", "Höhe");
    hint(Label11, "Alignment", "Ausrichtung");
    hint(Label12, "Vertical Alignment", "Vertikale Ausrichtung");
    hint(Button1, "Choose background color", "Hintergrungfarbe wählen");
    hint(Label13, "Colspan", "Spaltenbereich");
    hint(Label14, "Rowspan", "Zeilenbereich");
    CheckBoxBehind->setText(t.behind);
    BitBtn2->setText(t.cancel);
    Tabelle.clear();

    // New tables never carry spans.
    const bool spans = !NewTable;
    for (QWidget *w : {static_cast<QWidget *>(EditColspan), static_cast<QWidget *>(EditRowspan),
                       static_cast<QWidget *>(Label13), static_cast<QWidget *>(Label14),
                       static_cast<QWidget *>(CheckBoxBehind)})
        w->setEnabled(spans);

    Panel2->setColorValue(std::nullopt);
    Panel1->setColorValue(std::nullopt);
    for (auto [field, panel] : {std::pair{EditFarbe, Panel2}, std::pair{EditColor, Panel1}}) {
        if (sx::isBlank(field->text()))
            continue;
        const qint64 c = sx::HtmlColorToColor(field->text());
        if (c >= 0)
            panel->setColorValue(quint32(c));
    }
    EditZeile->setFocus();
}

void TFormTable::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 150);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormTable::chooseColor(QLineEdit *field, ColorSwatch *swatchPanel)
{
    TMainForm *form = dlg::mainFormOf(this);
    if (!form)
        return;
    quint32 color = m_lastColor;
    if (!form->prompts().chooseColor(color))
        return;
    m_lastColor = color;
    swatchPanel->setColorValue(color);
    field->setText(sx::Color2HTML(color));
}

void TFormTable::BitBtn1Click()
{
    TableFields f = fields();
    validateTable(f);
    setFields(f);
    if (tableLength(f) > kMaxTableLength) {
        if (TMainForm *form = dlg::mainFormOf(this))
            form->prompts().message(MsgKind::Error, QStringLiteral("Sorvex"),
                                    tableTexts(TLanguage != 0).tooLarge.arg(f.EditZeile, f.EditSpalte), Btn::OK);
        return;
    }
    Tabelle = buildTable(f);
    accept();
}

// ---------------------------------------------------------------------------------------
// The new-table command.

SORVEX_HANDLER(Table1Click)
{
    auto *d = form.dialogAs<TFormTable>(QStringLiteral("TFormTable"));
    if (!d)
        return;
    EditorBuffer &b = form.buffer();
    b.setSelLength(0);
    d->TLanguage = form.InterfaceLanguage;
    d->NewTable = true;
    form.execDialog(d);
    if (!sx::isBlank(d->Tabelle))
        b.setSelText(sx::lowerAscii(d->Tabelle));
}

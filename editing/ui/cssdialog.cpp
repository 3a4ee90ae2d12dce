#include "editing/ui/cssdialog.h"

#include "app/ui/dialogkit.h"
#include "app/ui/icons.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/htmlcolor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

SORVEX_DIALOG(TFormCss, TFormCss);

using dlg::named;

namespace {

// One group: a grid of label, field (stretching), colour button and swatch.
class Rows
{
public:
    explicit Rows(QGroupBox *box) : m_box(box), m_grid(new QGridLayout(box))
    {
        m_grid->setColumnStretch(1, 1);
        m_grid->setHorizontalSpacing(6);
        m_grid->setVerticalSpacing(4);
    }
    template <class W> W *add(const char *caption, W *field, const char *after = nullptr)
    {
        auto *l = new QLabel(QString::fromUtf8(caption), m_box);
        l->setBuddy(field);
        m_grid->addWidget(l, m_row, 0);
        if (after) {
            m_grid->addWidget(field, m_row, 1, 1, 2);
            m_grid->addWidget(new QLabel(QString::fromUtf8(after), m_box), m_row, 3);
        } else {
            m_grid->addWidget(field, m_row, 1, 1, 3);
        }
        ++m_row;
        return field;
    }
    void addColor(const char *caption, QLineEdit *field, QPushButton *button, ColorSwatch *swatch)
    {
        auto *l = new QLabel(QString::fromUtf8(caption), m_box);
        l->setBuddy(field);
        m_grid->addWidget(l, m_row, 0);
        m_grid->addWidget(field, m_row, 1);
        m_grid->addWidget(button, m_row, 2);
        m_grid->addWidget(swatch, m_row, 3);
        ++m_row;
    }
    void finish() { m_grid->setRowStretch(m_row, 1); }

private:
    QGroupBox *m_box;
    QGridLayout *m_grid;
    int m_row = 0;
};

QComboBox *combo(QWidget *parent, const char *name, const QStringList &items)
{
    auto *c = named(new QComboBox(parent), name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setCurrentIndex(-1);
    c->setEditText(QString());
    c->setMinimumContentsLength(12);
    return c;
}

QLineEdit *edit(QWidget *parent, const char *name, const QString &text = QString())
{
    auto *e = named(new QLineEdit(text, parent), name);
    e->setMinimumWidth(120);
    return e;
}

QPushButton *colorButton(QWidget *parent, const char *name)
{
    auto *b = named(new QPushButton(parent), name);
    b->setIcon(commandIcon(QStringLiteral("DialogColor")));
    b->setAutoDefault(false);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return b;
}

ColorSwatch *swatch(QWidget *parent, const char *name) { return named(new ColorSwatch(parent), name); }

} // namespace

TFormCss::TFormCss(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("CSS "));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);
    const CssFields d; // the start-up contents

    // The selector.
    auto *selector = new QWidget(this);
    auto *selectorRow = new QHBoxLayout(selector);
    selectorRow->setContentsMargins(0, 0, 0, 0);
    RadioButton1 = named(new QRadioButton(QStringLiteral("Class"), selector), "RadioButton1");
    RadioButton1->setChecked(true);
    RadioButton2 = named(new QRadioButton(QStringLiteral("ID"), selector), "RadioButton2");
    EditClass = edit(selector, "EditClass", d.EditClass);
    selectorRow->addWidget(RadioButton1);
    selectorRow->addWidget(RadioButton2);
    selectorRow->addWidget(EditClass, 1);

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    {
        Rows r(GroupBox1);
        ComboBoxPosition = r.add("position:", combo(GroupBox1, "ComboBoxPosition",
                                                    {"absolute", "relative", "static", "fixed"}));
        EditTop = r.add("top:", edit(GroupBox1, "EditTop"));
        EditLeft = r.add("left:", edit(GroupBox1, "EditLeft"));
        EditWidth = r.add("width:", edit(GroupBox1, "EditWidth"));
        EditMargin = r.add("margin:", edit(GroupBox1, "EditMargin"));
        r.finish();
    }
    GroupBox4 = named(new QGroupBox(this), "GroupBox4");
    {
        Rows r(GroupBox4);
        EditBorder = r.add("border-width:", combo(GroupBox4, "EditBorder", {"thin", "medium", "thick"}));
        EditBColor = edit(GroupBox4, "EditBColor");
        BitBtn5 = colorButton(GroupBox4, "BitBtn5");
        Panel3 = swatch(GroupBox4, "Panel3");
        r.addColor("border-color:", EditBColor, BitBtn5, Panel3);
        ComboBStyle = r.add("border-style:", combo(GroupBox4, "ComboBStyle",
                                                   {"solid", "dashed", "dotted", "double", "groove", "ridge",
                                                    "inset", "outset", "none", "hidden", ""}));
        EditPadding = r.add("padding:", edit(GroupBox4, "EditPadding"));
        r.finish();
    }
    GroupBox3 = named(new QGroupBox(this), "GroupBox3");
    {
        Rows r(GroupBox3);
        EditFont = r.add("font-family:", edit(GroupBox3, "EditFont", d.EditFont));
        EditFontSize = r.add("font-size:", edit(GroupBox3, "EditFontSize", d.EditFontSize));
        ComboBoxWeight = r.add("font-weight:", combo(GroupBox3, "ComboBoxWeight",
                                                     {"light", "lighter", "normal", "bold", "bolder"}));
        ComboBoxStyle = r.add("font-style:", combo(GroupBox3, "ComboBoxStyle", {"normal", "italic", "oblique"}));
        EditFColor = edit(GroupBox3, "EditFColor");
        BitBtn4 = colorButton(GroupBox3, "BitBtn4");
        Panel2 = swatch(GroupBox3, "Panel2");
        r.addColor("color", EditFColor, BitBtn4, Panel2);
        ComboBox1 = r.add("text-decoration:", combo(GroupBox3, "ComboBox1",
                                                    {"none", "underline", "overline", "line-through", "blink"}));
        ComboBox2 = r.add("text-align:", combo(GroupBox3, "ComboBox2", {"left", "right", "center", "justify"}));
        r.finish();
    }
    GroupBox2 = named(new QGroupBox(this), "GroupBox2");
    {
        Rows r(GroupBox2);
        EditBackUrl = r.add("background-image:url(", edit(GroupBox2, "EditBackUrl"), ")");
        ComboRepeat = r.add("background-repeat", combo(GroupBox2, "ComboRepeat",
                                                       {"no-repeat", "repeat", "repeat-x", "repeat-y"}));
        ComboPosition = r.add("background-position", combo(GroupBox2, "ComboPosition",
                                                           {"bottom", "center", "left", "right", "top"}));
        ComboAttach = r.add("background-attachment", combo(GroupBox2, "ComboAttach", {"fixed", "scroll"}));
        EditBgColor = edit(GroupBox2, "EditBgColor");
        BitBtn3 = colorButton(GroupBox2, "BitBtn3");
        Panel1 = swatch(GroupBox2, "Panel1");
        r.addColor("background-color", EditBgColor, BitBtn3, Panel1);
        r.finish();
    }
    GroupBox5 = named(new QGroupBox(QStringLiteral("Links"), this), "GroupBox5");
    {
        auto *grid = new QGridLayout(GroupBox5);
        grid->setColumnStretch(1, 1);
        grid->setVerticalSpacing(4);
        CheckBox1 = named(new QCheckBox(GroupBox5), "CheckBox1");
        grid->addWidget(CheckBox1, 0, 0, 1, 2);
        const struct {
            QLineEdit **field;
            const char *name, *caption;
            const QString &text;
        } links[] = {
            {&Edit1, "Edit1", "a:link", d.Edit1},       {&Edit2, "Edit2", "a:visited", d.Edit2},
            {&Edit3, "Edit3", "a:focus", d.Edit3},      {&Edit4, "Edit4", "a:hover", d.Edit4},
            {&Edit5, "Edit5", "a:active", d.Edit5},
        };
        int row = 1;
        for (const auto &l : links) {
            *l.field = edit(GroupBox5, l.name, l.text);
            auto *label = new QLabel(QString::fromLatin1(l.caption), GroupBox5);
            label->setBuddy(*l.field);
            grid->addWidget(label, row, 0);
            grid->addWidget(*l.field, row, 1);
            ++row;
        }
    }

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *grid = new QGridLayout(this);
    grid->addWidget(selector, 0, 0, 1, 2);
    grid->addWidget(GroupBox1, 1, 0);
    grid->addWidget(GroupBox4, 1, 1);
    grid->addWidget(GroupBox3, 2, 0);
    grid->addWidget(GroupBox2, 2, 1);
    grid->addWidget(GroupBox5, 3, 0, 1, 2);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormCss::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn4, &QPushButton::clicked, this, [this] { chooseColor(EditFColor, Panel2); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { chooseColor(EditBgColor, Panel1); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { chooseColor(EditBColor, Panel3); });
    FormShow();
}

CssFields TFormCss::fields() const
{
    CssFields f;
    f.OneLine = OneLine;
    f.EditClass = EditClass->text();
    f.idSelected = RadioButton2->isChecked();
    f.ComboBoxPosition = ComboBoxPosition->currentText();
    f.EditTop = EditTop->text();
    f.EditLeft = EditLeft->text();
    f.EditWidth = EditWidth->text();
    f.EditMargin = EditMargin->text();
    f.EditBorder = EditBorder->currentText();
    f.EditBColor = EditBColor->text();
    f.ComboBStyle = ComboBStyle->currentText();
    f.EditPadding = EditPadding->text();
    f.EditFont = EditFont->text();
    f.EditFontSize = EditFontSize->text();
    f.ComboBoxWeight = ComboBoxWeight->currentText();
    f.ComboBoxStyle = ComboBoxStyle->currentText();
    f.EditFColor = EditFColor->text();
    f.ComboBox1 = ComboBox1->currentText();
    f.ComboBox2 = ComboBox2->currentText();
    f.EditBackUrl = EditBackUrl->text();
    f.ComboRepeat = ComboRepeat->currentText();
    f.ComboPosition = ComboPosition->currentText();
    f.ComboAttach = ComboAttach->currentText();
    f.EditBgColor = EditBgColor->text();
    f.CheckBox1 = CheckBox1->isChecked();
    f.Edit1 = Edit1->text();
    f.Edit2 = Edit2->text();
    f.Edit3 = Edit3->text();
    f.Edit4 = Edit4->text();
    f.Edit5 = Edit5->text();
    return f;
}

void TFormCss::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormCss::FormShow()
{
    CheckBox1->setChecked(false);
    MyStyle.clear();
    EditFColor->clear();
    EditBgColor->clear();
    EditBColor->clear();
    for (ColorSwatch *s : {Panel1, Panel2, Panel3})
        s->setColorValue(std::nullopt);
    const bool en = Sprache;
    GroupBox1->setTitle(dlg::text(en, "Misc/Position", "Verschiedenes/Position"));
    GroupBox2->setTitle(dlg::text(en, "Background", "Hintergrund"));
    GroupBox3->setTitle(dlg::text(en, "Font", "Schrift"));
    GroupBox4->setTitle(dlg::text(en, "Border", "Rahmen"));
    BitBtn2->setText(dlg::text(en, "Cancel", "Abbrechen"));
    CheckBox1->setText(dlg::text(en, "Use link styles", "Link Styles verwenden"));
}

void TFormCss::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 140);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormCss::chooseColor(QLineEdit *field, ColorSwatch *swatchPanel)
{
    TMainForm *form = dlg::mainFormOf(this);
    if (!form)
        return;
    quint32 color = m_lastColor;
    if (!form->prompts().chooseColor(color))
        return;
    m_lastColor = color;
    field->setText(sx::Color2HTML(color));
    swatchPanel->setColorValue(color);
}

void TFormCss::BitBtn1Click()
{
    const CssResult r = buildCssStyle(fields());
    if (EditClass->text() != r.EditClass)
        EditClass->setText(r.EditClass);
    MyStyle = r.MyStyle;
    accept();
}

// ---------------------------------------------------------------------------------------
// The style command.

SORVEX_HANDLER(Font2Click)
{
    auto *d = form.dialogAs<TFormCss>(QStringLiteral("TFormCss"));
    if (!d)
        return;
    d->Sprache = form.InterfaceLanguage != 0;
    d->OneLine = false;
    form.execDialog(d);
    InsertStyleBlock(form.buffer(), d->MyStyle);
}

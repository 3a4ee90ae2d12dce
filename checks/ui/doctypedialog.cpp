#include "checks/ui/doctypedialog.h"

#include "app/ui/mainform.h"
#include "checks/doctype.h"
#include "editing/editorbuffer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

SORVEX_DIALOG(TFormDocType, TFormDocType);

namespace {

QList<QRadioButton *> radioItems(QGroupBox *group, const QStringList &texts)
{
    QList<QRadioButton *> items;
    for (int i = 0; i < texts.size(); ++i) {
        auto *b = new QRadioButton(texts[i], group);
        b->setGeometry(12, 22 + i * 24, group->width() - 20, 20);
        items.append(b);
    }
    return items;
}

int checkedIndex(const QList<QRadioButton *> &items)
{
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

} // namespace

TFormDocType::TFormDocType(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("DocType"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(12, 10, 316, 44);

    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(12, 60, 150, 104);
    documentItems = radioItems(RadioGroup1, {QStringLiteral("HTML 4"), QStringLiteral("XHTML"), QStringLiteral("HTML 5")});

    RadioGroup2 = new QGroupBox(this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(178, 60, 150, 104);
    variantItems =
        radioItems(RadioGroup2, {QStringLiteral("Transitional"), QStringLiteral("Strict"), QStringLiteral("Frameset")});
    documentItems[0]->setChecked(true);
    variantItems[0]->setChecked(true);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(150, 178, 84, 26);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(244, 178, 84, 26);
    BitBtn2->setAutoDefault(false);

    setFixedSize(340, 216);

    for (QRadioButton *b : documentItems)
        connect(b, &QRadioButton::toggled, this, [this] { RadioGroup1Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TFormDocType::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormDocType::BitBtn2Click);
}

int TFormDocType::documentIndex() const { return checkedIndex(documentItems); }
int TFormDocType::variantIndex() const { return checkedIndex(variantItems); }

void TFormDocType::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormDocType::FormShow()
{
    TypNr = -1;
    documentItems[0]->setChecked(true);
    variantItems[0]->setChecked(true);
    RadioGroup1Click();
    const bool en = Language != 0;
    Label1->setText(en ? QStringLiteral("If you are not familiar with DocType specifications use the default setting.")
                       : QStringLiteral("Wenn Sie sich nicht mit den DocType Spezifikationen auskennen, verwenden Sie "
                                        "die Voreinstellungen."));
    RadioGroup1->setTitle(en ? QStringLiteral("Document") : QStringLiteral("Dokument"));
    RadioGroup2->setTitle(en ? QStringLiteral("Specification") : QStringLiteral("Spezifikation"));
    BitBtn2->setText(en ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
    if (QWidget *p = parentWidget())
        move(p->geometry().center() - QPoint(width() / 2, height() / 2));
}

void TFormDocType::RadioGroup1Click()
{
    const int i = documentIndex();
    RadioGroup2->setVisible(i == 0 || i == 1);
}

void TFormDocType::BitBtn1Click()
{
    const sx::DoctypeChoice c = sx::DoctypeChoiceFor(documentIndex(), variantIndex());
    TypNr = c.TypNr;
    DType = c.DType;
    accept();
}

void TFormDocType::BitBtn2Click() { reject(); }

void TFormDocType::done(int result)
{
    // Cancel, Escape and the title-bar button all leave no choice behind.
    if (result != QDialog::Accepted)
        DType = 0;
    QDialog::done(result);
}

// ---------------------------------------------------------------------------------------
// The Doctype command: the page's declaration, html start tag and compatibility meta
// element follow the chosen kind, in one edit.

SORVEX_HANDLER(Doctype1Click)
{
    TFormDocType *d = form.dialogAs<TFormDocType>(QStringLiteral("TFormDocType"));
    if (!d)
        return;
    d->Language = form.InterfaceLanguage;
    if (form.execDialog(d) != QDialog::Accepted)
        return;
    EditorBuffer &b = form.buffer();
    const sx::DoctypeEdit e = sx::ApplyDoctype(b.text(), {d->TypNr, d->DType});
    b.setText(e.text);
    if (e.askForCodeCheck)
        form.prompts().message(MsgKind::Information, QStringLiteral("Sorvex"),
                               sx::DoctypeCodeCheckMessage(form.InterfaceLanguage), Btn::OK);
}

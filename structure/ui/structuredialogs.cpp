#include "structure/ui/structuredialogs.h"

#include "app/platform.h"
#include "app/ui/mainform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

// ---------------------------------------------------------------------------------------
// TFormInsTR: before or behind the current row or cell.

TFormInsTR::TFormInsTR(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("TR/TD"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto button = [this](const char *name) {
        QPushButton *b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(190);
        return b;
    };
    BitBtn2 = button("BitBtn2");
    BitBtn1 = button("BitBtn1");
    BitBtn4 = button("BitBtn4");
    BitBtn3 = button("BitBtn3");

    QVBoxLayout *box = new QVBoxLayout(this);
    box->addWidget(Label1);
    box->addWidget(BitBtn2);
    box->addWidget(BitBtn1);
    box->addWidget(BitBtn4);
    box->addWidget(BitBtn3);
    box->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        Vor = 0;
        accept();
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        Vor = 1;
        accept();
    });
    connect(BitBtn4, &QPushButton::clicked, this, [this] {
        Vor = -1;
        accept();
    });
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        Abbruch = true;
        reject();
    });
}

void TFormInsTR::showEvent(QShowEvent *e)
{
    Vor = -1;
    Abbruch = false;
    const bool en = Sprache != 0;
    Label1->setText(en ? QStringLiteral("Insert TR/TD ...") : QStringLiteral("TR/TD einfügen..."));
    BitBtn2->setText(en ? QStringLiteral("Before current position") : QStringLiteral("Vor akt. Position"));
    BitBtn1->setText(en ? QStringLiteral("Behind current position") : QStringLiteral("Nach akt. Position"));
    BitBtn4->setText(en ? QStringLiteral("End of table") : QStringLiteral("Ende Tabelle"));
    BitBtn3->setText(en ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
    QDialog::showEvent(e);
}

void TFormInsTR::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        // Escape is the Cancel button.
        BitBtn3->click();
        return;
    }
    if (e->key() == Qt::Key_F1) {
        if (auto *form = qobject_cast<TMainForm *>(parentWidget()))
            form->platform().showHelp(form->helpFile, 150);
        return;
    }
    QDialog::keyPressEvent(e);
}

// ---------------------------------------------------------------------------------------
// TFormBlock: select a div or a span.

TFormBlock::TFormBlock(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QString());
    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    ItemDiv = new QRadioButton(QStringLiteral("<div>"), RadioGroup1);
    ItemSpan = new QRadioButton(QStringLiteral("<span>"), RadioGroup1);
    ItemDiv->setChecked(true);
    QGridLayout *grid = new QGridLayout(RadioGroup1);
    grid->addWidget(ItemDiv, 0, 0);
    grid->addWidget(ItemSpan, 0, 1);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    QHBoxLayout *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    QVBoxLayout *box = new QVBoxLayout(this);
    box->addWidget(RadioGroup1);
    box->addLayout(buttons);
    // A fixed dialog border: the window keeps the size of its contents.
    box->setSizeConstraint(QLayout::SetFixedSize);
}

int TFormBlock::ItemIndex() const { return ItemSpan->isChecked() ? 1 : 0; }

void TFormBlock::showEvent(QShowEvent *e)
{
    const bool en = Sprache != 0;
    RadioGroup1->setTitle(en ? QStringLiteral("Select") : QStringLiteral("Auswählen"));
    BitBtn2->setText(en ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
    QDialog::showEvent(e);
}

SORVEX_DIALOG(TFormInsTR, TFormInsTR);
SORVEX_DIALOG(TFormBlock, TFormBlock);

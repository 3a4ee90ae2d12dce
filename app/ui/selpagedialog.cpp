#include "app/ui/selpagedialog.h"

#include "app/ui/registry.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

SORVEX_DIALOG(TFormSelPage, TFormSelPage);

TFormSelPage::TFormSelPage(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("New"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);

    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(12, 10, 196, 80);
    for (int i = 0; i < 2; ++i) {
        auto *b = new QRadioButton(RadioGroup1);
        b->setGeometry(12, 22 + i * 24, 176, 20);
        items.append(b);
    }
    items[0]->setChecked(true);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(12, 102, 92, 26);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(116, 102, 92, 26);
    BitBtn2->setAutoDefault(false);
    setFixedSize(220, 140);

    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

int TFormSelPage::pageKind() const { return items[1]->isChecked() ? 1 : 0; }

void TFormSelPage::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    const bool en = Language != 0;
    setWindowTitle(en ? QStringLiteral("New") : QStringLiteral("Neu"));
    RadioGroup1->setTitle(en ? QStringLiteral("HTML page") : QStringLiteral("HTML Seite"));
    items[0]->setText(en ? QStringLiteral("Default") : QStringLiteral("Standard"));
    items[1]->setText(QStringLiteral("Mobile"));
    BitBtn2->setText(en ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
    if (QWidget *p = parentWidget())
        move(p->geometry().center() - QPoint(width() / 2, height() / 2));
}

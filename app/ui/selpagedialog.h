// The page-kind dialog of New: a standard page or a page for mobile devices. It keeps
// the last choice between uses.
#pragma once

#include <QDialog>
#include <QList>

class QGroupBox;
class QPushButton;
class QRadioButton;

class TFormSelPage : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSelPage(QWidget *parent = nullptr);

    // Set by the caller before showing: non-zero selects English.
    int Language = 0;

    QGroupBox *RadioGroup1;
    QList<QRadioButton *> items;
    QPushButton *BitBtn1, *BitBtn2;

    // 0 standard, 1 mobile.
    int pageKind() const;

protected:
    void showEvent(QShowEvent *e) override;
};

// The two small dialogs of the structure commands: the position chooser of the row and
// cell inserts (TFormInsTR) and the div/span chooser of the select command (TFormBlock).
// Both are created once at start-up and keep their state for the whole run; their texts
// follow the language field the caller sets before showing them.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TFormInsTR : public QDialog
{
    Q_OBJECT
public:
    explicit TFormInsTR(QWidget *parent = nullptr);

    int Sprache = 0;      // interface language; non-zero is English
    int Vor = -1;         // -1 nothing chosen, 0 before the current position, 1 behind it
    bool Abbruch = false; // Cancel was pressed

    QLabel *Label1;
    QPushButton *BitBtn2; // before
    QPushButton *BitBtn1; // behind
    QPushButton *BitBtn4; // end of table
    QPushButton *BitBtn3; // cancel

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

class TFormBlock : public QDialog
{
    Q_OBJECT
public:
    explicit TFormBlock(QWidget *parent = nullptr);

    int Sprache = 0; // interface language; non-zero is English

    // The chosen item: 0 "<div>", 1 "<span>".
    int ItemIndex() const;

    QGroupBox *RadioGroup1;
    QRadioButton *ItemDiv;
    QRadioButton *ItemSpan;
    QPushButton *BitBtn1; // OK
    QPushButton *BitBtn2; // Cancel

protected:
    void showEvent(QShowEvent *e) override;
};

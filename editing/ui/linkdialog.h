// The link dialog: a web link, a mail link, an in-page anchor with its target, or a link
// whose address is written as typed.
#pragma once

#include "editing/link.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFormSettings : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSettings(QWidget *parent = nullptr);

    // Set by the command: the kind to preselect and the language (true: English). Read
    // afterwards: the element, empty unless OK built one.
    int LinkTyp = 0;
    bool DLanguage = false;
    QString LinkStart;

    LinkKind kind() const;
    LinkFields fields() const;

    // The kind buttons' actions.
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();

    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit *EditName, *EditColor, *EditMyTitle;
    QComboBox *ComboBox1;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void runKindAction(LinkKind kind);
};

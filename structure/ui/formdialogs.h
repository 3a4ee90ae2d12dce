// The form dialog (a whole form with sample controls) and the input dialog (one control
// of 24 types or a text area). Both are created once and keep their fields for the run.
#pragma once

#include "structure/forms.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFormFormular : public QDialog
{
    Q_OBJECT
public:
    explicit TFormFormular(QWidget *parent = nullptr);

    int Sprache = 0;  // interface language, nonzero English
    QString FormCode; // the form OK built; emptied on every showing

    FormFields fields() const;

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QLineEdit *EditName, *EditAction;
    QComboBox *Method, *EncType;
    QLineEdit *EditSubmit;
    QCheckBox *CheckSubmit, *CheckReset, *CheckInput, *CheckUpload;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void CheckUploadClick(bool ticked);
    void MakeForm();
};

class TFormInput : public QDialog
{
    Q_OBJECT
public:
    explicit TFormInput(QWidget *parent = nullptr);

    int Sprache = 0;
    int InpTyp = 0;        // the type list position preselected on showing
    bool NotInput = false; // "button" writes a button element
    int SelType = -1;      // the position of the type chosen last, -1 when none
    QString HTMCode;       // the control OK built

    InputFields fields() const;

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    QLineEdit *EditName, *EditSize, *EditLength;
    QComboBox *ComboBoxType;
    QLineEdit *EditValue, *EditClick, *EditImage;
    QPushButton *BitBtn1; // browse for the button graphics
    QPushButton *BitBtn2, *BitBtn3;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void ComboBoxTypeChange();
    void ComboBoxTypeEdited(const QString &text);
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
};

// The object dialog: an object element for embedded content from four presets, the
// attribute fields (named by their labels) and a list of parameter lines.
#pragma once

#include "structure/object.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TFormObject : public QDialog
{
    Q_OBJECT
public:
    explicit TFormObject(QWidget *parent = nullptr);

    int Sprache = 0;   // interface language, nonzero English
    QString ObjectTag; // the element OK built; emptied on showing and by Cancel

    ObjectFields fields() const;

    QLabel *Label7, *Label12;
    QComboBox *ComboBox1, *ComboBox2;
    QLabel *Label1, *Label2, *Label11, *Label8, *Label10, *Label3, *Label4, *Label5, *Label6, *Label9;
    QLineEdit *EditClass, *EditCode, *EditName, *EditMap, *EditBorder, *EditWidth, *EditHeight;
    QLineEdit *EditPName, *EditPValue;
    QPushButton *ButtonAdd;
    QPlainTextEdit *Memo1;
    QPushButton *Button1;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void clearFields();
    void ComboBox1Change();
    void ComboBox2Change();
    void ButtonAddClick();
    void BitBtn1Click();
    void BitBtn2Click();
    QString memoText() const;
    void setMemoText(const QString &text);
};

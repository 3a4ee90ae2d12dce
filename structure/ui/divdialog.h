// The div and span dialog: the start tag of a div or span element from a class, an id, a
// style and a text alignment, and the look-up of the page's own style rules.
#pragma once

#include "structure/divspan.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TFormDIV : public QDialog
{
    Q_OBJECT
public:
    explicit TFormDIV(QWidget *parent = nullptr);

    // Set by the caller: the language (nonzero: English), the element (0 div, 1 span), and
    // whether OK only closes. Read afterwards: the start tag, empty unless OK built one.
    int Sprache = 0;
    int Typ = 0;
    bool InfoOnly = false;
    QString HtmlCode;

    DivFields fields() const;

    QLabel *TagName;
    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Edit1;
    QToolButton *SpeedButton2;
    QLineEdit *Edit2;
    QToolButton *SpeedButton1;
    QComboBox *ComboBox1;
    QPushButton *Button1;
    QLineEdit *Edit3;
    QToolButton *BitBtn3;
    QPushButton *BitBtn1, *BitBtn2;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void BitBtn1Click();
    void Button1Click();
    void lookUp(QLineEdit *field, bool idRule);
    void clearFields();

    QString m_notFound;
};

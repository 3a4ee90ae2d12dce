// The style dialog: CSS properties in a form, written as a style element with one rule or
// as a one-line property list.
#pragma once

#include "editing/cssstyle.h"

#include <QDialog>

class ColorSwatch;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFormCss : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCss(QWidget *parent = nullptr);

    // Set by the caller: English captions, and a one-line property list instead of a style
    // element. Read afterwards: the text (empty unless OK was pressed).
    bool Sprache = false;
    bool OneLine = false;
    QString MyStyle;

    // The widgets' contents as the build function takes them.
    CssFields fields() const;

    QRadioButton *RadioButton1, *RadioButton2;
    QLineEdit *EditClass;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5;
    QComboBox *ComboBoxPosition;
    QLineEdit *EditTop, *EditLeft, *EditWidth, *EditMargin;
    QComboBox *EditBorder;
    QLineEdit *EditBColor;
    QPushButton *BitBtn5;
    ColorSwatch *Panel3;
    QComboBox *ComboBStyle;
    QLineEdit *EditPadding, *EditFont, *EditFontSize;
    QComboBox *ComboBoxWeight, *ComboBoxStyle;
    QLineEdit *EditFColor;
    QPushButton *BitBtn4;
    ColorSwatch *Panel2;
    QComboBox *ComboBox1, *ComboBox2;
    QLineEdit *EditBackUrl;
    QComboBox *ComboRepeat, *ComboPosition, *ComboAttach;
    QLineEdit *EditBgColor;
    QPushButton *BitBtn3;
    ColorSwatch *Panel1;
    QCheckBox *CheckBox1;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void BitBtn1Click();
    void chooseColor(QLineEdit *field, ColorSwatch *swatch);

    quint32 m_lastColor = 0; // the colour dialog opens on the colour of its last use
};

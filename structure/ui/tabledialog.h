// The new-table dialog: the size and attributes of a table, built into the table text.
#pragma once

#include "structure/newtable.h"

#include <QDialog>

class ColorSwatch;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFormTable : public QDialog
{
    Q_OBJECT
public:
    explicit TFormTable(QWidget *parent = nullptr);

    // Set by the command: the language (nonzero: English) and the mode (new tables: true).
    // Read afterwards: the table text, empty unless OK was pressed.
    int TLanguage = 0;
    bool NewTable = true;
    QString Tabelle;

    TableFields fields() const;
    void setFields(const TableFields &fields);

    QGroupBox *GroupBox1, *GroupBox2;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
    QLineEdit *EditZeile, *EditSpalte, *EditBreite, *EditHoehe, *EditBorder, *EditPadding, *EditSpacing;
    QComboBox *ComboBox1;
    QLineEdit *EditFarbe;
    QPushButton *Button2;
    ColorSwatch *Panel2;
    QLabel *Label9, *Label10, *Label11, *Label12, *Label13, *Label14;
    QLineEdit *EditWidth, *EditHeight;
    QComboBox *ComboBox2, *ComboBox3;
    QLineEdit *EditColor;
    QPushButton *Button1;
    ColorSwatch *Panel1;
    QLineEdit *EditColspan, *EditRowspan;
    QCheckBox *CheckBoxBehind;
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

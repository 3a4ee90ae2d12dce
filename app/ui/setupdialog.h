// The settings dialog TFormSetup: editor font size, charset of new pages, line numbers,
// the HTML colours, the FTP account, the external browser and the own web site. OK writes
// all twenty lines of "Html.ini".
#pragma once

#include "app/settingsfile.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TMainForm;

class TFormSetup : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSetup(QWidget *parent = nullptr);

    // Published fields.
    int PLanguage = 0;   // 0 German, other English
    QString IniPath;     // the settings folder, with its final separator
    QString Schrift;     // set from Edit1 on OK
    QString Sgroesse;    // set from Edit2 on OK

    // Filled by the command before the dialog is shown.
    void setColorFields(const quint32 (&colors)[HtmlColorCount]);
    void setEditorFont(const QString &family, int points);

    // The fields as the dialog holds them.
    SetupFields fields() const;

    QLineEdit *Edit1 = nullptr;
    QComboBox *Edit2 = nullptr;
    QComboBox *ComboISO = nullptr;
    QLabel *LabelIso = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QLineEdit *EditColor[HtmlColorCount] = {}; // EditIdentifier, EditParameter, EditValue, EditComment, EditAnd
    QLabel *Panel[HtmlColorCount] = {};        // Panel1 to Panel5
    QPushButton *ButtonColor[HtmlColorCount] = {};
    QLineEdit *EditUser = nullptr;
    QLineEdit *MaskEditPass = nullptr;
    QLineEdit *EditServer = nullptr;
    QLineEdit *EditClient = nullptr;
    QCheckBox *CheckAnonym = nullptr;
    QLineEdit *EditBrowser = nullptr;
    QLineEdit *EditMyUrl = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn4 = nullptr;
    QPushButton *BitBtn10 = nullptr;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    TMainForm *form() const;
    void applyTexts();
    void loadFromFile();
    void setFields(const SetupFields &f);
    void colorSwatches();
    void paintSwatch(int index, quint32 color);
    void paintSwatchFace(int index);
    void chooseColor(int index);
    void pickProgram(QLineEdit *target);
    void BitBtn1Click();

    QLabel *m_labels[16] = {};
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr;
    QString m_reserved[3];
    QString m_saveEncoding;
    QString m_pickerFolder;
};

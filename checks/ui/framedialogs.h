// The frameset dialog (a whole frameset page with 2, 3 or 4 frames, opened as a new
// document) and the inline-frame dialog. Both keep their fields for the whole run.
#pragma once

#include "checks/frames.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFormFrames : public QDialog
{
    Q_OBJECT
    // New reads the page from here when it is started by the frameset command.
    Q_PROPERTY(QString FrameSeite MEMBER FrameSeite)
public:
    explicit TFormFrames(QWidget *parent = nullptr);

    int Sprache = 0;    // interface language, nonzero English
    QString FrameSeite; // the page OK built; emptied on every showing

    FramesetFields fields() const;

    QLabel *Image1, *Image2, *Image3; // the three layouts
    QGroupBox *GroupBox1;             // "Typ"
    QRadioButton *Frames2, *Frames3, *Frames4;
    QGroupBox *GroupBox[4]; // GroupBox2 to GroupBox5
    QCheckBox *Noresize[4];
    QLabel *LabelHeight[4], *LabelWidth[4], *LabelScrolling[4];
    QLineEdit *EditHeight[4], *EditWidth[4];
    QComboBox *Scrolling[4];
    QPushButton *BtnSource[4];
    QLineEdit *Source[4];
    QCheckBox *Borders;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void BasicFrameset();
    void OpenSourceFile(int frame);

    QString m_noFrames;
};

class TFormIFrame : public QDialog
{
    Q_OBJECT
public:
    explicit TFormIFrame(QWidget *parent = nullptr);

    int Sprache = 0;
    QString iFrameSource; // the inline frame OK built; emptied on every showing

    IFrameFields fields() const;

    QGroupBox *GroupBox1;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit *EditName, *EditBreite, *EditHohe, *EditSource;
    QPushButton *BitBtn3; // browse for the source
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void MakeFrame();
    void BitBtn3Click();
};

// The special-character dialog: entity buttons for German and French letters and a few
// symbols, and a small sample editor whose selected character gives a numeric reference.
#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QsciScintilla;
class QWidget;

class TFormSpecial : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSpecial(QWidget *parent = nullptr);

    int Language = 0; // interface language, nonzero English
    QString sCode;    // the text to insert; emptied on every showing

    QWidget *ToolBar1;
    QList<QToolButton *> entityButtons;
    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *BitBtn3;
    QsciScintilla *SynMemo1;
    QPushButton *BitBtnOk, *BitBtn2;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void FormShow();
    void BitBtn3Click();
    void BitBtnOkClick();
};

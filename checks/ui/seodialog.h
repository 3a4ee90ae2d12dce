// The SEO check's window: one row per measure with a tick or a cross, two things to tick
// by hand, and the score as a percentage.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class TMainForm;

namespace sx {
struct SeoMeasures;
}

class TFormSEO : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSEO(QWidget *parent = nullptr);

    // Set by the caller before showing: non-zero selects English.
    int Language = 0;

    // Writes the measured numbers (a number not measured keeps its label's text) and
    // shows the tick or the cross of each row.
    void showMeasures(const sx::SeoMeasures &m);
    void SetSeoCaptions();
    void UpdateSeoScore();

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11,
        *Label12, *Label13, *LabelHttp;
    QLabel *LabelTitleL, *LabelTextL, *LabelDescL, *LabelLinks, *LabelExtern, *LabelProzent;
    QLabel *ImageTitle1, *ImageTitle2, *ImageText1, *ImageText2, *ImageDesc1, *ImageDesc2, *ImageContent1,
        *ImageContent2, *ImageKey1, *ImageKey2;
    QCheckBox *CheckBox1, *CheckBox2;
    QProgressBar *ProgressBar1;
    QPushButton *BitBtn1, *BitBtn2;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void FormShow();
    void FormClose();
    void CheckBox1Click();
};

// Measures the page, shows the window and, when it ends with Create META Tags or is
// closed, puts the placeholder meta elements behind the page's "</title>".
void RunSeoCheck(TMainForm &form);

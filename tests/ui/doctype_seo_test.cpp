// The document-type, page-kind and SEO windows against real widgets, and New with a
// frameset page.
#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "app/ui/selpagedialog.h"
#include "checks/seo.h"
#include "checks/ui/doctypedialog.h"
#include "checks/ui/seodialog.h"
#include "editing/editorbuffer.h"
#include "tests/ui/uifixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

class HelpPlatform : public StubPlatform
{
public:
    void showHelp(const QString &file, int topic) override
    {
        helpFile = file;
        helpTopic = topic;
    }
    QString helpFile;
    int helpTopic = -2;
};

// A main window whose dialogs are shown without a modal loop.
struct Windows {
    Windows()
    {
        form = createApplication(platform, prompts, {});
        form->show();
        QApplication::processEvents();
    }
    ~Windows() { delete form; }
    template <class T> T *dialog(const char *name) { return form->dialogAs<T>(QString::fromLatin1(name)); }
    HelpPlatform platform;
    StubPrompts prompts;
    TMainForm *form = nullptr;
};

void press(QWidget *w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

bool centredOn(QWidget *d, QWidget *form)
{
    return (d->geometry().center() - form->geometry().center()).manhattanLength() <= 2;
}

} // namespace

TEST(DocTypeWindow, ShowingStartsAtHtml4TransitionalAndOkGivesTheCode)
{
    Windows w;
    TFormDocType *d = w.dialog<TFormDocType>("TFormDocType");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "DocType");
    EXPECT_EQ(d->minimumSize(), d->maximumSize());
    const struct {
        int document, variant, typNr, dtype;
        bool variantShown;
    } cases[] = {
        {0, 0, 0, 1, true},   {0, 2, 0, 3, true},   {1, 0, 1, 11, true},
        {1, 1, 1, 12, true},  {2, 0, 2, 21, false}, {2, 2, 2, 23, false},
    };
    for (const auto &c : cases) {
        d->Language = 1;
        d->show();
        QApplication::processEvents();
        EXPECT_TRUE(centredOn(d, w.form));
        EXPECT_EQ(d->TypNr, -1);
        EXPECT_EQ(d->documentIndex(), 0);
        EXPECT_EQ(d->variantIndex(), 0);
        EXPECT_TRUE(d->RadioGroup2->isVisible());
        d->variantItems[c.variant]->click();
        d->documentItems[c.document]->click();
        EXPECT_EQ(d->RadioGroup2->isVisible(), c.variantShown);
        d->BitBtn1->click();
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Accepted);
        EXPECT_EQ(d->TypNr, c.typNr);
        EXPECT_EQ(d->DType, c.dtype);
    }
    // Cancel, Escape and the title-bar button leave the code 0.
    for (int way = 0; way < 3; ++way) {
        d->show();
        QApplication::processEvents();
        d->documentItems[1]->click();
        if (way == 0)
            d->BitBtn2->click();
        else if (way == 1)
            press(d, Qt::Key_Escape);
        else
            d->close();
        EXPECT_FALSE(d->isVisible()) << way;
        EXPECT_EQ(d->result(), QDialog::Rejected) << way;
        EXPECT_EQ(d->DType, 0) << way;
        EXPECT_EQ(d->TypNr, -1) << way;
    }
}

TEST(DocTypeWindow, TextsInBothLanguages)
{
    Windows w;
    TFormDocType *d = w.dialog<TFormDocType>("TFormDocType");
    d->Language = 0;
    d->show();
    QApplication::processEvents();
    EXPECT_EQ(d->Label1->text(), "Wenn Sie sich nicht mit den DocType Spezifikationen auskennen, verwenden Sie die "
                                 "Voreinstellungen.");
    EXPECT_TRUE(d->Label1->wordWrap());
    EXPECT_EQ(d->RadioGroup1->title(), "Dokument");
    EXPECT_EQ(d->RadioGroup2->title(), "Spezifikation");
    EXPECT_EQ(d->BitBtn1->text(), "OK");
    EXPECT_TRUE(d->BitBtn1->isDefault());
    EXPECT_EQ(d->BitBtn2->text(), "Abbrechen");
    d->hide();
    d->Language = 1;
    d->show();
    QApplication::processEvents();
    EXPECT_EQ(d->Label1->text(), "If you are not familiar with DocType specifications use the default setting.");
    EXPECT_EQ(d->RadioGroup1->title(), "Document");
    EXPECT_EQ(d->RadioGroup2->title(), "Specification");
    EXPECT_EQ(d->BitBtn2->text(), "Cancel");
    d->hide();
}

TEST(SelPageWindow, TextsAndTheChoiceIsKept)
{
    Windows w;
    TFormSelPage *d = w.dialog<TFormSelPage>("TFormSelPage");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->pageKind(), 0);
    d->Language = 0;
    d->show();
    QApplication::processEvents();
    EXPECT_TRUE(centredOn(d, w.form));
    EXPECT_EQ(d->windowTitle(), "Neu");
    EXPECT_EQ(d->RadioGroup1->title(), "HTML Seite");
    EXPECT_EQ(d->items[0]->text(), "Standard");
    EXPECT_EQ(d->items[1]->text(), "Mobile");
    EXPECT_EQ(d->BitBtn2->text(), "Abbrechen");
    EXPECT_TRUE(d->BitBtn1->isDefault());
    d->items[1]->click();
    d->BitBtn1->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    d->Language = 1;
    d->show();
    QApplication::processEvents();
    EXPECT_EQ(d->windowTitle(), "New");
    EXPECT_EQ(d->RadioGroup1->title(), "HTML page");
    EXPECT_EQ(d->items[0]->text(), "Default");
    EXPECT_EQ(d->BitBtn2->text(), "Cancel");
    EXPECT_EQ(d->pageKind(), 1);
    d->BitBtn2->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

TEST(SeoWindow, HintsAndCaptionsInBothLanguages)
{
    Windows w;
    TFormSEO *d = w.dialog<TFormSEO>("TFormSEO");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "SEO Check");
    EXPECT_EQ(d->minimumSize(), d->maximumSize());
    const QString blanks(17, ' ');
    d->Language = 1;
    d->SetSeoCaptions();
    const struct {
        QWidget *control;
        const char *english, *german;
    } hints[] = {
        {d->Label1, "Length of Title Tag should be 30 up to 66 characters",
         "Die Länge des Title Tags im Head sollte zwischen 30 und 66 Zeichen betragen"},
        {d->Label2, "Length of page text should be not less than 500 characters",
         "Die Länge des Seitentextes sollte nicht unter 500 Zeichen sein"},
        {d->Label3, "Head of your index page should contain Meta Tag Description",
         "Meta Tag Description (Beschreibung) sollte im Head Ihrer Seite vorhanden sein"},
        {d->Label10, "Length of description should be 130 up to 160 characters",
         "Die Länge der Seitenbeschreibung sollte zwischen 130 und 160 Zeichen betragen"},
        {d->Label4, "Head of your index page should contain Meta Tag Keywords",
         "Meta Tag Keywords (Schüsselwörter) sollte im Head Ihrer Seite vorhanden sein"},
        {d->Label12, "A site map should be available online", "Eine Sitemap sollte online verfügbar sein"},
        {d->Label13, "An optimized version of your site for mobile devices should be available",
         "Für mobile Endgeräte optimierte Version Ihrer Seite sollte verfügbar sein"},
        {d->LabelHttp, "External links to other websites should be available",
         "Es sollten externe Links zu anderen Webseiten vorhanden sein"},
        {d->LabelLinks, "Number of external links", "Number of external links"},
        {d->LabelExtern, "Number of external links", "Number of external links"},
    };
    for (const auto &h : hints)
        EXPECT_EQ(h.control->toolTip(), QString::fromUtf8(h.english)) << h.english;
    EXPECT_EQ(d->CheckBox1->text(), blanks + "(Should be available)");
    EXPECT_EQ(d->CheckBox2->text(), blanks + "(Should be available)");
    d->Language = 0;
    d->SetSeoCaptions();
    for (const auto &h : hints)
        EXPECT_EQ(h.control->toolTip(), QString::fromUtf8(h.german)) << h.german;
    EXPECT_EQ(d->CheckBox1->text(), blanks + "(Sollte vorhanden sein)");
    EXPECT_EQ(d->CheckBox2->text(), blanks + "(Sollte vorhanden sein)");
}

TEST(SeoWindow, ScoreOnShowAndClicksResetOnClose)
{
    Windows w;
    TFormSEO *d = w.dialog<TFormSEO>("TFormSEO");
    sx::SeoMeasures m;
    m.links = 2;
    m.titleMeasured = m.titleOk = true;
    m.titleLength = 40;
    m.textOk = true;
    m.textLength = 700;
    m.descriptionPresent = true;
    m.descriptionLength = 12;
    m.keywordsPresent = true;
    d->showMeasures(m);
    d->CheckBox2->setChecked(true); // left over: closing unticks it
    d->done(QDialog::Accepted);
    d->showMeasures(m);
    d->show();
    QApplication::processEvents();
    EXPECT_TRUE(centredOn(d, w.form));
    // Title, text, description and keywords ticked, the length crossed, links: 5 x 12.
    EXPECT_EQ(d->LabelProzent->text(), "60%");
    EXPECT_EQ(d->ProgressBar1->value(), 60);
    EXPECT_EQ(d->LabelTitleL->text(), "40");
    EXPECT_EQ(d->LabelTextL->text(), "700");
    EXPECT_EQ(d->LabelDescL->text(), "12");
    EXPECT_EQ(d->LabelLinks->text(), "2");
    d->CheckBox1->click();
    EXPECT_EQ(d->LabelProzent->text(), "72%");
    d->CheckBox2->click();
    EXPECT_EQ(d->LabelProzent->text(), "84%");
    // F1 asks for help topic 220; Escape does not end the window.
    press(d, Qt::Key_F1);
    EXPECT_EQ(w.platform.helpTopic, 220);
    EXPECT_EQ(w.platform.helpFile, w.form->helpFile);
    press(d, Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    d->close();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_FALSE(d->CheckBox1->isChecked());
    EXPECT_FALSE(d->CheckBox2->isChecked());
    EXPECT_EQ(d->LabelLinks->text(), "0");
    for (QLabel *tick : {d->ImageTitle1, d->ImageText1, d->ImageDesc1, d->ImageContent1, d->ImageKey1})
        EXPECT_TRUE(tick->isHidden()) << tick->objectName().toStdString();
    // The crosses keep their state, and so do the measured numbers.
    EXPECT_FALSE(d->ImageContent2->isHidden());
    EXPECT_TRUE(d->ImageTitle2->isHidden());
    EXPECT_EQ(d->LabelTitleL->text(), "40");
    EXPECT_FALSE(d->ImageTitle1->pixmap().isNull());
    EXPECT_FALSE(d->ImageTitle2->pixmap().isNull());
}

TEST(FileNewFrameset, TheFramesetPageBecomesAnUntitledModifiedDocument)
{
    Windows w;
    EditorBuffer &b = w.form->buffer();
    b.setText("<p>old</p>");
    b.setModified(false);
    w.form->SetBookmarkAtCaret(2);
    const QString page = "<html>\r\n<frameset cols=\"50%,*\">\r\n</frameset>\r\n</html>";
    w.form->dialog("TFormFrames")->setProperty("FrameSeite", page);
    w.form->run("FileNew", Sender{"Frameset1", 0});
    EXPECT_EQ(b.text(), page);
    EXPECT_TRUE(b.modified());
    EXPECT_EQ(w.form->document.FFileName, "Untitled");
    EXPECT_EQ(b.selStart(), 0);
    EXPECT_FALSE(w.form->bookmarkMarked(2));
    EXPECT_FALSE(b.bookmark(2).set);
    b.undo();
    EXPECT_EQ(b.text(), "<p>old</p>");

    w.form->FileNewFrameset("<html></html>");
    EXPECT_EQ(b.text(), "<html></html>");
    EXPECT_TRUE(b.modified());
}

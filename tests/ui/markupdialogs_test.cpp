// The dialogs that write markup against real widgets: their captions and hints in both
// languages, and F1.
#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "checks/ui/framedialogs.h"
#include "structure/ui/formdialogs.h"
#include "structure/ui/objectdialog.h"
#include "structure/ui/entitydialog.h"
#include "tests/ui/uifixture.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QDialog>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class HelpPlatform : public StubPlatform
{
public:
    void showHelp(const QString &, int topic) override { helpTopic = topic; }
    int helpTopic = -1;
};

struct Windows {
    Windows()
    {
        form = createApplication(platform, prompts, {});
        form->show();
        QApplication::processEvents();
    }
    ~Windows() { delete form; }
    HelpPlatform platform;
    StubPrompts prompts;
    TMainForm *form = nullptr;
};

// Sets the language field the dialog reads when it is shown.
void setDialogLanguage(QDialog *d, bool english)
{
    const int language = english ? 1 : 0;
    if (auto *x = qobject_cast<TFormFormular *>(d))
        x->Sprache = language;
    else if (auto *x = qobject_cast<TFormInput *>(d))
        x->Sprache = language;
    else if (auto *x = qobject_cast<TFormObject *>(d))
        x->Sprache = language;
    else if (auto *x = qobject_cast<TFormSpecial *>(d))
        x->Language = language;
    else if (auto *x = qobject_cast<TFormFrames *>(d))
        x->Sprache = language;
    else if (auto *x = qobject_cast<TFormIFrame *>(d))
        x->Sprache = language;
}

struct Hint {
    const char *control, *english, *german;
};

struct DialogCase {
    const char *dialog;
    const char *caption;
    int helpTopic;
    QList<Hint> hints;
};

} // namespace

TEST(MarkupDialogs, HintsFollowTheLanguageAndF1OpensTheirTopic)
{
    Windows w;
    const DialogCase cases[] = {
        {"TFormFormular", "Forms", 150, {}},
        {"TFormInput",
         "Input",
         150,
         {{"EditName", "Name attribute", "Name des Feldes"},
          {"EditSize", "Size", "Grösse"},
          {"EditLength", "Max length(number of characters)", "Maximale Anzahl Zeichen"},
          {"ComboBoxType", "Type attribute", "Typ des Feldes"},
          {"EditValue", "Value", "Wert"}}},
        {"TFormObject",
         "Object",
         140,
         {{"EditClass", "Unique ID of the object class", "Eindeutige ID der Objektklasse"},
          {"EditCode", "Code base", "Codebasis"},
          {"EditMap", "Image map name", "Imagemap Name"},
          {"EditBorder", "Border", "Rahmen"},
          {"EditWidth", "Width", "Breite"},
          {"EditHeight", "Height", "Höhe"},
          {"EditPName", "Parameter name", "Parametername"},
          {"EditPValue", "Value", "Wert"},
          {"Memo1", "List of parameters", "Liste Parameter"}}},
        {"TFormSpecial", nullptr, 140, {{"BitBtn3", "Create character", "Create character"}}},
        {"TFormFrames",
         "Frameset",
         210,
         {{"Noresize1", "Not resizeable", "Grösse kann nicht verändert werden"},
          {"LabelHeight2", "Margin height", "Randhöhe"},
          {"LabelWidth3", "Margin width", "Randbreite"},
          {"LabelScrolling4", "Scrollbars on/off", "Scrollbalken ein/aus"},
          {"BtnSource1", "Url/File to be loaded into the frame",
           "Datei angeben, die im aktuellen Frame angezeigt werden soll"},
          {"Borders", "Show borders", "Rahmen anzeigen"}}},
        {"TFormIFrame",
         "iFrame",
         210,
         {{"Label1", "Name of the iframe", "Name des iFrames"},
          {"Label2", "Width", "Breite angeben"},
          {"Label3", "Height", "Höhe angeben"},
          {"Label4", "Resource/Url", "Datei/Url angeben, die im iFrame angezeigt werden soll"}}},
    };
    for (const DialogCase &c : cases) {
        QDialog *d = w.form->dialog(QString::fromLatin1(c.dialog));
        ASSERT_NE(d, nullptr) << c.dialog;
        for (const bool english : {false, true}) {
            setDialogLanguage(d, english);
            d->show();
            QApplication::processEvents();
            if (c.caption)
                EXPECT_EQ(d->windowTitle(), QString::fromUtf8(c.caption)) << c.dialog;
            for (const Hint &h : c.hints) {
                QWidget *control = d->findChild<QWidget *>(QString::fromLatin1(h.control));
                ASSERT_NE(control, nullptr) << c.dialog << " " << h.control;
                EXPECT_EQ(control->toolTip(), QString::fromUtf8(english ? h.english : h.german))
                    << c.dialog << " " << h.control << " " << english;
            }
            w.platform.helpTopic = -1;
            QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
            QApplication::sendEvent(d, &f1);
            EXPECT_EQ(w.platform.helpTopic, c.helpTopic) << c.dialog;
            d->hide();
        }
    }
}

TEST(MarkupDialogs, EscapeAndF1InTheSampleEditorAreTheWindowsKeys)
{
    Windows w;
    auto *d = w.form->dialogAs<TFormSpecial>(QStringLiteral("TFormSpecial"));
    ASSERT_NE(d, nullptr);
    d->show();
    QApplication::processEvents();
    d->SynMemo1->setFocus();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(d->SynMemo1, &f1);
    EXPECT_EQ(w.platform.helpTopic, 140);
    EXPECT_TRUE(d->isVisible());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(d->SynMemo1, &esc);
    QApplication::processEvents();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

TEST(MarkupDialogs, EnterInTheTypeListKeepsTheTypeAsTyped)
{
    Windows w;
    auto *d = w.form->dialogAs<TFormInput>(QStringLiteral("TFormInput"));
    ASSERT_NE(d, nullptr);
    d->InpTyp = 19; // text
    d->show();
    QApplication::processEvents();
    d->ComboBoxType->setFocus();
    d->ComboBoxType->lineEdit()->setText(QStringLiteral("TEXT"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(d->ComboBoxType->lineEdit(), &enter);
    QApplication::processEvents();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->HTMCode, QStringLiteral("<br>Enter TEXT:<br><input name=\"text\" type=\"TEXT\" size=\"50\" maxlength=\"50\" />"));
}

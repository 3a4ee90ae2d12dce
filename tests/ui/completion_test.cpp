// The completion list of the editor, driven by real key events.
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"
#include "tests/printers.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class Completion : public testing::Test
{
protected:
    void SetUp() override
    {
        editor.resize(600, 400);
        editor.show();
        editor.setFocus();
        buffer.loadText(QString());
    }
    void type(const QString &keys) { QTest::keyClicks(&editor, keys); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&editor, k, m); }
    void waitForList() { QTest::qWait(180); }
    QStringList entriesFrom(const QString &prefix)
    {
        QStringList out;
        for (const auto &e : SynEdit::completionEntries())
            if (e.first.startsWith(prefix, Qt::CaseInsensitive) && !out.contains(e.first))
                out << e.first;
        return out;
    }
    QString inserted(const QString &entry)
    {
        for (const auto &e : SynEdit::completionEntries())
            if (e.first == entry)
                return QString(e.second).replace(QStringLiteral("$ret"), QStringLiteral("\r\n"));
        return QString();
    }

    SynEdit editor;
    ScintillaBuffer buffer{&editor};
};

TEST_F(Completion, TheEntries)
{
    const auto &entries = SynEdit::completionEntries();
    ASSERT_EQ(entries.size(), 48);
    EXPECT_EQ(entries.front().first, "<a href");
    EXPECT_EQ(entries.back().first, "<!doctype>");
    EXPECT_EQ(entries.back().second, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    int heads = 0;
    for (const auto &e : entries)
        heads += e.first == "<head>";
    EXPECT_EQ(heads, 2);
}

TEST_F(Completion, LessThanOpensTheListAfterADelay)
{
    type("<");
    EXPECT_FALSE(editor.completionActive());
    waitForList();
    ASSERT_TRUE(editor.completionActive());
    // Every entry once: the second, identical "<head>" entry is not shown twice.
    EXPECT_EQ(editor.completionShown(), entriesFrom("<"));
    EXPECT_EQ(editor.completionShown().size(), 47);
    EXPECT_EQ(editor.completionShown().count("<head>"), 1);
}

TEST_F(Completion, TypingNarrowsTheList)
{
    type("<st");
    waitForList();
    EXPECT_EQ(editor.completionShown(), QStringList({"<strike>", "<strong>", "<style>"}));
    type("y");
    EXPECT_EQ(editor.completionShown(), QStringList({"<style>"}));
    key(Qt::Key_Backspace);
    EXPECT_EQ(editor.completionShown(), QStringList({"<strike>", "<strong>", "<style>"}));
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    EXPECT_EQ(editor.completionShown().size(), 47);
    key(Qt::Key_Backspace); // the "<" itself goes: the list closes
    EXPECT_FALSE(editor.completionActive());
    EXPECT_EQ(buffer.text(), "");
}

TEST_F(Completion, TabEnterAndEndOfTokenCharactersComplete)
{
    struct Case {
        QString typed;
        bool wait;
        Qt::Key key;      // or Qt::Key_unknown: the end-of-token character in text
        QString endChar;
        QString expected;
    } cases[] = {
        {"<b", true, Qt::Key_Tab, "", "<b></b>"},
        {"<b", false, Qt::Key_Tab, "", "<b></b>"}, // before the list has appeared
        {"<ta", true, Qt::Key_Return, "", inserted("<table>")},
        {"<TA", true, Qt::Key_Enter, "", inserted("<table>")},
        {"<ul", true, Qt::Key_Return, "", "<ul type=\"circle/disc/square\">\r\n<li></li>\r\n</ul>"},
        {"<h", true, Qt::Key_Tab, "", "<h1></h1>"},
        {"<hea", true, Qt::Key_Tab, "", "<head></head>"},
        {"<!", true, Qt::Key_Tab, "", inserted("<!doctype>")},
        {"<b", true, Qt::Key_unknown, "(", "<b></b>("},
        {"<b", true, Qt::Key_unknown, ")", "<b></b>)"},
        {"<b", true, Qt::Key_unknown, "[", "<b></b>["},
        {"<b", true, Qt::Key_unknown, "]", "<b></b>]"},
        {"<b", true, Qt::Key_unknown, ".", "<b></b>."},
        {"<b", true, Qt::Key_unknown, " ", "<b></b> "},
        {"<a", true, Qt::Key_unknown, " ", inserted("<a href") + " "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.typed + " " + c.endChar).toStdString() + (c.wait ? " after the delay" : " at once"));
        buffer.loadText(QString());
        type(c.typed);
        if (c.wait)
            waitForList();
        if (c.key == Qt::Key_unknown)
            type(c.endChar);
        else
            key(c.key);
        EXPECT_EQ(buffer.text(), c.expected);
        EXPECT_EQ(buffer.selStart(), c.expected.size());
        EXPECT_FALSE(editor.completionActive());
        // The completion is one undo step back to what was typed.
        if (c.endChar.isEmpty()) {
            buffer.undo();
            EXPECT_EQ(buffer.text(), c.typed);
        }
        QTest::qWait(150);
        EXPECT_FALSE(editor.completionActive());
    }
}

TEST_F(Completion, CtrlSpaceOpensTheListAtOnce)
{
    buffer.loadText(QStringLiteral("x <li"));
    buffer.setSelStart(5);
    key(Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(editor.completionActive());
    EXPECT_EQ(editor.completionShown(), QStringList({"<li>"}));
    key(Qt::Key_Tab);
    EXPECT_EQ(buffer.text(), "x <li></li>");

    // Without a "<" before the caret every entry is offered and inserted at the caret.
    buffer.loadText(QStringLiteral("ab"));
    buffer.setSelStart(2);
    key(Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(editor.completionActive());
    EXPECT_EQ(editor.completionShown().size(), 47);
    type("<p");
    EXPECT_EQ(editor.completionShown(), QStringList({"<p>", "<pre>"}));
    key(Qt::Key_Return);
    EXPECT_EQ(buffer.text(), "ab<p></p>");
}

TEST_F(Completion, NoListForTextNoEntryStartsWith)
{
    type("</");
    waitForList();
    EXPECT_FALSE(editor.completionActive());
    type("p>");
    waitForList();
    EXPECT_FALSE(editor.completionActive());
    key(Qt::Key_Return);
    EXPECT_EQ(buffer.text(), "</p>\r\n");

    buffer.loadText(QString());
    type("<b");
    waitForList();
    ASSERT_TRUE(editor.completionActive());
    type("z");
    EXPECT_FALSE(editor.completionActive());
    key(Qt::Key_Return);
    EXPECT_EQ(buffer.text(), "<bz\r\n");
}

TEST_F(Completion, EscapeClosesTheList)
{
    type("<b");
    waitForList();
    ASSERT_TRUE(editor.completionActive());
    key(Qt::Key_Escape);
    EXPECT_FALSE(editor.completionActive());
    key(Qt::Key_Return);
    EXPECT_EQ(buffer.text(), "<b\r\n");
}

} // namespace

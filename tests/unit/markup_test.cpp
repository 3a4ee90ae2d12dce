#include "editing/markup.h"
#include "editing/textbuffer.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char *name;
    MarkupCommand command;
    const char16_t *text;
    qsizetype selStart, selLength;
    const char16_t *result;
    qsizetype caret; // SelStart afterwards (nothing selected)
};

} // namespace

TEST(ApplyMarkup, SelectionTreatmentsAndTexts)
{
    const Row rows[] = {
        {"bold, nothing selected", markup::bold(), u"ab", 1, 0, u"a<b> </b>b", 9},
        {"bold, three spaces", markup::bold(), u"x   y", 1, 3, u"x<b> </b>   y", 9},
        {"bold, word", markup::bold(), u"a word", 2, 4, u"a <b>word </b>", 14},
        {"italic", markup::italic(), u"w", 0, 1, u"<i>w </i>", 9},
        {"underline", markup::underline(), u"w", 0, 1, u"<u>w </u>", 9},
        {"strike", markup::strike(), u"w", 0, 1, u"<strike>w </strike>", 19},
        {"sup", markup::sup(), u"w", 0, 1, u"<sup>w </sup>", 13},
        {"sub", markup::sub(), u"w", 0, 1, u"<sub>w </sub>", 13},
        {"align left", markup::align(0), u"w", 0, 1, u"<p align=\"left\">w </p>", 22},
        {"align right", markup::align(1), u"w", 0, 1, u"<p align=\"right\">w </p>", 23},
        {"justify", markup::align(2), u"w", 0, 1, u"<p align=\"justify\">w </p>", 25},
        {"centre, tag 3", markup::align(3), u"w", 0, 1, u"<p align=\"center\">w </p>", 24},
        {"centre, tag 7", markup::align(7), u"w", 0, 1, u"<p align=\"center\">w </p>", 24},
        {"centre, tag -1", markup::align(-1), u"", 0, 0, u"<p align=\"center\"> </p>", 23},
        {"indent, blanks", markup::indent(), u"  ", 0, 2,
         u"<p style=\"text-align:left; margin-left:50px\"> </p>  ", 50},
        {"heading, spaces kept", markup::heading(2), u"   ", 0, 3, u"<h2>   </h2>", 12},
        {"heading 6, lines", markup::heading(6), u"a\r\nb", 0, 4, u"<h6>a\r\nb</h6>", 13},
        {"heading 1, nothing", markup::heading(1), u"", 0, 0, u"<h1></h1>", 9},
        {"comment, nothing", markup::comment(), u"", 0, 0, u"<!--  -->", 9},
        {"comment, blank kept", markup::comment(), u" ", 0, 1, u"<!--   -->", 10},
        {"line break before word", markup::lineBreak(), u"word", 0, 4, u" <br />word", 7},
        {"horizontal line", markup::horizontalLine(), u"x", 0, 1,
         u" <br /><hr style=\"width:300px; color:gray; background-color:gray; height:2px; text-align:center; "
         u"border:1px\" />x",
         111},
        {"script replaces", markup::script(), u"a word b", 2, 4,
         u"a <script type=\"text/javascript\">\r\n\r\n</script> b", 46},
    };
    for (const Row &r : rows) {
        const QString before = QString::fromUtf16(r.text);
        TextBuffer b(before);
        b.select(r.selStart, r.selLength);
        ApplyMarkup(b, r.command);
        EXPECT_EQ(b.text(), QString::fromUtf16(r.result)) << r.name;
        EXPECT_EQ(b.selStart(), r.caret) << r.name;
        EXPECT_EQ(b.selLength(), 0) << r.name;
        EXPECT_EQ(b.undoDepth(), 1) << r.name;
        b.undo();
        EXPECT_EQ(b.text(), before) << r.name;
    }
}

TEST(BuildList, ItemsFromLines)
{
    struct Case {
        const char *name;
        const char16_t *selected;
        bool ordered;
        const char16_t *result;
    };
    const Case cases[] = {
        {"example", u"Apple\r\nPear", false, u"<ul type=\"disc\">\r\n<li>Apple</li>\r\n<li>Pear </li>\r\n</ul>"},
        {"empty", u"", false, u"<ul type=\"disc\">\r\n<li></li>\r\n</ul>"},
        {"empty line dropped", u"a\r\n\r\nb", false, u"<ul type=\"disc\">\r\n<li>a</li>\r\n<li>b </li>\r\n</ul>"},
        {"final line break", u"a\r\nb\r\n", true, u"<ol type=\"1\">\r\n<li>a</li>\r\n<li>b</li>\r\n</ol>"},
        {"spaces collapse", u"x   y", false, u"<ul type=\"disc\">\r\n<li>x y </li>\r\n</ul>"},
        {"indentation collapses", u"  a\r\n    b", true, u"<ol type=\"1\">\r\n<li> a</li>\r\n<li> b </li>\r\n</ol>"},
        {"lone LF and tab stay", u"a\nb\tc", false, u"<ul type=\"disc\">\r\n<li>a\nb\tc </li>\r\n</ul>"},
        {"item of two spaces stays as one", u"a\r\n  \r\nb", false,
         u"<ul type=\"disc\">\r\n<li>a</li>\r\n<li> </li>\r\n<li>b </li>\r\n</ul>"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BuildListText(QString::fromUtf16(c.selected), c.ordered), QString::fromUtf16(c.result)) << c.name;
}

TEST(BuildList, BlankSelectionIsDroppedAndOneUndoRestores)
{
    TextBuffer b(QStringLiteral("x   y"));
    b.select(1, 3);
    BuildList(b, false);
    EXPECT_EQ(b.text(), QStringLiteral("x<ul type=\"disc\">\r\n<li></li>\r\n</ul>   y"));
    b.undo();
    EXPECT_EQ(b.text(), QStringLiteral("x   y"));

    TextBuffer c(QStringLiteral("Apple\r\nPear"));
    c.selectAll();
    BuildList(c, true);
    EXPECT_EQ(c.text(), QStringLiteral("<ol type=\"1\">\r\n<li>Apple</li>\r\n<li>Pear </li>\r\n</ol>"));
    EXPECT_EQ(c.selStart(), c.length());
}

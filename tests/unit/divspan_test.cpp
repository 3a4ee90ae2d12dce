#include "structure/divspan.h"

#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>

TEST(DivSpan, StartTags)
{
    struct Case {
        const char *name;
        DivFields f;
        const char *tag;
        const char *cls, *id; // the fields afterwards
    };
    const QString divStyle = initialDivStyle(0), spanStyle = initialDivStyle(1);
    const Case cases[] = {
        {"div with its initial style", {0, "", "", divStyle, ""}, "<div style=\"width: 800px; margin: 0 auto\">", "", ""},
        {"span with its initial style", {1, "", "", spanStyle, ""},
         "<span style=\"font-family: Arial, Hevetica; font-weight: normal; font-size: 12px\">", "", ""},
        {"span with class and alignment", {1, ".note", "", spanStyle, "center"},
         "<span class=\"note\" style=\"font-family: Arial, Hevetica; font-weight: normal; font-size: 12px; "
         "display:block; text-align: center\">",
         "note", ""},
        {"div alignment", {0, "", "", "a:b", " left "}, "<div style=\"a:b; text-align: left\">", "", ""},
        {"span with only an alignment", {1, "", "", "  ", "right"},
         "<span style=\" display:block; text-align: right\">", "", ""},
        {"div with only an alignment", {0, "", "", "", "justify"}, "<div style=\" text-align: justify\">", "", ""},
        {"nothing at all", {0, " ", "", "", ""}, "<div>", "", ""},
        {"id before class, hash dropped", {0, "box", "#main", "", ""}, "<div id=\"main\" class=\"box\">", "box",
         "main"},
        {"only the first dot goes", {0, "a.b.c", "", "", ""}, "<div class=\"ab.c\">", "ab.c", ""},
        {"one hash and one dot at most", {0, "#.#.x", "##y..", "", ""}, "<div id=\"#y.\" class=\"#.x\">", "#.x",
         "#y."},
        {"trimmed", {1, "  k ", " i ", " s ", ""}, "<span id=\"i\" class=\"k\" style=\"s\">", "k", "i"},
        {"a lone sign leaves no attribute", {0, ".", "#", "", ""}, "<div>", "", ""},
    };
    for (const Case &c : cases) {
        const DivResult r = buildDivTag(c.f);
        EXPECT_EQ(r.HtmlCode, QString::fromUtf8(c.tag)) << c.name;
        EXPECT_EQ(r.Edit1, QString::fromUtf8(c.cls)) << c.name;
        EXPECT_EQ(r.Edit2, QString::fromUtf8(c.id)) << c.name;
    }
    EXPECT_EQ(divTagCaption(0), QStringLiteral("<DIV>"));
    EXPECT_EQ(divTagCaption(1), QStringLiteral("<SPAN>"));
    EXPECT_EQ(divClosingTag(0), QStringLiteral("</div>"));
    EXPECT_EQ(divClosingTag(1), QStringLiteral("</span>"));
}

TEST(DivSpan, RuleLookup)
{
    const QString page = QStringLiteral(
        "<style>\r\n/* .note is old */\r\n.box { a:b }\r\n.note { c:d }\r\n#main { e:f }\r\n.Note{x}</style>");
    struct Case {
        const char *name;
        const char *field;
        bool id;
        const char *result;
    };
    const Case cases[] = {
        {"first occurrence, inside a comment", "note", false, ".note is old */\r\n.box { a:b }"},
        {"trimmed name", "  box ", false, ".box { a:b }"},
        {"case-sensitive", "Note", false, ".Note{x}"},
        {"id", "main", true, "#main { e:f }"},
        {"typed with its own sign", "#main", true, "#main { e:f }"},
        {"class typed with a dot", ".box", false, ".box { a:b }"},
        {"no such class", "nothing", false, ""},
        {"id is not a class", "main", false, ""},
        {"no closing brace", "x", false, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(lookupStyleRule(page, QString::fromUtf8(c.field), c.id), QString::fromUtf8(c.result)) << c.name;
    // A rule inside another rule's text: from the name through the next brace.
    EXPECT_EQ(lookupStyleRule(QStringLiteral(".a { background: url(x.note) } .note{}"), QStringLiteral("note"), false),
              QStringLiteral(".note) }"));
    EXPECT_EQ(lookupStyleRule(QStringLiteral(".x {"), QStringLiteral("x"), false), QString());
}

TEST(DivSpan, StyleBlocks)
{
    struct Case {
        const char *name;
        const char *page;
        const char *result;
    };
    const Case cases[] = {
        {"none", "<p>no style</p>", ""},
        {"one", "a<style>x</style>b", "<style>x</style>\r\n"},
        {"any case, one after the other",
         "<STYLE type=\"text/css\">x</Style><p><style>y</STYLE>", "<STYLE type=\"text/css\">x</Style>\r\n<style>y</STYLE>\r\n"},
        {"stops at a style without end", "<style>a</style><style>b", "<style>a</style>\r\n"},
        {"unclosed only", "<style>b", ""},
        {"an end tag before the start does not count", "</style><style>a", ""},
        {"empty page", "", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(collectStyleBlocks(QString::fromUtf8(c.page)), QString::fromUtf8(c.result)) << c.name;
    EXPECT_EQ(styleNotFoundText(true), QStringLiteral("Style not found in document. Check external CSS file(s)."));
    EXPECT_EQ(styleNotFoundText(false),
              QString::fromUtf8("Style im Dokument nicht gefunden. Prüfen Sie externe CSS Datei(en)."));
}

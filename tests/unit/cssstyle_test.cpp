#include "editing/cssstyle.h"
#include "editing/textbuffer.h"

#include <functional>
#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>

namespace {

QString crlf(const char *text) { return QString::fromUtf8(text).replace(QStringLiteral("|"), QStringLiteral("\r\n")); }

const char *const kHead = "<style type=\"text/css\">|<!--|";
const char *const kTail = "-->|</style>";

QString element(const char *inner) { return crlf(kHead) + crlf(inner) + crlf(kTail); }

} // namespace

TEST(CssStyle, Rules)
{
    struct Case {
        const char *name;
        std::function<void(CssFields &)> edit;
        QString style;
        QString selector; // the class field afterwards
    };
    const QString links = crlf("a:link {font-weight:bold; color:blue; text-decoration:underline;}|"
                               "a:visited {font-weight:bold; color:silver; text-decoration:underline;}|"
                               "a:focus {font-weight:bold; color:red; text-decoration:underline;}|"
                               "a:hover {font-weight:bold; color:purple; text-decoration:none; }|"
                               "a:active {font-weight:bold; color:black; text-decoration:underline;}|");
    const Case cases[] = {
        {"defaults", [](CssFields &) {},
         element(".myClass{|font-family:Arial,Helvetica;|font-size:12px;|}||"), ".myClass"},
        {"defaults, one line", [](CssFields &f) { f.OneLine = true; },
         "font-family:Arial,Helvetica;font-size:12px;", ".myClass"},
        {"id selected drops the dot", [](CssFields &f) { f.EditClass = "#box"; },
         element(".box{|font-family:Arial,Helvetica;|font-size:12px;|}||"), ".box"},
        {"hash becomes dot for a class", [](CssFields &f) { f.EditClass = "box"; f.idSelected = true; },
         element("#box{|font-family:Arial,Helvetica;|font-size:12px;|}||"), "#box"},
        {"selector trimmed", [](CssFields &f) { f.EditClass = " .x "; },
         element(".x{|font-family:Arial,Helvetica;|font-size:12px;|}||"), ".x"},
        {"only the first sign goes", [](CssFields &f) { f.EditClass = "..a"; f.idSelected = true; },
         element("#.a{|font-family:Arial,Helvetica;|font-size:12px;|}||"), "#.a"},
        {"blank selector: no rule, no links",
         [](CssFields &f) { f.EditClass = "  "; f.CheckBox1 = true; f.EditTop = "1px"; }, crlf("<style type=\"text/css\">|<!--|-->|</style>"),
         "  "},
        {"blank selector, one line: properties, field stays blank",
         [](CssFields &f) { f.EditClass = ""; f.OneLine = true; }, "font-family:Arial,Helvetica;font-size:12px;", ""},
        {"blank fields skipped, spaces kept",
         [](CssFields &f) { f.EditTop = " 10px"; f.EditLeft = "   "; f.EditFont = ""; f.EditFontSize = "\t"; },
         element(".myClass{|top: 10px;|}||"), ".myClass"},
        {"every property in order",
         [](CssFields &f) {
             f.ComboBoxPosition = "absolute"; f.EditTop = "1"; f.EditLeft = "2"; f.EditWidth = "3";
             f.EditMargin = "4"; f.EditBorder = "thin"; f.EditBColor = "#FF0000"; f.ComboBStyle = "solid";
             f.EditPadding = "5"; f.EditFont = "A"; f.EditFontSize = "6"; f.ComboBoxWeight = "bold";
             f.ComboBoxStyle = "italic"; f.EditFColor = "#00FF00"; f.ComboBox1 = "none"; f.ComboBox2 = "left";
             f.EditBackUrl = "b.gif"; f.ComboRepeat = "repeat-x"; f.ComboPosition = "top"; f.ComboAttach = "fixed";
             f.EditBgColor = "#0000FF";
         },
         element(".myClass{|position:absolute;|top:1;|left:2;|width:3;|margin:4;|border-width:thin;|"
                 "border-color:#FF0000;|border-style:solid;|padding:5;|font-family:A;|font-size:6;|"
                 "font-weight:bold;|font-style:italic;|color:#00FF00;|text-decoration:none;|text-align:left;|"
                 "background-image:url(b.gif);|background-repeat:repeat-x;|background-position:top;|"
                 "background-attachment:fixed;|background-color:#0000FF;|}||"),
         ".myClass"},
        {"background image, one line", [](CssFields &f) { f.OneLine = true; f.EditFont = ""; f.EditFontSize = ""; f.EditBackUrl = "x.png"; },
         "background-image:url(x.png);", ".myClass"},
        {"link styles after the empty line", [](CssFields &f) { f.CheckBox1 = true; },
         crlf(kHead) + crlf(".myClass{|font-family:Arial,Helvetica;|font-size:12px;|}||") + links + crlf(kTail),
         ".myClass"},
        {"link styles not ticked are not written", [](CssFields &f) { f.Edit1 = "x"; },
         element(".myClass{|font-family:Arial,Helvetica;|font-size:12px;|}||"), ".myClass"},
        {"blank link field skipped", [](CssFields &f) { f.CheckBox1 = true; f.Edit1 = " "; f.Edit2 = ""; f.Edit3 = ""; f.Edit4 = ""; f.Edit5 = "c:d;"; },
         element(".myClass{|font-family:Arial,Helvetica;|font-size:12px;|}||a:active {c:d;}|"), ".myClass"},
        {"link styles on one line", [](CssFields &f) { f.OneLine = true; f.CheckBox1 = true; f.EditFont = ""; f.EditFontSize = ""; f.Edit2 = ""; f.Edit3 = ""; f.Edit4 = ""; f.Edit5 = ""; },
         "a:link {font-weight:bold; color:blue; text-decoration:underline;}", ".myClass"},
    };
    for (const Case &c : cases) {
        CssFields f;
        c.edit(f);
        const CssResult r = buildCssStyle(f);
        EXPECT_EQ(r.MyStyle, c.style) << c.name;
        EXPECT_EQ(r.EditClass, c.selector) << c.name;
    }
}

TEST(CssStyle, InsertBeforeHead)
{
    const QString style = QStringLiteral("<style>S</style>");
    struct Case {
        const char *name;
        const char16_t *text;
        qsizetype selStart, selLength;
        const char16_t *result;
    };
    const Case cases[] = {
        {"before </head>", u"<head><title>t</title></head><body>", 30, 2,
         u"<head><title>t</title>\r\n<style>S</style>\r\n</head><body>"},
        {"upper-case </HEAD>", u"<HEAD></HEAD>", 0, 0, u"<HEAD>\r\n<style>S</style>\r\n</HEAD>"},
        {"first </head> only", u"</head></head>", 10, 0, u"\r\n<style>S</style>\r\n</head></head>"},
        {"no head: at the caret", u"abc", 1, 0, u"a\r\n<style>S</style>\r\nbc"},
        {"no head: the selection follows the block", u"a word b", 2, 4, u"a \r\n<style>S</style>\r\nword b"},
        {"empty document", u"", 0, 0, u"\r\n<style>S</style>\r\n"},
    };
    for (const Case &c : cases) {
        TextBuffer b(QString::fromUtf16(c.text));
        b.select(c.selStart, c.selLength);
        InsertStyleBlock(b, style);
        EXPECT_EQ(b.text(), QString::fromUtf16(c.result)) << c.name;
        EXPECT_EQ(b.undoDepth(), 1) << c.name;
        b.undo();
        EXPECT_EQ(b.text(), QString::fromUtf16(c.text)) << c.name;
    }
    // A blank style (the dialog was cancelled) changes nothing.
    TextBuffer b(QStringLiteral("<head></head>"));
    b.select(1, 3);
    InsertStyleBlock(b, QString());
    InsertStyleBlock(b, QStringLiteral(" \r\n"));
    EXPECT_EQ(b.undoDepth(), 0);
    EXPECT_EQ(b.selLength(), 3);
}

#include "checks/codecheck.h"
#include "tests/unit/cleanup_reference.h"
#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>

using namespace sx;

namespace {

const QString kPage = "<html>\r\n<head>\r\n<title>T</title>\r\n</head>\r\n<body>\r\n";
const QString kEnd = "\r\n</body>\r\n</html>";

struct Balance {
    const char *name;
    QString start, end, in, out, report;
    int repairs;
};

} // namespace

TEST(BalanceTags, Cases)
{
    const QString For = "\r\nFor ";
    const Balance cases[] = {
        {"unclosed div", "<div", "</div>", "<div>x", "<!div>x", For + "<div  closing Tag(s) missing.\r\n1</div> missing", 0},
        {"unclosed bold", "<b>", "</b>", "<b>x", "<!b>x", For + "<b>  closing Tag(s) missing.\r\n1</b> missing", 0},
        {"redundant end tag", "<div", "</div>", "<div></div></div>", "<div></div>      ",
         "\r\n1 redundant</div> deleted.", 0},
        {"start tag with attributes is not counted", "<b>", "</b>", "<b class=x>y</b>", "<b class=x>y    ",
         "\r\n1 redundant</b> deleted.", 0},
        {"equal counts in the wrong order", "<span", "</span>", "</span><span>", "</span><span>", "", 0},
        {"nested pairs match", "<div", "</div>", "<div><div></div>", "<!div><div></div>",
         For + "<div  closing Tag(s) missing.\r\n1</div> missing", 0},
        {"broken end tag after a blank", "<div", "</div>", "<div>x /div>", "<div>x</div>",
         For + "<div  closing Tag(s) missing.\r\n1</div> missing", 1},
        {"broken end tag after a bracket", "<div", "</div>", "<div><p>/div>", "<div><p></div>",
         For + "<div  closing Tag(s) missing.\r\n1</div> missing", 1},
        {"broken end tag on the next line", "<div", "</div>", "<div>x\r\n/div>", "<div>x\r\n</div>",
         For + "<div  closing Tag(s) missing.\r\n1</div> missing", 1},
        {"the repair is case-sensitive", "<div", "</div>", "<div>x /DIV>", "<!div>x /DIV>",
         For + "<div  closing Tag(s) missing.\r\n1</div> missing", 0},
        {"two marks in one pass", "<b>", "</b>", "<b><b><b>x</b>", "<!b><!b><b>x</b>",
         For + "<b>  closing Tag(s) missing." + For + "<b>  closing Tag(s) missing.\r\n2</b> missing", 0},
    };
    for (const Balance &c : cases) {
        CheckRun run;
        EXPECT_EQ(BalanceTags(c.start, c.end, c.in, run), c.out) << c.name;
        EXPECT_EQ(run.CheckReport, c.report) << c.name;
        EXPECT_EQ(run.repairs, c.repairs) << c.name;
        CheckRun slow;
        EXPECT_EQ(ref::BalanceTags(c.start, c.end, c.in, slow), c.out) << c.name;
    }
}

TEST(MarkUnbalancedTag, Cases)
{
    EXPECT_EQ(MarkUnbalancedTag(1, u"<div", u"<DIV>"), "<!div>");
    EXPECT_EQ(MarkUnbalancedTag(3, u"</b>", u"x</B>y"), "x    y");
    EXPECT_EQ(MarkUnbalancedTag(1, u"<div", u"<p>"), "<p>");
    // The search starts one unit early and takes what it finds there.
    EXPECT_EQ(MarkUnbalancedTag(5, u"<b>", u"<b><b>"), "<b><!b>");
}

TEST(RepairEndTag, Order)
{
    QString text = "<div>a>/div> b /div>";
    EXPECT_TRUE(RepairEndTag(u"<div", 1, text));
    EXPECT_EQ(text, "<div>a>/div> b</div>");
    text = "<div>\r\n/div>";
    EXPECT_TRUE(RepairEndTag(u"<div", 1, text));
    EXPECT_EQ(text, "<div>\r\n</div>");
    text = "x /div><div>";
    EXPECT_FALSE(RepairEndTag(u"<div", 8, text));
    EXPECT_EQ(text, "x /div><div>");
}

TEST(RemoveBlankElements, Cases)
{
    struct C {
        const char *name;
        QString start, end, in, out;
        int count;
    } cases[] = {
        {"blank span keeps its space", "<span", "</span>", "xx<span> &nbsp; </span>", "xx&nbsp;", 1},
        {"empty heading", "<h1", "</h1>", "xx<h1></h1>y", "xxy", 1},
        {"heading with a title stays", "<h1", "</h1>", "xx<h1>Title</h1>", "xx<h1>Title</h1>", 0},
        {"break kept", "<font", "</font>", "xx<FONT color=red><BR></font>", "xx<BR>", 1},
        {"line breaks only", "<strong", "</strong>", "xx<strong>\r\n<br />\r\n</strong>", "xx<br />", 1},
        {"the first two units are not searched", "<h1", "</h1>", "<h1></h1>", "<h1></h1>", 0},
        {"start tag without bracket", "<h1", "</h1>", "xx<h1", "xx<h1", 0},
        {"the next search starts two units on", "<h1", "</h1>", "xx<h1></h1><h1></h1>", "xx<h1></h1>", 1},
        {"no nesting: the first end tag closes", "<span", "</span>", "xx<span><span></span>x</span>", "xx<span>x</span>", 1},
    };
    for (const C &c : cases) {
        int n = 0;
        EXPECT_EQ(RemoveBlankElements(c.start, c.end, c.in, n), c.out) << c.name;
        EXPECT_EQ(n, c.count) << c.name;
        int m = 0;
        EXPECT_EQ(ref::RemoveBlankElements(c.start, c.end, c.in, m), c.out) << c.name;
    }
}

TEST(ConvertBlockMarkers, Cases)
{
    struct C {
        const char *name;
        QString in, out;
        bool converted;
    } cases[] = {
        {"div marker", "<body><!div>x", "<body><div><!/div>x", true},
        {"marker with attributes", "<body><!DIV class=a>x", "<body><DIV class=a><!/div>x", true},
        {"two kinds on one bracket", "<body><!div <!span>", "<body><div <span><!/span><!/div>", true},
        {"before the body", "<!div><body>", "<!div><body>", false},
        {"no body: nothing, not even trimmed", "  <!div>  ", "  <!div>  ", false},
        {"trimmed", "  <body>x  ", "<body>x", false},
        {"marker without bracket", "<body><!td", "<body><td", true},
        {"not a block marker", "<body><!b>", "<body><!b>", false},
    };
    for (const C &c : cases) {
        bool converted = false;
        EXPECT_EQ(ConvertBlockMarkers(c.in, converted), c.out) << c.name;
        EXPECT_EQ(converted, c.converted) << c.name;
        QString slow = c.in;
        bool slowConverted = false;
        for (QStringView m : kBlockMarkers)
            slow = ref::ConvertBlockMarkers(slow, m.toString(), slowConverted);
        EXPECT_EQ(slow, c.out) << c.name;
    }
}

TEST(FindProblems, Pattern)
{
    const QString text = "<!/div> <!b> <!strong> <!u> <!font color=red> <!-- c --> <!DOCTYPE html> <!> <!/Div>";
    const QList<ProblemMatch> expected = {{1, 7}, {9, 4}, {14, 9}, {24, 4}, {74, 3}};
    EXPECT_EQ(FindProblems(text), expected);
    EXPECT_EQ(ref::FindProblems(text), expected);
}

TEST(RunCodeCheck, Reports)
{
    struct C {
        const char *name;
        QString body, report;
        bool converted;
    } cases[] = {
        {"clean page", "<p>x</p>", "Code check finished.", false},
        {"the example report",
         "<div><font color=red>x</font><h1></h1>",
         "Code check finished.\r\n\r\nFor <div  closing Tag(s) missing.\r\n1</div> missing\r\n"
         "<font tag is deprecated! Use CSS instead!\r\nBlank tags removed.",
         true},
        {"unclosed bold is no block marker", "<b>x", "Code check finished.\r\n\r\nFor <b>  closing Tag(s) missing.\r\n1</b> missing", false},
        {"redundant div", "<div>a</div></div>", "Code check finished.\r\n\r\n1 redundant</div> deleted.", false},
        {"blank elements only", "<span> &nbsp; </span><h1></h1><h1>Title</h1>", "Code check finished.\r\nBlank tags removed.", false},
    };
    for (const C &c : cases) {
        const CodeCheckResult r = RunCodeCheck(kPage + c.body + kEnd, CheckTexts::english());
        EXPECT_EQ(r.report, c.report) << c.name;
        EXPECT_EQ(r.markerConverted, c.converted) << c.name;
        EXPECT_EQ(r.report, ref::RunCodeCheck(kPage + c.body + kEnd, CheckTexts::english()).report) << c.name;
    }
    const CodeCheckResult div = RunCodeCheck(kPage + "<div>x" + kEnd, CheckTexts::english());
    EXPECT_TRUE(div.text.contains("<div><!/div>x")) << div.text.toStdString();
    EXPECT_TRUE(div.text.contains("content=\"Sorvex\">\r\n</head>")) << div.text.toStdString();
    const CodeCheckResult bold = RunCodeCheck(kPage + "<b>x" + kEnd, CheckTexts::english());
    EXPECT_TRUE(bold.text.contains("<!b>x"));
    const CodeCheckResult blank = RunCodeCheck(kPage + "<span> &nbsp; </span>|<h1></h1>|<h1>Title</h1>" + kEnd, CheckTexts::english());
    EXPECT_TRUE(blank.text.contains("&nbsp;||<h1>Title</h1>")) << blank.text.toStdString();
    const CodeCheckResult repaired = RunCodeCheck(kPage + "<div>x /div>" + kEnd, CheckTexts::english());
    EXPECT_TRUE(repaired.text.contains("<div>x</div>")) << repaired.text.toStdString();
    EXPECT_FALSE(repaired.text.contains("<!div"));
    EXPECT_EQ(repaired.repairs, 1);
    EXPECT_EQ(repaired.report, "Code check finished.\r\n\r\nFor <div  closing Tag(s) missing.\r\n1</div> missing");
}

TEST(RunCodeCheck, GermanTexts)
{
    CheckTexts de;
    de.forTag = "Für ";
    de.closingMissing = " fehlt der schliessende Tag.";
    de.missing = "fehlt(en) ";
    de.finished = "Codeprüfung abgeschlossen.";
    de.language = 0;
    const CodeCheckResult r = RunCodeCheck(kPage + "<div><font>x</font><h1></h1>" + kEnd, de);
    EXPECT_EQ(r.report, "Codeprüfung abgeschlossen.\r\n\r\nFür  <div  fehlt der schliessende Tag.\r\n1</div> fehlt(en) \r\n"
                        "<font Tag ist veraltet! Verwenden Sie stattdessen CSS!\r\nLeere Tags entfernt.");
    EXPECT_EQ(problemsFoundText(0, 3), "3 Probleme gefunden. F4 drücken um nächstes Problen anzuzeigen.");
    EXPECT_EQ(problemsFoundText(1, 2), "2 problems found. Press F4 to show next problem.");
}

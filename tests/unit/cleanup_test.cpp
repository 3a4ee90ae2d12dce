#include "checks/cleanup.h"
#include "checks/codecheck.h"
#include "tests/unit/cleanup_reference.h"
#include "tests/unit/pagegen.h"
#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>

using namespace sx;

namespace {

struct Case {
    const char *name;
    QString in, out;
};

QString cleanup(const QString &page, CheckRun *run = nullptr) { return CleanupHtml(page, run); }

} // namespace

TEST(QuoteAttributes, Examples)
{
    const Case cases[] = {
        {"unquoted and double-quoted", "<TD WIDTH=100 Class=\"Main\">", "<td width=\"100\" class=\"Main\">"},
        {"single quotes", "<a href='x.htm'>", "<a href=\"x.htm\">"},
        {"spacing inside a value", "<p style=\"color: red; margin: 0\">", "<p style=\"color:red;margin:0\">"},
        {"four blanks become two", "<p    id=x>", "<p  id=\"x\">"},
        {"brackets and commas", "<p onclick=f( a, b )>", "<p onclick=\"f(a,b)\">"},
        {"value up to the closing bracket", "<a onclick=f(1)>", "<a onclick=\"f(1)\">"},
        {"value up to a closing slash", "<img src=a.gif/>", "<img src=\"a.gif\"/>"},
        {"only the first tag", "<B>x</B>", "<b>"},
        {"no closing bracket", "<b", ""},
        {"an empty quoted value", "<a =\">", "<a =\"\">"},
        {"stray quote in the tag", "<P \"x\">", "<p x>"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(QuoteAttributes(c.in), c.out) << c.name;
}

TEST(QuoteAttributes, TwelveValues)
{
    QString tag = "<p";
    QString expected = "<p";
    for (int i = 0; i < 12; ++i) {
        tag += QString(" A%1=V%1").arg(i);
        expected += i < 11 ? QString(" a%1=\"V%1\"").arg(i) : QString(" a%1=v%1").arg(i);
    }
    EXPECT_EQ(QuoteAttributes(tag + ">"), expected + ">");
    EXPECT_EQ(QuoteAttributes(tag + ">"), ref::QuoteAttributes(tag + ">"));
}

TEST(TagPass, Examples)
{
    const Case cases[] = {
        {"image", "<img src='a.gif'>", "<img src=\"a.gif\" />"},
        {"upper-case break", "<BR>", "<br />"},
        {"closed break stays", "<br/>", "<br/>"},
        {"rule and input", "<HR><INPUT type=text>", "<hr /><input type=\"text\" />"},
        {"comment lower-cased", "<!-- My Comment -->", "<!-- my comment -->"},
        {"no closing bracket ends the pass", "<B>x<P class=Y", "<b>x<P class=Y"},
        {"text between tags kept", "A<B>C</B>D", "A<b>C</b>D"},
        {"a shrunk tag skips the next unit", "<P \"x\"><B>", "<p x><B>"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(TagPass(c.in), c.out) << c.name;
        EXPECT_EQ(ref::TagPass(c.in), c.out) << c.name;
    }
}

TEST(JoinTagLines, Examples)
{
    const Case cases[] = {
        {"inside a tag", "<p\r\nclass=x><b>", "<p class=x><b>"},
        {"inside the last tag", "<p\r\nclass=x>", "<p\r\nclass=x>"},
        {"between two tags", "<p>\r\n<b>", "<p>\r\n<b>"},
        {"no bracket after", "text\r\nmore", "text more"},
        {"a closing bracket but no opening one", "a\r\nb>", "a\r\nb>"},
        {"the second of two breaks is passed over", "<p\r\n\r\nx><b>", "<p \r\nx><b>"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(JoinTagLines(c.in), c.out) << c.name;
        EXPECT_EQ(ref::JoinTagLines(c.in), c.out) << c.name;
    }
}

TEST(CleanupHtml, Examples)
{
    EXPECT_EQ(cleanup("<p>Hello</p>"),
              "<!DOCTYPE html>\r\n\r\n<html>\r\n<head><p>Hello</p>\r\n</body></html>");
    const QString page = "<html><head><title>T</title></head><body>";
    const QString tail = "</body></html>";
    struct Part {
        const char *name;
        QString in, contained;
    } parts[] = {
        {"inline blank removed", "<b>bold</b> <i>it</i>", "<b>bold</b><i>it</i>"},
        {"underline with a line break", "x<u>\r\n</u>y", "x<br />y"},
        {"bold with a line break", "x<b>\r\n</b>y", "xy"},
        {"comment", "<!-- My Comment -->", "<!-- my comment -->"},
        {"script kept", "<script>if (a < b) { x = \"Y\"; }</script>", "<script>if (a < b) { x = \"Y\"; }</script>"},
        {"style kept", "<STYLE>P { Color: Red }</STYLE>", "<STYLE>P { Color: Red }</STYLE>"},
        {"line break inside a tag", "<p\r\nclass=x>a</p>", "<p class=\"x\">a</p>"},
        {"upper-case entity", "a&NBSP;b", "a&nbsp;b"},
        {"double brackets", "<<b>>x</b>", "<b>x</b>"},
        {"blank after the bracket", "< b >x</b>", "<b>x</b>"},
        {"anchor with two blanks", "<a  href=x>y</a>", "<a href=\"x\">y</a>"},
        {"a comment that looks like a placeholder stays", "<script>s</script><!--script0-->", "<script>s</script><!--script0-->"},
        {"a script inside a style block comes back", "<style>a<script>b</script>c</style>", "<style>a<script>b</script>c</style>"},
        {"a script holding a placeholder's text", "<script>x<!--script1--></script><script>y</script>", "<script>x<!--script1--></script><script>y</script>"},
    };
    for (const Part &p : parts) {
        const QString out = cleanup(page + p.in + tail);
        EXPECT_TRUE(out.contains(p.contained)) << p.name << ": " << out.toStdString();
    }
    const QString xhtml = "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                          "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">";
    EXPECT_TRUE(cleanup(xhtml + "\r\n" + page + tail).startsWith(xhtml + "\r\n<html>"));
}

TEST(CleanupHtml, PageStructure)
{
    const Case cases[] = {
        {"complete page unchanged", "<html>\r\n<head>\r\n</head>\r\n<body>\r\n</body>\r\n</html>",
         "<html>\r\n<head>\r\n</head>\r\n<body>\r\n</body>\r\n</html>"},
        {"body without head end", "<html><head><body>x</body></html>", "<html><head>\r\n</head>\r\n<body>x</body></html>"},
        {"head end without body", "<html><head></head>x</html>", "<html><head></head>\r\n<body>x\r\n</body></html>"},
        {"head with attributes is not the head", "<html><head profile=x></head><body></body></html>",
         "<html>\r\n<head><head profile=x></head><body></body></html>"},
        {"html with attributes", "<html lang=de><body></body></html>", "<html lang=de>\r\n</head>\r\n<body></body></html>"},
        {"declaration moved in front", "x<!DOCTYPE html>y", "<!DOCTYPE html>\r\n<html>\r\n<head>xy\r\n</body></html>"},
        {"unclosed title", "<html><head><title>T\r\n</head></html>", "<html><head><title>T\r\n</title></head>\r\n<body>\r\n</body></html>"},
        {"title end without the exact start tag", "<html><head><title lang=x>T</title></head><body></body></html>",
         "<html><head><title></title><title lang=x>T</title></head><body></body></html>"},
        {"title end alone", "<html><head>T</title></head><body></body></html>",
         "<html><head>T<title></title></title></head><body></body></html>"},
        {"no title at all", "<html><head></head><body></body></html>", "<html><head></head><body></body></html>"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CompletePageStructure(c.in), c.out) << c.name;
        EXPECT_EQ(ref::Structure(c.in), c.out) << c.name;
    }
}

TEST(Blocks, ProtectAndRestore)
{
    ProtectedBlocks blocks;
    blocks.mark = QChar(0xE000);
    const QString page = "a<SCRIPT>x</script>b<script>y";
    const QString protectedText = ProtectBlocks(page, BlockKind::Script, blocks);
    EXPECT_EQ(protectedText, "a" + blockPlaceholder(BlockKind::Script, 0, blocks.mark) + "b<script>y");
    EXPECT_EQ(blocks.scripts, QStringList{"<SCRIPT>x</script>"});
    EXPECT_EQ(RestoreBlocks(protectedText, BlockKind::Script, blocks), page);
    EXPECT_EQ(blockPlaceholder(BlockKind::Style, 3, QChar()), "<!--style3-->");
    EXPECT_EQ(ProtectBlocks(QString(), BlockKind::Style, blocks), QString());
    EXPECT_TRUE(blocks.styles.isEmpty());
    EXPECT_EQ(freeMarkCharacter(QString(QChar(0xE000))), QChar(0xE001));
}

TEST(ExtractDoctype, Cases)
{
    const Case cases[] = {
        {"declaration", "x<!doctype html>y", "<!doctype html>"},
        {"no closing bracket", "<!DOCTYPE html", ""},
        {"none", "<html>", ""},
        {"blank text", "   ", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ExtractDoctype(c.in), c.out) << c.name;
}

// Every generated page gives the same text and the same report both ways: 1200 pages,
// and 2000 short texts of pieces that sit close together.
TEST(CleanupHtml, SameAsStepByStep)
{
    int repaired = 0, converted = 0, reported = 0, redundant = 0, blank = 0;
    for (unsigned seed = 1; seed <= 3200; ++seed) {
        pagegen::Generator g(seed);
        const QString page = seed <= 1200 ? g.page() : g.fragments();
        CheckRun fast, slow;
        const QString a = CleanupHtml(page, &fast);
        const QString b = ref::CleanupHtml(page, slow);
        ASSERT_EQ(a, b) << "seed " << seed << "\n" << page.toStdString();
        ASSERT_EQ(fast.CheckReport, slow.CheckReport) << "seed " << seed;
        ASSERT_EQ(fast.repairs, slow.repairs) << "seed " << seed;

        const CodeCheckResult x = RunCodeCheck(page, CheckTexts::english());
        const CodeCheckResult y = ref::RunCodeCheck(page, CheckTexts::english());
        ASSERT_EQ(x.text, y.text) << "seed " << seed << "\n" << page.toStdString();
        ASSERT_EQ(x.report, y.report) << "seed " << seed;
        ASSERT_EQ(x.markerConverted, y.markerConverted) << "seed " << seed;
        ASSERT_EQ(FindProblems(x.text), ref::FindProblems(x.text)) << "seed " << seed;
        repaired += fast.repairs > 0;
        converted += x.markerConverted;
        reported += !fast.CheckReport.isEmpty();
        redundant += fast.CheckReport.contains("redundant");
        blank += x.report.contains("Blank tags removed.");
    }
    // The pages reach every kind of change.
    EXPECT_GT(repaired, 50);
    EXPECT_GT(converted, 50);
    EXPECT_GT(reported, 500);
    EXPECT_GT(redundant, 100);
    EXPECT_GT(blank, 50);
}

// The single steps on generated pages, so that a difference shows where it starts.
TEST(CleanupHtml, StepsSameAsStepByStep)
{
    for (unsigned seed = 5000; seed <= 5600; ++seed) {
        pagegen::Generator g(seed);
        const QString page = g.page();
        ASSERT_EQ(TagPass(page), ref::TagPass(page)) << "seed " << seed << "\n" << page.toStdString();
        ASSERT_EQ(JoinTagLines(page), ref::JoinTagLines(page)) << "seed " << seed;
        ASSERT_EQ(CompletePageStructure(page), ref::Structure(page)) << "seed " << seed;
        for (const TagPair &p : kBalancePairs) {
            CheckRun fast, slow;
            const QString s = p.start.toString(), e = p.end.toString();
            ASSERT_EQ(BalanceTags(s, e, page, fast), ref::BalanceTags(s, e, page, slow)) << "seed " << seed << " " << s.toStdString() << "\n" << page.toStdString();
            ASSERT_EQ(fast.CheckReport, slow.CheckReport) << "seed " << seed;
        }
        for (const TagPair &p : kBlankElementPairs) {
            int a = 0, b = 0;
            const QString s = p.start.toString(), e = p.end.toString();
            ASSERT_EQ(RemoveBlankElements(s, e, page, a), ref::RemoveBlankElements(s, e, page, b)) << "seed " << seed << " " << s.toStdString();
            ASSERT_EQ(a, b);
        }
    }
}

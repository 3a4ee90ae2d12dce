// The SEO check: each measure at its edges, the score, the placeholder meta elements,
// the index-page question, and the one-pass measuring compared with a version written
// step by step (lower-case, remove the line breaks, strip tags with the expression
// "<[^>]*>") on generated pages.
#include "checks/seo.h"
#include "editing/textops.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace sx;

namespace {

QString page(const QString &head, const QString &body)
{
    return "<html>\r\n<head>\r\n" + head + "\r\n</head>\r\n<body>\r\n" + body + "\r\n</body>\r\n</html>";
}

SeoMeasures reference(const QString &text)
{
    SeoMeasures m;
    const QString lower = lowerAscii(text);
    if (!text.isEmpty()) {
        qsizetype from = 1;
        while (from < lower.size()) {
            const qsizetype p = pos(u"http://", lower, from);
            if (p == 0)
                break;
            ++m.links;
            from = p + 5;
        }
    }
    const QString w = replaceAll(lower, u"\r\n", u"");
    const qsizetype body = pos(u"<body", w);
    QString rest = body > 0 ? copyFrom(w, body) : w;
    rest.replace(QRegularExpression("<[^>]*>", QRegularExpression::CaseInsensitiveOption), QString());
    m.textLength = rest.size();
    m.textOk = m.textLength > 500;
    qsizetype d = pos(u"<meta name=\"description\"", w);
    if (d == 0)
        d = pos(u"<meta name=description", w);
    if (d > 0) {
        m.descriptionPresent = true;
        const qsizetype close = pos(u">", w, d);
        const qsizetype content = pos(u"content=", w, d);
        const qsizetype point = content > 0 && (close == 0 || content < close) ? content + 8 : d;
        const qsizetype end = pos(u">", w, point);
        m.descriptionLength = (end > 0 ? end : w.size() + 1) - point - 3;
        m.descriptionLengthOk = m.descriptionLength >= 130 && m.descriptionLength <= 160;
    }
    m.keywordsPresent = pos(u"<meta name=\"keywords\"", w) > 0 || pos(u"<meta name=keywords", w) > 0;
    const qsizetype t = pos(u"<title>", w);
    if (t > 0) {
        m.titleMeasured = true;
        m.titleLength = pos(u"</title>", w, t) - t;
        m.titleOk = m.titleLength >= 30 && m.titleLength <= 66;
    }
    return m;
}

void expectSame(const SeoMeasures &a, const SeoMeasures &b, const QString &text)
{
    const std::string where = text.toStdString();
    EXPECT_EQ(a.links, b.links) << where;
    EXPECT_EQ(a.textLength, b.textLength) << where;
    EXPECT_EQ(a.textOk, b.textOk) << where;
    EXPECT_EQ(a.descriptionPresent, b.descriptionPresent) << where;
    EXPECT_EQ(a.descriptionLength, b.descriptionLength) << where;
    EXPECT_EQ(a.descriptionLengthOk, b.descriptionLengthOk) << where;
    EXPECT_EQ(a.keywordsPresent, b.keywordsPresent) << where;
    EXPECT_EQ(a.titleMeasured, b.titleMeasured) << where;
    EXPECT_EQ(a.titleLength, b.titleLength) << where;
    EXPECT_EQ(a.titleOk, b.titleOk) << where;
}

} // namespace

TEST(SeoLinks, HttpOccurrencesInAnyCase)
{
    const struct {
        QString text;
        int count;
    } cases[] = {
        {"", 0},
        {"http://", 1},
        {"HTTP://a Http://b", 2},
        {"https://secure", 0},
        {"http://http://", 2},
        {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">", 1},
        {"htt\r\np://", 0},
        {"http:/", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CountHttpLinks(c.text), c.count) << c.text.toStdString();
}

TEST(SeoTitle, DistanceFromTitleToItsEndTag)
{
    const struct {
        QString text;
        bool measured;
        qsizetype length;
        bool ok;
    } cases[] = {
        {"<title>Home</title>", true, 11, false},
        {"<title>" + QString(22, 'a') + "</title>", true, 29, false},
        {"<title>" + QString(23, 'a') + "</title>", true, 30, true},
        {"<TITLE>" + QString(59, 'a') + "</Title>", true, 66, true},
        {"<title>" + QString(60, 'a') + "</title>", true, 67, false},
        // Line breaks count for nothing, also inside the title.
        {"<title>ab\r\ncd</title>", true, 11, false},
        // Without "</title>" the distance is taken from position 0.
        {"xyz<title>Home", true, -4, false},
        {"<title >Home</title>", false, 0, false},
        {"", false, 0, false},
    };
    for (const auto &c : cases) {
        const SeoMeasures m = MeasureSeo(c.text);
        EXPECT_EQ(m.titleMeasured, c.measured) << c.text.toStdString();
        EXPECT_EQ(m.titleLength, c.length) << c.text.toStdString();
        EXPECT_EQ(m.titleOk, c.ok) << c.text.toStdString();
    }
}

TEST(SeoText, LengthOfTheBodyWithoutTags)
{
    const QString five = "<p>" + QString(100, 'x') + "</p>\r\n";
    const struct {
        const char *name;
        QString text;
        qsizetype length;
        bool ok;
    } cases[] = {
        {"exactly 500", "<head><title>t</title></head><body>" + five.repeated(5), 500, false},
        {"501", "<body bgcolor=\"#FFFFFF\">" + five.repeated(5) + "!", 501, true},
        {"line breaks do not count", "<body>" + QString("ab\r\n").repeated(300), 600, true},
        {"a lone CR and a lone LF count", "<body>a\rb\nc", 5, false},
        {"text before the body does not count", QString(600, 'x') + "<body>abc", 3, false},
        {"no body: the whole text", QString(501, 'y'), 501, true},
        {"entities and script code count", "<body>&amp;<script>var a;</script>", 11, false},
        {"a \"<\" without \">\" keeps the rest", "<body>ab<cd", 5, false},
        {"nested \"<\" inside a tag", "<body>a<b<c>d", 2, false},
        {"upper-case body", "xx<BODY>abc", 3, false},
    };
    for (const auto &c : cases) {
        const SeoMeasures m = MeasureSeo(c.text);
        EXPECT_EQ(m.textLength, c.length) << c.name;
        EXPECT_EQ(m.textOk, c.ok) << c.name;
    }
}

TEST(SeoDescription, PresenceAndContentLength)
{
    const QString c132(132, 'd');
    const struct {
        const char *name;
        QString text;
        bool present;
        qsizetype length;
        bool ok;
    } cases[] = {
        {"132 characters, plain \">\"", "<meta name=\"description\" content=\"" + c132 + "\">", true, 131, true},
        {"\" />\" form", "<meta name=\"description\" content=\"abc\" />", true, 4, false},
        {"plain \">\" form", "<meta name=\"description\" content=\"abc\">", true, 2, false},
        {"unquoted name", "<META NAME=DESCRIPTION CONTENT=\"" + QString(133, 'd') + "\">", true, 132, true},
        {"130 is the least", "<meta name=\"description\" content=\"" + QString(131, 'd') + "\">", true, 130, true},
        {"129 is too short", "<meta name=\"description\" content=\"" + QString(130, 'd') + "\">", true, 129, false},
        {"160 is the most", "<meta name=\"description\" content=\"" + QString(161, 'd') + "\">", true, 160, true},
        {"161 is too long", "<meta name=\"description\" content=\"" + QString(162, 'd') + "\">", true, 161, false},
        {"line breaks in the content count for nothing",
         "<meta name=\"description\" content=\"ab\r\ncd\">", true, 3, false},
        {"without content: from the element's \"<\"", "<meta name=\"description\">", true, 21, false},
        {"the content of a later element is not its own",
         "<meta name=\"description\"><meta name=\"keywords\" content=\"" + c132 + "\">", true, 21, false},
        {"cut off by the end of the page", "<meta name=\"description\" content=\"abcd", true, 2, false},
        {"none", "<meta name=\"descr\" content=\"x\">", false, 0, false},
    };
    for (const auto &c : cases) {
        const SeoMeasures m = MeasureSeo(c.text);
        EXPECT_EQ(m.descriptionPresent, c.present) << c.name;
        EXPECT_EQ(m.descriptionLength, c.length) << c.name;
        EXPECT_EQ(m.descriptionLengthOk, c.ok) << c.name;
    }
}

TEST(SeoKeywords, BothFormsInAnyCase)
{
    EXPECT_TRUE(MeasureSeo(QString("<meta name=\"keywords\" content=\"a\">")).keywordsPresent);
    EXPECT_TRUE(MeasureSeo(QString("<Meta Name=Keywords content=a>")).keywordsPresent);
    EXPECT_TRUE(MeasureSeo(QString("<meta name=\"key\r\nwords\">")).keywordsPresent);
    EXPECT_FALSE(MeasureSeo(QString("<meta name='keywords'>")).keywordsPresent);
    EXPECT_FALSE(MeasureSeo(QString("<meta  name=\"keywords\">")).keywordsPresent);
}

TEST(SeoMeasures, AWholePage)
{
    const QString text = page("<title>A title of some thirty characters</title>\r\n"
                              "<meta name=\"description\" content=\"" + QString(140, 'd') + "\" />\r\n"
                              "<meta name=\"keywords\" content=\"a,b\" />",
                              "<p>" + QString(600, 't') + "</p><a href=\"http://example.com/\">x</a>");
    const SeoMeasures m = MeasureSeo(text);
    EXPECT_EQ(m.links, 1);
    EXPECT_EQ(m.titleLength, 40);
    EXPECT_TRUE(m.titleOk);
    EXPECT_EQ(m.textLength, 601);
    EXPECT_TRUE(m.textOk);
    EXPECT_TRUE(m.descriptionPresent);
    EXPECT_EQ(m.descriptionLength, 141);
    EXPECT_TRUE(m.descriptionLengthOk);
    EXPECT_TRUE(m.keywordsPresent);
}

TEST(SeoMeasures, OnePassAgreesWithStepByStepOnGeneratedPages)
{
    const QStringList pieces = {
        "<body", "<body>", "<BODY class=x>", "<title>", "</title>", "</TITLE>", "<meta name=\"description\"",
        "<meta name=description", " content=\"", "content=", ">", "<", "\r\n", "\r", "\n", "http://", "HTTP://",
        "https://", "abc ", "x", "<meta name=\"keywords\"", "<meta name=keywords", "<p>", "&amp;", "\u00e4",
        "<!-- c -->", QString(40, 'w'), "\"",
    };
    QRandomGenerator rng(4711);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int n = rng.bounded(80);
        for (int i = 0; i < n; ++i)
            text += pieces[rng.bounded(pieces.size())];
        expectSame(MeasureSeo(text), reference(text), text);
        if (::testing::Test::HasFailure())
            break;
    }
}

TEST(SeoScore, TwelvePointsEachAndAboveNinetyFiveIsAHundred)
{
    const struct {
        int ticks, boxes;
        QString links;
        int score;
    } cases[] = {
        {0, 0, "0", 0},   {1, 0, "0", 12},   {0, 0, "3", 12},  {0, 2, "0", 24}, {5, 1, "1", 84},
        {4, 2, "1", 84},  {5, 2, "0", 84},   {5, 2, "1", 100}, {5, 2, "12", 100},
        {0, 0, "abc", 0}, {0, 0, "", 0},     {0, 0, "-2", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SeoScore(c.ticks, c.boxes, c.links), c.score) << c.ticks << " " << c.boxes << " " << c.links.toStdString();
}

TEST(SeoMetaTags, BehindTheFirstTitleEndTag)
{
    const QString tags = "</title>\r\n<meta name=\"description\" content=\"Insert your description here\" />\r\n"
                         "<meta name=\"keywords\" content=\"Insert your keywords here\" />\r\n";
    const struct {
        const char *name;
        QString text, expected;
        bool inserted;
    } cases[] = {
        {"lower case", "<title>a</title>\r\n</head>", "<title>a" + tags + "\r\n</head>", true},
        {"upper case is written back lower", "<TITLE>a</TITLE>", "<TITLE>a" + tags, true},
        {"only the first", "</title></title>", tags + "</title>", true},
        {"even when the page has them", "<meta name=\"description\" content=\"x\"></title>",
         "<meta name=\"description\" content=\"x\">" + tags, true},
        {"no end tag, no change", "<title>a", "<title>a", false},
        {"empty", "", "", false},
    };
    for (const auto &c : cases) {
        bool inserted = !c.inserted;
        EXPECT_EQ(InsertSeoMetaTags(c.text, &inserted), c.expected) << c.name;
        EXPECT_EQ(inserted, c.inserted) << c.name;
    }
}

TEST(SeoIndexPage, ExactNamesAndTheQuestion)
{
    EXPECT_TRUE(IsIndexPageName("index.htm"));
    EXPECT_TRUE(IsIndexPageName("index.html"));
    for (const char *name : {"Index.htm", "index.HTML", "index.htm ", "index.php", "Untitled", ""})
        EXPECT_FALSE(IsIndexPageName(name)) << name;
    EXPECT_EQ(SeoIndexQuestion("about.htm", 1), "Is about.htm the index page of our web site?");
    EXPECT_EQ(SeoIndexQuestion("about.htm", 0), "Ist about.htm die Index-Seite Ihrer Homepage?");
}

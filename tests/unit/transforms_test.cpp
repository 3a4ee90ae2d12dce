// The text transformations: the documented examples and edges as tables, and the one-pass
// versions compared with step-by-step reference versions on generated pages.
#include "editing/textops.h"
#include "editing/transforms.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace sx;

namespace {

// ---------------------------------------------------------------------------------------
// Reference versions, written the way the commands are described: search the lower-cased
// text again after every replacement, put the placeholders back with replace-alls, delete
// one hyphen per edit and read the whole text again.

QString refProtect(QString text, BlockKind kind, QStringList &blocks)
{
    const QString open = kind == BlockKind::Script ? "<script" : "<style";
    const QString close = kind == BlockKind::Script ? "</script>" : "</style>";
    blocks.clear();
    if (text.isEmpty())
        return text;
    const qsizetype startLength = text.size();
    qsizetype from = 1;
    for (;;) {
        const QString lower = lowerAscii(text);
        const qsizetype p = pos(open, lower, from);
        if (p == 0)
            break;
        blocks.append(QString());
        const qsizetype q = pos(close, lower, p + open.size());
        if (q == 0)
            break;
        const qsizetype last = q + close.size() - 1;
        blocks.last() = copy(text, p, last - p + 1);
        text = ReplaceRange(text, p, last - p + 1, BlockPlaceholder(kind, int(blocks.size() - 1)));
        from = p + open.size();
        if (!(last < startLength))
            break;
    }
    return text;
}

QString refRestore(QString text, BlockKind kind, const QStringList &blocks)
{
    for (int i = 0; i < blocks.size(); ++i)
        text = replaceAll(text, BlockPlaceholder(kind, i), QStringLiteral("\r\n") + blocks[i], true);
    return text;
}

QString refJoin(QString text)
{
    text = replaceAll(text, u"\r\n", u"");
    for (int i = 0; i < 6; ++i)
        text = replaceAll(text, u"  ", u" ");
    return text;
}

QString refLineBreaks(const QString &text, bool join)
{
    QStringList scripts, styles;
    QString t = refProtect(text, BlockKind::Script, scripts);
    t = refProtect(t, BlockKind::Style, styles);
    t = join ? refJoin(t) : replaceAll(t, u">", u">\r\n");
    t = refRestore(t, BlockKind::Script, scripts);
    return refRestore(t, BlockKind::Style, styles);
}

struct RefHyphenation {
    QString text;
    int count = 0;
};

RefHyphenation refRemoveHyphenation(QString text)
{
    RefHyphenation r;
    const qsizetype body = pos(u"<body", lowerAscii(text));
    qsizetype p = pos(u"-", text, body > 0 ? body : 1);
    while (p > 0) {
        const bool lowerNext = p + 1 <= text.size() && isAsciiLower(text[p]);
        if (lowerNext && !InsideTagOrBraces(text, p + 1) && !InsideTagOrBraces(text, p)
            && !IsHyphenException(text, p)) {
            text = ReplaceRange(text, p, 1, u"");
            ++r.count;
        }
        p = pos(u"-", text, p + 1);
    }
    r.text = text;
    return r;
}

QString refReplaceSpecialChars(QString text)
{
    const char16_t *from[] = {u"€", u"©", u"®", u"Ä", u"Ü", u"Ö", u"ä", u"ü", u"ö", u"ß"};
    const char *to[] = {"&euro;", "&copy;", "&reg;", "&Auml;", "&Uuml;", "&Ouml;", "&auml;", "&uuml;", "&ouml;", "&szlig;"};
    for (int i = 0; i < 10; ++i)
        text = replaceAll(text, QStringView(from[i]), QString::fromLatin1(to[i]));
    return text;
}

QString refExtract(const QString &text)
{
    QString t = trim(text);
    const qsizetype body = pos(u"<body", lowerAscii(t));
    t = body > 0 ? copyFrom(t, body) : QString();
    t.remove(QRegularExpression(QStringLiteral("<[^>]*>"), QRegularExpression::CaseInsensitiveOption));
    for (int i = 0; i < 6; ++i)
        t = replaceAll(t, u"  ", u" ");
    QStringList kept;
    for (const QString &line : splitLines(trim(t)))
        if (!isBlank(line))
            kept << line;
    return trim(kept.join(QStringLiteral("\r\n")));
}

// ---------------------------------------------------------------------------------------
// Generated pages: tags, words with and without hyphens, exceptions, brace blocks,
// script and style blocks in any case, runs of spaces and line breaks.

QString generatedPage(quint32 seed, int pieces, bool withUnclosedEnd)
{
    QRandomGenerator rng(seed);
    static const char *words[] = {
        "well-known", "Well-Known", "up-to-date", "state-of-the-art", "Know-how", "know-how",
        "2-fach", "re-enter", "x-", "-a", "--b", "a-b-c-d", "the-art", "www.ex-ample.com",
        "end-of-line", "word", "Text", "Straße", "ÄÖÜ", "€", "a-to-b", "e-mail",
        "self-made", "-", "t-o-", "see www. o-k", "pre-", "th-e-art"};
    static const char *tags[] = {
        "<p>", "</p>", "<div class=\"main-box\">", "</div>", "<b>", "</b>", "<br>", "<a href=\"a-b.htm\">",
        "</a>", "<!-- a-comment -->", "<img src=\"my-pic.jpg\" alt=\"x-y\">", "<h1 data-x=\"1\">",
        "{margin-left:1px}", "{ a-b }", "}", "{", ">", "<", "<bodyx>", "<BODY class=\"a-b\">",
        "<Body>", "</body>", "<scripts>"};
    static const char *blocks[] = {
        "<script>var a-b = 1;\r\nif (a<b) {x-y}</script>",
        "<SCRIPT type=\"text/javascript\">\r\n  document.write('<p>x-y</p>');\r\n</SCRIPT>",
        "<style>p { margin-left: 2px; }\r\n</style>",
        "<STYLE type=\"text/css\">\r\n h1  {  color : red }</Style>",
        "<script src=\"a-b.js\"></script>",
        "<script>document.write('<style>b{x-y}</style>')</script>",
        "<scriptx>q-r</script>"};
    static const char *space[] = {" ", "  ", "\r\n", " \r\n ", "      ", "\r\n\r\n", "\t", "   \r\n   "};
    QString page;
    for (int i = 0; i < pieces; ++i) {
        const int kind = int(rng.bounded(10));
        if (kind < 4)
            page += QString::fromUtf8(words[rng.bounded(int(std::size(words)))]);
        else if (kind < 6)
            page += QString::fromUtf8(tags[rng.bounded(int(std::size(tags)))]);
        else if (kind == 6)
            page += QString::fromUtf8(blocks[rng.bounded(int(std::size(blocks)))]);
        else
            page += QString::fromUtf8(space[rng.bounded(int(std::size(space)))]);
        if (kind == 9 && rng.bounded(20) == 0)
            page += QString(qsizetype(rng.bounded(70, 140)), QLatin1Char(' '));
    }
    if (withUnclosedEnd) {
        switch (rng.bounded(3)) {
        case 0: page += QStringLiteral("<script>no-end\r\n  x"); break;
        case 1: page += QStringLiteral("<style>p{a-b}\r\n"); break;
        default: page += QStringLiteral("<Script"); break;
        }
    }
    return page;
}

// ---------------------------------------------------------------------------------------

struct LineBreakCase {
    const char *name;
    const char16_t *input;
    const char16_t *removed;  // after "Remove LF"
    const char16_t *inserted; // after "Insert LF"
};

const LineBreakCase kLineBreakCases[] = {
    {"joins a paragraph", u"<p>one\r\ntwo</p>", u"<p>onetwo</p>", u"<p>\r\none\r\ntwo</p>\r\n"},
    {"tags get a break after them", u"<b>x</b>", u"<b>x</b>", u"<b>\r\nx</b>\r\n"},
    {"a break already there makes an empty line", u"<br>\r\nx", u"<br>x", u"<br>\r\n\r\nx"},
    {"spaces across a joined break become one", u"a  \r\n  b", u"a b", u"a  \r\n  b"},
    {"a script survives unchanged inside and starts a new line",
     u"<p>a</p>\r\n<script>\r\nif (a > b)  {\r\n}\r\n</script> z",
     u"<p>a</p>\r\n<script>\r\nif (a > b)  {\r\n}\r\n</script> z",
     u"<p>\r\na</p>\r\n\r\n\r\n<script>\r\nif (a > b)  {\r\n}\r\n</script>\r\n z"},
    {"script and style blocks in any case",
     u"x\r\n<SCRIPT>a\r\nb</Script>y\r\n<Style>c\r\nd</STYLE>z",
     u"x\r\n<SCRIPT>a\r\nb</Script>y\r\n<Style>c\r\nd</STYLE>z",
     u"x\r\n\r\n<SCRIPT>a\r\nb</Script>\r\ny\r\n\r\n<Style>c\r\nd</STYLE>\r\nz"},
    {"the opening tag is matched as a prefix", u"a\r\n<scripts>b\r\nc</script>",
     u"a\r\n<scripts>b\r\nc</script>", u"a\r\n\r\n<scripts>b\r\nc</script>\r\n"},
    {"an unclosed script stays and the rest is ordinary text", u"a\r\n<script>x\r\ny  \r\n  z",
     u"a<script>xy z", u"a\r\n<script>\r\nx\r\ny  \r\n  z"},
    {"a closed block before an unclosed one is still protected",
     u"<script>1\r\n2</script>\r\n<script>3\r\n4", u"\r\n<script>1\r\n2</script><script>34",
     u"\r\n<script>1\r\n2</script>\r\n\r\n<script>\r\n3\r\n4"},
    {"a script inside a style block comes back whole",
     u"<style>/* <script>a\r\nb</script> */\r\n</style>\r\nq",
     u"\r\n<style>/* <script>a\r\nb</script> */\r\n</style>q",
     u"\r\n<style>/* <script>a\r\nb</script> */\r\n</style>\r\n\r\nq"},
    {"a style inside a script stays in the script",
     u"<script>w('<style>a\r\nb</style>')</script>\r\nq",
     u"\r\n<script>w('<style>a\r\nb</style>')</script>q",
     u"\r\n<script>w('<style>a\r\nb</style>')</script>\r\n\r\nq"},
    {"empty text", u"", u"", u""},
};

TEST(LineBreaks, DocumentedCases)
{
    for (const LineBreakCase &c : kLineBreakCases) {
        SCOPED_TRACE(c.name);
        const QString in = QString::fromUtf16(c.input);
        EXPECT_EQ(RemoveLineBreaks(in), QString::fromUtf16(c.removed));
        EXPECT_EQ(InsertLineBreaks(in), QString::fromUtf16(c.inserted));
    }
}

// Text that only looks like a placeholder belongs to the author: it is never replaced by
// a block, and an unclosed block leaves nothing to put back.
TEST(LineBreaks, WrittenPlaceholdersStayAsTheyAre)
{
    struct Case {
        const char *name;
        const char16_t *input, *removed;
    } cases[] = {
        {"no script at all", u"<!--script0-->\r\nx", u"<!--script0-->x"},
        {"beside a real script", u"<!--script0-->\r\n<script>a\r\nb</script>\r\n<!--SCRIPT0-->",
         u"<!--script0-->\r\n<script>a\r\nb</script><!--SCRIPT0-->"},
        {"beside an unclosed script", u"<!--script0-->\r\n<script>a\r\nb", u"<!--script0--><script>ab"},
        {"a style placeholder inside a script",
         u"<script>var s='<!--style0-->';</script>\r\n<style>p{}</style>",
         u"\r\n<script>var s='<!--style0-->';</script>\r\n<style>p{}</style>"},
        {"the next slot's placeholder inside a block",
         u"<script>'<!--script1-->'</script>\r\n<script>b</script>",
         u"\r\n<script>'<!--script1-->'</script>\r\n<script>b</script>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RemoveLineBreaks(QString::fromUtf16(c.input)), QString::fromUtf16(c.removed));
    }
}

TEST(LineBreaks, RunsOfSpaces)
{
    // Six halvings: a run of up to 64 spaces ends as one space, 65 as two.
    for (const int n : {1, 2, 3, 63, 64, 65, 128, 129, 200}) {
        const QString in = QStringLiteral("a") + QString(n, QLatin1Char(' ')) + QStringLiteral("b");
        EXPECT_EQ(RemoveLineBreaks(in), QStringLiteral("a") + QString((n + 63) / 64, QLatin1Char(' ')) + QStringLiteral("b")) << n;
    }
}

TEST(LineBreaks, ProtectAndRestore)
{
    ProtectedText t;
    t.text = QStringLiteral("a<script>1</script>b<STYLE>2</style>c<script>3</script><script>4");
    ProtectBlocks(t, BlockKind::Script);
    EXPECT_EQ(t.text, QStringLiteral("a<!--script0-->b<STYLE>2</style>c<!--script1--><script>4"));
    EXPECT_EQ(t.ScriptBlocks, QStringList({"<script>1</script>", "<script>3</script>", ""}));
    ProtectBlocks(t, BlockKind::Style);
    EXPECT_EQ(t.text, QStringLiteral("a<!--script0-->b<!--style0-->c<!--script1--><script>4"));
    EXPECT_EQ(t.StyleBlocks, QStringList({"<STYLE>2</style>"}));
    ASSERT_EQ(t.marks.size(), 3);
    EXPECT_EQ(t.marks[1].start, 16);
    EXPECT_EQ(t.marks[1].kind, BlockKind::Style);
    RestoreBlocks(t, BlockKind::Script);
    EXPECT_EQ(t.text, QStringLiteral("a\r\n<script>1</script>b<!--style0-->c\r\n<script>3</script><script>4"));
    RestoreBlocks(t, BlockKind::Style);
    EXPECT_EQ(t.text, QStringLiteral("a\r\n<script>1</script>b\r\n<STYLE>2</style>c\r\n<script>3</script><script>4"));
    EXPECT_TRUE(t.marks.isEmpty());
    EXPECT_EQ(BlockPlaceholder(BlockKind::Style, 12), QStringLiteral("<!--style12-->"));
}

TEST(LineBreaks, SameAsStepByStepOnGeneratedPages)
{
    for (quint32 seed = 1; seed <= 300; ++seed) {
        const QString page = generatedPage(seed, 40 + int(seed % 200), seed % 3 == 0);
        SCOPED_TRACE(seed);
        ASSERT_EQ(RemoveLineBreaks(page), refLineBreaks(page, true));
        ASSERT_EQ(InsertLineBreaks(page), refLineBreaks(page, false));
    }
}

// The search stops after a block that ends at or beyond the length the text had at the
// start; with many tiny blocks whose placeholders are longer than they are, that happens
// before the last block.
TEST(LineBreaks, StopsWhereTheStepByStepSearchStops)
{
    QString page;
    for (int i = 0; i < 1500; ++i)
        page += QStringLiteral("<style</style>\r\n");
    EXPECT_EQ(RemoveLineBreaks(page), refLineBreaks(page, true));
    ProtectedText t;
    t.text = page;
    ProtectBlocks(t, BlockKind::Style);
    EXPECT_LT(t.StyleBlocks.size(), 1500);
    EXPECT_TRUE(t.text.endsWith(QStringLiteral("<style</style>\r\n")));
}

// ---------------------------------------------------------------------------------------

struct HyphenCase {
    const char *name;
    const char16_t *input, *output;
    int count;
};

const HyphenCase kHyphenCases[] = {
    {"a lower-case letter after the hyphen", u"<body>well-known</body>", u"<body>wellknown</body>", 1},
    {"a capital after it", u"<body>Well-Known</body>", u"<body>Well-Known</body>", 0},
    {"-to- and -of-", u"<body>up-to-date state-of-the-art</body>", u"<body>up-to-date state-of-the-art</body>", 0},
    {"a digit before it is not examined", u"<body>2-fach</body>", u"<body>2fach</body>", 1},
    {"hyphens before <body> stay", u"<head><title>a-b</title></head>x-y<body>c-d", u"<head><title>a-b</title></head>x-y<body>cd", 1},
    {"inside a tag", u"<body><p data-x=\"1\">z-z</p>", u"<body><p data-x=\"1\">zz</p>", 1},
    {"inside braces", u"<body><style>p {margin-left:0}</style>", u"<body><style>p {margin-left:0}</style>", 0},
    {"a > with no < after it counts as inside", u"<body>a-b >", u"<body>a-b >", 0},
    {"a } with no { after it counts as inside", u"<body>a-b }", u"<body>a-b }", 0},
    {"a < with no > after it is outside", u"<body>a-b <", u"<body>ab <", 1},
    {"Know-how keeps it, know-how does not", u"<body>Know-how know-how</body>", u"<body>Know-how knowhow</body>", 1},
    {"www. within 15 before", u"<body>www.my-site.de</body>", u"<body>www.my-site.de</body>", 0},
    {"www. within 9 after", u"<body>....................see-it www.x.de", u"<body>....................see-it www.x.de", 0},
    {"www. too far after", u"<body>....................see-it at all www.x.de", u"<body>....................seeit at all www.x.de", 1},
    {"www. too far before", u"<body>www.abcdefghijklm-site", u"<body>www.abcdefghijklmsite", 1},
    {"no <body>: from the start", u"a-b", u"ab", 1},
    {"a hyphen at the very end", u"<body>a-", u"<body>a-", 0},
    {"several in a row", u"<body>a-b-c--d", u"<body>abc-d", 3},
    {"Know-how at the very start", u"Know-how", u"Know-how", 0},
    {"-of- at the very start", u"-of-a", u"-of-a", 0},
    {"an exception window clipped at the start reaches further right", u"a-bc-to-", u"a-bc-to-", 0},
    {"the-art at the start", u"the-art", u"the-art", 0},
    {"a removal makes the next one an exception", u"<body>th-e-art", u"<body>the-art", 1},
    {"empty text", u"", u"", 0},
};

TEST(Hyphenation, DocumentedCases)
{
    for (const HyphenCase &c : kHyphenCases) {
        SCOPED_TRACE(c.name);
        const HyphenationResult r = RemoveHyphenation(QString::fromUtf16(c.input));
        EXPECT_EQ(r.text, QString::fromUtf16(c.output));
        EXPECT_EQ(r.count, c.count);
        EXPECT_EQ(refRemoveHyphenation(QString::fromUtf16(c.input)).text, QString::fromUtf16(c.output));
    }
}

TEST(Hyphenation, WindowsClippedAtTheStartKeepTheirLength)
{
    // Near the start the 25-unit window runs from position 1 to 25.
    const QString inside = QStringLiteral("x-y") + QString(18, QLatin1Char('.')) + QStringLiteral("www.");
    const QString outside = QStringLiteral("x-y") + QString(19, QLatin1Char('.')) + QStringLiteral("www.");
    EXPECT_EQ(RemoveHyphenation(inside).count, 0);
    EXPECT_EQ(RemoveHyphenation(outside).text, QStringLiteral("xy") + QString(19, QLatin1Char('.')) + QStringLiteral("www."));
    EXPECT_EQ(refRemoveHyphenation(inside).count, 0);
    EXPECT_EQ(refRemoveHyphenation(outside).count, 1);
}

TEST(Hyphenation, ReportsTheRemovedRange)
{
    const QString in = QStringLiteral("<body>a-b c-D e-f</body>");
    const HyphenationResult r = RemoveHyphenation(in);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.first, 7);
    EXPECT_EQ(r.last, 15);
    // The text outside the range is untouched; inside it lost exactly the hyphens.
    EXPECT_EQ(r.text.left(r.first), in.left(r.first));
    EXPECT_EQ(r.text.mid(r.last + 1 - r.count), in.mid(r.last + 1));
    EXPECT_EQ(RemoveHyphenation(u"<body>A-B").first, -1);
}

TEST(Hyphenation, Predicates)
{
    struct Inside {
        const char16_t *text;
        qsizetype q;
        bool inside;
    } inside[] = {
        {u"a<b>c", 3, true},   {u"a<b>c", 1, false}, {u"a<b>c", 5, false}, {u"x>", 1, true},
        {u"x<", 1, false},     {u"{a}", 2, true},    {u"a{b}", 1, false},  {u"a}{", 1, true},
        {u"abc", 1, false},    {u"a>", 9, false},
    };
    for (const Inside &c : inside)
        EXPECT_EQ(InsideTagOrBraces(QStringView(c.text), c.q), c.inside) << QString::fromUtf16(c.text).toStdString() << " " << c.q;

    struct Exception {
        const char16_t *text;
        qsizetype p;
        bool exception;
    } exceptions[] = {
        {u"up-to-date", 3, true},       {u"up-to-date", 6, true},     {u"state-of-the-art", 6, true},
        {u"state-of-the-art", 13, true}, {u"Know-how", 5, true},       {u"know-how", 5, false},
        {u"the-art", 4, true},          {u"The-art", 4, false},       {u"www.x-y", 6, true},
        {u"abcdefghijklmnopq-www.", 18, true}, {u"www.abcdefghijklm-z", 18, false},
        {u"a-b", 2, false},
    };
    for (const Exception &c : exceptions)
        EXPECT_EQ(IsHyphenException(QStringView(c.text), c.p), c.exception) << QString::fromUtf16(c.text).toStdString() << " " << c.p;
}

TEST(Hyphenation, SameAsOneEditPerHyphenOnGeneratedPages)
{
    for (quint32 seed = 1; seed <= 300; ++seed) {
        const QString page = generatedPage(seed * 7919, 30 + int(seed % 300), seed % 4 == 0);
        SCOPED_TRACE(seed);
        const HyphenationResult r = RemoveHyphenation(page);
        const RefHyphenation ref = refRemoveHyphenation(page);
        ASSERT_EQ(r.text, ref.text);
        ASSERT_EQ(r.count, ref.count);
    }
}

// ---------------------------------------------------------------------------------------

TEST(Selection, CaseCommands)
{
    EXPECT_EQ(UpperToLower(u"ÄBC"), QStringLiteral("Äbc"));
    EXPECT_EQ(LowerToUpper(u"äbc-x1"), QStringLiteral("äBC-X1"));
    EXPECT_EQ(UpperToLower(u""), QString());
}

TEST(Selection, CharacterReference)
{
    struct Case {
        const char16_t *selection;
        const char *reference;
    } cases[] = {
        {u"Ä", "&#196;"},     {u"€", "&#8364;"}, {u"ab", "&#97;"}, {u"\u00a0", "&#160;"},
        {u"\U0001F600x", "&#128512;"}, // a surrogate pair is one character
        {u"\xd83d", "&#55357;"},       // a lone surrogate gives its own code
        {u"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CharacterReference(QStringView(c.selection)), QString::fromLatin1(c.reference));
}

TEST(Selection, StringVariable)
{
    struct Case {
        const char *name;
        const char16_t *selection;
        const char16_t *result; // nullptr: nothing happens
    } cases[] = {
        {"two lines", u"Hello\r\nWorld", u"'Hello'+\r\n'World';"},
        {"a quote is not escaped", u"It's", u"'It's';"},
        {"trimmed as a whole, not per line", u"\r\n  a \r\n\r\n b  \r\n", u"'a '+\r\n''+\r\n' b';"},
        {"blank", u" \r\n\t ", nullptr},
        {"empty", u"", nullptr},
        {"lone LF and CR split too", u"a\nb\rc", u"'a'+\r\n'b'+\r\n'c';"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString r = MakeStringVariable(QStringView(c.selection));
        if (!c.result)
            EXPECT_TRUE(r.isNull());
        else
            EXPECT_EQ(r, QString::fromUtf16(c.result));
    }
    // A long line stays one piece.
    const QString longLine(5000, QLatin1Char('x'));
    EXPECT_EQ(MakeStringVariable(longLine), QLatin1Char('\'') + longLine + QStringLiteral("';"));
}

TEST(WholeText, SpecialChars)
{
    EXPECT_EQ(ReplaceSpecialChars(u"€©®ÄÜÖäüöß"),
              QStringLiteral("&euro;&copy;&reg;&Auml;&Uuml;&Ouml;&auml;&uuml;&ouml;&szlig;"));
    EXPECT_EQ(ReplaceSpecialChars(u"Grüße <b>à</b> 5€"), QStringLiteral("Gr&uuml;&szlig;e <b>à</b> 5&euro;"));
    EXPECT_EQ(ReplaceSpecialChars(u""), QString());
    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QString page = generatedPage(seed, 200, false);
        ASSERT_EQ(ReplaceSpecialChars(page), refReplaceSpecialChars(page));
    }
}

TEST(WholeText, ExtractPageText)
{
    struct Case {
        const char *name;
        const char16_t *page, *text;
    } cases[] = {
        {"no <body>", u"<html><p>a</p></html>", u""},
        {"tags go, entities stay", u"<head>x</head><BODY>\r\n<p>a &nbsp;<b>b</b></p>\r\n</body>", u"a &nbsp;b"},
        {"blank lines go, the others keep their spaces",
         u"<body>\r\n  one  \r\n\r\n   \r\n two\r\n</body>", u"one \r\n two"},
        {"script text stays", u"<body><script>var a=1;</script>x", u"var a=1;x"},
        {"a < without > stays with the rest", u"<body>a < b", u"a < b"},
        {"comments and a > inside an attribute", u"<body><!-- c -->a<img alt=\"x\">b", u"ab"},
        {"the body starts after leading blanks are trimmed", u"  \r\n<body>x", u"x"},
        {"lone line feeds and carriage returns end lines too", u"<body>a\nb\n\n\rc\r", u"a\r\nb\r\nc"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExtractPageText(QStringView(c.page)), QString::fromUtf16(c.text));
    }
    for (quint32 seed = 1; seed <= 100; ++seed) {
        const QString page = generatedPage(seed * 31, 50 + int(seed * 3), seed % 2 == 0);
        SCOPED_TRACE(seed);
        ASSERT_EQ(ExtractPageText(page), refExtract(page));
    }
}

TEST(WholeText, JoinAndBreakAlone)
{
    EXPECT_EQ(JoinLines(u"a\r\r\n\nb"), QStringLiteral("a\r\nb")); // one pass: the new pair stays
    EXPECT_EQ(BreakAfterTags(u"<a>>"), QStringLiteral("<a>\r\n>\r\n"));
    for (quint32 seed = 1; seed <= 50; ++seed) {
        const QString page = generatedPage(seed, 100, true);
        ASSERT_EQ(JoinLines(page), refJoin(page));
    }
}

} // namespace

namespace {

// Short texts from a few pieces, lone line-break characters and control characters
// included, so that the edges meet often.
QString piecesText(QRandomGenerator &rng, bool withStyle)
{
    static const char16_t *pieces[] = {u"<body>", u"<script>", u"</script>", u"<SCRIPT", u"-", u"a", u"A", u" ",
                                       u"   ", u"\r\n", u"\r", u"\n", u"<", u">", u"{", u"}", u"\t", u"\x01",
                                       u"-to-", u"www.", u"Know-how", u"the-art", u"\u2028", u"\u00e4", u"<p>"};
    static const char16_t *styles[] = {u"<style>", u"</style>"};
    QString t;
    const int n = int(rng.bounded(40));
    for (int i = 0; i < n; ++i) {
        if (withStyle && rng.bounded(8) == 0)
            t += QString::fromUtf16(styles[rng.bounded(2)]);
        else
            t += QString::fromUtf16(pieces[rng.bounded(int(std::size(pieces)))]);
    }
    return t;
}

} // namespace

TEST(Differential, ShortTextsWithEveryKindOfEdge)
{
    QRandomGenerator rng(20240601);
    for (int round = 0; round < 20000; ++round) {
        const QString t = piecesText(rng, false);
        SCOPED_TRACE(t.toStdString());
        ASSERT_EQ(RemoveHyphenation(t).text, refRemoveHyphenation(t).text);
        ASSERT_EQ(ExtractPageText(t), refExtract(t));
        ASSERT_EQ(RemoveLineBreaks(t), refLineBreaks(t, true));
        ASSERT_EQ(InsertLineBreaks(t), refLineBreaks(t, false));
        const QString withStyle = piecesText(rng, true);
        ASSERT_EQ(RemoveHyphenation(withStyle).text, refRemoveHyphenation(withStyle).text);
        ASSERT_EQ(ExtractPageText(withStyle), refExtract(withStyle));
    }
}

// The shared text helpers, pinned by tables of cases.
#include "editing/textops.h"
#include "tests/printers.h"

#include <gtest/gtest.h>

#include <random>

using namespace sx;

namespace {

struct FindCase {
    const char16_t *text;
    const char16_t *needle;
    qsizetype start, limit;
    bool wholeWord, matchCase;
    qsizetype expected;
};

} // namespace

TEST(FindInText, Table)
{
    const FindCase cases[] = {
        // Limit 0 or less: -1 even when the needle stands at position 1.
        {u"abc", u"a", 1, 0, false, false, -1},
        {u"abc", u"a", 1, -5, false, false, -1},
        {u"", u"a", 1, 0, false, false, -1},
        // Limit 1 and no occurrence at all: 0.
        {u"abc", u"x", 1, 1, false, false, 0},
        {u"abc", u"x", 1, 3, false, false, 0},
        // Case folding is ASCII only.
        {u"Table TABLE", u"table", 1, 11, false, false, 1},
        {u"Table TABLE", u"table", 1, 11, false, true, 0},
        {u"Table TABLE", u"TABLE", 2, 11, false, true, 7},
        {u"\u00e4rger", u"\u00c4rger", 1, 5, false, false, 0},
        {u"\u00c4RGER", u"\u00c4rger", 1, 5, false, false, 1},
        // Whole words: letters are A-Z, a-z and codes 192-255.
        {u"cat concat cat", u"cat", 2, 14, true, true, 12},
        {u"a_cat", u"cat", 1, 5, true, true, 3},
        {u"\u00e9cat", u"cat", 1, 4, true, true, -1},
        {u"cat", u"cat", 1, 3, true, true, 1},
        {u"xx foobar", u"bar", 1, 9, true, true, -1},
        {u"1cat2", u"cat", 1, 5, true, true, 2},
        {u"-cat-", u"cat", 1, 5, true, true, 2},
        {u"<cat>", u"cat", 1, 5, true, true, 2},
        {u"cats cat", u"cat", 1, 8, true, true, 6},
        {u"cat\u00d7", u"cat", 1, 4, true, true, -1}, // the multiplication sign counts as a letter
        {u"cat\u0100", u"cat", 1, 4, true, true, 1},  // above 255: a boundary
        {u"Cats CAT", u"cat", 1, 8, true, false, 6},
        // An occurrence after Limit gives -1 even when it exists.
        {u"abcabc", u"c", 4, 5, false, false, -1},
        {u"abcabc", u"c", 1, 2, false, false, -1},
        {u"abcabc", u"c", 1, 3, false, false, 3},
        // The search stops at Limit after a rejection.
        {u"concat cat", u"cat", 1, 7, true, true, -1},
        {u"concat cat", u"cat", 1, 8, true, true, 8},
        // Start: below 1 finds nothing, beyond the last possible begin finds nothing.
        {u"abc", u"a", 0, 3, false, false, 0},
        {u"abc", u"a", -3, 3, false, false, 0},
        {u"abc", u"bc", 2, 3, false, false, 2},
        {u"abc", u"bc", 3, 3, false, false, 0},
        {u"abc", u"c", 4, 3, false, false, 0},
        {u"abc", u"abcd", 1, 9, false, false, 0},
        // Empty needle, empty text.
        {u"abc", u"", 1, 3, false, false, 0},
        {u"", u"a", 1, 3, false, false, 0},
        // Overlapping occurrences are not tried after a rejection.
        {u"aaaa", u"aa", 1, 4, true, true, -1},
        {u"baa aa", u"aa", 1, 6, true, true, 5},
        // Beyond the text: a huge limit and a start at the very end.
        {u"ab", u"b", 2, 1000000, false, false, 2},
    };
    for (const FindCase &c : cases) {
        SCOPED_TRACE(testing::Message() << QString::fromUtf16(c.text).toStdString() << " / "
                                        << QString::fromUtf16(c.needle).toStdString() << " start "
                                        << c.start << " limit " << c.limit);
        EXPECT_EQ(FindInText(c.text, c.needle, c.start, c.limit, c.wholeWord, c.matchCase), c.expected);
    }
}

TEST(FindInText, MatchesLiteralSteps)
{
    // A literal version of the steps, compared on generated texts.
    auto literal = [](QString text, QString needle, qsizetype start, qsizetype limit, bool ww,
                      bool mc) -> qsizetype {
        if (limit <= 0)
            return -1;
        if (!mc) {
            text = lowerAscii(text);
            needle = lowerAscii(needle);
        }
        auto letter = [](QChar c) {
            const int u = c.unicode();
            return (u >= 65 && u <= 90) || (u >= 97 && u <= 122) || (u >= 192 && u <= 255);
        };
        for (;;) {
            if (needle.isEmpty() || text.isEmpty() || start < 1
                || start > text.size() - needle.size() + 1)
                return 0;
            const qsizetype i = text.indexOf(needle, start - 1);
            if (i < 0)
                return 0;
            const qsizetype p = i + 1;
            bool ok = true;
            if (ww) {
                const bool b = p > 1 && letter(text[p - 2]);
                const bool a = p + needle.size() <= text.size() && letter(text[p + needle.size() - 1]);
                ok = !a && !b;
            }
            if (ok)
                return p <= limit ? p : -1;
            start = p + needle.size();
            if (start >= limit)
                return -1;
        }
    };
    std::mt19937 rng(7);
    const QString alphabet = QStringLiteral("aAb _\u00e9\u00c9<");
    auto gen = [&](int maxLen) {
        QString s;
        const int n = int(rng() % (maxLen + 1));
        for (int i = 0; i < n; ++i)
            s.append(alphabet[int(rng() % alphabet.size())]);
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString text = gen(14), needle = gen(3);
        const qsizetype start = qsizetype(rng() % 18) - 2, limit = qsizetype(rng() % 18) - 2;
        const bool ww = rng() & 1, mc = rng() & 1;
        ASSERT_EQ(FindInText(text, needle, start, limit, ww, mc), literal(text, needle, start, limit, ww, mc))
            << text.toStdString() << " / " << needle.toStdString() << " " << start << " " << limit << " "
            << ww << mc;
    }
}

TEST(FindHead, Table)
{
    const QString long150 = QString(100, u'x') + QString(50, u'y');
    const QString text = QStringLiteral("--") + QString(100, u'X') + QStringLiteral("zzz");
    struct Case {
        QString needle, text;
        qsizetype offset, editorLength, expected;
    } cases[] = {
        // Only the first 100 characters of the needle count (case-insensitively).
        {long150, text, 1, 1000, 3},
        {long150.left(100), text, 1, 1000, 3},
        {QString(99, u'x') + u'q', text, 1, 1000, 0},
        {QStringLiteral("ZZ"), text, 1, 1000, 103},
        // The editor's own length decides, not the searched text's.
        {QStringLiteral("a"), QStringLiteral("a"), 1, 0, 0},
        {QStringLiteral("abc"), QStringLiteral("abc"), 1, 2, 0},
        {QStringLiteral("abc"), QStringLiteral("abc"), 1, 3, 1},
        {QStringLiteral("b"), QStringLiteral("abc"), 5, 5, 0},
        {QStringLiteral("b"), QStringLiteral("abcb"), 3, 4, 4},
        // Offsets of 0 or less become 1.
        {QStringLiteral("a"), QStringLiteral("abc"), 0, 3, 1},
        {QStringLiteral("a"), QStringLiteral("abc"), -7, 3, 1},
        // Blank needle or text.
        {QStringLiteral(" \t"), QStringLiteral("a \t b"), 1, 10, 0},
        {QStringLiteral("a"), QStringLiteral("  \r\n"), 1, 10, 0},
        {QStringLiteral("a"), QString(), 1, 10, 0},
        {QStringLiteral("q"), QStringLiteral("abc"), 1, 10, 0},
        // Non-ASCII letters compare exactly.
        {QStringLiteral("\u00c4"), QStringLiteral("\u00e4\u00c4"), 1, 10, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.needle.left(20).toStdString() + " in " + c.text.left(20).toStdString());
        EXPECT_EQ(FindHead(c.needle, c.text, c.offset, c.editorLength), c.expected);
    }
}

TEST(ReplaceRange, Table)
{
    struct Case {
        QString text;
        qsizetype start, count;
        QString sub, expected;
    } cases[] = {
        {"abcdef", 3, 2, "X", "abXef"},
        {"abcdef", 3, 0, "X", "abXcdef"},
        {"abcdef", 7, 0, "X", "abcdefX"},
        {"abcdef", 7, 5, "X", "abcdefX"},
        {"abcdef", 20, 2, "X", "abcdefX"},
        {"abcdef", 1, 6, "", ""},
        {"abcdef", 1, 100, "X", "X"},
        {"abcdef", 6, 1, "XY", "abcdeXY"},
        {"", 1, 3, "X", "X"},
        // Positions below 1 lie outside the text: only the part of the range inside it goes.
        {"abcdef", 0, 2, "X", "Xbcdef"},
        {"abcdef", 0, 1, "X", "Xabcdef"},
        {"abcdef", -3, 2, "X", "Xabcdef"},
        // A negative count removes nothing (it never repeats text).
        {"abcdef", 3, -1, "X", "abXcdef"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(c.start) + " " + std::to_string(c.count));
        EXPECT_EQ(ReplaceRange(c.text, c.start, c.count, c.sub), c.expected);
    }
}

TEST(CharCode, Table)
{
    EXPECT_EQ(CharCode(u""), 0);
    EXPECT_EQ(CharCode(u"A"), 65);
    EXPECT_EQ(CharCode(u"\u20acx"), 0x20ac);
    EXPECT_EQ(CharCode(QString(QChar(0))), 0);
    EXPECT_EQ(CharCode(u"\U0001F600"), 0xD83D); // the first 16-bit unit
}

TEST(FirstTag, Table)
{
    const std::pair<QString, QString> cases[] = {
        {"text <b>bold</b>", "<b>"},
        {"a>b<c", ""},
        {"ab>", "ab>"},
        {"", ""},
        {"<b", ""},
        {"no tag", ""},
        {"<>", "<>"},
        {"x <a href=\"y\">z", "<a href=\"y\">"},
        {"<<b>>", "<<b>"},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(FirstTag(in), out) << in.toStdString();
}

TEST(FlattenWhitespace, Table)
{
    auto spaces = [](int n) { return QString(n, u' '); };
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("a\r\n\tb"), "ab"},
        {"a" + spaces(65) + "b", "a  b"},
        {"a" + spaces(64) + "b", "a b"},
        {"a" + spaces(2) + "b", "a b"},
        {"a" + spaces(3) + "b", "a b"},
        {"a" + spaces(200) + "b", "a" + spaces(4) + "b"},
        {QStringLiteral("one\r\ntwo"), "onetwo"},
        {QStringLiteral(" \t \r\n "), " "},
        {"", ""},
        {QStringLiteral("a \u00a0 b"), QStringLiteral("a \u00a0 b")},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(FlattenWhitespace(in), out) << in.toStdString();
}

TEST(FlattenWhitespace, MatchesSixReplaceAllPasses)
{
    auto literal = [](QString s) {
        s.remove(u'\r');
        s.remove(u'\n');
        s.remove(u'\t');
        for (int i = 0; i < 6; ++i)
            s.replace(QStringLiteral("  "), QStringLiteral(" "));
        return s;
    };
    std::mt19937 rng(3);
    for (int i = 0; i < 3000; ++i) {
        QString s;
        const int parts = int(rng() % 8);
        for (int p = 0; p < parts; ++p) {
            s.append(QString(int(rng() % 150), u' '));
            const char16_t mix[] = {u'a', u'\r', u'\n', u'\t', u' '};
            for (int k = int(rng() % 4); k > 0; --k)
                s.append(QChar(mix[rng() % 5]));
        }
        ASSERT_EQ(FlattenWhitespace(s), literal(s)) << s.size();
    }
}

TEST(Copy, Conventions)
{
    struct Case {
        qsizetype start, count;
        const char *expected;
    } cases[] = {
        {1, 3, "abc"}, {2, 2, "bc"},  {0, 2, "ab"},  {-5, 2, "ab"}, {5, 10, "ef"},
        {6, 1, "f"},   {7, 1, ""},    {3, 0, ""},    {3, -1, ""},  {1, 1000000, "abcdef"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(copy(u"abcdef", c.start, c.count), QString::fromLatin1(c.expected))
            << c.start << " " << c.count;
    EXPECT_EQ(copyFrom(u"abcdef", 4), "def");
    EXPECT_EQ(copyFrom(u"abcdef", -1), "abcdef");
    EXPECT_EQ(copyFrom(u"abcdef", 7), "");
}

TEST(Pos, Conventions)
{
    EXPECT_EQ(pos(u"b", u"abcb"), 2);
    EXPECT_EQ(pos(u"b", u"abcb", 3), 4);
    EXPECT_EQ(pos(u"b", u"abcb", 5), 0);
    EXPECT_EQ(pos(u"b", u"abcb", -2), 2);
    EXPECT_EQ(pos(u"", u"abc"), 0);
    EXPECT_EQ(pos(u"abcd", u"abc"), 0);
    EXPECT_EQ(posAsciiCi(u"TaB", u"<tAbLe>"), 2);
    EXPECT_EQ(posAsciiCi(u"\u00e4", u"\u00c4"), 0);
    EXPECT_EQ(posAsciiCi(u"x", u"abc", 2), 0);
    EXPECT_EQ(posAsciiCi(u"c", u"abc", 3), 3);
    EXPECT_EQ(posAsciiCi(u"c", u"abc", 4), 0);
}

TEST(Trim, Conventions)
{
    const QString ctl = QString(QChar(0)) + QChar(1) + QStringLiteral("\t\r\n ") + QChar(31);
    EXPECT_EQ(trim(ctl + "a b" + ctl), "a b");
    EXPECT_EQ(trimLeft(ctl + "a "), "a ");
    EXPECT_EQ(trimRight(" a" + ctl), " a");
    EXPECT_EQ(trim(ctl), "");
    EXPECT_TRUE(isBlank(ctl));
    EXPECT_TRUE(isBlank(u""));
    EXPECT_FALSE(isBlank(u"\u00a0")); // code 160 is not blank
    EXPECT_EQ(trim(u"\u00a0x\u00a0"), QStringLiteral("\u00a0x\u00a0"));
    EXPECT_EQ(lowerAscii(u"ABC\u00c4xyz"), QStringLiteral("abc\u00c4xyz"));
    EXPECT_EQ(upperAscii(u"abc\u00e4XYZ"), QStringLiteral("ABC\u00e4XYZ"));
}

TEST(ReplaceAll, Table)
{
    struct Case {
        QString text, pattern, replacement;
        bool ci;
        QString expected;
        qsizetype count;
    } cases[] = {
        {"aaaa", "aa", "a", false, "aa", 2},
        {"aaa", "aa", "b", false, "ba", 1},
        // Inserted text is not searched again.
        {"ab", "a", "aa", false, "aab", 1},
        {"abab", "ab", "ba", false, "baba", 2},
        {"abc", "", "x", false, "abc", 0},
        {"", "a", "x", false, "", 0},
        {"abc", "abcd", "x", false, "abc", 0},
        {"Table TABLE table", "table", "t", true, "t t t", 3},
        {"Table TABLE table", "table", "t", false, "Table TABLE t", 1},
        // Case-insensitive beyond ASCII.
        {QStringLiteral("\u00e4 \u00c4"), QStringLiteral("\u00e4"), "ae", true, "ae ae", 2},
        {QStringLiteral("\u00e4 \u00c4"), QStringLiteral("\u00e4"), "ae", false, QStringLiteral("ae \u00c4"), 1},
        {QStringLiteral("\U00010428\U00010400"), QStringLiteral("\U00010400"), "D", true, "DD", 2},
        {"x", "x", "", false, "", 1},
    };
    for (const Case &c : cases) {
        qsizetype n = -1;
        EXPECT_EQ(replaceAll(c.text, c.pattern, c.replacement, c.ci, &n), c.expected) << c.text.toStdString();
        EXPECT_EQ(n, c.count) << c.text.toStdString();
    }
    EXPECT_EQ(replaceFirst(u"a-a-a", u"-", u"+"), "a+a-a");
    EXPECT_EQ(replaceFirst(u"xAx", u"a", u"b", true), "xbx");
    EXPECT_EQ(replaceFirst(u"xAx", u"", u"b"), "xAx");
}

TEST(ReplaceAll, OneLongReplacementInABigText)
{
    // A single occurrence in a big text, replaced by a long text: the result is only as big
    // as it needs to be.
    const QString text = QString(4 << 20, u'a') + u'x';
    const QString rep(100000, u'b');
    qsizetype n = 0;
    const QString out = replaceAll(text, u"x", rep, false, &n);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(out.size(), (4 << 20) + 100000);
    EXPECT_TRUE(out.endsWith(rep));
}

TEST(FormatMessage, CaretTexts)
{
    struct Case {
        const char *pattern;
        QList<qlonglong> numbers;
        const char *expected;
    } cases[] = {
        {"Row %3d   Col: %3d", {1, 1}, "Row   1   Col:   1"},
        {"Row %3d   Col: %3d", {12, 345}, "Row  12   Col: 345"},
        {"Row %3d   Col: %3d", {1234, 100000}, "Row 1234   Col: 100000"},
        {"Zeile: %3d   Spalte: %3d", {7, 80}, "Zeile:   7   Spalte:  80"},
        {"%d of %d", {3, 10}, "3 of 10"},
        {"%-3d|", {5}, "5  |"},
        {"100%%", {}, "100%"},
        {"%3d", {-5}, " -5"},
        {"%d %d", {1}, "1 "},
        {"tail %", {}, "tail %"},
        {"%x", {1}, "%x"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatMessage(QString::fromLatin1(c.pattern), c.numbers), QString::fromLatin1(c.expected))
            << c.pattern;
}

TEST(SplitLines, Table)
{
    const std::pair<QString, QStringList> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\n\rb", {"a", "", "b"}},
        {QStringLiteral("a\u2028b"), {"a", "b"}},
        {QString("a") + QChar(0) + "b", {QString("a") + QChar(0) + "b"}},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(splitLines(in), out) << in.toStdString();
}

TEST(Paths, Parts)
{
    EXPECT_EQ(fileNamePart(u"C:\\web\\index.html"), "index.html");
    EXPECT_EQ(folderPart(u"/home/a/index.html"), "/home/a/");
    EXPECT_EQ(extensionPart(u"/home/a.b/index"), "");
    EXPECT_EQ(extensionPart(u"page.HTML"), ".HTML");
}

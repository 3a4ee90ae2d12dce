#include "editing/textops.h"
#include "structure/locator.h"
#include "structurefixture.h"

#include <gtest/gtest.h>

#include <random>

using namespace sx;

namespace {

struct Kind {
    const char16_t *open;
    const char16_t *close;
};
const Kind TD{u"<td", u"</td>"}, TR{u"<tr", u"</tr>"}, TABLE{u"<table", u"</table>"}, FORM{u"<form", u"</form>"},
    DIV{u"<div", u"</div>"}, SPAN{u"<span", u"</span>"};
const Kind kAllKinds[] = {TD, TR, TABLE, FORM, DIV, SPAN};

constexpr const char *kNone = "none";
constexpr const char *kMessage19 = "message 19";

struct LocateCase {
    const char *name;
    const char16_t *marked; // "|" is the caret
    Kind kind;
    const char *expected;   // the text with the selection in "[...]", or kNone / kMessage19
};

const LocateCase kLocateCases[] = {
    {"lower case, caret in the content", u"<table><tr><td>a|b</td></tr></table>", TD,
     "<table><tr>[<td>ab</td>]</tr></table>"},
    {"upper case", u"<TABLE><TR><TD>a|b</TD></TR></TABLE>", TD, "<TABLE><TR>[<TD>ab</TD>]</TR></TABLE>"},
    {"mixed case with attributes", u"<Table border=\"1\"><tR class=\"x\"><Td align=\"left\">a|b</tD></tR></Table>", TD,
     "<Table border=\"1\"><tR class=\"x\">[<Td align=\"left\">ab</tD>]</tR></Table>"},
    {"row in mixed case", u"<Table><tR class=\"x\"><Td>a|b</tD></Tr></Table>", TR,
     "<Table>[<tR class=\"x\"><Td>ab</tD></Tr>]</Table>"},
    {"caret in the start tag after the name", u"<table><tr><td al|ign=\"left\">x</td></tr></table>", TD,
     "<table><tr>[<td align=\"left\">x</td>]</tr></table>"},
    {"caret directly before the <", u"<table><tr>|<td>x</td></tr></table>", TD,
     "<table><tr>[<td>x</td>]</tr></table>"},
    {"caret directly behind the tag name: that tag is not examined", u"<table><tr><td|>b</td></tr></table>", TD, kNone},
    {"caret behind the tag name, the closed cell before it is skipped",
     u"<table><tr><td>a</td><td|>b</td></tr></table>", TD, kNone},
    {"cells next to each other: the next cell begins at the caret",
     u"<table><tr><td>a</td>|<td>b</td></tr></table>", TD, "<table><tr><td>a</td>[<td>b</td>]</tr></table>"},
    {"a line break between the cells: the closed cell is counted and skipped",
     u"<table><tr><td>a</td>|\r\n<td>b</td></tr></table>", TD, kNone},
    {"a closing tag that the caret cuts is not counted", u"<table><tr><td>a</t|d><td>b</td></tr></table>", TD,
     "<table><tr>[<td>a</td>]<td>b</td></tr></table>"},
    {"nested table, caret before it",
     u"<table><tr><td>x|y<table><tr><td>in</td></tr></table>z</td></tr></table>", TD,
     "<table><tr>[<td>xy<table><tr><td>in</td></tr></table>z</td>]</tr></table>"},
    {"nested table, caret after it",
     u"<table><tr><td>xy<table><tr><td>in</td></tr></table>z|</td></tr></table>", TD,
     "<table><tr>[<td>xy<table><tr><td>in</td></tr></table>z</td>]</tr></table>"},
    {"two nested tables one after the other",
     u"<table><tr><td>a|<table><tr><td>1</td></tr></table><table><tr><td>2</td></tr></table>b</td></tr></table>", TD,
     "<table><tr>[<td>a<table><tr><td>1</td></tr></table><table><tr><td>2</td></tr></table>b</td>]</tr></table>"},
    {"a table in a table in a cell: ends at the first </td> after the innermost </table",
     u"<table><tr><td>A|<table><tr><td>B<table><tr><td>C</td></tr></table>D</td></tr></table>E</td></tr></table>", TD,
     "<table><tr>[<td>A<table><tr><td>B<table><tr><td>C</td></tr></table>D</td>]</tr></table>E</td></tr></table>"},
    {"the table from inside a cell of an inner table",
     u" <table><tr><td><table><tr><td>i|n</td></tr></table></td></tr></table>", TABLE,
     " <table><tr><td>[<table><tr><td>in</td></tr></table>]</td></tr></table>"},
    {"the outer table from its own text after the inner one",
     u" <table><tr><td><table><tr><td>in</td></tr></table>|</td></tr></table>", TABLE,
     " [<table><tr><td><table><tr><td>in</td></tr></table></td></tr></table>]"},
    {"the row kind matches <track", u"<table><tr><td><video><track src=\"a\">|</video></td></tr></table>", TR,
     "<table><tr><td><video>[<track src=\"a\"></video></td></tr>]</table>"},
    {"the cell kind does not match a header cell", u"<table><tr><th>h|</th></tr></table>", TD, kNone},
    {"empty text", u"|", TD, kNone},
    {"caret before every start tag", u"ab|c<table><tr><td>x</td></tr></table>", TD, kNone},
    {"a text that begins with <table", u"<table><tr><td>x|</td></tr></table>", TABLE, kMessage19},
    {"position 1 is examined several times", u"<td>x</td>\r\n|", TD, kMessage19},
    {"no closing tag: to the end of the text", u" <table><tr><td>a|bc\r\nd", TD, " <table><tr>[<td>abc\r\nd]"},
    {"form around a table", u"<body><form action=\"x\"><table><tr><td><input>|</td></tr></table></form></body>", FORM,
     "<body>[<form action=\"x\"><table><tr><td><input></td></tr></table></form>]</body>"},
    {"nested div", u"<body><div>a<div>b</div>c|</div></body>", DIV, "<body>[<div>a<div>b</div>c</div>]</body>"},
    {"the first of two divs side by side", u"<body><div>a|</div><div>b</div></body>", DIV,
     "<body>[<div>a</div>]<div>b</div></body>"},
    {"the first of three spans side by side", u"<p><span>a|</span><span>b</span><span>c</span></p>", SPAN,
     "<p>[<span>a</span>]<span>b</span><span>c</span></p>"},
    {"span with a nested span", u"<p><span class=\"a\">x<SPAN>y</SPAN>|z</span></p>", SPAN,
     "<p>[<span class=\"a\">x<SPAN>y</SPAN>z</span>]</p>"},
};

QString describe(const QString &text, const LocateResult &r)
{
    switch (r.outcome) {
    case LocateOutcome::NotFound: return QString::fromLatin1(kNone);
    case LocateOutcome::AtTextStart: return QString::fromLatin1(kMessage19);
    case LocateOutcome::Found: return markSelection(text, r.span.Start, r.span.Length);
    }
    return QString();
}

} // namespace

TEST(LocateElement, Cases)
{
    for (const LocateCase &c : kLocateCases) {
        const MarkedText m = parseMarked(QString::fromUtf16(c.marked));
        const LocateResult r = LocateElement(m.text, m.selStart, c.kind.open, c.kind.close);
        EXPECT_EQ(describe(m.text, r), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(LocateElement, SelectionLengthPlaysNoPart)
{
    const QString text = QStringLiteral("<table><tr><td>a</td><td>b</td></tr></table>");
    // The caret offset alone decides, wherever a selection would end.
    const LocateResult r = LocateElement(text, 16, TD.open, TD.close);
    ASSERT_EQ(r.outcome, LocateOutcome::Found);
    EXPECT_EQ(r.span, (ElementSpan{11, 10}));
}

TEST(SelectEnclosingElement, SelectsAndSetsTheFlagOfItsKind)
{
    struct Row {
        Kind kind;
        bool cell, rowOrTable;
    };
    const Row rows[] = {{TD, true, false}, {TR, false, true}, {TABLE, false, true}, {FORM, false, false},
                        {DIV, false, false}, {SPAN, false, false}};
    const QString text = QStringLiteral(
        " <form><div><span><table><tr><td>x|y</td></tr></table></span></div></form>");
    for (const Row &row : rows) {
        StructureHarness h(text);
        h.state.CellSelected = !row.cell;
        h.state.RowOrTableSelected = !row.rowOrTable;
        SelectEnclosingElement(h.ctx, row.kind.open, row.kind.close);
        const QString open = QString::fromUtf16(row.kind.open);
        EXPECT_TRUE(h.buffer.selText().startsWith(open)) << qPrintable(open);
        EXPECT_TRUE(h.buffer.selText().endsWith(QString::fromUtf16(row.kind.close))) << qPrintable(open);
        EXPECT_EQ(h.state.CellSelected, row.cell) << qPrintable(open);
        EXPECT_EQ(h.state.RowOrTableSelected, row.rowOrTable) << qPrintable(open);
        EXPECT_EQ(h.state.span, (ElementSpan{h.buffer.selStart(), h.buffer.selLength()})) << qPrintable(open);
        EXPECT_TRUE(h.prompts.shown.isEmpty());
    }
}

TEST(SelectEnclosingElement, NothingFoundKeepsTheSelectionAndClearsTheFlags)
{
    StructureHarness h(QStringLiteral("text [before] <table><tr><td>x</td></tr></table>"));
    h.state.CellSelected = h.state.RowOrTableSelected = true;
    SelectEnclosingElement(h.ctx, TD.open, TD.close);
    EXPECT_EQ(h.marked(), QStringLiteral("text [before] <table><tr><td>x</td></tr></table>"));
    EXPECT_FALSE(h.state.CellSelected);
    EXPECT_FALSE(h.state.RowOrTableSelected);
    EXPECT_TRUE(h.prompts.shown.isEmpty());
}

TEST(SelectEnclosingElement, StartTagAtTheFirstCharacterShowsMessage19)
{
    StructureHarness h(QStringLiteral("<table><tr><td>x|</td></tr></table>"));
    h.state.RowOrTableSelected = true;
    SelectEnclosingElement(h.ctx, TABLE.open, TABLE.close);
    EXPECT_EQ(h.shown(), QStringList{QStringLiteral(
                             "plain|Sorvex|Set the cursor into a table structure to select a table element.|[OK]")});
    EXPECT_EQ(h.marked(), QStringLiteral("<table><tr><td>x|</td></tr></table>"));
    EXPECT_FALSE(h.state.CellSelected);
    EXPECT_FALSE(h.state.RowOrTableSelected);
}

// ---------------------------------------------------------------------------------------
// The locator against a literal rendering of its steps (a copy per candidate position,
// full-text searches) on generated tag soup, for every kind and every caret position.

namespace {

LocateResult literalLocate(const QString &T, qsizetype S, const QString &openTag, const QString &closeTag)
{
    LocateResult result;
    const qsizetype L = openTag.size();
    const QString stub = copy(closeTag, 1, L + 1);
    QString nestOpen = QStringLiteral("<table"), nestClose = QStringLiteral("</table");
    if (openTag == QLatin1String("<div") || openTag == QLatin1String("<span")) {
        nestOpen = openTag;
        nestClose = closeTag;
    }
    const QString before = copy(T, 1, S);
    int depth = 0;
    qsizetype start = -1;
    auto examine = [&](qsizetype P) {
        if (P < 1)
            P = 1;
        if (lowerAscii(copy(before, P, L + 1)) == lowerAscii(stub))
            ++depth;
        if (lowerAscii(copy(T, P, L)) == lowerAscii(openTag)) {
            if (depth <= 0) {
                start = P - 1;
                return true;
            }
            --depth;
        }
        return false;
    };
    bool found = examine(S + 1);
    for (qsizetype P = S - L; !found && P >= 1 - L; --P)
        found = examine(P);
    if (!found)
        return result;
    if (start == 0) {
        result.outcome = LocateOutcome::AtTextStart;
        return result;
    }
    const qsizetype n = T.size();
    qsizetype end = 0;
    qsizetype q = FindInText(T, closeTag, start, n, false, false);
    if (q > 0)
        end = q + closeTag.size();
    qsizetype j = start + L;
    do {
        q = FindInText(T, nestOpen, j, end - 1, false, false);
        if (q > 0) {
            q = FindInText(T, nestClose, j, n, false, false);
            if (q > 0) {
                j = q + 4;
                q = FindInText(T, closeTag, j, n, false, false);
                if (q > 0)
                    end = q + closeTag.size();
            }
        }
    } while (!(q <= 0 || end >= n));
    result.outcome = LocateOutcome::Found;
    result.span.Start = start;
    result.span.Length = end > 0 ? end - start - 1 : n - start;
    return result;
}

QString tagSoup(std::mt19937 &rng, int tokens)
{
    static const char16_t *const parts[] = {
        u"<td>", u"</td>", u"<TD a=1>", u"</Td>", u"<tr>", u"</tr>", u"<TR>", u"<track>", u"<th>", u"<table>",
        u"</table>", u"<TABLE>", u"</table", u"<div>", u"</div>", u"<span>", u"</SPAN>", u"<form>", u"</form>",
        u"x", u"\r\n", u"<", u"/", u">", u"<t", u"d", u"</"};
    std::uniform_int_distribution<int> pick(0, int(std::size(parts)) - 1);
    QString s;
    for (int i = 0; i < tokens; ++i)
        s += QString::fromUtf16(parts[pick(rng)]);
    return s;
}

} // namespace

TEST(LocateElement, SameAsTheLiteralStepsOnGeneratedText)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> length(0, 24);
    int found = 0;
    for (int round = 0; round < 400; ++round) {
        const QString text = tagSoup(rng, length(rng));
        for (const Kind &k : kAllKinds) {
            const QString open = QString::fromUtf16(k.open), close = QString::fromUtf16(k.close);
            for (qsizetype s = 0; s <= text.size(); ++s) {
                const LocateResult a = LocateElement(text, s, open, close);
                const LocateResult b = literalLocate(text, s, open, close);
                ASSERT_EQ(describe(text, a), describe(text, b)) << qPrintable(text) << " caret " << s << " "
                                                                << qPrintable(open);
                found += a.outcome == LocateOutcome::Found;
            }
        }
    }
    EXPECT_GT(found, 1000); // the generator reaches the interesting paths
}

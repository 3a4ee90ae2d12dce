#include "editing/textops.h"
#include "structure/cells.h"
#include "structure/scan.h"
#include "structurefixture.h"

#include <gtest/gtest.h>

#include <random>

using namespace sx;

namespace {

const QString kCell = QStringLiteral("<td align=\"left\" valign=\"top\">&nbsp;</td>");
const QString kRow = QStringLiteral("<tr>") + kCell + QStringLiteral("</tr>");
// The inserted texts with their first character selected, as marked() shows them.
const QString kCellSel = QStringLiteral("[<]") + kCell.mid(1);
const QString kRowSel = QStringLiteral("[<]") + kRow.mid(1);

const QString kMsg19 = QStringLiteral("plain|Sorvex|Set the cursor into a table structure to select a table element.|[OK]");
const QString kMsg29 = QStringLiteral("confirmation|Sorvex|Delete?|[Yes,No]");
const QString kMsg40 = QStringLiteral("error|Sorvex|Select at least two TDs to merge them!|[OK]");
const QString kMsg41 = QStringLiteral("error|Sorvex|Merging across several tables not supported!|[OK]");
const QString kMsg42 = QStringLiteral("error|Sorvex|Merging failed. check your selection.|[OK]");
const QString kMsg50 = QStringLiteral("error|Sorvex|No TD selected!|[OK]");

AskPosition answer(int vor)
{
    return [vor] { return vor; };
}

} // namespace

// ---------------------------------------------------------------------------------------
// Insert.

TEST(InsertTableItem, BeforeAndBehindTheRowOrCellAroundTheCaret)
{
    struct Case {
        const char *name;
        QString marked;
        bool isCell;
        int vor;
        QString expected;
        QStringList shown;
    };
    const QString row2 = QStringLiteral("<table>\r\n<tr><td>a|b</td><td>c</td></tr>\r\n</table>");
    const Case cases[] = {
        {"row before", row2, false, 0,
         "<table>\r\n" + kRowSel + "<tr><td>ab</td><td>c</td></tr>\r\n</table>", {}},
        {"row behind", row2, false, 1,
         "<table>\r\n<tr><td>ab</td><td>c</td></tr>" + kRowSel + "\r\n</table>", {}},
        {"cell before", row2, true, 0, "<table>\r\n<tr>" + kCellSel + "<td>ab</td><td>c</td></tr>\r\n</table>", {}},
        {"cell behind", row2, true, 1, "<table>\r\n<tr><td>ab</td>" + kCellSel + "<td>c</td></tr>\r\n</table>", {}},
        {"upper case row, three columns: still one cell",
         "<TABLE><TR><TD>1</TD><TD>2|</TD><TD>3</TD></TR></TABLE>", false, 1,
         "<TABLE><TR><TD>1</TD><TD>2</TD><TD>3</TD></TR>" + kRowSel + "</TABLE>", {}},
        {"outside any table: at the caret", "text a|b", false, 1, "text a" + kRowSel + "b", {}},
        {"a whole row selected is taken as it is", " <table>[<TR><td>1</td></TR><tr><td>2</td></tr>]</table>", false, 1,
         " <table><TR><td>1</td></TR><tr><td>2</td></tr>" + kRowSel + "</table>", {}},
        {"a blank selection counts as the caret", "x[   ]y", true, 1, "x" + kCellSel + "   y", {}},
        {"a selection that is not an element: its start", "x[ab]y", true, 0, "x" + kCellSel + "aby", {}},
        {"a selection that is not an element: its end", "x[ab]y", true, 1, "xab" + kCellSel + "y", {}},
        {"the row at the first character: message 19, insert at the caret", "<tr><td>a|</td></tr>", false, 1,
         "<tr><td>a" + kRowSel + "</td></tr>", {kMsg19}},
    };
    for (const Case &c : cases) {
        StructureHarness h(c.marked);
        const QString original = h.buffer.text();
        InsertTableItem(h.ctx, c.isCell, answer(c.vor));
        EXPECT_EQ(h.marked(), c.expected) << c.name;
        EXPECT_EQ(h.shown(), c.shown) << c.name;
        EXPECT_EQ(h.buffer.undoDepth(), 1) << c.name;
        h.buffer.undo();
        EXPECT_EQ(h.buffer.text(), original) << c.name;
    }
}

TEST(InsertTableItem, CancelChangesNothing)
{
    StructureHarness h(QStringLiteral("<table><tr><td>a|</td></tr></table>"));
    bool asked = false;
    InsertTableItem(h.ctx, false, [&] {
        asked = true;
        return -1;
    });
    EXPECT_TRUE(asked);
    EXPECT_EQ(h.marked(), QStringLiteral("<table><tr><td>a|</td></tr></table>"));
    EXPECT_EQ(h.buffer.undoDepth(), 0);
}

// ---------------------------------------------------------------------------------------
// Delete: the select step, then the confirmation.

TEST(DeleteTableElement, AsksAndDeletesOnYes)
{
    struct Case {
        const char *name;
        QString marked;
        const char16_t *open, *close;
        bool cell;
        int answer;
        QString expected;
        QStringList shown;
    };
    const QString t = QStringLiteral("<body>\r\n<table>\r\n<tr><td>a|</td><td>b</td></tr>\r\n</table>\r\n</body>");
    const Case cases[] = {
        {"row, Yes", t, u"<tr", u"</tr>", false, Btn::Yes, "<body>\r\n<table>\r\n|\r\n</table>\r\n</body>", {kMsg29}},
        {"cell, Yes", t, u"<td", u"</td>", true, Btn::Yes,
         "<body>\r\n<table>\r\n<tr>|<td>b</td></tr>\r\n</table>\r\n</body>", {kMsg29}},
        {"table, Yes", t, u"<table", u"</table>", false, Btn::Yes, "<body>\r\n|\r\n</body>", {kMsg29}},
        {"row, No: stays selected", t, u"<tr", u"</tr>", false, Btn::No,
         "<body>\r\n<table>\r\n[<tr><td>a</td><td>b</td></tr>]\r\n</table>\r\n</body>", {kMsg29}},
        {"caret outside: no question", "<p>x|</p>", u"<td", u"</td>", true, Btn::Yes, "<p>x|</p>", {}},
        {"start tag at the first character: message 19 only", "<table><tr><td>x|</td></tr></table>", u"<table",
         u"</table>", false, Btn::Yes, "<table><tr><td>x|</td></tr></table>", {kMsg19}},
        {"no closing tag: Yes deletes to the end", " <table><tr><td>a|b\r\nc", u"<td", u"</td>", true, Btn::Yes,
         " <table><tr>|", {kMsg29}},
    };
    for (const Case &c : cases) {
        StructureHarness h(c.marked);
        h.prompts.answers = {c.answer};
        SelectEnclosingElement(h.ctx, c.open, c.close);
        ConfirmDeleteSelection(h.ctx, c.cell ? h.state.CellSelected : h.state.RowOrTableSelected);
        EXPECT_EQ(h.marked(), c.expected) << c.name;
        EXPECT_EQ(h.shown(), c.shown) << c.name;
        EXPECT_LE(h.buffer.undoDepth(), 1) << c.name;
    }
}

// ---------------------------------------------------------------------------------------
// AdjustSpan and MergeCells.

TEST(AdjustSpan, Cases)
{
    struct Case {
        const char *name;
        QString text;
        long long count;
        QString expected;
    };
    const Case cases[] = {
        {"plain start tag", "<td>a</td>", 2, "<td colspan=\"2\" >a</td>"},
        {"attributes", "<td align=\"left\" valign=\"top\">a</td>", 2,
         "<td align=\"left\" valign=\"top\" colspan=\"2\" >a</td>"},
        {"existing span in double quotes", "<td colspan=\"2\">a</td>", 2, "<td colspan=\"3\">a</td>"},
        {"single quotes", "<td colspan='2'>a</td>", 3, "<td colspan='4'>a</td>"},
        {"bare value followed by an attribute", "<td colspan=2 align=\"left\">a</td>", 2,
         "<td colspan=3 align=\"left\">a</td>"},
        {"span after other attributes", "<td style=\"x\" colspan=\"2\">", 2, "<td style=\"x\" colspan=\"3\">"},
        {"split lowers a span of 3", "<td colspan=\"3\">a</td>", 0, "<td colspan=\"2\">a</td>"},
        {"split keeps a span of 1", "<td colspan=\"1\">a</td>", 0, "<td colspan=\"1\">a</td>"},
        {"never below 1", "<td colspan=\"0\">a</td>", 0, "<td colspan=\"1\">a</td>"},
        {"split without a span: unchanged", "<td>a</td>", 0, "<td>a</td>"},
        {"one cell: unchanged", "<td>a</td>", 1, "<td>a</td>"},
        {"upper-case COLSPAN is not recognised", "<TD COLSPAN=\"2\">a</TD>", 2,
         "<TD COLSPAN=\"2\" colspan=\"2\" >a</TD>"},
        {"leading blanks", "  <td>a</td>", 2, "  <td colspan=\"2\" >a</td>"},
        {"a row: its first cell", "<tr><td>a</td><td>b</td></tr>", 3, "<tr><td colspan=\"3\" >a</td><td>b</td></tr>"},
        {"only the first cell's span is read", "<td>a</td><td colspan=\"5\">b</td>", 2,
         "<td colspan=\"2\" >a</td><td colspan=\"5\">b</td>"},
        {"text before the first cell: its first <td is the target", "x</td><td>a b</td>", 2,
         "x</td><td colspan=\"2\" >a b</td>"},
        {"no cell start tag: never written outside a tag", "a b c", 2, "a b c"},
        {"no > after the tag", "<td a=\"1\"", 2, "<td a=\"1\""},
        {"a span without digits", "<td colspan=\"\">a</td>", 2, "<td colspan=\"\">a</td>"},
        {"a value beyond the integer range counts as Count", "<td colspan=\"99999999999\">", 2, "<td colspan=\"2\">"},
        {"... and a split writes 1 for it", "<td colspan=\"99999999999\">", 0, "<td colspan=\"1\">"},
        {"digits among other characters", "<td colspan=\"1a2\">", 2, "<td colspan=\"13a\">"},
        {"leading zeros", "<td colspan=\"007\">", 2, "<td colspan=\"8\">"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AdjustSpan(c.text, c.count), c.expected) << c.name;
}

TEST(MergeCells, Cases)
{
    struct Case {
        const char *name;
        QString sel;
        QString result;
        int count;
        int message;
    };
    const Case cases[] = {
        {"three cells", "<td>a</td><td>b</td><td>c</td>", "<td>a b c</td>", 3, 0},
        {"the first cell's span is kept for AdjustSpan", "<td colspan=\"2\">a</td><td colspan=\"4\">b</td>",
         "<td colspan=\"2\">a b</td>", 2, 0},
        {"one cell: <tr> and </tr> leave its content", "<td>a<tr>b</tr></td>", "<td>ab</td>", 1, 0},
        {"over a row boundary", "<td>a</td></tr><tr><td>b</td>", "<td>a b</td>", 2, 0},
        {"a <tr> with attributes stays", "<td>a</td></tr><tr class=\"x\"><td>b</td>",
         "<td>a <tr class=\"x\">b</td>", 2, 0},
        {"upper case", "<TD>a</TD><TD>b</TD>", "<TD>a b</TD>", 2, 0},
        {"text before the first cell is kept in the head", "x</td><td>a</td><td>b</td>", "x</td><td>a b</td>", 2, 0},
        {"a <td without > counts and ends the removal", "<td>a</td><td b</td>", "<td>a <td b</td>", 2, 0},
        {"a start tag that a removal brings together", "<td>x<<td>td>y</td>", "<td>xy</td>", 3, 0},
        {"no <td", "abc</td>", "", 1, 40},
        {"no > after the <td", "<td a", "", 1, 40},
        {"no </td> after the first start tag", "<td>abc", "", 1, 0},
        {"a table inside", "<td>a<table><tr><td>b</td></tr></table></td>", "", 1, 41},
        {"blank content", "<td> </td><td></td>", "", 1, 42},
    };
    for (const Case &c : cases) {
        const MergeOutcome m = MergeCells(c.sel);
        EXPECT_EQ(m.Result, c.result) << c.name;
        EXPECT_EQ(m.message, c.message) << c.name;
        if (c.message == 0 && !c.result.isEmpty())
            EXPECT_EQ(m.Count, c.count) << c.name;
    }
}

namespace {

// MergeCells step by step as written: the start tags removed one at a time, each time
// searching from the start of the text again.
MergeOutcome literalMerge(const QString &sel)
{
    MergeOutcome m;
    const qsizetype td = posAsciiCi(u"<td", sel);
    const qsizetype gt = td > 0 ? pos(u">", sel, td) : 0;
    if (td == 0 || gt == 0) {
        m.message = 40;
        return m;
    }
    qsizetype last = 0;
    for (qsizetype p = posAsciiCi(u"</td>", sel, gt); p > 0; p = posAsciiCi(u"</td>", sel, p + 1))
        last = p;
    if (last == 0)
        return m;
    const QString head = copy(sel, 1, gt), tail = copyFrom(sel, last);
    QString inner = copy(sel, gt + 1, last - gt - 1);
    if (posAsciiCi(u"<table", inner) > 0) {
        m.message = 41;
        return m;
    }
    inner = replaceAll(inner, u"</td>", u" ", true);
    for (;;) {
        const qsizetype p = posAsciiCi(u"<td", inner);
        if (p == 0)
            break;
        ++m.Count;
        const qsizetype q = pos(u">", inner, p);
        if (q == 0)
            break;
        inner = ReplaceRange(inner, p, q - p + 1, u"");
    }
    inner = replaceAll(inner, u"<tr>", u"", true);
    inner = replaceAll(inner, u"</tr>", u"", true);
    if (isBlank(inner)) {
        m.message = 42;
        return m;
    }
    m.Result = head + inner + tail;
    return m;
}

QString cellSoup(std::mt19937 &rng, int tokens)
{
    static const char16_t *const parts[] = {u"<td>", u"</td>", u"<TD x>", u"</TD>", u"<tr>", u"</TR>", u"<t",
                                            u"d", u">", u"<", u"a", u" ", u"<table>", u"colspan=\"2\"",
                                            u"<td colspan=3>", u"</"};
    std::uniform_int_distribution<int> pick(0, int(std::size(parts)) - 1);
    QString s;
    for (int i = 0; i < tokens; ++i)
        s += QString::fromUtf16(parts[pick(rng)]);
    return s;
}

} // namespace

TEST(MergeCells, SameAsTheStepsOneAtATimeOnGeneratedText)
{
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> length(0, 30);
    int merged = 0;
    for (int round = 0; round < 20000; ++round) {
        const QString sel = cellSoup(rng, length(rng));
        const MergeOutcome a = MergeCells(sel), b = literalMerge(sel);
        ASSERT_EQ(a.Result, b.Result) << qPrintable(sel);
        ASSERT_EQ(a.message, b.message) << qPrintable(sel);
        if (!a.Result.isEmpty()) {
            ASSERT_EQ(a.Count, b.Count) << qPrintable(sel);
            ++merged;
        }
    }
    EXPECT_GT(merged, 1000);
}

// ---------------------------------------------------------------------------------------
// The merge command.

TEST(MergeSelectedCells, Cases)
{
    struct Case {
        const char *name;
        QString marked;
        QString expected;
        QStringList shown;
    };
    const Case cases[] = {
        {"three cells with one word each", " <tr>[<td>one</td><td>two</td><td>three</td>]</tr>",
         " <tr><td colspan=\"3\" >one two three</td>|</tr>", {}},
        {"line breaks disappear without a space", "<table>\r\n<tr>[<td>a</td>\r\n<td>b\r\nc</td>]</tr>",
         "<table>\r\n<tr><td colspan=\"2\" >a bc</td>|</tr>", {}},
        {"the first cell has a span of 2", " [<td colspan=\"2\">a</td><td colspan=\"4\">b</td>]",
         " <td colspan=\"3\">a b</td>|", {}},
        {"over a row boundary", " <table><tr><td>a</td>[<td>b</td></tr>\r\n<tr><td>c</td>]<td>d</td></tr></table>",
         " <table><tr><td>a</td><td colspan=\"2\" >b c</td>|<td>d</td></tr></table>", {}},
        {"one cell: whitespace collapsed, <tr> and </tr> removed", " [<td>a  \r\n  b<tr>x</tr></td>]",
         " <td>a bx</td>|", {}},
        {"upper-case COLSPAN gets a second span", " [<TD COLSPAN=\"2\">a</TD><TD>b</TD>]",
         " <TD COLSPAN=\"2\" colspan=\"2\" >a b</TD>|", {}},
        {"the selection begins in a cell's content", "<td>x[y</td><td>a</td><td>b</td>]",
         "<td>xy</td><td colspan=\"2\" >a b</td>|", {}},
        {"blank selection", " <td>a</td>[   ]", " <td>a</td>|   ", {kMsg40}},
        {"no selection", " <td>a|</td>", " <td>a|</td>", {kMsg40}},
        {"no cell start tag", " [abc</td>]", " [abc</td>]", {kMsg40}},
        {"no > after <td", " [<td abc]", " [<td abc]", {kMsg40}},
        {"no </td> after the first cell", " [<td>abc]", " [<td>abc]", {}},
        {"a table inside", " [<td>a<table><tr><td>b</td></tr></table></td>]",
         " [<td>a<table><tr><td>b</td></tr></table></td>]", {kMsg41}},
        {"blank content", " [<td> </td><td>\r\n</td>]", " [<td> </td><td>\r\n</td>]", {kMsg42}},
        {"selection at the first character of the text", "[<td>a</td><td>b</td>]", "[<td>a</td><td>b</td>]", {}},
    };
    for (const Case &c : cases) {
        StructureHarness h(c.marked);
        const QString original = h.buffer.text();
        MergeSelectedCells(h.ctx);
        EXPECT_EQ(h.marked(), c.expected) << c.name;
        EXPECT_EQ(h.shown(), c.shown) << c.name;
        if (h.buffer.text() != original) {
            EXPECT_EQ(h.buffer.undoDepth(), 1) << c.name;
            h.buffer.undo();
            EXPECT_EQ(h.buffer.text(), original) << c.name;
        } else {
            EXPECT_EQ(h.buffer.undoDepth(), 0) << c.name;
        }
    }
}

// ---------------------------------------------------------------------------------------
// The split command.

TEST(SplitSelectedCell, Cases)
{
    struct Case {
        const char *name;
        QString marked;
        int vor;
        QString expected;
        QStringList shown;
    };
    const Case cases[] = {
        {"span 3 becomes 2, the new cell behind", " <tr>[<td colspan=\"3\">a</td>]\r\n</tr>", 1,
         " <tr><td colspan=\"2\">a</td>" + kCellSel + "\r\n</tr>", {}},
        {"... and with before as well, as no cell encloses the caret", " <tr>[<td colspan=\"3\">a</td>]\r\n</tr>", 0,
         " <tr><td colspan=\"2\">a</td>" + kCellSel + "\r\n</tr>", {}},
        {"no span: the row grows by one cell", " <tr>[<td>a</td>]\r\n</tr>", 1,
         " <tr><td>a</td>" + kCellSel + "\r\n</tr>", {}},
        {"span 1 stays", " <tr>[<td colspan=1>a</td>]</tr>", 1, " <tr><td colspan=1>a</td>" + kCellSel + "</tr>", {}},
        {"a whole row selected: the new cell before its </tr>", " <table>[<tr><td colspan=\"2\">a</td></tr>]</table>", 1,
         " <table><tr><td colspan=\"1\">a</td>" + kCellSel + "</tr></table>", {}},
        {"the next cell follows directly: before puts the new cell between",
         " <tr>[<td colspan=\"2\">a</td>]<td>b</td></tr>", 0,
         " <tr><td colspan=\"1\">a</td>" + kCellSel + "<td>b</td></tr>", {}},
        {"... behind puts it behind the next cell", " <tr>[<td colspan=\"2\">a</td>]<td>b</td></tr>", 1,
         " <tr><td colspan=\"1\">a</td><td>b</td>" + kCellSel + "</tr>", {}},
        {"blanks and line breaks around the selection are dropped", " <tr>[  <td colspan=\"2\">a</td>\r\n]</tr>", 1,
         " <tr><td colspan=\"1\">a</td>" + kCellSel + "</tr>", {}},
        {"inside an outer cell: the new cell goes before the enclosing cell",
         " <table><tr><td>x<table><tr>[<td>a</td>]\r\n</tr></table></td></tr></table>", 0,
         " <table><tr>" + kCellSel + "<td>x<table><tr><td>a</td>\r\n</tr></table></td></tr></table>", {}},
        {"cancel keeps the lowered span, caret behind it", " <tr>[<td colspan=\"3\">a</td>]\r\n</tr>", -1,
         " <tr><td colspan=\"2\">a</td>|\r\n</tr>", {}},
        {"cancel with a whole row: caret before its </tr>", " [<tr><td>a</td></tr>]", -1, " <tr><td>a</td>|</tr>", {}},
        {"blank selection", " <td>a</td>[ \r\n ]", -2, " <td>a</td>[ \r\n ]", {kMsg50}},
        {"no selection", " <td>a|</td>", -2, " <td>a|</td>", {kMsg50}},
    };
    for (const Case &c : cases) {
        StructureHarness h(c.marked);
        const QString original = h.buffer.text();
        bool asked = false;
        SplitSelectedCell(h.ctx, [&] {
            asked = true;
            return c.vor;
        });
        EXPECT_EQ(h.marked(), c.expected) << c.name;
        EXPECT_EQ(h.shown(), c.shown) << c.name;
        EXPECT_EQ(asked, c.vor != -2) << c.name;
        if (h.buffer.text() != original) {
            EXPECT_EQ(h.buffer.undoDepth(), 1) << c.name;
            h.buffer.undo();
            EXPECT_EQ(h.buffer.text(), original) << c.name;
        }
    }
}

namespace {

// The split as its steps read: rewrite the selection, move the caret, then the insert-cell
// command on the rewritten text (two edits).
void literalSplit(StructureHarness &h, int vor)
{
    const QString sel = h.buffer.selText();
    if (isBlank(sel)) {
        ShowStructureMessage(h.ctx, MsgKind::Error, 50);
        return;
    }
    const QString r = AdjustSpan(sel, 0);
    h.buffer.setSelText(trim(r));
    if (endsWithAsciiCi(r, u"</tr>"))
        h.buffer.setSelStart(h.buffer.selStart() - 5);
    InsertTableItem(h.ctx, true, answer(vor));
}

} // namespace

TEST(SplitSelectedCell, SameAsTheStepsOneAfterTheOtherOnGeneratedText)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> length(0, 16);
    std::uniform_int_distribution<int> answerOf(-1, 1);
    static const char16_t *const parts[] = {u"<td>", u"</td>", u"<td colspan=\"3\">", u"<tr>", u"</tr>", u"<table>",
                                            u"</table>", u"x", u"\r\n", u" ", u"<TD COLSPAN=2>", u"</TR>"};
    std::uniform_int_distribution<int> pick(0, int(std::size(parts)) - 1);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int i = length(rng); i > 0; --i)
            text += QString::fromUtf16(parts[pick(rng)]);
        std::uniform_int_distribution<qsizetype> at(0, text.size());
        qsizetype a = at(rng), b = at(rng);
        if (a > b)
            std::swap(a, b);
        const int vor = answerOf(rng);
        StructureHarness mine, literal;
        for (StructureHarness *h : {&mine, &literal}) {
            h->buffer.loadText(text);
            h->buffer.select(a, b - a);
        }
        SplitSelectedCell(mine.ctx, answer(vor));
        literalSplit(literal, vor);
        ASSERT_EQ(mine.marked(), literal.marked()) << qPrintable(markSelection(text, a, b - a)) << " vor " << vor;
        ASSERT_EQ(mine.shown(), literal.shown());
        ASSERT_EQ(mine.state.CellSelected, literal.state.CellSelected);
        ASSERT_LE(mine.buffer.undoDepth(), 1);
    }
}

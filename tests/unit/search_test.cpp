#include "app/catalogue.h"
#include "editing/search.h"
#include "editing/textbuffer.h"
#include "editing/textops.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct Fixture {
    TextBuffer buffer;
    ScriptedPrompts prompts;
    SearchState state;
    SearchContext ctx{buffer, prompts, [](int n) { return MessageCatalogue::english().value(n); }};
    explicit Fixture(const QString &text) { buffer.loadText(text); }
    QString selection() const { return buffer.selText(); }
};

const QString kNotFound = QStringLiteral("Search string not found.");

} // namespace

// The windowed search must find exactly what FindInText finds over the whole text,
// whatever the window size.
TEST(FindInBuffer, SameAsFindInTextOnGeneratedTexts)
{
    std::mt19937 rng(7);
    const QString alphabet = QStringLiteral("aAb <>_\u00e9\u00c4td");
    auto randomText = [&](int maxLen) {
        QString s;
        const int n = int(rng() % (maxLen + 1));
        for (int i = 0; i < n; ++i)
            s.append(alphabet[int(rng() % alphabet.size())]);
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        const QString text = randomText(40);
        QString needle = randomText(3);
        if (needle.isEmpty())
            needle = QStringLiteral("a");
        const qsizetype start = qsizetype(rng() % 45) - 2;
        const bool ww = rng() % 2, mc = rng() % 2;
        TextBuffer b(text);
        const qsizetype expected = std::max<qsizetype>(0, sx::FindInText(text, needle, start, text.size(), ww, mc));
        for (qsizetype chunk : {1, 2, 3, 5, 1 << 16})
            ASSERT_EQ(FindInBuffer(b, needle, start, ww, mc, chunk), expected)
                << text.toStdString() << " / " << needle.toStdString() << " start " << start << " ww " << ww
                << " mc " << mc << " chunk " << chunk;
    }
}

TEST(DoFind, RepeatedFindNextWalksAdjacentOccurrences)
{
    Fixture f(QStringLiteral("<td><td>"));
    PrepareFind(f.buffer);
    EXPECT_EQ(f.buffer.selStart(), 1);
    // The first search starts at position 1 (nothing selected), even though the caret
    // stands after the first character.
    ASSERT_TRUE(DoFind(f.ctx, f.state, QStringLiteral("<td>"), false, false));
    EXPECT_EQ(f.buffer.selStart(), 0);
    EXPECT_EQ(f.buffer.selLength(), 4);
    EXPECT_EQ(f.state.FindNextStart, 2);
    ASSERT_TRUE(DoFind(f.ctx, f.state, QStringLiteral("<td>"), false, false));
    EXPECT_EQ(f.buffer.selStart(), 4);
    EXPECT_EQ(f.state.FindNextStart, 6);
    EXPECT_EQ(f.state.LastFindText, QStringLiteral("<td>"));
    // Third press: nothing after the selection; plain box, caret after the first character.
    EXPECT_FALSE(DoFind(f.ctx, f.state, QStringLiteral("<td>"), false, false));
    ASSERT_EQ(f.prompts.shown.size(), 1);
    EXPECT_EQ(f.prompts.shown[0].kind, MsgKind::Plain);
    EXPECT_EQ(f.prompts.shown[0].caption, QStringLiteral("Sorvex"));
    EXPECT_EQ(f.prompts.shown[0].text, kNotFound);
    EXPECT_EQ(f.prompts.shown[0].buttons, Btn::OK);
    EXPECT_EQ(f.buffer.selStart(), 1);
    EXPECT_EQ(f.buffer.selLength(), 0);
    EXPECT_EQ(f.state.FindNextStart, 6); // a failed search leaves it
}

TEST(DoFind, WholeWordAndMatchCase)
{
    struct Case {
        const char16_t *text, *find;
        bool matchCase, wholeWord;
        qsizetype selStart; // -1: not found
    };
    const Case cases[] = {
        {u"<td>", u"td", false, true, 1},
        {u"<tda>", u"td", false, true, -1},
        {u"x TABLE", u"table", false, false, 2},
        {u"x TABLE", u"table", true, false, -1},
        {u"\u00c4", u"\u00e4", false, false, -1}, // only A-Z fold
        {u"a_cat", u"cat", true, true, 2},
        {u"\u00e9cat cat", u"cat", true, true, 5},
    };
    for (const Case &c : cases) {
        Fixture f(QString::fromUtf16(c.text));
        const bool found = DoFind(f.ctx, f.state, QString::fromUtf16(c.find), c.matchCase, c.wholeWord);
        EXPECT_EQ(found, c.selStart >= 0) << QString::fromUtf16(c.text).toStdString();
        if (found)
            EXPECT_EQ(f.buffer.selStart(), c.selStart);
        EXPECT_EQ(f.state.SearchMatchCase, c.matchCase);
        EXPECT_EQ(f.state.SearchWholeWord, c.wholeWord);
    }
}

TEST(DoFindNext, ResumesAtPPlus2AfterDialogAndPPlusLPlus2AfterItsOwnHit)
{
    Fixture f(QStringLiteral("<td><td>"));
    // Nothing searched yet: nothing happens, no message.
    EXPECT_FALSE(DoFindNext(f.ctx, f.state));
    EXPECT_TRUE(f.prompts.shown.isEmpty());

    // After a dialog hit at 1, find next starts at 3 and finds 5.
    ASSERT_TRUE(DoFind(f.ctx, f.state, QStringLiteral("<td>"), false, false));
    ASSERT_TRUE(DoFindNext(f.ctx, f.state));
    EXPECT_EQ(f.buffer.selStart(), 4);
    EXPECT_EQ(f.state.FindNextStart, 10); // 5 + 4 + 1: at or beyond the length, so start 1

    // Find next from 1 finds 1; the next one starts at 7 and misses the occurrence at 5.
    ASSERT_TRUE(DoFindNext(f.ctx, f.state));
    EXPECT_EQ(f.buffer.selStart(), 0);
    EXPECT_EQ(f.state.FindNextStart, 6);
    EXPECT_FALSE(DoFindNext(f.ctx, f.state));
    ASSERT_EQ(f.prompts.shown.size(), 1);
    EXPECT_EQ(f.prompts.shown[0].kind, MsgKind::Plain);
    EXPECT_EQ(f.prompts.shown[0].text, kNotFound);
    EXPECT_EQ(f.state.FindNextStart, 1);
    // ... and the one after that starts at 2 and finds 5.
    ASSERT_TRUE(DoFindNext(f.ctx, f.state));
    EXPECT_EQ(f.buffer.selStart(), 4);
    EXPECT_EQ(f.selection(), QStringLiteral("<td>"));
}

TEST(DoFindNext, BlankSearchTextOrEmptyEditorDoNothing)
{
    Fixture f(QStringLiteral("a  b"));
    f.state.LastFindText = QStringLiteral("  ");
    EXPECT_FALSE(DoFindNext(f.ctx, f.state));
    Fixture empty{QString()};
    empty.state.LastFindText = QStringLiteral("a");
    EXPECT_FALSE(DoFindNext(empty.ctx, empty.state));
    EXPECT_TRUE(f.prompts.shown.isEmpty());
    EXPECT_TRUE(empty.prompts.shown.isEmpty());
}

TEST(DoReplaceFind, ResetsWholeWordAndKeepsFindNextState)
{
    Fixture f(QStringLiteral("tda td"));
    ASSERT_TRUE(DoFind(f.ctx, f.state, QStringLiteral("td"), false, true));
    EXPECT_EQ(f.buffer.selStart(), 4);
    f.buffer.setSelStart(0);
    ASSERT_TRUE(DoReplaceFind(f.ctx, f.state, QStringLiteral("TDA"), false));
    EXPECT_EQ(f.buffer.selStart(), 0);
    EXPECT_EQ(f.buffer.selLength(), 3);
    EXPECT_FALSE(f.state.SearchWholeWord);
    EXPECT_EQ(f.state.LastFindText, QStringLiteral("td"));
    EXPECT_EQ(f.state.FindNextStart, 6);
    // Find next now ignores the find window's whole-word box: from 1 it finds "td" in "tda".
    f.state.FindNextStart = 0;
    ASSERT_TRUE(DoFindNext(f.ctx, f.state));
    EXPECT_EQ(f.buffer.selStart(), 0);

    EXPECT_FALSE(DoReplaceFind(f.ctx, f.state, QStringLiteral("xyz"), true));
    ASSERT_EQ(f.prompts.shown.size(), 1);
    EXPECT_EQ(f.prompts.shown[0].kind, MsgKind::Information);
    EXPECT_EQ(f.prompts.shown[0].text, kNotFound);
    EXPECT_EQ(f.buffer.selStart(), 1);
}

TEST(DoReplace, ReplacesWhateverIsSelectedAsOneEdit)
{
    Fixture f(QStringLiteral("abc def"));
    f.buffer.select(4, 3);
    DoReplace(f.buffer, QStringLiteral("XY"));
    EXPECT_EQ(f.buffer.text(), QStringLiteral("abc XY"));
    EXPECT_EQ(f.buffer.selLength(), 0);
    DoReplace(f.buffer, QStringLiteral("ZZ")); // nothing selected: nothing happens
    EXPECT_EQ(f.buffer.text(), QStringLiteral("abc XY"));
    f.buffer.undo();
    EXPECT_EQ(f.buffer.text(), QStringLiteral("abc def"));
}

TEST(DoReplaceAll, OnePassFromTheStartAsOneEdit)
{
    struct Case {
        const char16_t *text, *find, *with;
        bool matchCase;
        const char16_t *result;
    };
    const Case cases[] = {
        {u"banana", u"a", u"aa", true, u"baanaanaa"},       // inserted text is not searched again
        {u"<TD><td><Td>", u"td", u"TH", false, u"<TH><TH><TH>"},
        {u"<TD><td>", u"td", u"TH", true, u"<TD><TH>"},
        {u"aaaa", u"aa", u"b", true, u"bb"},                // non-overlapping
        {u"\u00c4rger \u00e4rger", u"\u00e4rger", u"x", false, u"x x"}, // Unicode upper case
        {u"\U00010428 \U00010400", u"\U00010400", u"D", false, u"D D"}, // outside the basic plane
        {u"a\r\nb\r\n", u"\r\n", u"<br>\r\n", true, u"a<br>\r\nb<br>\r\n"},
        {u"abc", u"", u"x", true, u"abc"},
    };
    for (const Case &c : cases) {
        const QString before = QString::fromUtf16(c.text);
        TextBuffer b(before);
        b.select(1, 1);
        DoReplaceAll(b, QString::fromUtf16(c.find), QString::fromUtf16(c.with), c.matchCase);
        EXPECT_EQ(b.text(), QString::fromUtf16(c.result)) << before.toStdString();
        EXPECT_EQ(b.selStart(), 0);
        EXPECT_EQ(b.selLength(), 0);
        b.undo();
        EXPECT_EQ(b.text(), before);
    }
}

TEST(GoToLine, ClampsAndRejectsWhatIsNoNumber)
{
    const QString text = QStringLiteral("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10");
    struct Case {
        const char *answer; // nullptr: cancelled
        int line;           // 0: invalid, caret stays
    };
    const Case cases[] = {{"9999", 10}, {"-5", 1}, {"0", 1}, {"3", 3}, {" 4", 4}, {"$A", 10},
                          {"abc", 0},   {"", 0},   {"3 ", 0}, {nullptr, 0}};
    for (const Case &c : cases) {
        Fixture f(text);
        f.buffer.setCaretXY(2, 7);
        f.prompts.inputs << (c.answer ? QString::fromUtf8(c.answer) : QStringLiteral("\x01"));
        GoToLine(f.ctx);
        if (c.line > 0) {
            EXPECT_TRUE(f.prompts.shown.isEmpty()) << c.answer;
            EXPECT_EQ(f.buffer.caretY(), c.line) << c.answer;
            EXPECT_EQ(f.buffer.caretX(), 1);
        } else {
            ASSERT_EQ(f.prompts.shown.size(), 1);
            EXPECT_EQ(f.prompts.shown[0].text, QStringLiteral("Invalid input!"));
            EXPECT_EQ(f.prompts.shown[0].caption, QStringLiteral("Sorvex"));
            EXPECT_EQ(f.buffer.caretY(), 7);
            EXPECT_EQ(f.buffer.caretX(), 2);
        }
    }
    Fixture empty{QString()};
    empty.prompts.inputs << QStringLiteral("5");
    GoToLine(empty.ctx);
    EXPECT_EQ(empty.buffer.caretY(), 1);
}

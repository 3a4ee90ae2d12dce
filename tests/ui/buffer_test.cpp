// The editor buffer contract, run on both implementations: the QScintilla adapter over
// the real widget and the in-memory buffer. Where they must agree they get the same table.
#include "editing/textbuffer.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"
#include "tests/printers.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

const QString kPair = QStringLiteral("\U0001D11E"); // one character, two units

// ab CR LF | G-clef x CR LF | a-umlaut e-acute euro z
// offsets:  0 1 (2 3) | 4-5 6 (7 8) | 9 10 11 12, length 13
QString sample()
{
    return QStringLiteral("ab\r\n") + kPair + QStringLiteral("x\r\n\u00e4\u00e9\u20acz");
}

QString lone(QString s)
{
    // What a buffer holds for s: lone surrogates as U+FFFD.
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            s[i] = QChar(0xFFFD);
    }
    return s;
}

class Buffer : public testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        if (QByteArray(GetParam()) == "scintilla") {
            editor = std::make_unique<SynEdit>();
            buffer = std::make_unique<ScintillaBuffer>(editor.get());
        } else {
            buffer = std::make_unique<TextBuffer>();
        }
    }
    void TearDown() override
    {
        buffer.reset();
        editor.reset();
    }
    EditorBuffer &b() { return *buffer; }
    std::pair<int, int> caretOf(qsizetype offset)
    {
        int column = 0, line = 0;
        b().offsetToCaret(offset, &column, &line);
        return {column, line};
    }

    std::unique_ptr<SynEdit> editor;
    std::unique_ptr<EditorBuffer> buffer;
};

TEST_P(Buffer, PositionConvention)
{
    b().loadText(sample());
    EXPECT_EQ(b().text(), sample());
    EXPECT_EQ(b().length(), 13);
    EXPECT_EQ(b().lineCount(), 3);
    EXPECT_EQ(b().lines(), QStringList({"ab", kPair + "x", QStringLiteral("\u00e4\u00e9\u20acz")}));

    struct Case {
        qsizetype offset;
        qsizetype selStart; // after setSelStart(offset)
        int column, line;   // of the offset, by offsetToCaret
    } cases[] = {
        {0, 0, 1, 1},   {1, 1, 2, 1},   {2, 2, 3, 1},
        {3, 2, 4, 1},   // inside CR LF: the caret goes before the CR
        {4, 4, 1, 2},   {5, 4, 2, 2},   // inside the surrogate pair: before it
        {6, 6, 3, 2},   {7, 7, 4, 2},   {9, 9, 1, 3},   {10, 10, 2, 3},
        {12, 12, 4, 3}, {13, 13, 5, 3}, {99, 13, 5, 3}, {-4, 0, 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(caretOf(c.offset), std::make_pair(c.column, c.line));
        b().setSelStart(c.offset);
        EXPECT_EQ(b().selStart(), c.selStart);
        EXPECT_EQ(b().selLength(), 0);
        EXPECT_EQ(std::make_pair(b().caretX(), b().caretY()), caretOf(c.selStart));
    }

    struct Sel {
        qsizetype start, length;
        qsizetype selLength;
        QString text;
    } sels[] = {
        {4, 3, 3, kPair + "x"},
        {4, 1, 2, kPair},            // the end inside the pair goes behind it
        {1, 5, 5, "b\r\n" + kPair},
        {1, 2, 3, "b\r\n"},          // the end inside CR LF goes behind the LF
        {9, 4, 4, QStringLiteral("\u00e4\u00e9\u20acz")},
        {9, 100, 4, QStringLiteral("\u00e4\u00e9\u20acz")},
        {2, 0, 0, ""},
        {0, 13, 13, sample()},
    };
    for (const Sel &s : sels) {
        SCOPED_TRACE(testing::Message() << s.start << "+" << s.length);
        b().select(s.start, s.length);
        EXPECT_EQ(b().selStart(), s.start);
        EXPECT_EQ(b().selLength(), s.selLength);
        EXPECT_EQ(b().selText(), s.text);
        EXPECT_EQ(std::make_pair(b().caretX(), b().caretY()), caretOf(s.start + s.selLength));
    }

    struct XY {
        int x, y;
        qsizetype selStart;
    } xys[] = {
        {1, 1, 0}, {3, 1, 2}, {100, 1, 2}, {2, 2, 4}, {3, 2, 6}, {-5, 3, 9}, {5, 3, 13}, {1, 99, 9},
    };
    for (const XY &c : xys) {
        b().setCaretXY(c.x, c.y);
        EXPECT_EQ(b().selStart(), c.selStart) << c.x << "," << c.y;
    }
    EXPECT_FALSE(b().modified());
}

TEST_P(Buffer, SelectThenReplace)
{
    b().loadText(sample());
    b().select(9, 4);
    b().setSelText(QStringLiteral("\u03a9\r\nq"));
    EXPECT_EQ(b().text(), QStringLiteral("ab\r\n") + kPair + QStringLiteral("x\r\n\u03a9\r\nq"));
    EXPECT_EQ(b().selStart(), 13);
    EXPECT_EQ(b().selLength(), 0);
    EXPECT_EQ(b().caretY(), 4);
    EXPECT_EQ(b().caretX(), 2);
    EXPECT_TRUE(b().modified());
    b().undo();
    EXPECT_EQ(b().text(), sample());

    // Inserted line breaks become CR LF.
    b().setSelStart(1);
    b().setSelText(QStringLiteral("1\n2\r3"));
    EXPECT_EQ(b().text().left(11), QStringLiteral("a1\r\n2\r\n3b\r\n"));
    EXPECT_EQ(b().selStart(), 8);
    b().undo();
    EXPECT_EQ(b().text(), sample());

    // replaceRange: the start inside a pair moves before it, the end behind it.
    b().replaceRange(0, 2, QStringLiteral("Z"));
    EXPECT_EQ(b().text(), "Z\r\n" + kPair + QStringLiteral("x\r\n\u00e4\u00e9\u20acz"));
    EXPECT_EQ(b().selStart(), 1);
    b().undo();
    b().replaceRange(3, 0, QStringLiteral("X"));
    EXPECT_TRUE(b().text().startsWith(QStringLiteral("abX\r\n")));
    b().undo();
    b().replaceRange(5, 1, QStringLiteral("-"));
    EXPECT_TRUE(b().text().startsWith(QStringLiteral("ab\r\n-x\r\n")));
    b().undo();
    b().replaceRange(11, 50, QString());
    EXPECT_EQ(b().text(), QStringLiteral("ab\r\n") + kPair + QStringLiteral("x\r\n\u00e4\u00e9"));
    b().undo();
    EXPECT_EQ(b().text(), sample());
}

TEST_P(Buffer, SetTextIsOneUndoStep)
{
    const QString first = QStringLiteral("one\r\ntwo\r\nthree");
    b().loadText(first);
    b().setSelStart(5);
    const struct {
        QString next, stored;
    } cases[] = {
        {"one\r\nTWO\r\nthree\r\nfour", "one\r\nTWO\r\nthree\r\nfour"},
        {"completely different", "completely different"},
        {"", ""},
        {"one\ntwo\nthree", "one\r\ntwo\r\nthree"}, // same text once the breaks are CR LF
        {"one\r\n" + kPair + "\r\nthree", "one\r\n" + kPair + "\r\nthree"},
        {QStringLiteral("one\r\ntw\u00f6\r\nthree"), QStringLiteral("one\r\ntw\u00f6\r\nthree")},
        {first + first, first + first},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.next.toStdString());
        b().setSelStart(5);
        b().setText(c.next);
        EXPECT_EQ(b().text(), c.stored);
        EXPECT_EQ(b().selStart(), 0);
        EXPECT_EQ(b().selLength(), 0);
        EXPECT_EQ(b().modified(), c.stored != first);
        b().undo();
        EXPECT_EQ(b().text(), first);
        EXPECT_FALSE(b().modified());
        b().undo(); // loading made no undo step
        EXPECT_EQ(b().text(), first);
    }
    // Two edits, two undo steps.
    b().setText(QStringLiteral("A"));
    b().setSelStart(1);
    b().setSelText(QStringLiteral("B"));
    EXPECT_EQ(b().text(), "AB");
    b().undo();
    EXPECT_EQ(b().text(), "A");
    b().undo();
    EXPECT_EQ(b().text(), first);
}

TEST_P(Buffer, LoadTextStartsAFreshDocument)
{
    b().loadText(QStringLiteral("old text"));
    b().setSelStart(3);
    b().setSelText(QStringLiteral("edit"));
    b().setBookmark(1, 1, 1);
    b().loadText(QStringLiteral("x\ny"));
    EXPECT_EQ(b().text(), "x\r\ny");
    EXPECT_EQ(b().lineBreak(), LineBreak::LF);
    EXPECT_FALSE(b().modified());
    EXPECT_EQ(b().selStart(), 0);
    EXPECT_EQ(b().selLength(), 0);
    EXPECT_FALSE(b().bookmark(1).set);
    b().undo();
    EXPECT_EQ(b().text(), "x\r\ny");
    EXPECT_FALSE(b().modified());
}

TEST_P(Buffer, LineBreakStyle)
{
    const struct {
        QString in;
        LineBreak style;
        QString stored;
    } cases[] = {
        {"a\r\nb", LineBreak::CRLF, "a\r\nb"},
        {"a\nb\n", LineBreak::LF, "a\r\nb\r\n"},
        {"a\rb", LineBreak::CR, "a\r\nb"},
        {QStringLiteral("a\u2028b"), LineBreak::LS, "a\r\nb"},
        {QStringLiteral("a\u2028b\nc\r\nd"), LineBreak::LS, "a\r\nb\r\nc\r\nd"},
        {"a\nb\rc", LineBreak::CRLF, "a\r\nb\r\nc"},   // mixed
        {"a\r\nb\nc", LineBreak::CRLF, "a\r\nb\r\nc"}, // mixed
        {"a\r\r\nb", LineBreak::CRLF, "a\r\n\r\nb"},
        {"a\n\rb", LineBreak::CRLF, "a\r\n\r\nb"},
        {"abc", LineBreak::CRLF, "abc"},
        {"", LineBreak::CRLF, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.in.toStdString());
        b().loadText(c.in);
        EXPECT_EQ(b().lineBreak(), c.style);
        EXPECT_EQ(b().text(), c.stored);
        EXPECT_EQ(b().length(), c.stored.size());
        b().loadText(QStringLiteral("other"));
        b().setText(c.in);
        EXPECT_EQ(b().lineBreak(), c.style);
        EXPECT_EQ(b().text(), c.stored);
    }
}

TEST_P(Buffer, NulDoesNotCutTheText)
{
    const QChar nul(0);
    const QString text = QString("a") + nul + "b\r\n" + nul + nul;
    b().loadText(text);
    EXPECT_EQ(b().text(), text);
    EXPECT_EQ(b().length(), 7);
    EXPECT_EQ(b().lineCount(), 2);
    EXPECT_EQ(b().line(0), QString("a") + nul + "b");
    EXPECT_EQ(b().line(1), QString(nul) + nul);
    b().select(1, 1);
    EXPECT_EQ(b().selText(), QString(nul));
    b().setSelText(QString("x") + nul + "y");
    EXPECT_EQ(b().text(), QString("ax") + nul + "yb\r\n" + nul + nul);
    EXPECT_EQ(b().selStart(), 4);
    b().setText(text + nul + "end");
    EXPECT_EQ(b().text(), text + nul + "end");
    b().setSelStart(b().length());
    EXPECT_EQ(b().caretX(), 7);
}

TEST_P(Buffer, LoneSurrogatesAreHeldAsReplacementCharacters)
{
    const QString text = QString("a") + QChar(0xD800) + "b" + QChar(0xDC00) + "\r\n" + kPair + QChar(0xDBFF);
    b().loadText(text);
    EXPECT_EQ(b().length(), text.size());
    EXPECT_EQ(b().text(), lone(text));
    b().setSelStart(2);
    EXPECT_EQ(b().selStart(), 2);
    EXPECT_EQ(b().caretX(), 3);
    b().setSelStart(9);
    EXPECT_EQ(b().caretX(), 4);
    EXPECT_EQ(b().caretY(), 2);
    b().setSelStart(1);
    b().setSelText(QString(QChar(0xD83D)));
    EXPECT_EQ(b().text(), lone(QString("a") + QChar(0xD83D) + text.mid(1)));
    EXPECT_EQ(b().selStart(), 2);
    b().setText(QString(QChar(0xDFFF)) + "z");
    EXPECT_EQ(b().text(), lone(QString(QChar(0xDFFF)) + "z"));
}

TEST_P(Buffer, TenMegabyteLineWithoutABreak)
{
    const qsizetype half = 5 << 20;
    const QString text = QString(half, u'x') + QStringLiteral("\u00e9") + kPair + QString(half, u'y');
    b().loadText(text);
    EXPECT_EQ(b().length(), text.size());
    EXPECT_EQ(b().lineCount(), 1);
    b().setSelStart(half + 3);
    EXPECT_EQ(b().selStart(), half + 3);
    EXPECT_EQ(b().caretX(), half + 4);
    EXPECT_EQ(b().caretY(), 1);
    EXPECT_EQ(caretOf(text.size()), std::make_pair(int(text.size()) + 1, 1));
    b().select(half - 1, 4);
    EXPECT_EQ(b().selText(), QStringLiteral("x\u00e9") + kPair);
    b().setSelText(QStringLiteral("<b>"));
    EXPECT_EQ(b().length(), text.size() - 1);
    EXPECT_EQ(b().selStart(), half + 2);
    EXPECT_EQ(b().text().mid(half - 2, 6), QStringLiteral("x<b>yy"));
    b().replaceRange(half - 1, 3, QStringLiteral("x\u00e9") + kPair);
    EXPECT_EQ(b().text(), text);
}

TEST_P(Buffer, TheLastLine)
{
    b().loadText(QStringLiteral("a\r\nb\u00e9"));
    b().setSelStart(b().length());
    EXPECT_EQ(b().selStart(), 5);
    EXPECT_EQ(b().caretY(), 2);
    EXPECT_EQ(b().caretX(), 3);
    EXPECT_EQ(caretOf(5), std::make_pair(3, 2));
    EXPECT_EQ(b().line(1), QStringLiteral("b\u00e9"));
    EXPECT_EQ(b().line(2), QString());
    b().setCaretXY(99, 99);
    EXPECT_EQ(b().selStart(), 5);

    // A final line break gives an empty last line, and no break is added.
    b().loadText(QStringLiteral("a\r\n"));
    EXPECT_EQ(b().lineCount(), 2);
    EXPECT_EQ(b().line(1), QString());
    EXPECT_EQ(b().text(), "a\r\n");
    b().setSelStart(3);
    EXPECT_EQ(b().caretY(), 2);
    EXPECT_EQ(b().caretX(), 1);
    b().setSelText(QStringLiteral("z"));
    EXPECT_EQ(b().text(), "a\r\nz");
}

TEST_P(Buffer, EmptyText)
{
    b().loadText(QString());
    EXPECT_EQ(b().lineCount(), 0);
    EXPECT_TRUE(b().lines().isEmpty());
    EXPECT_EQ(b().text(), QString());
    EXPECT_EQ(b().length(), 0);
    EXPECT_EQ(b().line(0), QString());
    EXPECT_EQ(b().selStart(), 0);
    EXPECT_EQ(b().caretX(), 1);
    EXPECT_EQ(b().caretY(), 1);
    EXPECT_EQ(caretOf(5), std::make_pair(1, 1));
    b().setCaretXY(3, 3);
    EXPECT_EQ(b().selStart(), 0);
    b().selectAll();
    EXPECT_EQ(b().selLength(), 0);
    b().setSelLength(4);
    EXPECT_EQ(b().selLength(), 0);
    b().replaceRange(2, 3, QString());
    b().setSelText(QString());
    b().undo();
    b().gotoLineAndCenter(4);
    RevealOffset(b(), 3);
    TrimBlankSelection(b());
    EXPECT_EQ(b().text(), QString());
    EXPECT_FALSE(b().modified());
    b().setSelText(QStringLiteral("x"));
    EXPECT_EQ(b().lineCount(), 1);
}

TEST_P(Buffer, BookmarksFollowEdits)
{
    QStringList lines;
    for (int i = 1; i <= 10; ++i)
        lines << QStringLiteral("L%1").arg(i);
    b().loadText(lines.join(QStringLiteral("\r\n")));
    auto lineStart = [&](int line) {
        b().setCaretXY(1, line);
        return b().selStart();
    };
    b().setBookmark(3, 2, 5);
    b().setBookmark(4, 1, 8);
    b().setBookmark(5, 1, 1);
    // Two lines inserted in line 2 (at its start): bookmarks at and below it move down.
    b().replaceRange(lineStart(2), 0, QStringLiteral("new\r\nnew\r\n"));
    EXPECT_EQ(b().bookmark(3).line, 7);
    EXPECT_EQ(b().bookmark(3).column, 2);
    EXPECT_EQ(b().bookmark(4).line, 10);
    EXPECT_EQ(b().bookmark(5).line, 1);
    // Lines whose breaks are removed merge into the line where the removal starts.
    const qsizetype from = lineStart(6);
    b().replaceRange(from, lineStart(8) - from, QString());
    EXPECT_EQ(b().line(5), "L6");
    EXPECT_EQ(b().bookmark(3).line, 6);
    EXPECT_EQ(b().bookmark(4).line, 8);
    // Undo puts the text back at the start of that line, and the merged bookmark with it.
    b().undo();
    EXPECT_EQ(b().line(5), "L4");
    EXPECT_EQ(b().bookmark(3).line, 8);
    EXPECT_EQ(b().bookmark(4).line, 10);
    // Text inserted inside a line does not move that line's bookmark.
    b().replaceRange(lineStart(10) + 1, 0, QStringLiteral("\r\n"));
    EXPECT_EQ(b().bookmark(4).line, 10);
    // Replacing the whole text keeps the bookmarks of the lines it leaves unchanged.
    QString changed = b().text();
    changed.replace(QStringLiteral("L1\r\n"), QStringLiteral("L one\r\n"));
    b().setText(changed);
    EXPECT_EQ(b().bookmark(4).line, 10);
    // Setting a bookmark again moves it; clearing removes it.
    b().setBookmark(4, 3, 2);
    EXPECT_EQ(b().bookmark(4).line, 2);
    EXPECT_EQ(b().bookmark(4).column, 3);
    b().clearBookmark(4);
    EXPECT_FALSE(b().bookmark(4).set);
    b().gotoBookmark(3);
    EXPECT_EQ(b().caretY(), 8);
    EXPECT_EQ(b().caretX(), 2);
    b().gotoBookmark(4); // unset: nothing happens
    EXPECT_EQ(b().caretY(), 8);
}

TEST_P(Buffer, ModifiedFlag)
{
    b().loadText(QStringLiteral("abc"));
    EXPECT_FALSE(b().modified());
    b().setSelStart(1);
    b().setSelText(QStringLiteral("x"));
    EXPECT_TRUE(b().modified());
    b().setModified(false);
    EXPECT_FALSE(b().modified());
    b().setSelText(QStringLiteral("y"));
    EXPECT_TRUE(b().modified());
    b().undo(); // back at the saved state
    EXPECT_FALSE(b().modified());
    b().undo();
    EXPECT_TRUE(b().modified());
    b().setModified(false);
    b().setModified(true);
    EXPECT_TRUE(b().modified());
    b().setModified(false);
    EXPECT_FALSE(b().modified());
    b().setSelStart(2); // moving the caret is no edit
    b().select(0, 2);
    EXPECT_FALSE(b().modified());
    b().loadText(QStringLiteral("fresh"));
    EXPECT_FALSE(b().modified());
}

TEST_P(Buffer, TrimBlankSelectionAndRevealOffset)
{
    b().loadText(QStringLiteral("ab   cd\r\nx\r\ny\r\nz\r\nw"));
    b().select(2, 3);
    TrimBlankSelection(b());
    EXPECT_EQ(b().selStart(), 2);
    EXPECT_EQ(b().selLength(), 0);
    EXPECT_EQ(b().text().mid(2, 3), "   ");
    b().select(1, 3);
    TrimBlankSelection(b());
    EXPECT_EQ(b().selLength(), 3);
    RevealOffset(b(), 1);
    EXPECT_EQ(b().caretY(), 4);
    RevealOffset(b(), 12);
    EXPECT_EQ(b().caretY(), 5);
}

INSTANTIATE_TEST_SUITE_P(Both, Buffer, testing::Values("memory", "scintilla"),
                         [](const testing::TestParamInfo<const char *> &i) { return std::string(i.param); });

// ---------------------------------------------------------------------------------------
// The adapter on its own: conversions, loading, and the same random edits as the memory
// buffer.

QString randomText(std::mt19937 &rng, int units)
{
    static const QString pieces[] = {
        "a", "b", " ", "<", ">", "\r\n", "\r\n", QStringLiteral("\u00e4"), QStringLiteral("\u20ac"),
        kPair, QString(QChar(0)), "\n", "\r", QString(QChar(0xD800)), QStringLiteral("\u2028"),
    };
    QString s;
    while (s.size() < units)
        s += pieces[rng() % (sizeof pieces / sizeof pieces[0])];
    return s;
}

TEST(ScintillaBuffer, ConversionsAgreeWithTheText)
{
    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    std::mt19937 rng(11);
    for (int round = 0; round < 20; ++round) {
        const QString text = editorText(randomText(rng, 300));
        buffer.loadText(text);
        ASSERT_EQ(buffer.text(), text);
        ASSERT_EQ(buffer.length(), text.size());
        long lastByte = -1;
        for (qsizetype o = 0; o <= text.size(); ++o) {
            const long back = buffer.bytePos(o), fwd = buffer.bytePos(o, true);
            ASSERT_EQ(buffer.u16Pos(back), snapOffset(text, o, false)) << o;
            ASSERT_EQ(buffer.u16Pos(fwd), snapOffset(text, o, true)) << o;
            ASSERT_GE(back, lastByte);
            lastByte = back;
            // The bytes before the position are the UTF-8 of the units before it.
            ASSERT_EQ(back, QStringView(text).left(snapOffset(text, o, false)).toUtf8().size()) << o;
        }
    }
}

TEST(ScintillaBuffer, LoadingLeavesNoUndoStepNoMarkerAndWrapOn)
{
    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    buffer.loadText(QStringLiteral("a\r\nb\r\nc"));
    buffer.setBookmark(2, 1, 3);
    buffer.setSelStart(2);
    buffer.setSelText(QStringLiteral("x"));
    EXPECT_TRUE(editor.SendScintilla(QsciScintillaBase::SCI_CANUNDO));
    buffer.loadText(QString(3000, u'w'));
    EXPECT_FALSE(editor.SendScintilla(QsciScintillaBase::SCI_CANUNDO));
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_MARKERGET, 0L), 0);
    EXPECT_TRUE(buffer.wordWrap());
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE), long(QsciScintillaBase::SC_WRAP_WORD));
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), 0);
    buffer.setWordWrap(false);
    buffer.loadText(QStringLiteral("q"));
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE), long(QsciScintillaBase::SC_WRAP_NONE));
}

TEST(ScintillaBuffer, MovingTheCaretScrollsItIntoViewOnceBackInTheEventLoop)
{
    SynEdit editor;
    editor.resize(500, 300);
    editor.show();
    ScintillaBuffer buffer(&editor);
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        lines << QStringLiteral("line %1").arg(i);
    buffer.loadText(lines.join(QStringLiteral("\r\n")));
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 0);
    buffer.setCaretXY(3, 900);
    buffer.setCaretXY(3, 700);
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 0);
    QCoreApplication::processEvents();
    const long first = editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
    const long shown = editor.SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN);
    EXPECT_LE(first, 699);
    EXPECT_GT(first + shown, 699);
    buffer.select(10, 10); // the caret at the end, in line index 2
    QCoreApplication::processEvents();
    EXPECT_LE(editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 2);
}

TEST(ScintillaBuffer, LoadsInPiecesWithoutSplittingPairs)
{
    // Pieces of a million units: put CR LF pairs and surrogate pairs across every edge.
    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    const qsizetype piece = 1 << 20;
    for (const QString &edge : {QStringLiteral("\r\n"), kPair, QStringLiteral("\n"), QStringLiteral("\r")}) {
        QString text = QString(piece - 1, u'a') + edge + QString(piece - 2, u'b') + edge + edge + "c";
        buffer.loadText(text);
        const QString stored = normalizeLineBreaks(text);
        ASSERT_EQ(buffer.text(), stored);
        ASSERT_EQ(buffer.length(), stored.size());
        ASSERT_EQ(buffer.lineCount(), stored.count(QStringLiteral("\r\n")) + 1);
        buffer.setSelStart(stored.size());
        ASSERT_EQ(buffer.selStart(), stored.size());
    }
}

TEST(ScintillaBuffer, RandomEditsMatchTheMemoryBuffer)
{
    SynEdit editor;
    ScintillaBuffer real(&editor);
    TextBuffer memory;
    std::mt19937 rng(5);
    QString detail;
    auto same = [&](const char *what, int step) {
        SCOPED_TRACE(detail.toStdString());
        ASSERT_EQ(real.text(), memory.text()) << what << " step " << step;
        ASSERT_EQ(real.length(), memory.length()) << what;
        ASSERT_EQ(real.lineCount(), memory.lineCount()) << what;
        ASSERT_EQ(real.selStart(), memory.selStart()) << what << " step " << step;
        ASSERT_EQ(real.selLength(), memory.selLength()) << what << " step " << step;
        ASSERT_EQ(real.selText(), memory.selText()) << what;
        ASSERT_EQ(real.caretX(), memory.caretX()) << what << " step " << step;
        ASSERT_EQ(real.caretY(), memory.caretY()) << what;
        ASSERT_EQ(real.modified(), memory.modified()) << what << " step " << step;
        for (int n = 0; n < 10; ++n) {
            ASSERT_EQ(real.bookmark(n).set, memory.bookmark(n).set) << what << " bookmark " << n;
            ASSERT_EQ(real.bookmark(n).line, memory.bookmark(n).line) << what << " step " << step << " bookmark " << n;
        }
    };
    for (int round = 0; round < 300; ++round) {
        const QString text = randomText(rng, int(rng() % 200));
        real.loadText(text);
        memory.loadText(text);
        same("load", 0);
        for (int step = 1; step <= 60; ++step) {
            const qsizetype len = memory.length();
            const qsizetype at = qsizetype(rng() % (len + 3)) - 1;
            const qsizetype count = qsizetype(rng() % 8) - 1;
            const char *what = "";
            detail = QStringLiteral("at %1 count %2 sel %3+%4 in ").arg(at).arg(count)
                         .arg(memory.selStart()).arg(memory.selLength())
                     + QString::fromStdString(printable(memory.text()));
            switch (rng() % 10) {
            case 0: what = "setSelStart"; real.setSelStart(at); memory.setSelStart(at); break;
            case 1: what = "select"; real.select(at, count); memory.select(at, count); break;
            case 2: {
                what = "setSelText";
                const QString t = randomText(rng, int(rng() % 6));
                real.setSelText(t);
                memory.setSelText(t);
                break;
            }
            case 3: {
                what = "replaceRange";
                const QString t = randomText(rng, int(rng() % 6));
                detail += QStringLiteral(" with ") + QString::fromStdString(printable(t));
                real.replaceRange(at, count, t);
                memory.replaceRange(at, count, t);
                break;
            }
            case 4: {
                what = "setCaretXY";
                const int x = int(rng() % 12) - 1, y = int(rng() % 12) - 1;
                real.setCaretXY(x, y);
                memory.setCaretXY(x, y);
                break;
            }
            case 5: {
                what = "undo";
                real.undo();
                memory.undo();
                // Where the caret lands after undo is the editor's own business.
                real.setSelStart(0);
                memory.setSelStart(0);
                break;
            }
            case 6: {
                what = "bookmark";
                const int n = int(rng() % 10);
                const int line = int(rng() % 8) + 1;
                real.setBookmark(n, 1, line);
                memory.setBookmark(n, 1, line);
                break;
            }
            case 7: {
                what = "setText";
                QString t = memory.text();
                const qsizetype p = t.isEmpty() ? 0 : qsizetype(rng() % t.size());
                t = t.left(p) + randomText(rng, int(rng() % 5)) + t.mid(p + qsizetype(rng() % 4));
                real.setText(t);
                memory.setText(t);
                break;
            }
            case 8: {
                what = "offsetToCaret";
                int c1, l1, c2, l2;
                real.offsetToCaret(at, &c1, &l1);
                memory.offsetToCaret(at, &c2, &l2);
                ASSERT_EQ(std::make_pair(c1, l1), std::make_pair(c2, l2)) << at;
                break;
            }
            case 9: what = "setModified"; real.setModified(false); memory.setModified(false); break;
            }
            same(what, step);
            if (testing::Test::HasFatalFailure())
                return;
        }
    }
}

} // namespace

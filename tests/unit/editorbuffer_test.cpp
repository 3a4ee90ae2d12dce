// The shared helpers over the editor buffer, on the in-memory buffer.
#include "editing/textbuffer.h"
#include "tests/printers.h"

#include <gtest/gtest.h>

TEST(TrimBlankSelection, Table)
{
    struct Case {
        QString text;
        qsizetype start, length;
        qsizetype expectedLength;
    } cases[] = {
        {"ab   cd", 2, 3, 0},             // three spaces collapse
        {"ab \t\r\ncd", 2, 4, 0},         // tab and line break are blank too
        {"ab x cd", 2, 3, 3},             // not blank: unchanged
        {"ab cd", 2, 0, 0},               // nothing selected
        {QString("a") + QChar(0) + "b", 1, 1, 0}, // NUL is a blank character
        {QStringLiteral("a\u00a0b"), 1, 1, 1},     // the no-break space is not
    };
    for (const Case &c : cases) {
        TextBuffer b(c.text);
        b.select(c.start, c.length);
        TrimBlankSelection(b);
        EXPECT_EQ(b.selStart(), c.start) << c.text.toStdString();
        EXPECT_EQ(b.selLength(), c.expectedLength) << c.text.toStdString();
        EXPECT_EQ(b.text(), c.text);
        EXPECT_FALSE(b.modified());
    }
}

TEST(RevealOffset, GoesThreeLinesFurtherAtMostToTheLast)
{
    QStringList lines;
    for (int i = 1; i <= 10; ++i)
        lines << QStringLiteral("line%1").arg(i, 2, 10, QLatin1Char('0'));
    const QString text = lines.join(QStringLiteral("\r\n")); // each line 6 units + 2
    struct Case {
        qsizetype index;
        int expectedLine; // 0: the caret does not move
    } cases[] = {
        {0, 0}, {-4, 0}, {1, 4}, {7, 4}, {8, 5}, {40, 9}, {39, 8}, {56, 10}, {70, 10}, {1000, 10},
    };
    for (const Case &c : cases) {
        TextBuffer b(text);
        b.setSelStart(3);
        RevealOffset(b, c.index);
        if (c.expectedLine == 0) {
            EXPECT_EQ(b.selStart(), 3) << c.index;
        } else {
            EXPECT_EQ(b.caretY(), c.expectedLine) << c.index;
            EXPECT_EQ(b.caretX(), 1) << c.index;
        }
    }
}

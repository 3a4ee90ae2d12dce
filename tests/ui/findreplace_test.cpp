// The find and replace windows and the wrapping commands on the real editor.
#include "tests/ui/uifixture.h"

#include "app/ui/mainform.h"
#include "editing/htmlcolor.h"
#include "editing/search.h"
#include "editing/textops.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <gtest/gtest.h>
#include <random>

namespace {

QString randomText(std::mt19937 &rng, int maxLen)
{
    // ASCII, Latin-1 letters, a three-byte character, a surrogate pair and line breaks.
    const QString pieces[] = {QStringLiteral("a"), QStringLiteral("T"), QStringLiteral("d"), QStringLiteral(" "),
                              QStringLiteral("<"), QStringLiteral("\u00e9"), QStringLiteral("\u20ac"),
                              QStringLiteral("\U0001F600"), QStringLiteral("\r\n"), QStringLiteral("td")};
    QString s;
    const int n = int(rng() % (maxLen + 1));
    for (int i = 0; i < n; ++i)
        s += pieces[rng() % std::size(pieces)];
    return s;
}

} // namespace

TEST(ScintillaSearch, PartsAndWindowedSearchMatchTheWholeText)
{
    SynEdit editor;
    ScintillaBuffer b(&editor);
    std::mt19937 rng(3);
    for (int round = 0; round < 300; ++round) {
        const QString text = randomText(rng, 30);
        b.loadText(text);
        ASSERT_EQ(b.text(), text);
        for (int k = 0; k < 10; ++k) {
            const qsizetype from = qsizetype(rng() % (text.size() + 2));
            const qsizetype count = qsizetype(rng() % (text.size() + 3));
            ASSERT_EQ(b.textRange(from, count), text.mid(from, count)) << from << " " << count;
        }
        QString needle = randomText(rng, 2);
        if (needle.isEmpty())
            needle = QStringLiteral("td");
        const qsizetype start = qsizetype(rng() % (text.size() + 2));
        const bool ww = rng() % 2, mc = rng() % 2;
        const qsizetype whole = std::max<qsizetype>(0, sx::FindInText(text, needle, start, text.size(), ww, mc));
        ASSERT_EQ(FindInBuffer(b, needle, start, ww, mc, 1 + rng() % 5), whole);
    }
}

TEST(FindWindows, NonModalFindAndReplaceOnTheMainWindow)
{
    MainWindowFixture f;
    EditorBuffer &b = f.form->buffer();
    b.loadText(QStringLiteral("<td><TD>\r\n\u00e9 td"));

    f.form->trigger(QStringLiteral("Find1"));
    auto *find = f.form->findChild<QDialog *>(QStringLiteral("FindDialog1"));
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_FALSE(find->isModal());
    find->findChild<QLineEdit *>(QStringLiteral("FindText"))->setText(QStringLiteral("td"));
    auto *next = find->findChild<QPushButton *>(QStringLiteral("FindNext"));
    ASSERT_NE(find->findChild<QCheckBox *>(QStringLiteral("MatchCase")), nullptr);
    ASSERT_NE(find->findChild<QCheckBox *>(QStringLiteral("WholeWord")), nullptr);
    next->click();
    EXPECT_EQ(b.selStart(), 1);
    next->click();
    EXPECT_EQ(b.selStart(), 5);
    next->click();
    EXPECT_EQ(b.selStart(), 12); // after the two-byte "é": offsets count UTF-16 units
    EXPECT_EQ(b.selText(), QStringLiteral("td"));
    // The same window again on the next Find.
    f.form->trigger(QStringLiteral("Find1"));
    EXPECT_EQ(f.form->findChildren<QDialog *>(QStringLiteral("FindDialog1")).size(), 1);

    f.form->trigger(QStringLiteral("Replace1"));
    auto *replace = f.form->findChild<QDialog *>(QStringLiteral("ReplaceDialog1"));
    ASSERT_NE(replace, nullptr);
    EXPECT_TRUE(replace->isVisible());
    EXPECT_TRUE(b.modified());
    replace->findChild<QLineEdit *>(QStringLiteral("FindText"))->setText(QStringLiteral("td"));
    replace->findChild<QLineEdit *>(QStringLiteral("ReplaceText"))->setText(QStringLiteral("th"));
    replace->findChild<QPushButton *>(QStringLiteral("ReplaceAll"))->click();
    EXPECT_EQ(b.text(), QStringLiteral("<th><th>\r\n\u00e9 th"));
    b.undo();
    EXPECT_EQ(b.text(), QStringLiteral("<td><TD>\r\n\u00e9 td"));
}

TEST(FindWindows, WrappingCommandsAreOneUndoStepOnTheEditor)
{
    MainWindowFixture f;
    EditorBuffer &b = f.form->buffer();
    const QString before = QStringLiteral("\u00e9 word\r\n<i>next</i>");
    for (const char *item : {"BoldButton", "ToolButton7", "CenterAlign", "h21", "Kommentar1", "ToolButtonMulti",
                             "Script1", "BulletsButton", "ToolButton4", "ToolButtonFont", "ToolButtonRemoveF"}) {
        b.loadText(before);
        b.select(11, 4); // "next"
        f.form->trigger(QString::fromLatin1(item));
        EXPECT_NE(b.text(), before) << item;
        b.undo();
        EXPECT_EQ(b.text(), before) << item;
    }
}

TEST(FindWindows, SystemColoursResolveToThePalette)
{
    MainWindowFixture f;
    const QColor face = QApplication::palette().color(QPalette::Button);
    const quint32 rgb = quint32(face.red()) | (quint32(face.green()) << 8) | (quint32(face.blue()) << 16);
    EXPECT_EQ(sx::ColorToRGB(sx::BtnFace), rgb);
    EXPECT_EQ(sx::Color2HTML(sx::BtnFace), face.name(QColor::HexRgb).toUpper());
}

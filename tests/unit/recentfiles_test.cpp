#include "app/recentfiles.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// The display names from entry 0 to 3 ("-" for an empty entry).
QString shown(const RecentFiles &r)
{
    QStringList out;
    for (int n = 0; n < RecentFiles::Count; ++n)
        out << (r.shown(n) ? r.entry(n).name : QStringLiteral("-"));
    return out.join(u' ');
}

auto existing(QSet<QString> files)
{
    return [files](const QString &p) { return files.contains(p); };
}

} // namespace

TEST(RecentFiles, FillsFromTheBottomThenPushesOut)
{
    RecentFiles r;
    for (const char *p : {"C:\\w\\a.htm", "C:\\w\\b.htm", "C:\\w\\c.htm"})
        EXPECT_TRUE(r.add(QString::fromLatin1(p)));
    EXPECT_EQ(shown(r), "- c.htm b.htm a.htm");
    r.add(QStringLiteral("C:\\w\\d.htm"));
    r.add(QStringLiteral("C:\\w\\e.htm"));
    EXPECT_EQ(shown(r), "e.htm d.htm c.htm b.htm");
    EXPECT_EQ(r.entry(0).path, "C:\\w\\e.htm");
    // Reopening a listed file, in any ASCII case, changes nothing.
    EXPECT_FALSE(r.add(QStringLiteral("c:\\W\\B.HTM")));
    EXPECT_EQ(shown(r), "e.htm d.htm c.htm b.htm");
    EXPECT_EQ(r.lines(), QStringList({"e.htm", "d.htm", "c.htm", "b.htm", "C:\\w\\e.htm", "C:\\w\\d.htm", "C:\\w\\c.htm",
                                      "C:\\w\\b.htm"}));
    r.clear();
    EXPECT_FALSE(r.anyShown());
    EXPECT_EQ(r.lines(), QStringList(8, QString()));
}

TEST(RecentFiles, Loading)
{
    struct Row {
        const char *name;
        QStringList lines;
        QSet<QString> files;
        const char *shown;
    };
    const Row rows[] = {
        {"full list", {"a", "b", "c", "d", "/a", "/b", "/c", "/d"}, {"/a", "/b", "/c", "/d"}, "a b c d"},
        {"a deleted file drops out", {"a", "b", "c", "d", "/a", "/b", "/c", "/d"}, {"/a", "/c", "/d"}, "a - c d"},
        {"paths only", {"", "", "", "", "/x/one.htm", "/x/two.htm", "", ""}, {"/x/one.htm", "/x/two.htm"},
         "one.htm two.htm - -"},
        {"empty lines", QStringList(8, QString()), {}, "- - - -"},
        // With one line there is no existence check at all.
        {"one line", {"only"}, {}, "only - - -"},
        // Lines beyond 7 count in the check: a missing file in line 8 empties line 4.
        {"ninth line", {"a", "b", "", "", "/a", "/b", "", "", "/gone"}, {"/a", "/b"}, "a b - -"},
    };
    for (const Row &r : rows) {
        RecentFiles rf;
        rf.load(r.lines, existing(r.files));
        EXPECT_EQ(shown(rf), QString::fromLatin1(r.shown)) << r.name;
    }
    RecentFiles nine;
    nine.load({"a", "b", "", "", "/a", "/b", "", "", "/gone"}, existing({"/a", "/b"}));
    EXPECT_TRUE(nine.entry(0).path.isEmpty());
    // The next file goes into the empty entry with the highest number.
    RecentFiles hole;
    hole.load({"a", "b", "c", "d", "/a", "/b", "/c", "/d"}, existing({"/a", "/c", "/d"}));
    hole.add(QStringLiteral("/e"));
    EXPECT_EQ(shown(hole), "a e c d");
}

TEST(RecentFiles, MenuCaptionKeepsAmpersands)
{
    EXPECT_EQ(menuCaption(QStringLiteral("Tom & Jerry.htm")), "Tom && Jerry.htm");
}

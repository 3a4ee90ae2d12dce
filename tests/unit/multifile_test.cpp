// Search and replace across files: the search rule, the occurrences a run visits, what is
// written back (encodings, marks, line breaks, nothing when nothing changed), failures that
// stop a run, and the window's lists.
#include "app/documentfile.h"
#include "editing/multifile.h"
#include "tests/unit/qstringprint.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const AnsiCodec &cp1252()
{
    static const AnsiCodec c(QStringLiteral("windows-1252"));
    return c;
}

QString utf8(const char *s) { return QString::fromUtf8(s); }

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

MultiFileSearch replacing(const QString &s, const QString &r, bool all = true)
{
    MultiFileSearch m;
    m.search = s;
    m.replace = r;
    m.searchOnly = false;
    m.all = all;
    return m;
}

} // namespace

TEST(FindInFileText, Cases)
{
    struct Case {
        const char *name;
        QString text, needle;
        qsizetype offset;
        bool wholeWord, matchCase;
        qsizetype expected;
    } cases[] = {
        {"plain", "abc", "b", 1, false, false, 2},
        {"an offset below 1 counts as 1", "abc", "a", -5, false, false, 1},
        {"at the offset", "abcb", "b", 2, false, false, 2},
        {"behind the offset", "abcb", "b", 3, false, false, 4},
        {"nothing at or after the offset", "abc", "a", 2, false, false, -1},
        {"offset beyond the text", "abc", "c", 9, false, false, -1},
        {"empty needle", "abc", "", 1, false, false, -1},
        {"needle longer than the text", "ab", "abc", 1, false, false, -1},
        {"ASCII letters in any case", "xABC", "bc", 1, false, false, 3},
        {"match case", "xABC bc", "bc", 1, false, true, 6},
        {"other letters keep their case", utf8("\xC3\x84 \xC3\xA4"), utf8("\xC3\xA4"), 1, false, false, 3},
        {"whole word: the underscore continues a word", "my_var", "my", 1, true, true, -1},
        {"whole word: found further on", "my_var my", "my", 1, true, true, 8},
        {"whole word: digits continue a word", "x1 x", "x", 1, true, true, 4},
        {"whole word: brackets continue a word", "[td] td", "td", 1, true, true, 6},
        {"whole word: a letter beyond z is a boundary", utf8("\xC3\xBC" "ber"), "ber", 1, true, true, 2},
        {"whole word: an accented letter is a boundary", utf8("caf\xC3\xA9"), "caf", 1, true, true, 1},
        {"whole word: the text's ends are boundaries", "word", "word", 1, true, true, 1},
        {"whole word in any case", "Word", "word", 1, true, false, 1},
        // After a rejected occurrence the search goes on one character behind its end, so
        // the "#" right behind the first one is never looked at.
        {"whole word: one character skipped", "a##", "#", 1, true, true, -1},
        {"whole word: nothing further", "ab", "a", 1, true, true, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindInFileText(c.text, c.needle, c.offset, c.wholeWord, c.matchCase), c.expected);
    }
}

TEST(MultiFile, OccurrencesARunVisits)
{
    struct Case {
        const char *name;
        QString text, needle;
        bool all, wholeWord;
        std::vector<qsizetype> expected;
    } cases[] = {
        {"every occurrence the two-character step reaches", "aaaaaa", "a", true, false, {0, 3}},
        {"only the first without all", "aaaaaa", "a", false, false, {0}},
        {"a one-character text is not searched", "a", "a", true, false, {}},
        {"an empty text", "", "a", true, false, {}},
        {"two characters", "aa", "a", true, false, {0}},
        {"right behind the previous one is not found", "abab", "ab", true, false, {0}},
        {"one character later is not found either", "ab.ab", "ab", true, false, {0}},
        {"two characters later is found", "ab..ab", "ab", true, false, {0, 4}},
        {"in the last character", "xa", "a", true, false, {1}},
        {"no search once the step reaches the last character", "axa", "a", true, false, {0}},
        {"a line break counts two", "a\r\nxa", "a", true, false, {0, 4}},
        {"whole word", "my_var my  my", "my", true, true, {7, 11}},
        {"no occurrence", "abc", "z", true, false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MultiFileSearch s;
        s.search = c.needle;
        s.all = c.all;
        s.wholeWord = c.wholeWord;
        EXPECT_EQ(fileMatches(c.text, s), c.expected);
        s.searchOnly = false;
        EXPECT_EQ(fileMatches(c.text, s), c.expected);
    }
    EXPECT_EQ(replacedText(QStringLiteral("aaaaaa"), {0, 3}, 1, u"b"), QStringLiteral("baabaa"));
    EXPECT_EQ(replacedText(QStringLiteral("xaxa"), {1, 3}, 1, u""), QStringLiteral("xx"));
}

TEST(MultiFile, WritesBackInTheFilesOwnEncodingAndLineBreaks)
{
    struct Case {
        const char *name;
        QByteArray before;
        QString search, replace;
        QByteArray after;
    } cases[] = {
        {"utf-8 with mark, CR LF", "\xEF\xBB\xBF" "a\r\n\xC3\xA4 a", "a", "b", "\xEF\xBB\xBF" "b\r\n\xC3\xA4 b"},
        {"utf-8 without mark, LF", "a\n\xC3\xA4\na", "a", "b", "b\n\xC3\xA4\nb"},
        {"ANSI, CR", "caf\xE9\ra", "a", "b", "cbf\xE9\rb"},
        {"ANSI bytes the code page leaves undefined", "\x81\x8D a", "a", "b", "\x81\x8D b"},
        {"utf-16 LE with U+2028", QByteArray("\xFF\xFE" "a\0\x28\x20" "x\0" "a\0", 10), "a", "b",
         QByteArray("\xFF\xFE" "b\0\x28\x20" "x\0" "b\0", 10)},
        {"utf-16 BE", QByteArray("\xFE\xFF\0x\0a", 6), "a", utf8("\xC3\xBC"), QByteArray("\xFE\xFF\0x\0\xFC", 6)},
        {"mixed line breaks stay as they are", "a\r\nb\na\rc", "a", "x", "x\r\nb\nx\rc"},
        // Removing the "z" would make the lone CR and LF one pair, one break instead of
        // two: such a text is written in one style, as a save would write it.
        {"a lone CR and a lone LF are not joined", "x\rz\ny\n", "z", "", "x\r\n\r\ny\r\n"},
        {"a line break in the search text is the editor's CR LF", "a\nb\nc", "\nb", "-", "a-\nc"},
        // The positions count a line break as two characters, as the editor does: the
        // second "a" lies beyond the two-character step only there.
        {"LF counted as CR LF", "a\nxa", "a", "b", "b\nxb"},
        {"a replacement's line break in the file's style", "a\nz", "a", "x\r\ny", "x\ny\nz"},
        {"a one-character file is not searched", "a", "a", "b", "a"},
        {"ANSI gaining a character the code page lacks", "ab", "b", utf8("\xC5\x91"), "\xEF\xBB\xBF" "a\xC5\x91"},
        {"longer and shorter replacements", "one two one", "one", "three", "three two three"},
        {"replaced by nothing", "x-x-x", "-", "", "xx-x"},
    };
    QTemporaryDir dir;
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("f%1.htm").arg(n++));
        put(path, c.before);
        const FileOutcome r = ProcessFile(path, replacing(c.search, c.replace), cp1252());
        EXPECT_EQ(r.status, FileOutcome::Done);
        EXPECT_EQ(contents(path), c.after);
        EXPECT_EQ(r.written, c.before != c.after);
    }
}

TEST(MultiFile, LeavesFilesAloneWhenNothingChanges)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    const QByteArray bytes("<p>a\r\nb a</p>\n\xE9");
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
    auto reset = [&] {
        put(path, bytes);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    };
    auto unchanged = [&] {
        EXPECT_EQ(contents(path), bytes);
        EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    };
    struct Case {
        const char *name;
        MultiFileSearch search;
        int matches;
    };
    MultiFileSearch searchOnly;
    searchOnly.search = QStringLiteral("a");
    searchOnly.replace = QStringLiteral("b");
    searchOnly.all = true;
    const Case cases[] = {
        {"search only", searchOnly, 2},
        {"no occurrence", replacing(QStringLiteral("zz"), QStringLiteral("y")), 0},
        {"replaced by itself", replacing(QStringLiteral("a"), QStringLiteral("a")), 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        const FileOutcome r = ProcessFile(path, c.search, cp1252());
        EXPECT_EQ(r.status, FileOutcome::Done);
        EXPECT_EQ(r.matches, c.matches);
        EXPECT_FALSE(r.written);
        unchanged();
    }
}

TEST(MultiFile, ARunStopsAtAFileItCannotReadOrWrite)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.htm"));
    const QString b = dir.filePath(QStringLiteral("b.htm"));
    const QString c = dir.filePath(QStringLiteral("c.htm"));
    auto fresh = [&] {
        put(a, "x a");
        put(b, "x a");
        put(c, "x a");
    };
    const MultiFileSearch s = replacing(QStringLiteral("a"), QStringLiteral("bb"));
    std::vector<int> steps;
    auto progress = [&](int n) { steps.push_back(n); };

    // A file that vanished after loading: nothing of it or behind it is touched.
    fresh();
    QFile::remove(b);
    MultiFileRun run = runMultiFile({a, b, c}, s, cp1252(), progress);
    EXPECT_TRUE(run.failed);
    EXPECT_EQ(run.failure, FileOutcome::ReadFailed);
    EXPECT_EQ(run.failedPath, b);
    EXPECT_FALSE(run.error.isEmpty());
    EXPECT_EQ(run.processed, 1);
    EXPECT_EQ(steps, std::vector<int>({1}));
    EXPECT_EQ(run.total, 1);
    EXPECT_EQ(run.found, QStringList({QStringLiteral("a.htm")}));
    EXPECT_EQ(contents(a), "x bb");
    EXPECT_EQ(contents(c), "x a");

    // A write that fails on the way: the file keeps its old content whole, the run stops,
    // the file before it keeps its new content.
    fresh();
    steps.clear();
    setWriteFault([&](WriteStage stage, const QString &path) { return !(stage == WriteStage::Commit && path == b); });
    run = runMultiFile({a, b, c}, s, cp1252(), progress);
    setWriteFault({});
    EXPECT_EQ(run.failure, FileOutcome::WriteFailed);
    EXPECT_EQ(run.failedPath, b);
    EXPECT_EQ(run.processed, 2);
    EXPECT_EQ(steps, std::vector<int>({1, 2}));
    EXPECT_EQ(run.total, 1);
    EXPECT_EQ(run.written, QStringList({a}));
    EXPECT_EQ(contents(a), "x bb");
    EXPECT_EQ(contents(b), "x a");
    EXPECT_EQ(contents(c), "x a");

    // A file marked read-only is not replaced, whoever runs the program; searching it,
    // or a run in which nothing in it changes, is no failure.
    fresh();
    ASSERT_TRUE(QFile::setPermissions(b, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    run = runMultiFile({a, b, c}, s, cp1252());
    EXPECT_EQ(run.failure, FileOutcome::WriteFailed);
    EXPECT_EQ(run.failedPath, b);
    EXPECT_EQ(contents(b), "x a");
    EXPECT_EQ(contents(c), "x a");
    MultiFileSearch only = s;
    only.searchOnly = true;
    run = runMultiFile({b}, only, cp1252());
    EXPECT_FALSE(run.failed);
    EXPECT_EQ(run.total, 1);
    run = runMultiFile({b}, replacing(QStringLiteral("zz"), QStringLiteral("y")), cp1252());
    EXPECT_FALSE(run.failed);

    // Every file processed: progress once per file, the total over all of them.
    fresh();
    steps.clear();
    QFile::setPermissions(b, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    run = runMultiFile({a, b, c}, s, cp1252(), progress);
    EXPECT_FALSE(run.failed);
    EXPECT_EQ(steps, std::vector<int>({1, 2, 3}));
    EXPECT_EQ(run.total, 3);
    EXPECT_EQ(run.written.size(), 3);
}

TEST(MultiFileLists, LoadRemoveBackAndFound)
{
    MultiFileLists l;
    // "a.htm" is part of "data.htm": a name stands for the path whose file name it is.
    l.load({QStringLiteral("/w/data.htm"), QStringLiteral("/w/a.htm"), QStringLiteral("/w/b.htm")});
    EXPECT_EQ(l.search, QStringList({"data.htm", "a.htm", "b.htm"}));
    EXPECT_TRUE(l.result.isEmpty());
    EXPECT_EQ(l.loadedIndexOf(u"a.htm"), 1);
    EXPECT_EQ(l.loadedIndexOf(u"data.htm"), 0);
    EXPECT_EQ(l.loadedIndexOf(u"ta.htm"), -1);
    EXPECT_EQ(l.loadedIndexOf(u"w"), -1);

    EXPECT_FALSE(l.removeEntries({}));
    EXPECT_FALSE(l.removeEntries({7}));
    EXPECT_TRUE(l.removeEntries({1}));
    EXPECT_EQ(l.loaded, QStringList({"/w/data.htm", "/w/b.htm"}));
    EXPECT_EQ(l.search, QStringList({"data.htm", "b.htm"}));

    // The end of a run: found names join the result list, each takes the first equal
    // search entry with it; a name no longer in the search list only joins the results.
    l.load({QStringLiteral("/w/x.htm"), QStringLiteral("/v/x.htm"), QStringLiteral("/w/y.htm"),
            QStringLiteral("/w/z.htm")});
    l.search.append(QStringLiteral("x.htm"));
    std::vector<qsizetype> kept = l.takeFound({"x.htm", "z.htm", "x.htm", "q.htm"});
    EXPECT_EQ(l.search, QStringList({"y.htm", "x.htm"}));
    EXPECT_EQ(kept, std::vector<qsizetype>({2, 4}));
    EXPECT_EQ(l.result, QStringList({"x.htm", "z.htm", "x.htm", "q.htm"}));
    kept = l.takeFound({});
    EXPECT_EQ(kept, std::vector<qsizetype>({0, 1}));

    l.backToSearch();
    EXPECT_EQ(l.search, QStringList({"y.htm", "x.htm", "x.htm", "z.htm", "x.htm", "q.htm"}));
    EXPECT_TRUE(l.result.isEmpty());
    EXPECT_EQ(l.loaded.size(), 4);

    l.load({});
    EXPECT_TRUE(l.loaded.isEmpty());
    EXPECT_TRUE(l.search.isEmpty());
    l.clear();
    EXPECT_TRUE(l.search.isEmpty() && l.result.isEmpty() && l.loaded.isEmpty());
}

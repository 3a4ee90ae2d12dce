#include "app/settingsfile.h"
#include "editing/textops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kAnsi = QStringLiteral("windows-1252");

QStringList twenty(std::initializer_list<std::pair<int, const char *>> set)
{
    QStringList lines;
    for (int i = 0; i < SettingsLineCount; ++i)
        lines << QString();
    for (const auto &[index, text] : set)
        lines[index] = QString::fromUtf8(text);
    return lines;
}

// IsEnciphered literally, step by step: four replace-alls, the replacement of the
// characters outside printable ASCII, trim, and the comparison with Round(len / 1.4).
bool referenceIsEnciphered(const QString &text)
{
    QString b = sx::replaceAll(text, u"\r\n", u"");
    b = sx::replaceAll(b, u"\t", u"");
    b = sx::replaceAll(b, u"kqo", u"", true);
    b = sx::replaceAll(b, u" ", u"");
    QString a = b;
    for (QChar &c : a)
        if (c.unicode() < 33 || c.unicode() > 126)
            c = u' ';
    a = sx::trim(a);
    a = sx::replaceAll(a, u" ", u"");
    return a != b && (a.isEmpty() || a.size() < sx::roundHalfEven(b.size() / 1.4));
}

} // namespace

TEST(Cipher, KeyQomuByPosition)
{
    EXPECT_EQ(Encipher(QByteArray(4, '\0')), QByteArray("qomu"));
    EXPECT_EQ(Encipher(QByteArray("\x01\x01\x01\x01\x01", 5)), QByteArray("rpnvr"));
    // Above 255 the sum wraps; below 0 the difference does.
    EXPECT_EQ(Encipher(QByteArray("\xFF", 1)), QByteArray("\x70", 1));
    EXPECT_EQ(Decipher(QByteArray("\x00", 1)), QByteArray("\x8F", 1));
    QByteArray all;
    for (int rep = 0; rep < 4; ++rep)
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
    all.append('x'); // every byte at every key position
    EXPECT_EQ(Decipher(Encipher(all)), all);
}

TEST(IsEnciphered, Cases)
{
    struct Row {
        const char *name;
        QString text;
        bool enciphered;
    };
    const Row rows[] = {
        {"empty", QString(), false},
        {"printable ASCII", QStringLiteral("Arial\r\n12\r\ntrue\r\n"), false},
        {"only blanks and breaks", QStringLiteral(" \t\r\n \t"), false},
        {"umlaut in an address", QStringLiteral("http://www.m\u00fcller.de/seite.html"), false},
        {"nothing printable", QStringLiteral("\u00e4\u00f6\u00fc"), true},
        {"kqo in any case is dropped", QStringLiteral("kQokqoKQO\u00e4"), true},
        // Seven left: Round(5) = 5, so five printable are not enough, four are.
        {"5 of 7 printable", QStringLiteral("abcde\u00e4\u00e4"), false},
        {"4 of 7 printable", QStringLiteral("abcd\u00e4\u00e4\u00e4"), true},
        // Ten left: Round(7.14) = 7.
        {"7 of 10 printable", QStringLiteral("abcdefg\u00e4\u00e4\u00e4"), false},
        {"6 of 10 printable", QStringLiteral("abcdef\u00e4\u00e4\u00e4\u00e4"), true},
        // One pass: CR CR LF LF leaves CR LF behind, which is not printable.
        {"CR LF left by the one pass", QStringLiteral("\r\r\n\n"), true},
        {"lone CR", QStringLiteral("abc\rdef"), false},
    };
    for (const Row &r : rows)
        EXPECT_EQ(IsEnciphered(r.text), r.enciphered) << r.name;
}

TEST(IsEnciphered, AgreesWithTheStepByStepTest)
{
    // Generated texts over an alphabet that hits every step: CR, LF, tab, space, "kqo"
    // in both cases, printable and other characters, and every length up to 60.
    const char16_t alphabet[] = {u'\r', u'\n', u'\t', u' ', u'k', u'K', u'q', u'Q', u'o', u'O', u'a',
                                 u'~', u'!', 0x7F, 0x01, 0xE4, 0x20AC, 0xD800};
    QRandomGenerator rng(4711);
    for (int round = 0; round < 20000; ++round) {
        QString s;
        const int len = int(rng.bounded(61));
        for (int i = 0; i < len; ++i)
            s += QChar(alphabet[rng.bounded(int(std::size(alphabet)))]);
        ASSERT_EQ(IsEnciphered(s), referenceIsEnciphered(s)) << s.toStdString();
    }
}

TEST(IsEnciphered, RoundsHalvesToEvenAtEveryLength)
{
    // len / 1.4 never falls on a half, and the rounding never drifts from the exact
    // quotient: the threshold is the nearest integer to 5 len / 7.
    for (qsizetype len = 0; len < 200000; ++len)
        ASSERT_EQ(sx::roundHalfEven(double(len) / 1.4), (10 * len + 7) / 14) << len;
}

TEST(GetField, Cases)
{
    struct Row {
        const char *text;
        int index;
        const char *field;
    };
    const Row rows[] = {
        {"255;;65280", 0, "255"}, {"255;;65280", 1, ""},  {"255;;65280", 2, "65280"}, {"255;;65280", 3, ""},
        {"255;0;0", 2, "0"},      {" a ; b ", 1, "b"},    {"", 0, ""},                {"abc", 0, "abc"},
        {"a;", 1, ""},            {"a;b", -1, ""},        {";;;x", 3, "x"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(GetField(QString::fromUtf8(r.text), r.index), QString::fromUtf8(r.field)) << r.text << " " << r.index;
    // The last field, however long.
    const QString longField(100000, u'7');
    EXPECT_EQ(GetField(QStringLiteral("1;2;") + longField, 2), longField);
}

TEST(SettingsBytes, ReadsPlainAndEncipheredFiles)
{
    const QStringList lines = twenty({{0, "Arial"}, {1, "12"}, {5, "ftp.example.com"}, {15, "1"}, {19, "http://x.de"}});
    // Plain, as a person writes it: read as it stands, LF or CR LF.
    EXPECT_EQ(settingsLinesFromBytes(QByteArray("Arial\r\n12\r\ntrue"), kAnsi), QStringList({"Arial", "12", "true"}));
    EXPECT_EQ(settingsLinesFromBytes(QByteArray("alpha\nbeta\r\ngamma\rdelta\n"), kAnsi),
              QStringList({"alpha", "beta", "gamma", "delta"}));
    // Short lines parted by lone LF count as enciphered: LF is no printable character.
    EXPECT_TRUE(IsEnciphered(QStringLiteral("a\nb\nc\n")));
    // With an umlaut (one ANSI byte) still plain.
    EXPECT_EQ(settingsLinesFromBytes(QByteArray("x\r\nhttp://m\xFCller.de\r\n"), kAnsi),
              QStringList({"x", QStringLiteral("http://m\u00fcller.de")}));
    // A byte-order mark selects the encoding.
    EXPECT_EQ(settingsLinesFromBytes(QByteArray("\xEF\xBB\xBFm\xC3\xBCller\r\n"), kAnsi), QStringList({QStringLiteral("m\u00fcller")}));
    // What the system writes is enciphered and reads back the same.
    const QByteArray written = settingsFileBytes(lines, kAnsi);
    EXPECT_FALSE(written.contains("Arial"));
    EXPECT_EQ(written, Encipher(QByteArray(joinFileLines(lines).toLatin1())));
    EXPECT_EQ(settingsLinesFromBytes(written, kAnsi), lines);
}

TEST(SettingsBytes, KeepsWhatTheCodePageLacks)
{
    // A password in Cyrillic letters: written as UTF-8 behind a mark, enciphered.
    QStringList lines = twenty({{4, "\u043f\u0430\u0440\u043e\u043b\u044c"}, {15, "0"}});
    for (int i = 0; i < 15; ++i)
        if (lines[i].isEmpty())
            lines[i] = QStringLiteral(" ");
    const QByteArray written = settingsFileBytes(lines, kAnsi);
    EXPECT_EQ(Decipher(written).left(3), QByteArray("\xEF\xBB\xBF"));
    EXPECT_EQ(settingsLinesFromBytes(written, kAnsi), lines);
}

TEST(SettingsBytes, WritesOnlyWhatReadsBack)
{
    // Twenty empty lines encipher to mostly printable characters, which would read as a
    // plain file of garbage: such a file is written plain.
    const QStringList empty = twenty({});
    const QByteArray written = settingsFileBytes(empty, kAnsi);
    EXPECT_EQ(settingsLinesFromBytes(written, kAnsi), empty);
    // Generated lines of printable ASCII always come back.
    QRandomGenerator rng(99);
    for (int round = 0; round < 2000; ++round) {
        QStringList lines;
        for (int i = 0; i < SettingsLineCount; ++i) {
            QString l;
            const int len = int(rng.bounded(4));
            for (int k = 0; k < len; ++k)
                l += QChar(char16_t(32 + rng.bounded(95)));
            lines << l;
        }
        ASSERT_EQ(settingsLinesFromBytes(settingsFileBytes(lines, kAnsi), kAnsi), lines) << lines.join(u'|').toStdString();
    }
}

TEST(LoadSettings, LinesAndTheirEffects)
{
    const SystemLanguage english{0x04090409, QStringLiteral("English (United States)")};
    SettingsState s;
    const QStringList lines = twenty({{0, "Courier"}, {1, "14"}, {2, "false"}, {3, " user "}, {4, "p;w"},
                                      {5, "ftp.example.com"}, {6, "UserLogin"}, {7, "UTF-8"}, {8, "/usr/bin/browser"},
                                      {9, "255"}, {10, "$FF00"}, {11, "255;;65280"}, {15, "0"}, {16, " UTF-8 "},
                                      {17, " explorer.exe "}, {18, " false "}, {19, "http://example.com "}});
    ASSERT_TRUE(loadSettingsLines(lines, english, s));
    EXPECT_EQ(s.fontSize, 14);
    EXPECT_FALSE(s.settings.lineNumbers);
    EXPECT_EQ(s.settings.ftpUser, " user "); // as read, not trimmed
    EXPECT_EQ(s.settings.ftpPassword, "p;w");
    EXPECT_EQ(s.settings.ftpServer, "ftp.example.com");
    EXPECT_EQ(s.settings.ftpLoginKind, "UserLogin");
    EXPECT_EQ(s.settings.charset, "UTF-8");
    EXPECT_EQ(s.settings.browserPath, "/usr/bin/browser");
    EXPECT_EQ(s.colors[ColorKeyword], 255u);
    EXPECT_EQ(s.colors[ColorIdentifier], 0xFF00u);
    EXPECT_EQ(s.colors[ColorValue], 255u);
    EXPECT_FALSE(s.colors[ColorComment]);
    EXPECT_EQ(s.colors[ColorEntity], 65280u);
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(s.saveEncoding, "UTF-8");
    EXPECT_EQ(s.settings.ftpClient, "explorer.exe");
    EXPECT_FALSE(s.settings.flag18);
    EXPECT_EQ(s.settings.webSite, "http://example.com ");
}

TEST(LoadSettings, SingleLines)
{
    const SystemLanguage english{0x04090409, QStringLiteral("English (United States)")};
    struct Row {
        const char *name;
        int line;
        const char *text;
        bool valid;
        std::function<bool(const SettingsState &)> check;
    };
    const Row rows[] = {
        {"font size not a number: ignored", 1, "abc", true, [](const SettingsState &s) { return !s.fontSize; }},
        {"font size 0: ignored", 1, "0", true, [](const SettingsState &s) { return !s.fontSize; }},
        {"font size far too big: ignored", 1, "2000000000", true, [](const SettingsState &s) { return !s.fontSize; }},
        {"line numbers blank: on", 2, "", true, [](const SettingsState &s) { return s.settings.lineNumbers; }},
        {"line numbers False: on", 2, "False", true, [](const SettingsState &s) { return s.settings.lineNumbers; }},
        {"login kind blank: user login", 6, "", true, [](const SettingsState &s) { return s.settings.ftpLoginKind.isEmpty(); }},
        {"charset blank", 7, " ", true, [](const SettingsState &s) { return s.settings.charset == "ISO-8859-1"; }},
        {"keyword colour red: invalid", 9, "red", false, [](const SettingsState &s) { return !s.colors[ColorKeyword]; }},
        {"parameter colour 1.5: invalid", 10, "1.5", false, [](const SettingsState &) { return true; }},
        {"colours 255;0;0", 11, "255;0;0", true,
         [](const SettingsState &s) { return s.colors[ColorValue] == 255u && s.colors[ColorComment] == 0u && s.colors[ColorEntity] == 0u; }},
        {"colours stop at a non-number", 11, "255;x;7", true,
         [](const SettingsState &s) { return s.colors[ColorValue] == 255u && !s.colors[ColorComment] && !s.colors[ColorEntity]; }},
        {"language blank, English system", 15, "", true, [](const SettingsState &s) { return s.language == 1; }},
        {"language x: invalid", 15, "x", false, [](const SettingsState &) { return true; }},
        {"language 7", 15, "7", true, [](const SettingsState &s) { return s.language == 7; }},
        {"flag blank: true", 18, "", true, [](const SettingsState &s) { return s.settings.flag18; }},
        {"web site blank: cleared", 19, "  ", true, [](const SettingsState &s) { return s.settings.webSite.isEmpty(); }},
    };
    for (const Row &r : rows) {
        SettingsState s;
        s.language = 5;
        s.settings.webSite = QStringLiteral("http://old.example.com");
        const QStringList lines = twenty({{15, "5"}, {r.line, r.text}});
        EXPECT_EQ(loadSettingsLines(lines, english, s), r.valid) << r.name;
        EXPECT_TRUE(r.check(s)) << r.name;
    }
}

TEST(LoadSettings, StopsAtTheFirstLineThatFails)
{
    const SystemLanguage english{0x04090409, QStringLiteral("English (United States)")};
    SettingsState s;
    s.settings.browserPath = QStringLiteral("old");
    const QStringList lines = twenty({{1, "16"}, {8, "new"}, {9, "red"}, {10, "255"}, {15, "1"}, {19, "http://x"}});
    EXPECT_FALSE(loadSettingsLines(lines, english, s));
    EXPECT_EQ(s.fontSize, 16);                      // taken before line 9
    EXPECT_EQ(s.settings.browserPath, "new");
    EXPECT_FALSE(s.colors[ColorIdentifier]);        // line 10 never read
    EXPECT_EQ(s.language, 0);                       // still the start value
    EXPECT_TRUE(s.settings.webSite.isEmpty());
    // Missing lines read as empty.
    SettingsState few;
    EXPECT_TRUE(loadSettingsLines({QStringLiteral("Arial"), QStringLiteral("12")}, english, few));
    EXPECT_EQ(few.fontSize, 12);
    EXPECT_TRUE(few.settings.lineNumbers);
    EXPECT_EQ(few.language, 1);
}

TEST(LoadSettings, LanguageRules)
{
    struct Row {
        const char *name;
        bool file;
        const char *line15;
        quint32 inputLocale;
        const char *systemName;
        int language;
    };
    const Row rows[] = {
        {"no file, German keyboard in Germany", false, "", 0x04070407, "English (United States)", 0},
        {"no file, Swiss German", false, "", 0x08070807, "Deutsch (Schweiz)", 1},
        {"no file, Austrian", false, "", 0x0C070C07, "Deutsch (\u00d6sterreich)", 1},
        {"no file, German language, US keyboard", false, "", 0x04090407, "Deutsch (Deutschland)", 1},
        {"blank line, German system", true, "", 0x04090409, "Deutsch (Deutschland)", 0},
        {"blank line, English names the German language", true, " ", 0x04070407, "German (Germany)", 1},
        {"line 15 wins", true, "0", 0x04090409, "English (United States)", 0},
        {"line 15 English", true, "1", 0x04070407, "Deutsch (Deutschland)", 1},
    };
    for (const Row &r : rows) {
        const SystemLanguage sys{r.inputLocale, QString::fromUtf8(r.systemName)};
        SettingsState s;
        if (r.file)
            loadSettingsLines(twenty({{15, r.line15}}), sys, s);
        else
            loadSettingsDefaults(sys, s);
        EXPECT_EQ(s.language, r.language) << r.name;
    }
}

TEST(LoadSettings, DefaultsWithoutAFile)
{
    SettingsState s;
    s.settings.lineNumbers = false;
    s.settings.charset = QStringLiteral("UTF-8");
    s.settings.browserPath = QStringLiteral("b");
    s.settings.ftpLoginKind = QStringLiteral("Anonymous");
    s.fontSize = std::nullopt;
    loadSettingsDefaults({0x04090409, QStringLiteral("English")}, s);
    EXPECT_TRUE(s.settings.lineNumbers);
    EXPECT_EQ(s.settings.charset, "ISO-8859-1");
    EXPECT_TRUE(s.settings.browserPath.isEmpty());
    EXPECT_EQ(s.settings.ftpLoginKind, "Anonymous");
    EXPECT_TRUE(s.settings.flag18);
    EXPECT_FALSE(s.fontSize);
    EXPECT_EQ(s.language, 1);
}

TEST(SessionSettings, PadsKeepsAndSets)
{
    const SessionValues v{1, QStringLiteral("UTF-8"), QStringLiteral("ftp.exe"), false, QStringLiteral("http://x")};
    struct Row {
        const char *name;
        int readCount; // -1: no file
    };
    for (const Row &r : {Row{"no file", -1}, Row{"five lines", 5}, Row{"twenty lines", 20}, Row{"500 lines", 500}}) {
        QStringList read;
        for (int i = 0; i < r.readCount; ++i)
            read << QStringLiteral("line %1").arg(i);
        const QStringList out = sessionSettingsLines(r.readCount < 0 ? nullptr : &read, v);
        ASSERT_EQ(out.size(), SettingsLineCount) << r.name;
        for (int i = 0; i < 15; ++i)
            EXPECT_EQ(out[i], i < r.readCount ? QStringLiteral("line %1").arg(i) : QStringLiteral(" ")) << r.name << i;
        EXPECT_EQ(out.mid(15), QStringList({"1", "UTF-8", "ftp.exe", "false", "http://x"})) << r.name;
    }
}

TEST(SetupDialog, FillsItsFieldsFromTheFile)
{
    SetupFields f;
    f.PLanguage = 1;
    f.user = QStringLiteral("kept");
    fillSetupFields(twenty({{0, "Courier"}, {1, "14"}, {2, "false"}, {4, "secret"}, {6, "UserLogin"}, {7, "utf-8"},
                            {9, "255"}, {11, "1; ;3"}, {12, "r12"}, {15, " "}, {17, "  "}, {19, " http://x "}}),
                    f);
    EXPECT_EQ(f.fontName, "Courier");
    EXPECT_EQ(f.fontSize, "14");
    EXPECT_FALSE(f.ZeilenNummern);
    EXPECT_EQ(f.user, "kept"); // blank line 3 keeps the field
    EXPECT_EQ(f.password, "secret");
    EXPECT_FALSE(f.anonymous);
    EXPECT_EQ(f.charset, 5);
    EXPECT_EQ(f.colors[ColorKeyword], "255");
    EXPECT_EQ(f.colors[ColorValue], "1");
    EXPECT_TRUE(f.colors[ColorComment].isEmpty());
    EXPECT_EQ(f.colors[ColorEntity], "3");
    EXPECT_EQ(f.reserved[0], "r12");
    EXPECT_EQ(f.reserved[1], "");
    EXPECT_EQ(f.PLanguage, 1); // blank line 15 keeps the main window's language
    EXPECT_EQ(f.ftpClient, "explorer.exe");
    EXPECT_EQ(f.myUrl, "http://x");

    SetupFields g;
    fillSetupFields(twenty({{6, "anonymous"}, {7, "KOI8-R"}, {15, "0"}}), g);
    EXPECT_TRUE(g.anonymous); // anything but "UserLogin"
    EXPECT_EQ(g.charset, 0);
    EXPECT_EQ(g.PLanguage, 0);
}

TEST(SetupDialog, BuildsTwentyLines)
{
    SetupFields f;
    f.PLanguage = 1;
    f.fontName = QStringLiteral("Arial");
    f.fontSize = QStringLiteral("12");
    f.ZeilenNummern = false;
    f.user = QStringLiteral("u");
    f.password = QStringLiteral("p w");
    f.server = QStringLiteral("ftp.x");
    f.anonymous = false;
    f.charset = charsetIndex(QStringLiteral("UTF-8"));
    f.browser = QStringLiteral("/opt/b");
    f.colors[ColorKeyword] = QStringLiteral("255");
    f.colors[ColorIdentifier] = QStringLiteral("0");
    f.colors[ColorValue] = QStringLiteral(" 1 ");
    f.colors[ColorEntity] = QStringLiteral("3");
    f.reserved[1] = QStringLiteral("r13");
    f.ftpClient = QStringLiteral(" explorer.exe ");
    f.myUrl = QStringLiteral("http://a\r\nb");
    const QStringList lines = setupLines(f);
    const QStringList expected = {"Arial", "12", "false", "u", "p w", "ftp.x", "UserLogin", "UTF-8", "/opt/b", "255", "0",
                                  "1;;3", " ", "r13", " ", "1", "UTF-8", "explorer.exe", "false", "http://a  b"};
    EXPECT_EQ(lines, expected);
    f.anonymous = true;
    f.charset = 6;
    EXPECT_EQ(setupLines(f)[6], "Anonymous");
    EXPECT_EQ(setupLines(f)[7], "Windows-1252");
    EXPECT_EQ(setupLines(f)[16], "");
}

TEST(SetupDialog, RoundTripThroughTheFile)
{
    SetupFields f;
    f.fontSize = QStringLiteral("10");
    f.user = QStringLiteral("me");
    f.password = QStringLiteral("\u20ac\u00e4\u00df\"; rm -rf");
    f.server = QStringLiteral("ftp.example.com");
    f.anonymous = false;
    f.charset = 3;
    f.colors[ColorKeyword] = QStringLiteral("16711680");
    const QStringList lines = setupLines(f);
    SetupFields back;
    fillSetupFields(settingsLinesFromBytes(settingsFileBytes(lines, kAnsi), kAnsi), back);
    EXPECT_EQ(setupLines(back), lines);
}

TEST(Charsets, ListAndLabels)
{
    EXPECT_EQ(charsetList().size(), 11u);
    EXPECT_STREQ(charsetList()[0].name, "ISO-8859-1");
    EXPECT_STREQ(charsetList()[10].label, "Arabic/Persian");
    EXPECT_EQ(charsetIndex(QStringLiteral("Windows-1251")), 7);
    EXPECT_EQ(charsetIndex(QStringLiteral("none")), -1);
    // The table describes every line once, in order.
    for (int i = 0; i < SettingsLineCount; ++i)
        EXPECT_EQ(settingsLineTable()[size_t(i)].index, i);
}

TEST(OwnFiles, AtomicWriteOwnerOnly)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Html.ini");
    ASSERT_TRUE(writeOwnFile(path, "one", true));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "one");
    f.close();
#ifndef Q_OS_WIN
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    auto perms = [&] {
        return QFileInfo(path).permissions()
               & (owner | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                  | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    };
    EXPECT_EQ(perms(), owner);
    // A file that was readable by everyone is narrowed by the next write.
    QFile::setPermissions(path, owner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ASSERT_TRUE(writeOwnFile(path, "two", true));
    EXPECT_EQ(perms(), owner);
#endif
    // A write that cannot happen leaves the folder as it was, without a stray file.
    QDir().mkdir(dir.path() + QStringLiteral("/sub"));
    QString error;
    EXPECT_FALSE(writeOwnFile(dir.path() + QStringLiteral("/sub"), "x", true, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeOwnFile(dir.path() + QStringLiteral("/missing/Html.ini"), "x", true));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"Html.ini"}));
}

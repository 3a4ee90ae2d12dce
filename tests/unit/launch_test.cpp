#include "app/launch.h"
#include "app/platform.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(Launch, PageFileUrl)
{
    struct Row {
        const char *path, *url;
    };
    const Row rows[] = {
        {"C:\\My Pages\\a.htm", "file:///C:\\My%20Pages\\a.htm"},
        {"C:\\web\\my page.htm", "file:///C:\\web\\my%20page.htm"},
        {"C:\\web\\index.html", "file:///C:\\web\\index.html"},
        {"/home/me/my page.htm", "file:///home/me/my%20page.htm"},
        {"C:\\100%\\a#b.htm", "file:///C:\\100%25\\a%23b.htm"},
        {"/tmp/what?.htm", "file:///tmp/what%3F.htm"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(pageFileUrl(QString::fromUtf8(r.path)), QString::fromUtf8(r.url)) << r.path;
}

TEST(Launch, EditableBody)
{
    EXPECT_EQ(withEditableBody(QStringLiteral("<html><BODY bgcolor=x>t</body>")),
              "<html><body contenteditable=\"true\" bgcolor=x>t</body>");
    EXPECT_EQ(withEditableBody(QStringLiteral("<p>no body</p>")), "<p>no body</p>");
    EXPECT_EQ(withoutFirstContentEditable(QStringLiteral("<div ContentEditable=\"TRUE\">a</div><p contenteditable=\"true\">")),
              "<div >a</div><p contenteditable=\"true\">");
    // Only ASCII letters match in either case (the dotless i is no i).
    EXPECT_EQ(withoutFirstContentEditable(QStringLiteral("contented\u0131table=\"true\"")),
              QStringLiteral("contented\u0131table=\"true\""));
    // Taking the attribute out again leaves a space in the start tag: the command keeps
    // the editor's own text instead.
    EXPECT_EQ(withoutFirstContentEditable(withEditableBody(QStringLiteral("<body>"))), "<body >");
}

TEST(Launch, FtpArgument)
{
    struct Row {
        const char *user, *password, *server, *kind, *argument;
    };
    const Row rows[] = {
        {"me", "pw", "ftp.example.com", "Anonymous", "/e, ftp://ftp.example.com"},
        {"me", "pw", "ftp.example.com", "UserLogin", "/e, ftp://me:pw@ftp.example.com"},
        {"", "", "ftp.example.com", "UserLogin", "/e, ftp://:@ftp.example.com"},
        {"me", "pw", "ftp.example.com", "anonymous", "/e, ftp://me:pw@ftp.example.com"},
        {" me", "p w", " srv ", "", "/e, ftp:// me:p w@ srv "},
    };
    for (const Row &r : rows)
        EXPECT_EQ(ftpArgument(QString::fromUtf8(r.user), QString::fromUtf8(r.password), QString::fromUtf8(r.server),
                              QString::fromUtf8(r.kind)),
                  QString::fromUtf8(r.argument));
}

TEST(Launch, UpdaterCommandLine)
{
    EXPECT_EQ(updaterCommandLine("1.0.0.1", "sorvex.exe", 1, "default", "check"),
              "\"Sorvex\" \"1.0.0.1\" \"sorvex.exe\" \"1\" \"default\" \"check\"");
    EXPECT_EQ(updaterCommandLine("1.0.0.1", "sorvex.exe", 0, "", ""),
              "\"Sorvex\" \"1.0.0.1\" \"sorvex.exe\" \"0\" \"default\" \"\"");
    EXPECT_EQ(updaterCommandLine("2.1.0.17", "sorvex.exe", 1, "C:\\ProgramData\\zededuro\\Html.ini", "del"),
              "\"Sorvex\" \"2.1.0.17\" \"sorvex.exe\" \"1\" \"C:\\ProgramData\\zededuro\\Html.ini\" \"del\"");
    // A path with spaces, quotes and semicolons stays one argument.
    const QString odd = QStringLiteral("/tmp/a \"b\"; rm -rf ~; c\\\\\"/Html.ini");
    EXPECT_EQ(splitCommandLine(updaterCommandLine("1", "x", 1, odd, "del")),
              QStringList({"Sorvex", "1", "x", "1", odd, "del"}));
}

TEST(Launch, QuotingRoundTrip)
{
    struct Row {
        const char *arg, *quoted;
    };
    const Row rows[] = {
        {"", "\"\""},
        {"a b", "\"a b\""},
        {"C:\\dir\\", "\"C:\\dir\\\\\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},
        {"a\\b", "\"a\\b\""},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(quoteArgument(QString::fromUtf8(r.arg)), QString::fromUtf8(r.quoted)) << r.arg;
        EXPECT_EQ(splitCommandLine(quoteArgument(QString::fromUtf8(r.arg))), QStringList(QString::fromUtf8(r.arg))) << r.arg;
    }
    // Unquoted words, tabs and runs of blanks.
    EXPECT_EQ(splitCommandLine(QStringLiteral("  one\ttwo   \"three four\" ")), QStringList({"one", "two", "three four"}));
    QRandomGenerator rng(7);
    const char16_t alphabet[] = {u'a', u' ', u'\\', u'"', u';', u'\t', 0xE4};
    for (int round = 0; round < 5000; ++round) {
        QStringList args;
        for (int a = int(rng.bounded(4)); a >= 0; --a) {
            QString s;
            for (int k = int(rng.bounded(8)); k > 0; --k)
                s += QChar(alphabet[rng.bounded(int(std::size(alphabet)))]);
            args << s;
        }
        QStringList quoted;
        for (const QString &a : args)
            quoted << quoteArgument(a);
        ASSERT_EQ(splitCommandLine(quoted.join(u' ')), args) << quoted.join(u' ').toStdString();
    }
}

TEST(Launch, VersionText)
{
    EXPECT_EQ(versionText((2u << 16) | 1u, 17u), "2.1.0.17");
    EXPECT_EQ(versionText(0xFFFFFFFFu, 0u), "65535.65535.0.0");
    struct Row {
        const char *embedded, *text;
    };
    const Row rows[] = {{"1.0.0.1", "1.0.0.1"}, {"2.1", "2.1.0.0"},          {"3.4.5.6.7", "3.4.5.6"},
                        {"", "Not available"},  {"x.1", "Not available"},     {"Not available", "Not available"}};
    for (const Row &r : rows)
        EXPECT_EQ(versionText(QString::fromUtf8(r.embedded)), QString::fromUtf8(r.text)) << r.embedded;
}

namespace {
class VersionPlatform : public Platform
{
public:
    QString settingsFolder() const override { return {}; }
    QString exeFolder() const override { return QStringLiteral("/opt/sorvex/"); }
    QString exePath() const override { return QStringLiteral("/opt/sorvex/sorvex"); }
    QSize screenSize() const override { return {}; }
    quint32 inputLocale() const override { return 0; }
    QString systemLanguageName() const override { return {}; }
    int osMajorVersion() const override { return 10; }
    QString ansiCodePage() const override { return {}; }
    QString versionString() const override { return QStringLiteral("2.1.0.17"); }
    void shellOpen(const QString &) override {}
    void startProgram(const QString &, const QStringList &) override {}
    int runElevated(const QString &, const QString &) override { return 0; }
    int runOpen(const QString &, const QString &) override { return 0; }
    void showHelp(const QString &, int) override {}
    void sleepMs(int) override {}
};
} // namespace

TEST(Launch, GetVersionString)
{
    VersionPlatform p;
    EXPECT_EQ(GetVersionString(p, QStringLiteral("/opt/sorvex/sorvex")), "2.1.0.17");
    EXPECT_EQ(GetVersionString(p, QStringLiteral("/usr/bin/other")), "Not available");
    EXPECT_EQ(updaterProgram(p.exeFolder()), "/opt/sorvex/Install.exe");
}

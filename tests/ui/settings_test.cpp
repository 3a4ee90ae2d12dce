// The settings file and the programs the system starts, with the real main window: odd
// and huge settings files at the start, the retry through the updater when a write
// fails, the dialog's OK when its write fails, F1 in the dialog, and starting real
// programs with arguments that a shell would take apart.
#include "tests/ui/uifixture.h"

#include "app/documentfile.h"
#include "app/launch.h"
#include "app/settingsfile.h"
#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "app/ui/realplatform.h"
#include "app/ui/setupdialog.h"
#include "editing/editorbuffer.h"
#include "editing/ui/synedit.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <memory>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// A platform that records what would be started; the updater "deletes" as asked.
class RecordingPlatform : public StubPlatform
{
public:
    int runElevated(const QString &program, const QString &line) override
    {
        runs << program + QLatin1Char(' ') + line;
        const QStringList args = splitCommandLine(line);
        if (args.value(5) == QLatin1String("del"))
            QFile::remove(args.value(4));
        return 42;
    }
    void showHelp(const QString &file, int topic) override { help << QStringLiteral("%1 %2").arg(file).arg(topic); }
    void shellOpen(const QString &target) override { runs << target; }

    QStringList runs, help;
};

// Prompts that press the named button of a dialog and record the message boxes.
class ClickingPrompts : public StubPrompts
{
public:
    int message(MsgKind, const QString &, const QString &text, int buttons) override
    {
        messages << text;
        return escapeButton(buttons);
    }
    int execDialog(QDialog *d) override
    {
        d->show();
        QApplication::processEvents();
        if (QPushButton *b = d->findChild<QPushButton *>(press))
            b->click();
        leftOpen = d->isVisible();
        if (d->isVisible())
            d->reject();
        return d->result();
    }
    QStringList messages;
    QString press;
    bool leftOpen = false;
};

struct Window {
    Window(StubPlatform &p, UiPrompts &prompts)
    {
        form = createApplication(p, prompts, {});
        form->show();
        QApplication::processEvents();
    }
    ~Window() { delete form; }
    TMainForm *form = nullptr;
};

QString iniOf(const StubPlatform &p) { return p.settingsFolder() + QStringLiteral("Html.ini"); }

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Makes the next `count` writes of files named `name` fail, as a full disk or a missing
// right would; the writes of other files go through.
struct FailingWrites {
    FailingWrites(const QString &name, int count)
    {
        auto left = std::make_shared<int>(count);
        setWriteFault([name, left](WriteStage stage, const QString &path) {
            if (stage != WriteStage::Commit || QFileInfo(path).fileName() != name || *left <= 0)
                return true;
            --*left;
            return false;
        });
    }
    ~FailingWrites() { setWriteFault(nullptr); }
};

} // namespace

TEST(SettingsStart, HugeAndRandomFilesNeverStopTheStart)
{
    QRandomGenerator rng(2024);
    QByteArray random(10 * 1024 * 1024, Qt::Uninitialized);
    for (char &c : random)
        c = char(rng.bounded(256));
    QByteArray manyLines;
    while (manyLines.size() < 10 * 1024 * 1024)
        manyLines += "12345\r\n";
    struct Row {
        const char *name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"10 MB of random bytes", random},
        {"10 MB of one long line", QByteArray(10 * 1024 * 1024, 'a')},
        {"10 MB of lines", manyLines},
        {"line breaks only", QByteArray(100000, '\n')},
        {"nothing", QByteArray()},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        StubPlatform p;
        StubPrompts prompts;
        writeBytes(iniOf(p), r.bytes);
        // What the start must do: keep a file it can read, delete one it cannot.
        SettingsState expected;
        const bool valid = loadSettingsLines(settingsLinesFromBytes(r.bytes, p.ansiCodePage()),
                                             {p.inputLocale(), p.systemLanguageName()}, expected);
        Window w(p, prompts);
        EXPECT_EQ(QFileInfo::exists(iniOf(p)), valid);
        w.form->SaveSessionSettings();
        const QStringList lines = settingsLinesFromBytes(readBytes(iniOf(p)), p.ansiCodePage());
        ASSERT_EQ(lines.size(), SettingsLineCount);
        EXPECT_EQ(lines[15], QString::number(w.form->InterfaceLanguage));
    }
}

TEST(SettingsWrite, RetriesThroughTheUpdater)
{
    RecordingPlatform p;
    StubPrompts prompts;
    writeBytes(p.exeFolder() + QStringLiteral("Install.exe"), "");
    writeBytes(iniOf(p), "Arial\r\n");
    Window w(p, prompts);
    ASSERT_EQ(p.runs.size(), 1); // the start-up check
    EXPECT_TRUE(p.runs[0].endsWith(QStringLiteral("\"default\" \"check\"")));
    {
        FailingWrites once(QStringLiteral("Html.ini"), 1);
        w.form->SaveSessionSettings();
    }
    ASSERT_EQ(p.runs.size(), 2);
    EXPECT_EQ(splitCommandLine(p.runs[1].mid(p.runs[1].indexOf(QLatin1Char(' ')) + 1)).mid(4),
              QStringList({iniOf(p), "del"}));
    // After the updater deleted it, the second attempt created the file anew.
    const QStringList lines = settingsLinesFromBytes(readBytes(iniOf(p)), p.ansiCodePage());
    ASSERT_EQ(lines.size(), SettingsLineCount);
    EXPECT_EQ(lines[0], "Arial");
    EXPECT_TRUE(w.form->settings.updaterMode.isEmpty());
    EXPECT_TRUE(w.form->settings.updaterCommand.isEmpty());
}

TEST(SettingsWrite, ASecondFailureIsPassedOn)
{
    RecordingPlatform p;
    StubPrompts prompts;
    writeBytes(p.exeFolder() + QStringLiteral("Install.exe"), "");
    Window w(p, prompts);
    // Without a file there is nothing for the updater to delete.
    {
        FailingWrites twice(QStringLiteral("Html.ini"), 2);
        EXPECT_THROW(w.form->SaveSessionSettings(), std::exception);
    }
    EXPECT_EQ(p.runs.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(iniOf(p))); // no empty stand-in is left behind
    // The recent-files list asks the updater too, and ignores its second failure.
    const QString list = p.settingsFolder() + QStringLiteral("files.txt");
    writeBytes(list, "old\r\n");
    {
        FailingWrites twice(QStringLiteral("files.txt"), 2);
        EXPECT_NO_THROW(w.form->SaveRecentFiles());
    }
    ASSERT_EQ(p.runs.size(), 2);
    EXPECT_TRUE(p.runs.last().contains(QStringLiteral("files.txt\" \"del\"")));
}

TEST(SetupDialog, FailedOkKeepsTheDialogOpenAndTheOldFileWhole)
{
    RecordingPlatform p;
    ClickingPrompts prompts;
    prompts.press = QStringLiteral("BitBtn1");
    const QByteArray old = settingsFileBytes({"Arial", "12", "true", "me", "secret"}, p.ansiCodePage());
    writeBytes(iniOf(p), old);
    Window w(p, prompts);
    {
        FailingWrites once(QStringLiteral("Html.ini"), 1);
        w.form->trigger(QStringLiteral("Settings2"));
    }
    EXPECT_TRUE(prompts.leftOpen);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Cannot create file")));
    EXPECT_EQ(readBytes(iniOf(p)), old);
    EXPECT_EQ(QDir(p.settingsFolder()).entryList(QDir::Files), QStringList({"Html.ini"}));
}

TEST(SetupDialog, OkReplacesTheFile)
{
    StubPlatform p;
    ClickingPrompts prompts;
    prompts.press = QStringLiteral("BitBtn1");
    writeBytes(iniOf(p), "Arial\r\n20\r\nfalse\r\n");
    Window w(p, prompts);
    EXPECT_EQ(w.form->editor()->fontPoints(), 20);
    w.form->trigger(QStringLiteral("Settings2"));
    EXPECT_FALSE(prompts.leftOpen);
    EXPECT_TRUE(prompts.messages.isEmpty());
    const QStringList lines = settingsLinesFromBytes(readBytes(iniOf(p)), p.ansiCodePage());
    ASSERT_EQ(lines.size(), SettingsLineCount);
    EXPECT_EQ(lines[1], "20");
    EXPECT_EQ(lines[2], "false");
    EXPECT_EQ(lines[18], "false");
    auto *d = w.form->dialogAs<TFormSetup>(QStringLiteral("TFormSetup"));
    EXPECT_EQ(d->Sgroesse, "20");
#ifndef Q_OS_WIN
    EXPECT_EQ(QFileInfo(iniOf(p)).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
#endif
}

TEST(SetupDialog, F1ShowsHelpTopic90)
{
    RecordingPlatform p;
    StubPrompts prompts;
    Window w(p, prompts);
    auto *d = w.form->dialogAs<TFormSetup>(QStringLiteral("TFormSetup"));
    ASSERT_NE(d, nullptr);
    d->show();
    QApplication::processEvents();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(d->EditServer, &press);
    d->hide();
    EXPECT_EQ(p.help, QStringList({w.form->helpFile + QStringLiteral(" 90")}));
}

TEST(BrowserCommand, AFailedWriteLaunchesNothing)
{
    RecordingPlatform p;
    ClickingPrompts prompts;
    const QString page = p.exeFolder() + QStringLiteral("page.htm");
    writeBytes(page, "<p>old</p>");
    Window w(p, prompts);
    ASSERT_TRUE(w.form->PerformFileOpen(page));
    w.form->buffer().setSelText(QStringLiteral("new"));
    {
        FailingWrites once(QStringLiteral("page.htm"), 1);
        w.form->trigger(QStringLiteral("ShowInBrowser"));
    }
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Cannot create file")));
    EXPECT_TRUE(p.runs.isEmpty());
    EXPECT_EQ(readBytes(page), "<p>old</p>");
    w.form->trigger(QStringLiteral("ShowInBrowser"));
    EXPECT_EQ(p.runs, QStringList({page}));
    EXPECT_EQ(readBytes(page), "new<p>old</p>");
}

// ---------------------------------------------------------------------------------------
// Real programs: the updater built beside the executable.

namespace {

const QString kUpdater = QStringLiteral(SORVEX_UPDATER_PATH);

bool waitUntilGone(const QString &path)
{
    QElapsedTimer t;
    t.start();
    while (QFileInfo::exists(path) && t.elapsed() < 10000)
        QThread::msleep(20);
    return !QFileInfo::exists(path);
}

} // namespace

TEST(RealLaunch, OddPathsReachTheProgramAsOneArgument)
{
    QTemporaryDir dir;
    // Spaces, quotes, semicolons, a backslash before a quote and shell syntax in the folder.
    const QString folder = dir.path() + QStringLiteral("/my \"odd\" folder; touch pwned; $(touch pwned2) \\\"x");
    ASSERT_TRUE(QDir().mkpath(folder));
    RealPlatform real;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());

    // As a whole command line (the updater's way) ...
    const QString first = folder + QStringLiteral("/Html.ini");
    writeBytes(first, "x");
    EXPECT_GE(real.runOpen(kUpdater, updaterCommandLine("1.0.0.1", "sorvex", 1, first, "del")), 32);
    EXPECT_TRUE(waitUntilGone(first));
    // ... and as an argument list (the browser's way).
    const QString second = folder + QStringLiteral("/files.txt");
    writeBytes(second, "x");
    real.startProgram(kUpdater, {"Sorvex", "1.0.0.1", "sorvex", "1", second, "del"});
    EXPECT_TRUE(waitUntilGone(second));

    QThread::msleep(100);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    QDir::setCurrent(cwd);
}

TEST(Updater, Commands)
{
    QTemporaryDir dir;
    auto run = [](const QStringList &args, QString *out = nullptr) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(kUpdater, args);
        p.waitForFinished(10000);
        if (out)
            *out = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
        return p.exitCode();
    };
    QString out;
    EXPECT_EQ(run({"Sorvex", "1.0.0.1", "sorvex", "1", "default", "check"}, &out), 0);
    EXPECT_EQ(out, "No update is known for Sorvex 1.0.0.1.");
    EXPECT_EQ(run({"Sorvex", "1.0.0.1", "sorvex", "0", "default", ""}, &out), 0);
    EXPECT_EQ(out, QStringLiteral("F\u00fcr Sorvex 1.0.0.1 ist kein Update bekannt."));
    // "del" deletes the system's own files only.
    const QString other = dir.path() + QStringLiteral("/page.htm");
    writeBytes(other, "keep");
    EXPECT_EQ(run({"Sorvex", "1", "sorvex", "1", other, "del"}), 1);
    EXPECT_TRUE(QFileInfo::exists(other));
    const QString ini = dir.path() + QStringLiteral("/Html.ini");
    writeBytes(ini, "x");
    EXPECT_EQ(run({"Sorvex", "1", "sorvex", "1", ini, "del"}), 0);
    EXPECT_FALSE(QFileInfo::exists(ini));
    EXPECT_EQ(run({"Sorvex", "1", "sorvex", "1", ini, "del"}), 0); // already gone
    EXPECT_EQ(run({"Sorvex"}), 2);
}

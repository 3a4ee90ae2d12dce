// A main window for interface tests: a platform that acts on nothing and prompts that
// answer every question with its escape button, so no test ever blocks on a dialog.
#pragma once

#include "app/platform.h"
#include "app/ui/uiprompts.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

class TMainForm;

class StubPlatform : public Platform
{
public:
    QString settingsFolder() const override { return folder.path() + QStringLiteral("/settings/"); }
    QString exeFolder() const override { return folder.path() + QLatin1Char('/'); }
    QString exePath() const override { return exeFolder() + QStringLiteral("sorvex"); }
    QSize screenSize() const override { return screen; }
    quint32 inputLocale() const override { return 0x04090409; }
    QString systemLanguageName() const override { return QStringLiteral("English (United States)"); }
    int osMajorVersion() const override { return 10; }
    QString ansiCodePage() const override { return QStringLiteral("windows-1252"); }
    QString versionString() const override { return QStringLiteral("1.0.0.1"); }
    void shellOpen(const QString &) override {}
    void startProgram(const QString &, const QStringList &) override {}
    int runElevated(const QString &, const QString &) override { return 0; }
    int runOpen(const QString &, const QString &) override { return 0; }
    void showHelp(const QString &, int) override {}
    void sleepMs(int) override {}

    QTemporaryDir folder;
    QSize screen{1920, 1080};
};

class StubPrompts : public UiPrompts
{
public:
    int message(MsgKind, const QString &, const QString &, int buttons) override { return escapeButton(buttons); }
    bool input(const QString &, const QString &, QString &) override { return false; }
    QStringList openFiles(const FileDialogRequest &) override { return {}; }
    QString saveFile(const FileDialogRequest &) override { return {}; }
    bool chooseColor(quint32 &) override { return false; }
    bool chooseFont(QString &, int &) override { return false; }
    int execDialog(QDialog *) override { return 0; }
    bool choosePrinter(QPrinter &) override { return false; }
};

// The main window as the application starts it, shown (offscreen).
struct MainWindowFixture {
    MainWindowFixture();
    ~MainWindowFixture();
    StubPlatform platform;
    StubPrompts prompts;
    TMainForm *form = nullptr;
};

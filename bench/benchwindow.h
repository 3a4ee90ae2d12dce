// A main window for the benchmarks that runs real commands: a platform that launches
// nothing and keeps its folders in a temporary folder, and prompts that answer every
// question with its escape button and say on stderr that one was asked.
#pragma once

#include "app/platform.h"
#include "app/ui/uiprompts.h"

#include <QSize>
#include <QTemporaryDir>
#include <cstdio>

namespace bench {

class BenchPlatform : public Platform
{
public:
    QTemporaryDir root;
    QString settingsFolder() const override { return root.filePath(QStringLiteral("settings/")); }
    QString exeFolder() const override { return root.filePath(QStringLiteral("exe/")); }
    QString exePath() const override { return exeFolder() + QStringLiteral("sorvex"); }
    QSize screenSize() const override { return QSize(1920, 1080); }
    quint32 inputLocale() const override { return 0x04090409; }
    QString systemLanguageName() const override { return QStringLiteral("English (United States)"); }
    int osMajorVersion() const override { return 10; }
    QString ansiCodePage() const override { return QStringLiteral("windows-1252"); }
    QString versionString() const override { return QStringLiteral("1.0.0.1"); }
    void shellOpen(const QString &) override {}
    void startProgram(const QString &, const QStringList &) override {}
    int runElevated(const QString &, const QString &) override { return 42; }
    int runOpen(const QString &, const QString &) override { return 42; }
    void showHelp(const QString &, int) override {}
    void sleepMs(int) override {}
};

class SilentPrompts : public UiPrompts
{
public:
    int messages = 0;
    int message(MsgKind, const QString &, const QString &text, int buttons) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        ++messages;
        return escapeButton(buttons);
    }
    bool input(const QString &, const QString &, QString &) override { return false; }
    QStringList openFiles(const FileDialogRequest &) override { return {}; }
    QString saveFile(const FileDialogRequest &) override { return {}; }
    bool chooseColor(quint32 &) override { return false; }
    bool chooseFont(QString &, int &) override { return false; }
    int execDialog(QDialog *) override { return 0; }
    bool choosePrinter(QPrinter &) override { return false; }
};

} // namespace bench

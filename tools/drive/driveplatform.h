// The platform in drive mode: the folders, screen and locale come from the command line;
// starting programs, opening files with their default program and showing help are
// printed as event lines instead of done.
#pragma once

#include "app/platform.h"

#include <QTemporaryDir>
#include <memory>

struct DriveOptions {
    QString settingsDir;    // empty: a fresh temporary folder
    QString exeDir;         // empty: a fresh temporary folder
    QSize screen{1920, 1080};
    quint32 inputLocale = 0x00000409;
    QString systemLanguage = QStringLiteral("English (United States)");
    int osMajor = 10;
    int runasResult = 42;
    QStringList arguments;
    QString script;         // a path, or "-" for standard input
};

// Parses the command line (without the program name); false with a message when it is bad.
bool parseDriveOptions(const QStringList &args, DriveOptions *options, QString *error);

class DrivePlatform : public Platform
{
public:
    explicit DrivePlatform(const DriveOptions &options);

    QString settingsFolder() const override { return m_settings; }
    QString exeFolder() const override { return m_exe; }
    QString exePath() const override { return m_exe + QStringLiteral("sorvex"); }
    QSize screenSize() const override { return m_options.screen; }
    quint32 inputLocale() const override { return m_options.inputLocale; }
    QString systemLanguageName() const override { return m_options.systemLanguage; }
    int osMajorVersion() const override { return m_options.osMajor; }
    QString ansiCodePage() const override { return QStringLiteral("windows-1252"); }
    QString versionString() const override;

    void shellOpen(const QString &target) override;
    void startProgram(const QString &program, const QStringList &arguments) override;
    int runElevated(const QString &program, const QString &argumentLine) override;
    int runOpen(const QString &program, const QString &argumentLine) override;
    void showHelp(const QString &helpFile, int topic) override;
    void sleepMs(int ms) override;

private:
    DriveOptions m_options;
    std::unique_ptr<QTemporaryDir> m_tempSettings, m_tempExe;
    QString m_settings, m_exe;
};

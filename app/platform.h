// What the operating system supplies and does. The real implementation maps these onto
// the running system; the end-to-end driver's records them instead of acting.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class Platform
{
public:
    virtual ~Platform() = default;

    // The settings folder ("Html.ini", "files.txt"), with a final separator. Not created.
    virtual QString settingsFolder() const = 0;
    // The folder of the executable, with a final separator, and the executable's path.
    virtual QString exeFolder() const = 0;
    virtual QString exePath() const = 0;
    virtual QSize screenSize() const = 0;
    // The default input language, as the 32-bit locale identifier (0x04070407 German).
    virtual quint32 inputLocale() const = 0;
    // The display name of the system's default language ("English (United States)").
    virtual QString systemLanguageName() const = 0;
    virtual int osMajorVersion() const = 0;
    // The name of the ANSI code page for the text codecs ("windows-1252").
    virtual QString ansiCodePage() const = 0;
    // The executable's version text ("1.0.0.1"), "Not available" without one.
    virtual QString versionString() const = 0;

    // Opens a file or address with its default program.
    virtual void shellOpen(const QString &target) = 0;
    // Starts a program with an argument list, never through a shell.
    virtual void startProgram(const QString &program, const QStringList &arguments) = 0;
    // Starts a program with administrator rights (after consent) with a whole argument
    // line; returns the shell's result code (below 32: not started or refused).
    virtual int runElevated(const QString &program, const QString &argumentLine) = 0;
    // Starts a program with the verb "open" and a whole argument line; result as above.
    virtual int runOpen(const QString &program, const QString &argumentLine) = 0;
    // Shows help topic N of a help file; topic < 0 shows its contents.
    virtual void showHelp(const QString &helpFile, int topic) = 0;
    // Waits, without running events.
    virtual void sleepMs(int ms) = 0;
};

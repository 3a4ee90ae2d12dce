// The platform of the running system.
#pragma once

#include "app/platform.h"

#include <QLocale>

class RealPlatform : public Platform
{
public:
    QString settingsFolder() const override;
    QString exeFolder() const override;
    QString exePath() const override;
    QSize screenSize() const override;
    quint32 inputLocale() const override;
    QString systemLanguageName() const override;
    int osMajorVersion() const override;
    QString ansiCodePage() const override;
    QString versionString() const override;
    void shellOpen(const QString &target) override;
    void startProgram(const QString &program, const QStringList &arguments) override;
    int runElevated(const QString &program, const QString &argumentLine) override;
    int runOpen(const QString &program, const QString &argumentLine) override;
    void showHelp(const QString &helpFile, int topic) override;
    void sleepMs(int ms) override;
};

// The Windows locale identifier of a locale (0x0407 for German in Germany), 0 if unknown.
quint16 localeIdentifier(const QLocale &locale);

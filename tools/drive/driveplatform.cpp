#include "tools/drive/driveplatform.h"

#include "tools/drive/driveoutput.h"
#include "tools/drive/drivescript.h"

#include <QDir>
#include <QThread>
#include <algorithm>

namespace {

QString withSeparator(const QString &folder)
{
    QString f = QDir::fromNativeSeparators(QDir(folder).absolutePath());
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

bool parseInt(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

} // namespace

bool parseDriveOptions(const QStringList &args, DriveOptions *o, QString *error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        if (!a.startsWith(QLatin1String("--")) || a == QLatin1String("-")) {
            if (!o->script.isEmpty()) {
                *error = QStringLiteral("more than one script: %1").arg(a);
                return false;
            }
            o->script = a;
            continue;
        }
        if (i + 1 >= args.size()) {
            *error = QStringLiteral("%1 needs a value").arg(a);
            return false;
        }
        const QString v = args[++i];
        if (a == QLatin1String("--settings-dir")) {
            o->settingsDir = v;
        } else if (a == QLatin1String("--exe-dir")) {
            o->exeDir = v;
        } else if (a == QLatin1String("--screen")) {
            const QStringList wh = v.split(QLatin1Char('x'));
            int w = 0, h = 0;
            if (wh.size() != 2 || !parseInt(wh[0], &w) || !parseInt(wh[1], &h) || w <= 0 || h <= 0) {
                *error = QStringLiteral("--screen wants WIDTHxHEIGHT, not %1").arg(v);
                return false;
            }
            o->screen = QSize(w, h);
        } else if (a == QLatin1String("--input-locale")) {
            bool ok = false;
            const uint id = v.toUInt(&ok, 16);
            if (!ok || v.isEmpty() || v.size() > 8) {
                *error = QStringLiteral("--input-locale wants up to eight hex digits, not %1").arg(v);
                return false;
            }
            o->inputLocale = id;
        } else if (a == QLatin1String("--system-language")) {
            o->systemLanguage = v;
        } else if (a == QLatin1String("--os-major")) {
            if (!parseInt(v, &o->osMajor)) {
                *error = QStringLiteral("--os-major wants a number, not %1").arg(v);
                return false;
            }
        } else if (a == QLatin1String("--runas-result")) {
            if (!parseInt(v, &o->runasResult)) {
                *error = QStringLiteral("--runas-result wants a number, not %1").arg(v);
                return false;
            }
        } else if (a == QLatin1String("--arg")) {
            o->arguments << v;
        } else {
            *error = QStringLiteral("unknown option %1").arg(a);
            return false;
        }
    }
    if (o->script.isEmpty()) {
        *error = QStringLiteral("no script given");
        return false;
    }
    return true;
}

DrivePlatform::DrivePlatform(const DriveOptions &options) : m_options(options)
{
    if (options.settingsDir.isEmpty()) {
        m_tempSettings = std::make_unique<QTemporaryDir>();
        m_settings = withSeparator(m_tempSettings->path());
    } else {
        m_settings = withSeparator(options.settingsDir);
    }
    if (options.exeDir.isEmpty()) {
        m_tempExe = std::make_unique<QTemporaryDir>();
        m_exe = withSeparator(m_tempExe->path());
    } else {
        m_exe = withSeparator(options.exeDir);
    }
}

QString DrivePlatform::versionString() const { return QStringLiteral(SORVEX_VERSION); }

void DrivePlatform::shellOpen(const QString &target)
{
    drive::writeLine(QStringLiteral("open-with-default ") + drive::quote(target));
}

void DrivePlatform::startProgram(const QString &program, const QStringList &arguments)
{
    QString line = QStringLiteral("launch ") + drive::quote(program);
    for (const QString &a : arguments)
        line += QLatin1Char(' ') + drive::quote(a);
    drive::writeLine(line);
}

int DrivePlatform::runElevated(const QString &program, const QString &argumentLine)
{
    drive::writeLine(QStringLiteral("runas ") + drive::quote(program) + QLatin1Char(' ') + drive::quote(argumentLine));
    return m_options.runasResult;
}

int DrivePlatform::runOpen(const QString &program, const QString &argumentLine)
{
    startProgram(program, drive::splitWindowsCommandLine(argumentLine));
    return 42; // above 32: started
}

void DrivePlatform::showHelp(const QString &helpFile, int topic)
{
    drive::writeLine(QStringLiteral("help ") + drive::quote(helpFile) + QLatin1Char(' ')
                     + (topic < 0 ? QStringLiteral("contents") : QString::number(topic)));
}

void DrivePlatform::sleepMs(int ms)
{
    // Waits really, but briefly: the waits are for other programs, which do not run here.
    if (ms > 0)
        QThread::msleep(ulong(std::min(ms, 50)));
}

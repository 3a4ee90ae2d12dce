#include "app/ui/realplatform.h"

#include "app/launch.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>
#include <QUrl>

#ifdef Q_OS_WIN
#include <vector>
#include <windows.h>
#endif

QString RealPlatform::settingsFolder() const
{
#ifdef Q_OS_WIN
    QString base = qEnvironmentVariable("ProgramData");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::toNativeSeparators(base + QStringLiteral("/zededuro/"));
#else
    // No machine-wide folder is writable for a user here: the user's data folder serves.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zededuro/");
#endif
}

QString RealPlatform::exeFolder() const { return QCoreApplication::applicationDirPath() + QLatin1Char('/'); }

QString RealPlatform::exePath() const { return QCoreApplication::applicationFilePath(); }

QSize RealPlatform::screenSize() const
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->size() : QSize(1920, 1080);
}

quint16 localeIdentifier(const QLocale &l)
{
    struct Row {
        QLocale::Language lang;
        QLocale::Territory terr;
        quint16 id;
    };
    static const Row rows[] = {
        {QLocale::German, QLocale::Germany, 0x0407},       {QLocale::German, QLocale::Switzerland, 0x0807},
        {QLocale::German, QLocale::Austria, 0x0C07},       {QLocale::German, QLocale::Luxembourg, 0x1007},
        {QLocale::German, QLocale::Liechtenstein, 0x1407}, {QLocale::English, QLocale::UnitedStates, 0x0409},
        {QLocale::English, QLocale::UnitedKingdom, 0x0809}, {QLocale::English, QLocale::Australia, 0x0C09},
        {QLocale::English, QLocale::Canada, 0x1009},       {QLocale::French, QLocale::France, 0x040C},
        {QLocale::Italian, QLocale::Italy, 0x0410},        {QLocale::Spanish, QLocale::Spain, 0x0C0A},
        {QLocale::Dutch, QLocale::Netherlands, 0x0413},    {QLocale::Polish, QLocale::Poland, 0x0415},
        {QLocale::Russian, QLocale::Russia, 0x0419},
    };
    for (const Row &r : rows)
        if (r.lang == l.language() && r.terr == l.territory())
            return r.id;
    return 0;
}

quint32 RealPlatform::inputLocale() const
{
#ifdef Q_OS_WIN
    return quint32(reinterpret_cast<quintptr>(GetKeyboardLayout(0)));
#else
    const quint16 id = localeIdentifier(QLocale::system());
    return (quint32(id) << 16) | id;
#endif
}

QString RealPlatform::systemLanguageName() const
{
    const QLocale l = QLocale::system();
    return l.nativeLanguageName() + QStringLiteral(" (") + l.nativeTerritoryName() + QLatin1Char(')');
}

int RealPlatform::osMajorVersion() const
{
#ifdef Q_OS_WIN
    return QOperatingSystemVersion::current().majorVersion();
#else
    return QSysInfo::kernelVersion().section(QLatin1Char('.'), 0, 0).toInt();
#endif
}

QString RealPlatform::ansiCodePage() const
{
#ifdef Q_OS_WIN
    return QStringLiteral("windows-%1").arg(GetACP());
#else
    return QStringLiteral("windows-1252");
#endif
}

QString RealPlatform::versionString() const
{
#ifdef Q_OS_WIN
    // The file version of the executable's version resource.
    const std::wstring path = QDir::toNativeSeparators(exePath()).toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size > 0) {
        std::vector<char> data(size);
        VS_FIXEDFILEINFO *info = nullptr;
        UINT len = 0;
        if (GetFileVersionInfoW(path.c_str(), 0, size, data.data())
            && VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&info), &len) && info)
            return versionText(quint32(info->dwFileVersionMS), quint32(info->dwFileVersionLS));
    }
    return QStringLiteral("Not available");
#else
    return QStringLiteral(SORVEX_VERSION);
#endif
}

void RealPlatform::shellOpen(const QString &target)
{
    if (target.contains(QStringLiteral("://")))
        QDesktopServices::openUrl(QUrl(target));
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(target));
}

void RealPlatform::startProgram(const QString &program, const QStringList &arguments)
{
    // The file manager opens an FTP folder from "/e, ftp://...". Where there is no such
    // program, the address goes to the system's handler for ftp addresses.
    const bool fileManager = program.compare(QLatin1String("explorer.exe"), Qt::CaseInsensitive) == 0
                             && arguments.size() == 1 && arguments.first().startsWith(QLatin1String("/e, "));
#ifdef Q_OS_WIN
    if (fileManager) {
        const std::wstring prog = program.toStdWString(), args = arguments.first().toStdWString();
        ShellExecuteW(nullptr, L"open", prog.c_str(), args.c_str(), nullptr, SW_SHOWNORMAL);
        return;
    }
#else
    if (fileManager && QStandardPaths::findExecutable(program).isEmpty()) {
        QDesktopServices::openUrl(QUrl(arguments.first().mid(4), QUrl::TolerantMode));
        return;
    }
#endif
    QProcess::startDetached(program, arguments);
}

int RealPlatform::runElevated(const QString &program, const QString &argumentLine)
{
#ifdef Q_OS_WIN
    const std::wstring prog = program.toStdWString(), args = argumentLine.toStdWString();
    return int(reinterpret_cast<quintptr>(
        ShellExecuteW(nullptr, L"runas", prog.c_str(), args.c_str(), nullptr, SW_SHOWNORMAL)));
#else
    // There is no consent prompt of this kind here; the program starts with the user's rights.
    return runOpen(program, argumentLine);
#endif
}

int RealPlatform::runOpen(const QString &program, const QString &argumentLine)
{
#ifdef Q_OS_WIN
    const std::wstring prog = program.toStdWString(), args = argumentLine.toStdWString();
    return int(reinterpret_cast<quintptr>(
        ShellExecuteW(nullptr, L"open", prog.c_str(), args.c_str(), nullptr, SW_SHOWNORMAL)));
#else
    // The line's arguments, split as the program itself would split them; no shell.
    return QProcess::startDetached(program, splitCommandLine(argumentLine)) ? 42 : 2;
#endif
}

void RealPlatform::showHelp(const QString &helpFile, int topic)
{
#ifdef Q_OS_WIN
    const QString target = topic < 0 ? helpFile : helpFile + QStringLiteral("::/%1.htm").arg(topic);
    QProcess::startDetached(QStringLiteral("hh.exe"), {target});
#else
    Q_UNUSED(topic);
    if (QFileInfo::exists(helpFile))
        QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
#endif
}

void RealPlatform::sleepMs(int ms) { QThread::msleep(ms); }

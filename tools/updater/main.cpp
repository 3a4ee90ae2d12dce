// Install.exe: the updater that Sorvex starts from the folder of its executable.
//
//   Install.exe PRODUCT VERSION EXECUTABLE LANGUAGE MODE COMMAND
//
// COMMAND "del": deletes the file named by MODE (the settings file "Html.ini" or the
//                recent-files list "files.txt"; any other file is refused).
// COMMAND "check": reports on its output that no update is known.
// no COMMAND:    says the same in a window, or on its output where there is no screen.
//
// Exit status: 0 done, 1 the file could not be deleted or was refused, 2 bad arguments.
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

QString noUpdateText(const QString &product, const QString &version, bool german)
{
    return german ? QStringLiteral("Für %1 %2 ist kein Update bekannt.").arg(product, version)
                  : QStringLiteral("No update is known for %1 %2.").arg(product, version);
}

void say(const QString &text, FILE *stream = stdout)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stream);
}

// Only the files the program asks to have deleted.
bool deletable(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.compare(QLatin1String("Html.ini"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("files.txt"), Qt::CaseInsensitive) == 0;
}

bool hasScreen()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform == "offscreen" || platform == "minimal")
        return false;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#endif
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() < 5) {
        say(QStringLiteral("usage: Install.exe PRODUCT VERSION EXECUTABLE LANGUAGE MODE [COMMAND]"), stderr);
        return 2;
    }
    const QString product = args[0], version = args[1], mode = args[4];
    const bool german = args[3].trimmed() == QLatin1String("0");
    const QString command = args.value(5);

    if (command == QLatin1String("del")) {
        if (!deletable(mode)) {
            say(QStringLiteral("refused: %1").arg(mode), stderr);
            return 1;
        }
        if (!QFileInfo::exists(mode) && !QFileInfo(mode).isSymLink())
            return 0;
        if (!QFile::remove(mode)) {
            say(QStringLiteral("cannot delete: %1").arg(mode), stderr);
            return 1;
        }
        return 0;
    }
    if (command == QLatin1String("check")) {
        say(noUpdateText(product, version, german));
        return 0;
    }
    if (command.isEmpty()) {
        if (!hasScreen()) {
            say(noUpdateText(product, version, german));
            return 0;
        }
        QApplication app(argc, argv);
        QMessageBox box(QMessageBox::Information, product, noUpdateText(product, version, german), QMessageBox::Ok);
        box.exec();
        return 0;
    }
    say(QStringLiteral("unknown command: %1").arg(command), stderr);
    return 2;
}

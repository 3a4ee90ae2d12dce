#include "tools/drive/driveoutput.h"

#include <cstdio>

namespace drive {

namespace {
bool g_failed = false;
int g_line = 0;
QStringList *g_capture = nullptr;
} // namespace

void writeLine(const QString &line)
{
    if (line.startsWith(QLatin1String("error ")))
        g_failed = true;
    if (g_capture) {
        g_capture->append(line);
        return;
    }
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void writeError(const QString &detail, const QString &explanation)
{
    writeLine(QStringLiteral("error ") + detail);
    if (g_capture)
        return;
    QString where = g_line > 0 ? QStringLiteral("sorvex-drive: line %1: ").arg(g_line) : QStringLiteral("sorvex-drive: ");
    const QByteArray msg = (where + (explanation.isEmpty() ? detail : explanation) + QLatin1Char('\n')).toUtf8();
    std::fwrite(msg.constData(), 1, size_t(msg.size()), stderr);
    std::fflush(stderr);
}

bool runFailed() { return g_failed; }

void captureOutput(QStringList *lines)
{
    g_capture = lines;
    g_failed = false;
}

void setCurrentLine(int number) { g_line = number; }

} // namespace drive

// Opening and saving a 50 MB page, against the floors measured in the same run:
//   open: PerformFileOpen, against `cat FILE > /dev/null` (the read bandwidth) and a bare
//         QsciScintilla setText of the same decoded text plus the decoding itself;
//   save: FileSave, against encoding the text and writing it once through QSaveFile
//         (the atomic write with its flush to disk).
// Prints the times, the ratios and the peak memory of each step.
//
//   bench-documents [MEGABYTES]
#include "app/documentfile.h"
#include "app/platform.h"
#include "app/ui/application.h"
#include "app/ui/documentcommands.h"
#include "app/ui/mainform.h"
#include "app/ui/uiprompts.h"
#include "bench/benchwindow.h"
#include "editing/editorbuffer.h"
#include "editing/textbuffer.h"
#include "editing/ui/synedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>
#include <cstdio>

namespace {

using bench::BenchPlatform;
using bench::SilentPrompts;

// Peak resident memory since the last reset, in MB (Linux: VmHWM, reset by clear_refs 5).
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}
double peakMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

struct Step {
    double ms = 0, peak = 0;
};

// The fastest of reps runs (the machine is shared), and the highest peak.
template <class F> Step measure(F &&f, int reps = 3)
{
    Step best;
    best.ms = 1e18;
    for (int r = 0; r < reps; ++r) {
        resetPeak();
        QElapsedTimer t;
        t.start();
        f();
        best.ms = std::min(best.ms, double(t.nsecsElapsed()) / 1e6);
        best.peak = std::max(best.peak, peakMb());
    }
    return best;
}

void processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qsizetype megabytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 50;
    // "quick" skips the bare setText with word wrap on (a minute at 50 MB).
    const bool quick = argc > 2 && QByteArray(argv[2]) == "quick";

    BenchPlatform platform;
    SilentPrompts prompts;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.html"));
    {
        // A long page in the ANSI code page, CR LF, that already carries the generator
        // meta element (the steady state of a page that is saved again and again).
        QByteArray page = "<html><head>\r\n<meta name=\"GENERATOR\" content=\"Sorvex\">\r\n<title>Gr\xFC\xDF" "e</title>\r\n"
                          "</head>\r\n<body>\r\n<table>\r\n";
        const QByteArray row = "<tr><td class=\"c\">Zeile mit \xE4, \xF6 und \x80</td><td>0123456789 abcdefghij "
                               "klmnopqrst</td></tr>\r\n";
        const qsizetype target = megabytes * 1024 * 1024;
        page.reserve(target + 256);
        while (page.size() < target)
            page.append(row);
        page.append("</table>\r\n</body></html>\r\n");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(page);
    }
    const qint64 fileSize = QFile(path).size();
    std::printf("page: %.1f MB, %s\n", double(fileSize) / (1024 * 1024), qPrintable(path));

    // Floors.
    const Step cat = measure([&] {
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/null"));
        p.start(QStringLiteral("cat"), {path});
        p.waitForFinished(-1);
    });
    QByteArray bytes;
    readFileBytes(path, &bytes);
    const AnsiCodec ansi;
    DecodedText decoded;
    const Step decode = measure([&] { decoded = decodeText(bytes, ansi); });
    bytes = QByteArray();
    Step bareSet, bareSetNoWrap;
    {
        QsciScintilla bare;
        bare.setWrapMode(QsciScintilla::WrapNone);
        bare.resize(1000, 700);
        bare.show();
        processEvents();
        bareSetNoWrap = measure([&] {
            bare.setText(decoded.text);
            processEvents();
        });
    }
    {
        QsciScintilla bare;
        bare.setWrapMode(QsciScintilla::WrapWord);
        bare.resize(1000, 700);
        bare.show();
        processEvents();
        if (!quick)
            bareSet = measure(
                [&] {
                    bare.setText(decoded.text);
                    processEvents();
                },
                1);
    }
    const QString crlfText = normalizeLineBreaks(decoded.text);
    decoded = DecodedText();
    const Step encodeWrite = measure([&] {
        TextEncoding enc = TextEncoding::ansi();
        const QByteArray out = plainFileBytes(crlfText, enc, LineBreak::CRLF, ansi);
        QSaveFile f(dir.filePath(QStringLiteral("floor.html")));
        f.open(QIODevice::WriteOnly);
        f.write(out);
        f.commit();
    });

    // The system.
    std::unique_ptr<TMainForm> form(createApplication(platform, prompts, {}));
    form->show();
    processEvents();
    const Step open = measure(
        [&] {
            form->PerformFileOpen(path);
            processEvents();
        },
        1);
    QFile::remove(dir.filePath(QStringLiteral("big.BAK")));
    const Step openAgain = measure([&] {
        form->PerformFileOpen(path);
        processEvents();
    });
    // Each save follows an edit at the end of the page, made and settled untimed.
    Step save;
    save.ms = 1e18;
    for (int r = 0; r < 3; ++r) {
        form->buffer().setSelStart(form->buffer().length());
        form->buffer().setSelText(QStringLiteral("<!-- edited -->"));
        processEvents();
        const Step one = measure([&] { FileSave(*form); }, 1);
        save.ms = std::min(save.ms, one.ms);
        save.peak = std::max(save.peak, one.peak);
        processEvents();
    }
    const bool same = form->buffer().text().size() == crlfText.size() + 45 && prompts.messages == 0
                      && !form->buffer().modified();

    std::printf("\n%-52s %10s %10s\n", "step", "ms", "peak MB");
    auto row = [](const char *name, const Step &s) { std::printf("%-52s %10.1f %10.1f\n", name, s.ms, s.peak); };
    row("cat FILE > /dev/null", cat);
    row("decode (encoding detection + ANSI)", decode);
    row("bare QsciScintilla::setText, word wrap on", bareSet);
    row("bare QsciScintilla::setText, word wrap off", bareSetNoWrap);
    row("encode + QSaveFile write and commit", encodeWrite);
    row("PerformFileOpen (with the first backup copy)", open);
    row("PerformFileOpen (backup exists)", openAgain);
    row("FileSave", save);
    const double openFloor = bareSet.ms + decode.ms;
    std::printf("\nopen / (bare setText + decode)          %6.2f   (goal <= 1.5; with backup %.2f)\n",
                openAgain.ms / openFloor, open.ms / openFloor);
    std::printf("open / (bare setText without wrap + decode) %6.2f\n", openAgain.ms / (bareSetNoWrap.ms + decode.ms));
    std::printf("open / cat                               %6.2f\n", openAgain.ms / std::max(0.1, cat.ms));
    std::printf("save / (encode + QSaveFile)              %6.2f   (goal <= 2)\n", save.ms / encodeWrite.ms);
    std::printf("%s\n", same ? "ok" : "UNEXPECTED RESULT");
    return same ? 0 : 1;
}

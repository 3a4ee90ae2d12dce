// The whole code check on generated 1 MB and 10 MB pages of two kinds, beside the
// external checker "tidy -q --show-warnings no -o /dev/null FILE" on the same file and a
// plain one-pass copy of the same text.
//
//   bench-check [SMALL_MB LARGE_MB] [--runs N]
//
// Kinds: "well-formed" (nested tables, divs, spans, inline tags in mixed case, unquoted
// and single-quoted values, comments, one script and one style block, every element
// closed) and "broken" (the same with many unclosed start tags and redundant end tags of
// the balance pairs, and some broken end tags). Our check is what the command does
// without its message box: read the editor's text, run the check, put the result into
// the editor as one edit; the logic alone is shown beside it. Times are wall-clock, best
// of the runs (the copy: best of 20). tidy's exit code is checked: at 2 it writes nothing
// and its time does not compare, which is said. Without tidy its column stays empty.
//
// Goals: our time at most tidy's on every size and kind, and our growth from the small to
// the large page within 1.5 times the growth of the plain copy.
#include "checks/codecheck.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

namespace {

class PageMaker
{
public:
    PageMaker(bool broken, unsigned seed) : m_broken(broken), m_rng(seed) {}

    QString page(qsizetype units)
    {
        QString p = QStringLiteral(
            "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
            "<TITLE>A generated page</TITLE>\r\n<style type=\"text/css\">\r\nP { Color: Red; }\r\n"
            "TD.Main { width: 100px }\r\n</style>\r\n<script type=\"text/javascript\">\r\n"
            "function f(a, b) { if (a < b) { return \"A\"; } return 'B'; }\r\n</script>\r\n</HEAD>\r\n"
            "<BODY bgcolor=#FFFFFF>\r\n");
        p.reserve(units + 4096);
        while (p.size() < units)
            p += block();
        p += QStringLiteral("</BODY>\r\n</HTML>\r\n");
        return p;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    QString open(const char *name, const QString &attrs = QString())
    {
        QString n = QString::fromLatin1(name);
        if (pick(3) == 0)
            n = n.toUpper();
        return "<" + n + attrs + ">";
    }
    QString close(const char *name)
    {
        // Redundant end tags and broken ones in the broken kind.
        if (m_broken) {
            const int r = pick(14);
            if (r == 0)
                return QString();
            if (r == 1)
                return "</" + QString::fromLatin1(name) + "></" + QString::fromLatin1(name) + ">";
            if (r == 2)
                return " /" + QString::fromLatin1(name) + ">";
        }
        return "</" + QString::fromLatin1(name) + ">";
    }

    QString inlineText()
    {
        static const char *const words[] = {"Some text of the page", "more words here", "and a few others",
                                            "with an entity &amp; in it", "&nbsp;"};
        QString s = QString::fromLatin1(words[pick(5)]);
        switch (pick(8)) {
        case 0: return s + " " + open("b") + "bold" + close("b");
        case 1: return open("i") + s + close("i") + " ";
        case 2: return open("span", " class=Note") + s + close("span");
        case 3: return open("a", " href='page" + QString::number(pick(100)) + ".htm'") + s + close("a");
        case 4: return open("font", " color=red size=2") + s + close("font");
        case 5: return open("strong") + s + close("strong") + open("br");
        case 6: return s + "<!-- A Comment -->";
        default: return s;
        }
    }

    QString table()
    {
        QString t = open("table", " width=100% border=0 cellpadding=2") + "\r\n" + open("tbody") + "\r\n";
        const int rows = 2 + pick(3);
        for (int r = 0; r < rows; ++r) {
            t += open("tr") + "\r\n";
            const int cells = 2 + pick(3);
            for (int c = 0; c < cells; ++c)
                t += open("td", " class=Main valign=top") + inlineText() + close("td") + "\r\n";
            t += close("tr") + "\r\n";
        }
        return t + close("tbody") + "\r\n" + close("table") + "\r\n";
    }

    QString block()
    {
        switch (pick(4)) {
        case 0: return table();
        case 1: {
            QString d = open("div", " class=Box id=b" + QString::number(pick(1000))) + "\r\n";
            for (int i = 0; i < 3; ++i)
                d += open("p") + inlineText() + " " + inlineText() + close("p") + "\r\n";
            d += open("div", " style='margin: 0; padding: 2px'") + table() + close("div") + "\r\n";
            return d + close("div") + "\r\n";
        }
        case 2: return open("p") + inlineText() + " " + inlineText() + " " + inlineText() + close("p") + "\r\n";
        default: return open("ul") + open("li") + inlineText() + "</li>" + open("li") + inlineText() + "</li>" + close("ul") + "\r\n";
        }
    }

    bool m_broken;
    std::mt19937 m_rng;
};

double bestMs(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

struct Tidy {
    double ms = -1;
    int exitCode = -1;
};

Tidy runTidy(const QString &program, const QString &file, int runs)
{
    Tidy t;
    if (program.isEmpty())
        return t;
    t.ms = bestMs(runs, [&] {
        QProcess p;
        p.start(program, {"-q", "--show-warnings", "no", "-o", "/dev/null", file});
        p.waitForFinished(-1);
        t.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    });
    return t;
}

volatile qsizetype g_sink = 0;

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    double smallMb = 1.0, largeMb = 10.0;
    int runs = 3;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, atoi(argv[++i]));
        else if (positional == 0 && ++positional)
            smallMb = atof(argv[i]);
        else
            largeMb = atof(argv[i]);
    }
    const QString tidy = QStandardPaths::findExecutable(QStringLiteral("tidy"));
    if (tidy.isEmpty())
        std::printf("tidy is not installed (Debian: apt-get install tidy); its column stays empty\n");
    QTemporaryDir dir;

    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    editor.resize(800, 600);
    editor.show();

    struct Row {
        double copy, logic, check;
        Tidy tidy;
        qsizetype units;
        int problems;
    };
    bool goals = true;
    std::printf("%-12s %6s %10s %10s %10s %10s %6s %10s\n", "kind", "MB", "copy ms", "logic ms", "check ms",
                "tidy ms", "exit", "check/tidy");
    for (int kind = 0; kind < 2; ++kind) {
        Row rows[2];
        for (int size = 0; size < 2; ++size) {
            const double mb = size == 0 ? smallMb : largeMb;
            const QString page = PageMaker(kind == 1, 7).page(qsizetype(mb * 1000 * 1000));
            const QString file = dir.filePath(QStringLiteral("page%1%2.htm").arg(kind).arg(size));
            {
                QFile f(file);
                f.open(QIODevice::WriteOnly);
                f.write(page.toLatin1());
            }
            Row &r = rows[size];
            r.units = page.size();
            r.copy = bestMs(20, [&] {
                QString copy(page.constData(), page.size());
                g_sink += copy.size() + copy.at(copy.size() / 2).unicode();
            });
            sx::CodeCheckResult result;
            r.logic = bestMs(runs, [&] { result = sx::RunCodeCheck(page, sx::CheckTexts::english()); });
            r.problems = int(sx::FindProblems(result.text).size());
            r.check = 1e300;
            for (int i = 0; i < runs; ++i) {
                buffer.loadText(page);
                QApplication::processEvents();
                r.check = std::min(r.check, bestMs(1, [&] {
                    const QString text = buffer.text();
                    const sx::CodeCheckResult res = sx::RunCodeCheck(text, sx::CheckTexts::english());
                    buffer.replaceRange(0, buffer.length(), res.text);
                }));
            }
            r.tidy = runTidy(tidy, file, runs);
            char ratio[32] = "";
            if (r.tidy.ms >= 0)
                std::snprintf(ratio, sizeof ratio, "%.2f", r.check / r.tidy.ms);
            std::printf("%-12s %6.1f %10.1f %10.1f %10.1f %10s %6s %10s   (%d problem markers)\n",
                        kind == 0 ? "well-formed" : "broken", mb, r.copy, r.logic, r.check,
                        r.tidy.ms >= 0 ? QByteArray::number(r.tidy.ms, 'f', 1).constData() : "-",
                        r.tidy.ms >= 0 ? QByteArray::number(r.tidy.exitCode).constData() : "-", ratio, r.problems);
            if (r.tidy.ms >= 0 && r.tidy.exitCode >= 2)
                std::printf("             tidy ended with exit code %d (it wrote nothing): its time does not compare\n",
                            r.tidy.exitCode);
            if (r.tidy.ms >= 0 && r.check > r.tidy.ms)
                goals = false;
        }
        const double growth = rows[1].check / rows[0].check;
        const double logicGrowth = rows[1].logic / rows[0].logic;
        const double copyGrowth = rows[1].copy / rows[0].copy;
        const double tidyGrowth = rows[0].tidy.ms > 0 ? rows[1].tidy.ms / rows[0].tidy.ms : 0;
        std::printf("%-12s growth %.1f -> %.1f MB: check %.1fx, logic %.1fx, copy %.1fx, tidy %.1fx; "
                    "check growth / copy growth %.2f (goal <= 1.5)\n",
                    kind == 0 ? "well-formed" : "broken", smallMb, largeMb, growth, logicGrowth, copyGrowth,
                    tidyGrowth, growth / copyGrowth);
        if (growth / copyGrowth > 1.5)
            goals = false;
    }
    std::printf("%s\n", goals ? "goals met" : "GOALS MISSED");
    return goals ? 0 : 1;
}

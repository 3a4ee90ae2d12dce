// The bulk text commands on generated 1 MB and 10 MB pages, in one run.
//
//   bench-transforms [SMALL_MB LARGE_MB]
//
// For each command: the transformation alone, and the whole command on the real editor
// (read the text, transform, write the result back as one undoable edit; the page text
// goes into the scratch editor's text area). The page has script and style blocks,
// tags, line breaks and one hyphen in the body per 100 bytes (100,000 on 10 MB), most of
// them removable. Prints each time, the growth from the small to the large page (the
// goal: linear, within 12 times for 10 times the size) and whether the large page stays
// under one second. Times are the processor time of the thread, best of several runs.
// Last, the one-pass hyphenation removal against a step-by-step
// version (one edit per hyphen, the whole text read again each time) on a small page.
#include "app/ui/formtext.h"
#include "editing/textops.h"
#include "editing/transforms.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

QString makePage(qsizetype bytes)
{
    QString page = QStringLiteral(
        "<html>\r\n<head>\r\n<title>Bench-page</title>\r\n<style type=\"text/css\">\r\n"
        "  p { margin-left: 2px; }\r\n  h1  {  font-size : 12px }\r\n</style>\r\n</head>\r\n"
        "<body class=\"main-page\">\r\n");
    // 100 units with one hyphen each: removable, an exception, inside a tag, a capital.
    const QString lines[] = {
        QStringLiteral("<p>The well-known  text runs on   and on over the line</p>\r\nfor a while, and then some more.  \r\n"),
        QStringLiteral("<div class=\"x\">The Know-how  of the page, with more text in the box</div>\r\n  end of the box\r\n"),
        QStringLiteral("<p data-x=\"1\">Words that keep   going and going here\r\nacross</p>   more words to follow\r\n"),
        QStringLiteral("<b>A hyphen-ation mark inside a sentence that is long</b>\r\n  and more of the same words\r\n"),
        QStringLiteral("<i>Non-Removable because of the capital letter in it</i>\r\n  and the rest of the text\r\n"),
    };
    const QString script = QStringLiteral(
        "<script type=\"text/javascript\">\r\n  var a = b - c;\r\n  if (a < b) { x = 1; }\r\n</script>\r\n");
    page.reserve(bytes + 256);
    int i = 0;
    while (page.size() < bytes) {
        page += lines[i % 5];
        if (++i % 50 == 0)
            page += script;
    }
    page += QStringLiteral("</body>\r\n</html>");
    return page;
}

// Milliseconds of processor time of this thread: on a machine shared with other work, the
// time the thread waits for a processor does not count.
double cpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double bestOf(int runs, const std::function<void()> &work, const std::function<void()> &setup = {})
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        if (setup)
            setup();
        const double start = cpuMs();
        work();
        best = std::min(best, cpuMs() - start);
    }
    return best;
}

struct Command {
    const char *name;
    std::function<QString(const QString &)> transform;
    // The whole command on the editor (and the scratch editor).
    std::function<void(ScintillaBuffer &, TFormText &)> command;
};

// The step-by-step hyphenation removal: one deletion per hyphen, the text read again.
int stepByStepHyphenation(QString text)
{
    int count = 0;
    const qsizetype body = sx::pos(u"<body", sx::lowerAscii(text));
    qsizetype p = sx::pos(u"-", text, body > 0 ? body : 1);
    while (p > 0) {
        if (p + 1 <= text.size() && sx::isAsciiLower(text[p]) && !sx::InsideTagOrBraces(text, p + 1)
            && !sx::InsideTagOrBraces(text, p) && !sx::IsHyphenException(text, p)) {
            text = sx::ReplaceRange(text, p, 1, u"");
            ++count;
        }
        p = sx::pos(u"-", text, p + 1);
    }
    return count;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double smallMb = argc > 2 ? atof(argv[1]) : 1.0;
    const double largeMb = argc > 2 ? atof(argv[2]) : 10.0;
    const QString small = makePage(qsizetype(smallMb * 1000 * 1000));
    const QString large = makePage(qsizetype(largeMb * 1000 * 1000));
    const qsizetype body = large.indexOf(QLatin1String("<body"));
    std::printf("pages: %.1f MB and %.1f MB (%lld hyphens in the large one's body, %lld of them removable)\n",
                smallMb, largeMb, (long long)QStringView(large).mid(body).count(QLatin1Char('-')),
                (long long)sx::RemoveHyphenation(large).count);

    const Command commands[] = {
        {"remove line breaks", [](const QString &t) { return sx::RemoveLineBreaks(t); },
         [](ScintillaBuffer &b, TFormText &) { b.setText(sx::RemoveLineBreaks(b.text())); }},
        {"insert line breaks", [](const QString &t) { return sx::InsertLineBreaks(t); },
         [](ScintillaBuffer &b, TFormText &) { b.setText(sx::InsertLineBreaks(b.text())); }},
        {"remove hyphenation", [](const QString &t) { return sx::RemoveHyphenation(t).text; },
         [](ScintillaBuffer &b, TFormText &) {
             const sx::HyphenationResult r = sx::RemoveHyphenation(b.text());
             if (r.count > 0) {
                 const qsizetype span = r.last - r.first + 1;
                 b.replaceRange(r.first, span, r.text.mid(r.first, span - r.count));
             }
         }},
        {"filter text", [](const QString &t) { return sx::ExtractPageText(t); },
         [](ScintillaBuffer &b, TFormText &f) { f.setText(sx::ExtractPageText(b.text())); }},
    };

    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    TFormText scratch;
    editor.resize(800, 600);
    editor.show();
    scratch.show();

    // The small page and its results stay in the processor's cache (32 MB here), the
    // large ones do not: part of the growth beyond 10 times is that step.
    std::printf("\n%-20s %-8s %10s %10s %8s  %s\n", "command", "part", "small ms", "large ms", "growth", "goals");
    bool allMet = true;
    for (const Command &c : commands) {
        // Small and large alternate, so that a busy machine slows both alike.
        double ts = 1e300, tl = 1e300;
        for (int r = 0; r < 5; ++r) {
            ts = std::min(ts, bestOf(1, [&] { c.transform(small); }));
            tl = std::min(tl, bestOf(1, [&] { c.transform(large); }));
        }
        auto onEditor = [&](const QString &page) {
            return bestOf(1, [&] { c.command(buffer, scratch); }, [&] {
                buffer.loadText(page);
                scratch.setText(QString());
                QApplication::processEvents();
            });
        };
        double es = 1e300, el = 1e300;
        for (int r = 0; r < 2; ++r) {
            es = std::min(es, onEditor(small));
            el = std::min(el, onEditor(large));
        }
        for (int part = 0; part < 2; ++part) {
            const double s = part ? es : ts, l = part ? el : tl;
            const double growth = l / std::max(s, 1e-3);
            const bool linear = growth <= 12.0 * (largeMb / smallMb) / 10.0;
            const bool fast = l < 1000.0;
            allMet = allMet && linear && fast;
            std::printf("%-20s %-8s %10.1f %10.1f %7.1fx  %s, %s\n", part ? "" : c.name, part ? "editor" : "logic", s, l,
                        growth, linear ? "linear" : "NOT LINEAR", fast ? "under 1 s" : "OVER 1 s");
        }
    }

    // One pass against one edit per hyphen.
    const QString page = makePage(200 * 1000);
    int onePassCount = 0, stepCount = 0;
    const double onePass = bestOf(3, [&] { onePassCount = sx::RemoveHyphenation(page).count; });
    const double stepwise = bestOf(1, [&] { stepCount = stepByStepHyphenation(page); });
    std::printf("\nhyphenation on 200 kB (%d removed): one pass %.2f ms, one edit per hyphen %.1f ms (%.0fx)%s\n",
                onePassCount, onePass, stepwise, stepwise / std::max(onePass, 1e-3),
                onePassCount == stepCount ? "" : "  COUNTS DIFFER");
    std::printf("\n%s\n", allMet ? "all goals met" : "GOALS MISSED");
    return allMet && onePassCount == stepCount ? 0 : 1;
}

// The SEO check's measurements on a generated 10 MB page (and a 1 MB one).
//
//   bench-seo [SMALL_MB LARGE_MB]
//
// The page has a head with title, description and keywords elements and a long body of
// paragraphs, links ("http://" and "https://"), entities and a script block now and
// then. Measured: the measurements alone, and everything the check does before its
// window opens on the real editor (read the editor's text, measure). Beside them, as the
// baseline of the same run, the measurements written step by step (lower-case the text,
// remove the line breaks with a replace-all, strip the tags with the expression
// "<[^>]*>"). Times are the processor time of the thread, best of several runs. The goal:
// the 10 MB page under 200 ms.
#include "checks/seo.h"
#include "editing/textops.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"

#include <QApplication>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

QString makePage(qsizetype bytes)
{
    QString page = QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\r\n"
        "<html>\r\n<head>\r\n<title>A page of some length for the measurements</title>\r\n"
        "<meta name=\"description\" content=\"A description of the page\" />\r\n"
        "<meta name=\"keywords\" content=\"bench,page\" />\r\n</head>\r\n<body bgcolor=\"#FFFFFF\">\r\n");
    const QString lines[] = {
        QStringLiteral("<p>Some text of the page, with <b>bold</b> words &amp; an entity in it.</p>\r\n"),
        QStringLiteral("<a href=\"http://www.example.com/page.htm\">A link</a> and <a href=\"https://example.org/\">one</a>\r\n"),
        QStringLiteral("<div class=\"box\"><img src=\"pic.jpg\" alt=\"a picture\"> Text beside the picture</div>\r\n"),
        QStringLiteral("Plain text running on over the line without any tag in it at all here\r\n"),
    };
    const QString script = QStringLiteral("<script type=\"text/javascript\">\r\n  if (a < b) { x = 1; }\r\n</script>\r\n");
    page.reserve(bytes + 256);
    int i = 0;
    while (page.size() < bytes) {
        page += lines[i % 4];
        if (++i % 40 == 0)
            page += script;
    }
    page += QStringLiteral("</body>\r\n</html>");
    return page;
}

double cpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        const double start = cpuMs();
        work();
        best = std::min(best, cpuMs() - start);
    }
    return best;
}

// The measurements as they are described, one step after the other.
sx::SeoMeasures stepByStep(const QString &text)
{
    sx::SeoMeasures m;
    const QString lower = sx::lowerAscii(text);
    qsizetype from = 1;
    while (from < lower.size()) {
        const qsizetype p = sx::pos(u"http://", lower, from);
        if (p == 0)
            break;
        ++m.links;
        from = p + 5;
    }
    const QString w = sx::replaceAll(lower, u"\r\n", u"");
    const qsizetype body = sx::pos(u"<body", w);
    QString rest = body > 0 ? sx::copyFrom(w, body) : w;
    rest.replace(QRegularExpression(QStringLiteral("<[^>]*>"), QRegularExpression::CaseInsensitiveOption), QString());
    m.textLength = rest.size();
    const qsizetype t = sx::pos(u"<title>", w);
    if (t > 0)
        m.titleLength = sx::pos(u"</title>", w, t) - t;
    return m;
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

    const sx::SeoMeasures m = sx::MeasureSeo(large);
    const sx::SeoMeasures ref = stepByStep(large);
    const bool same = m.links == ref.links && m.textLength == ref.textLength && m.titleLength == ref.titleLength;
    std::printf("pages: %.1f MB and %.1f MB; the large one: %d links, text %lld, title %lld, description %lld%s\n",
                smallMb, largeMb, m.links, (long long)m.textLength, (long long)m.titleLength,
                (long long)m.descriptionLength, same ? "" : "  DIFFERS FROM THE STEP-BY-STEP VERSION");

    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    editor.resize(800, 600);
    editor.show();

    double ms = 1e300, ml = 1e300, rs = 1e300, rl = 1e300;
    for (int r = 0; r < 5; ++r) {
        ms = std::min(ms, bestOf(1, [&] { sx::MeasureSeo(small); }));
        ml = std::min(ml, bestOf(1, [&] { sx::MeasureSeo(large); }));
    }
    for (int r = 0; r < 2; ++r) {
        rs = std::min(rs, bestOf(1, [&] { stepByStep(small); }));
        rl = std::min(rl, bestOf(1, [&] { stepByStep(large); }));
    }
    auto onEditor = [&](const QString &page) {
        buffer.loadText(page);
        QApplication::processEvents();
        return bestOf(3, [&] { sx::MeasureSeo(buffer.text()); });
    };
    const double es = onEditor(small), el = onEditor(large);

    std::printf("\n%-34s %10s %10s\n", "", "small ms", "large ms");
    std::printf("%-34s %10.1f %10.1f\n", "measurements", ms, ml);
    std::printf("%-34s %10.1f %10.1f\n", "editor text + measurements", es, el);
    std::printf("%-34s %10.1f %10.1f\n", "step by step (baseline)", rs, rl);
    std::printf("\nlarge page: measurements %.2fx the step-by-step time; %s\n", ml / std::max(rl, 1e-3),
                el < 200.0 ? "with the editor's text under 200 ms (goal met)" : "OVER 200 ms (goal missed)");
    return same && el < 200.0 ? 0 : 1;
}

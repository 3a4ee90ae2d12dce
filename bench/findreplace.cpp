// Replace All and Find Next on a 10 MB page, against baselines measured in the same run.
//
//   bench-findreplace [MEGABYTES]
//
// Replace All ("td" by "TD", case-insensitive) is compared with a plain one-pass
// replacement loop over the same text: once as the text operation alone, once as the
// whole command on the real editor (read the text, replace, write it back as one
// undoable edit). Find Next walks 10,000 occurrences; the time per step at the start and
// after 10,000 steps must be alike.
#include "app/prompts.h"
#include "editing/search.h"
#include "editing/textops.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

QString makePage(qsizetype bytes)
{
    QString page = QStringLiteral("<html>\r\n<body>\r\n<table>\r\n");
    const QString cells[4] = {QStringLiteral("<td class=\"c\">Lorem ipsum dolor</td>"),
                              QStringLiteral("<TD class=\"c\">sit amet, elit</TD>"),
                              QStringLiteral("<Td>consectetur adipiscing</tD>"),
                              QStringLiteral("<td align=\"left\">sed do eiusmod</td>")};
    page.reserve(bytes + 256);
    while (page.size() < bytes) {
        page += QStringLiteral("<tr>");
        for (const QString &c : cells)
            page += c;
        page += QStringLiteral("</tr>\r\n");
    }
    page += QStringLiteral("</table>\r\n</body>\r\n</html>");
    return page;
}

// The floor: one pass, compare each character after upper-casing, append as we go.
QString plainReplace(const QString &text, const QString &pattern, const QString &with)
{
    QString up;
    for (QChar c : pattern)
        up.append(c.toUpper());
    QString out;
    out.reserve(text.size() + text.size() / 8);
    const qsizetype n = text.size(), m = up.size();
    const QChar *t = text.constData();
    for (qsizetype i = 0; i < n;) {
        qsizetype k = 0;
        if (i + m <= n)
            while (k < m && t[i + k].toUpper() == up[k])
                ++k;
        if (m > 0 && k == m) {
            out.append(with);
            i += m;
        } else {
            out.append(t[i]);
            ++i;
        }
    }
    return out;
}

double bestOf(int runs, const std::function<void()> &work)
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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double mb = argc > 1 ? atof(argv[1]) : 10.0;
    const QString page = makePage(qsizetype(mb * 1000 * 1000));
    qsizetype occurrences = 0;
    const QString expected = sx::replaceAll(page, u"td", u"TD", true, &occurrences);

    std::printf("page: %.1f MB (%lld units), %lld occurrences of \"td\" in any case\n", page.size() / 1e6,
                (long long)page.size(), (long long)occurrences);

    QString plain, ours;
    const double tPlain = bestOf(3, [&] { plain = plainReplace(page, QStringLiteral("td"), QStringLiteral("TD")); });
    const double tOurs = bestOf(3, [&] { ours = sx::replaceAll(page, u"td", u"TD", true); });
    if (plain != expected || ours != expected) {
        std::printf("MISMATCH between the replacements\n");
        return 1;
    }

    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    double tEditor = 1e300;
    bool undoRestores = true;
    for (int r = 0; r < 3; ++r) {
        buffer.loadText(page);
        QElapsedTimer t;
        t.start();
        DoReplaceAll(buffer, QStringLiteral("td"), QStringLiteral("TD"), false);
        tEditor = std::min(tEditor, t.nsecsElapsed() / 1e6);
        undoRestores = undoRestores && buffer.text() == expected;
        buffer.undo();
        undoRestores = undoRestores && buffer.text() == page;
    }

    std::printf("\nReplace All, case-insensitive \"td\" -> \"TD\" (best of 3)\n");
    std::printf("  plain one-pass loop (baseline)        %9.1f ms\n", tPlain);
    std::printf("  sx::replaceAll                        %9.1f ms   ratio %.2f\n", tOurs, tOurs / tPlain);
    std::printf("  DoReplaceAll on the editor            %9.1f ms   ratio %.2f   (one undo restores: %s)\n", tEditor,
                tEditor / tPlain, undoRestores ? "yes" : "NO");

    // Find Next through 10,000 occurrences of a rarer text.
    QString findPage = page;
    const int steps = 10000, window = 100;
    {
        // Every 5th row carries the marker: about 12,900 of them in 10 MB.
        qsizetype at = 0, row = 0;
        while ((at = findPage.indexOf(QStringLiteral("<tr>"), at)) >= 0) {
            if (row++ % 5 == 0)
                findPage.replace(at, 4, QStringLiteral("<tR>"));
            at += 4;
        }
    }
    buffer.loadText(findPage);
    ScriptedPrompts prompts;
    SearchContext ctx{buffer, prompts, [](int) { return QString(); }};
    SearchState state;
    state.LastFindText = QStringLiteral("<tR>");
    state.SearchMatchCase = true;
    QList<double> perStep;
    QElapsedTimer t;
    for (int i = 0; i < steps + window; ++i) {
        t.start();
        if (!DoFindNext(ctx, state)) {
            std::printf("find next ran out after %d steps\n", i);
            return 1;
        }
        perStep.append(t.nsecsElapsed() / 1e3);
    }
    auto mean = [&](int from) {
        double s = 0;
        for (int i = from; i < from + window; ++i)
            s += perStep[i];
        return s / window;
    };
    const double first = mean(0), late = mean(steps);
    std::printf("\nFind Next, %d steps through a %.1f MB page (match case, \"<tR>\")\n", steps + window,
                findPage.size() / 1e6);
    std::printf("  steps 1-%d                            %9.1f us per step\n", window, first);
    std::printf("  steps %d-%d                    %9.1f us per step   ratio %.2f\n", steps + 1, steps + window, late,
                late / first);
    std::printf("  reading the whole text once (for scale) %7.1f us\n",
                bestOf(3, [&] { volatile qsizetype n = buffer.text().size(); (void)n; }) * 1000);
    return 0;
}

// Table commands on a generated page of one table with rows of 5 cells, at 1 MB
// (10,000 rows) and at 10 MB (100,000 rows), in one run.
//
//   bench-tables [OPERATIONS]      (default 1000)
//
// For each size: select the cell around the caret at OPERATIONS random positions, and
// insert then delete a row at OPERATIONS random positions, on the real editor (the
// QScintilla buffer, offscreen). Printed per operation: mean and worst time, the growth
// from 1 MB to 10 MB, and, as the baseline measured in the same run, the time to read the
// editor's whole text once (what every command of the system starts with). The locator
// alone (on the text in memory) is timed as well.
#include "app/prompts.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"
#include "structure/cells.h"
#include "structure/locator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

namespace {

// 100 characters per row: "<tr>", five cells of 18 characters, "</tr>", CR LF.
QString makePage(int rows)
{
    QString page = QStringLiteral("<html>\r\n<body>\r\n<table border=\"1\">\r\n");
    page.reserve(qsizetype(rows) * 100 + 128);
    for (int r = 0; r < rows; ++r) {
        page += QStringLiteral("<tr>");
        for (int c = 0; c < 5; ++c)
            page += QStringLiteral("<td>r%1c%2</td>").arg(r, 6, 10, QLatin1Char('0')).arg(c);
        page += QStringLiteral("</tr>\r\n");
    }
    page += QStringLiteral("</table>\r\n</body>\r\n</html>");
    return page;
}

// Answers every question with Yes.
class YesPrompts : public ScriptedPrompts
{
public:
    int message(MsgKind kind, const QString &caption, const QString &text, int buttons) override
    {
        ScriptedPrompts::message(kind, caption, text, buttons);
        return buttons & Btn::Yes ? Btn::Yes : Btn::OK;
    }
};

struct Timing {
    double meanMs = 0, worstMs = 0;
};

Timing timeEach(int count, const std::function<void(int)> &op)
{
    Timing t;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer clock;
        clock.start();
        op(i);
        const double ms = clock.nsecsElapsed() / 1e6;
        t.meanMs += ms;
        t.worstMs = std::max(t.worstMs, ms);
    }
    t.meanMs /= count;
    return t;
}

struct SizeResult {
    double megabytes = 0;
    Timing readText, locate, select, insert, remove;
    double fullScanLocateMs = 0, fullScanSelectMs = 0; // best of 20, the slowest case
};

SizeResult runSize(int rows, int operations, SynEdit &editor)
{
    SizeResult res;
    const QString page = makePage(rows);
    res.megabytes = page.size() / 1e6;
    ScintillaBuffer buffer(&editor);
    buffer.loadText(page);
    YesPrompts prompts;
    LocatorState state;
    StructureContext ctx{buffer, prompts, [](int) { return QStringLiteral("?"); }, state};

    std::mt19937 rng(rows);
    std::uniform_int_distribution<qsizetype> at(0, page.size());
    std::vector<qsizetype> carets(operations);
    for (qsizetype &c : carets) {
        c = at(rng);
        // The editor never puts the caret between a CR and its LF.
        if (c > 0 && c < page.size() && page[c - 1] == u'\r' && page[c] == u'\n')
            --c;
    }

    res.readText = timeEach(std::min(operations, 200), [&](int) {
        const QString t = buffer.text();
        if (t.size() != page.size())
            std::abort();
    });
    res.locate = timeEach(operations, [&](int i) { LocateElement(page, carets[i], u"<td", u"</td>"); });

    int selected = 0;
    res.select = timeEach(operations, [&](int i) {
        buffer.setSelStart(carets[i]);
        SelectEnclosingElement(ctx, u"<td", u"</td>");
        selected += state.CellSelected;
    });

    // Insert a row behind the one around the caret, then delete that new row (the caret
    // stands on its "<"), timed as the two commands they are.
    for (int i = 0; i < operations; ++i) {
        QElapsedTimer clock;
        buffer.setSelStart(carets[i]);
        clock.start();
        InsertTableItem(ctx, false, [] { return 1; });
        const double insertMs = clock.nsecsElapsed() / 1e6;
        clock.restart();
        SelectEnclosingElement(ctx, u"<tr", u"</tr>");
        ConfirmDeleteSelection(ctx, state.RowOrTableSelected);
        const double removeMs = clock.nsecsElapsed() / 1e6;
        res.insert.meanMs += insertMs / operations;
        res.insert.worstMs = std::max(res.insert.worstMs, insertMs);
        res.remove.meanMs += removeMs / operations;
        res.remove.worstMs = std::max(res.remove.worstMs, removeMs);
    }
    // The slowest case: the caret behind the last row's "</tr>", where no cell encloses it
    // and the backward scan runs to the start of the text. Best of 20 runs, so that the
    // figure shows the work, not the other programs on the machine.
    const qsizetype lastRowEnd = page.lastIndexOf(QStringLiteral("</tr>")) + 5;
    res.fullScanLocateMs = res.fullScanSelectMs = 1e300;
    for (int r = 0; r < 20; ++r) {
        QElapsedTimer clock;
        clock.start();
        const LocateResult lr = LocateElement(page, lastRowEnd, u"<td", u"</td>");
        res.fullScanLocateMs = std::min(res.fullScanLocateMs, clock.nsecsElapsed() / 1e6);
        if (lr.outcome != LocateOutcome::NotFound)
            std::fprintf(stderr, "a cell around the last row's end?\n");
        buffer.setSelStart(lastRowEnd);
        clock.restart();
        SelectEnclosingElement(ctx, u"<td", u"</td>");
        res.fullScanSelectMs = std::min(res.fullScanSelectMs, clock.nsecsElapsed() / 1e6);
    }
    if (buffer.text() != page)
        std::fprintf(stderr, "insert then delete did not restore the page\n");
    std::printf("  %5.1f MB: %d of %d carets in a cell\n", res.megabytes, selected, operations);
    return res;
}

void row(const char *what, const Timing &small, const Timing &big)
{
    std::printf("  %-34s %9.3f %9.3f   %9.3f %9.3f   %6.2fx\n", what, small.meanMs, small.worstMs, big.meanMs,
                big.worstMs, small.meanMs > 0 ? big.meanMs / small.meanMs : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int operations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    SynEdit editor;
    editor.resize(1000, 700);
    editor.show();

    std::printf("bench-tables: %d operations per measurement\n", operations);
    const SizeResult small = runSize(10000, operations, editor);
    const SizeResult big = runSize(100000, operations, editor);

    std::printf("\n  per operation, ms                   1 MB mean  worst     10 MB mean  worst    growth\n");
    row("read the whole text (baseline)", small.readText, big.readText);
    row("locate the cell (text in memory)", small.locate, big.locate);
    row("select cell (command)", small.select, big.select);
    row("insert row (command)", small.insert, big.insert);
    row("delete that row (command)", small.remove, big.remove);
    std::printf("  %-34s %9.3f %9s   %9.3f %9s   %6.2fx\n", "locate, caret outside (best of 20)",
                small.fullScanLocateMs, "", big.fullScanLocateMs, "", big.fullScanLocateMs / small.fullScanLocateMs);
    std::printf("  %-34s %9.3f %9s   %9.3f %9s   %6.2fx\n", "select cell, caret outside (best)",
                small.fullScanSelectMs, "", big.fullScanSelectMs, "", big.fullScanSelectMs / small.fullScanSelectMs);
    std::printf("\n  at 10 MB against the baseline: select %.2f, insert %.2f, delete %.2f\n",
                big.select.meanMs / big.readText.meanMs, big.insert.meanMs / big.readText.meanMs,
                big.remove.meanMs / big.readText.meanMs);
    const bool fast = big.select.worstMs < 50 && big.insert.worstMs < 50 && big.remove.worstMs < 50;
    std::printf("  every single command on the 10 MB page within 50 ms: %s", fast ? "yes" : "NO");
    std::printf(" (slowest case alone: %.1f ms)\n", big.fullScanSelectMs);
    return 0;
}

// The editor on a 50 MB page, against a bare QsciScintilla doing the same work.
//
//   bench-editor [--mb N] [--repeat N] [--paint-repeat N] [--with-bare-wrap]
//
// Every measurement runs in a child process of its own (this program started again with
// --variant NAME), so that each one's peak memory (VmHWM) is its own. The parent prints
// the figures side by side with the ratios ours / bare.
//
// Variants:
//   ours, bare            load the page and read it back, 10,000 SelStart set/get round
//                         trips and 10,000 caret-display updates at random offsets
//   paint-ours-wrap       a shown editor with word wrap on: time to the first paint after
//                         the page is loaded, Ctrl+End while wrapping is still pending, and
//                         the longest event-loop stall while the rest wraps in idle time
//   paint-bare-nowrap     the same first paint and Ctrl+End on a bare widget without wrap
//   paint-bare-wrap       a bare widget with wrap on (slow: only with --with-bare-wrap)
#include "editing/textops.h"
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

using SB = QsciScintillaBase;
constexpr int kRoundTrips = 10000;

long peakKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// A page of about mb megabytes of UTF-8: headings, paragraphs of varying length (some
// wrap at the window's width), tables, comments, entities, and non-ASCII letters on
// about one line in five (now and then a character outside the basic plane).
QString generatePage(int mb)
{
    const qsizetype target = qsizetype(mb) << 20;
    std::mt19937 rng(2024);
    static const char *words[] = {"lorem", "ipsum", "dolor", "sit", "amet", "consectetur", "adipiscing",
                                  "elit", "sed", "do", "eiusmod", "tempor", "incididunt", "labore",
                                  "magna", "aliqua", "&amp;", "&nbsp;", "<b>bold</b>", "<i>it</i>"};
    static const QString umlauts[] = {QStringLiteral("\u00dcber"), QStringLiteral("Gr\u00f6\u00dfe"),
                                      QStringLiteral("\u20ac 12"), QStringLiteral("na\u00efve"),
                                      QStringLiteral("\U0001F600")};
    QString page;
    page.reserve(target + 4096);
    page += QStringLiteral("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
                           "<title>Benchmark page</title>\r\n</head>\r\n<body>\r\n");
    qsizetype bytes = page.size();
    auto words_ = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i) {
            if (i)
                s += u' ';
            if (rng() % 23 == 0)
                s += umlauts[rng() % 5];
            else
                s += QLatin1String(words[rng() % 20]);
        }
        return s;
    };
    for (int block = 0; bytes < target; ++block) {
        QString b;
        b += QStringLiteral("<div class=\"section\" id=\"s%1\">\r\n").arg(block);
        b += QStringLiteral("  <h2>Heading %1 %2</h2>\r\n").arg(block).arg(words_(3));
        for (int p = int(rng() % 4) + 1; p > 0; --p)
            b += QStringLiteral("  <p>") + words_(int(rng() % 60) + 5) + QStringLiteral("</p>\r\n");
        if (rng() % 3 == 0) {
            b += QStringLiteral("  <table border=\"1\" cellpadding=\"2\">\r\n");
            for (int r = 0; r < 3; ++r)
                b += QStringLiteral("    <tr><td>%1</td><td align=\"right\">%2</td></tr>\r\n").arg(words_(2)).arg(r * 17);
            b += QStringLiteral("  </table>\r\n");
        }
        if (rng() % 4 == 0)
            b += QStringLiteral("  <!-- note %1: %2 -->\r\n").arg(block).arg(words_(4));
        b += QStringLiteral("  <a href=\"https://example.com/page%1.html\">more</a>\r\n</div>\r\n").arg(block);
        bytes += b.toUtf8().size();
        page += b;
    }
    page += QStringLiteral("</body>\r\n</html>\r\n");
    return page;
}

struct Clock {
    QElapsedTimer t;
    Clock() { t.start(); }
    double ms() const { return t.nsecsElapsed() / 1e6; }
};

void report(const QMap<QString, double> &values)
{
    QString line = QStringLiteral("result");
    for (auto it = values.begin(); it != values.end(); ++it)
        line += QStringLiteral(" %1=%2").arg(it.key()).arg(it.value(), 0, 'f', 3);
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// ---------------------------------------------------------------------------------------
// Load, read back, SelStart round trips, caret displays.

int runOurs(int mb)
{
    const QString page = generatePage(mb);
    const QString caretText = QStringLiteral("Row %3d   Col: %3d"); // message 2
    const long before = peakKb();
    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    Clock load;
    buffer.loadText(page);
    const QString back = buffer.text();
    const double loadMs = load.ms();
    if (back.size() != page.size())
        std::fprintf(stderr, "read back %lld units of %lld\n", (long long)back.size(), (long long)page.size());

    std::mt19937_64 rng(99);
    const qsizetype length = buffer.length();
    qsizetype sum = 0;
    Clock sel;
    for (int i = 0; i < kRoundTrips; ++i) {
        buffer.setSelStart(qsizetype(rng() % quint64(length + 1)));
        sum += buffer.selStart();
    }
    const double selMs = sel.ms();

    Clock caret;
    qsizetype chars = 0;
    for (int i = 0; i < kRoundTrips; ++i) {
        buffer.setSelStart(qsizetype(rng() % quint64(length + 1)));
        const QString panel0 = sx::formatMessage(caretText, {buffer.caretY(), buffer.caretX()});
        const qsizetype start = buffer.selStart();
        const QString panel1 = start >= 0 ? QString::number(start) : QString();
        chars += panel0.size() + panel1.size();
    }
    const double caretMs = caret.ms();
    report({{"load_ms", loadMs}, {"sel_ms", selMs}, {"caret_ms", caretMs}, {"peak_kb", double(peakKb())},
            {"base_kb", double(before)}, {"check", double((sum + chars) % 1000)}});
    return 0;
}

int runBare(int mb)
{
    const QString page = generatePage(mb);
    const QString caretText = QStringLiteral("Row %3d   Col: %3d");
    const long before = peakKb();
    QsciScintilla editor;
    editor.setUtf8(true);
    editor.setEolMode(QsciScintilla::EolWindows);
    Clock load;
    editor.setText(page);
    const QString back = editor.text();
    const double loadMs = load.ms();
    if (back.size() != page.size())
        std::fprintf(stderr, "read back %lld units of %lld\n", (long long)back.size(), (long long)page.size());

    // Byte positions on character boundaries, chosen before the clock runs.
    std::mt19937_64 rng(99);
    const long length = editor.SendScintilla(SB::SCI_GETLENGTH);
    auto positions = [&] {
        std::vector<long> p(kRoundTrips);
        for (long &v : p)
            v = editor.SendScintilla(SB::SCI_POSITIONBEFORE,
                                     static_cast<unsigned long>(long(rng() % quint64(length + 1)) + 1));
        return p;
    };
    const std::vector<long> first = positions(), second = positions();
    long sum = 0;
    Clock sel;
    for (long p : first) {
        editor.SendScintilla(SB::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(p));
        sum += editor.SendScintilla(SB::SCI_GETSELECTIONSTART);
    }
    const double selMs = sel.ms();

    Clock caret;
    qsizetype chars = 0;
    for (long p : second) {
        editor.SendScintilla(SB::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(p));
        const long pos = editor.SendScintilla(SB::SCI_GETCURRENTPOS);
        const long line = editor.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos));
        const long column = pos - editor.SendScintilla(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        const QString panel0 = sx::formatMessage(caretText, {line + 1, column + 1});
        const long start = editor.SendScintilla(SB::SCI_GETSELECTIONSTART);
        const QString panel1 = start >= 0 ? QString::number(start) : QString();
        chars += panel0.size() + panel1.size();
    }
    const double caretMs = caret.ms();
    report({{"load_ms", loadMs}, {"sel_ms", selMs}, {"caret_ms", caretMs}, {"peak_kb", double(peakKb())},
            {"base_kb", double(before)}, {"check", double((sum + chars) % 1000)}});
    return 0;
}

// ---------------------------------------------------------------------------------------
// First paint, Ctrl+End, idle wrapping.

template <class Base> class Timed : public Base
{
public:
    using Base::Base;
    int paints = 0;
    double lastPaintMs = 0;
    const Clock *clock = nullptr;
    double paintTotalMs = 0, paintMaxMs = 0;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        Clock c;
        Base::paintEvent(e);
        ++paints;
        paintTotalMs += c.ms();
        paintMaxMs = std::max(paintMaxMs, c.ms());
        if (c.ms() > 100 && qEnvironmentVariableIsSet("BENCH_DEBUG"))
            std::fprintf(stderr, "slow paint %.0f ms at %.0f: styled to %ld of %ld, top doc line %ld\n", c.ms(),
                         clock ? clock->ms() : 0.0, this->SendScintilla(SB::SCI_GETENDSTYLED), this->SendScintilla(SB::SCI_GETLENGTH),
                         this->SendScintilla(SB::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(this->SendScintilla(SB::SCI_GETFIRSTVISIBLELINE))));
        if (clock)
            lastPaintMs = clock->ms();
    }
};

// Runs the event loop until the widget has painted after `since` paints and ready() holds
// (or the time runs out); returns the time of that paint, or -1.
template <class W, class Ready> double waitForPaint(W &w, int since, Ready ready, double limitMs = 180000)
{
    Clock c;
    while (c.ms() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (w.paints > since && ready())
            return w.lastPaintMs;
    }
    return -1;
}

int runPaint(int mb, bool ours, bool wrap)
{
    QString page = generatePage(mb);
    Timed<SynEdit> synEdit;
    Timed<QsciScintilla> bare;
    QsciScintilla &widget = ours ? static_cast<QsciScintilla &>(synEdit) : bare;
    ScintillaBuffer buffer(&synEdit);
    if (!ours) {
        bare.setUtf8(true);
        bare.setEolMode(QsciScintilla::EolWindows);
        bare.setWrapMode(wrap ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
        synEdit.hide();
    } else {
        synEdit.setWordWrapOn(wrap);
    }
    widget.resize(1000, 700);
    widget.show();
    auto paints = [&] { return ours ? synEdit.paints : bare.paints; };
    auto wait = [&](int since, auto ready) {
        return ours ? waitForPaint(synEdit, since, ready) : waitForPaint(bare, since, ready);
    };
    wait(0, [] { return true; });

    Clock clock;
    synEdit.clock = &clock;
    bare.clock = &clock;
    int since = paints();
    if (ours)
        buffer.loadText(page);
    else
        widget.setText(page);
    page = QString();
    const double firstPaint = wait(since, [] { return true; });

    // Ctrl+End, as a user would press it, while the rest still wraps.
    const double jumpFrom = clock.ms();
    since = paints();
    if (!qEnvironmentVariableIsSet("BENCH_NO_JUMP"))
        QTest::keyClick(&widget, Qt::Key_End, Qt::ControlModifier);
    const long lastLine = widget.SendScintilla(SB::SCI_GETLINECOUNT) - 1;
    if (qEnvironmentVariableIsSet("BENCH_JUMP_DEBUG")) {
        std::fprintf(stderr, "key handled after %.0f ms\n", clock.ms() - jumpFrom);
        for (int k = 0; k < 40; ++k) {
            const int p0 = paints();
            Clock c;
            while (paints() == p0 && c.ms() < 2000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const long top = widget.SendScintilla(SB::SCI_GETFIRSTVISIBLELINE);
            std::fprintf(stderr, "t=%.0f paint %d top display %ld doc %ld of %ld, caret line %ld\n", clock.ms() - jumpFrom, paints(), top,
                         widget.SendScintilla(SB::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(top)), lastLine,
                         widget.SendScintilla(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(widget.SendScintilla(SB::SCI_GETCURRENTPOS))));
        }
    }
    const double jumped = qEnvironmentVariableIsSet("BENCH_NO_JUMP") ? jumpFrom : wait(since, [&] {
        const long top = widget.SendScintilla(SB::SCI_GETFIRSTVISIBLELINE);
        const long docTop = widget.SendScintilla(SB::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(top));
        return docTop > lastLine - 100;
    });
    const double jumpMs = jumped < 0 ? -1 : jumped - jumpFrom;

    // Idle wrapping: a timer every 5 ms records the longest gap until the number of
    // display lines has not changed for two seconds.
    double stall = 0, last = clock.ms(), wrapDone = last, wrapFrom = last;
    long displayLines = -1;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double now = clock.ms();
        stall = std::max(stall, now - last);
        last = now;
        const long n = widget.SendScintilla(SB::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(lastLine));
        if (n != displayLines) {
            displayLines = n;
            wrapDone = now;
        }
    });
    tick.start();
    while (wrap && clock.ms() - wrapDone < 2000 && clock.ms() - wrapFrom < 300000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    tick.stop();
    if (qEnvironmentVariableIsSet("BENCH_DEBUG")) {
        std::fprintf(stderr, "paints %d, paint total %.0f ms, longest paint %.0f ms\n", paints(),
                     ours ? synEdit.paintTotalMs : bare.paintTotalMs, ours ? synEdit.paintMaxMs : bare.paintMaxMs);
    }
    report({{"first_paint_ms", firstPaint}, {"jump_ms", jumpMs}, {"stall_ms", wrap ? stall : 0},
            {"idle_wrap_ms", wrap ? wrapDone - wrapFrom : 0}, {"display_lines", double(displayLines)},
            {"lines", double(lastLine + 1)}, {"peak_kb", double(peakKb())}});
    return 0;
}

// ---------------------------------------------------------------------------------------
// The parent: runs the variants and prints the summary.

QMap<QString, double> runChild(const QString &program, const QString &variant, int mb)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(program, {QStringLiteral("--variant"), variant, QStringLiteral("--mb"), QString::number(mb)});
    p.waitForFinished(-1);
    QMap<QString, double> values;
    for (const QByteArray &line : p.readAllStandardOutput().split('\n'))
        if (line.startsWith("result "))
            for (const QByteArray &kv : line.mid(7).split(' ')) {
                const int eq = kv.indexOf('=');
                if (eq > 0)
                    values[QString::fromLatin1(kv.left(eq))] = kv.mid(eq + 1).toDouble();
            }
    if (values.isEmpty())
        std::fprintf(stderr, "variant %s failed (exit %d)\n", qPrintable(variant), p.exitCode());
    return values;
}

double median(QList<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    int mb = 50, repeat = 3, paintRepeat = 1;
    bool bareWrap = false;
    QString variant;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--variant" && i + 1 < argc)
            variant = QString::fromLatin1(argv[++i]);
        else if (a == "--mb" && i + 1 < argc)
            mb = std::max(1, atoi(argv[++i]));
        else if (a == "--repeat" && i + 1 < argc)
            repeat = std::max(1, atoi(argv[++i]));
        else if (a == "--paint-repeat" && i + 1 < argc)
            paintRepeat = std::max(1, atoi(argv[++i]));
        else if (a == "--with-bare-wrap")
            bareWrap = true;
    }
    if (!variant.isEmpty()) {
        QApplication app(argc, argv);
        if (variant == "ours")
            return runOurs(mb);
        if (variant == "bare")
            return runBare(mb);
        if (variant == "paint-ours-wrap")
            return runPaint(mb, true, true);
        if (variant == "paint-ours-nowrap")
            return runPaint(mb, true, false);
        if (variant == "paint-bare-nowrap")
            return runPaint(mb, false, false);
        if (variant == "paint-bare-wrap")
            return runPaint(mb, false, true);
        std::fprintf(stderr, "unknown variant %s\n", argv[2]);
        return 2;
    }

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::printf("Editor benchmark: a generated %d MiB HTML page, each variant in its own process,\n"
                "median of %d runs (ours and bare alternate)\n\n", mb, repeat);
    std::fflush(stdout);

    QMap<QString, QList<double>> ours, bare;
    for (int r = 0; r < repeat; ++r) {
        for (auto [name, into] : {std::pair<const char *, QMap<QString, QList<double>> *>{"ours", &ours}, {"bare", &bare}}) {
            const auto v = runChild(self, QString::fromLatin1(name), mb);
            for (auto it = v.begin(); it != v.end(); ++it)
                (*into)[it.key()] << it.value();
        }
    }
    auto m = [](const QMap<QString, QList<double>> &from, const char *key) { return median(from.value(QString::fromLatin1(key))); };
    const double oLoad = m(ours, "load_ms"), bLoad = m(bare, "load_ms");
    const double oSel = m(ours, "sel_ms"), bSel = m(bare, "sel_ms");
    const double oCaret = m(ours, "caret_ms"), bCaret = m(bare, "caret_ms");
    const double oPeak = m(ours, "peak_kb") / 1024, bPeak = m(bare, "peak_kb") / 1024;
    const double oBase = m(ours, "base_kb") / 1024, bBase = m(bare, "base_kb") / 1024;
    const double oAll = oLoad + oSel + oCaret, bAll = bLoad + bSel + bCaret;
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0; };
    std::printf("%-34s %10s %10s %10s %8s\n", "", "ours", "bare", "ours/bare", "goal");
    std::printf("%-34s %7.0f ms %7.0f ms %10.2f\n", "load + read back the whole text", oLoad, bLoad, ratio(oLoad, bLoad));
    std::printf("%-34s %7.1f ms %7.1f ms %10.2f\n", "10,000 SelStart set/get", oSel, bSel, ratio(oSel, bSel));
    std::printf("%-34s %7.1f ms %7.1f ms %10.2f\n", "10,000 caret-display updates", oCaret, bCaret, ratio(oCaret, bCaret));
    std::printf("%-34s %7.0f ms %7.0f ms %10.2f %8s\n", "all of it", oAll, bAll, ratio(oAll, bAll), "<= 1.3");
    std::printf("%-34s %7.0f MB %7.0f MB %10.2f %8s\n", "peak memory (VmHWM)", oPeak, bPeak, ratio(oPeak, bPeak), "<= 1.25");
    std::printf("%-34s %7.0f MB %7.0f MB %10.2f\n", "  above the page held by the caller", oPeak - oBase, bPeak - bBase,
                ratio(oPeak - oBase, bPeak - bBase));
    std::printf("\n");
    std::fflush(stdout);

    // Word wrap: ours with wrap on against the bare widget without wrap.
    QMap<QString, QList<double>> ow, bn, bw;
    for (int r = 0; r < paintRepeat; ++r) {
        for (const auto &[name, into] : {std::pair<const char *, QMap<QString, QList<double>> *>{"paint-ours-wrap", &ow},
                                         {"paint-bare-nowrap", &bn}}) {
            const auto v = runChild(self, QString::fromLatin1(name), mb);
            for (auto it = v.begin(); it != v.end(); ++it)
                (*into)[it.key()] << it.value();
        }
    }
    if (bareWrap) {
        const auto v = runChild(self, QStringLiteral("paint-bare-wrap"), mb);
        for (auto it = v.begin(); it != v.end(); ++it)
            bw[it.key()] << it.value();
    }
    const double oFirst = m(ow, "first_paint_ms"), bFirst = m(bn, "first_paint_ms");
    std::printf("Word wrap, a shown 1000x700 window (%0.f lines, %0.f display lines once wrapped), median of %d:\n",
                m(ow, "lines"), m(ow, "display_lines"), paintRepeat);
    std::printf("%-44s %8.0f ms   bare, no wrap %6.0f ms   ratio %5.2f  (goal <= 1.5)\n",
                "first paint after loading, ours with wrap", oFirst, bFirst, ratio(oFirst, bFirst));
    if (bareWrap)
        std::printf("%-44s %8.0f ms   ratio to bare no wrap %5.1f\n", "first paint, bare with wrap",
                    m(bw, "first_paint_ms"), ratio(m(bw, "first_paint_ms"), bFirst));
    std::printf("%-44s %8.0f ms   bare, no wrap %6.0f ms   (goal < 1000 ms)\n",
                "Ctrl+End while wrapping is pending", m(ow, "jump_ms"), m(bn, "jump_ms"));
    std::printf("%-44s %8.0f ms   (idle wrapping took %.1f s)\n", "longest event-loop stall while wrapping",
                m(ow, "stall_ms"), m(ow, "idle_wrap_ms") / 1000);
    std::fflush(stdout);
    return 0;
}

// Search and replace across 2,000 files of about 5 KB (a third of them holding the word
// several times), through the real window (its progress bar and lists updated as a run
// does), against the command-line tools measured in the same run on the same files:
//   replace: "Find/Replace all" ticked, against `sed -i 's/word/other/g'` over a fresh copy;
//   search:  search only, against `grep -rl word`.
// Every timed run starts from a fresh copy synced to disk (untimed); the runs go in pairs
// (ours, then the tool's) and the ratio of each pair is printed, then the median. The
// replaced files are checked to equal what sed wrote, and the result list to equal the
// files grep names.
//
//   bench-multifile [FILES] [PAIRS] [search]   ("search": the search pairs only)
#include "app/platform.h"
#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "app/ui/uiprompts.h"
#include "bench/benchwindow.h"
#include "editing/ui/formfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::BenchPlatform;
using bench::SilentPrompts;

// The files' contents: about 5 KB of markup each; every third file holds "word" six
// times (never next to another one), the others never.
std::vector<QByteArray> makeContents(int count)
{
    std::vector<QByteArray> out;
    out.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        QByteArray page = "<html>\r\n<head>\r\n<title>Page " + QByteArray::number(i) + "</title>\r\n</head>\r\n<body>\r\n";
        int line = 0;
        while (page.size() < 5000) {
            page += "<p class=\"text\">Line " + QByteArray::number(line) + " of page " + QByteArray::number(i)
                    + ": some ordinary text, a link <a href=\"x" + QByteArray::number(line) + ".htm\">here</a>";
            if (i % 3 == 0 && line % 10 == 3)
                page += " and the word in it";
            page += ".</p>\r\n";
            ++line;
        }
        page += "</body>\r\n</html>\r\n";
        out.push_back(page);
    }
    return out;
}

QStringList writeCopy(const QString &dir, const std::vector<QByteArray> &contents)
{
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    QStringList paths;
    for (size_t i = 0; i < contents.size(); ++i) {
        const QString p = dir + QStringLiteral("/page%1.htm").arg(i, 4, 10, QLatin1Char('0'));
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(contents[i]);
        paths << p;
    }
    QProcess::execute(QStringLiteral("sync"), {});
    return paths;
}

double runTool(const QString &program, const QStringList &args, QByteArray *output = nullptr)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    p.waitForFinished(-1);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (output)
        *output = p.readAllStandardOutput();
    return ms;
}

void processEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
    const int pairs = argc > 2 ? QByteArray(argv[2]).toInt() : 5;
    const bool searchOnly = argc > 3 && QByteArray(argv[3]) == "search";

    BenchPlatform platform;
    SilentPrompts prompts;
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours"));
    const QString theirs = dir.filePath(QStringLiteral("theirs"));
    const std::vector<QByteArray> contents = makeContents(count);
    qint64 bytes = 0;
    for (const QByteArray &c : contents)
        bytes += c.size();
    std::printf("%d files, %.1f KB on average, in %s\n", count, double(bytes) / count / 1024, qPrintable(dir.path()));

    std::unique_ptr<TMainForm> form(createApplication(platform, prompts, {}));
    form->show();
    processEvents();
    auto *w = form->dialogAs<TFormFiles>(QStringLiteral("TFormFiles"));
    w->Sprache = true;
    w->showNonModal();
    processEvents();

    // One run of the window over a fresh copy: Load files, the fields, Start.
    auto ourRun = [&](bool replace) {
        const QStringList paths = writeCopy(ours, contents);
        w->BitBtn4Click();
        w->lists.load(paths);
        w->ListBoxSearch->clear();
        w->ListBoxSearch->addItems(w->lists.search);
        w->EditSearch->setText(QStringLiteral("word"));
        w->EditReplace->setText(QStringLiteral("other"));
        w->CheckBoxSearch->setChecked(!replace);
        w->CheckBoxAll->setChecked(true);
        processEvents();
        QElapsedTimer t;
        t.start();
        w->BitBtn3Click();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        processEvents();
        return ms;
    };

    bool same = true;
    std::vector<double> replaceRatios, searchRatios, replaceOurs, replaceSed, searchOurs, searchGrep;
    for (int i = 0; i < (searchOnly ? 0 : pairs); ++i) {
        const double a = ourRun(true);
        const QStringList paths = writeCopy(theirs, contents);
        const double b = runTool(QStringLiteral("sed"), QStringList{QStringLiteral("-i"), QStringLiteral("s/word/other/g")} + paths);
        replaceOurs.push_back(a);
        replaceSed.push_back(b);
        replaceRatios.push_back(a / b);
        std::printf("replace pair %d: ours %.1f ms, sed %.1f ms, ratio %.2f\n", i + 1, a, b, a / b);
        if (i == 0) {
            for (int k = 0; k < count; ++k) {
                const QString name = QStringLiteral("/page%1.htm").arg(k, 4, 10, QLatin1Char('0'));
                QFile x(ours + name), y(theirs + name);
                x.open(QIODevice::ReadOnly);
                y.open(QIODevice::ReadOnly);
                if (x.readAll() != y.readAll())
                    same = false;
            }
            std::printf("  result list %d files, total %s, progress %d of %d\n", int(w->lists.result.size()),
                        qPrintable(w->EditTreffer->text()), w->ProgressBar1->value(), w->ProgressBar1->maximum());
        }
    }
    for (int i = 0; i < pairs; ++i) {
        const double a = ourRun(false);
        writeCopy(theirs, contents);
        QByteArray listed;
        const double b = runTool(QStringLiteral("grep"), {QStringLiteral("-rl"), QStringLiteral("word"), theirs}, &listed);
        searchOurs.push_back(a);
        searchGrep.push_back(b);
        searchRatios.push_back(a / b);
        std::printf("search pair %d: ours %.1f ms, grep %.1f ms, ratio %.2f\n", i + 1, a, b, a / b);
        if (i == 0) {
            const int grepped = int(listed.count('\n'));
            if (grepped != w->lists.result.size())
                same = false;
            std::printf("  result list %d files, grep %d, total %s\n", int(w->lists.result.size()), grepped,
                        qPrintable(w->EditTreffer->text()));
        }
    }
    std::printf("replace: ours %.1f ms, sed %.1f ms (medians); ratio %.2f (goal 3)\n", median(replaceOurs),
                median(replaceSed), median(replaceRatios));
    std::printf("search:  ours %.1f ms, grep %.1f ms (medians); ratio %.2f (goal 3)\n", median(searchOurs),
                median(searchGrep), median(searchRatios));
    std::printf("same result as sed and grep: %s\n", same ? "yes" : "NO");
    return same && prompts.messages == 0 ? 0 : 1;
}

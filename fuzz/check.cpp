// Runs the whole code check (the clean-up first) on arbitrary text. The first byte chooses how
// the rest is read: as Latin-1 (one unit a byte, so that the dictionary's tags are found
// quickly) or as UTF-16 units (lone surrogates and every other unit included). Checks: no
// crash, no hang; the one-pass check gives the same text, report and repairs as the
// step-by-step version of tests/unit/cleanup_reference.h on short texts and on a sample
// of the others up to 600 units; the problem scan finds what the expression
// "<![/a-z]*>" finds.
#include "checks/cleanup.h"
#include "checks/codecheck.h"
#include "tests/unit/cleanup_reference.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void failed(int line)
{
    std::fprintf(stderr, "check failed at line %d\n", line);
    std::abort();
}
#define check(ok) ((ok) ? void() : failed(__LINE__))

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QString text;
    if (data[0] % 2 == 0)
        text = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    else
        text = QString(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2));

    const sx::CodeCheckResult result = sx::RunCodeCheck(text, sx::CheckTexts::english());
    check(result.report.startsWith(QStringLiteral("Code check finished.")));
    const QList<sx::ProblemMatch> problems = sx::FindProblems(result.text);

    // The step-by-step version is slow: it runs on every short text and on one in sixteen
    // of the others up to 600 units, chosen by the input's bytes.
    unsigned hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    if (text.size() <= 48 || (text.size() <= 600 && hash % 16 == 0)) {
        const sx::CodeCheckResult r = ref::RunCodeCheck(text, sx::CheckTexts::english());
        check(r.cleaned == result.cleaned);
        check(r.checkReport == result.checkReport);
        check(r.repairs == result.repairs);
        check(r.text == result.text);
        check(r.report == result.report);
        check(r.markerConverted == result.markerConverted);
        check(ref::FindProblems(result.text) == problems);
    }
    return 0;
}

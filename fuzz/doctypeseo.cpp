// Runs the document-type edits and the SEO measurements on arbitrary text (the input's
// bytes as UTF-16 units, lone surrogates and control characters included). Checks: no
// crash, no hang; removing a declaration never grows the text; the Doctype edit starts
// with the chosen declaration; the measured text is no longer than the page; the meta
// elements go in whole or not at all; the one-pass measurements agree with the
// step-by-step ones (tags stripped by the expression "<[^>]*>") on short valid texts.
#include "checks/doctype.h"
#include "checks/seo.h"
#include "editing/textops.h"

#include <QRegularExpression>
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

qsizetype stepByStepTextLength(const QString &text)
{
    const QString w = sx::replaceAll(sx::lowerAscii(text), u"\r\n", u"");
    const qsizetype body = sx::pos(u"<body", w);
    QString rest = body > 0 ? sx::copyFrom(w, body) : w;
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    rest.replace(tags, QString());
    return rest.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));

    bool removed = false;
    const QString without = sx::RemoveDoctype(text, &removed);
    check(without.size() <= text.size());
    check(removed || without == text);
    for (int document = 0; document < 3; ++document) {
        const sx::DoctypeChoice c = sx::DoctypeChoiceFor(document, document);
        const sx::DoctypeEdit e = sx::ApplyDoctype(text, c);
        check(e.text.startsWith(sx::DoctypeText(c.DType) + QStringLiteral("\r\n")));
        check(e.askForCodeCheck == (document == 1));
    }

    const sx::SeoMeasures m = sx::MeasureSeo(text);
    check(m.textLength >= 0 && m.textLength <= text.size());
    check(m.links >= 0 && m.links <= text.size() / 7);
    check(!m.descriptionLengthOk || m.descriptionPresent);
    // The expression engine matches nothing in a text with a lone surrogate half, so the
    // comparison takes valid texts only (the editor never holds such halves).
    if (text.size() <= 4096 && QStringView(text).isValidUtf16())
        check(m.textLength == stepByStepTextLength(text));

    bool inserted = false;
    const QString withTags = sx::InsertSeoMetaTags(text, &inserted);
    check(inserted ? withTags.size() > text.size() : withTags == text);
    return 0;
}

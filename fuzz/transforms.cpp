// Runs every text transformation on arbitrary text (the input's bytes as UTF-16 units,
// lone surrogates and control characters included) and the scratch editor's file
// decoding and encoding on the raw bytes. Checks: no crash, no hang, the hyphenation
// removal agrees with one edit per hyphen (on short texts), protecting and restoring
// without a change in between gives the text back with one CR LF before each block.
#include "app/scratchfile.h"
#include "editing/textops.h"
#include "editing/transforms.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

QString stepByStepHyphenation(QString text, int *count)
{
    *count = 0;
    const qsizetype body = sx::pos(u"<body", sx::lowerAscii(text));
    qsizetype p = sx::pos(u"-", text, body > 0 ? body : 1);
    while (p > 0) {
        if (p + 1 <= text.size() && sx::isAsciiLower(text[p]) && !sx::InsideTagOrBraces(text, p + 1)
            && !sx::InsideTagOrBraces(text, p) && !sx::IsHyphenException(text, p)) {
            text = sx::ReplaceRange(text, p, 1, u"");
            ++*count;
        }
        p = sx::pos(u"-", text, p + 1);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));

    sx::RemoveLineBreaks(text);
    sx::InsertLineBreaks(text);
    check(sx::JoinLines(text).size() <= text.size());
    check(sx::BreakAfterTags(text).size() == text.size() + 2 * text.count(u'>'));

    sx::ProtectedText t;
    t.text = text;
    sx::ProtectBlocks(t, sx::BlockKind::Script);
    sx::ProtectBlocks(t, sx::BlockKind::Style);
    const qsizetype blocks = t.marks.size();
    sx::RestoreBlocks(t, sx::BlockKind::Script);
    sx::RestoreBlocks(t, sx::BlockKind::Style);
    check(t.text.size() == text.size() + 2 * blocks);

    const sx::HyphenationResult r = sx::RemoveHyphenation(text);
    check(r.text.size() == text.size() - r.count);
    check((r.count == 0) == (r.first < 0));
    if (text.size() < 2000) {
        int count = 0;
        check(stepByStepHyphenation(text, &count) == r.text && count == r.count);
    }

    check(sx::UpperToLower(text).size() == text.size());
    check(sx::LowerToUpper(text).size() == text.size());
    sx::ReplaceSpecialChars(text);
    sx::CharacterReference(text);
    sx::MakeStringVariable(text);
    const QString page = sx::ExtractPageText(text);
    check(page.isEmpty() || (page.front().unicode() > 32 && page.back().unicode() > 32));

    const ScratchFileText file = decodeScratchFile(bytes, QStringLiteral("windows-1252"));
    encodeScratchFile(file.text, file.encoding, QStringLiteral("windows-1252"));
    encodeScratchFile(text, TextEncoding::ansi(), QStringLiteral("windows-1252"));
    return 0;
}

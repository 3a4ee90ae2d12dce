// Runs the find/replace, markup, font, colour and formatting-removal commands with a
// random selection over arbitrary text. Checks: no crash, no hang, the selection stays
// inside the text, one undo restores the text, and the one-pass and windowed forms agree
// with the plain procedures.
#include "app/prompts.h"
#include "editing/formatting.h"
#include "editing/htmlcolor.h"
#include "editing/markup.h"
#include "editing/search.h"
#include "editing/textbuffer.h"
#include "editing/textops.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkSelection(const EditorBuffer &b)
{
    check(b.selStart() >= 0 && b.selLength() >= 0 && b.selStart() + b.selLength() <= b.length());
}

QString removeOpenTagsStepwise(const QString &text, const QString &head)
{
    QString t = text;
    const qsizetype original = text.size();
    for (;;) {
        const qsizetype h = sx::posAsciiCi(head, t, 1);
        if (h == 0)
            break;
        const qsizetype g = sx::pos(u">", t, h + 1);
        if (g == 0 || g >= original)
            break;
        t = sx::ReplaceRange(t, h, g - h + 1, u" ");
    }
    return t;
}

struct Input {
    const uint8_t *data;
    size_t size;
    size_t at = 0;
    uint8_t byte() { return at < size ? data[at++] : 0; }
    uint16_t word() { return uint16_t(byte() | (byte() << 8)); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in{data, size};
    const uint8_t mode = in.byte();
    const uint16_t selA = in.word(), selB = in.word();
    const uint8_t needleLen = in.byte() % 8;
    // The rest is the text: bytes as Latin-1 characters, or pairs as UTF-16 units.
    QString rest;
    if (mode & 1) {
        while (in.at < in.size)
            rest.append(QChar(char16_t(in.byte())));
    } else {
        while (in.at + 1 < in.size)
            rest.append(QChar(char16_t(in.word())));
    }
    const QString needle = rest.left(needleLen);
    const QString text = normalizeLineBreaks(rest.mid(needleLen));
    const qsizetype len = text.size();
    const qsizetype start = len ? selA % (len + 1) : 0;
    const qsizetype length = len ? selB % (len - start + 1) : 0;

    auto fresh = [&](TextBuffer &b) {
        b.loadText(text);
        b.select(start, length);
    };
    // One command: runs it, checks the selection, and that one undo gives the text back.
    auto run = [&](auto &&command) {
        TextBuffer b;
        fresh(b);
        const int depth = b.undoDepth();
        command(b);
        checkSelection(b);
        check(b.undoDepth() <= depth + 1);
        if (b.undoDepth() == depth + 1) {
            b.undo();
            check(b.text() == text);
        } else {
            check(b.text() == text);
        }
    };

    const MarkupCommand commands[] = {
        markup::bold(),    markup::italic(),   markup::underline(), markup::strike(),    markup::sup(),
        markup::sub(),     markup::align(0),   markup::align(1),    markup::align(2),    markup::align(mode),
        markup::indent(),  markup::heading(1 + mode % 6),           markup::comment(),   markup::lineBreak(),
        markup::horizontalLine(),              markup::script(),
    };
    for (const MarkupCommand &c : commands)
        run([&](TextBuffer &b) { ApplyMarkup(b, c); });
    run([&](TextBuffer &b) { BuildList(b, mode & 2); });
    run([&](TextBuffer &b) { ApplyFontSpan(b, needle, needle, mode & 4 ? sx::NoColor : quint32(selA) << 8); });
    run([&](TextBuffer &b) {
        ScriptedPrompts p;
        p.colors << (mode & 8 ? -1 : qint64(selB));
        quint32 last = selA;
        ColorCommand(b, p, last);
    });
    run([&](TextBuffer &b) { RemoveFormatCommand(b); });
    run([&](TextBuffer &b) { DoReplaceAll(b, needle, rest.right(3), mode & 16); });
    run([&](TextBuffer &b) { DoReplace(b, needle); });

    // The searches: several steps of each, the selection checked after every one.
    {
        TextBuffer b;
        fresh(b);
        ScriptedPrompts p;
        p.inputs << needle;
        SearchContext ctx{b, p, [](int n) { return QString::number(n); }};
        SearchState s;
        for (int i = 0; i < 4; ++i) {
            DoFind(ctx, s, needle, mode & 32, mode & 64);
            checkSelection(b);
            DoFindNext(ctx, s);
            checkSelection(b);
            DoReplaceFind(ctx, s, needle, mode & 128);
            checkSelection(b);
        }
        GoToLine(ctx);
        checkSelection(b);
        check(b.text() == text);
    }

    // The windowed search finds what the whole-text search finds.
    {
        TextBuffer b(text);
        const qsizetype from = qsizetype(selA % (len + 3)) - 1;
        const bool ww = mode & 32, mc = mode & 64;
        const qsizetype whole = std::max<qsizetype>(0, sx::FindInText(text, needle, from, len, ww, mc));
        check(FindInBuffer(b, needle, from, ww, mc, 1 + selB % 7) == whole);
    }

    // The pieces of formatting removal.
    for (const char16_t *head : {u"<font", u"<p style=", u"<span", u"<sp"})
        check(RemoveOpenTags(text, head) == removeOpenTagsStepwise(text, QString::fromUtf16(head)));
    if (!needle.isEmpty())
        check(RemoveOpenTags(text, needle) == removeOpenTagsStepwise(text, needle));
    check(CountOccurrences(text, needle) >= 0);
    if (const auto span = FormattedElementSpan(text, start))
        check(span->start >= 0 && span->length > 0 && span->start + span->length <= len);
    const qint64 c = sx::HtmlColorToColor(text);
    check(c >= -1 && c <= 0xFFFFFF);
    check(sx::Color2HTML(quint32(selA) | (quint32(selB) << 16)).size() == 7);
    (void)ColorPreselection(text);
    (void)StripFormatting(text);
    return 0;
}

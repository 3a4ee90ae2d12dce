// The element locator, merge and split on arbitrary text with an arbitrary caret and
// selection: no crash, no hang, and every selection stays inside the text.
//
// Input: two bytes of caret, two of selection length, one of answers, then the text
// (UTF-8; invalid bytes become replacement characters).
//   fuzz-tables -dict=fuzz/tables.dict -max_len=4096
#include "app/catalogue.h"
#include "app/prompts.h"
#include "editing/textbuffer.h"
#include "structure/cells.h"
#include "structure/locator.h"

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

struct Kind {
    const char16_t *open, *close;
};
const Kind kKinds[] = {{u"<td", u"</td>"},     {u"<tr", u"</tr>"},   {u"<table", u"</table>"},
                       {u"<form", u"</form>"}, {u"<div", u"</div>"}, {u"<span", u"</span>"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 5)
        return 0;
    const qsizetype caretSeed = data[0] | (data[1] << 8);
    const qsizetype lengthSeed = data[2] | (data[3] << 8);
    const int answers = data[4];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 5), qsizetype(size - 5));
    const qsizetype n = text.size();
    const qsizetype caret = caretSeed % (n + 1);
    const qsizetype length = lengthSeed % (n - caret + 1);

    for (const Kind &k : kKinds) {
        const LocateResult r = LocateElement(text, caret, k.open, k.close);
        if (r.outcome == LocateOutcome::Found) {
            check(r.span.Start > 0 && r.span.Length > 0 && r.span.Start + r.span.Length <= n);
            check(QStringView(text).mid(r.span.Start).startsWith(QStringView(k.open), Qt::CaseInsensitive));
        }
    }

    MessageCatalogue catalogue;
    catalogue.activate(1);
    auto run = [&](auto &&command) {
        TextBuffer buffer;
        buffer.loadText(text);
        buffer.select(caret, length);
        ScriptedPrompts prompts;
        prompts.answers = {(answers & 1) ? Btn::Yes : Btn::No};
        LocatorState state;
        StructureContext ctx{buffer, prompts, [&](int m) { return catalogue.message(m); }, state};
        const QString before = buffer.text();
        command(ctx);
        checkSelection(buffer);
        check(buffer.undoDepth() <= 1);
        if (buffer.undoDepth() == 1) {
            buffer.undo();
            check(buffer.text() == before);
        }
    };
    const int vor = (answers >> 1) % 3 - 1;
    const AskPosition ask = [vor] { return vor; };
    for (const Kind &k : kKinds)
        run([&](StructureContext &ctx) { SelectEnclosingElement(ctx, k.open, k.close); });
    run([&](StructureContext &ctx) { InsertTableItem(ctx, (answers & 8) != 0, ask); });
    run([&](StructureContext &ctx) {
        SelectEnclosingElement(ctx, u"<tr", u"</tr>");
        ConfirmDeleteSelection(ctx, ctx.state.RowOrTableSelected);
    });
    run([&](StructureContext &ctx) { MergeSelectedCells(ctx); });
    run([&](StructureContext &ctx) { SplitSelectedCell(ctx, ask); });

    const QString sel = text.mid(caret, length);
    const MergeOutcome m = MergeCells(sel);
    check(m.Result.isEmpty() || m.Count >= 1);
    AdjustSpan(sel, (answers >> 4) % 4);
    return 0;
}

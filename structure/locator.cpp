#include "structure/locator.h"

#include "editing/editorbuffer.h"
#include "structure/scan.h"

using namespace sx;

ElementKind elementKind(QStringView openTag, QStringView closeTag)
{
    ElementKind k;
    k.OpenTag = openTag.toString();
    k.CloseTag = closeTag.toString();
    k.CloseStub = closeTag.left(openTag.size() + 1).toString();
    if (openTag == u"<div" || openTag == u"<span") {
        k.NestOpen = openTag.toString();
        k.NestClose = closeTag.toString();
    } else {
        k.NestOpen = QStringLiteral("<table");
        k.NestClose = QStringLiteral("</table");
    }
    return k;
}

LocateResult LocateElement(QStringView text, qsizetype selStart, QStringView openTag, QStringView closeTag)
{
    LocateResult result;
    const ElementKind kind = elementKind(openTag, closeTag);
    const qsizetype n = text.size();
    const qsizetype L = openTag.size();
    if (L == 0)
        return result;
    const qsizetype S = selStart < 0 ? 0 : (selStart > n ? n : selStart);
    // The start tag and the closing stub, folded once; both are compared in place.
    const QString openFold = lowerAscii(openTag), stubFold = lowerAscii(kind.CloseStub);
    const bool stubUsable = stubFold.size() == L + 1;
    const char16_t *t = text.utf16();
    const char16_t *op = reinterpret_cast<const char16_t *>(openFold.utf16());
    const char16_t *sp = reinterpret_cast<const char16_t *>(stubFold.utf16());
    auto matchAt = [t](qsizetype i, const char16_t *pattern, qsizetype len) {
        for (qsizetype k = 0; k < len; ++k)
            if (foldAscii(t[i + k]) != pattern[k])
                return false;
        return true;
    };
    const char16_t open0 = op[0];
    const char16_t stub0 = stubUsable ? sp[0] : op[0];

    // Backward scan. Candidates: S + 1, then S - L down to 1 - L (S + 1 positions); a
    // position below 1 is read as 1. Positions S - L + 1 to S are never examined.
    qsizetype depth = 0;
    qsizetype start = -1;
    // Examines the 0-based index i (the 1-based position i + 1).
    auto examine = [&](qsizetype i) -> bool {
        if (i >= n)
            return false;
        // A closing stub counts only when it lies wholly before the caret.
        if (stubUsable && i + L + 1 <= S && matchAt(i, sp, L + 1))
            ++depth;
        if (i + L <= n && matchAt(i, op, L)) {
            if (depth <= 0) {
                start = i;
                return true;
            }
            --depth;
        }
        return false;
    };
    bool found = examine(S);
    const qsizetype first = S - L; // the first position of the descending run
    // Positions first down to 1; only those holding the first character of the stub or
    // of the start tag can change anything.
    for (qsizetype i = first - 1; !found && i >= 0; --i) {
        while (i >= 0 && foldAscii(t[i]) != open0 && foldAscii(t[i]) != stub0)
            --i;
        if (i < 0)
            break;
        found = examine(i);
    }
    // Positions 0 down to 1 - L, each read as position 1.
    const qsizetype repeats = (first < 0 ? first : 0) + L;
    for (qsizetype r = 0; !found && r < repeats; ++r)
        found = examine(0);
    if (!found)
        return result;
    if (start == 0) {
        result.outcome = LocateOutcome::AtTextStart;
        return result;
    }

    // Forward search for the end; End is the 1-based position just past the closing tag.
    // Start, as a 1-based position, is the character just before the "<".
    ForwardFinder closeFinder(text, kind.CloseTag);
    ForwardFinder nestOpenFinder(text, kind.NestOpen);
    ForwardFinder nestCloseFinder(text, kind.NestClose);
    const qsizetype closeLen = kind.CloseTag.size();
    qsizetype end = 0;
    qsizetype q = closeFinder.find(start, n);
    if (q > 0)
        end = q + closeLen;
    qsizetype j = start + L;
    for (;;) {
        // Does a nested element open before the closing tag? (One that opens right after
        // it is a sibling, not a nested element.)
        q = nestOpenFinder.find(j, end - 1);
        if (q > 0) {
            q = nestCloseFinder.find(j, n);
            if (q > 0) {
                j = q + 4;
                q = closeFinder.find(j, n);
                if (q > 0)
                    end = q + closeLen;
            }
        }
        if (q <= 0 || end >= n)
            break;
    }

    result.outcome = LocateOutcome::Found;
    result.span.Start = start;
    // Without a closing tag the element runs to the end of the text.
    result.span.Length = end > 0 ? end - start - 1 : n - start;
    return result;
}

int ShowStructureMessage(StructureContext &ctx, MsgKind kind, int n, int buttons)
{
    return ctx.prompts.message(kind, QStringLiteral("Sorvex"), ctx.message(n), buttons);
}

void NoteLocateResult(StructureContext &ctx, const LocateResult &r, QStringView openTag)
{
    ctx.state.CellSelected = false;
    ctx.state.RowOrTableSelected = false;
    if (r.outcome == LocateOutcome::AtTextStart) {
        ShowStructureMessage(ctx, MsgKind::Plain, 19);
        return;
    }
    if (r.outcome != LocateOutcome::Found)
        return;
    ctx.state.span = r.span;
    if (openTag == u"<tr" || openTag == u"<table")
        ctx.state.RowOrTableSelected = true;
    else if (openTag == u"<td")
        ctx.state.CellSelected = true;
}

void SelectEnclosingElement(StructureContext &ctx, QStringView openTag, QStringView closeTag)
{
    ctx.state.CellSelected = false;
    ctx.state.RowOrTableSelected = false;
    const QString text = ctx.buffer.text();
    const LocateResult r = LocateElement(text, ctx.buffer.selStart(), openTag, closeTag);
    if (r.outcome == LocateOutcome::Found)
        ctx.buffer.select(r.span.Start, r.span.Length);
    NoteLocateResult(ctx, r, openTag);
}

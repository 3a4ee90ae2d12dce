#include "structure/cells.h"

#include "editing/editorbuffer.h"
#include "structure/scan.h"

#include <algorithm>
#include <limits>

using namespace sx;

QString NewCellText() { return QStringLiteral("<td align=\"left\" valign=\"top\">&nbsp;</td>"); }

QString NewRowText() { return QStringLiteral("<tr>") + NewCellText() + QStringLiteral("</tr>"); }

// ---------------------------------------------------------------------------------------
// Insert and delete.

qsizetype InsertionOffset(StructureContext &ctx, QStringView text, qsizetype selStart, qsizetype selLength,
                          bool after, bool isCell)
{
    const QStringView openTag = isCell ? u"<td" : u"<tr";
    const QStringView closeTag = isCell ? u"</td>" : u"</tr>";
    qsizetype start = std::clamp<qsizetype>(selStart, 0, text.size());
    qsizetype length = std::clamp<qsizetype>(selLength, 0, text.size() - start);
    const QStringView sel = text.mid(start, length);
    // A selection that is itself a whole row or cell is taken as the element.
    if (!(startsWithAsciiCi(sel, openTag) && endsWithAsciiCi(sel, closeTag))) {
        const LocateResult r = LocateElement(text, start, openTag, closeTag);
        NoteLocateResult(ctx, r, openTag);
        if (r.outcome == LocateOutcome::Found) {
            start = r.span.Start;
            length = r.span.Length;
        }
    }
    return after ? start + length : start;
}

void PlaceCaretForInsert(StructureContext &ctx, bool after, bool isCell)
{
    const QString text = ctx.buffer.text();
    ctx.buffer.setSelStart(InsertionOffset(ctx, text, ctx.buffer.selStart(), ctx.buffer.selLength(), after, isCell));
}

void InsertTableItem(StructureContext &ctx, bool isCell, const AskPosition &ask)
{
    TrimBlankSelection(ctx.buffer);
    const int vor = ask();
    if (vor < 0)
        return;
    PlaceCaretForInsert(ctx, vor == 1, isCell);
    const qsizetype p = ctx.buffer.selStart();
    ctx.buffer.setSelText(isCell ? NewCellText() : NewRowText());
    ctx.buffer.select(p, 1);
}

void ConfirmDeleteSelection(StructureContext &ctx, bool flagSet)
{
    if (!flagSet)
        return;
    if (ShowStructureMessage(ctx, MsgKind::Confirmation, 29, Btn::YesNo) == Btn::Yes)
        ctx.buffer.setSelText(QString());
}

// ---------------------------------------------------------------------------------------
// Merge and split.

namespace {

// Removes every cell start tag ("<td" up to and including the next ">") in one pass,
// with the result of removing the leftmost one again and again: a "<td" that a removal
// brings together is found as well. Returns the number of "<td" met; a "<td" without a
// ">" after it counts and ends the removal, the rest staying as it is.
int removeCellStartTags(QString &inner)
{
    int count = 0;
    QString out;
    out.reserve(inner.size());
    const qsizetype n = inner.size();
    for (qsizetype i = 0; i < n; ++i) {
        out.append(inner[i]);
        if (out.size() >= 3 && endsWithAsciiCi(out, u"<td")) {
            ++count;
            const qsizetype gt = inner.indexOf(u'>', i + 1);
            if (gt < 0) {
                out.append(QStringView(inner).mid(i + 1));
                break;
            }
            out.chop(3);
            i = gt;
        }
    }
    inner = out;
    return count;
}

} // namespace

MergeOutcome MergeCells(QStringView sel)
{
    MergeOutcome m;
    // The first cell start tag: Head runs from the first character through its ">".
    const qsizetype td = posAsciiCi(u"<td", sel);
    const qsizetype gt = td > 0 ? pos(u">", sel, td) : 0;
    if (gt == 0) {
        m.message = 40;
        return m;
    }
    // The last "</td>" after that ">"; none: refuse without a message.
    const qsizetype last = lastPosAsciiCi(u"</td>", sel, gt + 1);
    if (last == 0)
        return m;
    const QStringView head = sel.left(gt);
    const QStringView tail = sel.mid(last - 1);
    QString inner = sel.mid(gt, last - 1 - gt).toString();
    if (posAsciiCi(u"<table", inner) > 0) {
        m.message = 41;
        return m;
    }
    inner = replaceAll(inner, u"</td>", u" ", true);
    m.Count += removeCellStartTags(inner);
    inner = replaceAll(inner, u"<tr>", u"", true);
    inner = replaceAll(inner, u"</tr>", u"", true);
    if (isBlank(inner)) {
        m.message = 42;
        return m;
    }
    m.Result.reserve(head.size() + inner.size() + tail.size());
    m.Result.append(head);
    m.Result.append(inner);
    m.Result.append(tail);
    return m;
}

QString AdjustSpan(QStringView text, long long count)
{
    // The target tag: the "<td" the text begins with, after blanks, or else the first
    // "<td" in it (a row, or a merge that began inside a cell's content). It ends at the
    // first ">" after its start.
    const qsizetype td = posAsciiCi(u"<td", text);
    if (td == 0)
        return text.toString();
    const qsizetype tagStart = td - 1;
    const qsizetype tagEnd = text.indexOf(u'>', tagStart);
    if (tagEnd < 0)
        return text.toString();
    const QStringView tag = text.mid(tagStart, tagEnd - tagStart + 1);
    const qsizetype attr = tag.indexOf(u"colspan=");
    if (attr >= 0) {
        // The value: up to the first space or the tag's ">", in quotes or bare; its digits
        // form V.
        const qsizetype from = tagStart + attr + 8;
        qsizetype to = from;
        while (to < tagEnd && text[to] != u' ')
            ++to;
        long long v = 0;
        bool valid = true, any = false;
        for (qsizetype i = from; i < to; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                continue;
            any = true;
            if (valid) {
                v = v * 10 + (c - u'0');
                if (v > std::numeric_limits<int>::max())
                    valid = false;
            }
        }
        if (!any)
            return text.toString();
        long long n = valid ? v - 1 + count : count;
        if (n < 1)
            n = 1;
        // The digits are replaced in place: the number stands where the first digit was.
        QString out;
        out.reserve(text.size() + 12);
        out.append(text.left(from));
        bool written = false;
        for (qsizetype i = from; i < to; ++i) {
            const QChar c = text[i];
            if (c.unicode() >= u'0' && c.unicode() <= u'9') {
                if (!written)
                    out.append(QString::number(n));
                written = true;
            } else {
                out.append(c);
            }
        }
        out.append(text.mid(to));
        return out;
    }
    if (count > 1) {
        QString out;
        out.reserve(text.size() + 16);
        out.append(text.left(tagEnd));
        out.append(QStringLiteral(" colspan=\"%1\" ").arg(count));
        out.append(text.mid(tagEnd));
        return out;
    }
    return text.toString();
}

void MergeSelectedCells(StructureContext &ctx)
{
    TrimBlankSelection(ctx.buffer);
    const qsizetype s0 = ctx.buffer.selStart();
    const QString sel = FlattenWhitespace(ctx.buffer.selText());
    if (isBlank(sel)) {
        ShowStructureMessage(ctx, MsgKind::Error, 40);
        return;
    }
    const MergeOutcome m = MergeCells(sel);
    if (m.message != 0) {
        ShowStructureMessage(ctx, MsgKind::Error, m.message);
        return;
    }
    QString result = m.Result;
    if (m.Count > 1)
        result = AdjustSpan(result, m.Count);
    // A selection that starts at the first character of the text is left alone.
    if (!result.isEmpty() && s0 > 0)
        ctx.buffer.setSelText(result);
}

void SplitSelectedCell(StructureContext &ctx, const AskPosition &ask)
{
    const QString sel = ctx.buffer.selText();
    if (isBlank(sel)) {
        ShowStructureMessage(ctx, MsgKind::Error, 50);
        return;
    }
    const QString r = AdjustSpan(sel, 0);
    const QString written = trim(r);
    const qsizetype s0 = ctx.buffer.selStart();
    const qsizetype len = ctx.buffer.selLength();
    // The caret after the rewritten cell, in front of a closing "</tr>" of the selection.
    qsizetype caret = s0 + written.size();
    if (endsWithAsciiCi(r, u"</tr>"))
        caret -= 5;

    // The insert-cell step, on the text as it stands after the rewrite; both changes are
    // then applied as one edit.
    const int vor = ask();
    if (vor < 0) {
        ctx.buffer.replaceRange(s0, len, written);
        ctx.buffer.setSelStart(caret);
        return;
    }
    const QString before = ctx.buffer.text();
    QString rewritten;
    rewritten.reserve(before.size() - len + written.size());
    rewritten.append(QStringView(before).left(s0));
    rewritten.append(written);
    rewritten.append(QStringView(before).mid(s0 + len));
    const qsizetype p = InsertionOffset(ctx, rewritten, caret, 0, vor == 1, true);

    const QString cell = NewCellText();
    const qsizetype writtenEnd = s0 + written.size();
    QString with;
    if (p <= s0) {
        with.append(cell);
        with.append(QStringView(before).mid(p, s0 - p));
        with.append(written);
        ctx.buffer.replaceRange(p, s0 + len - p, with);
    } else if (p >= writtenEnd) {
        const qsizetype gap = p - writtenEnd; // characters behind the selection before the cell
        with.append(written);
        with.append(QStringView(before).mid(s0 + len, gap));
        with.append(cell);
        ctx.buffer.replaceRange(s0, len + gap, with);
    } else {
        const qsizetype at = p - s0;
        with.append(QStringView(written).left(at));
        with.append(cell);
        with.append(QStringView(written).mid(at));
        ctx.buffer.replaceRange(s0, len, with);
    }
    ctx.buffer.select(p, 1);
}

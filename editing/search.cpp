#include "editing/search.h"

#include "editing/textops.h"

#include <algorithm>

namespace {

inline bool isWordLetter(char16_t c)
{
    return (c >= 65 && c <= 90) || (c >= 97 && c <= 122) || (c >= 192 && c <= 255);
}

const QString kCaption = QStringLiteral("Sorvex");

} // namespace

qsizetype FindInBuffer(const EditorBuffer &buffer, QStringView needle, qsizetype start, bool wholeWord,
                       bool matchCase, qsizetype chunk)
{
    const qsizetype len = buffer.length();
    const qsizetype n = needle.size();
    if (n == 0 || len == 0 || start < 1)
        return 0;
    chunk = std::max<qsizetype>(chunk, 1);
    // s is where the search goes on (1-based), exactly as FindInText's own start moves:
    // after a rejected whole-word occurrence it jumps past that occurrence.
    qsizetype s = start;
    for (;;) {
        if (s > len - n + 1)
            return 0;
        // The window holds the unit before s (the left neighbour of an occurrence at s)
        // and every occurrence that begins in the next chunk units.
        const qsizetype from = std::max<qsizetype>(1, s - 1);
        const qsizetype to = std::min(len, s + chunk + n); // inclusive
        const QString w = buffer.textRange(from - 1, to - from + 1);
        if (w.size() != to - from + 1)
            return 0; // the text changed under us; nothing sensible to find
        for (;;) {
            const qsizetype local = s - from + 1;
            const qsizetype p = matchCase ? sx::pos(needle, w, local) : sx::posAsciiCi(needle, w, local);
            if (p == 0) {
                if (to == len)
                    return 0;
                // Every occurrence beginning at or before to - n + 1 has been looked at.
                s = std::max(s, to - n + 2);
                break;
            }
            const qsizetype at = p + from - 1; // in the whole text
            if (!wholeWord)
                return at;
            const qsizetype end = at + n; // the right neighbour, if any
            if (end <= len && end > to) {
                // Its right neighbour lies beyond the window: read on from here.
                s = at;
                break;
            }
            const bool before = at > 1 && isWordLetter(w[p - 2].unicode());
            const bool after = end <= len && isWordLetter(w[p + n - 1].unicode());
            if (!before && !after)
                return at;
            s = at + n;
            if (s >= len)
                return 0;
        }
        chunk *= 2;
    }
}

qsizetype dialogSearchStart(const EditorBuffer &buffer)
{
    const qsizetype l = buffer.selLength();
    return l >= 1 ? buffer.selStart() + l + 1 : 1;
}

static void notFound(SearchContext &ctx, MsgKind kind)
{
    ctx.prompts.message(kind, kCaption, ctx.message(18), Btn::OK);
}

bool DoFind(SearchContext &ctx, SearchState &state, const QString &findText, bool matchCase, bool wholeWord)
{
    state.LastFindText = findText;
    state.SearchMatchCase = matchCase;
    state.SearchWholeWord = wholeWord;
    const qsizetype p = FindInBuffer(ctx.buffer, findText, dialogSearchStart(ctx.buffer), wholeWord, matchCase);
    if (p < 1) {
        notFound(ctx, MsgKind::Plain);
        ctx.buffer.setSelStart(1);
        return false;
    }
    state.FindNextStart = p + 1;
    ctx.buffer.select(p - 1, findText.size());
    return true;
}

bool DoReplaceFind(SearchContext &ctx, SearchState &state, const QString &findText, bool matchCase)
{
    state.SearchMatchCase = matchCase;
    state.SearchWholeWord = false;
    const qsizetype p = FindInBuffer(ctx.buffer, findText, dialogSearchStart(ctx.buffer), false, matchCase);
    if (p < 1) {
        notFound(ctx, MsgKind::Information);
        ctx.buffer.setSelStart(1);
        return false;
    }
    ctx.buffer.select(p - 1, findText.size());
    return true;
}

void DoReplaceAll(EditorBuffer &buffer, const QString &findText, const QString &replaceText, bool matchCase)
{
    qsizetype count = 0;
    QString next = sx::replaceAll(buffer.text(), findText, replaceText, !matchCase, &count);
    if (count > 0)
        buffer.setText(next);
    else
        buffer.setSelStart(0); // the lines set from an unchanged text: only the caret moves
}

void DoReplace(EditorBuffer &buffer, const QString &replaceText)
{
    if (buffer.selLength() > 0)
        buffer.setSelText(replaceText);
}

bool DoFindNext(SearchContext &ctx, SearchState &state)
{
    if (sx::isBlank(state.LastFindText))
        return false;
    const qsizetype len = ctx.buffer.length();
    if (len == 0)
        return false;
    const qsizetype start = state.FindNextStart >= 0 && state.FindNextStart < len ? state.FindNextStart + 1 : 1;
    const qsizetype p = FindInBuffer(ctx.buffer, state.LastFindText, start, state.SearchWholeWord,
                                     state.SearchMatchCase);
    if (p >= 1) {
        ctx.buffer.focus();
        ctx.buffer.select(p - 1, state.LastFindText.size());
        state.FindNextStart = p + state.LastFindText.size() + 1;
        return true;
    }
    state.FindNextStart = 1;
    notFound(ctx, MsgKind::Plain);
    return false;
}

void PrepareFind(EditorBuffer &buffer) { buffer.setSelStart(1); }

void PrepareReplace(EditorBuffer &buffer)
{
    buffer.setSelStart(1);
    buffer.setSelLength(0);
}

void GoToLine(SearchContext &ctx)
{
    QString answer;
    const bool ok = ctx.prompts.input(QStringLiteral("GoTo"), ctx.message(30), answer);
    bool number = false;
    long long line = ok ? sx::parseInteger(answer, &number) : 0;
    if (!number) {
        ctx.prompts.message(MsgKind::Plain, kCaption, ctx.message(31), Btn::OK);
        return;
    }
    const int lines = ctx.buffer.lineCount();
    if (line > lines)
        line = lines;
    if (line < 0)
        line = 0;
    ctx.buffer.setCaretXY(1, std::max<int>(1, int(line)));
}

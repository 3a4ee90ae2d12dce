#include "editing/ui/scintillabuffer.h"

#include "editing/ui/synedit.h"

#include <Qsci/qsciscintillabase.h>
#include <QByteArray>
#include <algorithm>

namespace {
using SB = QsciScintillaBase;
constexpr long kU16 = QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16;
// Replacements bigger than this, and edits in lines longer than kLongLine, are made with
// wrapping switched off: Scintilla would otherwise wrap the new lines before it returns
// and lay out a long line again for each of its insertions and deletions, where with
// wrapping switched back on afterwards it wraps the visible lines first and the rest in
// idle time.
constexpr long kBigEdit = 1 << 16;
constexpr long kLongLine = 1 << 16;
// Texts are loaded in pieces of this many UTF-16 units, so that no second full copy of
// the text exists while it is loaded.
constexpr qsizetype kLoadChunk = 1 << 20;

inline int utf8Length(unsigned char lead)
{
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// UTF-16 units of the UTF-8 bytes p[0..n).
qsizetype unitsIn(const char *p, long n)
{
    // Every byte that starts a character counts one unit, a four-byte lead one more (the
    // text is valid UTF-8: it was made from UTF-16 by the buffer or the widget).
    qsizetype units = 0;
    for (long i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(p[i]);
        units += ((b & 0xC0) != 0x80) + (b >= 0xF0);
    }
    return units;
}

// The number of bytes of p[0..n) that hold the first units UTF-16 units; inside a
// surrogate pair, the character's start, or its end when forward.
long bytesFor(const char *p, long n, qsizetype units, bool forward)
{
    qsizetype u = 0;
    long i = 0;
    while (i < n && u < units) {
        const int len = utf8Length(static_cast<unsigned char>(p[i]));
        const int w = len == 4 ? 2 : 1;
        if (u + w > units)
            return forward ? std::min<long>(i + len, n) : i;
        u += w;
        i += len;
    }
    return std::min(i, n);
}

inline bool continuation(const char *p, long i, long n)
{
    return i < n && (static_cast<unsigned char>(p[i]) & 0xC0) == 0x80;
}

// What loading needs to know of a text before it is fed to the editor in pieces.
struct LoadScan {
    LineBreak style = LineBreak::CRLF;
    bool clean = true;       // only CR LF pairs as line breaks and no lone surrogate
    qsizetype utf8Bytes = 0; // the size in UTF-8 after the line breaks are made CR LF
};

LoadScan scanForLoad(QStringView text)
{
    LoadScan r;
    bool cr = false, lf = false, ls = false;
    const char16_t *s = text.utf16();
    const qsizetype n = text.size();
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            if (c == u'\r') {
                cr = true;
                if (i + 1 < n && s[i + 1] == u'\n') {
                    lf = true;
                    ++i;
                } else {
                    r.clean = false;
                }
                bytes += 2;
            } else if (c == u'\n') {
                lf = true;
                r.clean = false;
                bytes += 2;
            } else {
                bytes += 1;
            }
        } else if (c < 0x800) {
            bytes += 2;
        } else if (c == 0x2028) {
            ls = true;
            r.clean = false;
            bytes += 2;
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            bytes += 4;
            ++i;
        } else {
            if (QChar::isSurrogate(c))
                r.clean = false; // stored as U+FFFD
            bytes += 3;
        }
    }
    r.utf8Bytes = bytes;
    r.style = ls ? LineBreak::LS : (cr && !lf) ? LineBreak::CR : (lf && !cr) ? LineBreak::LF : LineBreak::CRLF;
    return r;
}

} // namespace

ScintillaBuffer::ScintillaBuffer(SynEdit *editor) : m_editor(editor) {}

long ScintillaBuffer::send(unsigned int msg, unsigned long w, long l) const
{
    return m_editor->SendScintilla(msg, w, l);
}

int ScintillaBuffer::lines() const { return int(send(SB::SCI_GETLINECOUNT)); }

ScintillaBuffer::LineSpan ScintillaBuffer::span(long line) const
{
    LineSpan s;
    s.line = line;
    s.byteStart = send(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    s.byteEnd = send(SB::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
    s.byteNext = send(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1)); // the length after the last
    s.u16Start = send(SB::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), kU16);
    s.u16Next = send(SB::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line + 1), kU16);
    return s;
}

const char *ScintillaBuffer::rangePointer(long from, long length) const
{
    return reinterpret_cast<const char *>(
        send(SB::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), length));
}

long ScintillaBuffer::bytePos(qsizetype u16, bool forward) const
{
    if (u16 <= 0)
        return 0;
    // The index gives the last line for offsets beyond the end.
    const LineSpan s = span(send(SB::SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(u16), kU16));
    if (u16 >= s.u16Next)
        return s.byteNext;
    if (u16 >= s.u16End()) {
        // At the end of the line's content or inside its line break.
        const qsizetype k = u16 - s.u16End();
        if (k == 0)
            return s.byteEnd;
        if (k >= s.byteNext - s.byteEnd)
            return s.byteNext;
        return forward ? s.byteNext : s.byteEnd;
    }
    const qsizetype delta = u16 - s.u16Start;
    if (s.ascii())
        return s.byteStart + long(delta);
    const long contentBytes = s.byteEnd - s.byteStart;
    return s.byteStart + bytesFor(rangePointer(s.byteStart, contentBytes), contentBytes, delta, forward);
}

qsizetype ScintillaBuffer::u16Pos(long byte) const
{
    if (byte <= 0)
        return 0;
    const LineSpan s = span(send(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(byte)));
    byte = std::min(byte, s.byteNext);
    if (s.ascii())
        return s.u16Start + (byte - s.byteStart);
    if (byte >= s.byteEnd)
        return s.u16Next - (s.byteNext - byte);
    return s.u16Start + unitsIn(rangePointer(s.byteStart, byte - s.byteStart), byte - s.byteStart);
}

QString ScintillaBuffer::text() const
{
    const long len = send(SB::SCI_GETLENGTH);
    if (len <= 0)
        return QString();
    const char *p = static_cast<const char *>(m_editor->SendScintillaPtrResult(SB::SCI_GETCHARACTERPOINTER));
    return QString::fromUtf8(p, len);
}

QString ScintillaBuffer::range(long from, long to) const
{
    if (to <= from)
        return QString();
    const char *p = rangePointer(from, to - from);
    return p ? QString::fromUtf8(p, to - from) : QString();
}

qsizetype ScintillaBuffer::length() const
{
    return send(SB::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(lines()), kU16);
}

QString ScintillaBuffer::textRange(qsizetype start, qsizetype count) const
{
    // The bytes of the whole characters around the range, then the units asked for (an
    // edge inside a surrogate pair gives its half, as a part of the whole text would).
    start = std::max<qsizetype>(start, 0);
    if (count <= 0)
        return QString();
    const long from = bytePos(start), to = bytePos(start + count, true);
    return range(from, to).mid(start - u16Pos(from), count);
}

void ScintillaBuffer::loadText(const QString &text)
{
    // One pass to learn the line-break style and the exact size, then the text goes in
    // in pieces, each made CR LF and UTF-8 on its own, with undo collection off: no full
    // second copy of the text, no undo copy, no regrowing of the editor's buffer.
    const LoadScan scan = scanForLoad(text);
    m_lineBreak = scan.style;
    m_editor->suspendWrap();
    m_editor->suspendTextReports();
    send(SB::SCI_SETUNDOCOLLECTION, 0);
    send(SB::SCI_MARKERDELETEALL, static_cast<unsigned long>(-1));
    send(SB::SCI_CLEARALL);
    send(SB::SCI_ALLOCATE, static_cast<unsigned long>(scan.utf8Bytes + 1));
    const qsizetype n = text.size();
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype from = 0; from < n;) {
        qsizetype to = std::min(n, from + kLoadChunk);
        // A piece never ends between a CR and its LF or inside a surrogate pair.
        if (to < n && ((s[to - 1] == u'\r' && s[to] == u'\n')
                       || (QChar::isHighSurrogate(s[to - 1]) && QChar::isLowSurrogate(s[to]))))
            ++to;
        const QStringView piece(s + from, to - from);
        const QByteArray utf8 = scan.clean ? piece.toUtf8() : editorText(piece.toString()).toUtf8();
        m_editor->SendScintilla(SB::SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.constData());
        from = to;
    }
    send(SB::SCI_EMPTYUNDOBUFFER);
    send(SB::SCI_SETUNDOCOLLECTION, 1);
    send(SB::SCI_SETSAVEPOINT);
    send(SB::SCI_SETEMPTYSELECTION, 0);
    send(SB::SCI_SETFIRSTVISIBLELINE, 0);
    send(SB::SCI_SETXOFFSET, 0);
    m_editor->resumeTextReports();
    m_editor->resumeWrap();
    m_forcedModified = false;
    m_marks.fill({});
}

void ScintillaBuffer::withoutModifyNotifications(const std::function<void()> &edit)
{
    // The editor widget answers each modification notification with work that grows with
    // the offset of the change (it turns the byte position into a character offset counted
    // from the start of the text): an edit near the end of a 10 MB page would cost a tenth
    // of a second. The notifications are held back during the edit; the widget's change
    // signals, the only thing built on them, are sent once afterwards.
    const long mask = send(SB::SCI_GETMODEVENTMASK);
    const long lines = send(SB::SCI_GETLINECOUNT);
    send(SB::SCI_SETMODEVENTMASK, 0);
    edit();
    send(SB::SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask));
    Q_EMIT m_editor->textChanged();
    if (send(SB::SCI_GETLINECOUNT) != lines)
        Q_EMIT m_editor->linesChanged();
}

void ScintillaBuffer::moveCaret(long byte)
{
    // Laying out the caret's line to scroll it into view is left to the event loop, once
    // for all the moves of a command (a line of megabytes takes seconds to lay out).
    send(SB::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(byte));
    m_editor->scrollCaretLater();
}

void ScintillaBuffer::replaceBytes(long from, long to, const char *utf8, long size)
{
    const long len = send(SB::SCI_GETLENGTH);
    from = std::clamp(from, 0L, len);
    to = std::clamp(to, from, len);
    if (from == to && size == 0)
        return;
    auto longLine = [this](long pos) {
        const long line = send(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos));
        return send(SB::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line))
                   - send(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line))
               > kLongLine;
    };
    const bool big = size > kBigEdit || to - from > kBigEdit
                     || (m_editor->wordWrapOn() && (longLine(from) || longLine(to)));
    if (big)
        m_editor->suspendWrap();
    withoutModifyNotifications([&] {
        send(SB::SCI_BEGINUNDOACTION);
        send(SB::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), to);
        m_editor->SendScintilla(SB::SCI_REPLACETARGET, static_cast<unsigned long>(size), size > 0 ? utf8 : "");
        send(SB::SCI_ENDUNDOACTION);
    });
    if (big)
        m_editor->resumeWrap();
}

void ScintillaBuffer::setText(const QString &text)
{
    m_lineBreak = detectLineBreak(text);
    const QByteArray next = editorText(text).toUtf8();
    const long curLen = send(SB::SCI_GETLENGTH);
    const char *cur = curLen > 0
        ? static_cast<const char *>(m_editor->SendScintillaPtrResult(SB::SCI_GETCHARACTERPOINTER))
        : "";
    const long nextLen = long(next.size());
    const char *nx = next.constData();
    // Only the bytes between the common prefix and the common suffix change: one small
    // undo step, and the untouched lines keep their bookmarks and their wrapping. The
    // edges never fall inside a character or a CR LF pair.
    const long n = std::min(curLen, nextLen);
    long prefix = 0;
    while (prefix < n && cur[prefix] == nx[prefix])
        ++prefix;
    while (prefix > 0 && (continuation(cur, prefix, curLen) || continuation(nx, prefix, nextLen) || cur[prefix - 1] == '\r'))
        --prefix;
    long suffix = 0;
    while (suffix < n - prefix && cur[curLen - 1 - suffix] == nx[nextLen - 1 - suffix])
        ++suffix;
    while (suffix > 0
           && (continuation(cur, curLen - suffix, curLen) || continuation(nx, nextLen - suffix, nextLen)
               || cur[curLen - suffix] == '\n'))
        --suffix;
    if (prefix < curLen || prefix < nextLen)
        replaceBytes(prefix, curLen - suffix, nx + prefix, nextLen - suffix - prefix);
    moveCaret(0);
}

int ScintillaBuffer::lineCount() const
{
    if (send(SB::SCI_GETLENGTH) == 0)
        return 0;
    return lines();
}

QString ScintillaBuffer::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return QString();
    const long from = send(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(index));
    const long to = send(SB::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(index));
    return range(from, to);
}

void ScintillaBuffer::replaceRange(qsizetype start, qsizetype count, const QString &with)
{
    const long from = bytePos(start);
    const long to = count > 0 ? std::max(from, bytePos(start + count, true)) : from;
    const QByteArray utf8 = editorText(with).toUtf8();
    replaceBytes(from, to, utf8.constData(), long(utf8.size()));
    moveCaret(from + utf8.size());
}

QString ScintillaBuffer::selText() const
{
    return range(send(SB::SCI_GETSELECTIONSTART), send(SB::SCI_GETSELECTIONEND));
}

void ScintillaBuffer::setSelText(const QString &text)
{
    const long from = send(SB::SCI_GETSELECTIONSTART);
    const long to = send(SB::SCI_GETSELECTIONEND);
    const QByteArray utf8 = editorText(text).toUtf8();
    replaceBytes(from, to, utf8.constData(), long(utf8.size()));
    moveCaret(from + utf8.size());
}

qsizetype ScintillaBuffer::selStart() const { return u16Pos(send(SB::SCI_GETSELECTIONSTART)); }

void ScintillaBuffer::setSelStart(qsizetype offset)
{
    moveCaret(bytePos(offset));
}

qsizetype ScintillaBuffer::selLength() const
{
    const long a = send(SB::SCI_GETSELECTIONSTART), b = send(SB::SCI_GETSELECTIONEND);
    return b > a ? u16Pos(b) - u16Pos(a) : 0;
}

void ScintillaBuffer::setSelLength(qsizetype length)
{
    const long start = send(SB::SCI_GETSELECTIONSTART);
    const long end = length > 0 ? std::max(start, bytePos(u16Pos(start) + length, true)) : start;
    // SCI_SETSEL would scroll at once; the caret goes to the end, as after a drag.
    send(SB::SCI_SETSELECTION, static_cast<unsigned long>(end), start);
    m_editor->scrollCaretLater();
}

int ScintillaBuffer::caretX() const
{
    const long pos = send(SB::SCI_GETCURRENTPOS);
    const long line = send(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos));
    return int(u16Pos(pos) - send(SB::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), kU16)) + 1;
}

int ScintillaBuffer::caretY() const
{
    return int(send(SB::SCI_LINEFROMPOSITION, static_cast<unsigned long>(send(SB::SCI_GETCURRENTPOS)))) + 1;
}

void ScintillaBuffer::setCaretXY(int x, int y)
{
    y = std::clamp(y, 1, lines());
    const LineSpan s = span(y - 1);
    const qsizetype col = std::clamp<qsizetype>(x, 1, s.u16End() - s.u16Start + 1);
    moveCaret(bytePos(s.u16Start + col - 1));
}

void ScintillaBuffer::offsetToCaret(qsizetype offset, int *column, int *line) const
{
    // Index arithmetic only: the line of the offset and that line's start.
    offset = std::clamp<qsizetype>(offset, 0, length());
    const long l = send(SB::SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(offset), kU16);
    *line = int(l) + 1;
    *column = int(offset - send(SB::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(l), kU16)) + 1;
}

void ScintillaBuffer::gotoLineAndCenter(int line)
{
    // Not SCI_GOTOLINE: it wraps every line still waiting to be wrapped first. The lines
    // above that are not wrapped yet count one row each; Scintilla keeps the top line
    // where it is while it wraps them.
    line = std::clamp(line, 1, lines());
    send(SB::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(send(SB::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line - 1))));
    const long visible = send(SB::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(line - 1));
    const long onScreen = send(SB::SCI_LINESONSCREEN);
    send(SB::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(std::max(0L, visible - onScreen / 2)));
    send(SB::SCI_CHOOSECARETX);
}

bool ScintillaBuffer::modified() const { return m_forcedModified || send(SB::SCI_GETMODIFY) != 0; }

void ScintillaBuffer::setModified(bool modified)
{
    m_forcedModified = modified;
    if (!modified)
        send(SB::SCI_SETSAVEPOINT);
}

void ScintillaBuffer::undo()
{
    withoutModifyNotifications([this] { send(SB::SCI_UNDO); });
}
void ScintillaBuffer::cut() { m_editor->cut(); }
void ScintillaBuffer::copy() { m_editor->copy(); }
void ScintillaBuffer::paste() { m_editor->paste(); }
void ScintillaBuffer::selectAll() { send(SB::SCI_SELECTALL); }

bool ScintillaBuffer::wordWrap() const { return m_editor->wordWrapOn(); }
void ScintillaBuffer::setWordWrap(bool on) { m_editor->setWordWrapOn(on); }

void ScintillaBuffer::setBookmark(int n, int column, int line)
{
    if (n < 0 || n > 9)
        return;
    clearBookmark(n);
    line = std::clamp(line, 1, lines());
    const int handle = int(send(SB::SCI_MARKERADD, static_cast<unsigned long>(line - 1), n));
    m_marks[n] = {handle, column};
}

void ScintillaBuffer::clearBookmark(int n)
{
    if (n < 0 || n > 9)
        return;
    if (m_marks[n].handle >= 0)
        send(SB::SCI_MARKERDELETEHANDLE, static_cast<unsigned long>(m_marks[n].handle));
    m_marks[n] = {};
}

Bookmark ScintillaBuffer::bookmark(int n) const
{
    if (n < 0 || n > 9 || m_marks[n].handle < 0)
        return {};
    const long line = send(SB::SCI_MARKERLINEFROMHANDLE, static_cast<unsigned long>(m_marks[n].handle));
    if (line < 0)
        return {};
    return {true, m_marks[n].column, int(line) + 1};
}

void ScintillaBuffer::gotoBookmark(int n)
{
    const Bookmark b = bookmark(n);
    if (b.set)
        setCaretXY(b.column, b.line);
}

Highlighter ScintillaBuffer::highlighter() const { return m_editor->highlighter(); }
void ScintillaBuffer::setHighlighter(Highlighter h) { m_editor->setHighlighter(h); }
void ScintillaBuffer::focus() { m_editor->setFocus(); }

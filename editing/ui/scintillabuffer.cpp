#include "editing/ui/scintillabuffer.h"

#include "editing/textbuffer.h"
#include "editing/ui/synedit.h"

#include <Qsci/qsciscintillabase.h>
#include <algorithm>

namespace {
constexpr unsigned long kU16 = QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16;
// Replacements bigger than this are made with wrapping switched off, so that Scintilla
// rewraps the visible lines first instead of the whole text at once.
constexpr qsizetype kBigEdit = 1 << 16;
} // namespace

ScintillaBuffer::ScintillaBuffer(SynEdit *editor) : m_editor(editor) {}

long ScintillaBuffer::send(unsigned int msg, unsigned long w, long l) const
{
    return m_editor->SendScintilla(msg, w, l);
}

long ScintillaBuffer::bytePos(qsizetype u16) const
{
    if (u16 <= 0)
        return 0;
    const long docBytes = send(QsciScintillaBase::SCI_GETLENGTH);
    const long line = send(QsciScintillaBase::SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(u16), long(kU16));
    const long lineU16 = send(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), long(kU16));
    const long lineByte = send(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long delta = long(u16) - lineU16;
    if (delta <= 0)
        return lineByte;
    const long lines = send(QsciScintillaBase::SCI_GETLINECOUNT);
    long nextByte, nextU16;
    if (line + 1 < lines) {
        nextByte = send(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
        nextU16 = send(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line + 1), long(kU16));
    } else {
        nextByte = docBytes;
        nextU16 = -1; // unknown: walk
    }
    if (nextU16 >= 0 && nextByte - lineByte == nextU16 - lineU16)
        return std::min(lineByte + delta, nextByte);
    if (nextU16 < 0) {
        // The last line: all ASCII when its bytes equal its units.
        const long units = send(QsciScintillaBase::SCI_COUNTCODEUNITS, static_cast<unsigned long>(lineByte), nextByte);
        if (units == nextByte - lineByte)
            return std::min(lineByte + delta, nextByte);
        if (delta >= units)
            return nextByte;
    }
    const long p = send(QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, static_cast<unsigned long>(lineByte), delta);
    return p <= 0 && delta > 0 ? nextByte : p;
}

qsizetype ScintillaBuffer::u16Pos(long byte) const
{
    if (byte <= 0)
        return 0;
    const long docBytes = send(QsciScintillaBase::SCI_GETLENGTH);
    if (byte > docBytes)
        byte = docBytes;
    const long line = send(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(byte));
    const long lineByte = send(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long lineU16 = send(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), long(kU16));
    if (byte == lineByte)
        return lineU16;
    const long lines = send(QsciScintillaBase::SCI_GETLINECOUNT);
    if (line + 1 < lines) {
        const long nextByte = send(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
        const long nextU16 = send(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line + 1), long(kU16));
        if (nextByte - lineByte == nextU16 - lineU16)
            return lineU16 + (byte - lineByte);
    }
    return lineU16 + send(QsciScintillaBase::SCI_COUNTCODEUNITS, static_cast<unsigned long>(lineByte), byte);
}

QString ScintillaBuffer::text() const
{
    const long len = send(QsciScintillaBase::SCI_GETLENGTH);
    if (len <= 0)
        return QString();
    const char *p = static_cast<const char *>(m_editor->SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return QString::fromUtf8(p, len);
}

QString ScintillaBuffer::range(long from, long to) const
{
    if (to <= from)
        return QString();
    const char *p = reinterpret_cast<const char *>(
        send(QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from));
    return p ? QString::fromUtf8(p, to - from) : QString();
}

qsizetype ScintillaBuffer::length() const { return u16Pos(send(QsciScintillaBase::SCI_GETLENGTH)); }

QString ScintillaBuffer::textRange(qsizetype start, qsizetype count) const
{
    if (start < 0)
        start = 0;
    if (count <= 0)
        return QString();
    // bytePos stops at the end of the text.
    const QString part = range(bytePos(start), bytePos(start + count));
    if (part.size() == count)
        return part;
    // Past the end, or an edge inside a surrogate pair: take it from the whole text.
    const QString all = text();
    if (start >= all.size())
        return QString();
    return all.mid(start, std::min(count, all.size() - start));
}

void ScintillaBuffer::loadText(const QString &text)
{
    m_lineBreak = detectLineBreak(text);
    QByteArray utf8 = normalizeLineBreaks(text).toUtf8();
    m_editor->suspendWrap();
    send(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0);
    send(QsciScintillaBase::SCI_CLEARALL);
    send(QsciScintillaBase::SCI_ALLOCATE, static_cast<unsigned long>(utf8.size() + 1));
    m_editor->SendScintilla(QsciScintillaBase::SCI_ADDTEXT, static_cast<unsigned long>(utf8.size()), utf8.constData());
    utf8 = QByteArray();
    send(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    send(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1);
    send(QsciScintillaBase::SCI_SETSAVEPOINT);
    send(QsciScintillaBase::SCI_GOTOPOS, 0);
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
    const long mask = send(QsciScintillaBase::SCI_GETMODEVENTMASK);
    const long lines = send(QsciScintillaBase::SCI_GETLINECOUNT);
    send(QsciScintillaBase::SCI_SETMODEVENTMASK, 0);
    edit();
    send(QsciScintillaBase::SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask));
    Q_EMIT m_editor->textChanged();
    if (send(QsciScintillaBase::SCI_GETLINECOUNT) != lines)
        Q_EMIT m_editor->linesChanged();
}

void ScintillaBuffer::replaceBytes(long from, long to, const QByteArray &utf8)
{
    const bool big = utf8.size() > kBigEdit || to - from > kBigEdit;
    if (big)
        m_editor->suspendWrap();
    withoutModifyNotifications([&] {
        send(QsciScintillaBase::SCI_BEGINUNDOACTION);
        send(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), to);
        m_editor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()),
                                utf8.constData());
        send(QsciScintillaBase::SCI_ENDUNDOACTION);
    });
    if (big)
        m_editor->resumeWrap();
}

void ScintillaBuffer::setText(const QString &text)
{
    m_lineBreak = detectLineBreak(text);
    const QString next = normalizeLineBreaks(text);
    const QString cur = this->text();
    // Only the part between the common prefix and the common suffix changes: one small
    // undo step and no rewrap of the untouched lines.
    const qsizetype n = std::min(cur.size(), next.size());
    qsizetype prefix = 0;
    while (prefix < n && cur[prefix] == next[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < n - prefix && cur[cur.size() - 1 - suffix] == next[next.size() - 1 - suffix])
        ++suffix;
    // Never split a surrogate pair or a CR LF pair at the edges of the change.
    while (prefix > 0 && (cur[prefix - 1].isHighSurrogate() || cur[prefix - 1] == u'\r'))
        --prefix;
    while (suffix > 0 && (cur[cur.size() - suffix].isLowSurrogate() || cur[cur.size() - suffix] == u'\n'))
        --suffix;
    if (prefix == cur.size() && prefix == next.size()) {
        send(QsciScintillaBase::SCI_GOTOPOS, 0);
        return;
    }
    const long from = bytePos(prefix);
    const long to = bytePos(cur.size() - suffix);
    replaceBytes(from, to, QStringView(next).mid(prefix, next.size() - prefix - suffix).toUtf8());
    send(QsciScintillaBase::SCI_GOTOPOS, 0);
}

int ScintillaBuffer::lineCount() const
{
    if (send(QsciScintillaBase::SCI_GETLENGTH) == 0)
        return 0;
    return int(send(QsciScintillaBase::SCI_GETLINECOUNT));
}

QString ScintillaBuffer::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return QString();
    const long from = send(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(index));
    const long to = send(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(index));
    return range(from, to);
}

void ScintillaBuffer::replaceRange(qsizetype start, qsizetype count, const QString &with)
{
    const qsizetype len = length();
    start = std::clamp<qsizetype>(start, 0, len);
    count = std::clamp<qsizetype>(count, 0, len - start);
    const long from = bytePos(start);
    const long to = bytePos(start + count);
    const QByteArray utf8 = with.toUtf8();
    replaceBytes(from, to, utf8);
    send(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(from + utf8.size()));
}

QString ScintillaBuffer::selText() const
{
    return range(send(QsciScintillaBase::SCI_GETSELECTIONSTART), send(QsciScintillaBase::SCI_GETSELECTIONEND));
}

void ScintillaBuffer::setSelText(const QString &text)
{
    const long from = send(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const long to = send(QsciScintillaBase::SCI_GETSELECTIONEND);
    const QByteArray utf8 = text.toUtf8();
    replaceBytes(from, to, utf8);
    send(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(from + utf8.size()));
}

qsizetype ScintillaBuffer::selStart() const { return u16Pos(send(QsciScintillaBase::SCI_GETSELECTIONSTART)); }

void ScintillaBuffer::setSelStart(qsizetype offset)
{
    send(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(bytePos(offset)));
}

qsizetype ScintillaBuffer::selLength() const
{
    const long a = send(QsciScintillaBase::SCI_GETSELECTIONSTART), b = send(QsciScintillaBase::SCI_GETSELECTIONEND);
    return b > a ? u16Pos(b) - u16Pos(a) : 0;
}

void ScintillaBuffer::setSelLength(qsizetype length)
{
    const long start = send(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const qsizetype startU16 = u16Pos(start);
    const long end = length > 0 ? bytePos(startU16 + length) : start;
    send(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(start), end);
}

int ScintillaBuffer::caretX() const
{
    const long pos = send(QsciScintillaBase::SCI_GETCURRENTPOS);
    const long line = send(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos));
    return int(u16Pos(pos) - send(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), long(kU16))) + 1;
}

int ScintillaBuffer::caretY() const
{
    return int(send(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(send(QsciScintillaBase::SCI_GETCURRENTPOS)))) + 1;
}

void ScintillaBuffer::setCaretXY(int x, int y)
{
    const int lines = std::max(1, int(send(QsciScintillaBase::SCI_GETLINECOUNT)));
    y = std::clamp(y, 1, lines);
    const long line = y - 1;
    const long lineU16 = send(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line), long(kU16));
    const qsizetype lineLen = u16Pos(send(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line))) - lineU16;
    const qsizetype col = std::clamp<qsizetype>(x, 1, lineLen + 1);
    send(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(bytePos(lineU16 + col - 1)));
}

void ScintillaBuffer::offsetToCaret(qsizetype offset, int *column, int *line) const
{
    offset = std::clamp<qsizetype>(offset, 0, length());
    const long b = bytePos(offset);
    const long l = send(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(b));
    *line = int(l) + 1;
    *column = int(offset - send(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(l), long(kU16))) + 1;
}

void ScintillaBuffer::gotoLineAndCenter(int line)
{
    const int lines = std::max(1, int(send(QsciScintillaBase::SCI_GETLINECOUNT)));
    line = std::clamp(line, 1, lines);
    send(QsciScintillaBase::SCI_GOTOLINE, static_cast<unsigned long>(line - 1));
    const long visible = send(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(line - 1));
    const long onScreen = send(QsciScintillaBase::SCI_LINESONSCREEN);
    send(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(std::max(0L, visible - onScreen / 2)));
}

bool ScintillaBuffer::modified() const { return m_forcedModified || send(QsciScintillaBase::SCI_GETMODIFY) != 0; }

void ScintillaBuffer::setModified(bool modified)
{
    m_forcedModified = modified;
    if (!modified)
        send(QsciScintillaBase::SCI_SETSAVEPOINT);
}

void ScintillaBuffer::undo()
{
    withoutModifyNotifications([this] { send(QsciScintillaBase::SCI_UNDO); });
}
void ScintillaBuffer::cut() { m_editor->cut(); }
void ScintillaBuffer::copy() { m_editor->copy(); }
void ScintillaBuffer::paste() { m_editor->paste(); }
void ScintillaBuffer::selectAll() { send(QsciScintillaBase::SCI_SELECTALL); }

bool ScintillaBuffer::wordWrap() const { return m_editor->wordWrapOn(); }
void ScintillaBuffer::setWordWrap(bool on) { m_editor->setWordWrapOn(on); }

void ScintillaBuffer::setBookmark(int n, int column, int line)
{
    if (n < 0 || n > 9)
        return;
    clearBookmark(n);
    const int handle = int(send(QsciScintillaBase::SCI_MARKERADD, static_cast<unsigned long>(std::max(0, line - 1)), n));
    m_marks[n] = {handle, column};
}

void ScintillaBuffer::clearBookmark(int n)
{
    if (n < 0 || n > 9)
        return;
    if (m_marks[n].handle >= 0)
        send(QsciScintillaBase::SCI_MARKERDELETEHANDLE, static_cast<unsigned long>(m_marks[n].handle));
    m_marks[n] = {};
}

Bookmark ScintillaBuffer::bookmark(int n) const
{
    if (n < 0 || n > 9 || m_marks[n].handle < 0)
        return {};
    const long line = send(QsciScintillaBase::SCI_MARKERLINEFROMHANDLE, static_cast<unsigned long>(m_marks[n].handle));
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

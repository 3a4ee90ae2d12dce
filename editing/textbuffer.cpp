#include "editing/textbuffer.h"

#include <algorithm>

QString &TextBuffer::clipboard()
{
    static QString board;
    return board;
}

const std::vector<qsizetype> &TextBuffer::starts() const
{
    if (m_starts.empty()) {
        m_starts.push_back(0);
        const char16_t *s = reinterpret_cast<const char16_t *>(m_text.constData());
        const qsizetype n = m_text.size();
        for (qsizetype i = 0; i + 1 < n; ++i)
            if (s[i] == u'\r' && s[i + 1] == u'\n')
                m_starts.push_back(i + 2);
    }
    return m_starts;
}

int TextBuffer::lineOf(qsizetype offset) const
{
    const auto &st = starts();
    return int(std::upper_bound(st.begin(), st.end(), offset) - st.begin()) - 1;
}

static qsizetype countBreaks(QStringView s) { return s.count(QStringLiteral("\r\n")); }

void TextBuffer::apply(qsizetype start, qsizetype count, const QString &text)
{
    // Bookmarks move as the editor's markers do: the lines whose breaks are removed merge
    // into the line where the removal starts; lines inserted at the very start of a line
    // push that line's bookmark down, elsewhere they go below it; removing the whole text
    // removes them all.
    const int line = lineOf(start); // 0-based
    const qsizetype removed = countBreaks(QStringView(m_text).mid(start, count));
    const qsizetype added = countBreaks(text);
    const bool atLineStart = start == starts()[line] + 0;
    const bool everything = count > 0 && count == m_text.size();
    for (Bookmark &b : m_bookmarks) {
        if (everything)
            b = {}; // removing the whole text removes every bookmark
        if (!b.set)
            continue;
        int l = b.line - 1;
        if (l > line + removed)
            l -= int(removed);
        else if (l > line)
            l = line;
        if (added > 0 && (l > line || (l == line && atLineStart)))
            l += int(added);
        b.line = l + 1;
    }
    m_text.replace(start, count, text);
    m_starts.clear();
}

void TextBuffer::edit(qsizetype start, qsizetype count, const QString &text)
{
    if (count == 0 && text.isEmpty())
        return;
    m_undo.append({start, m_text.mid(start, count), text.size(), m_state});
    apply(start, count, text);
    m_state = ++m_nextState;
}

void TextBuffer::setText(const QString &text)
{
    m_lineBreak = detectLineBreak(text);
    const QString next = editorText(text);
    // Only the part between the common prefix and the common suffix changes, as in the
    // real editor; pairs are never split at the edges of the change.
    const qsizetype n = std::min(m_text.size(), next.size());
    qsizetype prefix = 0;
    while (prefix < n && m_text[prefix] == next[prefix])
        ++prefix;
    prefix = std::min(snapOffset(m_text, prefix, false), snapOffset(next, prefix, false));
    qsizetype suffix = 0;
    while (suffix < n - prefix && m_text[m_text.size() - 1 - suffix] == next[next.size() - 1 - suffix])
        ++suffix;
    while (suffix > 0
           && (snapOffset(m_text, m_text.size() - suffix, true) != m_text.size() - suffix
               || snapOffset(next, next.size() - suffix, true) != next.size() - suffix))
        --suffix;
    edit(prefix, m_text.size() - suffix - prefix, next.mid(prefix, next.size() - suffix - prefix));
    m_selStart = m_selLength = m_caret = 0;
}

void TextBuffer::loadText(const QString &text)
{
    m_lineBreak = detectLineBreak(text);
    m_text = editorText(text);
    m_starts.clear();
    m_undo.clear();
    m_bookmarks.fill({});
    m_selStart = m_selLength = m_caret = 0;
    m_forcedModified = false;
    m_savedState = m_state = ++m_nextState;
}

int TextBuffer::lineCount() const
{
    if (m_text.isEmpty())
        return 0;
    return int(starts().size());
}

QString TextBuffer::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return QString();
    const auto &st = starts();
    const qsizetype from = st[index];
    const qsizetype to = size_t(index + 1) < st.size() ? st[index + 1] - 2 : m_text.size();
    return m_text.mid(from, to - from);
}

void TextBuffer::replaceRange(qsizetype start, qsizetype count, const QString &with)
{
    // The range's own ends, each moved out of a pair: the start back, the end forward.
    const qsizetype size = m_text.size();
    const qsizetype from = snapOffset(m_text, std::clamp<qsizetype>(start, 0, size), false);
    qsizetype end = from;
    if (count > 0)
        end = std::max(from, snapOffset(m_text, std::clamp<qsizetype>(start + count, 0, size), true));
    start = from;
    const QString text = editorText(with);
    edit(start, end - start, text);
    m_selStart = m_caret = start + text.size();
    m_selLength = 0;
}

QString TextBuffer::selText() const { return m_text.mid(m_selStart, m_selLength); }

void TextBuffer::setSelText(const QString &text) { replaceRange(m_selStart, m_selLength, text); }

void TextBuffer::setSelStart(qsizetype offset)
{
    m_selStart = m_caret = snapOffset(m_text, std::clamp<qsizetype>(offset, 0, m_text.size()), false);
    m_selLength = 0;
}

void TextBuffer::setSelLength(qsizetype length)
{
    const qsizetype end = length > 0
        ? snapOffset(m_text, std::clamp<qsizetype>(m_selStart + length, m_selStart, m_text.size()), true)
        : m_selStart;
    m_selLength = end - m_selStart;
    m_caret = end;
}

void TextBuffer::offsetToCaret(qsizetype offset, int *column, int *line) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_text.size());
    const int l = lineOf(offset);
    *line = l + 1;
    *column = int(offset - starts()[l]) + 1;
}

int TextBuffer::caretX() const
{
    int c, l;
    offsetToCaret(m_caret, &c, &l);
    return c;
}

int TextBuffer::caretY() const { return lineOf(m_caret) + 1; }

void TextBuffer::setCaretXY(int x, int y)
{
    const int lines = std::max(lineCount(), 1);
    y = std::clamp(y, 1, lines);
    const qsizetype begin = m_text.isEmpty() ? 0 : starts()[y - 1];
    const qsizetype len = line(y - 1).size();
    const qsizetype col = std::clamp<qsizetype>(x, 1, len + 1);
    setSelStart(begin + col - 1);
}

void TextBuffer::gotoLineAndCenter(int line) { setCaretXY(1, line); }

void TextBuffer::setModified(bool modified)
{
    m_forcedModified = modified;
    if (!modified)
        m_savedState = m_state;
}

void TextBuffer::undo()
{
    if (m_undo.isEmpty())
        return;
    const Step s = m_undo.takeLast();
    apply(s.start, s.insertedLength, s.removed);
    m_state = s.previousState;
    m_selStart = m_caret = s.start + s.removed.size();
    m_selLength = 0;
}

void TextBuffer::cut()
{
    if (m_selLength == 0)
        return;
    clipboard() = selText();
    setSelText(QString());
}

void TextBuffer::copy()
{
    if (m_selLength > 0)
        clipboard() = selText();
}

void TextBuffer::paste() { setSelText(clipboard()); }

void TextBuffer::selectAll()
{
    m_selStart = 0;
    m_selLength = m_text.size();
    m_caret = m_selLength;
}

void TextBuffer::setBookmark(int n, int column, int line)
{
    if (n >= 0 && n < 10)
        m_bookmarks[n] = {true, column, std::clamp(line, 1, std::max(1, lineCount()))};
}

void TextBuffer::clearBookmark(int n)
{
    if (n >= 0 && n < 10)
        m_bookmarks[n] = {};
}

Bookmark TextBuffer::bookmark(int n) const
{
    return (n >= 0 && n < 10) ? m_bookmarks[n] : Bookmark{};
}

void TextBuffer::gotoBookmark(int n)
{
    const Bookmark b = bookmark(n);
    if (b.set)
        setCaretXY(b.column, b.line);
}

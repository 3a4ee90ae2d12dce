#include "editing/textbuffer.h"

#include <algorithm>

QString normalizeLineBreaks(const QString &text)
{
    // Fast path: nothing but CR LF pairs.
    bool clean = true;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n && clean; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r') {
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
            else
                clean = false;
        } else if (c == u'\n' || c == 0x2028) {
            clean = false;
        }
    }
    if (clean)
        return text;
    QString out;
    out.reserve(n + n / 16);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r') {
            out.append(u"\r\n");
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n' || c == 0x2028) {
            out.append(u"\r\n");
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

QString &TextBuffer::clipboard()
{
    static QString board;
    return board;
}

void TextBuffer::pushUndo() { m_undo.append({m_text, m_selStart, m_selLength}); }

void TextBuffer::setText(const QString &text)
{
    pushUndo();
    m_lineBreak = detectLineBreak(text);
    m_text = normalizeLineBreaks(text);
    // As in the editor: setting the whole text puts the caret at the start.
    m_selStart = m_selLength = m_caret = 0;
    m_modified = true;
}

void TextBuffer::loadText(const QString &text)
{
    m_lineBreak = detectLineBreak(text);
    m_text = normalizeLineBreaks(text);
    m_undo.clear();
    m_selStart = m_selLength = m_caret = 0;
    m_modified = false;
}

int TextBuffer::lineCount() const
{
    if (m_text.isEmpty())
        return 0;
    return int(m_text.count(QStringLiteral("\r\n"))) + 1;
}

qsizetype TextBuffer::lineStart(int index) const
{
    qsizetype at = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype br = m_text.indexOf(QStringLiteral("\r\n"), at);
        if (br < 0)
            return -1;
        at = br + 2;
    }
    return at;
}

QString TextBuffer::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return QString();
    const qsizetype from = lineStart(index);
    qsizetype to = m_text.indexOf(QStringLiteral("\r\n"), from);
    if (to < 0)
        to = m_text.size();
    return m_text.mid(from, to - from);
}

void TextBuffer::replaceRange(qsizetype start, qsizetype count, const QString &with)
{
    start = std::clamp<qsizetype>(start, 0, m_text.size());
    count = std::clamp<qsizetype>(count, 0, m_text.size() - start);
    pushUndo();
    m_text.replace(start, count, with);
    m_selStart = m_caret = start + with.size();
    m_selLength = 0;
    m_modified = true;
}

QString TextBuffer::selText() const { return m_text.mid(m_selStart, m_selLength); }

void TextBuffer::setSelText(const QString &text) { replaceRange(m_selStart, m_selLength, text); }

void TextBuffer::setSelStart(qsizetype offset)
{
    m_selStart = m_caret = std::clamp<qsizetype>(offset, 0, m_text.size());
    m_selLength = 0;
}

void TextBuffer::setSelLength(qsizetype length)
{
    m_selLength = std::clamp<qsizetype>(length, 0, m_text.size() - m_selStart);
    m_caret = m_selStart + m_selLength;
}

void TextBuffer::offsetToCaret(qsizetype offset, int *column, int *line) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_text.size());
    const QStringView left = QStringView(m_text).left(offset);
    const qsizetype lastBreak = left.lastIndexOf(QStringLiteral("\r\n"));
    const qsizetype lineBegin = lastBreak < 0 ? 0 : lastBreak + 2;
    *line = int(left.count(QStringLiteral("\r\n"))) + 1;
    *column = int(offset - lineBegin) + 1;
}

int TextBuffer::caretX() const
{
    int c, l;
    offsetToCaret(m_caret, &c, &l);
    return c;
}

int TextBuffer::caretY() const
{
    int c, l;
    offsetToCaret(m_caret, &c, &l);
    return l;
}

void TextBuffer::setCaretXY(int x, int y)
{
    const int lines = std::max(lineCount(), 1);
    y = std::clamp(y, 1, lines);
    const qsizetype begin = m_text.isEmpty() ? 0 : lineStart(y - 1);
    const qsizetype len = line(y - 1).size();
    const qsizetype col = std::clamp<qsizetype>(x, 1, len + 1);
    setSelStart(begin + col - 1);
}

void TextBuffer::gotoLineAndCenter(int line) { setCaretXY(1, line); }

void TextBuffer::undo()
{
    if (m_undo.isEmpty())
        return;
    const State s = m_undo.takeLast();
    m_text = s.text;
    m_selStart = m_caret = s.selStart;
    m_selLength = 0;
    m_modified = true;
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
        m_bookmarks[n] = {true, column, line};
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

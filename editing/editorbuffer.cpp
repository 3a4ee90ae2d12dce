#include "editing/editorbuffer.h"

QString highlighterName(Highlighter h)
{
    switch (h) {
    case Highlighter::HTML: return QStringLiteral("HTML");
    case Highlighter::CSS: return QStringLiteral("CSS");
    case Highlighter::JavaScript: return QStringLiteral("JavaScript");
    case Highlighter::XML: return QStringLiteral("XML");
    case Highlighter::PHP: return QStringLiteral("PHP");
    }
    return QString();
}

QString lineBreakText(LineBreak b)
{
    switch (b) {
    case LineBreak::CRLF: return QStringLiteral("\r\n");
    case LineBreak::LF: return QStringLiteral("\n");
    case LineBreak::CR: return QStringLiteral("\r");
    case LineBreak::LS: return QString(QChar(0x2028));
    }
    return QStringLiteral("\r\n");
}

LineBreak detectLineBreak(QStringView text)
{
    if (text.contains(QChar(0x2028)))
        return LineBreak::LS;
    const bool cr = text.contains(u'\r');
    const bool lf = text.contains(u'\n');
    if (cr && !lf)
        return LineBreak::CR;
    if (lf && !cr)
        return LineBreak::LF;
    return LineBreak::CRLF;
}

QStringList EditorBuffer::lines() const
{
    QStringList out;
    const int n = lineCount();
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out.append(line(i));
    return out;
}

#include "editing/textops.h"

#include <algorithm>

QString EditorBuffer::textRange(qsizetype start, qsizetype count) const
{
    const QString all = text();
    start = std::clamp<qsizetype>(start, 0, all.size());
    count = std::clamp<qsizetype>(count, 0, all.size() - start);
    return all.mid(start, count);
}

void TrimBlankSelection(EditorBuffer &buffer)
{
    if (buffer.selLength() > 0 && sx::isBlank(buffer.selText()))
        buffer.setSelLength(0);
}

void RevealOffset(EditorBuffer &buffer, qsizetype index)
{
    if (index < 1)
        return;
    int column = 0, line = 0;
    buffer.offsetToCaret(index, &column, &line);
    line += 3;
    if (line > buffer.lineCount())
        line = buffer.lineCount();
    buffer.gotoLineAndCenter(line);
}

QString normalizeLineBreaks(const QString &text)
{
    // Fast path: nothing but CR LF pairs.
    const qsizetype n = text.size();
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u'\r') {
            if (i + 1 < n && s[i + 1] == u'\n')
                ++i;
            else
                break;
        } else if (c == u'\n' || c == 0x2028) {
            break;
        }
    }
    if (i == n)
        return text;
    QString out;
    out.reserve(n + n / 16 + 2);
    out.append(QStringView(s, i));
    for (; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u'\r') {
            out.append(u"\r\n");
            if (i + 1 < n && s[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n' || c == 0x2028) {
            out.append(u"\r\n");
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

QString editorText(const QString &text)
{
    QString out = normalizeLineBreaks(text);
    const qsizetype n = out.size();
    const char16_t *s = reinterpret_cast<const char16_t *>(out.constData());
    qsizetype i = 0;
    auto lone = [&](qsizetype k) {
        const char16_t c = s[k];
        if (QChar::isHighSurrogate(c))
            return !(k + 1 < n && QChar::isLowSurrogate(s[k + 1]));
        if (QChar::isLowSurrogate(c))
            return !(k > 0 && QChar::isHighSurrogate(s[k - 1]));
        return false;
    };
    for (; i < n; ++i)
        if (lone(i))
            break;
    if (i == n)
        return out;
    QString fixed = out;
    char16_t *d = reinterpret_cast<char16_t *>(fixed.data());
    for (; i < n; ++i)
        if (lone(i))
            d[i] = 0xFFFD;
    return fixed;
}

qsizetype snapOffset(QStringView text, qsizetype offset, bool forward)
{
    if (offset <= 0 || offset >= text.size())
        return offset;
    const char16_t a = text[offset - 1].unicode(), b = text[offset].unicode();
    const bool inside = (a == u'\r' && b == u'\n') || (QChar::isHighSurrogate(a) && QChar::isLowSurrogate(b));
    if (!inside)
        return offset;
    return forward ? offset + 1 : offset - 1;
}

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

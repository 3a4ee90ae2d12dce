#include "tools/drive/drivescript.h"

namespace drive {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - '0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - 'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text[i]; -1 when they are not all there.
int readHex(const QString &text, qsizetype i, int digits)
{
    if (i + digits > text.size())
        return -1;
    int v = 0;
    for (int k = 0; k < digits; ++k) {
        const int h = hexValue(text[i + k]);
        if (h < 0)
            return -1;
        v = v * 16 + h;
    }
    return v;
}

QString upperHex(unsigned v, int digits) { return QString::number(v, 16).toUpper().rightJustified(digits, QLatin1Char('0')); }
QString hexByte(unsigned v) { return QStringLiteral("\\x") + upperHex(v, 2); }

bool isBlockStart(const ScriptLine &l)
{
    return !l.words.isEmpty() && !l.words.first().quoted
        && (l.verb() == QLatin1String("expect") || l.verb() == QLatin1String("window"));
}

bool isEnd(const ScriptLine &l)
{
    return l.words.size() == 1 && !l.words.first().quoted && l.verb() == QLatin1String("end");
}

} // namespace

ScriptLine parseLine(const QString &text, int number)
{
    ScriptLine out;
    out.number = number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i >= n)
            break;
        Word w;
        if (text[i] != u'"') {
            const qsizetype start = i;
            while (i < n && !isBlank(text[i]))
                ++i;
            w.text = text.mid(start, i - start);
            out.words.append(w);
            continue;
        }
        w.quoted = true;
        ++i;
        bool closed = false;
        while (i < n) {
            const QChar c = text[i];
            if (c == u'"') {
                closed = true;
                ++i;
                break;
            }
            if (c != u'\\') {
                w.text += c;
                ++i;
                continue;
            }
            if (i + 1 >= n) {
                out.error = QStringLiteral("a backslash ends the line");
                return out;
            }
            const QChar e = text[i + 1];
            i += 2;
            switch (e.unicode()) {
            case 'r': w.text += u'\r'; break;
            case 'n': w.text += u'\n'; break;
            case 't': w.text += u'\t'; break;
            case '"': w.text += u'"'; break;
            case '\\': w.text += u'\\'; break;
            case 'u': {
                const int v = readHex(text, i, 4);
                if (v < 0) {
                    out.error = QStringLiteral("\\u needs four hex digits");
                    return out;
                }
                w.text += QChar(char16_t(v));
                i += 4;
                break;
            }
            case 'x': {
                const int v = readHex(text, i, 2);
                if (v < 0) {
                    out.error = QStringLiteral("\\x needs two hex digits");
                    return out;
                }
                w.text += QChar(char16_t(v));
                i += 2;
                break;
            }
            default:
                out.error = QStringLiteral("unknown escape \\%1").arg(e);
                return out;
            }
        }
        if (!closed) {
            out.error = QStringLiteral("a string is not closed");
            return out;
        }
        if (i < n && !isBlank(text[i])) {
            out.error = QStringLiteral("a string runs into the next word");
            return out;
        }
        out.words.append(w);
    }
    return out;
}

QList<Command> parseScript(const QString &text)
{
    QStringList rows = text.split(QLatin1Char('\n'));
    QList<Command> out;
    Command *open = nullptr;
    for (int r = 0; r < rows.size(); ++r) {
        QString row = rows[r];
        if (row.endsWith(QLatin1Char('\r')))
            row.chop(1);
        const QString trimmed = row.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        ScriptLine line = parseLine(row, r + 1);
        if (open) {
            if (line.error.isEmpty() && isEnd(line)) {
                open = nullptr;
                continue;
            }
            open->block.steps.append(line);
            continue;
        }
        Command c;
        c.line = line;
        if (line.error.isEmpty() && isBlockStart(line)) {
            c.isBlock = true;
            c.block.line = line.number;
            c.block.immediate = line.verb() == QLatin1String("window");
            c.block.name = line.arg(0);
            if (line.argCount() != 1)
                c.line.error = QStringLiteral("%1 takes one window name").arg(line.verb());
            out.append(c);
            open = &out.last();
            continue;
        }
        if (line.error.isEmpty() && isEnd(line))
            c.line.error = QStringLiteral("end without expect or window");
        out.append(c);
    }
    if (open)
        open->line.error = QStringLiteral("%1 %2 has no end").arg(open->line.verb(), open->block.name);
    return out;
}

QString quote(QStringView text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); continue;
        case '\\': out += QStringLiteral("\\\\"); continue;
        case '\r': out += QStringLiteral("\\r"); continue;
        case '\n': out += QStringLiteral("\\n"); continue;
        case '\t': out += QStringLiteral("\\t"); continue;
        default: break;
        }
        if (c.unicode() < 0x20) {
            out += hexByte(c.unicode());
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate()) {
            out += QStringLiteral("\\u") + upperHex(c.unicode(), 4);
        } else {
            out += c;
        }
    }
    out += u'"';
    return out;
}

QString quoteBytes(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size() + 2);
    out += u'"';
    for (const char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        switch (b) {
        case '"': out += QStringLiteral("\\\""); continue;
        case '\\': out += QStringLiteral("\\\\"); continue;
        case '\r': out += QStringLiteral("\\r"); continue;
        case '\n': out += QStringLiteral("\\n"); continue;
        case '\t': out += QStringLiteral("\\t"); continue;
        default: break;
        }
        if (b >= 0x20 && b <= 0x7E)
            out += QLatin1Char(char(b));
        else
            out += hexByte(b);
    }
    out += u'"';
    return out;
}

QString plainOrQuoted(const QString &text)
{
    if (text.isEmpty())
        return quote(text);
    for (const QChar c : text)
        if (c.unicode() <= 0x20 || c == u'"' || c == u'\\' || c.isSurrogate() || c.unicode() == 0x7F)
            return quote(text);
    return text;
}

QByteArray latin1Bytes(const QString &text, bool *ok)
{
    QByteArray out;
    out.reserve(text.size());
    *ok = true;
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            *ok = false;
            return QByteArray();
        }
        out += char(c.unicode());
    }
    return out;
}

QStringList splitWindowsCommandLine(const QString &line)
{
    QStringList args;
    QString cur;
    bool have = false;
    bool inQuotes = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = line[i];
        if (c == u'\\') {
            qsizetype k = i;
            while (k < n && line[k] == u'\\')
                ++k;
            const qsizetype slashes = k - i;
            if (k < n && line[k] == u'"') {
                cur += QString(slashes / 2, u'\\');
                have = true;
                if (slashes % 2) {
                    cur += u'"';
                    i = k + 1;
                } else {
                    i = k; // the quote is handled below
                }
            } else {
                cur += QString(slashes, u'\\');
                have = true;
                i = k;
            }
            continue;
        }
        if (c == u'"') {
            have = true;
            if (inQuotes && i + 1 < n && line[i + 1] == u'"') {
                cur += u'"';
                i += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++i;
            continue;
        }
        if (!inQuotes && (c == u' ' || c == u'\t')) {
            if (have) {
                args << cur;
                cur.clear();
                have = false;
            }
            ++i;
            continue;
        }
        cur += c;
        have = true;
        ++i;
    }
    if (have)
        args << cur;
    return args;
}

QString colorText(quint32 color)
{
    const unsigned r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(r, 2, 16, QLatin1Char('0'))
        .arg(g, 2, 16, QLatin1Char('0'))
        .arg(b, 2, 16, QLatin1Char('0'))
        .toUpper();
}

bool parseColorText(const QString &text, quint32 *color)
{
    if (text.size() != 7 || text[0] != u'#')
        return false;
    const int r = readHex(text, 1, 2), g = readHex(text, 3, 2), b = readHex(text, 5, 2);
    if (r < 0 || g < 0 || b < 0)
        return false;
    *color = quint32(r) | (quint32(g) << 8) | (quint32(b) << 16);
    return true;
}

} // namespace drive

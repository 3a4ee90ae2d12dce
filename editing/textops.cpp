#include "editing/textops.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sx {

QString copy(QStringView text, qsizetype start, qsizetype count)
{
    if (count <= 0)
        return QString();
    if (start < 1)
        start = 1;
    if (start > text.size())
        return QString();
    const qsizetype avail = text.size() - (start - 1);
    return text.mid(start - 1, count < avail ? count : avail).toString();
}

QString copyFrom(QStringView text, qsizetype start)
{
    if (start < 1)
        start = 1;
    if (start > text.size())
        return QString();
    return text.mid(start - 1).toString();
}

qsizetype pos(QStringView needle, QStringView text, qsizetype from)
{
    if (needle.isEmpty() || from > text.size())
        return 0;
    if (from < 1)
        from = 1;
    const qsizetype i = text.indexOf(needle, from - 1);
    return i < 0 ? 0 : i + 1;
}

qsizetype posAsciiCi(QStringView needle, QStringView text, qsizetype from)
{
    const qsizetype n = needle.size();
    if (n == 0 || from > text.size())
        return 0;
    if (from < 1)
        from = 1;
    const char16_t *t = text.utf16();
    const char16_t *p = needle.utf16();
    const char16_t first = foldAscii(p[0]);
    const char16_t firstUp = (first >= 'a' && first <= 'z') ? char16_t(first - 32) : first;
    const qsizetype last = text.size() - n;
    for (qsizetype i = from - 1; i <= last; ++i) {
        const char16_t c = t[i];
        if (c != first && c != firstUp)
            continue;
        qsizetype k = 1;
        while (k < n && foldAscii(t[i + k]) == foldAscii(p[k]))
            ++k;
        if (k == n)
            return i + 1;
    }
    return 0;
}

QString lowerAscii(QStringView text)
{
    QString r = text.toString();
    char16_t *d = reinterpret_cast<char16_t *>(r.data());
    for (qsizetype i = 0, n = r.size(); i < n; ++i)
        if (d[i] >= 'A' && d[i] <= 'Z')
            d[i] = char16_t(d[i] + 32);
    return r;
}

QString upperAscii(QStringView text)
{
    QString r = text.toString();
    char16_t *d = reinterpret_cast<char16_t *>(r.data());
    for (qsizetype i = 0, n = r.size(); i < n; ++i)
        if (d[i] >= 'a' && d[i] <= 'z')
            d[i] = char16_t(d[i] - 32);
    return r;
}

static qsizetype leftBlank(QStringView t)
{
    qsizetype i = 0;
    while (i < t.size() && t[i].unicode() <= 32)
        ++i;
    return i;
}

static qsizetype rightEnd(QStringView t)
{
    qsizetype j = t.size();
    while (j > 0 && t[j - 1].unicode() <= 32)
        --j;
    return j;
}

QString trim(QStringView text)
{
    const qsizetype i = leftBlank(text);
    if (i == text.size())
        return QString();
    return text.mid(i, rightEnd(text) - i).toString();
}

QString trimLeft(QStringView text) { return text.mid(leftBlank(text)).toString(); }
QString trimRight(QStringView text) { return text.left(rightEnd(text)).toString(); }

bool isBlank(QStringView text) { return leftBlank(text) == text.size(); }

// Upper-cases unit by unit; a surrogate pair is mapped as one character when its upper
// case is a pair as well, so that positions in the result are those of the original.
static QString upperUnits(QStringView text)
{
    QString r(text.size(), Qt::Uninitialized);
    char16_t *d = reinterpret_cast<char16_t *>(r.data());
    const char16_t *s = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 128) {
            d[i] = (c >= 'a' && c <= 'z') ? char16_t(c - 32) : c;
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            // A character outside the basic plane: upper-cased as one character, kept
            // as it is should its upper case not be outside the plane too.
            const char32_t up = QChar::toUpper(QChar::surrogateToUcs4(c, s[i + 1]));
            if (QChar::requiresSurrogates(up)) {
                d[i] = QChar::highSurrogate(up);
                d[i + 1] = QChar::lowSurrogate(up);
            } else {
                d[i] = c;
                d[i + 1] = s[i + 1];
            }
            ++i;
        } else {
            d[i] = QChar::toUpper(c);
        }
    }
    return r;
}

QString replaceAll(QStringView text, QStringView pattern, QStringView replacement,
                   bool caseInsensitive, qsizetype *count)
{
    if (count)
        *count = 0;
    if (pattern.isEmpty() || text.size() < pattern.size())
        return text.toString();
    QString upperText, upperPattern;
    QStringView hay = text, pat = pattern;
    if (caseInsensitive) {
        upperText = upperUnits(text);
        upperPattern = upperUnits(pattern);
        hay = upperText;
        pat = upperPattern;
    }
    qsizetype at = hay.indexOf(pat, 0);
    if (at < 0)
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype from = 0, n = 0;
    while (at >= 0) {
        out.append(text.mid(from, at - from));
        out.append(replacement);
        from = at + pattern.size();
        ++n;
        at = hay.indexOf(pat, from);
    }
    out.append(text.mid(from));
    if (count)
        *count = n;
    return out;
}

QString replaceFirst(QStringView text, QStringView pattern, QStringView replacement,
                     bool caseInsensitive)
{
    if (pattern.isEmpty())
        return text.toString();
    qsizetype at;
    if (caseInsensitive) {
        const QString ut = upperUnits(text), up = upperUnits(pattern);
        at = QStringView(ut).indexOf(QStringView(up));
    } else {
        at = text.indexOf(pattern);
    }
    if (at < 0)
        return text.toString();
    QString out;
    out.reserve(text.size() - pattern.size() + replacement.size());
    out.append(text.left(at));
    out.append(replacement);
    out.append(text.mid(at + pattern.size()));
    return out;
}

QString ReplaceRange(QStringView text, qsizetype start, qsizetype count, QStringView sub)
{
    // The units before start, sub, then the units from start + count on; positions below
    // 1 lie outside the text, and a negative count removes nothing.
    if (count < 0)
        count = 0;
    const qsizetype size = text.size();
    const qsizetype before = std::clamp<qsizetype>(start - 1, 0, size);
    const qsizetype resume = std::clamp<qsizetype>(start - 1 + count, before, size);
    QString out;
    out.reserve(before + sub.size() + (size - resume));
    out.append(text.left(before));
    out.append(sub);
    out.append(text.mid(resume));
    return out;
}

int CharCode(QStringView s) { return s.isEmpty() ? 0 : s[0].unicode(); }

QString FirstTag(QStringView text)
{
    const qsizetype lt = text.indexOf(u'<');
    const qsizetype gt = text.indexOf(u'>');
    if (gt < 0)
        return QString();
    const qsizetype from = lt < 0 ? 0 : lt;
    if (gt < from)
        return QString();
    return text.mid(from, gt - from + 1).toString();
}

QString FlattenWhitespace(QStringView text)
{
    // One pass with the result of six replace-alls of "  " by " ": each halves a run of n
    // spaces to (n + 1) / 2, so a run of 1 to 64 ends as one space.
    QString r;
    r.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype run = 0;
    auto flush = [&] {
        if (run == 0)
            return;
        for (int k = 0; k < 6; ++k)
            run = (run + 1) / 2;
        r.append(QString(run, u' '));
        run = 0;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n' || c == u'\t')
            continue;
        if (c == u' ') {
            ++run;
        } else {
            flush();
            r.append(c);
        }
    }
    flush();
    return r;
}

static inline bool isWordLetter(char16_t c)
{
    return (c >= 65 && c <= 90) || (c >= 97 && c <= 122) || (c >= 192 && c <= 255);
}

static qsizetype findFrom(QStringView text, QStringView needle, qsizetype start, bool matchCase)
{
    // 1-based result, 0 when none; start is 1-based and already validated >= 1.
    if (start > text.size() - needle.size() + 1)
        return 0;
    return matchCase ? pos(needle, text, start) : posAsciiCi(needle, text, start);
}

qsizetype FindInText(QStringView text, QStringView needle, qsizetype start, qsizetype limit,
                     bool wholeWord, bool matchCase)
{
    if (limit <= 0)
        return -1;
    if (needle.isEmpty() || text.isEmpty() || start < 1)
        return 0;
    const qsizetype n = needle.size();
    for (;;) {
        const qsizetype p = findFrom(text, needle, start, matchCase);
        if (p == 0)
            return 0;
        bool accepted = true;
        if (wholeWord) {
            const bool before = p > 1 && isWordLetter(text[p - 2].unicode());
            const bool after = p + n <= text.size() && isWordLetter(text[p + n - 1].unicode());
            accepted = !before && !after;
        }
        if (accepted)
            return p <= limit ? p : -1;
        start = p + n;
        if (start >= limit)
            return -1;
    }
}

qsizetype FindHead(QStringView needle, QStringView text, qsizetype offset, qsizetype editorLength)
{
    if (isBlank(text) || isBlank(needle) || editorLength < needle.size() || editorLength <= offset)
        return 0;
    if (offset <= 0)
        offset = 1;
    const QStringView head = needle.left(100);
    return posAsciiCi(head, text, offset);
}

QString formatMessage(const QString &pattern, const QList<qlonglong> &numbers)
{
    QString out;
    int next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c != u'%' || i + 1 >= pattern.size()) {
            out.append(c);
            continue;
        }
        if (pattern[i + 1] == u'%') {
            out.append(u'%');
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        const bool left = pattern[j] == u'-';
        if (left)
            ++j;
        int width = 0;
        while (j < pattern.size() && pattern[j].isDigit()) {
            width = width * 10 + pattern[j].digitValue();
            ++j;
        }
        if (j < pattern.size() && (pattern[j] == u'd' || pattern[j] == u's')) {
            const QString v = next < numbers.size() ? QString::number(numbers[next]) : QString();
            ++next;
            out.append(left ? v.leftJustified(width, u' ') : v.rightJustified(width, u' '));
            i = j;
        } else {
            out.append(c);
        }
    }
    return out;
}

QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype from = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' || c == u'\n' || c == 0x2028) {
            lines.append(text.mid(from, i - from).toString());
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            from = i + 1;
        }
    }
    if (from < n)
        lines.append(text.mid(from).toString());
    return lines;
}

static qsizetype lastSeparator(QStringView path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (path[i] == u'/' || path[i] == u'\\')
            return i;
    return -1;
}

QString fileNamePart(QStringView path) { return path.mid(lastSeparator(path) + 1).toString(); }

QString folderPart(QStringView path) { return path.left(lastSeparator(path) + 1).toString(); }

QString extensionPart(QStringView path)
{
    const qsizetype sep = lastSeparator(path);
    for (qsizetype i = path.size() - 1; i > sep; --i)
        if (path[i] == u'.')
            return path.mid(i).toString();
    return QString();
}

long long roundHalfEven(double value) { return static_cast<long long>(std::nearbyint(value)); }

long long parseInteger(QStringView text, bool *ok)
{
    *ok = false;
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return 0;
    long long v = 0;
    for (; i < text.size(); ++i) {
        const int d = text[i].unicode() < 128 ? QChar(text[i]).digitValue() : -1;
        int digit = d;
        if (base == 16 && d < 0) {
            const char16_t c = foldAscii(text[i].unicode());
            if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
        }
        if (digit < 0 || digit >= base)
            return 0;
        v = v * base + digit;
        if (v > (long long)std::numeric_limits<int>::max() + 1)
            return 0;
    }
    if (negative)
        v = -v;
    if (base == 10 && (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()))
        return 0;
    if (base == 16 && v > 0xFFFFFFFFLL)
        return 0;
    *ok = true;
    return v;
}

} // namespace sx

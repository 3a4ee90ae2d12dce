// Search and replace across files on arbitrary bytes, search text and replacement. Checks:
// no crash; FindInFileText agrees with a plain reference (both texts lower-cased, then a
// plain search, neighbours looked at one by one); a run over a file counts and replaces
// what the plain reference run does, which replaces one occurrence at a time in the text
// as the editor holds it (line breaks in the texts too); the new bytes read back in the encoding they were written in
// give that text; the file's line breaks stay; search-only never changes anything.
//
// Input: one byte of options, one byte each for the lengths of the search text and the
// replacement, those two (one character per byte, from a small alphabet so that they are
// found), then the file's bytes.
#include "app/documentfile.h"
#include "editing/editorbuffer.h"
#include "editing/multifile.h"
#include "editing/textops.h"

#include <QStringDecoder>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool wordChar(QChar c) { return (c.unicode() >= 48 && c.unicode() <= 57) || (c.unicode() >= 65 && c.unicode() <= 122); }

qsizetype findReference(QString text, QString needle, qsizetype offset, bool wholeWord, bool matchCase)
{
    if (offset < 1)
        offset = 1;
    if (!matchCase) {
        text = sx::lowerAscii(text);
        needle = sx::lowerAscii(needle);
    }
    qsizetype p = sx::pos(needle, text, offset);
    if (p == 0)
        return -1;
    while (wholeWord) {
        const qsizetype end = p - 1 + needle.size(); // 0-based index behind the occurrence
        const bool before = p > 1 && wordChar(text[p - 2]);
        const bool after = end < text.size() && wordChar(text[end]);
        if (!before && !after)
            break;
        p = sx::pos(needle, text, p + needle.size() + 1);
        if (p == 0)
            return -1;
    }
    return p;
}

// The run over one text as the window's working buffer would do it: one replacement at a
// time, the next search two characters behind it.
QString runReference(QString t, const MultiFileSearch &s, int *count)
{
    const QString r = normalizeLineBreaks(s.replace);
    const QString needle = normalizeLineBreaks(s.search);
    qsizetype next = 1;
    *count = 0;
    for (;;) {
        if (next >= t.size())
            break;
        const qsizetype p = findReference(t, needle, next, s.wholeWord, s.matchCase);
        if (p <= 0)
            break;
        ++*count;
        if (!s.searchOnly) {
            t = t.left(p - 1) + r + t.mid(p - 1 + needle.size());
            next = p + r.size() + 2;
        } else {
            next = p + needle.size() + 2;
        }
        if (!s.all)
            break;
    }
    return t;
}

QString decodeAs(const QByteArray &bytes, TextEncoding enc, const AnsiCodec &ansi)
{
    QByteArrayView v(bytes);
    switch (enc.codec) {
    case FileEncoding::ANSI: return ansi.decode(v);
    case FileEncoding::UTF8: return QString::fromUtf8(enc.byteOrderMark ? v.sliced(3) : v);
    case FileEncoding::UTF16LE: return QStringDecoder(QStringConverter::Utf16LE)(v.sliced(2));
    case FileEncoding::UTF16BE: return QStringDecoder(QStringConverter::Utf16BE)(v.sliced(2));
    }
    return QString();
}

// The line breaks of a text in order: 0 CR LF, 1 CR, 2 LF, 3 U+2028.
std::vector<int> breaks(QStringView t)
{
    std::vector<int> out;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') {
            out.push_back(0);
            ++i;
        } else if (c == u'\r') {
            out.push_back(1);
        } else if (c == u'\n') {
            out.push_back(2);
        } else if (c == 0x2028) {
            out.push_back(3);
        }
    }
    return out;
}

bool hasBreak(QStringView s)
{
    for (QChar c : s)
        if (c == u'\r' || c == u'\n' || c.unicode() == 0x2028)
            return true;
    return false;
}

QString fromAlphabet(const uint8_t *p, size_t n)
{
    static const char16_t alphabet[] = {u'a', u'A', u'b', u'_', u' ', u'[', u'0', 0xE4, 0xFC, u'\r', u'\n', 0x2028, 0x0151, u'z', u'B', u'x'};
    QString s;
    for (size_t i = 0; i < n; ++i)
        s.append(QChar(alphabet[p[i] % 16]));
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const AnsiCodec ansi;
    if (size < 3)
        return 0;
    const uint8_t options = data[0];
    const size_t ls = data[1] % 8, lr = data[2] % 8;
    if (size < 3 + ls + lr)
        return 0;
    MultiFileSearch s;
    s.matchCase = options & 1;
    s.wholeWord = options & 2;
    s.all = options & 4;
    s.searchOnly = options & 8;
    s.search = fromAlphabet(data + 3, ls);
    s.replace = fromAlphabet(data + 3 + ls, lr);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 3 + ls + lr), qsizetype(size - 3 - ls - lr));

    const DecodedText d = decodeText(bytes, ansi);
    const QString held = normalizeLineBreaks(d.text);

    // The search rule, from an offset taken from the options.
    const qsizetype offset = qsizetype(options >> 4) - 2;
    check(FindInFileText(held, s.search, offset, s.wholeWord, s.matchCase)
          == findReference(held, s.search, offset, s.wholeWord, s.matchCase));

    int count = 0;
    const QString expected = runReference(held, s, &count);
    const FileChange change = changedFileBytes(bytes, s, ansi);
    check(change.matches == count);
    if (s.searchOnly || count == 0) {
        check(!change.changed);
        return 0;
    }
    if (!change.changed) {
        // Nothing to write: the text comes out as it went in.
        check(expected == held);
        return 0;
    }
    const QString written = decodeAs(change.bytes, change.encoding, ansi);
    check(normalizeLineBreaks(written) == expected);
    check(change.encoding == d.encoding || (d.encoding.codec == FileEncoding::ANSI && change.encoding == TextEncoding::utf8(true)));
    // Every line break stays; in a file of one style each keeps its kind too (a file of
    // several kinds is written in one style only where a replacement would join two).
    if (!hasBreak(s.search) && !hasBreak(s.replace)) {
        check(breaks(written).size() == breaks(d.text).size());
        if (!hasMixedLineBreaks(d.text))
            check(breaks(written) == breaks(d.text));
    }
    return 0;
}

#include "app/documentfile.h"

#include "editing/textops.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>
#include <cstring>
#include <filesystem>
#include <system_error>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

// ---------------------------------------------------------------------------------------
// The ANSI code page.

namespace {

constexpr char16_t kUndefinedBase = 0xF700;

QString decodeOne(const QString &codePage, QByteArrayView bytes, bool *error)
{
    QStringDecoder d(codePage.toLatin1().constData(), QStringConverter::Flag::Stateless);
    const QString s = d(bytes);
    *error = d.hasError();
    return s;
}

} // namespace

AnsiCodec::AnsiCodec(const QString &codePage) : m_name(codePage)
{
    if (!QStringDecoder(m_name.toLatin1().constData()).isValid())
        m_name = QStringLiteral("windows-1252");
    if (!QStringDecoder(m_name.toLatin1().constData()).isValid())
        m_name = QStringLiteral("ISO-8859-1");

    // A single-byte code page: every byte alone decodes to at most one character, and no
    // byte that fails alone starts a two-byte character.
    char16_t table[256];
    bool single = true;
    for (int b = 0; b < 256 && single; ++b) {
        bool err = false;
        const char one = char(b);
        const QString s = decodeOne(m_name, QByteArrayView(&one, 1), &err);
        if (!err && s.size() == 1 && s[0].unicode() != 0xFFFD) {
            table[b] = s[0].unicode();
            continue;
        }
        const char two[2] = {char(b), 'A'};
        const QString pair = decodeOne(m_name, QByteArrayView(two, 2), &err);
        if (pair.size() == 1 && !err)
            single = false;
        table[b] = char16_t(kUndefinedBase + b);
    }
    if (!single)
        return;
    m_table = true;
    m_fromUnicode.assign(65536, -1);
    for (int b = 255; b >= 0; --b) {
        m_toUnicode[b] = table[b];
        m_fromUnicode[table[b]] = qint16(b);
    }
    m_ascii = true;
    for (int b = 0; b < 0x80; ++b)
        m_ascii = m_ascii && m_toUnicode[b] == b;
}

QString AnsiCodec::decode(QByteArrayView bytes) const
{
    if (!m_table) {
        QStringDecoder d(m_name.toLatin1().constData(), QStringConverter::Flag::Stateless);
        return d(bytes);
    }
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        o[i] = m_toUnicode[p[i]];
    return out;
}

QByteArray AnsiCodec::encodeLacking(char32_t cp) const
{
    // A look-alike: the character's decomposition without its combining marks, when the
    // code page has all of what remains.
    if (cp < 0x10000) {
        const QString parts = QChar::decomposition(cp);
        QString base;
        for (QChar c : parts)
            if (!c.isMark())
                base.append(c);
        if (!base.isEmpty()) {
            bool complete = true;
            QByteArray bytes;
            if (m_table) {
                for (QChar c : std::as_const(base)) {
                    const qint16 b = m_fromUnicode[c.unicode()];
                    if (b < 0) {
                        complete = false;
                        break;
                    }
                    bytes.append(char(b));
                }
            } else {
                QStringEncoder e(m_name.toLatin1().constData(), QStringConverter::Flag::Stateless);
                bytes = e(base);
                complete = !e.hasError();
            }
            if (complete)
                return bytes;
        }
    }
    return QByteArrayLiteral("?");
}

QByteArray AnsiCodec::encode(QStringView text, bool *complete) const
{
    bool all = true;
    QByteArray out;
    if (m_table) {
        const qsizetype n = text.size();
        out.resize(n); // one byte per unit holds every character the code page has
        char *o = out.data();
        const qint16 *from = m_fromUnicode.data();
        qsizetype w = 0;
        const char16_t *t = text.utf16();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = t[i];
            const qint16 b = from[c];
            if (b >= 0) {
                o[w++] = char(b);
                continue;
            }
            all = false;
            char32_t cp = c;
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(t[i + 1]))
                cp = QChar::surrogateToUcs4(c, t[++i]);
            const QByteArray sub = encodeLacking(cp);
            if (w + sub.size() + (n - i - 1) > out.size()) {
                out.resize(w + sub.size() + (n - i - 1) + 64);
                o = out.data();
            }
            memcpy(o + w, sub.constData(), size_t(sub.size()));
            w += sub.size();
        }
        out.resize(w);
    } else {
        QStringEncoder e(m_name.toLatin1().constData(), QStringConverter::Flag::Stateless);
        out = e(text);
        if (e.hasError()) {
            // Again, one character at a time, to know which ones the code page lacks.
            all = false;
            out.clear();
            for (qsizetype i = 0, n = text.size(); i < n; ++i) {
                qsizetype len = 1;
                char32_t cp = text[i].unicode();
                if (text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
                    cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
                    len = 2;
                }
                QStringEncoder one(m_name.toLatin1().constData(), QStringConverter::Flag::Stateless);
                const QByteArray b = one(text.mid(i, len));
                out.append(one.hasError() ? encodeLacking(cp) : b);
                i += len - 1;
            }
        }
    }
    if (complete)
        *complete = all;
    return out;
}

// ---------------------------------------------------------------------------------------
// Reading.

namespace {

bool hasLoneSurrogate(QStringView s)
{
    const char16_t *t = s.utf16();
    for (qsizetype i = 0, n = s.size(); i < n; ++i) {
        const char16_t c = t[i];
        if (c < 0xD800 || c > 0xDFFF)
            continue;
        if (c >= 0xDC00 || i + 1 >= n || t[i + 1] < 0xDC00 || t[i + 1] > 0xDFFF)
            return true;
        ++i;
    }
    return false;
}

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF), stopping at
// the first error; nonAscii tells whether any byte was above 0x7F.
bool isValidUtf8(QByteArrayView bytes, bool *nonAscii)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *end = p + bytes.size();
    bool high = false;
    while (p < end) {
        // Eight ASCII bytes at a time.
        while (end - p >= 8) {
            quint64 w;
            memcpy(&w, p, 8);
            if (w & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p >= end)
            break;
        const uchar c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        high = true;
        int len;
        uchar lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (end - p < len || p[1] < lo || p[1] > hi)
            return false;
        for (int k = 2; k < len; ++k)
            if (p[k] < 0x80 || p[k] > 0xBF)
                return false;
        p += len;
    }
    *nonAscii = high;
    return true;
}

bool decodeStrict(QStringConverter::Encoding enc, QByteArrayView bytes, QString *out)
{
    QStringDecoder d(enc, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    *out = d(bytes);
    return !d.hasError();
}

} // namespace

DecodedText decodeText(const QByteArray &bytes, const AnsiCodec &ansi)
{
    DecodedText r;
    const qsizetype n = bytes.size();
    const uchar *p = reinterpret_cast<const uchar *>(bytes.constData());
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        if (decodeStrict(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), &r.text)) {
            r.encoding = TextEncoding::utf8(true);
            return r;
        }
    } else if (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) {
        const bool le = p[0] == 0xFF;
        if (n % 2 == 0
            && decodeStrict(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2),
                            &r.text)
            && !hasLoneSurrogate(r.text)) {
            r.encoding = le ? TextEncoding::utf16le() : TextEncoding::utf16be();
            return r;
        }
    } else {
        bool nonAscii = false;
        if (isValidUtf8(bytes, &nonAscii)) {
            if (nonAscii) {
                r.text = QString::fromUtf8(bytes);
                r.encoding = TextEncoding::utf8(false);
                return r;
            }
            // Plain ASCII reads the same in the code page, many characters at a time.
            if (ansi.asciiCompatible()) {
                r.text = QString::fromLatin1(bytes);
                r.encoding = TextEncoding::ansi();
                return r;
            }
        }
    }
    r.text = ansi.decode(bytes);
    r.encoding = TextEncoding::ansi();
    return r;
}

// ---------------------------------------------------------------------------------------
// Writing layouts.

namespace {

// True when every CR is followed by LF and every LF preceded by CR. Four units at a time
// are tested for a code below 14; only such words are looked at closely.
bool onlyCrLf(QStringView text)
{
    const char16_t *t = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto check = [&](qsizetype k) {
        const char16_t c = t[k];
        if (c == u'\r')
            return k + 1 < n && t[k + 1] == u'\n';
        if (c == u'\n')
            return k > 0 && t[k - 1] == u'\r';
        return true;
    };
    for (; i + 4 <= n; i += 4) {
        quint64 w;
        memcpy(&w, t + i, 8);
        // A lane below 14 sets its top bit here (other lanes may too, through a borrow).
        if (((w - 0x000E000E000E000EULL) & ~w & 0x8000800080008000ULL) == 0)
            continue;
        for (qsizetype k = i; k < i + 4; ++k)
            if (!check(k))
                return false;
    }
    for (; i < n; ++i)
        if (!check(i))
            return false;
    return true;
}

QByteArray encodeIn(QStringView text, TextEncoding enc)
{
    switch (enc.codec) {
    case FileEncoding::UTF8: return text.toUtf8();
    case FileEncoding::UTF16LE: {
        QStringEncoder e(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        return e(text);
    }
    case FileEncoding::UTF16BE: {
        QStringEncoder e(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless);
        return e(text);
    }
    case FileEncoding::ANSI: break;
    }
    return QByteArray();
}

QByteArray markOf(TextEncoding enc)
{
    if (!enc.byteOrderMark)
        return QByteArray();
    switch (enc.codec) {
    case FileEncoding::UTF8: return QByteArrayLiteral("\xEF\xBB\xBF");
    case FileEncoding::UTF16LE: return QByteArrayLiteral("\xFF\xFE");
    case FileEncoding::UTF16BE: return QByteArrayLiteral("\xFE\xFF");
    case FileEncoding::ANSI: break;
    }
    return QByteArray();
}

} // namespace

bool hasOnlyCrLfBreaks(QStringView text) { return onlyCrLf(text) && !text.contains(QChar(0x2028)); }

bool hasMixedLineBreaks(QStringView text)
{
    const qsizetype n = text.size();
    bool crlf = false, cr = false, lf = false;
    for (qsizetype i = text.indexOf(u'\r'); i >= 0 && !(crlf && cr); i = text.indexOf(u'\r', i + 1)) {
        if (i + 1 < n && text[i + 1] == u'\n')
            crlf = true;
        else
            cr = true;
    }
    for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
        if (i == 0 || text[i - 1] != u'\r') {
            lf = true;
            break;
        }
    const bool ls = text.contains(QChar(0x2028));
    return int(crlf) + int(cr) + int(lf) + int(ls) > 1;
}

QString withLineBreaks(QStringView text, LineBreak lineBreak)
{
    if (lineBreak == LineBreak::CRLF && onlyCrLf(text))
        return text.toString();
    const QString br = lineBreakText(lineBreak);
    QString out;
    out.reserve(text.size());
    const char16_t *t = text.utf16();
    const qsizetype n = text.size();
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = t[i];
        if (c != u'\r' && c != u'\n')
            continue;
        out.append(text.mid(from, i - from));
        out.append(br);
        if (c == u'\r' && i + 1 < n && t[i + 1] == u'\n')
            ++i;
        from = i + 1;
    }
    out.append(text.mid(from));
    return out;
}

QByteArray plainFileBytes(QStringView text, TextEncoding &encoding, LineBreak lineBreak, const AnsiCodec &ansi)
{
    QString converted;
    if (!(lineBreak == LineBreak::CRLF && onlyCrLf(text))) {
        converted = withLineBreaks(text, lineBreak);
        text = converted;
    }
    return encodedFileBytes(text, encoding, ansi);
}

QByteArray encodedFileBytes(QStringView text, TextEncoding &encoding, const AnsiCodec &ansi)
{
    if (encoding.codec == FileEncoding::ANSI) {
        bool complete = true;
        QByteArray bytes = ansi.encode(text, &complete);
        if (complete)
            return bytes;
        bytes = QByteArray();
        encoding = TextEncoding::utf8(true);
    }
    QByteArray out = markOf(encoding);
    if (out.isEmpty())
        return encodeIn(text, encoding);
    out.append(encodeIn(text, encoding));
    return out;
}

QByteArray utf8FileBytes(QStringView text)
{
    QByteArray out = QByteArrayLiteral("\xEF\xBB\xBF");
    if (onlyCrLf(text))
        out.append(text.toUtf8());
    else
        out.append(withLineBreaks(text, LineBreak::CRLF).toUtf8());
    return out;
}

QByteArray asciiFileBytes(QStringView text, const AnsiCodec &ansi)
{
    if (onlyCrLf(text))
        return ansi.encode(text);
    return ansi.encode(withLineBreaks(text, LineBreak::CRLF));
}

QByteArray textExportBytes(QStringView text, const AnsiCodec &ansi)
{
    QString lines = withLineBreaks(text, LineBreak::CRLF);
    if (!lines.isEmpty() && !lines.endsWith(u'\n'))
        lines.append(QStringLiteral("\r\n"));
    return ansi.encode(lines);
}

// ---------------------------------------------------------------------------------------
// Names and page rewrites.

namespace {

// The 0-based position of needle (ASCII letters in any case) in text at or after from,
// or -1. The scan jumps from one occurrence of the needle's rarest punctuation to the
// next, which the string search does many times faster than a character loop.
qsizetype findAsciiCi(QStringView text, QStringView needle, qsizetype from = 0)
{
    const qsizetype n = needle.size();
    qsizetype anchor = -1;
    for (char16_t c : {u'-', u'"', u'=', u'/', u'>', u'<'}) {
        anchor = needle.indexOf(QChar(c));
        if (anchor >= 0)
            break;
    }
    if (anchor < 0) {
        const qsizetype p = sx::posAsciiCi(needle, text, from + 1);
        return p - 1;
    }
    const QChar a = needle[anchor];
    const char16_t *t = text.utf16();
    const char16_t *q = needle.utf16();
    for (qsizetype i = text.indexOf(a, from + anchor); i >= 0; i = text.indexOf(a, i + 1)) {
        const qsizetype start = i - anchor;
        if (start + n > text.size())
            return -1;
        qsizetype k = 0;
        while (k < n && sx::foldAscii(t[start + k]) == sx::foldAscii(q[k]))
            ++k;
        if (k == n)
            return start;
    }
    return -1;
}

} // namespace

QString backupFileName(const QString &path)
{
    const QString ext = sx::extensionPart(path);
    return path.left(path.size() - ext.size()) + QStringLiteral(".BAK");
}

Highlighter highlighterForPath(const QString &path)
{
    const QString ext = sx::lowerAscii(sx::extensionPart(path));
    if (ext == QLatin1String(".css"))
        return Highlighter::CSS;
    if (ext == QLatin1String(".js"))
        return Highlighter::JavaScript;
    if (ext == QLatin1String(".xml"))
        return Highlighter::XML;
    if (ext == QLatin1String(".php"))
        return Highlighter::PHP;
    return Highlighter::HTML;
}

QString driveRootOf(const QString &path)
{
    if (path.size() >= 3 && path[0].isLetter() && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/'))
        return path.left(3);
    return QStringLiteral("/");
}

bool IsUtf8Declared(QStringView text)
{
    // Each of the three texts ends in "utf-8": one scan for that, then a look at what
    // stands before it.
    auto endsWithCi = [&](qsizetype end, QStringView what) {
        return end >= what.size() && findAsciiCi(text.mid(end - what.size(), what.size()), what) == 0;
    };
    for (qsizetype at = findAsciiCi(text, u"utf-8"); at >= 0; at = findAsciiCi(text, u"utf-8", at + 1)) {
        if (endsWithCi(at, u"charset=") || endsWithCi(at, u"encoding="))
            return true;
        if (endsWithCi(at, u"encoding=\"") && at + 5 < text.size() && text[at + 5] == u'"')
            return true;
    }
    return false;
}

QString removeContentEditable(const QString &text, qsizetype *count)
{
    static const QString needle = QStringLiteral("contenteditable=\"true\"");
    qsizetype n = 0;
    qsizetype at = findAsciiCi(text, needle);
    if (at < 0) {
        if (count)
            *count = 0;
        return text;
    }
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (at >= 0) {
        out.append(QStringView(text).mid(from, at - from));
        from = at + needle.size();
        ++n;
        at = findAsciiCi(text, needle, from);
    }
    out.append(QStringView(text).mid(from));
    if (count)
        *count = n;
    return out;
}

QString generatorMetaElement() { return QStringLiteral("<meta name=\"GENERATOR\" content=\"Sorvex\">"); }

GeneratorMetaEdit generatorMetaEdit(QStringView text)
{
    GeneratorMetaEdit edit;
    // ASCII lower-casing keeps every position, so the search runs on the text itself.
    qsizetype p = findAsciiCi(text, u"<meta name=generator");
    if (p < 0)
        p = findAsciiCi(text, u"<meta name=\"generator");
    if (p < 0) {
        const qsizetype head = findAsciiCi(text, u"</head>");
        if (head < 0)
            return edit;
        edit.kind = GeneratorMetaEdit::WholeText;
        edit.text.reserve(text.size() + 48);
        edit.text.append(text.left(head));
        edit.text.append(generatorMetaElement());
        edit.text.append(QStringLiteral("\r\n"));
        edit.text.append(text.mid(head));
        return edit;
    }
    const qsizetype q = text.indexOf(u'>', p);
    if (q < 0)
        return edit;
    edit.kind = GeneratorMetaEdit::Range;
    edit.start = p;
    edit.length = q - p + 1;
    edit.text = generatorMetaElement();
    return edit;
}

PrintRect SetPrintMargins(const PrinterMetrics &pr, double left, double top, double right, double bottom)
{
    const long long cx = sx::roundHalfEven(pr.dpiX / 2.54);
    const long long cy = sx::roundHalfEven(pr.dpiY / 2.54);
    PrintRect r;
    r.left = int(sx::roundHalfEven(left * double(cx)) - pr.offsetX);
    r.top = int(sx::roundHalfEven(top * double(cy)) - pr.offsetY);
    r.right = int(pr.pageWidth - sx::roundHalfEven(right * double(cx)) - pr.offsetX);
    r.bottom = int(pr.pageHeight - sx::roundHalfEven(bottom * double(cy)) - pr.offsetY);
    return r;
}

// ---------------------------------------------------------------------------------------
// Files.

namespace {
WriteFault &writeFault()
{
    static WriteFault fault;
    return fault;
}
bool stageFails(WriteStage stage, const QString &path)
{
    const WriteFault &f = writeFault();
    return f && !f(stage, path);
}
} // namespace

void setWriteFault(WriteFault fault) { writeFault() = std::move(fault); }

bool readFileBytes(const QString &path, QByteArray *bytes, QString *error)
{
    bytes->clear();
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        if (error)
            *error = info.exists() ? QStringLiteral("not a regular file") : QStringLiteral("no such file");
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    *bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = f.errorString();
        bytes->clear();
        return false;
    }
    return true;
}

bool writeFileAtomic(const QString &path, QByteArrayView bytes, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file name"));
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("is a folder"));
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (stageFails(WriteStage::Open, path))
        return fail(QStringLiteral("cannot create the temporary file"));
    if (!f.open(QIODevice::WriteOnly))
        return fail(f.errorString());
    if (stageFails(WriteStage::Write, path)) {
        f.cancelWriting();
        f.commit();
        return fail(QStringLiteral("write error"));
    }
    if (f.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        f.commit();
        return fail(why);
    }
    if (stageFails(WriteStage::Commit, path)) {
        f.cancelWriting();
        f.commit();
        return fail(QStringLiteral("interrupted before the file was replaced"));
    }
    if (!f.commit())
        return fail(f.errorString());
    return true;
}

bool writeFileAtomicUnflushed(const QString &path, QByteArrayView bytes, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file name"));
    const QFileInfo info(path);
    if (info.isDir())
        return fail(QStringLiteral("is a folder"));
    // A symbolic link is followed: its target is replaced, the link stays.
    QString target = path;
    if (info.isSymLink()) {
        target = info.canonicalFilePath();
        if (target.isEmpty())
            target = info.symLinkTarget();
    }
    const QFileInfo targetInfo(target);
    if (targetInfo.isDir())
        return fail(QStringLiteral("is a folder"));
    const bool exists = targetInfo.exists();
    if (exists && !targetInfo.isWritable())
        return fail(QStringLiteral("Existing file %1 is not writable").arg(target));
    if (stageFails(WriteStage::Open, path))
        return fail(QStringLiteral("cannot create the temporary file"));
    QTemporaryFile f(targetInfo.absolutePath() + QLatin1Char('/') + targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    if (!f.open())
        return fail(f.errorString());
    // Asked while the file is open, so that it has a name to be renamed by.
    const QString tempName = f.fileName();
    if (stageFails(WriteStage::Write, path))
        return fail(QStringLiteral("write error"));
    if (f.write(bytes.data(), bytes.size()) != bytes.size() || !f.flush())
        return fail(f.errorString());
    const QFileDevice::Permissions keep = exists ? targetInfo.permissions()
                                                 : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    f.setPermissions(keep);
    f.close();
    if (f.error() != QFileDevice::NoError)
        return fail(f.errorString());
    if (stageFails(WriteStage::Commit, path))
        return fail(QStringLiteral("interrupted before the file was replaced"));
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(tempName.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), ec);
    if (ec)
        return fail(QString::fromStdString(ec.message()));
    f.setAutoRemove(false);
    return true;
}

void flushFilesToDisk(const QString &folder)
{
#if defined(Q_OS_LINUX)
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
        return;
    }
    ::sync();
#elif defined(Q_OS_UNIX)
    Q_UNUSED(folder);
    ::sync();
#else
    Q_UNUSED(folder);
#endif
}

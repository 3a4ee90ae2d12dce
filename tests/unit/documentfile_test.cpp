// Document files as bytes: encoding detection, the byte layouts, names and page rewrites.
#include "app/documentfile.h"
#include "editing/textbuffer.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const char *s, qsizetype n = -1) { return n < 0 ? QByteArray(s) : QByteArray(s, n); }
QString utf8(const char *s) { return QString::fromUtf8(s); }

const AnsiCodec &cp1252()
{
    static const AnsiCodec c(QStringLiteral("windows-1252"));
    return c;
}

} // namespace

TEST(DecodeText, DetectsEveryEncoding)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        FileEncoding codec;
        bool mark;
        QString text;
    } cases[] = {
        {"empty", {}, FileEncoding::ANSI, false, QStringLiteral("")},
        {"ascii", "<p>a</p>", FileEncoding::ANSI, false, QStringLiteral("<p>a</p>")},
        {"ansi high bytes", "\xE4\x80\x81\x9F", FileEncoding::ANSI, false, utf8("\xC3\xA4\xE2\x82\xAC\xC2\x81\xC5\xB8")},
        {"utf-8 with mark", "\xEF\xBB\xBFh\xC3\xA4", FileEncoding::UTF8, true, utf8("h\xC3\xA4")},
        {"only a utf-8 mark", "\xEF\xBB\xBF", FileEncoding::UTF8, true, QStringLiteral("")},
        {"two utf-8 marks keep the second", "\xEF\xBB\xBF\xEF\xBB\xBFx", FileEncoding::UTF8, true, QChar(0xFEFF) + QStringLiteral("x")},
        {"utf-8 without mark", "gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80", FileEncoding::UTF8, false,
         utf8("gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80")},
        {"utf-16 le", bytesOf("\xFF\xFE" "a\0\xE4\0", 6), FileEncoding::UTF16LE, true, utf8("a\xC3\xA4")},
        {"utf-16 be", bytesOf("\xFE\xFF\0a\0\xE4\x20\x28", 8), FileEncoding::UTF16BE, true, utf8("a\xC3\xA4\xE2\x80\xA8")},
        {"utf-16 le surrogate pair", bytesOf("\xFF\xFE\x3D\xD8\x00\xDE", 6), FileEncoding::UTF16LE, true,
         utf8("\xF0\x9F\x98\x80")},
        {"only a utf-16 mark", "\xFF\xFE", FileEncoding::UTF16LE, true, QStringLiteral("")},
        // What the marked encoding cannot read is read byte for byte in the ANSI code page.
        {"broken utf-8 after the mark", "\xEF\xBB\xBFx\xC3(", FileEncoding::ANSI, false, utf8("\xC3\xAF\xC2\xBB\xC2\xBFx\xC3\x83(")},
        {"odd utf-16 length", bytesOf("\xFF\xFE" "a\0b", 5), FileEncoding::ANSI, false, utf8("\xC3\xBF\xC3\xBE" "a") + QChar(0) + QStringLiteral("b")},
        {"lone surrogate", bytesOf("\xFF\xFE\x3D\xD8" "a\0", 6), FileEncoding::ANSI, false,
         utf8("\xC3\xBF\xC3\xBE=\xC3\x98" "a") + QChar(0)},
        {"utf-8 cut in the middle of a character", "h\xC3", FileEncoding::ANSI, false, utf8("h\xC3\x83")},
        {"overlong utf-8 is not utf-8", "\xC0\xAF", FileEncoding::ANSI, false, utf8("\xC3\x80\xC2\xAF")},
        {"encoded surrogate is not utf-8", "\xED\xA0\x80", FileEncoding::ANSI, false, utf8("\xC3\xAD\xC2\xA0\xE2\x82\xAC")},
        {"beyond U+10FFFF is not utf-8", "\xF4\x90\x80\x80", FileEncoding::ANSI, false,
         utf8("\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC")},
        {"nul bytes", bytesOf("a\0b\0", 4), FileEncoding::ANSI, false, QStringLiteral("a") + QChar(0) + QStringLiteral("b") + QChar(0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedText d = decodeText(c.bytes, cp1252());
        EXPECT_EQ(d.encoding.codec, c.codec);
        EXPECT_EQ(d.encoding.byteOrderMark, c.mark);
        EXPECT_EQ(d.text, c.text);
    }
}

// Every encoding, every line-break style, with and without a final line break: the
// bytes decode to the text, the buffer finds the style, and the plain write of the
// buffer's text gives the very bytes back.
TEST(DecodeText, PlainWriteRoundTripsEveryLayout)
{
    const QStringList lines = {QStringLiteral("<html><head>"), utf8("<title>Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC</title>"), QStringLiteral("</head>"),
                               QStringLiteral(""), QStringLiteral("<body>x</body></html>")};
    const struct {
        const char *name;
        TextEncoding enc;
    } encodings[] = {
        {"ansi", TextEncoding::ansi()},       {"utf-8 mark", TextEncoding::utf8(true)},
        {"utf-8 no mark", TextEncoding::utf8(false)}, {"utf-16 le", TextEncoding::utf16le()},
        {"utf-16 be", TextEncoding::utf16be()},
    };
    for (const auto &e : encodings)
        for (LineBreak lb : {LineBreak::CRLF, LineBreak::LF, LineBreak::CR, LineBreak::LS}) {
            if (e.enc.codec == FileEncoding::ANSI && lb == LineBreak::LS)
                continue; // the code page has no U+2028
            for (bool finalBreak : {false, true}) {
                SCOPED_TRACE(std::string(e.name) + " lb=" + std::to_string(int(lb)) + " final=" + std::to_string(finalBreak));
                QString fileText = lines.join(lineBreakText(lb));
                if (finalBreak)
                    fileText += lineBreakText(lb);
                QByteArray bytes;
                switch (e.enc.codec) {
                case FileEncoding::ANSI: bytes = fileText.toLatin1(); bytes.replace("?", "\x80"); break;
                case FileEncoding::UTF8: bytes = (e.enc.byteOrderMark ? "\xEF\xBB\xBF" : "") + fileText.toUtf8(); break;
                case FileEncoding::UTF16LE:
                case FileEncoding::UTF16BE: {
                    const bool le = e.enc.codec == FileEncoding::UTF16LE;
                    bytes = le ? "\xFF\xFE" : "\xFE\xFF";
                    for (QChar c : std::as_const(fileText)) {
                        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
                        bytes.append(le ? lo : hi);
                        bytes.append(le ? hi : lo);
                    }
                    break;
                }
                }
                const DecodedText d = decodeText(bytes, cp1252());
                EXPECT_EQ(d.encoding, e.enc);
                TextBuffer buffer;
                buffer.loadText(d.text);
                EXPECT_EQ(buffer.lineBreak(), lb);
                TextEncoding enc = d.encoding;
                EXPECT_EQ(plainFileBytes(buffer.text(), enc, buffer.lineBreak(), cp1252()), bytes);
                EXPECT_EQ(enc, e.enc);
            }
        }
}

// The reader's UTF-8 check agrees with the strict UTF-8 decoder on short random byte
// strings rich in multi-byte lead and continuation bytes.
TEST(DecodeText, Utf8CheckAgreesWithTheDecoder)
{
    QRandomGenerator rng(3);
    const uchar pool[] = {'a', 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2, 0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    for (int round = 0; round < 20000; ++round) {
        QByteArray b;
        const int len = 1 + int(rng.bounded(6));
        for (int i = 0; i < len; ++i)
            b.append(char(pool[rng.bounded(int(sizeof pool))]));
        if (b.startsWith("\xEF\xBB\xBF"))
            continue;
        QStringDecoder d(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString strict = d(b);
        const DecodedText got = decodeText(b, cp1252());
        if (d.hasError())
            ASSERT_EQ(got.encoding, TextEncoding::ansi()) << b.toHex().constData();
        else
            ASSERT_EQ(got.text, strict) << b.toHex().constData();
    }
}

TEST(AnsiCodec, EveryByteSurvives)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    for (const char *page : {"windows-1252", "windows-1253", "windows-1250"}) {
        SCOPED_TRACE(page);
        const AnsiCodec codec{QString::fromLatin1(page)};
        bool complete = false;
        EXPECT_EQ(codec.encode(codec.decode(all), &complete), all);
        EXPECT_TRUE(complete);
    }
    // Random bytes, decoded as the whole-file reader does, encode back unchanged.
    QByteArray noise(1 << 16, Qt::Uninitialized);
    QRandomGenerator rng(7);
    for (char &c : noise)
        c = char(rng.bounded(256));
    const DecodedText d = decodeText(noise, cp1252());
    ASSERT_EQ(d.encoding, TextEncoding::ansi());
    EXPECT_EQ(cp1252().encode(d.text), noise);
}

TEST(AnsiCodec, LackingCharactersBecomeLookAlikesOrQuestionMarks)
{
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {utf8("\xE2\x82\xAC\xC3\xA4"), "\x80\xE4"},    // in the code page
        {utf8("\xC4\x80" "b"), "Ab"},                   // A with macron
        {utf8("\xC5\x82"), "?"},                        // l with stroke has no decomposition
        {utf8("\xE4\xB8\xAD"), "?"},                    // CJK
        {utf8("x\xF0\x9F\x98\x80y"), "x?y"},            // one "?" for a surrogate pair
        {utf8("\xEF\xAC\x81"), "fi"},                   // ligature
        {utf8("\xE2\x80\xA8"), "?"},                    // line separator
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        bool complete = true;
        EXPECT_EQ(cp1252().encode(c.text, &complete), c.bytes);
        EXPECT_EQ(complete, c.text == utf8("\xE2\x82\xAC\xC3\xA4"));
    }
}

TEST(ByteLayouts, UtfAsciiAndTextExport)
{
    const QString t = utf8("a\r\n\xC3\xA4\xC5\x82");
    EXPECT_EQ(utf8FileBytes(t), QByteArray("\xEF\xBB\xBF" "a\r\n\xC3\xA4\xC5\x82"));
    EXPECT_EQ(asciiFileBytes(t, cp1252()), QByteArray("a\r\n\xE4?"));
    const struct {
        QString text;
        QByteArray exported;
    } exports[] = {
        {QStringLiteral(""), ""},
        {QStringLiteral("a"), "a\r\n"},
        {QStringLiteral("a\r\nb"), "a\r\nb\r\n"},
        {QStringLiteral("a\r\nb\r\n"), "a\r\nb\r\n"},
        {QStringLiteral("\r\n"), "\r\n"},
        {QStringLiteral("a\nb"), "a\r\nb\r\n"},
        {utf8("\xC3\xA4\xE4\xB8\xAD"), "\xE4?\r\n"},
    };
    for (const auto &c : exports) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(textExportBytes(c.text, cp1252()), c.exported);
    }
}

TEST(ByteLayouts, PlainWriteOfCharactersTheCodePageLacksBecomesUtf8)
{
    TextEncoding enc = TextEncoding::ansi();
    EXPECT_EQ(plainFileBytes(utf8("\xC5\x82\r\n"), enc, LineBreak::LF, cp1252()), QByteArray("\xEF\xBB\xBF\xC5\x82\n"));
    EXPECT_EQ(enc, TextEncoding::utf8(true));
    enc = TextEncoding::ansi();
    EXPECT_EQ(plainFileBytes(utf8("\xC3\xA4"), enc, LineBreak::CRLF, cp1252()), QByteArray("\xE4"));
    EXPECT_EQ(enc, TextEncoding::ansi());
}

TEST(ByteLayouts, LineBreaksOfThePlainWrite)
{
    const struct {
        QString text;
        LineBreak lb;
        QString out;
    } cases[] = {
        {QStringLiteral("a\r\nb"), LineBreak::LF, QStringLiteral("a\nb")},
        {QStringLiteral("a\r\nb\r\n"), LineBreak::CR, QStringLiteral("a\rb\r")},
        {QStringLiteral("a\r\n\r\nb"), LineBreak::LS, utf8("a\xE2\x80\xA8\xE2\x80\xA8" "b")},
        {QStringLiteral("a\nb\rc"), LineBreak::CRLF, QStringLiteral("a\r\nb\r\nc")}, // lone breaks are line breaks too
        {QStringLiteral(""), LineBreak::LF, QStringLiteral("")},
        {QStringLiteral("\r\n"), LineBreak::LF, QStringLiteral("\n")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withLineBreaks(c.text, c.lb), c.out) << c.text.toStdString();
}

TEST(DocumentNames, BackupHighlighterAndDriveRoot)
{
    const struct {
        const char *path, *backup;
    } backups[] = {
        {"C:\\web\\index.html", "C:\\web\\index.BAK"}, {"/web/index.htm", "/web/index.BAK"},
        {"/web/style.css", "/web/style.BAK"},          {"/web/README", "/web/README.BAK"},
        {"/web.d/page", "/web.d/page.BAK"},            {"/web/a.b.php", "/web/a.b.BAK"},
        {"/web/page.BAK", "/web/page.BAK"},
    };
    for (const auto &b : backups)
        EXPECT_EQ(backupFileName(QString::fromUtf8(b.path)), QString::fromUtf8(b.backup));

    const struct {
        const char *path;
        Highlighter h;
    } highlighters[] = {
        {"/a/x.css", Highlighter::CSS}, {"/a/x.JS", Highlighter::JavaScript}, {"/a/x.Xml", Highlighter::XML},
        {"/a/x.php", Highlighter::PHP}, {"/a/x.htm", Highlighter::HTML},      {"/a/x.txt", Highlighter::HTML},
        {"/a/x", Highlighter::HTML},    {"/a.css/x", Highlighter::HTML},
    };
    for (const auto &h : highlighters)
        EXPECT_EQ(highlighterForPath(QString::fromUtf8(h.path)), h.h) << h.path;

    EXPECT_EQ(driveRootOf(QStringLiteral("C:\\Programs\\Sorvex\\sorvex.exe")), QStringLiteral("C:\\"));
    EXPECT_EQ(driveRootOf(QStringLiteral("/usr/bin/sorvex")), QStringLiteral("/"));
}

TEST(PageRewrites, Utf8Declaration)
{
    const struct {
        const char *page;
        bool declared;
    } cases[] = {
        {"<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">", true},
        {"<META CONTENT=\"text/html; CHARSET=UTF-8\">", true},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", true},
        {"<?xml version=1.0 encoding=utf-8?>", true},
        {"<p>charset=utf-8 in the text counts too</p>", true},
        {"<meta charset=UTF-8>", true},
        {"<meta charset=\"utf-8\">", false}, // the quote stands between "=" and "utf-8"
        {"charset = utf-8", false},
        {"charset=utf-16", false},
        {"", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsUtf8Declared(QString::fromUtf8(c.page)), c.declared) << c.page;
}

TEST(PageRewrites, ContentEditableRemoval)
{
    const struct {
        const char *in, *out;
        qsizetype count;
    } cases[] = {
        {"<body contenteditable=\"true\">", "<body >", 1},
        {"<div ContentEditable=\"TRUE\">a</div><p contenteditable=\"True\">", "<div >a</div><p >", 2},
        {"contenteditable=\"true\"contenteditable=\"true\"", "", 2},
        {"<div contenteditable=\"false\">", "<div contenteditable=\"false\">", 0},
        {"<div contenteditable=true>", "<div contenteditable=true>", 0},
        {"", "", 0},
    };
    for (const auto &c : cases) {
        qsizetype n = -1;
        EXPECT_EQ(removeContentEditable(QString::fromUtf8(c.in), &n), QString::fromUtf8(c.out)) << c.in;
        EXPECT_EQ(n, c.count) << c.in;
    }
}

TEST(PageRewrites, GeneratorMeta)
{
    const QString meta = generatorMetaElement();
    EXPECT_EQ(meta, QStringLiteral("<meta name=\"GENERATOR\" content=\"Sorvex\">"));
    const struct {
        const char *name;
        QString page;
        GeneratorMetaEdit::Kind kind;
        qsizetype start, length;
        QString text;
    } cases[] = {
        {"no head", QStringLiteral("<p>x</p>"), GeneratorMetaEdit::None, 0, 0, {}},
        {"inserted before the first head end", QStringLiteral("<HEAD><title>t</title></Head></head>"), GeneratorMetaEdit::WholeText, 0,
         0, QStringLiteral("<HEAD><title>t</title>") + meta + QStringLiteral("\r\n</Head></head>")},
        {"unquoted element replaced", QStringLiteral("<head><meta name=generator content=\"X 1\"></head>"), GeneratorMetaEdit::Range, 6,
         35, meta},
        {"quoted, any case", QStringLiteral("<META NAME=\"Generator\" CONTENT=\"old\">"), GeneratorMetaEdit::Range, 0, 37, meta},
        {"our own element", QStringLiteral("<head>") + meta + QStringLiteral("</head>"), GeneratorMetaEdit::Range, 6, meta.size(), meta},
        {"unclosed element", QStringLiteral("</head><meta name=\"generator\" content="), GeneratorMetaEdit::None, 0, 0, {}},
        // The unquoted form is looked for first, even when the quoted one comes earlier.
        {"unquoted wins", QStringLiteral("<meta name=\"generator\" a><meta name=generator b>"), GeneratorMetaEdit::Range, 25, 23, meta},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const GeneratorMetaEdit e = generatorMetaEdit(c.page);
        EXPECT_EQ(e.kind, c.kind);
        if (e.kind == GeneratorMetaEdit::Range) {
            EXPECT_EQ(e.start, c.start);
            EXPECT_EQ(e.length, c.length);
        }
        if (e.kind != GeneratorMetaEdit::None)
            EXPECT_EQ(e.text, c.text);
    }
}

TEST(Printing, RectangleFromMarginsAndPrinterMetrics)
{
    const struct {
        PrinterMetrics printer;
        PrintRect rect;
    } cases[] = {
        // 600 dpi: 236 pixels per cm; A4 with 0.42 cm offsets.
        {{600, 600, 100, 100, 4961, 7016}, {236 - 100, 118 - 100, 4961 - 118 - 100, 7016 - 118 - 100}},
        // 300 x 600 dpi, no offsets: 118 and 236 pixels per cm.
        {{300, 600, 0, 0, 2480, 7016}, {118, 118, 2480 - 59, 7016 - 118}},
        // 13 dpi: 5 pixels per cm, half a centimetre is 2.5, which rounds to 2.
        {{13, 13, 0, 0, 100, 100}, {5, 2, 98, 98}},
        // 130 dpi: 51 pixels per cm, 25.5 rounds to 26; 135 dpi: 53, 26.5 rounds to 26.
        {{130, 135, 0, 0, 1000, 1000}, {51, 26, 1000 - 26, 1000 - 26}},
    };
    for (const auto &c : cases) {
        const PrintRect r = SetPrintMargins(c.printer, 1.0, 0.5, 0.5, 0.5);
        EXPECT_EQ(r.left, c.rect.left);
        EXPECT_EQ(r.top, c.rect.top);
        EXPECT_EQ(r.right, c.rect.right);
        EXPECT_EQ(r.bottom, c.rect.bottom);
    }
}

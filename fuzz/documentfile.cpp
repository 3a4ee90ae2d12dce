// Document files on arbitrary bytes. Checks: no crash; whatever is read is written back
// byte for byte by the plain write, when its line breaks are of one kind; the page
// rewrites of the save command agree with plain reference versions (ASCII lower-casing,
// then a plain search).
#include "app/documentfile.h"
#include "editing/textbuffer.h"
#include "editing/textops.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool declaredReference(const QString &text)
{
    const QString l = sx::lowerAscii(text);
    return l.contains(QStringLiteral("charset=utf-8")) || l.contains(QStringLiteral("encoding=\"utf-8\""))
           || l.contains(QStringLiteral("encoding=utf-8"));
}

QString removeReference(const QString &text)
{
    const QString needle = QStringLiteral("contenteditable=\"true\"");
    const QString l = sx::lowerAscii(text);
    QString out;
    qsizetype from = 0;
    for (qsizetype at = l.indexOf(needle); at >= 0; at = l.indexOf(needle, from)) {
        out += text.mid(from, at - from);
        from = at + needle.size();
    }
    return out + text.mid(from);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const AnsiCodec ansi;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DecodedText d = decodeText(bytes, ansi);

    // Read, then written back as the editor holds it.
    if (!hasMixedLineBreaks(d.text)) {
        TextBuffer buffer;
        buffer.loadText(d.text);
        TextEncoding enc = d.encoding;
        check(plainFileBytes(buffer.text(), enc, buffer.lineBreak(), ansi) == bytes);
        check(enc == d.encoding);
    }
    // The other layouts never fail.
    (void)utf8FileBytes(d.text);
    (void)asciiFileBytes(d.text, ansi);
    (void)textExportBytes(d.text, ansi);

    // The page rewrites against their plain references.
    check(IsUtf8Declared(d.text) == declaredReference(d.text));
    qsizetype removed = -1;
    check(removeContentEditable(d.text, &removed) == removeReference(d.text));
    const GeneratorMetaEdit e = generatorMetaEdit(d.text);
    const QString l = sx::lowerAscii(d.text);
    qsizetype p = l.indexOf(QStringLiteral("<meta name=generator"));
    if (p < 0)
        p = l.indexOf(QStringLiteral("<meta name=\"generator"));
    if (p < 0) {
        const qsizetype head = l.indexOf(QStringLiteral("</head>"));
        check(head < 0 ? e.kind == GeneratorMetaEdit::None
                       : e.kind == GeneratorMetaEdit::WholeText
                             && e.text == d.text.left(head) + generatorMetaElement() + QStringLiteral("\r\n")
                                              + d.text.mid(head));
    } else {
        const qsizetype q = d.text.indexOf(u'>', p);
        check(q < 0 ? e.kind == GeneratorMetaEdit::None
                    : e.kind == GeneratorMetaEdit::Range && e.start == p && e.length == q - p + 1);
    }
    return 0;
}

#include "app/scratchfile.h"

#include "app/documentfile.h"
#include "editing/textbuffer.h"
#include "editing/textops.h"

#include <memory>

namespace {

// Building a code page's tables takes a moment; keep the last one.
const AnsiCodec &codecFor(const QString &codePage)
{
    thread_local std::unique_ptr<AnsiCodec> codec;
    thread_local QString asked;
    if (!codec || asked != codePage) {
        codec = std::make_unique<AnsiCodec>(codePage);
        asked = codePage;
    }
    return *codec;
}

} // namespace

ScratchFileText decodeScratchFile(const QByteArray &bytes, const QString &ansiCodePage)
{
    const DecodedText decoded = decodeText(bytes, codecFor(ansiCodePage));
    return {normalizeLineBreaks(decoded.text), decoded.encoding};
}

QByteArray encodeScratchFile(QStringView text, TextEncoding encoding, const QString &ansiCodePage,
                             TextEncoding *written)
{
    QString lines;
    lines.reserve(text.size() + 2);
    for (const QString &line : sx::splitLines(text)) {
        lines.append(line);
        lines.append(u"\r\n");
    }
    const QByteArray bytes = plainFileBytes(lines, encoding, LineBreak::CRLF, codecFor(ansiCodePage));
    if (written)
        *written = encoding;
    return bytes;
}

bool readScratchFile(const QString &path, QByteArray *bytes, QString *error)
{
    QString why;
    if (!readFileBytes(path, bytes, &why)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\": %2").arg(path, why);
        return false;
    }
    return true;
}

bool writeScratchFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QString why;
    if (!writeFileAtomic(path, bytes, &why)) {
        if (error)
            *error = QStringLiteral("Cannot create file \"%1\": %2").arg(path, why);
        return false;
    }
    return true;
}

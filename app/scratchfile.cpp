#include "app/scratchfile.h"

#include "app/documentfile.h"

#include "editing/textbuffer.h"
#include "editing/textops.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QString decodeAnsi(QByteArrayView bytes, const QString &codePage)
{
    QStringDecoder decoder(codePage.toLatin1().constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes.data(), bytes.size());
    return decoder(bytes);
}

} // namespace

ScratchFileText decodeScratchFile(const QByteArray &bytes, const QString &ansiCodePage)
{
    ScratchFileText r;
    const QByteArrayView v(bytes);
    QString text;
    if (v.startsWith("\xEF\xBB\xBF")) {
        r.encoding = FileEncoding::UTF8;
        text = QString::fromUtf8(v.sliced(3));
    } else if (v.startsWith("\xFF\xFE")) {
        r.encoding = FileEncoding::UTF16LE;
        QStringDecoder d(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        text = d(v.sliced(2));
    } else if (v.startsWith("\xFE\xFF")) {
        r.encoding = FileEncoding::UTF16BE;
        QStringDecoder d(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
        text = d(v.sliced(2));
    } else {
        text = decodeAnsi(v, ansiCodePage);
    }
    r.text = normalizeLineBreaks(text);
    return r;
}

QByteArray encodeScratchFile(QStringView text, FileEncoding encoding, const QString &ansiCodePage,
                             FileEncoding *written)
{
    QString lines;
    lines.reserve(text.size() + 2);
    for (const QString &line : sx::splitLines(text)) {
        lines.append(line);
        lines.append(u"\r\n");
    }
    QByteArray out;
    if (encoding == FileEncoding::ANSI) {
        QStringEncoder encoder(ansiCodePage.toLatin1().constData());
        if (encoder.isValid()) {
            out = encoder(lines);
            if (!encoder.hasError()) {
                if (written)
                    *written = FileEncoding::ANSI;
                return out;
            }
        }
        encoding = FileEncoding::UTF8; // the code page lacks a character
    }
    if (written)
        *written = encoding;
    switch (encoding) {
    case FileEncoding::UTF16LE:
    case FileEncoding::UTF16BE: {
        const bool le = encoding == FileEncoding::UTF16LE;
        out = le ? QByteArray("\xFF\xFE", 2) : QByteArray("\xFE\xFF", 2);
        QStringEncoder e(le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
        out += e(lines);
        return out;
    }
    default:
        return QByteArray("\xEF\xBB\xBF") + lines.toUtf8();
    }
}

bool readScratchFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile f(path);
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, QFileInfo(path).isDir() ? QStringLiteral("It is a folder.") : f.errorString());
        return false;
    }
    *bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read file \"%1\". %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

bool writeScratchFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QString why;
    if (!writeFileAtomic(path, bytes, &why)) {
        if (error)
            *error = QStringLiteral("Cannot create file \"%1\". %2").arg(path, why);
        return false;
    }
    return true;
}

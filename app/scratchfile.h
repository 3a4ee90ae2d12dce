// The files of the simple text editor, read with the encoding detection of the document
// files (a byte-order mark, else UTF-8 when the bytes are UTF-8, else the ANSI code page)
// and written back in the encoding of the last read with that encoding's mark, every
// line ending with CR LF.
#pragma once

#include "app/document.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

struct ScratchFileText {
    QString text; // lines joined by CR LF
    TextEncoding encoding;
};

// The text of a file's bytes; line breaks of every kind become CR LF.
ScratchFileText decodeScratchFile(const QByteArray &bytes, const QString &ansiCodePage);

// Every line of text followed by CR LF (a final line break does not start another
// line), in the encoding, after its byte-order mark. A text holding characters that the
// ANSI code page lacks is written as UTF-8 with its mark instead, so that nothing is
// lost; written receives the encoding used.
QByteArray encodeScratchFile(QStringView text, TextEncoding encoding, const QString &ansiCodePage,
                             TextEncoding *written = nullptr);

// Reads a whole file; false with the reason on failure.
bool readScratchFile(const QString &path, QByteArray *bytes, QString *error);
// Writes the bytes through the one atomic write, so that a failed write leaves the old
// file whole; false with the reason on failure.
bool writeScratchFile(const QString &path, const QByteArray &bytes, QString *error);

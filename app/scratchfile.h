// The files of the simple text editor: read with the byte-order mark deciding the
// encoding (the ANSI code page without one), written back in the encoding of the last
// read with that encoding's mark, every line ending with CR LF.
#pragma once

#include "app/document.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

struct ScratchFileText {
    QString text; // lines joined by CR LF
    FileEncoding encoding = FileEncoding::ANSI;
};

// EF BB BF: UTF-8, FF FE: UTF-16 LE, FE FF: UTF-16 BE (the mark is not part of the
// text); anything else in the ANSI code page. Line breaks of every kind become CR LF.
ScratchFileText decodeScratchFile(const QByteArray &bytes, const QString &ansiCodePage);

// Every line of text followed by CR LF (a final line break does not start another
// line), in the encoding, after its byte-order mark. A text holding characters that the
// ANSI code page lacks is written as UTF-8 with its mark instead, so that nothing is
// lost; written receives the encoding used.
QByteArray encodeScratchFile(QStringView text, FileEncoding encoding, const QString &ansiCodePage,
                             FileEncoding *written = nullptr);

// Reads a whole file; false with the reason on failure.
bool readScratchFile(const QString &path, QByteArray *bytes, QString *error);
// Writes the bytes through a temporary file renamed over the target, so that a failed
// write leaves the old file whole; false with the reason on failure.
bool writeScratchFile(const QString &path, const QByteArray &bytes, QString *error);

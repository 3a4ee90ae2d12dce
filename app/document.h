// The one open document as a file: its name, the encoding it was read with, and the
// encoding decision of the last save.
#pragma once

#include <QString>

enum class FileEncoding { ANSI, UTF8, UTF16LE, UTF16BE };

struct Document {
    // Full path; empty at start-up, catalogue message 0 ("Untitled") for a new document.
    QString FFileName;
    // Detected each time a file is read (opening, reloading).
    FileEncoding encoding = FileEncoding::ANSI;
    // The file had no byte-order mark although it was read as UTF-8; written back the same way.
    bool utf8WithoutMark = false;
    // "UTF-8" or empty; decided by every save.
    QString SaveEncoding;

    // The document has no file when the name is empty or equals "untitled" ignoring case.
    bool hasFile() const
    {
        return !FFileName.isEmpty() && FFileName.compare(QLatin1String("untitled"), Qt::CaseInsensitive) != 0;
    }
};

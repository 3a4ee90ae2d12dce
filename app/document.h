// The one open document as a file: its name, the encoding it was read with, and the
// encoding decision of the last save.
#pragma once

#include <QString>

enum class FileEncoding { ANSI, UTF8, UTF16LE, UTF16BE };

// How a file's bytes carry its text, as one value: the codec and whether the file starts
// with a byte-order mark. UTF-16 files always carry one (they are only recognised by it);
// ANSI files never; UTF-8 files may or may not. The line-break style is kept by the editor
// buffer, and whether the text ends with a line break by the text itself.
struct TextEncoding {
    FileEncoding codec = FileEncoding::ANSI;
    bool byteOrderMark = false;

    static TextEncoding ansi() { return {FileEncoding::ANSI, false}; }
    static TextEncoding utf8(bool mark) { return {FileEncoding::UTF8, mark}; }
    static TextEncoding utf16le() { return {FileEncoding::UTF16LE, true}; }
    static TextEncoding utf16be() { return {FileEncoding::UTF16BE, true}; }
    bool operator==(const TextEncoding &o) const { return codec == o.codec && byteOrderMark == o.byteOrderMark; }
    bool operator!=(const TextEncoding &o) const { return !(*this == o); }
};

struct Document {
    // Full path; empty at start-up, catalogue message 0 ("Untitled") for a new document.
    QString FFileName;
    // Detected each time a file is read (opening, reloading); ANSI before any file was read.
    TextEncoding encoding;
    // The file read last held line breaks of several kinds (Save leaves such a file as it
    // is while the document is unchanged).
    bool mixedLineBreaks = false;
    // "UTF-8" or empty; decided by every save.
    QString SaveEncoding;

    // The document has no file when the name is empty or equals "untitled" ignoring case.
    bool hasFile() const
    {
        return !FFileName.isEmpty() && FFileName.compare(QLatin1String("untitled"), Qt::CaseInsensitive) != 0;
    }
};

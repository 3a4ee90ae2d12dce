// Document files as bytes: reading and the encoding detection, the byte layouts the
// system writes, the backup name, the page rewrites of the save command, the print
// rectangle, and the one atomic write that every file the system saves goes through.
#pragma once

#include "app/document.h"
#include "editing/editorbuffer.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

// The system's ANSI code page ("windows-1252" where the system has none).
//
// A single-byte code page is held as a table built from the system's codec once, so
// that every byte survives decoding and encoding again (a byte the code page leaves
// undefined is read as the private-use character U+F700 + byte and written back as
// that byte). Other code pages go through the codec directly.
class AnsiCodec
{
public:
    explicit AnsiCodec(const QString &codePage = QStringLiteral("windows-1252"));

    QString name() const { return m_name; }
    // True when the bytes below 0x80 are the ASCII characters (every ANSI code page the
    // system knows as a table).
    bool asciiCompatible() const { return m_ascii; }
    QString decode(QByteArrayView bytes) const;
    // Every character the code page has becomes its bytes; a character it lacks becomes
    // a look-alike (the letter without its accents) or "?". complete tells whether no
    // character was lacking.
    QByteArray encode(QStringView text, bool *complete = nullptr) const;

private:
    QByteArray encodeLacking(char32_t cp) const;

    QString m_name;
    bool m_table = false;
    bool m_ascii = false;
    char16_t m_toUnicode[256] = {};
    std::vector<qint16> m_fromUnicode; // 65536 entries, -1 = not in the code page
};

// The text of a file and the encoding it was read with.
struct DecodedText {
    QString text;
    TextEncoding encoding;
};

// A leading byte-order mark selects UTF-8 (EF BB BF), UTF-16 LE (FF FE) or UTF-16 BE
// (FE FF) and is not part of the text. Without a mark, bytes that are valid UTF-8 and
// contain non-ASCII characters are read as UTF-8; anything else in the ANSI code page.
// Bytes that the marked encoding cannot read (broken UTF-8 after EF BB BF, an odd number
// of UTF-16 bytes, a lone surrogate) are read in the ANSI code page as they stand,
// mark included, so that saving them again writes the same bytes.
DecodedText decodeText(const QByteArray &bytes, const AnsiCodec &ansi);

// True when the text holds line breaks of more than one kind (CR LF, lone CR, lone LF,
// U+2028), as files that are not text at all do: no one line-break style writes them.
bool hasMixedLineBreaks(QStringView text);

// True when every line break of the text is CR LF (no lone CR or LF, no U+2028).
bool hasOnlyCrLfBreaks(QStringView text);

// The text with every line break (CR LF, lone CR, lone LF) written as lineBreak.
QString withLineBreaks(QStringView text, LineBreak lineBreak);

// The byte layouts. text is the editor's whole text (lines joined by CR LF).
//
// The plain write, in the file encoding: its byte-order mark if it has one, then the
// lines joined by lineBreak, with a line break after the last line only when the text
// ends with one. An ANSI text holding characters that the code page lacks is written
// as UTF-8 with a mark instead (encoding is updated), so that no character is lost.
QByteArray plainFileBytes(QStringView text, TextEncoding &encoding, LineBreak lineBreak, const AnsiCodec &ansi);
// The same with the text's line breaks written as they stand.
QByteArray encodedFileBytes(QStringView text, TextEncoding &encoding, const AnsiCodec &ansi);
// EF BB BF, then the whole text in UTF-8.
QByteArray utf8FileBytes(QStringView text);
// The whole text in the ANSI code page, no mark; lacking characters become look-alikes
// or "?".
QByteArray asciiFileBytes(QStringView text, const AnsiCodec &ansi);
// Every line followed by CR LF (a final line break does not start another line), in
// the ANSI code page, no mark.
QByteArray textExportBytes(QStringView text, const AnsiCodec &ansi);

// The path with its extension replaced by ".BAK" (appended when there is none).
QString backupFileName(const QString &path);
// The highlighter for a file: ".css", ".js", ".xml", ".php" by the extension in any
// case, HTML for everything else.
Highlighter highlighterForPath(const QString &path);
// The root of the drive a path lies on ("C:\" for "C:\Programs\x.exe"); "/" elsewhere.
QString driveRootOf(const QString &path);

// True when the text, ASCII lower-cased, contains "charset=utf-8", "encoding=\"utf-8\""
// or "encoding=utf-8" anywhere.
bool IsUtf8Declared(QStringView text);
// The text without any "contenteditable=\"true\"" (ASCII letters in any case).
QString removeContentEditable(const QString &text, qsizetype *count = nullptr);

// The system's generator meta element.
QString generatorMetaElement();
// The edit that refreshes the generator meta element of a page: replace the element
// found from "<meta name=generator" or "<meta name=\"generator" (any case) up to its
// ">", or, when the page has none, put the element and CR LF in front of the first
// "</head>" (a page without "</head>" or with an unclosed element stays as it is).
struct GeneratorMetaEdit {
    enum Kind { None, Range, WholeText } kind = None;
    qsizetype start = 0;   // Range: 0-based offset and length of the element
    qsizetype length = 0;
    QString text;          // Range: the replacement; WholeText: the new whole text
};
GeneratorMetaEdit generatorMetaEdit(QStringView text);

// The print rectangle in printer pixels, relative to the printable area, for page
// margins in centimetres.
struct PrinterMetrics {
    int dpiX = 0, dpiY = 0;       // dots per inch
    int offsetX = 0, offsetY = 0; // physical offsets of the printable area
    int pageWidth = 0, pageHeight = 0;
};
struct PrintRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PrintRect &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
PrintRect SetPrintMargins(const PrinterMetrics &printer, double left, double top, double right, double bottom);

// Reads a whole regular file. On failure error receives the reason.
bool readFileBytes(const QString &path, QByteArray *bytes, QString *error = nullptr);

// Writes the bytes to path atomically: a temporary file in the same folder is written,
// flushed to disk and renamed over the target. Whatever fails (the folder, the
// permissions, a full disk, an interruption), the target stays as it was. A symbolic
// link is followed and its target replaced; an existing file keeps its permissions.
bool writeFileAtomic(const QString &path, QByteArrayView bytes, QString *error = nullptr);

// The same replacement without the flush to disk, for a run that writes many files: each
// file is still replaced at once by a complete new one (a reader sees the old or the new
// file, never a part), and flushFilesToDisk makes the run's files durable together when it
// ends (one flush instead of one per file, which costs milliseconds a file).
bool writeFileAtomicUnflushed(const QString &path, QByteArrayView bytes, QString *error = nullptr);
// Flushes what was written to the file system that holds the folder to disk.
void flushFilesToDisk(const QString &folder);

// The stages of an atomic write, for failure injection in the tests: when a fault is
// set, it is called before each stage and a false answer makes that stage fail as the
// system would. Commit is the step after the temporary file is complete and before it
// replaces the target.
enum class WriteStage { Open, Write, Commit };
using WriteFault = std::function<bool(WriteStage stage, const QString &path)>;
void setWriteFault(WriteFault fault);

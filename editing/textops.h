// Text helpers shared by every command.
//
// Conventions carried here once, so that no command does its own index arithmetic:
// - text positions are 1-based indexes of 16-bit units; SelStart offsets are 0-based;
// - trimming removes leading and trailing units with codes <= 32;
// - ASCII casing maps only A-Z / a-z;
// - replaceAll works left to right on non-overlapping occurrences in one pass.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace sx {

// 1-based substring: a start below 1 counts as 1 (the count is not reduced), a count of
// 0 or less gives "", a range past the end gives what is there.
QString copy(QStringView text, qsizetype start, qsizetype count);
// Everything from the 1-based position start to the end.
QString copyFrom(QStringView text, qsizetype start);

// 1-based position of needle in text at or after the 1-based position from; 0 if none.
// An empty needle is never found.
qsizetype pos(QStringView needle, QStringView text, qsizetype from = 1);
// The same, comparing A-Z and a-z alike (every other unit exactly).
qsizetype posAsciiCi(QStringView needle, QStringView text, qsizetype from = 1);

QString lowerAscii(QStringView text);
QString upperAscii(QStringView text);
inline bool isAsciiUpper(QChar c) { return c.unicode() >= 'A' && c.unicode() <= 'Z'; }
inline bool isAsciiLower(QChar c) { return c.unicode() >= 'a' && c.unicode() <= 'z'; }
inline char16_t foldAscii(char16_t c) { return (c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c; }

// Removes leading and trailing units with codes 32 or lower.
QString trim(QStringView text);
QString trimLeft(QStringView text);
QString trimRight(QStringView text);
bool isBlank(QStringView text);

// Left to right, non-overlapping, one pass; inserted text is not searched again.
// The case-insensitive form compares both sides after the Unicode upper-casing of each
// character (a surrogate pair as one character; every character keeps its length).
// An empty pattern replaces nothing. count receives the number of replacements.
QString replaceAll(QStringView text, QStringView pattern, QStringView replacement,
                   bool caseInsensitive = false, qsizetype *count = nullptr);
// Replaces only the first occurrence (case-insensitive when asked).
QString replaceFirst(QStringView text, QStringView pattern, QStringView replacement,
                     bool caseInsensitive = false);

// Count characters at the 1-based position start are replaced by sub (count 0 inserts sub
// before start). Positions below 1 lie outside the text; a negative count removes nothing.
QString ReplaceRange(QStringView text, qsizetype start, qsizetype count, QStringView sub);

// The code of the first unit of s; 0 when s is empty.
int CharCode(QStringView s);

// From the first "<" up to and including the first ">".
QString FirstTag(QStringView text);

// Deletes CR, LF and TAB, then replaces "  " by " " six times over.
QString FlattenWhitespace(QStringView text);

// Searches needle from the 1-based position start; see the behaviour table in the tests.
// Returns the 1-based position, 0 when nothing is found, -1 when limit <= 0, when the
// acceptable occurrence begins after limit, or when the search stops at limit after a
// rejected whole-word occurrence.
qsizetype FindInText(QStringView text, QStringView needle, qsizetype start, qsizetype limit,
                     bool wholeWord, bool matchCase);

// Case-insensitive search of the first 100 units of needle in text from offset.
// editorLength is the length of the editor's whole text (not of text).
qsizetype FindHead(QStringView needle, QStringView text, qsizetype offset,
                   qsizetype editorLength);

// "%3d" formatting of the catalogue texts: every %Nd takes the next number, right-aligned
// in N places (%-Nd: left-aligned); %d, %s and %% are supported as well.
QString formatMessage(const QString &pattern, const QList<qlonglong> &numbers);

// Splits a text into lines at CR LF, lone CR, lone LF and U+2028 (the whole-text set of
// the editor); a final line break does not start another line.
QStringList splitLines(QStringView text);

// The file-name part of a path (after the last "/" or "\"), and the folder part
// including its final separator.
QString fileNamePart(QStringView path);
QString folderPart(QStringView path);
// The extension with its dot (".html"), or "" when the name has none.
QString extensionPart(QStringView path);

// Banker's rounding (halves to the even neighbour), as used throughout.
long long roundHalfEven(double value);

// Parses a whole decimal number the way the input boxes do: optional blanks around it,
// an optional sign, decimal digits, or "$" followed by hex digits. ok is false otherwise.
long long parseInteger(QStringView text, bool *ok);

} // namespace sx

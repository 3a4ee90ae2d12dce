// The driver's script language and output format: words, blocks, escaping. No widgets.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace drive {

struct Word {
    QString text;
    bool quoted = false;
};

// One line of a script, split into words; error is set when the line is malformed.
struct ScriptLine {
    int number = 0;
    QList<Word> words;
    QString error;

    QString verb() const { return words.isEmpty() ? QString() : words.first().text; }
    int argCount() const { return int(words.size()) - 1; }
    QString arg(int i) const { return i + 1 < words.size() ? words[i + 1].text : QString(); }
};

// "expect WINDOW ... end" (answers a modal window later) or "window NAME ... end"
// (acts on a visible non-modal window at once).
struct Block {
    int line = 0;
    bool immediate = false; // a window block
    QString name;
    QList<ScriptLine> steps;
};

struct Command {
    ScriptLine line;
    bool isBlock = false;
    Block block;
};

// Splits a line into words: blanks separate them; a word in double quotes takes the
// escapes \r \n \t \" \\ \uXXXX and \xHH (the character U+00HH).
ScriptLine parseLine(const QString &text, int number);
// The whole script: comment and blank lines dropped, blocks gathered with their steps.
QList<Command> parseScript(const QString &text);

// A STRING of the output: in double quotes, with " \ CR LF TAB escaped, other characters
// below U+0020 as \xHH, a lone surrogate as \uXXXX, everything else as itself.
QString quote(QStringView text);
// The bytes of a file: 0x20..0x7E as themselves (" and \ escaped), CR LF TAB escaped,
// every other byte as \xHH.
QString quoteBytes(const QByteArray &bytes);
// A path or name as the output writes it: as it stands when it holds no blank, quote,
// backslash or control character; otherwise as a STRING.
QString plainOrQuoted(const QString &text);

// The bytes writefile writes: one byte per character below U+0100. ok is false when a
// character above U+00FF occurs.
QByteArray latin1Bytes(const QString &text, bool *ok);

// Splits an argument line as a Windows program splits its command line: blanks separate
// arguments outside double quotes, 2n backslashes before a quote give n backslashes and
// the quote delimits, 2n+1 give n backslashes and a literal quote, "" inside quotes is a
// literal quote, other backslashes stand as they are.
QStringList splitWindowsCommandLine(const QString &line);

// "#RRGGBB" of a colour value with red in the low byte, and back (false when malformed).
QString colorText(quint32 color);
bool parseColorText(const QString &text, quint32 *color);

} // namespace drive

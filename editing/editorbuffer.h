// The editor as the command logic sees it.
//
// Whole text: the lines joined by CR LF, no line break after the last line. Every length
// and offset counts UTF-16 units, a line break counting two. SelStart is the 0-based offset
// of the selection's first unit; CaretX and CaretY are 1-based.
//
// Text that enters the buffer (setText, loadText, setSelText, replaceRange, paste) has every
// line break (CR LF, lone CR, lone LF, U+2028) made CR LF, and a lone surrogate is held as
// U+FFFD, so the buffer's lines never contain a line-break character. An offset that falls
// inside a CR LF pair or a surrogate pair is moved out of it: a start or caret to the pair's
// start, the end of a range to the pair's end.
//
// Two implementations: ScintillaBuffer (the real editor) and TextBuffer (in memory, for
// tests and for the hidden scratch editors).
#pragma once

#include <QString>
#include <QStringList>

enum class Highlighter { HTML, CSS, JavaScript, XML, PHP };
QString highlighterName(Highlighter h);

// The line-break style the buffer detected the last time its whole text was set.
enum class LineBreak { CRLF, LF, CR, LS };
QString lineBreakText(LineBreak b);
// U+2028 present: LS; CR without LF: CR; LF without CR: LF; otherwise CR LF.
LineBreak detectLineBreak(QStringView text);

struct Bookmark {
    bool set = false;
    int column = 0; // 1-based
    int line = 0;   // 1-based
};

class EditorBuffer
{
public:
    virtual ~EditorBuffer() = default;

    // Whole text, CR LF joined.
    virtual QString text() const = 0;
    virtual qsizetype length() const = 0;
    // count units from the 0-based offset start, clamped to the text; reads only that part
    // where the editor allows it.
    virtual QString textRange(qsizetype start, qsizetype count) const;
    // Replaces the whole text as one edit that undo takes back (commands). The line-break
    // style is detected from the given text; every break becomes CR LF in the buffer.
    virtual void setText(const QString &text) = 0;
    // Replaces the whole text as a fresh document: no undo step, history cleared, caret at
    // 0, not modified (opening and reloading a file).
    virtual void loadText(const QString &text) = 0;
    virtual LineBreak lineBreak() const = 0;

    virtual int lineCount() const = 0;
    virtual QString line(int index) const = 0; // 0-based line index
    QStringList lines() const;

    // Replaces count units at the 0-based offset start as one undoable edit (no selection
    // afterwards, caret after the inserted text).
    virtual void replaceRange(qsizetype start, qsizetype count, const QString &with) = 0;

    virtual QString selText() const = 0;
    // Replaces the selection (or inserts at the caret) as one undoable edit; afterwards the
    // caret stands right after the inserted text and nothing is selected.
    virtual void setSelText(const QString &text) = 0;
    virtual qsizetype selStart() const = 0;
    virtual void setSelStart(qsizetype offset) = 0; // drops the selection
    virtual qsizetype selLength() const = 0;
    virtual void setSelLength(qsizetype length) = 0; // from SelStart onward
    // Selects length units from start (start, then length, as the convention says).
    void select(qsizetype start, qsizetype length)
    {
        setSelStart(start);
        setSelLength(length);
    }

    virtual int caretX() const = 0;
    virtual int caretY() const = 0;
    virtual void setCaretXY(int x, int y) = 0;
    // (column, line), both 1-based, of a 0-based offset.
    virtual void offsetToCaret(qsizetype offset, int *column, int *line) const = 0;
    virtual void gotoLineAndCenter(int line) = 0;

    virtual bool modified() const = 0;
    virtual void setModified(bool modified) = 0;

    virtual void undo() = 0;
    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    virtual void selectAll() = 0;

    virtual bool wordWrap() const = 0;
    virtual void setWordWrap(bool on) = 0;

    virtual void setBookmark(int n, int column, int line) = 0;
    virtual void clearBookmark(int n) = 0;
    virtual Bookmark bookmark(int n) const = 0;
    virtual void gotoBookmark(int n) = 0;

    virtual Highlighter highlighter() const = 0;
    virtual void setHighlighter(Highlighter h) = 0;

    virtual void focus() = 0;
};

// Every line break (CR LF, lone CR, lone LF, U+2028) becomes CR LF.
QString normalizeLineBreaks(const QString &text);
// The text as a buffer holds it: line breaks made CR LF and lone surrogates made U+FFFD.
QString editorText(const QString &text);
// Moves an offset inside a CR LF pair or a surrogate pair of text to the pair's start
// (forward false) or its end (forward true); other offsets are returned unchanged.
qsizetype snapOffset(QStringView text, qsizetype offset, bool forward);

// Shared helpers over the buffer.
// If the selected text is blank, collapses the selection to its start (the blank text
// stays in the document); otherwise nothing changes.
void TrimBlankSelection(EditorBuffer &buffer);
// Nothing when index < 1; otherwise goes to the line of the unit at the 0-based offset
// index plus 3 (at most the last line) and centres it.
void RevealOffset(EditorBuffer &buffer, qsizetype index);

// EditorBuffer over the QScintilla editor.
//
// Scintilla holds UTF-8 bytes; the logic counts UTF-16 units. Offsets are converted
// through Scintilla's UTF-16 line index (the line of a UTF-16 offset and the UTF-16 start
// of a line in O(log n)), then a walk inside that one line; an all-ASCII line needs no
// walk. Texts are set and read by length, so a NUL never cuts them.
//
// The document only ever holds CR LF line breaks (every text is normalised on the way
// in) and no edit starts or ends inside a CR LF pair: Scintilla's UTF-16 line index goes
// wrong when an edit joins a CR and an LF or splits them.
#pragma once

#include "editing/editorbuffer.h"

#include <array>
#include <functional>

class SynEdit;

class ScintillaBuffer : public EditorBuffer
{
public:
    explicit ScintillaBuffer(SynEdit *editor);

    QString text() const override;
    qsizetype length() const override;
    QString textRange(qsizetype start, qsizetype count) const override;
    void setText(const QString &text) override;
    void loadText(const QString &text) override;
    LineBreak lineBreak() const override { return m_lineBreak; }

    int lineCount() const override;
    QString line(int index) const override;

    void replaceRange(qsizetype start, qsizetype count, const QString &with) override;

    QString selText() const override;
    void setSelText(const QString &text) override;
    qsizetype selStart() const override;
    void setSelStart(qsizetype offset) override;
    qsizetype selLength() const override;
    void setSelLength(qsizetype length) override;

    int caretX() const override;
    int caretY() const override;
    void setCaretXY(int x, int y) override;
    void offsetToCaret(qsizetype offset, int *column, int *line) const override;
    void gotoLineAndCenter(int line) override;

    bool modified() const override;
    void setModified(bool modified) override;

    void undo() override;
    void cut() override;
    void copy() override;
    void paste() override;
    void selectAll() override;

    bool wordWrap() const override;
    void setWordWrap(bool on) override;

    void setBookmark(int n, int column, int line) override;
    void clearBookmark(int n) override;
    Bookmark bookmark(int n) const override;
    void gotoBookmark(int n) override;

    Highlighter highlighter() const override;
    void setHighlighter(Highlighter h) override;

    void focus() override;

    SynEdit *editor() const { return m_editor; }

    // Offset conversions (UTF-16 offset <-> Scintilla byte position). An offset inside a
    // CR LF pair or a surrogate pair goes to the pair's start, or its end when forward.
    long bytePos(qsizetype u16, bool forward = false) const;
    qsizetype u16Pos(long bytePos) const;

private:
    // One document line: byte and UTF-16 positions of its start, its content end (before
    // the line break) and the next line's start.
    struct LineSpan {
        long line;
        long byteStart, byteEnd, byteNext;
        qsizetype u16Start, u16Next;
        bool ascii() const { return byteNext - byteStart == long(u16Next - u16Start); }
        qsizetype u16End() const { return u16Next - (byteNext - byteEnd); }
    };
    LineSpan span(long line) const;
    long send(unsigned int msg, unsigned long w = 0, long l = 0) const;
    const char *rangePointer(long from, long length) const;
    QString range(long from, long to) const;
    void replaceBytes(long from, long to, const char *utf8, long size);
    void moveCaret(long byte);
    int lines() const;
    void withoutModifyNotifications(const std::function<void()> &edit);

    SynEdit *m_editor;
    LineBreak m_lineBreak = LineBreak::CRLF;
    bool m_forcedModified = false;
    struct Mark {
        int handle = -1;
        int column = 0;
    };
    std::array<Mark, 10> m_marks{};
};

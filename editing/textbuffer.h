// EditorBuffer in memory: the tests' editor and the hidden scratch editors.
#pragma once

#include "editing/editorbuffer.h"

#include <QList>
#include <array>

class TextBuffer : public EditorBuffer
{
public:
    TextBuffer() = default;
    explicit TextBuffer(const QString &text) { loadText(text); }

    QString text() const override { return m_text; }
    qsizetype length() const override { return m_text.size(); }
    void setText(const QString &text) override;
    void loadText(const QString &text) override;
    LineBreak lineBreak() const override { return m_lineBreak; }

    int lineCount() const override;
    QString line(int index) const override;

    void replaceRange(qsizetype start, qsizetype count, const QString &with) override;

    QString selText() const override;
    void setSelText(const QString &text) override;
    qsizetype selStart() const override { return m_selStart; }
    void setSelStart(qsizetype offset) override;
    qsizetype selLength() const override { return m_selLength; }
    void setSelLength(qsizetype length) override;

    int caretX() const override;
    int caretY() const override;
    void setCaretXY(int x, int y) override;
    void offsetToCaret(qsizetype offset, int *column, int *line) const override;
    void gotoLineAndCenter(int line) override;

    bool modified() const override { return m_modified; }
    void setModified(bool modified) override { m_modified = modified; }

    void undo() override;
    void cut() override;
    void copy() override;
    void paste() override;
    void selectAll() override;

    bool wordWrap() const override { return m_wordWrap; }
    void setWordWrap(bool on) override { m_wordWrap = on; }

    void setBookmark(int n, int column, int line) override;
    void clearBookmark(int n) override;
    Bookmark bookmark(int n) const override;
    void gotoBookmark(int n) override;

    Highlighter highlighter() const override { return m_highlighter; }
    void setHighlighter(Highlighter h) override { m_highlighter = h; }

    void focus() override {}

    // The in-memory clipboard of cut, copy and paste.
    static QString &clipboard();
    int undoDepth() const { return int(m_undo.size()); }

private:
    struct State {
        QString text;
        qsizetype selStart, selLength;
    };
    void pushUndo();
    qsizetype lineStart(int index) const;

    QString m_text;
    LineBreak m_lineBreak = LineBreak::CRLF;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
    qsizetype m_caret = 0;
    bool m_modified = false;
    bool m_wordWrap = true;
    Highlighter m_highlighter = Highlighter::HTML;
    std::array<Bookmark, 10> m_bookmarks{};
    QList<State> m_undo;
};

// Every line break (CR LF, lone CR, lone LF, U+2028) becomes CR LF.
QString normalizeLineBreaks(const QString &text);

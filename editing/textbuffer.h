// EditorBuffer in memory: the tests' editor and the hidden scratch editors.
//
// It behaves as the real editor does wherever the logic can see it: the same line-break
// and surrogate rules, undo steps that restore the text exactly, a modified flag that
// clears when undo returns to the saved state, and bookmarks that follow the edits.
#pragma once

#include "editing/editorbuffer.h"

#include <QList>
#include <array>
#include <vector>

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

    bool modified() const override { return m_forcedModified || m_state != m_savedState; }
    void setModified(bool modified) override;

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
    // One undo step: the text that was removed at start, and the length put there.
    struct Step {
        qsizetype start;
        QString removed;
        qsizetype insertedLength;
        quint64 previousState;
    };
    // Replaces count units at start by text (already in buffer form) and moves the
    // bookmarks as the editor's markers move; returns nothing, records no undo step.
    void apply(qsizetype start, qsizetype count, const QString &text);
    void edit(qsizetype start, qsizetype count, const QString &text);
    const std::vector<qsizetype> &starts() const;
    int lineOf(qsizetype offset) const; // 0-based

    QString m_text;
    LineBreak m_lineBreak = LineBreak::CRLF;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
    qsizetype m_caret = 0;
    bool m_forcedModified = false;
    quint64 m_state = 0, m_savedState = 0, m_nextState = 0;
    bool m_wordWrap = true;
    Highlighter m_highlighter = Highlighter::HTML;
    std::array<Bookmark, 10> m_bookmarks{};
    QList<Step> m_undo;
    mutable std::vector<qsizetype> m_starts; // line starts; empty when stale
};

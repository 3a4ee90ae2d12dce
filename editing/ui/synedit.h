// The source editor widget: QScintilla configured as the page editor (fonts, tabs,
// highlighters, gutter with bookmarks, word wrap, completion list).
#pragma once

#include "editing/editorbuffer.h"

#include <Qsci/qsciscintilla.h>
#include <QAccessible>
#include <QTimer>
#include <memory>

class QsciLexer;

// The foreground attributes of the HTML highlighter that the settings may colour.
enum class HtmlAttr { Keyword, Identifier, Value, Comment, Entity };

class SynEdit : public QsciScintilla, private QAccessible::ActivationObserver
{
    Q_OBJECT
public:
    explicit SynEdit(QWidget *parent = nullptr);
    ~SynEdit() override;

    Highlighter highlighter() const { return m_highlighter; }
    void setHighlighter(Highlighter h);

    // Font size in points (the settings' unit); the start size is 13 pixels.
    int fontPoints() const { return m_fontPoints; }
    void setFontPoints(int points);
    QString fontFamily() const { return m_font.family(); }

    // Colour values have red in the low byte.
    quint32 htmlColor(HtmlAttr attr) const;
    void setHtmlColor(HtmlAttr attr, quint32 color);

    // Gutter: width 45 with line numbers, 25 without.
    void setLineNumbers(bool on);
    bool lineNumbers() const { return m_lineNumbers; }
    int gutterWidth() const;

    // Word wrap that never freezes on a big text: see ScintillaBuffer::loadText.
    bool wordWrapOn() const { return m_wrap; }
    void setWordWrapOn(bool on);
    // Switches wrapping off while a whole text is set, and back afterwards.
    void suspendWrap();
    void resumeWrap();

    // QScintilla reports every insertion and deletion (and every caret move) to
    // accessibility clients with its offset in characters, counted from the start of the
    // text each time: one keystroke at the end of a 50 MB page costs a third of a second.
    // Those reports (and with them the textChanged() and linesChanged() signals) are made
    // only while such a client listens, and never while a whole text is loaded. Use
    // modificationChanged() or the buffer.
    bool textReports() const;
    void suspendTextReports();
    void resumeTextReports();

    // Scrolls the caret into view (and makes its column the one that up and down keep)
    // when control returns to the event loop; many moves in one command cost one layout.
    void scrollCaretLater();

    // The completion list of tag snippets: (entry, inserted text) in list order.
    static const QList<QPair<QString, QString>> &completionEntries();
    void showCompletion();
    bool completionActive() const;
    // The entries the open list shows, in order.
    QStringList completionShown() const { return completionActive() ? m_complShown : QStringList(); }

Q_SIGNALS:
    void gutterClicked(int line);   // 1-based line
    void clicked();
    void keyReleased();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void applyFont();
    void applyHtmlColors();
    void onCharAdded(int ch);
    void onAutoCSelection(const char *selection, int position, int ch, int method);
    void refreshCompletion();
    void accessibilityActiveChanged(bool active) override;
    void applyEventMask();

    Highlighter m_highlighter = Highlighter::HTML;
    std::unique_ptr<QsciLexer> m_lexers[5];
    QFont m_font;
    int m_fontPoints = 10;
    int m_pixelHeight = 0; // the start font is given in pixels; 0 once a point size is set
    bool m_lineNumbers = true;
    bool m_wrap = true;
    int m_wrapSuspended = 0;
    bool m_scrollPending = false;
    int m_reportsSuspended = 0;
    quint32 m_htmlColors[5];
    long m_complStart = -1; // byte position where the token being completed starts
    bool m_complFromLt = false; // the token starts with the "<" typed or found there
    QTimer m_complTimer;
    QStringList m_complShown;
};

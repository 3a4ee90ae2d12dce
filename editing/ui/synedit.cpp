#include "editing/ui/synedit.h"

#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qscilexerxml.h>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

QColor toQColor(quint32 c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
quint32 fromQColor(const QColor &c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

// The HTML lexer styles behind each settable attribute.
QList<int> stylesOf(HtmlAttr a)
{
    switch (a) {
    case HtmlAttr::Keyword: return {QsciLexerHTML::Tag, QsciLexerHTML::UnknownTag, QsciLexerHTML::XMLTagEnd};
    case HtmlAttr::Identifier: return {QsciLexerHTML::Attribute, QsciLexerHTML::UnknownAttribute};
    case HtmlAttr::Value:
        return {QsciLexerHTML::HTMLDoubleQuotedString, QsciLexerHTML::HTMLSingleQuotedString,
                QsciLexerHTML::HTMLNumber, QsciLexerHTML::HTMLValue, QsciLexerHTML::OtherInTag};
    case HtmlAttr::Comment: return {QsciLexerHTML::HTMLComment, QsciLexerHTML::SGMLComment};
    case HtmlAttr::Entity: return {QsciLexerHTML::Entity};
    }
    return {};
}

constexpr int kCompletionMaxRows = 10;
constexpr int kCompletionDelayMs = 100;

// While no accessibility client listens, the editor gets a plain accessible object. The
// one QScintilla would create counts the characters from the start of the text to the
// caret after every move of the caret (a tenth of a second at the end of a 40 MB page).
class PlainEditorAccessible : public QAccessibleWidget
{
public:
    explicit PlainEditorAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::EditableText) {}
};

QAccessibleInterface *plainEditorAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("SynEdit") && object && object->isWidgetType() && !QAccessible::isActive())
        return new PlainEditorAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

const QList<QPair<QString, QString>> &SynEdit::completionEntries()
{
    static const QList<QPair<QString, QString>> entries = {
        {"<a href", "<a href=\"https://www.example.com\" target=\"_blank\">Link</a>"},
        {"<adress>", "<address></address>"},
        {"<area>", "<area shape=\"rect\" coords=\"0,0,0,0\" href=\"https://www.example.com/\" alt=\"caption\" title=\"comment\">"},
        {"<b>", "<b></b>"},
        {"<bgsound>", "<bgsound src=\"background.mid\" loop=\"infinite\">Microsoft (use embed for Netscape)"},
        {"<blockquote>", "<blockquote></blockquote>"},
        {"<body>", "<body background=\"background.jpg\" bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#FF9966\" vlink=\"#FF9900\" alink=\"#800080\"></body>"},
        {"<br>", "<br />"},
        {"<button>", "<button type=\"button\" name=\"Name\" value=\"Wert\" onclick=\"MyScript\"></button>"},
        {"<div>", "<div style=\"text-align:left; padding:20px; border:thin solid red; margin:25px\"></div>"},
        {"<embed>", "<embed src=\"background.mid\" autostart=\"true\" loop=\"true\" hidden=\"true\" height=\"0\" width=\"0\">"},
        {"<form>", "<form action=\"https://www.example.com/cgi-bin/form.cgi\" method=\"get\"></form>"},
        {"<font>", "<font face=\"Arial,Verdana\" size=\"7\" color=\"#FF0000\"></font>"},
        {"<frame>", "<frame src=\"mypage.htm\" name=\"left\">"},
        {"<frameset>", "<frameset rows=\"100,*,60\">"},
        {"<h1>", "<h1></h1>"},
        {"<head>", "<head></head>"},
        {"<hr>", "<hr id=\"0\" />"},
        {"<html>", "<html></html>"},
        {"<iframe>", "<iframe src=\"mypage.html\" width=\"90%\" height=\"400\" name=\"inline page\"></iframe>"},
        {"<img >", "<img src=\"mypic.jpg\" width=\"320\" height=\"400\" border=\"0\" alt=\"comment /\">"},
        {"<input>", "<input name=\"name\" type=\"text\" size=\"30\" maxlength=\"30\" />"},
        {"<li>", "<li></li>"},
        {"<map>", "<map name=\"MyMap\"></map>"},
        {"<meta>", "<meta name=\"keywords\" lang=\"de\" content=\"Ferien,Sonne,Spanien\" />"},
        {"<nobr>", "<nobr></nobr>"},
        {"<noframes>", "<noframes></noframes>"},
        {"<noscript>", "<noscript></noscript>"},
        {"<ol>", "<ol type=\"1\" start=\"1\"></ol>"},
        {"<p>", "<p></p>"},
        {"<pre>", "<pre width=\"50\"></pre>"},
        {"<script>", "<script type=\"text/javascript\">$ret ...$ret</script>"},
        {"<select>", "<select name=\"top5\" size=\"3\"><option></option></select>"},
        {"<span>", "<span class=\"MyStyle\"></span>"},
        {"<strike>", "<strike></strike>"},
        {"<strong>", "<strong></strong>"},
        {"<style>", "<style type=\"text/css\"></style>"},
        {"<sub>", "<sub></sub>"},
        {"<sup>", "<sup></sup>"},
        {"<table>", "<table border=\"1\" bgcolor=\"#FFFF00\" cellspacing=\"0\" cellpadding=\"0\" width=\"90%\" height=\"200\"></table>"},
        {"<tr>", "<tr><td align=\"left\" valign=\"top\" height=\"75\" style=\"background-image:url(background.jpg)\"></td></tr>"},
        {"<td>", "<td align=\"left\" valign=\"top\" height=\"75\" style=\"background-image:url(background.jpg)\"></td>"},
        {"<textarea>", "<textarea cols=\"1\" rows=\"5\" name=\"ThisName\"></textarea>"},
        {"<head>", "<head></head>"},
        {"<title>", "<title></title>"},
        {"<u>", "<u></u>"},
        {"<ul>", "<ul type=\"circle/disc/square\">$ret<li></li>$ret</ul>"},
        {"<!doctype>", "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"},
    };
    return entries;
}

SynEdit::SynEdit(QWidget *parent) : QsciScintilla(parent)
{
    setObjectName(QStringLiteral("SynMemo1"));
    setUtf8(true);
    SendScintilla(SCI_SETCODEPAGE, SC_CP_UTF8);
    setEolMode(EolWindows);
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);

    m_font = QFont(QStringLiteral("Courier New"));
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setFixedPitch(true);
    m_pixelHeight = 13;

    m_htmlColors[int(HtmlAttr::Keyword)] = 0x800000;    // navy
    m_htmlColors[int(HtmlAttr::Identifier)] = 0x800080; // purple
    m_htmlColors[int(HtmlAttr::Value)] = 0xFF0000;      // blue
    m_htmlColors[int(HtmlAttr::Comment)] = 0x008080;    // olive
    m_htmlColors[int(HtmlAttr::Entity)] = 0x0000FF;     // red

    m_lexers[int(Highlighter::HTML)] = std::make_unique<QsciLexerHTML>();
    m_lexers[int(Highlighter::CSS)] = std::make_unique<QsciLexerCSS>();
    m_lexers[int(Highlighter::JavaScript)] = std::make_unique<QsciLexerJavaScript>();
    auto xml = std::make_unique<QsciLexerXML>();
    xml->setScriptsStyled(false);
    m_lexers[int(Highlighter::XML)] = std::move(xml);
    m_lexers[int(Highlighter::PHP)] = std::make_unique<QsciLexerHTML>();

    // Tabs: width 3, the Tab key inserts, tabs become spaces.
    setTabWidth(3);
    setIndentationsUseTabs(false);
    setTabIndents(true);
    setBackspaceUnindents(true);
    setAutoIndent(true);
    SendScintilla(SCI_SETENDATLASTLINE, 0L);
    setAutoCompletionSource(AcsNone);

    // Gutter: margin 0 carries the line numbers and the ten bookmarks.
    for (int m = 1; m < 5; ++m)
        setMarginWidth(m, 0);
    for (int n = 0; n < 10; ++n) {
        SendScintilla(SCI_MARKERDEFINE, n, SC_MARK_CHARACTER + '0' + n);
        SendScintilla(SCI_MARKERSETFORE, n, QColor(Qt::white));
        SendScintilla(SCI_MARKERSETBACK, n, QColor(0, 0, 128));
    }
    SendScintilla(SCI_SETMARGINMASKN, 0, 0x3FFL);
    setMarginSensitivity(0, true);
    connect(this, &QsciScintilla::marginClicked, this,
            [this](int, int line, Qt::KeyboardModifiers) { Q_EMIT gutterClicked(line + 1); });
    setLineNumbers(true);

    setHighlighter(Highlighter::HTML);
    setWordWrapOn(true);
    setEdgeMode(EdgeLine);
    // Painting styles only what is in view at once; the rest of the text is styled in idle
    // time, so that a jump into a big unstyled page does not wait for the highlighter.
    SendScintilla(SCI_SETIDLESTYLING, static_cast<unsigned long>(SC_IDLESTYLING_ALL));
    setCaretLineVisible(false);

    SendScintilla(SCI_AUTOCSETSEPARATOR, long('\n'));
    SendScintilla(SCI_AUTOCSETORDER, long(SC_ORDER_CUSTOM));
    SendScintilla(SCI_AUTOCSETIGNORECASE, 1L);
    SendScintilla(SCI_AUTOCSETMAXHEIGHT, long(kCompletionMaxRows));
    SendScintilla(SCI_AUTOCSETFILLUPS, "()[]. ");
    SendScintilla(SCI_AUTOCSETCANCELATSTART, 0L);
    SendScintilla(SCI_AUTOCSETAUTOHIDE, 0L);
    m_complTimer.setSingleShot(true);
    m_complTimer.setInterval(kCompletionDelayMs);
    connect(&m_complTimer, &QTimer::timeout, this, &SynEdit::refreshCompletion);
    connect(this, &QsciScintillaBase::SCN_CHARADDED, this, &SynEdit::onCharAdded);
    connect(this, qOverload<const char *, int, int, int>(&QsciScintillaBase::SCN_AUTOCSELECTION), this,
            &SynEdit::onAutoCSelection);
    connect(this, &QsciScintillaBase::SCN_AUTOCCANCELLED, this, [this] { m_complStart = -1; });

    viewport()->installEventFilter(this);
    static const bool plainAccessibleInstalled = (QAccessible::installFactory(plainEditorAccessible), true);
    Q_UNUSED(plainAccessibleInstalled);
    QAccessible::installActivationObserver(this);
    applyEventMask();
}

SynEdit::~SynEdit()
{
    QAccessible::removeActivationObserver(this);
    setLexer(nullptr);
}

namespace {
// Every modification notification but those of text insertions and deletions (whose
// modification types also carry the "performed by", undo-step and action bits).
constexpr unsigned long kQuietEvents = QsciScintillaBase::SC_MOD_CHANGESTYLE | QsciScintillaBase::SC_MOD_CHANGEFOLD
    | QsciScintillaBase::SC_MOD_CHANGEMARKER | QsciScintillaBase::SC_MOD_CHANGEINDICATOR
    | QsciScintillaBase::SC_MOD_CHANGELINESTATE | QsciScintillaBase::SC_MOD_CHANGEMARGIN
    | QsciScintillaBase::SC_MOD_CHANGEANNOTATION | QsciScintillaBase::SC_MOD_LEXERSTATE
    | QsciScintillaBase::SC_MOD_CONTAINER | QsciScintillaBase::SC_MOD_CHANGETABSTOPS;
} // namespace


bool SynEdit::textReports() const
{
    return (SendScintilla(SCI_GETMODEVENTMASK) & SC_MOD_INSERTTEXT) != 0;
}

void SynEdit::applyEventMask()
{
    const bool reports = m_reportsSuspended == 0 && QAccessible::isActive();
    SendScintilla(SCI_SETMODEVENTMASK, reports ? static_cast<unsigned long>(SC_MODEVENTMASKALL) : kQuietEvents);
}

void SynEdit::accessibilityActiveChanged(bool active)
{
    // A client now listens: the plain object goes, so that QScintilla's is made for it.
    if (active)
        if (QAccessibleInterface *i = QAccessible::queryAccessibleInterface(this))
            if (dynamic_cast<PlainEditorAccessible *>(i))
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(i));
    applyEventMask();
}

void SynEdit::suspendTextReports()
{
    if (m_reportsSuspended++ == 0)
        applyEventMask();
}

void SynEdit::resumeTextReports()
{
    if (m_reportsSuspended > 0 && --m_reportsSuspended == 0)
        applyEventMask();
}

void SynEdit::setHighlighter(Highlighter h)
{
    m_highlighter = h;
    QsciLexer *lexer = m_lexers[int(h)].get();
    setLexer(lexer);
    applyFont();
    if (h == Highlighter::HTML || h == Highlighter::PHP)
        applyHtmlColors();
    setProperty("highlighter", highlighterName(h));
}

void SynEdit::applyFont()
{
    // Scintilla sizes its styles in points: a height given in pixels becomes the point
    // size of that many pixels on this screen.
    const double dpi = std::max(1, logicalDpiY());
    auto sized = [&](double pixels, int points) {
        QFont f = m_font;
        if (pixels > 0)
            f.setPointSizeF(pixels * 72.0 / dpi);
        else
            f.setPointSize(std::max(1, points));
        return f;
    };
    const QFont text = sized(m_pixelHeight, m_fontPoints);
    QsciLexer *lexer = m_lexers[int(m_highlighter)].get();
    if (lexer) {
        lexer->setDefaultFont(text);
        lexer->setFont(text, -1);
    }
    setFont(text);
    setMarginsFont(sized(m_pixelHeight > 0 ? 11 : 0, m_fontPoints - 2));
}

void SynEdit::applyHtmlColors()
{
    for (QsciLexer *lexer : {m_lexers[int(Highlighter::HTML)].get(), m_lexers[int(Highlighter::PHP)].get()})
        for (int a = 0; a < 5; ++a)
            for (int style : stylesOf(HtmlAttr(a)))
                lexer->setColor(toQColor(m_htmlColors[a]), style);
}

void SynEdit::setFontPoints(int points)
{
    if (points <= 0)
        return;
    m_fontPoints = points;
    m_pixelHeight = 0;
    applyFont();
}

quint32 SynEdit::htmlColor(HtmlAttr attr) const { return m_htmlColors[int(attr)]; }

void SynEdit::setHtmlColor(HtmlAttr attr, quint32 color)
{
    m_htmlColors[int(attr)] = color & 0xFFFFFF;
    applyHtmlColors();
    Q_UNUSED(fromQColor);
}

void SynEdit::setLineNumbers(bool on)
{
    m_lineNumbers = on;
    setMarginType(0, on ? NumberMargin : SymbolMargin);
    setMarginLineNumbers(0, on);
    setMarginWidth(0, on ? 45 : 25);
}

int SynEdit::gutterWidth() const
{
    int w = 0;
    for (int m = 0; m < 5; ++m)
        w += marginWidth(m);
    return w;
}

void SynEdit::setWordWrapOn(bool on)
{
    m_wrap = on;
    if (m_wrapSuspended == 0)
        setWrapMode(on ? WrapWord : WrapNone);
}

void SynEdit::suspendWrap()
{
    if (m_wrapSuspended++ == 0 && m_wrap)
        setWrapMode(WrapNone);
}

void SynEdit::resumeWrap()
{
    if (m_wrapSuspended > 0 && --m_wrapSuspended == 0 && m_wrap)
        setWrapMode(WrapWord);
}

void SynEdit::scrollCaretLater()
{
    if (m_scrollPending)
        return;
    m_scrollPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_scrollPending = false;
            SendScintilla(SCI_SCROLLCARET);
            SendScintilla(SCI_CHOOSECARETX);
        },
        Qt::QueuedConnection);
}

bool SynEdit::completionActive() const { return SendScintilla(SCI_AUTOCACTIVE) != 0; }

void SynEdit::showCompletion()
{
    // The token being completed starts at the nearest "<" before the caret on its line.
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    const long line = SendScintilla(SCI_LINEFROMPOSITION, caret);
    const long begin = SendScintilla(SCI_POSITIONFROMLINE, line);
    long start = caret;
    for (long p = caret - 1; p >= begin && caret - p <= 32; --p) {
        const int ch = int(SendScintilla(SCI_GETCHARAT, p)) & 0xFF;
        if (ch == '<') {
            start = p;
            break;
        }
        if (ch == ' ' || ch == '>' || ch == '\t')
            break;
    }
    m_complStart = start;
    m_complFromLt = start < caret;
    refreshCompletion();
}

void SynEdit::refreshCompletion()
{
    if (m_complStart < 0)
        return;
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    // A list opened at a "<" closes when that "<" is gone.
    const bool ltGone = m_complFromLt && (caret <= m_complStart || (SendScintilla(SCI_GETCHARAT, m_complStart) & 0xFF) != '<');
    if (caret < m_complStart || ltGone) {
        SendScintilla(SCI_AUTOCCANCEL);
        m_complStart = -1;
        return;
    }
    QByteArray typed(int(caret - m_complStart), Qt::Uninitialized);
    for (long p = m_complStart; p < caret; ++p)
        typed[int(p - m_complStart)] = char(SendScintilla(SCI_GETCHARAT, p));
    const QString prefix = QString::fromUtf8(typed);
    QStringList shown;
    for (const auto &e : completionEntries())
        if (e.first.startsWith(prefix, Qt::CaseInsensitive) && !shown.contains(e.first))
            shown << e.first;
    if (shown.isEmpty()) {
        SendScintilla(SCI_AUTOCCANCEL);
        m_complStart = -1;
        return;
    }
    m_complShown = shown;
    const long keep = m_complStart;
    SendScintilla(SCI_AUTOCSHOW, static_cast<unsigned long>(caret - m_complStart), shown.join(QLatin1Char('\n')).toUtf8().constData());
    m_complStart = keep;
}

void SynEdit::onCharAdded(int ch)
{
    if (ch == '<') {
        m_complStart = SendScintilla(SCI_GETCURRENTPOS) - 1;
        m_complFromLt = true;
        m_complTimer.start();
    } else if (m_complStart >= 0) {
        if (completionActive())
            refreshCompletion();
        else
            m_complTimer.start();
    }
}

void SynEdit::onAutoCSelection(const char *selection, int position, int, int)
{
    const QString entry = QString::fromUtf8(selection);
    QString insert;
    for (const auto &e : completionEntries())
        if (e.first == entry) {
            insert = e.second;
            break;
        }
    SendScintilla(SCI_AUTOCCANCEL);
    m_complStart = -1;
    if (insert.isEmpty())
        return;
    insert.replace(QStringLiteral("$ret"), QStringLiteral("\r\n"));
    const QByteArray bytes = insert.toUtf8();
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    SendScintilla(SCI_BEGINUNDOACTION);
    SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(position), caret);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(position + bytes.size()));
    SendScintilla(SCI_ENDUNDOACTION);
}

void SynEdit::keyPressEvent(QKeyEvent *e)
{
    // Ctrl+End (with Shift: selecting): Scintilla's own command wraps every line still
    // waiting to be wrapped before it moves (half a minute on a 50 MB page); placing the
    // caret and scrolling to it wraps only what comes into view.
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (e->key() == Qt::Key_End && (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))) {
        if (completionActive())
            SendScintilla(SCI_AUTOCCANCEL);
        const long end = SendScintilla(SCI_GETLENGTH);
        if (mods & Qt::ShiftModifier)
            SendScintilla(SCI_SETSELECTION, static_cast<unsigned long>(end), SendScintilla(SCI_GETANCHOR));
        else
            SendScintilla(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(end));
        SendScintilla(SCI_SCROLLCARET);
        SendScintilla(SCI_CHOOSECARETX);
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Space && (e->modifiers() & Qt::ControlModifier)) {
        showCompletion();
        return;
    }
    // A completion key pressed before the list appeared completes all the same.
    if (m_complTimer.isActive() && (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        m_complTimer.stop();
        refreshCompletion();
    }
    QsciScintilla::keyPressEvent(e);
    // Deleting widens the list again (typing narrows it through SCN_CHARADDED).
    if (e->key() == Qt::Key_Backspace && m_complStart >= 0 && (completionActive() || m_complTimer.isActive())) {
        m_complTimer.stop();
        refreshCompletion();
    }
}

void SynEdit::paintEvent(QPaintEvent *e)
{
    // Lines are wrapped only once they are styled, and Scintilla styles a text in order
    // from where it stopped: painting the end of a big page whose styling is still under
    // way in idle time would first style everything above it (seconds for 50 MB). Such a
    // paint styles from a little above the view instead; the idle styling then goes on
    // from where it was and restyles these lines in their turn.
    constexpr long kLeadLines = 50;
    constexpr long kFarAhead = 1 << 18;
    if (wrapMode() != WrapNone) {
        const long styled = SendScintilla(SCI_GETENDSTYLED);
        const long top = SendScintilla(SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(SendScintilla(SCI_GETFIRSTVISIBLELINE)));
        const long from = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(std::max(0L, top - kLeadLines)));
        if (from - styled > kFarAhead) {
            SendScintilla(SCI_STARTSTYLING, static_cast<unsigned long>(from));
            QsciScintilla::paintEvent(e);
            if (SendScintilla(SCI_GETENDSTYLED) > styled)
                SendScintilla(SCI_STARTSTYLING, static_cast<unsigned long>(styled));
            return;
        }
    }
    QsciScintilla::paintEvent(e);
}

void SynEdit::keyReleaseEvent(QKeyEvent *e)
{
    QsciScintilla::keyReleaseEvent(e);
    Q_EMIT keyReleased();
}

void SynEdit::mouseReleaseEvent(QMouseEvent *e)
{
    QsciScintilla::mouseReleaseEvent(e);
}

bool SynEdit::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == viewport() && e->type() == QEvent::MouseButtonRelease)
        Q_EMIT clicked();
    return QsciScintilla::eventFilter(watched, e);
}

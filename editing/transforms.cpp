#include "editing/transforms.h"

#include "editing/textops.h"

namespace sx {

namespace {

using Mark = ProtectedText::Mark;

QLatin1String openTag(BlockKind kind)
{
    return kind == BlockKind::Script ? QLatin1String("<script") : QLatin1String("<style");
}

QLatin1String closeTag(BlockKind kind)
{
    return kind == BlockKind::Script ? QLatin1String("</script>") : QLatin1String("</style>");
}

QStringList &blocksOf(ProtectedText &t, BlockKind kind)
{
    return kind == BlockKind::Script ? t.ScriptBlocks : t.StyleBlocks;
}

QList<QList<Mark>> &innerOf(ProtectedText &t, BlockKind kind)
{
    return kind == BlockKind::Script ? t.scriptInner : t.styleInner;
}

// 0-based index of needle (ASCII letters in any case) in text at or after from; -1.
qsizetype indexCi(QLatin1String needle, QStringView text, qsizetype from)
{
    const QString n = QString(needle);
    const qsizetype p = posAsciiCi(n, text, from + 1);
    return p - 1;
}

// A block exactly as it was cut: the placeholders inside it replaced by their blocks.
void appendExpanded(QString &out, const ProtectedText &t, BlockKind kind, int slot, int depth)
{
    const QStringList &blocks = kind == BlockKind::Script ? t.ScriptBlocks : t.StyleBlocks;
    const QList<QList<Mark>> &inner = kind == BlockKind::Script ? t.scriptInner : t.styleInner;
    if (slot < 0 || slot >= blocks.size())
        return;
    const QString &block = blocks[slot];
    const QList<Mark> noMarks;
    const QList<Mark> &marks = slot < inner.size() && depth < 8 ? inner[slot] : noMarks;
    qsizetype cursor = 0;
    for (const Mark &m : marks) {
        out.append(QStringView(block).mid(cursor, m.start - cursor));
        appendExpanded(out, t, m.kind, m.slot, depth + 1);
        cursor = m.start + m.length;
    }
    out.append(QStringView(block).mid(cursor));
}

// Appends ceil(run / 64) spaces: what six replace-alls of "  " by " " leave of a run.
inline void appendCollapsedRun(QString &out, qsizetype run)
{
    for (qsizetype k = (run + 63) / 64; k > 0; --k)
        out.append(QLatin1Char(' '));
}

void joinLinesInto(QString &out, QStringView text)
{
    const qsizetype n = text.size();
    const char16_t *s = text.utf16();
    qsizetype run = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n') {
            ++i; // deleted; the spaces on both sides become one run
            continue;
        }
        if (c == u' ') {
            ++run;
            continue;
        }
        if (run) {
            appendCollapsedRun(out, run);
            run = 0;
        }
        out.append(QChar(c));
    }
    appendCollapsedRun(out, run);
}

void breakAfterTagsInto(QString &out, QStringView text)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype gt = text.indexOf(u'>', from);
        if (gt < 0)
            break;
        out.append(text.mid(from, gt + 1 - from));
        out.append(u"\r\n");
        from = gt + 1;
    }
    out.append(text.mid(from));
}

// Rewrites the text between the placeholders with fn; each placeholder is copied as it
// stands, followed by after.
template <class Fn> void mapSegments(ProtectedText &t, Fn fn, QStringView after)
{
    QString out;
    out.reserve(t.text.size() + t.text.size() / 8);
    QList<Mark> marks;
    marks.reserve(t.marks.size());
    const QStringView src(t.text);
    qsizetype cursor = 0;
    for (const Mark &m : std::as_const(t.marks)) {
        fn(out, src.mid(cursor, m.start - cursor));
        Mark moved = m;
        moved.start = out.size();
        marks.append(moved);
        out.append(src.mid(m.start, m.length));
        out.append(after);
        cursor = m.start + m.length;
    }
    fn(out, src.mid(cursor));
    t.text = std::move(out);
    t.marks = std::move(marks);
}

// Next occurrences of the four brackets, for positions that only move forward.
class BracketScanner
{
public:
    explicit BracketScanner(QStringView text) : m_text(text) {}

    // InsideTagOrBraces for the 1-based position q; q must not decrease between calls.
    bool inside(qsizetype q)
    {
        const qsizetype from = q - 1;
        const qsizetype gt = next(u'>', m_gt, from), lt = next(u'<', m_lt, from);
        if (gt >= 0 && (lt < 0 || gt < lt))
            return true;
        const qsizetype cb = next(u'}', m_cb, from), ob = next(u'{', m_ob, from);
        return cb >= 0 && (ob < 0 || cb < ob);
    }

private:
    qsizetype next(char16_t c, qsizetype &cache, qsizetype from)
    {
        if (cache == -1 || cache >= from)
            return cache; // none after an earlier position, or the first one at or after it
        cache = m_text.indexOf(QChar(c), from);
        return cache;
    }

    static constexpr qsizetype kUnknown = -2;
    QStringView m_text;
    qsizetype m_gt = kUnknown, m_lt = kUnknown, m_cb = kUnknown, m_ob = kUnknown;
};

// The units of text from the 1-based position start: a start below 1 counts as 1 with
// the count kept, a range past the end gives what is there.
QStringView window(QStringView text, qsizetype start, qsizetype count)
{
    if (start < 1)
        start = 1;
    if (start > text.size())
        return QStringView();
    return text.mid(start - 1, qMin(count, text.size() - (start - 1)));
}

} // namespace

// ---------------------------------------------------------------------------------------

QString BlockPlaceholder(BlockKind kind, int slot)
{
    return QStringLiteral("<!--%1%2-->")
        .arg(kind == BlockKind::Script ? QLatin1String("script") : QLatin1String("style"))
        .arg(slot);
}

void ProtectBlocks(ProtectedText &t, BlockKind kind)
{
    QStringList &blocks = blocksOf(t, kind);
    QList<QList<Mark>> &inner = innerOf(t, kind);
    blocks.clear();
    inner.clear();
    if (t.text.isEmpty())
        return;
    const QLatin1String open = openTag(kind), close = closeTag(kind);
    const QStringView src(t.text);
    const qsizetype startLength = src.size();

    QString out;
    QList<Mark> marks;
    qsizetype cursor = 0; // src[cursor..] is still to be copied
    qsizetype from = 0;   // where the next opening tag is searched
    qsizetype growth = 0; // length of the text so far minus its length at the start
    qsizetype mi = 0;     // the next placeholder already in the text
    auto copyTo = [&](qsizetype upTo) {
        for (; mi < t.marks.size() && t.marks[mi].start < upTo; ++mi) {
            Mark m = t.marks[mi];
            m.start = out.size() + (m.start - cursor);
            marks.append(m);
        }
        out.append(src.mid(cursor, upTo - cursor));
        cursor = upTo;
    };

    for (;;) {
        const qsizetype p = indexCi(open, src, from);
        if (p < 0)
            break;
        blocks.append(QString());
        inner.append(QList<Mark>());
        const qsizetype q = indexCi(close, src, p + open.size());
        if (q < 0)
            break; // the slot stays empty, the opening tag stays in the text
        const qsizetype end = q + close.size();
        const int slot = int(blocks.size() - 1);
        blocks[slot] = src.mid(p, end - p).toString();
        copyTo(p);
        for (; mi < t.marks.size() && t.marks[mi].start < end; ++mi) {
            Mark m = t.marks[mi];
            m.start -= p;
            inner[slot].append(m);
        }
        const QString placeholder = BlockPlaceholder(kind, slot);
        marks.append({out.size(), placeholder.size(), kind, slot});
        out.append(placeholder);
        cursor = end;
        // The search goes on after the opening tag's name, which now lies inside the
        // placeholder: the placeholder holds no "<" there, so it resumes behind the block.
        from = end;
        const qsizetype blockEnd = end + growth; // 1-based position of its last unit
        growth += placeholder.size() - (end - p);
        if (blockEnd >= startLength)
            break;
    }
    copyTo(src.size());
    t.text = std::move(out);
    t.marks = std::move(marks);
}

void RestoreBlocks(ProtectedText &t, BlockKind kind)
{
    QString out;
    out.reserve(t.text.size() * 2);
    QList<Mark> marks;
    const QStringView src(t.text);
    qsizetype cursor = 0;
    for (const Mark &m : std::as_const(t.marks)) {
        out.append(src.mid(cursor, m.start - cursor));
        if (m.kind == kind) {
            out.append(u"\r\n");
            appendExpanded(out, t, kind, m.slot, 0);
        } else {
            Mark kept = m;
            kept.start = out.size();
            marks.append(kept);
            out.append(src.mid(m.start, m.length));
        }
        cursor = m.start + m.length;
    }
    out.append(src.mid(cursor));
    t.text = std::move(out);
    t.marks = std::move(marks);
}

QString JoinLines(QStringView text)
{
    QString out;
    out.reserve(text.size());
    joinLinesInto(out, text);
    return out;
}

void JoinLines(ProtectedText &t) { mapSegments(t, joinLinesInto, QStringView()); }

QString BreakAfterTags(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    breakAfterTagsInto(out, text);
    return out;
}

void BreakAfterTags(ProtectedText &t) { mapSegments(t, breakAfterTagsInto, u"\r\n"); }

static QString changeLineBreaks(QStringView text, bool join)
{
    ProtectedText t;
    t.text = text.toString();
    ProtectBlocks(t, BlockKind::Script);
    ProtectBlocks(t, BlockKind::Style);
    if (join)
        JoinLines(t);
    else
        BreakAfterTags(t);
    RestoreBlocks(t, BlockKind::Script);
    RestoreBlocks(t, BlockKind::Style);
    return t.text;
}

QString RemoveLineBreaks(QStringView text) { return changeLineBreaks(text, true); }
QString InsertLineBreaks(QStringView text) { return changeLineBreaks(text, false); }

// ---------------------------------------------------------------------------------------

bool InsideTagOrBraces(QStringView text, qsizetype q)
{
    const qsizetype gt = pos(u">", text, q), lt = pos(u"<", text, q);
    if (gt > 0 && (lt == 0 || gt < lt))
        return true;
    const qsizetype cb = pos(u"}", text, q), ob = pos(u"{", text, q);
    return cb > 0 && (ob == 0 || cb < ob);
}

bool IsHyphenException(QStringView text, qsizetype p)
{
    const QStringView near = window(text, p - 4, 10);
    if (near.contains(u"-to-") || near.contains(u"-of-") || near.contains(u"Know-how")
        || near.contains(u"the-art"))
        return true;
    return window(text, p - 15, 25).contains(u"www.");
}

// The step for one hyphen at the 0-based offset at of the original text. Everything
// before it has been copied to out already, with the hyphens removed so far; from the
// hyphen on the text is still the original, so out + text[at..] is the text as it stands
// now. Returns true when the hyphen goes.
static bool TryRemoveHyphen(QStringView text, qsizetype at, const QString &out, BracketScanner &brackets)
{
    if (at + 1 >= text.size() || !isAsciiLower(text[at + 1]))
        return false;
    // Both searches run forward from the hyphen, over text no removal has touched yet.
    if (brackets.inside(at + 1) || brackets.inside(at + 2))
        return false;
    // The exception windows reach back into what the removals before have left: look at
    // the last 15 units written and the next 25 of the original.
    char16_t buffer[40];
    const qsizetype back = qMin<qsizetype>(out.size(), 15);
    const char16_t *o = reinterpret_cast<const char16_t *>(out.constData()) + (out.size() - back);
    qsizetype n = 0;
    for (; n < back; ++n)
        buffer[n] = o[n];
    const qsizetype ahead = qMin<qsizetype>(text.size() - at, 25);
    for (qsizetype k = 0; k < ahead; ++k)
        buffer[n++] = text[at + k].unicode();
    // When fewer than 15 units precede the hyphen, buffer starts where the text starts,
    // so a window clipped at position 1 is clipped the same way here.
    return !IsHyphenException(QStringView(buffer, n), back + 1);
}

HyphenationResult RemoveHyphenation(QStringView text)
{
    HyphenationResult r;
    const qsizetype body = posAsciiCi(u"<body", text, 1);
    qsizetype from = body > 0 ? body - 1 : 0;
    BracketScanner brackets(text);
    QString out;
    out.reserve(text.size());
    qsizetype cursor = 0;
    for (;;) {
        const qsizetype at = text.indexOf(u'-', from);
        if (at < 0)
            break;
        out.append(text.mid(cursor, at - cursor));
        cursor = at;
        if (TryRemoveHyphen(text, at, out, brackets)) {
            if (r.count == 0)
                r.first = at;
            r.last = at;
            ++r.count;
            cursor = at + 1;
        }
        from = at + 1;
    }
    if (r.count == 0) {
        r.text = text.toString();
        return r;
    }
    out.append(text.mid(cursor));
    r.text = std::move(out);
    return r;
}

// ---------------------------------------------------------------------------------------

QString UpperToLower(QStringView selection) { return lowerAscii(selection); }
QString LowerToUpper(QStringView selection) { return upperAscii(selection); }

QString ReplaceSpecialChars(QStringView text)
{
    auto entity = [](char16_t c) -> QLatin1String {
        switch (c) {
        case 0x20AC: return QLatin1String("&euro;");
        case 0x00A9: return QLatin1String("&copy;");
        case 0x00AE: return QLatin1String("&reg;");
        case 0x00C4: return QLatin1String("&Auml;");
        case 0x00DC: return QLatin1String("&Uuml;");
        case 0x00D6: return QLatin1String("&Ouml;");
        case 0x00E4: return QLatin1String("&auml;");
        case 0x00FC: return QLatin1String("&uuml;");
        case 0x00F6: return QLatin1String("&ouml;");
        case 0x00DF: return QLatin1String("&szlig;");
        default: return QLatin1String();
        }
    };
    QString out;
    out.reserve(text.size() + text.size() / 16);
    qsizetype from = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0xA9)
            continue;
        const QLatin1String e = entity(c);
        if (e.isEmpty())
            continue;
        out.append(text.mid(from, i - from));
        out.append(e);
        from = i + 1;
    }
    out.append(text.mid(from));
    return out;
}

QString CharacterReference(QStringView selection)
{
    if (selection.isEmpty())
        return QString();
    char32_t code = selection[0].unicode();
    if (selection.size() > 1 && selection[0].isHighSurrogate() && selection[1].isLowSurrogate())
        code = QChar::surrogateToUcs4(selection[0], selection[1]);
    return QStringLiteral("&#") + QString::number(quint32(code)) + QLatin1Char(';');
}

QString MakeStringVariable(QStringView selection)
{
    if (isBlank(selection))
        return QString();
    const QStringList lines = splitLines(trim(selection));
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out.append(u"\r\n");
        out.append(QLatin1Char('\''));
        out.append(lines[i]);
        out.append(i + 1 < lines.size() ? QLatin1String("'+") : QLatin1String("';"));
    }
    return out;
}

QString ExtractPageText(QStringView text)
{
    const QString trimmed = trim(text);
    const qsizetype body = posAsciiCi(u"<body", trimmed, 1);
    if (body == 0)
        return QString();
    const QStringView work = QStringView(trimmed).mid(body - 1);

    // Every "<" up to the next ">" goes; a "<" without a ">" after it stays with the rest.
    QString bare;
    bare.reserve(work.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype lt = work.indexOf(u'<', from);
        if (lt < 0)
            break;
        const qsizetype gt = work.indexOf(u'>', lt + 1);
        if (gt < 0)
            break;
        bare.append(work.mid(from, lt - from));
        from = gt + 1;
    }
    bare.append(work.mid(from));

    QString spaced;
    spaced.reserve(bare.size());
    qsizetype run = 0;
    for (const QChar c : std::as_const(bare)) {
        if (c == QLatin1Char(' ')) {
            ++run;
            continue;
        }
        if (run) {
            appendCollapsedRun(spaced, run);
            run = 0;
        }
        spaced.append(c);
    }
    appendCollapsedRun(spaced, run);
    bare = QString();

    QString out;
    out.reserve(spaced.size());
    for (const QString &line : splitLines(trim(spaced))) {
        if (isBlank(line))
            continue;
        if (!out.isEmpty())
            out.append(u"\r\n");
        out.append(line);
    }
    return trim(out);
}

} // namespace sx

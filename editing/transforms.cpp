#include "editing/transforms.h"

#include "editing/textops.h"

#include <cstring>

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

// 0-based index of tag (lower-case ASCII, starting with "<") in text at or after from,
// comparing A-Z and a-z alike; -1 when there is none.
qsizetype indexTag(QLatin1String tag, QStringView text, qsizetype from)
{
    const qsizetype n = tag.size();
    const char *t = tag.data();
    for (qsizetype at = text.indexOf(u'<', from); at >= 0 && at + n <= text.size(); at = text.indexOf(u'<', at + 1)) {
        qsizetype k = 1;
        while (k < n && foldAscii(text[at + k].unicode()) == char16_t(t[k]))
            ++k;
        if (k == n)
            return at;
    }
    return -1;
}

// Writes into a string sized beforehand for the most it can receive, without the checks
// of an append per piece; finish() cuts it to what was written.
class Writer
{
public:
    Writer(QString &out, qsizetype bound) : m_out(out)
    {
        m_out.resize(bound);
        m_begin = m_p = reinterpret_cast<char16_t *>(m_out.data());
    }
    void put(QStringView v)
    {
        if (!v.isEmpty())
            std::memcpy(m_p, v.utf16(), size_t(v.size()) * sizeof(char16_t));
        m_p += v.size();
    }
    void put(char16_t c) { *m_p++ = c; }
    void breakLine()
    {
        *m_p++ = u'\r';
        *m_p++ = u'\n';
    }
    // ceil(run / 64) spaces: what six replace-alls of "  " by " " leave of a run.
    void spaces(qsizetype run)
    {
        for (qsizetype k = (run + 63) / 64; k > 0; --k)
            *m_p++ = u' ';
    }
    qsizetype size() const { return m_p - m_begin; }
    void truncate(qsizetype size) { m_p = m_begin + size; }
    void finish()
    {
        if (size() > m_out.size())
            qFatal("Writer: more written than its bound");
        m_out.resize(size());
    }

private:
    QString &m_out;
    char16_t *m_begin, *m_p;
};

// The length of a block exactly as it was cut, and the block itself: the placeholders
// inside it replaced by their blocks.
qsizetype expandedSize(const ProtectedText &t, BlockKind kind, int slot, int depth)
{
    const QStringList &blocks = kind == BlockKind::Script ? t.ScriptBlocks : t.StyleBlocks;
    const QList<QList<Mark>> &inner = kind == BlockKind::Script ? t.scriptInner : t.styleInner;
    if (slot < 0 || slot >= blocks.size())
        return 0;
    qsizetype size = blocks[slot].size();
    if (slot < inner.size() && depth < 8)
        for (const Mark &m : inner[slot])
            size += expandedSize(t, m.kind, m.slot, depth + 1) - m.length;
    return size;
}

void putExpanded(Writer &out, const ProtectedText &t, BlockKind kind, int slot, int depth)
{
    const QStringList &blocks = kind == BlockKind::Script ? t.ScriptBlocks : t.StyleBlocks;
    const QList<QList<Mark>> &inner = kind == BlockKind::Script ? t.scriptInner : t.styleInner;
    if (slot < 0 || slot >= blocks.size())
        return;
    const QStringView block(blocks[slot]);
    qsizetype cursor = 0;
    if (slot < inner.size() && depth < 8)
        for (const Mark &m : inner[slot]) {
            out.put(block.mid(cursor, m.start - cursor));
            putExpanded(out, t, m.kind, m.slot, depth + 1);
            cursor = m.start + m.length;
        }
    out.put(block.mid(cursor));
}

// The text without leading and trailing units of code 32 or lower.
QStringView trimmedView(QStringView t)
{
    qsizetype i = 0, j = t.size();
    while (i < j && t[i].unicode() <= 32)
        ++i;
    while (j > i && t[j - 1].unicode() <= 32)
        --j;
    return t.mid(i, j - i);
}

// Deletes every CR LF, then collapses every run of spaces, counted across the deleted
// line breaks, as six replace-alls of "  " by " " would. Writes at most text.size().
void joinLinesInto(Writer &out, QStringView text)
{
    const qsizetype n = text.size();
    const char16_t *s = text.utf16();
    auto isBreak = [&](qsizetype i) { return s[i] == u'\r' && i + 1 < n && s[i + 1] == u'\n'; };
    qsizetype from = 0; // start of the units still to be copied
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = s[i];
        if (c == u'\r' && isBreak(i)) {
            out.put(text.mid(from, i - from));
            i += 2;
            from = i;
        } else if (c == u' ') {
            out.put(text.mid(from, i - from));
            qsizetype run = 0;
            while (i < n) {
                if (s[i] == u' ') {
                    ++run;
                    ++i;
                } else if (isBreak(i)) {
                    i += 2;
                } else {
                    break;
                }
            }
            out.spaces(run);
            from = i;
        } else {
            ++i;
        }
    }
    out.put(text.mid(from));
}

// Puts CR LF after every ">". Writes text.size() + 2 * (number of ">").
void breakAfterTagsInto(Writer &out, QStringView text)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype gt = text.indexOf(u'>', from);
        if (gt < 0)
            break;
        out.put(text.mid(from, gt + 1 - from));
        out.breakLine();
        from = gt + 1;
    }
    out.put(text.mid(from));
}

qsizetype breakBound(QStringView text) { return text.size() + 2 * text.count(u'>'); }

// Rewrites the text between the placeholders with fn (join or break); each placeholder
// is copied as it stands (with CR LF after it when breaking, for its ">"), or, when
// restore is set, replaced by CR LF and its block as RestoreBlocks does for both kinds.
void mapSegments(ProtectedText &t, bool join, bool restore)
{
    const QStringView src(t.text);
    qsizetype bound = join ? src.size() : breakBound(src);
    if (restore)
        for (const Mark &m : std::as_const(t.marks))
            bound += 2 - m.length + expandedSize(t, m.kind, m.slot, 0);
    QString text;
    Writer out(text, bound);
    QList<Mark> marks;
    if (!restore)
        marks.reserve(t.marks.size());
    auto segment = [&](QStringView v) {
        if (join)
            joinLinesInto(out, v);
        else
            breakAfterTagsInto(out, v);
    };
    qsizetype cursor = 0;
    for (const Mark &m : std::as_const(t.marks)) {
        segment(src.mid(cursor, m.start - cursor));
        if (restore) {
            out.breakLine();
            putExpanded(out, t, m.kind, m.slot, 0);
        } else {
            Mark moved = m;
            moved.start = out.size();
            marks.append(moved);
            out.put(src.mid(m.start, m.length));
        }
        if (!join)
            out.breakLine();
        cursor = m.start + m.length;
    }
    segment(src.mid(cursor));
    out.finish();
    t.text = std::move(text);
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
    bool reserved = false;
    qsizetype cursor = 0; // src[cursor..] is still to be copied
    qsizetype from = 0;   // where the next opening tag is searched
    qsizetype growth = 0; // length of the text so far minus its length at the start
    qsizetype mi = 0;     // the next placeholder already in the text
    auto copyTo = [&](qsizetype upTo) {
        if (!reserved) {
            out.reserve(src.size() + 64);
            reserved = true;
        }
        for (; mi < t.marks.size() && t.marks[mi].start < upTo; ++mi) {
            Mark m = t.marks[mi];
            m.start = out.size() + (m.start - cursor);
            marks.append(m);
        }
        out.append(src.mid(cursor, upTo - cursor));
        cursor = upTo;
    };

    for (;;) {
        const qsizetype p = indexTag(open, src, from);
        if (p < 0)
            break;
        blocks.append(QString());
        inner.append(QList<Mark>());
        const qsizetype q = indexTag(close, src, p + open.size());
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
    if (cursor == 0)
        return; // nothing was cut out
    copyTo(src.size());
    t.text = std::move(out);
    t.marks = std::move(marks);
}

void RestoreBlocks(ProtectedText &t, BlockKind kind)
{
    qsizetype bound = t.text.size();
    bool any = false;
    for (const Mark &m : std::as_const(t.marks))
        if (m.kind == kind) {
            any = true;
            bound += 2 - m.length + expandedSize(t, kind, m.slot, 0);
        }
    if (!any)
        return;
    QString text;
    Writer out(text, bound);
    QList<Mark> marks;
    const QStringView src(t.text);
    qsizetype cursor = 0;
    for (const Mark &m : std::as_const(t.marks)) {
        out.put(src.mid(cursor, m.start - cursor));
        if (m.kind == kind) {
            out.breakLine();
            putExpanded(out, t, kind, m.slot, 0);
        } else {
            Mark kept = m;
            kept.start = out.size();
            marks.append(kept);
            out.put(src.mid(m.start, m.length));
        }
        cursor = m.start + m.length;
    }
    out.put(src.mid(cursor));
    out.finish();
    t.text = std::move(text);
    t.marks = std::move(marks);
}

QString JoinLines(QStringView text)
{
    QString out;
    Writer w(out, text.size());
    joinLinesInto(w, text);
    w.finish();
    return out;
}

void JoinLines(ProtectedText &t) { mapSegments(t, true, false); }

QString BreakAfterTags(QStringView text)
{
    QString out;
    Writer w(out, breakBound(text));
    breakAfterTagsInto(w, text);
    w.finish();
    return out;
}

void BreakAfterTags(ProtectedText &t) { mapSegments(t, false, false); }

static QString changeLineBreaks(const QString &text, bool join)
{
    ProtectedText t;
    t.text = text;
    ProtectBlocks(t, BlockKind::Script);
    ProtectBlocks(t, BlockKind::Style);
    // Joining (or breaking) and restoring both kinds in one pass: the same as JoinLines
    // or BreakAfterTags, then RestoreBlocks for scripts and for styles.
    mapSegments(t, join, true);
    return t.text;
}

QString RemoveLineBreaks(const QString &text) { return changeLineBreaks(text, true); }
QString InsertLineBreaks(const QString &text) { return changeLineBreaks(text, false); }

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
    const QStringView trimmed = trimmedView(text);
    const qsizetype body = posAsciiCi(u"<body", trimmed, 1);
    if (body == 0)
        return QString();
    const QStringView work = trimmed.mid(body - 1);

    // One pass: every "<" up to the next ">" goes (a "<" without a ">" after it stays
    // with the rest); every run of spaces in what remains ends as ceil(run / 64) spaces;
    // lines that are blank go, the others are joined by CR LF as they stand; and the
    // result is trimmed (the first kept line loses its leading blanks, the last its
    // trailing ones).
    const qsizetype n = work.size();
    const char16_t *s = work.utf16();
    QString out;
    // A lone CR or LF between two kept lines becomes CR LF, one unit more: at most twice
    // the length (pages never written stay untouched).
    Writer w(out, 2 * n);
    const char16_t *base = reinterpret_cast<const char16_t *>(out.constData());
    qsizetype run = 0;            // spaces not written yet
    bool tags = true;             // a ">" may still follow
    bool kept = false;            // a line has been kept
    qsizetype lineStart = 0;      // where the current line's separator begins
    qsizetype contentStart = 0;   // where its characters begin
    bool blank = true;            // the current line holds only units <= 32 so far
    auto endLine = [&] {
        run = 0; // spaces at the end of a line stay: put them
        if (blank) {
            w.truncate(lineStart);
        } else {
            kept = true;
        }
        lineStart = w.size();
        if (kept)
            w.breakLine();
        contentStart = w.size();
        blank = true;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c > 32 && c != u'<' && c != 0x2028) {
            // A stretch of ordinary characters, copied at once.
            qsizetype j = i + 1;
            while (j < n && s[j] > 32 && s[j] != u'<' && s[j] != 0x2028)
                ++j;
            if (run) {
                if (kept || !blank)
                    w.spaces(run);
                run = 0;
            }
            w.put(work.mid(i, j - i));
            blank = false;
            i = j - 1;
            continue;
        }
        if (c == u'<' && tags) {
            const qsizetype gt = work.indexOf(u'>', i + 1);
            if (gt >= 0) {
                i = gt;
                continue;
            }
            tags = false; // no ">" after this "<": no tag after it either
        }
        if (c == u'\r' || c == u'\n' || c == 0x2028) {
            if (!blank)
                w.spaces(run);
            endLine();
            // A CR LF pair ends one line. (With a tag between CR and LF the LF ends an
            // empty line, which is dropped: the same.)
            if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n')
                ++i;
            continue;
        }
        if (c == u' ') {
            ++run;
            continue;
        }
        if (!kept && blank) {
            // Leading blanks of what may become the first kept line are trimmed away.
            if (c <= 32)
                continue;
            run = 0;
        }
        if (run) {
            w.spaces(run);
            run = 0;
        }
        if (c > 32)
            blank = false;
        w.put(c);
    }
    if (!blank)
        w.spaces(run);
    if (blank)
        w.truncate(lineStart);
    // Trailing blanks of the last kept line.
    qsizetype end = w.size();
    while (end > 0 && base[end - 1] <= 32)
        --end;
    w.truncate(end);
    w.finish();
    return out;
}

} // namespace sx

#include "checks/cleanup.h"

#include "checks/checkscan.h"
#include "checks/codecheck.h"
#include "editing/textops.h"

#include <algorithm>
#include <string>
#include <vector>

namespace sx {

using namespace scan;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// ---------------------------------------------------------------------------------------
// Substitution rows.
//
// A row replaces every occurrence of its pattern, left to right, in one pass over the
// result of the row before. One scan of the text tells which rows occur in it at all; a
// row that does not occur leaves the text as it is and is passed over. Only after a row
// changed the text is it scanned again, for the rows still to come.

struct Row {
    const char16_t *pattern;
    const char16_t *replacement;
    bool upperCase; // case-insensitive (upper-case comparison); else exact
};

// The unit folded the way an upper-case comparison with an ASCII pattern sees it.
inline char16_t foldUpper(char16_t c)
{
    if (c == 0x131)
        return u'i';
    if (c == 0x17F)
        return u's';
    return foldAscii(c);
}

class RowTable
{
public:
    RowTable(const Row *rows, int count) : m_rows(rows), m_count(count)
    {
        Q_ASSERT(count <= 64);
        for (int r = 0; r < count; ++r) {
            m_length[r] = QStringView(rows[r].pattern).size();
            m_replacementLength[r] = QStringView(rows[r].replacement).size();
            const char16_t first = rows[r].pattern[0];
            const char16_t second = rows[r].upperCase ? foldAscii(rows[r].pattern[1]) : rows[r].pattern[1];
            Q_ASSERT(first < 128 && !isAsciiLower(QChar(first)) && !isAsciiUpper(QChar(first)));
            Q_ASSERT(m_length[r] >= 2 && second < 128);
            m_byPair[first][second].push_back(r);
            m_first[first] = true;
        }
    }

    // The rows from `from` on that occur in the text, as a bit set.
    quint64 occurring(QStringView text, int from) const
    {
        const char16_t *t = units(text);
        const qsizetype n = text.size();
        quint64 wanted = 0;
        for (int r = from; r < m_count; ++r)
            wanted |= quint64(1) << r;
        quint64 found = 0;
        for (qsizetype i = 0; i + 1 < n && found != wanted; ++i) {
            const char16_t c = t[i];
            if (c >= 128 || !m_first[c])
                continue;
            const char16_t next = t[i + 1];
            for (int pass = 0; pass < 2; ++pass) {
                // Exact rows are filed under the unit itself, upper-case rows under its fold.
                const char16_t key = pass == 0 ? next : foldUpper(next);
                if (key >= 128 || (pass == 1 && key == next))
                    continue;
                for (int r : m_byPair[c][key]) {
                    const quint64 bit = quint64(1) << r;
                    if (!(wanted & bit) || (found & bit))
                        continue;
                    if (match(t, n, i, r))
                        found |= bit;
                }
            }
        }
        return found;
    }

    bool match(const char16_t *t, qsizetype n, qsizetype i, int r) const
    {
        const QStringView pat(m_rows[r].pattern, m_length[r]);
        return m_rows[r].upperCase ? atUpper(t, n, i, pat) : atExact(t, n, i, pat);
    }

    // One row over the whole text; false when it changed nothing.
    bool run(QString &text, int r) const
    {
        const qsizetype m = m_length[r];
        const char16_t *t = units(text);
        const qsizetype n = text.size();
        const char16_t first = m_rows[r].pattern[0];
        QString out;
        qsizetype copied = 0;
        for (qsizetype i = 0; i + m <= n;) {
            if (t[i] == first && match(t, n, i, r)) {
                if (copied == 0 && out.isEmpty())
                    out.reserve(n);
                out.append(QStringView(t + copied, i - copied));
                out.append(QStringView(m_rows[r].replacement, m_replacementLength[r]));
                i += m;
                copied = i;
            } else {
                ++i;
            }
        }
        if (copied == 0)
            return false;
        out.append(QStringView(t + copied, n - copied));
        text = out;
        return true;
    }

    int count() const { return m_count; }

private:
    const Row *m_rows;
    int m_count;
    qsizetype m_length[64] = {};
    qsizetype m_replacementLength[64] = {};
    bool m_first[128] = {};
    std::vector<int> m_byPair[128][128];
};

QString runRows(QStringView input, const RowTable &table)
{
    QString text = input.toString();
    quint64 occurring = table.occurring(text, 0);
    for (int r = 0; r < table.count(); ++r) {
        if (!(occurring & (quint64(1) << r)))
            continue;
        if (table.run(text, r) && r + 1 < table.count())
            occurring = table.occurring(text, r + 1);
    }
    return text;
}

// Steps 3 and 4: blanks after "<" and before ">", twice, and the double blank of "<a".
const Row kSpacingRows[] = {
    {u"< ", u"<", true},
    {u" >", u">", true},
    {u"< ", u"<", true},
    {u" >", u">", true},
    {u"<a  href", u"<a href", true},
    {u"<a  name", u"<a name", true},
};

// Steps 6 and 7: "&NBSP;" and the redundant-code table.
const Row kRedundantRows[] = {
    {u"&NBSP;", u"&nbsp;", false},
    {u"<br>", u"<br />", true},
    {u" >", u">", true},
    {u"<o:p>", u"", true},
    {u"<tr>&nbsp;</tr>", u"", true},
    {u"<strong></strong>", u"", true},
    {u"<strong>\r\n</strong>", u"", true},
    {u"<strong>&nbsp;</strong>", u"&nbsp;", true},
    {u"<strong><br></strong>", u"<br />", true},
    {u"<strong><br /></strong>", u"<br />", true},
    {u"<strong><strong>", u"<strong>", true},
    {u"<strong> <strong>", u"<strong>", true},
    {u"<b></b>", u"", true},
    {u"<b>&nbsp;</b>", u"&nbsp;", true},
    {u"<b><br /></b>", u"<br />", true},
    {u"<b><br></b>", u"<br />", true},
    {u"<b>\r\n</b>", u"", true},
    {u"<i></i>", u"", true},
    {u"<i>&nbsp;</i>", u"&nbsp;", true},
    {u"<i><br></i>", u"<br />", true},
    {u"<i><br /></i>", u"<br />", true},
    {u"<i>\r\n</i>", u"", true},
    {u"<u></u>", u"", true},
    {u"<u>&nbsp;</u>", u"&nbsp;", true},
    {u"<u><br /></u>", u"<br />", true},
    {u"<u><br></u>", u"<br />", true},
    {u"<u>\r\n</u>", u"<br />", true},
    {u"<<", u"<", true},
    {u">>", u">", true},
    {u"< <", u"<", true},
    {u"> >", u">", true},
};

// Step 12.
const Row kGapRow[] = {{u"> <", u"><", true}};

const RowTable &spacingTable()
{
    static const RowTable t(kSpacingRows, int(std::size(kSpacingRows)));
    return t;
}
const RowTable &redundantTable()
{
    static const RowTable t(kRedundantRows, int(std::size(kRedundantRows)));
    return t;
}
const RowTable &gapTable()
{
    static const RowTable t(kGapRow, 1);
    return t;
}

// ---------------------------------------------------------------------------------------
// Attribute quoting on a reusable buffer.

using Buf = std::u16string;

// One pass of "xy" -> z over the buffer (non-overlapping, left to right).
void squeeze(Buf &b, char16_t x, char16_t y, char16_t z)
{
    const size_t n = b.size();
    size_t w = 0;
    for (size_t i = 0; i < n;) {
        if (i + 1 < n && b[i] == x && b[i + 1] == y) {
            b[w++] = z;
            i += 2;
        } else {
            b[w++] = b[i++];
        }
    }
    b.resize(w);
}

void appendNumber(Buf &b, int k)
{
    if (k >= 10)
        b.push_back(char16_t('0' + k / 10));
    b.push_back(char16_t('0' + k % 10));
}

// First occurrence of "param" + k in b, A-Z folded; npos when none.
size_t findParam(const Buf &b, int k)
{
    static const Buf patterns[11] = {u"param0", u"param1", u"param2", u"param3", u"param4", u"param5",
                                     u"param6", u"param7", u"param8", u"param9", u"param10"};
    const Buf &pat = patterns[k];
    const size_t m = pat.size();
    for (size_t i = 0; i + m <= b.size(); ++i) {
        if (foldAscii(b[i]) != u'p')
            continue;
        size_t j = 1;
        while (j < m && foldAscii(b[i + j]) == pat[j])
            ++j;
        if (j == m)
            return i;
    }
    return Buf::npos;
}

// One pass of the two-unit pattern xy -> a double quote over s.
void toDoubleQuote(Buf &s, char16_t x, char16_t y)
{
    Buf out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (i + 1 < s.size() && s[i] == x && s[i + 1] == y) {
            out.push_back(u'"');
            i += 2;
        } else {
            out.push_back(s[i++]);
        }
    }
    s.swap(out);
}

// Cleans the tag in b (its "<" through its first ">").
void quoteTag(Buf &b)
{
    // Spacing, when one of its six patterns occurs (else none of the passes changes a unit).
    bool spacing = false;
    for (size_t i = 0; i + 1 < b.size() && !spacing; ++i) {
        const char16_t c = b[i], d = b[i + 1];
        spacing = (d == u' ' && (c == u' ' || c == u':' || c == u';' || c == u',' || c == u'('))
                  || (c == u' ' && d == u')');
    }
    if (spacing) {
        squeeze(b, u' ', u' ', u' ');
        squeeze(b, u':', u' ', u':');
        squeeze(b, u';', u' ', u';');
        squeeze(b, u',', u' ', u',');
        squeeze(b, u'(', u' ', u'(');
        squeeze(b, u' ', u')', u')');
    }
    // The values.
    Buf values[11];
    int count = 0;
    size_t from = 0;
    while (count <= 10) {
        const size_t eq = b.find(u'=', from);
        if (eq == Buf::npos)
            break;
        size_t vs, ve;
        if (eq + 1 < b.size() && b[eq + 1] == u'"') {
            vs = eq + 2;
            ve = b.find(u'"', vs);
        } else {
            vs = eq + 1;
            ve = b.find(u' ', vs);
        }
        if (ve == Buf::npos) {
            const size_t close = b.find(u')', vs);
            if (close != Buf::npos) {
                ve = close + 1;
            } else {
                ve = b.find(u"/>", vs);
                if (ve == Buf::npos)
                    ve = b.find(u'>', vs);
                if (ve == Buf::npos)
                    break;
            }
        }
        values[count] = b.substr(vs, ve - vs);
        Buf ph = u"param";
        appendNumber(ph, count);
        b.replace(vs, ve - vs, ph);
        from = vs + 2;
        ++count;
    }
    // Lower case, no double quotes.
    size_t w = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        const char16_t c = b[i];
        if (c == u'"')
            continue;
        b[w++] = foldAscii(c);
    }
    b.resize(w);
    // The values back, in double quotes.
    for (int k = 0; k < count; ++k) {
        Buf v;
        v.reserve(values[k].size() + 2);
        v.push_back(u'"');
        v.append(values[k]);
        v.push_back(u'"');
        if (values[k].find(u'\'') != Buf::npos) {
            toDoubleQuote(v, u'"', u'\'');
            toDoubleQuote(v, u'\'', u'"');
        }
        const size_t at = findParam(b, k);
        if (at == Buf::npos)
            continue;
        b.replace(at, 5 + (k >= 10 ? 2 : 1), v);
    }
}

// The self-closing rule of the tag pass.
void closeEmptyElement(Buf &b)
{
    const size_t h = std::min<size_t>(b.size(), 4);
    auto at = [&](size_t i, const char16_t *s) { return i + 3 <= h && b[i] == s[0] && b[i + 1] == s[1] && b[i + 2] == s[2]; };
    const bool empty = at(0, u"<br") || at(1, u"<br") || at(0, u"<hr") || at(1, u"<hr")
                       || (h == 4 && at(0, u"<im") && b[3] == u'g') || (h == 4 && at(0, u"<in") && b[3] == u'p');
    if (!empty)
        return;
    if (b.size() >= 2 && b[b.size() - 2] == u'/' && b[b.size() - 1] == u'>')
        return;
    const size_t gt = b.find(u'>');
    if (gt != Buf::npos)
        b.replace(gt, 1, u" />");
}

// ---------------------------------------------------------------------------------------
// Blocks.

QString placeholderWord(BlockKind kind) { return kind == BlockKind::Script ? QStringLiteral("script") : QStringLiteral("style"); }

// Restores every placeholder of both kinds in one pass; a style block gets its script
// blocks back as it is put in. Returns the number of placeholders restored.
int restoreAll(QStringView text, const ProtectedBlocks &blocks, QString &out)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    const QChar mark = blocks.mark;
    int restored = 0;
    qsizetype copied = 0;
    // The block a placeholder at i stands for, and the placeholder's length.
    auto blockAt = [&](QStringView s, qsizetype i, BlockKind *kind, int *index) -> qsizetype {
        const char16_t *u = units(s);
        const qsizetype len = s.size();
        qsizetype j = i + 4;
        if (atExact(u, len, j, u"script")) {
            *kind = BlockKind::Script;
            j += 6;
        } else if (atExact(u, len, j, u"style")) {
            *kind = BlockKind::Style;
            j += 5;
        } else {
            return 0;
        }
        if (j >= len || u[j] != mark.unicode())
            return 0;
        ++j;
        const qsizetype digits = j;
        qint64 v = 0;
        while (j < len && u[j] >= '0' && u[j] <= '9' && j - digits < 9) {
            v = v * 10 + (u[j] - '0');
            ++j;
        }
        if (j == digits || (u[digits] == '0' && j - digits > 1) || !atExact(u, len, j, u"-->"))
            return 0;
        const QStringList &list = *kind == BlockKind::Script ? blocks.scripts : blocks.styles;
        if (v >= list.size())
            return 0;
        *index = int(v);
        return j + 3 - i;
    };
    for (qsizetype i = findExact(text, u"<!--", 0); i >= 0; i = findExact(text, u"<!--", i + 1)) {
        BlockKind kind;
        int index = 0;
        const qsizetype len = blockAt(text, i, &kind, &index);
        if (len == 0)
            continue;
        if (out.isEmpty())
            out.reserve(n + n / 4);
        out.append(QStringView(t + copied, i - copied));
        if (kind == BlockKind::Script) {
            out.append(blocks.scripts[index]);
        } else {
            // A style block holds the placeholders of the script blocks inside it.
            const QString &style = blocks.styles[index];
            qsizetype c = 0;
            for (qsizetype k = findExact(style, u"<!--", 0); k >= 0; k = findExact(style, u"<!--", k + 1)) {
                BlockKind inner;
                int innerIndex = 0;
                const qsizetype l = blockAt(style, k, &inner, &innerIndex);
                if (l == 0 || inner != BlockKind::Script)
                    continue;
                out.append(QStringView(style).mid(c, k - c));
                out.append(blocks.scripts[innerIndex]);
                ++restored;
                c = k + l;
                k = c - 1;
            }
            out.append(QStringView(style).mid(c));
        }
        ++restored;
        copied = i + len;
        i = copied - 1;
    }
    if (copied == 0 && restored == 0) {
        out = text.toString();
        return 0;
    }
    out.append(QStringView(t + copied, n - copied));
    return restored;
}

// ---------------------------------------------------------------------------------------
// The balance passes of the clean-up: one scan counts the start and end strings of every
// pair; a pass runs only where its counts differ, and the counts are taken again after
// a pass changed the text.

void countPairs(QStringView text, int from, int *starts, int *ends)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    for (int k = 0; k < 20; ++k)
        starts[k] = ends[k] = 0;
    // The pairs by the unit after "<" (start strings) and after "</" (end strings).
    struct Candidates {
        int pair[20];
        int count = 0;
    };
    Candidates byStart[128], byEnd[128];
    for (int k = from; k < 20; ++k) {
        Candidates &s = byStart[kBalancePairs[k].start[1].unicode()];
        s.pair[s.count++] = k;
        Candidates &e = byEnd[kBalancePairs[k].end[2].unicode()];
        e.pair[e.count++] = k;
    }
    for (qsizetype i = findUnit(t, n, u'<', 0); i >= 0 && i + 1 < n; i = findUnit(t, n, u'<', i + 1)) {
        const char16_t c1 = foldAscii(t[i + 1]);
        if (c1 == u'/') {
            const char16_t c2 = i + 2 < n ? foldAscii(t[i + 2]) : 0;
            if (c2 >= 128)
                continue;
            const Candidates &c = byEnd[c2];
            for (int j = 0; j < c.count; ++j)
                if (atAscii(t, n, i, QStringView(kBalancePairs[c.pair[j]].end)))
                    ++ends[c.pair[j]];
        } else if (c1 < 128) {
            const Candidates &c = byStart[c1];
            for (int j = 0; j < c.count; ++j)
                if (atAscii(t, n, i, QStringView(kBalancePairs[c.pair[j]].start)))
                    ++starts[c.pair[j]];
        }
    }
}

QString balanceAll(QString text, CheckRun &run)
{
    int starts[20], ends[20];
    countPairs(text, 0, starts, ends);
    for (int k = 0; k < 20; ++k) {
        if (starts[k] == ends[k])
            continue;
        text = BalanceTags(QStringView(kBalancePairs[k].start), QStringView(kBalancePairs[k].end), text, run);
        if (k + 1 < 20)
            countPairs(text, k + 1, starts, ends);
    }
    return text;
}

} // namespace

// ---------------------------------------------------------------------------------------

QString ExtractDoctype(QStringView text)
{
    const qsizetype p = FindHead(u"<!DOCTYPE", text, 0, text.size());
    if (p <= 0)
        return QString();
    const qsizetype gt = findChar(text, u'>', p - 1);
    if (gt < 0)
        return QString();
    return text.mid(p - 1, gt - (p - 1) + 1).toString();
}

QString blockPlaceholder(BlockKind kind, int i, QChar mark)
{
    QString s = QStringLiteral("<!--") + placeholderWord(kind);
    if (!mark.isNull())
        s.append(mark);
    s.append(QString::number(i));
    s.append(QStringLiteral("-->"));
    return s;
}

QChar freeMarkCharacter(QStringView text)
{
    // The private-use area, then the CJK extension A block: characters without case that
    // no step of the clean-up looks at.
    std::vector<bool> seen(0x10000, false);
    for (QChar c : text)
        seen[c.unicode()] = true;
    for (char16_t c = 0xE000; c <= 0xF8FF; ++c)
        if (!seen[c])
            return QChar(c);
    for (char16_t c = 0x3400; c <= 0x4DBF; ++c)
        if (!seen[c])
            return QChar(c);
    return QChar();
}

QString ProtectBlocks(QStringView text, BlockKind kind, ProtectedBlocks &blocks)
{
    QStringList &list = kind == BlockKind::Script ? blocks.scripts : blocks.styles;
    list.clear();
    if (text.isEmpty())
        return QString();
    const QStringView start = kind == BlockKind::Script ? QStringView(u"<script") : QStringView(u"<style");
    const QStringView end = kind == BlockKind::Script ? QStringView(u"</script>") : QStringView(u"</style>");
    QString out;
    qsizetype copied = 0, from = 0;
    for (;;) {
        const qsizetype s = findAscii(text, start, from);
        if (s < 0)
            break;
        const qsizetype e = findAscii(text, end, s + start.size());
        if (e < 0)
            break;
        if (out.isEmpty())
            out.reserve(text.size());
        out.append(text.mid(copied, s - copied));
        out.append(blockPlaceholder(kind, int(list.size()), blocks.mark));
        list.append(text.mid(s, e + end.size() - s).toString());
        copied = e + end.size();
        from = copied;
    }
    if (list.isEmpty())
        return text.toString();
    out.append(text.mid(copied));
    return out;
}

QString RestoreBlocks(QStringView text, BlockKind kind, const ProtectedBlocks &blocks)
{
    const QStringList &list = kind == BlockKind::Script ? blocks.scripts : blocks.styles;
    QString out = text.toString();
    for (int i = 0; i < list.size(); ++i)
        out = replaceAll(out, blockPlaceholder(kind, i, blocks.mark), list[i], true);
    return out;
}

QString QuoteAttributes(QStringView rest)
{
    const qsizetype lt = rest.indexOf(u'<');
    if (lt < 0)
        return QString();
    const qsizetype gt = rest.indexOf(u'>', lt);
    if (gt < 0)
        return QString();
    Buf b(reinterpret_cast<const char16_t *>(units(rest)) + lt, size_t(gt - lt + 1));
    quoteTag(b);
    return QString(reinterpret_cast<const QChar *>(b.data()), qsizetype(b.size()));
}

QString TagPass(QStringView text)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    QString out;
    out.reserve(n + n / 8);
    // What is still to be looked at: pend (the part of a grown tag behind the point the
    // next search starts from) followed by text from ip.
    Buf pend;
    qsizetype ip = 0;
    Buf tag;
    auto appendBuf = [&out](const Buf &b, size_t from, size_t count) {
        out.append(QStringView(b.data() + from, qsizetype(count)));
    };
    for (;;) {
        size_t leftoverFrom = 0; // pend units behind the tag
        bool tagFromPend = false;
        tag.clear();
        if (!pend.empty()) {
            const size_t j = pend.find(u'<');
            if (j == Buf::npos) {
                appendBuf(pend, 0, pend.size());
                pend.clear();
                continue;
            }
            appendBuf(pend, 0, j);
            const size_t g = pend.find(u'>', j);
            if (g != Buf::npos) {
                tag.assign(pend, j, g - j + 1);
                leftoverFrom = g + 1;
                tagFromPend = true;
            } else {
                const qsizetype g2 = findChar(text, u'>', ip);
                if (g2 < 0) {
                    appendBuf(pend, j, pend.size() - j);
                    out.append(text.mid(ip));
                    return out;
                }
                tag.assign(pend, j, Buf::npos);
                tag.append(reinterpret_cast<const char16_t *>(t) + ip, size_t(g2 - ip + 1));
                ip = g2 + 1;
                leftoverFrom = pend.size();
            }
        } else {
            const qsizetype lt = findChar(text, u'<', ip);
            if (lt < 0) {
                out.append(text.mid(ip));
                return out;
            }
            const qsizetype gt = findChar(text, u'>', lt);
            if (gt < 0) {
                out.append(text.mid(ip));
                return out;
            }
            out.append(text.mid(ip, lt - ip));
            tag.assign(t + lt, size_t(gt - lt + 1));
            ip = gt + 1;
        }
        const qsizetype position = out.size(); // 0-based offset of the tag's "<"
        const size_t oldLen = tag.size();
        quoteTag(tag);
        closeEmptyElement(tag);
        const size_t newLen = tag.size();
        // The next search starts at the "<" position minus 1 (at least 1) plus the old
        // tag's length, in 1-based positions of the new text.
        const size_t k = position >= 1 ? oldLen - 1 : oldLen;
        Buf leftover = tagFromPend ? pend.substr(leftoverFrom) : Buf();
        pend.clear();
        if (k < newLen) {
            appendBuf(tag, 0, k);
            pend.assign(tag, k, Buf::npos);
            pend.append(leftover);
        } else {
            appendBuf(tag, 0, newLen);
            size_t skip = k - newLen;
            // The skipped units are copied as they are.
            const size_t fromLeftover = std::min(skip, leftover.size());
            appendBuf(leftover, 0, fromLeftover);
            skip -= fromLeftover;
            if (fromLeftover < leftover.size()) {
                pend.assign(leftover, fromLeftover, Buf::npos);
            } else {
                const qsizetype take = std::min<qsizetype>(qsizetype(skip), n - ip);
                out.append(text.mid(ip, take));
                ip += take;
            }
        }
    }
}

QString JoinTagLines(QStringView text)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    QString out;
    qsizetype copied = 0;
    qsizetype nextLt = -2, nextGt = -2; // cached next "<" and ">" (-1 none, -2 unknown)
    qsizetype ltFrom = 0, gtFrom = 0;
    for (qsizetype p = findExact(text, u"\r\n", 0); p >= 0; ) {
        if (nextLt == -2 || (nextLt >= 0 && nextLt < p) || (nextLt == -1 && p < ltFrom)) {
            nextLt = findChar(text, u'<', p);
            ltFrom = p;
        }
        if (nextGt == -2 || (nextGt >= 0 && nextGt < p) || (nextGt == -1 && p < gtFrom)) {
            nextGt = findChar(text, u'>', p);
            gtFrom = p;
        }
        const bool keep = nextGt >= 0 && nextLt >= 0 && nextLt < nextGt;
        const bool keepNoLt = nextGt >= 0 && nextLt < 0;
        if (keep || keepNoLt) {
            p = findExact(text, u"\r\n", p + 2);
            continue;
        }
        if (out.isEmpty())
            out.reserve(n);
        out.append(QStringView(t + copied, p - copied));
        out.append(u' ');
        copied = p + 2;
        // The next search begins two units behind the blank, in the shortened text.
        p = findExact(text, u"\r\n", p + 3);
    }
    if (copied == 0)
        return text.toString();
    out.append(QStringView(t + copied, n - copied));
    return out;
}

QString CompletePageStructure(QStringView input)
{
    QString text = input.toString();
    // 1. The html start tag, behind the declaration.
    if (findAscii(text, u"<html", 0) < 0) {
        const QString doctype = ExtractDoctype(text);
        if (!doctype.isEmpty())
            text = replaceFirst(text, doctype, QString(), true);
        text = doctype + kCrLf + QStringLiteral("<html>") + text;
    }
    // 2. The html end tag.
    if (findLastAscii(text, u"</html>") < 0)
        text.append(QStringLiteral("</html>"));
    // 3. The head start tag.
    if (findAscii(text, u"<head>", 0) < 0) {
        const qsizetype html = findAscii(text, u"<html>", 0);
        if (html >= 0)
            text.insert(html + 6, kCrLf + QStringLiteral("<head>"));
    }
    // 4. The head end tag.
    if (findAscii(text, u"</head>", 0) < 0) {
        const qsizetype body = findAscii(text, u"<body", 0);
        if (body >= 0)
            text.insert(body, kCrLf + QStringLiteral("</head>") + kCrLf);
    }
    // 5. The body start tag.
    if (findAscii(text, u"<body", 0) < 0) {
        const qsizetype head = findAscii(text, u"</head>", 0);
        if (head >= 0)
            text.insert(head + 7, kCrLf + QStringLiteral("<body>"));
    }
    // 6. The body end tag.
    if (findLastAscii(text, u"</body>") < 0) {
        const qsizetype html = findAscii(text, u"</html>", 0);
        if (html >= 0)
            text.insert(html, kCrLf + QStringLiteral("</body>"));
    }
    // 7. The title.
    const qsizetype title = findAscii(text, u"<title>", 0);
    if (title >= 0) {
        if (findAscii(text, u"</title>", title + 7) < 0) {
            const qsizetype next = findChar(text, u'<', title + 1);
            if (next >= 0)
                text.insert(next, QStringLiteral("</title>"));
        }
    } else {
        // A title end tag without the exact start tag (one with attributes, or none): the
        // empty title element goes in front of the start tag that opens the title, so
        // that it does not end up inside it; in front of the end tag when there is none.
        const qsizetype end = findAscii(text, u"</title>", 0);
        if (end >= 0) {
            qsizetype open = -1;
            for (qsizetype i = findAscii(text, u"<title", 0); i >= 0 && i < end; i = findAscii(text, u"<title", i + 1))
                open = i;
            text.insert(open >= 0 ? open : end, QStringLiteral("<title></title>"));
        }
    }
    return text;
}

QString CleanupHtml(QStringView input, CheckRun *runIn)
{
    CheckRun local;
    CheckRun &run = runIn ? *runIn : local;
    const QString savedDoctype = ExtractDoctype(input);
    ProtectedBlocks blocks;
    blocks.mark = freeMarkCharacter(input);
    QString text = ProtectBlocks(input, BlockKind::Script, blocks);
    text = ProtectBlocks(text, BlockKind::Style, blocks);
    text = runRows(text, spacingTable());
    text = TagPass(text);
    text = runRows(text, redundantTable());
    text = JoinTagLines(text);
    if (!blocks.scripts.isEmpty() || !blocks.styles.isEmpty()) {
        if (blocks.mark.isNull()) {
            // No free mark: the placeholders are put back by their text.
            text = RestoreBlocks(text, BlockKind::Style, blocks);
            text = RestoreBlocks(text, BlockKind::Script, blocks);
        } else {
            QString restored;
            const int count = restoreAll(text, blocks, restored);
            if (count < blocks.scripts.size() + blocks.styles.size())
                restored.remove(blocks.mark); // a placeholder a broken tag took apart
            text = restored;
        }
    }
    text = CompletePageStructure(text);
    text = balanceAll(text, run);
    text = runRows(text, gapTable());
    if (!isBlank(savedDoctype)) {
        const qsizetype p = FindHead(u"<!DOCTYPE", text, 0, text.size());
        if (p > 0) {
            const qsizetype gt = findChar(text, u'>', p - 1);
            if (gt >= 0)
                text.replace(p - 1, gt - (p - 1) + 1, savedDoctype);
        }
    } else {
        text.prepend(QStringLiteral("<!DOCTYPE html>\r\n"));
    }
    return text;
}

} // namespace sx

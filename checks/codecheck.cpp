#include "checks/codecheck.h"

#include "app/documentfile.h"
#include "checks/checkscan.h"
#include "checks/cleanup.h"
#include "editing/textops.h"

#include <algorithm>
#include <vector>

namespace sx {

using namespace scan;

const TagPair kBalancePairs[20] = {
    {u"<div", u"</div>"},       {u"<span", u"</span>"},     {u"<table", u"</table>"},
    {u"<tr", u"</tr>"},         {u"<td", u"</td>"},         {u"<font", u"</font>"},
    {u"<a ", u"</a>"},          {u"<strong>", u"</strong>"}, {u"<b>", u"</b>"},
    {u"<ul", u"</ul>"},         {u"<i>", u"</i>"},          {u"<em>", u"</em>"},
    {u"<b>", u"</b>"},          {u"<tbody", u"</tbody>"},   {u"<sup>", u"</sup>"},
    {u"<sub>", u"</sub>"},      {u"<del>", u"</del>"},      {u"<strike>", u"</strike>"},
    {u"<u>", u"</u>"},          {u"<small>", u"</small>"},
};

const TagPair kBlankElementPairs[12] = {
    {u"<font", u"</font>"}, {u"<blockquote", u"</blockquote>"}, {u"<span", u"</span>"},
    {u"<strike", u"</strike>"}, {u"<strong", u"</strong>"}, {u"<a href", u"</a>"},
    {u"<h1", u"</h1>"}, {u"<h2", u"</h2>"}, {u"<h3", u"</h3>"},
    {u"<h4", u"</h4>"}, {u"<h5", u"</h5>"}, {u"<h6", u"</h6>"},
};

const QStringView kBlockMarkers[6] = {u"<!div", u"<!span", u"<!table", u"<!tbody", u"<!td", u"<!tr"};

CheckTexts CheckTexts::english()
{
    CheckTexts t;
    t.forTag = QStringLiteral("For");
    t.closingMissing = QStringLiteral(" closing Tag(s) missing.");
    t.missing = QStringLiteral("missing");
    t.redundant = QStringLiteral(" redundant");
    t.deleted = QStringLiteral(" deleted.");
    t.finished = QStringLiteral("Code check finished.");
    t.language = 1;
    return t;
}

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Sums over the places where a pass may insert a unit, in the order of the text.
class InsertionCounts
{
public:
    explicit InsertionCounts(std::vector<qsizetype> points) : m_points(std::move(points)), m_tree(m_points.size() + 1, 0)
    {
        std::sort(m_points.begin(), m_points.end());
        m_points.erase(std::unique(m_points.begin(), m_points.end()), m_points.end());
        m_tree.assign(m_points.size() + 1, 0);
    }
    // A unit is inserted in front of the unit at offset.
    void add(qsizetype offset)
    {
        const auto it = std::lower_bound(m_points.begin(), m_points.end(), offset);
        Q_ASSERT(it != m_points.end() && *it == offset);
        for (size_t i = size_t(it - m_points.begin()) + 1; i < m_tree.size(); i += i & (~i + 1))
            ++m_tree[i];
    }
    // Units inserted in front of offsets <= offset.
    qsizetype before(qsizetype offset) const
    {
        size_t i = size_t(std::upper_bound(m_points.begin(), m_points.end(), offset) - m_points.begin());
        qsizetype s = 0;
        for (; i > 0; i -= i & (~i + 1))
            s += m_tree[i];
        return s;
    }
    // Where the unit at an original offset stands now.
    qsizetype now(qsizetype offset) const { return offset + before(offset); }

private:
    std::vector<qsizetype> m_points;
    std::vector<qsizetype> m_tree;
};

// Occurrences of one string in the text a pass started from, with those the pass has
// destroyed skipped.
struct Occurrences {
    std::vector<qsizetype> at; // original offsets, ascending
    qsizetype length = 0;
    std::vector<int> next;     // next live index at or after i (path-compressed)

    void ready() { next.resize(at.size() + 1); for (size_t i = 0; i < next.size(); ++i) next[i] = int(i); }
    int live(int i)
    {
        int r = i;
        while (next[r] != r)
            r = next[r];
        while (next[i] != r) {
            const int n = next[i];
            next[i] = r;
            i = n;
        }
        return r;
    }
    void kill(int i) { next[i] = i + 1; }
    // The first live occurrence that now stands at or after target; -1 when none.
    int firstFrom(qsizetype target, const InsertionCounts &ins)
    {
        int lo = 0, hi = int(at.size());
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (ins.now(at[mid]) >= target)
                hi = mid;
            else
                lo = mid + 1;
        }
        const int i = live(lo);
        return i < int(at.size()) ? i : -1;
    }
    // Destroys every occurrence that covers the offsets first..last.
    void killCovering(qsizetype first, qsizetype last)
    {
        auto it = std::lower_bound(at.begin(), at.end(), last - length + 1);
        for (; it != at.end() && *it <= first; ++it)
            kill(int(it - at.begin()));
    }
};

struct Insertion {
    qsizetype before; // original offset the unit goes in front of
    char16_t unit;
};
struct Replacement {
    qsizetype at;
    char16_t unit;
};

QString applyEdits(QStringView text, std::vector<Insertion> &ins, std::vector<Replacement> &rep)
{
    std::sort(ins.begin(), ins.end(), [](const Insertion &a, const Insertion &b) { return a.before < b.before; });
    std::sort(rep.begin(), rep.end(), [](const Replacement &a, const Replacement &b) { return a.at < b.at; });
    QString out;
    out.reserve(text.size() + qsizetype(ins.size()));
    qsizetype copied = 0;
    size_t ii = 0, ri = 0;
    while (ii < ins.size() || ri < rep.size()) {
        const qsizetype a = ii < ins.size() ? ins[ii].before : text.size() + 1;
        const qsizetype b = ri < rep.size() ? rep[ri].at : text.size() + 1;
        if (a <= b) {
            out.append(text.mid(copied, a - copied));
            out.append(QChar(ins[ii].unit));
            copied = a;
            ++ii;
        } else {
            out.append(text.mid(copied, b - copied));
            out.append(QChar(rep[ri].unit));
            copied = b + 1;
            ++ri;
        }
    }
    out.append(text.mid(copied));
    return out;
}

// Whether the content of an element is empty: nothing left after trimming, removing
// every "&nbsp;", "<br>", "<br />" and CR LF (any case) and trimming again.
bool blankContent(QStringView content)
{
    for (QChar ch : content) {
        const char16_t c = ch.unicode();
        if (c <= 32)
            continue;
        switch (foldAscii(c)) {
        case u'&': case u'n': case u'b': case u's': case u'p': case u';':
        case u'<': case u'r': case u'>': case u'/': case 0x17F:
            continue;
        default:
            return false;
        }
    }
    QString s = replaceAll(content, u"&nbsp;", u"", true);
    s = replaceAll(s, u"<br>", u"", true);
    s = replaceAll(s, u"<br />", u"", true);
    s = replaceAll(s, u"\r\n", u"", true);
    return isBlank(s);
}

// Which start strings of the empty-element pairs from `from` on occur at the offsets a
// search begins at (from the third unit on).
void blankStartsPresent(QStringView text, int from, bool *present)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    int missing = 0;
    for (int k = 0; k < 12; ++k) {
        present[k] = false;
        missing += k >= from;
    }
    for (qsizetype i = findUnit(t, n, u'<', 2); i >= 0 && missing > 0; i = findUnit(t, n, u'<', i + 1)) {
        if (i + 1 >= n)
            break;
        const char16_t c1 = foldAscii(t[i + 1]);
        for (int k = from; k < 12; ++k) {
            const QStringView s = kBlankElementPairs[k].start;
            if (!present[k] && s[1].unicode() == c1 && atAscii(t, n, i, s)) {
                present[k] = true;
                --missing;
            }
        }
    }
}

QStringView trimmedView(QStringView s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && s[a].unicode() <= 32)
        ++a;
    while (b > a && s[b - 1].unicode() <= 32)
        --b;
    return s.mid(a, b - a);
}

} // namespace

QString MarkUnbalancedTag(qsizetype position, QStringView tag, QStringView text)
{
    const QString lowTag = lowerAscii(tag);
    const qsizetype at = findAscii(text, lowTag, std::max<qsizetype>(position - 1, 1) - 1);
    if (at < 0)
        return text.toString();
    QString replacement;
    if (tag.contains(u"</"))
        replacement = QString(tag.size(), u' ');
    else
        replacement = QStringLiteral("<!") + tag.mid(1).toString();
    QString out = text.toString();
    out.replace(at, tag.size(), replacement);
    return out;
}

bool RepairEndTag(QStringView start, qsizetype position, QString &text)
{
    const QString name = start.mid(1).toString();
    const qsizetype from = std::max<qsizetype>(position, 1) - 1;
    qsizetype at = findExact(text, QStringLiteral(" /") + name, from);
    if (at >= 0) {
        text[at] = u'<';
        return true;
    }
    at = findExact(text, QStringLiteral(">/") + name, from);
    if (at >= 0) {
        text.insert(at + 1, u'<');
        return true;
    }
    at = findExact(text, kCrLf + QStringLiteral("/") + name, from);
    if (at >= 0) {
        text.insert(at + 2, u'<');
        return true;
    }
    return false;
}

QString BalanceTags(QStringView start, QStringView end, QStringView text, CheckRun &run)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    const QString s = lowerAscii(start), e = lowerAscii(end);

    // 1. The start and end tags.
    std::vector<qsizetype> starts, ends;
    for (qsizetype i = findUnit(t, n, u'<', 0); i >= 0; i = findUnit(t, n, u'<', i + 1)) {
        if (atAscii(t, n, i, s))
            starts.push_back(i);
        else if (atAscii(t, n, i, e))
            ends.push_back(i);
    }
    const qsizetype S = qsizetype(starts.size()), E = qsizetype(ends.size());
    if (S == E)
        return text.toString();

    // 3. Each start tag, from the last, takes the earliest free end tag behind it.
    std::vector<char> startMatched(size_t(S), 0), endMatched(size_t(E), 0);
    {
        std::vector<qsizetype> free;
        qsizetype j = E - 1;
        for (qsizetype i = S - 1; i >= 0; --i) {
            while (j >= 0 && ends[size_t(j)] > starts[size_t(i)])
                free.push_back(j--);
            if (!free.empty()) {
                startMatched[size_t(i)] = 1;
                endMatched[size_t(free.back())] = 1;
                free.pop_back();
            }
        }
    }

    QString report;
    QString current;
    bool changed = false;

    // 4. Unclosed start tags: repaired, else marked. The edits are collected against the
    // pass's text; the searches look at where things stand after the edits so far.
    if (std::find(startMatched.begin(), startMatched.end(), 0) != startMatched.end()) {
        const QString name = start.mid(1).toString();
        Occurrences starting, repairs[3];
        starting.at = starts;
        starting.length = s.size();
        const qsizetype nameLen = name.size();
        repairs[0].length = nameLen + 2; // " /name"
        repairs[1].length = nameLen + 2; // ">/name"
        repairs[2].length = nameLen + 3; // CR LF "/name"
        for (qsizetype i = findUnit(t, n, u'/', 0); i >= 0; i = findUnit(t, n, u'/', i + 1)) {
            if (!atExact(t, n, i + 1, name) || i == 0)
                continue;
            if (t[i - 1] == u' ')
                repairs[0].at.push_back(i - 1);
            else if (t[i - 1] == u'>')
                repairs[1].at.push_back(i - 1);
            else if (t[i - 1] == u'\n' && i >= 2 && t[i - 2] == u'\r')
                repairs[2].at.push_back(i - 2);
        }
        std::vector<qsizetype> points;
        for (qsizetype p : starts)
            points.push_back(p + 1);
        for (qsizetype p : repairs[1].at)
            points.push_back(p + 1);
        for (qsizetype p : repairs[2].at)
            points.push_back(p + 2);
        InsertionCounts inserted(std::move(points));
        starting.ready();
        for (auto &r : repairs)
            r.ready();
        std::vector<Insertion> ins;
        std::vector<Replacement> rep;
        Occurrences *all[4] = {&starting, &repairs[0], &repairs[1], &repairs[2]};

        for (qsizetype i = 0; i < S; ++i) {
            if (startMatched[size_t(i)])
                continue;
            const qsizetype p = starts[size_t(i)];
            bool repaired = false;
            for (int kind = 0; kind < 3 && !repaired; ++kind) {
                const int k = repairs[kind].firstFrom(p, inserted);
                if (k < 0)
                    continue;
                const qsizetype q = repairs[kind].at[size_t(k)];
                if (kind == 0) {
                    rep.push_back({q, u'<'});
                    for (Occurrences *o : all)
                        o->killCovering(q, q);
                } else {
                    const qsizetype before = kind == 1 ? q + 1 : q + 2;
                    ins.push_back({before, u'<'});
                    inserted.add(before);
                    for (Occurrences *o : all)
                        o->killCovering(before - 1, before);
                }
                repaired = true;
                ++run.repairs;
            }
            if (!repaired) {
                const int k = starting.firstFrom(std::max<qsizetype>(p - 1, 0), inserted);
                if (k >= 0) {
                    const qsizetype q = starting.at[size_t(k)];
                    ins.push_back({q + 1, u'!'});
                    inserted.add(q + 1);
                    // The marked tag is written as the start string is: lower case.
                    for (qsizetype x = q + 1; x < q + s.size(); ++x)
                        if (isAsciiUpper(QChar(t[x])))
                            rep.push_back({x, foldAscii(t[x])});
                    for (Occurrences *o : all)
                        o->killCovering(q, q + 1);
                }
            }
            report += kCrLf + run.texts.forTag + u' ' + start.toString() + u' ' + run.texts.closingMissing;
        }
        if (!ins.empty() || !rep.empty()) {
            current = applyEdits(text, ins, rep);
            changed = true;
        }
    }

    // 5. Start tags without end tag.
    if (S > E)
        report += kCrLf + QString::number(S - E) + end.toString() + u' ' + run.texts.missing;

    // 6. End tags without start tag become blanks.
    if (E > S) {
        if (!changed) {
            current = text.toString();
            changed = true;
        }
        const char16_t *c = units(current);
        const qsizetype cn = current.size();
        std::vector<qsizetype> now;
        for (qsizetype i = findUnit(c, cn, u'<', 0); i >= 0; i = findUnit(c, cn, u'<', i + 1))
            if (atAscii(c, cn, i, e))
                now.push_back(i);
        std::vector<char> gone(now.size(), 0);
        size_t scan = 0;
        qsizetype count = 0;
        for (qsizetype j = 0; j < E; ++j) {
            if (endMatched[size_t(j)])
                continue;
            ++count;
            const qsizetype target = std::max<qsizetype>(ends[size_t(j)] - 1, 0);
            // Targets ascend; blanked occurrences are skipped.
            while (scan < now.size() && (now[scan] < target || gone[scan]))
                ++scan;
            const size_t k = scan;
            if (k >= now.size())
                continue;
            gone[k] = 1;
            for (qsizetype x = 0; x < e.size(); ++x)
                current[now[k] + x] = u' ';
        }
        report += kCrLf + QString::number(count) + run.texts.redundant + end.toString() + run.texts.deleted;
    }

    // 7.
    if (!isBlank(report))
        run.CheckReport += report;
    return changed ? current : text.toString();
}

QString RemoveBlankElements(QStringView start, QStringView end, QStringView text, int &count)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    const QString s = lowerAscii(start), e = lowerAscii(end);
    QString out;
    qsizetype copied = 0;
    qsizetype from = 2; // the first search begins at position 3
    // Searches of ">" and of the end tag go forward only; their last answers are kept
    // (-2: not searched yet, -1: none).
    qsizetype gtAt = -2, endAt = -2;
    qsizetype lastGt = -1, lastEnd = -1;
    bool lastBlank = false;
    for (;;) {
        const qsizetype p = findAscii(text, s, from);
        if (p < 0)
            break;
        if (gtAt == -2 || (gtAt >= 0 && gtAt < p))
            gtAt = findChar(text, u'>', p);
        const qsizetype gt = gtAt;
        if (gt < 0) {
            from = p + 2;
            continue;
        }
        if (endAt == -2 || (endAt >= 0 && endAt < gt + 1))
            endAt = findAscii(text, e, gt + 1);
        const qsizetype et = endAt;
        if (et < 0) {
            from = p + 2;
            continue;
        }
        bool blank;
        if (gt == lastGt && et == lastEnd) {
            blank = lastBlank;
        } else {
            blank = blankContent(trimmedView(text.mid(gt + 1, et - gt - 1)));
            lastGt = gt;
            lastEnd = et;
            lastBlank = blank;
        }
        if (!blank) {
            from = p + 2;
            continue;
        }
        const QStringView content = trimmedView(text.mid(gt + 1, et - gt - 1));
        if (out.isEmpty())
            out.reserve(n);
        out.append(QStringView(t + copied, p - copied));
        out.append(content);
        copied = et + e.size();
        ++count;
        // The next search begins two units behind the start of the content.
        from = copied + std::max<qsizetype>(0, 2 - content.size());
    }
    if (copied == 0)
        return text.toString();
    out.append(QStringView(t + copied, n - copied));
    return out;
}

QString ConvertBlockMarkers(QStringView text, bool &converted)
{
    const qsizetype body = findAscii(text, u"<body", 0);
    if (body < 0)
        return text.toString();
    qsizetype lead = 0, stop = text.size();
    while (lead < stop && text[lead].unicode() <= 32)
        ++lead;
    while (stop > lead && text[stop - 1].unicode() <= 32)
        --stop;
    const QStringView w = text.mid(lead, stop - lead);
    const char16_t *t = units(w);
    const qsizetype n = w.size();

    // The first pass searches from the body's position in the untrimmed text; the later
    // ones from its position in the trimmed text they are given.
    struct Mark {
        qsizetype at;  // the marker's "<"
        qsizetype gt;  // its first ">" at or after it, -1 none
        int kind;
    };
    std::vector<Mark> marks;
    for (qsizetype i = findExact(w, u"<!", 0); i >= 0; i = findExact(w, u"<!", i + 1)) {
        for (int k = 0; k < 6; ++k) {
            const qsizetype from = k == 0 ? body : body - lead;
            if (i >= from && atAscii(t, n, i, QStringView(kBlockMarkers[k]))) {
                marks.push_back({i, -1, k});
                break;
            }
        }
    }
    if (marks.empty())
        return w.toString();
    converted = true;
    qsizetype gt = -1;
    for (Mark &m : marks) {
        if (gt < m.at)
            gt = findChar(w, u'>', m.at);
        m.gt = gt;
        if (gt < 0)
            gt = n; // no ">" after this marker: none after the later ones either
    }
    // For each ">", the marked end tags behind it: later kinds first, each kind as often
    // as it has markers there.
    std::vector<std::pair<qsizetype, int>> after; // (">" offset, kind)
    for (const Mark &m : marks)
        if (m.gt >= 0 && m.gt < n)
            after.push_back({m.gt, m.kind});
    std::stable_sort(after.begin(), after.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first < b.first : a.second > b.second;
    });
    QString out;
    out.reserve(n + qsizetype(after.size()) * 10);
    qsizetype copied = 0;
    size_t mi = 0, ai = 0;
    while (mi < marks.size() || ai < after.size()) {
        const qsizetype bang = mi < marks.size() ? marks[mi].at + 1 : n + 1;
        const qsizetype close = ai < after.size() ? after[ai].first : n + 1;
        if (bang <= close) {
            out.append(w.mid(copied, bang - copied));
            copied = bang + 1;
            ++mi;
        } else {
            out.append(w.mid(copied, close + 1 - copied));
            copied = close + 1;
            for (; ai < after.size() && after[ai].first == close; ++ai)
                out.append(QStringLiteral("<!/") + QStringView(kBlockMarkers[after[ai].second]).mid(2).toString() + u'>');
        }
    }
    out.append(w.mid(copied));
    return out;
}

QList<ProblemMatch> FindProblems(QStringView text)
{
    QList<ProblemMatch> found;
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    for (qsizetype i = findExact(text, u"<!", 0); i >= 0; i = findExact(text, u"<!", i)) {
        qsizetype j = i + 2;
        while (j < n && ((t[j] >= u'a' && t[j] <= u'z') || t[j] == u'/'))
            ++j;
        if (j < n && t[j] == u'>') {
            found.append(ProblemMatch{i + 1, j - i + 1});
            i = j + 1;
        } else {
            i = j;
        }
    }
    return found;
}

QString blankTagsRemovedText(int language)
{
    return language == 0 ? QStringLiteral("Leere Tags entfernt.") : QStringLiteral("Blank tags removed.");
}

QString fontDeprecatedText(int language)
{
    return language == 0 ? QStringLiteral("<font Tag ist veraltet! Verwenden Sie stattdessen CSS!")
                         : QStringLiteral("<font tag is deprecated! Use CSS instead!");
}

QString noProblemsText(int language)
{
    return language == 0 ? QStringLiteral("Keine Probleme gefunden.") : QStringLiteral("No problems found.");
}

QString problemsFoundText(int language, qsizetype count)
{
    return QString::number(count)
           + (language == 0 ? QStringLiteral(" Probleme gefunden. F4 drücken um nächstes Problen anzuzeigen.")
                            : QStringLiteral(" problems found. Press F4 to show next problem."));
}

QString noFurtherErrorsText(int language)
{
    return language == 0 ? QStringLiteral("Keine weiteren Fehler vorhanden.") : QStringLiteral("No further errors found.");
}

QString ComposeReport(const CheckRun &run, bool fontFound)
{
    QString report = run.CheckReport;
    if (fontFound)
        report += kCrLf + fontDeprecatedText(run.texts.language);
    if (isBlank(report))
        report = run.texts.finished;
    else
        report = run.texts.finished + kCrLf + report;
    if (run.BlankElementCount > 0)
        report += kCrLf + blankTagsRemovedText(run.texts.language);
    return report;
}

CodeCheckResult RunCodeCheck(QStringView input, const CheckTexts &texts)
{
    CheckRun run;
    run.texts = texts;
    QString text = CleanupHtml(input, &run);
    const QString cleaned = text;
    // The empty elements: a pair whose start string does not occur is passed over; which
    // ones occur is found again after a pair changed the text.
    bool present[12];
    blankStartsPresent(text, 0, present);
    for (int k = 0; k < 12; ++k) {
        if (!present[k])
            continue;
        const int before = run.BlankElementCount;
        const TagPair &p = kBlankElementPairs[k];
        QString next = RemoveBlankElements(p.start, p.end, text, run.BlankElementCount);
        if (run.BlankElementCount != before) {
            text = next;
            blankStartsPresent(text, k + 1, present);
        }
    }
    bool converted = false;
    text = ConvertBlockMarkers(text, converted);
    run.MarkerConverted = converted;
    const GeneratorMetaEdit meta = generatorMetaEdit(text);
    if (meta.kind == GeneratorMetaEdit::Range)
        text.replace(meta.start, meta.length, meta.text);
    else if (meta.kind == GeneratorMetaEdit::WholeText)
        text = meta.text;
    const bool font = text.contains(QStringLiteral("<font"));
    CodeCheckResult result;
    result.text = text;
    result.report = ComposeReport(run, font);
    result.cleaned = cleaned;
    result.checkReport = run.CheckReport;
    result.markerConverted = run.MarkerConverted;
    result.repairs = run.repairs;
    return result;
}

} // namespace sx

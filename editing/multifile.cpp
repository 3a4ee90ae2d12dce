#include "editing/multifile.h"

#include "app/documentfile.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <limits>

namespace {

// The search of FindInFileText over one text, with ASCII letters compared in any case
// unless matchCase (as if both texts were lower-cased, without copying either). The
// candidates are found by their first character, many characters at a time; a letter is
// looked for in both cases, each with a cursor that only moves forward.
class FileTextSearch
{
public:
    FileTextSearch(QStringView text, QStringView needle, bool matchCase)
        : m_text(text), m_needle(needle), m_fold(!matchCase)
    {
        if (!needle.isEmpty()) {
            m_first = fold(needle[0].unicode());
            m_other = m_first;
            if (m_fold && m_first >= u'a' && m_first <= u'z')
                m_other = char16_t(m_first - 32);
        }
    }

    // The 0-based start of the first occurrence at or after from; -1 when there is none.
    qsizetype find(qsizetype from)
    {
        const qsizetype len = m_needle.size();
        const qsizetype n = m_text.size();
        if (len == 0 || from < 0)
            return -1;
        const char16_t *t = m_text.utf16();
        const char16_t *p = m_needle.utf16();
        while (from + len <= n) {
            const qsizetype c = candidate(from);
            if (c < 0 || c + len > n)
                return -1;
            qsizetype k = 1;
            if (m_fold)
                while (k < len && fold(t[c + k]) == fold(p[k]))
                    ++k;
            else
                while (k < len && t[c + k] == p[k])
                    ++k;
            if (k == len)
                return c;
            from = c + 1;
        }
        return -1;
    }

    // The same, passing over occurrences next to a word character: the search goes on one
    // character behind the end of each.
    qsizetype findWhole(qsizetype from)
    {
        const qsizetype len = m_needle.size();
        const qsizetype n = m_text.size();
        const char16_t *t = m_text.utf16();
        for (qsizetype p = find(from); p >= 0; p = find(p + len + 1)) {
            const bool before = p > 0 && isFileWordChar(t[p - 1]);
            const bool after = p + len < n && isFileWordChar(t[p + len]);
            if (!before && !after)
                return p;
        }
        return -1;
    }

private:
    char16_t fold(char16_t c) const { return m_fold ? sx::foldAscii(c) : c; }

    qsizetype candidate(qsizetype from)
    {
        if (m_one < from)
            m_one = m_text.indexOf(QChar(m_first), from);
        if (m_one < 0)
            m_one = kNone;
        if (m_other == m_first)
            return m_one == kNone ? -1 : m_one;
        if (m_two < from)
            m_two = m_text.indexOf(QChar(m_other), from);
        if (m_two < 0)
            m_two = kNone;
        const qsizetype c = std::min(m_one, m_two);
        return c == kNone ? -1 : c;
    }

    static constexpr qsizetype kNone = std::numeric_limits<qsizetype>::max();
    QStringView m_text, m_needle;
    bool m_fold;
    char16_t m_first = 0, m_other = 0;
    qsizetype m_one = -1, m_two = -1; // the next position of each form, kNone: none left
};

bool isBreakChar(char16_t c) { return c == u'\r' || c == u'\n' || c == 0x2028; }

bool hasBreakChar(QStringView s) { return std::any_of(s.begin(), s.end(), [](QChar c) { return isBreakChar(c.unicode()); }); }

// The replaced text in the file's own line breaks. original is the text as read; the
// matches are offsets in the same text as the editor holds it (every break CR LF). The
// needle holds no line break, so every occurrence lies within a line and maps onto the
// same characters of original; the replacement's line breaks are written in the file's
// style.
QString replacedInOriginal(const QString &original, const std::vector<qsizetype> &matches,
                           qsizetype length, QStringView replacement)
{
    const QString with = withLineBreaks(replacement, detectLineBreak(original));
    QString out;
    out.reserve(original.size() + qsizetype(matches.size()) * (with.size() - length));
    const char16_t *o = reinterpret_cast<const char16_t *>(original.constData());
    const qsizetype on = original.size();
    qsizetype oi = 0, hi = 0, copied = 0;
    for (const qsizetype m : matches) {
        while (hi < m) {
            const char16_t c = o[oi];
            if (c == u'\r' && oi + 1 < on && o[oi + 1] == u'\n') {
                oi += 2;
                hi += 2;
            } else if (isBreakChar(c)) {
                oi += 1;
                hi += 2;
            } else {
                oi += 1;
                hi += 1;
            }
        }
        out.append(QStringView(o + copied, oi - copied));
        out.append(with);
        oi += length;
        hi += length;
        copied = oi;
    }
    out.append(QStringView(o + copied, on - copied));
    return out;
}

} // namespace

qsizetype FindInFileText(QStringView text, QStringView needle, qsizetype offset, bool wholeWord, bool matchCase)
{
    if (offset < 1)
        offset = 1;
    if (offset - 1 > text.size())
        return -1;
    FileTextSearch search(text, needle, matchCase);
    const qsizetype p = wholeWord ? search.findWhole(offset - 1) : search.find(offset - 1);
    return p < 0 ? -1 : p + 1;
}

std::vector<qsizetype> fileMatches(QStringView text, const MultiFileSearch &s)
{
    std::vector<qsizetype> out;
    const qsizetype n = text.size();
    const qsizetype len = s.search.size();
    if (len == 0 || n <= 1)
        return out;
    FileTextSearch search(text, s.search, s.matchCase);
    // next is the 1-based position the next search starts at. Replacing an occurrence
    // moves the rest of the text by the same amount as next, so the offsets in the text as
    // read are the same in search-only and in replace mode.
    qsizetype next = 1;
    while (next < n) {
        const qsizetype p = s.wholeWord ? search.findWhole(next - 1) : search.find(next - 1);
        if (p < 0)
            break;
        out.push_back(p);
        if (!s.all)
            break;
        next = p + 1 + len + 2;
    }
    return out;
}

QString replacedText(QStringView text, const std::vector<qsizetype> &matches, qsizetype length,
                     QStringView replacement)
{
    QString out;
    out.reserve(text.size() + qsizetype(matches.size()) * (replacement.size() - length));
    qsizetype from = 0;
    for (const qsizetype m : matches) {
        out.append(text.mid(from, m - from));
        out.append(replacement);
        from = m + length;
    }
    out.append(text.mid(from));
    return out;
}

FileChange changedFileBytes(const QByteArray &bytes, const MultiFileSearch &fields, const AnsiCodec &ansi)
{
    // The texts as the editor holds them: a line break in them is a CR LF pair.
    MultiFileSearch search = fields;
    search.search = normalizeLineBreaks(fields.search);
    search.replace = normalizeLineBreaks(fields.replace);
    FileChange r;
    DecodedText decoded = decodeText(bytes, ansi);
    r.encoding = decoded.encoding;
    // The search sees the text as the editor holds it: every line break CR LF.
    const QString held = hasOnlyCrLfBreaks(decoded.text) ? decoded.text : normalizeLineBreaks(decoded.text);
    const std::vector<qsizetype> matches = fileMatches(held, search);
    r.matches = int(matches.size());
    if (search.searchOnly || matches.empty())
        return r;

    QString changed;
    // Making the breaks CR LF only ever lengthens a text.
    const bool onlyCrLf = held.size() == decoded.text.size();
    if (onlyCrLf || hasBreakChar(search.search)) {
        // Only CR LF breaks (or a needle that spans them): the text in the editor's form,
        // its line breaks written in the style the file was read with.
        changed = replacedText(held, matches, search.search.size(), search.replace);
        if (!onlyCrLf)
            changed = withLineBreaks(changed, detectLineBreak(decoded.text));
    } else {
        changed = replacedInOriginal(decoded.text, matches, search.search.size(), search.replace);
        // A replacement between a lone CR and a lone LF (or one that ends in a break next
        // to another) could join two line breaks into one pair: then the whole text is
        // written in the file's main style, as a save would.
        const QString inEditor = replacedText(held, matches, search.search.size(), search.replace);
        if (normalizeLineBreaks(changed) != inEditor)
            changed = withLineBreaks(inEditor, detectLineBreak(decoded.text));
    }
    if (changed == decoded.text)
        return r;
    QByteArray out = encodedFileBytes(changed, r.encoding, ansi);
    if (out == bytes)
        return r;
    r.changed = true;
    r.bytes = std::move(out);
    return r;
}

FileOutcome ProcessFile(const QString &path, const MultiFileSearch &search, const AnsiCodec &ansi,
                        const std::function<void()> &afterRead)
{
    FileOutcome r;
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, &r.error)) {
        r.status = FileOutcome::ReadFailed;
        return r;
    }
    if (afterRead)
        afterRead();
    const FileChange change = changedFileBytes(bytes, search, ansi);
    bytes = QByteArray();
    r.matches = change.matches;
    if (!change.changed)
        return r;
    const QFileInfo info(path);
    if ((info.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)) == 0) {
        r.status = FileOutcome::WriteFailed;
        r.error = QStringLiteral("The file is read-only.");
        return r;
    }
    if (!writeFileAtomicUnflushed(path, change.bytes, &r.error)) {
        r.status = FileOutcome::WriteFailed;
        return r;
    }
    r.written = true;
    return r;
}

// ---------------------------------------------------------------------------------------

void MultiFileLists::clear()
{
    loaded.clear();
    search.clear();
    result.clear();
}

void MultiFileLists::load(const QStringList &paths)
{
    loaded = paths;
    result.clear();
    FillSearchList();
}

void MultiFileLists::FillSearchList()
{
    search.clear();
    search.reserve(loaded.size());
    for (const QString &p : std::as_const(loaded))
        search.append(sx::fileNamePart(p));
}

qsizetype MultiFileLists::loadedIndexOf(QStringView name) const
{
    for (qsizetype i = 0; i < loaded.size(); ++i)
        if (QStringView(loaded[i]).endsWith(name) && sx::fileNamePart(loaded[i]) == name)
            return i;
    return -1;
}

bool MultiFileLists::removeEntries(std::vector<qsizetype> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](qsizetype r) { return r < 0 || r >= search.size(); }),
               rows.end());
    if (rows.empty())
        return false;
    for (const qsizetype r : rows) {
        const qsizetype i = loadedIndexOf(search[r]);
        if (i >= 0)
            loaded.removeAt(i);
    }
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        search.removeAt(*it);
    return true;
}

void MultiFileLists::backToSearch()
{
    search.append(result);
    result.clear();
}

std::vector<qsizetype> MultiFileLists::takeFound(const QStringList &names)
{
    // The rows of each name in the search list, first to last; a found name takes the
    // first row of its name that is still there.
    QHash<QString, std::vector<qsizetype>> rowsOf;
    std::vector<char> gone(size_t(search.size()), 0);
    if (!names.isEmpty()) {
        QHash<QString, qsizetype> wanted;
        for (const QString &n : names)
            ++wanted[n];
        for (qsizetype i = 0; i < search.size(); ++i)
            if (wanted.contains(search[i]))
                rowsOf[search[i]].push_back(i);
        QHash<QString, size_t> used;
        for (const QString &n : names) {
            result.append(n);
            auto it = rowsOf.find(n);
            if (it == rowsOf.end())
                continue;
            size_t &k = used[n];
            if (k < it->size())
                gone[size_t((*it)[k++])] = 1;
        }
    }
    std::vector<qsizetype> kept;
    kept.reserve(size_t(search.size()));
    QStringList stay;
    stay.reserve(search.size());
    for (qsizetype i = 0; i < search.size(); ++i)
        if (!gone[size_t(i)]) {
            kept.push_back(i);
            stay.append(search[i]);
        }
    search = stay;
    return kept;
}

MultiFileRun runMultiFile(const QStringList &paths, const MultiFileSearch &search, const AnsiCodec &ansi,
                          const std::function<void(int)> &progress)
{
    MultiFileRun run;
    for (const QString &path : paths) {
        const FileOutcome f = ProcessFile(path, search, ansi, [&] {
            ++run.processed;
            if (progress)
                progress(run.processed);
        });
        if (f.status == FileOutcome::Done)
            run.total += f.matches;
        if (f.written)
            run.written.append(path);
        if (f.status != FileOutcome::Done) {
            run.failed = true;
            run.failure = f.status;
            run.failedPath = path;
            run.error = f.error;
            break;
        }
        if (f.matches > 0)
            run.found.append(sx::fileNamePart(path));
    }
    // What the run wrote becomes durable together.
    QStringList folders;
    for (const QString &p : std::as_const(run.written)) {
        const QString folder = QFileInfo(p).absolutePath();
        if (!folders.contains(folder)) {
            folders.append(folder);
            flushFilesToDisk(folder);
        }
    }
    return run;
}

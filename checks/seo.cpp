#include "checks/seo.h"

#include "editing/textops.h"

namespace sx {

namespace {

// The page lower-cased (A-Z only) with every CR LF pair removed, in one pass.
QString workingText(QStringView text)
{
    QString w(text.size(), Qt::Uninitialized);
    char16_t *d = reinterpret_cast<char16_t *>(w.data());
    const char16_t *s = text.utf16();
    const qsizetype n = text.size();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n') {
            ++i;
            continue;
        }
        d[k++] = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    }
    w.truncate(k);
    return w;
}

// The length of what stays of the text when every "<...>" is removed (a "<" without a
// later ">" stays, with everything after it).
qsizetype lengthWithoutTags(QStringView text)
{
    qsizetype kept = 0, i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype lt = text.indexOf(u'<', i);
        if (lt < 0) {
            kept += n - i;
            break;
        }
        const qsizetype gt = text.indexOf(u'>', lt + 1);
        if (gt < 0) {
            kept += n - i;
            break;
        }
        kept += lt - i;
        i = gt + 1;
    }
    return kept;
}

} // namespace

int CountHttpLinks(QStringView text)
{
    int count = 0;
    qsizetype from = 1;
    while (from < text.size()) {
        const qsizetype p = posAsciiCi(u"http://", text, from);
        if (p < 1)
            break;
        ++count;
        from = p + 5;
    }
    return count;
}

SeoMeasures MeasureSeo(QStringView text)
{
    SeoMeasures m;
    m.links = CountHttpLinks(text);
    const QString work = workingText(text);
    const QStringView w(work);

    const qsizetype body = w.indexOf(u"<body");
    m.textLength = lengthWithoutTags(body < 0 ? w : w.mid(body));
    m.textOk = m.textLength > 500;

    qsizetype desc = w.indexOf(u"<meta name=\"description\"");
    if (desc < 0)
        desc = w.indexOf(u"<meta name=description");
    if (desc >= 0) {
        m.descriptionPresent = true;
        const qsizetype end = w.indexOf(u'>', desc);
        // The element's own content attribute: one that only a later element has does
        // not count.
        const qsizetype content = w.indexOf(u"content=", desc);
        const bool own = content >= 0 && (end < 0 || content < end);
        const qsizetype from = own ? content + 8 : desc;
        // An element cut off by the end of the page is measured to the end.
        m.descriptionLength = (end < 0 ? w.size() : end) - from - 3;
        m.descriptionLengthOk = m.descriptionLength >= 130 && m.descriptionLength <= 160;
    }

    m.keywordsPresent = w.contains(u"<meta name=\"keywords\"") || w.contains(u"<meta name=keywords");

    const qsizetype title = w.indexOf(u"<title>");
    if (title >= 0) {
        m.titleMeasured = true;
        const qsizetype close = w.indexOf(u"</title>", title);
        // 1-based positions as the measure defines them: no "</title>" counts as 0.
        m.titleLength = (close < 0 ? 0 : close + 1) - (title + 1);
        m.titleOk = m.titleLength >= 30 && m.titleLength <= 66;
    }
    return m;
}

int SeoScore(int ticks, int checkedBoxes, const QString &linksLabel)
{
    bool ok = false;
    const long long links = parseInteger(linksLabel, &ok);
    const int count = ticks + checkedBoxes + (ok && links > 0 ? 1 : 0);
    const int score = count * 12;
    return score > 95 ? 100 : score;
}

QString InsertSeoMetaTags(QStringView text, bool *inserted)
{
    const QString result = replaceFirst(
        text, u"</title>",
        u"</title>\r\n<meta name=\"description\" content=\"Insert your description here\" />\r\n"
        u"<meta name=\"keywords\" content=\"Insert your keywords here\" />\r\n",
        true);
    if (inserted)
        *inserted = result.size() != text.size();
    return result;
}

bool IsIndexPageName(const QString &fileName)
{
    return fileName == QLatin1String("index.htm") || fileName == QLatin1String("index.html");
}

QString SeoIndexQuestion(const QString &fileName, int language)
{
    return language != 0 ? QStringLiteral("Is ") + fileName + QStringLiteral(" the index page of our web site?")
                         : QStringLiteral("Ist ") + fileName + QStringLiteral(" die Index-Seite Ihrer Homepage?");
}

} // namespace sx

// The search-engine check: what it measures on a page, the score it gives, and the
// placeholder meta elements it can put into the page.
//
// Every measure works on the page text lower-cased (A-Z only) with its CR LF pairs
// removed, so line breaks count for nothing; the link count works on the text as it is.
#pragma once

#include <QString>
#include <QStringView>

namespace sx {

// Number of "http://" occurrences (any case) in the text; "https://" does not count.
int CountHttpLinks(QStringView text);

struct SeoMeasures {
    int links = 0;

    // Length of the text from the first "<body" on, tags removed (blanks, entities and
    // script code included); written and ticked only when above 500.
    qsizetype textLength = 0;
    bool textOk = false;

    // A description meta element is present; its content's length (less the quotes) is
    // measured then, ticked from 130 to 160.
    bool descriptionPresent = false;
    qsizetype descriptionLength = 0;
    bool descriptionLengthOk = false;

    bool keywordsPresent = false;

    // A "<title>" is present; the measure is the title text's length plus 7 (the distance
    // from "<title>" to "</title>", negative without "</title>"), ticked from 30 to 66.
    bool titleMeasured = false;
    qsizetype titleLength = 0;
    bool titleOk = false;
};

SeoMeasures MeasureSeo(QStringView text);

// The percentage: 12 points for each tick, ticked box and for links (a links label above
// 0; a text that is no number counts as 0); above 95 becomes 100.
int SeoScore(int ticks, int checkedBoxes, const QString &linksLabel);

// The page with the placeholder description and keywords elements behind its first
// "</title>" (any case; written back as "</title>"). inserted is false, and the text
// unchanged, when the page has no "</title>".
QString InsertSeoMetaTags(QStringView text, bool *inserted = nullptr);

// The check runs at once on the index page; for any other page the user is asked.
bool IsIndexPageName(const QString &fileName);
// "Is NAME the index page of our web site?" (language 0 German, else English).
QString SeoIndexQuestion(const QString &fileName, int language);

} // namespace sx

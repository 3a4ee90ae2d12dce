// The HTML code check: tag balance with its markers and end-tag repairs, removal of empty
// elements, block markers turned into problem markers, the problem scan, and the report.
//
// Positions in the public results are 1-based, as the editor's text positions are.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace sx {

// The catalogue messages the check reports with, and the interface language of the
// fixed texts (0 German, anything else English).
struct CheckTexts {
    QString forTag;        // message 13, "For"
    QString closingMissing; // message 12, " closing Tag(s) missing."
    QString missing;       // message 14, "missing"
    QString redundant;     // message 16, " redundant"
    QString deleted;       // message 17, " deleted."
    QString finished;      // message 32, "Code check finished."
    int language = 1;

    static CheckTexts english();
};

// The state of one check run.
struct CheckRun {
    CheckTexts texts = CheckTexts::english();
    QString CheckReport;       // every line begins with CR LF
    int BlankElementCount = 0;
    bool MarkerConverted = false;
    int repairs = 0;           // end tags repaired by the balance passes
};

// The twenty balance pairs, in the order the clean-up runs them.
struct TagPair {
    QStringView start;
    QStringView end;
};
extern const TagPair kBalancePairs[20];
// The empty-element pairs, in the order the check removes them.
extern const TagPair kBlankElementPairs[12];
// The six block markers ("<!div", ...) in the order they are converted.
extern const QStringView kBlockMarkers[6];

// One balance pass: counts start and end tags (start exactly, apart from letter case),
// matches them (each start tag, from the last, takes the earliest free end tag behind
// it), repairs or marks unclosed start tags, blanks redundant end tags, and appends its
// report lines to run.CheckReport.
QString BalanceTags(QStringView start, QStringView end, QStringView text, CheckRun &run);

// Marks the first occurrence of tag (any case) at or after the 1-based position - 1:
// a start tag gets "!" behind its "<", an end tag becomes as many blanks. Unchanged when
// there is none.
QString MarkUnbalancedTag(qsizetype position, QStringView tag, QStringView text);

// Repairs a broken end tag for the start string, searching case-sensitively from the
// 1-based position: " /name" (the blank becomes "<"), else ">/name" ("/" becomes "</"),
// else CR LF "/name" ("<" before the "/"). True when one was repaired.
bool RepairEndTag(QStringView start, qsizetype position, QString &text);

// Removes the empty elements of one pair ("<span> &nbsp; </span>" becomes "&nbsp;");
// adds their number to count.
QString RemoveBlankElements(QStringView start, QStringView end, QStringView text, int &count);

// Converts the markers of the six block elements, from the first "<body" on: "<!div"
// becomes "<div" and a marked end tag "<!/div>" follows the start tag's ">". The text
// comes back trimmed; without "<body" it stays as it is. converted is set when a
// marker was converted.
QString ConvertBlockMarkers(QStringView text, bool &converted);

// The matches of the problem pattern "<![/a-z]*>", left to right, not overlapping.
struct ProblemMatch {
    qsizetype position = 0; // 1-based
    qsizetype length = 0;
    bool operator==(const ProblemMatch &o) const { return position == o.position && length == o.length; }
};
QList<ProblemMatch> FindProblems(QStringView text);

// The fixed texts of the check in the interface language.
QString blankTagsRemovedText(int language);
QString fontDeprecatedText(int language);
QString noProblemsText(int language);
QString problemsFoundText(int language, qsizetype count);
QString noFurtherErrorsText(int language);

// The whole check on a page, without the editor: clean-up, empty elements, block
// markers, the generator meta element, and the report.
struct CodeCheckResult {
    QString text;
    QString report;
    QString cleaned;     // the clean-up's result
    QString checkReport; // the balance passes' lines
    bool markerConverted = false;
    int repairs = 0;
};
CodeCheckResult RunCodeCheck(QStringView text, const CheckTexts &texts);

// The report of a run: message 32, the balance lines, the font warning, the note on
// removed empty elements.
QString ComposeReport(const CheckRun &run, bool fontFound);

} // namespace sx

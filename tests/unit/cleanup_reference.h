// The clean-up and the code check written out step by step, the slow way: a new string
// for every replacement, the lower-cased text taken again before every search, every
// start tag matched against every end tag. The tests compare the one-pass versions of
// checks/ with these on generated pages.
#pragma once

#include "app/documentfile.h"
#include "checks/cleanup.h"
#include "checks/codecheck.h"
#include "editing/textops.h"

#include <QRegularExpression>
#include <QString>
#include <vector>

namespace ref {

using sx::copy;
using sx::copyFrom;
using sx::lowerAscii;
using sx::pos;
using sx::ReplaceRange;
using sx::replaceAll;

inline const QString CRLF = QStringLiteral("\r\n");

inline QString ExtractDoctype(const QString &text)
{
    const qsizetype p = sx::FindHead(u"<!DOCTYPE", text, 0, text.size());
    if (p == 0)
        return QString();
    const qsizetype q = pos(u">", text, p);
    if (q == 0)
        return QString();
    return copy(text, p, q - p + 1);
}

struct Blocks {
    QChar mark;
    QStringList scripts, styles;
};

inline QString ProtectBlocks(QString text, sx::BlockKind kind, Blocks &b)
{
    const bool script = kind == sx::BlockKind::Script;
    QStringList &list = script ? b.scripts : b.styles;
    list.clear();
    if (text.isEmpty())
        return text;
    const QString start = script ? "<script" : "<style";
    const QString end = script ? "</script>" : "</style>";
    qsizetype from = 1;
    for (;;) {
        const qsizetype s = pos(start, lowerAscii(text), from);
        if (s == 0)
            break;
        from = s + start.size();
        const qsizetype e = pos(end, lowerAscii(text), s + start.size());
        if (e == 0)
            break;
        const QString block = copy(text, s, e + end.size() - s);
        const QString ph = sx::blockPlaceholder(kind, int(list.size()), b.mark);
        list.append(block);
        text = ReplaceRange(text, s, block.size(), ph);
    }
    return text;
}

inline QString RestoreBlocks(QString text, sx::BlockKind kind, const Blocks &b)
{
    const QStringList &list = kind == sx::BlockKind::Script ? b.scripts : b.styles;
    for (int i = 0; i < list.size(); ++i)
        text = replaceAll(text, sx::blockPlaceholder(kind, i, b.mark), list[i], true);
    return text;
}

inline QString QuoteAttributes(const QString &rest)
{
    const qsizetype lt = pos(u"<", rest);
    const qsizetype gt = pos(u">", rest, lt);
    if (lt == 0 || gt == 0)
        return QString();
    QString tag = copy(rest, lt, gt - lt + 1);
    tag = replaceAll(tag, u"  ", u" ", true);
    tag = replaceAll(tag, u": ", u":", true);
    tag = replaceAll(tag, u"; ", u";", true);
    tag = replaceAll(tag, u", ", u",", true);
    tag = replaceAll(tag, u"( ", u"(", true);
    tag = replaceAll(tag, u" )", u")", true);
    QStringList values;
    qsizetype from = 1;
    while (values.size() <= 10) {
        const qsizetype eq = pos(u"=", tag, from);
        if (eq == 0)
            break;
        qsizetype vs, ve;
        if (copy(tag, eq + 1, 1) == "\"") {
            vs = eq + 2;
            ve = pos(u"\"", tag, vs);
        } else {
            vs = eq + 1;
            ve = pos(u" ", tag, vs);
        }
        if (ve == 0) {
            const qsizetype close = pos(u")", tag, vs);
            if (close > 0) {
                ve = close + 1;
            } else {
                ve = pos(u"/>", tag, vs);
                if (ve == 0)
                    ve = pos(u">", tag, vs);
                if (ve == 0)
                    break;
            }
        }
        const QString value = copy(tag, vs, ve - vs);
        tag = ReplaceRange(tag, vs, ve - vs, "param" + QString::number(values.size()));
        values.append(value);
        from = vs + 2;
    }
    tag = lowerAscii(tag);
    tag = replaceAll(tag, u"\"", u"");
    for (int k = 0; k < values.size(); ++k) {
        QString v = "\"" + values[k] + "\"";
        v = replaceAll(v, u"\"'", u"\"");
        v = replaceAll(v, u"'\"", u"\"");
        tag = sx::replaceFirst(tag, QString("Param" + QString::number(k)), v, true);
    }
    return tag;
}

inline QString TagPass(QString text)
{
    qsizetype from = 1;
    for (;;) {
        const qsizetype lt = pos(u"<", text, from);
        if (lt == 0)
            break;
        const QString rest = copyFrom(text, lt);
        const qsizetype gt = pos(u">", rest);
        if (gt == 0)
            break;
        const QString oldTag = copy(rest, 1, gt);
        QString newTag = QuoteAttributes(rest);
        const QString head = copy(newTag, 1, 4);
        if ((head.contains("<br") || head.contains("<hr") || head == "<img" || head == "<inp")
            && !newTag.endsWith("/>"))
            newTag = sx::replaceFirst(newTag, u">", u" />");
        text = ReplaceRange(text, lt, oldTag.size(), newTag);
        from = std::max<qsizetype>(lt - 1, 1) + oldTag.size();
    }
    return text;
}

inline QString JoinTagLines(QString text)
{
    qsizetype p = pos(CRLF, text, 1);
    while (p > 0) {
        const QString low = copyFrom(lowerAscii(text), p);
        const qsizetype a = pos(u"<", low);
        const qsizetype b = pos(u">", low);
        if (b == 0 || !(a < b))
            text = ReplaceRange(text, p, 2, u" ");
        p = pos(CRLF, text, p + 2);
    }
    return text;
}

inline QString Structure(QString text)
{
    auto has = [&](const QString &s) { return pos(s, lowerAscii(text)) > 0; };
    if (!has("<html")) {
        const QString d = ExtractDoctype(text);
        text = sx::replaceFirst(text, d, QString(), true);
        text = d + CRLF + "<html>" + text;
    }
    if (!has("</html>"))
        text = text + "</html>";
    if (!has("<head>") && has("<html>"))
        text = ReplaceRange(text, pos(u"<html>", lowerAscii(text)) + 6, 0, CRLF + "<head>");
    if (!has("</head>") && has("<body"))
        text = ReplaceRange(text, pos(u"<body", lowerAscii(text)), 0, CRLF + "</head>" + CRLF);
    if (!has("<body") && has("</head>"))
        text = ReplaceRange(text, pos(u"</head>", lowerAscii(text)) + 7, 0, CRLF + "<body>");
    if (!has("</body>") && has("</html>"))
        text = ReplaceRange(text, pos(u"</html>", lowerAscii(text)), 0, CRLF + "</body>");
    const qsizetype title = pos(u"<title>", lowerAscii(text));
    if (title > 0) {
        if (pos(u"</title>", lowerAscii(text), title + 7) == 0) {
            const qsizetype next = pos(u"<", text, title + 1);
            if (next > 0)
                text = ReplaceRange(text, next, 0, u"</title>");
        }
    } else if (has("</title>")) {
        const qsizetype end = pos(u"</title>", lowerAscii(text));
        qsizetype open = 0;
        for (qsizetype i = pos(u"<title", lowerAscii(text)); i > 0 && i < end; i = pos(u"<title", lowerAscii(text), i + 1))
            open = i;
        text = ReplaceRange(text, open > 0 ? open : end, 0, u"<title></title>");
    }
    return text;
}

inline bool RepairEndTag(const QString &start, qsizetype position, QString &text)
{
    const QString name = start.mid(1);
    qsizetype at = pos(" /" + name, text, position);
    if (at > 0) {
        text = ReplaceRange(text, at, 1, u"<");
        return true;
    }
    at = pos(">/" + name, text, position);
    if (at > 0) {
        text = ReplaceRange(text, at + 1, 1, u"</");
        return true;
    }
    at = pos(CRLF + "/" + name, text, position);
    if (at > 0) {
        text = ReplaceRange(text, at + 2, 0, u"<");
        return true;
    }
    return false;
}

inline QString MarkUnbalancedTag(qsizetype position, const QString &tag, const QString &text)
{
    const QString replacement = tag.contains("</") ? QString(tag.size(), u' ') : "<!" + tag.mid(1);
    const qsizetype at = pos(lowerAscii(tag), lowerAscii(text), std::max<qsizetype>(position - 1, 1));
    if (at == 0)
        return text;
    return ReplaceRange(text, at, tag.size(), replacement);
}

inline QString BalanceTags(const QString &start, const QString &end, QString text, sx::CheckRun &run)
{
    std::vector<qsizetype> S, E;
    for (qsizetype p = pos(start, lowerAscii(text)); p > 0; p = pos(start, lowerAscii(text), p + start.size()))
        S.push_back(p);
    for (qsizetype p = pos(end, lowerAscii(text)); p > 0; p = pos(end, lowerAscii(text), p + end.size()))
        E.push_back(p);
    if (S.size() == E.size())
        return text;
    std::vector<int> match(S.size(), -1);
    std::vector<bool> endTaken(E.size(), false);
    for (int i = int(S.size()) - 1; i >= 0; --i) {
        for (int j = int(E.size()) - 1; j >= 0; --j)
            if (E[j] > S[i] && !endTaken[j])
                match[i] = j;
        if (match[i] >= 0)
            endTaken[match[i]] = true;
    }
    QString report;
    for (size_t i = 0; i < S.size(); ++i) {
        if (match[i] >= 0)
            continue;
        if (RepairEndTag(start, S[i], text))
            ++run.repairs;
        else
            text = MarkUnbalancedTag(S[i], start, text);
        report += CRLF + run.texts.forTag + " " + start + " " + run.texts.closingMissing;
    }
    if (S.size() > E.size())
        report += CRLF + QString::number(S.size() - E.size()) + end + " " + run.texts.missing;
    if (E.size() > S.size()) {
        int count = 0;
        for (size_t j = 0; j < E.size(); ++j) {
            if (endTaken[j])
                continue;
            text = MarkUnbalancedTag(E[j], end, text);
            ++count;
        }
        report += CRLF + QString::number(count) + run.texts.redundant + end + run.texts.deleted;
    }
    if (!sx::isBlank(report))
        run.CheckReport += report;
    return text;
}

inline QString CleanupHtml(const QString &input, sx::CheckRun &run)
{
    const QString saved = ExtractDoctype(input);
    Blocks blocks;
    blocks.mark = sx::freeMarkCharacter(input);
    QString text = ProtectBlocks(input, sx::BlockKind::Script, blocks);
    text = ProtectBlocks(text, sx::BlockKind::Style, blocks);
    for (int i = 0; i < 2; ++i) {
        text = replaceAll(text, u"< ", u"<", true);
        text = replaceAll(text, u" >", u">", true);
    }
    text = replaceAll(text, u"<a  href", u"<a href", true);
    text = replaceAll(text, u"<a  name", u"<a name", true);
    text = TagPass(text);
    text = replaceAll(text, u"&NBSP;", u"&nbsp;");
    static const char16_t *const table[30][2] = {
        {u"<br>", u"<br />"}, {u" >", u">"}, {u"<o:p>", u""}, {u"<tr>&nbsp;</tr>", u""},
        {u"<strong></strong>", u""}, {u"<strong>\r\n</strong>", u""}, {u"<strong>&nbsp;</strong>", u"&nbsp;"},
        {u"<strong><br></strong>", u"<br />"}, {u"<strong><br /></strong>", u"<br />"},
        {u"<strong><strong>", u"<strong>"}, {u"<strong> <strong>", u"<strong>"}, {u"<b></b>", u""},
        {u"<b>&nbsp;</b>", u"&nbsp;"}, {u"<b><br /></b>", u"<br />"}, {u"<b><br></b>", u"<br />"},
        {u"<b>\r\n</b>", u""}, {u"<i></i>", u""}, {u"<i>&nbsp;</i>", u"&nbsp;"}, {u"<i><br></i>", u"<br />"},
        {u"<i><br /></i>", u"<br />"}, {u"<i>\r\n</i>", u""}, {u"<u></u>", u""}, {u"<u>&nbsp;</u>", u"&nbsp;"},
        {u"<u><br /></u>", u"<br />"}, {u"<u><br></u>", u"<br />"}, {u"<u>\r\n</u>", u"<br />"},
        {u"<<", u"<"}, {u">>", u">"}, {u"< <", u"<"}, {u"> >", u">"},
    };
    for (const auto &row : table)
        text = replaceAll(text, row[0], row[1], true);
    text = JoinTagLines(text);
    text = RestoreBlocks(text, sx::BlockKind::Style, blocks);
    text = RestoreBlocks(text, sx::BlockKind::Script, blocks);
    if (!blocks.mark.isNull())
        text.remove(blocks.mark);
    text = Structure(text);
    for (const sx::TagPair &p : sx::kBalancePairs)
        text = BalanceTags(p.start.toString(), p.end.toString(), text, run);
    text = replaceAll(text, u"> <", u"><", true);
    if (!sx::isBlank(saved)) {
        const qsizetype p = sx::FindHead(u"<!DOCTYPE", text, 0, text.size());
        const qsizetype q = p > 0 ? pos(u">", text, p) : 0;
        if (q > 0)
            text = ReplaceRange(text, p, q - p + 1, saved);
    } else {
        text = "<!DOCTYPE html>" + CRLF + text;
    }
    return text;
}

inline QString RemoveBlankElements(const QString &start, const QString &end, QString text, int &count)
{
    qsizetype from = 3;
    for (;;) {
        const qsizetype p = pos(start, lowerAscii(text), from);
        if (p == 0)
            break;
        from = p + 2;
        const qsizetype gt = pos(u">", lowerAscii(text), p);
        if (gt == 0)
            continue;
        const qsizetype e = pos(end, lowerAscii(text), gt + 1);
        if (e == 0)
            continue;
        const QString content = sx::trim(copy(text, gt + 1, e - gt - 1));
        QString rest = replaceAll(content, u"&nbsp;", u"", true);
        rest = replaceAll(rest, u"<br>", u"", true);
        rest = replaceAll(rest, u"<br />", u"", true);
        rest = replaceAll(rest, CRLF, u"", true);
        if (!sx::trim(rest).isEmpty())
            continue;
        text = ReplaceRange(text, p, e + end.size() - p, content);
        ++count;
    }
    return text;
}

inline QString ConvertBlockMarkers(const QString &editor, const QString &marker, bool &converted)
{
    const qsizetype body = pos(u"<body", lowerAscii(editor));
    if (body == 0)
        return editor;
    QString text = sx::trim(editor);
    const QString insertion = "><!/" + marker.mid(2) + ">";
    for (;;) {
        const qsizetype m = pos(marker, lowerAscii(text), body);
        if (m == 0)
            break;
        converted = true;
        text = ReplaceRange(text, m, 2, u"<");
        const qsizetype gt = pos(u">", text, m);
        if (gt > 0)
            text = ReplaceRange(text, gt, 1, insertion);
    }
    return text;
}

inline QList<sx::ProblemMatch> FindProblems(const QString &text)
{
    QList<sx::ProblemMatch> found;
    static const QRegularExpression re(QStringLiteral("<![/a-z]*>"));
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        found.append(sx::ProblemMatch{m.capturedStart() + 1, m.capturedLength()});
    }
    return found;
}

inline sx::CodeCheckResult RunCodeCheck(const QString &input, const sx::CheckTexts &texts)
{
    sx::CheckRun run;
    run.texts = texts;
    QString text = CleanupHtml(input, run);
    const QString cleaned = text;
    const QString checkReport = run.CheckReport;
    for (const sx::TagPair &p : sx::kBlankElementPairs)
        text = RemoveBlankElements(p.start.toString(), p.end.toString(), text, run.BlankElementCount);
    bool converted = false;
    for (QStringView m : sx::kBlockMarkers)
        text = ConvertBlockMarkers(text, m.toString(), converted);
    run.MarkerConverted = converted;
    const GeneratorMetaEdit meta = generatorMetaEdit(text);
    if (meta.kind == GeneratorMetaEdit::Range)
        text = ReplaceRange(text, meta.start + 1, meta.length, meta.text);
    else if (meta.kind == GeneratorMetaEdit::WholeText)
        text = meta.text;
    const bool font = text.contains("<font");
    QString report = run.CheckReport;
    if (font)
        report += CRLF + sx::fontDeprecatedText(texts.language);
    report = sx::isBlank(report) ? texts.finished : texts.finished + CRLF + report;
    if (run.BlankElementCount > 0)
        report += CRLF + sx::blankTagsRemovedText(texts.language);
    sx::CodeCheckResult r;
    r.text = text;
    r.report = report;
    r.cleaned = cleaned;
    r.checkReport = checkReport;
    r.markerConverted = converted;
    r.repairs = run.repairs;
    return r;
}

} // namespace ref

#include "editing/markup.h"

#include "editing/textops.h"

namespace markup {

static MarkupCommand wrap(const char *open, const char *close)
{
    return {SelectionTreatment::WrapTrimmed, QString::fromUtf8(open), QString::fromUtf8(close)};
}

MarkupCommand bold() { return wrap("<b>", " </b>"); }
MarkupCommand italic() { return wrap("<i>", " </i>"); }
MarkupCommand underline() { return wrap("<u>", " </u>"); }
MarkupCommand strike() { return wrap("<strike>", " </strike>"); }
MarkupCommand sup() { return wrap("<sup>", " </sup>"); }
MarkupCommand sub() { return wrap("<sub>", " </sub>"); }

MarkupCommand align(int tag)
{
    switch (tag) {
    case 0: return wrap("<p align=\"left\">", " </p>");
    case 1: return wrap("<p align=\"right\">", " </p>");
    case 2: return wrap("<p align=\"justify\">", " </p>");
    default: return wrap("<p align=\"center\">", " </p>");
    }
}

MarkupCommand indent() { return wrap("<p style=\"text-align:left; margin-left:50px\">", " </p>"); }

MarkupCommand heading(int level)
{
    const QString n = QString::number(level);
    return {SelectionTreatment::WrapAsIs, QStringLiteral("<h") + n + u'>', QStringLiteral("</h") + n + u'>'};
}

MarkupCommand comment() { return {SelectionTreatment::WrapAsIs, QStringLiteral("<!-- "), QStringLiteral(" -->")}; }

MarkupCommand lineBreak() { return {SelectionTreatment::InsertBefore, QStringLiteral(" <br />"), QString()}; }

MarkupCommand horizontalLine()
{
    return {SelectionTreatment::InsertBefore,
            QStringLiteral(" <br /><hr style=\"width:300px; color:gray; background-color:gray; height:2px; "
                           "text-align:center; border:1px\" />"),
            QString()};
}

MarkupCommand script()
{
    return {SelectionTreatment::Replace, QStringLiteral("<script type=\"text/javascript\">\r\n\r\n</script>"),
            QString()};
}

} // namespace markup

void ApplyMarkup(EditorBuffer &buffer, const MarkupCommand &command)
{
    switch (command.treatment) {
    case SelectionTreatment::WrapTrimmed:
        TrimBlankSelection(buffer);
        [[fallthrough]];
    case SelectionTreatment::WrapAsIs:
        buffer.setSelText(command.open + buffer.selText() + command.close);
        break;
    case SelectionTreatment::InsertBefore:
        buffer.setSelLength(0);
        buffer.setSelText(command.open);
        break;
    case SelectionTreatment::Replace:
        buffer.setSelText(command.open);
        break;
    }
}

// Runs of spaces become one space (what replacing "  " by " " until none is left gives).
static QString collapseSpaces(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const char16_t *s = reinterpret_cast<const char16_t *>(text.utf16());
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        if (!(s[i] == u' ' && i > 0 && s[i - 1] == u' '))
            out.append(QChar(s[i]));
    return out;
}

QString BuildListText(const QString &selected, bool ordered)
{
    const QString open = ordered ? QStringLiteral("<ol type=\"1\">") : QStringLiteral("<ul type=\"disc\">");
    const QString close = ordered ? QStringLiteral("</ol>") : QStringLiteral("</ul>");
    const QString crlf = QStringLiteral("\r\n");
    if (selected.isEmpty())
        return open + crlf + QStringLiteral("<li></li>") + crlf + close;
    const QString items = sx::replaceAll(selected, crlf, QStringLiteral("</li>\r\n<li>"));
    QString r = open + crlf + QStringLiteral("<li>") + items + QStringLiteral(" </li>") + crlf + close;
    r = sx::replaceAll(r, u"<li> </li>\r\n", u"");
    r = sx::replaceAll(r, u"<li></li>\r\n", u"");
    return collapseSpaces(r);
}

void BuildList(EditorBuffer &buffer, bool ordered)
{
    TrimBlankSelection(buffer);
    buffer.setSelText(BuildListText(buffer.selText(), ordered));
}

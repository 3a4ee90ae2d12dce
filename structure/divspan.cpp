#include "structure/divspan.h"

#include "editing/textops.h"

DivResult buildDivTag(const DivFields &f)
{
    DivResult r;
    const bool span = f.Typ == 1;
    const QString tag = span ? QStringLiteral("<span") : QStringLiteral("<div");
    QString id = sx::trim(f.Edit2);
    QString cls = sx::trim(f.Edit1);
    const QString style = sx::trim(f.Edit3);
    QString align = sx::trim(f.ComboBox1);
    for (QString *s : {&id, &cls}) {
        *s = sx::replaceFirst(*s, u"#", u"");
        *s = sx::replaceFirst(*s, u".", u"");
    }
    r.Edit1 = cls;
    r.Edit2 = id;
    const QString idPart = id.isEmpty() ? QString() : QStringLiteral(" id=\"") + id + u'"';
    const QString classPart = cls.isEmpty() ? QString() : QStringLiteral(" class=\"") + cls + u'"';
    if (!align.isEmpty())
        align = (span ? QStringLiteral(" display:block; text-align: ") : QStringLiteral(" text-align: ")) + align;
    QString stylePart;
    if (!style.isEmpty() && !align.isEmpty())
        stylePart = QStringLiteral(" style=\"") + style + u';' + align + u'"';
    else if (!style.isEmpty())
        stylePart = QStringLiteral(" style=\"") + style + u'"';
    else if (!align.isEmpty())
        stylePart = QStringLiteral(" style=\"") + align + u'"';
    r.HtmlCode = tag + idPart + classPart + stylePart + u'>';
    return r;
}

QString initialDivStyle(int typ)
{
    return typ == 1 ? QStringLiteral("font-family: Arial, Hevetica; font-weight: normal; font-size: 12px")
                    : QStringLiteral("width: 800px; margin: 0 auto");
}

QString divTagCaption(int typ) { return typ == 1 ? QStringLiteral("<SPAN>") : QStringLiteral("<DIV>"); }

QString divClosingTag(int typ) { return typ == 1 ? QStringLiteral("</span>") : QStringLiteral("</div>"); }

QString lookupStyleRule(const QString &page, const QString &name, bool idRule)
{
    const QChar sign = idRule ? u'#' : u'.';
    QString n = sx::trim(name);
    if (n.startsWith(sign))
        n.remove(0, 1);
    if (n.isEmpty())
        return {};
    const qsizetype start = sx::pos(QString(sign) + n, page);
    if (start < 1)
        return {};
    const qsizetype end = sx::pos(u"}", page, start);
    if (end < 1)
        return {};
    return sx::copy(page, start, end - start + 1);
}

QString collectStyleBlocks(const QString &page)
{
    QString out;
    qsizetype from = 1;
    for (;;) {
        const qsizetype open = sx::posAsciiCi(u"<style", page, from);
        if (open < 1)
            break;
        const qsizetype close = sx::posAsciiCi(u"</style>", page, open);
        if (close < 1)
            break;
        const qsizetype end = close + 8;
        out += QStringView(page).mid(open - 1, end - open);
        out += QStringLiteral("\r\n");
        from = end;
    }
    return out;
}

QString styleNotFoundText(bool english)
{
    return english ? QStringLiteral("Style not found in document. Check external CSS file(s).")
                   : QString::fromUtf8("Style im Dokument nicht gefunden. Prüfen Sie externe CSS Datei(en).");
}

#include "editing/link.h"

#include "editing/textops.h"

LinkPrefill prefillLink(const QString &s)
{
    LinkPrefill p;
    if (s.isEmpty())
        return p;
    // Each test overrides the kind an earlier one set.
    bool web = false, mail = false;
    int kind = 0;
    if (s.contains(QLatin1String("http"))) {
        web = true;
        kind = 1;
    }
    if (s.contains(QLatin1String("www."))) {
        web = true;
        kind = 1;
    }
    if (s.contains(u'#')) {
        web = true;
        kind = 3;
    }
    if (s.contains(u'@')) {
        mail = true;
        web = false;
        kind = 2;
    }
    if (s.contains(QLatin1String("mailto"))) {
        mail = true;
        web = false;
        kind = 2;
    }
    if (web) {
        p.LinkTyp = kind;
        p.button = LinkKind::Web;
    } else if (mail) {
        p.LinkTyp = 2;
        p.button = LinkKind::Mail;
    }
    return p;
}

bool preselectedKind(int linkTyp, LinkKind *kind)
{
    switch (linkTyp) {
    case 0:
    case 1: *kind = LinkKind::Web; return true;
    case 2: *kind = LinkKind::Mail; return true;
    case 3: *kind = LinkKind::Anchor; return true;
    default: return false;
    }
}

LinkTexts linkTexts(bool english)
{
    if (english)
        return {QStringLiteral("It seems you have entered an external Url for an internal anchor. Continue anyway?"),
                QStringLiteral("This is an anchor:"),
                QStringLiteral("[place this link anywhere in your page]"),
                QStringLiteral("Enter a description pls."),
                QStringLiteral("Enter a valid email please."),
                QStringLiteral("Enter a URL pls!")};
    return {QString::fromUtf8("Es scheint, Sie haben eine externe URL für einen internen Anchor angegeben. "
                              "Trotzdem fortfahren?"),
            QStringLiteral("Dies ist der interner Link:"),
            QStringLiteral("[plazieren Sie diesen Anchor irgendwo auf Ihrer Seite]"),
            QStringLiteral("Bitte eine Beschreibung eingeben."),
            QString::fromUtf8("Bitte geben Sie eine gültige Emailadresse ein."),
            QStringLiteral("Geben Sie bitte ein Ziel für den Link an!")};
}

LinkResult buildLink(const LinkFields &f, bool externalConfirmed)
{
    const LinkTexts t = linkTexts(f.DLanguage);
    LinkResult r;
    r.EditName = f.EditName;
    r.EditColor = f.EditColor;

    const QString title = sx::trim(f.EditMyTitle);
    const QString T = title.isEmpty() ? QString() : QStringLiteral("title=\"") + title + QStringLiteral("\"");
    auto closeWith = [&r](const QString &linkStart) {
        r.LinkStart = linkStart;
        r.EditName.clear();
        r.EditColor.clear();
        r.close = true;
    };

    switch (f.kind) {
    case LinkKind::Anchor: {
        if (!externalConfirmed && f.EditName.contains(QLatin1String("www."))) {
            r.askExternal = true;
            return r;
        }
        const QString n = sx::replaceFirst(f.EditName, u"#", u"");
        r.EditName = n;
        const QString text = sx::isBlank(f.EditColor) ? t.anchorLink : f.EditColor;
        if (sx::isBlank(n)) {
            r.messages << t.addressMissing;
            return r;
        }
        closeWith(QStringLiteral("<a ") + T + QStringLiteral(" href=\"#") + n + QStringLiteral("\">") + text
                  + QStringLiteral("</a>\r\n<a id=\"") + n + QStringLiteral("\" name=\"") + n + QStringLiteral("\">")
                  + t.anchorTarget + QStringLiteral("</a>\r\n"));
        return r;
    }
    case LinkKind::Mail: {
        if (!f.EditName.contains(u'@')) {
            r.messages << t.invalidMail;
            return r;
        }
        const QString m = sx::replaceFirst(f.EditName, u"mailto:", u"", true);
        r.EditName = m;
        if (sx::isBlank(f.EditColor)) {
            r.messages << t.descriptionMissing;
            return r;
        }
        closeWith(QStringLiteral("<a href=\"mailto:") + m + QStringLiteral("\">") + f.EditColor
                  + QStringLiteral("</a>"));
        return r;
    }
    case LinkKind::Web:
    case LinkKind::None: {
        const QString g = sx::isBlank(f.ComboBox1)
                              ? QString()
                              : QStringLiteral(" target=\"") + f.ComboBox1 + QStringLiteral("\"");
        const bool hasAddress = !sx::isBlank(f.EditName);
        const bool hasDescription = !sx::isBlank(f.EditColor);
        if (hasAddress && hasDescription) {
            const QString &a = f.EditName;
            const bool scheme = a.contains(QLatin1String("http")) || a.contains(QLatin1String("ftp"))
                                || a.contains(QLatin1String("file"));
            const QString href = (f.kind == LinkKind::Web && !scheme) ? QStringLiteral(" href=\"http://")
                                                                       : QStringLiteral(" href=\"");
            closeWith(QStringLiteral("<a ") + T + href + a + QStringLiteral("\"") + g + QStringLiteral(">")
                      + sx::trim(f.EditColor) + QStringLiteral("</a>"));
            return r;
        }
        if (!hasAddress)
            r.messages << t.addressMissing;
        if (!hasDescription)
            r.messages << t.descriptionMissing;
        return r;
    }
    }
    return r;
}

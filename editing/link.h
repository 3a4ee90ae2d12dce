// The link dialog's text: a web link, a mail link, an in-page anchor with its target, or
// a link whose address is written as typed.
#pragma once

#include <QString>
#include <QStringList>

enum class LinkKind { Web, Mail, Anchor, None };

// What the selection pre-fills before the dialog is shown.
struct LinkPrefill {
    int LinkTyp = 0;
    // The kind button the command selects and whose field takes the selection: Web or
    // Mail; None when the selection looks like neither (the address field then keeps
    // what it holds).
    LinkKind button = LinkKind::None;
};
LinkPrefill prefillLink(const QString &selected);

// The kind that showing the dialog preselects for LinkTyp (2 mail, 0 or 1 web, 3 anchor);
// false for any other value (nothing is preselected).
bool preselectedKind(int linkTyp, LinkKind *kind);

// The dialog's texts in one language.
struct LinkTexts {
    QString externalAddress, anchorLink, anchorTarget, descriptionMissing, invalidMail, addressMissing;
};
LinkTexts linkTexts(bool english);

struct LinkFields {
    bool DLanguage = false; // true: English
    LinkKind kind = LinkKind::Web;
    QString EditName;    // address, e-mail address or anchor name
    QString EditColor;   // description
    QString EditMyTitle; // title
    QString ComboBox1;   // target
};

struct LinkResult {
    // The anchor's name holds "www.": ask externalAddress (Yes/No) and, on Yes, build again
    // with the answer given; on No the dialog stays open and nothing changes.
    bool askExternal = false;
    // Messages to show, in order (plain boxes); the dialog stays open after them.
    QStringList messages;
    // True when the dialog closes with LinkStart.
    bool close = false;
    QString LinkStart;
    // The address field afterwards (its first "#" or "mailto:" removed, or emptied on
    // closing), and the description field afterwards.
    QString EditName, EditColor;
};

// OK of the link dialog.
LinkResult buildLink(const LinkFields &fields, bool externalConfirmed = false);

// The div and span dialog's text: the start tag built from a class, an id, a style and a
// text alignment; and the look-up of the page's own style rules.
#pragma once

#include <QString>

struct DivFields {
    int Typ = 0;       // 0 div, 1 span
    QString Edit1;     // class
    QString Edit2;     // id
    QString Edit3;     // style declarations
    QString ComboBox1; // text-align
};

struct DivResult {
    QString HtmlCode;
    // The class and id as their fields show them afterwards: trimmed, without their
    // first "#" and first ".".
    QString Edit1, Edit2;
};

// OK of the dialog (InfoOnly false).
DivResult buildDivTag(const DivFields &fields);

// The style the dialog starts with for the element: a centred 800-pixel block for a div,
// a font for a span.
QString initialDivStyle(int typ);
// "<DIV>" or "<SPAN>".
QString divTagCaption(int typ);
// "</div>" or "</span>".
QString divClosingTag(int typ);

// The rule of a class (idRule false) or id (true) in the page: from the first "." or "#"
// followed by the trimmed name, through the next "}"; empty when there is none. A name
// typed with its own leading "." (or "#") is looked up as it would be written in a rule.
QString lookupStyleRule(const QString &page, const QString &name, bool idRule);
// Every "<style" (any case) through the next "</style>", each followed by CR LF; the scan
// stops at a "<style" that no "</style>" follows.
QString collectStyleBlocks(const QString &page);

// The not-found message of the look-up.
QString styleNotFoundText(bool english);

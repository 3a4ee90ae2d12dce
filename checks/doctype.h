// Document type declarations: the seven declarations by code, removing a page's
// declaration, and the Doctype command as one computation from the page text to the new
// page text.
//
// Codes: document kind x 10 + variant + 1. Kinds: 0 HTML 4, 1 XHTML, 2 HTML 5;
// variants: 0 Transitional, 1 Strict, 2 Frameset (ignored for HTML 5). So 1, 2, 3
// are HTML 4.01, 11, 12, 13 XHTML 1.0, and 21, 22, 23 HTML 5.
#pragma once

#include <QString>
#include <QStringView>

namespace sx {

// The declaration for a code; "<!DOCTYPE html>" for every code without its own
// declaration (0, 21, 22, 23, ...).
QString DoctypeText(int code);

// The namespace name of XHTML 1.0 documents.
QString XhtmlNamespace();
// <html xmlns="http://www.w3.org/1999/xhtml">
QString XhtmlStartTag();
// <meta http-equiv="X-UA-Compatible" content="IE=edge">
QString CompatibilityMeta();

// The choice of the document-type dialog: TypNr is the document kind, DType the code.
struct DoctypeChoice {
    int TypNr = -1;
    int DType = 0;
};
// What OK makes of the two radio groups' indexes.
DoctypeChoice DoctypeChoiceFor(int documentIndex, int variantIndex);

// Removes the first declaration: from the first "<!DOCTYPE" (any case) through the next
// ">", after which the whole text is trimmed. When either is missing the text is returned
// as it is and removed (if given) is false.
QString RemoveDoctype(QStringView text, bool *removed = nullptr);

// The Doctype command on a page: the new text, and whether the user is asked to run the
// code check (the XHTML kind).
struct DoctypeEdit {
    QString text;
    bool askForCodeCheck = false;
};
DoctypeEdit ApplyDoctype(QStringView text, const DoctypeChoice &choice);

// The note shown after an XHTML declaration was set (language 0 German, else English).
QString DoctypeCodeCheckMessage(int language);

} // namespace sx

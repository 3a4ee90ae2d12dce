// The pages New writes: a declaration, a line break and a fixed page template, built
// from the document-type code, the page kind and the charset setting.
#pragma once

#include <QString>

namespace sx {

enum PageKind { StandardPage = 0, MobilePage = 1 };

// The declaration of a new page for a document-type code ("<!DOCTYPE html>" when the
// code has none of its own).
QString NewPageDeclaration(int dtype);
// The root start tag: the XHTML one with its namespace for the codes 11 to 19, else "<html>".
QString NewPageRootTag(int dtype);
// The charset written into a new page: the setting, or "ISO-8859-1" when it is blank.
QString NewPageCharset(const QString &setting);
// The page template of a kind (standard for every kind but mobile), without a final line
// break.
QString PageTemplate(int pageKind, int dtype, const QString &charset);
// The whole text of a new page: declaration, CR LF, template.
QString NewPageText(int dtype, int pageKind, const QString &charsetSetting);

} // namespace sx

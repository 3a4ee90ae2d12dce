#include "checks/doctype.h"

#include "editing/textops.h"

namespace sx {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString DoctypeText(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                              "\"http://www.w3.org/TR/html4/loose.dtd\">");
    case 2:
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
                              "\"http://www.w3.org/TR/html4/strict.dtd\">");
    case 3:
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" "
                              "\"http://www.w3.org/TR/html4/frameset.dtd\">");
    case 11:
        return QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">");
    case 12:
        // Two blanks between the identifiers.
        return QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"  "
                              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">");
    case 13:
        return QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Frameset//EN\" "
                              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-frameset.dtd\">");
    default:
        return QStringLiteral("<!DOCTYPE html>");
    }
}

QString XhtmlNamespace() { return QStringLiteral("http://www.w3.org/1999/xhtml"); }

QString XhtmlStartTag() { return QStringLiteral("<html xmlns=\"") + XhtmlNamespace() + QStringLiteral("\">"); }

QString CompatibilityMeta() { return QStringLiteral("<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">"); }

DoctypeChoice DoctypeChoiceFor(int documentIndex, int variantIndex)
{
    DoctypeChoice c;
    c.TypNr = documentIndex;
    c.DType = variantIndex + documentIndex * 10 + 1;
    return c;
}

QString RemoveDoctype(QStringView text, bool *removed)
{
    if (removed)
        *removed = false;
    const qsizetype start = FindHead(u"<!DOCTYPE", text, 1, text.size());
    if (start < 1)
        return text.toString();
    const qsizetype end = pos(u">", text, start);
    if (end < 1)
        return text.toString();
    if (removed)
        *removed = true;
    return trim(ReplaceRange(text, start, end - start + 1, u""));
}

DoctypeEdit ApplyDoctype(QStringView text, const DoctypeChoice &choice)
{
    DoctypeEdit e;
    QString t = DoctypeText(choice.DType) + kCrLf + RemoveDoctype(text);
    if (choice.TypNr == 2) {
        t = replaceFirst(t, u"<head>", QString(QStringLiteral("<HEAD>") + kCrLf + CompatibilityMeta() + kCrLf), true);
        t = replaceFirst(t, XhtmlStartTag(), u"<html>", true);
    } else {
        t = replaceFirst(t, CompatibilityMeta(), u"", true);
    }
    if (choice.TypNr == 1) {
        t = replaceFirst(t, u"<html>", XhtmlStartTag(), true);
        e.askForCodeCheck = true;
    } else {
        t = replaceFirst(t, XhtmlStartTag(), u"<html>", true);
    }
    e.text = t;
    return e;
}

QString DoctypeCodeCheckMessage(int language)
{
    return language != 0 ? QStringLiteral("Run code check (HTML menu) please.")
                         : QString::fromUtf8("Bitte führen Sie eine Codeprüfung (HTML-Menü) durch.");
}

} // namespace sx

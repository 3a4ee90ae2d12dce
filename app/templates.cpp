#include "app/templates.h"

#include "checks/doctype.h"
#include "editing/textops.h"

namespace sx {

QString NewPageDeclaration(int dtype)
{
    const QString d = DoctypeText(dtype);
    return isBlank(d) ? QStringLiteral("<!DOCTYPE html>") : d;
}

QString NewPageRootTag(int dtype) { return dtype > 10 && dtype < 20 ? XhtmlStartTag() : QStringLiteral("<html>"); }

QString NewPageCharset(const QString &setting)
{
    return isBlank(setting) ? QStringLiteral("ISO-8859-1") : setting;
}

QString PageTemplate(int pageKind, int dtype, const QString &charset)
{
    const QString h = NewPageRootTag(dtype);
    if (pageKind == MobilePage)
        return h + QStringLiteral("\r\n<head>\r\n"
                                  "<title>Mobile</title>\r\n"
                                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0\" />\r\n"
                                  "<meta http-equiv=\"content-type\" content=\"text/html; charset=")
            + charset
            + QStringLiteral("\" />\r\n"
                             "<meta name=\"generator\" content=\"Veltrax\" />\r\n"
                             "<style type=\"text/css\">\r\n<!--\r\n.myClass{\r\n"
                             "font-family:Arial,Helvetica;\r\nfont-size:16px;\r\n}\r\n-->\r\n</style>\r\n"
                             "</head>\r\n"
                             "<body class=myClass>\r\n"
                             " <div style=\"width: 270px; margin: 10px; text-align:left;\">\r\n\r\n </div>\r\n"
                             "</body>\r\n"
                             "</html>");
    return h + QStringLiteral("\r\n<head>\r\n"
                              "<meta http-equiv=\"content-type\" content=\"text/html; charset=")
        + charset
        + QStringLiteral("\">\r\n"
                         "<meta name=\"generator\" content=\"Veltrax\">\r\n"
                         "<title>Untitled</title>\r\n"
                         "</head>\r\n"
                         "<body background=\"background.jpg\" bgcolor=\"#FFFFFF\" text=\"#000000\" "
                         "link=\"#FF9966\" vlink=\"#FF9900\" alink=\"#800080\">\r\n\r\n"
                         "</body>\r\n"
                         "</html>");
}

QString NewPageText(int dtype, int pageKind, const QString &charsetSetting)
{
    return NewPageDeclaration(dtype) + QStringLiteral("\r\n")
        + PageTemplate(pageKind, dtype, NewPageCharset(charsetSetting));
}

} // namespace sx

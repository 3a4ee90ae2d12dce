// The pages New writes: both templates character for character, and the declaration,
// root tag and charset for every document-type code.
#include "app/templates.h"
#include "checks/doctype.h"

#include <gtest/gtest.h>

using namespace sx;

namespace {

const QString kStandardIso =
    "<html>\r\n"
    "<head>\r\n"
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">\r\n"
    "<meta name=\"generator\" content=\"Veltrax\">\r\n"
    "<title>Untitled</title>\r\n"
    "</head>\r\n"
    "<body background=\"background.jpg\" bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#FF9966\" vlink=\"#FF9900\" alink=\"#800080\">\r\n"
    "\r\n"
    "</body>\r\n"
    "</html>";

const QString kMobileXhtmlUtf8 =
    "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
    "<head>\r\n"
    "<title>Mobile</title>\r\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0\" />\r\n"
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=UTF-8\" />\r\n"
    "<meta name=\"generator\" content=\"Veltrax\" />\r\n"
    "<style type=\"text/css\">\r\n"
    "<!--\r\n"
    ".myClass{\r\n"
    "font-family:Arial,Helvetica;\r\n"
    "font-size:16px;\r\n"
    "}\r\n"
    "-->\r\n"
    "</style>\r\n"
    "</head>\r\n"
    "<body class=myClass>\r\n"
    " <div style=\"width: 270px; margin: 10px; text-align:left;\">\r\n"
    "\r\n"
    " </div>\r\n"
    "</body>\r\n"
    "</html>";

// One of the two templates above with another root tag and charset.
QString templateWith(int kind, const QString &root, const QString &charset)
{
    QString t = kind == MobilePage ? kMobileXhtmlUtf8 : kStandardIso;
    t = root + t.mid(t.indexOf("\r\n"));
    return t.replace(kind == MobilePage ? "charset=UTF-8" : "charset=ISO-8859-1", "charset=" + charset);
}

} // namespace

TEST(PageTemplate, BothKindsCharacterForCharacter)
{
    EXPECT_EQ(PageTemplate(StandardPage, 2, "ISO-8859-1"), kStandardIso);
    EXPECT_EQ(PageTemplate(MobilePage, 11, "UTF-8"), kMobileXhtmlUtf8);
    // A kind that is not mobile writes the standard page.
    EXPECT_EQ(PageTemplate(7, 2, "ISO-8859-1"), kStandardIso);
}

TEST(NewPageText, DeclarationRootTagAndCharsetForEveryCode)
{
    const struct {
        int dtype;
        QString declaration, root;
    } cases[] = {
        {1, DoctypeText(1), "<html>"},
        {2, DoctypeText(2), "<html>"},
        {3, DoctypeText(3), "<html>"},
        {11, DoctypeText(11), XhtmlStartTag()},
        {12, DoctypeText(12), XhtmlStartTag()},
        {13, DoctypeText(13), XhtmlStartTag()},
        {21, "<!DOCTYPE html>", "<html>"},
        {22, "<!DOCTYPE html>", "<html>"},
        {23, "<!DOCTYPE html>", "<html>"},
        {0, "<!DOCTYPE html>", "<html>"},
        {19, "<!DOCTYPE html>", XhtmlStartTag()},
        {20, "<!DOCTYPE html>", "<html>"},
    };
    for (const auto &c : cases) {
        for (int kind : {StandardPage, MobilePage}) {
            const QString text = NewPageText(c.dtype, kind, "windows-1252");
            const QString expected = c.declaration + "\r\n" + templateWith(kind, c.root, "windows-1252");
            EXPECT_EQ(text, expected) << "code " << c.dtype << " kind " << kind;
            EXPECT_FALSE(text.endsWith("\r\n"));
        }
    }
}

TEST(NewPageText, TheRulesOfNew)
{
    // HTML 4 Strict + standard page.
    EXPECT_TRUE(NewPageText(2, StandardPage, "").startsWith(DoctypeText(2) + "\r\n<html>\r\n<head>"));
    // A blank charset setting writes ISO-8859-1; any other is written as it is.
    EXPECT_EQ(NewPageCharset(""), "ISO-8859-1");
    EXPECT_EQ(NewPageCharset("  "), "ISO-8859-1");
    EXPECT_EQ(NewPageCharset("UTF-8"), "UTF-8");
    EXPECT_TRUE(NewPageText(22, StandardPage, " ").contains("charset=ISO-8859-1\">"));
    EXPECT_TRUE(NewPageText(22, StandardPage, "UTF-8").contains("content=\"text/html; charset=UTF-8\">"));
    // Every meta element of the mobile page is written with " />".
    const QString mobile = NewPageText(11, MobilePage, "UTF-8");
    EXPECT_EQ(mobile.count("<meta "), 3);
    EXPECT_EQ(mobile.count("\" />\r\n"), 3);
}

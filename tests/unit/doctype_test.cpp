// Document types: the declarations character for character, the dialog's codes, removing
// a declaration, and the Doctype command's edit on the pages that show its rules.
#include "checks/doctype.h"

#include <gtest/gtest.h>

using namespace sx;

namespace {

const QString kHtml4Loose = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\">";
const QString kHtml4Strict = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">";
const QString kHtml4Frameset = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" \"http://www.w3.org/TR/html4/frameset.dtd\">";
const QString kXhtmlTransitional = "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">";
const QString kXhtmlStrict = "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"  \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">";
const QString kXhtmlFrameset = "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Frameset//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-frameset.dtd\">";
const QString kHtml5 = "<!DOCTYPE html>";
const QString kXhtmlTag = "<html xmlns=\"http://www.w3.org/1999/xhtml\">";
const QString kCompat = "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">";

} // namespace

TEST(DoctypeText, EveryCode)
{
    const struct {
        int code;
        QString text;
    } cases[] = {
        {1, kHtml4Loose},   {2, kHtml4Strict},   {3, kHtml4Frameset}, {11, kXhtmlTransitional},
        {12, kXhtmlStrict}, {13, kXhtmlFrameset}, {21, kHtml5},       {22, kHtml5},
        {23, kHtml5},       {0, kHtml5},         {4, kHtml5},         {10, kHtml5},
        {14, kHtml5},       {-1, kHtml5},        {99, kHtml5},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DoctypeText(c.code), c.text) << "code " << c.code;
}

TEST(DoctypeText, FixedTexts)
{
    EXPECT_EQ(XhtmlNamespace(), "http://www.w3.org/1999/xhtml");
    EXPECT_EQ(XhtmlStartTag(), kXhtmlTag);
    EXPECT_EQ(CompatibilityMeta(), kCompat);
    EXPECT_EQ(DoctypeCodeCheckMessage(1), "Run code check (HTML menu) please.");
    EXPECT_EQ(DoctypeCodeCheckMessage(0), QString::fromUtf8("Bitte führen Sie eine Codeprüfung (HTML-Menü) durch."));
}

TEST(DoctypeChoice, KindTimesTenPlusVariantPlusOne)
{
    const struct {
        int document, variant, typNr, dtype;
    } cases[] = {
        {0, 0, 0, 1}, {0, 1, 0, 2}, {0, 2, 0, 3}, {1, 0, 1, 11}, {1, 1, 1, 12},
        {1, 2, 1, 13}, {2, 0, 2, 21}, {2, 1, 2, 22}, {2, 2, 2, 23},
    };
    for (const auto &c : cases) {
        const DoctypeChoice d = DoctypeChoiceFor(c.document, c.variant);
        EXPECT_EQ(d.TypNr, c.typNr);
        EXPECT_EQ(d.DType, c.dtype);
    }
}

TEST(RemoveDoctype, FirstDeclarationThenTrimmed)
{
    const struct {
        const char *name;
        QString text, expected;
        bool removed;
    } cases[] = {
        {"lower case", "<!doctype html>\r\n<html>", "<html>", true},
        {"blanks around go", " \r\n<!DOCTYPE x>\r\n\r\n<html>\t\r\n", "<html>", true},
        {"only the first", "<!DOCTYPE a><!DocType b>", "<!DocType b>", true},
        {"in the middle", "<p>a</p> <!DOCTYPE x> <b>", "<p>a</p>  <b>", true},
        {"nothing else", "<!DOCTYPE html>", "", true},
        {"no declaration keeps the blank lines", "\r\n\r\n<html> ", "\r\n\r\n<html> ", false},
        {"no closing bracket", "  <!DOCTYPE html", "  <!DOCTYPE html", false},
        {"shorter than the keyword", "<!DOC", "<!DOC", false},
        {"empty", "", "", false},
    };
    for (const auto &c : cases) {
        bool removed = !c.removed;
        EXPECT_EQ(RemoveDoctype(c.text, &removed), c.expected) << c.name;
        EXPECT_EQ(removed, c.removed) << c.name;
    }
}

TEST(ApplyDoctype, ThePagesOfTheRules)
{
    const QString crlf = "\r\n";
    const struct {
        const char *name;
        QString page;
        int document, variant;
        QString expected;
        bool ask;
    } cases[] = {
        {"XHTML Strict over HTML 5", "<!doctype html>\r\n<html>\r\n<head>", 1, 1,
         kXhtmlStrict + crlf + kXhtmlTag + "\r\n<head>", true},
        {"HTML 5 puts the compatibility element after the head tag", "<html>\r\n<head>\r\n<title>", 2, 0,
         kHtml5 + crlf + "<html>\r\n<HEAD>\r\n" + kCompat + "\r\n\r\n<title>", false},
        {"HTML 5 a second time inserts it again", kHtml5 + crlf + "<html>\r\n<HEAD>\r\n" + kCompat + "\r\n\r\n<title>", 2, 1,
         kHtml5 + crlf + "<html>\r\n<HEAD>\r\n" + kCompat + "\r\n\r\n" + kCompat + "\r\n\r\n<title>", false},
        {"HTML 4 removes only the first compatibility element", "<head>" + kCompat + "x" + kCompat, 0, 0,
         kHtml4Loose + crlf + "<head>x" + kCompat, false},
        {"the compatibility element in any case", "<META HTTP-EQUIV=\"x-ua-compatible\" CONTENT=\"IE=EDGE\">", 0, 2,
         kHtml4Frameset + crlf, false},
        {"XHTML leaves an html tag with attributes", "<html lang=\"de\">", 1, 0,
         kXhtmlTransitional + crlf + "<html lang=\"de\">", true},
        {"XHTML on an upper-case html tag", "<HTML><body>", 1, 2, kXhtmlFrameset + crlf + kXhtmlTag + "<body>", true},
        {"XHTML twice keeps one namespace", kXhtmlStrict + crlf + kXhtmlTag, 1, 1, kXhtmlStrict + crlf + kXhtmlTag, true},
        {"HTML 4 drops the namespace", kXhtmlTransitional + "\r\n" + kXhtmlTag + "<head>", 0, 1,
         kHtml4Strict + crlf + "<html><head>", false},
        {"HTML 5 drops the namespace in any case", "<HTML XMLNS=\"http://www.w3.org/1999/xhtml\">", 2, 0,
         kHtml5 + crlf + "<html>", false},
        {"no declaration: put in front, blank lines stay", "\r\n\r\n<html>", 0, 0,
         kHtml4Loose + crlf + "\r\n\r\n<html>", false},
        {"a removed declaration takes the blank lines with it", "<!DOCTYPE x>\r\n\r\n<html>\r\n", 0, 0,
         kHtml4Loose + crlf + "<html>", false},
        {"empty page", "", 2, 2, kHtml5 + crlf, false},
        {"a header element is no head", "<header>", 2, 0, kHtml5 + crlf + "<header>", false},
    };
    for (const auto &c : cases) {
        const DoctypeEdit e = ApplyDoctype(c.page, DoctypeChoiceFor(c.document, c.variant));
        EXPECT_EQ(e.text, c.expected) << c.name;
        EXPECT_EQ(e.askForCodeCheck, c.ask) << c.name;
    }
}

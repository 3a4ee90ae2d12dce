#include "structure/forms.h"

#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>

namespace {

const char kFormHead[] = "\r\n<form name=\"MyForm\" action=\"mailto:webmaster@example.com\" method=\"get\" "
                         "enctype=\"application/x-www-form-urlencoded\" >\r\n<br />My New Form \r\n<br />\r\n";
const char kTextInput[] = "<input name=\"MyInput\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Enter text\" />\r\n";
const char kUpload[] = "<input name=\"Upload\" type=\"file\" size=\"50\" maxlength=\"100000\" accept=\"text/*\" />\r\n";
const char kSubmit[] = "<br /><input type=\"submit\" value=\" Submit \" />\r\n";
const char kReset[] = "<input type=\"reset\" value=\" Reset \" />\r\n";

} // namespace

TEST(Forms, WholeForms)
{
    struct Case {
        const char *name;
        FormFields f;
        QString expected;
    };
    const QString head = QString::fromUtf8(kFormHead);
    const QString end = QStringLiteral("</form>\r\n");
    FormFields upload;
    upload.CheckUpload = true;
    applyUploadRule(true, &upload.Method, &upload.EncType);
    FormFields onsubmit;
    onsubmit.EditSubmit = " check() ";
    FormFields blankSubmit;
    blankSubmit.EditSubmit = " \t";
    FormFields none;
    none.CheckInput = none.CheckReset = none.CheckSubmit = false;
    FormFields asTyped;
    asTyped.EditName = " N ";
    asTyped.EditAction = "";
    asTyped.Method = "";
    asTyped.EncType = "text/plain";
    asTyped.CheckInput = false;
    const Case cases[] = {
        {"initial settings", FormFields(), head + kTextInput + kSubmit + kReset + end},
        {"upload: post, multipart, after the text input",
         upload,
         "\r\n<form name=\"MyForm\" action=\"mailto:webmaster@example.com\" method=\"post\" "
         "enctype=\"multipart/form-data\" >\r\n<br />My New Form \r\n<br />\r\n"
             + QString(kTextInput) + kUpload + kSubmit + kReset + end},
        {"onsubmit: three spaces before it, as typed",
         onsubmit,
         "\r\n<form name=\"MyForm\" action=\"mailto:webmaster@example.com\" method=\"get\" "
         "enctype=\"application/x-www-form-urlencoded\"   onsubmit=\" check() \">\r\n<br />My New Form \r\n<br />\r\n"
             + QString(kTextInput) + kSubmit + kReset + end},
        {"blank onsubmit is left out", blankSubmit, head + kTextInput + kSubmit + kReset + end},
        {"no controls", none, head + end},
        {"fields as typed, empty ones empty",
         asTyped,
         "\r\n<form name=\" N \" action=\"\" method=\"\" enctype=\"text/plain\" >\r\n<br />My New Form \r\n<br />\r\n"
             + QString(kSubmit) + kReset + end},
    };
    for (const Case &c : cases)
        EXPECT_EQ(buildForm(c.f), c.expected) << c.name;
}

TEST(Forms, UploadRule)
{
    QString method = "get", enctype = "text/plain";
    applyUploadRule(true, &method, &enctype);
    EXPECT_EQ(method, "post");
    EXPECT_EQ(enctype, "multipart/form-data");
    method = "get";
    applyUploadRule(false, &method, &enctype);
    EXPECT_EQ(method, "get"); // unticking leaves the method
    EXPECT_EQ(enctype, "application/x-www-form-urlencoded");
}

TEST(Forms, TypeList)
{
    ASSERT_EQ(inputTypes().size(), 24);
    EXPECT_EQ(inputTypeIndex("button"), 0);
    EXPECT_EQ(inputTypeIndex("text"), 19);
    EXPECT_EQ(inputTypeIndex("week"), 23);
    EXPECT_EQ(inputTypeIndex("TEXT"), -1);
    EXPECT_EQ(inputTypeIndexIgnoringCase("TeXt"), 19);
    EXPECT_EQ(inputTypeIndexIgnoringCase("texts"), -1);
    QStringList html5;
    for (int i = -1; i <= 24; ++i)
        if (needsHtml5(i))
            html5 << inputTypes().at(i);
    EXPECT_EQ(html5, QStringList({"color", "date", "datetime", "datetime-local", "email", "month", "number", "range",
                                  "search", "tel", "time", "url", "week"}));
}

TEST(Forms, Controls)
{
    struct Case {
        const char *type;
        bool notInput;
        const char *expected;
    };
    // Name "N", size "S", length "L", value "V", onclick "C", image "I".
    const Case cases[] = {
        {"text", false, "<br>Enter text:<br><input name=\"N\" type=\"text\" size=\"S\" maxlength=\"L\" />"},
        {"email", false, "<br>Enter email:<br><input name=\"N\" type=\"email\" size=\"S\" maxlength=\"L\" />"},
        {"datetime-local", false,
         "<br>Enter datetime-local:<br><input name=\"N\" type=\"datetime-local\" size=\"S\" maxlength=\"L\" />"},
        {"TEXT", false, "<br>Enter TEXT:<br><input name=\"N\" type=\"TEXT\" size=\"S\" maxlength=\"L\" />"},
        {"hidden", false, "<br><input name=\"N\" type=\"hidden\" value=\"V\" />"},
        {"password", false, "<br>Enter password:<br><input name=\"N\" type=\"password\" size=\"S\" maxlength=\"L\" />"},
        {"File", false, "<br>File:<br><input name=\"N\" type=\"File\" size=\"S\" value=\"\" />"},
        {"submit", false, "<br><input name=\"N\" type=\"submit\" value=\"Submit\" />"},
        {"reset", false, "<br><input name=\"N\" type=\"reset\" value=\"Reset\" />"},
        {"radio", false, "<br><input name=\"N\" type=\"radio\" value=\"V\" />V<br>"},
        {"checkbox", true, "<br><input name=\"N\" type=\"checkbox\" value=\"V\" />V<br>"},
        {"button", true,
         "<br><button name=\"N\" type=\"button\" value=\"V\" onclick=\"C\">\r\n<img src=\"I\"  alt=\"V\"><br>\r\n"
         "</button><br>"},
        {"button", false, "<br><input name=\"N\" type=\"button\" value=\"V\" onclick=\"C\" />"},
        {"textarea", false, "<br><textarea name=\"N\" cols=\"S\" rows=\"L\" wrap=\"hard\">V</textarea><br>"},
        {"image", false, "<br><input type=\"image\" src=\"I\" alt=\"Submit\" />"},
        {"range", false, "<br><input name=\"N\" type=\"range\" min=\"0\" max=\"50\" step=\"1\" value=\"25\" />"},
        {"select", false, ""},
        {" text", false, ""},
        {"", false, ""},
    };
    for (const Case &c : cases) {
        InputFields f;
        f.type = QString::fromUtf8(c.type);
        f.EditName = "N";
        f.EditSize = "S";
        f.EditLength = "L";
        f.EditValue = "V";
        f.EditClick = "C";
        f.EditImage = "I";
        f.NotInput = c.notInput;
        EXPECT_EQ(buildInputControl(f), QString::fromUtf8(c.expected)) << c.type << " " << c.notInput;
    }
    // Every type of the list writes a control.
    for (const QString &t : inputTypes()) {
        InputFields f;
        f.type = t;
        EXPECT_FALSE(buildInputControl(f).isEmpty()) << t.toStdString();
    }
}

TEST(Forms, ListSnippets)
{
    EXPECT_EQ(selectBoxSnippet(),
              "<select name=\"Selectbox1\" size=\"3\" "
              "onchange=\"alert(this.form.Selectbox1.options[this.form.Selectbox1.selectedIndex].value)\">\r\n"
              "<option value=\"Option1\">This is Caption1</option>\r\n"
              "<option value=\"Option2\">This is Caption2</option>\r\n"
              "<option value=\"Option3\">This is Caption3</option>\r\n"
              "</select>\r\n");
    EXPECT_EQ(dropDownListSnippet(),
              "<select name=\"Dropbox1\" size=\"1\" "
              "onchange=\"alert(this.form.Dropbox1.options[this.form.Dropbox1.selectedIndex].value)\">\r\n"
              "<option value=\"Option1\">This is Caption1</option>\r\n"
              "<option value=\"Option2\">This is Caption2</option>\r\n"
              "<option value=\"Option3\">This is Caption3</option>\r\n"
              "</select>\r\n");
}

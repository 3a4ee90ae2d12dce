#include "structure/forms.h"

#include "editing/textops.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString attr(const char *name, const QString &value)
{
    return QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value + QLatin1Char('"');
}

} // namespace

QString buildForm(const FormFields &f)
{
    QString s = kCrLf;
    s += QStringLiteral("<form name=\"") + f.EditName + QStringLiteral("\" action=\"") + f.EditAction
         + QStringLiteral("\" method=\"") + f.Method + QStringLiteral("\" enctype=\"") + f.EncType
         + QStringLiteral("\" ");
    if (!sx::isBlank(f.EditSubmit))
        s += QStringLiteral("  onsubmit=\"") + f.EditSubmit + QLatin1Char('"');
    s += QLatin1Char('>');
    s += kCrLf + QStringLiteral("<br />My New Form ") + kCrLf + QStringLiteral("<br />");
    s += kCrLf;
    if (f.CheckInput)
        s += QStringLiteral("<input name=\"MyInput\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Enter text\" />")
             + kCrLf;
    if (f.CheckUpload)
        s += QStringLiteral("<input name=\"Upload\" type=\"file\" size=\"50\" maxlength=\"100000\" accept=\"text/*\" />")
             + kCrLf;
    if (f.CheckSubmit)
        s += QStringLiteral("<br /><input type=\"submit\" value=\" Submit \" />") + kCrLf;
    if (f.CheckReset)
        s += QStringLiteral("<input type=\"reset\" value=\" Reset \" />") + kCrLf;
    s += QStringLiteral("</form>") + kCrLf;
    return s;
}

void applyUploadRule(bool ticked, QString *method, QString *enctype)
{
    if (ticked) {
        *method = QStringLiteral("post");
        *enctype = QStringLiteral("multipart/form-data");
    } else {
        *enctype = QStringLiteral("application/x-www-form-urlencoded");
    }
}

const QStringList &formMethods()
{
    static const QStringList items = {QStringLiteral("get"), QStringLiteral("post"), QString()};
    return items;
}

const QStringList &formEncTypes()
{
    static const QStringList items = {QStringLiteral("application/x-www-form-urlencoded"),
                                      QStringLiteral("multipart/form-data"), QStringLiteral("text/plain")};
    return items;
}

const QStringList &inputTypes()
{
    static const QStringList items = {
        "button", "checkbox", "color", "date",     "datetime", "datetime-local", "email",    "file",
        "hidden", "image",    "month", "number",   "password", "radio",          "range",    "reset",
        "search", "submit",   "tel",   "text",     "textarea", "time",           "url",      "week",
    };
    return items;
}

int inputTypeIndex(const QString &type) { return static_cast<int>(inputTypes().indexOf(type)); }

int inputTypeIndexIgnoringCase(const QString &type)
{
    return inputTypeIndex(sx::lowerAscii(type));
}

bool needsHtml5(int position)
{
    if (position < 0 || position >= inputTypes().size())
        return false;
    static const QStringList html5 = {"color", "date", "datetime", "datetime-local", "email", "month", "number",
                                      "range", "search", "tel",  "time",     "url",            "week"};
    return html5.contains(inputTypes().at(position));
}

QString html5WarningText(bool english)
{
    return english ? QStringLiteral("This input type requires HTML 5 and IE as of version 10. Change doctype if necessary.")
                   : QString::fromUtf8("Dieser input type erfordert HTML 5 und IE ab Version 10. Ändern Sie ggf. den Doctype");
}

QString buildInputControl(const InputFields &f)
{
    const QString t = sx::lowerAscii(f.type);
    const QString name = attr("name", f.EditName);
    const QString type = attr("type", f.type);
    static const QStringList textLike = {"text",  "email", "number",   "date",           "url", "search", "color",
                                         "month", "week",  "datetime", "datetime-local", "tel", "time"};
    if (textLike.contains(t))
        return QStringLiteral("<br>Enter ") + f.type + QStringLiteral(":<br><input") + name + type
               + attr("size", f.EditSize) + attr("maxlength", f.EditLength) + QStringLiteral(" />");
    if (t == u"hidden")
        return QStringLiteral("<br><input") + name + type + attr("value", f.EditValue) + QStringLiteral(" />");
    if (t == u"password")
        return QStringLiteral("<br>Enter password:<br><input") + name + type + attr("size", f.EditSize)
               + attr("maxlength", f.EditLength) + QStringLiteral(" />");
    if (t == u"file")
        return QStringLiteral("<br>File:<br><input") + name + type + attr("size", f.EditSize)
               + QStringLiteral(" value=\"\" />");
    if (t == u"submit")
        return QStringLiteral("<br><input") + name + type + QStringLiteral(" value=\"Submit\" />");
    if (t == u"reset")
        return QStringLiteral("<br><input") + name + type + QStringLiteral(" value=\"Reset\" />");
    if (t == u"radio" || t == u"checkbox")
        return QStringLiteral("<br><input") + name + type + attr("value", f.EditValue) + QStringLiteral(" />")
               + f.EditValue + QStringLiteral("<br>");
    if (t == u"button") {
        if (f.NotInput)
            return QStringLiteral("<br><button") + name + type + attr("value", f.EditValue)
                   + attr("onclick", f.EditClick) + QLatin1Char('>') + kCrLf + QStringLiteral("<img src=\"")
                   + f.EditImage + QStringLiteral("\"  alt=\"") + f.EditValue + QStringLiteral("\"><br>") + kCrLf
                   + QStringLiteral("</button><br>");
        return QStringLiteral("<br><input") + name + type + attr("value", f.EditValue) + attr("onclick", f.EditClick)
               + QStringLiteral(" />");
    }
    if (t == u"textarea")
        return QStringLiteral("<br><textarea") + name + attr("cols", f.EditSize) + attr("rows", f.EditLength)
               + QStringLiteral(" wrap=\"hard\">") + f.EditValue + QStringLiteral("</textarea><br>");
    if (t == u"image")
        return QStringLiteral("<br><input") + type + attr("src", f.EditImage) + QStringLiteral(" alt=\"Submit\" />");
    if (t == u"range")
        return QStringLiteral("<br><input") + name + type
               + QStringLiteral(" min=\"0\" max=\"50\" step=\"1\" value=\"25\" />");
    return QString();
}

namespace {

QString listSnippet(const char *name, const char *size)
{
    const QString n = QLatin1String(name);
    return QStringLiteral("<select name=\"") + n + QStringLiteral("\" size=\"") + QLatin1String(size)
           + QStringLiteral("\" onchange=\"alert(this.form.") + n + QStringLiteral(".options[this.form.") + n
           + QStringLiteral(".selectedIndex].value)\">") + kCrLf
           + QStringLiteral("<option value=\"Option1\">This is Caption1</option>") + kCrLf
           + QStringLiteral("<option value=\"Option2\">This is Caption2</option>") + kCrLf
           + QStringLiteral("<option value=\"Option3\">This is Caption3</option>") + kCrLf
           + QStringLiteral("</select>") + kCrLf;
}

} // namespace

QString selectBoxSnippet() { return listSnippet("Selectbox1", "3"); }
QString dropDownListSnippet() { return listSnippet("Dropbox1", "1"); }

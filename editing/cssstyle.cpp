#include "editing/cssstyle.h"

#include "editing/textops.h"

namespace {

const QLatin1String kCrLf("\r\n");

} // namespace

CssResult buildCssStyle(const CssFields &f)
{
    CssResult r;
    r.EditClass = f.EditClass;
    const QString nl = f.OneLine ? QString() : QString(kCrLf);
    QString s;
    if (!f.OneLine)
        s = QStringLiteral("<style type=\"text/css\">") + nl + QStringLiteral("<!--") + nl;

    const QString trimmed = sx::trim(f.EditClass);
    if (!(trimmed.isEmpty() && !f.OneLine)) {
        // A blank class field stays blank: in one-line mode no selector is written, and a
        // lone "." in the field would make the next style element's rule nameless.
        if (!trimmed.isEmpty()) {
            QString name = trimmed;
            if (name.startsWith(u'.') || name.startsWith(u'#'))
                name.remove(0, 1);
            r.EditClass = (f.idSelected ? QStringLiteral("#") : QStringLiteral(".")) + name;
        }
        if (!f.OneLine)
            s += r.EditClass + QStringLiteral("{") + nl;

        const struct {
            const QString &value;
            const char *property;
        } props[] = {
            {f.ComboBoxPosition, "position:"},
            {f.EditTop, "top:"},
            {f.EditLeft, "left:"},
            {f.EditWidth, "width:"},
            {f.EditMargin, "margin:"},
            {f.EditBorder, "border-width:"},
            {f.EditBColor, "border-color:"},
            {f.ComboBStyle, "border-style:"},
            {f.EditPadding, "padding:"},
            {f.EditFont, "font-family:"},
            {f.EditFontSize, "font-size:"},
            {f.ComboBoxWeight, "font-weight:"},
            {f.ComboBoxStyle, "font-style:"},
            {f.EditFColor, "color:"},
            {f.ComboBox1, "text-decoration:"},
            {f.ComboBox2, "text-align:"},
            {f.EditBackUrl, "background-image:url("},
            {f.ComboRepeat, "background-repeat:"},
            {f.ComboPosition, "background-position:"},
            {f.ComboAttach, "background-attachment:"},
            {f.EditBgColor, "background-color:"},
        };
        for (const auto &p : props) {
            if (sx::isBlank(p.value))
                continue;
            s += QLatin1String(p.property) + p.value;
            s += (&p.value == &f.EditBackUrl) ? QStringLiteral(");") : QStringLiteral(";");
            s += nl;
        }
        if (!f.OneLine)
            s += QStringLiteral("}") + nl + nl;

        if (f.CheckBox1) {
            const struct {
                const QString &value;
                const char *selector;
            } links[] = {
                {f.Edit1, "a:link {"}, {f.Edit2, "a:visited {"}, {f.Edit3, "a:focus {"},
                {f.Edit4, "a:hover {"}, {f.Edit5, "a:active {"},
            };
            for (const auto &l : links) {
                if (!sx::isBlank(l.value))
                    s += QLatin1String(l.selector) + l.value + QStringLiteral("}") + nl;
            }
        }
    }
    if (!f.OneLine)
        s += QStringLiteral("-->") + kCrLf + QStringLiteral("</style>");
    r.MyStyle = s;
    return r;
}

void InsertStyleBlock(EditorBuffer &buffer, const QString &myStyle)
{
    if (sx::isBlank(myStyle))
        return;
    const QString text = buffer.text();
    const qsizetype p = sx::FindInText(text, u"</head>", 1, text.size(), false, false);
    if (p >= 1)
        buffer.setSelStart(p - 1);
    buffer.setSelText(kCrLf + myStyle + kCrLf + buffer.selText());
}

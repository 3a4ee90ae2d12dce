// Runs the build functions of the form, input, object, special-character, frameset and
// inline-frame dialogs on arbitrary field texts (the input's bytes as UTF-16 units, split
// into fields at U+0001; lone surrogates and control characters included). Checks: no
// crash, no hang; every field reaches the markup as typed (never trimmed, escaped or
// cut); the fixed frame of each text is whole; an input type is written exactly when it
// names an item of the list (ignoring A-Z case); the frame lines follow the layout.
#include "checks/frames.h"
#include "editing/textops.h"
#include "structure/forms.h"
#include "structure/object.h"
#include "structure/entities.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void failed(int line)
{
    std::fprintf(stderr, "check failed at line %d\n", line);
    std::abort();
}
#define check(ok) ((ok) ? void() : failed(__LINE__))

qsizetype count(const QString &text, QStringView needle) { return text.count(needle); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const unsigned flags = data[0];
    const QString text(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2));
    QStringList f = text.split(QChar(1));
    while (f.size() < 12)
        f << QString();

    // The form.
    FormFields form;
    form.EditName = f[0];
    form.EditAction = f[1];
    form.Method = f[2];
    form.EncType = f[3];
    form.EditSubmit = f[4];
    form.CheckInput = flags & 1;
    form.CheckUpload = flags & 2;
    form.CheckSubmit = flags & 4;
    form.CheckReset = flags & 8;
    const QString code = buildForm(form);
    check(code.startsWith(QStringLiteral("\r\n<form name=\"") + f[0] + QStringLiteral("\" action=\"") + f[1]
                          + QStringLiteral("\" method=\"") + f[2] + QStringLiteral("\" enctype=\"") + f[3] + u'"'));
    check(code.endsWith(QStringLiteral("</form>\r\n")));
    check(code.contains(QStringLiteral("  onsubmit=\"") + f[4] + u'"') == !sx::isBlank(f[4]));

    // One control.
    InputFields in;
    in.type = (flags & 16) ? f[5] : inputTypes().at(flags % inputTypes().size());
    in.EditName = f[6];
    in.EditSize = f[7];
    in.EditLength = f[8];
    in.EditValue = f[9];
    in.EditClick = f[10];
    in.EditImage = f[11];
    in.NotInput = flags & 32;
    const QString control = buildInputControl(in);
    const int known = inputTypeIndexIgnoringCase(in.type);
    check(control.isEmpty() == (known < 0));
    if (known >= 0) {
        check(control.startsWith(QStringLiteral("<br>")));
        // The text area is its own element; every other type is written as typed.
        if (sx::lowerAscii(in.type) != u"textarea")
            check(control.contains(QStringLiteral("type=\"") + in.type + u'"'));
        if (sx::lowerAscii(in.type) != u"image")
            check(control.contains(QStringLiteral("name=\"") + in.EditName + u'"'));
    }

    // The object.
    ObjectFields ob = objectPreset(objectTypes().at(flags % 4), f[7], f[8]).fields;
    ob.EditName = f[0];
    ob.EditClass = f[1];
    ob.EditMap = f[2];
    ob.EditBorder = f[3];
    ob.Memo1 = appendParamLine(ob.Memo1, f[4], f[5]);
    const QString tag = buildObjectTag(ob);
    check(tag.startsWith(QStringLiteral("\r\n<object")));
    check(tag.endsWith(QStringLiteral("\r\n</object>\r\n")));
    check(tag.contains(QStringLiteral("<param name=\"") + f[4] + QStringLiteral("\" value=\"") + f[5] + QStringLiteral("\">")));
    check(tag.contains(QStringLiteral(" usemap=\"") + f[2] + u'"') == (sx::trim(f[2]) != u"#" && !sx::isBlank(f[2])));
    if (!sx::isBlank(f[3]))
        check(tag.contains(QStringLiteral(" border=\"") + f[3] + u'"'));

    // The numeric reference of the first unit.
    const QString ref = numericReference(f[6]);
    check(f[6].isEmpty() ? ref.isEmpty() : ref == QStringLiteral("&#%1;").arg(f[6].at(0).unicode()));

    // The frameset page.
    FramesetFields fs;
    fs.frames = 2 + int(flags % 3);
    fs.Borders = flags & 64;
    for (int i = 0; i < 4; ++i) {
        fs.frame[i].Source = f[i];
        fs.frame[i].Scrolling = f[4 + i];
        fs.frame[i].EditWidth = f[8 + i];
        fs.frame[i].Noresize = flags & (1u << i);
    }
    fs.noFrames = f[11];
    const QString page = buildFrameset(fs);
    check(page.endsWith(QStringLiteral("</frameset></html>")));
    check(page.contains(QStringLiteral("\r\n<body>\r\n") + f[11] + QStringLiteral("\r\n</body>\r\n")));
    for (int i = 0; i < fs.frames; ++i)
        check(page.contains(QStringLiteral("<frame src=\"") + f[i] + QStringLiteral("\" name=\"")));
    bool plainFields = true;
    for (const QString &s : f)
        plainFields = plainFields && !s.contains(u'<');
    if (plainFields)
        check(count(page, u"<frame src=") == fs.frames);

    // The inline frame.
    IFrameFields fr;
    fr.EditName = f[0];
    fr.EditBreite = f[1];
    fr.EditHohe = f[2];
    fr.EditSource = f[3];
    const QString iframe = buildIFrame(fr);
    check(iframe.startsWith(QStringLiteral("<iframe src=\"") + f[3] + QStringLiteral("\" width=\"") + f[1]
                            + QStringLiteral("\" height=\"") + f[2] + QStringLiteral("\" name=\"") + f[0]
                            + QStringLiteral("\">\r\n")));
    check(iframe.endsWith(QStringLiteral("</a></p>\r\n</iframe>\r\n")));
    return 0;
}

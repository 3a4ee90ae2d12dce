#include "editing/htmlcolor.h"

#include "editing/textops.h"

namespace sx {

namespace {

constexpr quint32 rgb(int r, int g, int b) { return quint32(r) | (quint32(g) << 8) | (quint32(b) << 16); }

// Index 0..30 of the system colours, in the classic desktop scheme.
constexpr quint32 kClassic[31] = {
    rgb(200, 200, 200), // scroll bar
    rgb(0, 0, 0),       // desktop background
    rgb(153, 180, 209), // active caption
    rgb(191, 205, 219), // inactive caption
    rgb(240, 240, 240), // menu
    rgb(255, 255, 255), // window
    rgb(100, 100, 100), // window frame
    rgb(0, 0, 0),       // menu text
    rgb(0, 0, 0),       // window text
    rgb(0, 0, 0),       // caption text
    rgb(180, 180, 180), // active border
    rgb(244, 247, 252), // inactive border
    rgb(171, 171, 171), // application workspace
    rgb(0, 120, 215),   // highlight
    rgb(255, 255, 255), // highlight text
    rgb(240, 240, 240), // button face
    rgb(160, 160, 160), // button shadow
    rgb(109, 109, 109), // grey text
    rgb(0, 0, 0),       // button text
    rgb(0, 0, 0),       // inactive caption text
    rgb(255, 255, 255), // button highlight
    rgb(105, 105, 105), // 3D dark shadow
    rgb(227, 227, 227), // 3D light
    rgb(0, 0, 0),       // tooltip text
    rgb(255, 255, 225), // tooltip background
    rgb(0, 0, 0),       // (unused)
    rgb(0, 102, 204),   // hot-tracked item
    rgb(185, 209, 234), // gradient of the active caption
    rgb(215, 228, 242), // gradient of the inactive caption
    rgb(0, 120, 215),   // menu highlight
    rgb(240, 240, 240), // menu bar
};

SystemColorResolver &resolverSlot()
{
    static SystemColorResolver slot;
    return slot;
}

struct Constant {
    const char *name;
    quint32 value;
};

const Constant kConstants[] = {
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clLtGray", 0xC0C0C0},
    {"clDkGray", 0x808080}, {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    {"clScrollBar", 0xFF000000}, {"clBackground", 0xFF000001}, {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003}, {"clMenu", 0xFF000004}, {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006}, {"clMenuText", 0xFF000007}, {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009}, {"clActiveBorder", 0xFF00000A}, {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C}, {"clHighlight", 0xFF00000D}, {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F}, {"clBtnShadow", 0xFF000010}, {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012}, {"clInactiveCaptionText", 0xFF000013}, {"clBtnHighlight", 0xFF000014},
    {"cl3DDkShadow", 0xFF000015}, {"cl3DLight", 0xFF000016}, {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018}, {"clHotLight", 0xFF00001A}, {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C}, {"clMenuHighlight", 0xFF00001D}, {"clMenuBar", 0xFF00001E},
};

int hexDigit(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = foldAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

void setSystemColorResolver(SystemColorResolver resolver) { resolverSlot() = std::move(resolver); }

quint32 defaultSystemColor(int index)
{
    return index >= 0 && index < int(std::size(kClassic)) ? kClassic[index] : 0;
}

quint32 ColorToRGB(quint32 color)
{
    if (!isSystemColor(color))
        return color;
    const int index = int(color & 0xFF);
    const SystemColorResolver &r = resolverSlot();
    return (r ? r(index) : defaultSystemColor(index)) & 0xFFFFFF;
}

QString Color2HTML(quint32 color)
{
    const quint32 v = ColorToRGB(color) & 0xFFFFFF;
    // Six hex digits BBGGRR, written back to front in pairs: RRGGBB.
    const QString bgr = QStringLiteral("%1").arg(v, 6, 16, QLatin1Char('0')).toUpper();
    return QLatin1Char('#') + bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.mid(0, 2);
}

qint64 HtmlColorToColor(QStringView text)
{
    QString t = trim(text);
    if (t.isEmpty())
        return -1;
    if (t.startsWith(QLatin1Char('#')))
        t.remove(0, 1);
    const QString digits = copy(t, 5, 2) + copy(t, 3, 2) + copy(t, 1, 2);
    if (digits.isEmpty())
        return -1;
    qint64 v = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c.unicode());
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

std::optional<quint32> colorConstant(QStringView name)
{
    const QString key = lowerAscii(name);
    for (const Constant &c : kConstants)
        if (key == lowerAscii(QString::fromLatin1(c.name)))
            return c.value;
    return std::nullopt;
}

} // namespace sx

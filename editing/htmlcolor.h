// Colour values and HTML colour codes.
//
// A colour value holds blue in bits 16-23, green in bits 8-15 and red in bits 0-7 (red is
// 0x0000FF). A value whose top byte is 0xFF names a system colour by the index in its low
// byte (15 is the button face); its RGB value depends on the running desktop and is
// supplied by a resolver that the interface layer installs. 0x1FFFFFFF means no colour.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace sx {

constexpr quint32 NoColor = 0x1FFFFFFF;
constexpr quint32 SystemColorFlag = 0xFF000000;
constexpr quint32 BtnFace = 0xFF00000F;

inline bool isSystemColor(quint32 color) { return (color & 0xFF000000) == SystemColorFlag; }

// Returns the RGB colour value (red in the low byte) of system colour index 0..30.
using SystemColorResolver = std::function<quint32(int index)>;
// Installs the resolver; an empty one brings back the built-in classic desktop colours.
void setSystemColorResolver(SystemColorResolver resolver);
// The built-in colours of the classic desktop scheme (button face 0xF0F0F0, ...).
quint32 defaultSystemColor(int index);

// A system colour resolved to its current RGB value; every other value unchanged.
quint32 ColorToRGB(quint32 color);

// "#RRGGBB", upper-case hex digits; a system colour is resolved first. Only the 24 bits of
// the RGB value are written.
QString Color2HTML(quint32 color);

// "#RRGGBB" (or "RRGGBB", or shorter, as far as the digits go) back to a colour value; the
// text is trimmed first. -1 for an empty or non-hex text.
qint64 HtmlColorToColor(QStringView text);

// The value of the named colour constant ("clRed", "clBtnFace", compared without regard
// to case), if there is one.
std::optional<quint32> colorConstant(QStringView name);

} // namespace sx

// The markup wrapping commands, the font and colour commands and the removal of
// formatting, as main-window handlers.
#include "app/ui/mainform.h"
#include "editing/formatting.h"
#include "editing/htmlcolor.h"
#include "editing/markup.h"

#include <QApplication>
#include <QComboBox>
#include <QPalette>

namespace {

void wrap(TMainForm &form, const MarkupCommand &command) { ApplyMarkup(form.buffer(), command); }

// The system colours as the running desktop paints them.
quint32 paletteColor(int index)
{
    if (!qApp)
        return sx::defaultSystemColor(index);
    const QPalette p = QApplication::palette();
    QColor c;
    switch (index) {
    case 0: c = p.color(QPalette::Mid); break;                              // scroll bar
    case 1: c = p.color(QPalette::Dark); break;                             // desktop
    case 2: case 13: case 27: case 29: c = p.color(QPalette::Highlight); break;
    case 3: case 28: c = p.color(QPalette::Inactive, QPalette::Highlight); break;
    case 4: case 30: c = p.color(QPalette::Window); break;                  // menu, menu bar
    case 5: c = p.color(QPalette::Base); break;                             // window
    case 6: c = p.color(QPalette::Shadow); break;                           // window frame
    case 7: c = p.color(QPalette::WindowText); break;                       // menu text
    case 8: c = p.color(QPalette::Text); break;                             // window text
    case 9: case 14: c = p.color(QPalette::HighlightedText); break;
    case 10: case 11: case 15: c = p.color(QPalette::Button); break;        // borders, button face
    case 12: c = p.color(QPalette::Dark); break;                            // workspace
    case 16: c = p.color(QPalette::Mid); break;                             // button shadow
    case 17: c = p.color(QPalette::Disabled, QPalette::Text); break;        // grey text
    case 18: c = p.color(QPalette::ButtonText); break;
    case 19: c = p.color(QPalette::Inactive, QPalette::HighlightedText); break;
    case 20: c = p.color(QPalette::Light); break;                           // button highlight
    case 21: c = p.color(QPalette::Shadow); break;                          // 3D dark shadow
    case 22: c = p.color(QPalette::Midlight); break;                        // 3D light
    case 23: c = p.color(QPalette::ToolTipText); break;
    case 24: c = p.color(QPalette::ToolTipBase); break;
    case 26: c = p.color(QPalette::Link); break;                            // hot-tracked item
    default: return sx::defaultSystemColor(index);
    }
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

[[maybe_unused]] const bool kPaletteResolver = (sx::setSystemColorResolver(&paletteColor), true);

const char *const kLastColor = "sorvexColorDialogColor";

} // namespace

SORVEX_HANDLER(BoldButtonClick)
{
    wrap(form, markup::bold());
    form.releaseButton(QStringLiteral("BoldButton"));
}

SORVEX_HANDLER(ItalicButtonClick)
{
    wrap(form, markup::italic());
    form.releaseButton(QStringLiteral("ItalicButton"));
}

// Underline, and strike-through when the sender is ToolButton7.
SORVEX_HANDLER(UnderlineButtonClick)
{
    wrap(form, sender.name == QLatin1String("ToolButton7") ? markup::strike() : markup::underline());
    form.releaseButton(QStringLiteral("UnderlineButton"));
}

SORVEX_HANDLER(Sup1Click) { wrap(form, markup::sup()); }
SORVEX_HANDLER(Sub1Click) { wrap(form, markup::sub()); }

// Left (tag 0), right (1), justify (2), centre (any other tag).
SORVEX_HANDLER(AlignButtonClick)
{
    wrap(form, markup::align(sender.tag));
    for (const char *name : {"LeftAlign", "RightAlign", "ButtonJustify", "CenterAlign"})
        form.releaseButton(QString::fromLatin1(name));
}

SORVEX_HANDLER(ToolButtonIndentClick) { wrap(form, markup::indent()); }

SORVEX_HANDLER(h11Click) { wrap(form, markup::heading(1)); }
SORVEX_HANDLER(h21Click) { wrap(form, markup::heading(2)); }
SORVEX_HANDLER(h31Click) { wrap(form, markup::heading(3)); }
SORVEX_HANDLER(h41Click) { wrap(form, markup::heading(4)); }
SORVEX_HANDLER(h51Click) { wrap(form, markup::heading(5)); }
SORVEX_HANDLER(h61Click) { wrap(form, markup::heading(6)); }

SORVEX_HANDLER(Kommentar1Click) { wrap(form, markup::comment()); }
SORVEX_HANDLER(Linebreak1Click) { wrap(form, markup::lineBreak()); }
SORVEX_HANDLER(Horizontalline1Click) { wrap(form, markup::horizontalLine()); }
SORVEX_HANDLER(Script1Click) { wrap(form, markup::script()); }

// Unordered list, or ordered when the sender is ToolButton4 or OrderedList1.
SORVEX_HANDLER(BulletsButtonClick)
{
    EditorBuffer &b = form.buffer();
    TrimBlankSelection(b);
    form.releaseButton(QStringLiteral("BulletsButton"));
    const bool ordered = sender.name == QLatin1String("ToolButton4") || sender.name == QLatin1String("OrderedList1");
    BuildList(b, ordered);
}

SORVEX_HANDLER(Font3Click)
{
    ApplyFontSpan(form.buffer(), form.ComboFont1 ? form.ComboFont1->currentText() : QString(),
                  form.EditSize ? form.EditSize->currentText() : QString(), form.comboColorValue());
}

SORVEX_HANDLER(Color1Click)
{
    // The colour dialog keeps its colour from one use to the next.
    quint32 color = form.property(kLastColor).isValid() ? form.property(kLastColor).toUInt() : 0;
    ColorCommand(form.buffer(), form.prompts(), color);
    form.setProperty(kLastColor, color);
}

SORVEX_HANDLER(RemoveFormat1Click) { RemoveFormatCommand(form.buffer()); }

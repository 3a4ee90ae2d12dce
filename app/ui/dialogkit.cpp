#include "app/ui/dialogkit.h"

#include "app/platform.h"
#include "app/ui/mainform.h"
#include "editing/htmlcolor.h"

#include <QPainter>

namespace dlg {

TMainForm *mainFormOf(QWidget *w)
{
    for (QWidget *p = w; p; p = p->parentWidget()) {
        if (auto *form = qobject_cast<TMainForm *>(p))
            return form;
    }
    return nullptr;
}

void showHelp(QWidget *w, int topic)
{
    if (TMainForm *form = mainFormOf(w))
        form->platform().showHelp(form->helpFile, topic);
}

QColor toQColor(quint32 value)
{
    const quint32 c = sx::ColorToRGB(value);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace dlg

ColorSwatch::ColorSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ColorSwatch::setColorValue(std::optional<quint32> value)
{
    m_value = value;
    update();
}

QColor ColorSwatch::shownColor() const
{
    return m_value ? dlg::toQColor(*m_value) : palette().color(QPalette::Button);
}

void ColorSwatch::paintEvent(QPaintEvent *e)
{
    {
        QPainter p(this);
        p.fillRect(contentsRect(), shownColor());
    }
    QFrame::paintEvent(e);
}

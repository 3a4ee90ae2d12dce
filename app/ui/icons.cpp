#include "app/ui/icons.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <memory>

namespace {

// Renders one SVG document crisply at every requested size; the disabled and active looks
// come from the style, as for any other icon.
class SvgIconEngine : public QIconEngine
{
public:
    SvgIconEngine(const QString &file, std::shared_ptr<QSvgRenderer> renderer)
        : m_file(file), m_renderer(std::move(renderer))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = pixmap(rect.size() * dpr, mode, state);
        pm.setDevicePixelRatio(dpr);
        painter->drawPixmap(rect.topLeft(), pm);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        if (size.isEmpty() || !m_renderer->isValid())
            return QPixmap();
        const QString key = QStringLiteral("sorvex-svg:%1:%2x%3:%4")
                                .arg(m_file)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(int(mode));
        QPixmap pm;
        if (QPixmapCache::find(key, &pm))
            return pm;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            m_renderer->render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        pm = QPixmap::fromImage(image);
        if (mode != QIcon::Normal && QApplication::style()) {
            QStyleOption opt;
            opt.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(mode, pm, &opt);
        }
        Q_UNUSED(state);
        QPixmapCache::insert(key, pm);
        return pm;
    }

    QIconEngine *clone() const override { return new SvgIconEngine(m_file, m_renderer); }
    QString key() const override { return QStringLiteral("SorvexSvgIconEngine"); }
    bool isNull() override { return !m_renderer->isValid(); }

private:
    QString m_file;
    std::shared_ptr<QSvgRenderer> m_renderer;
};

QIcon svgIcon(const QString &file)
{
    auto renderer = std::make_shared<QSvgRenderer>(file);
    if (!renderer->isValid())
        return QIcon();
    return QIcon(new SvgIconEngine(file, std::move(renderer)));
}

// A readable stand-in: the button's initials on a tinted square.
QIcon labelIcon(const QString &name)
{
    QString label = name;
    label.remove(QStringLiteral("ToolButton")).remove(QStringLiteral("Button"));
    label = label.left(3);
    const uint h = qHash(name);
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor::fromHsv(int(h % 360), 60, 235));
    p.setPen(QColor(90, 90, 90));
    p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 3, 3);
    QFont f(QStringLiteral("Sans"));
    f.setPixelSize(label.size() > 2 ? 7 : 9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, label);
    return QIcon(pm);
}

} // namespace

QIcon commandIcon(const QString &name)
{
    const QString file = QStringLiteral(":/icons/%1.svg").arg(name);
    if (QFile::exists(file)) {
        QIcon icon = svgIcon(file);
        if (!icon.isNull())
            return icon;
    }
    return labelIcon(name);
}

QIcon applicationIcon()
{
    return svgIcon(QStringLiteral(":/icons/sorvex.svg"));
}

#include "app/ui/icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

QIcon commandIcon(const QString &name)
{
    const QString file = QStringLiteral(":/icons/%1.svg").arg(name);
    if (QFile::exists(file))
        return QIcon(file);
    // A readable stand-in: the button's initials on a tinted square.
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

#include "checks/ui/picturefile.h"

#include "editing/textops.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPen>

namespace {

bool acceptableSize(const QSize &s)
{
    return s.width() > 0 && s.height() > 0 && s.width() <= kMaxPictureSide && s.height() <= kMaxPictureSide
           && qint64(s.width()) * s.height() <= kMaxPicturePixels;
}

// Holds the readers' allocation limit at the dialog's value while one picture is read.
class AllocationLimit
{
public:
    explicit AllocationLimit(int mb) : m_old(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(m_old > 0 ? std::min(m_old, mb) : mb);
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_old); }

private:
    int m_old;
};

QRect boxOf(QPoint a, QPoint b)
{
    // Corner to corner, in either direction, both corners on the outline.
    return QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(a.x() - b.x()), std::abs(a.y() - b.y()));
}

} // namespace

QByteArray PictureFormatFor(const QString &path)
{
    const QString ext = sx::lowerAscii(sx::extensionPart(path));
    if (ext == QLatin1String(".gif"))
        return "gif";
    if (ext == QLatin1String(".jpg") || ext == QLatin1String(".jpeg"))
        return "jpeg";
    if (ext == QLatin1String(".png"))
        return "png";
    return "bmp";
}

bool ReadPicture(const QString &path, QImage *out)
{
    const QByteArray format = PictureFormatFor(path);
    if (!QImageReader::supportedImageFormats().contains(format))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return false;

    if (format == "gif") {
        // The GIF reader pads a file cut short without a word: refuse it here.
        if (!GifFirstImageComplete(file) || !file.seek(0))
            return false;
    }

    const AllocationLimit limit(kPictureAllocationLimitMb);
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false); // the extension decides, not the content
    if (!reader.canRead())
        return false;
    const QSize announced = reader.size();
    if (announced.isValid() && !acceptableSize(announced))
        return false;
    QImage picture;
    if (!reader.read(&picture) || picture.isNull() || !acceptableSize(picture.size()))
        return false;

    // A clean opaque copy: the inverting pen works on every pixel of it.
    QImage canvas(picture.size(), QImage::Format_RGB32);
    if (canvas.isNull())
        return false;
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        p.drawImage(0, 0, picture);
    }
    *out = canvas;
    return true;
}

void DrawInverted(QImage &picture, const Outline &o)
{
    if (picture.isNull() || o.kind == Outline::None)
        return;
    QPainter p(&picture);
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    switch (o.kind) {
    case Outline::Rect: p.drawRect(boxOf(o.from, o.to)); break;
    case Outline::Ellipse: p.drawEllipse(boxOf(o.from, o.to)); break;
    case Outline::Line: p.drawLine(o.from, o.to); break;
    case Outline::Polyline: p.drawPolyline(o.points.constData(), int(o.points.size())); break;
    case Outline::None: break;
    }
}

#include "checks/imagemap.h"

#include "editing/textops.h"

#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

const QString kRect = QStringLiteral("rect");
const QString kCircle = QStringLiteral("circle");
const QString kPoly = QStringLiteral("poly");

// Halving as the dialog rounds it: half to even.
long long half(long long v) { return sx::roundHalfEven(double(v) / 2.0); }

QString num(long long v) { return QString::number(v); }

} // namespace

QString ImageSource(const ImageFields &f) { return f.includePath ? f.EditComplete : f.EditFileonly; }

QString BuildImageTag(const ImageFields &f)
{
    const QString src = ImageSource(f);
    if (sx::isBlank(src))
        return QString();
    if (f.CheckMap)
        return BuildImageMap(f, src);
    // "Include path" writes two blanks before "border", "Filename only" one.
    const QString gap = f.includePath ? QStringLiteral("  ") : QStringLiteral(" ");
    return QStringLiteral("<img src=\"") + src + QStringLiteral("\" alt=\"") + f.Alt
           + QStringLiteral("\" style=\"width:") + num(f.width) + QStringLiteral("px; height:")
           + num(f.height) + QStringLiteral("px;") + gap + QStringLiteral("border: 0; float: left\" title=\"")
           + f.Title + QStringLiteral("\" />");
}

QString BuildImageMap(const ImageFields &f, const QString &src)
{
    if (f.Shape != kPoly) {
        if (sx::isBlank(f.Left) || sx::isBlank(f.Top) || sx::isBlank(f.Right) || f.Right == QLatin1String("0"))
            return QString();
    }
    QString coords;
    if (f.Shape == kCircle) {
        coords = f.Left + u',' + f.Top + u',' + f.Right;
    } else if (f.Shape == kRect) {
        coords = f.Left + u',' + f.Top + u',' + f.Right + u',' + f.Bottom;
    } else {
        for (const QPoint &p : f.points) {
            if (!coords.isEmpty())
                coords += u',';
            coords += num(p.x()) + u',' + num(p.y());
        }
    }
    if (sx::isBlank(coords))
        return QString();
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("<img src=\"") + src + QStringLiteral("\"  border=\"0\" alt=\"My Image\" usemap=\"#")
           + f.MapName + QStringLiteral("\">") + crlf
           + QStringLiteral("<map name=\"") + f.MapName + QStringLiteral("\">") + crlf
           + QStringLiteral(" <area shape=\"") + f.Shape + QStringLiteral("\" coords=\"") + coords
           + QStringLiteral("\" href=\"") + f.Href + QStringLiteral("\" alt=\"") + f.Alt
           + QStringLiteral("\" title=\"") + f.Title + QStringLiteral("\"/></map>") + crlf;
}

bool CircleFromBox(long long l, long long t, long long r, long long b, CircleCoords *out)
{
    if (r == 0 && b == 0)
        return false;
    const long long w = r - l;
    const long long h = b - t;
    // A box dragged towards the top left has negative sides; the radius is a length.
    out->radius = half(std::min(std::llabs(w), std::llabs(h)));
    out->left = l + half(w);
    out->top = b - half(h);
    return true;
}

int SliderMaximum(const QString &shape, int w, int h)
{
    const int s = std::min(w, h);
    return shape == kRect ? s : int(half(s));
}

bool CoordValue(const QString &field, int *value)
{
    bool ok = false;
    const long long v = sx::parseInteger(field, &ok);
    if (!ok || v < INT_MIN || v > INT_MAX)
        return false;
    *value = int(v);
    return true;
}

qint64 FileSizeOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const qint64 size = f.size();
    return size < 0 ? 0 : size;
}

// ---------------------------------------------------------------------------------------

void ImageMapEditor::clear()
{
    points.clear();
    slider = 0;
    Left = Top = Right = Bottom = QStringLiteral("0");
    EditX.clear();
    EditY.clear();
}

bool ImageMapEditor::sliderMoved()
{
    if (!hasPicture())
        return false;
    const int p = slider;
    if (shape == kRect) {
        Left = num(p);
        Top = num(p);
        Right = num(width - p);
        Bottom = num(height - p);
    } else if (shape == kCircle) {
        Left = num(half(width));
        Top = num(half(height));
        Right = num(half(std::min(width, height)) - p);
    }
    return optical;
}

bool ImageMapEditor::press(int x, int y)
{
    if (!mapOn)
        return false;
    EditX = num(x);
    EditY = num(y);
    points.append(QPoint(x, y));
    const qsizetype k = points.size() - 1;
    pressPoint = lastPoint = QPoint(x, y);
    if (!optical)
        drawing = true;
    if (shape == kRect || shape == kCircle) {
        if (k == 0) {
            Left = num(x);
            Top = num(y);
            return false;
        }
        Right = num(x);
        Bottom = num(y);
        return optical;
    }
    // The polygon grows press by press: show it through every point so far.
    return optical || shape == kPoly;
}

Outline ImageMapEditor::dragOutline() const
{
    Outline o;
    o.kind = shape == kRect ? Outline::Rect : shape == kPoly ? Outline::Line : Outline::Ellipse;
    o.from = pressPoint;
    o.to = lastPoint;
    return o;
}

bool ImageMapEditor::move(int x, int y, Outline *erase, Outline *draw)
{
    if (!drawing)
        return false;
    *erase = dragOutline();
    lastPoint = QPoint(x, y);
    if (shape == kRect) {
        Right = num(x);
        Bottom = num(y);
    }
    *draw = dragOutline();
    return true;
}

void ImageMapEditor::release(int x, int y)
{
    if (!drawing)
        return;
    drawing = false;
    if (shape == kCircle) {
        Right = num(x);
        Bottom = num(y);
        circleFromFields();
    }
}

void ImageMapEditor::circleFromFields()
{
    int l, t, r, b;
    if (!CoordValue(Left, &l) || !CoordValue(Top, &t) || !CoordValue(Right, &r) || !CoordValue(Bottom, &b))
        return;
    CircleCoords c;
    if (CircleFromBox(l, t, r, b, &c)) {
        Left = num(c.left);
        Top = num(c.top);
        Right = num(c.radius);
    }
}

Outline ImageMapEditor::redraw()
{
    Outline o;
    if (!hasPicture())
        return o;
    if (shape == kPoly) {
        if (points.size() >= 2) {
            o.kind = Outline::Polyline;
            o.points = points;
        }
        return o;
    }
    int l, t, r, b;
    if (UseText) {
        if (!CoordValue(Left, &l) || !CoordValue(Top, &t) || !CoordValue(Right, &r) || !CoordValue(Bottom, &b))
            return o;
    } else {
        l = t = slider;
        r = width - slider;
        b = height - slider;
    }
    o.from = QPoint(l, t);
    o.to = QPoint(r, b);
    if (shape == kRect) {
        o.kind = Outline::Rect;
        return o;
    }
    o.kind = Outline::Ellipse;
    CircleCoords c;
    if (CircleFromBox(l, t, r, b, &c)) {
        Left = num(c.left);
        Top = num(c.top);
        Right = num(c.radius);
    }
    return o;
}

// ---------------------------------------------------------------------------------------

namespace {

// Reads exactly n bytes, or fails.
bool readExact(QIODevice &d, char *to, qint64 n) { return d.read(to, n) == n; }

bool skipBytes(QIODevice &d, qint64 n)
{
    if (n <= 0)
        return true;
    if (!d.isSequential()) {
        const qint64 target = d.pos() + n;
        if (target > d.size())
            return false;
        return d.seek(target);
    }
    char buf[256];
    while (n > 0) {
        const qint64 step = std::min<qint64>(n, sizeof buf);
        if (!readExact(d, buf, step))
            return false;
        n -= step;
    }
    return true;
}

// Data sub-blocks: a length byte and that many bytes, until a length of 0.
bool skipSubBlocks(QIODevice &d)
{
    for (;;) {
        char n;
        if (!readExact(d, &n, 1))
            return false;
        if (n == 0)
            return true;
        if (!skipBytes(d, quint8(n)))
            return false;
    }
}

qint64 colourTableBytes(quint8 flags) { return (flags & 0x80) ? 3 * (qint64(1) << ((flags & 7) + 1)) : 0; }

} // namespace

bool GifFirstImageComplete(QIODevice &d)
{
    char header[13];
    if (!readExact(d, header, 13))
        return false;
    if (QByteArray(header, 6) != "GIF87a" && QByteArray(header, 6) != "GIF89a")
        return false;
    if (!skipBytes(d, colourTableBytes(quint8(header[10]))))
        return false;
    for (;;) {
        char kind;
        if (!readExact(d, &kind, 1))
            return false;
        if (kind == 0x21) { // extension: its label, then data sub-blocks
            char label;
            if (!readExact(d, &label, 1) || !skipSubBlocks(d))
                return false;
        } else if (kind == 0x2C) { // image descriptor
            char desc[9];
            if (!readExact(d, desc, 9) || !skipBytes(d, colourTableBytes(quint8(desc[8]))))
                return false;
            char codeSize;
            if (!readExact(d, &codeSize, 1))
                return false;
            return skipSubBlocks(d);
        } else {
            return false; // the trailer before any picture, or no block at all
        }
    }
}

// The image dialog's logic: the plain image element, the image map with one area, and
// the map editor's rules for the slider, the mouse and the preview outline.
//
// Positions and sizes are pixels of the loaded picture, origin top left. Coordinate
// fields are texts, as the dialog's edit fields hold them; the markup takes them as they
// stand, and the drawing reads them as integers (a field that is not one skips it).
#pragma once

#include <QList>
#include <QPoint>
#include <QString>

// The dialog's fields, as the OK button reads them.
struct ImageFields {
    bool includePath = false;  // CheckComplete ("Include path"); otherwise CheckFileOnly
    QString EditComplete;      // full path of the picture
    QString EditFileonly;      // file name without folder
    QString Alt = QStringLiteral("Comment");
    QString Title = QStringLiteral("Title");
    bool CheckMap = false;
    QString MapName = QStringLiteral("MapName");
    QString Shape = QStringLiteral("rect"); // ComboBox1's text, as typed
    QString Left = QStringLiteral("0"), Top = QStringLiteral("0");
    QString Right = QStringLiteral("0"), Bottom = QStringLiteral("0");
    QString Href;
    QList<QPoint> points;      // one per press on the picture, in press order
    int width = 0, height = 0; // the loaded picture; 0 when none
};

// The source the element names: EditComplete with "Include path", else EditFileonly.
QString ImageSource(const ImageFields &f);

// The markup the OK button produces; empty when nothing is produced.
QString BuildImageTag(const ImageFields &f);
// The image with a map of one area (three lines, each ended by CR LF); empty when the
// coordinates do not make an area.
QString BuildImageMap(const ImageFields &f, const QString &src);

// The three coordinate fields a circle is written with.
struct CircleCoords {
    long long left = 0, top = 0, radius = 0;
};
// Centre and radius of the circle in a bounding box; false (nothing to change) when r and
// b are both 0. The box may be given corner to corner in any direction.
bool CircleFromBox(long long l, long long t, long long r, long long b, CircleCoords *out);

// The slider's maximum for a picture of w x h: the smaller side for "rect", half of it
// (rounded half to even) for every other shape.
int SliderMaximum(const QString &shape, int w, int h);

// A field read as an integer for drawing: optional blanks, sign, decimal digits or "$"
// and hex digits, within the range of int. false when it is not one.
bool CoordValue(const QString &field, int *value);

// The size of a file in bytes, read by opening it for reading with sharing allowed; 0
// when the size cannot be read.
qint64 FileSizeOf(const QString &path);

// An outline to draw with the inverting pen, no fill, width 1.
struct Outline {
    enum Kind { None, Rect, Ellipse, Line, Polyline };
    Kind kind = None;
    QPoint from, to;      // Rect and Ellipse: opposite corners; Line: the two ends
    QList<QPoint> points; // Polyline
    bool operator==(const Outline &o) const
    {
        return kind == o.kind && from == o.from && to == o.to && points == o.points;
    }
};

// The map editor's state besides the picture itself: the coordinate fields, the press
// points, the slider and the two modes. The dialog copies its controls in, calls one of
// the operations, and copies the fields back out and draws what it is told.
class ImageMapEditor
{
public:
    QString shape = QStringLiteral("rect");
    bool optical = true;  // the "Optical" button is selected (otherwise "Manual")
    bool UseText = false; // the preview box comes from the fields (manual mode)
    bool mapOn = false;   // CheckMap: the mouse acts on the picture only then
    int slider = 0;
    int width = 0, height = 0; // the loaded picture; both 0 when none
    QString Left = QStringLiteral("0"), Top = QStringLiteral("0");
    QString Right = QStringLiteral("0"), Bottom = QStringLiteral("0");
    QString EditX, EditY;
    QList<QPoint> points;
    bool drawing = false;
    QPoint pressPoint, lastPoint;

    bool hasPicture() const { return width > 0 && height > 0; }

    // Clear: no points, slider 0, the four fields "0", no press position.
    void clear();
    // The slider was moved (or the preview group clicked). True when a redraw follows.
    bool sliderMoved();
    // A press on the picture. True when a redraw follows.
    bool press(int x, int y);
    // A move over the picture. While a manual drag is in progress, returns true with the
    // outline to erase (the previous one) and the outline to draw now.
    bool move(int x, int y, Outline *erase, Outline *draw);
    // The end of a manual drag.
    void release(int x, int y);
    // What the preview draws over the clean picture (None for nothing). For a circle the
    // box is also turned into centre and radius fields.
    Outline redraw();

private:
    Outline dragOutline() const;
    void circleFromFields();
};

class QIODevice;
// Whether a GIF file holds its first picture whole: header, colour tables, extensions,
// the image descriptor and every data block of the first picture up to its terminator.
// A file cut anywhere before that is not whole (the decoder would pad it silently).
// Reads from the device's current position; only the block lengths are read.
bool GifFirstImageComplete(QIODevice &device);

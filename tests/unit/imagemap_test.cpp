#include "checks/imagemap.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

ImageFields picture(const QString &name, int w, int h)
{
    ImageFields f;
    f.EditComplete = QStringLiteral("/pics/") + name;
    f.EditFileonly = name;
    f.width = w;
    f.height = h;
    return f;
}

ImageFields map(const QString &shape, const QString &l, const QString &t, const QString &r, const QString &b)
{
    ImageFields f = picture(QStringLiteral("a.gif"), 120, 80);
    f.CheckMap = true;
    f.Shape = shape;
    f.Left = l;
    f.Top = t;
    f.Right = r;
    f.Bottom = b;
    f.Href = QStringLiteral("https://www.example.com/");
    f.Alt = QStringLiteral("Logo");
    f.Title = QStringLiteral("Home");
    return f;
}

QString mapMarkup(const QString &src, const QString &shape, const QString &coords)
{
    return QStringLiteral("<img src=\"%1\"  border=\"0\" alt=\"My Image\" usemap=\"#MapName\">\r\n"
                          "<map name=\"MapName\">\r\n"
                          " <area shape=\"%2\" coords=\"%3\" href=\"https://www.example.com/\" alt=\"Logo\" "
                          "title=\"Home\"/></map>\r\n")
        .arg(src, shape, coords);
}

} // namespace

TEST(BuildImageTag, PathModesAndBlankSources)
{
    struct Case {
        const char *name;
        ImageFields fields;
        QString expected;
    };
    ImageFields fileOnly = picture(QStringLiteral("a.gif"), 120, 80);
    fileOnly.Alt = QStringLiteral("Logo");
    fileOnly.Title = QStringLiteral("Home");
    ImageFields withPath = fileOnly;
    withPath.includePath = true;
    ImageFields blankName = fileOnly;
    blankName.EditFileonly = QStringLiteral(" \t");
    ImageFields blankPath = fileOnly; // the file name is there, but the path mode names the path
    blankPath.includePath = true;
    blankPath.EditComplete.clear();
    ImageFields noPicture = picture(QStringLiteral("typed.png"), 0, 0);
    ImageFields spaced = fileOnly; // the source stands as typed, blanks and all
    spaced.EditFileonly = QStringLiteral(" my pic.gif");

    const Case cases[] = {
        {"filename only", fileOnly,
         "<img src=\"a.gif\" alt=\"Logo\" style=\"width:120px; height:80px; border: 0; float: left\" title=\"Home\" />"},
        {"include path", withPath,
         "<img src=\"/pics/a.gif\" alt=\"Logo\" style=\"width:120px; height:80px;  border: 0; float: left\" "
         "title=\"Home\" />"},
        {"blank file name", blankName, ""},
        {"blank path", blankPath, ""},
        {"no picture loaded", noPicture,
         "<img src=\"typed.png\" alt=\"Comment\" style=\"width:0px; height:0px; border: 0; float: left\" "
         "title=\"Title\" />"},
        {"source as typed", spaced,
         "<img src=\" my pic.gif\" alt=\"Logo\" style=\"width:120px; height:80px; border: 0; float: left\" "
         "title=\"Home\" />"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BuildImageTag(c.fields), c.expected) << c.name;
}

TEST(BuildImageTag, MapSwitchWritesTheMapWithTheChosenSource)
{
    ImageFields f = map(QStringLiteral("rect"), "10", "20", "110", "70");
    EXPECT_EQ(BuildImageTag(f), mapMarkup(QStringLiteral("a.gif"), QStringLiteral("rect"), QStringLiteral("10,20,110,70")));
    f.includePath = true;
    EXPECT_EQ(BuildImageTag(f), mapMarkup(QStringLiteral("/pics/a.gif"), QStringLiteral("rect"), QStringLiteral("10,20,110,70")));
    f.EditComplete = QStringLiteral("  ");
    EXPECT_EQ(BuildImageTag(f), QString());
}

TEST(BuildImageMap, CoordinatesByShape)
{
    struct Case {
        const char *name;
        ImageFields fields;
        const char *coords; // nullptr: nothing produced
    };
    ImageFields poly = map(QStringLiteral("poly"), "0", "0", "0", "0");
    poly.points = {{10, 20}, {30, 40}, {50, 10}};
    ImageFields polyNoPoints = poly;
    polyNoPoints.points.clear();
    ImageFields typed = map(QStringLiteral("Default"), "1", "1", "5", "0");
    typed.points = {{7, 8}};
    ImageFields typedZero = typed;
    typedZero.Right = QStringLiteral("0");

    const Case cases[] = {
        {"rect", map(QStringLiteral("rect"), "10", "20", "110", "70"), "10,20,110,70"},
        {"rect, Right 0", map(QStringLiteral("rect"), "10", "20", "0", "70"), nullptr},
        {"rect, Left blank", map(QStringLiteral("rect"), " ", "20", "110", "70"), nullptr},
        {"rect, Top empty", map(QStringLiteral("rect"), "10", "", "110", "70"), nullptr},
        {"rect, Bottom empty is written as it stands", map(QStringLiteral("rect"), "10", "20", "110", ""),
         "10,20,110,"},
        {"rect, fields as typed", map(QStringLiteral("rect"), "a", "b ", "c", "d"), "a,b ,c,d"},
        {"circle ignores Bottom", map(QStringLiteral("circle"), "30", "20", "10", "99"), "30,20,10"},
        {"circle, Right 0", map(QStringLiteral("circle"), "30", "20", "0", "99"), nullptr},
        {"poly takes the points, Right 0 or not", poly, "10,20,30,40,50,10"},
        {"poly without points", polyNoPoints, nullptr},
        {"typed shape takes the points", typed, "7,8"},
        {"typed shape still needs Right", typedZero, nullptr},
    };
    for (const Case &c : cases) {
        const QString expected = c.coords ? mapMarkup(QStringLiteral("a.gif"), c.fields.Shape, QString::fromLatin1(c.coords))
                                          : QString();
        EXPECT_EQ(BuildImageMap(c.fields, QStringLiteral("a.gif")), expected) << c.name;
    }
}

TEST(CircleFromBox, CentreAndRadius)
{
    struct Case {
        long long l, t, r, b;
        bool changes;
        long long x, y, radius;
    };
    const Case cases[] = {
        {10, 10, 50, 30, true, 30, 20, 10},  // dragged from (10,10) to (50,30)
        {50, 30, 10, 10, true, 30, 20, 10},  // the same box dragged the other way
        {0, 0, 0, 0, false, 0, 0, 0},
        {5, 5, 0, 0, false, 0, 0, 0},        // r and b both 0: nothing
        {0, 0, 0, 10, true, 0, 5, 0},
        {0, 0, 41, 41, true, 20, 21, 20},    // 20.5 rounds to 20
        {0, 0, 43, 43, true, 22, 21, 22},    // 21.5 rounds to 22
        {0, 0, 120, 80, true, 60, 40, 40},
    };
    for (const Case &c : cases) {
        CircleCoords out{-1, -1, -1};
        EXPECT_EQ(CircleFromBox(c.l, c.t, c.r, c.b, &out), c.changes) << c.l << "," << c.t << "," << c.r << "," << c.b;
        if (c.changes) {
            EXPECT_EQ(out.left, c.x) << c.l << "," << c.t << "," << c.r << "," << c.b;
            EXPECT_EQ(out.top, c.y) << c.l << "," << c.t << "," << c.r << "," << c.b;
            EXPECT_EQ(out.radius, c.radius) << c.l << "," << c.t << "," << c.r << "," << c.b;
        }
    }
}

TEST(SliderMaximum, SmallerSideOrItsHalf)
{
    EXPECT_EQ(SliderMaximum(QStringLiteral("rect"), 120, 80), 80);
    EXPECT_EQ(SliderMaximum(QStringLiteral("circle"), 120, 80), 40);
    EXPECT_EQ(SliderMaximum(QStringLiteral("poly"), 80, 120), 40);
    EXPECT_EQ(SliderMaximum(QStringLiteral("circle"), 81, 200), 40); // 40.5 to even
    EXPECT_EQ(SliderMaximum(QStringLiteral("circle"), 83, 200), 42); // 41.5 to even
}

TEST(CoordValue, IntegersOnly)
{
    int v = -7;
    EXPECT_TRUE(CoordValue(QStringLiteral("42"), &v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(CoordValue(QStringLiteral("-3"), &v));
    EXPECT_EQ(v, -3);
    EXPECT_FALSE(CoordValue(QStringLiteral(""), &v));
    EXPECT_FALSE(CoordValue(QStringLiteral("1.5"), &v));
    EXPECT_FALSE(CoordValue(QStringLiteral("abc"), &v));
    EXPECT_FALSE(CoordValue(QStringLiteral("99999999999"), &v));
}

TEST(FileSizeOf, SizeOrZero)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.bin"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1234, 'x'));
    f.close();
    EXPECT_EQ(FileSizeOf(path), 1234);
    EXPECT_EQ(FileSizeOf(dir.filePath(QStringLiteral("missing.gif"))), 0);
    QFile empty(dir.filePath(QStringLiteral("empty.png")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(FileSizeOf(empty.fileName()), 0);
}

// ---------------------------------------------------------------------------------------
// The map editor's rules.

namespace {

ImageMapEditor editor(const QString &shape, bool optical, int w = 120, int h = 80)
{
    ImageMapEditor e;
    e.shape = shape;
    e.optical = optical;
    e.UseText = !optical;
    e.mapOn = true;
    e.width = w;
    e.height = h;
    return e;
}

QStringList fields(const ImageMapEditor &e) { return {e.Left, e.Top, e.Right, e.Bottom}; }

Outline box(Outline::Kind kind, QPoint a, QPoint b)
{
    Outline o;
    o.kind = kind;
    o.from = a;
    o.to = b;
    return o;
}

} // namespace

TEST(ImageMapEditor, SliderSetsTheFieldsByShape)
{
    struct Case {
        const char *shape;
        int w, h, p;
        QStringList expected;
    };
    const Case cases[] = {
        {"rect", 120, 80, 10, {"10", "10", "110", "70"}},
        {"rect", 120, 80, 0, {"0", "0", "120", "80"}},
        {"circle", 120, 80, 5, {"60", "40", "35", "0"}},
        {"circle", 121, 81, 0, {"60", "40", "40", "0"}},  // 60.5, 40.5 to even
        {"circle", 123, 83, 2, {"62", "42", "40", "0"}},  // 61.5, 41.5 to even
        {"poly", 120, 80, 10, {"0", "0", "0", "0"}},
    };
    for (const Case &c : cases) {
        ImageMapEditor e = editor(QString::fromLatin1(c.shape), true, c.w, c.h);
        e.slider = c.p;
        EXPECT_TRUE(e.sliderMoved()) << c.shape;
        EXPECT_EQ(fields(e), c.expected) << c.shape << " " << c.w << "x" << c.h << " p=" << c.p;
    }

    ImageMapEditor manual = editor(QStringLiteral("rect"), false);
    manual.slider = 10;
    EXPECT_FALSE(manual.sliderMoved()); // fields change, no redraw
    EXPECT_EQ(fields(manual), QStringList({"10", "10", "110", "70"}));

    ImageMapEditor none = editor(QStringLiteral("rect"), true, 0, 0);
    none.slider = 10;
    EXPECT_FALSE(none.sliderMoved());
    EXPECT_EQ(fields(none), QStringList({"0", "0", "0", "0"}));
}

TEST(ImageMapEditor, OpticalPreviewFollowsTheSlider)
{
    ImageMapEditor rect = editor(QStringLiteral("rect"), true);
    rect.slider = 10;
    rect.sliderMoved();
    EXPECT_EQ(rect.redraw(), box(Outline::Rect, {10, 10}, {110, 70}));

    // The circle's box is the slider's; its centre and radius go into the fields.
    ImageMapEditor circle = editor(QStringLiteral("circle"), true);
    circle.slider = 5;
    circle.sliderMoved();
    EXPECT_EQ(circle.redraw(), box(Outline::Ellipse, {5, 5}, {115, 75}));
    EXPECT_EQ(fields(circle), QStringList({"60", "40", "35", "0"}));

    ImageMapEditor none = editor(QStringLiteral("rect"), true, 0, 0);
    EXPECT_EQ(none.redraw().kind, Outline::None);
}

TEST(ImageMapEditor, ManualPreviewReadsTheFields)
{
    ImageMapEditor e = editor(QStringLiteral("rect"), false);
    e.Left = "5";
    e.Top = "6";
    e.Right = "50";
    e.Bottom = "60";
    EXPECT_EQ(e.redraw(), box(Outline::Rect, {5, 6}, {50, 60}));
    e.Right = "x";
    EXPECT_EQ(e.redraw().kind, Outline::None); // skipped silently
    EXPECT_EQ(fields(e), QStringList({"5", "6", "x", "60"}));
}

TEST(ImageMapEditor, RectByTwoPressesInOpticalMode)
{
    ImageMapEditor e = editor(QStringLiteral("rect"), true);
    EXPECT_FALSE(e.press(10, 20));
    EXPECT_EQ(fields(e), QStringList({"10", "20", "0", "0"}));
    EXPECT_EQ(e.EditX, "10");
    EXPECT_EQ(e.EditY, "20");
    EXPECT_TRUE(e.press(100, 70)); // the second press completes the box and redraws
    EXPECT_EQ(fields(e), QStringList({"10", "20", "100", "70"}));
    EXPECT_FALSE(e.drawing);
    Outline erase, draw;
    EXPECT_FALSE(e.move(5, 5, &erase, &draw)); // no drag in optical mode
    EXPECT_EQ(e.points.size(), 2);
}

TEST(ImageMapEditor, RectDraggedInManualMode)
{
    ImageMapEditor e = editor(QStringLiteral("rect"), false);
    EXPECT_FALSE(e.press(10, 10));
    EXPECT_TRUE(e.drawing);
    Outline erase, draw;
    ASSERT_TRUE(e.move(25, 20, &erase, &draw));
    EXPECT_EQ(erase, box(Outline::Rect, {10, 10}, {10, 10}));
    EXPECT_EQ(draw, box(Outline::Rect, {10, 10}, {25, 20}));
    ASSERT_TRUE(e.move(40, 30, &erase, &draw));
    EXPECT_EQ(erase, box(Outline::Rect, {10, 10}, {25, 20})); // the previous outline goes
    EXPECT_EQ(draw, box(Outline::Rect, {10, 10}, {40, 30}));
    e.release(40, 30);
    EXPECT_FALSE(e.drawing);
    EXPECT_EQ(fields(e), QStringList({"10", "10", "40", "30"}));
    EXPECT_FALSE(e.move(60, 60, &erase, &draw));
}

TEST(ImageMapEditor, CircleDraggedInManualMode)
{
    ImageMapEditor e = editor(QStringLiteral("circle"), false);
    e.press(10, 10);
    Outline erase, draw;
    ASSERT_TRUE(e.move(30, 20, &erase, &draw));
    EXPECT_EQ(draw, box(Outline::Ellipse, {10, 10}, {30, 20}));
    ASSERT_TRUE(e.move(50, 30, &erase, &draw));
    EXPECT_EQ(fields(e), QStringList({"10", "10", "0", "0"})); // a circle's drag leaves the fields
    e.release(50, 30);
    EXPECT_EQ(fields(e), QStringList({"30", "20", "10", "30"}));
}

TEST(ImageMapEditor, PolygonGrowsPressByPress)
{
    ImageMapEditor e = editor(QStringLiteral("poly"), false);
    EXPECT_TRUE(e.press(10, 20));
    EXPECT_EQ(e.redraw().kind, Outline::None); // one point is no line yet
    e.release(10, 20);
    EXPECT_TRUE(e.press(30, 40));
    Outline erase, draw;
    ASSERT_TRUE(e.move(35, 45, &erase, &draw)); // a drag shows a line from the press point
    EXPECT_EQ(draw, box(Outline::Line, {30, 40}, {35, 45}));
    e.release(35, 45);
    EXPECT_TRUE(e.press(50, 10));
    e.release(50, 10);
    const Outline o = e.redraw();
    EXPECT_EQ(o.kind, Outline::Polyline);
    EXPECT_EQ(o.points, QList<QPoint>({{10, 20}, {30, 40}, {50, 10}}));
    EXPECT_EQ(fields(e), QStringList({"0", "0", "0", "0"}));

    ImageFields f = map(QStringLiteral("poly"), e.Left, e.Top, e.Right, e.Bottom);
    f.points = e.points;
    EXPECT_EQ(BuildImageMap(f, QStringLiteral("a.gif")),
              mapMarkup(QStringLiteral("a.gif"), QStringLiteral("poly"), QStringLiteral("10,20,30,40,50,10")));
}

TEST(ImageMapEditor, MouseOnlyWithTheMapSwitchOnAndClear)
{
    ImageMapEditor e = editor(QStringLiteral("rect"), false);
    e.mapOn = false;
    EXPECT_FALSE(e.press(10, 10));
    EXPECT_FALSE(e.drawing);
    EXPECT_TRUE(e.points.isEmpty());
    EXPECT_TRUE(e.EditX.isEmpty());

    e.mapOn = true;
    e.press(10, 10);
    e.release(10, 10);
    e.press(40, 30);
    e.slider = 7;
    e.clear();
    EXPECT_TRUE(e.points.isEmpty());
    EXPECT_EQ(e.slider, 0);
    EXPECT_EQ(fields(e), QStringList({"0", "0", "0", "0"}));
    EXPECT_TRUE(e.EditX.isEmpty() && e.EditY.isEmpty());
    // After Clear the next press is a first press again.
    e.release(40, 30);
    e.press(70, 60);
    EXPECT_EQ(fields(e), QStringList({"70", "60", "0", "0"}));
}

// ---------------------------------------------------------------------------------------

namespace {

// A 4 x 2 GIF with a colour table, a graphic control extension, a comment, one picture
// (with a local colour table) and the trailer. end receives the length up to and
// including the picture's block terminator.
QByteArray smallGif(qsizetype *end)
{
    QByteArray b("GIF89a");
    b += QByteArray::fromHex("04000200" "81" "0000");          // 4 x 2, table of 4 colours
    b += QByteArray::fromHex("000000" "ffffff" "ff0000" "00ff00");
    b += QByteArray::fromHex("21f904" "00000000" "00");        // graphic control
    b += QByteArray::fromHex("21fe" "03" "616263" "00");       // comment "abc"
    b += QByteArray::fromHex("2c" "00000000" "04000200" "80"); // descriptor, local table of 2
    b += QByteArray::fromHex("000000" "ffffff");
    b += QByteArray::fromHex("02" "03" "84" "8f" "05" "00");   // code size 2, one data block
    *end = b.size();
    b += QByteArray::fromHex("3b");
    return b;
}

bool complete(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return GifFirstImageComplete(buffer);
}

} // namespace

TEST(GifFirstImageComplete, EveryCutBeforeThePictureEndsIsRefused)
{
    qsizetype end = 0;
    const QByteArray gif = smallGif(&end);
    EXPECT_TRUE(complete(gif));
    EXPECT_TRUE(complete(gif.left(end))); // the trailer itself is not needed
    for (qsizetype n = 0; n < end; ++n)
        EXPECT_FALSE(complete(gif.left(n))) << "cut at " << n;

    QByteArray other = gif;
    other[4] = '8'; // "GIF88a"
    EXPECT_FALSE(complete(other));
    EXPECT_TRUE(complete(QByteArray("GIF87a") + gif.mid(6)));
    // Only a trailer after the header: no picture at all.
    EXPECT_FALSE(complete(gif.left(25) + QByteArray::fromHex("3b")));
    // A block of an unknown kind.
    EXPECT_FALSE(complete(gif.left(25) + QByteArray::fromHex("99")));
}

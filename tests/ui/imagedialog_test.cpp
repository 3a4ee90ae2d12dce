// The image dialog against real widgets: reading pictures (and refusing bad ones), the
// inverting pen, and the map editor driven by mouse events on the picture.
#include "app/prompts.h"
#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "tests/ui/uifixture.h"
#include "checks/ui/imagedialog.h"
#include "checks/ui/picturefile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QImageReader>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A GIF whose LZW codes are all literals of 8 bits (a clear code every 100 pixels keeps
// the code width from growing), so that it can be written without a compressor.
QByteArray gifFile(int w, int h)
{
    QByteArray b("GIF89a");
    auto le16 = [&b](int v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    le16(w);
    le16(h);
    b.append(char(0xF6)); // global table of 128 colours
    b.append('\0');
    b.append('\0');
    for (int i = 0; i < 128; ++i) {
        b.append(char(i * 2));
        b.append(char(255 - i * 2));
        b.append(char(i == 1 ? 255 : 64));
    }
    b.append(char(0x2C));
    le16(0);
    le16(0);
    le16(w);
    le16(h);
    b.append('\0');
    b.append(char(7)); // minimum code size: codes of 8 bits
    QByteArray codes;
    const int pixels = w * h;
    for (int i = 0; i < pixels; ++i) {
        if (i % 100 == 0)
            codes.append(char(128)); // clear
        codes.append(char((i / w + i % w) % 4));
    }
    codes.append(char(129)); // end of information
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        b.append(char(block.size()));
        b.append(block);
    }
    b.append('\0');
    b.append(char(0x3B));
    return b;
}

quint32 crc32(const QByteArray &data)
{
    quint32 c = 0xFFFFFFFFu;
    for (char ch : data) {
        c ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return c ^ 0xFFFFFFFFu;
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), out.data());
    const QByteArray body = QByteArray(type) + data;
    out += body;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32(body), crc.data());
    return out + crc;
}

// A real decompression bomb: a 20000 x 20000 grey PNG whose rows are all zeros.
QByteArray pngBomb()
{
    const int side = 20000;
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(side, ihdr.data());
    qToBigEndian<quint32>(side, ihdr.data() + 4);
    ihdr[8] = 8; // 8 bits of grey
    const QByteArray raw(qsizetype(side) * (side + 1) / 40, '\0'); // the first rows of it
    QByteArray z = qCompress(raw, 9).mid(4);                        // the zlib stream
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) + pngChunk("IDAT", z) + pngChunk("IEND", {});
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QImage sample(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 192));
    for (int y = 0; y < h; ++y)
        img.setPixel(0, y, qRgb(0, 0, 255));
    return img;
}

void mouse(QWidget *w, QEvent::Type type, int x, int y)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(x, y), QPointF(w->mapToGlobal(QPoint(x, y))), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class PictureFiles : public ::testing::Test
{
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(PictureFiles, EachFormatByItsExtension)
{
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const char *f : {"gif", "jpeg", "png", "bmp"})
        ASSERT_TRUE(formats.contains(f)) << "no reader for " << f;

    const QImage img = sample(120, 80);
    ASSERT_TRUE(img.save(path("a.png"), "PNG"));
    ASSERT_TRUE(img.save(path("b.JPG"), "JPEG"));
    ASSERT_TRUE(img.save(path("c.jpeg"), "JPEG"));
    ASSERT_TRUE(img.save(path("d.bmp"), "BMP"));
    ASSERT_TRUE(img.save(path("e.dib"), "BMP")); // any other extension is read as a bitmap
    writeBytes(path("f.gif"), gifFile(120, 80));
    for (const char *name : {"a.png", "b.JPG", "c.jpeg", "d.bmp", "e.dib", "f.gif"}) {
        QImage out;
        ASSERT_TRUE(ReadPicture(path(name), &out)) << name;
        EXPECT_EQ(out.size(), QSize(120, 80)) << name;
        EXPECT_EQ(out.format(), QImage::Format_RGB32) << name;
    }
    QImage gif;
    ASSERT_TRUE(ReadPicture(path("f.gif"), &gif));
    EXPECT_EQ(gif.pixel(1, 0), qRgb(2, 253, 255)); // colour 1 of the table
}

TEST_F(PictureFiles, UndecodableAndOversizedFilesAreRefused)
{
    const QByteArray gif = gifFile(120, 80);
    writeBytes(path("text.png"), "<html>not a picture</html>\r\n");
    writeBytes(path("empty.png"), QByteArray());
    writeBytes(path("cut.gif"), gif.left(gif.size() / 2));
    writeBytes(path("header.gif"), gif.left(13));
    writeBytes(path("bomb.png"), pngBomb());
    writeBytes(path("gif-as.png"), gif); // the extension decides the format
    const QImage img = sample(20, 20);
    ASSERT_TRUE(img.save(path("png-as.gif"), "PNG"));
    for (const char *name : {"text.png", "empty.png", "cut.gif", "header.gif", "bomb.png", "gif-as.png", "png-as.gif",
                             "missing.png"}) {
        QImage out(3, 3, QImage::Format_RGB32);
        EXPECT_FALSE(ReadPicture(path(name), &out)) << name;
        EXPECT_EQ(out.size(), QSize(3, 3)) << name << ": the target is left alone";
    }
}

TEST(DrawInverted, InvertsTheOutlineAndTwiceRestores)
{
    QImage img(60, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    const QImage clean = img;
    Outline rect;
    rect.kind = Outline::Rect;
    rect.from = QPoint(30, 20);
    rect.to = QPoint(10, 10); // dragged towards the top left
    DrawInverted(img, rect);
    EXPECT_EQ(img.pixel(20, 10), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(30, 15), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(20, 15), qRgb(255, 255, 255)); // no fill
    EXPECT_EQ(img.pixel(40, 15), qRgb(255, 255, 255));
    DrawInverted(img, rect);
    EXPECT_EQ(img, clean);

    // On a coloured picture the pen shows the inverse colour.
    img.fill(QColor(255, 255, 192));
    Outline line;
    line.kind = Outline::Line;
    line.from = QPoint(0, 5);
    line.to = QPoint(59, 5);
    DrawInverted(img, line);
    EXPECT_EQ(img.pixel(30, 5), qRgb(0, 0, 63));
}

// ---------------------------------------------------------------------------------------

class ImageDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        d.setPrompts(&prompts);
        d.Sprache = 1;
        d.show();
        QApplication::processEvents();
        ASSERT_TRUE(sample(120, 80).save(dir.filePath("a.png"), "PNG"));
    }
    void TearDown() override { d.hide(); }

    void open(const QString &path)
    {
        prompts.opens.append(QStringList{path});
        d.BitBtn1->click();
    }
    QStringList coords() const { return {d.Left->text(), d.Top->text(), d.Right->text(), d.Bottom->text()}; }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    TFormImage d;
};

TEST_F(ImageDialog, ShowingStartsClean)
{
    EXPECT_EQ(d.size(), QSize(780, 580));
    EXPECT_EQ(d.LabelWidth->text(), "000");
    EXPECT_EQ(d.LabelFSize->text(), "000");
    EXPECT_FALSE(d.CheckMap->isChecked());
    EXPECT_FALSE(d.ComboBox1->isEnabled());
    EXPECT_FALSE(d.TrackBar1->isEnabled());
    EXPECT_TRUE(d.Alt->isEnabled());
    EXPECT_EQ(d.Image->size(), QSize(200, 200));
    EXPECT_EQ(d.Label1->text(), "Include path");
    EXPECT_EQ(d.BitBtn3->text(), "Cancel");

    d.hide();
    d.Sprache = 0;
    d.show();
    EXPECT_EQ(d.Label1->text(), "Pfad einschliessen");
    EXPECT_EQ(d.Label1->toolTip(), "Komplette Pfadangabe im Dateinamen angeben");
    EXPECT_EQ(d.CheckMap->text(), "Image Map erstellen");
    EXPECT_EQ(d.CheckBox1->text(), "Grafik strecken");
    EXPECT_EQ(d.GroupBox2->title(), "Vorschau Image Map");
    EXPECT_EQ(d.BitBtn2->toolTip(), "Image Map entfernen");
    EXPECT_EQ(d.CheckBoxShow->text(), "Optisch");
    EXPECT_EQ(d.BitBtn3->text(), "Abbrechen");
    writeBytes(dir.filePath("bad.png"), "nothing");
    open(dir.filePath("bad.png"));
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(prompts.shown[0].text, QString::fromUtf8("Ungültiges Grafikformat"));
}

TEST_F(ImageDialog, OpeningShowsSizesAndPathModes)
{
    open(dir.filePath("a.png"));
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_EQ(d.LabelWidth->text(), "120");
    EXPECT_EQ(d.LabelHeight->text(), "80");
    EXPECT_EQ(d.LabelFSize->text(), QString::number(QFileInfo(dir.filePath("a.png")).size()) + " Bytes");
    EXPECT_EQ(d.EditComplete->text(), dir.filePath("a.png"));
    EXPECT_EQ(d.EditFileonly->text(), "a.png");
    EXPECT_EQ(d.Dateilong, dir.filePath("a.png"));
    EXPECT_EQ(d.Image->size(), QSize(120, 80));
    EXPECT_EQ(d.TrackBar1->maximum(), 80);

    // The next open starts in the picture's folder with its name.
    open(dir.filePath("a.png"));
    ASSERT_EQ(prompts.fileRequests.size(), 2);
    EXPECT_EQ(prompts.fileRequests[1].initialFolder, dir.path() + "/");
    EXPECT_EQ(prompts.fileRequests[1].fileName, "a.png");
    EXPECT_EQ(prompts.fileRequests[1].filter,
              "all(*.gif,*.jpg,*.bmp,*.png)|*.gif;*.jpg;*.jpeg;*.bmp;*.png|JPG|*.jpg;*.jpeg|GIF|*.gif|PNG|*.png");

    d.CheckComplete->setChecked(true);
    EXPECT_FALSE(d.CheckFileOnly->isChecked());
    d.CheckFileOnly->setChecked(true);
    EXPECT_FALSE(d.CheckComplete->isChecked());

    d.Alt->setText("Logo");
    d.Title->setText("Home");
    d.ButtonOnly->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.ImageSrc,
              "<img src=\"a.png\" alt=\"Logo\" style=\"width:120px; height:80px; border: 0; float: left\" title=\"Home\" />");
    EXPECT_TRUE(d.EditComplete->text().isEmpty()); // closing empties both path fields
    EXPECT_TRUE(d.EditFileonly->text().isEmpty());
}

TEST_F(ImageDialog, BadFileShowsTheErrorAndTheDialogGoesOn)
{
    open(dir.filePath("a.png"));
    d.CheckMap->setChecked(true);
    writeBytes(dir.filePath("bad.png"), "<p>text</p>");
    open(dir.filePath("bad.png"));
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(prompts.shown[0].kind, MsgKind::Error);
    EXPECT_EQ(prompts.shown[0].text, "Invalid image format");
    EXPECT_EQ(prompts.shown[0].buttons, Btn::OK);
    EXPECT_TRUE(d.EditComplete->text().isEmpty());
    EXPECT_TRUE(d.EditFileonly->text().isEmpty());
    EXPECT_EQ(d.LabelWidth->text(), "000"); // the old picture is gone with its name
    EXPECT_TRUE(d.cleanPicture().isNull());
    d.ButtonOnly->click();
    EXPECT_TRUE(d.ImageSrc.isEmpty());

    d.show();
    open(dir.filePath("a.png"));
    EXPECT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(d.LabelWidth->text(), "120");
}

TEST_F(ImageDialog, MapSwitchEnablesTheEditorAndStopsStretching)
{
    open(dir.filePath("a.png"));
    d.CheckBox1->setChecked(true);
    EXPECT_EQ(d.Image->size(), d.ScrollBox1->size() - QSize(5, 5));
    d.Alt->setText("x");
    d.CheckMap->setChecked(true);
    EXPECT_FALSE(d.CheckBox1->isEnabled());
    EXPECT_FALSE(d.CheckBox1->isChecked());
    EXPECT_EQ(d.Image->size(), QSize(120, 80));
    for (QWidget *w : std::initializer_list<QWidget *>{d.BitBtn2, d.MapName, d.ComboBox1, d.Left, d.Href, d.TrackBar1,
                                                       d.CheckBoxShow, d.RadioButton1, d.LabelRadius})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(d.Alt->text(), "Comment");
    EXPECT_EQ(d.CheckMap->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    d.CheckMap->setChecked(false);
    EXPECT_EQ(d.CheckMap->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_TRUE(d.CheckBox1->isEnabled());
    EXPECT_FALSE(d.ComboBox1->isEnabled());
}

TEST_F(ImageDialog, SliderDrawsTheRectAndClearRemovesIt)
{
    open(dir.filePath("a.png"));
    d.CheckMap->setChecked(true);
    d.TrackBar1->setValue(10);
    EXPECT_EQ(coords(), QStringList({"10", "10", "110", "70"}));
    EXPECT_EQ(d.Image->picture().pixel(50, 10), qRgb(0, 0, 63));
    EXPECT_NE(d.Image->picture(), d.cleanPicture());
    d.BitBtn2->click();
    EXPECT_EQ(coords(), QStringList({"0", "0", "0", "0"}));
    EXPECT_EQ(d.TrackBar1->value(), 0);
    EXPECT_EQ(d.Image->picture(), d.cleanPicture());
}

TEST_F(ImageDialog, CircleDraggedInManualMode)
{
    open(dir.filePath("a.png"));
    d.CheckMap->setChecked(true);
    d.ComboBox1->setCurrentText("circle");
    EXPECT_EQ(d.LabelRadius->text(), "Radius");
    EXPECT_TRUE(d.Bottom->isHidden());
    EXPECT_EQ(d.TrackBar1->maximum(), 40);
    d.RadioButton1->setChecked(true);
    EXPECT_TRUE(d.UseText);
    mouse(d.Image, QEvent::MouseButtonPress, 10, 10);
    mouse(d.Image, QEvent::MouseMove, 30, 20);
    mouse(d.Image, QEvent::MouseMove, 50, 30);
    mouse(d.Image, QEvent::MouseButtonRelease, 50, 30);
    EXPECT_EQ(d.Left->text(), "30");
    EXPECT_EQ(d.Top->text(), "20");
    EXPECT_EQ(d.Right->text(), "10");
    EXPECT_EQ(d.EditX->text(), "10");
    EXPECT_EQ(d.ListBox1->count(), 1);
    // Only the last outline stays: the ellipse spanning (10,10) and (50,30).
    QImage expected = d.cleanPicture();
    Outline o;
    o.kind = Outline::Ellipse;
    o.from = QPoint(10, 10);
    o.to = QPoint(50, 30);
    DrawInverted(expected, o);
    EXPECT_EQ(d.Image->picture(), expected);

    // Changing the shape clears the outline and the coordinates.
    d.ComboBox1->setCurrentText("rect");
    EXPECT_EQ(d.Image->picture(), d.cleanPicture());
    EXPECT_EQ(coords(), QStringList({"0", "0", "0", "0"}));
    EXPECT_FALSE(d.Bottom->isHidden());
    EXPECT_EQ(d.LabelRadius->text(), "Right");
}

TEST_F(ImageDialog, PolygonByThreePresses)
{
    open(dir.filePath("a.png"));
    d.CheckMap->setChecked(true);
    d.ComboBox1->setCurrentText("poly");
    EXPECT_FALSE(d.TrackBar1->isEnabled());
    EXPECT_FALSE(d.CheckBoxShow->isEnabled());
    EXPECT_TRUE(d.RadioButton1->isChecked());
    for (QPoint p : {QPoint(10, 20), QPoint(30, 40), QPoint(50, 10)}) {
        mouse(d.Image, QEvent::MouseButtonPress, p.x(), p.y());
        mouse(d.Image, QEvent::MouseButtonRelease, p.x(), p.y());
    }
    EXPECT_EQ(d.ListBox1->count(), 3);
    QImage expected = d.cleanPicture();
    Outline o;
    o.kind = Outline::Polyline;
    o.points = {{10, 20}, {30, 40}, {50, 10}};
    DrawInverted(expected, o);
    EXPECT_EQ(d.Image->picture(), expected);
    d.ButtonOnly->click();
    EXPECT_EQ(d.ImageSrc, "<img src=\"a.png\"  border=\"0\" alt=\"My Image\" usemap=\"#MapName\">\r\n"
                          "<map name=\"MapName\">\r\n"
                          " <area shape=\"poly\" coords=\"10,20,30,40,50,10\" href=\"https://www.example.com/\" "
                          "alt=\"Comment\" title=\"Title\"/></map>\r\n");
}

TEST_F(ImageDialog, MouseDoesNothingWithoutTheMapAndCancelEmptiesTheResult)
{
    open(dir.filePath("a.png"));
    mouse(d.Image, QEvent::MouseButtonPress, 10, 10);
    mouse(d.Image, QEvent::MouseButtonRelease, 10, 10);
    EXPECT_EQ(d.ListBox1->count(), 0);
    EXPECT_TRUE(d.EditX->text().isEmpty());
    d.BitBtn3->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_TRUE(d.ImageSrc.isEmpty());
    EXPECT_TRUE(d.EditComplete->text().isEmpty());
}

TEST_F(ImageDialog, ResizeRule)
{
    d.resize(900, 700);
    EXPECT_EQ(d.ScrollBox1->size(), QSize(560, 480));
    EXPECT_EQ(d.GroupBox2->y(), 530);
    EXPECT_EQ(d.BitBtn2->y(), 530);
    EXPECT_EQ(d.CheckBox1->y(), 530);
}

namespace {
class HelpPlatform : public StubPlatform
{
public:
    void showHelp(const QString &file, int topic) override
    {
        helpFile = file;
        helpTopic = topic;
    }
    QString helpFile;
    int helpTopic = -2;
};
} // namespace

TEST(ImageDialogInMainWindow, CreatedAtStartUpCentredWithHelpTopic200)
{
    HelpPlatform platform;
    StubPrompts prompts;
    TMainForm *form = createApplication(platform, prompts, {});
    form->show();
    QApplication::processEvents();
    TFormImage *d = form->dialogAs<TFormImage>(QStringLiteral("TFormImage"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->objectName(), "TFormImage");
    EXPECT_EQ(d->windowTitle(), "Image");
    d->show();
    QApplication::processEvents();
    EXPECT_LE((d->geometry().center() - form->geometry().center()).manhattanLength(), 2);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(d, &f1);
    EXPECT_EQ(platform.helpTopic, 200);
    EXPECT_EQ(platform.helpFile, form->helpFile);
    d->hide();
    delete form;
}

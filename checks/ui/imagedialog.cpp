#include "checks/ui/imagedialog.h"

#include "app/platform.h"
#include "app/ui/mainform.h"
#include "checks/ui/picturefile.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>

SORVEX_DIALOG(TFormImage, TFormImage);

// ---------------------------------------------------------------------------------------
// The picture control.

PictureView::PictureView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void PictureView::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    if (m_stretch)
        p.drawImage(rect(), m_picture);
    else
        p.drawImage(0, 0, m_picture);
}

void PictureView::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        emit pressed(e->position().toPoint().x(), e->position().toPoint().y());
}

void PictureView::mouseMoveEvent(QMouseEvent *e) { emit moved(e->position().toPoint().x(), e->position().toPoint().y()); }

void PictureView::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        emit released(e->position().toPoint().x(), e->position().toPoint().y());
}

// ---------------------------------------------------------------------------------------
// Building the dialog.

namespace {

const char *kSampleHref = "https://www.example.com/";
const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    QLabel *l = named(new QLabel(text, parent), name);
    l->setGeometry(geometry);
    return l;
}

QLineEdit *edit(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    QLineEdit *e = named(new QLineEdit(text, parent), name);
    e->setGeometry(geometry);
    return e;
}

QString tr2(int sprache, const char *english, const char *german)
{
    return QString::fromUtf8(sprache != 0 ? english : german);
}

void hint(const QString &text, std::initializer_list<QWidget *> widgets)
{
    for (QWidget *w : widgets)
        w->setToolTip(text);
}

} // namespace

TFormImage::TFormImage(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Image"));
    setSizeGripEnabled(true);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);
    setMinimumSize(640, 500);

    // Path and file name.
    CheckComplete = named(new QCheckBox(this), "CheckComplete");
    CheckComplete->setGeometry(10, 10, 18, 20);
    Label1 = label(this, "Label1", QString(), QRect(30, 12, 290, 16));
    EditComplete = edit(this, "EditComplete", QString(), QRect(10, 32, 310, 22));
    CheckFileOnly = named(new QCheckBox(this), "CheckFileOnly");
    CheckFileOnly->setGeometry(10, 62, 18, 20);
    CheckFileOnly->setChecked(true);
    Label2 = label(this, "Label2", QString(), QRect(30, 64, 290, 16));
    EditFileonly = edit(this, "EditFileonly", QString(), QRect(10, 84, 230, 22));
    BitBtn1 = named(new QPushButton(this), "BitBtn1");
    BitBtn1->setGeometry(248, 83, 72, 24);
    BitBtn1->setAutoDefault(false);

    CheckMap = named(new QCheckBox(this), "CheckMap");
    CheckMap->setGeometry(10, 116, 310, 20);

    // The map's area.
    GroupBox1 = named(new QGroupBox(QStringLiteral("Image Map"), this), "GroupBox1");
    GroupBox1->setGeometry(10, 140, 310, 168);
    Label3 = label(GroupBox1, "Label3", QStringLiteral("Name"), QRect(10, 24, 58, 16));
    MapName = edit(GroupBox1, "MapName", QStringLiteral("MapName"), QRect(70, 20, 130, 22));
    hint(QStringLiteral("Name der Imagemap"), {Label3, MapName});
    Label4 = label(GroupBox1, "Label4", QStringLiteral("Shape"), QRect(10, 52, 58, 16));
    ComboBox1 = named(new QComboBox(GroupBox1), "ComboBox1");
    ComboBox1->setGeometry(70, 48, 130, 22);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("rect"), QStringLiteral("circle"), QStringLiteral("poly")});
    ComboBox1->setCurrentIndex(0);
    hint(QStringLiteral("Form des Auswahlrahmens"), {Label4, ComboBox1});
    Label6 = label(GroupBox1, "Label6", QString(), QRect(70, 78, 56, 16));
    Label7 = label(GroupBox1, "Label7", QString(), QRect(129, 78, 56, 16));
    LabelRadius = label(GroupBox1, "LabelRadius", QString(), QRect(188, 78, 56, 16));
    Label9 = label(GroupBox1, "Label9", QString(), QRect(247, 78, 56, 16));
    Label5 = label(GroupBox1, "Label5", QString(), QRect(10, 100, 58, 16));
    Left = edit(GroupBox1, "Left", QStringLiteral("0"), QRect(70, 96, 56, 22));
    Top = edit(GroupBox1, "Top", QStringLiteral("0"), QRect(129, 96, 56, 22));
    Right = edit(GroupBox1, "Right", QStringLiteral("0"), QRect(188, 96, 56, 22));
    Bottom = edit(GroupBox1, "Bottom", QStringLiteral("0"), QRect(247, 96, 56, 22));
    Label11 = label(GroupBox1, "Label11", QStringLiteral("Link"), QRect(10, 134, 58, 16));
    Href = edit(GroupBox1, "Href", QString::fromLatin1(kSampleHref), QRect(70, 130, 233, 22));

    Label8 = label(this, "Label8", QStringLiteral("Alt"), QRect(10, 322, 58, 16));
    Alt = edit(this, "Alt", QStringLiteral("Comment"), QRect(80, 318, 240, 22));
    Label10 = label(this, "Label10", QStringLiteral("Title"), QRect(10, 350, 58, 16));
    Title = edit(this, "Title", QStringLiteral("Title"), QRect(80, 346, 240, 22));

    // The picture and what is known about it.
    Label14 = label(this, "Label14", QString(), QRect(330, 14, 80, 16));
    QLabel *pixel = label(this, "LabelPixel", QStringLiteral("Pixel:"), QRect(412, 14, 34, 16));
    Q_UNUSED(pixel);
    LabelWidth = label(this, "LabelWidth", QStringLiteral("000"), QRect(448, 14, 40, 16));
    LabelWidth->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label(this, "LabelTimes", QStringLiteral("x"), QRect(492, 14, 10, 16));
    LabelHeight = label(this, "LabelHeight", QStringLiteral("000"), QRect(504, 14, 40, 16));
    Label17 = label(this, "Label17", QString(), QRect(560, 14, 70, 16));
    LabelFSize = label(this, "LabelFSize", QStringLiteral("000"), QRect(632, 14, 138, 16));

    ScrollBox1 = named(new QScrollArea(this), "ScrollBox1");
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image = named(new PictureView(ScrollBox1), "Image");
    Image->resize(200, 200);
    ScrollBox1->setWidget(Image);

    // The preview controls.
    GroupBox2 = named(new QGroupBox(this), "GroupBox2");
    GroupBox2->resize(240, 140);
    GroupBox2->installEventFilter(this);
    CheckBoxShow = named(new QRadioButton(GroupBox2), "CheckBoxShow");
    CheckBoxShow->setGeometry(10, 20, 100, 20);
    CheckBoxShow->setChecked(true);
    RadioButton1 = named(new QRadioButton(GroupBox2), "RadioButton1");
    RadioButton1->setGeometry(120, 20, 110, 20);
    TrackBar1 = named(new QSlider(Qt::Horizontal, GroupBox2), "TrackBar1");
    TrackBar1->setGeometry(10, 50, 220, 24);
    TrackBar1->setRange(0, 20);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(10);
    label(GroupBox2, "LabelPosX", QStringLiteral("Pos X:"), QRect(10, 94, 36, 16));
    EditX = edit(GroupBox2, "EditX", QString(), QRect(48, 90, 60, 22));
    EditX->setReadOnly(true);
    label(GroupBox2, "LabelPosY", QStringLiteral("Pos Y:"), QRect(122, 94, 36, 16));
    EditY = edit(GroupBox2, "EditY", QString(), QRect(160, 90, 60, 22));
    EditY->setReadOnly(true);

    BitBtn2 = named(new QPushButton(QStringLiteral("Clear"), this), "BitBtn2");
    BitBtn2->resize(70, 26);
    BitBtn2->setAutoDefault(false);
    CheckBox1 = named(new QCheckBox(this), "CheckBox1");
    CheckBox1->resize(110, 20);

    ButtonOnly = named(new QPushButton(QStringLiteral("OK"), this), "ButtonOnly");
    ButtonOnly->resize(90, 28);
    ButtonOnly->setDefault(true);
    BitBtn3 = named(new QPushButton(this), "BitBtn3");
    BitBtn3->resize(90, 28);
    BitBtn3->setAutoDefault(false);

    ListBox1 = named(new QListWidget(this), "ListBox1");
    ListBox1->setVisible(false);

    resize(780, 580);
    SetImageCaptions();
    setMapCaptionColour();

    // Path mode: the two check boxes exclude each other.
    connect(CheckComplete, &QCheckBox::toggled, this, [this](bool on) { CheckFileOnly->setChecked(!on); });
    connect(CheckFileOnly, &QCheckBox::toggled, this, [this](bool on) { CheckComplete->setChecked(!on); });
    connect(BitBtn1, &QPushButton::clicked, this, &TFormImage::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormImage::BitBtn2Click);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TFormImage::ComboBox1Change);
    connect(TrackBar1, &QSlider::valueChanged, this, &TFormImage::TrackBar1Change);
    connect(CheckBox1, &QCheckBox::toggled, this, &TFormImage::CheckBox1Click);
    connect(CheckMap, &QCheckBox::toggled, this, &TFormImage::CheckMapClick);
    connect(CheckBoxShow, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        BitBtn2Click();
        UseText = false;
        RedrawShape();
    });
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        UseText = true;
        BitBtn2Click();
        RedrawShape();
    });
    connect(Image, &PictureView::pressed, this, &TFormImage::ImageMouseDown);
    connect(Image, &PictureView::moved, this, &TFormImage::ImageMouseMove);
    connect(Image, &PictureView::released, this, &TFormImage::ImageMouseUp);
    connect(ButtonOnly, &QPushButton::clicked, this, [this] {
        BuildImageTag();
        accept();
    });
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        ImageSrc.clear();
        reject();
    });
}

Prompts *TFormImage::prompts() const
{
    if (m_prompts)
        return m_prompts;
    if (auto *form = qobject_cast<TMainForm *>(parentWidget()))
        return &form->prompts();
    return nullptr;
}

void TFormImage::SetImageCaptions()
{
    const int s = Sprache;
    Label1->setText(tr2(s, "Include path", "Pfad einschliessen"));
    hint(tr2(s, "Include path in filename", "Komplette Pfadangabe im Dateinamen angeben"), {CheckComplete, Label1});
    Label2->setText(tr2(s, "Filename only", "Nur Dateiname"));
    hint(tr2(s, "Filename only, no path included", "Dateiname ohne Pfadangaben einfügen"), {CheckFileOnly, Label2});
    BitBtn1->setText(tr2(s, "Open", "Öffnen"));
    Label5->setText(tr2(s, "Coords", "Koord."));
    hint(tr2(s, "Coords of the active link borders", "Koordinaten des Auswahlrahmens"), {Label5});
    Label6->setText(tr2(s, "Left", "Links"));
    Label7->setText(tr2(s, "Top", "Oben"));
    LabelRadius->setText(ComboBox1->currentText() == QLatin1String("circle") ? QStringLiteral("Radius")
                                                                             : tr2(s, "Right", "Rechts"));
    Label9->setText(tr2(s, "Bottom", "Unten"));
    hint(tr2(s, "Alt text", "Alternativtext"), {Label8, Alt});
    hint(tr2(s, "title text", "Hinweistext"), {Label10, Title});
    hint(tr2(s, "Enter Url", "Url für den Link"), {Label11, Href});
    CheckMap->setText(tr2(s, "Create image map", "Image Map erstellen"));
    Label14->setText(tr2(s, "Image info", "Grafikinfo"));
    Label17->setText(tr2(s, "File size", "Dateigrösse"));
    CheckBox1->setText(tr2(s, "Stretch graphics", "Grafik strecken"));
    GroupBox2->setTitle(tr2(s, "Preview image map", "Vorschau Image Map"));
    CheckBoxShow->setText(tr2(s, "Optical", "Optisch"));
    CheckBoxShow->setToolTip(tr2(s, "Use slider to set coords", "Mit Schieberegler Koordinaten optisch einstellen"));
    RadioButton1->setText(tr2(s, "Manual", "Manuell"));
    RadioButton1->setToolTip(tr2(s, "Enter coords manual", "Koordinaten manuell eingeben"));
    BitBtn2->setToolTip(tr2(s, "Clear image map", "Image Map entfernen"));
    BitBtn3->setText(tr2(s, "Cancel", "Abbrechen"));
    m_errorText = tr2(s, "Invalid image format", "Ungültiges Grafikformat");
}

// ---------------------------------------------------------------------------------------
// Showing, resizing, closing.

void TFormImage::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormImage::FormShow()
{
    ClearPoints();
    SetImageCaptions();
    ImageSrc.clear();
    Dateilong.clear();
    UseText = false;
    setWindowState(Qt::WindowNoState);
    resize(780, 580);
    if (QWidget *p = parentWidget())
        move(p->geometry().center() - QPoint(width() / 2, height() / 2));
    {
        const QSignalBlocker block(CheckMap);
        CheckMap->setChecked(false);
    }
    setMapCaptionColour();
    SetMapControlsEnabled(false);
    ResetImageInfo();
}

void TFormImage::ResetImageInfo()
{
    LabelWidth->setText(QStringLiteral("000"));
    LabelHeight->setText(QStringLiteral("000"));
    LabelFSize->setText(QStringLiteral("000"));
    setScrollBackground(false);
    m_clean = QImage();
    m_map.width = m_map.height = 0;
    Image->setPicture(QImage());
    Image->setStretched(false);
    Image->resize(200, 200);
    const QSignalBlocker block(CheckBox1);
    CheckBox1->setChecked(false);
}

void TFormImage::ClearPoints()
{
    m_map.points.clear();
    ListBox1->clear();
}

void TFormImage::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    FormResize();
}

void TFormImage::FormResize()
{
    const int w = width(), h = height();
    ScrollBox1->setGeometry(330, 40, std::max(0, w - 340), std::max(0, h - 220));
    GroupBox2->move(330, h - 170);
    BitBtn2->move(580, h - 170);
    CheckBox1->move(660, h - 170);
    ButtonOnly->move(10, h - 42);
    BitBtn3->move(110, h - 42);
    if (Image->stretched())
        applyStretch();
}

void TFormImage::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        if (auto *form = qobject_cast<TMainForm *>(parentWidget()))
            form->platform().showHelp(form->helpFile, 200);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(255, 250, 232));
    g.setColorAt(1, QColor(214, 214, 214));
    p.fillRect(rect(), g);
}

bool TFormImage::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == GroupBox2 && e->type() == QEvent::MouseButtonPress)
        TrackBar1Change();
    return QDialog::eventFilter(watched, e);
}

void TFormImage::done(int result)
{
    EditComplete->clear();
    EditFileonly->clear();
    QDialog::done(result);
}

// ---------------------------------------------------------------------------------------
// The picture.

void TFormImage::setScrollBackground(bool buttonFace)
{
    QPalette pal = ScrollBox1->viewport()->palette();
    pal.setColor(QPalette::Window, buttonFace ? palette().color(QPalette::Button) : QColor(Qt::white));
    ScrollBox1->viewport()->setPalette(pal);
    ScrollBox1->viewport()->setAutoFillBackground(true);
}

void TFormImage::showPicture(const QImage &picture)
{
    Image->setPicture(picture);
    if (!Image->stretched() && !picture.isNull())
        Image->resize(picture.size());
}

void TFormImage::applyStretch()
{
    if (Image->stretched()) {
        Image->resize(std::max(1, ScrollBox1->width() - 5), std::max(1, ScrollBox1->height() - 5));
    } else {
        Image->resize(m_clean.isNull() ? QSize(200, 200) : m_clean.size());
    }
    Image->update();
}

void TFormImage::BitBtn1Click()
{
    Prompts *p = prompts();
    if (!p)
        return;
    FileDialogRequest r;
    r.filter = QStringLiteral("all(*.gif,*.jpg,*.bmp,*.png)|*.gif;*.jpg;*.jpeg;*.bmp;*.png|JPG|*.jpg;*.jpeg|GIF|*.gif|PNG|*.png");
    r.mustExist = true;
    const QString complete = EditComplete->text();
    const QString folder = sx::folderPart(complete);
    if (!complete.isEmpty() && !folder.isEmpty() && QDir(folder).exists()) {
        r.initialFolder = folder;
        const QString name = sx::fileNamePart(complete);
        if (!name.contains(u'/'))
            r.fileName = name;
    } else if (!sx::isBlank(EditFileonly->text()) && !EditFileonly->text().contains(u'/')) {
        r.fileName = EditFileonly->text();
    }
    const QStringList chosen = p->openFiles(r);
    if (chosen.isEmpty())
        return;
    LoadPicture(chosen.first());
}

bool TFormImage::LoadPicture(const QString &path)
{
    Dateilong = path;
    LabelFSize->setText(QString::number(FileSizeOf(path)) + QStringLiteral(" Bytes"));
    EditComplete->setText(path);
    EditFileonly->setText(sx::fileNamePart(path));
    setScrollBackground(true);

    QImage picture;
    if (!ReadPicture(path, &picture)) {
        loadFailed();
        return false;
    }
    m_clean = picture;
    m_map.width = picture.width();
    m_map.height = picture.height();
    showPicture(m_clean);
    if (Image->stretched())
        applyStretch();
    LabelWidth->setText(QString::number(picture.width()));
    LabelHeight->setText(QString::number(picture.height()));
    TrackBar1->setMaximum(SliderMaximum(ComboBox1->currentText(), picture.width(), picture.height()));
    return true;
}

void TFormImage::loadFailed()
{
    if (Prompts *p = prompts())
        p->message(MsgKind::Error, QStringLiteral("Sorvex"), m_errorText, Btn::OK);
    EditComplete->clear();
    EditFileonly->clear();
    // Nothing of the file is kept: no picture, no size, no name.
    Dateilong.clear();
    ResetImageInfo();
}

// ---------------------------------------------------------------------------------------
// The map editor.

void TFormImage::pullMap()
{
    m_map.shape = ComboBox1->currentText();
    m_map.optical = CheckBoxShow->isChecked();
    m_map.UseText = UseText;
    m_map.mapOn = CheckMap->isChecked();
    m_map.slider = TrackBar1->value();
    m_map.width = m_clean.width();
    m_map.height = m_clean.height();
    m_map.Left = Left->text();
    m_map.Top = Top->text();
    m_map.Right = Right->text();
    m_map.Bottom = Bottom->text();
    m_map.EditX = EditX->text();
    m_map.EditY = EditY->text();
}

void TFormImage::pushMap()
{
    auto set = [](QLineEdit *e, const QString &t) {
        if (e->text() != t)
            e->setText(t);
    };
    set(Left, m_map.Left);
    set(Top, m_map.Top);
    set(Right, m_map.Right);
    set(Bottom, m_map.Bottom);
    set(EditX, m_map.EditX);
    set(EditY, m_map.EditY);
}

void TFormImage::setMapCaptionColour()
{
    QPalette pal = CheckMap->palette();
    pal.setColor(QPalette::WindowText, CheckMap->isChecked() ? kMaroon : kNavy);
    pal.setColor(QPalette::ButtonText, CheckMap->isChecked() ? kMaroon : kNavy);
    CheckMap->setPalette(pal);
}

void TFormImage::CheckMapClick()
{
    setMapCaptionColour();
    SetMapControlsEnabled(CheckMap->isChecked());
}

void TFormImage::SetMapControlsEnabled(bool on)
{
    if (on) {
        const QSignalBlocker block(CheckBox1);
        CheckBox1->setChecked(false);
        CheckBox1->setEnabled(false);
        Image->setStretched(false);
        applyStretch();
    } else {
        CheckBox1->setEnabled(true);
    }
    ListBox1->clear();
    BitBtn2Click();
    for (QWidget *w : std::initializer_list<QWidget *>{BitBtn2, Label3, Label4, Label5, Label6, Label7, Label9, Label11,
                                                       LabelRadius, MapName, ComboBox1, Left, Top, Right, Bottom, Href,
                                                       CheckBoxShow, RadioButton1, TrackBar1})
        w->setEnabled(on);
    {
        const QSignalBlocker block(TrackBar1);
        TrackBar1->setValue(0);
    }
    Alt->setText(QStringLiteral("Comment"));
    Title->setText(QStringLiteral("Title"));
}

void TFormImage::BitBtn2Click()
{
    pullMap();
    m_map.clear();
    ListBox1->clear();
    {
        const QSignalBlocker block(TrackBar1);
        TrackBar1->setValue(0);
    }
    if (!Dateilong.isEmpty() && QFileInfo::exists(Dateilong) && !m_clean.isNull())
        showPicture(m_clean);
    m_dragShown = false;
    pushMap();
}

void TFormImage::ComboBox1Change()
{
    BitBtn2Click();
    TrackBar1->setEnabled(true);
    CheckBoxShow->setEnabled(true);
    const QString shape = ComboBox1->currentText();
    if (shape == QLatin1String("rect")) {
        LabelRadius->setText(QStringLiteral("Right"));
        Bottom->setVisible(true);
        Label9->setVisible(true);
    } else if (shape == QLatin1String("circle")) {
        LabelRadius->setText(QStringLiteral("Radius"));
        Bottom->setVisible(false);
        Label9->setVisible(false);
        TrackBar1->setMaximum(SliderMaximum(shape, m_clean.width(), m_clean.height()));
    } else {
        LabelRadius->setText(QStringLiteral("Right"));
        Bottom->setVisible(true);
        Label9->setVisible(true);
        TrackBar1->setEnabled(false);
        CheckBoxShow->setEnabled(false);
        RadioButton1->setChecked(true);
    }
}

void TFormImage::TrackBar1Change()
{
    pullMap();
    const bool redraw = m_map.sliderMoved();
    pushMap();
    if (redraw)
        RedrawShape();
}

void TFormImage::CheckBox1Click()
{
    Image->setStretched(CheckBox1->isChecked() && !CheckMap->isChecked());
    applyStretch();
}

void TFormImage::RedrawShape()
{
    pullMap();
    if (!m_clean.isNull())
        showPicture(m_clean);
    const Outline o = m_map.redraw();
    if (o.kind != Outline::None) {
        DrawInverted(Image->picture(), o);
        Image->update();
    }
    m_dragShown = false;
    pushMap();
}

void TFormImage::ImageMouseDown(int x, int y)
{
    if (!CheckMap->isChecked())
        return;
    pullMap();
    const bool redraw = m_map.press(x, y);
    ListBox1->addItem(QStringLiteral("%1,%2").arg(x).arg(y));
    pushMap();
    if (redraw)
        RedrawShape();
    m_dragShown = false;
}

void TFormImage::ImageMouseMove(int x, int y)
{
    if (!m_map.drawing)
        return;
    Outline erase, draw;
    if (!m_map.move(x, y, &erase, &draw))
        return;
    if (!m_clean.isNull()) {
        // Inverting twice restores the picture: the previous outline goes, the new one shows.
        if (m_dragShown)
            DrawInverted(Image->picture(), erase);
        DrawInverted(Image->picture(), draw);
        m_dragShown = true;
        Image->update();
    }
    pushMap();
}

void TFormImage::ImageMouseUp(int x, int y)
{
    if (!m_map.drawing)
        return;
    m_map.release(x, y);
    pushMap();
}

void TFormImage::BuildImageTag()
{
    ImageFields f;
    f.includePath = CheckComplete->isChecked();
    f.EditComplete = EditComplete->text();
    f.EditFileonly = EditFileonly->text();
    f.Alt = Alt->text();
    f.Title = Title->text();
    f.CheckMap = CheckMap->isChecked();
    f.MapName = MapName->text();
    f.Shape = ComboBox1->currentText();
    f.Left = Left->text();
    f.Top = Top->text();
    f.Right = Right->text();
    f.Bottom = Bottom->text();
    f.Href = Href->text();
    f.points = m_map.points;
    f.width = m_clean.width();
    f.height = m_clean.height();
    ImageSrc = ::BuildImageTag(f);
}

// ---------------------------------------------------------------------------------------
// The command.

SORVEX_HANDLER(Image1Click)
{
    TFormImage *d = form.dialogAs<TFormImage>(QStringLiteral("TFormImage"));
    if (!d)
        return;
    d->Sprache = form.InterfaceLanguage;
    form.execDialog(d);
    if (!d->ImageSrc.isEmpty())
        form.buffer().setSelText(QStringLiteral(" ") + d->ImageSrc);
}

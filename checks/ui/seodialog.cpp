#include "checks/ui/seodialog.h"

#include "app/platform.h"
#include "app/ui/mainform.h"
#include "checks/seo.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>

SORVEX_DIALOG(TFormSEO, TFormSEO);

namespace {

const int kHelpTopic = 220;

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    QLabel *l = named(new QLabel(text, parent), name);
    l->setGeometry(geometry);
    return l;
}

// The two marks of a row: a green tick and a red cross, drawn at 16 x 16.
QPixmap markPixmap(bool tick)
{
    const qreal dpr = 2;
    QPixmap pm(QSize(16, 16) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (tick) {
        p.setPen(QPen(QColor(0, 150, 40), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath path;
        path.moveTo(2.5, 8.5);
        path.lineTo(6.5, 12.5);
        path.lineTo(13.5, 3.5);
        p.drawPath(path);
    } else {
        p.setPen(QPen(QColor(210, 20, 20), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    }
    return pm;
}

QLabel *mark(QWidget *parent, const char *name, bool tick, int y)
{
    QLabel *l = label(parent, name, QString(), QRect(170, y, 16, 16));
    l->setPixmap(markPixmap(tick));
    return l;
}

void showRow(QLabel *tick, QLabel *cross, bool ok)
{
    tick->setVisible(ok);
    cross->setVisible(!ok);
}

const QString kBoxIndent(17, QLatin1Char(' '));

} // namespace

TFormSEO::TFormSEO(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("SEO Check"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    setFont(f);

    const int rowH = 28, top = 16;
    auto y = [&](int row) { return top + row * rowH; };
    auto rowLabel = [&](const char *name, int row) { return label(this, name, QString(), QRect(14, y(row), 150, 16)); };
    auto valueLabel = [&](const char *name, int row) {
        return label(this, name, QStringLiteral("0"), QRect(196, y(row), 52, 16));
    };
    auto noteLabel = [&](const char *name, int row) { return label(this, name, QString(), QRect(254, y(row), 250, 16)); };

    Label1 = rowLabel("Label1", 0);
    ImageTitle1 = mark(this, "ImageTitle1", true, y(0));
    ImageTitle2 = mark(this, "ImageTitle2", false, y(0));
    LabelTitleL = valueLabel("LabelTitleL", 0);
    Label6 = noteLabel("Label6", 0);

    Label2 = rowLabel("Label2", 1);
    ImageText1 = mark(this, "ImageText1", true, y(1));
    ImageText2 = mark(this, "ImageText2", false, y(1));
    LabelTextL = valueLabel("LabelTextL", 1);
    Label7 = noteLabel("Label7", 1);

    Label3 = rowLabel("Label3", 2);
    ImageDesc1 = mark(this, "ImageDesc1", true, y(2));
    ImageDesc2 = mark(this, "ImageDesc2", false, y(2));
    Label11 = noteLabel("Label11", 2);

    Label10 = rowLabel("Label10", 3);
    ImageContent1 = mark(this, "ImageContent1", true, y(3));
    ImageContent2 = mark(this, "ImageContent2", false, y(3));
    LabelDescL = valueLabel("LabelDescL", 3);
    Label8 = noteLabel("Label8", 3);

    Label4 = rowLabel("Label4", 4);
    ImageKey1 = mark(this, "ImageKey1", true, y(4));
    ImageKey2 = mark(this, "ImageKey2", false, y(4));
    Label9 = noteLabel("Label9", 4);

    Label12 = rowLabel("Label12", 5);
    CheckBox1 = named(new QCheckBox(this), "CheckBox1");
    CheckBox1->setGeometry(170, y(5) - 2, 334, 20);

    Label13 = rowLabel("Label13", 6);
    CheckBox2 = named(new QCheckBox(this), "CheckBox2");
    CheckBox2->setGeometry(170, y(6) - 2, 334, 20);

    LabelHttp = rowLabel("LabelHttp", 7);
    LabelLinks = valueLabel("LabelLinks", 7);
    LabelExtern = noteLabel("LabelExtern", 7);

    // Nothing is measured before the first check: every row starts without a mark.
    for (QLabel *m : {ImageTitle1, ImageTitle2, ImageText1, ImageText2, ImageDesc1, ImageDesc2, ImageContent1,
                      ImageContent2, ImageKey1, ImageKey2})
        m->hide();

    const int below = y(8) + 8;
    Label5 = label(this, "Label5", QString(), QRect(14, below, 300, 18));
    QFont heading = f;
    heading.setBold(true);
    heading.setPixelSize(13);
    Label5->setFont(heading);
    ProgressBar1 = named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setGeometry(14, below + 26, 420, 18);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    LabelProzent = label(this, "LabelProzent", QStringLiteral("0%"), QRect(446, below + 27, 58, 16));
    QFont bold = f;
    bold.setBold(true);
    LabelProzent->setFont(bold);

    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setGeometry(14, below + 60, 160, 26);
    BitBtn2->setAutoDefault(false);
    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setGeometry(420, below + 60, 84, 26);
    BitBtn1->setDefault(true);

    setFixedSize(518, below + 100);

    connect(CheckBox1, &QCheckBox::toggled, this, &TFormSEO::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TFormSEO::CheckBox1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormSEO::SetSeoCaptions()
{
    const bool en = Language != 0;
    auto t = [en](const char *english, const char *german) { return QString::fromUtf8(en ? english : german); };
    Label1->setText(t("Title Length", "Title Länge"));
    Label2->setText(t("Text Length", "Text Länge"));
    Label3->setText(QStringLiteral("Meta Tag Description"));
    Label10->setText(t("Description Length", "Description Länge"));
    Label4->setText(QStringLiteral("Meta Tag Keywords"));
    Label12->setText(t("Sitemap on Website?", "Sitemap auf Webseite?"));
    Label13->setText(QStringLiteral("Mobile Version"));
    LabelHttp->setText(QStringLiteral("HTTP Links"));
    Label6->setText(t("(Should have 30 up to 66 chars)", "(Sollten 30 bis 66 Zeichen sein)"));
    Label7->setText(t("(Should have more than 500 chars)", "(Sollten mehr als 500 Zeichen sein)"));
    Label11->setText(t("(Should be available)", "(Sollte vorhanden sein)"));
    Label8->setText(t("(Should have 130 up to 160 chars)", "(Sollten 130 bis 160 Zeichen sein)"));
    Label9->setText(t("(Should be available)", "(Sollte vorhanden sein)"));
    LabelExtern->setText(t("(Should be available)", "(Sollten vorhanden sein)"));
    CheckBox1->setText(kBoxIndent + t("(Should be available)", "(Sollte vorhanden sein)"));
    CheckBox2->setText(kBoxIndent + t("(Should be available)", "(Sollte vorhanden sein)"));
    Label5->setText(t("Search Engine Optimization", "Suchmaschinen-Optimierung"));
    BitBtn2->setText(t("Create META Tags", "META Tags erstellen"));

    Label1->setToolTip(t("Length of Title Tag should be 30 up to 66 characters",
                         "Die Länge des Title Tags im Head sollte zwischen 30 und 66 Zeichen betragen"));
    Label2->setToolTip(t("Length of page text should be not less than 500 characters",
                         "Die Länge des Seitentextes sollte nicht unter 500 Zeichen sein"));
    Label3->setToolTip(t("Head of your index page should contain Meta Tag Description",
                         "Meta Tag Description (Beschreibung) sollte im Head Ihrer Seite vorhanden sein"));
    Label10->setToolTip(t("Length of description should be 130 up to 160 characters",
                          "Die Länge der Seitenbeschreibung sollte zwischen 130 und 160 Zeichen betragen"));
    Label4->setToolTip(t("Head of your index page should contain Meta Tag Keywords",
                         "Meta Tag Keywords (Schüsselwörter) sollte im Head Ihrer Seite vorhanden sein"));
    Label12->setToolTip(t("A site map should be available online", "Eine Sitemap sollte online verfügbar sein"));
    Label13->setToolTip(t("An optimized version of your site for mobile devices should be available",
                          "Für mobile Endgeräte optimierte Version Ihrer Seite sollte verfügbar sein"));
    LabelHttp->setToolTip(t("External links to other websites should be available",
                            "Es sollten externe Links zu anderen Webseiten vorhanden sein"));
    LabelLinks->setToolTip(QStringLiteral("Number of external links"));
    LabelExtern->setToolTip(QStringLiteral("Number of external links"));
}

void TFormSEO::showMeasures(const sx::SeoMeasures &m)
{
    if (m.textOk)
        LabelTextL->setText(QString::number(m.textLength));
    if (m.descriptionPresent)
        LabelDescL->setText(QString::number(m.descriptionLength));
    if (m.titleMeasured)
        LabelTitleL->setText(QString::number(m.titleLength));
    showRow(ImageTitle1, ImageTitle2, m.titleOk);
    showRow(ImageText1, ImageText2, m.textOk);
    showRow(ImageDesc1, ImageDesc2, m.descriptionPresent);
    showRow(ImageContent1, ImageContent2, m.descriptionLengthOk);
    showRow(ImageKey1, ImageKey2, m.keywordsPresent);
    LabelLinks->setText(QString::number(m.links));
}

void TFormSEO::UpdateSeoScore()
{
    int ticks = 0;
    for (QLabel *tick : {ImageTitle1, ImageText1, ImageDesc1, ImageKey1, ImageContent1})
        if (!tick->isHidden())
            ++ticks;
    const int boxes = int(CheckBox1->isChecked()) + int(CheckBox2->isChecked());
    const int score = sx::SeoScore(ticks, boxes, LabelLinks->text());
    ProgressBar1->setValue(score);
    LabelProzent->setText(QString::number(score) + QLatin1Char('%'));
}

void TFormSEO::CheckBox1Click() { UpdateSeoScore(); }

void TFormSEO::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormSEO::FormShow()
{
    ProgressBar1->setValue(0);
    LabelProzent->setText(QStringLiteral("0%"));
    CheckBox1->setChecked(false);
    SetSeoCaptions();
    UpdateSeoScore();
    if (QWidget *p = parentWidget())
        move(p->geometry().center() - QPoint(width() / 2, height() / 2));
}

void TFormSEO::FormClose()
{
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    LabelLinks->setText(QStringLiteral("0"));
    for (QLabel *tick : {ImageTitle1, ImageText1, ImageDesc1, ImageContent1, ImageKey1})
        tick->hide();
}

void TFormSEO::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFormSEO::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        if (auto *form = qobject_cast<TMainForm *>(parentWidget()))
            form->platform().showHelp(form->helpFile, kHelpTopic);
        return;
    }
    // Escape does not end the window: its only ways out are OK, Create META Tags and the
    // title-bar button, and the last two change the page.
    if (e->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(e);
}

void TFormSEO::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(255, 250, 230));
    g.setColorAt(1, QColor(200, 212, 226));
    p.fillRect(rect(), g);
}

// ---------------------------------------------------------------------------------------
// The command.

void RunSeoCheck(TMainForm &form)
{
    TFormSEO *d = form.dialogAs<TFormSEO>(QStringLiteral("TFormSEO"));
    if (!d)
        return;
    EditorBuffer &b = form.buffer();
    const QString text = b.text();
    d->showMeasures(sx::MeasureSeo(text));
    d->Language = form.InterfaceLanguage;
    if (form.execDialog(d) == QDialog::Accepted)
        return;
    bool inserted = false;
    const QString withTags = sx::InsertSeoMetaTags(text, &inserted);
    if (inserted)
        b.setText(withTags);
}

SORVEX_HANDLER(SEOCheck1Click)
{
    const QString name = sx::fileNamePart(form.document.FFileName);
    if (!sx::IsIndexPageName(name)) {
        const int answer = form.prompts().message(MsgKind::Question, QStringLiteral("Veltrax"),
                                                  sx::SeoIndexQuestion(name, form.InterfaceLanguage), Btn::YesNo);
        if (answer == Btn::No)
            return;
    }
    RunSeoCheck(form);
}

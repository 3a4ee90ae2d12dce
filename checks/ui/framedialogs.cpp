#include "checks/ui/framedialogs.h"

#include "app/prompts.h"
#include "app/ui/dialogkit.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

SORVEX_DIALOG(TFormFrames, TFormFrames);
SORVEX_DIALOG(TFormIFrame, TFormIFrame);

using dlg::named;

namespace {

void setDialogFont(QWidget *w)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    w->setFont(f);
}

// A picture of a layout: numbered boxes, each a rectangle in parts of the whole (x, y,
// width, height in percent).
QPixmap layoutPicture(const QList<QRect> &boxes)
{
    const int w = 90, h = 66;
    QPixmap pm(w, h);
    pm.fill(Qt::white);
    QPainter p(&pm);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    int n = 1;
    for (const QRect &b : boxes) {
        const QRect r(QPoint((w - 1) * b.x() / 100, (h - 1) * b.y() / 100),
                      QPoint((w - 1) * (b.x() + b.width()) / 100, (h - 1) * (b.y() + b.height()) / 100));
        p.fillRect(r.adjusted(1, 1, 0, 0), QColor(0xDD, 0xE8, 0xF4));
        p.setPen(QPen(Qt::darkGray, 1));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::number(n++));
    }
    return pm;
}

QLabel *picture(QWidget *parent, const char *name, const QList<QRect> &boxes)
{
    auto *l = named(new QLabel(parent), name);
    l->setPixmap(layoutPicture(boxes));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QString chooseFileName(QWidget *dialog)
{
    TMainForm *form = dlg::mainFormOf(dialog);
    if (!form)
        return QString();
    FileDialogRequest r;
    r.filter = QStringLiteral("HTML(*.htm,*.html)|*.htm;*.html|All(*.*)|*.*");
    const QStringList chosen = form->prompts().openFiles(r);
    return chosen.isEmpty() ? QString() : sx::fileNamePart(chosen.first());
}

} // namespace

// ---------------------------------------------------------------------------------------
// TFormFrames

TFormFrames::TFormFrames(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Frameset"));
    setDialogFont(this);
    const FramesetFields initial;

    Image1 = picture(this, "Image1", {QRect(0, 0, 50, 100), QRect(50, 0, 50, 100)});
    Image2 = picture(this, "Image2", {QRect(0, 0, 100, 20), QRect(0, 20, 30, 80), QRect(30, 20, 70, 80)});
    Image3 = picture(this, "Image3",
                     {QRect(0, 0, 100, 20), QRect(0, 20, 40, 60), QRect(40, 20, 60, 60), QRect(0, 80, 100, 20)});
    GroupBox1 = named(new QGroupBox(QStringLiteral("Typ"), this), "GroupBox1");
    Frames2 = named(new QRadioButton(QStringLiteral("2 Frames"), GroupBox1), "Frames2");
    Frames3 = named(new QRadioButton(QStringLiteral("3 Frames"), GroupBox1), "Frames3");
    Frames4 = named(new QRadioButton(QStringLiteral("4 Frames"), GroupBox1), "Frames4");
    Frames2->setChecked(true);
    auto *types = new QGridLayout(GroupBox1);
    int col = 0;
    for (auto [img, radio] : {std::pair<QLabel *, QRadioButton *>{Image1, Frames2}, {Image2, Frames3}, {Image3, Frames4}}) {
        types->addWidget(img, 0, col, Qt::AlignHCenter);
        types->addWidget(radio, 1, col, Qt::AlignHCenter);
        ++col;
    }

    auto *groups = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        auto obj = [&](QWidget *w, const char *stem) {
            w->setObjectName(QLatin1String(stem) + n);
            return w;
        };
        GroupBox[i] = new QGroupBox(QStringLiteral("Frame") + n, this);
        GroupBox[i]->setObjectName(QStringLiteral("GroupBox%1").arg(i + 2));
        QGroupBox *box = GroupBox[i];
        const FrameFields &f = initial.frame[i];
        Noresize[i] = static_cast<QCheckBox *>(obj(new QCheckBox(QStringLiteral("Noresize"), box), "Noresize"));
        Noresize[i]->setChecked(f.Noresize);
        EditHeight[i] = static_cast<QLineEdit *>(obj(new QLineEdit(f.EditHeight, box), "EditHeight"));
        EditWidth[i] = static_cast<QLineEdit *>(obj(new QLineEdit(f.EditWidth, box), "EditWidth"));
        Scrolling[i] = static_cast<QComboBox *>(obj(new QComboBox(box), "Scrolling"));
        Scrolling[i]->setEditable(true);
        Scrolling[i]->setInsertPolicy(QComboBox::NoInsert);
        Scrolling[i]->setCompleter(nullptr);
        Scrolling[i]->addItems({QStringLiteral("auto"), QStringLiteral("yes"), QStringLiteral("no")});
        Scrolling[i]->setCurrentIndex(0);
        LabelHeight[i] = static_cast<QLabel *>(obj(new QLabel(QStringLiteral("MarginHeight"), box), "LabelHeight"));
        LabelWidth[i] = static_cast<QLabel *>(obj(new QLabel(QStringLiteral("MarginWidth"), box), "LabelWidth"));
        LabelScrolling[i] = static_cast<QLabel *>(obj(new QLabel(QStringLiteral("Scrolling"), box), "LabelScrolling"));
        LabelHeight[i]->setBuddy(EditHeight[i]);
        LabelWidth[i]->setBuddy(EditWidth[i]);
        LabelScrolling[i]->setBuddy(Scrolling[i]);
        BtnSource[i] = static_cast<QPushButton *>(obj(new QPushButton(box), "BtnSource"));
        BtnSource[i]->setAutoDefault(false);
        Source[i] = static_cast<QLineEdit *>(obj(new QLineEdit(f.Source, box), "Source"));
        auto *v = new QVBoxLayout(box);
        v->addWidget(Noresize[i]);
        v->addWidget(LabelHeight[i]);
        v->addWidget(EditHeight[i]);
        v->addWidget(LabelWidth[i]);
        v->addWidget(EditWidth[i]);
        v->addWidget(LabelScrolling[i]);
        v->addWidget(Scrolling[i]);
        v->addSpacing(4);
        v->addWidget(BtnSource[i]);
        v->addWidget(Source[i]);
        groups->addWidget(box);
        connect(BtnSource[i], &QPushButton::clicked, this, [this, i] { OpenSourceFile(i); });
    }

    Borders = named(new QCheckBox(this), "Borders");
    Borders->setChecked(initial.Borders);
    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Borders);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *main = new QVBoxLayout(this);
    main->addWidget(GroupBox1);
    main->addLayout(groups);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormFrames::BasicFrameset);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

FramesetFields TFormFrames::fields() const
{
    FramesetFields f;
    f.frames = Frames4->isChecked() ? 4 : Frames3->isChecked() ? 3 : 2;
    f.Borders = Borders->isChecked();
    for (int i = 0; i < 4; ++i) {
        f.frame[i].Noresize = Noresize[i]->isChecked();
        f.frame[i].EditHeight = EditHeight[i]->text();
        f.frame[i].EditWidth = EditWidth[i]->text();
        f.frame[i].Scrolling = Scrolling[i]->currentText();
        f.frame[i].Source = Source[i]->text();
    }
    f.noFrames = m_noFrames;
    return f;
}

void TFormFrames::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormFrames::FormShow()
{
    const bool en = Sprache != 0;
    FrameSeite.clear();
    m_noFrames = noFramesText(en);
    for (int i = 0; i < 4; ++i) {
        Noresize[i]->setToolTip(dlg::text(en, "Not resizeable", "Grösse kann nicht verändert werden"));
        LabelHeight[i]->setToolTip(dlg::text(en, "Margin height", "Randhöhe"));
        LabelWidth[i]->setToolTip(dlg::text(en, "Margin width", "Randbreite"));
        LabelScrolling[i]->setToolTip(dlg::text(en, "Scrollbars on/off", "Scrollbalken ein/aus"));
        BtnSource[i]->setText(dlg::text(en, "Source", "Quelle"));
        BtnSource[i]->setToolTip(dlg::text(en, "Url/File to be loaded into the frame",
                                           "Datei angeben, die im aktuellen Frame angezeigt werden soll"));
    }
    Borders->setText(dlg::text(en, "Border", "Rahmen"));
    Borders->setToolTip(dlg::text(en, "Show borders", "Rahmen anzeigen"));
    BitBtn2->setText(dlg::text(en, "Cancel", "Abbrechen"));
}

void TFormFrames::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 210);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormFrames::BasicFrameset()
{
    FrameSeite = buildFrameset(fields());
    accept();
}

void TFormFrames::OpenSourceFile(int frame)
{
    const QString name = chooseFileName(this);
    if (!name.isEmpty())
        Source[frame]->setText(name);
}

// ---------------------------------------------------------------------------------------
// TFormIFrame

TFormIFrame::TFormIFrame(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("iFrame"));
    setDialogFont(this);
    const IFrameFields initial;
    GroupBox1 = named(new QGroupBox(QStringLiteral("iFrame"), this), "GroupBox1");
    EditName = named(new QLineEdit(initial.EditName, GroupBox1), "EditName");
    EditBreite = named(new QLineEdit(initial.EditBreite, GroupBox1), "EditBreite");
    EditHohe = named(new QLineEdit(initial.EditHohe, GroupBox1), "EditHohe");
    EditSource = named(new QLineEdit(initial.EditSource, GroupBox1), "EditSource");
    EditSource->setMinimumWidth(220);
    BitBtn3 = named(new QPushButton(QStringLiteral("..."), GroupBox1), "BitBtn3");
    BitBtn3->setAutoDefault(false);
    BitBtn3->setFixedWidth(BitBtn3->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    Label1 = named(new QLabel(QStringLiteral("Name"), GroupBox1), "Label1");
    Label2 = named(new QLabel(QStringLiteral("Width"), GroupBox1), "Label2");
    Label3 = named(new QLabel(QStringLiteral("Height"), GroupBox1), "Label3");
    Label4 = named(new QLabel(GroupBox1), "Label4");
    Label1->setBuddy(EditName);
    Label2->setBuddy(EditBreite);
    Label3->setBuddy(EditHohe);
    Label4->setBuddy(EditSource);
    auto *g = new QGridLayout(GroupBox1);
    g->setColumnStretch(1, 1);
    g->addWidget(Label1, 0, 0);
    g->addWidget(EditName, 0, 1, 1, 2);
    g->addWidget(Label2, 1, 0);
    g->addWidget(EditBreite, 1, 1, 1, 2);
    g->addWidget(Label3, 2, 0);
    g->addWidget(EditHohe, 2, 1, 1, 2);
    g->addWidget(Label4, 3, 0);
    g->addWidget(EditSource, 3, 1);
    g->addWidget(BitBtn3, 3, 2);

    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *main = new QVBoxLayout(this);
    main->addWidget(GroupBox1);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormIFrame::MakeFrame);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TFormIFrame::BitBtn3Click);
    FormShow();
}

IFrameFields TFormIFrame::fields() const
{
    IFrameFields f;
    f.EditName = EditName->text();
    f.EditBreite = EditBreite->text();
    f.EditHohe = EditHohe->text();
    f.EditSource = EditSource->text();
    return f;
}

void TFormIFrame::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormIFrame::FormShow()
{
    const bool en = Sprache != 0;
    iFrameSource.clear();
    Label1->setToolTip(dlg::text(en, "Name of the iframe", "Name des iFrames"));
    Label2->setToolTip(dlg::text(en, "Width", "Breite angeben"));
    Label3->setToolTip(dlg::text(en, "Height", "Höhe angeben"));
    Label4->setText(dlg::text(en, "Resource/Url", "Quelle/URL"));
    Label4->setToolTip(dlg::text(en, "Resource/Url", "Datei/Url angeben, die im iFrame angezeigt werden soll"));
    BitBtn2->setText(dlg::text(en, "Cancel", "Abbrechen"));
}

void TFormIFrame::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 210);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormIFrame::MakeFrame()
{
    iFrameSource = buildIFrame(fields());
    accept();
}

void TFormIFrame::BitBtn3Click()
{
    const QString name = chooseFileName(this);
    if (!name.isEmpty())
        EditSource->setText(name);
}

// ---------------------------------------------------------------------------------------
// The frame commands.

SORVEX_HANDLER(Frameset1Click)
{
    auto *d = form.dialogAs<TFormFrames>(QStringLiteral("TFormFrames"));
    if (!d)
        return;
    d->Sprache = form.InterfaceLanguage;
    if (form.execDialog(d) != QDialog::Accepted || d->FrameSeite.isEmpty())
        return;
    // New started from the frameset item reads FrameSeite as the page.
    form.run(QStringLiteral("FileNew"), Sender{QStringLiteral("Frameset1"), 0});
}

SORVEX_HANDLER(iFrame1Click)
{
    auto *d = form.dialogAs<TFormIFrame>(QStringLiteral("TFormIFrame"));
    if (!d)
        return;
    d->Sprache = form.InterfaceLanguage;
    if (form.execDialog(d) != QDialog::Accepted || d->iFrameSource.isEmpty())
        return;
    EditorBuffer &b = form.buffer();
    b.setSelText(d->iFrameSource + b.selText());
}

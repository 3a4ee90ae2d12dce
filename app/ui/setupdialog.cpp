#include "app/ui/setupdialog.h"

#include "app/platform.h"
#include "app/ui/mainform.h"
#include "editing/textops.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString tr2(int language, const char *german, const char *english)
{
    return QString::fromUtf8(language == 0 ? german : english);
}

const char *const kColorEdits[HtmlColorCount] = {"EditIdentifier", "EditParameter", "EditValue", "EditComment", "EditAnd"};
const char *const kColorLabels[HtmlColorCount] = {"Label8", "Label9", "Label10", "Label12", "Label11"};

// The labels of the dialog: objectName, German, English.
struct LabelText {
    const char *name, *german, *english;
};
const LabelText kLabels[] = {
    {"Label2", "Schriftgr\u00f6sse", "Font size"},
    {"Label7", "HTML Charset", "HTML Charset"},
    {"Label8", "Schl\u00fcsselwort", "Keyword"},
    {"Label9", "Parameter", "Parameter"},
    {"Label10", "Werte", "Values"},
    {"Label12", "Kommentar", "Kommentare"},
    {"Label11", "Entities", "Entities"},
    {"Label4", "User", "User"},
    {"Label5", "Passwort", "Password"},
    {"Label3", "Server", "Server"},
    {"Label1", "Ftp-Client", "Ftp-Client"},
    {"Label6", "Externer Browser", "External browser"},
    {"LabelWebsite", "Eigene Webseite (Url)", "Eigene Webseite (Url)"},
};

QColor toQColor(quint32 c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

} // namespace

TFormSetup::TFormSetup(QWidget *parent) : QDialog(parent)
{
    setModal(true);
    auto named = [this](auto *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    int li = 0;
    auto label = [&](const char *name) {
        QLabel *l = named(new QLabel(this), name);
        m_labels[li++] = l;
        return l;
    };

    Edit1 = named(new QLineEdit(this), "Edit1");
    Edit1->setVisible(false);

    auto *top = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->addWidget(label("Label2"), 0, 0);
    Edit2 = named(new QComboBox(this), "Edit2");
    Edit2->setEditable(true);
    Edit2->addItems({"8", "9", "10", "12", "14", "16", "18", "20", "24", "26", "28"});
    Edit2->setCurrentIndex(-1);
    grid->addWidget(Edit2, 0, 1);

    grid->addWidget(label("Label7"), 1, 0);
    ComboISO = named(new QComboBox(this), "ComboISO");
    for (const Charset &c : charsetList())
        ComboISO->addItem(QString::fromLatin1(c.name));
    grid->addWidget(ComboISO, 1, 1);
    LabelIso = named(new QLabel(this), "LabelIso");
    grid->addWidget(LabelIso, 1, 2);
    top->addLayout(grid);

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    auto *radios = new QHBoxLayout(GroupBox1);
    RadioButton1 = named(new QRadioButton(GroupBox1), "RadioButton1");
    RadioButton2 = named(new QRadioButton(GroupBox1), "RadioButton2");
    RadioButton1->setChecked(true);
    radios->addWidget(RadioButton1);
    radios->addWidget(RadioButton2);
    radios->addStretch();
    top->addWidget(GroupBox1);

    GroupBox3 = named(new QGroupBox(this), "GroupBox3");
    auto *colors = new QGridLayout(GroupBox3);
    for (int i = 0; i < HtmlColorCount; ++i) {
        colors->addWidget(label(kColorLabels[i]), i, 0);
        EditColor[i] = named(new QLineEdit(GroupBox3), kColorEdits[i]);
        EditColor[i]->setReadOnly(true);
        colors->addWidget(EditColor[i], i, 1);
        Panel[i] = named(new QLabel(GroupBox3), QStringLiteral("Panel%1").arg(i + 1).toLatin1().constData());
        Panel[i]->setFixedSize(40, 20);
        Panel[i]->setFrameShape(QFrame::Panel);
        Panel[i]->setFrameShadow(QFrame::Sunken);
        Panel[i]->setAutoFillBackground(true);
        colors->addWidget(Panel[i], i, 2);
        ButtonColor[i] = named(new QPushButton(QStringLiteral("..."), GroupBox3),
                               QStringLiteral("ButtonColor%1").arg(i + 1).toLatin1().constData());
        ButtonColor[i]->setAutoDefault(false);
        ButtonColor[i]->setToolTip(QStringLiteral("Farbe ausw\u00e4hlen"));
        ButtonColor[i]->setFixedWidth(30);
        colors->addWidget(ButtonColor[i], i, 3);
        connect(ButtonColor[i], &QPushButton::clicked, this, [this, i] { chooseColor(i); });
    }
    top->addWidget(GroupBox3);

    GroupBox2 = named(new QGroupBox(QStringLiteral("FTP Login"), this), "GroupBox2");
    auto *ftp = new QGridLayout(GroupBox2);
    ftp->addWidget(label("Label4"), 0, 0);
    EditUser = named(new QLineEdit(GroupBox2), "EditUser");
    ftp->addWidget(EditUser, 0, 1, 1, 2);
    ftp->addWidget(label("Label5"), 1, 0);
    MaskEditPass = named(new QLineEdit(GroupBox2), "MaskEditPass");
    MaskEditPass->setEchoMode(QLineEdit::Password);
    MaskEditPass->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    ftp->addWidget(MaskEditPass, 1, 1, 1, 2);
    ftp->addWidget(label("Label3"), 2, 0);
    EditServer = named(new QLineEdit(GroupBox2), "EditServer");
    ftp->addWidget(EditServer, 2, 1, 1, 2);
    ftp->addWidget(label("Label1"), 3, 0);
    EditClient = named(new QLineEdit(QStringLiteral("explorer.exe"), GroupBox2), "EditClient");
    ftp->addWidget(EditClient, 3, 1);
    BitBtn10 = named(new QPushButton(QStringLiteral("..."), GroupBox2), "BitBtn10");
    BitBtn10->setAutoDefault(false);
    BitBtn10->setFixedWidth(30);
    BitBtn10->setToolTip(QStringLiteral("Durchsuchen"));
    ftp->addWidget(BitBtn10, 3, 2);
    CheckAnonym = named(new QCheckBox(GroupBox2), "CheckAnonym");
    CheckAnonym->setChecked(true);
    EditUser->setEnabled(false);
    MaskEditPass->setEnabled(false);
    ftp->addWidget(CheckAnonym, 4, 1);
    top->addWidget(GroupBox2);

    auto *more = new QGridLayout;
    more->addWidget(label("Label6"), 0, 0);
    EditBrowser = named(new QLineEdit(this), "EditBrowser");
    more->addWidget(EditBrowser, 0, 1);
    BitBtn4 = named(new QPushButton(QStringLiteral("..."), this), "BitBtn4");
    BitBtn4->setAutoDefault(false);
    BitBtn4->setFixedWidth(30);
    more->addWidget(BitBtn4, 0, 2);
    more->addWidget(label("LabelWebsite"), 1, 0);
    EditMyUrl = named(new QLineEdit(this), "EditMyUrl");
    EditMyUrl->setToolTip(QStringLiteral("http://www.example.com"));
    EditMyUrl->setStatusTip(QStringLiteral("http://www.example.com"));
    more->addWidget(EditMyUrl, 1, 1, 1, 2);
    top->addLayout(more);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BitBtn1 = named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    top->addLayout(buttons);

    connect(ComboISO, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        const auto &list = charsetList();
        LabelIso->setText(index >= 0 && index < int(list.size()) ? QString::fromLatin1(list[size_t(index)].label) : QString());
    });
    connect(CheckAnonym, &QCheckBox::toggled, this, [this](bool on) {
        EditUser->setEnabled(!on);
        MaskEditPass->setEnabled(!on);
    });
    connect(BitBtn10, &QPushButton::clicked, this, [this] { pickProgram(EditClient); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { pickProgram(EditBrowser); });
    connect(BitBtn1, &QPushButton::clicked, this, &TFormSetup::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    LabelIso->setText(QString::fromLatin1(charsetList()[0].label));
    for (int i = 0; i < HtmlColorCount; ++i)
        paintSwatchFace(i);
    applyTexts();
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

TMainForm *TFormSetup::form() const { return qobject_cast<TMainForm *>(parentWidget()); }

void TFormSetup::setColorFields(const quint32 (&colors)[HtmlColorCount])
{
    for (int i = 0; i < HtmlColorCount; ++i)
        EditColor[i]->setText(QString::number(colors[i]));
}

void TFormSetup::setEditorFont(const QString &family, int points)
{
    Edit1->setText(family);
    Edit2->setCurrentIndex(-1);
    Edit2->setEditText(QString::number(points));
}

void TFormSetup::applyTexts()
{
    const int l = PLanguage;
    setWindowTitle(tr2(l, "Einstellungen", "Settings"));
    for (QLabel *label : m_labels)
        if (label)
            for (const LabelText &t : kLabels)
                if (label->objectName() == QLatin1String(t.name))
                    label->setText(tr2(l, t.german, t.english));
    GroupBox1->setTitle(tr2(l, "Zeilennummerierung", "Line numbering"));
    RadioButton1->setText(tr2(l, "An", "On"));
    RadioButton2->setText(tr2(l, "Aus", "Off"));
    GroupBox3->setTitle(tr2(l, "Farben", "Colors"));
    CheckAnonym->setText(tr2(l, "Anonym", "Anonymous"));
    BitBtn4->setToolTip(tr2(l, "Durchsuchen", "Open path"));
    BitBtn2->setText(tr2(l, "Abbrechen", "Cancel"));
}

void TFormSetup::showEvent(QShowEvent *e)
{
    if (!e->spontaneous()) {
        Schrift.clear();
        Sgroesse.clear();
        applyTexts();
        loadFromFile();
        colorSwatches();
    }
    QDialog::showEvent(e);
}

void TFormSetup::loadFromFile()
{
    // The reserved lines start as a new file holds them, then take what the file holds.
    SetupFields f = fields();
    for (QString &r : f.reserved)
        r = QStringLiteral(" ");
    const QString path = IniPath + QStringLiteral("Html.ini");
    if (TMainForm *main = form(); main && QFileInfo(path).isFile()) {
        QByteArray bytes;
        if (readOwnFile(path, &bytes))
            fillSetupFields(settingsLinesFromBytes(bytes, main->platform().ansiCodePage()), f);
    }
    setFields(f);
}

SetupFields TFormSetup::fields() const
{
    SetupFields f;
    f.PLanguage = PLanguage;
    f.fontName = Edit1->text();
    f.fontSize = Edit2->currentText();
    f.ZeilenNummern = !RadioButton2->isChecked();
    f.user = EditUser->text();
    f.password = MaskEditPass->text();
    f.server = EditServer->text();
    f.anonymous = CheckAnonym->isChecked();
    f.charset = std::max(0, ComboISO->currentIndex());
    f.browser = EditBrowser->text();
    for (int i = 0; i < HtmlColorCount; ++i)
        f.colors[i] = EditColor[i]->text();
    for (int i = 0; i < 3; ++i)
        f.reserved[i] = m_reserved[i];
    f.saveEncoding = m_saveEncoding;
    f.ftpClient = EditClient->text();
    f.myUrl = EditMyUrl->text();
    return f;
}

void TFormSetup::setFields(const SetupFields &f)
{
    PLanguage = f.PLanguage;
    Edit1->setText(f.fontName);
    Edit2->setEditText(f.fontSize);
    (f.ZeilenNummern ? RadioButton1 : RadioButton2)->setChecked(true);
    EditUser->setText(f.user);
    MaskEditPass->setText(f.password);
    EditServer->setText(f.server);
    CheckAnonym->setChecked(f.anonymous);
    EditUser->setEnabled(!f.anonymous);
    MaskEditPass->setEnabled(!f.anonymous);
    ComboISO->setCurrentIndex(f.charset);
    EditBrowser->setText(f.browser);
    for (int i = 0; i < HtmlColorCount; ++i)
        EditColor[i]->setText(f.colors[i]);
    for (int i = 0; i < 3; ++i)
        m_reserved[i] = f.reserved[i];
    m_saveEncoding = f.saveEncoding;
    EditClient->setText(f.ftpClient);
    EditMyUrl->setText(f.myUrl);
    const auto &list = charsetList();
    LabelIso->setText(QString::fromLatin1(list[size_t(std::clamp(f.charset, 0, int(list.size()) - 1))].label));
}

void TFormSetup::paintSwatch(int index, quint32 color)
{
    QPalette p = Panel[index]->palette();
    p.setColor(QPalette::Window, toQColor(color));
    Panel[index]->setPalette(p);
}

void TFormSetup::paintSwatchFace(int index)
{
    QPalette p = Panel[index]->palette();
    p.setColor(QPalette::Window, palette().color(QPalette::Button));
    Panel[index]->setPalette(p);
}

void TFormSetup::colorSwatches()
{
    for (int i = 0; i < HtmlColorCount; ++i)
        paintSwatchFace(i);
    // Each swatch takes its field's colour; the first field that is no number ends this.
    for (int i = 0; i < HtmlColorCount; ++i) {
        const QString text = EditColor[i]->text();
        if (sx::isBlank(text))
            continue;
        bool ok = false;
        const long long v = sx::parseInteger(text, &ok);
        if (!ok)
            break;
        paintSwatch(i, quint32(v));
    }
}

void TFormSetup::chooseColor(int index)
{
    TMainForm *main = form();
    if (!main)
        return;
    bool ok = false;
    const long long current = sx::parseInteger(EditColor[index]->text(), &ok);
    quint32 color = ok ? quint32(current) & 0xFFFFFF : 0;
    if (!main->prompts().chooseColor(color))
        return;
    paintSwatch(index, color);
    EditColor[index]->setText(QString::number(color));
}

void TFormSetup::pickProgram(QLineEdit *target)
{
    TMainForm *main = form();
    if (!main)
        return;
    FileDialogRequest r;
    r.filter = QStringLiteral("EXE(*.exe)|*.exe|Alle(*.*)|*.*");
    r.initialFolder = m_pickerFolder;
    const QStringList chosen = main->prompts().openFiles(r);
    if (chosen.isEmpty())
        return;
    target->setText(chosen.first());
    m_pickerFolder = QFileInfo(chosen.first()).absolutePath();
}

void TFormSetup::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1) {
        if (TMainForm *main = form())
            main->platform().showHelp(main->helpFile, 90);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormSetup::BitBtn1Click()
{
    TMainForm *main = form();
    if (!main)
        return;
    // The new file replaces the old one in one step: a failed write leaves it whole.
    const QString path = IniPath + QStringLiteral("Html.ini");
    const QByteArray bytes = settingsFileBytes(setupLines(fields()), main->platform().ansiCodePage());
    QString error;
    if (!writeOwnFile(path, bytes, true, &error)) {
        main->prompts().defaultError(QStringLiteral("Cannot create file \"%1\": %2").arg(path, error));
        return;
    }
    Schrift = Edit1->text();
    Sgroesse = Edit2->currentText();
    accept();
}

SORVEX_DIALOG(TFormSetup, TFormSetup);

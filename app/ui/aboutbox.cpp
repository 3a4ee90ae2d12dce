#include "app/ui/aboutbox.h"

#include "app/platform.h"
#include "app/ui/mainform.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {
QString tr2(int language, const char *german, const char *english)
{
    return QString::fromUtf8(language == 0 ? german : english);
}
constexpr int kDonateX = 24;
} // namespace

QString TAboutBox::webPage(int language)
{
    return language == 0 ? QStringLiteral("https://www.zededuro.example/de/") : QStringLiteral("https://www.zededuro.example/en/");
}

QString TAboutBox::donationPage(int language)
{
    return language == 0 ? QStringLiteral("https://www.zededuro.example/de/spenden.html")
                         : QStringLiteral("https://www.zededuro.example/en/donate.html");
}

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setModal(true);
    setFixedSize(420, 240);
    auto named = [](auto *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };

    ProductName = named(new QLabel(QStringLiteral("Sorvex"), this), "ProductName");
    QFont big = ProductName->font();
    big.setPixelSize(28);
    big.setBold(true);
    ProductName->setFont(big);
    ProductName->setStyleSheet(QStringLiteral("color: navy"));
    ProductName->setGeometry(24, 16, 372, 40);

    Version = named(new QLabel(this), "Version");
    Version->setGeometry(24, 66, 60, 18);
    LabelVersion = named(new QLabel(this), "LabelVersion");
    LabelVersion->setGeometry(88, 66, 308, 18);

    LabelWeb = named(new QLabel(QStringLiteral("Web:"), this), "LabelWeb");
    LabelWeb->setGeometry(24, 92, 60, 18);
    LinkWeb = named(new QLabel(this), "LinkWeb");
    LinkWeb->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline"));
    LinkWeb->setGeometry(88, 92, 308, 18);

    LinkDonate = named(new QLabel(this), "LinkDonate");
    QFont bold = LinkDonate->font();
    bold.setBold(true);
    bold.setUnderline(true);
    LinkDonate->setFont(bold);
    LinkDonate->setStyleSheet(QStringLiteral("color: maroon"));
    LabelDonate = named(new QLabel(this), "LabelDonate");
    LabelDonate->setGeometry(24, 150, 372, 36);
    LabelDonate->setWordWrap(true);
    LabelDonate->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (QLabel *link : {LinkWeb, LinkDonate}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    OKButton = named(new QPushButton(QStringLiteral("OK"), this), "OKButton");
    OKButton->setDefault(true);
    OKButton->setGeometry(170, 196, 80, 28);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TMainForm *TAboutBox::form() const { return qobject_cast<TMainForm *>(parentWidget()); }

void TAboutBox::setVersion(const QString &version) { LabelVersion->setText(version); }

void TAboutBox::showEvent(QShowEvent *e)
{
    if (!e->spontaneous()) {
        const int l = ALanguage;
        setWindowTitle(tr2(l, "\u00dcber...", "About..."));
        Version->setText(tr2(l, "Version", "Release"));
        LinkWeb->setText(webPage(l));
        LinkDonate->setText(tr2(l, "Spenden", "Donate"));
        LabelDonate->setText(tr2(l, "Gef\u00e4llt Ihnen Sorvex? Eine Spende hilft bei der Weiterentwicklung.",
                                 "Do you like Sorvex? A donation helps its development."));
        // In English the donation link stands 20 pixels further right.
        LinkDonate->setGeometry(kDonateX + (l != 0 ? 20 : 0), 126, 200, 20);
    }
    QDialog::showEvent(e);
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        if (TMainForm *main = form()) {
            if (watched == LinkWeb)
                main->platform().shellOpen(webPage(ALanguage));
            else if (watched == LinkDonate)
                main->platform().shellOpen(donationPage(ALanguage));
        }
    }
    return QDialog::eventFilter(watched, e);
}

SORVEX_DIALOG(TAboutBox, TAboutBox);

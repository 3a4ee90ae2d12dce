// The toolbars as a person sees them: every button's icon, the order of the toolbars'
// buttons, separators and boxes, and the program's own icon.
#include "tests/ui/uifixture.h"

#include "app/commandtable.h"
#include "app/ui/mainform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(20, 20), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage svgImage(const QString &file)
{
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(file);
    QPainter p(&image);
    renderer.render(&p, QRectF(0, 0, 20, 20));
    return image;
}

QStringList toolbarButtons()
{
    QStringList names;
    for (const CommandDef &c : commandTable())
        if (c.kind == ItemKind::Button)
            names << QString::fromUtf8(c.name);
    return names;
}

std::string str(const QString &s) { return s.toStdString(); }

TEST(ToolbarIcons, EveryButtonShowsItsOwnSvgAndNoTwoAreAlike)
{
    MainWindowFixture f;
    const QStringList names = toolbarButtons();
    ASSERT_EQ(names.size(), 59);
    QHash<QByteArray, QString> seen;
    for (const QString &name : names) {
        SCOPED_TRACE(str(name));
        QAction *a = f.form->action(name);
        ASSERT_NE(a, nullptr);
        const QString file = QStringLiteral(":/icons/%1.svg").arg(name);
        ASSERT_TRUE(QSvgRenderer(file).isValid()) << "no SVG resource " << str(file);
        ASSERT_FALSE(a->icon().isNull());
        const QImage shown = iconImage(a->icon());
        EXPECT_EQ(shown, svgImage(file)) << "the button does not show its SVG";
        const QByteArray bits(reinterpret_cast<const char *>(shown.constBits()), shown.sizeInBytes());
        EXPECT_FALSE(seen.contains(bits)) << "looks like " << str(seen.value(bits));
        seen.insert(bits, name);
        // A disabled button shows the same drawing, greyed.
        EXPECT_FALSE(a->icon().pixmap(QSize(20, 20), 1.0, QIcon::Disabled).isNull());
    }
}

TEST(ToolbarIcons, WordWrapButtonShowsTheWrapState)
{
    MainWindowFixture f;
    QAction *a = f.form->action(QStringLiteral("ToolButton3"));
    ASSERT_NE(a, nullptr);
    const QImage on = svgImage(QStringLiteral(":/icons/ToolButton3.svg"));
    const QImage off = svgImage(QStringLiteral(":/icons/ToolButton3_off.svg"));
    ASSERT_NE(on, off);
    EXPECT_EQ(iconImage(a->icon()), on);
    f.form->ToolButton3Click();
    EXPECT_EQ(iconImage(a->icon()), off);
    EXPECT_EQ(f.form->panel(2)->text(), QStringLiteral("WW=off"));
    f.form->ToolButton3Click();
    EXPECT_EQ(iconImage(a->icon()), on);
}

TEST(ToolbarIcons, IconsStayCrispAtDoubleSize)
{
    // On a high-density screen the drawing is rendered at the larger size, not scaled up.
    MainWindowFixture f;
    const QPixmap pm = f.form->action(QStringLiteral("BoldButton"))->icon().pixmap(QSize(20, 20), 2.0);
    EXPECT_EQ(pm.size(), QSize(40, 40));
}

TEST(MainWindowLayout, ToolbarsHoldTheirItemsInTableOrder)
{
    MainWindowFixture f;
    QHash<QString, QStringList> expected;
    for (const CommandDef &c : commandTable()) {
        const QString parent = QString::fromUtf8(c.parent);
        if (c.kind == ItemKind::Button || c.kind == ItemKind::Widget)
            expected[parent] << QString::fromUtf8(c.name);
        else if (c.kind == ItemKind::ToolSeparator)
            expected[parent] << QStringLiteral("|");
    }
    for (const char *barName : {"StandardToolBar", "StandardToolBarRow2", "ToolBar2"}) {
        SCOPED_TRACE(barName);
        auto *bar = f.form->findChild<QToolBar *>(QString::fromLatin1(barName));
        ASSERT_NE(bar, nullptr);
        QStringList actual;
        for (QAction *a : bar->actions()) {
            if (a->isSeparator())
                actual << QStringLiteral("|");
            else if (QWidget *w = bar->widgetForAction(a); w && qobject_cast<QComboBox *>(w))
                actual << w->objectName();
            else
                actual << a->objectName();
        }
        EXPECT_EQ(str(actual.join(' ')), str(expected.value(QString::fromLatin1(barName)).join(' ')));
    }
}

TEST(ApplicationIcon, WindowAndApplicationCarryTheSvgIcon)
{
    MainWindowFixture f;
    ASSERT_TRUE(QSvgRenderer(QStringLiteral(":/icons/sorvex.svg")).isValid());
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_FALSE(f.form->windowIcon().isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("sorvex"));
}

// A picture of the main window for a person to look at, when asked for:
//   SORVEX_SCREENSHOT=/tmp/window.png sorvex-uitest --gtest_filter='*Screenshot*'
// (SORVEX_SCREENSHOT_ENABLED=1 shows every command enabled.)
TEST(MainWindowLook, Screenshot)
{
    const QString path = qEnvironmentVariable("SORVEX_SCREENSHOT");
    if (path.isEmpty())
        GTEST_SKIP() << "set SORVEX_SCREENSHOT to a PNG path";
    MainWindowFixture f;
    if (qEnvironmentVariableIsSet("SORVEX_SCREENSHOT_ENABLED"))
        for (QAction *a : f.form->findChildren<QAction *>())
            a->setEnabled(true);
    f.form->resize(1150, 800);
    QApplication::processEvents();
    ASSERT_TRUE(f.form->grab().save(path));
}

} // namespace

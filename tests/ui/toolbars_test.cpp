// The toolbars as a person sees them.
#include "tests/ui/uifixture.h"

#include "app/commandtable.h"
#include "app/ui/mainform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

std::string str(const QString &s) { return s.toStdString(); }

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

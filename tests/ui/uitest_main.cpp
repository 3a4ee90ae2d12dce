// The interface tests run inside one QApplication, offscreen unless told otherwise.
#include "tests/ui/uifixture.h"

#include "app/ui/application.h"
#include "app/ui/mainform.h"

#include <QApplication>
#include <gtest/gtest.h>

MainWindowFixture::MainWindowFixture()
{
    form = createApplication(platform, prompts, {});
    form->show();
    QApplication::processEvents();
}

MainWindowFixture::~MainWindowFixture()
{
    delete form;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

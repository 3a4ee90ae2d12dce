#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "app/ui/realplatform.h"
#include "app/ui/uiprompts.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RealPlatform platform;
    QtPrompts prompts;
    QStringList args = QApplication::arguments();
    args.removeFirst();
    TMainForm *form = createApplication(platform, prompts, args);
    form->show();
    const int rc = app.exec();
    delete form;
    return rc;
}

#include "app/ui/application.h"

#include "app/ui/icons.h"
#include "app/ui/mainform.h"

#include <QApplication>

TMainForm *createApplication(Platform &platform, UiPrompts &prompts, const QStringList &arguments)
{
    QApplication::setApplicationName(QStringLiteral("Sorvex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Sorvex"));
    QApplication::setApplicationVersion(QStringLiteral(SORVEX_VERSION));
    Q_INIT_RESOURCE(ui);
    QApplication::setDesktopFileName(QStringLiteral("sorvex"));
    QApplication::setWindowIcon(applicationIcon());
    return new TMainForm(platform, prompts, arguments);
}

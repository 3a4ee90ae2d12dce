// Toolbar icons: ":/icons/NAME.svg" when the resources hold one, else a drawn label.
// The SVGs are rendered by the program itself at whatever size is asked for, so they need
// no icon theme and no image plugin on the machine.
#pragma once

#include <QIcon>
#include <QString>

QIcon commandIcon(const QString &name);

// The program's own icon (window icon, the installed desktop icon).
QIcon applicationIcon();

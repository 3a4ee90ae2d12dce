// Toolbar icons: ":/icons/NAME.svg" when the resources hold one, else a drawn label.
#pragma once

#include <QIcon>
#include <QString>

QIcon commandIcon(const QString &name);

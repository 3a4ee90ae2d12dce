// Starting the application the way main does: the title, the main window, every dialog.
#pragma once

#include <QStringList>

class Platform;
class UiPrompts;
class TMainForm;

// Sets the application title and creates the main window (which creates the dialogs).
TMainForm *createApplication(Platform &platform, UiPrompts &prompts, const QStringList &arguments);

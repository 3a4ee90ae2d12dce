// The updater runs that other commands ask for, and the paths of the system's own files.
#pragma once

#include <QString>

class TMainForm;

// "Html.ini" and "files.txt" in the settings folder.
QString settingsFilePath(TMainForm &form);
QString recentFilesPath(TMainForm &form);

// Runs the updater "Install.exe" from the folder of the executable with the current
// updater mode and command (nothing when it is missing); message 55 when it could not be
// started or the user refused the consent.
void RunUpdater(TMainForm &form);
// Asks the updater to delete the file at path (with the rights the system itself may
// lack); nothing when there is no such file.
void DeleteSettingsViaUpdater(TMainForm &form, const QString &path);

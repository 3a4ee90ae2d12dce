// The running settings of the main window, filled from "Html.ini".
#pragma once

#include <QString>

struct RunningSettings {
    int fontSize = 0;             // line 1, points; 0 = not set
    bool lineNumbers = true;      // line 2
    QString ftpUser;              // line 3
    QString ftpPassword;          // line 4
    QString ftpServer;            // line 5
    QString ftpLoginKind = QStringLiteral("Anonymous"); // line 6
    QString charset = QStringLiteral("ISO-8859-1");     // line 7
    QString browserPath;          // line 8
    QString ftpClient;            // line 17, as last read
    bool flag18 = true;           // line 18
    QString webSite;              // line 19
    // The updater's arguments 5 and 6 for its next run.
    QString updaterMode;
    QString updaterCommand;
};

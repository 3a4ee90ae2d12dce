// Runs the commands of a script on the main window.
#pragma once

#include "tools/drive/drivescript.h"

class DrivePrompts;
class QAction;
class QWidget;
class TMainForm;

class Driver
{
public:
    Driver(TMainForm *form, DrivePrompts &prompts) : m_form(form), m_prompts(prompts) {}

    // Runs commands[from...] in order; the events of each print as they happen.
    void run(const QList<drive::Command> &commands, int from);

private:
    void runCommand(const drive::Command &command);
    void runPrint(const drive::ScriptLine &line);
    void trigger(const QString &name);
    void gutterClick(const QString &lineText);
    void drop(const QStringList &paths);
    void printItem(const QString &name);
    QAction *findAction(const QString &name) const;
    QWidget *findWindow(const QString &name) const;

    TMainForm *m_form;
    DrivePrompts &m_prompts;
    bool m_closed = false;
};

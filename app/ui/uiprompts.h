// The prompts of the interface layer: besides the logic's prompts, showing a dialog of
// ours modally and the print dialog. QtPrompts shows real windows; the end-to-end driver
// answers them from its script.
#pragma once

#include "app/prompts.h"

class QDialog;
class QPrinter;

class UiPrompts : public Prompts
{
public:
    // Shows the dialog modally; returns its result (QDialog::Accepted or Rejected).
    virtual int execDialog(QDialog *dialog) = 0;
    // The print dialog; false when cancelled. On true the printer is set up for the job.
    virtual bool choosePrinter(QPrinter &printer) = 0;
};

class QtPrompts : public UiPrompts
{
public:
    int message(MsgKind kind, const QString &caption, const QString &text, int buttons) override;
    bool input(const QString &caption, const QString &prompt, QString &value) override;
    QStringList openFiles(const FileDialogRequest &request) override;
    QString saveFile(const FileDialogRequest &request) override;
    bool chooseColor(quint32 &color) override;
    bool chooseFont(QString &family, int &points) override;
    int execDialog(QDialog *dialog) override;
    bool choosePrinter(QPrinter &printer) override;
};

// "All (*.*)|*.*|HTML|*.HTML;*.HTM" as a Qt name filter list.
QStringList qtNameFilters(const QString &filter);

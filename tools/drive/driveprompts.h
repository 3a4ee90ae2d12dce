// The prompts in drive mode: every modal window is answered by the next queued
// "expect" block of the script.
//
// The standard windows (message, input, open, save, color, font, print) open no real
// window: they print their event line where they have one and are answered from their
// fields and buttons. A dialog of ours opens for real; the block's steps run inside its
// own modal loop.
#pragma once

#include "app/ui/uiprompts.h"
#include "tools/drive/drivescript.h"

#include <QList>
#include <QSet>
#include <memory>
#include <optional>

class QObject;
class QWidget;

class DrivePrompts : public UiPrompts
{
public:
    DrivePrompts();
    ~DrivePrompts() override;

    void queue(const drive::Block &block) { m_queue.append(block); }
    // Writes "error unused-expect NAME" for every block nobody took, and drops them.
    void reportUnused();

    // Runs the steps of a block on a real window, stopping when the window has closed.
    static void runSteps(QWidget *window, const drive::Block &block);

    int message(MsgKind kind, const QString &caption, const QString &text, int buttons) override;
    bool input(const QString &caption, const QString &prompt, QString &value) override;
    QStringList openFiles(const FileDialogRequest &request) override;
    QString saveFile(const FileDialogRequest &request) override;
    bool chooseColor(quint32 &color) override;
    bool chooseFont(QString &family, int &points) override;
    int execDialog(QDialog *dialog) override;
    bool choosePrinter(QPrinter &printer) override;

    // A modal window shown while nobody answers it (a dialog shown past execDialog):
    // reported as unexpected and closed as Escape would close it.
    bool isAnswered(QObject *window) const { return m_answering.contains(window); }

    struct StdWindow;

private:
    // The first queued block if it names this window; otherwise "error unexpected-window".
    std::optional<drive::Block> take(const QString &window);
    // Answers a standard window: true when a block ran (w holds the pressed button).
    bool answer(StdWindow &w);

    QList<drive::Block> m_queue;
    QSet<QObject *> m_answering;
    std::unique_ptr<QObject> m_watcher;
};

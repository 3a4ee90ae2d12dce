// What the interface tests give the main window: a platform that records, and prompts
// that answer from a script.
#pragma once

#include "app/platform.h"
#include "app/ui/uiprompts.h"

#include <QPrinter>
#include <QTemporaryDir>

class TestPlatform : public Platform
{
public:
    QTemporaryDir root;
    QString codePage = QStringLiteral("windows-1252");
    QStringList events;

    QString settingsFolder() const override { return root.filePath(QStringLiteral("settings")) + QLatin1Char('/'); }
    QString exeFolder() const override { return root.filePath(QStringLiteral("exe")) + QLatin1Char('/'); }
    QString exePath() const override { return exeFolder() + QStringLiteral("sorvex"); }
    QSize screenSize() const override { return QSize(1920, 1080); }
    quint32 inputLocale() const override { return 0x04090409; }
    QString systemLanguageName() const override { return QStringLiteral("English (United States)"); }
    int osMajorVersion() const override { return 10; }
    QString ansiCodePage() const override { return codePage; }
    QString versionString() const override { return QStringLiteral("1.0.0.1"); }
    void shellOpen(const QString &target) override { events << QStringLiteral("open-with-default ") + target; }
    void startProgram(const QString &program, const QStringList &args) override
    {
        events << QStringLiteral("launch ") + program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
    }
    int runElevated(const QString &, const QString &) override { return 42; }
    int runOpen(const QString &, const QString &) override { return 42; }
    void showHelp(const QString &file, int topic) override { events << QStringLiteral("help %1 %2").arg(file).arg(topic); }
    void sleepMs(int) override {}
};

// Answers in order; a prompt without a queued answer is answered as Escape would.
class TestPrompts : public UiPrompts
{
public:
    struct Shown {
        MsgKind kind;
        QString caption, text;
        int buttons;
        QString line() const
        {
            return msgKindName(kind) + QLatin1Char('|') + caption + QLatin1Char('|') + text + QLatin1Char('|')
                   + buttonsText(buttons);
        }
    };
    QList<Shown> shown;
    QList<int> answers;
    QList<QStringList> opens; // empty list = cancel
    QStringList saves;        // empty = cancel
    QList<FileDialogRequest> requests;
    QStringList printFiles;   // PDF files for the print dialog; empty = cancel

    int message(MsgKind kind, const QString &caption, const QString &text, int buttons) override
    {
        shown.append({kind, caption, text, buttons});
        return answers.isEmpty() ? escapeButton(buttons) : answers.takeFirst();
    }
    bool input(const QString &, const QString &, QString &) override { return false; }
    QStringList openFiles(const FileDialogRequest &r) override
    {
        requests.append(r);
        return opens.isEmpty() ? QStringList() : opens.takeFirst();
    }
    QString saveFile(const FileDialogRequest &r) override
    {
        requests.append(r);
        return saves.isEmpty() ? QString() : saves.takeFirst();
    }
    bool chooseColor(quint32 &) override { return false; }
    bool chooseFont(QString &, int &) override { return false; }
    int execDialog(QDialog *) override { return 0; }
    bool choosePrinter(QPrinter &printer) override
    {
        if (printFiles.isEmpty() || printFiles.first().isEmpty()) {
            if (!printFiles.isEmpty())
                printFiles.removeFirst();
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFiles.takeFirst());
        return true;
    }
    QStringList lines() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.line();
        return out;
    }
};

// What the logic asks of the user: message boxes, input boxes, file and colour dialogs.
// The interface layer answers with real windows; the tests and the end-to-end driver
// answer from a script.
#pragma once

#include <QString>
#include <QStringList>

enum class MsgKind { Plain, Information, Error, Warning, Question, Confirmation };
QString msgKindName(MsgKind kind);

namespace Btn {
enum : int { OK = 1, Cancel = 2, Yes = 4, No = 8 };
constexpr int OKCancel = OK | Cancel;
constexpr int YesNo = Yes | No;
constexpr int YesNoCancel = Yes | No | Cancel;
} // namespace Btn
// "[OK]", "[OK,Cancel]", "[Yes,No]", "[Yes,No,Cancel]".
QString buttonsText(int buttons);
// The button Escape chooses: Cancel, else No, else OK.
int escapeButton(int buttons);

struct FileDialogRequest {
    QString caption;
    QString filter;           // "All (*.*)|*.*|HTML|*.HTML;*.HTM" as the windows write it
    QString initialFolder;
    QString fileName;         // preset file name
    QString defaultExtension; // without dot
    bool multiple = false;    // open: several files may be chosen
    bool mustExist = false;
    bool overwritePrompt = false;
};

class Prompts
{
public:
    virtual ~Prompts() = default;
    // Returns the pressed button (one of Btn), or escapeButton(buttons) when closed.
    virtual int message(MsgKind kind, const QString &caption, const QString &text, int buttons) = 0;
    // Returns false when cancelled; value holds the default on entry and the answer on exit.
    virtual bool input(const QString &caption, const QString &prompt, QString &value) = 0;
    // Chosen paths; empty when cancelled.
    virtual QStringList openFiles(const FileDialogRequest &request) = 0;
    // Chosen path; empty when cancelled.
    virtual QString saveFile(const FileDialogRequest &request) = 0;
    // color is a colour value (red in the low byte) on entry and exit; false when cancelled.
    virtual bool chooseColor(quint32 &color) = 0;
    // family and points on entry and exit; false when cancelled.
    virtual bool chooseFont(QString &family, int &points) = 0;

    // The box shown for an error no command caught: caption "Sorvex", OK.
    void defaultError(const QString &text) { message(MsgKind::Error, QStringLiteral("Sorvex"), text, Btn::OK); }
};

// Answers from a list, for the logic's unit tests.
class ScriptedPrompts : public Prompts
{
public:
    struct Shown {
        MsgKind kind;
        QString caption, text;
        int buttons;
    };
    QList<Shown> shown;        // every message box, in order
    QList<int> answers;        // buttons to press, in order (escape when empty)
    QStringList inputs;        // answers of input boxes ("\x01" = cancel)
    QList<QStringList> opens;  // answers of open dialogs
    QStringList saves;         // answers of save dialogs
    QList<qint64> colors;      // -1 = cancel
    QList<FileDialogRequest> fileRequests;

    int message(MsgKind kind, const QString &caption, const QString &text, int buttons) override
    {
        shown.append({kind, caption, text, buttons});
        return answers.isEmpty() ? escapeButton(buttons) : answers.takeFirst();
    }
    bool input(const QString &, const QString &, QString &value) override
    {
        if (inputs.isEmpty() || inputs.first() == QStringLiteral("\x01")) {
            if (!inputs.isEmpty())
                inputs.removeFirst();
            return false;
        }
        value = inputs.takeFirst();
        return true;
    }
    QStringList openFiles(const FileDialogRequest &r) override
    {
        fileRequests.append(r);
        return opens.isEmpty() ? QStringList() : opens.takeFirst();
    }
    QString saveFile(const FileDialogRequest &r) override
    {
        fileRequests.append(r);
        return saves.isEmpty() ? QString() : saves.takeFirst();
    }
    bool chooseColor(quint32 &color) override
    {
        if (colors.isEmpty() || colors.first() < 0) {
            if (!colors.isEmpty())
                colors.removeFirst();
            return false;
        }
        color = quint32(colors.takeFirst());
        return true;
    }
    bool chooseFont(QString &, int &) override { return false; }
};

// sorvex-drive: runs the real application offscreen from a script and prints what happens.
//
// It starts the application as main does, shows the main window, runs the script and
// ends without the close sequence unless the script closed the window. It knows no
// command: it reaches windows, controls and actions by objectName only.
//
// A script, one command a line ("#" starts a comment line; "..." strings take \r \n \t
// \" \\ \uXXXX \xHH):
//   writefile PATH STRING   removefile PATH   chmod PATH OCTAL-MODE   text STRING
//   caret N   select START LENGTH   type STRING
//   trigger NAME   key KEYS   gutterclick LINE   drop PATH...   close
//   print text|selection|caret|modified|filename|status|clipboard|scratch|editor|
//         bookmarks|window|language   print item NAME   print file PATH   print files DIR
//   expect WINDOW ... end   answers the next modal window: a dialog's objectName, or
//                           message, input, open, save, color, font, print
//   window NAME ... end     acts on a visible non-modal window at once
// Steps inside a block: set, choose, click, dblclick, select, mouse, close, grab, show. The
// standard windows have the buttons OK, Cancel, Yes, No and the fields value (input),
// file (open, save, print; each "set file" adds one), color (#RRGGBB), family and size
// (font); "show" also reads caption, text, prompt, filter, folder and extension.
// Events print as they happen: dialog, message, input, launch, runas,
// open-with-default, help, error.
//
// Conventions a dialog must follow to be driven (the details are in widgetsteps.h):
// - Show a modal dialog through form.execDialog(d), and message, input, file, colour,
//   font and print windows through form.prompts(): the driver answers each from the next
//   "expect" block. A modal window opened past them is reported as unexpected.
// - Give every control its objectName. "set" works on line edits, text areas, editable
//   combo boxes, spin boxes, check boxes, radio buttons and sliders; "choose" on combo
//   boxes, lists, tab widgets and radio groups (a QGroupBox or plain container named after
//   the group, whose QRadioButton descendants are the items); "click" on buttons;
//   "dblclick" on list items; "mouse" on any widget; "show" reads them all.
// - React to the signals a user's action raises (textEdited/textChanged, clicked/toggled,
//   activated/currentIndexChanged, valueChanged, the item view's clicked and the mouse
//   events): the driver raises exactly those.
// - A non-modal window carries its class name as objectName so that "window NAME" finds it.
//
// Exit status: 0 when every line ran without an error line, 1 otherwise, 2 for a bad
// command line.
#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "tools/drive/driveoutput.h"
#include "tools/drive/driveplatform.h"
#include "tools/drive/driveprompts.h"
#include "tools/drive/driver.h"
#include "tools/drive/drivescript.h"
#include "tools/drive/widgetsteps.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

namespace {

const char kUsage[] =
    "usage: sorvex-drive [--settings-dir DIR] [--exe-dir DIR] [--screen WxH]\n"
    "                    [--input-locale HEX] [--system-language NAME] [--os-major N]\n"
    "                    [--runas-result N] [--arg VALUE]... SCRIPT\n"
    "SCRIPT is a file, or - for standard input.\n";

QtMessageHandler g_qtMessages = nullptr;

void filterMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // The offscreen platform says so whenever a window is raised or its size hints change.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_qtMessages)
        g_qtMessages(type, context, message);
}

bool readScript(const QString &path, QString *text)
{
    QFile f;
    if (path == QLatin1String("-")) {
        if (!f.open(stdin, QIODevice::ReadOnly))
            return false;
    } else {
        f.setFileName(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
    }
    *text = QString::fromUtf8(f.readAll());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    DriveOptions options;
    QString problem;
    if (!parseDriveOptions(args, &options, &problem)) {
        std::fprintf(stderr, "sorvex-drive: %s\n%s", problem.toLocal8Bit().constData(), kUsage);
        return 2;
    }
    QString scriptText;
    if (!readScript(options.script, &scriptText)) {
        std::fprintf(stderr, "sorvex-drive: cannot read the script %s\n", options.script.toLocal8Bit().constData());
        return 2;
    }

    g_qtMessages = qInstallMessageHandler(filterMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    app.setQuitOnLastWindowClosed(false);

    const QList<drive::Command> commands = drive::parseScript(scriptText);
    DrivePlatform platform(options);
    DrivePrompts prompts;

    // The expect blocks before the first other command answer the windows of start-up.
    int first = 0;
    while (first < commands.size() && commands[first].isBlock && !commands[first].block.immediate
           && commands[first].line.error.isEmpty()) {
        prompts.queue(commands[first].block);
        ++first;
    }

    TMainForm *form = createApplication(platform, prompts, options.arguments);
    drive::setKeyFallbackWindow(form);
    form->show();
    drive::activate(form);

    Driver driver(form, prompts);
    QTimer::singleShot(0, &app, [&] {
        driver.run(commands, first);
        prompts.reportUnused();
        QCoreApplication::exit(0);
    });
    app.exec();

    drive::setKeyFallbackWindow(nullptr);
    delete form;
    return drive::runFailed() ? 1 : 0;
}

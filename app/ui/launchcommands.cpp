// The hand-overs to other programs: the page in the browser, the FTP folder in the file
// manager, the updater, the own web site, the help file and the About box.
#include "app/ui/launchcommands.h"

#include "app/launch.h"
#include "app/platform.h"
#include "app/ui/aboutbox.h"
#include "app/ui/documentcommands.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QFileInfo>
#include <stdexcept>

namespace {

void showError(TMainForm &form, int message)
{
    form.prompts().message(MsgKind::Error, QStringLiteral("Sorvex"), form.Message(message), Btn::OK);
}

// The browser of the settings with the page file URL, or the page's default program.
void launchPage(TMainForm &form)
{
    const QString path = form.document.FFileName;
    if (!sx::isBlank(form.settings.browserPath))
        form.platform().startProgram(form.settings.browserPath, {pageFileUrl(path)});
    else
        form.platform().shellOpen(path);
}


// The plain write of the page before the browser shows it; a failure goes to the default
// error box, and nothing is launched.
void writePage(TMainForm &form, const QString &text)
{
    const QString path = form.document.FFileName;
    QString error;
    if (!WriteDocumentText(form, path, text, &error))
        throw std::runtime_error(QStringLiteral("Cannot create file \"%1\": %2").arg(path, error).toStdString());
}

} // namespace

void RunUpdater(TMainForm &form)
{
    Platform &p = form.platform();
    const QString line = updaterCommandLine(GetVersionString(p, p.exePath()), sx::fileNamePart(p.exePath()),
                                            form.InterfaceLanguage, form.settings.updaterMode,
                                            form.settings.updaterCommand);
    const QString program = updaterProgram(p.exeFolder());
    if (!QFileInfo(program).isFile())
        return;
    const int result = p.osMajorVersion() > 5 ? p.runElevated(program, line) : p.runOpen(program, line);
    if (result < 32)
        showError(form, 55);
}

void DeleteSettingsViaUpdater(TMainForm &form, const QString &path)
{
    form.settings.updaterMode = path;
    form.settings.updaterCommand = QStringLiteral("del");
    if (QFileInfo(path).isFile())
        RunUpdater(form);
    form.settings.updaterMode.clear();
    form.settings.updaterCommand.clear();
}

void TMainForm::CheckForUpdateAtStart()
{
    settings.updaterCommand = QStringLiteral("check");
    settings.updaterMode = QStringLiteral("default");
    RunUpdater(*this);
    settings.updaterCommand.clear();
}

SORVEX_HANDLER(NachUpdatesuchen1Click) { RunUpdater(form); }

SORVEX_HANDLER(ToolButtonBrowserClick)
{
    if (!form.document.hasFile()) {
        showError(form, 20);
        return;
    }
    writePage(form, form.buffer().text());
    launchPage(form);
}

SORVEX_HANDLER(ToolButtonEditbClick)
{
    if (!form.document.hasFile()) {
        showError(form, 20);
        return;
    }
    // The file opens in the browser with an editable body while the editor keeps its
    // page exactly (taking the attribute out again would leave a space behind in the
    // start tag, one more at every use). A page without a body element is written as it
    // stands and loses the first such attribute of its own in the editor, as one edit.
    const QString text = form.buffer().text();
    const QString editable = withEditableBody(text);
    writePage(form, editable);
    launchPage(form);
    if (editable == text) {
        const QString after = withoutFirstContentEditable(text);
        if (after != text)
            form.buffer().setText(after);
    }
}

SORVEX_HANDLER(FTP1Click)
{
    const RunningSettings &s = form.settings;
    if (sx::trim(s.ftpServer).isEmpty()) {
        form.prompts().message(MsgKind::Information, QStringLiteral("Sorvex"), form.Message(215), Btn::OK);
        return;
    }
    form.platform().startProgram(QStringLiteral("explorer.exe"),
                                 {ftpArgument(s.ftpUser, s.ftpPassword, s.ftpServer, s.ftpLoginKind)});
}

SORVEX_HANDLER(Registrierung1Click) { form.platform().shellOpen(form.settings.webSite); }

SORVEX_HANDLER(Help1Click) { form.platform().showHelp(form.helpFile, -1); }

SORVEX_HANDLER(HelpAbout)
{
    auto *box = form.dialogAs<TAboutBox>(QStringLiteral("TAboutBox"));
    if (!box)
        return;
    box->setVersion(GetVersionString(form.platform(), form.platform().exePath()));
    box->ALanguage = form.InterfaceLanguage;
    form.execDialog(box);
}

// The settings of the main window: read at start-up and after the settings dialog,
// written back when the window closes.
#include "app/platform.h"
#include "app/settingsfile.h"
#include "app/ui/launchcommands.h"
#include "app/ui/mainform.h"
#include "app/ui/setupdialog.h"
#include "editing/ui/synedit.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {

SystemLanguage systemLanguage(TMainForm &form)
{
    return {form.platform().inputLocale(), form.platform().systemLanguageName()};
}

const HtmlAttr kAttrs[HtmlColorCount] = {HtmlAttr::Keyword, HtmlAttr::Identifier, HtmlAttr::Value, HtmlAttr::Comment,
                                         HtmlAttr::Entity};

std::runtime_error fileError(const char *what, const QString &path, const QString &reason)
{
    return std::runtime_error(QStringLiteral("%1 \"%2\": %3").arg(QString::fromLatin1(what), path, reason).toStdString());
}

} // namespace

QString settingsFilePath(TMainForm &form) { return form.platform().settingsFolder() + QStringLiteral("Html.ini"); }

void TMainForm::LoadSettings()
{
    SettingsState state;
    state.settings = settings;
    state.language = InterfaceLanguage;
    state.saveEncoding = document.SaveEncoding;
    state.settings.ftpUser.clear();
    state.settings.ftpPassword.clear();
    state.settings.ftpServer.clear();
    state.settings.ftpLoginKind = QStringLiteral("Anonymous");

    const QString path = settingsFilePath(*this);
    bool invalid = false;
    if (!QFileInfo(path).isFile()) {
        loadSettingsDefaults(systemLanguage(*this), state);
    } else {
        QByteArray bytes;
        QString error;
        if (readOwnFile(path, &bytes, &error)) {
            invalid = !loadSettingsLines(settingsLinesFromBytes(bytes, m_platform.ansiCodePage()),
                                         systemLanguage(*this), state);
        } else {
            // A file that cannot be read is left alone; the start goes on as without one.
            m_prompts.defaultError(QStringLiteral("Cannot open file \"%1\": %2").arg(path, error));
            loadSettingsDefaults(systemLanguage(*this), state);
        }
    }

    settings = state.settings;
    InterfaceLanguage = state.language;
    document.SaveEncoding = state.saveEncoding;
    if (state.fontSize)
        m_editor->setFontPoints(*state.fontSize);
    for (int i = 0; i < HtmlColorCount; ++i)
        if (state.colors[i])
            m_editor->setHtmlColor(kAttrs[i], *state.colors[i]);
    if (invalid)
        QFile::remove(path);
}

void TMainForm::SaveSessionSettings()
{
    const QString path = settingsFilePath(*this);
    const QString codePage = m_platform.ansiCodePage();
    QStringList read;
    const bool exists = QFileInfo(path).isFile();
    if (exists) {
        QByteArray bytes;
        QString error;
        if (!readOwnFile(path, &bytes, &error))
            throw fileError("Cannot open file", path, error);
        read = settingsLinesFromBytes(bytes, codePage);
    }
    const SessionValues values{InterfaceLanguage, document.SaveEncoding, settings.ftpClient, settings.flag18,
                               settings.webSite};
    const QByteArray bytes = settingsFileBytes(sessionSettingsLines(exists ? &read : nullptr, values), codePage);
    QString error;
    if (writeOwnFile(path, bytes, true, &error))
        return;
    DeleteSettingsViaUpdater(*this, path);
    m_platform.sleepMs(400);
    if (!writeOwnFile(path, bytes, true, &error))
        throw fileError("Cannot create file", path, error);
}

SORVEX_HANDLER(Settings2Click)
{
    auto *d = form.dialogAs<TFormSetup>(QStringLiteral("TFormSetup"));
    if (!d)
        return;
    d->PLanguage = form.InterfaceLanguage;
    quint32 colors[HtmlColorCount];
    for (int i = 0; i < HtmlColorCount; ++i)
        colors[i] = form.editor()->htmlColor(kAttrs[i]);
    d->setColorFields(colors);
    d->setEditorFont(form.editor()->fontFamily(), form.editor()->fontPoints());
    d->IniPath = form.platform().settingsFolder();
    form.execDialog(d);
    form.LoadSettings();
    form.applyGutter();
    form.editor()->viewport()->update();
}

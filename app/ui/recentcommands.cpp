// The last four files in the File menu, kept in "files.txt" between runs.
#include "app/platform.h"
#include "app/recentfiles.h"
#include "app/settingsfile.h"
#include "app/ui/launchcommands.h"
#include "app/ui/mainform.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

namespace {

const char *const kItems[RecentFiles::Count] = {"file11", "file21", "file31", "file41"};

bool fileExists(const QString &path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

// Every entry that is shown sets its item's caption and hint (the full path) and makes
// it visible; "Clear last files..." is visible while any item is.
void showEntries(TMainForm &form)
{
    bool any = false;
    for (int n = 0; n < RecentFiles::Count; ++n) {
        QAction *a = form.action(QString::fromLatin1(kItems[n]));
        if (!a)
            continue;
        const bool shown = form.recentFiles.shown(n);
        if (shown) {
            const RecentEntry &e = form.recentFiles.entry(n);
            a->setText(menuCaption(e.name));
            a->setStatusTip(e.path);
        }
        a->setVisible(shown);
        any = any || shown;
    }
    if (QAction *del = form.action(QStringLiteral("DelLast")))
        del->setVisible(any);
}

bool writeRecentFiles(TMainForm &form, const QByteArray &bytes)
{
    return writeOwnFile(recentFilesPath(form), bytes, false);
}

void OpenRecentFile(TMainForm &form, int n)
{
    const QString path = form.recentFiles.entry(n).path;
    if (fileExists(path))
        form.PerformFileOpen(path);
}

} // namespace

QString recentFilesPath(TMainForm &form) { return form.platform().settingsFolder() + QStringLiteral("files.txt"); }

void TMainForm::ClearRecentFiles()
{
    recentFiles.clear();
    for (const char *item : kItems)
        if (QAction *a = action(QString::fromLatin1(item)))
            a->setVisible(false);
    if (QAction *del = action(QStringLiteral("DelLast")))
        del->setVisible(false);
}

void TMainForm::LoadRecentFiles()
{
    const QString path = recentFilesPath(*this);
    QByteArray bytes;
    if (QFileInfo(path).isFile() && readOwnFile(path, &bytes)) {
        // A file opened before the list was read (the one named on the command line)
        // enters the list read, as any file opened later would.
        const RecentFiles before = recentFiles;
        recentFiles.load(splitFileLines(decodeOwnFile(bytes, m_platform.ansiCodePage())), fileExists);
        for (int n = RecentFiles::Count - 1; n >= 0; --n)
            if (before.shown(n))
                recentFiles.add(before.entry(n).path);
    }
    showEntries(*this);
}

void TMainForm::AddRecentFile(const QString &path)
{
    recentFiles.add(path);
    showEntries(*this);
}

void TMainForm::SaveRecentFiles()
{
    const QByteArray bytes = ownFileBytes(joinFileLines(recentFiles.lines()), m_platform.ansiCodePage());
    if (writeRecentFiles(*this, bytes))
        return;
    DeleteSettingsViaUpdater(*this, recentFilesPath(*this));
    m_platform.sleepMs(300);
    writeRecentFiles(*this, bytes);
}

SORVEX_HANDLER(file11Click) { OpenRecentFile(form, 0); }
SORVEX_HANDLER(file21Click) { OpenRecentFile(form, 1); }
SORVEX_HANDLER(file31Click) { OpenRecentFile(form, 2); }
SORVEX_HANDLER(file41Click) { OpenRecentFile(form, 3); }

SORVEX_HANDLER(DelLastClick)
{
    const QString path = recentFilesPath(form);
    if (QFileInfo::exists(path))
        QFile::remove(path);
    form.ClearRecentFiles();
}

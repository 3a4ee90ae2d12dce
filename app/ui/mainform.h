// The main window: menu bar, two toolbars, the source editor, the status bar, and every
// command as a handler registered in app/ui/registry.h.
#pragma once

#include "app/catalogue.h"
#include "app/document.h"
#include "app/recentfiles.h"
#include "app/settings.h"
#include "app/ui/registry.h"
#include "app/ui/uiprompts.h"
#include "checks/codecheck.h"
#include "structure/locator.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <memory>

class Platform;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class ScintillaBuffer;
class SynEdit;
class EditorBuffer;

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    TMainForm(Platform &platform, UiPrompts &prompts, const QStringList &arguments);
    ~TMainForm() override;

    // The services every command works with.
    EditorBuffer &buffer();
    SynEdit *editor() const { return m_editor; }
    Platform &platform() const { return m_platform; }
    UiPrompts &prompts() const { return m_prompts; }
    QString Message(int n) const { return m_catalogue.message(n); }
    const QStringList &arguments() const { return m_arguments; }

    // The dialog windows, created once at start-up in the fixed order.
    static const QStringList &dialogOrder();
    QDialog *dialog(const QString &name) const { return m_dialogs.value(name); }
    template <class T> T *dialogAs(const QString &name) const { return qobject_cast<T *>(dialog(name)); }
    // Shows a dialog modally (through the prompts, so that the driver can answer it).
    int execDialog(QDialog *dialog) { return m_prompts.execDialog(dialog); }

    // Runs a handler of the command table; an error no command catches is shown in the
    // default error box and the application goes on.
    void run(const QString &handler, const Sender &sender);
    // Runs the handler bound to the item or button of that name, as its click would.
    void trigger(const QString &itemName);
    QAction *action(const QString &name) const { return m_actions.value(name); }
    QMenu *menu(const QString &name) const { return m_menus.value(name); }
    // Releases the pressed state of a two-state toolbar button.
    void releaseButton(const QString &name);

    // Status bar panels 0..3.
    QLabel *panel(int index) const { return m_panels[index]; }
    void setPanelText(int index, const QString &text);

    // Main-window state shared by the Parts.
    Document document;
    RunningSettings settings;
    RecentFiles recentFiles;
    int InterfaceLanguage = 0;
    bool SaveCancelled = false;
    // The code check's problem markers at the last scan (F4 visits them).
    QList<sx::ProblemMatch> ProblemMatches;
    int NextProblemIndex = 0;
    // The element locator's flags (CellSelected, RowOrTableSelected) and last span.
    LocatorState locator;
    QString helpFile;
    // Initial folders and names of the common dialogs, kept between uses.
    QString openDialogFolder, saveDialogFolder, saveDialogFileName, backupDialogFolder;

    // The toolbar's font, colour and size boxes.
    QComboBox *ComboFont1 = nullptr;
    QComboBox *ComboColor = nullptr;
    QComboBox *EditSize = nullptr;
    // The colour value of ComboColor (red in the low byte; 0x1FFFFFFF = no colour).
    quint32 comboColorValue() const;

    // Start-up, window and shutdown.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void ShowHint(const QString &hint);
    void SelectFontInCombo(const QString &name);
    void FormCloseQuery(bool &canClose);
    void FormClose();
    void FileExit();
    void WMDropFiles(const QStringList &paths);
    // The application-wide hook: hands files dropped anywhere on the window to
    // WMDropFiles; true when it handled the event.
    bool AppMessage(QObject *watched, QEvent *e);

    // Language.
    void ApplyLanguage();

    // Editor helpers.
    void UpdateCaretStatus();
    void SetBookmarkAtCaret(int n);
    void ClearBookmark(int n);
    void ClearAllBookmarks();
    void GotoBookmark(int n);
    bool bookmarkMarked(int n) const { return n >= 0 && n < 10 && m_bookmarkMarks[n]; }
    void syncBookmarkMarks();
    void SynMemo1GutterClick(int line);
    void ToolButton3Click();

    // Operations of the document, settings, recent-files, launch and check Parts.
    void SetFileName(const QString &name);
    bool PerformFileOpen(const QString &path);
    void ConfirmSaveChanges();
    void UpdateGeneratorMeta();
    void LoadSettings();
    void SaveSessionSettings();
    void ClearRecentFiles();
    void LoadRecentFiles();
    void SaveRecentFiles();
    void AddRecentFile(const QString &path);
    void CheckForUpdateAtStart();
    void ScanProblems();
    void ShowNextProblem();
    // New with a ready page (the frameset command): the document becomes untitled and
    // modified, without bookmarks, with pageText as its whole text (one undoable edit) and
    // the caret at the start. The FileNew handler started with the sender "Frameset1"
    // does the same with the "FrameSeite" property of the TFormFrames dialog.
    void FileNewFrameset(const QString &pageText);

    // The gutter as the settings ask: width 45 with line numbers, else 25 without.
    void applyGutter();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    bool event(QEvent *e) override;

private:
    void buildCommands();
    void buildToolbarBoxes(QToolBar *bar);
    void createDialogs();

    Platform &m_platform;
    UiPrompts &m_prompts;
    QStringList m_arguments;
    MessageCatalogue m_catalogue;
    SynEdit *m_editor = nullptr;
    std::unique_ptr<ScintillaBuffer> m_buffer;
    QLabel *m_panels[4] = {};
    QMap<QString, QAction *> m_actions;
    QMap<QString, QMenu *> m_menus;
    QMap<QString, QToolBar *> m_toolbars;
    QMap<QString, QDialog *> m_dialogs;
    bool m_shown = false;
    bool m_exitConfirmed = false; // FileExit has asked; the close request does not ask again
    bool m_bookmarkMarks[10] = {};
    const void *m_lastKeyEvent = nullptr;
    QPointer<QWidget> m_lastKeyReceiver;
};

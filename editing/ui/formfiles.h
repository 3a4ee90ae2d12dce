// The window that searches and replaces a text across a set of files the user picks. It
// is not modal: the main window stays usable beside it. The runs themselves are in
// editing/multifile.h; the window shows the lists, asks and reloads the main document.
#pragma once

#include "editing/multifile.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class TMainForm;

class TFormFiles : public QDialog
{
    Q_OBJECT
public:
    explicit TFormFiles(QWidget *parent = nullptr);

    // Set by the opener: true for English texts, false for German.
    bool Sprache = false;
    // The folder the open-file dialog starts in; emptied when the window closes.
    QString CurDir;
    // The file being processed, and the file "Show file" opens.
    QString FileName;
    // The loaded paths and the two visible lists.
    MultiFileLists lists;

    // Shows the window without blocking; a shown window comes to the front as it is.
    void showNonModal();

    // The buttons.
    void BitBtn4Click();           // New
    void BitBtn1Click();           // Load files
    void BitBtn5Click();           // remove entries
    void BtnBackToSearchClick();   // back to the search list
    void BitBtn3Click();           // Start
    void ButtonSearchOpenClick();  // Show file (search list)
    void ButtonResultOpenClick();  // Show file (result list)
    void BitBtn2Click();           // Close

    MultiFileSearch searchFields() const;

    QGroupBox *GroupBox1;
    QLabel *Label1, *Label2, *LabelTreffer, *Label3, *Label4, *StaticText1, *StaticText2;
    QLineEdit *EditSearch, *EditReplace, *EditTreffer, *Edit1, *Edit2;
    QCheckBox *CheckBoxCase, *CheckBoxWord, *CheckBoxSearch, *CheckBoxAll;
    QListWidget *ListBox1, *ListBoxSearch, *ListBoxResult;
    QProgressBar *ProgressBar1;
    QPushButton *ButtonSearchOpen, *ButtonResultOpen, *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn5,
        *BtnBackToSearch;

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void FormShow();
    void applyTexts();
    // The widgets from lists; the search list keeps the selection of the rows given as
    // selected (rows of the new list).
    void showLists(const std::vector<qsizetype> &selectedSearchRows = {});
    void showCounts();
    void showFile(QListWidget *list, const QString &nothingSelected);
    void reloadMainDocument();
    void message(const QString &text);
    TMainForm *mainForm() const;
    template <class Fn> void guarded(Fn fn);

    // The message texts, in the language of the first show.
    bool m_messagesSet = false;
    QString m_noFiles, m_noSearchText, m_noSearchSelection, m_noResultSelection, m_systemError, m_reloadQuestion;
};

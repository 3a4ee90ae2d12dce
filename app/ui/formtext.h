// The simple text editor: a plain-text scratch window beside the source editor, for notes
// and snippets. It never touches the main window's document.
//
// Other commands share its text area: the page-text extraction shows its result here, the
// JavaScript string command leaves its result here, and a command that wants the user to
// paste into it shows it modally with showModal().
#pragma once

#include "app/document.h"

#include <QDialog>

class QPlainTextEdit;
class QStatusBar;
class QToolBar;
class TMainForm;

class TFormText : public QDialog
{
    Q_OBJECT
public:
    explicit TFormText(QWidget *parent = nullptr);

    // 0 German, anything else English; set by the main window before the window is shown.
    int Language = 0;
    // The file last opened or saved under a name; survives New and closing the window.
    QString CurrentFile;

    QPlainTextEdit *Memo = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;

    // The text, its lines joined by CR LF.
    QString text() const;
    // Replaces the whole text as one undo step; the caret goes to the start.
    void setText(const QString &text);

    // Shows the window without blocking; a shown window comes to the front, its text
    // unchanged.
    void showNonModal();
    // Shows the window modally through the main window's prompts; returns the result.
    int showModal(TMainForm &form);

    bool wordWrap() const;
    int toolbarIndent() const { return m_indent; }

    // The toolbar's buttons.
    void ToolButton1Click();    // New
    void ToolButton2Click();    // Open file
    void ToolButton3Click();    // Save as
    void ButtonspeichernClick(); // Save
    void ToolButton14Click();   // Select all
    void ToolButton6Click();    // Copy
    void ToolButton5Click();    // Paste
    void ToolButton7Click();    // Cut
    void ToolButton4Click();    // Undo
    void ToolButton10Click();   // Delete
    void ToolButton13Click();   // WordWrap on/off
    void ToolButton11Click();   // Exit

    void FormShow();
    void FormResize();

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    TMainForm *mainForm() const;
    void applyHints();
    bool readInto(const QString &path);
    bool writeTo(const QString &path);
    // Runs a button's action; an error it raises goes to the default error box.
    template <class Fn> void guarded(Fn fn);

    TextEncoding m_encoding; // of the last read (ANSI before any)
    int m_indent = 80;
    QWidget *m_indentSpacer = nullptr;
};

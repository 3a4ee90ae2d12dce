// New: the open document is replaced by an untitled page, built from a document type and
// a page kind, or by the page text of the frameset dialog.
#include "app/templates.h"
#include "app/ui/mainform.h"
#include "app/ui/selpagedialog.h"
#include "checks/ui/doctypedialog.h"
#include "editing/editorbuffer.h"

#include <QVariant>

namespace {

// The document becomes untitled, without bookmarks, with this text as one undoable edit
// (Undo brings the discarded text back), this modified flag and the caret at the start.
void startNewDocument(TMainForm &form, const QString &text, bool modified)
{
    form.ClearAllBookmarks();
    form.releaseButton(QStringLiteral("ToolButton1"));
    form.SetFileName(form.Message(0));
    EditorBuffer &b = form.buffer();
    b.setText(text);
    b.setModified(modified);
    b.setSelStart(0);
}

} // namespace

void TMainForm::FileNewFrameset(const QString &pageText)
{
    startNewDocument(*this, pageText, true);
}

SORVEX_HANDLER(FileNew)
{
    if (sender.name == QLatin1String("Frameset1")) {
        // Started from the frameset command: the page is its dialog's FrameSeite.
        QString page;
        if (QDialog *d = form.dialog(QStringLiteral("TFormFrames")))
            page = d->property("FrameSeite").toString();
        form.FileNewFrameset(page);
        return;
    }
    // The dialogs come first; the document is replaced once, whatever they answer. A
    // cancelled document type leaves a single space, unmodified; a cancelled page kind a
    // single space, modified.
    QString text = QStringLiteral(" ");
    bool modified = false;
    TFormDocType *types = form.dialogAs<TFormDocType>(QStringLiteral("TFormDocType"));
    TFormSelPage *pages = form.dialogAs<TFormSelPage>(QStringLiteral("TFormSelPage"));
    if (types && pages) {
        types->Language = form.InterfaceLanguage;
        if (form.execDialog(types) == QDialog::Accepted) {
            modified = true;
            const int dtype = types->DType;
            pages->Language = form.InterfaceLanguage;
            if (form.execDialog(pages) == QDialog::Accepted)
                text = sx::NewPageText(dtype, pages->pageKind(), form.settings.charset);
        }
    }
    startNewDocument(form, text, modified);
}

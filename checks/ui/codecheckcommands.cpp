// The "Check HTML" command and the problem markers that F4 visits.
#include "app/ui/documentcommands.h"
#include "app/ui/mainform.h"
#include "checks/codecheck.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QApplication>
#include <QCursor>
#include <algorithm>

namespace {

const QString kCaption = QStringLiteral("Sorvex");

sx::CheckTexts checkTexts(TMainForm &form)
{
    sx::CheckTexts t;
    t.closingMissing = form.Message(12);
    t.forTag = form.Message(13);
    t.missing = form.Message(14);
    t.redundant = form.Message(16);
    t.deleted = form.Message(17);
    t.finished = form.Message(32);
    t.language = form.InterfaceLanguage;
    return t;
}

// The hourglass for the time of the check.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

SORVEX_HANDLER(Paragraph1Click)
{
    form.NextProblemIndex = 0;
    EditorBuffer &buffer = form.buffer();
    const QString text = buffer.text();
    if (sx::isBlank(text))
        return;
    const QString ext = sx::lowerAscii(sx::extensionPart(form.document.FFileName));
    if (!form.document.hasFile() || (ext != QLatin1String(".htm") && ext != QLatin1String(".html"))) {
        form.prompts().message(MsgKind::Information, kCaption, form.Message(216), Btn::OK);
        return;
    }
    sx::CodeCheckResult result;
    bool writeFailed = false;
    {
        WaitCursor wait;
        result = sx::RunCodeCheck(text, checkTexts(form));
        // The clean-up, the removal of empty elements, the block markers and the
        // generator meta element reach the editor as one edit; the document keeps its
        // line-break style and the caret its offset.
        if (result.text != text) {
            const qsizetype caret = buffer.selStart();
            buffer.replaceRange(0, buffer.length(), result.text);
            buffer.setSelStart(std::min(caret, buffer.length()));
        }
        // A repaired end tag is written to the document's file at once, without prompt
        // or backup.
        if (result.repairs > 0)
            writeFailed = !WriteDocumentLines(form, form.document.FFileName);
    }
    // The repair is in the editor either way; a file that could not take it is said so
    // before the report, which would otherwise read as if the page were saved.
    if (writeFailed)
        form.prompts().message(MsgKind::Error, kCaption, form.Message(24) + form.document.FFileName, Btn::OK);
    form.prompts().message(MsgKind::Information, kCaption, result.report, Btn::OK);
    buffer.setModified(true);
    if (result.markerConverted)
        form.ScanProblems();
}

void TMainForm::ScanProblems()
{
    NextProblemIndex = 0;
    ProblemMatches = sx::FindProblems(buffer().text());
    if (ProblemMatches.isEmpty()) {
        prompts().message(MsgKind::Information, kCaption, sx::noProblemsText(InterfaceLanguage), Btn::OK);
        return;
    }
    const int answer = prompts().message(MsgKind::Information, kCaption,
                                         sx::problemsFoundText(InterfaceLanguage, ProblemMatches.size()), Btn::OKCancel);
    if (answer == Btn::OK)
        ShowNextProblem();
}

void TMainForm::ShowNextProblem()
{
    if (!ProblemMatches.isEmpty() && NextProblemIndex >= 0 && NextProblemIndex < ProblemMatches.size()) {
        const sx::ProblemMatch &m = ProblemMatches[NextProblemIndex];
        EditorBuffer &b = buffer();
        b.setSelStart(m.position - 1);
        b.setSelLength(m.length);
        ++NextProblemIndex;
        return;
    }
    prompts().message(MsgKind::Information, QStringLiteral("Veltrax"), sx::noFurtherErrorsText(InterfaceLanguage), Btn::OK);
    NextProblemIndex = 0;
}

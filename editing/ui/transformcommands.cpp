// The text transformations as commands: each reads the editor, computes with the logic of
// editing/transforms.h, and changes the document in one undoable edit.
#include "app/ui/formtext.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"
#include "editing/transforms.h"

namespace {

TFormText *scratchEditor(TMainForm &form) { return form.dialogAs<TFormText>(QStringLiteral("TFormText")); }

} // namespace

SORVEX_HANDLER(NoLineFeed1Click)
{
    EditorBuffer &b = form.buffer();
    b.setText(sx::RemoveLineBreaks(b.text()));
}

SORVEX_HANDLER(InsertLineFeeds1Click)
{
    EditorBuffer &b = form.buffer();
    b.setText(sx::InsertLineBreaks(b.text()));
}

SORVEX_HANDLER(RemoveHyphenation1Click)
{
    EditorBuffer &b = form.buffer();
    const sx::HyphenationResult r = sx::RemoveHyphenation(b.text());
    if (r.count > 0) {
        // One edit from the first removed hyphen through the last; the caret ends where
        // the last one was.
        const qsizetype span = r.last - r.first + 1;
        b.replaceRange(r.first, span, r.text.mid(r.first, span - r.count));
    }
    form.prompts().message(MsgKind::Plain, QStringLiteral("Sorvex"), QString::number(r.count) + form.Message(34), Btn::OK);
}

SORVEX_HANDLER(UppertoLower1Click)
{
    EditorBuffer &b = form.buffer();
    if (b.selLength() > 0)
        b.setSelText(sx::UpperToLower(b.selText()));
}

SORVEX_HANDLER(LowertoUpper1Click)
{
    EditorBuffer &b = form.buffer();
    if (b.selLength() > 0)
        b.setSelText(sx::LowerToUpper(b.selText()));
}

SORVEX_HANDLER(Replace3Click)
{
    EditorBuffer &b = form.buffer();
    b.setText(sx::ReplaceSpecialChars(b.text()));
}

SORVEX_HANDLER(MakeEntitie1Click)
{
    EditorBuffer &b = form.buffer();
    const QString selected = b.selText();
    if (selected.isEmpty()) {
        form.prompts().message(MsgKind::Confirmation, QStringLiteral("Sorvex"), form.Message(38), Btn::OK);
        return;
    }
    b.setSelText(sx::CharacterReference(selected));
}

SORVEX_HANDLER(MakeStringVariable1Click)
{
    EditorBuffer &b = form.buffer();
    const QString result = sx::MakeStringVariable(b.selText());
    if (result.isNull())
        return;
    // The scratch editor's text area is the working buffer: it keeps the result.
    if (TFormText *t = scratchEditor(form))
        t->setText(result);
    b.setSelText(result);
}

SORVEX_HANDLER(FilterText1Click)
{
    const QString text = sx::ExtractPageText(form.buffer().text());
    TFormText *t = scratchEditor(form);
    if (!t)
        return;
    t->setText(text);
    t->Language = form.InterfaceLanguage;
    t->showNonModal();
}

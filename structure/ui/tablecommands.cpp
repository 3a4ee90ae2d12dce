// The table-structure commands of the main window: select a cell, row, table, form, div
// or span; insert and delete rows and cells; merge and split cells.
#include "app/ui/mainform.h"
#include "structure/cells.h"
#include "structure/locator.h"
#include "structure/ui/structuredialogs.h"

#include <QPushButton>

namespace {

StructureContext contextOf(TMainForm &form)
{
    return StructureContext{form.buffer(), form.prompts(), [&form](int n) { return form.Message(n); },
                            form.locator};
}

void select(TMainForm &form, QStringView openTag, QStringView closeTag)
{
    StructureContext ctx = contextOf(form);
    SelectEnclosingElement(ctx, openTag, closeTag);
}

// Before or behind: the position dialog with its "End of table" button disabled while
// these commands show it.
AskPosition askPosition(TMainForm &form)
{
    return [&form]() -> int {
        TFormInsTR *d = form.dialogAs<TFormInsTR>(QStringLiteral("TFormInsTR"));
        if (!d)
            return -1;
        d->Sprache = form.InterfaceLanguage;
        d->BitBtn4->setEnabled(false);
        form.execDialog(d);
        d->BitBtn4->setEnabled(true);
        return d->Vor;
    };
}

void insertItem(TMainForm &form, bool isCell)
{
    StructureContext ctx = contextOf(form);
    InsertTableItem(ctx, isCell, askPosition(form));
}

// The delete commands select through their select button, then read its flag.
void deleteElement(TMainForm &form, const QString &selectButton, bool cell)
{
    form.trigger(selectButton);
    StructureContext ctx = contextOf(form);
    ConfirmDeleteSelection(ctx, cell ? form.locator.CellSelected : form.locator.RowOrTableSelected);
}

} // namespace

SORVEX_HANDLER(ToolButton8Click) { select(form, u"<td", u"</td>"); }
SORVEX_HANDLER(ToolButton11Click) { select(form, u"<tr", u"</tr>"); }
SORVEX_HANDLER(ToolButton12Click) { select(form, u"<table", u"</table>"); }
SORVEX_HANDLER(ToolButton19Click) { select(form, u"<form", u"</form>"); }

SORVEX_HANDLER(ToolButtonShowDivClick)
{
    TFormBlock *d = form.dialogAs<TFormBlock>(QStringLiteral("TFormBlock"));
    if (!d)
        return;
    d->Sprache = form.InterfaceLanguage;
    if (form.execDialog(d) != QDialog::Accepted)
        return;
    if (d->ItemIndex() == 0)
        select(form, u"<div", u"</div>");
    else
        select(form, u"<span", u"</span>");
}

SORVEX_HANDLER(InsertRow1Click) { insertItem(form, false); }
SORVEX_HANDLER(InsertColumn1Click) { insertItem(form, true); }
SORVEX_HANDLER(ToolButtonInsRowClick) { form.trigger(QStringLiteral("InsertRow1")); }
SORVEX_HANDLER(ToolButtonInsTDClick) { form.trigger(QStringLiteral("InsertColumn1")); }

SORVEX_HANDLER(ToolButtonDelRowClick) { deleteElement(form, QStringLiteral("ToolButton11"), false); }
SORVEX_HANDLER(ToolButtonDelTDClick) { deleteElement(form, QStringLiteral("ToolButton8"), true); }
SORVEX_HANDLER(ToolButtonDelTableClick) { deleteElement(form, QStringLiteral("ToolButton12"), false); }

SORVEX_HANDLER(ToolButtonMergeClick)
{
    StructureContext ctx = contextOf(form);
    MergeSelectedCells(ctx);
}

SORVEX_HANDLER(ToolButtonSplitClick)
{
    // The new cell comes from the insert-cell command (InsertColumn1), computed together
    // with the lowered span so that one undo takes back the whole split.
    StructureContext ctx = contextOf(form);
    SplitSelectedCell(ctx, askPosition(form));
}

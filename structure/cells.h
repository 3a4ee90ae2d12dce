// Table rows and cells in the source text: insert a row or cell before or behind the one
// around the caret, delete the cell, row or table around it, merge selected cells of a
// row into the first one, split a cell. Plain string searches; no table model.
#pragma once

#include "structure/locator.h"

#include <QString>
#include <QStringView>
#include <functional>

// The only cell text these commands write, and the new row (always one cell).
QString NewCellText();
QString NewRowText();

// The position dialog's answer: -1 nothing chosen (cancel, window closed), 0 before the
// current position, 1 behind it.
using AskPosition = std::function<int()>;

// Where an insertion before (after = false) or behind the row or cell around the caret
// goes, in a text with the given selection: a selection that is itself a whole row or
// cell is taken as it is; otherwise the locator runs from selStart (recording its result
// and showing message 19 through ctx); without an enclosing element, the selection's
// start or end. Returns the 0-based insertion offset.
qsizetype InsertionOffset(StructureContext &ctx, QStringView text, qsizetype selStart, qsizetype selLength,
                          bool after, bool isCell);

// Leaves an empty selection at the insertion point in the editor.
void PlaceCaretForInsert(StructureContext &ctx, bool after, bool isCell);

// The insert-row (isCell false) and insert-cell commands: asks before or behind, inserts
// the new text as one edit and selects its first character.
void InsertTableItem(StructureContext &ctx, bool isCell, const AskPosition &ask);

// The second half of the delete commands, after the select command ran: when flagSet,
// asks message 29 and on Yes deletes the selection.
void ConfirmDeleteSelection(StructureContext &ctx, bool flagSet);

// Merging the flattened selection. Result is empty when the merge refuses; message is
// then the catalogue line to show as an error (40, 41 or 42), or 0 for none.
struct MergeOutcome {
    QString Result;
    int Count = 1;
    int message = 0;
};
MergeOutcome MergeCells(QStringView sel);

// Text with the column span of its first cell start tag adjusted for Count joined cells:
// an existing "colspan=" value V becomes max(1, V - 1 + Count); without one, Count > 1
// inserts ' colspan="Count" ' before the tag's ">". The tag is the "<td" the text begins
// with (after blanks), or else the first "<td" inside it: the span is never written
// outside a cell start tag, and a text without one comes back unchanged.
QString AdjustSpan(QStringView text, long long count);

// The merge command on the editor's selection (one edit).
void MergeSelectedCells(StructureContext &ctx);

// The split command: lowers the span of the selected cell by one and adds a new cell
// through the insert-cell step; both changes are one edit.
void SplitSelectedCell(StructureContext &ctx, const AskPosition &ask);

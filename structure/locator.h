// The element locator: finds, in the raw source text, the element of a kind (cell, row,
// table, form, div, span) that encloses the caret, and selects its whole text.
//
// There is no document model: the start tag is found by a backward scan from the caret
// that counts the closing tags lying wholly before the caret, the end by a forward search
// that steps over nested tables (or nested elements of the same name for div and span).
#pragma once

#include "app/prompts.h"

#include <QString>
#include <QStringView>
#include <functional>

class EditorBuffer;

// The element found around the caret: Start is the 0-based offset of the "<" of its
// start tag, Length runs through the last character of its closing tag (or to the end of
// the text when no closing tag follows).
struct ElementSpan {
    qsizetype Start = 0;
    qsizetype Length = 0;
    bool operator==(const ElementSpan &o) const { return Start == o.Start && Length == o.Length; }
};

// What the last run of the locator selected. Owned by the main window; both flags are
// cleared by every run and a successful run sets at most one of them.
struct LocatorState {
    bool CellSelected = false;
    bool RowOrTableSelected = false;
    ElementSpan span;
};

// An element kind: the start-tag prefix ("<td"), the closing tag ("</td>"), the closing
// stub that the backward scan counts ("</td") and the pair the forward search steps over.
struct ElementKind {
    QString OpenTag, CloseTag, CloseStub, NestOpen, NestClose;
};
ElementKind elementKind(QStringView openTag, QStringView closeTag);

enum class LocateOutcome {
    Found,       // span holds the element
    NotFound,    // nothing of the kind encloses the caret
    AtTextStart, // the start tag begins at the first character of the text (message 19)
};

struct LocateResult {
    LocateOutcome outcome = LocateOutcome::NotFound;
    ElementSpan span;
};

// The search itself, on the whole text and the caret offset selStart. Works on the one
// text with positions; nothing is copied per candidate position.
LocateResult LocateElement(QStringView text, qsizetype selStart, QStringView openTag, QStringView closeTag);

// What the structure commands work with: the editor, the message boxes, the catalogue
// texts and the locator state of the main window.
struct StructureContext {
    EditorBuffer &buffer;
    Prompts &prompts;
    std::function<QString(int)> message;
    LocatorState &state;
};

// The box of message n with the caption "Sorvex"; returns the button pressed.
int ShowStructureMessage(StructureContext &ctx, MsgKind kind, int n, int buttons = Btn::OK);

// Records a result in the state (flags, span) and shows message 19 when the start tag
// stands at the very start of the text. Does not touch the editor.
void NoteLocateResult(StructureContext &ctx, const LocateResult &r, QStringView openTag);

// Finds the element around the caret and selects it (SelStart, then SelLength); sets the
// flag of its kind. Nothing found: the selection stays as it was.
void SelectEnclosingElement(StructureContext &ctx, QStringView openTag, QStringView closeTag);

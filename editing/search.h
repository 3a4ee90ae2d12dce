// Find, replace and go to line in the open document.
//
// The search state lives for the whole run and is shared by the find window, the replace
// window and the find-next command. Positions are 1-based text positions; a found text at
// P with length L is shown by selecting L units from SelStart P - 1.
#pragma once

#include "app/prompts.h"
#include "editing/editorbuffer.h"

#include <QString>
#include <functional>

struct SearchState {
    QString LastFindText;
    bool SearchMatchCase = false;
    bool SearchWholeWord = false;
    qsizetype FindNextStart = 0;
};

// The catalogue text of message N.
using MessageText = std::function<QString(int)>;

// What the search commands work with.
struct SearchContext {
    EditorBuffer &buffer;
    Prompts &prompts;
    MessageText message;
};

// The same acceptable occurrence as FindInText(whole text, needle, start, length of the
// text, wholeWord, matchCase) finds, reading only the part of the buffer the search
// needs: windows of chunk units (growing) from start on. 1-based position, 0 when there is
// none (every "not found" of FindInText).
qsizetype FindInBuffer(const EditorBuffer &buffer, QStringView needle, qsizetype start, bool wholeWord,
                       bool matchCase, qsizetype chunk = 4096);

// Where a search of the find and replace windows starts: right after the selection, or at
// position 1 when nothing is selected.
qsizetype dialogSearchStart(const EditorBuffer &buffer);

// The find window's Find Next: true when found (the caller then activates the main
// window; the found text is selected).
bool DoFind(SearchContext &ctx, SearchState &state, const QString &findText, bool matchCase, bool wholeWord);
// The replace window's Find Next.
bool DoReplaceFind(SearchContext &ctx, SearchState &state, const QString &findText, bool matchCase);
// The replace window's Replace All: the whole text rewritten as one edit.
void DoReplaceAll(EditorBuffer &buffer, const QString &findText, const QString &replaceText, bool matchCase);
// The replace window's Replace: the selection, whatever it holds, becomes the replace text.
void DoReplace(EditorBuffer &buffer, const QString &replaceText);
// Find next (F3): true when found.
bool DoFindNext(SearchContext &ctx, SearchState &state);

// Opening the windows: the caret goes after the first character.
void PrepareFind(EditorBuffer &buffer);
void PrepareReplace(EditorBuffer &buffer);

// Asks for a line number and moves the caret to column 1 of that line.
void GoToLine(SearchContext &ctx);

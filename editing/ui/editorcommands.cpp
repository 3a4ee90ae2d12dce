// The editor's own small commands: undo, clipboard, select all, word wrap, bookmarks,
// and the language switch.
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"

SORVEX_HANDLER(EditUndo)
{
    form.releaseButton(QStringLiteral("UndoButton"));
    form.buffer().undo();
}

SORVEX_HANDLER(EditCut)
{
    form.releaseButton(QStringLiteral("CutButton"));
    form.buffer().cut();
}

SORVEX_HANDLER(EditCopy)
{
    form.releaseButton(QStringLiteral("CopyButton"));
    form.buffer().copy();
}

SORVEX_HANDLER(EditPaste)
{
    form.releaseButton(QStringLiteral("PasteButton"));
    form.buffer().paste();
}

SORVEX_HANDLER(Selectall1Click) { form.buffer().selectAll(); }

SORVEX_HANDLER(ToolButton3Click) { form.ToolButton3Click(); }

SORVEX_HANDLER(FileExit) { form.FileExit(); }

SORVEX_HANDLER(Englisch1Click)
{
    form.InterfaceLanguage = 1;
    form.ApplyLanguage();
}

SORVEX_HANDLER(Deutsch1Click)
{
    form.InterfaceLanguage = 0;
    form.ApplyLanguage();
}

SORVEX_HANDLER(DeleteBookmark1Click) { form.ClearAllBookmarks(); }

// "Set Bookmark..." items N01 ... N91 and "Goto Bookmark..." items N02 ... N92; the tag
// is the bookmark's number.
#define SET_BOOKMARK(Name)                                                                         \
    SORVEX_HANDLER(Name)                                                                           \
    {                                                                                              \
        form.SetBookmarkAtCaret(sender.tag);                                                       \
        form.syncBookmarkMarks();                                                                  \
    }
#define GOTO_BOOKMARK(Name)                                                                        \
    SORVEX_HANDLER(Name)                                                                           \
    {                                                                                              \
        form.GotoBookmark(sender.tag);                                                             \
        form.syncBookmarkMarks();                                                                  \
    }
SET_BOOKMARK(N01Click)
SET_BOOKMARK(N110Click)
SET_BOOKMARK(N27Click)
SET_BOOKMARK(N31Click)
SET_BOOKMARK(N41Click)
SET_BOOKMARK(N51Click)
SET_BOOKMARK(N61Click)
SET_BOOKMARK(N71Click)
SET_BOOKMARK(N81Click)
SET_BOOKMARK(N91Click)
GOTO_BOOKMARK(N02Click)
GOTO_BOOKMARK(N111Click)
GOTO_BOOKMARK(N28Click)
GOTO_BOOKMARK(N32Click)
GOTO_BOOKMARK(N42Click)
GOTO_BOOKMARK(N52Click)
GOTO_BOOKMARK(N62Click)
GOTO_BOOKMARK(N72Click)
GOTO_BOOKMARK(N82Click)
GOTO_BOOKMARK(N92Click)

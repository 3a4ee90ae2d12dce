// The main window's command table: every menu item, context-menu item and toolbar button
// with its name, caption, shortcut, hint and handler. Menus, toolbars and the context menu
// are built from it, and ApplyLanguage re-applies its captions and hints.
#pragma once

#include <QList>
#include <QString>

enum class ItemKind {
    MenuBar,     // a top-level menu of the menu bar
    Submenu,     // a submenu inside a menu
    Item,        // a menu item
    Separator,   // a menu separator
    Button,      // a toolbar button
    ToolSeparator,
    Widget,      // a control placed on a toolbar (font, colour and size boxes)
};

namespace ItemFlag {
enum : unsigned {
    Hidden = 1,       // hidden at start
    TwoState = 2,     // a toggle-style toolbar button
    Grouped = 4,      // part of an exclusive group (the alignment buttons)
    AlwaysHidden = 8, // a separator that is never shown
};
}

struct CommandDef {
    const char *name;     // objectName (empty for separators)
    const char *parent;   // the menu, submenu or toolbar that holds it
    ItemKind kind;
    int captionMsg;       // catalogue line of the caption, or -1
    const char *caption;  // fixed caption (UTF-8) when captionMsg is -1
    int hintMsg;          // catalogue line of the hint, or -1
    const char *hint;     // fixed hint when hintMsg is -1
    const char *shortcut; // portable key text ("Ctrl+Alt+B")
    const char *handler;  // handler name ("BoldButtonClick"), empty for submenus
    int tag;
    unsigned flags;
};

// Menu bar, then the context menu PopupMenu2, then the toolbars StandardToolBar
// (row break after ToolButtonSub: the second row is the toolbar StandardToolBarRow2)
// and ToolBar2, each in its order of appearance.
const QList<CommandDef> &commandTable();
const CommandDef *findCommand(const QString &name);

// The markup wrapping commands: tags around the selection, or a fixed piece of markup at
// the caret. Every command is one edit of the buffer.
#pragma once

#include "editing/editorbuffer.h"

#include <QString>

enum class SelectionTreatment {
    WrapTrimmed,  // a blank selection is dropped first; open + selection + close
    WrapAsIs,     // open + selection + close, blank or not
    InsertBefore, // the selection collapses to its start; the text goes in front of it
    Replace,      // the text replaces the selection
};

struct MarkupCommand {
    SelectionTreatment treatment;
    QString open;
    QString close; // empty for the fixed texts
};

namespace markup {
// The commands by the name of their handler; headings by level 1..6; alignment by tag
// (0 left, 1 right, 2 justify, anything else centre).
MarkupCommand bold();
MarkupCommand italic();
MarkupCommand underline();
MarkupCommand strike();
MarkupCommand sup();
MarkupCommand sub();
MarkupCommand align(int tag);
MarkupCommand indent();
MarkupCommand heading(int level);
MarkupCommand comment();
MarkupCommand lineBreak();
MarkupCommand horizontalLine();
MarkupCommand script();
} // namespace markup

void ApplyMarkup(EditorBuffer &buffer, const MarkupCommand &command);

// The list built from the selected text S (items split at CR LF only).
QString BuildListText(const QString &selected, bool ordered);
// The list command: blank selection dropped, then the selection replaced by the list.
void BuildList(EditorBuffer &buffer, bool ordered);

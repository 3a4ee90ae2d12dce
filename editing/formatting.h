// Fonts, colours and the removal of inline formatting.
#pragma once

#include "app/prompts.h"
#include "editing/editorbuffer.h"
#include "editing/htmlcolor.h"

#include <QString>
#include <optional>

// The styled span of the font command around the selected text: family, size ("px"
// appended to whatever was typed) and colour parts, each left out when its box is blank
// (the colour when it is NoColor).
QString FontSpan(const QString &family, const QString &size, quint32 color, const QString &selected);
// The font command: a blank selection is dropped, then the selection becomes the span.
void ApplyFontSpan(EditorBuffer &buffer, const QString &family, const QString &size, quint32 color);

// The colour the colour dialog opens with for the trimmed selected text S, if S names one:
// a code of more than 5 characters whose rest after its first "#" reads as a whole number
// ("#336699"), or the name of a colour constant without its "cl" ("Red", "BtnFace").
std::optional<quint32> ColorPreselection(const QString &selected);
// The colour command: preselects as above (else the dialog keeps lastColor, the colour
// of its last use) and on confirmation replaces the selection by the colour's HTML code.
// lastColor keeps the dialog's colour for the next use.
void ColorCommand(EditorBuffer &buffer, Prompts &prompts, quint32 &lastColor);

// Case-insensitive (A-Z) occurrences of head in text, overlapping ones included.
int CountOccurrences(QStringView text, QStringView head);
// Each opening tag that begins with head, from the head through the next ">", becomes one
// space; see the tests for the exact stopping rules.
QString RemoveOpenTags(QStringView text, QStringView head);

// The element around the caret: from the nearest "<" before SelStart through the ">" of
// the matching "</". As (SelStart, SelLength); nothing when there is none.
struct TextSpan {
    qsizetype start = 0;  // 0-based
    qsizetype length = 0;
};
std::optional<TextSpan> FormattedElementSpan(QStringView text, qsizetype selStart);
bool SelectFormattedElement(EditorBuffer &buffer);
// The element with its inline formatting tags taken out.
QString StripFormatting(const QString &element);
// Removes the inline formatting of the element around the caret (one edit of the whole
// text), then brings the view back near where the caret was.
void RemoveFormatting(EditorBuffer &buffer);
void RemoveFormatCommand(EditorBuffer &buffer);

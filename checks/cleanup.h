// The code clean-up: a fixed pipeline of text substitutions and scans that makes a page
// follow a few XHTML habits (lower-case tags and attribute names, quoted values, closed
// empty elements, no redundant markup, no line breaks inside tags, the html/head/body/
// title structure, balanced tags, a document type declaration).
//
// Every step works in one pass over the text; the results are those of the step-by-step
// substitutions, which tests/unit/cleanup_reference.h spells out literally and which the
// tests compare with on generated pages.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace sx {

struct CheckRun;

// The first "<!DOCTYPE" (any case) through the next ">", both included; empty when either
// is missing.
QString ExtractDoctype(QStringView text);

// Script and style blocks taken out of the text while the tag-level steps run. Each block
// ("<script" through the next "</script>", any case) is replaced by a placeholder
// "<!--script" + i + "-->" carrying a mark character that the page itself does not
// contain, so that only the clean-up's own placeholders are put back, each once, and a
// comment in the page that merely looks like one stays as it is.
struct ProtectedBlocks {
    QChar mark;           // a character absent from the page; null when none was free
    QStringList scripts;  // entry i: the block behind placeholder i
    QStringList styles;
};
enum class BlockKind { Script, Style };
// The placeholder of block i of a kind under a mark.
QString blockPlaceholder(BlockKind kind, int i, QChar mark);
// A character of the private-use area that the text does not contain (null if none).
QChar freeMarkCharacter(QStringView text);
QString ProtectBlocks(QStringView text, BlockKind kind, ProtectedBlocks &blocks);
// Puts the blocks of a kind back. Style blocks go back first, so that a script block
// inside a style block comes back with it.
QString RestoreBlocks(QStringView text, BlockKind kind, const ProtectedBlocks &blocks);

// Cleans the first tag of rest (its first "<" through its first ">"): spacing, attribute
// values (at most 11) taken out, the tag lower-cased and stripped of double quotes, the
// values put back in double quotes. Empty when rest holds no ">".
QString QuoteAttributes(QStringView rest);

// The tag pass: every tag lower-cased, its values quoted, br/hr/img/input closed.
QString TagPass(QStringView text);
// Line breaks inside tags become blanks.
QString JoinTagLines(QStringView text);
// The html, head, body and title structure.
QString CompletePageStructure(QStringView text);

// The whole pipeline. The balance passes append their report lines to run (when given)
// and record the end-tag repairs they made.
QString CleanupHtml(QStringView text, CheckRun *run = nullptr);

} // namespace sx

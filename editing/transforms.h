// Bulk text transformations: removing and inserting line breaks around protected script
// and style blocks, removing soft hyphenation from the page body, letter case, entities
// for umlauts and a few symbols, numeric character references, JavaScript string
// expressions and the page's plain text.
//
// Every function computes its result in one pass over the text; the commands apply it
// to the editor as one undoable edit.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace sx {

// ---------------------------------------------------------------------------------------
// Protected blocks.

enum class BlockKind { Script, Style };

// "<!--script0-->", "<!--style12-->": the text that stands for slot i while the line
// breaks are changed.
QString BlockPlaceholder(BlockKind kind, int slot);

// A text in which script and style blocks are cut out and replaced by placeholders.
//
// The placeholders the protection put in are recorded by position, so that text which
// merely looks like one (a comment "<!--script0-->" the author wrote) is never mistaken
// for one, and a block that holds another protected block (a style block with a script
// inside) comes back whole.
struct ProtectedText {
    struct Mark {
        qsizetype start = 0;  // 0-based offset of the placeholder
        qsizetype length = 0; // its length
        BlockKind kind = BlockKind::Script;
        int slot = 0;
    };

    QString text;            // with the placeholders
    QList<Mark> marks;       // the placeholders in text, by offset
    // Slot i of each kind: the block cut out, from its opening tag through its closing
    // tag. A slot stays empty when its opening tag had no closing tag.
    QStringList ScriptBlocks;
    QStringList StyleBlocks;
    // The placeholders inside each stored block (offsets relative to the block).
    QList<QList<Mark>> scriptInner;
    QList<QList<Mark>> styleInner;
};

// Cuts every block of the kind ("<script" ... "</script>", "<style" ... "</style>",
// the opening tag matched as a prefix in any ASCII case) out of the text and puts the
// slot's placeholder in its place. An opening tag without a closing tag is left in the
// text with everything after it, and the search ends there.
void ProtectBlocks(ProtectedText &t, BlockKind kind);
// Puts every placeholder of the kind back as CR LF followed by its block, so that each
// restored block starts on a new line. The blocks come back exactly as they were cut.
void RestoreBlocks(ProtectedText &t, BlockKind kind);

// Deletes every CR LF, then replaces "  " by " " six times over (a run of k spaces ends
// as ceil(k / 64) spaces). The placeholders stay as they are.
QString JoinLines(QStringView text);
void JoinLines(ProtectedText &t);
// Puts CR LF after every ">" (also after the placeholders).
QString BreakAfterTags(QStringView text);
void BreakAfterTags(ProtectedText &t);

// The two line-break commands: protect script then style blocks, join the lines (or
// break after every tag), restore script then style blocks.
QString RemoveLineBreaks(const QString &text);
QString InsertLineBreaks(const QString &text);

// ---------------------------------------------------------------------------------------
// Hyphenation.

// True when the 1-based position q lies inside a tag (searching from q, the next ">"
// comes before the next "<", or there is a ">" and no "<" after it) or inside a brace
// block (the same with "}" and "{").
bool InsideTagOrBraces(QStringView text, qsizetype q);
// True when the 10 units from p - 4 contain "-to-", "-of-", "Know-how" or "the-art", or
// the 25 units from p - 15 contain "www." (case-sensitive). A window that would begin
// before position 1 begins at 1 with its full length.
bool IsHyphenException(QStringView text, qsizetype p);

struct HyphenationResult {
    QString text;            // the text without the removed hyphens
    int count = 0;           // how many were removed
    qsizetype first = -1;    // 0-based offsets, in the original text, of the first and
    qsizetype last = -1;     // the last removed hyphen (-1 when none was removed)
};

// Removes every hyphen from the first "<body" on (from the start when there is none)
// that is followed by a lower-case ASCII letter, lies outside tags and brace blocks and
// is no exception. The hyphens are examined left to right, each on the text as the
// removals before it left it.
HyphenationResult RemoveHyphenation(QStringView text);

// ---------------------------------------------------------------------------------------
// Selection and whole-text replacements.

// ASCII lower / upper casing of the selected text (sx::lowerAscii, sx::upperAscii).
QString UpperToLower(QStringView selection);
QString LowerToUpper(QStringView selection);

// The ten entity replacements: € © ® Ä Ü Ö ä ü ö ß.
QString ReplaceSpecialChars(QStringView text);

// "&#" + the decimal code of the first character + ";". A character written as a
// surrogate pair gives its code point. Empty for an empty text.
QString CharacterReference(QStringView selection);

// The trimmed selection split at its line breaks; every line but the last becomes
// "'" + line + "'+", the last "'" + line + "';", joined by CR LF. A line stays one piece
// whatever its length. A blank selection gives a null string.
QString MakeStringVariable(QStringView selection);

// The page's plain text: from the first "<body" of the trimmed text on (empty without
// one), every "<...>" removed, "  " replaced by " " six times over, blank lines dropped,
// the rest joined by CR LF and trimmed.
QString ExtractPageText(QStringView text);

} // namespace sx

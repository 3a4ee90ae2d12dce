// Search and replace across many files: the search rule of the file window, what a run
// does to one file, the window's lists and a whole run over the loaded files.
//
// A file's text is searched as the editor would hold it (lines joined by CR LF), so that
// positions and the two-character step after each match count as they do there. The
// replacements are made in memory and a changed file is written once, atomically, in the
// encoding, byte-order mark and line-break style it was read with; everything between the
// replacements keeps its characters and line breaks exactly.
#pragma once

#include "app/document.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

class AnsiCodec;

// The window's search fields.
struct MultiFileSearch {
    QString search;         // EditSearch
    QString replace;        // EditReplace
    bool matchCase = false; // CheckBoxCase
    bool wholeWord = false; // CheckBoxWord
    bool searchOnly = true; // CheckBoxSearch: nothing is written
    bool all = false;       // CheckBoxAll: every occurrence, else the first of each file
};

// True for the characters that continue a word in this search: codes 48 to 57 and 65 to
// 122 (the letters A to Z and a to z with "[", "\", "]", "^", "_" and "`" between them).
// Every other character, "ä" and "é" included, is a boundary.
inline bool isFileWordChar(char16_t c) { return (c >= 48 && c <= 57) || (c >= 65 && c <= 122); }

// The 1-based position of the first occurrence of needle at or after offset (below 1
// counts as 1), ASCII letters compared in any case unless matchCase; with wholeWord an
// occurrence next to a word character is passed over and the search goes on one
// character behind its end. -1 when there is none (also for an empty needle).
qsizetype FindInFileText(QStringView text, QStringView needle, qsizetype offset, bool wholeWord, bool matchCase);

// The occurrences a run visits in a text held as the editor holds it, as 0-based offsets
// in order: from position 1 on, each search starts two characters behind the previous
// occurrence's end, and none starts once the position reaches the text's last character
// (so a one-character text is not searched). At most one without search.all.
std::vector<qsizetype> fileMatches(QStringView text, const MultiFileSearch &search);

// The text with the occurrences (0-based offsets, each search.search long) replaced.
QString replacedText(QStringView text, const std::vector<qsizetype> &matches, qsizetype length,
                     QStringView replacement);

// What a run makes of a file's bytes (a line break in the search text or the replacement
// counting as the editor's CR LF): the occurrences counted and, unless search-only,
// the bytes to write when anything changes (the same encoding, mark and line breaks; an
// ANSI file gaining a character its code page lacks becomes UTF-8 with a mark, as a save
// would make it).
struct FileChange {
    int matches = 0;
    bool changed = false;  // bytes holds the new file
    QByteArray bytes;
    TextEncoding encoding; // the encoding read, or the one written when changed
};
FileChange changedFileBytes(const QByteArray &bytes, const MultiFileSearch &search, const AnsiCodec &ansi);

// What a run did to one file.
struct FileOutcome {
    enum Status { Done, ReadFailed, WriteFailed };
    Status status = Done;
    int matches = 0;      // occurrences counted in the file
    bool written = false; // the file was replaced
    QString error;        // the reason of a failure
};

// Reads the file, counts and (unless search.searchOnly) replaces the occurrences and
// writes the file once when its text changed: replaced at once by a complete new file,
// flushed to disk by the end of the run (writeFileAtomicUnflushed). A file is never written in search-only
// mode, nor when nothing in it changed. A file marked read-only (no write permission for
// anyone) is not replaced, also where the process could write it. afterRead runs once the
// file is read, before anything is written.
FileOutcome ProcessFile(const QString &path, const MultiFileSearch &search, const AnsiCodec &ansi,
                        const std::function<void()> &afterRead = {});

// The window's lists: the loaded paths (ListBox1), the names still to be searched
// (ListBoxSearch) and the names in which the last run found the search text
// (ListBoxResult).
class MultiFileLists
{
public:
    QStringList loaded;
    QStringList search;
    QStringList result;

    // "New": all three emptied.
    void clear();
    // "Load files" with the chosen paths (empty when cancelled): the loaded paths become
    // them, the search list their names, the result list is emptied.
    void load(const QStringList &paths);
    // The search list becomes the names (without folder) of the loaded paths.
    void FillSearchList();
    // The index of the first loaded path whose file name is name; -1 when there is none.
    qsizetype loadedIndexOf(QStringView name) const;
    // Removes the selected rows of the search list and, for each, the first loaded path
    // of that name. Returns whether anything was selected.
    bool removeEntries(std::vector<qsizetype> rows);
    // Every result entry goes back to the end of the search list; the result list empties.
    void backToSearch();
    // The end of a run: each found name (in order) joins the result list and the first
    // search-list entry equal to it leaves the search list. Returns, for every entry that
    // stays, its row before (in order).
    std::vector<qsizetype> takeFound(const QStringList &names);
};

// One "Start" over the loaded paths.
struct MultiFileRun {
    int total = 0;           // occurrences counted over all files processed
    int processed = 0;       // files read (the progress bar's position)
    QStringList found;       // names of the files with an occurrence, in order
    QStringList written;     // paths of the files replaced
    bool failed = false;     // the run stopped at a file it could not read or write
    FileOutcome::Status failure = FileOutcome::Done;
    QString failedPath, error;
};

// Processes every loaded path in order; progress(n) runs after the n-th file is read. The
// run stops at the first file that cannot be read or written; the files before it keep
// what was written to them. Everything written is flushed to disk before it returns.
MultiFileRun runMultiFile(const QStringList &paths, const MultiFileSearch &search, const AnsiCodec &ansi,
                          const std::function<void(int)> &progress = {});

// The document's save operations, for the commands of other subsystems that save or
// write the document (the browser commands, the multi-file search).
#pragma once

#include <QString>
#include <QStringView>

class AnsiCodec;
class TMainForm;

// The save command (Ctrl+S, and Yes in the save prompt) and Save As.
void FileSave(TMainForm &form);
void FileSaveAs(TMainForm &form);
// Writes the editor's whole text to path as "UTF-8" (with a byte-order mark) or "ASCII"
// (the ANSI code page); clears the modified flag on success, shows message 24 on
// failure. Nothing happens for a blank text. Returns whether the file was written.
bool WriteWithEncoding(TMainForm &form, const QString &path, const QString &encoding);
// Writes the text export (every line followed by CR LF, ANSI code page) to path.
bool ExportAsText(TMainForm &form, const QString &path);
// The plain write: the editor's lines in the document's file encoding and line-break
// style. An ANSI document holding characters the code page lacks is written, and from
// then on kept, as UTF-8 with a byte-order mark. Reports nothing; returns success.
bool WriteDocumentLines(TMainForm &form, const QString &path);
// The plain write of a text in place of the editor's (the edit-in-browser command writes
// the page with an editable body); error receives the reason of a failure.
bool WriteDocumentText(TMainForm &form, const QString &path, QStringView text, QString *error = nullptr);
// Reads the document's file into the editor again, as the reload button does (the
// bookmarks stay where their lines still exist). A file that cannot be read leaves the
// editor as it was; error receives the reason.
bool ReloadDocumentFile(TMainForm &form, QString *error = nullptr);
// The system's ANSI code page.
const AnsiCodec &ansiCodec(TMainForm &form);

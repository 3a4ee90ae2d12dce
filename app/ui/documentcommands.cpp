// Document files: open, save in every encoding, Save As, the text export, reload,
// printing, deleting backups, the save prompt, and files dropped on the window.
#include "app/ui/documentcommands.h"

#include "app/documentfile.h"
#include "app/platform.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textbuffer.h"
#include "editing/textops.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>
#include <map>
#include <memory>

namespace {

const QString kCaption = QStringLiteral("Sorvex");
const QString kOpenFilter = QStringLiteral("All (*.*)|*.*|HTML|*.HTML;*.HTM|TXT|*.TXT|RTF|*.RTF");
const QString kSaveFilter = QStringLiteral("All (*.*)|*.*|HTML Files (*.HTM)|*.HTM;*HTML|Ascii Text (*.TXT)|*.TXT");
const QString kBackupFilter = QStringLiteral("Backup files (*.bak)|*.bak");

void errorBox(TMainForm &form, const QString &text) { form.prompts().message(MsgKind::Error, kCaption, text, Btn::OK); }

// The save dialog's folder and file name, kept between uses as the dialog keeps them.
FileDialogRequest saveRequest(TMainForm &form)
{
    FileDialogRequest r;
    r.filter = kSaveFilter;
    r.initialFolder = form.saveDialogFolder;
    r.fileName = form.saveDialogFileName;
    return r;
}

void presetFromDocument(TMainForm &form)
{
    const QString folder = sx::folderPart(form.document.FFileName);
    if (!folder.isEmpty())
        form.saveDialogFolder = folder;
    form.saveDialogFileName = sx::fileNamePart(form.document.FFileName);
}

QString askSavePath(TMainForm &form)
{
    const QString path = form.prompts().saveFile(saveRequest(form));
    if (!path.isEmpty()) {
        form.saveDialogFolder = sx::folderPart(path);
        form.saveDialogFileName = sx::fileNamePart(path);
    }
    return QDir::toNativeSeparators(path);
}

// Reads a file for the editor; false when it cannot be read.
bool readDocument(TMainForm &form, const QString &path, QByteArray *bytes, DecodedText *decoded)
{
    if (!readFileBytes(path, bytes))
        return false;
    *decoded = decodeText(*bytes, ansiCodec(form));
    return true;
}

void saveInEncoding(TMainForm &form, const QString &encoding)
{
    if (sx::isBlank(form.buffer().text()))
        return;
    if (form.document.hasFile() && !sx::isBlank(form.document.FFileName))
        presetFromDocument(form);
    const QString path = askSavePath(form);
    if (!path.isEmpty())
        WriteWithEncoding(form, path, encoding);
}

// The file paths a drag or drop carries, when it carries local files.
QStringList droppedFiles(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &u : mime->urls())
        if (u.isLocalFile())
            paths << u.toLocalFile();
    return paths;
}

void printText(TMainForm &form, QPrinter &printer, const QString &text)
{
    // The source as plain text in Arial 8 pt, navy, inside the page margins.
    QTextDocument RichEdit1;
    RichEdit1.setObjectName(QStringLiteral("RichEdit1"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    RichEdit1.setDefaultFont(font);
    RichEdit1.setDocumentMargin(0);
    RichEdit1.documentLayout()->setPaintDevice(&printer);
    RichEdit1.setPlainText(text);

    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    PrinterMetrics m;
    m.dpiX = printer.logicalDpiX();
    m.dpiY = printer.logicalDpiY();
    m.offsetX = printable.left() - paper.left();
    m.offsetY = printable.top() - paper.top();
    m.pageWidth = paper.width();
    m.pageHeight = paper.height();
    const PrintRect r = SetPrintMargins(m, 1.0, 0.5, 0.5, 0.5);
    const QRect area(r.left, r.top, std::max(1, r.right - r.left), std::max(1, r.bottom - r.top));
    RichEdit1.setPageSize(area.size());

    // The job's name is the text itself, as far as print systems take a name.
    printer.setDocName(text.left(255));
    QPainter painter;
    if (!painter.begin(&printer)) {
        form.prompts().defaultError(QStringLiteral("Printing failed"));
        return;
    }
    // Line by line, each on the page the layout gave it, so that no line is drawn (even
    // clipped away) on two pages.
    painter.translate(area.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), area.size()));
    painter.setPen(QColor(0, 0, 128));
    QAbstractTextDocumentLayout *layout = RichEdit1.documentLayout();
    const qreal pageHeight = area.height();
    int page = 0;
    for (QTextBlock block = RichEdit1.begin(); block.isValid(); block = block.next()) {
        const QPointF at = layout->blockBoundingRect(block).topLeft();
        QTextLayout *lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            while (at.y() + line.y() >= (page + 1) * pageHeight - 0.5) {
                printer.newPage();
                ++page;
            }
            line.draw(&painter, QPointF(at.x(), at.y() - page * pageHeight));
        }
    }
    painter.end();
}

// Refreshes the generator meta element of text, the editor's whole text, in the editor
// and in text alike.
void updateGeneratorMeta(EditorBuffer &buffer, QString &text)
{
    GeneratorMetaEdit edit = generatorMetaEdit(text);
    switch (edit.kind) {
    case GeneratorMetaEdit::None: break;
    case GeneratorMetaEdit::WholeText:
        buffer.setText(edit.text);
        text = std::move(edit.text);
        break;
    case GeneratorMetaEdit::Range:
        if (QStringView(text).mid(edit.start, edit.length) == edit.text) {
            // The element is ours already: replacing it by itself would only put the
            // caret behind it.
            buffer.setSelStart(edit.start + edit.length);
            break;
        }
        buffer.select(edit.start, edit.length);
        buffer.setSelText(edit.text);
        text.replace(edit.start, edit.length, edit.text);
        break;
    }
}

bool writeLines(TMainForm &form, const QString &path, QStringView text, QString *error = nullptr)
{
    TextEncoding encoding = form.document.encoding;
    const QByteArray bytes = plainFileBytes(text, encoding, form.buffer().lineBreak(), ansiCodec(form));
    if (!writeFileAtomic(path, bytes, error))
        return false;
    form.document.encoding = encoding;
    return true;
}

// True when the file at path reads as exactly this text in the document's encoding.
bool fileHolds(TMainForm &form, const QString &path, const QString &text)
{
    QByteArray bytes;
    DecodedText decoded;
    return readDocument(form, path, &bytes, &decoded) && decoded.encoding == form.document.encoding
           && normalizeLineBreaks(decoded.text) == text;
}

} // namespace

const AnsiCodec &ansiCodec(TMainForm &form)
{
    static std::map<QString, std::unique_ptr<AnsiCodec>> codecs;
    const QString name = form.platform().ansiCodePage();
    auto &slot = codecs[name];
    if (!slot)
        slot = std::make_unique<AnsiCodec>(name);
    return *slot;
}

// ---------------------------------------------------------------------------------------
// Main-window operations.

void TMainForm::SetFileName(const QString &name)
{
    document.FFileName = name;
    setPanelText(3, name);
    if (name != Message(0))
        AddRecentFile(name);
}

bool TMainForm::PerformFileOpen(const QString &pathIn)
{
    const QString path = QDir::toNativeSeparators(pathIn);
    // The file is read before anything changes: a file that cannot be read leaves the
    // previous document as it was.
    QByteArray bytes;
    DecodedText decoded;
    if (!readDocument(*this, path, &bytes, &decoded)) {
        errorBox(*this, Message(22) + path);
        return false;
    }
    ClearAllBookmarks();
    // Emptied first: a highlighter switched under a big wrapped text would lay all of it
    // out again.
    buffer().loadText(QString());
    buffer().setHighlighter(highlighterForPath(path));
    document.encoding = decoded.encoding;
    document.mixedLineBreaks = hasMixedLineBreaks(decoded.text);
    buffer().loadText(decoded.text);
    decoded.text = QString();
    SetFileName(path);
    buffer().setModified(false);
    UpdateCaretStatus();

    // The one-time backup: made while none of that name exists, never refreshed.
    const QString backup = backupFileName(path);
    const QFileInfo info(backup);
    if (!info.exists() && !info.isSymLink() && !writeFileAtomic(backup, bytes))
        prompts().defaultError(Message(23));
    return true;
}

void TMainForm::ConfirmSaveChanges()
{
    if (!buffer().modified() || sx::isBlank(buffer().text()))
        return;
    QString name = sx::fileNamePart(document.FFileName);
    if (sx::isBlank(name))
        name = QStringLiteral("untitled.html");
    const int answer = prompts().message(MsgKind::Confirmation, kCaption, Message(21) + QLatin1Char(' ') + name,
                                         Btn::YesNoCancel);
    if (answer == Btn::Yes) {
        FileSave(*this);
        // A save that was cancelled or failed keeps the changes: the operation that
        // asked does not go on to discard them.
        SaveCancelled = buffer().modified();
    } else if (answer == Btn::No) {
        SaveCancelled = false;
    } else {
        SaveCancelled = true;
    }
}

void TMainForm::UpdateGeneratorMeta()
{
    QString text = buffer().text();
    updateGeneratorMeta(buffer(), text);
}

bool TMainForm::AppMessage(QObject *watched, QEvent *e)
{
    // Files dragged onto any part of the window (the editor, a toolbar) are the window's
    // drop, also while it is minimized; the editor never takes them as text.
    const QEvent::Type t = e->type();
    if (t != QEvent::DragEnter && t != QEvent::DragMove && t != QEvent::Drop)
        return false;
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != this)
        return false;
    auto *drop = static_cast<QDropEvent *>(e);
    const QStringList paths = droppedFiles(drop->mimeData());
    if (paths.isEmpty())
        return false;
    drop->acceptProposedAction();
    if (t == QEvent::Drop) {
        try {
            WMDropFiles(paths);
        } catch (const std::exception &ex) {
            prompts().defaultError(QString::fromUtf8(ex.what()));
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Writing.

bool WriteDocumentLines(TMainForm &form, const QString &path) { return writeLines(form, path, form.buffer().text()); }

bool WriteDocumentText(TMainForm &form, const QString &path, QStringView text, QString *error)
{
    return writeLines(form, path, text, error);
}

bool WriteWithEncoding(TMainForm &form, const QString &path, const QString &encoding)
{
    const QString text = form.buffer().text();
    if (sx::isBlank(text))
        return false;
    const QByteArray bytes = encoding == QLatin1String("UTF-8") ? utf8FileBytes(text)
                                                                : asciiFileBytes(text, ansiCodec(form));
    if (!writeFileAtomic(path, bytes)) {
        errorBox(form, form.Message(24) + path);
        return false;
    }
    form.buffer().setModified(false);
    return true;
}

bool ExportAsText(TMainForm &form, const QString &path)
{
    return writeFileAtomic(path, textExportBytes(form.buffer().text(), ansiCodec(form)));
}

void FileSave(TMainForm &form)
{
    form.SaveCancelled = false;
    EditorBuffer &buf = form.buffer();
    if (buf.length() == 0)
        return;
    const bool wasModified = buf.modified();
    QString before = buf.text();
    qsizetype removed = 0;
    const QString cleaned = removeContentEditable(before, &removed);
    // Setting the whole text, also when nothing was removed, makes the line breaks CR LF.
    // When that changes nothing but the caret, only the caret moves (a big text is not
    // compared with itself).
    if (removed == 0 && buf.lineBreak() == LineBreak::CRLF && hasOnlyCrLfBreaks(before))
        buf.setSelStart(0);
    else
        buf.setText(cleaned);
    if (!form.document.hasFile() || form.document.FFileName == form.Message(0)) {
        FileSaveAs(form);
        return;
    }
    Document &doc = form.document;
    QString text = removed > 0 ? buf.text() : before;
    // The text as it was is only needed to see that an unchanged document stays so.
    const bool unchanged = !wasModified && doc.mixedLineBreaks;
    if (!unchanged)
        before = QString();
    doc.SaveEncoding = IsUtf8Declared(text) ? QStringLiteral("UTF-8") : QString();
    if (doc.SaveEncoding == QLatin1String("UTF-8")) {
        WriteWithEncoding(form, doc.FFileName, QStringLiteral("UTF-8"));
        form.releaseButton(QStringLiteral("SaveButton"));
        return;
    }
    updateGeneratorMeta(buf, text);
    bool ok;
    if (unchanged && text == before && fileHolds(form, doc.FFileName, text))
        ok = true; // unchanged, and its line breaks have no one style to write them in
    else
        ok = writeLines(form, doc.FFileName, text);
    if (ok)
        buf.setModified(false);
    else
        errorBox(form, form.Message(24) + doc.FFileName);
    form.releaseButton(QStringLiteral("SaveButton"));
}

void FileSaveAs(TMainForm &form)
{
    form.SaveCancelled = false;
    presetFromDocument(form);
    const QString path = askSavePath(form);
    if (path.isEmpty())
        return;
    const QString name = sx::fileNamePart(path);
    if (QFileInfo::exists(path)
        && form.prompts().message(MsgKind::Confirmation, kCaption, form.Message(25) + QLatin1Char(' ') + name,
                                  Btn::OKCancel)
               != Btn::OK)
        return;
    bool ok;
    if (sx::lowerAscii(name.right(3)) == QLatin1String("txt")) {
        ok = ExportAsText(form, path);
    } else {
        // A new page that declares UTF-8 is written as UTF-8 with a mark from its first
        // file on, as every later Save writes it: in the ANSI code page its non-ASCII
        // characters would contradict its own declaration.
        Document &doc = form.document;
        const TextEncoding was = doc.encoding;
        if (!doc.hasFile() && was == TextEncoding::ansi() && IsUtf8Declared(form.buffer().text()))
            doc.encoding = TextEncoding::utf8(true);
        ok = WriteDocumentLines(form, path);
        if (!ok)
            doc.encoding = was;
        if (ok) {
            form.SetFileName(path);
            form.buffer().setModified(false);
        }
    }
    if (!ok)
        errorBox(form, form.Message(24) + QLatin1Char(' ') + path);
}

// ---------------------------------------------------------------------------------------
// Commands.

SORVEX_HANDLER(FileOpen)
{
    form.SaveCancelled = false;
    if (form.buffer().length() > 0 && form.buffer().modified()) {
        form.ConfirmSaveChanges();
        if (form.SaveCancelled)
            return;
    }
    FileDialogRequest r;
    r.filter = kOpenFilter;
    if (!sx::isBlank(form.buffer().text()) && form.document.hasFile())
        r.initialFolder = sx::folderPart(form.document.FFileName);
    else
        r.initialFolder = driveRootOf(form.platform().exePath());
    form.openDialogFolder = r.initialFolder;
    const QStringList chosen = form.prompts().openFiles(r);
    if (!chosen.isEmpty())
        form.PerformFileOpen(chosen.first());
    form.SaveCancelled = false;
}

SORVEX_HANDLER(FileSave) { FileSave(form); }

SORVEX_HANDLER(FileSaveAs) { FileSaveAs(form); }

SORVEX_HANDLER(ASCIITextspeichern1Click) { saveInEncoding(form, QStringLiteral("ASCII")); }

SORVEX_HANDLER(Utf8speichern1Click) { saveInEncoding(form, QStringLiteral("UTF-8")); }

bool ReloadDocumentFile(TMainForm &form, QString *error)
{
    // The file name, the highlighter, the bookmarks and the backup stay as they are;
    // the file is read before the editor changes, so a failed reload loses nothing.
    const QString path = form.document.FFileName;
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, error))
        return false;
    DecodedText decoded = decodeText(bytes, ansiCodec(form));
    bytes = QByteArray();
    EditorBuffer &buf = form.buffer();
    Bookmark marks[10];
    for (int n = 0; n < 10; ++n)
        marks[n] = buf.bookmark(n);
    form.document.encoding = decoded.encoding;
    form.document.mixedLineBreaks = hasMixedLineBreaks(decoded.text);
    buf.loadText(decoded.text);
    for (int n = 0; n < 10; ++n) {
        if (!marks[n].set)
            continue;
        if (marks[n].line <= buf.lineCount())
            buf.setBookmark(n, marks[n].column, marks[n].line);
        else
            form.ClearBookmark(n);
    }
    form.UpdateCaretStatus();
    return true;
}

SORVEX_HANDLER(ButtonReloadClick)
{
    if (!form.document.hasFile())
        return;
    if (!ReloadDocumentFile(form))
        errorBox(form, form.Message(22) + form.document.FFileName);
}

SORVEX_HANDLER(Deletebackupfiles1Click)
{
    FileDialogRequest r;
    r.filter = kBackupFilter;
    r.defaultExtension = QStringLiteral("bak");
    r.multiple = true;
    r.mustExist = true;
    if (form.document.hasFile())
        form.backupDialogFolder = sx::folderPart(form.document.FFileName);
    r.initialFolder = form.backupDialogFolder;
    const QStringList files = form.prompts().openFiles(r);
    if (files.isEmpty())
        return;
    QString names;
    for (const QString &f : files)
        names += sx::fileNamePart(QDir::toNativeSeparators(f)) + QStringLiteral("\r\n");
    if (form.prompts().message(MsgKind::Question, form.Message(53), names, Btn::YesNo) == Btn::No)
        return;
    for (const QString &f : files)
        QFile::remove(f); // one that cannot be deleted is skipped
}

SORVEX_HANDLER(FilePrint)
{
    QPrinter printer(QPrinter::HighResolution);
    if (form.prompts().choosePrinter(printer))
        printText(form, printer, form.buffer().text());
    form.releaseButton(QStringLiteral("PrintButton"));
}

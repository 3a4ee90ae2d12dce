#include "tools/drive/driver.h"

#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/ui/synedit.h"
#include "tools/drive/driveoutput.h"
#include "tools/drive/driveprompts.h"
#include "tools/drive/widgetsteps.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <sys/stat.h>

using namespace drive;

namespace {

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

bool toInt(const QString &text, qsizetype *value)
{
    bool ok = false;
    *value = text.toLongLong(&ok);
    return ok;
}

QString onOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

void syntax(const QString &verb, const char *usage)
{
    writeError(QStringLiteral("syntax ") + plainOrQuoted(verb), QStringLiteral("usage: %1").arg(QLatin1String(usage)));
}

void writeFile(const QString &path, const QString &content)
{
    bool ok = false;
    const QByteArray bytes = latin1Bytes(content, &ok);
    if (!ok) {
        writeError(QStringLiteral("bad-value writefile ") + plainOrQuoted(path),
                   QStringLiteral("writefile takes characters below U+0100; write other bytes as \\xHH"));
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        writeError(QStringLiteral("cannot-write ") + plainOrQuoted(path));
}

} // namespace

void Driver::run(const QList<Command> &commands, int from)
{
    for (int i = from; i < commands.size(); ++i) {
        setCurrentLine(commands[i].line.number);
        runCommand(commands[i]);
        settle();
        if (!m_closed && !m_form->isVisible())
            m_closed = true;
    }
    setCurrentLine(0);
}

void Driver::runCommand(const Command &c)
{
    const ScriptLine &l = c.line;
    if (!l.error.isEmpty()) {
        writeError(QStringLiteral("syntax"), l.error);
        return;
    }
    const QString verb = l.verb();
    const int n = l.argCount();

    if (m_closed) {
        const bool allowed = verb == QLatin1String("writefile")
            || (verb == QLatin1String("print") && (l.arg(0) == QLatin1String("file") || l.arg(0) == QLatin1String("files")));
        if (!allowed) {
            writeError(QStringLiteral("main-window-closed ") + plainOrQuoted(verb),
                       QStringLiteral("after the main window closed only print file, print files and writefile may follow"));
            return;
        }
    }

    if (c.isBlock) {
        if (!c.block.immediate) {
            m_prompts.queue(c.block);
            return;
        }
        QWidget *w = findWindow(c.block.name);
        if (!w) {
            writeError(QStringLiteral("unknown-window ") + plainOrQuoted(c.block.name),
                       QStringLiteral("no visible window %1").arg(c.block.name));
            return;
        }
        activate(w);
        DrivePrompts::runSteps(w, c.block);
        return;
    }

    EditorBuffer &buffer = m_form->buffer();
    if (verb == QLatin1String("writefile")) {
        if (n != 2)
            return syntax(verb, "writefile PATH STRING");
        writeFile(l.arg(0), l.arg(1));
    } else if (verb == QLatin1String("removefile")) {
        if (n != 1)
            return syntax(verb, "removefile PATH");
        if (!QFile::remove(l.arg(0)))
            writeError(QStringLiteral("cannot-remove ") + plainOrQuoted(l.arg(0)));
    } else if (verb == QLatin1String("chmod")) {
        bool ok = false;
        const uint mode = n == 2 ? l.arg(1).toUInt(&ok, 8) : 0;
        if (n != 2 || !ok || mode > 07777)
            return syntax(verb, "chmod PATH OCTAL-MODE");
        if (::chmod(QFile::encodeName(l.arg(0)).constData(), mode_t(mode)) != 0)
            writeError(QStringLiteral("cannot-chmod ") + plainOrQuoted(l.arg(0)));
    } else if (verb == QLatin1String("text")) {
        if (n != 1)
            return syntax(verb, "text STRING");
        buffer.loadText(l.arg(0));
    } else if (verb == QLatin1String("caret")) {
        qsizetype at = 0;
        if (n != 1 || !toInt(l.arg(0), &at))
            return syntax(verb, "caret N");
        if (at < 0 || at > buffer.length())
            return writeError(QStringLiteral("bad-value caret ") + l.arg(0), QStringLiteral("the text has %1 characters").arg(buffer.length()));
        buffer.setSelStart(at);
    } else if (verb == QLatin1String("select")) {
        qsizetype start = 0, length = 0;
        if (n != 2 || !toInt(l.arg(0), &start) || !toInt(l.arg(1), &length))
            return syntax(verb, "select START LENGTH");
        if (start < 0 || length < 0 || start + length > buffer.length())
            return writeError(QStringLiteral("bad-value select ") + l.arg(0) + QLatin1Char(' ') + l.arg(1),
                              QStringLiteral("the text has %1 characters").arg(buffer.length()));
        buffer.select(start, length);
    } else if (verb == QLatin1String("type")) {
        if (n != 1)
            return syntax(verb, "type STRING");
        typeText(l.arg(0));
    } else if (verb == QLatin1String("trigger")) {
        if (n != 1)
            return syntax(verb, "trigger NAME");
        trigger(l.arg(0));
    } else if (verb == QLatin1String("key")) {
        if (n != 1)
            return syntax(verb, "key KEYS");
        if (!sendKeys(l.arg(0)))
            writeError(QStringLiteral("bad-value key ") + quote(l.arg(0)), QStringLiteral("not a key sequence in portable text"));
    } else if (verb == QLatin1String("gutterclick")) {
        if (n != 1)
            return syntax(verb, "gutterclick LINE");
        gutterClick(l.arg(0));
    } else if (verb == QLatin1String("drop")) {
        if (n < 1)
            return syntax(verb, "drop PATH...");
        QStringList paths;
        for (int i = 0; i < n; ++i)
            paths << l.arg(i);
        drop(paths);
    } else if (verb == QLatin1String("close")) {
        if (n != 0)
            return syntax(verb, "close");
        m_form->close();
    } else if (verb == QLatin1String("print")) {
        runPrint(l);
    } else {
        writeError(QStringLiteral("unknown-command ") + plainOrQuoted(verb));
    }
}

QWidget *Driver::findWindow(const QString &name) const
{
    if (m_form->objectName() == name && m_form->isVisible())
        return m_form;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isWindow() && w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

QAction *Driver::findAction(const QString &name) const
{
    if (QAction *a = m_form->action(name))
        return a;
    if (QMenu *m = m_form->menu(name))
        return m->menuAction();
    // The actions of other open windows.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w == m_form || !w->isVisible() || qobject_cast<QMenu *>(w))
            continue;
        for (QAction *a : w->findChildren<QAction *>(name))
            return a;
    }
    return nullptr;
}

void Driver::trigger(const QString &name)
{
    QAction *a = findAction(name);
    if (!a)
        return writeError(QStringLiteral("unknown-control ") + plainOrQuoted(name));
    if (a->menu())
        return writeError(QStringLiteral("unsupported trigger ") + plainOrQuoted(name), QStringLiteral("%1 is a submenu").arg(name));
    if (!a->isVisible())
        return writeError(QStringLiteral("hidden ") + plainOrQuoted(name));
    if (!a->isEnabled())
        return writeError(QStringLiteral("disabled ") + plainOrQuoted(name));
    a->trigger();
}

void Driver::gutterClick(const QString &lineText)
{
    SynEdit *ed = m_form->editor();
    qsizetype line = 0;
    if (!toInt(lineText, &line))
        return syntax(QStringLiteral("gutterclick"), "gutterclick LINE");
    if (line < 1 || line > ed->lines())
        return writeError(QStringLiteral("bad-value gutterclick ") + lineText, QStringLiteral("the editor has %1 lines").arg(ed->lines()));
    if (ed->marginWidth(0) <= 0)
        return writeError(QStringLiteral("hidden gutter"));
    ed->ensureLineVisible(int(line - 1));
    settle();
    const long pos = ed->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line - 1));
    const long y = ed->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, pos);
    const long h = ed->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, static_cast<unsigned long>(line - 1));
    const QPoint at(ed->marginWidth(0) / 2, int(y + h / 2));
    if (!ed->viewport()->rect().contains(at))
        return writeError(QStringLiteral("hidden gutterclick ") + lineText, QStringLiteral("line %1 is not on the screen").arg(line));
    clickAt(ed->viewport(), at);
}

void Driver::drop(const QStringList &paths) { dropFiles(m_form, paths); }

void Driver::printItem(const QString &name)
{
    bool visible = false, enabled = false, checked = false;
    QString caption, hint;
    if (QAction *a = findAction(name)) {
        visible = a->isVisible();
        enabled = a->isEnabled();
        checked = a->isChecked();
        caption = a->text();
        hint = a->statusTip();
    } else if (QWidget *w = findControl(m_form, name)) {
        visible = controlVisible(w);
        enabled = w->isEnabled();
        checked = controlChecked(w);
        caption = controlCaption(w);
        hint = controlHint(w);
    } else {
        return writeError(QStringLiteral("unknown-control ") + plainOrQuoted(name));
    }
    writeLine(QStringLiteral("item %1 %2 %3 %4 %5 %6")
                  .arg(plainOrQuoted(name), visible ? QStringLiteral("visible") : QStringLiteral("hidden"),
                       enabled ? QStringLiteral("enabled") : QStringLiteral("disabled"),
                       checked ? QStringLiteral("checked") : QStringLiteral("unchecked"), quote(caption), quote(hint)));
}

void Driver::runPrint(const ScriptLine &l)
{
    const QString what = l.arg(0);
    const int n = l.argCount();
    auto one = [&](const char *usage) {
        if (n == 1)
            return true;
        syntax(QStringLiteral("print"), usage);
        return false;
    };
    EditorBuffer &buffer = m_form->buffer();
    if (what == QLatin1String("text")) {
        if (one("print text"))
            writeLine(QStringLiteral("text ") + quote(buffer.text()));
    } else if (what == QLatin1String("selection")) {
        if (one("print selection"))
            writeLine(QStringLiteral("selection %1 %2 %3").arg(buffer.selStart()).arg(buffer.selLength()).arg(quote(buffer.selText())));
    } else if (what == QLatin1String("caret")) {
        if (one("print caret"))
            writeLine(QStringLiteral("caret %1 %2").arg(buffer.caretY()).arg(buffer.caretX()));
    } else if (what == QLatin1String("modified")) {
        if (one("print modified"))
            writeLine(QStringLiteral("modified ") + (buffer.modified() ? QStringLiteral("true") : QStringLiteral("false")));
    } else if (what == QLatin1String("filename")) {
        if (one("print filename"))
            writeLine(QStringLiteral("filename ") + quote(m_form->document.FFileName));
    } else if (what == QLatin1String("status")) {
        if (!one("print status"))
            return;
        const QString hint = m_form->statusBar()->currentMessage();
        if (!hint.isEmpty()) {
            writeLine(QStringLiteral("status-hint ") + quote(hint));
            return;
        }
        QString line = QStringLiteral("status");
        for (int i = 0; i < 4; ++i)
            line += QLatin1Char(' ') + quote(m_form->panel(i)->text());
        writeLine(line);
    } else if (what == QLatin1String("item")) {
        if (n != 2)
            return syntax(QStringLiteral("print"), "print item NAME");
        printItem(l.arg(1));
    } else if (what == QLatin1String("file")) {
        if (n != 2)
            return syntax(QStringLiteral("print"), "print file PATH");
        QFile f(l.arg(1));
        const QString head = QStringLiteral("file ") + plainOrQuoted(l.arg(1));
        if (!QFileInfo(f).isFile() || !f.open(QIODevice::ReadOnly))
            writeLine(head + QStringLiteral(" missing"));
        else
            writeLine(head + QLatin1Char(' ') + quoteBytes(f.readAll()));
    } else if (what == QLatin1String("files")) {
        if (n != 2)
            return syntax(QStringLiteral("print"), "print files DIR");
        const QDir dir(l.arg(1));
        QString line = QStringLiteral("files ") + plainOrQuoted(l.arg(1));
        if (!dir.exists()) {
            writeLine(line + QStringLiteral(" missing"));
            return;
        }
        QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
        std::sort(names.begin(), names.end());
        for (const QString &name : names)
            line += QLatin1Char(' ') + plainOrQuoted(name);
        writeLine(line);
    } else if (what == QLatin1String("clipboard")) {
        if (one("print clipboard"))
            writeLine(QStringLiteral("clipboard ") + quote(QApplication::clipboard()->text()));
    } else if (what == QLatin1String("scratch")) {
        if (!one("print scratch"))
            return;
        QString text;
        QWidget *window = m_form->dialog(QStringLiteral("TFormText"));
        if (!window)
            window = findWindow(QStringLiteral("TFormText"));
        if (window)
            if (auto *memo = window->findChild<QPlainTextEdit *>(QStringLiteral("Memo")))
                text = memo->toPlainText();
        writeLine(QStringLiteral("scratch ") + quote(text));
    } else if (what == QLatin1String("editor")) {
        if (!one("print editor"))
            return;
        SynEdit *ed = m_form->editor();
        writeLine(QStringLiteral("editor highlighter=%1 wordwrap=%2 gutter=%3 linenumbers=%4 fontsize=%5")
                      .arg(highlighterName(ed->highlighter()), onOff(ed->wordWrapOn()))
                      .arg(ed->gutterWidth())
                      .arg(onOff(ed->lineNumbers()))
                      .arg(ed->fontPoints()));
    } else if (what == QLatin1String("bookmarks")) {
        if (!one("print bookmarks"))
            return;
        QString line = QStringLiteral("bookmarks");
        for (int i = 0; i < 10; ++i) {
            const Bookmark b = buffer.bookmark(i);
            if (b.set)
                line += QStringLiteral(" %1:%2:%3").arg(i).arg(b.column).arg(b.line);
        }
        writeLine(line);
    } else if (what == QLatin1String("window")) {
        if (!one("print window"))
            return;
        // The size the program gave the window (offscreen, the frame the platform adds is
        // not the program's).
        const QSize s = m_form->size();
        writeLine(QStringLiteral("window %1x%2 %3").arg(s.width()).arg(s.height()).arg(quote(m_form->windowTitle())));
    } else if (what == QLatin1String("language")) {
        if (one("print language"))
            writeLine(QStringLiteral("language %1").arg(m_form->InterfaceLanguage));
    } else {
        writeError(QStringLiteral("unknown-print ") + plainOrQuoted(what));
    }
}

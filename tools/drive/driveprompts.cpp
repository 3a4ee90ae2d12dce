#include "tools/drive/driveprompts.h"

#include "tools/drive/driveoutput.h"
#include "tools/drive/widgetsteps.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

using namespace drive;

// A standard window as the script sees it: buttons, fields a step may set, fields a step
// may only show.
struct DrivePrompts::StdWindow {
    QString name;
    int buttons = Btn::OK | Btn::Cancel;
    QStringList settable;
    QMap<QString, QString> fields;
    QStringList files;  // "set file" of open, save and print
    bool multiple = false;
    int pressed = 0;
    bool ended = false;
};

namespace {

const struct {
    const char *name;
    int button;
} kButtons[] = {{"OK", Btn::OK}, {"Cancel", Btn::Cancel}, {"Yes", Btn::Yes}, {"No", Btn::No}};

int buttonNamed(const QString &name)
{
    for (const auto &b : kButtons)
        if (name == QLatin1String(b.name))
            return b.button;
    return 0;
}

QString absolute(const QString &path) { return QFileInfo(path).absoluteFilePath(); }

class ModalWatcher : public QObject
{
public:
    explicit ModalWatcher(DrivePrompts *prompts) : m_prompts(prompts) {}

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::Show || !o->isWidgetType())
            return false;
        QWidget *w = static_cast<QWidget *>(o);
        if (!w->isWindow() || w->windowModality() == Qt::NonModal || m_prompts->isAnswered(w)
            || w->property("sorvexDriveSnapshot").toBool())
            return false;
        const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        writeError(QStringLiteral("unexpected-window ") + plainOrQuoted(name),
                   QStringLiteral("%1 opened past the prompts; it is closed as Escape would").arg(name));
        QPointer<QWidget> guard(w);
        QTimer::singleShot(0, w, [guard] {
            if (!guard)
                return;
            if (auto *d = qobject_cast<QDialog *>(guard.data()))
                d->reject();
            else
                guard->close();
        });
        return false;
    }

private:
    DrivePrompts *m_prompts;
};

// A real window that looks like the standard window, for "grab".
QWidget *snapshot(const DrivePrompts::StdWindow &w)
{
    const auto &f = w.fields;
    QWidget *out = nullptr;
    if (w.name == QLatin1String("message")) {
        auto *m = new QMessageBox;
        m->setWindowTitle(f.value(QStringLiteral("caption")));
        m->setText(f.value(QStringLiteral("text")));
        const QString kind = f.value(QStringLiteral("kind"));
        if (kind == QLatin1String("information"))
            m->setIcon(QMessageBox::Information);
        else if (kind == QLatin1String("error"))
            m->setIcon(QMessageBox::Critical);
        else if (kind == QLatin1String("warning"))
            m->setIcon(QMessageBox::Warning);
        else if (kind == QLatin1String("question") || kind == QLatin1String("confirmation"))
            m->setIcon(QMessageBox::Question);
        if (w.buttons & Btn::Yes)
            m->addButton(QMessageBox::Yes);
        if (w.buttons & Btn::No)
            m->addButton(QMessageBox::No);
        if (w.buttons & Btn::OK)
            m->addButton(QMessageBox::Ok);
        if (w.buttons & Btn::Cancel)
            m->addButton(QMessageBox::Cancel);
        out = m;
    } else if (w.name == QLatin1String("input")) {
        auto *d = new QInputDialog;
        d->setWindowTitle(f.value(QStringLiteral("caption")));
        d->setLabelText(f.value(QStringLiteral("prompt")));
        d->setTextValue(f.value(QStringLiteral("value")));
        out = d;
    } else if (w.name == QLatin1String("open") || w.name == QLatin1String("save")) {
        auto *d = new QFileDialog;
        d->setOption(QFileDialog::DontUseNativeDialog, true);
        d->setAcceptMode(w.name == QLatin1String("open") ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        d->setWindowTitle(f.value(QStringLiteral("caption")));
        if (!f.value(QStringLiteral("filter")).isEmpty())
            d->setNameFilters(qtNameFilters(f.value(QStringLiteral("filter"))));
        if (!f.value(QStringLiteral("folder")).isEmpty())
            d->setDirectory(f.value(QStringLiteral("folder")));
        d->selectFile(w.files.isEmpty() ? f.value(QStringLiteral("file")) : w.files.last());
        out = d;
    } else if (w.name == QLatin1String("color")) {
        quint32 c = 0;
        parseColorText(f.value(QStringLiteral("color")), &c);
        auto *d = new QColorDialog(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
        d->setOption(QColorDialog::DontUseNativeDialog, true);
        out = d;
    } else if (w.name == QLatin1String("font")) {
        auto *d = new QFontDialog(QFont(f.value(QStringLiteral("family")), f.value(QStringLiteral("size")).toInt()));
        d->setOption(QFontDialog::DontUseNativeDialog, true);
        out = d;
    } else {
        auto *d = new QMessageBox;
        d->setWindowTitle(QStringLiteral("Print"));
        d->setText(w.files.isEmpty() ? QString() : w.files.last());
        d->addButton(QMessageBox::Ok);
        d->addButton(QMessageBox::Cancel);
        out = d;
    }
    out->setProperty("sorvexDriveSnapshot", true);
    out->setWindowModality(Qt::NonModal);
    return out;
}

void writeShow(const QString &field, const QStringList &values)
{
    QString line = QStringLiteral("show ") + plainOrQuoted(field);
    for (const QString &v : values)
        line += QLatin1Char(' ') + quote(v);
    writeLine(line);
}

} // namespace

DrivePrompts::DrivePrompts() : m_watcher(std::make_unique<ModalWatcher>(this))
{
    qApp->installEventFilter(m_watcher.get());
}

DrivePrompts::~DrivePrompts()
{
    if (qApp)
        qApp->removeEventFilter(m_watcher.get());
}

void DrivePrompts::reportUnused()
{
    for (const Block &b : std::as_const(m_queue)) {
        setCurrentLine(b.line);
        writeError(QStringLiteral("unused-expect ") + plainOrQuoted(b.name), QStringLiteral("no window took expect %1").arg(b.name));
    }
    m_queue.clear();
}

std::optional<Block> DrivePrompts::take(const QString &window)
{
    if (!m_queue.isEmpty() && m_queue.first().name == window)
        return m_queue.takeFirst();
    writeError(QStringLiteral("unexpected-window ") + plainOrQuoted(window),
               m_queue.isEmpty() ? QStringLiteral("%1 opened and no expect block is queued").arg(window)
                                 : QStringLiteral("%1 opened while the next expect block is for %2").arg(window, m_queue.first().name));
    return std::nullopt;
}

void DrivePrompts::runSteps(QWidget *window, const Block &block)
{
    QPointer<QWidget> guard(window);
    for (const ScriptLine &step : block.steps) {
        setCurrentLine(step.number);
        if (!step.error.isEmpty()) {
            writeError(QStringLiteral("syntax"), step.error);
            continue;
        }
        if (!guard || !guard->isVisible()) {
            writeError(QStringLiteral("window-closed ") + plainOrQuoted(block.name),
                       QStringLiteral("%1 has closed; the steps after it cannot run").arg(block.name));
            break;
        }
        runWindowStep(window, step);
    }
}

bool DrivePrompts::answer(StdWindow &w)
{
    const std::optional<Block> block = take(w.name);
    if (!block)
        return false;
    for (const ScriptLine &step : block->steps) {
        setCurrentLine(step.number);
        if (!step.error.isEmpty()) {
            writeError(QStringLiteral("syntax"), step.error);
            continue;
        }
        if (w.ended) {
            writeError(QStringLiteral("window-closed ") + w.name, QStringLiteral("%1 has closed; the steps after it cannot run").arg(w.name));
            break;
        }
        const QString verb = step.verb();
        const QString name = step.arg(0);
        if (verb == QLatin1String("click") && step.argCount() == 1) {
            const int b = buttonNamed(name);
            if (!(b & w.buttons)) {
                writeError(QStringLiteral("unknown-control ") + plainOrQuoted(name));
                continue;
            }
            w.pressed = b;
            w.ended = true;
        } else if (verb == QLatin1String("close") && step.argCount() == 0) {
            w.ended = true;
        } else if (verb == QLatin1String("set") && step.argCount() == 2) {
            const QString value = step.arg(1);
            if (!w.settable.contains(name)) {
                writeError(QStringLiteral("unknown-control ") + plainOrQuoted(name));
                continue;
            }
            if (name == QLatin1String("file")) {
                if (!w.multiple)
                    w.files.clear();
                w.files << absolute(value);
            } else if (name == QLatin1String("color")) {
                quint32 c = 0;
                if (!parseColorText(value, &c)) {
                    writeError(QStringLiteral("bad-value color ") + quote(value), QStringLiteral("a colour is #RRGGBB"));
                    continue;
                }
                w.fields[name] = colorText(c);
            } else if (name == QLatin1String("size")) {
                bool ok = false;
                const int points = value.toInt(&ok);
                if (!ok || points <= 0) {
                    writeError(QStringLiteral("bad-value size ") + quote(value));
                    continue;
                }
                w.fields[name] = QString::number(points);
            } else {
                w.fields[name] = value;
            }
        } else if (verb == QLatin1String("show") && (step.argCount() == 1 || step.argCount() == 2)) {
            if (step.argCount() == 2) {
                if (step.arg(1) != QLatin1String("state") || !((buttonNamed(name) & w.buttons) || w.fields.contains(name))) {
                    writeError(QStringLiteral("unknown-control ") + plainOrQuoted(name));
                    continue;
                }
                writeLine(QStringLiteral("show ") + name + QStringLiteral(" enabled visible"));
            } else if (name == QLatin1String("file") && !w.files.isEmpty()) {
                writeShow(name, w.files);
            } else if (w.fields.contains(name)) {
                writeShow(name, {w.fields.value(name)});
            } else {
                writeError(QStringLiteral("unknown-control ") + plainOrQuoted(name));
            }
        } else if (verb == QLatin1String("grab") && step.argCount() == 1) {
            std::unique_ptr<QWidget> picture(snapshot(w));
            picture->show();
            QCoreApplication::processEvents();
            if (!grabToFile(picture.get(), name))
                writeError(QStringLiteral("cannot-write ") + plainOrQuoted(name));
        } else if (verb == QLatin1String("set") || verb == QLatin1String("click") || verb == QLatin1String("close")
                   || verb == QLatin1String("show") || verb == QLatin1String("grab")) {
            writeError(QStringLiteral("syntax ") + verb);
        } else {
            writeError(QStringLiteral("unsupported ") + plainOrQuoted(verb) + QLatin1Char(' ') + w.name,
                       QStringLiteral("the %1 window has only buttons and fields").arg(w.name));
        }
    }
    if (!w.ended) {
        setCurrentLine(block->line);
        writeError(QStringLiteral("window-left-open ") + w.name, QStringLiteral("the %1 window was still open after the last step").arg(w.name));
        w.pressed = 0;
    }
    return true;
}

int DrivePrompts::message(MsgKind kind, const QString &caption, const QString &text, int buttons)
{
    writeLine(QStringLiteral("message %1 %2 %3 %4").arg(msgKindName(kind), quote(caption), quote(text), buttonsText(buttons)));
    StdWindow w;
    w.name = QStringLiteral("message");
    w.buttons = buttons;
    w.fields = {{QStringLiteral("kind"), msgKindName(kind)}, {QStringLiteral("caption"), caption}, {QStringLiteral("text"), text}};
    if (!answer(w) || !w.pressed)
        return escapeButton(buttons);
    return w.pressed;
}

bool DrivePrompts::input(const QString &caption, const QString &prompt, QString &value)
{
    writeLine(QStringLiteral("input %1 %2 %3").arg(quote(caption), quote(prompt), quote(value)));
    StdWindow w;
    w.name = QStringLiteral("input");
    w.settable = {QStringLiteral("value")};
    w.fields = {{QStringLiteral("caption"), caption}, {QStringLiteral("prompt"), prompt}, {QStringLiteral("value"), value}};
    if (!answer(w) || w.pressed != Btn::OK)
        return false;
    value = w.fields.value(QStringLiteral("value"));
    return true;
}

static DrivePrompts::StdWindow fileWindow(const QString &name, const FileDialogRequest &r)
{
    DrivePrompts::StdWindow w;
    w.name = name;
    w.settable = {QStringLiteral("file")};
    w.multiple = r.multiple;
    w.fields = {{QStringLiteral("caption"), r.caption}, {QStringLiteral("filter"), r.filter},
                {QStringLiteral("folder"), r.initialFolder}, {QStringLiteral("file"), r.fileName},
                {QStringLiteral("extension"), r.defaultExtension}};
    return w;
}

// The paths the dialog's OK gives: those set, else the preset name in the initial folder.
static QStringList chosenFiles(const DrivePrompts::StdWindow &w)
{
    if (!w.files.isEmpty())
        return w.files;
    const QString preset = w.fields.value(QStringLiteral("file"));
    if (preset.isEmpty()) {
        writeError(QStringLiteral("no-file ") + w.name, QStringLiteral("OK in the %1 window without a file").arg(w.name));
        return {};
    }
    return {absolute(QDir(w.fields.value(QStringLiteral("folder"))).filePath(preset))};
}

QStringList DrivePrompts::openFiles(const FileDialogRequest &request)
{
    StdWindow w = fileWindow(QStringLiteral("open"), request);
    if (!answer(w) || w.pressed != Btn::OK)
        return {};
    return chosenFiles(w);
}

QString DrivePrompts::saveFile(const FileDialogRequest &request)
{
    StdWindow w = fileWindow(QStringLiteral("save"), request);
    if (!answer(w) || w.pressed != Btn::OK)
        return {};
    const QStringList files = chosenFiles(w);
    if (files.isEmpty())
        return {};
    QString path = files.last();
    // As the file dialog does: a name without extension gets the default one.
    if (!request.defaultExtension.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + request.defaultExtension;
    return path;
}

bool DrivePrompts::chooseColor(quint32 &color)
{
    StdWindow w;
    w.name = QStringLiteral("color");
    w.settable = {QStringLiteral("color")};
    w.fields = {{QStringLiteral("color"), colorText(color)}};
    if (!answer(w) || w.pressed != Btn::OK)
        return false;
    return parseColorText(w.fields.value(QStringLiteral("color")), &color);
}

bool DrivePrompts::chooseFont(QString &family, int &points)
{
    StdWindow w;
    w.name = QStringLiteral("font");
    w.settable = {QStringLiteral("family"), QStringLiteral("size")};
    w.fields = {{QStringLiteral("family"), family}, {QStringLiteral("size"), QString::number(points)}};
    if (!answer(w) || w.pressed != Btn::OK)
        return false;
    family = w.fields.value(QStringLiteral("family"));
    points = w.fields.value(QStringLiteral("size")).toInt();
    return true;
}

bool DrivePrompts::choosePrinter(QPrinter &printer)
{
    StdWindow w;
    w.name = QStringLiteral("print");
    w.settable = {QStringLiteral("file")};
    w.fields = {{QStringLiteral("file"), QString()}};
    if (!answer(w) || w.pressed != Btn::OK)
        return false;
    if (w.files.isEmpty()) {
        writeError(QStringLiteral("no-file print"), QStringLiteral("OK in the print window without set file PATH"));
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(w.files.last());
    return true;
}

int DrivePrompts::execDialog(QDialog *dialog)
{
    const QString name = dialog->objectName();
    writeLine(QStringLiteral("dialog ") + plainOrQuoted(name));
    const std::optional<Block> block = take(name);
    QPointer<QDialog> guard(dialog);
    m_answering.insert(dialog);
    QTimer timer;
    int waits = 0;
    timer.setSingleShot(true);
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, dialog, [&] {
        if (!guard || !guard->isVisible())
            return;
        // Another modal window opened on top while this one was showing: wait for it.
        if (QApplication::activeModalWidget() != guard) {
            timer.start(5);
            return;
        }
        // The steps act on the active window, as the person at the keyboard would.
        if (QApplication::activeWindow() != guard && ++waits < 100) {
            timer.start(2);
            return;
        }
        if (!block) {
            guard->reject();
            return;
        }
        runSteps(guard, *block);
        if (guard && guard->isVisible()) {
            setCurrentLine(block->line);
            writeError(QStringLiteral("window-left-open ") + plainOrQuoted(name),
                       QStringLiteral("%1 was still open after the last step").arg(name));
            guard->reject();
        }
    });
    timer.start();
    const int result = dialog->exec();
    timer.stop();
    m_answering.remove(dialog);
    if (guard)
        forgetHover(guard);
    return result;
}

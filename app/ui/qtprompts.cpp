#include "app/ui/uiprompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out;
}

static QWidget *activeParent()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    return w;
}

int QtPrompts::message(MsgKind kind, const QString &caption, const QString &text, int buttons)
{
    QMessageBox box(activeParent());
    box.setObjectName(QStringLiteral("message"));
    box.setProperty("sorvexKind", msgKindName(kind));
    box.setWindowTitle(caption);
    box.setText(text);
    switch (kind) {
    case MsgKind::Information: box.setIcon(QMessageBox::Information); break;
    case MsgKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgKind::Question:
    case MsgKind::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MsgKind::Plain: break;
    }
    QMap<QAbstractButton *, int> map;
    auto add = [&](int b, QMessageBox::StandardButton sb) {
        if (buttons & b)
            map.insert(box.addButton(sb), b);
    };
    add(Btn::Yes, QMessageBox::Yes);
    add(Btn::No, QMessageBox::No);
    add(Btn::OK, QMessageBox::Ok);
    add(Btn::Cancel, QMessageBox::Cancel);
    box.exec();
    return map.value(box.clickedButton(), escapeButton(buttons));
}

bool QtPrompts::input(const QString &caption, const QString &prompt, QString &value)
{
    bool ok = false;
    const QString v = QInputDialog::getText(activeParent(), caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = v;
    return ok;
}

static void prepare(QFileDialog &d, const FileDialogRequest &r)
{
    d.setOption(QFileDialog::DontUseNativeDialog, false);
    if (!r.caption.isEmpty())
        d.setWindowTitle(r.caption);
    if (!r.filter.isEmpty())
        d.setNameFilters(qtNameFilters(r.filter));
    if (!r.initialFolder.isEmpty())
        d.setDirectory(r.initialFolder);
    if (!r.fileName.isEmpty())
        d.selectFile(r.fileName);
    if (!r.defaultExtension.isEmpty())
        d.setDefaultSuffix(r.defaultExtension);
}

QStringList QtPrompts::openFiles(const FileDialogRequest &request)
{
    QFileDialog d(activeParent());
    d.setObjectName(QStringLiteral("open"));
    prepare(d, request);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (d.exec() != QDialog::Accepted)
        return {};
    return d.selectedFiles();
}

QString QtPrompts::saveFile(const FileDialogRequest &request)
{
    QFileDialog d(activeParent());
    d.setObjectName(QStringLiteral("save"));
    prepare(d, request);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}

bool QtPrompts::chooseColor(quint32 &color)
{
    const QColor initial(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    const QColor c = QColorDialog::getColor(initial, activeParent());
    if (!c.isValid())
        return false;
    color = quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
    return true;
}

bool QtPrompts::chooseFont(QString &family, int &points)
{
    bool ok = false;
    QFont initial(family, points > 0 ? points : 10);
    const QFont f = QFontDialog::getFont(&ok, initial, activeParent());
    if (ok) {
        family = f.family();
        points = f.pointSize();
    }
    return ok;
}

int QtPrompts::execDialog(QDialog *dialog) { return dialog->exec(); }

bool QtPrompts::choosePrinter(QPrinter &printer)
{
    QPrintDialog d(&printer, activeParent());
    d.setObjectName(QStringLiteral("print"));
    return d.exec() == QDialog::Accepted;
}

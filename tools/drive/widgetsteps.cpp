#include "tools/drive/widgetsteps.h"

#include "tools/drive/driveoutput.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEnterEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QUrl>
#include <QtTest/QTest>
#include <QtTest/qtestspontaneevent.h>

#include <Qsci/qsciscintilla.h>

namespace drive {

namespace {

QPointer<QWidget> g_hover;
Qt::MouseButtons g_buttons = Qt::NoButton;
ulong g_timestamp = 1000;

QString stripMnemonic(const QString &t)
{
    QString o;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] == u'&') {
            if (i + 1 < t.size() && t[i + 1] == u'&') {
                o += u'&';
                ++i;
            }
            continue;
        }
        o += t[i];
    }
    return o;
}

// The index of ITEM among texts: "#N", else the exact text, else the text without its
// mnemonic; -1 when there is none.
int itemIndex(const QStringList &texts, const QString &item)
{
    if (item.startsWith(QLatin1Char('#')) && item.size() > 1) {
        bool ok = false;
        const int n = item.mid(1).toInt(&ok);
        if (ok)
            return n >= 0 && n < texts.size() ? n : -1;
    }
    const int exact = int(texts.indexOf(item));
    if (exact >= 0)
        return exact;
    for (int i = 0; i < texts.size(); ++i)
        if (stripMnemonic(texts[i]) == item)
            return i;
    return -1;
}

QList<QRadioButton *> radioItems(QWidget *group)
{
    QList<QRadioButton *> out;
    for (QRadioButton *b : group->findChildren<QRadioButton *>())
        if (b->window() == group->window())
            out << b;
    return out;
}

bool isRadioGroup(QWidget *w)
{
    return !qobject_cast<QAbstractButton *>(w) && !qobject_cast<QAbstractItemView *>(w)
        && !qobject_cast<QTabWidget *>(w) && !radioItems(w).isEmpty();
}

QStringList itemTexts(QWidget *w)
{
    QStringList out;
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    } else if (auto *v = qobject_cast<QAbstractItemView *>(w)) {
        if (QAbstractItemModel *m = v->model())
            for (int r = 0; r < m->rowCount(v->rootIndex()); ++r)
                out << m->index(r, 0, v->rootIndex()).data(Qt::DisplayRole).toString();
    } else if (auto *t = qobject_cast<QTabWidget *>(w)) {
        for (int i = 0; i < t->count(); ++i)
            out << t->tabText(i);
    } else {
        for (QRadioButton *b : radioItems(w))
            out << b->text();
    }
    return out;
}

bool hasItems(QWidget *w)
{
    return qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractItemView *>(w) || qobject_cast<QTabWidget *>(w)
        || isRadioGroup(w);
}

void sendMouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        g_buttons |= button;
    else if (type == QEvent::MouseButtonRelease)
        g_buttons &= ~Qt::MouseButtons(button);
    QMouseEvent me(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, g_buttons, mods);
    g_timestamp += type == QEvent::MouseButtonRelease ? 1000 : 10;
    me.setTimestamp(g_timestamp);
    QSpontaneKeyEvent::setSpontaneous(&me);
    QApplication::instance()->notify(w, &me);
}

void click(QWidget *w, QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    clickAt(w, pos, mods);
}

void doubleClick(QWidget *w, QPoint pos);

} // namespace

void clickAt(QWidget *w, QPoint pos, Qt::KeyboardModifiers mods)
{
    QPointer<QWidget> guard(w);
    hoverTo(w, pos);
    sendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, mods);
    if (guard)
        sendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, mods);
}

namespace {

void doubleClick(QWidget *w, QPoint pos)
{
    QPointer<QWidget> guard(w);
    click(w, pos);
    if (guard)
        sendMouse(w, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::NoModifier);
    if (guard)
        sendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoModifier);
}

// Where a person clicks a button: on the box and text of a check box or radio button
// (the rest of its row does not take clicks), else the middle.
QPoint clickPoint(QAbstractButton *b)
{
    const bool check = qobject_cast<QCheckBox *>(b) != nullptr;
    if (!check && !qobject_cast<QRadioButton *>(b))
        return b->rect().center();
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    const QRect r = b->style()->subElementRect(check ? QStyle::SE_CheckBoxClickRect : QStyle::SE_RadioButtonClickRect, &opt, b);
    return r.isValid() ? r.center() : b->rect().center();
}

// Replaces the text of a line edit as a person selecting all and typing would.
void typeOver(QLineEdit *e, const QString &value)
{
    e->selectAll();
    if (value.isEmpty())
        e->del();
    else
        e->insert(value);
}

// A control that a person can operate: found, visible and (unless only the pointer
// goes there) enabled. Writes the error.
QWidget *usable(QWidget *window, const QString &name, bool mustBeEnabled = true)
{
    QWidget *w = findControl(window, name);
    if (!w) {
        writeError(QStringLiteral("unknown-control ") + plainOrQuoted(name));
        return nullptr;
    }
    if (!controlVisible(w)) {
        writeError(QStringLiteral("hidden ") + plainOrQuoted(name));
        return nullptr;
    }
    if (mustBeEnabled && !w->isEnabled()) {
        writeError(QStringLiteral("disabled ") + plainOrQuoted(name));
        return nullptr;
    }
    return w;
}

void unsupported(const QString &verb, const QString &name, QWidget *w)
{
    writeError(QStringLiteral("unsupported ") + verb + QLatin1Char(' ') + plainOrQuoted(name),
               QStringLiteral("%1 does not work on %2 (a %3)").arg(verb, name, QString::fromLatin1(w->metaObject()->className())));
}

void badValue(const QString &name, const QString &value)
{
    writeError(QStringLiteral("bad-value ") + plainOrQuoted(name) + QLatin1Char(' ') + quote(value));
}

void noItem(const QString &name, const QString &item)
{
    writeError(QStringLiteral("no-item ") + plainOrQuoted(name) + QLatin1Char(' ') + quote(item));
}

void setControl(QWidget *window, const QString &name, const QString &value)
{
    QWidget *w = usable(window, name);
    if (!w)
        return;
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        if (!b->isCheckable())
            return unsupported(QStringLiteral("set"), name, w);
        if (value != QLatin1String("true") && value != QLatin1String("false"))
            return badValue(name, value);
        const bool want = value == QLatin1String("true");
        if (b->isChecked() == want)
            return;
        if (!want && qobject_cast<QRadioButton *>(b) && b->autoExclusive()) {
            writeError(QStringLiteral("cannot-uncheck ") + plainOrQuoted(name),
                       QStringLiteral("a radio button is unchecked by choosing another one"));
            return;
        }
        click(b, clickPoint(b));
        return;
    }
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        if (e->isReadOnly()) {
            writeError(QStringLiteral("read-only ") + plainOrQuoted(name));
            return;
        }
        typeOver(e, value);
        return;
    }
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (!c->isEditable() || !c->lineEdit())
            return unsupported(QStringLiteral("set"), name, w);
        typeOver(c->lineEdit(), value);
        return;
    }
    if (auto *p = qobject_cast<QPlainTextEdit *>(w)) {
        if (p->isReadOnly()) {
            writeError(QStringLiteral("read-only ") + plainOrQuoted(name));
            return;
        }
        QTextCursor cur(p->document());
        cur.select(QTextCursor::Document);
        cur.insertText(value);
        p->setTextCursor(cur);
        return;
    }
    if (auto *t = qobject_cast<QTextEdit *>(w)) {
        if (t->isReadOnly()) {
            writeError(QStringLiteral("read-only ") + plainOrQuoted(name));
            return;
        }
        QTextCursor cur(t->document());
        cur.select(QTextCursor::Document);
        cur.insertText(value);
        t->setTextCursor(cur);
        return;
    }
    if (auto *s = qobject_cast<QAbstractSpinBox *>(w)) {
        QLineEdit *e = s->findChild<QLineEdit *>();
        if (!e || s->isReadOnly())
            return unsupported(QStringLiteral("set"), name, w);
        typeOver(e, value);
        s->interpretText();
        return;
    }
    if (auto *s = qobject_cast<QAbstractSlider *>(w)) {
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok)
            return badValue(name, value);
        s->setSliderDown(true);
        s->setSliderPosition(v);
        s->setSliderDown(false);
        return;
    }
    unsupported(QStringLiteral("set"), name, w);
}

void chooseItem(QWidget *window, const QString &name, const QString &item)
{
    QWidget *w = usable(window, name);
    if (!w)
        return;
    if (!hasItems(w))
        return unsupported(QStringLiteral("choose"), name, w);
    const int i = itemIndex(itemTexts(w), item);
    if (i < 0)
        return noItem(name, item);
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        c->setCurrentIndex(i);
        Q_EMIT c->activated(i);
        Q_EMIT c->textActivated(c->itemText(i));
        return;
    }
    if (auto *v = qobject_cast<QAbstractItemView *>(w)) {
        const QModelIndex index = v->model()->index(i, 0, v->rootIndex());
        const auto mode = v->selectionMode();
        const bool adds = mode == QAbstractItemView::MultiSelection || mode == QAbstractItemView::ExtendedSelection;
        if (adds && v->selectionModel() && v->selectionModel()->isSelected(index))
            return;
        v->scrollTo(index);
        const QRect r = v->visualRect(index);
        if (v->viewport()->isVisible() && r.isValid() && v->viewport()->rect().intersects(r)) {
            click(v->viewport(), r.center(),
                  mode == QAbstractItemView::ExtendedSelection ? Qt::ControlModifier : Qt::NoModifier);
        } else if (v->selectionModel()) {
            // Not on screen: the same selection as the click, and its signal.
            v->selectionModel()->setCurrentIndex(
                index, adds ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
            Q_EMIT v->clicked(index);
        }
        return;
    }
    if (auto *t = qobject_cast<QTabWidget *>(w)) {
        t->setCurrentIndex(i);
        return;
    }
    QRadioButton *b = radioItems(w).at(i);
    if (!b->isEnabled()) {
        writeError(QStringLiteral("disabled ") + plainOrQuoted(name) + QLatin1Char(' ') + quote(item));
        return;
    }
    if (!b->isChecked())
        click(b, clickPoint(b));
}

void clickControl(QWidget *window, const QString &name)
{
    QWidget *w = usable(window, name);
    if (!w)
        return;
    auto *b = qobject_cast<QAbstractButton *>(w);
    if (!b)
        return unsupported(QStringLiteral("click"), name, w);
    click(b, clickPoint(b));
}

void dblclickItem(QWidget *window, const QString &name, const QString &item)
{
    QWidget *w = usable(window, name);
    if (!w)
        return;
    auto *v = qobject_cast<QAbstractItemView *>(w);
    if (!v)
        return unsupported(QStringLiteral("dblclick"), name, w);
    const int i = itemIndex(itemTexts(w), item);
    if (i < 0)
        return noItem(name, item);
    const QModelIndex index = v->model()->index(i, 0, v->rootIndex());
    v->scrollTo(index);
    const QRect r = v->visualRect(index);
    if (v->viewport()->isVisible() && r.isValid()) {
        doubleClick(v->viewport(), r.center());
    } else {
        if (v->selectionModel())
            v->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        Q_EMIT v->doubleClicked(index);
    }
}

void mouseStep(QWidget *window, const ScriptLine &step)
{
    const QString name = step.arg(0), action = step.arg(1);
    bool okX = false, okY = false;
    const QPoint p(step.arg(2).toInt(&okX), step.arg(3).toInt(&okY));
    if (!okX || !okY)
        return writeError(QStringLiteral("syntax mouse"), QStringLiteral("mouse NAME press|move|release X Y"));
    // The pointer reaches disabled controls too; they ignore the buttons.
    QWidget *w = usable(window, name, false);
    if (!w)
        return;
    hoverTo(w, p);
    if (action == QLatin1String("press")) {
        sendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::NoModifier);
    } else if (action == QLatin1String("release")) {
        sendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoModifier);
    } else if (action == QLatin1String("move")) {
        sendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoModifier);
    } else {
        writeError(QStringLiteral("syntax mouse"), QStringLiteral("mouse NAME press|move|release X Y"));
    }
}

// select NAME START LENGTH: the text from the 0-based offset START (UTF-16 units), as a
// person selects it with the mouse or Shift and the arrow keys.
void selectText(QWidget *window, const QString &name, const QString &startText, const QString &lengthText)
{
    bool okStart = false, okLength = false;
    const int start = startText.toInt(&okStart), length = lengthText.toInt(&okLength);
    if (!okStart || !okLength || start < 0 || length < 0)
        return writeError(QStringLiteral("syntax select"), QStringLiteral("select NAME START LENGTH"));
    QWidget *w = usable(window, name);
    if (!w)
        return;
    auto outside = [&](qsizetype size) {
        if (start + qsizetype(length) <= size)
            return false;
        badValue(name, startText + QLatin1Char(' ') + lengthText);
        return true;
    };
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        if (outside(e->text().size()))
            return;
        w->setFocus(Qt::MouseFocusReason);
        e->setSelection(start, length);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w)) {
        QTextCursor c = p->textCursor();
        if (outside(p->document()->characterCount() - 1))
            return;
        w->setFocus(Qt::MouseFocusReason);
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        p->setTextCursor(c);
    } else if (auto *t = qobject_cast<QTextEdit *>(w)) {
        QTextCursor c = t->textCursor();
        if (outside(t->document()->characterCount() - 1))
            return;
        w->setFocus(Qt::MouseFocusReason);
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        t->setTextCursor(c);
    } else if (auto *q = qobject_cast<QsciScintilla *>(w)) {
        const QString text = q->text();
        if (outside(text.size()))
            return;
        w->setFocus(Qt::MouseFocusReason);
        // Scintilla counts bytes of its UTF-8 text.
        const long from = long(text.left(start).toUtf8().size());
        const long to = long(text.left(start + length).toUtf8().size());
        q->SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(from), to);
    } else {
        unsupported(QStringLiteral("select"), name, w);
    }
    QCoreApplication::processEvents();
}

// The text "show NAME" prints.
QString showText(QWidget *w)
{
    if (w->isWindow())
        return w->windowTitle();
    if (isRadioGroup(w)) {
        for (QRadioButton *b : radioItems(w))
            if (b->isChecked())
                return b->text();
        return QString();
    }
    return controlCaption(w);
}

void showControl(QWidget *window, const ScriptLine &step)
{
    const QString name = step.arg(0);
    QWidget *w = findControl(window, name);
    if (!w)
        return writeError(QStringLiteral("unknown-control ") + plainOrQuoted(name));
    const QString head = QStringLiteral("show ") + plainOrQuoted(name);
    if (step.argCount() == 2) {
        const QString what = step.arg(1);
        if (what == QLatin1String("state")) {
            writeLine(head + (w->isEnabled() ? QStringLiteral(" enabled") : QStringLiteral(" disabled"))
                      + (controlVisible(w) ? QStringLiteral(" visible") : QStringLiteral(" hidden")));
            return;
        }
        if (what == QLatin1String("items")) {
            if (!hasItems(w))
                return unsupported(QStringLiteral("show-items"), name, w);
            QString line = head + QStringLiteral(" items");
            for (const QString &t : itemTexts(w))
                line += QLatin1Char(' ') + quote(t);
            writeLine(line);
            return;
        }
        if (what == QLatin1String("hint")) {
            writeLine(head + QStringLiteral(" hint ") + quote(controlHint(w)));
            return;
        }
        return writeError(QStringLiteral("syntax show"), QStringLiteral("show NAME [state|items|hint]"));
    }
    if (auto *b = qobject_cast<QAbstractButton *>(w); b && b->isCheckable()) {
        writeLine(head + (b->isChecked() ? QStringLiteral(" true") : QStringLiteral(" false")));
        return;
    }
    if (auto *v = qobject_cast<QAbstractItemView *>(w)) {
        QString line = head;
        QList<int> rows;
        if (v->selectionModel())
            for (const QModelIndex &i : v->selectionModel()->selectedIndexes())
                if (i.column() == 0 && i.parent() == v->rootIndex())
                    rows << i.row();
        std::sort(rows.begin(), rows.end());
        const QStringList texts = itemTexts(w);
        for (int r : rows)
            line += QLatin1Char(' ') + quote(texts.value(r));
        if (rows.isEmpty())
            line += QStringLiteral(" \"\"");
        writeLine(line);
        return;
    }
    writeLine(head + QLatin1Char(' ') + quote(showText(w)));
}

QWidget *g_mainWindow = nullptr;

} // namespace

QWidget *findControl(QWidget *window, const QString &name)
{
    if (!window || name.isEmpty())
        return nullptr;
    // The window by its own name: "show" reads its caption.
    if (window->objectName() == name)
        return window;
    QWidget *first = nullptr;
    for (QWidget *w : window->findChildren<QWidget *>(name)) {
        if (w->window() != window)
            continue;
        if (controlVisible(w))
            return w;
        if (!first)
            first = w;
    }
    return first;
}

QString controlCaption(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->toPlainText();
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return t->toPlainText();
    if (auto *q = qobject_cast<QsciScintilla *>(w))
        return q->text();
    if (auto *s = qobject_cast<QAbstractSpinBox *>(w))
        return s->text();
    if (auto *s = qobject_cast<QAbstractSlider *>(w))
        return QString::number(s->value());
    if (auto *b = qobject_cast<QProgressBar *>(w))
        return QString::number(b->value());
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    if (auto *t = qobject_cast<QTabWidget *>(w))
        return t->currentIndex() >= 0 ? t->tabText(t->currentIndex()) : QString();
    if (auto *m = qobject_cast<QMenu *>(w))
        return m->title();
    if (w->isWindow())
        return w->windowTitle();
    return QString();
}

QString controlHint(QWidget *w) { return w->statusTip().isEmpty() ? w->toolTip() : w->statusTip(); }

bool controlChecked(QWidget *w)
{
    auto *b = qobject_cast<QAbstractButton *>(w);
    return b && b->isChecked();
}

bool controlVisible(QWidget *w) { return w->isWindow() ? w->isVisible() : w->isVisibleTo(w->window()); }

void runWindowStep(QWidget *window, const ScriptLine &step)
{
    const QString verb = step.verb();
    const int n = step.argCount();
    auto syntax = [&](const char *usage) {
        writeError(QStringLiteral("syntax ") + plainOrQuoted(verb), QStringLiteral("usage: %1").arg(QLatin1String(usage)));
    };
    if (verb == QLatin1String("set")) {
        if (n != 2)
            return syntax("set NAME VALUE");
        return setControl(window, step.arg(0), step.arg(1));
    }
    if (verb == QLatin1String("choose")) {
        if (n != 2)
            return syntax("choose NAME ITEM");
        return chooseItem(window, step.arg(0), step.arg(1));
    }
    if (verb == QLatin1String("click")) {
        if (n != 1)
            return syntax("click NAME");
        return clickControl(window, step.arg(0));
    }
    if (verb == QLatin1String("dblclick")) {
        if (n != 2)
            return syntax("dblclick NAME ITEM");
        return dblclickItem(window, step.arg(0), step.arg(1));
    }
    if (verb == QLatin1String("select")) {
        if (n != 3)
            return syntax("select NAME START LENGTH");
        return selectText(window, step.arg(0), step.arg(1), step.arg(2));
    }
    if (verb == QLatin1String("mouse")) {
        if (n != 4)
            return syntax("mouse NAME press|move|release X Y");
        return mouseStep(window, step);
    }
    if (verb == QLatin1String("close")) {
        if (n != 0)
            return syntax("close");
        window->close();
        return;
    }
    if (verb == QLatin1String("grab")) {
        if (n != 1)
            return syntax("grab FILE");
        if (!grabToFile(window, step.arg(0)))
            writeError(QStringLiteral("cannot-write ") + plainOrQuoted(step.arg(0)));
        return;
    }
    if (verb == QLatin1String("show")) {
        if (n != 1 && n != 2)
            return syntax("show NAME [state|items|hint]");
        return showControl(window, step);
    }
    writeError(QStringLiteral("unknown-step ") + plainOrQuoted(verb));
}

bool grabToFile(QWidget *widget, const QString &path)
{
    return widget->grab().save(path, "PNG");
}

void setKeyFallbackWindow(QWidget *w) { g_mainWindow = w; }

void activate(QWidget *window)
{
    if (!window || !window->isVisible())
        return;
    if (QApplication::activeWindow() != window)
        window->activateWindow();
    for (int i = 0; i < 100 && QApplication::activeWindow() != window; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        if (QApplication::activeWindow() != window)
            QThread::msleep(2);
    }
}

QWidget *keyTarget()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window)
        window = QApplication::activeWindow();
    if (!window || !window->isVisible()) {
        window = g_mainWindow;
        activate(window);
    }
    if (!window)
        return QApplication::focusWidget();
    QWidget *f = window->focusWidget();
    return f ? f : window;
}

void typeText(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        int key = 0;
        QString t(c);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            key = Qt::Key_Return;
            t = QStringLiteral("\r");
        } else if (c == u'\t') {
            key = Qt::Key_Tab;
        } else if (c == u'\b') {
            key = Qt::Key_Backspace;
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            t += text[++i];
            key = Qt::Key_unknown;
        } else if (c.unicode() < 0x80 && c.unicode() >= 0x20) {
            key = QTest::asciiToKey(char(c.unicode()));
        } else {
            key = c.toUpper().unicode();
        }
        QWidget *target = keyTarget();
        if (!target)
            return;
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), t, Qt::NoModifier);
    }
}

bool sendKeys(const QString &keys)
{
    const QKeySequence seq = QKeySequence::fromString(keys, QKeySequence::PortableText);
    if (seq.isEmpty() || seq[0].key() == Qt::Key_unknown)
        return false;
    for (int i = 0; i < seq.count(); ++i) {
        const QKeyCombination combo = seq[i];
        const Qt::Key key = combo.key();
        const Qt::KeyboardModifiers mods = combo.keyboardModifiers();
        if (key == Qt::Key_unknown || key == 0)
            return false;
        QString text;
        if (!(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            const char ascii = QTest::keyToAscii(key);
            if (ascii)
                text = QString(QChar::fromLatin1(ascii));
            if (mods & Qt::ShiftModifier)
                text = text.toUpper();
        }
        QWidget *target = keyTarget();
        if (!target)
            return true;
        QTest::sendKeyEvent(QTest::Click, target, key, text, mods);
    }
    return true;
}

void hoverTo(QWidget *w, QPoint pos)
{
    if (g_hover == w)
        return;
    QList<QWidget *> leave, enter;
    for (QWidget *p = g_hover; p; p = p->isWindow() ? nullptr : p->parentWidget())
        leave << p;
    for (QWidget *p = w; p; p = p->isWindow() ? nullptr : p->parentWidget())
        enter << p;
    while (!leave.isEmpty() && !enter.isEmpty() && leave.last() == enter.last()) {
        leave.removeLast();
        enter.removeLast();
    }
    g_hover = w;
    for (QWidget *p : std::as_const(leave)) {
        QEvent e(QEvent::Leave);
        QCoreApplication::sendEvent(p, &e);
    }
    for (qsizetype i = enter.size() - 1; i >= 0; --i) {
        QWidget *p = enter[i];
        const QPoint local = w->mapTo(p, pos);
        QEnterEvent e{QPointF(local), QPointF(local), QPointF(w->mapToGlobal(pos))};
        QCoreApplication::sendEvent(p, &e);
    }
}

void dropFiles(QWidget *window, const QStringList &paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(QFileInfo(p).absoluteFilePath());
    mime.setUrls(urls);
    const QPoint pos = window->rect().center();
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted())
        return;
    QDragMoveEvent move(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
    QDropEvent drop(QPointF(pos), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
}

void forgetHover(QWidget *w)
{
    if (g_hover && (g_hover == w || w->isAncestorOf(g_hover)))
        g_hover = nullptr;
}

} // namespace drive

// What the driver can do to a control, by the control's kind. Every verb works on every
// widget of its kind; none knows a command or a dialog. The rules, for dialog authors:
//
//   set NAME VALUE
//     QLineEdit, editable QComboBox   the text is replaced as typing would replace it
//                                     (textEdited, textChanged, editTextChanged)
//     QPlainTextEdit, QTextEdit       the whole text is replaced (textChanged); not when
//                                     read-only
//     QSpinBox, QDoubleSpinBox, ...   VALUE is typed into the box and interpreted
//                                     (valueChanged, textChanged)
//     QCheckBox, QRadioButton and     "true" or "false": clicked when it must change, so
//     other checkable buttons         that clicked/toggled handlers run; a checked radio
//                                     button cannot be set to false (click another one)
//     QSlider, QScrollBar, QDial      the position: pressed, moved, released (sliderMoved,
//                                     valueChanged)
//   choose NAME ITEM                  ITEM is an item text or #N (0-based index)
//     QComboBox                       currentIndexChanged, then activated, textActivated
//     QListWidget and other lists     a real click on the item; in a multi-selection list
//                                     the item is added to the selection
//     radio group                     a QGroupBox or a plain container widget named NAME;
//                                     its QRadioButton descendants are the items, by text
//                                     (a mnemonic "&" does not count) or #N; the button is
//                                     clicked
//     QTabWidget                      the tab becomes current
//   click NAME                        a QAbstractButton: a real left click at its centre
//                                     (focus moves to it, as with a mouse)
//   dblclick NAME ITEM                a real double click on the item of a list
//   select NAME START LENGTH          QLineEdit, QPlainTextEdit, QTextEdit, QsciScintilla: the
//                                     focus moves there and the text from the 0-based
//                                     offset START (UTF-16 units), LENGTH units long, is
//                                     selected, as with Shift and the arrow keys
//   mouse NAME press|move|release X Y left-button events at (X, Y) of the widget; the
//                                     pointer enters and leaves widgets as it moves (so
//                                     status tips appear and go)
//   show NAME                         "show NAME STRING": the text of an edit, combo box,
//                                     label, text area, spin box, button, group box title,
//                                     the caption of the window named by its own name,
//                                     current tab; the checked item of a radio group; the
//                                     position of a slider or a progress bar; "show NAME
//                                     true|false" for check boxes, radio buttons and
//                                     checkable buttons; the selected items of a list, one
//                                     STRING each
//   show NAME state                   "show NAME enabled|disabled visible|hidden"
//   show NAME items                   "show NAME items STRING...": the items of a combo box,
//                                     list, radio group or tab widget
//   show NAME hint                    "show NAME hint STRING": the control's hint (its
//                                     status tip, else its tool tip)
//   close, grab FILE                  the window itself
//
// A control is found by objectName inside the window (controls of another window that
// the window owns do not count). A disabled or hidden control cannot be set, chosen or
// clicked: that is an error, as it would be for the person at the keyboard.
#pragma once

#include "tools/drive/drivescript.h"

#include <QPoint>
#include <QString>
#include <QStringList>

class QAction;
class QWidget;

namespace drive {

QWidget *findControl(QWidget *window, const QString &name);

// The caption of a control as "print item" shows it, its hint, and its check state.
QString controlCaption(QWidget *w);
QString controlHint(QWidget *w);
bool controlChecked(QWidget *w);
bool controlVisible(QWidget *w);

// Runs one step of a block on a real window (set, choose, click, dblclick, select, mouse, close,
// grab, show). Errors are written as they occur.
void runWindowStep(QWidget *window, const ScriptLine &step);

// Saves a PNG picture of a widget; false when it cannot be written.
bool grabToFile(QWidget *widget, const QString &path);

// Typing and keys, always into the widget that has the focus at that moment (it may
// change between two keys).
void typeText(const QString &text);
// KEYS as portable text ("F4", "Ctrl+F", "Ctrl+Alt+B"); false when it is no key sequence.
bool sendKeys(const QString &keys);
// The widget that receives keys: the focus widget of the active window (of the fallback
// window while no window is active).
QWidget *keyTarget();
void setKeyFallbackWindow(QWidget *w);
// Activates a window as a click into it would, and waits (briefly) until it is active.
void activate(QWidget *window);

// Drops files (in this order) on the middle of a window, as from the file manager: drag
// enter, drag move and drop, unless the window refuses the drag.
void dropFiles(QWidget *window, const QStringList &paths);

// A real left click at pos of the widget (the pointer moves there first).
void clickAt(QWidget *w, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The pointer: moves it to the widget, sending the leave and enter events on the way.
void hoverTo(QWidget *w, QPoint pos);
void forgetHover(QWidget *w);

} // namespace drive

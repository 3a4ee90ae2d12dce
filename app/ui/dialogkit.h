// Small pieces the dialogs share: names for controls, colour swatches, texts by language,
// help and the main window a dialog belongs to.
#pragma once

#include <QFrame>
#include <QString>
#include <optional>

class QAbstractButton;
class QWidget;
class TMainForm;

namespace dlg {

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// The English or the German text.
inline QString text(bool english, const char *en, const char *de) { return QString::fromUtf8(english ? en : de); }

// The main window that owns the dialog, if any.
TMainForm *mainFormOf(QWidget *w);
// Shows topic N of the help file of the interface language.
void showHelp(QWidget *w, int topic);

// A colour value (red in the low byte) as a QColor.
QColor toQColor(quint32 value);

} // namespace dlg

// A small panel that shows a colour, or the button face when it shows none.
class ColorSwatch : public QFrame
{
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget *parent = nullptr);
    // A colour value (red in the low byte, system colours resolved); nullopt: button face.
    void setColorValue(std::optional<quint32> value);
    std::optional<quint32> colorValue() const { return m_value; }
    QColor shownColor() const;
    QSize sizeHint() const override { return QSize(22, 22); }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    std::optional<quint32> m_value;
};

// The image dialog: a picture file becomes an <img> element, or an image with a map of
// one clickable area drawn on the picture.
#pragma once

#include "checks/imagemap.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

class Prompts;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;

// The picture control: shows the displayed picture at its own size or stretched, and
// reports the left mouse button's press, moves and release in its own pixels.
class PictureView : public QWidget
{
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent);
    QImage &picture() { return m_picture; }
    void setPicture(const QImage &picture);
    bool stretched() const { return m_stretch; }
    void setStretched(bool on) { m_stretch = on; update(); }

signals:
    void pressed(int x, int y);
    void moved(int x, int y);
    void released(int x, int y);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QImage m_picture;
    bool m_stretch = false;
};

class TFormImage : public QDialog
{
    Q_OBJECT
public:
    explicit TFormImage(QWidget *parent = nullptr);

    // Published to the command.
    int Sprache = 0;
    QString ImageSrc;
    QString Dateilong;
    bool UseText = false;

    // The message boxes and the file dialog; by default those of the main window.
    void setPrompts(Prompts *prompts) { m_prompts = prompts; }

    // The helpers of the dialog, named after what they do.
    void SetImageCaptions();
    void ResetImageInfo();
    void ClearPoints();
    void SetMapControlsEnabled(bool on);
    void RedrawShape();
    void BuildImageTag();
    // Steps 2 to 5 of opening a picture, for a file already chosen. False on failure (the
    // error box has been shown then).
    bool LoadPicture(const QString &path);
    const QImage &cleanPicture() const { return m_clean; }
    const QList<QPoint> &points() const { return m_map.points; }

    // The controls, under their names.
    QCheckBox *CheckComplete, *CheckFileOnly, *CheckMap, *CheckBox1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10,
        *Label11, *Label14, *Label17, *LabelRadius, *LabelWidth, *LabelHeight, *LabelFSize;
    QLineEdit *EditComplete, *EditFileonly, *MapName, *Left, *Top, *Right, *Bottom, *Alt, *Title, *Href,
        *EditX, *EditY;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *ButtonOnly;
    QGroupBox *GroupBox1, *GroupBox2;
    QComboBox *ComboBox1;
    QScrollArea *ScrollBox1;
    PictureView *Image;
    QRadioButton *CheckBoxShow, *RadioButton1;
    QSlider *TrackBar1;
    QListWidget *ListBox1;

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

public slots:
    void done(int result) override;

private:
    void FormShow();
    void FormResize();
    void BitBtn1Click();
    void BitBtn2Click();
    void ComboBox1Change();
    void TrackBar1Change();
    void CheckBox1Click();
    void CheckMapClick();
    void ImageMouseDown(int x, int y);
    void ImageMouseMove(int x, int y);
    void ImageMouseUp(int x, int y);
    void showPicture(const QImage &picture);
    void applyStretch();
    void setScrollBackground(bool buttonFace);
    void setMapCaptionColour();
    void loadFailed();
    void pullMap();
    void pushMap();
    Prompts *prompts() const;

    ImageMapEditor m_map;
    QImage m_clean;        // the loaded picture, never drawn on
    bool m_dragShown = false; // the drag's outline is on the picture
    QString m_errorText;
    Prompts *m_prompts = nullptr;
};

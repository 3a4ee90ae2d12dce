// The frameset and inline-frame dialogs' texts: a whole HTML 4.01 frameset page with 2, 3
// or 4 frames, and an inline frame with its fallback link.
#pragma once

#include <QString>

struct FrameFields {
    bool Noresize = true;
    QString EditHeight = QStringLiteral("5"); // margin height
    QString EditWidth = QStringLiteral("5");  // margin width
    QString Scrolling = QStringLiteral("auto");
    QString Source;
};

struct FramesetFields {
    int frames = 2; // 2, 3 or 4; anything else counts as 2
    bool Borders = true;
    FrameFields frame[4];
    QString noFrames; // the text for browsers without frames

    FramesetFields();
};

// The no-frames text of the interface language.
QString noFramesText(bool english);

// OK of the frameset dialog: the page, without a line break at its end.
QString buildFrameset(const FramesetFields &fields);

// One frame line of the page, with the frame's name and the border value {B}.
QString frameLine(const FrameFields &frame, const QString &name, const QString &border);

struct IFrameFields {
    QString EditName = QStringLiteral("Inline Page");
    QString EditBreite = QStringLiteral("400");
    QString EditHohe = QStringLiteral("400");
    QString EditSource = QStringLiteral("Seite.htm");
};

// OK of the inline-frame dialog: four lines, each ended by CR LF.
QString buildIFrame(const IFrameFields &fields);

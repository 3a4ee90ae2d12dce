// Reading a picture file for the image dialog, and drawing on it with the inverting pen.
#pragma once

#include "checks/imagemap.h"

#include <QImage>
#include <QString>

// Pictures larger than this are refused before they are decoded, so that a small file
// that claims a huge size cannot take the memory.
constexpr int kMaxPictureSide = 16384;
constexpr qint64 kMaxPicturePixels = 25'000'000;
// The most a single decoded picture may take, in megabytes.
constexpr int kPictureAllocationLimitMb = 128;

// The reader format for a file name: ".gif" GIF, ".jpg" and ".jpeg" JPEG, ".png" PNG,
// anything else a bitmap (the extension compared in lower case).
QByteArray PictureFormatFor(const QString &path);

// Decodes the file in the format its extension names, into a 32-bit picture without
// transparency (transparent parts white). false when the file cannot be read, is not a
// picture of that format, is empty, or is too large.
bool ReadPicture(const QString &path, QImage *out);

// Draws the outline on the picture with the inverting pen (width 1, no fill). Drawing
// the same outline twice restores the picture.
void DrawInverted(QImage &picture, const Outline &outline);

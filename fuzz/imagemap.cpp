// The image dialog's markup and map editor take the coordinate, name and shape fields as
// typed: any text, including numbers out of range.
#include "checks/imagemap.h"

#include <QString>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(QLatin1Char('\n'));
    auto part = [&parts](int i) { return i < parts.size() ? parts[i] : QString(); };

    ImageMapEditor e;
    e.shape = part(0);
    e.Left = part(1);
    e.Top = part(2);
    e.Right = part(3);
    e.Bottom = part(4);
    e.mapOn = true;
    e.width = int(size % 5000);
    e.height = int((size * 7) % 5000);
    e.slider = int(size % 97);
    for (const bool manual : {false, true}) {
        e.optical = !manual;
        e.UseText = manual;
        e.sliderMoved();
        e.redraw();
        e.press(int(size), -int(size));
        Outline a, b;
        e.move(int(size) * 3, 0, &a, &b);
        e.release(-1, int(size));
        e.redraw();
    }

    ImageFields f;
    f.EditFileonly = part(5);
    f.Shape = e.shape;
    f.Left = e.Left;
    f.Top = e.Top;
    f.Right = e.Right;
    f.Bottom = e.Bottom;
    f.points = e.points;
    f.CheckMap = size % 2 == 0;
    BuildImageTag(f);
    BuildImageMap(f, part(6));
    int v;
    CoordValue(part(7), &v);
    return 0;
}

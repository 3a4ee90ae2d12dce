// The GIF completeness check reads arbitrary bytes from a file of any content.
#include "checks/imagemap.h"

#include <QBuffer>
#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    GifFirstImageComplete(buffer);
    return 0;
}

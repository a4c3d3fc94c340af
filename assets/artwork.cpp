// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/artwork.h"

#include <QResource>
#include <QtEndian>

namespace assets {

namespace {

// The files are embedded uncompressed (assets/CMakeLists.txt), so their bytes are read where
// they lie in the program.
QByteArray embedded(const char *name)
{
    const QResource file(QStringLiteral(":/assets/") + QLatin1StringView(name));
    return QByteArray::fromRawData(reinterpret_cast<const char *>(file.data()), file.size());
}

quint32 field(const QByteArray &file, qsizetype at)
{
    return qFromLittleEndian<quint32>(file.constData() + at);
}

// Rows of a Windows bitmap run bottom up, each padded to four bytes.
qsizetype rowBytes(int width, int bitsPerPixel)
{
    return (qsizetype(width) * bitsPerPixel + 31) / 32 * 4;
}

} // namespace

QImage background()
{
    // A 24-bit uncompressed BMP: file header, information header, then the pixels in B, G, R.
    const QByteArray file = embedded("background.bmp");
    const int width = int(field(file, 18));
    const int height = int(field(file, 22));
    const auto *pixels = reinterpret_cast<const uchar *>(file.constData() + field(file, 10));
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const uchar *from = pixels + rowBytes(width, 24) * (height - 1 - y);
        auto *to = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x, from += 3)
            to[x] = qRgb(from[2], from[1], from[0]);
    }
    return image;
}

QImage icon()
{
    // One 4-bit image: its information header, 16 palette entries, the colour rows, then the
    // 1-bit mask rows, where a set bit is transparent.
    const QByteArray file = embedded("vertex2.ico");
    const qsizetype header = field(file, 18);
    const int width = int(field(file, header + 4));
    const int height = int(field(file, header + 8)) / 2; // the mask's rows are counted too
    const qsizetype palette = header + field(file, header);
    const qsizetype colours = palette + qsizetype(16) * 4;
    const qsizetype mask = colours + rowBytes(width, 4) * height;
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const int row = height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const auto pair = quint8(file[colours + rowBytes(width, 4) * row + x / 2]);
            const int index = x % 2 ? pair & 0x0F : pair >> 4;
            const qsizetype entry = palette + qsizetype(4) * index;
            const bool clear = quint8(file[mask + rowBytes(width, 1) * row + x / 8]) >> (7 - x % 8)
                & 1;
            image.setPixel(x, y,
                           clear ? 0u
                                 : qRgb(quint8(file[entry + 2]), quint8(file[entry + 1]),
                                        quint8(file[entry])));
        }
    }
    return image;
}

} // namespace assets

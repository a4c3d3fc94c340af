// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's artwork: the background panel (a 24-bit Windows bitmap), the same panel
// at the size of the Windows installer's welcome and finish pages, the window icon (a 16-colour
// Windows icon with a transparency mask), and for the desktop's icon theme the same icon as a
// PNG, the same design drawn smooth at larger sizes, and as an SVG.
//
//   draw_assets OUTPUT_FOLDER   (writes background.bmp, installer.bmp, vertex2.ico and icons/)
//
// The bitmap and icon files are written byte by byte, so their format does not depend on the
// toolkit's image writers.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>
#include <QTransform>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

class Bytes
{
public:
    void u8(unsigned v) { m_data.push_back(char(v & 0xFF)); }
    void u16(unsigned v) { u8(v), u8(v >> 8); }
    void u32(std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
    void s32(std::int32_t v) { u32(std::uint32_t(v)); }
    const QByteArray &data() const { return m_data; }

private:
    QByteArray m_data;
};

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "draw_assets: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

void bitmapInfoHeader(Bytes &out, int width, int height, int bitCount, std::uint32_t imageSize,
                      std::uint32_t colours)
{
    out.u32(40);
    out.s32(width);
    out.s32(height);
    out.u16(1);
    out.u16(unsigned(bitCount));
    out.u32(0); // no compression
    out.u32(imageSize);
    out.s32(3780); // 96 dots per inch
    out.s32(3780);
    out.u32(colours);
    out.u32(0);
}

QImage drawBackground(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient shade(0, 0, 0, height);
    shade.setColorAt(0.0, QColor(168, 200, 240));
    shade.setColorAt(1.0, QColor(246, 184, 212));
    painter.fillRect(image.rect(), shade);

    // The title runs up the panel from the lower left to the upper right.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(96);
    font.setWeight(QFont::Black);
    font.setItalic(true);
    QPainterPath title;
    title.addText(0, 0, font, QStringLiteral("Paravel"));
    const QRectF box = title.boundingRect();
    const double angle = -std::atan2(double(height), double(width)) * 180.0 / M_PI;
    const double diagonal = std::hypot(double(width), double(height));
    const double scale = 0.74 * diagonal / box.width();
    QTransform place;
    place.translate(width / 2.0, height / 2.0);
    place.rotate(angle);
    place.scale(scale, scale * 0.8);
    place.translate(-box.center().x(), -box.center().y());
    title = place.map(title);

    // A brush leaves a ragged edge: the same strokes, a little apart.
    painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::black);
    for (const QPointF offset : {QPointF(0, 0), QPointF(1.5, -1), QPointF(-1, 1.5)})
        painter.drawPath(title.translated(offset));
    painter.end();
    return image;
}

QByteArray encodeBitmap(const QImage &image)
{
    const int width = image.width();
    const int height = image.height();
    const int stride = (width * 3 + 3) & ~3;
    const auto imageSize = std::uint32_t(stride * height);
    Bytes out;
    out.u8('B');
    out.u8('M');
    out.u32(14 + 40 + imageSize);
    out.u32(0);
    out.u32(14 + 40);
    bitmapInfoHeader(out, width, height, 24, imageSize, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.u8(unsigned(qBlue(pixel)));
            out.u8(unsigned(qGreen(pixel)));
            out.u8(unsigned(qRed(pixel)));
        }
        for (int pad = width * 3; pad < stride; ++pad)
            out.u8(0);
    }
    return out.data();
}

// The sixteen colours of the classic Windows palette.
constexpr std::array<QRgb, 16> Palette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
constexpr int Black = 0;
constexpr int Purple = 5;
constexpr int White = 15;
constexpr int Transparent = -1;

// The icon's design, on a grid of 32 units: a purple tile with cut corners, a white zig-zag
// like a graph casting a black shadow down and to the right, and a white dot near each corner.
constexpr int IconSize = 32;
constexpr int CornerCut = 3;
constexpr std::array<QPoint, 6> Graph = {QPoint(5, 23),  QPoint(10, 12), QPoint(15, 19),
                                         QPoint(20, 8), QPoint(24, 15), QPoint(27, 11)};
constexpr QPoint ShadowOffset(1, 2);
constexpr std::array<QPoint, 4> Dots = {QPoint(4, 4), QPoint(27, 4), QPoint(4, 27),
                                        QPoint(27, 27)};

// The 32 × 32 icon, pixel by pixel in the sixteen colours.
using IconPixels = std::array<std::array<int, IconSize>, IconSize>;

void plot(IconPixels &pixels, int x, int y, int colour)
{
    if (x >= 0 && x < IconSize && y >= 0 && y < IconSize && pixels[y][x] != Transparent)
        pixels[y][x] = colour;
}

// A line two pixels thick, stepped along its longer axis.
void line(IconPixels &pixels, QPoint from, QPoint to, int colour)
{
    const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    for (int i = 0; i <= steps; ++i) {
        const int x = from.x() + int(std::lround(double(to.x() - from.x()) * i / steps));
        const int y = from.y() + int(std::lround(double(to.y() - from.y()) * i / steps));
        plot(pixels, x, y, colour);
        plot(pixels, x + 1, y, colour);
        plot(pixels, x, y + 1, colour);
    }
}

IconPixels drawIcon()
{
    IconPixels pixels{};
    // The cut corners show through the mask.
    for (int y = 0; y < IconSize; ++y) {
        for (int x = 0; x < IconSize; ++x) {
            const int dx = std::min(x, IconSize - 1 - x);
            const int dy = std::min(y, IconSize - 1 - y);
            pixels[y][x] = dx + dy < CornerCut ? Transparent : Purple;
        }
    }
    for (std::size_t i = 1; i < Graph.size(); ++i)
        line(pixels, Graph[i - 1] + ShadowOffset, Graph[i] + ShadowOffset, Black);
    for (std::size_t i = 1; i < Graph.size(); ++i)
        line(pixels, Graph[i - 1], Graph[i], White);
    for (const QPoint dot : Dots) {
        plot(pixels, dot.x(), dot.y(), White);
        plot(pixels, dot.x() - 1, dot.y(), White);
        plot(pixels, dot.x(), dot.y() - 1, White);
        plot(pixels, dot.x() - 1, dot.y() - 1, White);
    }
    return pixels;
}

// The same design as shapes, in grid units, for any size. A pixel line covers the two pixels
// right and below its points, so the shapes run through their centres.
struct IconShapes
{
    QPolygonF tile, shadow, graph;
    QList<QRectF> dots;
    static constexpr double LineWidth = 2;
};

IconShapes iconShapes()
{
    IconShapes shapes;
    constexpr int cut = CornerCut;
    constexpr int end = IconSize;
    shapes.tile << QPointF(cut, 0) << QPointF(end - cut, 0) << QPointF(end, cut)
                << QPointF(end, end - cut) << QPointF(end - cut, end) << QPointF(cut, end)
                << QPointF(0, end - cut) << QPointF(0, cut);
    for (const QPoint point : Graph) {
        shapes.graph << QPointF(point) + QPointF(1, 1);
        shapes.shadow << QPointF(point + ShadowOffset) + QPointF(1, 1);
    }
    for (const QPoint dot : Dots)
        shapes.dots << QRectF(dot.x() - 1, dot.y() - 1, 2, 2);
    return shapes;
}

QImage drawSmoothIcon(int size)
{
    const IconShapes shapes = iconShapes();
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(double(size) / IconSize, double(size) / IconSize);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Palette[Purple]));
    painter.drawPolygon(shapes.tile);
    painter.setBrush(Qt::NoBrush);
    for (const auto &[polyline, colour] : {std::pair(shapes.shadow, Black), {shapes.graph, White}}) {
        painter.setPen(QPen(QColor(Palette[colour]), IconShapes::LineWidth, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(polyline);
    }
    for (const QRectF &dot : shapes.dots)
        painter.fillRect(dot, QColor(Palette[White]));
    return image;
}

QByteArray iconSvg()
{
    const IconShapes shapes = iconShapes();
    const auto points = [](const QPolygonF &polygon) {
        QStringList all;
        for (const QPointF point : polygon)
            all << QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
        return all.join(u' ');
    };
    const auto colour = [](int index) { return QColor(Palette[index]).name(); };
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                 "height=\"%1\" viewBox=\"0 0 %1 %1\">\n")
                      .arg(IconSize);
    svg += QStringLiteral("  <polygon points=\"%1\" fill=\"%2\"/>\n")
               .arg(points(shapes.tile), colour(Purple));
    for (const auto &[polyline, index] : {std::pair(shapes.shadow, Black), {shapes.graph, White}}) {
        svg += QStringLiteral("  <polyline points=\"%1\" fill=\"none\" stroke=\"%2\" "
                              "stroke-width=\"%3\" stroke-linecap=\"round\" "
                              "stroke-linejoin=\"round\"/>\n")
                   .arg(points(polyline), colour(index))
                   .arg(IconShapes::LineWidth);
    }
    for (const QRectF &dot : shapes.dots) {
        svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                   .arg(dot.x())
                   .arg(dot.y())
                   .arg(dot.width())
                   .arg(dot.height())
                   .arg(colour(White));
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

QByteArray encodeIcon(const IconPixels &pixels)
{
    constexpr int xorStride = IconSize / 2; // two pixels a byte
    constexpr int andStride = (IconSize / 8 + 3) & ~3; // one bit a pixel, rows of whole words
    constexpr std::uint32_t imageSize = IconSize * (xorStride + andStride);
    constexpr std::uint32_t resourceSize = 40 + 16 * 4 + imageSize;

    Bytes out;
    out.u16(0);
    out.u16(1); // an icon
    out.u16(1); // one image
    out.u8(IconSize);
    out.u8(IconSize);
    out.u8(16);
    out.u8(0);
    out.u16(1);
    out.u16(4);
    out.u32(resourceSize);
    out.u32(6 + 16);

    // The height counts the colour image and the mask together.
    bitmapInfoHeader(out, IconSize, 2 * IconSize, 4, imageSize, 16);
    for (const QRgb colour : Palette) {
        out.u8(unsigned(qBlue(colour)));
        out.u8(unsigned(qGreen(colour)));
        out.u8(unsigned(qRed(colour)));
        out.u8(0);
    }
    for (int y = IconSize - 1; y >= 0; --y) {
        for (int x = 0; x < IconSize; x += 2) {
            const int left = std::max(pixels[y][x], Black);
            const int right = std::max(pixels[y][x + 1], Black);
            out.u8(unsigned(left << 4 | right));
        }
    }
    for (int y = IconSize - 1; y >= 0; --y) {
        for (int byte = 0; byte < andStride; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < IconSize && pixels[y][x] == Transparent)
                    bits |= 0x80u >> bit;
            }
            out.u8(bits);
        }
    }
    return out.data();
}

QImage iconImage(const IconPixels &pixels)
{
    QImage image(IconSize, IconSize, QImage::Format_ARGB32);
    for (int y = 0; y < IconSize; ++y) {
        for (int x = 0; x < IconSize; ++x) {
            const int colour = pixels[y][x];
            image.setPixel(x, y, colour == Transparent ? 0u : (0xFF000000u | Palette[colour]));
        }
    }
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing text needs a platform plugin, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_assets OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QDir icons(folder.filePath(QStringLiteral("icons")));
    const IconPixels icon = drawIcon();
    // The installer's panel has the size NSIS gives its welcome and finish pages.
    bool ok = writeFile(folder.filePath(QStringLiteral("background.bmp")),
                        encodeBitmap(drawBackground(250, 494)))
        && writeFile(folder.filePath(QStringLiteral("installer.bmp")),
                     encodeBitmap(drawBackground(164, 314)))
        && writeFile(folder.filePath(QStringLiteral("vertex2.ico")), encodeIcon(icon))
        && folder.mkpath(QStringLiteral("icons"))
        && iconImage(icon).save(icons.filePath(QStringLiteral("%1.png").arg(IconSize)), "PNG")
        && writeFile(icons.filePath(QStringLiteral("scalable.svg")), iconSvg());
    // The desktop's larger icons, from 48 × 48 for menus to 256 × 256 for software centres.
    for (const int size : {48, 64, 128, 256})
        ok = ok && drawSmoothIcon(size).save(icons.filePath(QStringLiteral("%1.png").arg(size)), "PNG");
    return ok ? 0 : 1;
}

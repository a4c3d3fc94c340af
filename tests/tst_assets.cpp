// SPDX-License-Identifier: GPL-3.0-or-later
// The artwork embedded in the program: the format facts other tools rely on.

#include "assets/artwork.h"
#include "bytes.h"

#include <QFile>
#include <QImage>
#include <QTest>

namespace {

QByteArray resource(const char *name)
{
    QFile file(QStringLiteral(":/assets/") + QLatin1StringView(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_Assets : public QObject
{
    Q_OBJECT

private slots:
    void background()
    {
        const QByteArray bmp = resource("background.bmp");
        QCOMPARE(bmp.size(), 371542);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(u32(bmp, 2), 371542u);
        QCOMPARE(u32(bmp, 10), 54u); // pixels right after the headers: no palette
        QCOMPARE(u32(bmp, 14), 40u);
        QCOMPARE(u32(bmp, 18), 250u);
        QCOMPARE(u32(bmp, 22), 494u);
        QCOMPARE(u16(bmp, 26), 1);
        QCOMPARE(u16(bmp, 28), 24);
        QCOMPARE(u32(bmp, 30), 0u); // uncompressed
        QCOMPARE(u32(bmp, 46), 0u);

        const QImage image = QImage::fromData(bmp, "BMP");
        QCOMPARE(image.size(), QSize(250, 494));
        const QColor top = image.pixelColor(2, 2);
        const QColor bottom = image.pixelColor(247, 491);
        QVERIFY2(top.blue() > top.red(), "soft blue at the top");
        QVERIFY2(bottom.red() > bottom.blue(), "pink at the bottom");
        QCOMPARE(image.pixelColor(125, 247), QColor(Qt::black)); // the title crosses the middle
        // The window decodes it itself, as Qt's own reader does.
        QCOMPARE(assets::background(), image.convertToFormat(QImage::Format_RGB32));
    }

    void icon()
    {
        const QByteArray ico = resource("vertex2.ico");
        QCOMPARE(ico.size(), 766);
        QCOMPARE(u16(ico, 0), 0);
        QCOMPARE(u16(ico, 2), 1); // an icon, not a cursor
        QCOMPARE(u16(ico, 4), 1); // one image
        QCOMPARE(quint8(ico[6]), 32);
        QCOMPARE(quint8(ico[7]), 32);
        QCOMPARE(quint8(ico[8]), 16);
        QCOMPARE(u16(ico, 12), 4);
        QCOMPARE(u32(ico, 14), 744u);
        QCOMPARE(u32(ico, 18), 22u);
        QCOMPARE(u32(ico, 22), 40u);
        QCOMPARE(u32(ico, 26), 32u);
        QCOMPARE(u32(ico, 30), 64u); // colour image and mask
        QCOMPARE(u16(ico, 36), 4);
        QCOMPARE(u32(ico, 38), 0u);

        // The mask: the cut corners are transparent, the tile is not.
        const QImage image = QImage::fromData(ico, "ICO");
        QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(31, 31).alpha(), 0);
        QCOMPARE(image.pixelColor(16, 2), QColor(0x80, 0x00, 0x80));
        QCOMPARE(assets::icon(), image.convertToFormat(QImage::Format_ARGB32));
    }

    // The desktop's icons: the same design at every size the icon theme offers.
    void desktopIcons_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {32, 48, 64, 128, 256})
            QTest::addRow("%d", size) << size;
    }
    void desktopIcons()
    {
        QFETCH(const int, size);
        const QImage image(QStringLiteral(ICONS "/%1.png").arg(size));
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(size - 1, size - 1).alpha(), 0);
        QCOMPARE(image.pixelColor(size / 2, 1), QColor(0x80, 0x00, 0x80));
        if (size == 32) // the window's icon itself
            QCOMPARE(image.convertToFormat(QImage::Format_ARGB32), assets::icon());
    }
};

QTEST_GUILESS_MAIN(tst_Assets)
#include "tst_assets.moc"

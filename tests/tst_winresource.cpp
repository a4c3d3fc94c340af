// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows resource script, compiled here with the cross windres: the version record and
// the program file's icon.

#include "bytes.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

qsizetype align4(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

// A zero-terminated UTF-16 string; returns it and moves past it.
QString utf16(const QByteArray &data, qsizetype &at)
{
    QString text;
    for (; at + 1 < data.size() && u16(data, at) != 0; at += 2)
        text.append(QChar(u16(data, at)));
    at += 2;
    return text;
}

struct Resource
{
    int type = 0;
    int name = 0;
    QByteArray data;
};

// The entries of a 32-bit .res file; types and names here are all numbers.
QList<Resource> readResources(const QByteArray &res)
{
    QList<Resource> resources;
    for (qsizetype at = 0; at + 8 <= res.size();) {
        const quint32 dataSize = u32(res, at);
        const quint32 headerSize = u32(res, at + 4);
        Resource resource;
        if (u16(res, at + 8) == 0xFFFF)
            resource.type = u16(res, at + 10);
        if (u16(res, at + 12) == 0xFFFF)
            resource.name = u16(res, at + 14);
        resource.data = res.mid(at + headerSize, dataSize);
        if (dataSize > 0)
            resources.append(resource);
        at = align4(at + headerSize + dataSize);
    }
    return resources;
}

// The strings of a version record, by their path: "StringFileInfo/040904B0/ProductName".
void readVersionNode(const QByteArray &data, qsizetype at, const QString &parent,
                     QMap<QString, QString> &strings, QByteArray &fixedInfo)
{
    const qsizetype end = at + u16(data, at);
    const quint16 valueLength = u16(data, at + 2);
    const bool text = u16(data, at + 4) == 1;
    qsizetype cursor = at + 6;
    const QString key = utf16(data, cursor);
    const QString path = parent.isEmpty() ? key : parent + u'/' + key;
    cursor = align4(cursor);
    if (valueLength > 0) {
        if (text) {
            qsizetype value = cursor;
            strings.insert(path, utf16(data, value));
            cursor += qsizetype(valueLength) * 2;
        } else {
            if (key == u"VS_VERSION_INFO")
                fixedInfo = data.mid(cursor, valueLength);
            else
                strings.insert(path, QString::fromLatin1(data.mid(cursor, valueLength).toHex()));
            cursor += valueLength;
        }
    }
    for (cursor = align4(cursor); cursor < end; cursor = align4(cursor + u16(data, cursor)))
        readVersionNode(data, cursor, path, strings, fixedInfo);
}

} // namespace

class tst_WinResource : public QObject
{
    Q_OBJECT

    QByteArray m_res;

private slots:
    void initTestCase()
    {
        const QString windres = QStringLiteral(WINDRES);
        if (!windres.startsWith(u'/'))
            QFAIL("x86_64-w64-mingw32-windres is missing (binutils-mingw-w64-x86-64)");
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString output = folder.filePath(QStringLiteral("vertex2.res"));
        // The host's C preprocessor stands in for the cross compiler's.
        QProcess process;
        process.start(windres,
                      {"--preprocessor=gcc", "--preprocessor-arg=-E",
                       "--preprocessor-arg=-xc-header", "--preprocessor-arg=-DRC_INVOKED", "-i",
                       RESOURCE_SCRIPT, "-O", "res", "-o", output});
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError());
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_res = file.readAll();
    }

    void icon()
    {
        QFile ico(QStringLiteral(ICON));
        QVERIFY(ico.open(QIODevice::ReadOnly));
        const QByteArray image = ico.readAll().mid(22);
        const QList<Resource> resources = readResources(m_res);
        const auto iconImage = std::find_if(resources.begin(), resources.end(),
                                            [](const Resource &r) { return r.type == 3; });
        QVERIFY(iconImage != resources.end());
        QCOMPARE(iconImage->data, image);
        const auto group = std::find_if(resources.begin(), resources.end(),
                                        [](const Resource &r) { return r.type == 14; });
        QVERIFY(group != resources.end());
        QCOMPARE(group->name, 1);
        QCOMPARE(u16(group->data, 4), 1); // one image: 32 × 32, 16 colours, 4 bits
        QCOMPARE(quint8(group->data[6]), 32);
        QCOMPARE(quint8(group->data[7]), 32);
        QCOMPARE(quint8(group->data[8]), 16);
        QCOMPARE(u16(group->data, 12), 4);
        QCOMPARE(u32(group->data, 14), quint32(image.size()));
    }

    void version()
    {
        const QList<Resource> resources = readResources(m_res);
        const auto record = std::find_if(resources.begin(), resources.end(),
                                         [](const Resource &r) { return r.type == 16; });
        QVERIFY(record != resources.end());
        QMap<QString, QString> strings;
        QByteArray fixed;
        readVersionNode(record->data, 0, {}, strings, fixed);

        const QString table = QStringLiteral("VS_VERSION_INFO/StringFileInfo/040904B0/");
        QCOMPARE(strings.value(table + "ProductName"), u"Vertex2");
        QCOMPARE(strings.value(table + "InternalName"), u"Vertex2_1");
        QCOMPARE(strings.value(table + "FileVersion"), QStringLiteral(VERSION));
        QCOMPARE(strings.value(table + "ProductVersion"), QStringLiteral(VERSION));
        QVERIFY(!strings.value(table + "CompanyName").isEmpty());
        // U.S. English (0x0409) with the Unicode code page (1200), as little-endian words.
        QCOMPARE(strings.value("VS_VERSION_INFO/VarFileInfo/Translation"), u"0904b004");

        QCOMPARE(fixed.size(), 52);
        QCOMPARE(u32(fixed, 0), 0xFEEF04BDu);
        const quint32 version = VERSION_MAJOR << 16 | VERSION_MINOR; // "1.00" is 1.0.0.0
        QCOMPARE(u32(fixed, 8), version);
        QCOMPARE(u32(fixed, 12), 0u); // .0.0
        QCOMPARE(u32(fixed, 16), version);
        QCOMPARE(u32(fixed, 20), 0u);
        QCOMPARE(u32(fixed, 32), 0x40004u); // Windows NT, 32-bit API
        QCOMPARE(u32(fixed, 36), 1u); // an application
    }
};

QTEST_GUILESS_MAIN(tst_WinResource)
#include "tst_winresource.moc"

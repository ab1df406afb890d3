// SPDX-License-Identifier: GPL-3.0-or-later
// The orientation read from real camera files, broken EXIF blocks read safely, and the
// orientation-only EXIF that other readers understand.
#include "platform/ExifOrientation.h"
#include "platform/Resources.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

int orientationOf(const QString& path)
{
    const RunResult r = run(toolPath(QStringLiteral("rdjpgcom")),
                            {QStringLiteral("-raw"), QStringLiteral("APP1"), path});
    return exifOrientation(
        {reinterpret_cast<const uint8_t*>(r.out.constData()), size_t(r.out.size())});
}

} // namespace

TEST(ExifOrientation, ReadFromCameraFiles)
{
    for (const char* shape : {"landscape", "portrait"})
        for (int o = 1; o <= 8; ++o) {
            const QString path = dataDir() + QStringLiteral("/photos/orientation/%1_%2.jpg")
                                                 .arg(QString::fromLatin1(shape))
                                                 .arg(o);
            EXPECT_EQ(orientationOf(path), o) << path.toStdString();
        }
    // Broken EXIF blocks (offsets out of range, loops) read as upright.
    for (const QString& name :
         QDir(dataDir() + QStringLiteral("/photos/invalid")).entryList({QStringLiteral("*.jpg")}))
        EXPECT_EQ(orientationOf(dataDir() + QStringLiteral("/photos/invalid/") + name), 1)
            << name.toStdString();
}

TEST(ExifOrientation, HostileBlocks)
{
    const auto app1 = [](const QByteArray& payload) {
        QByteArray s("\xFF\xE1", 2);
        s += char((payload.size() + 2) >> 8);
        s += char((payload.size() + 2) & 0xFF);
        return s + payload;
    };
    const QByteArray exif("Exif\0\0", 6);
    const QByteArray cases[] = {
        QByteArray(),
        app1("Exif"),
        app1(exif + "II*\0"),
        app1(exif + QByteArray("II*\0\xFF\xFF\xFF\x7F", 8)),
        app1(exif + QByteArray("MM\0*\0\0\0\x08\xFF\xFF", 10)),
        app1(exif + QByteArray("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x09\0\0", 22)),
        QByteArray("\xFF\xE1\x00\x01", 4),
        QByteArray("\xFF\xE1\xFF\xFF", 4) + exif,
    };
    for (const QByteArray& c : cases)
        EXPECT_EQ(
            exifOrientation({reinterpret_cast<const uint8_t*>(c.constData()), size_t(c.size())}),
            1);
}

TEST(ExifOrientation, OrientationOnlyBlockIsReadByExiftool)
{
    QTemporaryDir tmp;
    const QString photo = dataDir() + QStringLiteral("/photos/Canon_40D.jpg");
    for (int o = 1; o <= 8; ++o) {
        const auto segment = orientationOnlyApp1(o);
        EXPECT_EQ(exifOrientation(segment), o);
        const QString payload = tmp.filePath(QStringLiteral("app1"));
        writeBytes(payload, QByteArray(reinterpret_cast<const char*>(segment.data()),
                                       qsizetype(segment.size())));
        const QString out = tmp.filePath(QStringLiteral("out.jpg"));
        writeBytes(out, run(toolPath(QStringLiteral("wrjpgcom")),
                            {QStringLiteral("-app1"), payload}, readBytes(photo))
                            .out);
        const RunResult r = run(QStringLiteral("exiftool"),
                                {QStringLiteral("-s3"), QStringLiteral("-n"),
                                 QStringLiteral("-Orientation"), QStringLiteral("-Warning"), out});
        EXPECT_EQ(r.out.trimmed(), QByteArray::number(o));
    }
}

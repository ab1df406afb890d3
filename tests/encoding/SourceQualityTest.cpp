// SPDX-License-Identifier: GPL-3.0-or-later
// The quality read back from a JPEG's luma table.
#include "encoding/SourceQuality.h"
#include "platform/ByteSpan.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>

using namespace brelin;
using namespace brelin::test;

TEST(SourceQuality, LibjpegsOwnQualityIsReadBackExactly)
{
    const QString ppm = QDir(QDir::tempPath()).filePath(QStringLiteral("brelin-quality.ppm"));
    writeBytes(ppm, decodeWithDjpeg(dataDir() + QStringLiteral("/photos/Nikon_D70.jpg")));
    // Below 25 the 8-bit tables saturate at 255; -baseline keeps them 8-bit there too.
    for (const int q : {1, 12, 30, 55, 60, 71, 80, 88, 94, 99, 100}) {
        const QByteArray jpeg =
            run(QStringLiteral("cjpeg"),
                {QStringLiteral("-baseline"), QStringLiteral("-quality"), QString::number(q), ppm})
                .out;
        ASSERT_FALSE(jpeg.isEmpty()) << q;
        EXPECT_EQ(sourceQuality(bytesOf(jpeg)), q) << q;
    }
    QFile::remove(ppm);
}

TEST(SourceQuality, OtherTablesGetTheNearestQuality)
{
    // A camera's table: each entry 10 % above libjpeg's at 85 reads as a quality near 85,
    // never above it.
    uint16_t table[64];
    scaledLumaTable(85, 255, table);
    QByteArray jpeg("\xFF\xD8\xFF\xDB\x00\x43\x00", 7);
    for (const uint16_t v : table)
        jpeg += char(std::min(255, v * 11 / 10 + (v < 10)));
    // A frame whose first component takes table 0, then the scan.
    const QByteArray frameAndScan("\xFF\xC0\x00\x0B\x08\x00\x10\x00\x10\x01\x01\x11\x00"
                                  "\xFF\xDA\x00\x02",
                                  17);
    jpeg += frameAndScan;
    const auto q = sourceQuality(bytesOf(jpeg));
    ASSERT_TRUE(q.has_value());
    EXPECT_LT(*q, 85);
    EXPECT_GE(*q, 78);

    // No table for the frame, and a table cut short.
    EXPECT_FALSE(sourceQuality(bytesOf(QByteArray("\xFF\xD8", 2) + frameAndScan)));
    EXPECT_FALSE(sourceQuality(
        bytesOf(QByteArray("\xFF\xD8\xFF\xDB\x00\x05\x00\x01\x02", 9) + frameAndScan)));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The lossless rewrite on streams laid out in unusual ways: what it keeps of the source's
// segments, and what it refuses to touch.
#include "encoding/LosslessRecode.h"
#include "platform/ByteSpan.h"
#include "support/Coefficients.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

TEST(LosslessRecode, KeepsTheSourcesSegmentsAndRefusesWhatItCannotCut)
{
    // libjpeg's standard Huffman tables, progressive: there is room to save.
    const QString photo = dataDir() + QStringLiteral("/photos/orientation/landscape_1.jpg");
    const QByteArray plain =
        run(QStringLiteral("jpegtran"), {QStringLiteral("-copy"), QStringLiteral("all"), photo})
            .out;
    const QByteArray progressive =
        run(QStringLiteral("jpegtran"),
            {QStringLiteral("-copy"), QStringLiteral("all"), QStringLiteral("-progressive"), photo})
            .out;
    ASSERT_FALSE(plain.isEmpty());
    ASSERT_FALSE(progressive.isEmpty());
    const QByteArray comment("\xFF\xFE\x00\x06note", 8);
    // Just past the first quantisation table, before the frame.
    const qsizetype dqt = plain.indexOf(QByteArray("\xFF\xDB", 2));
    const qsizetype firstTable = dqt + 2 + (uint8_t(plain[dqt + 2]) << 8 | uint8_t(plain[dqt + 3]));
    const qsizetype secondScan =
        progressive.indexOf(QByteArray("\xFF\xDA", 2), progressive.indexOf("\xFF\xDA") + 2);
    const struct
    {
        const char* what;
        QByteArray bytes;
        bool rewritten;
    } rows[] = {
        {"a comment among the tables", plain.left(firstTable) + comment + plain.mid(firstTable),
         true},
        {"bytes after the end", plain + QByteArray("padding"), true},
        {"a comment among the scans",
         progressive.left(secondScan) + comment + progressive.mid(secondScan), false},
        {"cut short", plain.left(plain.size() - 100), false},
    };
    for (const auto& row : rows) {
        std::string why;
        const auto out = smallestLosslessRecode(bytesOf(row.bytes), true, why);
        ASSERT_EQ(out.has_value(), row.rewritten) << row.what << ": " << why;
        if (!out) {
            EXPECT_FALSE(why.empty()) << row.what;
            continue;
        }
        const QByteArray result(reinterpret_cast<const char*>(out->data()), qsizetype(out->size()));
        EXPECT_LT(result.size(), plain.size()) << row.what;
        EXPECT_TRUE(result.endsWith("\xFF\xD9")) << row.what;
        EXPECT_EQ(appSegmentsOf(result), appSegmentsOf(row.bytes)) << row.what;
        EXPECT_EQ(coefficientsOf(result), coefficientsOf(plain)) << row.what;
    }
}

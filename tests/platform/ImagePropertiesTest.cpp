// SPDX-License-Identifier: GPL-3.0-or-later
// The info panel's properties: the order of the tree, and what a camera file gives.
#include "platform/ImageProperties.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

QStringList keysOf(const std::vector<PropertyNode>& nodes)
{
    QStringList keys;
    for (const PropertyNode& n : nodes)
        keys << n.key + (n.children.empty()
                             ? QString()
                             : QLatin1Char('(') + keysOf(n.children).join(QLatin1Char(' ')) +
                                   QLatin1Char(')'));
    return keys;
}

TEST(ImageProperties, TheTreeIsInPlainStringOrderOfTheNames)
{
    Properties p;
    for (const char* name : {"b", "{GPS}", "B", "a", "Z", "1", "{Exif}"})
        p[QLatin1String(name)] = Property{QLatin1String(name), QStringLiteral("v"), {}, false};
    Property& group = p[QStringLiteral("{Exif}")];
    group.isGroup = true;
    for (const char* name : {"fNumber", "FNumber", "{Nested}"})
        group.group[QLatin1String(name)] =
            Property{QLatin1String(name), QStringLiteral("v"), {}, false};
    EXPECT_EQ(keysOf(propTree(p)).join(QLatin1Char(' ')),
              QStringLiteral("1 B Z a b {Exif}(FNumber fNumber {Nested}) {GPS}"));
}

TEST(ImageProperties, ACameraFileReadsAsExiv2InterpretsIt)
{
    const auto p = imageProperties(readBytes(dataDir() + QStringLiteral("/photos/Canon_40D.jpg")));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->at(QStringLiteral("PixelWidth")).value, QStringLiteral("100"));
    const Properties& exif = p->at(QStringLiteral("{Exif}")).group;
    EXPECT_EQ(exif.at(QStringLiteral("ExposureTime")).value, QStringLiteral("1/160 s"));
    EXPECT_EQ(exif.at(QStringLiteral("FNumber")).value, QStringLiteral("F7.1"));
    EXPECT_EQ(exif.at(QStringLiteral("FNumber")).label, QStringLiteral("FNumber"));
    EXPECT_EQ(p->at(QStringLiteral("{TIFF}")).group.at(QStringLiteral("Make")).value,
              QStringLiteral("Canon"));
    EXPECT_FALSE(imageProperties(QByteArray("not a JPEG")));
    EXPECT_FALSE(p->count(QStringLiteral("{HDR}")));
}

TEST(ImageProperties, AnHdrPhotoShowsItsGainMap)
{
    const auto p =
        imageProperties(readBytes(dataDir() + QStringLiteral("/hdr/pixel_ultrahdr.jpg")));
    ASSERT_TRUE(p && p->count(QStringLiteral("{HDR}")));
    const Properties& hdr = p->at(QStringLiteral("{HDR}")).group;
    EXPECT_EQ(hdr.at(QStringLiteral("GainMapSize")).value, QString::fromUtf8("1020 × 768"));
    EXPECT_EQ(hdr.at(QStringLiteral("MaxBoost")).value, QString::fromUtf8("×6.31 (2.66 stops)"));
    EXPECT_EQ(hdr.at(QStringLiteral("MinBoost")).value, QString::fromUtf8("×1 (0.00 stops)"));
}

TEST(ImageProperties, AProfileNameEndsAtItsText)
{
    // ICC v4 ('mluc', a Pixel photo's, whose text ends with a NUL) and v2 ('desc').
    const struct
    {
        const char* file;
        const char* name;
    } rows[] = {{"/hdr/pixel_ultrahdr.jpg", "Display P3"},
                {"/photos/Canon_40D.jpg", "sRGB IEC61966-2.1"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const auto p = imageProperties(readBytes(dataDir() + QLatin1String(row.file)));
        ASSERT_TRUE(p && p->count(QStringLiteral("ProfileName")));
        EXPECT_EQ(p->at(QStringLiteral("ProfileName")).value, QLatin1String(row.name));
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The Multi-Picture Format index: read from a phone's HDR photo, its numbers rewritten in
// place, a new index made, and damaged ones refused.
#include "markers/MultiPicture.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace markers;
using namespace brelin::test;

namespace {

std::vector<uint8_t> mpfPayloadOf(const QByteArray& jpeg)
{
    for (const TestSegment& s : segmentsOf(jpeg, kAPP2)) {
        const auto* p = reinterpret_cast<const uint8_t*>(s.bytes.constData()) + 4;
        const std::span<const uint8_t> payload(p, size_t(s.bytes.size()) - 4);
        if (isMpfPayload(payload))
            return {payload.begin(), payload.end()};
    }
    return {};
}

} // namespace

TEST(MultiPicture, APhonesIndexIsReadRewrittenInPlaceAndMadeAnew)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/hdr/pixel_ultrahdr.jpg"));
    const std::vector<uint8_t> payload = mpfPayloadOf(photo);
    const auto index = readMpIndex(payload);
    ASSERT_TRUE(index);
    ASSERT_EQ(index->entries.size(), 2u);
    EXPECT_EQ(index->entries[0].offset, 0u);
    EXPECT_EQ(index->entries[0].attributes, 0x030000u); // baseline primary image
    // The map's offset counts from the TIFF header: it lands on the map's SOI, and the map
    // ends the file.
    const qsizetype tiff = photo.indexOf(QByteArray("MPF\0", 4)) + qsizetype(kMpfTiffStart);
    const MpEntry map = index->entries[1];
    EXPECT_EQ(photo.mid(tiff + map.offset, 2), QByteArray("\xFF\xD8", 2));
    EXPECT_EQ(tiff + map.offset + map.size, photo.size());

    std::vector<MpEntry> changed = index->entries;
    changed[0].size = 123456;
    changed[1] = {0, 7890, 654321, 0, 0};
    const auto rewritten = rewriteMpIndex(payload, changed);
    ASSERT_TRUE(rewritten);
    ASSERT_EQ(rewritten->size(), payload.size());
    EXPECT_EQ(readMpIndex(*rewritten)->entries, changed);
    size_t differing = 0;
    for (size_t i = 0; i < payload.size(); ++i)
        differing += payload[i] != (*rewritten)[i];
    EXPECT_LE(differing, 2u * 16) << "only the entries change";
    EXPECT_FALSE(rewriteMpIndex(payload, {changed[0]})) << "an entry count of its own";

    for (const bool big : {false, true}) {
        const auto made = readMpIndex(makeMpIndex({changed[0]}, big));
        ASSERT_TRUE(made) << big;
        EXPECT_EQ(made->bigEndian, big);
        EXPECT_EQ(made->entries, std::vector<MpEntry>{changed[0]});
    }
}

TEST(MultiPicture, DamagedIndexesAreRefused)
{
    const std::vector<uint8_t> good =
        makeMpIndex({{0x030000, 1000, 0, 0, 0}, {0, 50, 900, 0, 0}}, false);
    ASSERT_TRUE(readMpIndex(good));
    const auto with = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> p = good;
        p[at] = value;
        return p;
    };
    const std::vector<uint8_t> cases[] = {
        {},
        {good.begin(), good.begin() + 20},      // cut inside the tags
        {good.begin(), good.end() - 1},         // the last entry cut short
        with(0, 'X'),                           // not "MPF\0"
        with(kMpfTiffStart, 'X'),               // no TIFF byte order
        with(kMpfTiffStart + 4, 200),           // the IFD past the end
        with(kMpfTiffStart + 8, 0xFF),          // 255 tags, not there
        with(kMpfTiffStart + 10 + 24 + 4, 15),  // entries of 15 bytes
        with(kMpfTiffStart + 10 + 24 + 8, 250), // entries past the end
        with(kMpfTiffStart + 10 + 24, 0x03),    // no entries tag at all
    };
    for (const auto& payload : cases)
        EXPECT_FALSE(readMpIndex(payload)) << payload.size();
}

TEST(MultiPicture, TheImagesAfterTheFirstAreFoundAndDamagedOnesNamed)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/hdr/pixel_ultrahdr.jpg"));
    const auto bytes = [](const QByteArray& b) {
        return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(b.constData()),
                                        size_t(b.size()));
    };
    const auto found = findStoredImages(bytes(photo));
    ASSERT_TRUE(found);
    ASSERT_EQ(found->images.size(), 1u);
    EXPECT_EQ(found->images[0].entry, 1u);
    EXPECT_EQ(found->images[0].start + found->images[0].size, size_t(photo.size()));
    EXPECT_TRUE(found->damaged.empty());
    // The same file cut inside its gain map: the map is named as damaged.
    const auto cut = findStoredImages(bytes(photo.left(photo.size() - 100)));
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->images.empty());
    EXPECT_EQ(cut->damaged, std::vector<size_t>{1});
    const QByteArray plain = readBytes(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    EXPECT_FALSE(findStoredImages(bytes(plain)));
}

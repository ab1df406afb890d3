// SPDX-License-Identifier: GPL-3.0-or-later
// Brelin's own progressive coder against libjpeg's: for the same coefficients and scans,
// the same bytes, and the counts it chooses scans by are the bytes it writes.
#include "encoding/ScanCoder.h"
#include "encoding/BlockQuantiser.h"
#include "encoding/CoefficientWriter.h"
#include "encoding/PlaneEncoder.h"
#include "encoding/ZigzagBits.h"
#include "platform/ByteSpan.h"
#include "platform/JpegPlanes.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

#include <random>

using namespace brelin;
using namespace brelin::test;

namespace {

std::vector<uint8_t> ourStream(const CoefficientImage& image, const std::vector<Scan>& scans)
{
    std::vector<uint8_t> out;
    writeProgressiveHeader(image, out);
    const ScanCoder coder(image);
    const std::vector<ScanCounts> counts = coder.count(scans);
    std::vector<ScanTables> tables;
    for (size_t i = 0; i < scans.size(); ++i) {
        tables.push_back(tablesFor(counts[i]));
        // What the count expects is what is written, but for the stuffed zero bytes.
        std::vector<uint8_t> alone;
        coder.write(std::span(&scans[i], 1), std::span(&tables[i], 1), alone);
        size_t stuffed = 0;
        for (size_t k = 1; k < alone.size(); ++k)
            stuffed += alone[k - 1] == 0xFF && alone[k] == 0;
        EXPECT_EQ(alone.size() - stuffed, scanBytesBeforeStuffing(scans[i], counts[i], tables[i]))
            << "scan " << i;
    }
    coder.write(scans, tables, out);
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

struct Planes
{
    std::vector<Bitmap> owned;
    std::vector<const Bitmap*> planes() const
    {
        std::vector<const Bitmap*> p;
        for (const Bitmap& b : owned)
            p.push_back(&b);
        return p;
    }
};

// Planes whose every sample comes from `sample(plane, x, y)`.
template <class F>
Planes madePlanes(int width, int height, int count, F sample)
{
    Planes p;
    for (int c = 0; c < count; ++c) {
        const int w = c ? (width + 1) / 2 : width, h = c ? (height + 1) / 2 : height;
        Bitmap b(w, h, 1);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b.row(y)[x] = sample(c, x, y);
        p.owned.push_back(std::move(b));
    }
    return p;
}

Planes photoPlanes(const char* photo)
{
    const QByteArray bytes = readBytes(dataDir() + QLatin1Char('/') + QLatin1String(photo));
    JpegError error;
    auto decoder = JpegPlaneDecoder::start(brelin::bytesOf(bytes), 1, error);
    Planes p;
    if (decoder && decoder->finish(error))
        for (int c = 0; c < decoder->planeCount(); ++c) {
            const Bitmap& from = decoder->plane(c);
            Bitmap b(from.width, from.height, 1);
            for (int y = 0; y < from.height; ++y)
                std::copy(from.row(y), from.row(y) + from.width, b.row(y));
            p.owned.push_back(std::move(b));
        }
    EXPECT_FALSE(p.owned.empty()) << photo << " " << error.message;
    return p;
}

// Levels set block by block to reach what photos seldom do in the refinement scans:
// blocks with only earlier coefficients, whose correction bits wait behind a run of
// hundreds of blocks; a new coefficient followed by more than 16 zeros and then an
// earlier one (no run of 16 is sent there); runs of 16 zeros before a new one.
CoefficientImage patternedLevels()
{
    CoefficientImage image;
    image.width = 700;
    image.height = 300;
    image.components = 3;
    for (int t = 0; t < 2; ++t)
        for (int k = 0; k < 64; ++k)
            image.tables[t][k] = uint16_t(1 + k % 7);
    std::mt19937 random(11);
    for (int c = 0; c < 3; ++c) {
        CoefficientPlane& p = image.planes[c];
        p.widthInBlocks = c ? 44 : 88;
        p.heightInBlocks = c ? 19 : 38;
        p.table = c ? 1 : 0;
        p.blocks.assign(size_t(p.widthInBlocks) * size_t(p.heightInBlocks) * 64, 0);
        for (int n = 0; n < p.widthInBlocks * p.heightInBlocks; ++n) {
            int16_t* b = p.blocks.data() + size_t(n) * 64;
            const auto at = [&](int zigzag) -> int16_t& { return b[kZigzag[zigzag]]; };
            b[0] = int16_t(int(random() % 200) - 100);
            const int kind = n / 400 % 2 ? int(random() % 4) : 0;
            if (kind == 0) { // earlier coefficients only
                at(6) = 5;
                at(15) = -6;
                at(28) = 7;
            } else if (kind == 1) { // new, 16 and more zeros, then earlier ones
                at(3) = 1;
                at(24) = -3;
                at(45) = 2;
            } else if (kind == 2) { // runs of 16 and more before new ones
                at(1) = -2;
                at(20) = 1;
                at(40) = -1;
                at(63) = 3;
            } // else all zero
        }
    }
    return image;
}

// Random levels on random sides, grey or colour: sparse or dense, mostly small, now and
// then the largest a baseline table allows.
CoefficientImage randomLevels(std::mt19937& random)
{
    CoefficientImage image;
    image.width = 1 + int(random() % 300);
    image.height = 1 + int(random() % 300);
    image.components = random() % 2 ? 3 : 1;
    for (int t = 0; t < 2; ++t)
        for (int k = 0; k < 64; ++k)
            image.tables[t][k] = uint16_t(1 + random() % 255);
    const unsigned density = 1 + random() % 16; // in sixteenths
    for (int c = 0; c < image.components; ++c) {
        CoefficientPlane& p = image.planes[c];
        const int w = c ? (image.width + 1) / 2 : image.width;
        const int h = c ? (image.height + 1) / 2 : image.height;
        p.widthInBlocks = (w + 7) / 8;
        p.heightInBlocks = (h + 7) / 8;
        p.table = c ? 1 : 0;
        p.blocks.assign(size_t(p.widthInBlocks) * size_t(p.heightInBlocks) * 64, 0);
        for (size_t n = 0; n < p.blocks.size(); ++n) {
            if (random() % 16 >= density)
                continue;
            const unsigned r = random();
            int level = r % 8 ? int(r >> 4) % 9 - 4 : int(r >> 4) % 2047 - 1023;
            if (n % 64 == 0)
                level = int(r >> 4) % 2047 - 1023;
            p.blocks[n] = int16_t(level);
        }
    }
    return image;
}

} // namespace

TEST(ScanCoder, WritesTheBytesLibjpegWritesForEveryProbeScan)
{
    std::mt19937 random(7);
    struct Case
    {
        const char* name;
        Planes planes;
        int quality;
    };
    std::vector<Case> cases;
    cases.push_back({"photo", photoPlanes("photos/large_with_exif.jpg"), 80});
    cases.push_back({"photo at 30", photoPlanes("photos/Olympus_C8080WZ.jpg"), 30});
    cases.push_back({"photo at 100", photoPlanes("photos/Fujifilm_FinePix_E500.jpg"), 100});
    // Noise at 100: large levels, and refinement scans whose correction bits pile up
    // behind long end-of-band runs.
    cases.push_back(
        {"noise", madePlanes(203, 77, 3, [&](int, int, int) { return random(); }), 100});
    // A flat grey picture of more blocks than the longest end-of-band run.
    cases.push_back({"flat", madePlanes(1600, 1400, 1, [](int, int, int) { return 90; }), 80});
    // Smooth ramps: long zero runs before a last coefficient.
    cases.push_back(
        {"ramps",
         madePlanes(1031, 9, 3, [](int c, int x, int y) { return (x * (c + 1) + y * 7) & 0xFF; }),
         94});
    std::vector<std::pair<const char*, CoefficientImage>> images;
    for (const Case& c : cases) {
        PlaneEncodeSetting setting;
        setting.quality = c.quality;
        JpegError error;
        auto image = quantisePlanes(c.planes.planes(), setting, error);
        ASSERT_TRUE(image.has_value()) << c.name << " " << error.message;
        images.emplace_back(c.name, std::move(*image));
    }
    images.emplace_back("patterns", patternedLevels());
    for (int n = 0; n < 12; ++n)
        images.emplace_back("random", randomLevels(random));
    for (const auto& [name, image] : images) {
        JpegError error;
        for (const ProbeScript& probe : probeScripts(image.components)) {
            for (const Scan& scan : probe.scans)
                ASSERT_TRUE(ScanCoder(image).codable(scan)) << name;
            const auto libjpegs = writeCoefficients(image, probe.scans, error);
            ASSERT_TRUE(libjpegs.has_value()) << name << " " << error.message;
            const std::vector<uint8_t> ours = ourStream(image, probe.scans);
            ASSERT_EQ(ours.size(), libjpegs->size()) << name;
            EXPECT_TRUE(ours == *libjpegs) << name;
        }
    }
}

TEST(ScanCoder, TheVectorisedBitPlanesAreThePlainOnes)
{
    std::mt19937 random(3);
    for (int n = 0; n < 2000; ++n) {
        int16_t block[64];
        // Mostly zeros and small levels around the planes' edges, now and then the largest.
        for (int16_t& level : block) {
            const unsigned r = random();
            level = r % 3 ? 0 : int16_t(int(r >> 8) % 11 - 5);
            if (r % 97 == 0)
                level = r & 0x100 ? 32767 : -32767;
        }
        uint64_t vectorised[kBitPlanes], plain[kBitPlanes];
        zigzagBits(block, vectorised);
        zigzagBitsPlain(block, plain);
        for (int p = 0; p < kBitPlanes; ++p)
            ASSERT_EQ(vectorised[p], plain[p]) << "block " << n << ", plane " << p;
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG planes: the decoder's planes are the stored samples at every chroma sampling and
// reduction, and planes of any size come back from the encoder as they went in.
#include "platform/JpegPlanes.h"
#include "platform/JpegCodec.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>

using namespace brelin;
using namespace brelin::test;

namespace {

std::span<const uint8_t> span(const QByteArray& a)
{
    return {reinterpret_cast<const uint8_t*>(a.constData()), size_t(a.size())};
}

std::span<const uint8_t> span(const std::vector<uint8_t>& v)
{
    return {v.data(), v.size()};
}

// Mean and largest difference between a plane and one channel of a bitmap, both taken
// as the luma (or chroma) of the same pixels.
struct Difference
{
    double mean = 0;
    int largest = 0;
};

template <typename Sample>
Difference compare(const Bitmap& plane, const Bitmap& image, Sample sample)
{
    Difference d;
    for (int y = 0; y < plane.height; ++y)
        for (int x = 0; x < plane.width; ++x) {
            const int e = std::abs(int(plane.row(y)[x]) - sample(image, x, y));
            d.mean += e;
            d.largest = std::max(d.largest, e);
        }
    d.mean /= double(plane.width) * plane.height;
    return d;
}

int lumaOf(const Bitmap& b, int x, int y)
{
    const uint8_t* p = b.row(y) + size_t(x) * size_t(b.channels);
    if (b.channels == 1)
        return p[0];
    return int(std::lround(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]));
}

} // namespace

TEST(JpegPlanes, TheDecodersPlanesAreTheStoredSamples)
{
    QTemporaryDir tmp;
    // An odd-sized photo, so that every sampling leaves partial blocks at the edges.
    const QString ppm = tmp.filePath(QStringLiteral("odd.ppm"));
    run(QStringLiteral("convert"), {dataDir() + QStringLiteral("/photos/Canon_40D.jpg"),
                                    QStringLiteral("-resize"), QStringLiteral("333x251!"), ppm});
    struct Case
    {
        const char* what;
        QStringList cjpeg;
        double chromaShare; // across, at full size
    };
    const Case cases[] = {
        {"4:2:0", {QStringLiteral("-sample"), QStringLiteral("2x2")}, 0.5},
        {"4:2:2", {QStringLiteral("-sample"), QStringLiteral("2x1")}, 0.5},
        {"4:4:4", {QStringLiteral("-sample"), QStringLiteral("1x1")}, 1.0},
        {"4:2:0 progressive",
         {QStringLiteral("-sample"), QStringLiteral("2x2"), QStringLiteral("-progressive")},
         0.5},
        {"grey", {QStringLiteral("-grayscale")}, 0},
    };
    for (const Case& c : cases) {
        const QString file = tmp.filePath(QStringLiteral("c.jpg"));
        run(QStringLiteral("cjpeg"), QStringList(c.cjpeg)
                                         << QStringLiteral("-quality") << QStringLiteral("90")
                                         << QStringLiteral("-outfile") << file << ppm);
        const QByteArray bytes = readBytes(file);
        for (int shrink : {1, 2, 4, 8}) {
            SCOPED_TRACE(std::string(c.what) + " 1/" + std::to_string(shrink));
            JpegError error;
            const auto rgb = decodeJpeg(span(bytes), shrink, error);
            ASSERT_TRUE(rgb) << error;
            auto d = JpegPlaneDecoder::start(span(bytes), shrink, error);
            ASSERT_TRUE(d) << error;
            ASSERT_TRUE(d->finish(error)) << error;
            ASSERT_EQ(d->planeCount(), c.chromaShare == 0 ? 1 : 3);
            EXPECT_EQ(d->width(), rgb->bitmap.width);
            const Bitmap& luma = d->plane(0);
            ASSERT_EQ(luma.width, rgb->bitmap.width);
            ASSERT_EQ(luma.height, rgb->bitmap.height);
            // Luma is what the colour conversion keeps of the pixels.
            const Difference e = compare(luma, rgb->bitmap, lumaOf);
            EXPECT_LT(e.mean, 0.6);
            EXPECT_LE(e.largest, 3);
            for (int k = 1; k < d->planeCount(); ++k) {
                const Bitmap& chroma = d->plane(k);
                // The reducing IDCT may give chroma more samples than the sampling says,
                // and the share says so.
                EXPECT_GE(d->shareX(k), c.chromaShare);
                EXPECT_EQ(chroma.width, int(std::ceil(luma.width * d->shareX(k) - 1e-9)));
                EXPECT_EQ(chroma.height, int(std::ceil(luma.height * d->shareY(k) - 1e-9)));
            }
        }
    }
}

TEST(JpegPlanes, DamageFailsTheDecodeStrayHeaderBytesDoNot)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    const std::pair<QByteArray, JpegProblem> bad[] = {
        {photo.left(photo.size() * 2 / 3), JpegProblem::Truncated},
        {readBytes(corruptedPhoto()), JpegProblem::Damaged},
        {withStrayBytes(photo, Stray::InsideScan).file, JpegProblem::Damaged},
        {QByteArray("not a JPEG"), JpegProblem::NotJpeg},
    };
    for (const auto& [bytes, problem] : bad) {
        JpegError error;
        // Found in the header or while decoding, the damage fails the decode with a reason.
        auto d = JpegPlaneDecoder::start(span(bytes), 1, error);
        EXPECT_FALSE(d && d->finish(error));
        EXPECT_EQ(error.problem, problem) << error;
    }
    JpegError error;
    const StrayFixture f = withStrayBytes(photo, Stray::BeforeDqt);
    auto stray = JpegPlaneDecoder::start(span(f.file), 2, error);
    auto clean = JpegPlaneDecoder::start(span(f.clean), 2, error);
    ASSERT_TRUE(stray && stray->finish(error) && clean && clean->finish(error)) << error;
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(stray->plane(k).pixels, clean->plane(k).pixels) << k;
}

TEST(JpegPlanes, EncodedPlanesComeBackAsTheyWent)
{
    for (int channels : {1, 3}) {
        for (auto [w, h] : {std::pair{1, 1}, {2, 2}, {17, 9}, {101, 101}, {64, 48}, {3, 40}}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " planes " +
                         std::to_string(channels));
            Bitmap y(w, h, 1);
            for (int r = 0; r < h; ++r)
                for (int x = 0; x < w; ++x)
                    y.row(r)[x] = uint8_t(40 + (x * 3 + r * 2) % 170);
            Bitmap cb(chromaSize(w), chromaSize(h), 1), cr(cb.width, cb.height, 1);
            std::fill(cb.pixels.begin(), cb.pixels.end(), uint8_t(100));
            std::fill(cr.pixels.begin(), cr.pixels.end(), uint8_t(150));
            std::vector<const Bitmap*> planes{&y};
            if (channels == 3)
                planes = {&y, &cb, &cr};
            JpegError error;
            const auto jpeg = encodeJpegPlanes(planes, 0.95f, error);
            ASSERT_TRUE(jpeg) << error;
            auto back = JpegPlaneDecoder::start(span(*jpeg), 1, error);
            ASSERT_TRUE(back && back->finish(error)) << error;
            ASSERT_EQ(back->planeCount(), channels);
            ASSERT_EQ(back->plane(0).width, w);
            ASSERT_EQ(back->plane(0).height, h);
            EXPECT_LT(compare(back->plane(0), y, lumaOf).mean, 1.5);
            if (channels == 3) {
                // 4:2:0: the chroma planes are half the size, as they went in.
                EXPECT_EQ(back->shareX(1), 0.5);
                EXPECT_EQ(back->shareY(1), 0.5);
                EXPECT_LT(compare(back->plane(2), cr, lumaOf).mean, 1.0);
            }
        }
    }
    Bitmap y(10, 10, 1), wrong(4, 5, 1);
    JpegError error;
    EXPECT_FALSE(encodeJpegPlanes({&y, &wrong, &wrong}, 0.8f, error));
    EXPECT_FALSE(error.message.empty());
}

TEST(JpegPlanes, ARingHoldsTheRowsOfTheWholePlane)
{
    // The decoder overwrites a ring's rows only once the reader has released them.
    const QByteArray bytes = readBytes(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    JpegError error;
    auto whole = JpegPlaneDecoder::start(span(bytes), 1, error);
    ASSERT_TRUE(whole && whole->finish(error)) << error;
    auto ring = JpegPlaneDecoder::open(span(bytes), 1, error);
    ASSERT_TRUE(ring) << error;
    ring->start({20, 9, 9}); // rounded up to whole blocks of rows
    // The reader goes through the planes in step, a decoder's block of rows at a time.
    for (int block = 0; block * ring->blockRows(0) < ring->plane(0).height; ++block) {
        for (int c = 0; c < ring->planeCount(); ++c) {
            const Bitmap& got = ring->plane(c);
            const Bitmap& want = whole->plane(c);
            EXPECT_GT(got.ringRows, 0);
            EXPECT_LT(got.ringRows, got.height);
            const int from = block * ring->blockRows(c);
            const int to = std::min(from + ring->blockRows(c), want.height);
            for (int y = from; y < to; ++y) {
                ASSERT_TRUE(ring->progress(c).waitFor(y + 1));
                ASSERT_EQ(std::memcmp(got.row(y), want.row(y), size_t(want.width)), 0)
                    << "plane " << c << " row " << y;
                ring->released(c).publish(y + 1);
            }
        }
    }
    EXPECT_TRUE(ring->finish(error)) << error;

    // A reader that goes away stops the decoder instead of leaving it waiting.
    auto abandoned = JpegPlaneDecoder::open(span(bytes), 1, error);
    ASSERT_TRUE(abandoned);
    abandoned->start({16, 8, 8});
    for (int c = 0; c < abandoned->planeCount(); ++c)
        abandoned->released(c).finish();
    EXPECT_FALSE(abandoned->finish(error));
}

TEST(JpegPlanes, AnAbandonedDecodeStopsAtItsNextRowOfBlocks)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/photos/large_with_exif.jpg"));
    JpegError error;
    auto decoder = JpegPlaneDecoder::open(span(photo), 1, error);
    ASSERT_TRUE(decoder) << error;
    std::atomic<bool> abandon{true};
    decoder->setAbandonFlag(&abandon);
    decoder->start();
    // A reader waiting for the last row is let go, short of it.
    EXPECT_FALSE(decoder->progress(0).waitFor(decoder->plane(0).height));
    EXPECT_FALSE(decoder->finish(error));

    // Left unset, the flag changes nothing.
    abandon = false;
    auto whole = JpegPlaneDecoder::open(span(photo), 1, error);
    ASSERT_TRUE(whole);
    whole->setAbandonFlag(&abandon);
    whole->start();
    EXPECT_TRUE(whole->finish(error)) << error;
}

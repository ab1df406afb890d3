// SPDX-License-Identifier: GPL-3.0-or-later
// The Lanczos transform: constant images stay exactly constant, means stay within a
// level, a small image checked by hand, thin strips, and the fixed-point path against
// the plain float one.
#include "scaling/BRLanczosScaleTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// A deterministic image with edges and noise, so that every tap matters.
Bitmap texture(int w, int h, int c)
{
    Bitmap b(w, h, c);
    uint32_t seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < c; ++k) {
                seed = seed * 1664525u + 1013904223u;
                const int edge = ((x / 7 + y / 5 + k) % 2) * 160;
                b.row(y)[x * c + k] = uint8_t(edge + (seed >> 26));
            }
    return b;
}

double mean(const Bitmap& b, int k)
{
    double s = 0;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            s += b.row(y)[x * b.channels + k];
    return s / (double(b.width) * b.height);
}

const float kFactors[] = {0.5f, 0.3f, 0.77f, 0.125f, 1.0f, 1.5f, 2.0f};

} // namespace

TEST(Lanczos, ConstantImagesStayExactlyConstant)
{
    for (int value : {0, 1, 254, 255})
        for (int channels : {1, 3, 4})
            for (float f : kFactors) {
                Bitmap in(37, 23, channels);
                std::fill(in.pixels.begin(), in.pixels.end(), uint8_t(value));
                const auto out = BRLanczosScaleTransform::apply(in, f);
                ASSERT_TRUE(out) << f;
                for (uint8_t v : out->pixels)
                    ASSERT_EQ(v, value) << "factor " << f << " channels " << channels;
            }
}

TEST(Lanczos, MeansStayWithinALevel)
{
    const Bitmap in = texture(320, 200, 3);
    for (float f : {0.5f, 0.25f, 0.3f}) {
        const auto out = BRLanczosScaleTransform::apply(in, f);
        ASSERT_TRUE(out);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(mean(*out, k), mean(in, k), 1.0) << f;
    }
}

TEST(Lanczos, SmallImagesByHand)
{
    // At factor 1 every weight but the centre's is sin(πn)·… = 0: the identity.
    const Bitmap in = texture(9, 4, 1);
    const auto same = BRLanczosScaleTransform::apply(in, 1.0f);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->pixels, in.pixels);

    // Alternating 0 and 255 halved: each output pixel covers one of each, so the
    // inside of the row is the average, 127.5, within a level.
    Bitmap stripes(40, 2, 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 40; ++x)
            stripes.row(y)[x] = x % 2 ? 255 : 0;
    const auto half = BRLanczosScaleTransform::apply(stripes, 0.5f);
    ASSERT_TRUE(half);
    ASSERT_EQ(half->width, 20);
    for (int x = 3; x < 17; ++x)
        EXPECT_NEAR(half->row(0)[x], 127.5, 1.0) << x;

    // A step stays a step with Lanczos' small over- and undershoot near it.
    Bitmap step(16, 2, 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 16; ++x)
            step.row(y)[x] = x < 8 ? 50 : 200;
    const auto halfStep = BRLanczosScaleTransform::apply(step, 0.5f);
    ASSERT_TRUE(halfStep);
    EXPECT_NEAR(halfStep->row(0)[0], 50, 2);
    EXPECT_NEAR(halfStep->row(0)[7], 200, 2);
    EXPECT_LT(halfStep->row(0)[3], halfStep->row(0)[4]);
}

TEST(Lanczos, ThinStripsAndSinglePixels)
{
    struct Case
    {
        int w, h;
        float f;
        int outW, outH;
    };
    const Case cases[] = {
        {1, 1, 1.0f, 1, 1},     {1, 1, 5.0f, 5, 5},           {1, 300, 1.0f, 1, 300},
        {300, 1, 2.0f, 600, 2}, {400000, 1, 1.0f, 400000, 1}, {400000, 1, 0.5f, 0, 0},
        {2, 2, 0.5f, 1, 1},
    };
    for (const Case& c : cases) {
        Bitmap in(c.w, c.h, 3);
        std::fill(in.pixels.begin(), in.pixels.end(), uint8_t(77));
        const auto out = BRLanczosScaleTransform::apply(in, c.f);
        ASSERT_EQ(out.has_value(), c.outW > 0) << c.w << "x" << c.h;
        if (out) {
            EXPECT_EQ(out->width, c.outW);
            EXPECT_EQ(out->height, c.outH);
            for (uint8_t v : out->pixels)
                ASSERT_EQ(v, 77);
        }
    }
}

TEST(Lanczos, FixedPointAgreesWithTheFloatReference)
{
    for (int channels : {1, 3, 4}) {
        const Bitmap in = texture(131, 97, channels);
        for (float f : kFactors) {
            const auto fast = BRLanczosScaleTransform::apply(in, f);
            const auto ref = BRLanczosScaleTransform::applyReference(in, f);
            ASSERT_TRUE(fast && ref);
            ASSERT_EQ(fast->pixels.size(), ref->pixels.size());
            int worst = 0;
            for (size_t i = 0; i < fast->pixels.size(); ++i)
                worst = std::max(worst, std::abs(int(fast->pixels[i]) - int(ref->pixels[i])));
            EXPECT_LE(worst, 1) << "factor " << f << " channels " << channels;
        }
    }
}

TEST(Lanczos, RowsComingFromADecoderGiveTheSameImage)
{
    const Bitmap in = texture(300, 211, 3);
    const auto whole = BRLanczosScaleTransform::resize(in, 120, 84, 0.4, 0.4);
    ASSERT_TRUE(whole);
    for (int stopAt : {211, 100}) {
        // A producer that hands the rows over a few at a time, or stops short.
        Bitmap copy(in.width, in.height, 3);
        RowProgress progress;
        std::thread producer([&] {
            for (int y = 0; y < stopAt; ++y) {
                std::memcpy(copy.row(y), in.row(y), in.stride());
                if (y % 7 == 0)
                    progress.publish(y + 1);
            }
            progress.publish(stopAt);
            progress.finish();
        });
        const auto streamed = BRLanczosScaleTransform::resize(copy, 120, 84, 0.4, 0.4, &progress);
        producer.join();
        if (stopAt == in.height) {
            ASSERT_TRUE(streamed);
            EXPECT_EQ(streamed->pixels, whole->pixels);
        } else {
            EXPECT_FALSE(streamed) << "the decoder stopped short";
        }
    }
}

TEST(Lanczos, PlanesAreAnnouncedOnlyOnceTheirRowsAreWhole)
{
    // A luma and a half-size chroma plane, decoded a few rows at a time, while a reader
    // copies each row the moment it is announced, as the encoder does.
    const Bitmap luma = texture(300, 211, 1);
    const Bitmap chroma = texture(150, 106, 1);
    Bitmap lumaIn(luma.width, luma.height, 1), chromaIn(chroma.width, chroma.height, 1);
    RowProgress lumaReady, chromaReady, lumaDone, chromaDone;
    std::vector<BRLanczosScaleTransform::Plane> planes(2);
    planes[0] = {&lumaIn, 120, 84, 0.4, 0.4, &lumaReady, &lumaDone, nullptr, {}};
    planes[1] = {&chromaIn, 60, 42, 0.4, 0.4, &chromaReady, &chromaDone, nullptr, {}};
    planes[0].output = Bitmap::uninitialized(120, 84, 1);
    planes[1].output = Bitmap::uninitialized(60, 42, 1);
    std::thread producer([&] {
        for (int y = 0; y < luma.height; ++y) {
            std::memcpy(lumaIn.row(y), luma.row(y), luma.stride());
            if (y % 2 == 1)
                std::memcpy(chromaIn.row(y / 2), chroma.row(y / 2), chroma.stride());
            if (y % 16 == 15) {
                lumaReady.publish(y + 1);
                chromaReady.publish((y + 1) / 2);
            }
        }
        std::memcpy(chromaIn.row(chroma.height - 1), chroma.row(chroma.height - 1),
                    chroma.stride());
        lumaReady.publish(luma.height);
        chromaReady.publish(chroma.height);
        lumaReady.finish();
        chromaReady.finish();
    });
    bool ok = false;
    std::thread resizer([&] { ok = BRLanczosScaleTransform::resizePlanes(planes); });
    Bitmap seen(120, 84, 1), seenChroma(60, 42, 1);
    for (int y = 0; y < 84; ++y) {
        ASSERT_TRUE(lumaDone.waitFor(y + 1));
        std::memcpy(seen.row(y), planes[0].output.row(y), 120);
        if (y < 42) {
            ASSERT_TRUE(chromaDone.waitFor(y + 1));
            std::memcpy(seenChroma.row(y), planes[1].output.row(y), 60);
        }
    }
    resizer.join();
    producer.join();
    ASSERT_TRUE(ok);
    EXPECT_EQ(seen.pixels, BRLanczosScaleTransform::resize(luma, 120, 84, 0.4, 0.4)->pixels);
    EXPECT_EQ(seenChroma.pixels, BRLanczosScaleTransform::resize(chroma, 60, 42, 0.4, 0.4)->pixels);
}

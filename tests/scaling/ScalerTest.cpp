// SPDX-License-Identifier: GPL-3.0-or-later
// BRImageScaler: the size rules in single precision, the two modes, when the chain is
// rebuilt, and the rendered RGBA bitmap.
#include "scaling/BRImageScaler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::shared_ptr<const Bitmap> image(int w, int h, int c, uint8_t value = 100)
{
    auto b = std::make_shared<Bitmap>(w, h, c);
    std::fill(b->pixels.begin(), b->pixels.end(), value);
    return b;
}

} // namespace

TEST(BRImageScaler, OutputSizesAreFlooredInSinglePrecision)
{
    struct Case
    {
        int w, h;
        float factor;
        int outW, outH;
    };
    const Case cases[] = {
        {1001, 601, 0.5f, 500, 300}, {2592, 10, 0.3f, 777, 3}, // 2592 × 0.3f is 777.6000366
        {40, 30, 2.0f, 80, 60},                                // relative mode never clamps
        {40, 30, 0.0f, 0, 0},                                  // a new scaler's factor
        {3, 3, 0.3f, 0, 0},                                    // both sides round down to 0
        {40, 30, -0.5f, 0, 0},       {40, 30, std::numeric_limits<float>::quiet_NaN(), 0, 0},
    };
    for (const Case& c : cases) {
        BRImageScaler s;
        s.setInputBitmapImageRep(image(c.w, c.h, 3));
        s.setScaleFactor(c.factor);
        EXPECT_EQ(s.outputPixelsWide(), c.outW) << c.w << " × " << c.factor;
        EXPECT_EQ(s.outputPixelsHigh(), c.outH) << c.h << " × " << c.factor;
        const auto out = s.outputBitmapImageRep();
        EXPECT_EQ(out.has_value(), c.outW > 0 && c.outH > 0);
        if (out) {
            EXPECT_EQ(out->width, c.outW);
            EXPECT_EQ(out->height, c.outH);
            EXPECT_EQ(out->channels, 4);
        }
    }
    BRImageScaler empty;
    EXPECT_EQ(empty.outputPixelsWide(), 0);
    EXPECT_FALSE(empty.outputBitmapImageRep());
}

TEST(BRImageScaler, AbsurdSizesEndCleanly)
{
    BRImageScaler s;
    s.setInputBitmapImageRep(image(1000, 1000, 3));
    s.setScaleFactor(1000.0f);
    EXPECT_FALSE(s.outputBitmapImageRep());
    EXPECT_EQ(s.lastError(), "the output would be too large");
    s.setScaleFactor(std::numeric_limits<float>::infinity());
    EXPECT_FALSE(s.outputBitmapImageRep());
}

TEST(BRImageScaler, AbsoluteModeFitsTheBoxWithoutEnlarging)
{
    BRImageScaler s;
    s.setScalingTypeAbsolute(true);
    EXPECT_EQ(s.scaleFactor(), 1.0f) << "no input";
    s.setInputBitmapImageRep(image(800, 600, 3));
    EXPECT_EQ(s.maxPixelsWide(), 400);
    EXPECT_EQ(s.maxPixelsHigh(), 1000);
    EXPECT_EQ(s.scaleFactor(), 0.5f);
    EXPECT_EQ(s.outputPixelsWide(), 400);
    EXPECT_EQ(s.outputPixelsHigh(), 300);
    s.setInputBitmapImageRep(image(200, 100, 3));
    EXPECT_EQ(s.scaleFactor(), 1.0f);
    EXPECT_EQ(s.outputPixelsWide(), 200);
    s.setInputBitmapImageRep(image(800, 600, 3));
    s.setScalesImage(false);
    EXPECT_EQ(s.scaleFactor(), 1.0f);
}

TEST(BRImageScaler, TheChainIsRebuiltOnlyOnARealChange)
{
    BRImageScaler s;
    const auto input = image(100, 50, 3);
    s.setInputBitmapImageRep(input);
    s.setScaleFactor(0.5f);
    const int rebuilds = s.rebuilds();
    s.setInputBitmapImageRep(input);
    s.setScaleFactor(0.5f);
    s.setScalesImage(true);
    s.setMaxPixelsWide(400);
    s.setMaxPixelsHigh(1000);
    EXPECT_EQ(s.rebuilds(), rebuilds);
    EXPECT_EQ(s.chainScale(), 0.5f);

    // The mode alone leaves the filter's scale; the next real change takes it.
    s.setScalingTypeAbsolute(true);
    EXPECT_EQ(s.chainScale(), 0.5f);
    EXPECT_EQ(s.rebuilds(), rebuilds);
    s.setMaxPixelsWide(50);
    EXPECT_EQ(s.chainScale(), 0.5f) << "50 / 100 is 0.5 as well";
    s.setMaxPixelsWide(25);
    EXPECT_EQ(s.chainScale(), 0.25f);
    s.setScalesImage(false);
    EXPECT_FALSE(s.chainScale().has_value());
    // A NaN never equals the stored factor.
    s.setScaleFactor(std::numeric_limits<float>::quiet_NaN());
    const int afterNaN = s.rebuilds();
    s.setScaleFactor(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(s.rebuilds(), afterNaN + 1);
}

TEST(BRImageScaler, WithoutScalingTheImageIsAnchoredTopLeft)
{
    auto input = std::make_shared<Bitmap>(3, 2, 3);
    for (size_t i = 0; i < input->pixels.size(); ++i)
        input->pixels[i] = uint8_t(10 + i);
    BRImageScaler s;
    s.setInputBitmapImageRep(input);
    s.setScalesImage(false);
    s.setScaleFactor(1.0f);
    auto same = s.outputBitmapImageRep();
    ASSERT_TRUE(same);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(same->row(y)[x * 4 + k], input->row(y)[x * 3 + k]);
            EXPECT_EQ(same->row(y)[x * 4 + 3], 255);
        }
    s.setScaleFactor(2.0f);
    auto larger = s.outputBitmapImageRep();
    ASSERT_TRUE(larger);
    ASSERT_EQ(larger->width, 6);
    ASSERT_EQ(larger->height, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint8_t* p = larger->row(y) + x * 4;
            if (x < 3 && y < 2) {
                EXPECT_EQ(p[0], input->row(y)[x * 3]);
                EXPECT_EQ(p[3], 255);
            } else {
                EXPECT_EQ(p[0] | p[1] | p[2] | p[3], 0) << "transparent at " << x << "," << y;
            }
        }
}

TEST(BRImageScaler, TheOutputImageIsTheChainsOutputUnrendered)
{
    struct Case
    {
        bool scales;
        float factor;
        int w, h; // the extent, or 0 for none
    };
    const Case cases[] = {
        {true, 0.5f, 20, 15},
        {true, 2.0f, 80, 60},
        {false, 0.5f, 40, 30}, // without the filter the extent is the input's
        {true, 0.0f, 0, 0},
    };
    for (const Case& c : cases) {
        BRImageScaler s;
        s.setInputBitmapImageRep(image(40, 30, 3, 77));
        s.setScalesImage(c.scales);
        s.setScaleFactor(c.factor);
        const auto out = s.outputImage();
        ASSERT_EQ(out.has_value(), c.w > 0) << c.factor;
        if (!out)
            continue;
        EXPECT_EQ(out->width(), c.w);
        EXPECT_EQ(out->height(), c.h);
        const auto pixels = out->render();
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->width, c.w);
        EXPECT_EQ(pixels->channels, 4);
        for (size_t i = 0; i < pixels->pixels.size(); ++i)
            ASSERT_EQ(pixels->pixels[i], i % 4 == 3 ? 255 : 77)
                << "a constant image stays constant";
        // Rendered with the filter, it is what the output bitmap holds.
        if (c.scales) {
            EXPECT_EQ(pixels->pixels, s.outputBitmapImageRep()->pixels);
        }
    }
    EXPECT_FALSE(BRImageScaler().outputImage());
}

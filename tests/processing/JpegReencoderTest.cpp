// SPDX-License-Identifier: GPL-3.0-or-later
// The re-encode step: the factor for each scaling rule in the precision it is computed
// in, exact output sizes with the reduction in the DCT domain, orientation, failures.
#include "processing/JpegReencoder.h"
#include "platform/BRLog.h"
#include "platform/JpegCodec.h"
#include "scaling/BRLanczosScaleTransform.h"
#include "settings/SettingsRecord.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brelin;
using namespace brelin::test;

namespace {

QVariantMap fixed(int type, double value)
{
    return {{key::ScalingType, 2}, {key::ScalingFixedType, type}, {key::ScalingFixedValue, value}};
}

struct Size
{
    int w = 0, h = 0;
    int components = 0;
};

Bitmap pixelsOf(const QString& path)
{
    JpegError error;
    const QByteArray b = readBytes(path);
    auto d =
        decodeJpeg({reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size())}, 1, error);
    return d ? std::move(d->bitmap) : Bitmap();
}

// Mean absolute difference over every sample of two bitmaps of one size and kind.
double meanDifference(const Bitmap& a, const Bitmap& b)
{
    if (a.width != b.width || a.height != b.height || a.channels != b.channels || a.empty())
        return 1e9;
    double s = 0;
    for (int y = 0; y < a.height; ++y)
        for (size_t i = 0; i < a.stride(); ++i)
            s += std::abs(int(a.row(y)[i]) - int(b.row(y)[i]));
    return s / (double(a.stride()) * a.height);
}

Size sizeOf(const QString& path)
{
    JpegError error;
    const QByteArray b = readBytes(path);
    const auto info =
        readJpegInfo({reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size())}, error);
    return info ? Size{info->width, info->height, info->components} : Size{};
}

} // namespace

TEST(JpegReencoder, TheFixedLengthRules)
{
    struct Case
    {
        int W, H, K;
        double V;
        float factor;
        int outW, outH;
    };
    const Case cases[] = {
        {3000, 2000, 0, 800, 0.26666668f, 800, 533},
        {3000, 2000, 1, 800, 0.4f, 1200, 800},
        {3000, 2000, 2, 800, 0.4f, 1200, 800},
        {3000, 2000, 3, 800, 0.26666668f, 800, 533},
        {2000, 3000, 2, 800, 0.4f, 800, 1200},
        {2000, 3000, 3, 800, 0.26666668f, 533, 800},
        {1000, 1000, 2, 500, 0.5f, 500, 500},
        {1000, 1000, 3, 500, 0.5f, 500, 500},
        {1024, 768, 4, 800, 0.78125f, 800, 600},
        {1024, 768, 5, 600, 0.78125f, 800, 600},
        // The nearest floats to V / W land a hair under V: raised to reach it.
        {171, 120, 0, 100, 0.58479536f, 100, 70},
        {2592, 1944, 0, 1920, 0.7407408f, 1920, 1440},
        {636, 227, 3, 64, 0.10062894f, 64, 22},
        // Already within the bound: kept at its own size.
        {640, 480, 4, 800, 1.0f, 640, 480},
        {640, 480, 5, 600, 1.0f, 640, 480},
        {640, 480, -3, 600, 1.0f, 640, 480},
        // The longer side, only when it exceeds the bound.
        {3000, 2000, 6, 800, 0.26666668f, 800, 533},
        {2000, 3000, 6, 800, 0.26666668f, 533, 800},
        {640, 480, 6, 800, 1.0f, 640, 480},
        {800, 800, 6, 800, 1.0f, 800, 800},
    };
    for (const Case& c : cases) {
        JpegReencoder r(fixed(c.K, c.V), QString());
        const float f = r.getAbsoluteFactorForImageRep(c.W, c.H);
        EXPECT_FLOAT_EQ(f, c.factor) << c.W << "x" << c.H << " K" << c.K;
        EXPECT_EQ(BRLanczosScaleTransform::outputSize(c.W, f), c.outW)
            << c.W << "x" << c.H << " K" << c.K;
        EXPECT_EQ(BRLanczosScaleTransform::outputSize(c.H, f), c.outH)
            << c.W << "x" << c.H << " K" << c.K;
    }
    EXPECT_DOUBLE_EQ(JpegReencoder::getFactorForLength(3000, 800.0 / 3000), 800.0 / 3000);
    EXPECT_DOUBLE_EQ(JpegReencoder::getFactorForLength(10, 0.25), 0.3)
        << "2.5 rounds away from zero";
    EXPECT_EQ(float(80) / 100, 0.8f);
}

class Reencode : public ::testing::Test
{
protected:
    QString make(const QVariantMap& prefs, const QString& source, QString* reason = nullptr)
    {
        JpegReencoder r(prefs, tmp.path());
        const auto out = r.makeAndScaleJPEG(source, 0.8f, reason);
        return out.value_or(QString());
    }
    QString large()
    {
        // A 2000 × 1500 photo: a test photo enlarged by ImageMagick.
        const QString path = tmp.filePath(QStringLiteral("large.jpg"));
        if (!QFileInfo::exists(path))
            run(QStringLiteral("convert"),
                {dataDir() + QStringLiteral("/photos/Canon_40D.jpg"), QStringLiteral("-resize"),
                 QStringLiteral("2000x1500!"), path});
        return path;
    }
    QTemporaryDir tmp;
};

TEST_F(Reencode, OutputSizesForEachScalingType)
{
    struct Case
    {
        QVariantMap prefs;
        int w, h;
    };
    const Case cases[] = {
        {{{key::ScalingType, 0}}, 2000, 1500},
        {{{key::ScalingType, 1}, {key::ScalingFactor, 0.5}}, 1000, 750},
        {{{key::ScalingType, 1}, {key::ScalingFactor, 0.1}},
         200,
         150}, // reduced by 4 in the DCT domain first
        {{{key::ScalingType, 1}, {key::ScalingFactor, 0.0333}}, 66, 49}, // and by 8
        {{{key::ScalingType, 1}, {key::ScalingFactor, 1.25}}, 2500, 1875},
        {fixed(3, 1920), 1920, 1440},
        {fixed(0, 301), 301, 225},
    };
    for (const Case& c : cases) {
        const QString out = make(c.prefs, large());
        ASSERT_FALSE(out.isEmpty());
        const Size s = sizeOf(out);
        EXPECT_EQ(s.w, c.w);
        EXPECT_EQ(s.h, c.h);
        EXPECT_TRUE(out.startsWith(tmp.path()));
        EXPECT_EQ(run(QStringLiteral("djpeg"),
                      {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), out})
                      .err,
                  QByteArray());
    }
}

TEST_F(Reencode, TheLengthIsThatOfTheImageAsShownAndRemovedExifTurnsThePixels)
{
    const QString portrait6 = dataDir() + QStringLiteral("/photos/orientation/landscape_6.jpg");
    const Size stored = sizeOf(portrait6); // stored 450 × 600, shown 600 × 450
    ASSERT_EQ(stored.w, 450);
    // Width 300 as shown is the stored height.
    const QString kept = make(fixed(0, 300), portrait6);
    EXPECT_EQ(sizeOf(kept).h, 300);
    EXPECT_EQ(sizeOf(kept).w, 225);
    QVariantMap strip = fixed(0, 300);
    strip.insert(key::RemoveEXIF, 1);
    const QString turned = make(strip, portrait6);
    EXPECT_EQ(sizeOf(turned).w, 300);
    EXPECT_EQ(sizeOf(turned).h, 225);
}

TEST_F(Reencode, EveryKindOfSourceGivesTheImageOfAFloatLanczos)
{
    // The source's own pixels scaled in plain float arithmetic are what the output must
    // show, whatever way the step takes: planes for YCbCr and grey, RGB for CMYK.
    const QString ppm = tmp.filePath(QStringLiteral("source.ppm"));
    run(QStringLiteral("convert"),
        {large(), QStringLiteral("-resize"), QStringLiteral("999x751!"), ppm});
    const auto cjpeg = [&](const QString& name, QStringList args) {
        const QString out = tmp.filePath(name);
        run(QStringLiteral("cjpeg"), args << QStringLiteral("-quality") << QStringLiteral("95")
                                          << QStringLiteral("-outfile") << out << ppm);
        return out;
    };
    const QString cmyk = tmp.filePath(QStringLiteral("cmyk.jpg"));
    run(QStringLiteral("convert"), {ppm, QStringLiteral("-colorspace"), QStringLiteral("CMYK"),
                                    QStringLiteral("-quality"), QStringLiteral("95"), cmyk});
    struct Source
    {
        QString file;
        int components;
    };
    const Source sources[] = {
        {cjpeg(QStringLiteral("420.jpg"), {QStringLiteral("-sample"), QStringLiteral("2x2")}), 3},
        {cjpeg(QStringLiteral("422.jpg"), {QStringLiteral("-sample"), QStringLiteral("2x1")}), 3},
        {cjpeg(QStringLiteral("444p.jpg"),
               {QStringLiteral("-sample"), QStringLiteral("1x1"), QStringLiteral("-progressive")}),
         3},
        {cjpeg(QStringLiteral("arith.jpg"), {QStringLiteral("-arithmetic")}), 3},
        {cjpeg(QStringLiteral("grey.jpg"), {QStringLiteral("-grayscale")}), 1},
        {cmyk, 3},
    };
    for (const Source& src : sources) {
        const Bitmap pixels = pixelsOf(src.file);
        ASSERT_FALSE(pixels.empty());
        // Reduced in the DCT domain too (0.1), kept, and enlarged.
        for (double factor : {0.5, 0.1, 1.0, 1.5}) {
            SCOPED_TRACE(src.file.toStdString() + " by " + std::to_string(factor));
            JpegReencoder r({{key::ScalingType, 1}, {key::ScalingFactor, factor}}, tmp.path());
            const auto out = r.makeAndScaleJPEG(src.file, 0.95f);
            ASSERT_TRUE(out);
            EXPECT_EQ(sizeOf(*out).components, src.components);
            const auto want = BRLanczosScaleTransform::applyReference(pixels, float(factor));
            ASSERT_TRUE(want);
            // JPEG at 95 and 4:2:0 chroma: a misplaced plane or a wrong kernel shows as
            // several levels. The reduction in the DCT domain blurs a tiny image a little.
            EXPECT_LT(meanDifference(pixelsOf(*out), *want), factor < 0.2 ? 2.6 : 1.6);
        }
    }
}

TEST_F(Reencode, EveryOrientationComesOutUprightWithoutExif)
{
    QVariantMap prefs{{key::ScalingType, 1}, {key::ScalingFactor, 0.5}, {key::RemoveEXIF, 1}};
    for (const QString& shape : {QStringLiteral("landscape"), QStringLiteral("portrait")}) {
        for (int n = 1; n <= 8; ++n) {
            const QString source =
                dataDir() + QStringLiteral("/photos/orientation/%1_%2.jpg").arg(shape).arg(n);
            SCOPED_TRACE(source.toStdString());
            JpegReencoder r(prefs, tmp.path());
            const Bitmap got = pixelsOf(r.makeAndScaleJPEG(source, 0.95f).value_or(QString()));
            ASSERT_FALSE(got.empty());
            // ImageMagick's upright image at the same size.
            const QString want = tmp.filePath(QStringLiteral("want.jpg"));
            run(QStringLiteral("convert"),
                {source, QStringLiteral("-auto-orient"), QStringLiteral("-resize"),
                 QStringLiteral("%1x%2!").arg(got.width).arg(got.height),
                 QStringLiteral("-quality"), QStringLiteral("100"), want});
            // Turned or mirrored the wrong way, the difference is tens of levels.
            EXPECT_LT(meanDifference(got, pixelsOf(want)), 4.0);
        }
    }
}

TEST_F(Reencode, FailuresAreLoggedAndNothingIsWritten)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    const QString truncated = tmp.filePath(QStringLiteral("truncated.jpg"));
    writeBytes(truncated, photo.left(photo.size() * 2 / 3));
    // A frame header that claims 30000 × 30000 pixels is refused before any allocation.
    QByteArray huge = photo;
    const qsizetype sof = huge.lastIndexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    huge[sof + 5] = huge[sof + 7] = char(0x75);
    huge[sof + 6] = huge[sof + 8] = char(0x30);
    const QString oversized = tmp.filePath(QStringLiteral("oversized.jpg"));
    writeBytes(oversized, huge);
    struct Case
    {
        QVariantMap prefs;
        QString source;
    };
    const Case cases[] = {
        {{{key::ScalingType, 1}, {key::ScalingFactor, 0.0}}, large()},
        {{{key::ScalingType, 1}, {key::ScalingFactor, -1.0}}, large()},
        {{{key::ScalingType, 1}, {key::ScalingFactor, 1000.0}}, large()},
        {{{key::ScalingType, 1}, {key::ScalingFactor, std::nan("")}}, large()},
        {fixed(0, 1e12), large()},
        {{{key::ScalingType, 7}}, large()},
        {{{key::ScalingType, 0}}, corruptedPhoto()},
        {{{key::ScalingType, 0}}, truncated},
        {{{key::ScalingType, 1}, {key::ScalingFactor, 0.01}}, oversized},
        // Reduced, the damage shows while the scaler already works on the first rows.
        {{{key::ScalingType, 1}, {key::ScalingFactor, 0.5}}, corruptedPhoto()},
        {{{key::ScalingType, 1}, {key::ScalingFactor, 0.5}}, truncated},
        {{{key::ScalingType, 0}}, tmp.filePath(QStringLiteral("missing.jpg"))},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        auto previous = setLogObserver([&](std::string_view line) { log.emplace_back(line); });
        QString reason;
        EXPECT_TRUE(make(c.prefs, c.source, &reason).isEmpty()) << c.source.toStdString();
        setLogObserver(std::move(previous));
        EXPECT_FALSE(reason.isEmpty());
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().rfind("Unable to write output file: file:///", 0), 0u) << log.back();
    }
}

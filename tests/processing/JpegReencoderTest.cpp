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

Size sizeOf(const QString& path)
{
    std::string error;
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
        {171, 120, 0, 100, 0.5847953f, 99, 70}, // one pixel short of V, as the float lands
        {2592, 1944, 0, 1920, 1919.0f / 2592.0f, 1919, 1440},
        // Already within the bound: kept at its own size.
        {640, 480, 4, 800, 1.0f, 640, 480},
        {640, 480, 5, 600, 1.0f, 640, 480},
        {640, 480, -3, 600, 1.0f, 640, 480},
    };
    for (const Case& c : cases) {
        JpegReencoder r(fixed(c.K, c.V), QString());
        const float f = r.getAbsoluteFactorForImageRep(c.W, c.H);
        if (c.W == 2592) {
            EXPECT_EQ(BRLanczosScaleTransform::outputSize(c.W, f), c.outW);
        } else {
            EXPECT_FLOAT_EQ(f, c.factor) << c.W << "x" << c.H << " K" << c.K;
        }
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
        // A 2000 × 1500 photo: the corpus photo enlarged by ImageMagick.
        const QString path = tmp.filePath(QStringLiteral("large.jpg"));
        if (!QFileInfo::exists(path))
            run(QStringLiteral("convert"),
                {corpusDir() + QStringLiteral("/photos/Canon_40D.jpg"), QStringLiteral("-resize"),
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
    const QString portrait6 = corpusDir() + QStringLiteral("/photos/orientation/landscape_6.jpg");
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

TEST_F(Reencode, GreySourcesStayGrey)
{
    const QString grey = tmp.filePath(QStringLiteral("grey.jpg"));
    writeBytes(grey, run(QStringLiteral("cjpeg"), {QStringLiteral("-grayscale")},
                         run(QStringLiteral("djpeg"),
                             {corpusDir() + QStringLiteral("/photos/Canon_40D.jpg")})
                             .out)
                         .out);
    const QString out = make({{key::ScalingType, 1}, {key::ScalingFactor, 0.5}}, grey);
    EXPECT_EQ(sizeOf(out).components, 1);
}

TEST_F(Reencode, FailuresAreLoggedAndNothingIsWritten)
{
    const QByteArray photo = readBytes(corpusDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    const QString truncated = tmp.filePath(QStringLiteral("truncated.jpg"));
    writeBytes(truncated, photo.left(photo.size() * 2 / 3));
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

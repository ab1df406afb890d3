// SPDX-License-Identifier: GPL-3.0-or-later
// Brelin's own encoder: its transform against the definition, and the coefficients it
// quantises against what a decoder reads back from each scan script.
#include "encoding/PlaneEncoder.h"
#include "encoding/CoefficientWriter.h"
#include "encoding/ForwardDct.h"
#include "platform/ByteSpan.h"
#include "platform/JpegPlanes.h"
#include "scaling/BRLanczosScaleTransform.h"
#include "support/Coefficients.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace brelin;
using namespace brelin::test;

namespace {

// The planes of a 4:2:0 test photo, as stored.
struct DecodedPlanes
{
    std::unique_ptr<JpegPlaneDecoder> decoder;
    std::vector<const Bitmap*> planes;
};

DecodedPlanes planesOf(const QString& photo, const QByteArray& bytes)
{
    DecodedPlanes d;
    JpegError error;
    d.decoder = JpegPlaneDecoder::start(bytesOf(bytes), 1, error);
    EXPECT_TRUE(d.decoder) << photo.toStdString() << " " << error.message;
    if (!d.decoder || !d.decoder->finish(error))
        return d;
    for (int c = 0; c < d.decoder->planeCount(); ++c)
        d.planes.push_back(&d.decoder->plane(c));
    return d;
}

// The list coefficientsOf gives, made from the quantised image itself.
std::vector<int> expectedList(const CoefficientImage& image)
{
    std::vector<int> out{image.width, image.height};
    for (int c = 0; c < image.components; ++c) {
        const CoefficientPlane& p = image.planes[c];
        const int sampling = image.components == 3 && c == 0 ? 2 : 1;
        out.insert(out.end(), {c + 1, sampling, sampling});
        out.insert(out.end(), std::begin(image.tables[p.table]), std::end(image.tables[p.table]));
        out.insert(out.end(), p.blocks.begin(), p.blocks.end());
    }
    return out;
}

bool hasMarker(const std::vector<uint8_t>& jpeg, uint8_t marker)
{
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker)
            return true;
    return false;
}

} // namespace

TEST(PlaneEncoder, TheTransformIsTheDefinitions)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> sample(-128.0f, 127.0f);
    for (int n = 0; n < 200; ++n) {
        float block[64], fast[64], reference[64];
        for (float& v : block)
            v = n == 0 ? 127.0f : sample(random); // a flat block first: DC only
        forwardDct(block, fast);
        forwardDctReference(block, reference);
        for (int k = 0; k < 64; ++k)
            ASSERT_NEAR(fast[k], reference[k], 2e-3f) << n << " " << k;
    }
}

TEST(PlaneEncoder, EveryScanScriptWritesTheQuantisedCoefficients)
{
    const struct
    {
        const char* photo;
        bool resampled;
    } rows[] = {
        {"photos/large_with_exif.jpg", true},
        {"photos/Olympus_C8080WZ.jpg", true},        // 72 rows: an odd chroma block row
        {"photos/Fujifilm_FinePix_E500.jpg", false}, // 59 columns: neither plane whole blocks
    };
    for (const auto& row : rows) {
        const QString path = dataDir() + QLatin1Char('/') + QLatin1String(row.photo);
        const QByteArray bytes = readBytes(path);
        DecodedPlanes d = planesOf(path, bytes);
        ASSERT_FALSE(d.planes.empty()) << row.photo;
        PlaneEncodeSetting setting;
        setting.quality = 75;
        setting.resampled = row.resampled;
        JpegError error;
        const auto image = quantisePlanes(d.planes, setting, error);
        ASSERT_TRUE(image.has_value()) << row.photo << " " << error.message << " "
                                       << d.planes[0]->width << "x" << d.planes[0]->height << " "
                                       << d.planes.back()->width << "x" << d.planes.back()->height;
        const std::vector<int> expected = expectedList(*image);
        size_t smallest = SIZE_MAX;
        for (const ScanScript script :
             {ScanScript::Baseline, ScanScript::Progressive, ScanScript::Searched}) {
            const auto written = writeCoefficients(*image, script, error);
            ASSERT_TRUE(written.has_value()) << row.photo << " " << error.message;
            const QByteArray bytesWritten(reinterpret_cast<const char*>(written->data()),
                                          qsizetype(written->size()));
            EXPECT_EQ(coefficientsOf(bytesWritten), expected) << row.photo << " " << int(script);
            // Baseline writes a sequential frame only; the others a progressive one.
            EXPECT_EQ(hasMarker(*written, 0xC0), script == ScanScript::Baseline) << row.photo;
            EXPECT_EQ(hasMarker(*written, 0xC2), script != ScanScript::Baseline) << row.photo;
            if (script != ScanScript::Baseline)
                smallest = std::min(smallest, written->size());
        }
        // The encoder keeps the smallest progressive one, and a sequential one when asked.
        const auto best = encodePlanes(d.planes, setting, error);
        ASSERT_TRUE(best.has_value());
        EXPECT_EQ(best->size(), smallest) << row.photo;
        EXPECT_TRUE(hasMarker(*best, 0xC2)) << row.photo;
        setting.progressive = false;
        const auto baseline = encodePlanes(d.planes, setting, error);
        ASSERT_TRUE(baseline.has_value());
        EXPECT_FALSE(hasMarker(*baseline, 0xC2)) << row.photo;
    }
}

TEST(PlaneEncoder, RgbAndGreyBitmapsComeBackAsTheyWent)
{
    // Smooth colour: what comes back differs by little more than quantisation.
    Bitmap rgb(203, 97, 3);
    for (int y = 0; y < rgb.height; ++y)
        for (int x = 0; x < rgb.width; ++x) {
            uint8_t* p = rgb.row(y) + 3 * x;
            p[0] = uint8_t(x);
            p[1] = uint8_t(2 * y);
            p[2] = uint8_t(128 + (x - y) / 3);
        }
    const QString file = QDir(QDir::tempPath()).filePath(QStringLiteral("brelin-rgb.jpg"));
    for (const bool grey : {false, true}) {
        for (const bool progressive : {true, false}) {
            JpegError error;
            const auto jpeg = encodeJpegBitmap(rgb, 0.9f, grey, error, true, progressive);
            ASSERT_TRUE(jpeg.has_value()) << error.message;
            EXPECT_EQ(hasMarker(*jpeg, 0xC2), progressive);
            writeBytes(file, QByteArray(reinterpret_cast<const char*>(jpeg->data()),
                                        qsizetype(jpeg->size())));
            const QByteArray pnm = decodeWithDjpeg(file);
            ASSERT_TRUE(pnm.startsWith(grey ? "P5" : "P6")) << grey;
            const int channels = grey ? 1 : 3;
            const qsizetype pixels = qsizetype(rgb.width) * rgb.height * channels;
            ASSERT_GE(pnm.size(), pixels);
            const auto* back =
                reinterpret_cast<const uint8_t*>(pnm.constData()) + pnm.size() - pixels;
            double squared = 0;
            for (int y = 0; y < rgb.height; ++y)
                for (int x = 0; x < rgb.width; ++x)
                    for (int c = 0; c < channels; ++c) {
                        // Grey keeps the first channel, as a grey source's are all equal.
                        const double d = double(back[(y * rgb.width + x) * channels + c]) -
                                         rgb.row(y)[3 * x + c];
                        squared += d * d;
                    }
            const double psnr = 10 * std::log10(255.0 * 255.0 * double(pixels) / squared);
            EXPECT_GT(psnr, 38.0) << grey << progressive;
        }
    }
    QFile::remove(file);
}

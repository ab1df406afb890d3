// SPDX-License-Identifier: GPL-3.0-or-later
// The per-image choice of progressive scans: the spliced stream holds the coefficients
// quantised, is no larger than any probe, and streams that are not what a probe writes are
// refused rather than spliced.
#include "encoding/ScanSearch.h"
#include "encoding/CoefficientWriter.h"
#include "encoding/PlaneEncoder.h"
#include "platform/ByteSpan.h"
#include "platform/JpegPlanes.h"
#include "support/Coefficients.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace brelin;
using namespace brelin::test;

namespace {

QByteArray bytesOf(const std::vector<uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

// A photo's planes quantised as a fit run quantises them.
CoefficientImage quantised(const char* photo, std::unique_ptr<JpegPlaneDecoder>& decoder)
{
    const QByteArray bytes = readBytes(dataDir() + QLatin1Char('/') + QLatin1String(photo));
    JpegError error;
    decoder = JpegPlaneDecoder::start(brelin::bytesOf(bytes), 1, error);
    std::vector<const Bitmap*> planes;
    if (decoder && decoder->finish(error))
        for (int c = 0; c < decoder->planeCount(); ++c)
            planes.push_back(&decoder->plane(c));
    PlaneEncodeSetting setting;
    setting.quality = 80;
    auto image = quantisePlanes(planes, setting, error);
    EXPECT_TRUE(image.has_value()) << photo << " " << error.message;
    return image ? std::move(*image) : CoefficientImage{};
}

std::vector<std::vector<uint8_t>> probesWritten(const CoefficientImage& image,
                                                const std::vector<ProbeScript>& probes)
{
    std::vector<std::vector<uint8_t>> written;
    for (const ProbeScript& p : probes) {
        JpegError error;
        auto made = writeCoefficients(image, p.scans, error);
        EXPECT_TRUE(made.has_value()) << error.message;
        written.push_back(made ? *made : std::vector<uint8_t>{});
    }
    return written;
}

TEST(ScanSearch, TheSplicedStreamHoldsTheCoefficientsAndIsNoLargerThanAnyProbe)
{
    for (const char* photo :
         {"photos/large_with_exif.jpg", "photos/Olympus_C8080WZ.jpg",
          "photos/Fujifilm_FinePix_E500.jpg", "photos/Konica_Minolta_DiMAGE_Z3.jpg"}) {
        std::unique_ptr<JpegPlaneDecoder> decoder;
        const CoefficientImage image = quantised(photo, decoder);
        const std::vector<ProbeScript> probes = probeScripts(image.components);
        ASSERT_GE(probes.size(), 2u);
        const auto written = probesWritten(image, probes);
        const auto spliced = spliceSmallest(written, probes);
        ASSERT_TRUE(spliced.has_value()) << photo;
        for (const auto& w : written) {
            EXPECT_LE(spliced->size(), w.size()) << photo;
            // Every probe's own coefficients read back as quantised, as the splice's do.
            EXPECT_EQ(coefficientsOf(bytesOf(w)), coefficientsOf(bytesOf(*spliced))) << photo;
        }
        JpegError error;
        const auto searched = writeCoefficients(image, ScanScript::Searched, error);
        ASSERT_TRUE(searched.has_value()) << error.message;
        EXPECT_EQ(*searched, *spliced) << photo;
        const auto baseline = writeCoefficients(image, ScanScript::Baseline, error);
        ASSERT_TRUE(baseline.has_value()) << error.message;
        EXPECT_EQ(coefficientsOf(bytesOf(*spliced)), coefficientsOf(bytesOf(*baseline))) << photo;
    }
}

TEST(ScanSearch, StreamsThatAreNotAProbesOwnAreRefused)
{
    std::unique_ptr<JpegPlaneDecoder> decoderA, decoderB;
    const CoefficientImage image = quantised("photos/large_with_exif.jpg", decoderA);
    const CoefficientImage other = quantised("photos/Konica_Minolta_DiMAGE_Z3.jpg", decoderB);
    const std::vector<ProbeScript> probes = probeScripts(3);
    const auto written = probesWritten(image, probes);
    const auto ofOther = probesWritten(other, probes);
    const struct
    {
        const char* what;
        std::vector<std::vector<uint8_t>> streams;
    } rows[] = {
        {"cut short", {written[0], {written[1].begin(), written[1].end() - 100}}},
        {"bytes after the end",
         {written[0],
          [&] {
              auto w = written[1];
              w.insert(w.end(), {0xFF, 0xD9});
              return w;
          }()}},
        {"another image's header", {written[0], ofOther[1]}},
        {"scripts swapped", {written[1], written[0]}},
        {"one stream for two scripts", {written[0]}},
    };
    for (const auto& row : rows)
        EXPECT_FALSE(spliceSmallest(row.streams, probes).has_value()) << row.what;
    EXPECT_TRUE(probeScripts(4).empty());
}

} // namespace

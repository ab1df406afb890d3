// SPDX-License-Identifier: GPL-3.0-or-later
// One lossless reference encoded at a Quality as a fit run encodes its resampled planes:
// the reference's RGB turned into Y, Cb and Cr and the chroma halved as an RGB source's
// scaled pixels are (encoding/ColourPlanes), the planes handed to the encoder. For the rate and
// distortion comparison of bench/encode-compare.sh. Usage: brelin-bench-encode [--own-size]
// [--libjpeg] [--baseline] REF.png QUALITY OUT.jpg
//   --own-size  the tables of a photo encoded at its own size
//   --libjpeg   libjpeg's own transform and quantiser, as Brelin encoded before its own
//   --baseline  one sequential scan
//   --scripts   also print the bytes and time of each scan script
#include "encoding/CoefficientWriter.h"
#include "encoding/ColourPlanes.h"
#include "encoding/PlaneEncoder.h"
#include "platform/JpegPlanes.h"

#include <QFile>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace brelin;

int main(int argc, char** argv)
{
    bool ownSize = false, libjpeg = false, baseline = false, scripts = false;
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] == '-'; ++i) {
        ownSize = ownSize || std::strcmp(argv[i], "--own-size") == 0;
        libjpeg = libjpeg || std::strcmp(argv[i], "--libjpeg") == 0;
        baseline = baseline || std::strcmp(argv[i], "--baseline") == 0;
        scripts = scripts || std::strcmp(argv[i], "--scripts") == 0;
    }
    if (argc - i != 3) {
        std::fprintf(stderr, "usage: brelin-bench-encode [--own-size] [--libjpeg] [--baseline] "
                             "REF.png QUALITY OUT.jpg\n");
        return 2;
    }
    const QImage ref =
        QImage(QString::fromLocal8Bit(argv[i])).convertToFormat(QImage::Format_RGB888);
    if (ref.isNull()) {
        std::fprintf(stderr, "%s: not an image\n", argv[i]);
        return 1;
    }
    const int quality = std::atoi(argv[i + 1]);
    Bitmap rgb = Bitmap::uninitialized(ref.width(), ref.height(), 3);
    for (int r = 0; r < rgb.height; ++r)
        std::memcpy(rgb.row(r), ref.constScanLine(r), size_t(rgb.width) * 3);
    const std::vector<Bitmap> ycc = colourPlanesOf(rgb, false);
    const std::vector<const Bitmap*> planes{&ycc[0], &ycc[1], &ycc[2]};
    JpegError error;
    const auto start = std::chrono::steady_clock::now();
    std::optional<std::vector<uint8_t>> out;
    if (libjpeg) {
        out = encodeJpegPlanesWithLibjpeg(planes, float(quality) / 100.0f, error, {}, !ownSize);
    } else {
        PlaneEncodeSetting setting;
        setting.quality = quality;
        setting.resampled = !ownSize;
        setting.progressive = !baseline;
        // For tuning: the quantiser's lambda from the environment.
        if (const char* lambda = std::getenv("BRELIN_LAMBDA"))
            setting.quantiser.lambda = float(std::atof(lambda));
        setting.chromaQuantiser = setting.quantiser;
        if (const char* lambda = std::getenv("BRELIN_LAMBDA_CHROMA"))
            setting.chromaQuantiser.lambda = float(std::atof(lambda));
        if (const char* masking = std::getenv("BRELIN_MASKING"))
            setting.quantiser.masking = float(std::atof(masking));
        out = encodePlanes(planes, setting, error);
        if (scripts) {
            const auto q0 = std::chrono::steady_clock::now();
            const auto image = quantisePlanes(planes, setting, error);
            std::printf("quantised: %.1f ms\n", std::chrono::duration<double, std::milli>(
                                                    std::chrono::steady_clock::now() - q0)
                                                    .count());
            for (const ScanScript script :
                 {ScanScript::Baseline, ScanScript::Progressive, ScanScript::Searched}) {
                const auto t0 = std::chrono::steady_clock::now();
                const auto made = image ? writeCoefficients(*image, script, error) : std::nullopt;
                std::printf(
                    "script %d: %zu bytes, %.1f ms\n", int(script), made ? made->size() : 0,
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                        .count());
            }
        }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!out) {
        std::fprintf(stderr, "encoding failed: %s\n", error.message.c_str());
        return 1;
    }
    QFile file(QString::fromLocal8Bit(argv[i + 2]));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(out->data()), qint64(out->size())) !=
            qint64(out->size())) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[i + 2]);
        return 1;
    }
    std::printf("%zu bytes, %.1f ms\n", out->size(), ms);
    return 0;
}

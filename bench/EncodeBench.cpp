// SPDX-License-Identifier: GPL-3.0-or-later
// One lossless reference encoded at a Quality as a fit run encodes its resampled planes:
// the reference's RGB turned into Y, Cb and Cr, the chroma halved as libjpeg halves it,
// the planes handed to the encoder. For the rate and distortion comparison of
// bench/encode-compare.sh.
// Usage: brelin-bench-encode [--own-size] [--libjpeg] [--baseline] REF.png QUALITY OUT.jpg
//   --own-size  the tables of a photo encoded at its own size
//   --libjpeg   libjpeg's own transform and quantiser, as Brelin encoded before its own
//   --baseline  one sequential scan
//   --scripts   also print the bytes and time of each scan script
#include "encoding/CoefficientWriter.h"
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

namespace {

uint8_t clampByte(double v)
{
    return uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

} // namespace

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
    const int w = ref.width(), h = ref.height();
    Bitmap y(w, h, 1), cb(chromaSize(w), chromaSize(h), 1), cr(chromaSize(w), chromaSize(h), 1);
    std::vector<uint8_t> fullCb(size_t(w) * size_t(h)), fullCr(size_t(w) * size_t(h));
    for (int r = 0; r < h; ++r) {
        const uint8_t* rgb = ref.constScanLine(r);
        for (int x = 0; x < w; ++x) {
            const double R = rgb[3 * x], G = rgb[3 * x + 1], B = rgb[3 * x + 2];
            y.row(r)[x] = clampByte(0.299 * R + 0.587 * G + 0.114 * B);
            fullCb[size_t(r) * size_t(w) + size_t(x)] =
                clampByte(-0.168735892 * R - 0.331264108 * G + 0.5 * B + 128);
            fullCr[size_t(r) * size_t(w) + size_t(x)] =
                clampByte(0.5 * R - 0.418687589 * G - 0.081312411 * B + 128);
        }
    }
    // Two by two averaged, with libjpeg's alternating rounding bias.
    for (int r = 0; r < cb.height; ++r)
        for (int x = 0; x < cb.width; ++x) {
            const size_t x0 = size_t(2 * x), x1 = size_t(std::min(2 * x + 1, w - 1));
            const size_t r0 = size_t(2 * r) * size_t(w),
                         r1 = size_t(std::min(2 * r + 1, h - 1)) * size_t(w);
            const int bias = 1 + (x & 1);
            cb.row(r)[x] = uint8_t(
                (fullCb[r0 + x0] + fullCb[r0 + x1] + fullCb[r1 + x0] + fullCb[r1 + x1] + bias) >>
                2);
            cr.row(r)[x] = uint8_t(
                (fullCr[r0 + x0] + fullCr[r0 + x1] + fullCr[r1 + x0] + fullCr[r1 + x1] + bias) >>
                2);
        }
    const std::vector<const Bitmap*> planes{&y, &cb, &cr};
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
                 {ScanScript::Baseline, ScanScript::Progressive, ScanScript::Spectral}) {
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

// SPDX-License-Identifier: GPL-3.0-or-later
// What carrying an HDR photo's gain map costs beside the re-encode step of its primary:
// the step alone, and the step with the map made anew and appended (as a run does both),
// medians over rounds; with the sizes and the map's SSIM against its Lanczos resizing.
// Usage: brelin-bench-gainmap [-n ROUNDS] FILE
#include "platform/ByteSpan.h"
#include "platform/JpegCodec.h"
#include "processing/GainMapCarrier.h"
#include "processing/JpegReencoder.h"
#include "scaling/BRLanczosScaleTransform.h"
#include "scaling/Ssim.h"
#include "settings/SettingsRecord.h"

#include "Timing.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace brelin;

namespace {

std::optional<Bitmap> decodedMap(std::span<const uint8_t> file)
{
    const auto found = markers::findGainMap(file);
    if (!found || !found->map)
        return std::nullopt;
    JpegError error;
    auto decoded = decodeJpeg(found->file.parts[*found->map].bytes, 1, error);
    return decoded ? std::optional(std::move(decoded->bitmap)) : std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int rounds = 15;
    if (args.size() >= 2 && args[0] == QLatin1String("-n")) {
        rounds = args[1].toInt();
        args = args.mid(2);
    }
    if (args.size() != 1 || rounds < 1) {
        std::fprintf(stderr, "usage: brelin-bench-gainmap [-n ROUNDS] FILE\n");
        return 2;
    }
    QFile in(args[0]);
    const QByteArray source = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    const auto originalMap = decodedMap(bytesOf(source));
    if (!originalMap) {
        std::fprintf(stderr, "%s has no gain map\n", qPrintable(args[0]));
        return 1;
    }
    QTemporaryDir tmp;
    const struct
    {
        const char* name;
        QVariantMap prefs;
    } jobs[] = {
        {"fit1920",
         {{key::ScalingType, 2}, {key::ScalingFixedType, 6}, {key::ScalingFixedValue, 1920}}},
        {"half", {{key::ScalingType, 1}, {key::ScalingFactor, 0.5}}},
        {"keep", {{key::ScalingType, 0}}},
    };
    std::printf("%-8s %10s %12s %9s %10s %10s %6s\n", "job", "primary", "with map", "extra", "file",
                "map", "SSIM");
    for (const auto& job : jobs) {
        QVariantMap prefs = job.prefs;
        prefs.insert(key::Quality, 80);
        std::vector<double> alone, carried;
        std::vector<uint8_t> result;
        for (int r = 0; r < rounds; ++r) {
            JpegReencoder step(prefs, tmp.path());
            std::optional<QString> made;
            const double primaryMs = millis([&] { made = step.makeAndScaleJPEG(args[0], 0.8f); });
            QFile out(made.value_or(QString()));
            const QByteArray primary = out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
            std::optional<std::vector<uint8_t>> whole;
            const double mapMs = millis([&] {
                whole = carryGainMap(bytesOf(source), bytesOf(primary), step.gainMapJob(0.8f),
                                     prefs, args[0]);
            });
            if (!made || !whole)
                return 1;
            alone.push_back(primaryMs);
            carried.push_back(primaryMs + mapMs);
            result = std::move(*whole);
        }
        const auto map = decodedMap(result);
        double ssim = 0;
        if (map) {
            const auto reference = BRLanczosScaleTransform::resize(
                *originalMap, map->width, map->height, double(map->width) / originalMap->width,
                double(map->height) / originalMap->height);
            ssim = reference ? meanSsim(*map, *reference).value_or(0) : 0;
        }
        const double a = median(alone), c = median(carried);
        std::printf("%-8s %8.1f ms %9.1f ms %8.1f %% %10zu %4dx%-5d %6.4f\n", job.name, a, c,
                    100.0 * (c - a) / a, result.size(), map ? map->width : 0, map ? map->height : 0,
                    ssim);
    }
    return 0;
}

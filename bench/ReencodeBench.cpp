// SPDX-License-Identifier: GPL-3.0-or-later
// The re-encode step alone (decode, scale, encode, write) over a folder of JPEG files in
// one process, as a run does it: one file after the other.
// Usage: brelin-bench-reencode JOB OUTDIR FILE...   JOB: fit1920 | half | keep
#include "processing/JpegReencoder.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

using namespace brelin;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: brelin-bench-reencode fit1920|half|keep OUTDIR FILE...\n");
        return 2;
    }
    QVariantMap prefs{{key::Quality, 80}};
    if (args[1] == QLatin1String("fit1920"))
        prefs.insert(
            {{key::ScalingType, 2}, {key::ScalingFixedType, 3}, {key::ScalingFixedValue, 1920}});
    else if (args[1] == QLatin1String("half"))
        prefs.insert({{key::ScalingType, 1}, {key::ScalingFactor, 0.5}});
    else
        prefs.insert(key::ScalingType, 0);
    const QString out = args[2];
    QDir().mkpath(out);
    JpegReencoder step(prefs, out);
    // The high-water mark before any file: what the run adds to it is its peak.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long rssBefore = usage.ru_maxrss;
    int failed = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 3; i < args.size(); ++i) {
        const auto made = step.makeAndScaleJPEG(args[i], 0.8f);
        if (!made) {
            ++failed;
            continue;
        }
        // Named after the source, so that a comparison can pair them.
        const QString named = QDir(out).filePath(QFileInfo(args[i]).fileName());
        QFile::remove(named);
        QFile::rename(*made, named);
    }
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%s: %d files in %.3f s (%d failed), peak memory +%ld KiB\n", qPrintable(args[1]),
                int(args.size()) - 3, s, failed, usage.ru_maxrss - rssBefore);
    return failed ? 1 : 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// What a run costs per file beyond the re-encode step: the marker chains, the copy into
// place, the icon step and the hand-over between files, everything kept.
// Usage: brelin-bench-run [-n COPIES] FILE
#include "platform/Allocator.h"
#include "processing/BRProcessor.h"
#include "processing/JpegReencoder.h"
#include "settings/SettingsRecord.h"

#include "Timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

using namespace brelin;

namespace {

class Silent : public ProcessWindows
{
public:
    ReplaceAnswer askReplace(const QString&) override { return {true, true}; }
    void showProgress(int, std::function<void()>) override {}
    void setProgress(int, int, const QString&) override {}
    void closeProgress() override {}
    void showUnprocessed(const QList<UnprocessedFile>& rows) override
    {
        for (const UnprocessedFile& row : rows)
            std::fprintf(stderr, "failed: %s: %s\n", qPrintable(row.path), qPrintable(row.reason));
    }
    void runDidEnd(const RunSummary&) override {}
};

// Processor time of this process and of its reaped children.
double cpuMillis()
{
    double total = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        total += (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
                 (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    }
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brelin"));
    keepLargeBuffersForTheNextFile(); // as brelin and brelin-batch do
    QStringList args = app.arguments().mid(1);
    int copies = 20;
    if (args.size() >= 2 && args[0] == QLatin1String("-n")) {
        copies = args[1].toInt();
        args = args.mid(2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: brelin-bench-run [-n COPIES] FILE\n");
        return 2;
    }
    QTemporaryDir dir;
    std::vector<BRFileURLPtr> files;
    for (int i = 0; i < copies; ++i) {
        const QString copy = dir.filePath(QStringLiteral("in/%1.jpg").arg(i));
        QDir().mkpath(dir.filePath(QStringLiteral("in")));
        QFile::copy(args[0], copy);
        files.push_back(BRFileURL::makeWithPath(copy));
    }
    // Fit 1920, quality 80, every kind of metadata kept, results into a folder.
    QVariantMap prefs = initialRecord();
    prefs[key::CustomPath] = 1;
    prefs[key::Path] = dir.filePath(QStringLiteral("out"));
    prefs[key::HasSuffix] = 0;

    // Rounds interleaved, medians: the re-encode step alone, then a whole run of one file.
    JpegReencoder step(prefs, dir.path());
    Silent windows;
    std::vector<double> stepMs, runMs, stepCpu, runCpu;
    int processed = 0;
    for (const BRFileURLPtr& f : files) {
        double cpu = cpuMillis();
        // On a thread of its own, as a run does it, so that both see the same allocator.
        stepMs.push_back(millis([&] {
            std::thread([&] {
                if (!step.makeAndScaleJPEG(f->path(), 0.8f))
                    std::fprintf(stderr, "re-encode failed\n");
            }).join();
        }));
        stepCpu.push_back(cpuMillis() - cpu);
        BRProcessor processor(nullptr, windows, {f}, prefs);
        cpu = cpuMillis();
        runMs.push_back(millis([&] { processor.startProcess(); }));
        runCpu.push_back(cpuMillis() - cpu);
        processed += processor.summary().processed;
    }
    std::printf("%d rounds on %s (%.2f MB)\n", copies, qPrintable(args[0]),
                QFileInfo(args[0]).size() / 1e6);
    std::printf("re-encode step  %8.1f ms (median)\n", median(stepMs));
    std::printf("whole run       %8.1f ms (median, one file)\n", median(runMs));
    std::printf("engine beyond   %8.1f ms per file (processor time %.1f ms, children included)\n",
                median(runMs) - median(stepMs), median(runCpu) - median(stepCpu));
    return processed == copies ? 0 : 1;
}

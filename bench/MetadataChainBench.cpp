// SPDX-License-Identifier: GPL-3.0-or-later
// Per-file cost of the metadata chains: the copy branch with every kind removed
// (cat and 8 wrjpgcom) and the re-encode branch with every kind kept (cat, 7 rdjpgcom
// and 7 wrjpgcom: 15 processes).
// Usage: brelin-bench-metadata [-n ROUNDS] FILE...
#include "processing/MetadataTransfer.h"
#include "settings/SettingsRecord.h"

#include "Timing.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace brelin;

namespace {

QVariantMap flags(int value)
{
    return {{key::RemoveEXIF, value},
            {key::RemoveITPC, value},
            {key::RemoveICC, value},
            {key::RemoveComment, value},
            {key::RemoveOthers, value}};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int rounds = 9;
    if (args.size() >= 2 && args[0] == QLatin1String("-n")) {
        rounds = args[1].toInt();
        args = args.mid(2);
    }
    QTemporaryDir tmp;
    MetadataTransfer strip(flags(1), tmp.path());
    MetadataTransfer keep(flags(0), tmp.path());
    std::printf("%-40s %8s %14s %14s\n", "file", "MB", "strip all ms", "keep all ms");
    for (const QString& file : args) {
        const QString fresh = tmp.filePath(QStringLiteral("fresh.jpg"));
        std::vector<double> stripTimes, keepTimes;
        for (int i = 0; i < rounds; ++i) {
            stripTimes.push_back(millis([&] {
                if (!strip.stripProfilesFrom(file))
                    std::fprintf(stderr, "strip failed: %s\n", qPrintable(file));
            }));
            QFile::remove(fresh);
            QFile::copy(file, fresh);
            keepTimes.push_back(millis([&] {
                if (!keep.addProfilesFromFile(file, fresh))
                    std::fprintf(stderr, "keep failed: %s\n", qPrintable(file));
            }));
        }
        std::printf("%-40s %8.2f %14.2f %14.2f\n", qPrintable(QFileInfo(file).fileName()),
                    QFileInfo(file).size() / 1e6, median(stripTimes), median(keepTimes));
    }
    return 0;
}

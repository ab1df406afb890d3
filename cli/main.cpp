// SPDX-License-Identifier: GPL-3.0-or-later
// brelin-batch: Brelin's batch engine from a terminal.
#include "BatchOptions.h"
#include "TerminalWindows.h"

#include "filelist/BRFileURL.h"
#include "platform/Allocator.h"
#include "platform/BRLog.h"
#include "platform/Localization.h"
#include "platform/Processors.h"
#include "processing/BRProcessor.h"
#include "processing/FileCopy.h"
#include "settings/UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace brelin;

namespace {

int interruptPipe[2] = {-1, -1};

void onInterrupt(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(interruptPipe[1], &byte, 1);
}

void complain(const QString& text)
{
    std::fprintf(stderr, "brelin-batch: %s\n", text.toLocal8Bit().constData());
}

// The files to process, in the order given, folders walked as the list walks them.
std::vector<BRFileURLPtr> collectFiles(const QStringList& paths, int& failures,
                                       QHash<QString, QString>& topFolders)
{
    std::vector<BRFileURLPtr> files;
    QSet<QString> seen;
    for (const QString& given : paths) {
        const QFileInfo info(given);
        if (!info.exists()) {
            complain(QStringLiteral("cannot access '%1': No such file or directory").arg(given));
            ++failures;
            continue;
        }
        const BRFileURLPtr node = BRFileURL::makeWithPath(info.absoluteFilePath());
        if (!node) {
            complain(QStringLiteral("%1: not a JPEG file (.jpg or .jpeg)").arg(given));
            ++failures;
            continue;
        }
        for (const BRFileURLPtr& file : node->allFiles())
            if (!seen.contains(file->path())) {
                seen.insert(file->path());
                files.push_back(file);
                if (node->isDirectory())
                    topFolders.insert(file->path(), node->path());
            }
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brelin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRELIN_VERSION));
    installTranslations(app, QLocale());
    // Past a file size limit a write fails with EFBIG, which the run reports, instead of
    // the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    keepLargeBuffersForTheNextFile();

    const BatchOptions options = parseBatchOptions(
        argc, argv, QDir(appSupportFolder()).filePath(QStringLiteral("Presets.plist")));
    switch (options.action) {
    case BatchOptions::Action::Help:
        std::fputs(batchUsage().toLocal8Bit().constData(), stdout);
        return 0;
    case BatchOptions::Action::Version:
        std::printf("brelin-batch (Brelin) %s\n"
                    "License GPL-3.0-or-later: GNU GPL version 3 or later "
                    "<https://gnu.org/licenses/gpl.html>.\n"
                    "This is free software: you are free to change and redistribute it.\n"
                    "There is NO WARRANTY, to the extent permitted by law.\n",
                    BRELIN_VERSION);
        return 0;
    case BatchOptions::Action::Error:
        if (!options.error.isEmpty())
            complain(options.error);
        std::fputs("Try 'brelin-batch --help' for more information.\n", stderr);
        return 2;
    case BatchOptions::Action::Run:
        break;
    }

    setLogToStandardError(options.verbose);
    int failures = 0;
    QHash<QString, QString> topFolders;
    std::vector<BRFileURLPtr> files = collectFiles(options.paths, failures, topFolders);
    TerminalWindows windows(options.answer);
    BRProcessor processor(nullptr, windows, {}, options.prefs);
    processor.setDryRun(options.dryRun); // before any destination is made
    if (options.dryRun)
        windows.setDryRunOutcomes(&processor.outcomes());
    if (!options.overwrite) {
        // Only --overwrite writes over the originals, whatever a preset says.
        std::erase_if(files, [&](const BRFileURLPtr& file) {
            if (!isSameFile(file->path(), processor.getDest(file->path())))
                return false;
            complain(QStringLiteral("%1: the result would replace the original (see --overwrite)")
                         .arg(file->path()));
            ++failures;
            return true;
        });
    }
    processor.setFiles(std::move(files));
    processor.setAllowLarger(options.allowLarger);
    processor.setKeepDates(options.keepDates);
    processor.setTopFolders(std::move(topFolders));
    processor.setJobs(options.jobs ? options.jobs : usableProcessors());

    // The first interrupt finishes the files under way and stops; a second one ends at once.
    if (::pipe2(interruptPipe, O_CLOEXEC) == 0) {
        struct sigaction action = {};
        action.sa_handler = onInterrupt;
        action.sa_flags = SA_RESETHAND | SA_RESTART;
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
    }
    QSocketNotifier interrupted(interruptPipe[0], QSocketNotifier::Read);
    QObject::connect(&interrupted, &QSocketNotifier::activated, [&] {
        interrupted.setEnabled(false);
        complain(QStringLiteral("interrupted: stopping after the files under way"));
        processor.cancel();
    });

    processor.startProcess();
    const RunSummary& summary = processor.summary();
    return failures == 0 && summary.unprocessed == 0 && summary.notStarted == 0 ? 0 : 1;
}

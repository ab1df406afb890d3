// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/BRProcessor.h"

#include "encoding/SourceQuality.h"
#include "platform/AtomicFile.h"
#include "platform/BRLog.h"
#include "platform/ByteSpan.h"
#include "platform/Resources.h"
#include "processing/CustomIcons.h"
#include "processing/FileCopy.h"
#include "processing/FileOutcome.h"
#include "processing/GainMapCarrier.h"
#include "processing/JpegReencoder.h"
#include "processing/Leftovers.h"
#include "processing/MetadataTransfer.h"
#include "processing/SizeTarget.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <thread>

namespace brelin {
BRProcessor::BRProcessor(BRProcessorDelegate* delegate, ProcessWindows& windows,
                         std::vector<BRFileURLPtr> files, const QVariantMap& prefs)
    : delegate(delegate), windows(windows), files(std::move(files)), prefs(prefs),
      wrjpgcom(toolPath(QStringLiteral("wrjpgcom"))),
      rdjpgcom(toolPath(QStringLiteral("rdjpgcom"))), icons(makeDesktopIconStore()),
      waitLoop(std::make_unique<QEventLoop>())
{
}

BRProcessor::~BRProcessor() = default;

void BRProcessor::setToolPaths(const QString& rd, const QString& wr)
{
    rdjpgcom = rd;
    wrjpgcom = wr;
}

void BRProcessor::setIconStore(std::unique_ptr<IconStore> store)
{
    icons = std::move(store);
}

void BRProcessor::startProcess()
{
    fileOutcomes.clear();
    if (recordInt(prefs, key::CustomPath) == 1 && recordString(prefs, key::Path).isEmpty()) {
        // No folder chosen: nothing is written into whatever the working folder may be.
        for (const BRFileURLPtr& file : files)
            addUnprocessed(file->path(), QCoreApplication::translate(
                                             "BRProcessor", "No output folder is chosen."));
        files.clear();
    }
    // Every question is asked before the progress window shows and any file is touched.
    QSet<QString> refused;
    for (const BRFileURLPtr& file : filesThatWillNotBeReplaced()) {
        const QString why = QCoreApplication::translate(
            "BRProcessor", "The existing file was kept: you chose not to replace it.");
        addUnprocessed(file->path(), why);
        refused.insert(file->path());
        FileOutcome outcome;
        outcome.source = file->path();
        outcome.dest = getDest(file->path());
        outcome.reason = why;
        outcome.replaces = true;
        fileOutcomes.push_back(std::move(outcome));
    }
    std::erase_if(files, [&](const BRFileURLPtr& f) { return refused.contains(f->path()); });
    // What killed runs left where this one works: their part files would stand beside
    // its results for good.
    QSet<QString> folders;
    for (const BRFileURLPtr& file : files)
        folders.insert(QFileInfo(getDest(file->path())).absolutePath());
    if (!dryRun)
        removeLeftovers(QDir::tempPath(), folders.values());
    windows.showProgress(int(files.size()), [this] { cancel(); });
    progressShown = true;
    stopProcess = false;
    createTemp();

    // Up to `jobs` files in flight, each on a thread of its own; the loop waits in an
    // event loop, so that the window stays alive.
    struct Lane
    {
        std::thread thread;
        std::atomic<bool> done{true};
        QString source, dest;
    };
    std::vector<Lane> lanes(size_t(std::max(1, jobs)));
    // A file must not start while another in flight writes what it reads or writes:
    // results and questions stay those of one file at a time.
    const auto conflicts = [&](const Lane& lane, const QString& source, const QString& dest) {
        return !lane.done && (lane.dest == dest || lane.dest == source || lane.source == dest);
    };
    int started = 0;
    QString latest; // the name of the file started last
    const auto inFlight = [&] {
        return int(
            std::count_if(lanes.begin(), lanes.end(), [](const Lane& l) { return !l.done; }));
    };
    // With several files in flight, the window also says how many are, as each ends.
    const auto waitForALane = [&] {
        waitLoop->exec();
        if (lanes.size() > 1)
            windows.setProgress(started, inFlight(), latest);
    };
    for (const BRFileURLPtr& file : files) {
        // Tested before the wait: with one file at a time, a cancel during one file still
        // lets the next one run; with more, the files in flight finish and no other starts.
        if (stopProcess)
            break;
        const QString source = file->path();
        const QString dest = getDest(source);
        Lane* free = nullptr;
        for (;;) {
            free = nullptr;
            bool blocked = false;
            for (Lane& lane : lanes) {
                blocked = blocked || conflicts(lane, source, dest);
                if (!free && lane.done)
                    free = &lane;
            }
            if (free && !blocked)
                break;
            waitForALane();
        }
        if (lanes.size() > 1 && stopProcess)
            break;
        if (free->thread.joinable())
            free->thread.join();
        free->source = source;
        free->dest = dest;
        free->done = false;
        latest = QFileInfo(source).fileName();
        windows.setProgress(++started, inFlight(), latest);
        free->thread = std::thread([this, file, free, index = started - 1] {
            processFile(file, index);
            // The last action on every path: the run loop may start the next file.
            free->done = true;
            QMetaObject::invokeMethod(waitLoop.get(), &QEventLoop::quit, Qt::QueuedConnection);
        });
    }
    for (Lane& lane : lanes) {
        while (!lane.done)
            waitForALane();
        if (lane.thread.joinable())
            lane.thread.join();
    }
    std::sort(failures.begin(), failures.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [index, row] : failures)
        unprocessed.append(row);
    failures.clear();
    std::sort(doneFiles.begin(), doneFiles.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [index, outcome] : doneFiles)
        fileOutcomes.push_back(std::move(outcome));
    doneFiles.clear();
    runSummary.notStarted = int(files.size()) - started;
    runSummary.cancelled = stopProcess;
    runSummary.unprocessed = int(unprocessed.size());

    if (progressShown)
        windows.closeProgress();
    progressShown = false;
    deleteTemp();
    displayListOfUnprocessedFiles();
    windows.runDidEnd(runSummary);
    if (delegate)
        delegate->processDidEnd();
}

void BRProcessor::cancel()
{
    if (progressShown)
        windows.closeProgress();
    progressShown = false;
    stopProcess = true;
}

void BRProcessor::processFile(const BRFileURLPtr& file, int index)
{
    const QString source = file->path();
    const QString dest = getDest(source);
    // The times as they were before this run read the source (a read moves the access time).
    struct stat times;
    const bool timed = keepDates && ::stat(QFile::encodeName(source).constData(), &times) == 0;
    FileOutcome outcome;
    outcome.source = source;
    outcome.dest = dest;
    outcome.bytesBefore = QFileInfo(source).size();
    // Asked about before the run, or (in a dry run) what it would replace.
    outcome.replaces = QFileInfo(dest).exists() && !isSameFile(source, dest);
    QString& reason = outcome.reason;
    // A folder of its own inside the run's: the intermediate and payload files have fixed
    // names, which files worked on side by side must not share.
    QString scratch;
    if (!tmp.isEmpty()) {
        QByteArray pattern = QFile::encodeName(QDir(tmp).filePath(QStringLiteral("file-XXXXXX")));
        if (mkdtemp(pattern.data()))
            scratch = QFile::decodeName(pattern);
    }
    if (scratch.isEmpty())
        reason =
            QCoreApplication::translate("BRProcessor", "The temporary folder cannot be created.");
    Done done = Done::No;
    if (!scratch.isEmpty())
        done = recordFlag(prefs, key::Recompress)
                   ? reencode(source, dest, scratch, outcome)
                   : (copyStripped(source, dest, scratch, outcome) ? Done::Yes : Done::No);
    if (!scratch.isEmpty())
        QDir(scratch).removeRecursively();
    if (done != Done::No) {
        outcome.kind = !recordFlag(prefs, key::Recompress) ? FileOutcome::Kind::Copied
                       : done == Done::KeptOriginalData    ? FileOutcome::Kind::KeptOriginalData
                       : done == Done::KeptOptimisedData   ? FileOutcome::Kind::KeptOptimisedData
                                                           : FileOutcome::Kind::Encoded;
        if (timed && !dryRun) {
            const struct timespec old[2] = {times.st_atim, times.st_mtim};
            if (::utimensat(AT_FDCWD, QFile::encodeName(dest).constData(), old, 0) != 0)
                brLog(QStringLiteral("Cannot set the dates of %1: %2")
                          .arg(dest, QString::fromLocal8Bit(std::strerror(errno))));
        }
        const std::lock_guard lock(resultsMutex);
        ++runSummary.processed;
        if (done == Done::KeptOriginalData)
            ++runSummary.keptOriginal;
        if (done == Done::KeptOptimisedData)
            ++runSummary.keptOptimised;
        if (done == Done::LowerQuality)
            ++runSummary.lowerQuality;
        runSummary.bytesBefore += outcome.bytesBefore;
        runSummary.bytesAfter += outcome.bytesAfter;
        doneFiles.emplace_back(index, std::move(outcome));
    } else {
        const std::lock_guard lock(resultsMutex);
        failures.emplace_back(index, unprocessedRow(source, reason));
        outcome.reason = failures.back().second.reason;
        doneFiles.emplace_back(index, std::move(outcome));
    }
}

BRProcessor::Done BRProcessor::reencode(const QString& source, const QString& dest,
                                        const QString& scratch, FileOutcome& outcome)
{
    QString& reason = outcome.reason;
    const float quality = float(recordDouble(prefs, key::Quality)) / 100.0f;
    int highest = qualityFor(quality); // the record's, or the source's own when lower
    const qint64 target = std::max(0, recordInt(prefs, key::MaxSize));
    MetadataTransfer markers(prefs, scratch, rdjpgcom, wrjpgcom);
    std::optional<QString> made;
    bool samePixelSize = false;
    SizeFit fit;
    {
        JpegReencoder encoder(prefs, scratch);
        encoder.setKeepsScaledImage(target > 0);
        encoder.setScaledImageCache(scaledCache);
        encoder.setAbandonFlag(abandonFlag);
        // A file libjpeg cannot read starts no marker reader: its one reason is enough.
        if (!encoder.load(source, &reason))
            return Done::No;
        // No more quality than the source has: above it the bytes grow, the look does not.
        if (!recordFlag(prefs, key::AllowHigherQuality)) {
            const auto own = sourceQuality(bytesOf(encoder.sourceBytes()));
            if (own && *own < highest) {
                brLog(QStringLiteral("Quality %1 for %2, the quality it was saved at (%3 asked)")
                          .arg(*own)
                          .arg(source)
                          .arg(highest));
                highest = *own;
                outcome.atSourceQuality = true;
            }
        }
        // With a target, the first quality of the search is encoded while the image is
        // decoded and scaled, the others from the scaled image.
        QualitySearch search(highest);
        const int first = search.next();
        // The kept markers are read from the source, and its gain map made anew, while its
        // image is decoded and encoded.
        KeptMarkers kept;
        std::thread reader([&] { kept = markers.readKeptMarkers(source); });
        PreparedGainMap gainMap;
        std::thread mapMaker;
        if (encoder.sourceBytes().contains(QByteArrayView("MPF\0", 4)))
            mapMaker = std::thread([&] {
                gainMap = prepareGainMap(bytesOf(encoder.sourceBytes()),
                                         encoder.gainMapJob(quality), prefs, source);
            });
        const float at = target > 0                      ? float(first) / 100.0f
                         : highest < qualityFor(quality) ? float(highest) / 100.0f
                                                         : quality;
        made = encoder.makeAndScaleJPEG(at, &reason);
        reader.join();
        if (mapMaker.joinable())
            mapMaker.join();
        if (!made)
            return Done::No;
        samePixelSize = encoder.keepsPixelSize();
        const qint64 primary = QFileInfo(*made).size();
        // A result without the markers the user kept never takes the destination's place.
        const auto complete = [&](const QString& file) {
            return markers.writeKeptMarkers(kept, source, file, &reason) &&
                   carryGainMapInto(file, gainMap, source, reason);
        };
        if (!complete(*made)) {
            QFile::remove(*made);
            return Done::No;
        }
        if (target > 0) {
            fit = fitToSize(target, encoder, search, first, primary, *made, complete, reason);
            if (fit.outcome != SizeFit::Fits)
                QFile::remove(*made);
            if (fit.outcome == SizeFit::Failed)
                return Done::No;
        }
    }
    const auto original = [&] {
        return QDir(scratch).filePath(QStringLiteral("original-") + QFileInfo(*made).fileName());
    };
    if (target > 0 && fit.outcome == SizeFit::TooLarge) {
        // Not even quality 1 fits: at its own size, the source's image data may.
        qint64 smallest = fit.smallest;
        if (samePixelSize) {
            QString why;
            bool recoded = false;
            const auto stripped = markers.stripProfilesFrom(source, &why, original(), &recoded);
            if (stripped && QFileInfo(*stripped).size() <= target)
                return putInPlace(*stripped, *stripped != source, source, dest, outcome)
                           ? (recoded ? Done::KeptOptimisedData : Done::KeptOriginalData)
                           : Done::No;
            if (stripped) {
                smallest = std::min(smallest, QFileInfo(*stripped).size());
                if (*stripped != source)
                    QFile::remove(*stripped);
            }
        }
        brLog(QStringLiteral("No result for %1 fits into %2 bytes: the smallest has %3")
                  .arg(source)
                  .arg(target)
                  .arg(smallest));
        reason = tooLargeReason(smallest, target);
        return Done::No;
    }
    if (samePixelSize && !allowLarger) {
        // At its own size the source's image data, with the same markers removed, are as
        // good a result: the smaller one is written.
        QString why;
        bool recoded = false;
        const auto stripped = markers.stripProfilesFrom(source, &why, original(), &recoded);
        if (stripped && QFileInfo(*stripped).size() < QFileInfo(*made).size()) {
            QFile::remove(*made);
            return putInPlace(*stripped, *stripped != source, source, dest, outcome)
                       ? (recoded ? Done::KeptOptimisedData : Done::KeptOriginalData)
                       : Done::No;
        }
        if (stripped && *stripped != source)
            QFile::remove(*stripped);
    }
    outcome.quality = target > 0 ? fit.quality : std::min(highest, qualityFor(quality));
    if (!putInPlace(*made, true, source, dest, outcome))
        return Done::No;
    if (target > 0 && fit.quality < highest) {
        outcome.fittedInto = target;
        brLog(QStringLiteral("Quality %1 for %2 to fit into %3 bytes")
                  .arg(fit.quality)
                  .arg(source)
                  .arg(target));
        return Done::LowerQuality;
    }
    return Done::Yes;
}

bool BRProcessor::carryGainMapInto(const QString& made, const PreparedGainMap& gainMap,
                                   const QString& source, QString& reason)
{
    if (gainMap.fate == GainMapFate::None)
        return true;
    QFile file(made);
    const QByteArray primary = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    const auto whole = attachGainMap(gainMap, bytesOf(primary), source);
    if (whole && !writeScratchFile(made, toByteArray(*whole))) {
        reason =
            QCoreApplication::translate("BRProcessor", "The temporary folder cannot be written.");
        return false;
    }
    return true;
}

bool BRProcessor::copyStripped(const QString& source, const QString& dest, const QString& scratch,
                               FileOutcome& outcome)
{
    QString& reason = outcome.reason;
    const auto stripped =
        MetadataTransfer(prefs, scratch, rdjpgcom, wrjpgcom).stripProfilesFrom(source, &reason);
    if (!stripped)
        return false;
    // No quality to search: a copy larger than the target is not written.
    const qint64 target = std::max(0, recordInt(prefs, key::MaxSize));
    if (const qint64 size = QFileInfo(*stripped).size(); target > 0 && size > target) {
        if (*stripped != source)
            QFile::remove(*stripped);
        reason = tooLargeReason(size, target);
        return false;
    }
    return putInPlace(*stripped, *stripped != source, source, dest, outcome);
}

bool BRProcessor::putInPlace(const QString& result, bool temporary, const QString& source,
                             const QString& dest, FileOutcome& outcome)
{
    outcome.bytesAfter = QFileInfo(result).size();
    outcome.pixelSize = jpegPixelSize(result);
    if (dryRun && keepResults) {
        QFile file(result);
        if (file.open(QIODevice::ReadOnly))
            outcome.result = file.readAll();
        if (outcome.result.size() != outcome.bytesAfter) {
            outcome.result.clear();
            outcome.reason =
                QCoreApplication::translate("BRProcessor", "The temporary folder cannot be read.");
            if (temporary)
                QFile::remove(result);
            return false;
        }
    }
    const bool ok = dryRun || copyfile(result, dest, &outcome.reason);
    if (temporary)
        QFile::remove(result);
    if (!ok) {
        brLog("Unable to move file from tmp dir");
        return false;
    }
    if (dryRun)
        return true;
    // Desktop icons are kept by path, not carried by a copy: the result gets its icon
    // once it is in place. The store is one for the run, its files one at a time.
    const std::lock_guard lock(iconsMutex);
    CustomIcons(*icons).processIconForFile(dest, source, recordInt(prefs, key::KeepIcon));
    return true;
}

void BRProcessor::createTemp()
{
    // Private to this run: no other run or user can clash with it or plant a link in it.
    QByteArray pattern = QFile::encodeName(scratchFolderTemplate(QDir::tempPath()));
    if (mkdtemp(pattern.data()))
        tmp = QFile::decodeName(pattern);
    else
        brLog(QStringLiteral("Cannot create a temporary folder in %1").arg(QDir::tempPath()));
}

void BRProcessor::deleteTemp()
{
    if (!tmp.isEmpty())
        QDir(tmp).removeRecursively();
}

UnprocessedFile BRProcessor::unprocessedRow(const QString& path, const QString& reason)
{
    return {QFileInfo(path).fileName(), path,
            reason.isEmpty()
                ? QCoreApplication::translate("BRProcessor", "The file could not be processed.")
                : reason};
}

void BRProcessor::addUnprocessed(const QString& path, const QString& reason)
{
    unprocessed.append(unprocessedRow(path, reason));
}

void BRProcessor::displayListOfUnprocessedFiles()
{
    if (!unprocessed.isEmpty())
        windows.showUnprocessed(unprocessed);
}

} // namespace brelin

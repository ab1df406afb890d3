// SPDX-License-Identifier: GPL-3.0-or-later
// One batch run: the replace questions first, then every file through its pipeline on
// a worker thread of its own, up to `jobs` at once with the results of one at a time,
// while the progress window shows how far the run has come; at the end the files that
// were not processed, with why.
#pragma once

#include "filelist/BRFileURL.h"
#include "platform/IconStore.h"
#include "processing/FileOutcome.h"
#include "processing/ProcessWindows.h"
#include "processing/ReplaceAlert.h"

#include <QHash>
#include <QSet>
#include <QVariantMap>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class QEventLoop;

namespace brelin {

struct PreparedGainMap;
class ScaledImageCache;

class BRProcessorDelegate
{
public:
    virtual ~BRProcessorDelegate() = default;
    virtual void processDidEnd() = 0;
};

class BRProcessor
{
public:
    BRProcessor(BRProcessorDelegate* delegate, ProcessWindows& windows,
                std::vector<BRFileURLPtr> files, const QVariantMap& prefs);
    ~BRProcessor();

    void setFiles(std::vector<BRFileURLPtr> files) { this->files = std::move(files); }
    void setPrefs(const QVariantMap& prefs) { this->prefs = prefs; }
    // Where the marker tools are; found among Brelin's resources by default.
    void setToolPaths(const QString& rdjpgcom, const QString& wrjpgcom);
    void setIconStore(std::unique_ptr<IconStore> store);
    // On: a re-encoded result is written even when it has the source's pixel size and
    // more bytes than the source's own image data. Off by default: those data are kept.
    void setAllowLarger(bool on) { allowLarger = on; }
    // On: each result gets its source's modification and access times.
    void setKeepDates(bool on) { keepDates = on; }
    // For results kept in their folders' structure: the folder each file was found under,
    // as given (a file given by itself has none).
    void setTopFolders(QHash<QString, QString> folderOfFile)
    {
        topFolders = std::move(folderOfFile);
    }
    // Up to `n` files in flight at once (--jobs, the window's "Jobs"); 1 by default.
    void setJobs(int n) { jobs = std::max(1, n); }
    // On: everything as in a run, but the results stay in the run's private folder and are
    // thrown away: no folder is made, nothing is written beside or over the files. The
    // replace questions still go to the windows, which answer them without asking.
    void setDryRun(bool on) { dryRun = on; }
    // On, in a dry run: each outcome keeps its result's bytes (FileOutcome::result).
    void setKeepsResults(bool on) { keepResults = on; }
    // Re-encodes take their scaled image from this cache when the photo and every setting
    // but the quality are the same, and keep theirs there.
    void setScaledImageCache(std::shared_ptr<ScaledImageCache> cache)
    {
        scaledCache = std::move(cache);
    }
    // When set and true, a file's decode in progress stops early and the file fails: work
    // that nobody waits for any more.
    void setAbandonFlag(const std::atomic<bool>* abandon) { abandonFlag = abandon; }

    // Runs the whole batch on the calling thread, which keeps handling events, and
    // returns when it is over.
    void startProcess();
    // The progress window's cancel action: the file in progress and the one the run is
    // about to start are finished, no other file is started.
    void cancel();

    // The destination of a source file; may create the output folder (not in a dry run).
    QString getDest(const QString& source) const;
    // True when nothing is at `dest` or the user agrees to replace it.
    bool canReplace(const QString& source, const QString& dest);
    // The files of the run whose replacement is refused, in list order.
    std::vector<BRFileURLPtr> filesThatWillNotBeReplaced();

    const QList<UnprocessedFile>& unprocessedFiles() const { return unprocessed; }
    const RunSummary& summary() const { return runSummary; }
    // After a run: each file's outcome, the refused ones first, then in the run's order.
    // Files a cancel left out have none.
    const std::vector<FileOutcome>& outcomes() const { return fileOutcomes; }
    // The run's private temporary folder while it lasts.
    const QString& temporaryFolder() const { return tmp; }

private:
    // `index`: the file's place among those started.
    void processFile(const BRFileURLPtr& file, int index);
    static UnprocessedFile unprocessedRow(const QString& path, const QString& reason);
    // The outcome of one file.
    // LowerQuality: written at a quality below the record's, to fit its size target.
    enum class Done { No, Yes, KeptOriginalData, KeptOptimisedData, LowerQuality };
    // `scratch` is the file's own folder inside the run's.
    // Both fill in `outcome`: the quality and, once the result is in place, its size.
    Done reencode(const QString& source, const QString& dest, const QString& scratch,
                  FileOutcome& outcome);
    bool copyStripped(const QString& source, const QString& dest, const QString& scratch,
                      FileOutcome& outcome);
    // The source's gain map, made anew for the re-encoded image `made`, appended to it.
    bool carryGainMapInto(const QString& made, const PreparedGainMap& gainMap,
                          const QString& source, QString& reason);
    // Copies a result to its destination, removes it when it is a temporary file, and
    // gives the destination its icon.
    bool putInPlace(const QString& result, bool temporary, const QString& source,
                    const QString& dest, FileOutcome& outcome);
    void createTemp();
    void deleteTemp();
    void displayListOfUnprocessedFiles();
    void addUnprocessed(const QString& path, const QString& reason);

    BRProcessorDelegate* delegate;
    ProcessWindows& windows;
    std::optional<ReplaceAlert> alert;
    std::vector<BRFileURLPtr> files;
    QList<UnprocessedFile> unprocessed;
    QVariantMap prefs;
    std::atomic<bool> stopProcess{false};
    int jobs = 1;
    QHash<QString, QString> topFolders;
    std::mutex resultsMutex; // runSummary and failures, while files are in flight
    std::vector<std::pair<int, UnprocessedFile>> failures;
    std::vector<std::pair<int, FileOutcome>> doneFiles; // as failures
    std::vector<FileOutcome> fileOutcomes;
    std::mutex iconsMutex;
    QString wrjpgcom;
    QString rdjpgcom;
    QString tmp;
    std::unique_ptr<IconStore> icons;
    RunSummary runSummary;
    bool progressShown = false;
    bool allowLarger = false;
    bool keepDates = false;
    bool dryRun = false;
    bool keepResults = false;
    std::shared_ptr<ScaledImageCache> scaledCache;
    const std::atomic<bool>* abandonFlag = nullptr;
    // Destinations that earlier files of this run will write.
    QSet<QString> claimedDestinations;
    std::unique_ptr<QEventLoop> waitLoop;
};

} // namespace brelin

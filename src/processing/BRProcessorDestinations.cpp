// SPDX-License-Identifier: GPL-3.0-or-later
// BRProcessor: where each result goes, and the replace questions before a run.
#include "processing/BRProcessor.h"

#include "settings/SettingsRecord.h"

#include <QDir>
#include <QFileInfo>

namespace brelin {

QString BRProcessor::getDest(const QString& source) const
{
    QString dest = source;
    if (recordInt(prefs, key::CustomPath) == 1) {
        // Taken as it stands: no "~" expansion; a relative folder is the working folder's.
        QString folder = QDir::current().absoluteFilePath(recordString(prefs, key::Path));
        const QString top = topFolders.value(source);
        if (recordInt(prefs, key::KeepFolders) == 1 && !top.isEmpty())
            // The folder's own name, then the file's path below it.
            folder = QDir(folder).filePath(
                QDir(QFileInfo(top).path()).relativeFilePath(QFileInfo(source).path()));
        if (!dryRun && !QFileInfo::exists(folder))
            QDir().mkpath(folder); // a failure shows when the result is written
        dest = QDir(folder).filePath(QFileInfo(source).fileName());
    }
    if (recordInt(prefs, key::HasSuffix) == 1) {
        // The extension keeps its spelling; only the name before it grows.
        const QString extension = QFileInfo(dest).suffix();
        const QString stem = extension.isEmpty() && !dest.endsWith(QLatin1Char('.'))
                                 ? dest
                                 : dest.left(dest.size() - extension.size() - 1);
        dest = QStringLiteral("%1%2.%3").arg(stem, recordString(prefs, key::Suffix), extension);
    }
    return dest;
}

bool BRProcessor::canReplace(const QString&, const QString& dest)
{
    const QFileInfo info(dest);
    // A folder is never replaced, so there is nothing to ask: the file fails with why.
    const bool taken = claimedDestinations.contains(QDir::cleanPath(info.absoluteFilePath()));
    if ((!info.exists() && !info.isSymLink() && !taken) || info.isDir())
        return true;
    if (!alert)
        alert.emplace(windows);
    return alert->ask(info.fileName());
}

std::vector<BRFileURLPtr> BRProcessor::filesThatWillNotBeReplaced()
{
    std::vector<BRFileURLPtr> refused;
    claimedDestinations.clear();
    for (const BRFileURLPtr& file : files) {
        const QString dest = getDest(file->path());
        if (!canReplace(file->path(), dest)) {
            refused.push_back(file);
            continue;
        }
        // A later file of the run with the same destination would replace this result:
        // it is asked about as if the file existed already.
        claimedDestinations.insert(QDir::cleanPath(QFileInfo(dest).absoluteFilePath()));
    }
    return refused;
}

} // namespace brelin

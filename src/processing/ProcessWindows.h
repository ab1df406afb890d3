// SPDX-License-Identifier: GPL-3.0-or-later
// What a batch run shows: the replace question, the progress window, the list of files
// that were not processed, and the end of the run. The application shows them with
// widgets, brelin-batch on the terminal, the tests with a recorder. Every call comes
// from the thread that runs the batch.
#pragma once

#include "processing/RunSummary.h"

#include <QList>
#include <QString>

#include <functional>

namespace brelin {

struct ReplaceAnswer
{
    bool replace = false;
    bool applyToAll = false; // the state of the apply-to-all box when it was answered
};

// One row of the unprocessed-files window.
struct UnprocessedFile
{
    QString name;   // last path component
    QString path;   // full path
    QString reason; // in plain words, translated
};

class ProcessWindows
{
public:
    virtual ~ProcessWindows() = default;

    // Asks whether an existing file may be replaced; returns when it is answered.
    virtual ReplaceAnswer askReplace(const QString& question) = 0;
    // Shows the progress window with a bar of `maximum` steps; `cancel` is the action
    // of its cancel control.
    virtual void showProgress(int maximum, std::function<void()> cancel) = 0;
    // The files started so far, how many of them are in progress, and the name of the
    // one started last. With one file at a time, called as each file starts; with more,
    // also as each ends.
    virtual void setProgress(int value, int inProgress, const QString& fileName) = 0;
    // Closes the progress window; may be called twice.
    virtual void closeProgress() = 0;
    // Only called when there is at least one row.
    virtual void showUnprocessed(const QList<UnprocessedFile>& rows) = 0;
    virtual void runDidEnd(const RunSummary& summary) = 0;
};

} // namespace brelin

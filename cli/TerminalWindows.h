// SPDX-License-Identifier: GPL-3.0-or-later
// A batch run's windows on the terminal: questions on standard input, a progress bar
// on standard error when it is a terminal, one line per failed file (a dry run: one line
// per file, on standard output), a summary.
#pragma once

#include "BatchOptions.h"
#include "processing/FileOutcome.h"
#include "processing/ProcessWindows.h"

#include <vector>

namespace brelin {

class TerminalWindows : public ProcessWindows
{
public:
    explicit TerminalWindows(BatchOptions::Answer answer);

    ReplaceAnswer askReplace(const QString& question) override;
    void showProgress(int maximum, std::function<void()> cancel) override;
    void setProgress(int value, int inProgress, const QString& fileName) override;
    void closeProgress() override;
    void showUnprocessed(const QList<UnprocessedFile>& rows) override;
    void runDidEnd(const RunSummary& summary) override;

    // A dry run's files, listed before its summary; their reasons replace the failures'
    // lines.
    void setDryRunOutcomes(const std::vector<FileOutcome>* outcomes) { outcomes_ = outcomes; }

private:
    BatchOptions::Answer answer_;
    bool bar_ = false; // standard error is a terminal
    int maximum_ = 0;
    const std::vector<FileOutcome>* outcomes_ = nullptr;
};

} // namespace brelin

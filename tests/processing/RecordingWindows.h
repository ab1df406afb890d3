// SPDX-License-Identifier: GPL-3.0-or-later
// A batch run's windows for the tests: every call written down in order, the replace
// questions answered from a queue, and a hook that acts when the bar moves.
#pragma once

#include "processing/ProcessWindows.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace brelin::test {

class RecordingWindows : public ProcessWindows
{
public:
    QStringList events;
    std::deque<ReplaceAnswer> answers; // an empty queue answers No
    QList<UnprocessedFile> rows;
    RunSummary summary;
    std::function<void()> cancel;
    std::function<void(int value)> onProgress;

    ReplaceAnswer askReplace(const QString& question) override
    {
        events << QStringLiteral("ask ") + question;
        if (answers.empty())
            return {};
        const ReplaceAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void showProgress(int maximum, std::function<void()> c) override
    {
        events << QStringLiteral("show %1").arg(maximum);
        cancel = std::move(c);
    }
    void setProgress(int value, int inProgress, const QString& fileName) override
    {
        // One file at a time, as the tests run, is recorded as it always was.
        events << (inProgress > 1
                       ? QStringLiteral("bar %1 (%2) %3").arg(value).arg(inProgress).arg(fileName)
                       : QStringLiteral("bar %1 %2").arg(value).arg(fileName));
        if (onProgress)
            onProgress(value);
    }
    void closeProgress() override { events << QStringLiteral("close"); }
    void showUnprocessed(const QList<UnprocessedFile>& r) override
    {
        events << QStringLiteral("unprocessed %1").arg(r.size());
        rows = r;
    }
    void runDidEnd(const RunSummary& s) override
    {
        events << QStringLiteral("end");
        summary = s;
    }
};

} // namespace brelin::test

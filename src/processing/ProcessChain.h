// SPDX-License-Identifier: GPL-3.0-or-later
// A chain of child processes, each reading the one before through a pipe; the last
// one's output is read to its end by the caller.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "platform/ChildProcess.h"

namespace brelin {

class ProcessChain
{
public:
    ProcessChain() = default;
    ProcessChain(ProcessChain&&) = default;
    ProcessChain& operator=(ProcessChain&&) = default;
    ~ProcessChain();

    // The first stage reads this file instead of /dev/null: the work of a leading `cat`
    // without its process. Call before the first append.
    bool readFromFile(const QString& path);
    // The first stage reads a pipe whose write end is returned (-1 on failure); the
    // caller writes the input into it and closes it. Call before the first append.
    int readFromPipe();
    // Starts a stage reading the previous stage's output (the first one reads /dev/null).
    // After a failure the chain is broken and further stages are not started.
    bool append(const QString& program, const QStringList& args);
    // Reads the last stage to its end and reaps every stage. The bytes, or none when a
    // stage could not start or ended with a non-zero status.
    std::optional<QByteArray> finish();
    // The same, while another thread writes `input` into the pipe of readFromPipe.
    std::optional<QByteArray> finish(int inputPipe, const QByteArray& input);

    int stages() const { return static_cast<int>(children_.size()); }
    // What went wrong, for the log; empty while nothing did.
    const QString& failure() const { return failure_; }
    // Whether a program could not be started at all (missing, not executable).
    bool startFailed() const { return startFailed_; }

private:
    std::vector<ChildProcess> children_;
    QStringList commands_;
    int output_ = -1; // read end of the last stage's output
    bool broken_ = false;
    bool startFailed_ = false;
    QString failure_;
};

// Runs one program and reads its output to the end; none when it fails. `notStarted`
// tells a program that could not be started from one that failed.
std::optional<QByteArray> runAndRead(const QString& program, const QStringList& args,
                                     QString* failure = nullptr, bool* notStarted = nullptr);

} // namespace brelin

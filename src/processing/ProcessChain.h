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

    // Starts a stage reading the previous stage's output (the first one reads /dev/null).
    // After a failure the chain is broken and further stages are not started.
    bool append(const QString& program, const QStringList& args);
    // Reads the last stage to its end and reaps every stage. The bytes, or none when a
    // stage could not start or ended with a non-zero status.
    std::optional<QByteArray> finish();

    int stages() const { return static_cast<int>(children_.size()); }
    // What went wrong, for the log; empty while nothing did.
    const QString& failure() const { return failure_; }

private:
    std::vector<ChildProcess> children_;
    QStringList commands_;
    int output_ = -1; // read end of the last stage's output
    bool broken_ = false;
    QString failure_;
};

// Runs one program and reads its output to the end; none when it fails.
std::optional<QByteArray> runAndRead(const QString& program, const QStringList& args,
                                     QString* failure = nullptr);

} // namespace brelin

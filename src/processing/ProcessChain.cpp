// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/ProcessChain.h"

#include "platform/AtomicFile.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace brelin {
namespace {

std::vector<std::string> toStd(const QStringList& args)
{
    std::vector<std::string> out;
    out.reserve(args.size());
    for (const QString& a : args)
        out.push_back(a.toStdString());
    return out;
}

bool readAll(int fd, QByteArray& out)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            out.append(buffer, n);
        else if (n == 0)
            return true;
        else if (errno != EINTR)
            return false;
    }
}

} // namespace

ProcessChain::~ProcessChain()
{
    // Closing our end first lets a stage still writing see EPIPE and end.
    closeFd(output_);
}

bool ProcessChain::readFromFile(const QString& path)
{
    closeFd(output_);
    output_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (output_ < 0) {
        broken_ = true;
        failure_ = QStringLiteral("cannot read %1").arg(path);
    }
    return output_ >= 0;
}

int ProcessChain::readFromPipe()
{
    closeFd(output_);
    const auto pipe = makePipe();
    if (!pipe) {
        broken_ = true;
        failure_ = QStringLiteral("cannot make a pipe");
        return -1;
    }
    output_ = pipe->readEnd;
    return pipe->writeEnd;
}

std::optional<QByteArray> ProcessChain::finish(int inputPipe, const QByteArray& input)
{
    std::thread feeder([inputPipe, &input] {
        // A stage that ends early must not take the process down with SIGPIPE: here the
        // write just fails, and the stage's status says why.
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
        writeAll(inputPipe, input);
        ::close(inputPipe);
    });
    auto bytes = finish();
    feeder.join();
    return bytes;
}

bool ProcessChain::append(const QString& program, const QStringList& args)
{
    if (broken_)
        return false;
    auto pipe = makePipe();
    if (!pipe) {
        broken_ = true;
        failure_ = QStringLiteral("cannot make a pipe");
        return false;
    }
    std::string error;
    auto child =
        ChildProcess::start(program.toStdString(), toStd(args), output_, pipe->writeEnd, &error);
    // The parent keeps no copy of an end once its child has it, so end of file passes.
    closeFd(pipe->writeEnd);
    closeFd(output_);
    output_ = pipe->readEnd;
    commands_ << (QStringList{program} + args).join(QLatin1Char(' '));
    if (!child) {
        broken_ = true;
        startFailed_ = true;
        failure_ = QString::fromStdString(error);
        return false;
    }
    children_.push_back(std::move(*child));
    return true;
}

std::optional<QByteArray> ProcessChain::finish()
{
    QByteArray bytes;
    const bool read = output_ >= 0 && readAll(output_, bytes);
    closeFd(output_);
    bool ok = read && !broken_ && !children_.empty();
    for (size_t i = 0; i < children_.size(); ++i) {
        const int status = children_[i].wait();
        if (status != 0 && ok) {
            ok = false;
            failure_ =
                QStringLiteral("%1 ended with status %2").arg(commands_.value(int(i))).arg(status);
        }
    }
    children_.clear();
    if (!ok && failure_.isEmpty())
        failure_ = QStringLiteral("cannot read the output of %1")
                       .arg(commands_.join(QStringLiteral(" | ")));
    if (!ok)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> runAndRead(const QString& program, const QStringList& args,
                                     QString* failure, bool* notStarted)
{
    ProcessChain chain;
    chain.append(program, args);
    auto bytes = chain.finish();
    if (!bytes && failure)
        *failure = chain.failure();
    if (notStarted)
        *notStarted = chain.startFailed();
    return bytes;
}

} // namespace brelin

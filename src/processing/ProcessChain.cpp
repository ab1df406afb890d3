#include "processing/ProcessChain.h"

#include <cerrno>
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
                                     QString* failure)
{
    ProcessChain chain;
    chain.append(program, args);
    auto bytes = chain.finish();
    if (!bytes && failure)
        *failure = chain.failure();
    return bytes;
}

} // namespace brelin

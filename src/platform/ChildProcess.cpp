// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ChildProcess.h"

#include "platform/BRLog.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brelin {

std::optional<Pipe> makePipe()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    // Larger pipes mean fewer hand-overs between the stages of a chain; best effort.
    fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
    return Pipe{fds[0], fds[1]};
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

std::optional<ChildProcess> ChildProcess::start(const std::string& program,
                                                const std::vector<std::string>& args, int stdinFd,
                                                int stdoutFd, std::string* error)
{
    if (program.empty() || program[0] != '/') {
        if (error)
            *error = "not an absolute program path: " + program;
        return std::nullopt;
    }
    int devNull = -1;
    if (stdinFd < 0 || stdoutFd < 0) {
        devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        if (devNull < 0) {
            if (error)
                *error = std::string("/dev/null: ") + std::strerror(errno);
            return std::nullopt;
        }
    }
    // A file, not a pipe: a child that says much never blocks on a reader.
    int messages = memfd_create("brelin-child-stderr", MFD_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // dup2 clears close-on-exec on the child's copies; everything else stays closed.
    posix_spawn_file_actions_adddup2(&actions, stdinFd >= 0 ? stdinFd : devNull, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, stdoutFd >= 0 ? stdoutFd : devNull, STDOUT_FILENO);
    if (messages >= 0)
        posix_spawn_file_actions_adddup2(&actions, messages, STDERR_FILENO);

    std::vector<char*> argv;
    argv.reserve(args.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    closeFd(devNull);
    if (rc != 0) {
        closeFd(messages);
        if (error)
            *error = program + ": " + std::strerror(rc);
        return std::nullopt;
    }
    return ChildProcess(pid, messages, program.substr(program.rfind('/') + 1));
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(other.pid_), status_(other.status_), messages_(other.messages_),
      name_(std::move(other.name_))
{
    other.pid_ = -1;
    other.messages_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        wait();
        pid_ = other.pid_;
        status_ = other.status_;
        messages_ = other.messages_;
        name_ = std::move(other.name_);
        other.pid_ = -1;
        other.messages_ = -1;
    }
    return *this;
}

void ChildProcess::logMessages()
{
    if (messages_ < 0)
        return;
    // Enough for any diagnostic; a child gone wild does not fill the log.
    std::string text(64 * 1024, '\0');
    ssize_t n;
    do {
        n = ::pread(messages_, text.data(), text.size(), 0);
    } while (n < 0 && errno == EINTR);
    closeFd(messages_);
    text.resize(n > 0 ? size_t(n) : 0);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        // The tools name themselves; others are named here.
        if (!line.empty())
            brLog(line.rfind(name_ + ": ", 0) == 0 ? line : name_ + ": " + line);
        start = end + 1;
    }
}

ChildProcess::~ChildProcess()
{
    wait();
}

int ChildProcess::wait()
{
    if (pid_ < 0) {
        logMessages();
        return status_;
    }
    int raw = 0;
    pid_t r;
    do {
        r = ::waitpid(pid_, &raw, 0);
    } while (r < 0 && errno == EINTR);
    pid_ = -1;
    if (r < 0)
        status_ = -1;
    else if (WIFEXITED(raw))
        status_ = WEXITSTATUS(raw);
    else if (WIFSIGNALED(raw))
        status_ = 128 + WTERMSIG(raw);
    else
        status_ = -1;
    logMessages();
    return status_;
}

} // namespace brelin

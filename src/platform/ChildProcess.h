// SPDX-License-Identifier: GPL-3.0-or-later
// Child processes joined by pipes: posix_spawn with an explicit argument vector (no
// shell, absolute paths), pipes made close-on-exec, and every child reaped.
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace brelin {

// Both ends are close-on-exec, so a child started by another thread never holds them.
struct Pipe
{
    int readEnd = -1;
    int writeEnd = -1;
};
std::optional<Pipe> makePipe();
void closeFd(int& fd);

class ChildProcess
{
public:
    // Starts `program` with `args` (argv[1...]). `stdinFd` and `stdoutFd` become the
    // child's standard input and output; -1 gives it /dev/null. What the child writes on
    // its standard error goes to the log once it has ended, never to the terminal.
    static std::optional<ChildProcess> start(const std::string& program,
                                             const std::vector<std::string>& args, int stdinFd,
                                             int stdoutFd, std::string* error = nullptr);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Reaps the child if nobody did, so that no zombie is left behind.
    ~ChildProcess();

    // Waits for the child and logs its messages; its exit code, 128 + the signal that
    // ended it, or -1.
    int wait();
    pid_t pid() const { return pid_; }

private:
    ChildProcess(pid_t pid, int messages, std::string name)
        : pid_(pid), messages_(messages), name_(std::move(name))
    {
    }
    void logMessages();

    pid_t pid_ = -1;
    int status_ = -1;
    int messages_ = -1; // an unnamed file that holds the child's standard error
    std::string name_;  // the program's file name, for the log
};

} // namespace brelin

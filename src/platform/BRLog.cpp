// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BRLog.h"

#include <QString>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <syslog.h>

namespace brelin {
namespace {

std::mutex& logMutex()
{
    static std::mutex m;
    return m;
}

LogObserver& observer()
{
    static LogObserver o;
    return o;
}

std::atomic<bool> toStandardError{true};

} // namespace

void setLogToStandardError(bool on)
{
    toStandardError = on;
}

void brLog(std::string_view text)
{
    const std::lock_guard lock(logMutex());
    static const bool opened = [] {
        openlog("Brelin", LOG_PID, LOG_USER);
        return true;
    }();
    (void)opened;
    const std::string line(text);
    if (toStandardError)
        std::fprintf(stderr, "Brelin: %s\n", line.c_str());
    syslog(LOG_NOTICE, "%s", line.c_str());
    if (observer())
        observer()(text);
}

void brLog(const QString& text)
{
    brLog(std::string_view(text.toStdString()));
}

LogObserver setLogObserver(LogObserver o)
{
    const std::lock_guard lock(logMutex());
    std::swap(observer(), o);
    return o;
}

} // namespace brelin

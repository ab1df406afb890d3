// SPDX-License-Identifier: GPL-3.0-or-later
// The system log: fixed texts that say why something failed, written to standard error
// and to syslog(3) under the ident "Brelin". Log texts are never translated.
#pragma once

#include <functional>
#include <string_view>

class QString;

namespace brelin {

void brLog(std::string_view text);
void brLog(const QString& text);
inline void brLog(const char* text)
{
    brLog(std::string_view(text));
}

// Whether log lines also go to standard error (they do unless turned off); the
// terminal front end keeps them for --verbose.
void setLogToStandardError(bool on);

// Tests watch the log through an observer; it is called after the line is written,
// from whichever thread logged. Returns the observer that was installed before.
using LogObserver = std::function<void(std::string_view)>;
LogObserver setLogObserver(LogObserver observer);

} // namespace brelin

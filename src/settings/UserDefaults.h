// SPDX-License-Identifier: GPL-3.0-or-later
// The user defaults ("~/.config/Brelin/Brelin.conf") and the application's data folder
// ("$XDG_DATA_HOME/Brelin"), where the preset file lives.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace brelin {

namespace defaults {
inline const QString DefaultPreset = QStringLiteral("DefaultPreset");
inline const QString EmptyList = QStringLiteral("Empty List");
inline const QString ProcessNow = QStringLiteral("Process Now");
inline const QString KeepDates = QStringLiteral("Keep Dates");
inline const QString Jobs = QStringLiteral("Jobs");
} // namespace defaults

std::unique_ptr<QSettings> userDefaults();

// The folder for Brelin's own data files; needs the application name "Brelin".
QString appSupportFolder();

// A user default read so that exactly 1 means on.
bool defaultIsOn(const QSettings& settings, const QString& key);

// The window's photos processed at once: the "Jobs" default when it is a number from 1 to
// kMaxJobs, else the processors this process may use, at most 8 (past that, the disk and
// memory gain more than the run does).
inline constexpr int kMaxJobs = 256;
int windowJobs(const QSettings& settings);
int defaultWindowJobs();

} // namespace brelin

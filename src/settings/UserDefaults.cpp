// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/UserDefaults.h"

#include "platform/Processors.h"

#include <QStandardPaths>

#include <algorithm>

namespace brelin {

std::unique_ptr<QSettings> userDefaults()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Brelin"), QStringLiteral("Brelin"));
}

QString appSupportFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

int defaultWindowJobs()
{
    return std::min(8, usableProcessors());
}

int windowJobs(const QSettings& settings)
{
    bool ok = false;
    const int jobs = settings.value(defaults::Jobs).toInt(&ok);
    return ok && jobs >= 1 && jobs <= kMaxJobs ? jobs : defaultWindowJobs();
}

bool defaultIsOn(const QSettings& settings, const QString& key)
{
    bool ok = false;
    return settings.value(key).toInt(&ok) == 1 && ok;
}

} // namespace brelin

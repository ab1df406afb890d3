// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/UserDefaults.h"

#include <QStandardPaths>

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

bool defaultIsOn(const QSettings& settings, const QString& key)
{
    bool ok = false;
    return settings.value(key).toInt(&ok) == 1 && ok;
}

} // namespace brelin

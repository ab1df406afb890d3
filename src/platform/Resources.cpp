// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Resources.h"

#include <QDir>
#include <QFileInfo>

namespace brelin {
namespace {

QString executableDir()
{
    // /proc/self/exe works before (and without) a QCoreApplication.
    static const QString dir =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
    return dir;
}

QString firstExisting(const QStringList& candidates, bool wantExecutable)
{
    for (const QString& path : candidates) {
        const QFileInfo info(path);
        if (!info.exists())
            continue;
        if (wantExecutable && !(info.isFile() && info.isExecutable()))
            continue;
        return QDir::cleanPath(info.absoluteFilePath());
    }
    return {};
}

} // namespace

QString toolPathFrom(const QString& binDir, const QString& name)
{
    return firstExisting({binDir + QStringLiteral("/../libexec/brelin/") + name,
                          QStringLiteral(BRELIN_INSTALL_LIBEXEC_DIR "/") + name},
                         true);
}

QString resourcePathFrom(const QString& binDir, const QString& name)
{
    return firstExisting({binDir + QStringLiteral("/../share/brelin/") + name,
                          QStringLiteral(BRELIN_INSTALL_SHARE_DIR "/") + name},
                         false);
}

QString toolPath(const QString& name)
{
    return toolPathFrom(executableDir(), name);
}

QString resourcePath(const QString& name)
{
    return resourcePathFrom(executableDir(), name);
}

} // namespace brelin

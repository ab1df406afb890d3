// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/Leftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brelin {
namespace {

const QString kFolderPrefix = QStringLiteral("brelin-");
const QString kPartSuffix = QStringLiteral(".brelin-part");

QString hostName()
{
    static const QString name = [] {
        char buffer[HOST_NAME_MAX + 1] = {};
        if (::gethostname(buffer, sizeof buffer - 1) != 0 || !buffer[0])
            return QStringLiteral("localhost");
        // A name holds no '/'; '@' ends the process part of ours.
        return QString::fromLocal8Bit(buffer).replace(QLatin1Char('/'), QLatin1Char('_'));
    }();
    return name;
}

// "PID@HOST" of this process.
QString owner()
{
    return QStringLiteral("%1@%2").arg(::getpid()).arg(hostName());
}

// Whether "PID@HOST" names a run of this host that has ended.
bool endedHere(const QString& tag)
{
    const qsizetype at = tag.indexOf(QLatin1Char('@'));
    if (at <= 0 || tag.mid(at + 1) != hostName())
        return false;
    bool ok = false;
    const qlonglong pid = tag.left(at).toLongLong(&ok);
    if (!ok || pid <= 0 || pid > INT_MAX || pid == ::getpid())
        return false;
    // EPERM: it runs, as another user.
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

bool ownedByUser(const QString& path, bool folder)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && st.st_uid == ::geteuid() &&
           (folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode));
}

// "brelin-PID@HOST-XXXXXX".
void removeScratchFolders(const QString& tmpFolder)
{
    const QDir dir(tmpFolder);
    for (const QString& name :
         dir.entryList({kFolderPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name.size() < kFolderPrefix.size() + 8 || name[name.size() - 7] != QLatin1Char('-'))
            continue;
        const QString tag = name.mid(kFolderPrefix.size(), name.size() - kFolderPrefix.size() - 7);
        const QString path = dir.filePath(name);
        if (endedHere(tag) && ownedByUser(path, true))
            QDir(path).removeRecursively();
    }
}

// ".NAME.RANDOM-PID@HOST.brelin-part".
void removePartFiles(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral(".*") + kPartSuffix},
                                             QDir::Files | QDir::Hidden | QDir::System)) {
        const QString inner = name.chopped(kPartSuffix.size());
        const qsizetype dot =
            inner.lastIndexOf(QLatin1Char('.'), inner.lastIndexOf(QLatin1Char('@')));
        const qsizetype dash = inner.indexOf(QLatin1Char('-'), dot);
        if (dot <= 0 || dash < 0)
            continue;
        const QString path = dir.filePath(name);
        if (endedHere(inner.mid(dash + 1)) && ownedByUser(path, false))
            QFile::remove(path);
    }
}

} // namespace

QString scratchFolderTemplate(const QString& parent)
{
    return parent + QLatin1Char('/') + kFolderPrefix + owner() + QStringLiteral("-XXXXXX");
}

QString partFileName(const QString& dest, uint32_t random)
{
    const QFileInfo info(dest);
    return info.path() + QStringLiteral("/.") + info.fileName() +
           QStringLiteral(".%1-").arg(random, 8, 16, QLatin1Char('0')) + owner() + kPartSuffix;
}

void removeLeftovers(const QString& tmpFolder, const QStringList& folders)
{
    removeScratchFolders(tmpFolder);
    for (const QString& folder : folders)
        removePartFiles(folder);
}

} // namespace brelin

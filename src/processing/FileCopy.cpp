// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/FileCopy.h"

#include "markers/MarkerTools.h"
#include "platform/AtomicFile.h"
#include "platform/BRLog.h"
#include "processing/Leftovers.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brelin {
namespace {

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A reason a user understands for a failed write.
QString writeFailure(int error)
{
    if (error == ENOSPC || error == EDQUOT || error == EFBIG)
        return QCoreApplication::translate("FileCopy", "There is not enough space on the disk.");
    if (error == EACCES || error == EPERM || error == EROFS)
        return QCoreApplication::translate("FileCopy", "The destination folder cannot be written.");
    return QCoreApplication::translate("FileCopy", "The file cannot be written: %1")
        .arg(errorText(error));
}

bool readWhole(const QString& path, QByteArray& bytes, int& error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        bytes.resize(qsizetype(st.st_size));
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                ok = false;
                break;
            }
            done += n;
        }
    }
    error = ok ? 0 : errno ? errno : EIO;
    ::close(fd);
    return ok;
}

// A named part file beside `dest`, for filesystems without unnamed files. Created with
// the usual permissions (0666 less the umask).
int createPartFile(const QString& dest, QByteArray& name, int& error)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = QFile::encodeName(partFileName(dest, QRandomGenerator::global()->generate()));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            error = fd < 0 ? errno : 0;
            return fd;
        }
    }
    error = EEXIST;
    return -1;
}

// Gives an unnamed file a part file's name; false with `error` when it cannot.
bool linkPartFile(int fd, const QString& dest, QByteArray& name, int& error)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = QFile::encodeName(partFileName(dest, QRandomGenerator::global()->generate()));
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) ==
            0)
            return true;
        if (errno != EEXIST) {
            error = errno;
            return false;
        }
    }
    error = EEXIST;
    return false;
}

// Writes `bytes` into `fd`; when the result replaces the user's file it keeps that file's
// permissions and reaches the disk before the rename, so that a crash leaves one or the
// other.
bool fill(int fd, const QByteArray& bytes, const struct stat* old, int& error)
{
    if (!writeAll(fd, bytes, &error))
        return false;
    if (old && S_ISREG(old->st_mode)) {
        ::fchmod(fd, old->st_mode & 07777);
        if (::fsync(fd) != 0) {
            error = errno;
            return false;
        }
    }
    return true;
}

// Puts `bytes` at `dest` through a file of its own folder renamed over it. The file has
// no name while it is written (O_TMPFILE), so a killed run leaves nothing; it is named
// only for the rename. Filesystems without unnamed files get a named part file.
bool writeInPlace(const QString& dest, const QByteArray& bytes, const struct stat* old, int& error)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(dest).path());
    QByteArray temp;
    bool named = false;
    int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        bool ok = fill(fd, bytes, old, error);
        int linkError = 0;
        named = ok && linkPartFile(fd, dest, temp, linkError);
        if (::close(fd) != 0 && ok) {
            error = errno;
            ok = false;
        }
        if (!ok) {
            if (named)
                ::unlink(temp.constData());
            return false;
        }
        if (!named) // no /proc, or a filesystem that cannot link such files
            brLog(QStringLiteral("Cannot name an unnamed file in %1: %2")
                      .arg(QFile::decodeName(folder), errorText(linkError)));
    }
    if (!named) {
        fd = createPartFile(dest, temp, error);
        if (fd < 0)
            return false;
        bool ok = fill(fd, bytes, old, error);
        if (::close(fd) != 0 && ok) {
            error = errno;
            ok = false;
        }
        if (!ok) {
            ::unlink(temp.constData());
            return false;
        }
    }
    if (::rename(temp.constData(), QFile::encodeName(dest).constData()) != 0) {
        error = errno;
        ::unlink(temp.constData());
        return false;
    }
    return true;
}

void syncFolderOf(const QByteArray& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path)).path());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool isSameFile(const QString& a, const QString& b)
{
    struct stat sa, sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool copyfile(const QString& source, const QString& dest, QString* reason)
{
    const auto fail = [&](const QString& logText, const QString& why) {
        brLog(logText);
        if (reason)
            *reason = why;
        return false;
    };
    const auto unableToMove = [&](int error, const QString& why) {
        return fail(QStringLiteral("Unable to move file: %1").arg(errorText(error)), why);
    };

    if (isSameFile(source, dest))
        return true; // the file is its own destination: nothing to copy, nothing removed

    const QByteArray destName = QFile::encodeName(dest);
    struct stat old;
    const bool replacing = ::lstat(destName.constData(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return fail(QStringLiteral("Cannot remove file %1:\n%2").arg(dest, errorText(EISDIR)),
                    QCoreApplication::translate(
                        "FileCopy", "A folder of the same name stands where the result would go."));
    if (replacing && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
        return fail(
            QStringLiteral("Cannot remove file %1:\n%2").arg(dest, errorText(EEXIST)),
            QCoreApplication::translate(
                "FileCopy", "Something that is not a file stands where the result would go."));

    QByteArray bytes;
    int error = 0;
    if (!readWhole(source, bytes, error))
        return unableToMove(
            error, QCoreApplication::translate("FileCopy", "The processed file cannot be read: %1")
                       .arg(errorText(error)));
    const auto check = markers::checkStream(
        {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
    if (!check.ok)
        return unableToMove(
            EIO, QCoreApplication::translate("FileCopy",
                                             "The processed file is not a complete JPEG image."));

    if (!writeInPlace(dest, bytes, replacing ? &old : nullptr, error))
        return unableToMove(error, writeFailure(error));
    if (replacing)
        syncFolderOf(destName);
    return true;
}

} // namespace brelin

#include "processing/FileCopy.h"

#include "markers/MarkerTools.h"
#include "platform/AtomicFile.h"
#include "platform/BRLog.h"

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

// A new file beside `dest` that no other program takes for a photo: hidden, and not
// ending in ".jpg". Created with the usual permissions (0666 less the umask).
int createTemporary(const QString& dest, QByteArray& name, int& error)
{
    const QFileInfo info(dest);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = QFile::encodeName(
            info.path() + QStringLiteral("/.") + info.fileName() +
            QStringLiteral(".%1.brelin-part")
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            error = fd < 0 ? errno : 0;
            return fd;
        }
    }
    error = EEXIST;
    return -1;
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

    QByteArray temp;
    const int fd = createTemporary(dest, temp, error);
    if (fd < 0)
        return unableToMove(error, writeFailure(error));
    bool ok = writeAll(fd, bytes, &error);
    if (ok && replacing && S_ISREG(old.st_mode)) {
        // The result takes the place of the user's file: it keeps its permissions, and
        // reaches the disk before the rename, so that a crash leaves one or the other.
        ::fchmod(fd, old.st_mode & 07777);
        if (::fsync(fd) != 0) {
            error = errno;
            ok = false;
        }
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(temp.constData(), destName.constData()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.constData());
        return unableToMove(error, writeFailure(error));
    }
    if (replacing)
        syncFolderOf(destName);
    return true;
}

} // namespace brelin

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace brelin {

bool writeAll(int fd, const QByteArray& bytes, int* error)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (error)
                *error = n < 0 ? errno : ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

bool writeScratchFile(const QString& path, const QByteArray& bytes)
{
    QByteArray temp = QFile::encodeName(path) + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes);
    ok = (::close(fd) == 0) && ok;
    if (ok && std::rename(temp.constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    ::unlink(temp.constData());
    return false;
}

} // namespace brelin

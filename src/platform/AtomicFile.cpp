#include "platform/AtomicFile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace brelin {

bool writeScratchFile(const QString& path, const QByteArray& bytes)
{
    QByteArray temp = QFile::encodeName(path) + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= n;
    }
    ok = (::close(fd) == 0) && ok;
    if (ok && std::rename(temp.constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    ::unlink(temp.constData());
    return false;
}

} // namespace brelin

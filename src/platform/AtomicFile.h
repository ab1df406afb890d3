// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a scratch file of a run so that readers see either the old content or the
// whole new one: the bytes go to a private temporary file beside it, which then takes
// its place. Nothing is flushed to the disk; the run's temporary files need no more.
#pragma once

#include <QByteArray>
#include <QString>

namespace brelin {

bool writeScratchFile(const QString& path, const QByteArray& bytes);

// Writes all of `bytes` to `fd`, going on after short writes and interruptions. On
// failure `error` (when given) holds the errno; a write of nothing counts as ENOSPC.
bool writeAll(int fd, const QByteArray& bytes, int* error = nullptr);

} // namespace brelin

// SPDX-License-Identifier: GPL-3.0-or-later
// Puts a finished file in place: the destination is replaced only by a complete,
// verified JPEG, atomically, so that it is never missing or half-written.
#pragma once

#include <QString>

namespace brelin {

// Replaces `dest` with a copy of `source`. The copy is checked to be one whole JPEG,
// written into an unnamed file of the destination's folder (a hidden part file where the
// filesystem has none), flushed to the disk when it replaces an existing file, and
// renamed into place. On failure the old destination
// is as it was, the reason is set and the fixed log line written. When `source` is
// `dest` itself nothing is touched and the copy counts as done.
bool copyfile(const QString& source, const QString& dest, QString* reason = nullptr);

// Whether two paths name the same existing file.
bool isSameFile(const QString& a, const QString& b);

} // namespace brelin

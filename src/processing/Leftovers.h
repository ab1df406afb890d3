// SPDX-License-Identifier: GPL-3.0-or-later
// What a run leaves on the disk while it works, its private temporary folder and the
// part files beside its results, named after this host and process, and the removal of
// what ended runs left behind.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace brelin {

// The mkdtemp template of this process's temporary folder in `parent`.
QString scratchFolderTemplate(const QString& parent);

// A hidden name beside `dest` that no program takes for a photo; `random` keeps two names
// of one process apart.
QString partFileName(const QString& dest, uint32_t random);

// Removes, from `tmpFolder`, the temporary folders and, from `folders`, the part files that
// runs of this host left behind: only those whose process no longer runs and that belong
// to the user. Another machine's run on a shared folder may be alive, so its are kept.
void removeLeftovers(const QString& tmpFolder, const QStringList& folders);

} // namespace brelin

// SPDX-License-Identifier: GPL-3.0-or-later
// What a run did: counts and bytes, for the status bar and the terminal.
#pragma once

#include <QString>

namespace brelin {

struct RunSummary
{
    int processed = 0;
    int unprocessed = 0;    // refused replacements and failures
    int notStarted = 0;     // left out by a cancel
    int keptOriginal = 0;   // processed files that kept their original image data, because
                            // re-encoding them would have made them larger
    int keptOptimised = 0;  // the same, their image data rewritten losslessly smaller
    int lowerQuality = 0;   // processed files written below the record's quality, to fit
                            // its size target
    qint64 bytesBefore = 0; // sources of the processed files
    qint64 bytesAfter = 0;  // their results
    bool cancelled = false;
};

// "12 files processed, 48.2 MB → 9.1 MB (−81 %)", with the files that kept their
// original image data, were not processed or not started counted after it; translated.
QString summaryText(const RunSummary& summary);

} // namespace brelin

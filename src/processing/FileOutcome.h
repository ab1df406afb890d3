// SPDX-License-Identifier: GPL-3.0-or-later
// What became of one file of a run, for the list's lines after it and brelin-batch's
// dry run: the run's summary counts these, a file's line tells one of them.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace brelin {

struct FileOutcome
{
    enum class Kind {
        Failed,            // not written; `reason` says why
        Encoded,           // encoded anew
        KeptOriginalData,  // its image data copied byte for byte
        KeptOptimisedData, // its image data rewritten losslessly smaller
        Copied,            // recompression off: its image data copied, markers removed
    };
    QString source;
    QString dest;
    Kind kind = Kind::Failed;
    QString reason; // translated
    qint64 bytesBefore = 0;
    qint64 bytesAfter = 0;
    QSize pixelSize; // the result's, as shown; invalid when it cannot be read
    // Encoded: the quality written, and why it is below the record's, if it is.
    int quality = 0;
    qint64 fittedInto = 0; // the size target it was lowered to fit
    bool atSourceQuality = false;
    // The destination existed before the run (in a dry run: would be replaced).
    bool replaces = false;
    // The result's bytes, in a dry run that keeps them (the compare view's).
    QByteArray result;

    bool processed() const { return kind != Kind::Failed; }
};

// A JPEG file's pixel size as shown (turned by its EXIF orientation); invalid when it
// cannot be read.
QSize jpegPixelSize(const QString& path);

// "4.6 MB → 412 kB (−91 %)": sizes in SI units, the change rounded, a real minus sign.
QString sizeChangeText(qint64 before, qint64 after);

// "412 kB (−91 %)": the size after, and the change.
QString sizeAfterText(qint64 before, qint64 after);

// What was done to a processed file's image data, when there is more to say than "encoded
// at the quality asked": "quality 57 to fit 200 kB", "quality 60, the photo's own", "kept
// its image data"; empty otherwise. Translated.
QString outcomeHow(const FileOutcome& outcome);

// The list's line for a file after a run: "→ 1920 × 1446 · 412 kB (−91 %)", with
// " · quality 57 to fit 200 kB", " · quality 60, the photo's own" or " · kept its image
// data" where that is what happened; a failure's reason as it stands. Translated.
QString outcomeLine(const FileOutcome& outcome);

} // namespace brelin

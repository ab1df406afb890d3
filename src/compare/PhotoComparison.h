// SPDX-License-Identifier: GPL-3.0-or-later
// One photo and what the settings make of it, for the compare view: the result is made by
// a dry run of the engine over that photo alone, so that it is what a run writes, byte for
// byte; the original is resampled to the result's size without compression, so that
// what differs between the two is what the encoding did.
#pragma once

#include "processing/FileOutcome.h"
#include "scaling/Bitmap.h"

#include <QSize>
#include <QString>
#include <QVariantMap>

#include <atomic>
#include <memory>
#include <optional>

namespace brelin {

class ScaledImageCache;

struct Comparison
{
    quint64 generation = 0; // of the request it answers
    QString source;
    QVariantMap prefs;
    // What the run would do; its bytes in `outcome.result` when it is processed, else
    // its reason.
    FileOutcome outcome;
    std::shared_ptr<const Bitmap> result; // the result decoded, upright
    // The source, upright, at the result's size; the same bitmap as the last comparison's
    // when the photo and that size are the same.
    std::shared_ptr<const Bitmap> original;
    QSize originalSize; // the source's, upright
    qint64 originalBytes = 0;
};

// The captions under the two halves: "Original · 4080 × 3072 · 2.7 MB" and "Result ·
// 1920 × 1446 · 412 kB (−85 %) · quality 80" (or how its data were kept, or why it has
// none). Translated.
QString originalCaption(const Comparison& comparison);
QString resultCaption(const Comparison& comparison);

class PhotoComparer
{
public:
    PhotoComparer();
    ~PhotoComparer();

    // Where the marker tools are, for the tests; found among Brelin's resources otherwise.
    void setToolPaths(const QString& rdjpgcom, const QString& wrjpgcom);

    // The comparison of `source` under `prefs`, made on the calling thread, which must
    // be able to run an event loop (a QThread). None once `abandon` turns true: nobody
    // wants it any more. A photo's decode then stops at its next row of blocks, the other
    // steps at their end.
    std::optional<Comparison> compare(const QString& source, const QVariantMap& prefs,
                                      const std::atomic<bool>* abandon = nullptr);

private:
    // The source upright at `size` (at its own size when `size` is invalid), and its own
    // size in `fullSize`. Its decoded pixels are kept for the next comparison of the same
    // photo.
    // None once `abandon` turns true.
    std::shared_ptr<const Bitmap> originalAt(const QString& source, QSize size, QSize& fullSize,
                                             const std::atomic<bool>* abandon);

    std::shared_ptr<ScaledImageCache> scaled_;
    QString rdjpgcom_;
    QString wrjpgcom_;
    std::shared_ptr<const Bitmap> decoded_; // the source upright, maybe DCT-reduced
    QString decodedKey_;
    std::shared_ptr<const Bitmap> resized_; // the last original made, at its size
    QString resizedKey_;
};

} // namespace brelin

// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/SizeTarget.h"

#include "platform/AtomicFile.h"
#include "platform/BRLog.h"
#include "platform/ByteSpan.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace brelin {

SizeFit fitToSize(qint64 target, JpegReencoder& encoder, QualitySearch& search, int first,
                  qint64 firstPrimary, const QString& made,
                  const std::function<bool(const QString&)>& complete, QString& reason)
{
    SizeFit fit;
    const qint64 whole = QFileInfo(made).size();
    const qint64 added = whole - firstPrimary;
    fit.smallest = whole;
    const bool firstFits = whole <= target;
    search.answer(firstFits);
    int bestQuality = firstFits ? first : 0; // `made` holds it
    std::optional<std::vector<uint8_t>> best;
    // Qualities whose results were not made, their image counted larger than the target
    // leaves room for: the least bytes each would have had.
    std::map<int, qint64> unmade;
    const auto tryQuality = [&](int q) -> std::optional<bool> {
        size_t atLeast = 0;
        const qint64 room = std::max<qint64>(target - added, 1);
        auto bytes = encoder.encodeAgain(float(q) / 100.0f, &reason, size_t(room), &atLeast);
        if (!bytes && atLeast) {
            unmade[q] = qint64(atLeast) + added;
            return false;
        }
        if (!bytes)
            return std::nullopt;
        const qint64 size = qint64(bytes->size()) + added;
        fit.smallest = std::min(fit.smallest, size);
        if (size > target)
            return false;
        best = std::move(bytes);
        bestQuality = q;
        return true;
    };
    // The smallest result found is told exactly: those not made that might have been
    // smaller are made now. False when the encoder failed.
    const auto measureUnmade = [&] {
        for (auto [quality, atLeast] : unmade) {
            if (atLeast >= fit.smallest)
                continue;
            const auto bytes = encoder.encodeAgain(float(quality) / 100.0f, &reason);
            if (!bytes)
                return false;
            fit.smallest = std::min(fit.smallest, qint64(bytes->size()) + added);
        }
        return true;
    };
    while (!search.done()) {
        const std::optional<bool> fits = tryQuality(search.next());
        if (!fits.has_value())
            return fit; // the encoder failed
        search.answer(*fits);
    }
    const int q = search.result();
    // The search only moves up to qualities that fitted; 1 is where it starts untried.
    if (bestQuality != q) {
        const std::optional<bool> fits = tryQuality(q);
        if (!fits.has_value())
            return fit;
        if (!*fits) {
            if (measureUnmade())
                fit.outcome = SizeFit::TooLarge;
            return fit;
        }
    }
    if (best) {
        if (!writeScratchFile(made, toByteArray(*best))) {
            reason = QCoreApplication::translate("BRProcessor",
                                                 "The temporary folder cannot be written.");
            return fit;
        }
        if (!complete(made))
            return fit;
    }
    const qint64 written = QFileInfo(made).size();
    if (written > target) {
        // Never larger than asked, should the markers ever weigh differently.
        brLog(QStringLiteral("The result for %1 has %2 bytes, more than the %3 asked")
                  .arg(made)
                  .arg(written)
                  .arg(target));
        fit.smallest = std::min(fit.smallest, written);
        if (measureUnmade())
            fit.outcome = SizeFit::TooLarge;
        return fit;
    }
    fit.outcome = SizeFit::Fits;
    fit.quality = q;
    return fit;
}

QString tooLargeReason(qint64 smallest, qint64 target)
{
    // Rounded apart, so that the two never read the same.
    const qint64 smallestK = (smallest + 1023) / 1024;
    const qint64 targetK = target / 1024;
    return QCoreApplication::translate(
               "BRProcessor",
               "At this size the smallest result is %1 kB, more than the %2 kB asked.")
        .arg(smallestK)
        .arg(targetK);
}

} // namespace brelin

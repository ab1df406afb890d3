// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/RunSummary.h"

#include "processing/FileOutcome.h"

#include <QCoreApplication>

namespace brelin {
namespace {

// A count after the totals: `one` for a single file, `many` (with the count) for more.
QString countClause(int n, const QString& one, const QString& many)
{
    if (n <= 0)
        return {};
    return QStringLiteral(", ") + (n == 1 ? one : many.arg(n));
}

} // namespace

QString summaryText(const RunSummary& s)
{
    QString text =
        s.processed == 1
            ? QCoreApplication::translate("RunSummary", "1 file processed")
            : QCoreApplication::translate("RunSummary", "%1 files processed").arg(s.processed);
    if (s.processed > 0)
        text += QStringLiteral(", ") + sizeChangeText(s.bytesBefore, s.bytesAfter);
    text += countClause(
        s.keptOriginal,
        QCoreApplication::translate("RunSummary", "1 kept its original image data (re-encoding "
                                                  "would have made it larger)"),
        QCoreApplication::translate("RunSummary", "%1 kept their original image data "
                                                  "(re-encoding would have made them larger)"));
    text += countClause(
        s.keptOptimised,
        QCoreApplication::translate("RunSummary", "1 kept its image data, losslessly optimised "
                                                  "(re-encoding would have made it larger)"),
        QCoreApplication::translate("RunSummary", "%1 kept their image data, losslessly "
                                                  "optimised (re-encoding would have made them "
                                                  "larger)"));
    text += countClause(
        s.lowerQuality,
        QCoreApplication::translate("RunSummary", "1 needed a lower quality to fit the size"),
        QCoreApplication::translate("RunSummary", "%1 needed a lower quality to fit the size"));
    if (s.unprocessed > 0)
        text += QStringLiteral(", ") +
                QCoreApplication::translate("RunSummary", "%1 not processed").arg(s.unprocessed);
    if (s.notStarted > 0)
        text += QStringLiteral(", ") +
                QCoreApplication::translate("RunSummary", "%1 not started").arg(s.notStarted);
    return text;
}

} // namespace brelin

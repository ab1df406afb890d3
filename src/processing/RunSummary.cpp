// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/RunSummary.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

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
    const QLocale locale;
    QString text =
        s.processed == 1
            ? QCoreApplication::translate("RunSummary", "1 file processed")
            : QCoreApplication::translate("RunSummary", "%1 files processed").arg(s.processed);
    if (s.processed > 0) {
        text += QStringLiteral(", %1 \u2192 %2")
                    .arg(locale.formattedDataSize(s.bytesBefore, 1, QLocale::DataSizeSIFormat),
                         locale.formattedDataSize(s.bytesAfter, 1, QLocale::DataSizeSIFormat));
        if (s.bytesBefore > 0) {
            const long change =
                std::lround(100.0 * double(s.bytesAfter - s.bytesBefore) / double(s.bytesBefore));
            // A real minus sign, as typeset figures have.
            const QString sign = change < 0   ? QStringLiteral("\u2212")
                                 : change > 0 ? QStringLiteral("+")
                                              : QString();
            text += QStringLiteral(" (%1%2 %)").arg(sign).arg(std::labs(change));
        }
    }
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

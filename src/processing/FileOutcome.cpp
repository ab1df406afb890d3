// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/FileOutcome.h"

#include "platform/ByteSpan.h"
#include "processing/PhotoFacts.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <cmath>

namespace brelin {

QSize jpegPixelSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return uprightPixelSize(bytesOf(file.readAll()));
}

namespace {

QString dataSize(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

// " (−91 %)": rounded, with a real minus sign as typeset figures have; none from nothing.
QString changeText(qint64 before, qint64 after)
{
    if (before <= 0)
        return {};
    const long change = std::lround(100.0 * double(after - before) / double(before));
    const QString sign = change < 0   ? QStringLiteral("\u2212")
                         : change > 0 ? QStringLiteral("+")
                                      : QString();
    return QStringLiteral(" (%1%2 %)").arg(sign).arg(std::labs(change));
}

} // namespace

QString sizeChangeText(qint64 before, qint64 after)
{
    return QStringLiteral("%1 \u2192 %2").arg(dataSize(before), dataSize(after)) +
           changeText(before, after);
}

QString sizeAfterText(qint64 before, qint64 after)
{
    return dataSize(after) + changeText(before, after);
}

QString outcomeHow(const FileOutcome& o)
{
    switch (o.kind) {
    case FileOutcome::Kind::KeptOriginalData:
        return QCoreApplication::translate("FileOutcome", "kept its image data");
    case FileOutcome::Kind::KeptOptimisedData:
        return QCoreApplication::translate("FileOutcome",
                                           "kept its image data, losslessly optimised");
    case FileOutcome::Kind::Encoded:
        if (o.fittedInto > 0)
            // The target in the kB of 1024 bytes it is given in.
            return QCoreApplication::translate("FileOutcome", "quality %1 to fit %2 kB")
                .arg(o.quality)
                .arg(o.fittedInto / 1024);
        if (o.atSourceQuality)
            return QCoreApplication::translate("FileOutcome", "quality %1, the photo's own")
                .arg(o.quality);
        break;
    case FileOutcome::Kind::Copied:
    case FileOutcome::Kind::Failed:
        break;
    }
    return {};
}

QString outcomeLine(const FileOutcome& o)
{
    if (!o.processed())
        return o.reason;
    QString line = QStringLiteral("\u2192 ");
    if (o.pixelSize.isValid())
        line += QStringLiteral("%1 \u00d7 %2 \u00b7 ")
                    .arg(o.pixelSize.width())
                    .arg(o.pixelSize.height());
    line += sizeAfterText(o.bytesBefore, o.bytesAfter);
    const QString how = outcomeHow(o);
    return how.isEmpty() ? line : line + QStringLiteral(" \u00b7 ") + how;
}

} // namespace brelin

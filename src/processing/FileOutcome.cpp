// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/FileOutcome.h"

#include "platform/ByteSpan.h"
#include "platform/JpegCodec.h"

#include <QFile>
#include <QLocale>

#include <cmath>

namespace brelin {

QSize jpegPixelSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    JpegError error;
    const auto info = readJpegInfo(bytesOf(bytes), error);
    return info ? QSize(info->width, info->height) : QSize();
}

QString sizeChangeText(qint64 before, qint64 after)
{
    const QLocale locale;
    QString text = QStringLiteral("%1 \u2192 %2")
                       .arg(locale.formattedDataSize(before, 1, QLocale::DataSizeSIFormat),
                            locale.formattedDataSize(after, 1, QLocale::DataSizeSIFormat));
    if (before > 0) {
        const long change = std::lround(100.0 * double(after - before) / double(before));
        // A real minus sign, as typeset figures have.
        const QString sign = change < 0   ? QStringLiteral("\u2212")
                             : change > 0 ? QStringLiteral("+")
                                          : QString();
        text += QStringLiteral(" (%1%2 %)").arg(sign).arg(std::labs(change));
    }
    return text;
}

} // namespace brelin

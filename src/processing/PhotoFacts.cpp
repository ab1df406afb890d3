// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/PhotoFacts.h"

#include "markers/GainMap.h"
#include "platform/ByteSpan.h"
#include "platform/ExifOrientation.h"
#include "platform/ImageProperties.h"
#include "platform/JpegCodec.h"
#include "processing/Thumbnail.h"

#include <QFile>

namespace brelin {

QSize uprightPixelSize(std::span<const uint8_t> jpeg)
{
    JpegError error;
    const auto info = readJpegInfo(jpeg, error);
    if (!info)
        return {};
    // Orientations 5 to 8 turn the picture a quarter.
    return jpegOrientation(jpeg) >= 5 ? QSize(info->height, info->width)
                                      : QSize(info->width, info->height);
}

PhotoFacts readPhotoFacts(const QString& path, int thumbnailSide)
{
    PhotoFacts facts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return facts;
    const QByteArray bytes = file.readAll();
    facts.bytes = bytes.size();
    facts.size = uprightPixelSize(bytesOf(bytes));
    facts.readable = facts.size.isValid();
    if (!facts.readable)
        return facts;
    markers::Reader in = markers::Reader::fromMemory(bytesOf(bytes));
    markers::Header header;
    std::string error;
    facts.hdr =
        markers::readHeader(in, header, error) && markers::announcesGainMap(header.segments);
    if (thumbnailSide > 0) {
        QByteArray embedded;
        imageProperties(bytes, &embedded);
        facts.thumbnail = thumbnailOf(bytesOf(bytes), thumbnailSide, bytesOf(embedded), 1);
    }
    return facts;
}

} // namespace brelin

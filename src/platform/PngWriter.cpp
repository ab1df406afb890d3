// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PngWriter.h"

#include <QtEndian>

#include <array>

namespace brelin {
namespace {

uint32_t crc32(const char* data, qsizetype size, uint32_t crc = 0)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (qsizetype i = 0; i < size; ++i)
        crc = table[(crc ^ uint8_t(data[i])) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void appendBigEndian(QByteArray& out, uint32_t v)
{
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    appendBigEndian(out, uint32_t(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    appendBigEndian(out, crc32(out.constData() + start, out.size() - start));
}

} // namespace

QByteArray encodePng(const Bitmap& image)
{
    if (image.empty() || (image.channels != 3 && image.channels != 4))
        return {};
    const qsizetype rowBytes = qsizetype(image.width) * image.channels;
    QByteArray raw;
    raw.reserve((rowBytes + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.append('\0'); // filter: none
        raw.append(reinterpret_cast<const char*>(image.row(y)), rowBytes);
    }
    // qCompress puts the length in front of a plain zlib stream, which is what IDAT holds.
    const QByteArray idat = qCompress(raw, 6).mid(4);

    QByteArray header;
    appendBigEndian(header, uint32_t(image.width));
    appendBigEndian(header, uint32_t(image.height));
    header.append(char(8));                           // bits per sample
    header.append(char(image.channels == 4 ? 6 : 2)); // RGBA or RGB
    header.append(3, '\0');                           // deflate, adaptive filters, no interlace

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", idat);
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace brelin

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ImageProperties.h"
#include "platform/ByteSpan.h"

#include "markers/GainMap.h"
#include "markers/JpegSegments.h"
#include "platform/ExifOrientation.h"
#include "platform/JpegCodec.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <exiv2/exiv2.hpp>

#include <cmath>
#include <cstring>
#include <mutex>

namespace brelin {
namespace {

QString fromStd(const std::string& s)
{
    // Long binary values are of no use to read; a line's worth is kept.
    QString text = QString::fromStdString(s).trimmed();
    if (text.size() > 256)
        text = text.left(255) + QChar(0x2026);
    return text;
}

void put(Properties& into, const QString& name, const QString& value, const QString& label = {})
{
    Property& p = into[name];
    p.label = label.isEmpty() ? imageIOLocalizedString(name) : label;
    // A name that comes again (IPTC keywords) lists its values together.
    p.value = p.value.isEmpty() ? value : p.value + QStringLiteral(", ") + value;
}

Property& groupNamed(Properties& into, const QString& name)
{
    Property& g = into[name];
    g.isGroup = true;
    g.label = imageIOLocalizedString(name);
    return g;
}

// The profile's description: the 'desc' tag, as ICC v2 ('desc') or v4 ('mluc') text.
QString iccDescription(const QByteArray& icc)
{
    const auto u32 = [&](qsizetype at) -> quint32 {
        if (at < 0 || at + 4 > icc.size())
            return 0;
        const auto* p = reinterpret_cast<const uchar*>(icc.constData() + at);
        return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
    };
    const quint32 count = u32(128);
    for (quint32 i = 0; i < count && i < 1000; ++i) {
        const qsizetype entry = 132 + qsizetype(i) * 12;
        if (icc.mid(entry, 4) != "desc")
            continue;
        const qsizetype at = qsizetype(u32(entry + 4));
        const qsizetype size = qsizetype(u32(entry + 8));
        if (at + size > icc.size() || size < 12)
            return {};
        const QByteArray type = icc.mid(at, 4);
        if (type == "desc") {
            const qsizetype length = qsizetype(u32(at + 8));
            if (length > 0 && 12 + length <= size) {
                // The count includes the closing NUL; some profiles pad with more.
                const QByteArray text = icc.mid(at + 12, length);
                return QString::fromLatin1(text.left(text.indexOf('\0'))).trimmed();
            }
        } else if (type == "mluc" && u32(at + 8) > 0) {
            const qsizetype length = qsizetype(u32(at + 20));
            const qsizetype offset = qsizetype(u32(at + 24));
            if (offset + length <= size) {
                QString text;
                // Some writers end the text with a NUL, which is not part of it.
                for (qsizetype k = 0; k + 1 < length; k += 2) {
                    const ushort unit =
                        ushort(uchar(icc[at + offset + k]) << 8 | uchar(icc[at + offset + k + 1]));
                    if (!unit)
                        break;
                    text += QChar(unit);
                }
                return text.trimmed();
            }
        }
        return {};
    }
    return {};
}

// What the header segments say: JFIF, the ICC profile, the coding process.
void readSegments(const QByteArray& bytes, Properties& top)
{
    markers::Reader in = markers::Reader::fromMemory(bytesOf(bytes));
    markers::Header header;
    std::string error;
    if (!markers::readHeader(in, header, error))
        return;
    QByteArray icc;
    bool progressive = false;
    for (const markers::Segment& s : header.segments) {
        const auto p = s.payload();
        const QByteArray payload(reinterpret_cast<const char*>(p.data()), qsizetype(p.size()));
        if (s.marker == 0xE0 && payload.startsWith(QByteArray("JFIF\0", 5)) &&
            payload.size() >= 12) {
            Property& jfif = groupNamed(top, QStringLiteral("{JFIF}"));
            const auto u16 = [&](int at) {
                return uchar(payload[at]) << 8 | uchar(payload[at + 1]);
            };
            put(jfif.group, QStringLiteral("JFIFVersion"),
                QStringLiteral("%1.%2")
                    .arg(uchar(payload[5]))
                    .arg(uchar(payload[6]), 2, 10, QLatin1Char('0')));
            put(jfif.group, QStringLiteral("DensityUnit"), QString::number(uchar(payload[7])));
            put(jfif.group, QStringLiteral("XDensity"), QString::number(u16(8)));
            put(jfif.group, QStringLiteral("YDensity"), QString::number(u16(10)));
            if (uchar(payload[7]) == 1) {
                put(top, QStringLiteral("DPIWidth"), QString::number(u16(8)));
                put(top, QStringLiteral("DPIHeight"), QString::number(u16(10)));
            }
        } else if (s.marker == 0xE2 && payload.startsWith(QByteArray("ICC_PROFILE\0", 12)) &&
                   payload.size() > 14) {
            icc += payload.mid(14); // in sequence order, as every writer stores them
        } else if (s.marker == 0xC2 || s.marker == 0xC6 || s.marker == 0xCA || s.marker == 0xCE) {
            progressive = true;
        }
    }
    if (top.count(QStringLiteral("{JFIF}")))
        put(top[QStringLiteral("{JFIF}")].group, QStringLiteral("IsProgressive"),
            progressive ? QCoreApplication::translate("ImageProperties", "Yes")
                        : QCoreApplication::translate("ImageProperties", "No"));
    const QString profile = iccDescription(icc);
    if (!profile.isEmpty())
        put(top, QStringLiteral("ProfileName"), profile);
}

// A number of the gain map's XMP, as an attribute or an element; none when absent.
std::optional<double> hdrgmNumber(const QString& xmp, const QString& name)
{
    const QRegularExpression form(QStringLiteral("hdrgm:%1(?:=\"|>)\\s*([-+0-9.eE]+)").arg(name));
    const auto match = form.match(xmp);
    bool ok = false;
    const double value = match.hasMatch() ? match.captured(1).toDouble(&ok) : 0;
    return ok ? std::optional(value) : std::nullopt;
}

// The HDR gain map, when the file carries one: its size and how much it brightens.
void readGainMap(const QByteArray& bytes, Properties& top)
{
    const auto found = markers::findGainMap(bytesOf(bytes));
    if (!found || !found->map)
        return;
    const std::vector<uint8_t>& map = found->file.parts[*found->map].bytes;
    JpegError error;
    const auto info = readJpegInfo(map, error);
    Property& hdr = groupNamed(top, QStringLiteral("{HDR}"));
    put(hdr.group, QStringLiteral("GainMap"),
        QCoreApplication::translate("ImageProperties", "Yes"));
    if (info)
        put(hdr.group, QStringLiteral("GainMapSize"),
            QStringLiteral("%1 × %2").arg(info->width).arg(info->height));
    const QString xmp = QString::fromLatin1(reinterpret_cast<const char*>(map.data()),
                                            qsizetype(std::min<size_t>(map.size(), 65536)));
    // The XMP gives log2 of the boost: the factor is what a user compares.
    for (const auto& [name, key] :
         {std::pair("GainMapMin", "MinBoost"), {"GainMapMax", "MaxBoost"}})
        if (const auto stops = hdrgmNumber(xmp, QLatin1String(name)))
            put(hdr.group, QLatin1String(key),
                QCoreApplication::translate("ImageProperties", "×%1 (%2 stops)")
                    .arg(std::exp2(*stops), 0, 'g', 3)
                    .arg(*stops, 0, 'f', 2));
}

void readExiv2(const QByteArray& bytes, Properties& top, QByteArray* thumbnail)
{
    static std::once_flag xmp;
    std::call_once(xmp, [] { Exiv2::XmpParser::initialize(); });
    try {
        auto image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(bytes.constData()), long(bytes.size()));
        if (!image.get())
            return;
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        for (const Exiv2::Exifdatum& d : exif) {
            const std::string g = d.groupName();
            const char* group = g == "Image"                 ? "{TIFF}"
                                : g == "Photo" || g == "Iop" ? "{Exif}"
                                : g == "GPSInfo"             ? "{GPS}"
                                                             : nullptr;
            if (!group)
                continue; // the thumbnail's own directory, maker notes
            put(groupNamed(top, QLatin1String(group)).group, QString::fromStdString(d.tagName()),
                fromStd(d.print(&exif)), QString::fromStdString(d.tagLabel()));
        }
        for (const Exiv2::Iptcdatum& d : image->iptcData())
            put(groupNamed(top, QStringLiteral("{IPTC}")).group,
                QString::fromStdString(d.tagName()), fromStd(d.print()),
                QString::fromStdString(d.tagLabel()));
        for (const Exiv2::Xmpdatum& d : image->xmpData())
            put(groupNamed(top, QStringLiteral("{XMP}")).group,
                QString::fromStdString(d.groupName() + ":" + d.tagName()), fromStd(d.print()),
                QString::fromStdString(d.tagLabel()));
        if (thumbnail) {
            const Exiv2::DataBuf buf = Exiv2::ExifThumbC(exif).copy();
            if (buf.size_ > 0)
                *thumbnail = QByteArray(reinterpret_cast<const char*>(buf.pData_), buf.size_);
        }
        if (top.count(QStringLiteral("{TIFF}")) && !top.count(QStringLiteral("DPIWidth"))) {
            const auto x = exif.findKey(Exiv2::ExifKey("Exif.Image.XResolution"));
            const auto y = exif.findKey(Exiv2::ExifKey("Exif.Image.YResolution"));
            if (x != exif.end() && y != exif.end()) {
                put(top, QStringLiteral("DPIWidth"), QString::number(x->toFloat()));
                put(top, QStringLiteral("DPIHeight"), QString::number(y->toFloat()));
            }
        }
    } catch (const std::exception&) {
        // Damaged metadata leaves the groups it did not reach empty; the image's own
        // values still show.
    }
}

} // namespace

QString imageIOLocalizedString(const QString& key)
{
    static const std::pair<const char*, const char*> labels[] = {
        {"PixelWidth", QT_TRANSLATE_NOOP("ImageProperties", "Pixel Width")},
        {"PixelHeight", QT_TRANSLATE_NOOP("ImageProperties", "Pixel Height")},
        {"ColorModel", QT_TRANSLATE_NOOP("ImageProperties", "Color Model")},
        {"Depth", QT_TRANSLATE_NOOP("ImageProperties", "Depth")},
        {"Orientation", QT_TRANSLATE_NOOP("ImageProperties", "Orientation")},
        {"DPIWidth", QT_TRANSLATE_NOOP("ImageProperties", "DPI Width")},
        {"DPIHeight", QT_TRANSLATE_NOOP("ImageProperties", "DPI Height")},
        {"ProfileName", QT_TRANSLATE_NOOP("ImageProperties", "Profile Name")},
        {"JFIFVersion", QT_TRANSLATE_NOOP("ImageProperties", "JFIF Version")},
        {"DensityUnit", QT_TRANSLATE_NOOP("ImageProperties", "Density Unit")},
        {"XDensity", QT_TRANSLATE_NOOP("ImageProperties", "X Density")},
        {"YDensity", QT_TRANSLATE_NOOP("ImageProperties", "Y Density")},
        {"IsProgressive", QT_TRANSLATE_NOOP("ImageProperties", "Progressive")},
        {"{Exif}", QT_TRANSLATE_NOOP("ImageProperties", "Exif")},
        {"{TIFF}", QT_TRANSLATE_NOOP("ImageProperties", "TIFF")},
        {"{GPS}", QT_TRANSLATE_NOOP("ImageProperties", "GPS")},
        {"{IPTC}", QT_TRANSLATE_NOOP("ImageProperties", "IPTC")},
        {"{JFIF}", QT_TRANSLATE_NOOP("ImageProperties", "JFIF")},
        {"{XMP}", QT_TRANSLATE_NOOP("ImageProperties", "XMP")},
        {"{HDR}", QT_TRANSLATE_NOOP("ImageProperties", "HDR")},
        {"GainMap", QT_TRANSLATE_NOOP("ImageProperties", "Gain Map")},
        {"GainMapSize", QT_TRANSLATE_NOOP("ImageProperties", "Gain Map Size")},
        {"MinBoost", QT_TRANSLATE_NOOP("ImageProperties", "Min Boost")},
        {"MaxBoost", QT_TRANSLATE_NOOP("ImageProperties", "Max Boost")},
    };
    for (const auto& [name, label] : labels)
        if (key == QLatin1String(name))
            return QCoreApplication::translate("ImageProperties", label);
    return key;
}

std::optional<Properties> imageProperties(const QByteArray& bytes, QByteArray* embeddedThumbnail)
{
    JpegError error;
    const auto info = readJpegInfo(bytesOf(bytes), error);
    if (!info)
        return std::nullopt;
    Properties top;
    put(top, QStringLiteral("PixelWidth"), QString::number(info->width));
    put(top, QStringLiteral("PixelHeight"), QString::number(info->height));
    put(top, QStringLiteral("ColorModel"),
        info->grey              ? QStringLiteral("Gray")
        : info->components == 4 ? QStringLiteral("CMYK")
                                : QStringLiteral("RGB"));
    put(top, QStringLiteral("Depth"), QStringLiteral("8"));
    put(top, QStringLiteral("Orientation"), QString::number(jpegOrientation(bytesOf(bytes))));
    readSegments(bytes, top);
    readGainMap(bytes, top);
    readExiv2(bytes, top, embeddedThumbnail);
    return top;
}

std::vector<PropertyNode> propTree(const Properties& properties)
{
    std::vector<PropertyNode> nodes;
    nodes.reserve(properties.size());
    for (const auto& [name, p] : properties) {
        PropertyNode node{p.label, p.isGroup ? QString() : p.value, {}};
        if (p.isGroup)
            node.children = propTree(p.group);
        nodes.push_back(std::move(node));
    }
    return nodes;
}

} // namespace brelin

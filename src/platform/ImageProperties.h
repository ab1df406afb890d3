// SPDX-License-Identifier: GPL-3.0-or-later
// Everything there is to know about a JPEG file, as the info panel shows it: the image's
// own values at the top (size, colour model, depth, orientation, resolution, profile) and
// the groups "{Exif}", "{TIFF}", "{GPS}", "{IPTC}", "{JFIF}" and "{XMP}", read with exiv2,
// and "{HDR}" for a photo that carries a gain map.
#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace brelin {

struct Property
{
    QString label;                     // translated
    QString value;                     // readable text; empty for a group
    std::map<QString, Property> group; // a group's properties by their names
    bool isGroup = false;
};
// Ordered by plain string comparison of the names: upper case before lower case, and the
// brace of a group name after every letter and digit.
using Properties = std::map<QString, Property>;

struct PropertyNode
{
    QString key; // the label
    QString val;
    std::vector<PropertyNode> children;
};

// The properties of the JPEG in `bytes`; none when it is not a readable JPEG image.
// `embeddedThumbnail` receives the EXIF thumbnail's bytes, if any.
std::optional<Properties> imageProperties(const QByteArray& bytes,
                                          QByteArray* embeddedThumbnail = nullptr);

// The label of a property name that is not one of exiv2's tags: the image's own values
// and the group names ("PixelWidth" → "Pixel Width"); the name itself when unknown.
QString imageIOLocalizedString(const QString& key);

// The tree the panel shows, one node per property in the order of their names.
std::vector<PropertyNode> propTree(const Properties& properties);

} // namespace brelin

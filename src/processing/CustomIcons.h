// SPDX-License-Identifier: GPL-3.0-or-later
// The custom icon of a result: kept from its source, removed, or made from its own
// image (a 256-pixel PNG in Brelin's data folder), as KeepIcon says.
#pragma once

#include "platform/IconStore.h"

#include <QString>

namespace brelin {

class CustomIcons
{
public:
    explicit CustomIcons(IconStore& store) : store_(store) {}

    // Applies `keepIcon` to `target`, the result made from `orig`. Never fails a file:
    // without a session to keep icons in, it does nothing and says so once in the log.
    void processIconForFile(const QString& target, const QString& orig, int keepIcon);
    bool iconExistForFile(const QString& path) const;
    bool removeCustomIconFromFile(const QString& path);
    // Makes the icon of a JPEG file from its image: upright, at most 256 pixels on its
    // longer side. The PNG's path, or "" when the image cannot be read.
    static QString makeIconFromImage(const QString& jpeg, const QString& iconFolder);

private:
    IconStore& store_;
};

} // namespace brelin

// SPDX-License-Identifier: GPL-3.0-or-later
// Custom file icons as freedesktop file managers keep them: the GIO file attribute
// "metadata::custom-icon", the URI of an image (kept by gvfs on the session bus).
#pragma once

#include <QString>

#include <memory>

class IconStore
{
public:
    virtual ~IconStore() = default;
    // Whether icons can be kept at all: gvfs keeps them for the desktop session, so
    // without a session bus there is nowhere to store one.
    virtual bool available() const = 0;
    // The local path of the file's custom icon, or "" when it has none.
    virtual QString customIcon(const QString& path) const = 0;
    // Makes the image at `iconPath` the file's custom icon.
    virtual bool setCustomIcon(const QString& path, const QString& iconPath) = 0;
    // Takes the file's custom icon away; true also when it had none.
    virtual bool removeCustomIcon(const QString& path) = 0;
};

// The store of the desktop session, through GIO.
std::unique_ptr<IconStore> makeDesktopIconStore();

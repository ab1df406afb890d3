// Custom file icons as freedesktop file managers keep them: the GIO file attribute
// "metadata::custom-icon", the URI of an image (kept by gvfs on the session bus).
#pragma once

#include <QString>

#include <memory>

class IconStore
{
public:
    virtual ~IconStore() = default;
    // The local path of the file's custom icon, or "" when it has none.
    virtual QString customIcon(const QString& path) const = 0;
};

// The store of the desktop session, through GIO.
std::unique_ptr<IconStore> makeDesktopIconStore();

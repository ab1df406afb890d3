// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the file list: the accepted extensions, the filter that decides which
// paths become list entries, and sizes as text.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class BRUtils
{
public:
    // "512 Bytes", "1.5 kBytes", "4.77 MBytes", "3.00 GBytes" (the word localised).
    static QString getHumanSize(uint64_t bytes);
    // "jpg", "jpeg".
    static QStringList allowedExtensions();
    // An existing folder (links followed), or a name whose extension, lower-cased, is an
    // accepted one; the file need not exist.
    static bool filterAcceptFile(const QString& path);
    // The extension test alone.
    static bool hasAcceptedExtension(const QString& name);
};

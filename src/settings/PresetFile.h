// SPDX-License-Identifier: GPL-3.0-or-later
// "Presets.plist": the preset list as a property list, read in any format (XML or
// binary) and written as XML, atomically.
#pragma once

#include "settings/Preset.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace brelin {

// The presets in a property list's bytes: a root array of dictionaries with a string
// "Name" and a dictionary "Prefs". Elements that are not presets are skipped. None when
// the bytes are not a property list whose root is an array.
std::optional<PresetList> presetsFromPlist(const QByteArray& bytes);

// The XML property list of `presets`, each record written with its twenty-two keys in
// panel order and their types: ScalingFactor real, Suffix and Path strings, the rest
// integers.
QByteArray presetsToXmlPlist(const PresetList& presets);

// The preset file on disk. A file that exists but cannot be read is never overwritten
// silently: the first save keeps it as "Presets.plist.unreadable" and logs so.
class PresetFile
{
public:
    explicit PresetFile(const QString& path) : path_(path) {}

    const QString& path() const { return path_; }
    bool exists() const;
    // The presets of the file; an unreadable file gives an empty list.
    PresetList load();
    // Writes the whole list; false (and one log line) when it cannot be written.
    bool save(const PresetList& presets);

private:
    QString path_;
    bool unreadable_ = false;
};

} // namespace brelin

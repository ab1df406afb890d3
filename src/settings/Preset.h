// SPDX-License-Identifier: GPL-3.0-or-later
// A preset: a name and a processing settings record, as kept in "Presets.plist".
#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

namespace brelin {

struct Preset
{
    QString name;      // "Name"
    QVariantMap prefs; // "Prefs": the twenty-two keys of a settings record

    bool operator==(const Preset&) const = default;
};

using PresetList = QList<Preset>;

// The first preset named exactly `name`, or nullptr.
const Preset* presetWithName(const PresetList& presets, const QString& name);

} // namespace brelin

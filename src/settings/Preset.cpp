// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Preset.h"

namespace brelin {

const Preset* presetWithName(const PresetList& presets, const QString& name)
{
    for (const Preset& p : presets)
        if (p.name == name)
            return &p;
    return nullptr;
}

} // namespace brelin

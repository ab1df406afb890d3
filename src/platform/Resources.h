// SPDX-License-Identifier: GPL-3.0-or-later
// Finds Brelin's own run-time resources: the marker tools in libexec/brelin and the
// shared data ("Doc" and the like) in share/brelin, beside the executable's bin/ folder
// in a build tree or an installed prefix alike.
#pragma once

#include <QString>

namespace brelin {

// Absolute path of the helper program `name` ("rdjpgcom", "wrjpgcom"), or an empty
// string when no executable of that name is installed.
QString toolPath(const QString& name);

// Absolute path of the shared resource `name` (a file or folder, "Doc" for the help),
// or an empty string when there is none.
QString resourcePath(const QString& name);

// The lookups above for an executable living in `binDir`; the public ones use the
// folder of the running executable.
QString toolPathFrom(const QString& binDir, const QString& name);
QString resourcePathFrom(const QString& binDir, const QString& name);

} // namespace brelin

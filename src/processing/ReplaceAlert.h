// SPDX-License-Identifier: GPL-3.0-or-later
// The replace question of one run: asked through the run's windows, with an
// apply-to-all choice that, once taken, answers every later question of the run.
#pragma once

#include "processing/ProcessWindows.h"

#include <QString>

namespace brelin {

class ReplaceAlert
{
public:
    explicit ReplaceAlert(ProcessWindows& windows) : windows_(windows) {}

    // "Are you sure you want to replace  NAME  with the new processed file ?"
    static QString questionFor(const QString& fileName);

    // The answer for `fileName`: the remembered one once apply-to-all was chosen,
    // otherwise the user's.
    bool ask(const QString& fileName);

    bool applyToAll() const { return applyToAll_; }
    bool replace() const { return replace_; }

private:
    ProcessWindows& windows_;
    bool applyToAll_ = false;
    bool replace_ = false;
};

} // namespace brelin

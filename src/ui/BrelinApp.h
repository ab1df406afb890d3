// SPDX-License-Identifier: GPL-3.0-or-later
// Brelin as it runs: one instance per session that takes the files handed to it, and its
// main window. main() runs it; the whole-application tests run the same thing.
#pragma once

#include "ui/BRController.h"
#include "ui/InstanceHandOver.h"

#include <QStringList>

#include <memory>

class BrelinApp
{
public:
    // Hands `paths` (absolute) to a Brelin already running and returns false, or shows
    // the main window and opens them here.
    bool start(const QStringList& paths);

    BRController& controller() { return *controller_; }

private:
    InstanceHandOver handOver_;
    std::unique_ptr<BRController> controller_;
};

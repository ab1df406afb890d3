// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the tests: fixture folders and scratch space.
#pragma once

#include <QString>

namespace brelin::test {

// The project's own test images (tests/data) and its source folder.
QString dataDir();
QString sourceDir();

} // namespace brelin::test

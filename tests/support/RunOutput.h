// SPDX-License-Identifier: GPL-3.0-or-later
// What a real run writes, for tests that compare other paths of the engine with it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace brelin::test {

// The bytes a run with `prefs` writes for `source` into `outFolder`; empty when the file
// is not processed.
QByteArray writtenByARun(const QString& source, QVariantMap prefs, const QString& outFolder);

} // namespace brelin::test

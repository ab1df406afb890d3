// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RunOutput.h"

#include "processing/BRProcessor.h"
#include "processing/RecordingWindows.h"
#include "settings/SettingsRecord.h"
#include "support/JpegFiles.h"

namespace brelin::test {

QByteArray writtenByARun(const QString& source, QVariantMap prefs, const QString& outFolder)
{
    prefs[key::CustomPath] = 1;
    prefs[key::Path] = outFolder;
    RecordingWindows windows;
    BRProcessor run(nullptr, windows, {BRFileURL::makeWithPath(source)}, prefs);
    run.startProcess();
    if (run.outcomes().size() != 1 || !run.outcomes().front().processed())
        return {};
    return readBytes(run.outcomes().front().dest);
}

} // namespace brelin::test

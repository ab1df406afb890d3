// SPDX-License-Identifier: GPL-3.0-or-later
// A run started from the window, as a user starts it: the list filled with a folder, the
// default settings with the results into OUTDIR, the default "Photos processed at once".
// Timed from outside (farm-bench, time) beside `brelin-batch --output OUTDIR2 -y FOLDER`,
// which runs the same settings.
// Usage: brelin-bench-window OUTDIR FOLDER
#include "filelist/BRFileListModel.h"
#include "platform/Allocator.h"
#include "settings/SettingsRecord.h"
#include "ui/BRController.h"

#include <QApplication>
#include <QDir>
#include <QStatusBar>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    brelin::keepLargeBuffersForTheNextFile(); // as brelin does
    // The user's own preferences and presets stay out of it.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelin"));
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: brelin-bench-window OUTDIR FOLDER\n");
        return 2;
    }
    // A fresh output folder: no replace question.
    QDir(args[0]).removeRecursively();
    QDir().mkpath(args[0]);
    BRController controller;
    QVariantMap record = controller.buildPrefs();
    record[brelin::key::CustomPath] = 1;
    record[brelin::key::Path] = QDir(args[0]).absolutePath();
    record[brelin::key::HasSuffix] = 0;
    controller.setValuesFrom(record);
    controller.addFile(QDir(args[1]).absolutePath());
    while (controller.fileList()->allfiles().empty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    controller.process();
    std::printf("%s\n", qPrintable(controller.window()->statusBar()->currentMessage()));
    return 0;
}

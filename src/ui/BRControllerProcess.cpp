// SPDX-License-Identifier: GPL-3.0-or-later
// BRController: starting a batch run from the list, and its end.
#include "ui/BRController.h"

#include "filelist/BRFileListModel.h"
#include "settings/UserDefaults.h"
#include "ui/ProcessWindowsUi.h"

#include <QMainWindow>
#include <QSettings>

using namespace brelin;

void BRController::process()
{
    if (processing || filesModel->allfiles().empty())
        return;
    dropOnIcon = false;
    runBatch(filesModel->allfiles());
}

void BRController::runBatch(const std::vector<BRFileURLPtr>& files)
{
    processing = true;
    updateProcessEnabled();
    ProcessWindowsUi windows(mainWindow.get());
    BRProcessor processor(this, windows, files, buildPrefs());
    // A file under a folder of the list keeps its path below the list's top folder.
    QHash<QString, QString> topFolders;
    for (const BRFileURLPtr& file : files) {
        const BRFileURL* top = file->parent();
        while (top && top->parent())
            top = top->parent();
        if (top)
            topFolders.insert(file->path(), top->path());
    }
    processor.setTopFolders(std::move(topFolders));
    processor.setKeepDates(defaultIsOn(*userPrefs, defaults::KeepDates));
    processor.setJobs(windowJobs(*userPrefs));
    lastRunPrefs = buildPrefs();
    processor.startProcess();
    // With "Empty List" on the list is empty by now, and no line is left to show.
    showOutcomes(processor.outcomes());
    processing = false;
    updateProcessEnabled();
    // A run may have replaced the photo compared.
    compareDidChange();
}

void BRController::processDidEnd()
{
    if (defaultIsOn(*userPrefs, defaults::EmptyList) && !dropOnIcon)
        removeAll();
}

void BRController::updateProcessEnabled()
{
    const bool can = !processing && !filesModel->allfiles().empty();
    processButton->setEnabled(can);
    actionProcess->setEnabled(can);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// BRController: the compare window, which follows the selection and the settings.
#include "ui/BRController.h"

#include "compare/ComparisonMaker.h"
#include "filelist/BRFileListModel.h"
#include "ui/CompareWindow.h"

#include <QMainWindow>
#include <QTimer>

using namespace brelin;

void BRController::openCompare()
{
    if (!compareWin) {
        comparisons = new ComparisonMaker(this);
        compareWin = new CompareWindow(mainWindow.get());
        connect(comparisons, &ComparisonMaker::made, compareWin,
                [this](std::shared_ptr<const Comparison> made) {
                    compareWin->showComparison(std::move(made));
                });
        // Closed, it makes nothing and holds no photo's pixels.
        connect(compareWin, &CompareWindow::closed, comparisons, &ComparisonMaker::cancel);
    }
    compareWin->show();
    compareWin->raise();
    compareWin->activateWindow();
    requestComparison();
}

void BRController::compareDidChange()
{
    if (!compareWin || !compareWin->isVisible())
        return;
    // A preset sets every control, a drag sends a value per pixel: one request for them.
    compareWin->setUpdating(true);
    if (comparePending)
        return;
    comparePending = true;
    QTimer::singleShot(0, this, [this] {
        comparePending = false;
        requestComparison();
    });
}

void BRController::requestComparison()
{
    const QModelIndexList rows = filesOutline->selectionModel()->selectedRows();
    const BRFileURL* node = rows.size() == 1 ? filesModel->nodeAt(rows.first()) : nullptr;
    if (!node || node->isDirectory()) {
        comparisons->cancel();
        compareWin->showMessage(tr("Select one photo in the list to see it beside what the "
                                   "settings make of it."));
        return;
    }
    compareWin->setUpdating(true);
    comparisons->request(node->path(), buildPrefs());
}

// SPDX-License-Identifier: GPL-3.0-or-later
// BRController: the file list, adding (dialog, drops, the desktop) and removing.
#include "ui/BRController.h"

#include "filelist/BRFileListModel.h"
#include "filelist/BRUtils.h"
#include "ui/AddFilesDialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMainWindow>

#include <thread>

void BRController::addFile(const QString& path)
{
    pendingAdds.append(path);
    if (adding)
        return; // the walk under way takes this one next, in order
    adding = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    while (!pendingAdds.isEmpty()) {
        const QString next = pendingAdds.takeFirst();
        // A folder on a slow disk may take long to read: the walk runs on a thread of
        // its own while the window keeps answering; the list takes the node when done.
        BRFileURLPtr node;
        QEventLoop loop;
        std::thread walker([&] {
            node = BRFileURL::makeWithPath(next);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        walker.join();
        filesModel->addNode(node);
    }
    QApplication::restoreOverrideCursor();
    adding = false;
}

void BRController::addFiles(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            addFile(url.toLocalFile());
}

void BRController::addFileButton()
{
    auto* dialog = new AddFilesDialog(mainWindow.get());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &AddFilesDialog::pathsChosen, this, [this](const QStringList& paths) {
        for (const QString& p : paths)
            addFile(p);
    });
    dialog->open();
}

bool BRController::acceptDrop(const QList<QUrl>& urls)
{
    bool accepted = false;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir() || BRUtils::filterAcceptFile(path)) {
            addFile(path);
            accepted = true;
        }
    }
    return accepted;
}

void BRController::removeFile()
{
    // The selected rows from the last up, as they stood when the action began.
    QModelIndexList rows = filesOutline->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [this](const QModelIndex& a, const QModelIndex& b) {
        return filesOutline->visualRect(a).top() > filesOutline->visualRect(b).top();
    });
    std::vector<BRFileURL*> nodes;
    for (const QModelIndex& index : rows)
        if (BRFileURL* node = filesModel->nodeAt(index))
            nodes.push_back(node);
    filesOutline->clearSelection();
    filesModel->removeNodes(nodes);
}

void BRController::removeAll()
{
    filesModel->removeAll();
}

void BRController::removeItemFromOutline(BRFileURL& node)
{
    filesModel->removeItemFromOutline(node);
}

void BRController::removeItemFromFilesList(BRFileURL& node)
{
    filesModel->removeItemFromFilesList(node);
}

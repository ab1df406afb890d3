// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AddFilesDialog.h"

#include "filelist/BRUtils.h"

#include <QAbstractItemView>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace {

// Folders and files with an accepted extension, in any case.
class JpegFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        auto* fs = qobject_cast<QFileSystemModel*>(sourceModel());
        const QModelIndex index = fs->index(row, 0, parent);
        return fs->isDir(index) || BRUtils::hasAcceptedExtension(fs->fileName(index));
    }
};

} // namespace

AddFilesDialog::AddFilesDialog(QWidget* parent) : QFileDialog(parent, tr("Add Photos and Folders"))
{
    // Qt's own dialog, so that files and folders can be chosen together.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFiles);
    setOption(QFileDialog::ReadOnly);
    setLabelText(QFileDialog::Accept, tr("Add"));
    setProxyModel(new JpegFilter(this));
    setDirectory(QDir::homePath());
}

void AddFilesDialog::accept()
{
    // Selected rows, folders among them; Qt's dialog would open a selected folder instead.
    chosen.clear();
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(proxyModel());
    for (QAbstractItemView* view : findChildren<QAbstractItemView*>()) {
        if (view->model() != proxy || !view->isVisible())
            continue;
        for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
            const QModelIndex source = proxy->mapToSource(index);
            chosen << qobject_cast<QFileSystemModel*>(proxy->sourceModel())->filePath(source);
        }
        break;
    }
    if (chosen.isEmpty()) {
        for (const QString& f : selectedFiles())
            if (QFileInfo::exists(f))
                chosen << f;
    }
    if (chosen.isEmpty())
        return;
    emit pathsChosen(chosen);
    QDialog::accept();
}

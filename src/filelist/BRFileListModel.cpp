// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/BRFileListModel.h"

#include <QFileInfo>

BRFileListModel::BRFileListModel(QObject* parent) : QAbstractItemModel(parent) {}

bool BRFileListModel::addNode(const BRFileURLPtr& node)
{
    if (!node)
        return false;
    // A file already listed, alone or inside a listed folder, is not added again; a
    // folder never counts as listed.
    if (node->isFile() && isListed(*node))
        return false;
    node->setParent(nullptr);
    const int row = int(list_.size());
    beginInsertRows({}, row, row);
    node->setRow(row);
    list_.push_back(node);
    for (BRFileURLPtr& file : node->allFiles()) {
        ++counts_[file->path()];
        allfiles_.push_back(std::move(file));
    }
    endInsertRows();
    return true;
}

bool BRFileListModel::addFile(const QString& path)
{
    return addNode(BRFileURL::makeWithPath(path));
}

void BRFileListModel::addFiles(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls)
        addFile(url.toLocalFile());
}

void BRFileListModel::removeAll()
{
    beginResetModel();
    list_.clear();
    allfiles_.clear();
    counts_.clear();
    endResetModel();
}

void BRFileListModel::forgetFiles(const BRFileURL& node, QHash<QString, int>& gone) const
{
    if (node.isFile()) {
        gone.insert(node.path(), 1);
        return;
    }
    for (const BRFileURLPtr& child : node.contents())
        forgetFiles(*child, gone);
}

void BRFileListModel::dropFromFilesList(const QHash<QString, int>& gone)
{
    if (gone.isEmpty())
        return;
    // One pass over allfiles_, however many files go: every equal entry is removed.
    std::erase_if(allfiles_, [&](const BRFileURLPtr& f) { return gone.contains(f->path()); });
    for (auto it = gone.begin(); it != gone.end(); ++it)
        counts_.remove(it.key());
}

void BRFileListModel::removeItemFromFilesList(const BRFileURL& node)
{
    QHash<QString, int> gone;
    forgetFiles(node, gone);
    dropFromFilesList(gone);
}

void BRFileListModel::removeItemFromOutline(const BRFileURL& node)
{
    takeOutOfTree(node);
}

void BRFileListModel::takeOutOfTree(const BRFileURL& node)
{
    const auto hold = node.shared_from_this(); // the node may be the entry that goes
    const bool top =
        std::any_of(list_.begin(), list_.end(), [&](const BRFileURLPtr& n) { return *n == node; });
    if (top) {
        for (int i = int(list_.size()) - 1; i >= 0; --i) {
            if (!(*list_[size_t(i)] == node))
                continue;
            beginRemoveRows({}, i, i);
            list_.erase(list_.begin() + i);
            endRemoveRows();
        }
        renumber();
        return;
    }
    // Only the folder that holds it loses the entry; that folder stays, even empty.
    BRFileURL* folder = node.parent();
    if (!folder)
        return;
    const QModelIndex folderIndex = createIndex(folder->row(), 0, folder);
    for (int i = int(folder->contents().size()) - 1; i >= 0; --i) {
        if (!(*folder->contents()[size_t(i)] == node))
            continue;
        beginRemoveRows(folderIndex, i, i);
        folder->removeChildAt(i);
        endRemoveRows();
    }
}

void BRFileListModel::removeNodes(const std::vector<BRFileURL*>& nodes)
{
    // In the order given (the view passes its selected rows from the last up), each
    // node out of the tree, then its files out of allfiles. The nodes are held until the
    // end, since a folder may go before entries of it that were selected too.
    std::vector<std::shared_ptr<const BRFileURL>> hold;
    for (BRFileURL* node : nodes)
        hold.push_back(node->shared_from_this());
    QHash<QString, int> gone;
    for (BRFileURL* node : nodes) {
        takeOutOfTree(*node);
        forgetFiles(*node, gone);
    }
    dropFromFilesList(gone);
}

void BRFileListModel::renumber()
{
    for (size_t i = 0; i < list_.size(); ++i)
        list_[i]->setRow(int(i));
}

BRFileURL* BRFileListModel::nodeAt(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<BRFileURL*>(index.internalPointer()) : nullptr;
}

QModelIndex BRFileListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0)
        return {};
    if (!parent.isValid())
        return row < int(list_.size()) ? createIndex(row, column, list_[size_t(row)].get())
                                       : QModelIndex();
    const BRFileURL* folder = nodeAt(parent);
    if (!folder || row >= int(folder->contents().size()))
        return {};
    return createIndex(row, column, folder->contents()[size_t(row)].get());
}

QModelIndex BRFileListModel::indexOf(const BRFileURL& node) const
{
    return createIndex(node.row(), 0, const_cast<BRFileURL*>(&node));
}

void BRFileListModel::nodeChanged(const BRFileURL& node)
{
    const QModelIndex at = indexOf(node);
    emit dataChanged(at, at);
}

void BRFileListModel::setRunLines(QHash<QString, RunLine> lines)
{
    // Every row may have a new line: the views draw all again.
    emit layoutAboutToBeChanged();
    runLines_ = std::move(lines);
    emit layoutChanged();
}

void BRFileListModel::clearRunLines()
{
    if (runLines_.isEmpty())
        return;
    emit layoutAboutToBeChanged();
    runLines_.clear();
    emit layoutChanged();
}

QModelIndex BRFileListModel::parent(const QModelIndex& child) const
{
    const BRFileURL* node = nodeAt(child);
    if (!node || !node->parent())
        return {};
    BRFileURL* folder = node->parent();
    return createIndex(folder->row(), 0, folder);
}

int BRFileListModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(list_.size());
    const BRFileURL* node = nodeAt(parent);
    return node ? int(node->contents().size()) : 0;
}

int BRFileListModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool BRFileListModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return !list_.empty();
    const BRFileURL* node = nodeAt(parent);
    return node && node->isDirectory() && !node->contents().empty();
}

QVariant BRFileListModel::data(const QModelIndex& index, int role) const
{
    const BRFileURL* node = nodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return node->filename();
    case Qt::ToolTipRole:
        return node->path();
    case NodeRole:
        return QVariant::fromValue(static_cast<void*>(const_cast<BRFileURL*>(node)));
    case RunLineRole:
        if (const auto line = runLines_.constFind(node->path()); line != runLines_.constEnd())
            return line->text;
        return {};
    case RunFailedRole:
        return runLines_.value(node->path()).failed;
    default:
        return {};
    }
}

QVariant BRFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return tr("Name");
    return {};
}

Qt::ItemFlags BRFileListModel::flags(const QModelIndex& index) const
{
    // Rows are selected, never edited and never dragged.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

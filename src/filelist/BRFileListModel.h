// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's file list: the top-level entries (`list`), the flat list of every
// file to process (`allfiles`), and the tree model the list view shows.
#pragma once

#include "filelist/BRFileURL.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QStringList>

#include <vector>

class BRFileListModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    // The node behind an index.
    static constexpr int NodeRole = Qt::UserRole + 1;
    // After a run, what became of the row's photo or of a folder's photos; none before a
    // run and once a setting changes. RunFailedRole: true when it is a failure's reason.
    static constexpr int RunLineRole = Qt::UserRole + 2;
    static constexpr int RunFailedRole = Qt::UserRole + 3;

    explicit BRFileListModel(QObject* parent = nullptr);

    const std::vector<BRFileURLPtr>& list() const { return list_; }
    const std::vector<BRFileURLPtr>& allfiles() const { return allfiles_; }

    // Adds a node made elsewhere (perhaps on another thread): appended to the list with
    // its files, unless it is none or one of its files is already listed. True when added.
    bool addNode(const BRFileURLPtr& node);
    // Makes the node for `path` on this thread and adds it.
    bool addFile(const QString& path);
    void addFiles(const QList<QUrl>& urls);
    void removeAll();
    // Removes these nodes (rows of the view) from the tree and their files from `allfiles`.
    void removeNodes(const std::vector<BRFileURL*>& nodes);
    // The two halves of a removal, one node at a time.
    void removeItemFromOutline(const BRFileURL& node);
    void removeItemFromFilesList(const BRFileURL& node);
    bool isListed(const BRFileURL& file) const { return counts_.contains(file.path()); }

    BRFileURL* nodeAt(const QModelIndex& index) const;
    // The index of a node of the tree.
    QModelIndex indexOf(const BRFileURL& node) const;
    // Tells the views that a node's row is to be drawn again.
    void nodeChanged(const BRFileURL& node);

    struct RunLine
    {
        QString text;
        bool failed = false;
    };
    // The lines after a run, by path; all rows are drawn again.
    void setRunLines(QHash<QString, RunLine> lines);
    void clearRunLines();
    bool hasRunLines() const { return !runLines_.isEmpty(); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void takeOutOfTree(const BRFileURL& node);
    void forgetFiles(const BRFileURL& node, QHash<QString, int>& gone) const;
    void dropFromFilesList(const QHash<QString, int>& gone);
    void renumber();

    std::vector<BRFileURLPtr> list_;
    std::vector<BRFileURLPtr> allfiles_;
    // How often each path stands in allfiles_: the duplicate test in constant time.
    QHash<QString, int> counts_;
    QHash<QString, RunLine> runLines_;
};

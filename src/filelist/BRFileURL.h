// SPDX-License-Identifier: GPL-3.0-or-later
// A file or folder of the list: its absolute path, whether it is a folder, and for a
// folder its accepted entries, read when the node is made. Nodes never read a file's
// contents.
#pragma once

#include <QString>
#include <QUrl>

#include <memory>
#include <optional>
#include <vector>

class BRFileURL;
using BRFileURLPtr = std::shared_ptr<BRFileURL>;

class BRFileURL : public std::enable_shared_from_this<BRFileURL>
{
public:
    // A node for the path, with its whole subtree; none when the filter refuses it.
    static BRFileURLPtr makeWithPath(const QString& path);
    static BRFileURLPtr makeWithURL(const QUrl& url);

    // The absolute file URL; two nodes are equal when their URLs are.
    QUrl url() const { return QUrl::fromLocalFile(path_); }
    const QString& path() const { return path_; }
    QString filename() const;
    bool isDirectory() const { return directory_; }
    bool isFile() const { return !directory_; }
    // False when the object at the path could not be read when the node was made.
    bool hasSnapshot() const { return snapshot_; }

    // A folder's accepted entries in listing order; empty for a file.
    const std::vector<BRFileURLPtr>& contents() const { return contents_; }
    BRFileURL* parent() const { return parent_; }
    void setParent(BRFileURL* parent) { parent_ = parent; }
    // Position among the parent's contents (or in the top-level list), kept by the list.
    int row() const { return row_; }
    void setRow(int row) { row_ = row; }

    // Reads the folder's entries again from the disk.
    void generateContents();
    // The file nodes of the subtree, depth first.
    std::vector<BRFileURLPtr> allFiles() const;
    // "JPEG file", "JPEG image (HDR)" for a photo with a gain map, or "Directory with N
    // file(s)" for a folder. The file's header is read once, when first asked.
    QString additionalInformation() const;
    // Takes the entry at `index` out of the contents; the rows behind it follow.
    void removeChildAt(int index);

    // A new node for this node's name inside `folder`.
    BRFileURLPtr fileURLByReplacingParentBy(const QUrl& folder) const;
    QString previewItemTitle() const { return filename(); }
    QUrl previewItemURL() const { return url(); }

    bool operator==(const BRFileURL& other) const { return path_ == other.path_; }

private:
    struct Ancestor;
    mutable std::optional<bool> hdr_;
    BRFileURL(const QString& path, bool directory, bool snapshot)
        : path_(path), directory_(directory), snapshot_(snapshot)
    {
    }
    static BRFileURLPtr make(const QString& absolutePath, const Ancestor* ancestors, int typeHint);
    void fill(const Ancestor* ancestors);
    void collectFiles(std::vector<BRFileURLPtr>& out) const;

    QString path_;
    bool directory_ = false;
    bool snapshot_ = false;
    unsigned long long device_ = 0;
    unsigned long long inode_ = 0;
    std::vector<BRFileURLPtr> contents_;
    BRFileURL* parent_ = nullptr;
    int row_ = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// A file or folder of the list: its absolute path, whether it is a folder, and for a
// folder its accepted entries, read when the node is made. Nodes never read a file's
// contents: what the list shows of a photo is read elsewhere, off the interface thread,
// and handed to its node.
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
    // What the list shows of a photo, once read: its pixel size as shown, its bytes and
    // whether it carries a gain map. None until then, and for a file that cannot be read.
    struct Facts
    {
        int width = 0;
        int height = 0;
        qint64 bytes = 0;
        bool hdr = false;
    };
    const std::optional<Facts>& facts() const { return facts_; }
    void setFacts(const std::optional<Facts>& facts)
    {
        facts_ = facts;
        factsAsked_ = true;
    }
    // True once the facts were asked for; forgetFacts() has them read again.
    bool factsAsked() const { return factsAsked_; }
    void setFactsAsked() { factsAsked_ = true; }
    void forgetFacts()
    {
        facts_.reset();
        factsAsked_ = false;
    }

    // "JPEG image · 4080 × 3072 · 4.6 MB" ("JPEG image (HDR) · …" with a gain map) once
    // the facts are known, "JPEG file" before and when the file cannot be read, or
    // "Directory with N file(s)" for a folder.
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
    std::optional<Facts> facts_;
    bool factsAsked_ = false;
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/BRFileURL.h"

#include "filelist/BRUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

// The folders between the top node and the one being read, to see a folder that would
// contain itself (a link to a parent, a bind-mount loop).
struct BRFileURL::Ancestor
{
    unsigned long long device;
    unsigned long long inode;
    const Ancestor* up;
};

namespace {
enum TypeHint { Unknown, Folder, File };

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
} // namespace

BRFileURLPtr BRFileURL::makeWithPath(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    return make(cleanAbsolute(path), nullptr, Unknown);
}

BRFileURLPtr BRFileURL::makeWithURL(const QUrl& url)
{
    if (!url.isLocalFile())
        return nullptr;
    return makeWithPath(url.toLocalFile());
}

BRFileURLPtr BRFileURL::make(const QString& path, const Ancestor* ancestors, int typeHint)
{
    // Files are told apart by their names alone; only folders and the entries whose kind
    // the listing did not say need a stat.
    if (typeHint == File) {
        if (!BRUtils::hasAcceptedExtension(path))
            return nullptr;
        return BRFileURLPtr(new BRFileURL(path, false, true));
    }
    struct stat st
    {
    };
    const bool readable = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    const bool folder = readable && S_ISDIR(st.st_mode);
    if (!folder && !BRUtils::hasAcceptedExtension(path))
        return nullptr;
    BRFileURLPtr node(new BRFileURL(path, folder, readable));
    if (folder) {
        node->device_ = st.st_dev;
        node->inode_ = st.st_ino;
        node->fill(ancestors);
    }
    return node;
}

QString BRFileURL::filename() const
{
    const qsizetype slash = path_.lastIndexOf(QLatin1Char('/'));
    return slash < 0 || path_.size() == 1 ? path_ : path_.mid(slash + 1);
}

void BRFileURL::generateContents()
{
    if (!directory_)
        return;
    // Rebuilt from the disk; the folders above count as ancestors.
    std::vector<Ancestor> chain;
    for (const BRFileURL* p = parent_; p; p = p->parent_)
        chain.push_back({p->device_, p->inode_, nullptr});
    for (size_t i = 0; i + 1 < chain.size(); ++i)
        chain[i].up = &chain[i + 1];
    fill(chain.empty() ? nullptr : &chain.front());
}

void BRFileURL::fill(const Ancestor* ancestors)
{
    contents_.clear();
    for (const Ancestor* a = ancestors; a; a = a->up)
        if (a->device == device_ && a->inode == inode_)
            return; // already being walked further up: not again
    const Ancestor self{device_, inode_, ancestors};

    DIR* dir = ::opendir(QFile::encodeName(path_).constData());
    if (!dir)
        return;
    const QString prefix = path_.endsWith(QLatin1Char('/')) ? path_ : path_ + QLatin1Char('/');
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        int hint = Unknown;
        if (entry->d_type == DT_DIR)
            hint = Folder;
        else if (entry->d_type == DT_REG)
            hint = File;
        BRFileURLPtr child = make(prefix + QFile::decodeName(name), &self, hint);
        if (!child)
            continue;
        child->parent_ = this;
        child->row_ = int(contents_.size());
        contents_.push_back(std::move(child));
    }
    ::closedir(dir);
}

std::vector<BRFileURLPtr> BRFileURL::allFiles() const
{
    std::vector<BRFileURLPtr> out;
    if (isFile())
        out.push_back(std::const_pointer_cast<BRFileURL>(shared_from_this()));
    else
        collectFiles(out);
    return out;
}

void BRFileURL::collectFiles(std::vector<BRFileURLPtr>& out) const
{
    for (const BRFileURLPtr& child : contents_) {
        if (child->isDirectory())
            child->collectFiles(out);
        else
            out.push_back(child);
    }
}

QString BRFileURL::additionalInformation() const
{
    if (directory_)
        return QCoreApplication::translate("BRFileURL", "Directory with") + QLatin1Char(' ') +
               QString::number(contents_.size()) + QLatin1Char(' ') +
               QCoreApplication::translate("BRFileURL", "file(s)");
    if (!facts_)
        return QCoreApplication::translate("BRFileURL", "JPEG file");
    return (facts_->hdr ? QCoreApplication::translate("BRFileURL", "JPEG image (HDR)")
                        : QCoreApplication::translate("BRFileURL", "JPEG image")) +
           QStringLiteral(" \u00b7 %1 \u00d7 %2 \u00b7 ").arg(facts_->width).arg(facts_->height) +
           QLocale().formattedDataSize(facts_->bytes, 1, QLocale::DataSizeSIFormat);
}

void BRFileURL::removeChildAt(int index)
{
    contents_.erase(contents_.begin() + index);
    for (size_t i = size_t(index); i < contents_.size(); ++i)
        contents_[i]->row_ = int(i);
}

BRFileURLPtr BRFileURL::fileURLByReplacingParentBy(const QUrl& folder) const
{
    return makeWithPath(QDir(folder.toLocalFile()).filePath(filename()));
}

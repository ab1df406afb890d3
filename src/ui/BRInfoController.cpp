// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BRInfoController.h"
#include "platform/ByteSpan.h"

#include "filelist/BRFileURL.h"
#include "filelist/BRUtils.h"
#include "platform/ImageProperties.h"
#include "platform/Resources.h"
#include "processing/ProcessChain.h"
#include "processing/Thumbnail.h"
#include "ui/BRPreviewImage.h"
#include "ui/BitmapImage.h"

#include <QFile>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeDatabase>
#include <QStringDecoder>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <future>

using namespace brelin;

namespace {

constexpr int kThumbnailSize = 128;

QLabel* field(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

void addNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<PropertyNode>& nodes)
{
    for (const PropertyNode& n : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, n.key);
        item->setText(1, n.val);
        item->setToolTip(1, n.val);
        addNodes(item, tree, n.children);
    }
}

} // namespace

BRInfoController::BRInfoController(QWidget* parent) : QWidget(parent)
{
    mThumbView = new BRPreviewImage(this);
    mThumbView->setObjectName(QStringLiteral("mThumbView"));
    mThumbView->setFixedSize(kThumbnailSize, kThumbnailSize);
    filename = field(this, "filename");
    filename->setAlignment(Qt::AlignCenter);
    QFont bold = filename->font();
    bold.setBold(true);
    filename->setFont(bold);
    mFilePath = field(this, "mFilePath");
    mFileType = field(this, "mFileType");
    mFileSize = field(this, "mFileSize");
    mTree = new QTreeWidget(this);
    mTree->setObjectName(QStringLiteral("mTree"));
    mTree->setHeaderLabels({tr("Property"), tr("Value")});
    mTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    mTree->setUniformRowHeights(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mThumbView, 0, Qt::AlignHCenter);
    layout->addWidget(filename);
    auto* form = new QFormLayout;
    form->addRow(tr("Path:"), mFilePath);
    form->addRow(tr("Type:"), mFileType);
    form->addRow(tr("Size:"), mFileSize);
    layout->addLayout(form);
    layout->addWidget(mTree, 1);
}

void BRInfoController::setCurrentFile(const BRFileURL& node)
{
    filename->setText(node.filename());
    setURL(node.url());
}

void BRInfoController::setURL(const QUrl& url)
{
    if (url == mUrl)
        return;
    mUrl = url;
    const QString path = url.toLocalFile();
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // The thumbnail's decode takes the longest: it runs beside the reading of the
    // properties and the comment. The embedded thumbnail comes from a quick look at
    // the EXIF alone.
    QByteArray embedded;
    auto properties = imageProperties(bytes, &embedded);
    if (!properties) {
        clearInfo();
        return;
    }
    auto thumbnail = std::async(std::launch::async, [&] {
        return thumbnailOf(bytesOf(bytes), kThumbnailSize, bytesOf(embedded));
    });
    const QString comment = getCOMforURL(url);
    if (!comment.isEmpty()) {
        Property& p = (*properties)[tr("Comment")];
        p.label = tr("Comment");
        p.value = comment;
    }
    mTree->clear();
    addNodes(nullptr, mTree, propTree(*properties));
    const auto picture = thumbnail.get();
    mThumbView->setImage(picture ? toQImage(*picture) : QImage());
    mFilePath->setText(path);
    mFileType->setText(QMimeDatabase().mimeTypeForFile(path).comment());
    mFileSize->setText(BRUtils::getHumanSize(uint64_t(bytes.size())));
}

void BRInfoController::clearInfo()
{
    mTree->clear();
    mThumbView->setImage({});
    mFilePath->clear();
    mFileType->clear();
    mFileSize->clear();
    mUrl = QUrl();
}

QString BRInfoController::getCOMforURL(const QUrl& url)
{
    const QString tool = toolPath(QStringLiteral("rdjpgcom"));
    if (tool.isEmpty())
        return {};
    const auto out = runAndRead(tool, {url.toLocalFile()});
    if (!out)
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(*out);
    return utf8.hasError() ? QString() : text.trimmed();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PhotoFactsLoader.h"

#include "filelist/BRFileListModel.h"
#include "filelist/BRFileURL.h"
#include "processing/PhotoFacts.h"
#include "ui/BitmapImage.h"
#include "ui/NameCell.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

using namespace brelin;

PhotoFactsLoader::PhotoFactsLoader(BRFileListModel& model, QObject* parent)
    : QObject(parent), model_(model)
{
    // The list must not take the processors from a run or from the interface.
    pool_.setMaxThreadCount(2);
    pool_.setThreadPriority(QThread::LowPriority);
}

PhotoFactsLoader::~PhotoFactsLoader()
{
    pool_.clear();
    pool_.waitForDone();
}

void PhotoFactsLoader::request(BRFileURL& node)
{
    if (node.factsAsked() || node.isDirectory())
        return;
    node.setFactsAsked();
    const std::weak_ptr<BRFileURL> weak = node.weak_from_this();
    const QString path = node.path();
    // Sharp on a screen of twice the density.
    const int side = int(NameCell::kIconSize * std::max(qreal(1), qApp->devicePixelRatio()));
    pool_.start([this, weak, path, side] {
        auto facts = std::make_shared<PhotoFacts>(readPhotoFacts(path, side));
        QMetaObject::invokeMethod(this, [this, weak, path, facts] {
            const BRFileURLPtr node = weak.lock();
            // Removed from the list meanwhile, or changed since: a newer read follows.
            if (!node || !model_.isListed(*node) || !node->factsAsked())
                return;
            if (facts->readable)
                node->setFacts(BRFileURL::Facts{facts->size.width(), facts->size.height(),
                                                facts->bytes, facts->hdr});
            else
                node->setFacts(std::nullopt);
            if (facts->thumbnail)
                thumbnails_.insert(path, QPixmap::fromImage(toQImage(*facts->thumbnail)));
            else
                thumbnails_.remove(path);
            model_.nodeChanged(*node);
        });
    });
}

void PhotoFactsLoader::forget(const QString& path)
{
    thumbnails_.remove(path);
}

void PhotoFactsLoader::waitForReads()
{
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/ComparisonMaker.h"

#include "platform/Processors.h"

namespace brelin {

ComparisonMaker::ComparisonMaker(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<std::shared_ptr<const Comparison>>();
    // A QThread: the dry run waits for its file in an event loop.
    thread_.reset(QThread::create([this] { work(); }));
    thread_->start();
}

ComparisonMaker::~ComparisonMaker()
{
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
        pending_.reset();
        abandon_ = true;
    }
    ++generation_;
    wake_.notify_all();
    thread_->wait();
}

void ComparisonMaker::setToolPaths(const QString& rdjpgcom, const QString& wrjpgcom)
{
    const std::lock_guard lock(mutex_);
    rdjpgcom_ = rdjpgcom;
    wrjpgcom_ = wrjpgcom;
}

quint64 ComparisonMaker::request(const QString& source, const QVariantMap& prefs)
{
    quint64 generation = 0;
    {
        const std::lock_guard lock(mutex_);
        generation = ++generation_;
        pending_ = Request{generation, source, prefs};
        abandon_ = true;
    }
    wake_.notify_all();
    return generation;
}

void ComparisonMaker::cancel()
{
    {
        const std::lock_guard lock(mutex_);
        ++generation_;
        pending_.reset();
        forget_ = true;
        abandon_ = true;
    }
    wake_.notify_all();
}

void ComparisonMaker::work()
{
    lowerThreadPriority();
    auto comparer = std::make_unique<PhotoComparer>();
    for (;;) {
        Request next;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return quit_ || pending_ || forget_; });
            if (quit_)
                return;
            if (forget_) {
                forget_ = false;
                comparer = std::make_unique<PhotoComparer>();
            }
            if (!pending_)
                continue;
            next = std::move(*pending_);
            pending_.reset();
            abandon_ = false;
            comparer->setToolPaths(rdjpgcom_, wrjpgcom_);
        }
        auto comparison = comparer->compare(next.source, next.prefs, &abandon_);
        if (!comparison)
            continue;
        comparison->generation = next.generation;
        auto shared = std::make_shared<const Comparison>(std::move(*comparison));
        QMetaObject::invokeMethod(
            this,
            [this, shared] {
                if (shared->generation == generation_)
                    emit made(shared);
            },
            Qt::QueuedConnection);
    }
}

} // namespace brelin

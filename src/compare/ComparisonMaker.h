// SPDX-License-Identifier: GPL-3.0-or-later
// Makes comparisons on a thread of low priority, the newest request first: a request
// abandons the work for the older ones at its next step, and only the newest request's
// comparison is handed over, on the thread that owns the maker.
#pragma once

#include "compare/PhotoComparison.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

namespace brelin {

class ComparisonMaker : public QObject
{
    Q_OBJECT
public:
    explicit ComparisonMaker(QObject* parent = nullptr);
    ~ComparisonMaker() override;

    // For the tests: where the marker tools are.
    void setToolPaths(const QString& rdjpgcom, const QString& wrjpgcom);

    // Asks for `source` under `prefs`; returns the request's number.
    quint64 request(const QString& source, const QVariantMap& prefs);
    // Nothing is wanted any more: the work in progress is abandoned, and the pixels kept
    // for the next request are let go.
    void cancel();
    // The number of the newest request.
    quint64 latest() const { return generation_; }

signals:
    // The comparison for the newest request, when it is still the newest.
    void made(std::shared_ptr<const brelin::Comparison> comparison);

private:
    struct Request
    {
        quint64 generation = 0;
        QString source;
        QVariantMap prefs;
    };
    void work();

    std::atomic<quint64> generation_{0};
    // Set by a newer request or a cancel: the work in progress stops at its next step.
    std::atomic<bool> abandon_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> pending_;
    bool quit_ = false;
    bool forget_ = false;
    QString rdjpgcom_;
    QString wrjpgcom_;
    std::unique_ptr<QThread> thread_;
};

} // namespace brelin

// SPDX-License-Identifier: GPL-3.0-or-later
// Reads what the list shows of its photos (pixel size, bytes, gain map, thumbnail) on
// threads of low priority, as rows are first drawn, and hands each result to its node on
// the interface thread, which then draws the row again.
#pragma once

#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QThreadPool>

class BRFileURL;
class BRFileListModel;

class PhotoFactsLoader : public QObject
{
    Q_OBJECT
public:
    explicit PhotoFactsLoader(BRFileListModel& model, QObject* parent = nullptr);
    ~PhotoFactsLoader() override;

    // Reads the node's facts unless they were asked for already. A file node of the list.
    void request(BRFileURL& node);
    // The photo's thumbnail, once read; null before and when none could be made.
    QPixmap thumbnail(const QString& path) const { return thumbnails_.value(path); }
    // The file at `path` changed (a run replaced it): its rows read it again.
    void forget(const QString& path);
    // Waits until every read under way has ended (for tests).
    void waitForReads();

private:
    BRFileListModel& model_;
    QThreadPool pool_;
    QHash<QString, QPixmap> thumbnails_;
};

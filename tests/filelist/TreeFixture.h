// SPDX-License-Identifier: GPL-3.0-or-later
// Folder trees made on disk for the file-list tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace brelin::test {

class Tree
{
public:
    Tree() { root_.setAutoRemove(true); }
    QString root() const { return root_.path(); }
    QString path(const QString& rel) const { return root_.filePath(rel); }
    // An empty file; folders on the way are made.
    QString file(const QString& rel) const
    {
        const QString p = path(rel);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        return p;
    }
    QString folder(const QString& rel) const
    {
        const QString p = path(rel);
        QDir().mkpath(p);
        return p;
    }

private:
    QTemporaryDir root_;
};

} // namespace brelin::test

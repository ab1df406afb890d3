// SPDX-License-Identifier: GPL-3.0-or-later
// The file list at scale: one folder tree of 10,000 JPEG files in 200 folders added, the
// same files added one by one (the duplicate test), and everything removed again.
// Usage: brelin-bench-filelist [FILES [FOLDERS]]
#include "filelist/BRFileListModel.h"

#include "Timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int folders = argc > 2 ? std::atoi(argv[2]) : 200;
    QTemporaryDir root;
    QStringList paths;
    for (int i = 0; i < files; ++i) {
        const QString dir = root.filePath(QStringLiteral("tree/folder%1").arg(i % folders));
        if (i < folders)
            QDir().mkpath(dir);
        const QString path = dir + QStringLiteral("/photo%1.jpg").arg(i);
        QFile(path).open(QIODevice::WriteOnly);
        paths << path;
    }

    BRFileListModel model;
    const double addTree = millis([&] { model.addFile(root.filePath(QStringLiteral("tree"))); });
    std::printf("add one tree of %d files in %d folders: %.1f ms (list %zu, allfiles %zu)\n", files,
                folders, addTree, model.list().size(), model.allfiles().size());
    const double duplicates = millis([&] {
        for (const QString& p : paths)
            model.addFile(p);
    });
    std::printf("add each of its files again (all refused): %.1f ms\n", duplicates);
    const double removeTree = millis([&] { model.removeNodes({model.list()[0].get()}); });
    std::printf("remove the tree: %.1f ms (allfiles %zu)\n", removeTree, model.allfiles().size());
    const double addEach = millis([&] {
        for (const QString& p : paths)
            model.addFile(p);
    });
    std::printf("add %d files one by one: %.1f ms\n", files, addEach);
    const double removeAll = millis([&] { model.removeAll(); });
    std::printf("remove all: %.1f ms\n", removeAll);
    return 0;
}

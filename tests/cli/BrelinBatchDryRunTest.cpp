// SPDX-License-Identifier: GPL-3.0-or-later
// brelin-batch --dry-run: every result made as a run makes it and thrown away, one line
// per file, the run's summary and exit status, and nothing written anywhere.
#include "cli/BatchFixture.h"

#include <QDateTime>
#include <QDirIterator>
#include <QLocale>

using namespace brelin::test;

namespace {

using BrelinBatchDryRun = BatchFixture;

// Every file and folder under `root`, with its bytes and modification time.
QStringList treeOf(const QString& root)
{
    QStringList tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        tree << info.filePath() + QLatin1Char(' ') + QString::number(info.size()) +
                    QLatin1Char(' ') + QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    tree.sort();
    return tree;
}

TEST_F(BrelinBatchDryRun, NothingIsWrittenAndTheSummaryIsARunsOwn)
{
    // A fitted run beside the photos with a result there already, a lossless copy into a
    // folder yet to be made, a size target: each as a run would do it.
    const QList<QStringList> runs = {
        {"--fit", "max:64", "-y"},
        {"--lossless", "--output", path("new/out")},
        {"--max-size", "6k", "--suffix", "-6k"},
    };
    for (const QStringList& options : runs) {
        SCOPED_TRACE(options.join(' ').toStdString());
        QDir(path("in")).removeRecursively();
        QDir(path("new")).removeRecursively();
        photo("in/a.jpg");
        photo("in/b.jpg", QStringLiteral("Nikon_D70.jpg"));
        photo("in/a-small.jpg.keep", QStringLiteral("Pentax_K10D.jpg"));
        QFile::rename(path("in/a-small.jpg.keep"), path("in/a-small.jpg"));
        QFile::copy(corruptedPhoto(), path("in/c.jpg"));
        const QStringList before = treeOf(dir.path());

        const RunResult dry = batch(QStringList(options) << "--dry-run" << path("in"));
        EXPECT_EQ(treeOf(dir.path()), before);
        const QStringList lines = QString::fromLocal8Bit(dry.out).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 5) << dry.out.toStdString();
        // A copy keeps damaged data as they are; an encoder cannot read them.
        EXPECT_EQ(lines.contains(QStringLiteral("c.jpg: The image data are damaged.")),
                  !options.contains("--lossless"))
            << dry.out.toStdString();

        const RunResult real = batch(QStringList(options) << path("in"));
        EXPECT_EQ(dry.status, real.status);
        EXPECT_EQ(lines.last().toUtf8() + '\n', real.out);
        // Each line's result size is the size the run wrote.
        const QString written =
            options.contains("--output")
                ? path("new/out/a.jpg")
                : path(options.contains("--suffix") ? "in/a-6k.jpg" : "in/a-small.jpg");
        QString line;
        for (const QString& l : lines)
            if (l.startsWith(QStringLiteral("a.jpg: ")))
                line = l;
        const QString after =
            QLocale().formattedDataSize(QFileInfo(written).size(), 1, QLocale::DataSizeSIFormat);
        EXPECT_TRUE(line.contains(QStringLiteral("\u2192 ") + after)) << line.toStdString();
        EXPECT_EQ(line.contains(QStringLiteral("would replace")), options.contains("-y"));
    }
}

} // namespace

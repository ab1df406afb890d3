// SPDX-License-Identifier: GPL-3.0-or-later
// brelin-batch with a size target: the quality the bisection ends at, checked against
// plain runs at each quality it visits; targets that nothing reaches.
#include "cli/BatchFixture.h"

using namespace brelin::test;

namespace {

using BrelinBatchSize = BatchFixture;

const QString kPhoto = QStringLiteral("large_with_exif.jpg"); // with EXIF

TEST_F(BrelinBatchSize, TheSearchEndsWhereTheBisectionOfPlainRunsEnds)
{
    const QString source = photo("in/p.jpg", kPhoto);
    QMap<int, QByteArray> plain;
    const auto plainAt = [&](int q) {
        if (!plain.contains(q)) {
            const QString out = path(QStringLiteral("q%1").arg(q));
            batch(
                {"--quality", QString::number(q), "--fit", "longer:800", "--output", out, source});
            plain[q] = readBytes(out + "/p.jpg");
        }
        return plain[q];
    };
    // The whole file, its EXIF in, as the target; the rule as documented.
    const qint64 target = plainAt(57).size();
    int lo = 1, hi = 80;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (plainAt(mid).size() <= target)
            lo = mid;
        else
            hi = mid - 1;
    }
    ASSERT_LT(lo, 80);
    const RunResult r = batch({"--quality", "80", "--max-size", QString::number(target), "--fit",
                               "longer:800", "--output", path("out"), source});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("1 needed a lower quality to fit the size")) << r.out.toStdString();
    EXPECT_EQ(readBytes(path("out/p.jpg")), plainAt(lo)) << "quality " << lo;
}

TEST_F(BrelinBatchSize, WhatCannotBeMadeSmallEnough)
{
    // Arithmetic-coded data carry no Huffman tables: at its own size the original is
    // smaller than anything the encoder writes.
    const QString big = photo("big.jpg", kPhoto);
    const QByteArray pixels = run("djpeg", {photo("tiny-src.jpg", "Canon_40D.jpg")}).out;
    writeBytes(path("tiny.jpg"), run("cjpeg", {"-quality", "1", "-arithmetic"}, pixels).out);
    const auto sizeOf = [&](const QString& file, const QStringList& args) {
        const QString out = path("sizes");
        batch(QStringList{"-y", "--remove", "all", "--output", out} + args + QStringList{file});
        return readBytes(out + "/" + QFileInfo(file).fileName()).size();
    };
    const qint64 tinyCopy = sizeOf(path("tiny.jpg"), {"--lossless"});
    ASSERT_LT(tinyCopy,
              sizeOf(path("tiny.jpg"), {"--keep-size", "--quality", "1", "--allow-larger"}));
    const qint64 bigAtOne = sizeOf(big, {"--fit", "longer:800", "--quality", "1"});
    const qint64 bigCopy = sizeOf(big, {"--lossless"});

    const auto kB = [](qint64 bytes) { return QString::number((bytes + 1023) / 1024); };
    struct Row
    {
        const char* what;
        QString file;
        QStringList args;
        QString reason; // empty: written
    };
    const Row table[] = {
        {"scaled, below quality 1",
         big,
         {"--fit", "longer:800", "--max-size", "1k"},
         "At this size the smallest result is " + kB(bigAtOne) + " kB, more than the 1 kB asked."},
        {"at its own size, the original data fit",
         path("tiny.jpg"),
         {"--keep-size", "--max-size", QString::number(tinyCopy)},
         {}},
        {"lossless, the copy is larger",
         big,
         {"--lossless", "--max-size", "1k"},
         "At this size the smallest result is " + kB(bigCopy) + " kB, more than the 1 kB asked."},
    };
    for (const Row& row : table) {
        const QString out = path(QStringLiteral("out-") + QLatin1String(row.what).left(6));
        const RunResult r = batch(QStringList{"-y", "--remove", "all", "--output", out} + row.args +
                                  QStringList{row.file});
        const QString made = out + "/" + QFileInfo(row.file).fileName();
        if (row.reason.isEmpty()) {
            EXPECT_EQ(r.status, 0) << row.what << r.err.toStdString();
            EXPECT_EQ(readBytes(made).size(), tinyCopy) << row.what;
        } else {
            EXPECT_EQ(r.status, 1) << row.what;
            EXPECT_TRUE(QString::fromUtf8(r.err).contains(row.reason))
                << row.what << ": " << r.err.toStdString();
            EXPECT_FALSE(QFileInfo::exists(made)) << row.what;
        }
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// brelin-batch for archives: several files in flight give the same results, byte for
// byte, the same failures and the same summary as one file at a time; interrupted, only
// whole results; folder trees kept in the output folder.
#include "cli/BatchFixture.h"

#include <QProcess>
#include <QThread>

#include <csignal>

using namespace brelin::test;

namespace {

using BrelinBatchJobs = BatchFixture;

TEST_F(BrelinBatchJobs, ManyFilesAtOnceGiveWhatOneAtATimeGives)
{
    // Two trees whose photos share names: into one folder, the second of each pair
    // replaces the first, as the list's order says. Damaged files fail among them.
    const QStringList photos = readableCorpusPhotos();
    ASSERT_GE(photos.size(), 8);
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("p%1.jpg").arg(i % 5);
        QDir().mkpath(path(i < 5 ? "a" : "b"));
        QFile::copy(photos[i], path((i < 5 ? "a/" : "b/") + name));
    }
    QFile::copy(corruptedPhoto(), path("a/p9.jpg"));
    writeBytes(path("b/text.jpg"), "not a photo\n");

    RunResult runs[2];
    for (const int jobs : {1, 3}) {
        const QString out = path(QStringLiteral("out%1").arg(jobs));
        runs[jobs > 1] = batch({"--jobs", QString::number(jobs), "-y", "--fit", "max:64",
                                "--output", out, path("a"), path("b")});
    }
    EXPECT_EQ(runs[0].status, 1);
    EXPECT_EQ(runs[1].status, runs[0].status);
    EXPECT_EQ(runs[1].out, runs[0].out) << "the summary";
    EXPECT_EQ(runs[1].err.replace("out3", "out1"), runs[0].err) << "the failures, in list order";
    const QStringList made = entries("out1");
    EXPECT_EQ(made.size(), 5);
    EXPECT_EQ(entries("out3"), made);
    for (const QString& name : made)
        EXPECT_EQ(readBytes(path("out3/" + name)), readBytes(path("out1/" + name)))
            << name.toStdString();
}

TEST_F(BrelinBatchJobs, AnInterruptLetsTheFilesInFlightFinishAndStartsNoOther)
{
    const QString source = readableCorpusPhotos().first();
    QDir().mkpath(path("in"));
    for (int i = 0; i < 40; ++i)
        QFile::copy(source, path(QStringLiteral("in/%1.jpg").arg(i, 2, 10, QLatin1Char('0'))));
    QProcess run;
    run.start(QStringLiteral(BRELIN_BATCH),
              {QStringLiteral("--jobs"), QStringLiteral("2"), QStringLiteral("--keep-size"),
               QStringLiteral("-y"), QStringLiteral("--output"), path("out"), path("in")});
    ASSERT_TRUE(run.waitForStarted());
    while (entries("out").size() < 2 && run.state() == QProcess::Running)
        QThread::msleep(5);
    ::kill(pid_t(run.processId()), SIGINT);
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 1) << "files were left";
    const QStringList made = entries("out");
    EXPECT_LT(made.size(), 40);
    for (const QString& name : made) {
        EXPECT_TRUE(name.endsWith(QLatin1String(".jpg")))
            << "no part files: " << name.toStdString();
        EXPECT_TRUE(decodes(path("out/" + name))) << name.toStdString();
    }
}

TEST_F(BrelinBatchJobs, TwoTreesWithTheSameNamesKeepTheirFolders)
{
    for (const char* file : {"trips/rome/day1/p.jpg", "trips/rome/p.jpg", "work/day1/p.jpg"})
        photo(QLatin1String(file));
    photo("alone.jpg");
    const RunResult r = batch({"--keep-folders", "--output", path("out"), path("trips/rome"),
                               path("work"), path("alone.jpg")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    for (const char* made :
         {"out/rome/day1/p.jpg", "out/rome/p.jpg", "out/work/day1/p.jpg", "out/alone.jpg"})
        EXPECT_TRUE(decodes(path(QLatin1String(made)))) << made;
    EXPECT_EQ(entries("out"), QStringList({"alone.jpg", "rome", "work"}));
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// One batch run from the replace questions to the unprocessed list, on real files, with
// the windows written down by a recorder.
#include "processing/BRProcessor.h"
#include "processing/FileCopy.h"
#include "processing/RecordingWindows.h"
#include "settings/SettingsRecord.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace brelin;
using namespace brelin::test;

namespace {

struct Delegate : BRProcessorDelegate
{
    int ended = 0;
    void processDidEnd() override { ++ended; }
};

class BatchRun : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    RecordingWindows windows;
    Delegate delegate;
    QVariantMap prefs = [] {
        QVariantMap p = initialRecord();
        p[key::ScalingType] = int(ScaleByFactor); // small results, quickly made
        p[key::ScalingFactor] = 0.5;
        return p;
    }();

    QString path(const QString& rel) const { return dir.filePath(rel); }
    // A camera photo copied to `rel`.
    QString photo(const QString& rel) const
    {
        QDir().mkpath(QFileInfo(path(rel)).path());
        QFile::copy(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"), path(rel));
        return path(rel);
    }
    std::vector<BRFileURLPtr> nodes(const QStringList& rels) const
    {
        std::vector<BRFileURLPtr> out;
        for (const QString& rel : rels)
            out.push_back(BRFileURL::makeWithPath(path(rel)));
        return out;
    }
    void runOver(const QStringList& rels)
    {
        BRProcessor processor(&delegate, windows, nodes(rels), prefs);
        processor.startProcess();
    }
};

bool decodes(const QString& path)
{
    return run(QStringLiteral("djpeg"),
               {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), path})
               .status == 0;
}

TEST(Destinations, FollowTheSuffixAndFolderSettings)
{
    QTemporaryDir dir;
    struct Row
    {
        int customPath;
        const char* folder;
        int hasSuffix;
        const char* suffix;
        const char* source;
        const char* expected;
    } rows[] = {
        {0, "", 0, "-small", "pics/a.jpg", "pics/a.jpg"},
        {0, "", 1, "-small", "pics/a.jpg", "pics/a-small.jpg"},
        {1, "out", 0, "-small", "pics/a.jpg", "out/a.jpg"},
        {1, "out", 1, "-small", "pics/a.jpg", "out/a-small.jpg"},
        {0, "", 1, "-small", "pics/IMG.JPG", "pics/IMG-small.JPG"},
        {0, "", 1, "", "pics/a.jpg", "pics/a.jpg"},
        {1, "new/deep/out", 1, " (1)", "pics/a.b.jpeg", "new/deep/out/a.b (1).jpeg"},
    };
    for (const Row& r : rows) {
        const QVariantMap prefs{{key::CustomPath, r.customPath},
                                {key::Path, dir.filePath(QString::fromUtf8(r.folder))},
                                {key::HasSuffix, r.hasSuffix},
                                {key::Suffix, QString::fromUtf8(r.suffix)}};
        RecordingWindows windows;
        BRProcessor processor(nullptr, windows, {}, prefs);
        EXPECT_EQ(processor.getDest(dir.filePath(QString::fromUtf8(r.source))),
                  dir.filePath(QString::fromUtf8(r.expected)))
            << r.source << " " << r.suffix;
    }
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("new/deep/out"))).isDir());
}

TEST_F(BatchRun, TheBarFollowsTheFilesInListOrderAndTheTemporaryFolderIsPrivate)
{
    const QStringList files{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                            QStringLiteral("c.jpg")};
    for (const QString& f : files)
        photo(f);
    BRProcessor processor(&delegate, windows, nodes(files), prefs);
    QString tmp;
    windows.onProgress = [&](int) {
        tmp = processor.temporaryFolder();
        struct stat st;
        ASSERT_EQ(::stat(QFile::encodeName(tmp).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    };
    processor.startProcess();

    EXPECT_EQ(windows.events,
              QStringList({"show 3", "bar 1 a.jpg", "bar 2 b.jpg", "bar 3 c.jpg", "close", "end"}));
    EXPECT_EQ(delegate.ended, 1);
    EXPECT_TRUE(tmp.startsWith(QDir::tempPath() + QStringLiteral("/brelin-")));
    EXPECT_FALSE(QFileInfo::exists(tmp));
    for (const char* result : {"a-small.jpg", "b-small.jpg", "c-small.jpg"})
        EXPECT_TRUE(decodes(path(QString::fromLatin1(result)))) << result;
    EXPECT_EQ(windows.summary.processed, 3);
    EXPECT_EQ(windows.summary.bytesBefore, 3 * QFileInfo(path(files[0])).size());
    EXPECT_EQ(windows.summary.bytesAfter,
              3 * QFileInfo(path(QStringLiteral("a-small.jpg"))).size());

    // An empty run still shows and closes its window and ends.
    windows.events.clear();
    runOver({});
    EXPECT_EQ(windows.events, QStringList({"show 0", "close", "end"}));
    EXPECT_EQ(delegate.ended, 2);
}

TEST_F(BatchRun, ACancelDuringTheSecondFileStillFinishesTheThird)
{
    const QStringList files{"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg"};
    for (const QString& f : files)
        photo(f);
    // Delivered while the run waits for file 2, as a click on Cancel would be.
    windows.onProgress = [&](int value) {
        if (value == 2)
            QMetaObject::invokeMethod(
                qApp, [&] { windows.cancel(); }, Qt::QueuedConnection);
    };
    runOver(files);

    EXPECT_EQ(windows.events,
              QStringList({"show 5", "bar 1 1.jpg", "bar 2 2.jpg", "close", "bar 3 3.jpg", "end"}));
    for (const char* done : {"1-small.jpg", "2-small.jpg", "3-small.jpg"})
        EXPECT_TRUE(decodes(path(QString::fromLatin1(done)))) << done;
    for (const char* left : {"4-small.jpg", "5-small.jpg"})
        EXPECT_FALSE(QFileInfo::exists(path(QString::fromLatin1(left)))) << left;
    EXPECT_TRUE(windows.rows.isEmpty());
    EXPECT_EQ(windows.summary.notStarted, 2);
    EXPECT_TRUE(windows.summary.cancelled);
    EXPECT_EQ(delegate.ended, 1);
}

TEST_F(BatchRun, RefusedFilesComeFirstThenFailuresInProcessingOrder)
{
    for (const char* f : {"a.jpg", "b.jpg", "c.jpg"})
        photo(QString::fromLatin1(f));
    writeBytes(path("a-small.jpg"), "old a");
    writeBytes(path("c-small.jpg"), "old c");
    writeBytes(path("d.jpg"), "not a JPEG at all");
    photo("e.jpg");
    QDir().mkpath(path("e-small.jpg")); // a folder where a result would go
    windows.answers = {{false, false}, {true, false}};
    runOver({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});

    EXPECT_EQ(windows.events.mid(0, 3),
              QStringList({"ask Are you sure you want to replace  a-small.jpg  with the new "
                           "processed file ?",
                           "ask Are you sure you want to replace  c-small.jpg  with the new "
                           "processed file ?",
                           "show 4"}));
    ASSERT_EQ(windows.rows.size(), 3);
    const char* expected[] = {"a.jpg", "d.jpg", "e.jpg"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(windows.rows[i].name, QString::fromLatin1(expected[i]));
        EXPECT_EQ(windows.rows[i].path, path(QString::fromLatin1(expected[i])));
        EXPECT_FALSE(windows.rows[i].reason.isEmpty());
    }
    EXPECT_TRUE(windows.rows[2].reason.contains(QStringLiteral("folder")));
    EXPECT_EQ(readBytes(path("a-small.jpg")), QByteArray("old a"));
    EXPECT_TRUE(decodes(path("c-small.jpg")));
    EXPECT_TRUE(QFileInfo(path("e-small.jpg")).isDir());
    EXPECT_FALSE(QFileInfo::exists(path("d-small.jpg")));
    EXPECT_EQ(windows.summary.processed, 2);
    EXPECT_EQ(windows.summary.unprocessed, 3);
}

TEST_F(BatchRun, ApplyToAllAnswersTheRestOfTheRunOnly)
{
    for (const bool replace : {true, false}) {
        const QStringList files{"a.jpg", "b.jpg", "c.jpg"};
        for (const QString& f : files) {
            photo(f);
            writeBytes(path(QFileInfo(f).baseName() + QStringLiteral("-small.jpg")), "old");
        }
        for (int run = 0; run < 2; ++run) {
            windows = RecordingWindows();
            windows.answers = {{replace, true}};
            runOver(files);
            EXPECT_EQ(windows.events.filter(QStringLiteral("ask ")).size(), 1) << replace;
            EXPECT_EQ(windows.rows.size(), replace ? 0 : 3) << replace;
        }
        EXPECT_EQ(readBytes(path("c-small.jpg")) == "old", !replace);
    }
}

TEST_F(BatchRun, TwoFilesWithOneDestinationAreAskedAbout)
{
    photo("x/a.jpg");
    photo("y/a.jpg");
    prefs[key::CustomPath] = 1;
    prefs[key::Path] = path("out");
    prefs[key::HasSuffix] = 0;
    runOver({"x/a.jpg", "y/a.jpg"});

    EXPECT_EQ(windows.events.filter(QStringLiteral("ask ")),
              QStringList({"ask Are you sure you want to replace  a.jpg  with the new processed "
                           "file ?"}));
    ASSERT_EQ(windows.rows.size(), 1);
    EXPECT_EQ(windows.rows[0].path, path("y/a.jpg"));
    EXPECT_TRUE(decodes(path("out/a.jpg")));
}

TEST_F(BatchRun, CopyIntoPlaceNeverLeavesADestinationBrokenOrMissing)
{
    const QString good = photo("good.jpg");
    QByteArray cut = readBytes(good);
    cut.chop(100);
    writeBytes(path("cut.jpg"), cut);
    QDir().mkpath(path("folder.jpg"));
    writeBytes(path("old.jpg"), "old");
    ::chmod(QFile::encodeName(path("old.jpg")).constData(), 0640);

    EXPECT_FALSE(copyfile(good, path("folder.jpg")));
    EXPECT_TRUE(QFileInfo(path("folder.jpg")).isDir());
    EXPECT_TRUE(copyfile(good, good)); // its own destination: nothing removed
    EXPECT_EQ(readBytes(good).size(), cut.size() + 100);
    QString reason;
    EXPECT_FALSE(copyfile(path("cut.jpg"), path("old.jpg"), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(readBytes(path("old.jpg")), QByteArray("old"));

    ASSERT_TRUE(copyfile(good, path("old.jpg")));
    EXPECT_EQ(readBytes(path("old.jpg")), readBytes(good));
    struct stat st;
    ::stat(QFile::encodeName(path("old.jpg")).constData(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No scratch file is left beside the results.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"cut.jpg", "folder.jpg", "good.jpg", "old.jpg"}));
}

} // namespace

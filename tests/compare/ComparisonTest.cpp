// SPDX-License-Identifier: GPL-3.0-or-later
// The compare view's engine: its result is what a run writes, byte for byte, and only the
// newest request's comparison is handed over.
#include "compare/ComparisonMaker.h"
#include "compare/PhotoComparison.h"
#include "settings/SettingsRecord.h"
#include "support/JpegFiles.h"
#include "support/RunOutput.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

QString photo(const QString& name)
{
    return dataDir() + QStringLiteral("/photos/") + name;
}

// Runs `compare` on a QThread, as the maker does.
std::optional<Comparison> compareOnAThread(PhotoComparer& comparer, const QString& source,
                                           const QVariantMap& prefs)
{
    std::optional<Comparison> made;
    std::unique_ptr<QThread> thread(
        QThread::create([&] { made = comparer.compare(source, prefs); }));
    thread->start();
    thread->wait();
    return made;
}

TEST(PhotoComparison, TheResultIsWhatARunWrites)
{
    QTemporaryDir dir;
    const QString sideways = photo(QStringLiteral("orientation/landscape_6.jpg"));
    const QString large = photo(QStringLiteral("large_with_exif.jpg"));
    // Grey and CMYK photos take the engine's other paths.
    const auto converted = [&](const char* space) {
        const QString out = dir.filePath(QString::fromLatin1(space) + QStringLiteral(".jpg"));
        run(QStringLiteral("convert"),
            {sideways, QStringLiteral("-colorspace"), QString::fromLatin1(space), out});
        return out;
    };
    const QString grey = converted("Gray");
    const QString cmyk = converted("CMYK");
    struct Row
    {
        const char* what;
        QString source;
        QVariantMap changes; // over the initial record
        FileOutcome::Kind kind;
    };
    const std::vector<Row> rows = {
        {"fitted, turned upright",
         sideways,
         {{key::ScalingFixedValue, 300}, {key::RemoveEXIF, 1}, {key::Quality, 70}},
         FileOutcome::Kind::Encoded},
        // The same photo and scaling: the kept scaled image is encoded again.
        {"the quality alone changed",
         sideways,
         {{key::ScalingFixedValue, 300}, {key::RemoveEXIF, 1}, {key::Quality, 40}},
         FileOutcome::Kind::Encoded},
        {"fitted, EXIF kept",
         sideways,
         {{key::ScalingFixedValue, 300}, {key::Quality, 70}},
         FileOutcome::Kind::Encoded},
        {"its own size: the image data kept",
         large,
         {{key::ScalingType, int(KeepSize)}, {key::Quality, 100}, {key::AllowHigherQuality, 1}},
         FileOutcome::Kind::KeptOptimisedData},
        {"no recompression",
         large,
         {{key::Recompress, 0}, {key::RemoveEXIF, 1}},
         FileOutcome::Kind::Copied},
        {"a size target",
         large,
         {{key::ScalingFixedValue, 1024}, {key::MaxSize, 60000}},
         FileOutcome::Kind::Encoded},
        {"a size target, quality alone changed",
         large,
         {{key::ScalingFixedValue, 1024}, {key::MaxSize, 60000}, {key::Quality, 60}},
         FileOutcome::Kind::Encoded},
        {"grey", grey, {{key::ScalingFixedValue, 300}}, FileOutcome::Kind::Encoded},
        {"CMYK", cmyk, {{key::ScalingFixedValue, 300}}, FileOutcome::Kind::Encoded},
    };
    PhotoComparer comparer;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QVariantMap prefs = initialRecord();
        for (auto it = row.changes.begin(); it != row.changes.end(); ++it)
            prefs[it.key()] = it.value();
        const QStringList before = QDir(photo({})).entryList(QDir::AllEntries);
        const auto made = compareOnAThread(comparer, row.source, prefs);
        ASSERT_TRUE(made);
        ASSERT_EQ(made->outcome.kind, row.kind) << made->outcome.reason.toStdString();
        // Nothing written beside the photos.
        EXPECT_EQ(QDir(photo({})).entryList(QDir::AllEntries), before);

        const QString out = dir.filePath(QString::fromLatin1(row.what));
        QDir().mkpath(out);
        const QByteArray written = writtenByARun(row.source, prefs, out);
        ASSERT_FALSE(written.isEmpty());
        EXPECT_EQ(made->outcome.result, written);
        EXPECT_EQ(made->outcome.bytesAfter, written.size());

        // Both halves upright, at the result's size.
        ASSERT_TRUE(made->result && made->original);
        EXPECT_EQ(QSize(made->result->width, made->result->height), made->outcome.pixelSize);
        EXPECT_EQ(QSize(made->original->width, made->original->height), made->outcome.pixelSize);
        EXPECT_EQ(made->originalSize, jpegPixelSize(row.source));
        EXPECT_EQ(made->originalBytes, QFileInfo(row.source).size());
    }
}

TEST(PhotoComparison, NoFolderIsMadeAndAFailureGivesItsReason)
{
    QTemporaryDir dir;
    QVariantMap prefs = initialRecord();
    prefs[key::CustomPath] = 1;
    prefs[key::Path] = dir.filePath(QStringLiteral("not/there"));
    PhotoComparer comparer;
    const auto made = compareOnAThread(comparer, photo(QStringLiteral("Canon_40D.jpg")), prefs);
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->outcome.processed());
    EXPECT_FALSE(QFileInfo::exists(prefs[key::Path].toString()));

    // Abandoned, it gives nothing.
    std::atomic<bool> abandon{true};
    std::optional<Comparison> abandoned;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        abandoned = comparer.compare(photo(QStringLiteral("large_with_exif.jpg")), initialRecord(),
                                     &abandon);
    }));
    thread->start();
    thread->wait();
    EXPECT_FALSE(abandoned);

    const auto damaged = compareOnAThread(comparer, corruptedPhoto(), initialRecord());
    ASSERT_TRUE(damaged);
    EXPECT_FALSE(damaged->outcome.processed());
    EXPECT_FALSE(damaged->outcome.reason.isEmpty());
    EXPECT_FALSE(damaged->result);
}

TEST(PhotoComparison, CaptionsSayWhatEachHalfIs)
{
    Comparison c;
    c.originalSize = QSize(4080, 3072);
    c.originalBytes = 4600000;
    EXPECT_EQ(originalCaption(c), QStringLiteral("Original · 4080 × 3072 · 4.6 MB"));
    struct Row
    {
        FileOutcome::Kind kind;
        int quality;
        qint64 fittedInto;
        bool atSourceQuality;
        const char* caption;
    };
    const std::vector<Row> rows = {
        {FileOutcome::Kind::Encoded, 80, 0, false,
         "Result · 1920 × 1446 · 412.0 kB (−91 %) · quality 80"},
        {FileOutcome::Kind::Encoded, 57, 204800, false,
         "Result · 1920 × 1446 · 412.0 kB (−91 %) · quality 57 to fit 200 kB"},
        {FileOutcome::Kind::Encoded, 60, 0, true,
         "Result · 1920 × 1446 · 412.0 kB (−91 %) · quality 60, the photo's own"},
        {FileOutcome::Kind::KeptOriginalData, 0, 0, false,
         "Result · 1920 × 1446 · 412.0 kB (−91 %) · kept its image data"},
        {FileOutcome::Kind::Copied, 0, 0, false,
         "Result · 1920 × 1446 · 412.0 kB (−91 %) · kept its image data"},
        {FileOutcome::Kind::Failed, 0, 0, false, "Result: not made"},
    };
    for (const Row& row : rows) {
        c.outcome = {};
        c.outcome.kind = row.kind;
        c.outcome.quality = row.quality;
        c.outcome.fittedInto = row.fittedInto;
        c.outcome.atSourceQuality = row.atSourceQuality;
        c.outcome.bytesBefore = 4600000;
        c.outcome.bytesAfter = 412000;
        c.outcome.pixelSize = QSize(1920, 1446);
        EXPECT_EQ(resultCaption(c), QString::fromUtf8(row.caption));
    }
}

TEST(ComparisonMaker, OnlyTheNewestRequestIsShown)
{
    ComparisonMaker maker;
    std::vector<std::shared_ptr<const Comparison>> shown;
    QEventLoop loop;
    QObject::connect(&maker, &ComparisonMaker::made, &loop,
                     [&](std::shared_ptr<const Comparison> c) {
                         shown.push_back(std::move(c));
                         loop.quit();
                     });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    const QString large = photo(QStringLiteral("large_with_exif.jpg"));
    // Requests made while the older ones are in progress: the last settings win.
    QVariantMap prefs = initialRecord();
    for (int quality : {90, 70, 50, 30}) {
        prefs[key::Quality] = quality;
        maker.request(large, prefs);
        QThread::msleep(20);
    }
    loop.exec();
    // Whatever was still in progress has had its chance to come in by now.
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.front()->generation, maker.latest());
    EXPECT_EQ(shown.front()->prefs.value(key::Quality).toInt(), 30);
    EXPECT_EQ(shown.front()->outcome.quality, 30);

    // Cancelled, the maker lets its pixels go and makes the same result from the file.
    maker.cancel();
    maker.request(large, prefs);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown.back()->outcome.result, shown.front()->outcome.result);
}

} // namespace

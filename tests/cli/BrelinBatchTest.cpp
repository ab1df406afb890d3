// SPDX-License-Identifier: GPL-3.0-or-later
// brelin-batch's command line: options, where results go, presets.
#include "cli/BatchFixture.h"
#include "platform/JpegCodec.h"
#include "settings/PresetFile.h"
#include "settings/SettingsRecord.h"
#include "settings/UserDefaults.h"
#include "support/Coefficients.h"

#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>

using namespace brelin;
using namespace brelin::test;

namespace {

std::pair<int, int> sizeOf(const QString& path)
{
    const QByteArray bytes = readBytes(path);
    JpegError error;
    const auto info = readJpegInfo(
        {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())}, error);
    return info ? std::pair(info->width, info->height) : std::pair(0, 0);
}

using BrelinBatch = BatchFixture;

TEST_F(BrelinBatch, BadCommandLinesAreRefusedInTheUsualForm)
{
    const QString f = photo("a.jpg");
    const struct
    {
        QStringList args;
        const char* message;
    } rows[] = {
        {{"--bogus", f}, "brelin-batch: unrecognized option '--bogus'"},
        {{"--quality", f}, "brelin-batch: invalid argument"},
        {{"--quality", "101", f}, "brelin-batch: invalid argument '101' for '--quality'"},
        {{"--scale", "-1", f}, "brelin-batch: invalid argument '-1' for '--scale'"},
        {{"--fit", "diagonal:10", f}, "brelin-batch: invalid argument 'diagonal:10' for '--fit'"},
        {{"--fit", "width:0", f}, "brelin-batch: invalid argument 'width:0' for '--fit'"},
        {{"--remove", "exif,gps", f}, "brelin-batch: invalid argument 'exif,gps' for '--remove'"},
        {{"--icon", "blue", f}, "brelin-batch: invalid argument 'blue' for '--icon'"},
        {{"--jobs", "0", f}, "brelin-batch: invalid argument '0' for '--jobs'"},
        {{"--keep-folders", f}, "brelin-batch: '--keep-folders' needs '--output'"},
        {{"--lossless", "--scale", "0.5", f}, "brelin-batch: '--lossless' cannot be combined"},
        {{"--overwrite", "--suffix", "x", f}, "brelin-batch: '--overwrite' cannot be combined"},
        {{"--output", f, f}, "brelin-batch: invalid argument"},
        {{"--preset", "Nope", f}, "brelin-batch: no preset named 'Nope'"},
        {{}, "brelin-batch: no files or folders given"},
    };
    for (const auto& row : rows) {
        const RunResult r = batch(row.args);
        const QList<QByteArray> lines = r.err.split('\n');
        EXPECT_EQ(r.status, 2) << row.message;
        EXPECT_TRUE(lines[0].startsWith(row.message)) << r.err.constData();
        EXPECT_EQ(lines.value(1), "Try 'brelin-batch --help' for more information.");
    }
    EXPECT_EQ(entries(), QStringList({"a.jpg"}));
    EXPECT_TRUE(batch({"--help"}).out.startsWith("Usage: brelin-batch"));
    const QByteArray version = batch({"--version"}).out;
    EXPECT_TRUE(version.startsWith("brelin-batch (Brelin) "));
    EXPECT_TRUE(version.contains("GPL-3.0-or-later"));
}

TEST_F(BrelinBatch, ResultsGoWhereTheOptionsSay)
{
    const struct
    {
        QStringList options;
        QStringList results; // beside the photos, then in out/
        QStringList inOut;
        int status;
    } rows[] = {
        {{}, {"a-small.jpg", "a.jpg", "sub"}, {}, 0},
        {{"--output", "OUT"}, {"a.jpg", "sub"}, {"a.jpg", "b.jpg"}, 0},
        {{"--output", "OUT", "--suffix", "_w"}, {"a.jpg", "sub"}, {"a_w.jpg", "b_w.jpg"}, 0},
        {{"--suffix", ""}, {"a.jpg", "sub"}, {}, 1}, // would write over the originals
        {{"--overwrite", "--no"}, {"a.jpg", "sub"}, {}, 1},
        {{"--overwrite", "--yes", "--lossless", "--remove", "all"}, {"a.jpg", "sub"}, {}, 0},
    };
    for (const auto& row : rows) {
        QTemporaryDir fresh;
        dir.swap(fresh);
        photo("a.jpg");
        photo("sub/b.jpg");
        const QByteArray original = readBytes(path("a.jpg"));
        QStringList args = row.options;
        args.replaceInStrings(QStringLiteral("OUT"), path("out"));
        const RunResult r = batch(args << path("a.jpg") << path("sub"));
        const QString label = row.options.join(QLatin1Char(' '));
        EXPECT_EQ(r.status, row.status) << label.toStdString() << r.err.constData();
        QStringList expected = row.results;
        if (!row.inOut.isEmpty())
            expected << QStringLiteral("out");
        expected.sort();
        EXPECT_EQ(entries(), expected) << label.toStdString();
        EXPECT_EQ(entries("out"), row.inOut) << label.toStdString();
        const bool inPlace = row.options.contains(QStringLiteral("--yes"));
        EXPECT_EQ(readBytes(path("a.jpg")) == original, !inPlace) << label.toStdString();
    }
    // The panel's initial values: a longer side above 1920 pixels is shrunk to 1920, a
    // smaller image keeps its size.
    photo("c.jpg");
    ASSERT_EQ(
        run(QStringLiteral("convert"), {path("c.jpg"), "-resize", "2400x", path("d.jpg")}).status,
        0);
    ASSERT_EQ(batch({path("c.jpg"), path("d.jpg")}).status, 0);
    EXPECT_EQ(sizeOf(path("c-small.jpg")), sizeOf(path("c.jpg")));
    EXPECT_EQ(sizeOf(path("d-small.jpg")), std::pair(1920, 1305));
}

TEST_F(BrelinBatch, APresetIsReadNeverWrittenAndOptionsOverrideIt)
{
    const QString folder = QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath("Brelin");
    QDir().mkpath(folder);
    QVariantMap web = initialRecord();
    web[key::ScalingType] = int(ScaleByFactor);
    web[key::ScalingFactor] = 0.25;
    web[key::Suffix] = QStringLiteral("-web");
    QVariantMap other = web;
    other[key::ScalingFactor] = 0.5;
    const QString file = folder + QStringLiteral("/Presets.plist");
    writeBytes(file, presetsToXmlPlist({{"Web", web}, {"Web", other}}));
    QFile::setPermissions(file, QFile::ReadOwner); // reading must not need more
    const QByteArray before = readBytes(file);
    const QDateTime modified = QFileInfo(file).lastModified();

    photo("a.jpg");
    ASSERT_EQ(batch({"--preset", "Web", path("a.jpg")}).status, 0);
    EXPECT_EQ(sizeOf(path("a-web.jpg")), std::pair(25, 17)); // the first "Web" wins
    ASSERT_EQ(
        batch({"--preset", "Web", "--scale", "0.1", "--suffix", "-tiny", path("a.jpg")}).status, 0);
    EXPECT_EQ(sizeOf(path("a-tiny.jpg")), std::pair(10, 6));
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(QFileInfo(file).lastModified(), modified);
}

} // namespace

// What browsers show is processed, in both branches, and the stray bytes are gone from the
// results; what libjpeg cannot read is listed with a reason a user understands.
TEST_F(BrelinBatch, IrregularFilesAreProcessedUnreadableOnesExplained)
{
    const QByteArray good = readBytes(photo(QStringLiteral("good.jpg")));
    QFile::remove(path(QStringLiteral("good.jpg")));
    QDir().mkpath(path(QStringLiteral("in")));
    for (Stray where : {Stray::BeforeDqt, Stray::BeforeApp, Stray::AfterShortApp14})
        writeBytes(path(QStringLiteral("in/stray%1.jpg").arg(int(where))),
                   withStrayBytes(good, where).file);
    QByteArray twelveBit = good;
    twelveBit[twelveBit.lastIndexOf(QByteArray("\xFF\xC0", 2)) + 4] = char(12);
    const std::pair<const char*, QByteArray> unreadable[] = {
        {"scan.jpg", withStrayBytes(good, Stray::InsideScan).file},
        {"twelve.jpg", twelveBit},
        {"text.jpg", QByteArray("not a photo\n")},
    };
    for (const auto& [name, bytes] : unreadable)
        writeBytes(path(QStringLiteral("in/") + QLatin1String(name)), bytes);

    for (const QStringList& mode :
         {QStringList{QStringLiteral("--quality"), QStringLiteral("80"),
                      QStringLiteral("--allow-larger")},
          QStringList{QStringLiteral("--lossless"), QStringLiteral("--remove"),
                      QStringLiteral("all")}}) {
        const QString out = path(QStringLiteral("out") + mode.first());
        const RunResult r = batch(QStringList(mode) << QStringLiteral("--output") << out
                                                    << path(QStringLiteral("in")));
        EXPECT_EQ(r.status, 1) << r.err.constData();
        const QStringList results = QDir(out).entryList(QDir::Files);
        for (const QString& name : results.filter(QStringLiteral("stray")))
            EXPECT_TRUE(decodes(QDir(out).filePath(name))) << name.toStdString();
        if (mode.first() == QLatin1String("--quality")) {
            EXPECT_EQ(results.size(), 3) << results.join(QLatin1Char(' ')).toStdString();
            for (const char* reason :
                 {"The image data are damaged.", "12-bit JPEG files are not supported.",
                  "The file is not a JPEG image."})
                EXPECT_TRUE(r.err.contains(reason)) << reason << "\n" << r.err.constData();
        } else {
            // Lossless, the image data are copied as they are: only the text file fails.
            EXPECT_EQ(results.size(), 5) << results.join(QLatin1Char(' ')).toStdString();
            EXPECT_TRUE(r.err.contains("The file is not a JPEG image.")) << r.err.constData();
        }
    }
}

// At its own pixel size, a re-encoding that would take more bytes than the original's
// own image data gives way to those data, as the lossless branch makes them: rewritten
// losslessly smaller, or byte for byte with --keep-image-data.
TEST_F(BrelinBatch, AResultAtTheOriginalsSizeIsNeverLargerThanItsOwnData)
{
    // Quality 60, written again with libjpeg's standard Huffman tables, which are not its own.
    const QString f = photo("p.jpg", QStringLiteral("WWL_(Polaroid)_ION230.jpg"));
    const QByteArray standardTables =
        run(QStringLiteral("jpegtran"), {QStringLiteral("-copy"), QStringLiteral("all"), f}).out;
    ASSERT_FALSE(standardTables.isEmpty());
    writeBytes(f, standardTables);
    const auto source = coefficientsOf(readBytes(f));
    ASSERT_TRUE(source.has_value());
    const struct
    {
        QStringList options;
        const char* summary;
    } cases[] = {
        {{}, "1 kept its image data, losslessly optimised"},
        {{"--keep-image-data"}, "1 kept its original image data"},
    };
    for (const auto& c : cases) {
        const std::string what = c.options.join(QLatin1Char(' ')).toStdString();
        QStringList copying{"--yes", "--lossless", "--remove", "exif", "--suffix", "-copy", f};
        ASSERT_EQ(batch(c.options + copying).status, 0) << what;
        const QByteArray copy = readBytes(path("p-copy.jpg"));
        if (c.options.isEmpty()) {
            EXPECT_LT(copy.size(), readBytes(f).size()) << what;
            EXPECT_EQ(coefficientsOf(copy), source) << what;
        } else {
            EXPECT_EQ(fromFirstScan(copy), fromFirstScan(readBytes(f))) << what;
        }
        // Above the photo's own quality, which alone would never be written.
        const QStringList reencode =
            c.options +
            QStringList{"--yes",    "--keep-size", "--quality", "95", "--allow-higher-quality",
                        "--remove", "exif"};
        const RunResult kept = batch(reencode + QStringList{"--suffix", "-kept", f});
        EXPECT_EQ(kept.status, 0) << kept.err.constData();
        EXPECT_EQ(readBytes(path("p-kept.jpg")), copy) << what;
        EXPECT_TRUE(kept.out.contains(c.summary)) << kept.out.constData();

        const RunResult larger =
            batch(reencode + QStringList{"--allow-larger", "--suffix", "-new", f});
        EXPECT_EQ(larger.status, 0) << larger.err.constData();
        EXPECT_GT(readBytes(path("p-new.jpg")).size(), copy.size()) << what;
        EXPECT_FALSE(larger.out.contains("image data")) << larger.out.constData();
    }
}

// A photo saved at quality 60 is written at 60, whatever higher quality is asked, unless
// --allow-higher-quality: above its own quality only the bytes grow.
TEST_F(BrelinBatch, APhotoIsNotEncodedAboveItsOwnQuality)
{
    const QString f = photo("q60.jpg", QStringLiteral("WWL_(Polaroid)_ION230.jpg"));
    const auto made = [&](const QStringList& options) {
        const RunResult r =
            batch(QStringList{"--yes", "--verbose", "--scale", "0.5", "--suffix", "-out"} +
                  options + QStringList{f});
        EXPECT_EQ(r.status, 0) << r.err.constData();
        return std::pair(readBytes(path("q60-out.jpg")), r.err.contains("Quality 60 for"));
    };
    const auto at60 = made({"--quality", "60", "--allow-higher-quality"});
    const auto asked80 = made({"--quality", "80"});
    const auto allowed80 = made({"--quality", "80", "--allow-higher-quality"});
    const auto asked50 = made({"--quality", "50"});
    EXPECT_EQ(asked80.first, at60.first);
    EXPECT_TRUE(asked80.second) << "the log says the quality was lowered";
    EXPECT_GT(allowed80.first.size(), at60.first.size());
    EXPECT_FALSE(allowed80.second);
    EXPECT_EQ(asked50.first, made({"--quality", "50", "--allow-higher-quality"}).first);
    EXPECT_FALSE(asked50.second);
}

TEST_F(BrelinBatch, KeptDatesAreTheOriginalsToTheNanosecond)
{
    const struct timespec times[2] = {{1600000000, 123456789}, {1500000000, 987654321}};
    const struct
    {
        QStringList options;
        const char* result;
    } rows[] = {
        {{"--keep-dates", "--output", path("out")}, "out/a.jpg"},
        {{"--keep-dates", "--overwrite", "--yes", "--quality", "50"}, "a.jpg"},
    };
    for (const auto& row : rows) {
        const QString f = photo("a.jpg");
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(f).constData(), times, 0), 0);
        const RunResult r = batch(row.options + QStringList{f});
        ASSERT_EQ(r.status, 0) << r.err.constData();
        struct stat st;
        ASSERT_EQ(::stat(QFile::encodeName(path(row.result)).constData(), &st), 0);
        EXPECT_EQ(st.st_atim.tv_sec, times[0].tv_sec) << row.result;
        EXPECT_EQ(st.st_atim.tv_nsec, times[0].tv_nsec) << row.result;
        EXPECT_EQ(st.st_mtim.tv_sec, times[1].tv_sec) << row.result;
        EXPECT_EQ(st.st_mtim.tv_nsec, times[1].tv_nsec) << row.result;
    }
}

// Whatever the marker tools say goes to the log: the terminal gets one line per file.
TEST_F(BrelinBatch, EachUnreadableFileIsOneLine)
{
    QDir().mkpath(path("in"));
    writeBytes(path("in/text.jpg"), "not a photo\n");
    writeBytes(path("in/empty.jpg"), QByteArray());
    for (const QStringList& mode : {QStringList{}, QStringList{"--lossless", "--remove", "all"}}) {
        const RunResult r = batch(mode + QStringList{"--output", path("out"), path("in")});
        EXPECT_EQ(r.status, 1);
        const QList<QByteArray> lines = r.err.trimmed().split('\n');
        EXPECT_EQ(lines.size(), 2) << r.err.constData();
        for (const char* name : {"empty.jpg", "text.jpg"})
            EXPECT_EQ(r.err.count(path(QStringLiteral("in/") + QLatin1String(name)).toUtf8()), 1)
                << name << "\n"
                << r.err.constData();
    }
}

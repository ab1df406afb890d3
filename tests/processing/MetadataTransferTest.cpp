// SPDX-License-Identifier: GPL-3.0-or-later
// The metadata chains on real camera files, checked against libjpeg-turbo's tools,
// exiftool, ImageMagick and libvips.
#include "processing/MetadataTransfer.h"
#include "platform/Resources.h"
#include "settings/SettingsRecord.h"
#include "support/Coefficients.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

using namespace brelin;
using namespace brelin::test;

namespace {

QVariantMap prefsRemoving(bool exif, bool iptc, bool icc, bool comment, bool others)
{
    return {{key::RemoveEXIF, int(exif)},
            {key::RemoveITPC, int(iptc)},
            {key::RemoveICC, int(icc)},
            {key::RemoveComment, int(comment)},
            {key::RemoveOthers, int(others)}};
}

// The source turned upright by jpegtran's exact transform for its EXIF orientation.
QByteArray uprightByJpegtran(const QString& source, int orientation)
{
    const char* ops[] = {
        "",           "",           "-flip horizontal", "-rotate 180", "-flip vertical",
        "-transpose", "-rotate 90", "-transverse",      "-rotate 270"};
    QStringList args = QString::fromLatin1(ops[orientation]).split(QLatin1Char(' '));
    args << QStringLiteral("-perfect") << source;
    return run(QStringLiteral("jpegtran"), args).out;
}

const int kKeptKinds[] = {0xE1, 0xED, 0xE2, 0xFE, 0xE3, 0xEC, 0xEE};

class MetadataTransferTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }

    // What the re-encode step hands over: pixels only, in a fresh JPEG.
    QString reencoded(const QString& source, const QString& name = QStringLiteral("new.jpg"))
    {
        const QString out = tmp.filePath(name);
        const RunResult pixels = run(QStringLiteral("djpeg"), {source});
        writeBytes(out, run(QStringLiteral("cjpeg"),
                            {QStringLiteral("-quality"), QStringLiteral("80")}, pixels.out)
                            .out);
        return out;
    }

    QString scratch(const QString& name, const QByteArray& bytes)
    {
        const QString path = work.filePath(name);
        writeBytes(path, bytes);
        return path;
    }

    QTemporaryDir tmp;  // the run's temporary folder
    QTemporaryDir work; // files a test makes
};

// exiftool's groups for a file, those of the file system and exiftool itself left out.
QStringList metadataGroups(const QString& path)
{
    const RunResult r =
        run(QStringLiteral("exiftool"),
            {QStringLiteral("-a"), QStringLiteral("-G1"), QStringLiteral("-s"), path});
    QStringList groups;
    for (const QByteArray& line : r.out.split('\n')) {
        if (!line.startsWith('['))
            continue;
        const QString group = QString::fromLatin1(line.mid(1, line.indexOf(']') - 1));
        if (group != QLatin1String("ExifTool") && group != QLatin1String("System") &&
            group != QLatin1String("File") && group != QLatin1String("Composite") &&
            !groups.contains(group))
            groups << group;
    }
    return groups;
}

} // namespace

TEST_F(MetadataTransferTest, ReencodeKeepsEveryKindByteForByte)
{
    MetadataTransfer transfer(prefsRemoving(false, false, false, false, false), tmp.path());
    for (const QString& source : readableCorpusPhotos()) {
        const std::string name = QFileInfo(source).fileName().toStdString();
        const QString fresh = reencoded(source);
        QString reason;
        ASSERT_TRUE(transfer.addProfilesFromFile(source, fresh, &reason))
            << name << " " << reason.toStdString();
        const QByteArray src = readBytes(source);
        const QByteArray out = readBytes(fresh);
        for (int kind : kKeptKinds) {
            const auto want = segmentsOf(src, kind);
            const auto got = segmentsOf(out, kind);
            ASSERT_EQ(got.size(), want.size()) << name << " marker " << kind;
            for (size_t i = 0; i < want.size(); ++i)
                EXPECT_EQ(got[i].bytes, want[i].bytes) << name << " marker " << kind;
        }
        // APP0 is the new file's own.
        const RunResult decoded =
            run(QStringLiteral("djpeg"),
                {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), fresh});
        EXPECT_EQ(decoded.status, 0) << name;
        EXPECT_TRUE(decoded.err.isEmpty()) << name << decoded.err.toStdString();
    }
}

TEST_F(MetadataTransferTest, CopyBranchRemovesEverythingAndKeepsTheImageData)
{
    QVariantMap keep = prefsRemoving(true, true, true, true, true);
    keep.insert(key::KeepImageData, 1);
    MetadataTransfer transfer(keep, tmp.path());
    MetadataTransfer optimising(prefsRemoving(true, true, true, true, true), tmp.path());
    int turned = 0, minimalExif = 0, smaller = 0;
    for (const QString& source : readableCorpusPhotos()) {
        const std::string name = QFileInfo(source).fileName().toStdString();
        QString reason;
        const auto stripped = transfer.stripProfilesFrom(source, &reason);
        ASSERT_TRUE(stripped.has_value()) << name << " " << reason.toStdString();
        EXPECT_EQ(*stripped, transfer.temporaryFileFor(source));
        const QByteArray out = readBytes(*stripped);
        const QStringList groups = metadataGroups(*stripped);
        // A value outside 1…8 (exiftool shows it as it stands) means upright.
        int orientation =
            run(QStringLiteral("exiftool"), {QStringLiteral("-n"), QStringLiteral("-s3"),
                                             QStringLiteral("-Orientation"), source})
                .out.trimmed()
                .toInt();
        if (orientation < 1 || orientation > 8)
            orientation = 1;
        if (groups.isEmpty()) {
            for (const auto& s : segmentsOf(out))
                EXPECT_FALSE((s.marker >= 0xE0 && s.marker <= 0xEF) || s.marker == 0xFE) << name;
        } else {
            // A turned photo whose blocks cannot be moved keeps its orientation alone.
            EXPECT_EQ(groups, QStringList{QStringLiteral("IFD0")}) << name;
            const QByteArray tags =
                run(QStringLiteral("exiftool"), {QStringLiteral("-s"), QStringLiteral("-n"),
                                                 QStringLiteral("-IFD0:all"), *stripped})
                    .out;
            EXPECT_EQ(tags.trimmed(), QByteArray("Orientation                     : ") +
                                          QByteArray::number(orientation))
                << name;
            ++minimalExif;
        }
        if (orientation > 1 && groups.isEmpty()) {
            // Turned losslessly: the pixels are those of jpegtran's exact transform.
            const QString expected =
                scratch(QStringLiteral("expected.jpg"), uprightByJpegtran(source, orientation));
            EXPECT_EQ(decodeWithDjpeg(*stripped), decodeWithDjpeg(expected)) << name;
            ++turned;
        } else {
            EXPECT_EQ(fromFirstScan(out), fromFirstScan(readBytes(source))) << name;
        }
        // Without KeepImageData: the same markers and coefficients, in no more bytes.
        const auto optimised = optimising.stripProfilesFrom(source, &reason);
        ASSERT_TRUE(optimised.has_value()) << name << " " << reason.toStdString();
        const QByteArray rewritten = readBytes(*optimised);
        EXPECT_LE(rewritten.size(), out.size()) << name;
        smaller += rewritten.size() < out.size();
        const auto coefficients = coefficientsOf(out);
        ASSERT_TRUE(coefficients.has_value()) << name;
        EXPECT_EQ(coefficientsOf(rewritten), coefficients) << name;
        EXPECT_EQ(appSegmentsOf(rewritten), appSegmentsOf(out)) << name;
    }
    EXPECT_GT(turned, 0);
    EXPECT_GT(minimalExif, 0);
    EXPECT_GT(smaller, 0);
}

TEST_F(MetadataTransferTest, ImageDataLibjpegCannotRewriteAreCopiedAsTheyAre)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/photos/Nikon_D70.jpg"));
    QByteArray twelveBit = photo;
    twelveBit[twelveBit.indexOf(QByteArray("\xFF\xC0", 2)) + 4] = char(12);
    struct Case
    {
        const char* what;
        QByteArray bytes;
        bool mayShrink;
    };
    // The photo as jpegtran writes it with `coding`, every marker kept.
    const auto rewritten = [](const char* coding) {
        return run(QStringLiteral("jpegtran"),
                   {QStringLiteral("-copy"), QStringLiteral("all"), QLatin1String(coding),
                    dataDir() + QStringLiteral("/photos/Nikon_D70.jpg")})
            .out;
    };
    const Case cases[] = {
        {"arithmetic-coded", rewritten("-arithmetic"), true},
        {"12-bit", twelveBit, false},
        {"damaged", readBytes(dataDir() + QStringLiteral("/photos/corrupted.jpg")), false},
        {"progressive", rewritten("-progressive"), true},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.bytes.isEmpty()) << c.what;
        const QString source = scratch(QStringLiteral("source.jpg"), c.bytes);
        // Nothing to remove, and EXIF removed: both paths meet the same rewrite.
        for (const bool removeExif : {false, true}) {
            MetadataTransfer transfer(prefsRemoving(removeExif, false, false, false, false),
                                      tmp.path());
            QString reason;
            bool recoded = true;
            const auto out = transfer.stripProfilesFrom(source, &reason, {}, &recoded);
            ASSERT_TRUE(out.has_value()) << c.what << " " << reason.toStdString();
            const QByteArray bytes = readBytes(*out);
            if (recoded) {
                EXPECT_TRUE(c.mayShrink) << c.what;
                EXPECT_LT(bytes.size(), c.bytes.size()) << c.what;
                EXPECT_EQ(coefficientsOf(bytes), coefficientsOf(c.bytes)) << c.what;
            } else {
                EXPECT_EQ(fromFirstScan(bytes), fromFirstScan(c.bytes)) << c.what;
            }
        }
    }
}

TEST_F(MetadataTransferTest, AlignedTurnedPhotoIsTurnedLosslessly)
{
    // Cropped to whole 16-pixel blocks, every orientation can be turned exactly.
    for (int orientation = 2; orientation <= 8; ++orientation) {
        const QString original =
            dataDir() + QStringLiteral("/photos/orientation/landscape_%1.jpg").arg(orientation);
        const QString source = work.filePath(QStringLiteral("aligned_%1.jpg").arg(orientation));
        writeBytes(source, run(QStringLiteral("jpegtran"),
                               {QStringLiteral("-copy"), QStringLiteral("all"),
                                QStringLiteral("-crop"), QStringLiteral("592x448+0+0"), original})
                               .out);
        MetadataTransfer transfer(prefsRemoving(true, false, false, false, false), tmp.path());
        const auto stripped = transfer.stripProfilesFrom(source);
        ASSERT_TRUE(stripped.has_value()) << orientation;
        EXPECT_TRUE(segmentsOf(readBytes(*stripped), 0xE1).empty()) << orientation;
        // The stripped file has no orientation, so its pixels must equal the source's
        // pixels turned by its orientation.
        const QString expected =
            scratch(QStringLiteral("expected.jpg"), uprightByJpegtran(source, orientation));
        EXPECT_EQ(decodeWithDjpeg(*stripped), decodeWithDjpeg(expected)) << orientation;
    }
}

TEST_F(MetadataTransferTest, MixedFlagsRemoveOnlyWhatWasAsked)
{
    struct Case
    {
        QVariantMap prefs;
        std::vector<int> gone;
    };
    const Case cases[] = {
        {prefsRemoving(true, false, false, false, false), {0xE1}},
        {prefsRemoving(false, true, false, false, false), {0xED}},
        {prefsRemoving(false, false, true, false, false), {0xE2}},
        {prefsRemoving(false, false, false, true, false), {0xFE}},
        {prefsRemoving(false, false, false, false, true), {0xE0, 0xE3, 0xEC, 0xEE}},
        {prefsRemoving(false, true, false, true, false), {0xED, 0xFE}},
    };
    // The segments that describe the image data stay too: they are not rewritten.
    const QStringList sources = {
        dataDir() + QStringLiteral("/photos/xmp/every_kind.jpg"),
        dataDir() + QStringLiteral("/photos/orientation/landscape_1.jpg"),
        dataDir() + QStringLiteral("/photos/Nikon_D70.jpg"),
    };
    for (const QString& source : sources) {
        const QByteArray src = readBytes(source);
        for (const Case& c : cases) {
            QVariantMap prefs = c.prefs;
            prefs.insert(key::KeepImageData, 1);
            MetadataTransfer transfer(prefs, tmp.path());
            const auto stripped = transfer.stripProfilesFrom(source);
            ASSERT_TRUE(stripped.has_value());
            const QByteArray out = readBytes(*stripped);
            std::vector<TestSegment> expected;
            for (const auto& s : segmentsOf(src))
                if (std::find(c.gone.begin(), c.gone.end(), s.marker) == c.gone.end())
                    expected.push_back(s);
            const auto got = segmentsOf(out);
            ASSERT_EQ(got.size(), expected.size()) << source.toStdString();
            for (size_t i = 0; i < got.size(); ++i)
                EXPECT_EQ(got[i].bytes, expected[i].bytes) << source.toStdString();
            EXPECT_EQ(fromFirstScan(out), fromFirstScan(src));
        }
    }
}

TEST_F(MetadataTransferTest, TrivialChains)
{
    const QString source = dataDir() + QStringLiteral("/photos/Canon_40D.jpg");
    ASSERT_TRUE(segmentsOf(readBytes(source), 0xFE).empty());

    // Nothing to remove: the source itself, and nothing written.
    MetadataTransfer keepAll(prefsRemoving(false, false, false, false, false), tmp.path());
    EXPECT_EQ(keepAll.stripProfilesFrom(source), source);
    EXPECT_TRUE(QDir(tmp.path()).isEmpty());

    // Everything removed: the new JPEG is rewritten with its own bytes.
    const QString fresh = reencoded(source);
    const QByteArray before = readBytes(fresh);
    MetadataTransfer removeAll(prefsRemoving(true, true, true, true, true), tmp.path());
    EXPECT_TRUE(removeAll.addProfilesFromFile(source, fresh));
    EXPECT_EQ(readBytes(fresh), before);

    // A comment kept from a source without one: an earlier file's payload never leaks in.
    writeBytes(QDir(tmp.path()).filePath(QStringLiteral("cfile")), "old comment");
    EXPECT_TRUE(keepAll.addProfilesFromFile(source, fresh));
    EXPECT_TRUE(segmentsOf(readBytes(fresh), 0xFE).empty());
}

TEST_F(MetadataTransferTest, DamagedSourcesFailAndWriteNothing)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    const QString damaged[] = {
        scratch(QStringLiteral("empty.jpg"), QByteArray()),
        scratch(QStringLiteral("truncated.jpg"), photo.left(photo.size() / 2)),
        scratch(QStringLiteral("header.jpg"), photo.left(200)),
        scratch(QStringLiteral("png.jpg"), QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)),
        work.filePath(QStringLiteral("missing.jpg")),
    };
    const QString fresh = reencoded(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    const QByteArray freshBytes = readBytes(fresh);
    for (const QString& source : damaged) {
        MetadataTransfer strip(prefsRemoving(false, false, false, true, false), tmp.path());
        QString reason;
        EXPECT_FALSE(strip.stripProfilesFrom(source, &reason).has_value()) << source.toStdString();
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(strip.temporaryFileFor(source))) << source.toStdString();

        const bool headerReadable = run(toolPath(QStringLiteral("rdjpgcom")),
                                        {QStringLiteral("-raw"), QStringLiteral("APP1"), source})
                                        .status == 0;
        MetadataTransfer copy(prefsRemoving(false, false, false, false, false), tmp.path());
        EXPECT_EQ(copy.addProfilesFromFile(source, fresh), headerReadable) << source.toStdString();
        EXPECT_EQ(readBytes(fresh), freshBytes) << source.toStdString();
    }
    // The new JPEG itself damaged: never replaced by what the chain made of it.
    const QString broken =
        scratch(QStringLiteral("broken-new.jpg"), freshBytes.left(freshBytes.size() - 100));
    MetadataTransfer copy(prefsRemoving(false, false, false, false, false), tmp.path());
    EXPECT_FALSE(
        copy.addProfilesFromFile(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"), broken));
    EXPECT_EQ(readBytes(broken).size(), freshBytes.size() - 100);

    // corrupted.jpg has sound markers and damaged image data; the copy branch does not
    // decode, so it keeps that data as it is rather than hang or guess.
    MetadataTransfer strip(prefsRemoving(true, true, true, true, true), tmp.path());
    const auto stripped = strip.stripProfilesFrom(corruptedPhoto());
    ASSERT_TRUE(stripped.has_value());
    EXPECT_EQ(fromFirstScan(readBytes(*stripped)), fromFirstScan(readBytes(corruptedPhoto())));
}

// Mean of each channel of a binary PPM (P6, maxval 255, # comments allowed).
std::array<double, 3> channelMeans(const QByteArray& p)
{
    int fields = 0;
    qsizetype i = 0;
    while (fields < 4 && i < p.size()) {
        while (i < p.size() && (QChar::isSpace(p[i]) || p[i] == '#')) {
            if (p[i] == '#')
                i = p.indexOf('\n', i);
            if (i < 0)
                return {};
            ++i;
        }
        while (i < p.size() && !QChar::isSpace(p[i]))
            ++i;
        ++fields;
    }
    ++i;
    std::array<double, 3> sum{};
    const qsizetype n = (p.size() - i) / 3;
    for (qsizetype k = 0; k < n; ++k)
        for (int c = 0; c < 3; ++c)
            sum[c] += static_cast<unsigned char>(p[i + 3 * k + c]);
    for (double& v : sum)
        v /= double(std::max<qsizetype>(n, 1));
    return sum;
}

TEST_F(MetadataTransferTest, AdobeMarkerKeepsTheColoursOfTheNewImage)
{
    // Sources whose Adobe APP14 says "RGB" and "CMYK"; the new image is YCbCr.
    const QString photo = dataDir() + QStringLiteral("/photos/Canon_40D.jpg");
    const QString ppm = scratch(QStringLiteral("pixels.ppm"), decodeWithDjpeg(photo));
    const QString rgb = work.filePath(QStringLiteral("rgb.jpg"));
    run(QStringLiteral("cjpeg"), {QStringLiteral("-rgb"), QStringLiteral("-outfile"), rgb, ppm});
    const QString cmyk = work.filePath(QStringLiteral("cmyk.jpg"));
    run(QStringLiteral("convert"),
        {ppm, QStringLiteral("-colorspace"), QStringLiteral("CMYK"), cmyk});

    // The same JPEG decoded by libjpeg-turbo, ImageMagick and libvips.
    const auto means = [&](const QString& jpeg) {
        const QString viaVips = work.filePath(QStringLiteral("vips.ppm"));
        run(QStringLiteral("vips"),
            {QStringLiteral("colourspace"), jpeg, viaVips, QStringLiteral("srgb")});
        return std::vector<std::array<double, 3>>{
            channelMeans(run(QStringLiteral("djpeg"), {jpeg}).out),
            channelMeans(
                run(QStringLiteral("convert"), {jpeg, QStringLiteral("-colorspace"),
                                                QStringLiteral("sRGB"), QStringLiteral("ppm:-")})
                    .out),
            channelMeans(readBytes(viaVips))};
    };

    for (const QString& source : {rgb, cmyk}) {
        ASSERT_EQ(segmentsOf(readBytes(source), 0xEE).size(), 1u) << source.toStdString();
        // Without a JFIF marker, decoders take the colour space from the Adobe marker.
        const QByteArray encoded = run(toolPath(QStringLiteral("wrjpgcom")),
                                       {QStringLiteral("-app0"), QStringLiteral("/dev/null")},
                                       run(QStringLiteral("cjpeg"), {ppm}).out)
                                       .out;
        const auto want = means(scratch(QStringLiteral("reference.jpg"), encoded));
        const QString fresh = scratch(QStringLiteral("fresh.jpg"), encoded);
        MetadataTransfer transfer(prefsRemoving(false, false, false, false, false), tmp.path());
        ASSERT_TRUE(transfer.addProfilesFromFile(source, fresh));
        const auto adobe = segmentsOf(readBytes(fresh), 0xEE);
        ASSERT_EQ(adobe.size(), 1u);
        EXPECT_EQ(adobe[0].bytes.at(15), 1) << "the marker says YCbCr, as the new data are";
        const auto got = means(fresh);
        for (size_t lib = 0; lib < got.size(); ++lib)
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(got[lib][c], want[lib][c], 1.0)
                    << source.toStdString() << " decoder " << lib << " channel " << c;
    }
}

TEST_F(MetadataTransferTest, CommentForTheInfoPanel)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    const auto withComment = [&](const QString& name, const QByteArray& text) {
        const QString payload = scratch(QStringLiteral("c.txt"), text);
        const QString path = work.filePath(name);
        writeBytes(path, run(QStringLiteral("/usr/bin/wrjpgcom"),
                             {QStringLiteral("-replace"), QStringLiteral("-cfile"), payload,
                              dataDir() + QStringLiteral("/photos/Canon_40D.jpg")})
                             .out);
        return path;
    };
    struct Case
    {
        QString path;
        QString expected;
    };
    const Case cases[] = {
        {withComment(QStringLiteral("plain.jpg"), "  Sunset over the bay\n\n"),
         QStringLiteral("Sunset over the bay")},
        {withComment(QStringLiteral("utf8.jpg"), QString::fromUtf8("Été à Zürich").toUtf8()),
         QString::fromUtf8("Été à Zürich")},
        {withComment(QStringLiteral("latin1.jpg"), QByteArray("caf\xE9", 4)), QString()},
        {dataDir() + QStringLiteral("/photos/Canon_40D.jpg"), QString()},
        {scratch(QStringLiteral("png.jpg"), QByteArray("\x89PNG\r\n", 6)), QString()},
        {work.filePath(QStringLiteral("missing.jpg")), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(getCOMforURL(c.path), c.expected) << c.path.toStdString();
}

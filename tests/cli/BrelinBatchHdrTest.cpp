// SPDX-License-Identifier: GPL-3.0-or-later
// A phone's HDR photo through brelin-batch: its gain map is carried through every branch,
// scaled and turned with the primary, or left out when asked or when nothing describes it;
// the index (MPF) stays true to the file. The index is read here with a parser of the
// test's own, the images decoded by djpeg.
#include "cli/BatchFixture.h"
#include "support/Coefficients.h"

#include "markers/GainMap.h"
#include "platform/ExifOrientation.h"
#include "scaling/BRLanczosScaleTransform.h"
#include "scaling/Orientation.h"
#include "scaling/Ssim.h"

#include <QRegularExpression>
#include <QtEndian>

using namespace brelin::test;

namespace {

// The file offsets of the images an MPF index lists after the first, and the first one's
// size; empty when the file has no index.
struct Listed
{
    quint32 primarySize = 0;
    QList<qsizetype> starts;
    QList<quint32> sizes;
};

Listed listedImages(const QByteArray& jpeg)
{
    Listed listed;
    const qsizetype mpf = jpeg.indexOf(QByteArray("\xFF\xE2\x00\x58MPF\0", 8));
    if (mpf < 0)
        return listed;
    const qsizetype tiff = mpf + 8;
    const char* t = jpeg.constData() + tiff;
    const bool big = t[0] == 'M';
    const auto u16 = [&](qsizetype at) {
        return big ? qFromBigEndian<quint16>(t + at) : qFromLittleEndian<quint16>(t + at);
    };
    const auto u32 = [&](qsizetype at) {
        return big ? qFromBigEndian<quint32>(t + at) : qFromLittleEndian<quint32>(t + at);
    };
    const quint32 ifd = u32(4);
    for (int i = 0; i < u16(ifd); ++i) {
        const qsizetype tag = ifd + 2 + 12 * i;
        if (u16(tag) != 0xB002)
            continue;
        const quint32 entries = u32(tag + 8);
        listed.primarySize = u32(entries + 4);
        for (quint32 e = 1; e < u32(tag + 4) / 16; ++e) {
            listed.sizes << u32(entries + 16 * e + 4);
            listed.starts << tiff + u32(entries + 16 * e + 8);
        }
    }
    return listed;
}

using BrelinBatchHdr = BatchFixture;

TEST_F(BrelinBatchHdr, TheGainMapsIndexFollowsTheRemovedSegments)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/hdr/pixel_ultrahdr.jpg"));
    const Listed original = listedImages(photo);
    ASSERT_EQ(original.starts.size(), 1);
    const QByteArray map = photo.mid(original.starts[0], original.sizes[0]);
    // A comment after the index: removing it moves the map against the index.
    // (the first SOS after the index: the EXIF thumbnail has one of its own)
    const qsizetype sos =
        photo.indexOf(QByteArray("\xFF\xDA", 2), photo.indexOf(QByteArray("MPF\0", 4)));
    const QByteArray comment("\xFF\xFE\x00\x07hello", 9);
    writeBytes(path("late.jpg"), photo.left(sos) + comment + photo.mid(sos));
    writeBytes(path("hdr.jpg"), photo);

    const struct
    {
        const char* file;
        const char* remove;
        qsizetype removed; // bytes of the primary that go
    } rows[] = {
        {"hdr.jpg", "icc", 602},
        {"hdr.jpg", "others", 18},
        {"late.jpg", "comment", 9}, // its index was not told of the comment
    };
    for (const auto& row : rows) {
        const QString source = path(QLatin1String(row.file));
        const RunResult r = batch({"--lossless", "--keep-image-data", "--remove", row.remove,
                                   "--output", path(QLatin1String(row.remove)), source});
        ASSERT_EQ(r.status, 0) << r.err.constData();
        const QByteArray result =
            readBytes(path(QLatin1String(row.remove) + QLatin1Char('/') + QLatin1String(row.file)));
        const Listed now = listedImages(result);
        ASSERT_EQ(now.starts.size(), 1) << row.remove;
        EXPECT_EQ(result.mid(now.starts[0], now.sizes[0]), map) << row.remove;
        EXPECT_EQ(now.primarySize, original.primarySize - row.removed) << row.remove;
    }
    // Rewritten losslessly smaller, the primary image moves the map again.
    const RunResult r =
        batch({"--lossless", "--remove", "none", "--output", path("optimised"), path("hdr.jpg")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QByteArray result = readBytes(path("optimised/hdr.jpg"));
    const Listed now = listedImages(result);
    ASSERT_EQ(now.starts.size(), 1);
    EXPECT_EQ(result.mid(now.starts[0], now.sizes[0]), map);
    EXPECT_LT(now.primarySize, original.primarySize);
    // libjpeg reads the primary image only.
    const auto coefficients = coefficientsOf(photo);
    ASSERT_TRUE(coefficients.has_value());
    EXPECT_EQ(coefficientsOf(result), coefficients);
}

// A PGM or PPM from djpeg as a bitmap; empty when it did not decode.
Bitmap decoded(const QByteArray& jpeg, const QString& scratch)
{
    writeBytes(scratch, jpeg);
    const QByteArray pnm = decodeWithDjpeg(scratch);
    const QList<QByteArray> head = pnm.left(40).simplified().split(' ');
    if (head.size() < 4 || (head[0] != "P5" && head[0] != "P6"))
        return {};
    Bitmap b(head[1].toInt(), head[2].toInt(), head[0] == "P5" ? 1 : 3);
    std::copy(pnm.end() - qsizetype(b.pixels.size()), pnm.end(), b.pixels.begin());
    return b;
}

TEST_F(BrelinBatchHdr, EveryResultKeepsAReadableGainMapOfTheRightSizeUnlessItIsToGo)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/hdr/pixel_ultrahdr.jpg"));
    const Listed original = listedImages(photo);
    ASSERT_EQ(original.starts.size(), 1);
    const QByteArray map = photo.mid(original.starts[0], original.sizes[0]);
    const Bitmap originalMap = decoded(map, path("map.jpg"));
    ASSERT_EQ(originalMap.width, 1020);
    writeBytes(path("hdr.jpg"), photo);

    // A turned photo whose map has an ISO 21496-1 segment of its own, so that it outlives
    // the XMP; made with the library's own segment tools, checked with the test's.
    auto found = markers::findGainMap(
        {reinterpret_cast<const uint8_t*>(photo.constData()), size_t(photo.size())});
    ASSERT_TRUE(found && found->map);
    const std::string iso = std::string("urn:iso:std:iso:ts:21496:-1") + '\0' + "\0\0\0\0";
    const markers::Segment isoSegment = markers::makeSegment(
        markers::kAPP2, {reinterpret_cast<const uint8_t*>(iso.data()), iso.size()});
    auto& mapPart = found->file.parts[*found->map].bytes;
    mapPart = *markers::editHeader(mapPart, [&](std::vector<markers::Segment>& h) {
        h.insert(h.begin(), isoSegment);
        return true;
    });
    found->file.first =
        *markers::editHeader(found->file.first, [](std::vector<markers::Segment>& h) {
            const auto exif = std::find_if(h.begin(), h.end(), [](const markers::Segment& s) {
                return s.marker == 0xE1 && s.payload().size() > 6 && s.payload()[0] == 'E';
            });
            const auto turned = brelin::orientationOnlyApp1(6);
            exif->bytes = turned;
            return true;
        });
    const auto turnedFile = markers::joinStoredImages(found->file);
    ASSERT_TRUE(turnedFile);
    writeBytes(path("turned.jpg"), QByteArray(reinterpret_cast<const char*>(turnedFile->data()),
                                              qsizetype(turnedFile->size())));
    // Damage: the file cut inside the map, and a map whose image data are noise.
    writeBytes(path("cut.jpg"), photo.left(photo.size() - 1000));
    QByteArray noisy = photo;
    for (qsizetype i = original.starts[0] + 2000; i < original.starts[0] + 4000; ++i)
        noisy[i] = char(i * 37);
    writeBytes(path("noisy.jpg"), noisy);

    const struct
    {
        const char* file;
        QStringList args;
        int mapWidth; // 0: no map is left
        int mapHeight;
        bool sameMap;    // the map's bytes as they were
        const char* log; // a line the run must log, or ""
    } rows[] = {
        {"hdr.jpg", {"--fit", "max:1920"}, 480, 361, false, ""},
        {"hdr.jpg", {"--scale", "0.5"}, 510, 384, false, ""},
        {"hdr.jpg", {"--keep-size"}, 1020, 768, true, ""},
        {"hdr.jpg", {"--fit", "max:1920", "--remove", "gainmap"}, 0, 0, false, ""},
        {"hdr.jpg", {"--fit", "max:1920", "--remove", "exif"}, 0, 0, false, "went with the XMP"},
        {"hdr.jpg", {"--lossless", "--remove", "iptc,icc,comment,others"}, 1020, 768, true, ""},
        {"hdr.jpg", {"--lossless", "--remove", "gainmap"}, 0, 0, false, ""},
        {"hdr.jpg", {"--lossless", "--remove", "exif"}, 0, 0, false, "went with the XMP"},
        {"turned.jpg", {"--lossless", "--remove", "exif"}, 768, 1020, false, ""},
        {"turned.jpg", {"--fit", "max:1920", "--remove", "exif"}, 361, 480, false, ""},
        {"cut.jpg", {"--fit", "max:1920"}, 0, 0, false, "past the end"},
        {"noisy.jpg", {"--fit", "max:1920"}, 0, 0, false, "cannot be decoded"},
        {"noisy.jpg", {"--lossless", "--remove", "icc"}, 1020, 768, true, ""},
    };
    int n = 0;
    for (const auto& row : rows) {
        const QString what =
            QLatin1String(row.file) + QLatin1Char(' ') + row.args.join(QLatin1Char(' '));
        SCOPED_TRACE(what.toStdString());
        const QString out = path(QStringLiteral("out%1").arg(++n));
        const RunResult r =
            batch(QStringList(row.args) << QStringLiteral("--verbose") << QStringLiteral("--output")
                                        << out << path(QLatin1String(row.file)));
        ASSERT_EQ(r.status, 0) << r.err.constData();
        EXPECT_TRUE(r.err.contains(row.log)) << r.err.constData();
        const QByteArray result = readBytes(out + QLatin1Char('/') + QLatin1String(row.file));
        const Bitmap primary = decoded(result, path("primary.jpg"));
        ASSERT_FALSE(primary.empty());
        const Listed now = listedImages(result);
        if (!row.mapWidth) {
            EXPECT_TRUE(now.starts.isEmpty());
            EXPECT_FALSE(result.contains(QByteArray("MPF\0", 4)));
            EXPECT_FALSE(result.contains("Item:Semantic=\"GainMap\""));
            continue;
        }
        ASSERT_EQ(now.starts.size(), 1);
        ASSERT_LE(now.starts[0] + now.sizes[0], result.size());
        const QByteArray newMap = result.mid(now.starts[0], now.sizes[0]);
        ASSERT_TRUE(newMap.startsWith("\xFF\xD8"));
        const auto length = QRegularExpression(QStringLiteral("Item:Length=\"(\\d+)\""))
                                .match(QString::fromLatin1(result));
        if (result.contains("Item:Semantic=\"GainMap\"")) {
            EXPECT_EQ(length.captured(1).toLongLong(), newMap.size());
        }
        const Bitmap got = decoded(newMap, path("newmap.jpg"));
        ASSERT_EQ(got.width, row.mapWidth);
        ASSERT_EQ(got.height, row.mapHeight);
        EXPECT_NEAR(double(primary.width) / got.width, 4.0, 4.0 / got.width) << "within a pixel";
        if (row.sameMap) {
            EXPECT_EQ(newMap, readBytes(path(QLatin1String(row.file)))
                                  .mid(original.starts[0], original.sizes[0]));
            continue;
        }
        const bool turned = QLatin1String(row.file) == QLatin1String("turned.jpg");
        const int storedW = turned ? got.height : got.width,
                  storedH = turned ? got.width : got.height;
        auto reference = BRLanczosScaleTransform::resize(originalMap, storedW, storedH,
                                                         double(storedW) / originalMap.width,
                                                         double(storedH) / originalMap.height);
        ASSERT_TRUE(reference);
        const Bitmap upright = turnUpright(*reference, turned ? 6 : 1);
        EXPECT_GE(meanSsim(got, upright).value_or(0), 0.98);
    }
}

} // namespace

// A phone's HDR photo through brelin-batch: its gain map's index (MPF) stays true to the
// file when segments are removed, and a re-encoded result carries no index that points
// past its end. The index is read here with a parser of the test's own.
#include "cli/BatchFixture.h"

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
    const QByteArray photo = readBytes(corpusDir() + QStringLiteral("/hdr/pixel_ultrahdr.jpg"));
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
        const RunResult r = batch({"--lossless", "--remove", row.remove, "--output",
                                   path(QLatin1String(row.remove)), source});
        ASSERT_EQ(r.status, 0) << r.err.constData();
        const QByteArray result =
            readBytes(path(QLatin1String(row.remove) + QLatin1Char('/') + QLatin1String(row.file)));
        const Listed now = listedImages(result);
        ASSERT_EQ(now.starts.size(), 1) << row.remove;
        EXPECT_EQ(result.mid(now.starts[0], now.sizes[0]), map) << row.remove;
        EXPECT_EQ(now.primarySize, original.primarySize - row.removed) << row.remove;
    }
    // Encoded anew, the primary has lost its map: no index claims one.
    ASSERT_EQ(batch({"--keep-size", path("hdr.jpg")}).status, 0);
    const QByteArray reencoded = readBytes(path("hdr-small.jpg"));
    EXPECT_EQ(listedImages(reencoded).starts.size(), 0);
    EXPECT_FALSE(reencoded.contains(QByteArray("MPF\0", 4)));
    EXPECT_TRUE(reencoded.contains("ICC_PROFILE")) << "the profile is still copied";
}

} // namespace

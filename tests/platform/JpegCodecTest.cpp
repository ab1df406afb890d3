// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG codec against libjpeg-turbo's own tools: every coding and colour space,
// reduction in the DCT domain, damaged and oversized files, and the encoder's choices.
#include "platform/JpegCodec.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace brelin;
using namespace brelin::test;

namespace {

std::span<const uint8_t> span(const QByteArray& a)
{
    return {reinterpret_cast<const uint8_t*>(a.constData()), size_t(a.size())};
}

QByteArray ppmPixels(const QByteArray& ppm)
{
    // P5/P6 with no comments, as djpeg writes them: magic, width, height, maxval.
    int fields = 0;
    qsizetype i = 0;
    while (fields < 4) {
        while (QChar::isSpace(ppm[i]))
            ++i;
        while (!QChar::isSpace(ppm[i]))
            ++i;
        ++fields;
    }
    return ppm.mid(i + 1);
}

double meanOf(const Bitmap& b, int k)
{
    double s = 0;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            s += b.row(y)[x * b.channels + k];
    return s / (double(b.width) * b.height);
}

class JpegCodec : public ::testing::Test
{
protected:
    QString photo() const { return dataDir() + QStringLiteral("/photos/Canon_40D.jpg"); }
    QString made(const QString& name, const QString& program, QStringList args)
    {
        const QString out = tmp.filePath(name);
        args.prepend(out);
        args.prepend(QStringLiteral("-outfile"));
        run(program, args);
        return out;
    }
    QTemporaryDir tmp;
};

} // namespace

TEST_F(JpegCodec, DecodesAsLibjpegTurboDoes)
{
    const QString progressive = made(QStringLiteral("p.jpg"), QStringLiteral("jpegtran"),
                                     {QStringLiteral("-progressive"), photo()});
    const QString arithmetic = made(QStringLiteral("a.jpg"), QStringLiteral("jpegtran"),
                                    {QStringLiteral("-arithmetic"), photo()});
    QStringList files{photo(), progressive, arithmetic};
    // libjpeg decodes stray bytes between header segments with a warning; so do we.
    for (Stray where : {Stray::BeforeDqt, Stray::BeforeApp, Stray::AfterShortApp14}) {
        files << tmp.filePath(QStringLiteral("stray%1.jpg").arg(int(where)));
        writeBytes(files.last(), withStrayBytes(readBytes(photo()), where).file);
    }
    for (const QString& file : files) {
        for (int shrink : {1, 2, 4, 8}) {
            JpegError error;
            const auto d = decodeJpeg(span(readBytes(file)), shrink, error);
            ASSERT_TRUE(d) << file.toStdString() << " " << error;
            EXPECT_EQ(d->bitmap.channels, 3);
            EXPECT_EQ(d->info.width, 100);
            EXPECT_EQ(d->info.height, 68);
            const QByteArray want =
                ppmPixels(run(QStringLiteral("djpeg"),
                              {QStringLiteral("-scale"), QStringLiteral("1/%1").arg(shrink), file})
                              .out);
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(d->bitmap.pixels.data()),
                                 qsizetype(d->bitmap.pixels.size())),
                      want)
                << file.toStdString() << " 1/" << shrink;
        }
    }
}

TEST_F(JpegCodec, GreyAndCmykSources)
{
    const QString ppm = tmp.filePath(QStringLiteral("pixels.ppm"));
    writeBytes(ppm, run(QStringLiteral("djpeg"), {photo()}).out);
    JpegError error;
    const auto rgb = decodeJpeg(span(readBytes(photo())), 1, error);
    ASSERT_TRUE(rgb);

    const QString grey =
        made(QStringLiteral("g.jpg"), QStringLiteral("cjpeg"), {QStringLiteral("-grayscale"), ppm});
    const auto g = decodeJpeg(span(readBytes(grey)), 1, error);
    ASSERT_TRUE(g) << error;
    EXPECT_TRUE(g->info.grey);
    EXPECT_EQ(g->bitmap.channels, 1);

    // Adobe CMYK, as Photoshop and ImageMagick write it, comes back as the same colours.
    const QString cmyk = tmp.filePath(QStringLiteral("cmyk.jpg"));
    run(QStringLiteral("convert"), {ppm, QStringLiteral("-colorspace"), QStringLiteral("CMYK"),
                                    QStringLiteral("-quality"), QStringLiteral("95"), cmyk});
    const auto c = decodeJpeg(span(readBytes(cmyk)), 1, error);
    ASSERT_TRUE(c) << error;
    EXPECT_EQ(c->info.components, 4);
    ASSERT_EQ(c->bitmap.channels, 3);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(meanOf(c->bitmap, k), meanOf(rgb->bitmap, k), 4.0) << k;
}

TEST_F(JpegCodec, DamagedAndOversizedFilesFailWithAReason)
{
    const QByteArray good = readBytes(photo());
    QByteArray huge = good;
    // The frame header's height and width: 30000 × 30000 pixels.
    // The last frame header is the image's own; the first may be the EXIF thumbnail's.
    const qsizetype sof = huge.lastIndexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0x75);
    huge[sof + 6] = char(0x30);
    huge[sof + 7] = char(0x75);
    huge[sof + 8] = char(0x30);
    // A 12-bit frame, and a lossless one (SOF3), in a header that is otherwise the photo's.
    QByteArray twelveBit = good, lossless = good;
    twelveBit[sof + 4] = char(12);
    lossless[sof + 1] = char(0xC3);
    struct Case
    {
        const char* what;
        QByteArray bytes;
        JpegProblem problem;
        const char* message; // part of it
    };
    const Case cases[] = {
        {"zero bytes", QByteArray(), JpegProblem::NotJpeg, ""},
        {"a PNG", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + QByteArray(100, '\0'),
         JpegProblem::NotJpeg, ""},
        {"truncated", good.left(good.size() / 2), JpegProblem::Truncated, "remature end"},
        {"corrupted.jpg", readBytes(corruptedPhoto()), JpegProblem::Damaged, ""},
        {"stray bytes inside the scan", withStrayBytes(good, Stray::InsideScan).file,
         JpegProblem::Damaged, "Corrupt"},
        {"30000 × 30000 pixels", huge, JpegProblem::TooLarge, "2^28"},
        {"12-bit", twelveBit, JpegProblem::Precision, "precision 12"},
        {"lossless", lossless, JpegProblem::Unsupported, "0xc3"},
    };
    for (const Case& c : cases) {
        JpegError error;
        EXPECT_FALSE(decodeJpeg(span(c.bytes), 1, error)) << c.what;
        EXPECT_EQ(error.problem, c.problem) << c.what << ": " << error;
        EXPECT_NE(error.message.find(c.message), std::string::npos) << c.what << ": " << error;
    }
    JpegError error;
    EXPECT_FALSE(readJpegInfo(span(huge), error));
}

TEST_F(JpegCodec, EncoderChoices)
{
    EXPECT_EQ(qualityFor(0.8f), 80);
    EXPECT_EQ(qualityFor(0.0f), 1);
    EXPECT_EQ(qualityFor(-3.0f), 1);
    EXPECT_EQ(qualityFor(1.7f), 100);
    EXPECT_EQ(qualityFor(0.555f), 56);

    JpegError error;
    const auto src = decodeJpeg(span(readBytes(photo())), 1, error);
    ASSERT_TRUE(src);
    for (bool grey : {false, true}) {
        const auto bytes = encodeJpeg(src->bitmap, 0.8f, grey, error);
        ASSERT_TRUE(bytes) << error;
        const QByteArray jpeg(reinterpret_cast<const char*>(bytes->data()),
                              qsizetype(bytes->size()));
        // One component for a grey source.
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        ASSERT_GT(sof, 0);
        EXPECT_EQ(int(jpeg[sof + 9]), grey ? 1 : 3);
        const auto back = decodeJpeg(span(jpeg), 1, error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(back->bitmap.width, src->bitmap.width);
        for (int k = 0; k < (grey ? 0 : 3); ++k)
            EXPECT_NEAR(meanOf(back->bitmap, k), meanOf(src->bitmap, k), 1.5);
    }
}

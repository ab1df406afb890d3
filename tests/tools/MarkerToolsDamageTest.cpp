// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged and hostile input: the tools end at once with one line on standard error,
// a non-zero status and no partial JPEG.
#include "platform/Resources.h"
#include "support/JpegFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

struct Outcome
{
    int status = -1;
    QByteArray written;
    QByteArray err;
};

// Runs a tool with its standard output going to a file, as when the tool writes a JPEG.
Outcome runToFile(const QString& program, const QStringList& args, const QByteArray& input,
                  const QString& outFile)
{
    QFile::remove(outFile);
    QProcess p;
    p.setStandardOutputFile(outFile);
    p.start(program, args);
    Outcome o;
    if (!p.waitForStarted())
        return o;
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000)) {
        p.kill();
        return o;
    }
    o.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    o.err = p.readAllStandardError();
    o.written = readBytes(outFile);
    return o;
}

QByteArray scanWithFakeEoi()
{
    // SOI, a frame, SOS, entropy data, a comment between scans whose bytes look like an
    // EOI, more data, the real EOI, then trailing bytes that belong to the file.
    QByteArray j("\xFF\xD8", 2);
    j += QByteArray("\xFF\xC0\x00\x0B\x08\x00\x01\x00\x01\x01\x01\x11\x00", 13);
    j += QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    j += QByteArray("\x12\x34\xFF\x00\x56\xFF\xD0\x78", 8);
    j += QByteArray("\xFF\xFE\x00\x06\xFF\xD9\xFF\xD9", 8);
    j += QByteArray("\x9A\xBC", 2);
    j += QByteArray("\xFF\xFF\xD9", 3);
    j += QByteArray("trailer", 7);
    return j;
}

} // namespace

TEST(MarkerToolsDamage, BadStreamsFailCleanly)
{
    QTemporaryDir tmp;
    const QByteArray photo = readBytes(readableCorpusPhotos().value(0));
    const QByteArray fake = scanWithFakeEoi();
    // headerDamaged: the damage lies before the image data, where rdjpgcom reads too.
    struct Case
    {
        const char* what;
        QByteArray bytes;
        bool headerDamaged;
    };
    const Case cases[] = {
        {"zero bytes", QByteArray(), true},
        {"text", QByteArray("this is not a photo\n"), true},
        {"PNG renamed", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + QByteArray(200, '\x01'),
         true},
        {"SOI alone", QByteArray("\xFF\xD8", 2), true},
        {"SOI then EOI", QByteArray("\xFF\xD8\xFF\xD9", 4), true},
        {"segment length 1", QByteArray("\xFF\xD8\xFF\xE1\x00\x01", 6) + photo.mid(2), true},
        {"segment past the end", QByteArray("\xFF\xD8\xFF\xE1\xFF\xF0", 6) + QByteArray(100, 'x'),
         true},
        {"truncated in the header", photo.left(300), true},
        {"truncated in the image data", photo.left(photo.size() / 2), false},
        {"EOI missing", photo.left(photo.size() - 2), false},
        {"fake EOI inside a segment after the scan", fake.left(fake.size() - 12), false},
    };
    const QString rd = toolPath(QStringLiteral("rdjpgcom"));
    const QString wr = toolPath(QStringLiteral("wrjpgcom"));
    const QString out = tmp.filePath(QStringLiteral("out.jpg"));
    for (const Case& c : cases) {
        const QString in = tmp.filePath(QStringLiteral("in.jpg"));
        writeBytes(in, c.bytes);
        for (const QStringList& args :
             {QStringList{QStringLiteral("-app1"), QStringLiteral("/dev/null")},
              QStringList{QStringLiteral("-cfile"), QStringLiteral("/dev/null")},
              QStringList{QStringLiteral("-app2"), QStringLiteral("/dev/null"), in}}) {
            const Outcome o = runToFile(wr, args, c.bytes, out);
            EXPECT_EQ(o.status, 1) << c.what;
            EXPECT_TRUE(o.written.isEmpty()) << c.what << " wrote " << o.written.size();
            EXPECT_EQ(o.err.count('\n'), 1) << c.what;
            EXPECT_TRUE(o.err.startsWith("wrjpgcom: ")) << c.what;
        }
        // rdjpgcom reads only up to the image data, so a damaged scan is not its concern.
        if (c.headerDamaged) {
            const RunResult r = run(rd, {QStringLiteral("-raw"), QStringLiteral("APP1"), in});
            EXPECT_EQ(r.status, 1) << c.what;
            EXPECT_TRUE(r.out.isEmpty()) << c.what;
            EXPECT_EQ(r.err.count('\n'), 1) << c.what;
        }
    }

    // The whole synthetic stream passes unchanged, trailer included.
    const Outcome whole =
        runToFile(wr, {QStringLiteral("-app1"), QStringLiteral("/dev/null")}, fake, out);
    EXPECT_EQ(whole.status, 0) << whole.err.toStdString();
    EXPECT_EQ(whole.written, fake);
}

TEST(MarkerToolsDamage, BadPayloadsAreRefused)
{
    QTemporaryDir tmp;
    const QString photo = readableCorpusPhotos().value(0);
    const QByteArray source = readBytes(photo);
    struct Case
    {
        const char* what;
        const char* option;
        QByteArray payload;
    };
    const Case cases[] = {
        {"another marker", "-app1", QByteArray("\xFF\xE2\x00\x04hi", 6)},
        {"length too long", "-app1", QByteArray("\xFF\xE1\x00\x09hi", 6)},
        {"length below two", "-app1", QByteArray("\xFF\xE1\x00\x01", 4)},
        {"trailing bytes", "-app1", QByteArray("\xFF\xE1\x00\x04hiX", 7)},
        {"raw text", "-app13", QByteArray("Photoshop 3.0")},
    };
    const QString out = tmp.filePath(QStringLiteral("out.jpg"));
    for (const Case& c : cases) {
        const QString payload = tmp.filePath(QStringLiteral("payload"));
        writeBytes(payload, c.payload);
        const Outcome o = runToFile(toolPath(QStringLiteral("wrjpgcom")),
                                    {QString::fromLatin1(c.option), payload}, source, out);
        EXPECT_EQ(o.status, 1) << c.what;
        EXPECT_TRUE(o.written.isEmpty()) << c.what;
        EXPECT_TRUE(o.err.contains("payload")) << c.what << o.err.toStdString();
    }
}

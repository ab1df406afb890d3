// SPDX-License-Identifier: GPL-3.0-or-later
// rdjpgcom and wrjpgcom as separate programs: what they keep is kept byte for byte,
// in order, and everything from the first scan on is copied unchanged.
#include "platform/Resources.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

QString rd()
{
    return toolPath(QStringLiteral("rdjpgcom"));
}
QString wr()
{
    return toolPath(QStringLiteral("wrjpgcom"));
}

QByteArray concat(const std::vector<TestSegment>& segments)
{
    QByteArray all;
    for (const auto& s : segments)
        all += s.bytes;
    return all;
}

std::vector<int> markersOf(const QByteArray& jpeg, int without = -1)
{
    std::vector<int> out;
    for (const auto& s : segmentsOf(jpeg))
        if (s.marker != without)
            out.push_back(s.marker);
    return out;
}

bool standTogether(const QByteArray& jpeg, int marker)
{
    const std::vector<int> m = markersOf(jpeg);
    const auto first = std::find(m.begin(), m.end(), marker);
    const auto afterRun = std::find_if(first, m.end(), [&](int x) { return x != marker; });
    return std::find(afterRun, m.end(), marker) == m.end();
}

class MarkerTools : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(rd().isEmpty());
        ASSERT_FALSE(wr().isEmpty());
        ASSERT_TRUE(tmp.isValid());
    }
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = tmp.filePath(name);
        writeBytes(path, bytes);
        return path;
    }
    QTemporaryDir tmp;
};

// The photos as the cameras wrote them, and the same data made progressive and
// arithmetic-coded by jpegtran, so that tables between scans are crossed too.
QStringList samples(QTemporaryDir& tmp)
{
    QStringList files = readableCorpusPhotos();
    const QString base = files.value(0);
    int n = 0;
    for (const char* coding : {"-progressive", "-arithmetic"}) {
        for (const QString& src : {base, files.value(files.size() / 2)}) {
            const QString out = tmp.filePath(QStringLiteral("variant%1.jpg").arg(n++));
            run(QStringLiteral("jpegtran"),
                {QStringLiteral("-copy"), QStringLiteral("all"), QString::fromLatin1(coding),
                 QStringLiteral("-outfile"), out, src});
            files << out;
        }
    }
    return files;
}

} // namespace

TEST_F(MarkerTools, AppSegmentsRoundTripOnEveryPhoto)
{
    const QStringList files = samples(tmp);
    ASSERT_GE(files.size(), 30);
    for (const QString& path : files) {
        const QByteArray source = readBytes(path);
        ASSERT_FALSE(source.isEmpty()) << path.toStdString();
        for (int n : {0, 1, 2, 3, 12, 13, 14}) {
            const int marker = 0xE0 + n;
            const QString name = QStringLiteral("APP%1").arg(n);
            const std::string where = path.toStdString() + " " + name.toStdString();

            const RunResult raw = run(rd(), {QStringLiteral("-raw"), name, path});
            ASSERT_EQ(raw.status, 0) << where << raw.err.toStdString();
            EXPECT_EQ(raw.out, concat(segmentsOf(source, marker))) << where;

            const RunResult stripped =
                run(wr(), {QLatin1Char('-') + name.toLower(), QStringLiteral("/dev/null")}, source);
            ASSERT_EQ(stripped.status, 0) << where << stripped.err.toStdString();
            EXPECT_TRUE(segmentsOf(stripped.out, marker).empty()) << where;
            EXPECT_EQ(markersOf(stripped.out), markersOf(source, marker)) << where;
            EXPECT_EQ(fromFirstScan(stripped.out), fromFirstScan(source)) << where;

            const QString payload = file(QStringLiteral("payload"), raw.out);
            const RunResult restored =
                run(wr(), {QLatin1Char('-') + name.toLower(), payload}, stripped.out);
            ASSERT_EQ(restored.status, 0) << where << restored.err.toStdString();
            EXPECT_EQ(concat(segmentsOf(restored.out, marker)), raw.out) << where;
            EXPECT_EQ(markersOf(restored.out, marker), markersOf(source, marker)) << where;
            EXPECT_EQ(fromFirstScan(restored.out), fromFirstScan(source)) << where;

            // Replacing in place puts the segments where the first old one stood, so a
            // file whose segments of that kind stand together comes back unchanged.
            const RunResult inPlace =
                run(wr(), {QLatin1Char('-') + name.toLower(), payload}, source);
            ASSERT_EQ(inPlace.status, 0) << where;
            if (standTogether(source, marker)) {
                EXPECT_EQ(inPlace.out, source) << where;
            }
        }
    }
}

TEST_F(MarkerTools, NewSegmentsTakeTheCanonicalPlace)
{
    const QString photo = readableCorpusPhotos().value(0);
    QByteArray bare = readBytes(photo);
    for (const char* m : {"-app0", "-app1", "-app2", "-app13", "-app14"})
        bare = run(wr(), {QString::fromLatin1(m), QStringLiteral("/dev/null")}, bare).out;
    ASSERT_EQ(markersOf(bare).front(), 0xDB);

    const auto segment = [](int marker, const QByteArray& payload) {
        QByteArray s("\xFF", 1);
        s += char(marker);
        s += char((payload.size() + 2) >> 8);
        s += char((payload.size() + 2) & 0xFF);
        return s + payload;
    };
    QByteArray jpeg = bare;
    for (int n : {2, 14, 0, 1, 13}) {
        const QString payload = file(QStringLiteral("p%1").arg(n), segment(0xE0 + n, "data"));
        const RunResult r = run(wr(), {QStringLiteral("-app%1").arg(n), payload}, jpeg);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        jpeg = r.out;
    }
    const std::vector<int> expected{0xE0, 0xE1, 0xE2, 0xED, 0xEE};
    const std::vector<int> got = markersOf(jpeg);
    EXPECT_EQ(std::vector<int>(got.begin(), got.begin() + 5), expected);
    EXPECT_EQ(fromFirstScan(jpeg), fromFirstScan(bare));

    // Several segments of one kind stay in order: an ICC profile in chunks, EXIF with XMP.
    QByteArray chunks;
    for (int i = 1; i <= 3; ++i)
        chunks += segment(0xE2, QByteArray("ICC_PROFILE\0", 12) + char(i) + char(3) +
                                    QByteArray(60000, char('a' + i)));
    const QString icc = file(QStringLiteral("icc"), chunks);
    jpeg = run(wr(), {QStringLiteral("-app2"), icc}, jpeg).out;
    EXPECT_EQ(run(rd(), {QStringLiteral("-raw"), QStringLiteral("APP2"),
                         file(QStringLiteral("j.jpg"), jpeg)})
                  .out,
              chunks);
    QByteArray app1 =
        segment(0xE1, QByteArray("Exif\0\0MM", 8)) +
        segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>") +
        segment(0xE1, "http://ns.adobe.com/xmp/extension/\0" + QByteArray(65000, 'x'));
    jpeg = run(wr(), {QStringLiteral("-app1"), file(QStringLiteral("app1"), app1)}, jpeg).out;
    EXPECT_EQ(concat(segmentsOf(jpeg, 0xE1)), app1);
    EXPECT_EQ(run(QStringLiteral("djpeg"), {file(QStringLiteral("k.jpg"), jpeg)}).status, 0);
}

TEST_F(MarkerTools, CommentsRoundTripAtAnyLength)
{
    const QString photo = readableCorpusPhotos().value(0);
    const QByteArray source = readBytes(photo);
    QByteArray binary("a\0b\xFF\xD9z", 6);
    const QByteArray comments[] = {
        QByteArray(),
        QByteArray("Hello"),
        QString::fromUtf8("Été à Zürich — 東京 📷").toUtf8(),
        QByteArray(65533, 'c'),
        QByteArray(65534, 'd'),
        QByteArray(100 * 1024, 'e') + "end",
        binary,
    };
    for (const QByteArray& text : comments) {
        const QString payload = file(QStringLiteral("comment"), text);
        const RunResult w = run(wr(), {QStringLiteral("-cfile"), payload}, source);
        ASSERT_EQ(w.status, 0) << w.err.toStdString();
        const auto com = segmentsOf(w.out, 0xFE);
        EXPECT_EQ(com.size(), size_t((text.size() + 65532) / 65533)) << text.size();
        // One block after the leading APP segments, before the tables.
        const std::vector<int> m = markersOf(w.out);
        const auto first = std::find(m.begin(), m.end(), 0xFE);
        if (!text.isEmpty()) {
            EXPECT_TRUE(
                std::all_of(m.begin(), first, [](int x) { return x >= 0xE0 && x <= 0xEF; }));
        }
        const auto after = std::find_if(first, m.end(), [](int x) { return x != 0xFE; });
        EXPECT_EQ(std::count(after, m.end(), 0xFE), 0);
        if (!text.isEmpty()) {
            EXPECT_FALSE(*after >= 0xE0 && *after <= 0xEF);
        }
        EXPECT_EQ(fromFirstScan(w.out), fromFirstScan(source));
        const QString out = file(QStringLiteral("out.jpg"), w.out);
        const RunResult r = run(rd(), {out});
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(r.out, text) << text.size();
    }
}

TEST_F(MarkerTools, CommentsInteroperateWithLibjpegTurboTools)
{
    const QString photo = readableCorpusPhotos().value(0);
    const QString text = QString::fromUtf8("Vue du pont — 東京, été 2026");

    // Theirs writes, ours reads.
    const QString theirs = tmp.filePath(QStringLiteral("theirs.jpg"));
    const RunResult w = run(QStringLiteral("/usr/bin/wrjpgcom"),
                            {QStringLiteral("-replace"), QStringLiteral("-comment"), text, photo});
    ASSERT_EQ(w.status, 0) << w.err.toStdString();
    writeBytes(theirs, w.out);
    EXPECT_EQ(QString::fromUtf8(run(rd(), {theirs}).out), text);

    // Ours writes, theirs reads: one line per comment segment.
    for (const QByteArray& comment : {text.toUtf8(), QByteArray(100 * 1024, 'z')}) {
        const RunResult ours = run(
            wr(), {QStringLiteral("-cfile"), file(QStringLiteral("c"), comment)}, readBytes(photo));
        const QString path = file(QStringLiteral("ours.jpg"), ours.out);
        const RunResult read =
            run(QStringLiteral("/usr/bin/rdjpgcom"), {QStringLiteral("-raw"), path});
        ASSERT_EQ(read.status, 0);
        EXPECT_EQ(QByteArray(read.out).replace('\n', ""), comment);
    }
}

TEST_F(MarkerTools, HelpAndUsage)
{
    struct Case
    {
        QString program;
        QStringList args;
        int status;
    };
    const QString photo = readableCorpusPhotos().value(0);
    const Case cases[] = {
        {rd(), {QStringLiteral("--help")}, 0},
        {wr(), {QStringLiteral("--help")}, 0},
        {rd(), {}, 2},
        {wr(), {}, 2},
        {rd(), {QStringLiteral("-raw"), QStringLiteral("APP16"), photo}, 2},
        {rd(), {QStringLiteral("-raw"), QStringLiteral("COM"), photo}, 2},
        {wr(), {QStringLiteral("-app99"), QStringLiteral("/dev/null")}, 2},
        {wr(), {QStringLiteral("-comment"), QStringLiteral("/dev/null")}, 2},
        {wr(), {QStringLiteral("-app1"), tmp.filePath(QStringLiteral("missing"))}, 1},
        {rd(), {tmp.filePath(QStringLiteral("missing.jpg"))}, 1},
    };
    for (const Case& c : cases) {
        const RunResult r = run(c.program, c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(QLatin1Char(' ')).toStdString();
        if (c.status == 0) {
            EXPECT_TRUE(r.out.startsWith("usage:"));
        } else {
            EXPECT_EQ(r.err.count('\n'), c.status == 1 ? 1 : r.err.count('\n'));
        }
    }
}

// Editors' stray bytes between header segments are skipped as libjpeg skips them: every
// segment is read whole, and the output is the file without them.
TEST_F(MarkerTools, StrayHeaderBytesAreSkippedAndLeftOut)
{
    const QByteArray photo = readBytes(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"));
    const QString comment = file(QStringLiteral("comment"), "x");
    for (Stray where : {Stray::BeforeDqt, Stray::BeforeApp, Stray::AfterShortApp14}) {
        const StrayFixture f = withStrayBytes(photo, where);
        const std::string what = "stray case " + std::to_string(int(where));
        const QString path = file(QStringLiteral("stray.jpg"), f.file);
        for (const auto& [name, marker] : {std::pair{"APP1", 0xE1}, std::pair{"APP14", 0xEE}}) {
            const RunResult raw = run(rd(), {QStringLiteral("-raw"), QLatin1String(name), path});
            ASSERT_EQ(raw.status, 0) << what << raw.err.toStdString();
            EXPECT_EQ(raw.out, concat(segmentsOf(f.clean, marker))) << what << name;
        }
        // Through both tools and back: the APP1 segments byte for byte, the rest untouched.
        const RunResult app1 = run(rd(), {QStringLiteral("-raw"), QStringLiteral("APP1"), path});
        const QString payload = file(QStringLiteral("payload"), app1.out);
        const RunResult stripped =
            run(wr(), {QStringLiteral("-app1"), QStringLiteral("/dev/null")}, f.file);
        ASSERT_EQ(stripped.status, 0) << what << stripped.err.toStdString();
        const RunResult restored = run(wr(), {QStringLiteral("-app1"), payload}, stripped.out);
        ASSERT_EQ(restored.status, 0) << what << restored.err.toStdString();
        EXPECT_EQ(restored.out, f.clean) << what;
        EXPECT_EQ(run(wr(), {QStringLiteral("-cfile"), comment}, f.file).out,
                  run(wr(), {QStringLiteral("-cfile"), comment}, f.clean).out)
            << what;
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/JpegFiles.h"

#include "support/TestEnv.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>

namespace brelin::test {

std::vector<TestSegment> segmentsOf(const QByteArray& jpeg)
{
    std::vector<TestSegment> out;
    const auto* d = reinterpret_cast<const unsigned char*>(jpeg.constData());
    qsizetype i = 2;
    while (i + 4 <= jpeg.size() && d[i] == 0xFF && d[i + 1] != 0xDA) {
        const qsizetype length = d[i + 2] << 8 | d[i + 3];
        out.push_back({d[i + 1], jpeg.mid(i, 2 + length)});
        i += 2 + length;
    }
    return out;
}

std::vector<TestSegment> segmentsOf(const QByteArray& jpeg, int marker)
{
    std::vector<TestSegment> out;
    for (auto& s : segmentsOf(jpeg))
        if (s.marker == marker)
            out.push_back(s);
    return out;
}

QByteArray appSegmentsOf(const QByteArray& jpeg)
{
    QByteArray out;
    for (const auto& s : segmentsOf(jpeg))
        if ((s.marker >= 0xE0 && s.marker <= 0xEF) || s.marker == 0xFE)
            out += s.bytes;
    return out;
}

QByteArray fromFirstScan(const QByteArray& jpeg)
{
    const auto segments = segmentsOf(jpeg);
    qsizetype at = 2;
    for (const auto& s : segments)
        at += s.bytes.size();
    return jpeg.mid(at);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

RunResult run(const QString& program, const QStringList& args, const QByteArray& input)
{
    QProcess p;
    p.start(program, args);
    RunResult r;
    if (!p.waitForStarted())
        return r;
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QStringList readableCorpusPhotos()
{
    static const QStringList photos = [] {
        QStringList list;
        QDirIterator it(dataDir() + QStringLiteral("/photos"), {QStringLiteral("*.jpg")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const RunResult r = run(QStringLiteral("djpeg"), {QStringLiteral("-outfile"),
                                                              QStringLiteral("/dev/null"), path});
            if (r.status == 0 && r.err.isEmpty())
                list << path;
        }
        list.sort();
        return list;
    }();
    return photos;
}

QString corruptedPhoto()
{
    return dataDir() + QStringLiteral("/photos/corrupted.jpg");
}

StrayFixture withStrayBytes(const QByteArray& jpeg, Stray where)
{
    const QByteArray stray("\xFF\x00\x00\x02", 4);
    StrayFixture f;
    if (where == Stray::InsideScan) {
        // 16 bytes into the image data, where libjpeg notices in Canon_40D.jpg (it does not
        // notice everywhere: Huffman codes often decode garbage without a sign).
        const QByteArray scans = fromFirstScan(jpeg);
        const qsizetype at =
            jpeg.size() - scans.size() + 2 + (uchar(scans[2]) << 8 | uchar(scans[3])) + 16;
        f.clean = jpeg;
        f.file = jpeg.left(at) + stray + jpeg.mid(at);
        return f;
    }
    f.file = f.clean = jpeg.left(2);
    bool placed = false;
    for (const TestSegment& s : segmentsOf(jpeg)) {
        const bool here = (where == Stray::BeforeDqt && s.marker == 0xDB) ||
                          (where == Stray::BeforeApp && s.marker >= 0xE0 && s.marker <= 0xEF) ||
                          (where == Stray::AfterShortApp14 && s.marker == 0xDB);
        if (here && !placed) {
            placed = true;
            if (where == Stray::AfterShortApp14) {
                // Length 12 where the Adobe payload needs 14: its flags and transform spill.
                const QByteArray app14("\xFF\xEE\x00\x0C"
                                       "Adobe\x00\x64\x00\x00\x00\x00\x01",
                                       16);
                f.file += app14;
                f.clean += app14.left(14);
            } else {
                f.file += stray;
            }
        }
        f.file += s.bytes;
        f.clean += s.bytes;
    }
    const QByteArray scans = fromFirstScan(jpeg);
    f.file += scans;
    f.clean += scans;
    return f;
}

QByteArray decodeWithDjpeg(const QString& path)
{
    return run(QStringLiteral("djpeg"), {path}).out;
}

} // namespace brelin::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Test helpers for JPEG files: an independent segment lister (so the tools are not
// checked with their own parser), file I/O and running the peers' programs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace brelin::test {

struct TestSegment
{
    int marker = 0;
    QByteArray bytes; // whole segment
};

// Segments between SOI and the first SOS (that SOS excluded).
std::vector<TestSegment> segmentsOf(const QByteArray& jpeg);
// Only the segments of one marker, in file order.
std::vector<TestSegment> segmentsOf(const QByteArray& jpeg, int marker);
// The APPn and COM segments before the first SOS, in their order, joined: what a lossless
// rewrite must leave alone.
QByteArray appSegmentsOf(const QByteArray& jpeg);
// Everything from the first SOS marker on.
QByteArray fromFirstScan(const QByteArray& jpeg);

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

struct RunResult
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};
// Runs a program to its end, feeding `input` to its standard input.
RunResult run(const QString& program, const QStringList& args, const QByteArray& input = {});

// The test photos that libjpeg decodes without a warning, and the damaged one.
QStringList readableCorpusPhotos();
QString corruptedPhoto();

// A photo as some editors write it, with stray bytes that libjpeg skips with a warning,
// and the same file without them (what the tools should make of it).
enum class Stray {
    BeforeDqt,       // FF 00 00 02 before the first DQT
    BeforeApp,       // before the first APPn segment
    AfterShortApp14, // an Adobe APP14 whose length leaves out its last two bytes
    InsideScan,      // in the image data: damage, not padding
};
struct StrayFixture
{
    QByteArray file;
    QByteArray clean;
};
StrayFixture withStrayBytes(const QByteArray& jpeg, Stray where);

// Decoded pixels as a PPM/PGM, by Debian's djpeg.
QByteArray decodeWithDjpeg(const QString& path);

} // namespace brelin::test

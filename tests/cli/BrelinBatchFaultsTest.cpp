// SPDX-License-Identifier: GPL-3.0-or-later
// brelin-batch when things go wrong: a full disk, a missing marker tool, a folder that
// cannot be written, and the program killed in the middle of writing over originals.
#include "cli/BatchFixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <unistd.h>

using namespace brelin::test;

namespace {

using BrelinBatchFaults = BatchFixture;

TEST_F(BrelinBatchFaults, AFullDiskLeavesEveryFileAsItWas)
{
    photo("a.jpg", QStringLiteral("Samsung_Digimax_i50_MP3.jpg"));
    photo("b.jpg", QStringLiteral("Konica_Minolta_DiMAGE_Z3.jpg"));
    photo("out/a.jpg", QStringLiteral("Canon_40D.jpg"));
    const QByteArray a = readBytes(path("a.jpg"));
    const QByteArray oldResult = readBytes(path("out/a.jpg"));
    // Every file written is limited to 20000 bytes: in place, re-encoded, nothing fits;
    // copied into a folder, the copy over an existing result fails.
    const QStringList limit{"--fsize=20000", BRELIN_BATCH};
    const struct
    {
        QStringList options;
    } rows[] = {
        {{"--overwrite", "--yes", "--keep-size", "--quality", "95"}},
        {{"--lossless", "--remove", "none", "--output", path("out"), "--yes"}},
    };
    for (const auto& row : rows) {
        const RunResult r = run(QStringLiteral("prlimit"), limit + row.options << path("a.jpg"));
        EXPECT_EQ(r.status, 1) << r.err.constData();
        EXPECT_TRUE(r.err.contains(path("a.jpg").toUtf8())) << r.err.constData();
        EXPECT_EQ(readBytes(path("a.jpg")), a);
        EXPECT_EQ(readBytes(path("out/a.jpg")), oldResult);
        EXPECT_EQ(entries("out"), QStringList({"a.jpg"}));
    }
    const RunResult r = run(QStringLiteral("prlimit"),
                            limit + QStringList{"--lossless", "--remove", "none", "--output",
                                                path("out"), "--yes", path("b.jpg")});
    EXPECT_TRUE(r.err.contains("not enough space")) << r.err.constData();
}

TEST_F(BrelinBatchFaults, AMissingMarkerToolFailsTheFileWithoutAResult)
{
    const QString program = installedCopy(false);
    photo("a.jpg");
    const struct
    {
        QStringList options;
    } rows[] = {{{}}, {{"--lossless", "--remove", "exif"}}};
    for (const auto& row : rows) {
        const RunResult r = run(program, row.options + QStringList{path("a.jpg")});
        EXPECT_EQ(r.status, 1) << r.err.constData();
        EXPECT_EQ(r.err,
                  ("brelin-batch: " + path("a.jpg") + ": The marker tools cannot be started.\n")
                      .toUtf8());
        EXPECT_EQ(entries(), QStringList({"a.jpg", "prefix"}));
    }
}

TEST_F(BrelinBatchFaults, AFolderThatCannotBeWrittenGetsNoResult)
{
    photo("a.jpg");
    QDir().mkpath(path("locked"));
    QFile::setPermissions(path("locked"),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    // Installed here: the build tree may lie below a folder that only root may enter.
    QString program = installedCopy(true);
    QStringList args;
    if (::geteuid() == 0) {
        // Root writes anywhere: the program runs as nobody, who may read the photo.
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadOther | QFile::ExeOther);
        args = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program};
        program = QStringLiteral("setpriv");
    }
    const RunResult r = run(program, args + QStringList{"--output", path("locked"), path("a.jpg")});
    EXPECT_EQ(r.status, 1) << r.err.constData();
    EXPECT_TRUE(r.err.contains("folder cannot be written")) << r.err.constData();
    EXPECT_EQ(entries("locked"), QStringList());
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(BrelinBatchFaults, KilledAnywhereEveryOriginalIsWholeOrAWholeResult)
{
    // Larger photos, so that a kill falls inside decoding, encoding and copying alike.
    QStringList originals;
    for (int i = 0; i < 6; ++i) {
        const QString p = path(QStringLiteral("source/%1.jpg").arg(i));
        QDir().mkpath(path("source"));
        ASSERT_EQ(run(QStringLiteral("convert"),
                      {dataDir() + QStringLiteral("/photos/large_with_exif.jpg"),
                       QStringLiteral("-resize"), QStringLiteral("%1%").arg(100 + 10 * i), p})
                      .status,
                  0);
        originals << p;
    }
    QElapsedTimer whole;
    whole.start();
    ASSERT_EQ(batch({"--keep-size", "--suffix", "-x", path("source")}).status, 0);
    const int duration = int(whole.elapsed());

    // The runs' temporary folders go here, where nothing else runs.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), path("tmp"));
    QDir().mkpath(path("tmp"));
    const int rounds = 8;
    for (int round = 0; round < rounds; ++round) {
        const QDir work(path(QStringLiteral("work%1").arg(round)));
        work.mkpath(QStringLiteral("."));
        QStringList files;
        for (const QString& o : originals) {
            files << work.filePath(QFileInfo(o).fileName());
            QFile::copy(o, files.last());
        }
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(BRELIN_BATCH),
                {"--overwrite", "--yes", "--keep-size", "--quality", "70", work.path()});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(QRandomGenerator::global()->bounded(std::max(1, duration)));
        p.kill();
        p.waitForFinished();
        for (int i = 0; i < files.size(); ++i) {
            const QByteArray now = readBytes(files[i]);
            EXPECT_TRUE(now == readBytes(originals[i]) || decodes(files[i]))
                << "round " << round << ": " << files[i].toStdString() << " has " << now.size()
                << " bytes";
        }
    }

    // The next run removes what ended runs of this host left, and nothing else: part files
    // as a filesystem without unnamed files keeps them, of a process that has ended, of
    // this test (alive) and of another machine.
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const QString ended =
        QString::fromUtf8(run(QStringLiteral("sh"), {"-c", "echo $$"}).out.trimmed());
    const QString last = path(QStringLiteral("work%1").arg(rounds - 1));
    const auto part = [&](const QString& pid, const QString& machine) {
        return QStringLiteral(".0.jpg.0badf00d-%1@%2.brelin-part").arg(pid, machine);
    };
    QStringList kept{part(QString::number(::getpid()), QString::fromLocal8Bit(host)),
                     part(ended, QStringLiteral("elsewhere.example.org"))};
    kept.sort();
    for (const QString& name : kept + QStringList{part(ended, QString::fromLocal8Bit(host))})
        writeBytes(QDir(last).filePath(name), "part");
    QProcess next;
    next.setProcessEnvironment(env);
    next.start(QStringLiteral(BRELIN_BATCH), {"--keep-size", "--suffix", "-next", last});
    ASSERT_TRUE(next.waitForFinished());
    EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().constData();
    EXPECT_EQ(entries("tmp"), QStringList());
    for (int round = 0; round < rounds; ++round) {
        QStringList parts =
            entries(QStringLiteral("work%1").arg(round)).filter(QStringLiteral("brelin-part"));
        parts.sort();
        EXPECT_EQ(parts, round == rounds - 1 ? kept : QStringList()) << round;
    }
}

} // namespace

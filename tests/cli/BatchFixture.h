// SPDX-License-Identifier: GPL-3.0-or-later
// brelin-batch run as a child process on copies of camera photos.
#pragma once

#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brelin::test {

class BatchFixture : public ::testing::Test
{
protected:
    QTemporaryDir dir;

    QString path(const QString& rel) const { return dir.filePath(rel); }
    QString photo(const QString& rel, const QString& from = QStringLiteral("Canon_40D.jpg")) const
    {
        QDir().mkpath(QFileInfo(path(rel)).path());
        QFile::copy(dataDir() + QStringLiteral("/photos/") + from, path(rel));
        QFile::setPermissions(path(rel), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        return path(rel);
    }
    static RunResult batch(const QStringList& args)
    {
        return run(QStringLiteral(BRELIN_BATCH), args);
    }
    // The program installed into a prefix of the test's own folder, with or without its
    // marker tools; its path.
    QString installedCopy(bool withTools) const
    {
        const QString bin = QFileInfo(QStringLiteral(BRELIN_BATCH)).path();
        QDir().mkpath(path("prefix/bin"));
        QFile::copy(QStringLiteral(BRELIN_BATCH), path("prefix/bin/brelin-batch"));
        if (withTools) {
            QDir().mkpath(path("prefix/libexec/brelin"));
            for (const QString& tool : {QStringLiteral("rdjpgcom"), QStringLiteral("wrjpgcom")})
                QFile::copy(bin + QStringLiteral("/../libexec/brelin/") + tool,
                            path("prefix/libexec/brelin/") + tool);
        }
        return path("prefix/bin/brelin-batch");
    }
    QStringList entries(const QString& rel = QString()) const
    {
        return QDir(path(rel)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                         QDir::Name);
    }
};

inline bool decodes(const QString& path)
{
    return run(QStringLiteral("djpeg"),
               {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), path})
               .status == 0;
}

} // namespace brelin::test

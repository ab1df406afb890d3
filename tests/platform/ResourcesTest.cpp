// SPDX-License-Identifier: GPL-3.0-or-later
// Resource lookup from a build tree and from an installed prefix.
#include "platform/Resources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brelin;

namespace {

void makeFile(const QString& path, bool executable)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        perms |= QFile::ExeOwner;
    file.setPermissions(perms);
}

} // namespace

TEST(Resources, FoundBesideTheExecutablesPrefix)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    makeFile(prefix.filePath(QStringLiteral("libexec/brelin/rdjpgcom")), true);
    makeFile(prefix.filePath(QStringLiteral("libexec/brelin/wrjpgcom")), false);
    QDir().mkpath(prefix.filePath(QStringLiteral("share/brelin/Doc")));

    EXPECT_EQ(toolPathFrom(bin, QStringLiteral("rdjpgcom")),
              prefix.filePath(QStringLiteral("libexec/brelin/rdjpgcom")));
    // A tool that cannot be run is not a tool.
    EXPECT_TRUE(toolPathFrom(bin, QStringLiteral("wrjpgcom")).isEmpty());
    EXPECT_EQ(resourcePathFrom(bin, QStringLiteral("Doc")),
              prefix.filePath(QStringLiteral("share/brelin/Doc")));
    EXPECT_TRUE(resourcePathFrom(bin, QStringLiteral("Nothing")).isEmpty());
    EXPECT_TRUE(toolPathFrom(bin, QStringLiteral("nothing")).isEmpty());
}

TEST(Resources, TheBuildTreeHoldsTheHelp)
{
    const QString doc = resourcePath(QStringLiteral("Doc"));
    ASSERT_FALSE(doc.isEmpty());
    EXPECT_TRUE(QFileInfo(doc).isAbsolute());
    EXPECT_TRUE(QFileInfo::exists(doc + QStringLiteral("/Readme.html")));
    EXPECT_TRUE(QFileInfo::exists(doc + QStringLiteral("/LisezMoi.html")));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The result's custom icon after a run, through gvfs on a real session bus: kept from
// the source, removed, made from the image, or left alone.
#include "platform/BRLog.h"
#include "platform/IconStore.h"
#include "processing/BRProcessor.h"
#include "processing/RecordingWindows.h"
#include "settings/SettingsRecord.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

QString setIcon(const QString& file, const QString& icon)
{
    const RunResult r = run(QStringLiteral("gio"),
                            {QStringLiteral("set"), file, QStringLiteral("metadata::custom-icon"),
                             QUrl::fromLocalFile(icon).toString()});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    return icon;
}

TEST(CustomIcons, TheResultsIconFollowsKeepIcon)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("a.jpg"));
    const QString result = dir.filePath(QStringLiteral("a-small.jpg"));
    QFile::copy(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"), source);
    const QString red = setIcon(source, dir.filePath(QStringLiteral("red.png")));
    const QString blue = dir.filePath(QStringLiteral("blue.png"));
    const auto store = makeDesktopIconStore();
    ASSERT_TRUE(store->available());

    enum { Red, None, Made, Blue };
    const struct
    {
        int keepIcon;
        int expected;
    } rows[] = {{IconFromSource, Red}, {IconRemove, None}, {IconFromImage, Made}, {3, Blue}};
    for (const auto& row : rows) {
        // The result exists already, with an icon of its own.
        writeBytes(result, "old");
        setIcon(result, blue);
        QVariantMap prefs = initialRecord();
        prefs[key::KeepIcon] = row.keepIcon;
        prefs[key::ScalingFixedType] = int(FixedLongerSide); // enlarged: an icon of full size
        RecordingWindows windows;
        windows.answers = {{true, true}};
        BRProcessor processor(nullptr, windows, {BRFileURL::makeWithPath(source)}, prefs);
        processor.startProcess();
        ASSERT_EQ(windows.summary.processed, 1) << row.keepIcon;

        const QString icon = store->customIcon(result);
        EXPECT_EQ(store->customIcon(source), red) << "the source is never touched";
        switch (row.expected) {
        case Red:
            EXPECT_EQ(icon, red);
            break;
        case None:
            EXPECT_EQ(icon, QString());
            break;
        case Blue:
            EXPECT_EQ(icon, blue);
            break;
        case Made: {
            EXPECT_TRUE(icon.startsWith(QDir(qEnvironmentVariable("XDG_DATA_HOME"))
                                            .filePath(QStringLiteral("Brelin/Icons/"))))
                << icon.toStdString();
            // The result is 1920 × 1305: its icon is 256 pixels on the longer side.
            const QByteArray png = readBytes(icon);
            ASSERT_GT(png.size(), 24);
            EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 16), 256u);
            EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 20), 174u);
            EXPECT_EQ(run(QStringLiteral("identify"), {icon}).status, 0);
            break;
        }
        }
    }

    // Kept from a source without an icon: the old file's icon does not stay on the result.
    ASSERT_TRUE(store->removeCustomIcon(source));
    setIcon(result, blue);
    RecordingWindows windows;
    windows.answers = {{true, true}};
    BRProcessor keep(nullptr, windows, {BRFileURL::makeWithPath(source)}, initialRecord());
    keep.startProcess();
    EXPECT_EQ(store->customIcon(result), QString());

    // Without a session bus the icon is left alone, said once in the log, and the file
    // still counts as processed.
    QStringList log;
    setLogObserver(
        [&](std::string_view line) { log << QString::fromUtf8(line.data(), line.size()); });
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    QVariantMap prefs = initialRecord();
    prefs[key::KeepIcon] = int(IconRemove);
    prefs[key::Suffix] = QStringLiteral("-nobus");
    windows = RecordingWindows();
    BRProcessor processor(nullptr, windows, {BRFileURL::makeWithPath(source)}, prefs);
    processor.startProcess();
    BRProcessor again(nullptr, windows, {BRFileURL::makeWithPath(source)}, prefs);
    windows.answers = {{true, true}};
    again.startProcess();
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    qputenv("XDG_RUNTIME_DIR", runtime);
    setLogObserver({});
    EXPECT_EQ(windows.summary.processed, 1);
    EXPECT_EQ(log.filter(QStringLiteral("No session bus")).size(), 1)
        << log.join('\n').toStdString();
}

} // namespace

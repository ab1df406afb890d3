// SPDX-License-Identifier: GPL-3.0-or-later
// Brelin as a user meets it, on a real X server (Xvfb) with a real session bus: the
// application runs here as main() runs it, a second `brelin` process hands it a copy of
// the test photos, and the test works the real widgets: it chooses a preset, processes,
// answers the replace question, and reads the results on disk and the unprocessed-files
// window.
#include "platform/IconStore.h"
#include "platform/JpegCodec.h"
#include "settings/PresetFile.h"
#include "settings/SettingsRecord.h"
#include "settings/UserDefaults.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"
#include "ui/BrelinApp.h"
#include "ui/ModalHelper.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

QStringList jpegsUnder(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}

TEST(WholeApplication, APresetRunOverAFolderHandedOverByASecondStart)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QTemporaryDir dir;
    const QString photos = dir.filePath(QStringLiteral("photos"));
    ASSERT_EQ(run(QStringLiteral("cp"),
                  {QStringLiteral("-r"), dataDir() + QStringLiteral("/photos"), photos})
                  .status,
              0);
    const QStringList originals = jpegsUnder(photos);
    // An old result stands where one of the new ones goes.
    writeBytes(photos + QStringLiteral("/Canon_40D-web.jpg"), "an old result");

    // Two presets saved in an earlier session; the user picks the first.
    QVariantMap web = initialRecord();
    web[key::ScalingType] = ScaleToLength;
    web[key::ScalingFixedType] = FixedLongerSide;
    web[key::ScalingFixedValue] = 64;
    web[key::Quality] = 70;
    for (const QString& k : {key::RemoveEXIF, key::RemoveITPC, key::RemoveComment})
        web[k] = 1;
    web[key::HasSuffix] = 1;
    web[key::Suffix] = QStringLiteral("-web");
    web[key::KeepIcon] = IconFromImage;
    ASSERT_TRUE(QDir().mkpath(appSupportFolder()));
    ASSERT_TRUE(
        PresetFile(QDir(appSupportFolder()).filePath(QStringLiteral("Presets.plist")))
            .save({{QStringLiteral("Web"), web}, {QStringLiteral("Default"), initialRecord()}}));

    BrelinApp brelin;
    ASSERT_TRUE(brelin.start({}));
    QMainWindow* window = brelin.controller().window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    QProcess second;
    second.start(QStringLiteral(BRELIN_APP), {photos});
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().constData();
    auto* list = window->findChild<QAbstractItemView*>(QStringLiteral("filesOutline"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == 1; }, 20000));

    // The preset menu, from the keyboard: it shows the last preset; the one above is Web.
    auto* presets = window->findChild<QComboBox*>(QStringLiteral("presetsPopup"));
    presets->setFocus();
    ASSERT_EQ(presets->currentText(), QStringLiteral("Default"));
    QTest::keyClick(presets, Qt::Key_Up);
    ASSERT_EQ(presets->currentText(), QStringLiteral("Web"));

    whenShown(QStringLiteral("alertWindow"),
              [](QWidget* alert) { clickButton(alert, QStringLiteral("Replace")); });
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("processButton")),
                      Qt::LeftButton);

    // Every photo libjpeg reads has its result, small and without the removed markers;
    // the others are in the unprocessed-files window, each with a reason.
    auto* unprocessed = window->findChild<QTableWidget*>(QStringLiteral("unprocessedTable"));
    ASSERT_TRUE(unprocessed);
    EXPECT_TRUE(unprocessed->isVisible());
    QStringList refused;
    for (int r = 0; r < unprocessed->rowCount(); ++r) {
        refused << unprocessed->item(r, 1)->text();
        EXPECT_FALSE(unprocessed->item(r, 2)->text().isEmpty());
    }
    EXPECT_TRUE(refused.contains(photos + QStringLiteral("/corrupted.jpg")))
        << refused.join(QLatin1Char('\n')).toStdString();
    const auto icons = makeDesktopIconStore();
    int made = 0;
    for (const QString& original : originals) {
        const QString result = original.left(original.size() - 4) + QStringLiteral("-web.jpg");
        if (refused.contains(original)) {
            EXPECT_FALSE(QFile::exists(result)) << result.toStdString();
            continue;
        }
        ++made;
        const QByteArray bytes = readBytes(result);
        JpegError error;
        const auto info = readJpegInfo(
            {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())}, error);
        ASSERT_TRUE(info) << result.toStdString() << " " << error;
        EXPECT_EQ(std::max(info->width, info->height), 64) << result.toStdString();
        for (int marker : {0xE1, 0xED, 0xFE})
            EXPECT_TRUE(segmentsOf(bytes, marker).empty()) << result.toStdString() << " " << marker;
        if (icons->available()) {
            EXPECT_FALSE(icons->customIcon(result).isEmpty()) << result.toStdString();
        }
    }
    EXPECT_GE(made, 30);
    EXPECT_NE(readBytes(photos + QStringLiteral("/Canon_40D-web.jpg")),
              QByteArray("an old result"));
    // The originals are as they were.
    for (const QString& original : originals)
        EXPECT_EQ(readBytes(original),
                  readBytes(dataDir() + QStringLiteral("/photos") + original.mid(photos.size())));
}

} // namespace

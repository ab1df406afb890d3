// SPDX-License-Identifier: GPL-3.0-or-later
// The compare window: it shows what a run would write for the selected photo under the
// settings as they stand, the newest settings' result in the end however fast they
// change, and its view zooms and pans both halves in step.
#include "ui/CompareWindow.h"
#include "filelist/BRFileListModel.h"
#include "settings/SettingsRecord.h"
#include "support/JpegFiles.h"
#include "support/RunOutput.h"
#include "support/TestEnv.h"
#include "ui/BRController.h"

#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

class CompareWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    BRController controller;

    void selectFirstRow()
    {
        auto* list = controller.window()->findChild<QTreeView*>(QStringLiteral("filesOutline"));
        list->selectionModel()->select(controller.fileList()->index(0, 0),
                                       QItemSelectionModel::ClearAndSelect |
                                           QItemSelectionModel::Rows);
    }
    // Waits until the window shows the current settings' result.
    bool settled()
    {
        CompareWindow* window = controller.compareWindow();
        return QTest::qWaitFor(
            [&] {
                return window && !window->isUpdating() && window->shown() &&
                       window->shown()->prefs == controller.buildPrefs();
            },
            60000);
    }
};

TEST_F(CompareWindowTest, ShowsWhatARunWritesForTheNewestSettings)
{
    const QString photo = dataDir() + QStringLiteral("/photos/large_with_exif.jpg");
    controller.addFile(photo);
    selectFirstRow();
    controller.window()->findChild<QPushButton*>(QStringLiteral("compareButton"))->click();
    ASSERT_TRUE(settled());
    CompareWindow* window = controller.compareWindow();
    EXPECT_EQ(window->shown()->outcome.result,
              writtenByARun(photo, controller.buildPrefs(), dir.path()));

    // Changes faster than results are made, the last of them a quality alone.
    auto* fitTo = controller.window()->findChild<QSpinBox*>(QStringLiteral("scalingFixedValue"));
    auto* quality = controller.window()->findChild<QSpinBox*>(QStringLiteral("qualityValue"));
    fitTo->setValue(1000);
    for (int q = 90; q >= 40; q -= 10) {
        quality->setValue(q);
        EXPECT_TRUE(window->isUpdating());
        QTest::qWait(15);
    }
    ASSERT_TRUE(settled());
    EXPECT_EQ(window->shown()->prefs.value(key::Quality).toInt(), 40);
    EXPECT_EQ(window->shown()->outcome.pixelSize, QSize(1000, 750));
    QTemporaryDir second;
    EXPECT_EQ(window->shown()->outcome.result,
              writtenByARun(photo, controller.buildPrefs(), second.path()));

    // Nothing to compare: the window says so.
    controller.window()
        ->findChild<QTreeView*>(QStringLiteral("filesOutline"))
        ->selectionModel()
        ->clearSelection();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->shown(); }, 5000));
}

TEST(CompareView, ZoomsAndPansBothHalvesInStep)
{
    CompareView view;
    view.resize(800, 400);
    view.show();
    QImage image(1000, 800, QImage::Format_RGB888);
    image.fill(Qt::gray);
    view.setImages(image, image);
    EXPECT_TRUE(view.fits());
    EXPECT_DOUBLE_EQ(view.zoom(), 399.0 / 1000); // a half is 399 pixels wide

    struct Step
    {
        const char* what;
        std::function<void()> act;
        double zoom;
        QPointF centre;
    };
    const std::vector<Step> steps = {
        {"1: one pixel per pixel, about the centre",
         [&] { QTest::keyClick(&view, Qt::Key_1); },
         1.0,
         {500, 400}},
        {"right arrow: an eighth of a half to the right",
         [&] { QTest::keyClick(&view, Qt::Key_Right); },
         1.0,
         {500 + 399 / 8.0, 400}},
        {"a drag moves the image with the mouse",
         [&] {
             QTest::mousePress(&view, Qt::LeftButton, {}, {300, 200});
             QTest::mouseMove(&view, {200, 150});
             QTest::mouseRelease(&view, Qt::LeftButton, {}, {200, 150});
         },
         1.0,
         {500 + 399 / 8.0 + 100, 450}},
        {"2: twice, about the centre",
         [&] { QTest::keyClick(&view, Qt::Key_2); },
         2.0,
         {500 + 399 / 8.0 + 100, 450}},
        {"no image edge passes the half's edge",
         [&] {
             for (int i = 0; i < 40; ++i)
                 QTest::keyClick(&view, Qt::Key_Down);
         },
         2.0,
         {500 + 399 / 8.0 + 100, 800 - 200 / 2.0}},
        {"0: fit again", [&] { QTest::keyClick(&view, Qt::Key_0); }, 399.0 / 1000, {500, 400}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_NEAR(view.zoom(), step.zoom, 1e-9);
        EXPECT_NEAR(view.centre().x(), step.centre.x(), 1e-6);
        EXPECT_NEAR(view.centre().y(), step.centre.y(), 1e-6);
    }

    // With the divider, a drag that starts on it moves it, not the image.
    view.setMode(CompareView::Mode::Divider);
    QTest::mousePress(&view, Qt::LeftButton, {}, {400, 200});
    QTest::mouseMove(&view, {600, 200});
    QTest::mouseRelease(&view, Qt::LeftButton, {}, {600, 200});
    EXPECT_DOUBLE_EQ(view.divider(), 0.75);
    EXPECT_NEAR(view.centre().x(), 500, 1e-6);
}

} // namespace

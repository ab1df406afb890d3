// SPDX-License-Identifier: GPL-3.0-or-later
// The settings panel: the record it builds, the record it shows, and its dependent
// controls, driven through the real widgets.
#include "settings/SettingsRecord.h"
#include "ui/BRController.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace brelin;

namespace {

const QString kPlaceholder = QStringLiteral("Same as original");

class SettingsPanel : public ::testing::Test
{
protected:
    template <typename T>
    T* control(const char* name)
    {
        T* widget = controller.window()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QAbstractButton* scalingCell(int tag)
    {
        return controller.window()
            ->findChild<QButtonGroup*>(QStringLiteral("scalingType"))
            ->button(tag);
    }

    // Clicks the control as a user would, so its action runs.
    void click(QAbstractButton* button) { button->click(); }

    BRController controller;
};

QVariantMap sampleRecord()
{
    return {{key::HasSuffix, 0},
            {key::Recompress, 1},
            {key::Quality, 55},
            {key::AllowHigherQuality, 1},
            {key::Baseline, 1},
            {key::KeepImageData, 0},
            {key::RemoveEXIF, 1},
            {key::RemoveICC, 0},
            {key::RemoveITPC, 1},
            {key::RemoveComment, 0},
            {key::RemoveOthers, 1},
            {key::RemoveGainMap, 1},
            {key::ScalingFactor, 0.25},
            {key::ScalingFixedType, 5},
            {key::ScalingType, 1},
            {key::ScalingFixedValue, 800},
            {key::KeepIcon, 2},
            {key::Suffix, QStringLiteral("-web")},
            {key::Path, QStringLiteral("/srv/photos/out")},
            {key::CustomPath, 1},
            {key::KeepFolders, 1},
            {key::MaxSize, 300000}}; // not whole kB: kept to the byte
}

} // namespace

TEST_F(SettingsPanel, InitialRecordNeverOverwritesAPhoto)
{
    const QVariantMap record = controller.buildPrefs();
    ASSERT_EQ(record.size(), settingsKeys().size());
    for (const QString& k : settingsKeys())
        EXPECT_TRUE(record.contains(k)) << k.toStdString();

    // The panel starts where brelin-batch starts without options.
    QVariantMap expected = initialRecord();
    expected[key::Path] = kPlaceholder;
    EXPECT_EQ(record, expected);

    // Types as stored in a preset file: integers, one real, two texts.
    for (auto it = record.begin(); it != record.end(); ++it) {
        QMetaType::Type want = QMetaType::Int;
        if (it.key() == key::ScalingFactor)
            want = QMetaType::Double;
        else if (it.key() == key::Suffix || it.key() == key::Path)
            want = QMetaType::QString;
        EXPECT_EQ(it.value().typeId(), want) << it.key().toStdString();
    }
}

TEST_F(SettingsPanel, DependentControlsFollowTheScalingType)
{
    struct Row
    {
        int tag;
        bool factor, fixedType, fixedValue;
    };
    const Row table[] = {{0, false, false, false}, {1, true, false, false}, {2, false, true, true}};
    auto* factor = control<QDoubleSpinBox>("scalingFactor");
    auto* fixedType = control<QComboBox>("scalingFixedType");
    auto* fixedValue = control<QSpinBox>("scalingFixedValue");
    auto* recompress = control<QCheckBox>("recompress");
    auto* slider = control<QSlider>("recompressSlider");
    auto* quality = control<QSpinBox>("qualityValue");

    // Start from "keep size, no recompression" so that types 1 and 2 must turn it on.
    click(scalingCell(0));
    click(recompress);
    ASSERT_FALSE(recompress->isChecked());
    ASSERT_FALSE(slider->isEnabled());

    for (const Row& row : table) {
        click(scalingCell(row.tag));
        EXPECT_EQ(factor->isEnabled(), row.factor) << row.tag;
        EXPECT_EQ(fixedType->isEnabled(), row.fixedType) << row.tag;
        EXPECT_EQ(fixedValue->isEnabled(), row.fixedValue) << row.tag;
        if (row.tag == 0) {
            EXPECT_FALSE(recompress->isChecked()) << "type 0 leaves recompression as it was";
            EXPECT_FALSE(slider->isEnabled());
        } else {
            EXPECT_TRUE(recompress->isChecked()) << row.tag;
            EXPECT_TRUE(slider->isEnabled() && quality->isEnabled()) << row.tag;
        }
    }
}

TEST_F(SettingsPanel, ScalingForcesRecompression)
{
    auto* recompress = control<QCheckBox>("recompress");
    auto* slider = control<QSlider>("recompressSlider");
    auto* quality = control<QSpinBox>("qualityValue");
    for (int tag : {1, 2}) {
        click(scalingCell(tag));
        click(recompress); // the user tries to clear it
        EXPECT_TRUE(recompress->isChecked()) << tag;
        EXPECT_TRUE(recompress->isEnabled());
        EXPECT_TRUE(slider->isEnabled() && quality->isEnabled()) << tag;
    }
    click(scalingCell(0));
    click(recompress);
    EXPECT_FALSE(recompress->isChecked());
    EXPECT_FALSE(slider->isEnabled() || quality->isEnabled());
    EXPECT_EQ(controller.buildPrefs().value(key::Recompress), 0);
}

TEST_F(SettingsPanel, OutputFolderPlaceholderRoundTrip)
{
    auto* option = control<QCheckBox>("customPath");
    auto* field = control<QLineEdit>("customPathField");
    auto* browse = control<QPushButton>("customPathBrowse");

    EXPECT_FALSE(field->isEnabled() || browse->isEnabled());
    EXPECT_EQ(controller.buildPrefs().value(key::Path), kPlaceholder);

    click(option);
    EXPECT_TRUE(field->isEnabled() && browse->isEnabled());
    EXPECT_EQ(field->text(), QString()) << "the placeholder is never offered as a folder";
    field->setText(QStringLiteral("/home/ann/web"));

    click(option);
    QVariantMap record = controller.buildPrefs();
    EXPECT_EQ(record.value(key::CustomPath), 0);
    EXPECT_EQ(record.value(key::Path), kPlaceholder);
    // Refreshing again while off must not forget the folder.
    controller.customPathDidChange();

    click(option);
    EXPECT_EQ(field->text(), QStringLiteral("/home/ann/web"));
    record = controller.buildPrefs();
    EXPECT_EQ(record.value(key::CustomPath), 1);
    EXPECT_EQ(record.value(key::Path), QStringLiteral("/home/ann/web"));
}

TEST_F(SettingsPanel, AppliedPlaceholderWithFolderOnShowsEmptyField)
{
    QVariantMap record = sampleRecord();
    record.insert(key::Path, kPlaceholder);
    controller.setValuesFrom(record);
    auto* field = control<QLineEdit>("customPathField");
    EXPECT_TRUE(field->isEnabled());
    EXPECT_EQ(field->text(), QString());
}

TEST_F(SettingsPanel, KeepSizeWithoutRecompressionDisablesEverythingDependent)
{
    QVariantMap record = sampleRecord();
    record.insert(key::ScalingType, 0);
    record.insert(key::Recompress, 0);
    controller.setValuesFrom(record);
    for (const char* name :
         {"recompressSlider", "qualityValue", "maxSizeOn", "maxSizeValue", "allowHigherQuality",
          "scalingFactor", "scalingFixedType", "scalingFixedValue"})
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    // The copy branch still writes image data, so how it writes them stays a choice.
    for (const char* name : {"recompress", "baseline", "keepImageData"})
        EXPECT_TRUE(control<QCheckBox>(name)->isEnabled()) << name;

    record.insert(key::ScalingType, 1);
    controller.setValuesFrom(record);
    EXPECT_TRUE(control<QWidget>("scalingFactor")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>("recompress")->isChecked());
}

TEST_F(SettingsPanel, BuiltAppliedAndBuiltAgainIsEqual)
{
    QVariantMap fixedNoRecompress = sampleRecord();
    fixedNoRecompress.insert(key::ScalingType, 2);
    fixedNoRecompress.insert(key::Recompress, 0);
    QVariantMap keepSizeNoRecompress = sampleRecord();
    keepSizeNoRecompress.insert(key::ScalingType, 0);
    keepSizeNoRecompress.insert(key::Recompress, 0);
    keepSizeNoRecompress.insert(key::CustomPath, 0);
    keepSizeNoRecompress.insert(key::Path, kPlaceholder);

    for (const QVariantMap& input : {sampleRecord(), fixedNoRecompress, keepSizeNoRecompress}) {
        controller.setValuesFrom(input);
        const QVariantMap first = controller.buildPrefs();
        controller.setValuesFrom(first);
        const QVariantMap second = controller.buildPrefs();
        if (recordInt(input, key::ScalingType) != 0 && recordInt(input, key::Recompress) == 0) {
            EXPECT_EQ(second.value(key::Recompress), 1);
            QVariantMap expected = first;
            expected.insert(key::Recompress, 1);
            EXPECT_EQ(second, expected);
        } else {
            EXPECT_EQ(first, input);
            EXPECT_EQ(second, first);
        }
    }
}

TEST_F(SettingsPanel, OddAndMissingValuesInAnAppliedRecord)
{
    controller.setValuesFrom(sampleRecord());

    // Tags without a cell or item leave the selection as it was; the rest reads as 0.
    controller.setValuesFrom({{key::ScalingType, 7},
                              {key::KeepIcon, -1},
                              {key::ScalingFixedType, 9},
                              {key::Quality, 79.9},
                              {key::HasSuffix, 2},
                              {key::Suffix, QStringLiteral("")}});
    QVariantMap record = controller.buildPrefs();
    EXPECT_EQ(record.value(key::ScalingType), 1);
    EXPECT_EQ(record.value(key::KeepIcon), 2);
    EXPECT_EQ(record.value(key::ScalingFixedType), 5);
    EXPECT_EQ(record.value(key::Quality), 79);
    EXPECT_EQ(record.value(key::HasSuffix), 0) << "only exactly 1 is on";
    EXPECT_EQ(record.value(key::RemoveEXIF), 0);
    EXPECT_EQ(record.value(key::Suffix), QString());
    EXPECT_EQ(record.value(key::CustomPath), 0);
    EXPECT_EQ(record.value(key::Path), kPlaceholder);
    EXPECT_EQ(record.size(), settingsKeys().size());

    // An empty record: every position and tag 0.
    controller.setValuesFrom({});
    record = controller.buildPrefs();
    EXPECT_EQ(record.value(key::ScalingType), 0);
    EXPECT_EQ(record.value(key::ScalingFixedType), 0);
    EXPECT_EQ(record.value(key::KeepIcon), 0);
    EXPECT_EQ(record.value(key::Quality), 0);
    EXPECT_EQ(record.value(key::Recompress), 0);
}

TEST_F(SettingsPanel, FixedTypeIsAPosition)
{
    QVariantMap record = sampleRecord();
    record.insert(key::ScalingFixedType, 3);
    controller.setValuesFrom(record);
    auto* popup = control<QComboBox>("scalingFixedType");
    EXPECT_EQ(popup->currentIndex(), 3);
    EXPECT_EQ(popup->currentText(), QStringLiteral("Longer side"));
    EXPECT_EQ(controller.buildPrefs().value(key::ScalingFixedType), 3);
}

TEST_F(SettingsPanel, SliderAndQualityFieldMoveTogether)
{
    auto* slider = control<QSlider>("recompressSlider");
    auto* quality = control<QSpinBox>("qualityValue");
    slider->setValue(33);
    EXPECT_EQ(quality->value(), 33);
    quality->setValue(91);
    EXPECT_EQ(slider->value(), 91);
    QTest::keyClick(slider, Qt::Key_Left);
    EXPECT_EQ(controller.buildPrefs().value(key::Quality), 90);
}

TEST_F(SettingsPanel, FolderChooserIsWindowModalAndFillsTheField)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    controller.window()->show();
    click(control<QCheckBox>("customPath"));
    auto* field = control<QLineEdit>("customPathField");

    for (bool confirm : {false, true}) {
        controller.getCustomPath();
        auto* chooser = controller.window()->findChild<QFileDialog*>();
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowModality(), Qt::WindowModal);
        EXPECT_EQ(chooser->fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(chooser->testOption(QFileDialog::ShowDirsOnly));
        chooser->setDirectory(folder.path());
        chooser->selectFile(folder.path());
        if (confirm)
            static_cast<QDialog*>(chooser)->accept();
        else
            chooser->reject();
        QApplication::processEvents();
        delete controller.window()->findChild<QFileDialog*>();
        EXPECT_EQ(field->text(), confirm ? folder.path() : QString()) << confirm;
    }
}

TEST_F(SettingsPanel, FitsALaptopScreen)
{
    // The whole panel shows without scrolling in a 1280x800 window.
    auto* panel = control<QWidget>("settingsPanel");
    controller.window()->resize(1280, 760);
    controller.window()->show();
    QApplication::processEvents();
    auto* scroll = control<QScrollArea>("settingsScroll");
    EXPECT_LE(panel->sizeHint().height(), scroll->viewport()->height());
    EXPECT_LE(controller.window()->minimumSizeHint().width(), 1280);
}

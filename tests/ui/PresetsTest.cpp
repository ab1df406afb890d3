// SPDX-License-Identifier: GPL-3.0-or-later
// Presets in the main window: the pop-up, the save window and the replace question,
// the default preset at start and quit, and the preferences window with the manager.
#include "settings/PresetFile.h"
#include "settings/SettingsRecord.h"
#include "settings/UserDefaults.h"
#include "support/JpegFiles.h"
#include "ui/BRController.h"
#include "ui/ModalHelper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

QVariantMap recordWithQuality(int quality)
{
    QVariantMap r;
    for (const QString& k : settingsKeys())
        r.insert(k, 0);
    r.insert(key::ScalingFactor, 0.5);
    r.insert(key::Suffix, QStringLiteral("-q%1").arg(quality));
    r.insert(key::Path, QStringLiteral("Same as original"));
    r.insert(key::Quality, quality);
    r.insert(key::Recompress, 1);
    r.insert(key::HasSuffix, 1);
    r.insert(key::ScalingFixedValue, 800);
    return r;
}

class Presets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.isValid() && config.isValid());
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    }

    QString presetsPath() const { return data.filePath(QStringLiteral("Brelin/Presets.plist")); }
    void writePresets(const PresetList& list)
    {
        QDir().mkpath(data.filePath(QStringLiteral("Brelin")));
        ASSERT_TRUE(PresetFile(presetsPath()).save(list));
    }
    PresetList threePresets() const
    {
        return {{QStringLiteral("web"), recordWithQuality(70)},
                {QStringLiteral("mail"), recordWithQuality(50)},
                {QStringLiteral("print"), recordWithQuality(95)}};
    }
    QStringList names(const PresetList& list) const
    {
        QStringList n;
        for (const Preset& p : list)
            n << p.name;
        return n;
    }
    QComboBox* popup(BRController& c) const
    {
        return c.window()->findChild<QComboBox*>(QStringLiteral("presetsPopup"));
    }
    QStringList presetItems(BRController& c) const
    {
        QStringList items;
        QComboBox* p = popup(c);
        for (int i = 0; i < p->count() && p->itemData(i).typeId() == QMetaType::Int; ++i) {
            EXPECT_EQ(p->itemData(i).toInt(), i) << "the tag is the position";
            items << p->itemText(i);
        }
        return items;
    }
    void choose(BRController& c, const QString& title)
    {
        QComboBox* p = popup(c);
        const int index = p->findText(title);
        ASSERT_GE(index, 0) << title.toStdString();
        p->setCurrentIndex(index);
        emit p->activated(index);
    }
    void saveAs(BRController& c, const QString& name)
    {
        choose(c, QStringLiteral("Save Preset…"));
        auto* window = c.window()->findChild<QDialog*>(QStringLiteral("savePresetWindow"));
        ASSERT_TRUE(window && window->isVisible());
        window->findChild<QLineEdit*>(QStringLiteral("savePresetName"))->setText(name);
        clickButton(window, QStringLiteral("Save"));
    }
    void setQuality(BRController& c, int q)
    {
        c.window()->findChild<QSpinBox*>(QStringLiteral("qualityValue"))->setValue(q);
    }

    QTemporaryDir data;
    QTemporaryDir config;
};

} // namespace

TEST_F(Presets, FirstStartMakesTheDefaultPresetAndWritesNothing)
{
    BRController c;
    ASSERT_EQ(names(c.presetList()), QStringList{QStringLiteral("Default")});
    EXPECT_EQ(c.presetList()[0].prefs, c.buildPrefs());
    // Shrinks large photos, never enlarges a small one.
    const QVariantMap& first = c.presetList()[0].prefs;
    EXPECT_EQ(first.value(key::ScalingType), ScaleToLength);
    EXPECT_EQ(first.value(key::ScalingFixedType), FixedLongerSideIfLonger);
    EXPECT_EQ(first.value(key::ScalingFixedValue), 1920);
    EXPECT_EQ(first.value(key::Quality), 80);
    EXPECT_EQ(first.value(key::Suffix), QStringLiteral("-small"));
    const auto* fixed = c.window()->findChild<QComboBox*>(QStringLiteral("scalingFixedType"));
    EXPECT_EQ(fixed->currentText(), QStringLiteral("Longer side, if longer"));
    EXPECT_EQ(fixed->itemData(6), 6);
    EXPECT_EQ(popup(c)->currentText(), QStringLiteral("Default"));
    EXPECT_EQ(popup(c)->itemText(2), QStringLiteral("Save Preset…"));
    EXPECT_EQ(popup(c)->itemText(3), QStringLiteral("Manage Presets…"));
    EXPECT_TRUE(QFileInfo(presetsPath()).dir().exists()) << "the data folder is made";
    EXPECT_FALSE(QFileInfo::exists(presetsPath()));
    c.applicationWillTerminate();
    EXPECT_EQ(userDefaults()->value(defaults::DefaultPreset).toString(), QStringLiteral("Default"));
}

TEST_F(Presets, LoadingKeepsTheFirstOfEachNameAndShowsTheLast)
{
    PresetList list = threePresets();
    list.insert(3, {QStringLiteral("mail"), recordWithQuality(11)});
    writePresets(list);
    BRController c;
    EXPECT_EQ(names(c.presetList()), (QStringList{QStringLiteral("web"), QStringLiteral("mail"),
                                                  QStringLiteral("print")}));
    EXPECT_EQ(c.presetList()[1].prefs.value(key::Quality), 50);
    EXPECT_EQ(presetItems(c), names(c.presetList()));
    EXPECT_EQ(popup(c)->currentText(), QStringLiteral("print"));
    EXPECT_EQ(c.buildPrefs().value(key::Quality), 80)
        << "without DefaultPreset the panel keeps its values";
}

TEST_F(Presets, TheDefaultPresetIsAppliedAtStart)
{
    writePresets(threePresets());
    userDefaults()->setValue(defaults::DefaultPreset, QStringLiteral("mail"));
    BRController c;
    EXPECT_EQ(popup(c)->currentText(), QStringLiteral("mail"));
    EXPECT_EQ(c.buildPrefs(), threePresets()[1].prefs);

    // Quitting with an item that is no preset removes the default.
    popup(c)->setCurrentIndex(popup(c)->findText(QStringLiteral("Manage Presets…")));
    c.applicationWillTerminate();
    EXPECT_FALSE(userDefaults()->contains(defaults::DefaultPreset));
}

TEST_F(Presets, SavingUnderANewNameAppendsAndWrites)
{
    writePresets(threePresets());
    BRController c;
    setQuality(c, 42);
    saveAs(c, QStringLiteral("archive"));
    EXPECT_EQ(names(c.presetList()).last(), QStringLiteral("archive"));
    EXPECT_EQ(popup(c)->currentText(), QStringLiteral("archive"));
    EXPECT_EQ(presetItems(c), names(c.presetList()));
    const PresetList onDisk = PresetFile(presetsPath()).load();
    EXPECT_EQ(onDisk, c.presetList());
    EXPECT_EQ(onDisk.last().prefs.value(key::Quality), 42);

    // The empty name is a name too.
    saveAs(c, QString());
    EXPECT_EQ(c.presetList().last().name, QString());
    EXPECT_EQ(PresetFile(presetsPath()).load().size(), 5);
}

TEST_F(Presets, SavingUnderAnExistingNameAsksFirst)
{
    writePresets(threePresets());
    BRController c;
    const QByteArray before = readBytes(presetsPath());
    setQuality(c, 33);

    whenShown(QStringLiteral("replacePresetQuestion"), [](QWidget* q) {
        EXPECT_EQ(
            static_cast<QMessageBox*>(q)->text(),
            QStringLiteral("Do you want to replace the existing preset with the same name ?"));
        EXPECT_EQ(q->windowTitle(), QStringLiteral("Replace ?"));
        clickButton(q, QStringLiteral("Cancel"));
    });
    saveAs(c, QStringLiteral("web"));
    EXPECT_EQ(names(c.presetList()), names(threePresets()));
    EXPECT_EQ(presetItems(c), names(threePresets()));
    EXPECT_EQ(popup(c)->currentText(), QStringLiteral("web"));
    EXPECT_EQ(c.buildPrefs().value(key::Quality), 33) << "the panel keeps its values";
    EXPECT_EQ(readBytes(presetsPath()), before);

    whenShown(QStringLiteral("replacePresetQuestion"),
              [](QWidget* q) { clickButton(q, QStringLiteral("Yes")); });
    saveAs(c, QStringLiteral("web"));
    EXPECT_EQ(names(c.presetList()), (QStringList{QStringLiteral("mail"), QStringLiteral("print"),
                                                  QStringLiteral("web")}));
    EXPECT_EQ(presetItems(c), names(c.presetList()));
    EXPECT_EQ(c.presetList().last().prefs.value(key::Quality), 33);
    EXPECT_EQ(PresetFile(presetsPath()).load(), c.presetList());
}

TEST_F(Presets, DeletingTheFirstOfThreeRenumbersTheItems)
{
    writePresets(threePresets());
    BRController c;
    QTableWidget* table = nullptr;
    // Each step says what comes next before it acts, since the windows run modally.
    whenShown(QStringLiteral("manageWindow"), [&table](QWidget* manager) {
        table = manager->findChild<QTableWidget*>(QStringLiteral("presetsTable"));
        EXPECT_EQ(table->rowCount(), 3);
        table->selectRow(0);
        whenShown(QStringLiteral("deletePresetQuestion"), [](QWidget* q) {
            EXPECT_EQ(static_cast<QMessageBox*>(q)->text(),
                      QStringLiteral("Are you sure you want to delete the preset \"web\" ?"));
            EXPECT_EQ(q->windowTitle(), QStringLiteral("Delete preset ?"));
            whenShown(QStringLiteral("manageWindow"), [](QWidget* m) {
                whenShown(QStringLiteral("prefsWindow"),
                          [](QWidget* p) { clickButton(p, QStringLiteral("Cancel")); });
                clickButton(m, QStringLiteral("Done"));
            });
            clickButton(q, QStringLiteral("Yes"));
        });
        clickButton(manager, QStringLiteral("Delete"));
    });
    choose(c, QStringLiteral("Manage Presets…"));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(names(c.presetList()),
              (QStringList{QStringLiteral("mail"), QStringLiteral("print")}));
    EXPECT_EQ(presetItems(c), names(c.presetList()));
    EXPECT_EQ(PresetFile(presetsPath()).load(), c.presetList());
    choose(c, QStringLiteral("print"));
    EXPECT_EQ(c.buildPrefs(), threePresets()[2].prefs);
}

TEST_F(Presets, RenamingChecksTheNameAndWritesAtOnce)
{
    writePresets(threePresets());
    BRController c;
    const QByteArray before = readBytes(presetsPath());
    const auto renameRow = [](int row, const QString& to) {
        whenShown(QStringLiteral("manageWindow"), [row, to](QWidget* manager) {
            manager->findChild<QTableWidget*>(QStringLiteral("presetsTable"))->selectRow(row);
            clickButton(manager, QStringLiteral("Rename…"));
            auto* sheet = manager->findChild<QDialog*>(QStringLiteral("renameWindow"));
            EXPECT_TRUE(sheet->isVisible());
            EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
            sheet->findChild<QLineEdit*>(QStringLiteral("renameField"))->setText(to);
            clickButton(sheet, QStringLiteral("Rename"));
            whenShown(QStringLiteral("prefsWindow"),
                      [](QWidget* p) { clickButton(p, QStringLiteral("OK")); });
            clickButton(manager, QStringLiteral("Done"));
        });
    };
    // A taken name, and the empty name, change nothing and write nothing.
    for (const QString& refused : {QStringLiteral("web"), QString(), QStringLiteral("mail")}) {
        renameRow(1, refused);
        c.openPrefs(true);
        EXPECT_EQ(names(c.presetList()), names(threePresets()));
        EXPECT_EQ(readBytes(presetsPath()), before);
    }
    renameRow(1, QStringLiteral("mail 800"));
    c.openPrefs(true);
    EXPECT_EQ(names(c.presetList())[1], QStringLiteral("mail 800"));
    EXPECT_EQ(presetItems(c), names(c.presetList()));
    EXPECT_EQ(names(PresetFile(presetsPath()).load()), names(c.presetList()));
}

TEST_F(Presets, TheLastPresetStaysAndTakesAnyName)
{
    writePresets({threePresets()[0], threePresets()[1]});
    BRController c;
    // Delete one of two; the other cannot go, and takes its own name again.
    whenShown(QStringLiteral("manageWindow"), [](QWidget* manager) {
        auto* table = manager->findChild<QTableWidget*>(QStringLiteral("presetsTable"));
        table->selectRow(1);
        whenShown(QStringLiteral("deletePresetQuestion"), [table](QWidget* q) {
            whenShown(QStringLiteral("manageWindow"), [table](QWidget* m) {
                table->selectRow(0);
                clickButton(m, QStringLiteral("Delete")); // ignored: no question comes
                clickButton(m, QStringLiteral("Rename…"));
                auto* sheet = m->findChild<QDialog*>(QStringLiteral("renameWindow"));
                auto* field = sheet->findChild<QLineEdit*>(QStringLiteral("renameField"));
                EXPECT_EQ(field->text(), QStringLiteral("web"));
                field->setText(QStringLiteral("web"));
                clickButton(sheet, QStringLiteral("Rename"));
                whenShown(QStringLiteral("prefsWindow"),
                          [](QWidget* p) { clickButton(p, QStringLiteral("Cancel")); });
                clickButton(m, QStringLiteral("Done"));
            });
            clickButton(q, QStringLiteral("Yes"));
        });
        clickButton(manager, QStringLiteral("Delete"));
    });
    c.openPrefs(true);
    EXPECT_EQ(names(c.presetList()), QStringList{QStringLiteral("web")});
    EXPECT_EQ(presetItems(c), QStringList{QStringLiteral("web")});
    // With one preset the manager cannot be opened.
    whenShown(QStringLiteral("prefsWindow"), [](QWidget* p) {
        EXPECT_FALSE(p->findChild<QPushButton*>(QStringLiteral("manageButton"))->isEnabled());
        clickButton(p, QStringLiteral("Cancel"));
    });
    c.openPrefs(true);
}

TEST_F(Presets, TheDeleteQuestionShowsTheNameAsItIs)
{
    const QString odd = QStringLiteral("50% <b>off</b> %1 %@");
    writePresets({threePresets()[0], {odd, recordWithQuality(1)}});
    BRController c;
    const QByteArray before = readBytes(presetsPath());
    whenShown(QStringLiteral("manageWindow"), [odd](QWidget* manager) {
        manager->findChild<QTableWidget*>(QStringLiteral("presetsTable"))->selectRow(1);
        whenShown(QStringLiteral("deletePresetQuestion"), [odd](QWidget* q) {
            auto* box = static_cast<QMessageBox*>(q);
            EXPECT_EQ(box->text(), QStringLiteral("Are you sure you want to delete the preset \"") +
                                       odd + QStringLiteral("\" ?"));
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            whenShown(QStringLiteral("manageWindow"), [](QWidget* m) {
                whenShown(QStringLiteral("prefsWindow"), [](QWidget* p) { p->close(); });
                m->close();
            });
            clickButton(q, QStringLiteral("No"));
        });
        clickButton(manager, QStringLiteral("Delete"));
    });
    c.openPrefs(true);
    EXPECT_EQ(names(c.presetList()), (QStringList{QStringLiteral("web"), odd}));
    EXPECT_EQ(presetItems(c), names(c.presetList()));
    EXPECT_EQ(readBytes(presetsPath()), before);
}

TEST_F(Presets, TheOptionsAreStoredOnlyWhenConfirmed)
{
    BRController c;
    const auto setBoxes = [](QWidget* p, bool empty, bool now, bool dates = false) {
        p->findChild<QCheckBox*>(QStringLiteral("emptyList"))->setChecked(empty);
        p->findChild<QCheckBox*>(QStringLiteral("processNow"))->setChecked(now);
        p->findChild<QCheckBox*>(QStringLiteral("keepDates"))->setChecked(dates);
    };
    // The close box stores nothing.
    whenShown(QStringLiteral("prefsWindow"), [&](QWidget* p) {
        setBoxes(p, true, true);
        p->close();
    });
    c.openPrefs();
    EXPECT_FALSE(userDefaults()->contains(defaults::EmptyList));
    EXPECT_FALSE(userDefaults()->contains(defaults::ProcessNow));

    // OK stores both, also when neither was stored before.
    whenShown(QStringLiteral("prefsWindow"), [&](QWidget* p) {
        setBoxes(p, false, true, true);
        clickButton(p, QStringLiteral("OK"));
    });
    c.openPrefs();
    EXPECT_EQ(userDefaults()->value(defaults::EmptyList).toInt(), 0);
    EXPECT_EQ(userDefaults()->value(defaults::ProcessNow).toInt(), 1);
    EXPECT_EQ(userDefaults()->value(defaults::KeepDates).toInt(), 1);

    // Shown as stored at the next opening; Cancel keeps them.
    whenShown(QStringLiteral("prefsWindow"), [&](QWidget* p) {
        EXPECT_FALSE(p->findChild<QCheckBox*>(QStringLiteral("emptyList"))->isChecked());
        EXPECT_TRUE(p->findChild<QCheckBox*>(QStringLiteral("processNow"))->isChecked());
        EXPECT_TRUE(p->findChild<QCheckBox*>(QStringLiteral("keepDates"))->isChecked());
        setBoxes(p, true, false);
        clickButton(p, QStringLiteral("Cancel"));
    });
    c.openPrefs();
    EXPECT_EQ(userDefaults()->value(defaults::EmptyList).toInt(), 0);
    EXPECT_EQ(userDefaults()->value(defaults::ProcessNow).toInt(), 1);
}

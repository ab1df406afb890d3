// SPDX-License-Identifier: GPL-3.0-or-later
// BRController: the presets, their pop-up, the save window and the default preset.
#include "ui/BRController.h"

#include "settings/UserDefaults.h"
#include "ui/PrefsController.h"
#include "ui/PresetMenu.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

using namespace brelin;

void BRController::setUpPresets()
{
    presets.clear();
    userPrefs = userDefaults();
    appSupportDir = appSupportFolder();
    presetsFile = PresetFile(QDir(appSupportDir).filePath(QStringLiteral("Presets.plist")));
    QDir().mkpath(appSupportDir);

    presetsPopup->insertSeparator(0);
    presetsPopup->addItem(tr("Save Preset…"), QString::fromLatin1(presetmenu::kSaveItem));
    presetsPopup->addItem(tr("Manage Presets…"), QString::fromLatin1(presetmenu::kManageItem));
    connect(presetsPopup, &QComboBox::activated, this, &BRController::getValuesFromPreset);
    connect(presetsPopup, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (presetmenu::tagAt(presetsPopup, index) >= 0)
            shownPreset = index;
    });

    // The save window: modeless, its field keeps the last name typed.
    savePresetWindow = new QDialog(mainWindow.get());
    savePresetWindow->setObjectName(QStringLiteral("savePresetWindow"));
    savePresetWindow->setWindowTitle(tr("Save Preset"));
    savePresetName = new QLineEdit(savePresetWindow);
    savePresetName->setObjectName(QStringLiteral("savePresetName"));
    savePresetName->setMinimumWidth(260);
    auto* form = new QFormLayout(savePresetWindow);
    form->addRow(tr("Preset name:"), savePresetName);
    auto* buttons = new QDialogButtonBox(savePresetWindow);
    buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &BRController::savePresetWithName);
    connect(buttons, &QDialogButtonBox::rejected, this, &BRController::savePresetCancel);

    if (presetsFile.exists()) {
        loadPresets();
    } else {
        const Preset builtIn{tr("Default"), buildPrefs()};
        presets.append(builtIn);
        addToPresetMenu(builtIn);
    }
}

void BRController::loadPresets()
{
    for (const Preset& p : presetsFile.load()) {
        if (!presetDoesNotExist(p))
            continue;
        presets.append(p);
        addToPresetMenu(p);
    }
    if (!userPrefs->contains(defaults::DefaultPreset))
        return;
    const int index = presetmenu::indexOfPreset(
        presetsPopup, userPrefs->value(defaults::DefaultPreset).toString());
    if (index < 0)
        return;
    presetsPopup->setCurrentIndex(index);
    getValuesFromPreset(index);
}

bool BRController::savePresetsToDisk()
{
    return presetsFile.save(presets);
}

const Preset* BRController::presetWithName(const QString& name) const
{
    return brelin::presetWithName(presets, name);
}

bool BRController::presetDoesNotExist(const Preset& preset) const
{
    return presetWithName(preset.name) == nullptr;
}

void BRController::addToPresetMenu(const Preset& preset)
{
    const int position = int(presets.indexOf(preset));
    presetmenu::insertPreset(presetsPopup, preset.name,
                             position >= 0 ? position : int(presets.size()) - 1);
}

void BRController::removeFromPresetMenu(const Preset& preset)
{
    presetmenu::removePreset(presetsPopup, preset.name);
}

void BRController::getValuesFromPreset(int index)
{
    const int tag = presetmenu::tagAt(presetsPopup, index);
    if (tag >= 0) {
        if (tag < presets.size())
            setValuesFrom(presets.at(tag).prefs);
        return;
    }
    // An action item: do it, and show the preset that was shown before.
    const QString action = presetsPopup->itemData(index).toString();
    if (shownPreset >= 0 && shownPreset < presetmenu::presetItemCount(presetsPopup))
        presetsPopup->setCurrentIndex(shownPreset);
    if (action == QLatin1String(presetmenu::kSaveItem))
        savePreset();
    else if (action == QLatin1String(presetmenu::kManageItem))
        openPrefs(true);
}

void BRController::savePreset()
{
    savePresetWindow->show();
    savePresetWindow->raise();
    savePresetWindow->activateWindow();
    savePresetName->setFocus();
    savePresetName->selectAll();
}

void BRController::savePresetCancel()
{
    savePresetWindow->close();
}

void BRController::savePresetWithName()
{
    savePresetWindow->close();
    const QString name = savePresetName->text();
    if (const Preset* existing = presetWithName(name)) {
        QMessageBox question(QMessageBox::Question, tr("Replace ?"),
                             tr("Do you want to replace the existing preset with the same name ?"),
                             QMessageBox::NoButton, mainWindow.get());
        question.setObjectName(QStringLiteral("replacePresetQuestion"));
        question.setTextFormat(Qt::PlainText);
        QPushButton* yes = question.addButton(tr("Yes"), QMessageBox::AcceptRole);
        question.addButton(tr("Cancel"), QMessageBox::RejectRole);
        question.setDefaultButton(yes);
        question.exec();
        if (question.clickedButton() != yes) {
            presetsPopup->setCurrentIndex(presetmenu::indexOfPreset(presetsPopup, name));
            return;
        }
        const Preset old = *existing;
        presets.removeAt(presets.indexOf(old));
        removeFromPresetMenu(old);
    }
    const Preset fresh{name, buildPrefs()};
    presets.append(fresh);
    addToPresetMenu(fresh);
    savePresetsToDisk();
}

void BRController::openPrefs(bool manage)
{
    if (!prefcontrol)
        prefcontrol =
            std::make_unique<PrefsController>(presets, presetsPopup, presetsFile, mainWindow.get());
    prefcontrol->openPrefs(manage);
}

void BRController::applicationWillTerminate()
{
    const QString title = presetsPopup->currentText();
    if (presetmenu::tagAt(presetsPopup, presetsPopup->currentIndex()) >= 0 && presetWithName(title))
        userPrefs->setValue(defaults::DefaultPreset, title);
    else
        userPrefs->remove(defaults::DefaultPreset);
    userPrefs->sync();
}

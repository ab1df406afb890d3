// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences window (the "Empty List", "Process Now" and "Keep Dates" options) and the preset
// manager (rename, delete), each run modally, handing over to the other.
#pragma once

#include "settings/PresetFile.h"

#include <QObject>

#include <memory>

class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QSettings;
class QTableWidget;
class QWidget;

class PrefsController : public QObject
{
    Q_OBJECT
public:
    // Works on the main window's preset list, pop-up and file, by reference.
    PrefsController(brelin::PresetList& presets, QComboBox* presetsPopup,
                    brelin::PresetFile& presetsFile, QWidget* parent);
    ~PrefsController() override;

    // Runs the preferences window modally (and the manager from it) until it is closed.
    // With `manage`, starts in the manager when the manager may be opened.
    void openPrefs(bool manage = false);

    void save();
    void cancel();
    void managePresets();
    void doneManaging();
    void renamePreset();
    void okForRename();
    void cancelRename();
    void removePreset();
    bool checkIfDuplicate(const QString& name) const;
    bool savePresetsToDisk();

private:
    void buildPrefsWindow(QWidget* parent);
    void buildManageWindow(QWidget* parent);
    void reloadTable();
    int selectedRow() const;

    brelin::PresetList& presets;
    QComboBox* presetsPopup;
    brelin::PresetFile& presetsFile;
    std::unique_ptr<QSettings> userPrefs;

    QDialog* prefsWindow = nullptr;
    QCheckBox* emptyList = nullptr;
    QCheckBox* processNow = nullptr;
    QCheckBox* keepDates = nullptr;
    QSpinBox* jobs = nullptr;
    QPushButton* manageButton = nullptr;
    QDialog* manageWindow = nullptr;
    QTableWidget* presetsTable = nullptr;
    QDialog* renameWindow = nullptr;
    QLineEdit* renameField = nullptr;
};

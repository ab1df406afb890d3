// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PrefsController.h"

#include "filelist/BRUtils.h"
#include "settings/SettingsRecord.h"
#include "settings/UserDefaults.h"
#include "ui/PresetMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace brelin;

namespace {
// What the preferences window's modal run ended with.
enum PrefsResult { Closed = QDialog::Rejected, Saved = QDialog::Accepted, Manage = 2 };
} // namespace

PrefsController::PrefsController(PresetList& presetList, QComboBox* popup, PresetFile& file,
                                 QWidget* parent)
    : QObject(parent), presets(presetList), presetsPopup(popup), presetsFile(file),
      userPrefs(userDefaults())
{
    buildPrefsWindow(parent);
    buildManageWindow(parent);
}

PrefsController::~PrefsController() = default;

void PrefsController::buildPrefsWindow(QWidget* parent)
{
    prefsWindow = new QDialog(parent);
    prefsWindow->setObjectName(QStringLiteral("prefsWindow"));
    prefsWindow->setWindowTitle(tr("Preferences"));
    emptyList = new QCheckBox(tr("Empty the list after processing"), prefsWindow);
    emptyList->setObjectName(QStringLiteral("emptyList"));
    processNow = new QCheckBox(tr("Process files opened from the desktop at once"), prefsWindow);
    processNow->setObjectName(QStringLiteral("processNow"));
    keepDates = new QCheckBox(tr("Keep the originals' dates"), prefsWindow);
    keepDates->setObjectName(QStringLiteral("keepDates"));
    jobs = new QSpinBox(prefsWindow);
    jobs->setObjectName(QStringLiteral("jobs"));
    jobs->setRange(1, kMaxJobs);
    jobs->setToolTip(tr("Each photo in progress takes a processor and the memory of one photo. "
                        "The results are the same at any number."));
    manageButton = new QPushButton(tr("Manage Presets…"), prefsWindow);
    manageButton->setObjectName(QStringLiteral("manageButton"));
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, prefsWindow);
    auto* layout = new QVBoxLayout(prefsWindow);
    layout->addWidget(emptyList);
    layout->addWidget(processNow);
    layout->addWidget(keepDates);
    auto* jobsRow = new QFormLayout;
    jobsRow->addRow(tr("Photos processed at once:"), jobs);
    layout->addLayout(jobsRow);
    auto* manageRow = new QHBoxLayout;
    manageRow->addWidget(manageButton);
    manageRow->addStretch();
    layout->addLayout(manageRow);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrefsController::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrefsController::cancel);
    connect(manageButton, &QPushButton::clicked, this, &PrefsController::managePresets);
}

void PrefsController::buildManageWindow(QWidget* parent)
{
    manageWindow = new QDialog(parent);
    manageWindow->setObjectName(QStringLiteral("manageWindow"));
    manageWindow->setWindowTitle(tr("Manage Presets"));
    manageWindow->resize(360, 320);
    presetsTable = new QTableWidget(0, 2, manageWindow);
    presetsTable->setObjectName(QStringLiteral("presetsTable"));
    presetsTable->setHorizontalHeaderLabels({tr("Name"), tr("Size target")});
    presetsTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    presetsTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    presetsTable->verticalHeader()->hide();
    presetsTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    presetsTable->setShowGrid(false);
    presetsTable->setAlternatingRowColors(true);
    presetsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    presetsTable->setSelectionMode(QAbstractItemView::SingleSelection);
    presetsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* rename = new QPushButton(tr("Rename…"), manageWindow);
    rename->setObjectName(QStringLiteral("renameButton"));
    auto* remove = new QPushButton(tr("Delete"), manageWindow);
    remove->setObjectName(QStringLiteral("deleteButton"));
    auto* done = new QPushButton(tr("Done"), manageWindow);
    done->setObjectName(QStringLiteral("doneButton"));
    done->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addWidget(rename);
    row->addWidget(remove);
    row->addStretch();
    row->addWidget(done);
    auto* layout = new QVBoxLayout(manageWindow);
    layout->addWidget(presetsTable);
    layout->addLayout(row);
    connect(rename, &QPushButton::clicked, this, &PrefsController::renamePreset);
    connect(remove, &QPushButton::clicked, this, &PrefsController::removePreset);
    connect(done, &QPushButton::clicked, this, &PrefsController::doneManaging);
    connect(presetsTable, &QTableWidget::cellDoubleClicked, this, &PrefsController::renamePreset);

    // The rename sheet: window-modal on the manager.
    renameWindow = new QDialog(manageWindow);
    renameWindow->setObjectName(QStringLiteral("renameWindow"));
    renameWindow->setWindowTitle(tr("Rename Preset"));
    renameField = new QLineEdit(renameWindow);
    renameField->setObjectName(QStringLiteral("renameField"));
    renameField->setMinimumWidth(240);
    auto* form = new QFormLayout(renameWindow);
    form->addRow(tr("New name:"), renameField);
    auto* buttons = new QDialogButtonBox(renameWindow);
    buttons->addButton(tr("Rename"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrefsController::okForRename);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrefsController::cancelRename);
}

void PrefsController::openPrefs(bool manage)
{
    manageButton->setEnabled(presets.size() > 1);
    if (userPrefs->contains(defaults::EmptyList)) {
        emptyList->setChecked(defaultIsOn(*userPrefs, defaults::EmptyList));
        processNow->setChecked(defaultIsOn(*userPrefs, defaults::ProcessNow));
    }
    keepDates->setChecked(defaultIsOn(*userPrefs, defaults::KeepDates));
    jobs->setValue(windowJobs(*userPrefs));
    // One window runs modally at a time: the manager's run ends back in the preferences.
    bool toManager = manage && manageButton->isEnabled();
    for (;;) {
        const int result = toManager ? Manage : prefsWindow->exec();
        toManager = false;
        if (result != Manage)
            break;
        reloadTable();
        manageWindow->exec();
    }
}

void PrefsController::save()
{
    userPrefs->setValue(defaults::EmptyList, emptyList->isChecked() ? 1 : 0);
    userPrefs->setValue(defaults::ProcessNow, processNow->isChecked() ? 1 : 0);
    userPrefs->setValue(defaults::KeepDates, keepDates->isChecked() ? 1 : 0);
    // The processors' default is kept as none, so that it follows the machine.
    if (jobs->value() == defaultWindowJobs())
        userPrefs->remove(defaults::Jobs);
    else
        userPrefs->setValue(defaults::Jobs, jobs->value());
    userPrefs->sync();
    cancel();
}

void PrefsController::cancel()
{
    manageWindow->reject();
    prefsWindow->reject();
}

void PrefsController::managePresets()
{
    prefsWindow->done(Manage);
}

void PrefsController::doneManaging()
{
    manageWindow->accept();
}

void PrefsController::reloadTable()
{
    presetsTable->setRowCount(int(presets.size()));
    for (int i = 0; i < presets.size(); ++i) {
        presetsTable->setItem(i, 0, new QTableWidgetItem(presets.at(i).name));
        const int maxSize = recordInt(presets.at(i).prefs, key::MaxSize);
        presetsTable->setItem(
            i, 1,
            new QTableWidgetItem(
                maxSize > 0
                    ? tr("at most %1").arg(BRUtils::getHumanSize(static_cast<uint64_t>(maxSize)))
                    : QString()));
    }
}

int PrefsController::selectedRow() const
{
    const auto rows = presetsTable->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void PrefsController::renamePreset()
{
    const int row = selectedRow();
    if (row < 0 || row >= presets.size())
        return;
    renameField->setText(presets.at(row).name);
    renameField->selectAll();
    renameWindow->open();
}

void PrefsController::okForRename()
{
    const int row = selectedRow();
    const QString fresh = renameField->text();
    if (row >= 0 && row < presets.size() && !fresh.isEmpty() && !checkIfDuplicate(fresh)) {
        const QString old = presets.at(row).name;
        presets[row].name = fresh;
        presetmenu::renamePreset(presetsPopup, old, fresh);
        presetsTable->item(row, 0)->setText(fresh);
        savePresetsToDisk();
    }
    renameWindow->close();
}

void PrefsController::cancelRename()
{
    renameWindow->close();
}

bool PrefsController::checkIfDuplicate(const QString& name) const
{
    return presets.size() > 1 && presetWithName(presets, name) != nullptr;
}

void PrefsController::removePreset()
{
    if (presets.size() <= 1)
        return;
    const int row = selectedRow();
    if (row < 0 || row >= presets.size())
        return;
    const QString name = presets.at(row).name;
    QMessageBox question(QMessageBox::Question, tr("Delete preset ?"),
                         tr("Are you sure you want to delete the preset \"") + name +
                             QStringLiteral("\" ?"),
                         QMessageBox::NoButton, manageWindow);
    question.setObjectName(QStringLiteral("deletePresetQuestion"));
    // The name is shown as it is, whatever characters it holds.
    question.setTextFormat(Qt::PlainText);
    QPushButton* yes = question.addButton(tr("Yes"), QMessageBox::YesRole);
    question.addButton(tr("No"), QMessageBox::NoRole);
    question.setDefaultButton(yes);
    question.exec();
    if (question.clickedButton() != yes)
        return;
    presets.removeAt(row);
    reloadTable();
    presetmenu::removePreset(presetsPopup, name);
    savePresetsToDisk();
}

bool PrefsController::savePresetsToDisk()
{
    return presetsFile.save(presets);
}

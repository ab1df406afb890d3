// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BRController.h"

#include "filelist/BRFileListModel.h"
#include "ui/NameCell.h"
#include "ui/PhotoFactsLoader.h"
#include "ui/PrefsController.h"

#include "platform/Resources.h"
#include "settings/SettingsRecord.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QSettings>
#include <QUrl>

#include <cmath>

using namespace brelin;

namespace {

int stateOf(const QAbstractButton* box)
{
    return box->isChecked() ? 1 : 0;
}

// Radio cells carry their tag as the "tag" property of the window definition.
void takeTagsAsIds(QButtonGroup* group)
{
    for (QAbstractButton* button : group->buttons())
        group->setId(button, button->property("tag").toInt());
}

void selectById(QButtonGroup* group, int id)
{
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

} // namespace

BRController::BRController(QObject* parent)
    : QObject(parent), mainWindow(std::make_unique<QMainWindow>()), presetsFile(QString())
{
    setupUi(mainWindow.get());
    takeTagsAsIds(scalingType);
    takeTagsAsIds(iconChoice);
    // The pop-up's items stand in code order; their tags equal their positions.
    for (int i = 0; i < scalingFixedType->count(); ++i)
        scalingFixedType->setItemData(i, i);

    filesModel = std::make_unique<BRFileListModel>();
    filesOutline->setModel(filesModel.get());
    nameCell = new NameCell(filesOutline);
    factsLoader = new PhotoFactsLoader(*filesModel, this);
    nameCell->setLoader(factsLoader);
    filesOutline->setItemDelegateForColumn(0, nameCell);
    filesOutline->setDropHandler([this](const QList<QUrl>& urls) { return acceptDrop(urls); });
    connect(filesOutline, &BROutlineView::removeRequested, this, &BRController::removeFile);
    connect(addFilesButton, &QPushButton::clicked, this, &BRController::addFileButton);
    connect(removeButton, &QPushButton::clicked, this, &BRController::removeFile);
    connect(processButton, &QPushButton::clicked, this, &BRController::process);
    connect(compareButton, &QPushButton::clicked, this, &BRController::openCompare);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(filesModel.get(), signal, this, &BRController::updateProcessEnabled);
    connect(filesModel.get(), &QAbstractItemModel::modelReset, this,
            &BRController::updateProcessEnabled);
    mainSplit->setStretchFactor(0, 1);
    mainSplit->setStretchFactor(1, 0);

    // The slider and the quality field show one value; a record reads the field.
    connect(recompressSlider, &QSlider::valueChanged, qualityValue, &QSpinBox::setValue);
    connect(qualityValue, &QSpinBox::valueChanged, recompressSlider, &QSlider::setValue);
    // The target is kept in bytes, so that a record's own value survives being applied.
    maxSizeBytes = maxSizeValue->value() * 1024;
    connect(maxSizeValue, &QSpinBox::valueChanged, this, [this](int kB) {
        if (!applyingMaxSize)
            maxSizeBytes = kB * 1024;
    });
    connect(maxSizeOn, &QCheckBox::toggled, this, &BRController::refreshMaxSize);

    // User actions only: setting a control from code sends none of these.
    connect(scalingType, &QButtonGroup::idClicked, this, &BRController::scalingTypeDidChange);
    connect(recompress, &QCheckBox::clicked, this, &BRController::uncheckRecompress);
    connect(customPath, &QCheckBox::clicked, this, &BRController::customPathDidChange);
    connect(customPathBrowse, &QPushButton::clicked, this, &BRController::getCustomPath);
    connectActions();
    setUpInfoDrawer();

    watchSettings();
    customPathBackup = QString();
    updateProcessEnabled();
    setUpPresets();
    scalingTypeDidChange();
    customPathDidChange();
}

BRController::~BRController() = default;

void BRController::connectActions()
{
    actionQuit->setShortcut(QKeySequence::Quit);
    actionCut->setShortcut(QKeySequence::Cut);
    actionCopy->setShortcut(QKeySequence::Copy);
    actionPaste->setShortcut(QKeySequence::Paste);
    actionSelectAll->setShortcut(QKeySequence::SelectAll);
    actionFullScreen->setShortcut(QKeySequence::FullScreen);
    actionHelp->setShortcut(QKeySequence::HelpContents);

    answer(actionQuit, [this] { mainWindow->close(); });
    actionAddFiles->setShortcut(QKeySequence::Open);
    answer(actionAddFiles, &BRController::addFileButton);
    answer(actionProcess, &BRController::process);
    answer(actionCompare, &BRController::openCompare);
    answer(actionRemove, &BRController::removeFile);
    answer(actionRemoveAll, &BRController::removeAll);
    answer(actionCut, [this] { forwardToFocusedField("cut"); });
    answer(actionCopy, [this] { forwardToFocusedField("copy"); });
    answer(actionPaste, [this] { forwardToFocusedField("paste"); });
    answer(actionSelectAll, [this] { forwardToFocusedField("selectAll"); });
    actionFullScreen->setCheckable(true);
    operations.insert(actionFullScreen);
    connect(actionFullScreen, &QAction::toggled, this, [this](bool on) {
        if (on)
            mainWindow->showFullScreen();
        else
            mainWindow->showNormal();
    });
    actionPreferences->setShortcut(QKeySequence::Preferences);
    answer(actionPreferences, [this] { openPrefs(); });
    answer(actionHelp, &BRController::openHelp);
    answer(actionAbout, &BRController::showAbout);
}

void BRController::forwardToFocusedField(const char* slot)
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused)
        return;
    // A spin box edits through its own line edit.
    QLineEdit* edit = qobject_cast<QLineEdit*>(focused);
    if (!edit)
        edit = focused->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    if (edit)
        QMetaObject::invokeMethod(edit, slot);
}

QVariantMap BRController::buildPrefs() const
{
    const int fixedIndex = scalingFixedType->currentIndex();
    QVariantMap record;
    record.insert(key::HasSuffix, stateOf(backupOriginals));
    record.insert(key::Recompress, stateOf(recompress));
    record.insert(key::Quality, qualityValue->value());
    record.insert(key::MaxSize, maxSizeOn->isChecked() ? maxSizeBytes : 0);
    record.insert(key::AllowHigherQuality, stateOf(allowHigherQuality));
    record.insert(key::Baseline, stateOf(baseline));
    record.insert(key::KeepImageData, stateOf(keepImageData));
    record.insert(key::RemoveEXIF, stateOf(removeEXIF));
    record.insert(key::RemoveICC, stateOf(removeICC));
    record.insert(key::RemoveITPC, stateOf(removeITPC));
    record.insert(key::RemoveComment, stateOf(removeComment));
    record.insert(key::RemoveOthers, stateOf(removeOthers));
    record.insert(key::RemoveGainMap, stateOf(removeGainMap));
    record.insert(key::ScalingFactor, scalingFactor->value());
    record.insert(key::ScalingFixedType,
                  fixedIndex >= 0 ? scalingFixedType->itemData(fixedIndex).toInt() : -1);
    record.insert(key::ScalingType, scalingType->checkedId());
    record.insert(key::ScalingFixedValue, scalingFixedValue->value());
    record.insert(key::KeepIcon, iconChoice->checkedId());
    record.insert(key::Suffix, suffixField->text());
    record.insert(key::Path, customPathField->text());
    record.insert(key::CustomPath, stateOf(customPath));
    record.insert(key::KeepFolders, stateOf(keepFolders));
    return record;
}

void BRController::setValuesFrom(const QVariantMap& record)
{
    backupOriginals->setChecked(recordFlag(record, key::HasSuffix));
    suffixField->setText(recordString(record, key::Suffix));
    recompress->setChecked(recordFlag(record, key::Recompress));
    const int quality = recordInt(record, key::Quality);
    qualityValue->setValue(quality);
    recompressSlider->setValue(quality);
    const int maxSize = recordInt(record, key::MaxSize);
    maxSizeOn->setChecked(maxSize > 0);
    if (maxSize > 0) {
        applyingMaxSize = true;
        maxSizeValue->setValue(int((qint64(maxSize) + 512) / 1024));
        applyingMaxSize = false;
        maxSizeBytes = maxSize;
    }
    allowHigherQuality->setChecked(recordFlag(record, key::AllowHigherQuality));
    baseline->setChecked(recordFlag(record, key::Baseline));
    keepImageData->setChecked(recordFlag(record, key::KeepImageData));
    removeEXIF->setChecked(recordFlag(record, key::RemoveEXIF));
    removeICC->setChecked(recordFlag(record, key::RemoveICC));
    removeITPC->setChecked(recordFlag(record, key::RemoveITPC));
    removeComment->setChecked(recordFlag(record, key::RemoveComment));
    removeOthers->setChecked(recordFlag(record, key::RemoveOthers));
    removeGainMap->setChecked(recordFlag(record, key::RemoveGainMap));
    const double factor = recordDouble(record, key::ScalingFactor);
    if (std::isfinite(factor))
        scalingFactor->setValue(factor);
    const int position = recordInt(record, key::ScalingFixedType);
    if (position >= 0 && position < scalingFixedType->count())
        scalingFixedType->setCurrentIndex(position);
    selectById(scalingType, recordInt(record, key::ScalingType));
    scalingFixedValue->setValue(recordInt(record, key::ScalingFixedValue));
    selectById(iconChoice, recordInt(record, key::KeepIcon));
    const QString path = recordString(record, key::Path);
    customPathField->setText(path);
    customPathBackup = path;
    customPath->setChecked(recordFlag(record, key::CustomPath));
    keepFolders->setChecked(recordFlag(record, key::KeepFolders));

    customPathDidChange();
    scalingTypeDidChange();
    uncheckRecompress();
}

void BRController::scalingTypeDidChange()
{
    const int tag = scalingType->checkedId();
    if (tag == KeepSize) {
        scalingFactor->setEnabled(false);
        scalingFixedType->setEnabled(false);
        scalingFixedValue->setEnabled(false);
    } else {
        const bool byFactor = tag == ScaleByFactor;
        scalingFactor->setEnabled(byFactor);
        scalingFixedType->setEnabled(!byFactor);
        scalingFixedValue->setEnabled(!byFactor);
        recompress->setChecked(true);
        recompressSlider->setEnabled(true);
        qualityValue->setEnabled(true);
    }
    scalingFixedTypeLabel->setEnabled(scalingFixedType->isEnabled());
    smallerFileLabel->setEnabled(recompressSlider->isEnabled());
    betterImageLabel->setEnabled(recompressSlider->isEnabled());
    refreshMaxSize();
}

void BRController::uncheckRecompress()
{
    // Scaling always re-encodes, so the box cannot be cleared while a scaling is chosen.
    if (scalingType->checkedId() != KeepSize)
        recompress->setChecked(true);
    const bool on = recompress->isChecked();
    recompressSlider->setEnabled(on);
    qualityValue->setEnabled(on);
    smallerFileLabel->setEnabled(on);
    betterImageLabel->setEnabled(on);
    refreshMaxSize();
}

void BRController::refreshMaxSize()
{
    // A part of the quality controls; its field only counts while the box is on.
    const bool quality = recompressSlider->isEnabled();
    maxSizeOn->setEnabled(quality);
    allowHigherQuality->setEnabled(quality);
    maxSizeValue->setEnabled(quality && maxSizeOn->isChecked());
}

void BRController::customPathDidChange()
{
    const bool on = customPath->isChecked();
    customPathField->setEnabled(on);
    customPathBrowse->setEnabled(on);
    keepFolders->setEnabled(on);
    const QString placeholder = tr("Same as original");
    if (on) {
        if (customPathBackup == placeholder)
            customPathBackup.clear();
        customPathField->setText(customPathBackup);
    } else {
        // A second refresh while off must not take the placeholder for the folder.
        if (customPathField->text() != placeholder)
            customPathBackup = customPathField->text();
        customPathField->setText(placeholder);
    }
}

void BRController::getCustomPath()
{
    auto* chooser = new QFileDialog(mainWindow.get(), tr("Choose the Output Folder"));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    chooser->setLabelText(QFileDialog::Accept, tr("Choose"));
    const QFileInfo current(customPathField->text());
    chooser->setDirectory(current.isAbsolute() && current.isDir() ? current.absoluteFilePath()
                                                                  : QDir::homePath());
    connect(chooser, &QFileDialog::fileSelected, this,
            [this](const QString& folder) { customPathField->setText(folder); });
    chooser->open();
}

void BRController::openHelp()
{
    const QString doc = resourcePath(QStringLiteral("Doc"));
    if (doc.isEmpty())
        return;
    const QString page = doc + QLatin1Char('/') + tr("Readme") + QStringLiteral(".html");
    if (QFileInfo::exists(page))
        QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

void BRController::showAbout()
{
    QMessageBox::about(mainWindow.get(), tr("About Brelin"),
                       tr("<h3>Brelin %1</h3><p>Makes JPEG images smaller in batches.</p>"
                          "<p>Brelin is free software: you can redistribute it and/or modify it "
                          "under the terms of the GNU General Public License, version 3 or (at "
                          "your option) any later version (GPL-3.0-or-later). It comes with no "
                          "warranty.</p>")
                           .arg(QCoreApplication::applicationVersion()));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// BRController: the list's lines after a run, and their end when a setting changes.
#include "ui/BRController.h"

#include "filelist/BRFileListModel.h"
#include "ui/NameCell.h"
#include "ui/PhotoFactsLoader.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

using namespace brelin;

namespace {

struct Total
{
    qint64 before = 0;
    qint64 after = 0;
    int processed = 0;
    int failed = 0;
};

// The folder's line: its own, then its photos' total over the run.
void addFolderLines(const BRFileURL& folder, const QHash<QString, const FileOutcome*>& byPath,
                    QHash<QString, BRFileListModel::RunLine>& lines, Total& total)
{
    Total mine;
    for (const BRFileURLPtr& child : folder.contents()) {
        if (child->isDirectory()) {
            addFolderLines(*child, byPath, lines, mine);
            continue;
        }
        const FileOutcome* outcome = byPath.value(child->path());
        if (!outcome)
            continue;
        if (outcome->processed()) {
            ++mine.processed;
            mine.before += outcome->bytesBefore;
            mine.after += outcome->bytesAfter;
        } else {
            ++mine.failed;
        }
    }
    if (mine.processed + mine.failed > 0) {
        QString text = folder.additionalInformation();
        if (mine.processed > 0)
            text += QStringLiteral(" \u00b7 ") + sizeChangeText(mine.before, mine.after);
        if (mine.failed > 0)
            text += QStringLiteral(" \u00b7 ") +
                    QCoreApplication::translate("RunSummary", "%1 not processed").arg(mine.failed);
        lines.insert(folder.path(), {text, false});
    }
    total.before += mine.before;
    total.after += mine.after;
    total.processed += mine.processed;
    total.failed += mine.failed;
}

} // namespace

void BRController::showOutcomes(const std::vector<FileOutcome>& outcomes)
{
    QHash<QString, const FileOutcome*> byPath;
    QSet<QString> replaced;
    for (const FileOutcome& outcome : outcomes) {
        byPath.insert(outcome.source, &outcome);
        if (outcome.processed())
            replaced.insert(outcome.dest);
    }
    // A listed file a result replaced is read again, its icon too.
    for (const BRFileURLPtr& file : filesModel->allfiles())
        if (replaced.contains(file->path())) {
            file->forgetFacts();
            factsLoader->forget(file->path());
            nameCell->forgetIcon(file->path());
        }
    QHash<QString, BRFileListModel::RunLine> lines;
    for (const FileOutcome& outcome : outcomes)
        lines.insert(outcome.source, {outcomeLine(outcome), !outcome.processed()});
    Total all;
    for (const BRFileURLPtr& top : filesModel->list())
        if (top->isDirectory())
            addFolderLines(*top, byPath, lines, all);
    filesModel->setRunLines(std::move(lines));
}

void BRController::watchSettings()
{
    // Every control of the panel, whatever its kind: one change of any is a new record.
    const auto changed = [this] { settingsDidChange(); };
    for (QAbstractButton* button : settingsPanel->findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::toggled, this, changed);
    for (QSpinBox* box : settingsPanel->findChildren<QSpinBox*>())
        connect(box, &QSpinBox::valueChanged, this, changed);
    for (QDoubleSpinBox* box : settingsPanel->findChildren<QDoubleSpinBox*>())
        connect(box, &QDoubleSpinBox::valueChanged, this, changed);
    for (QSlider* slider : settingsPanel->findChildren<QSlider*>())
        connect(slider, &QSlider::valueChanged, this, changed);
    for (QComboBox* box : settingsPanel->findChildren<QComboBox*>())
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    for (QLineEdit* field : settingsPanel->findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textChanged, this, changed);
}

void BRController::settingsDidChange()
{
    if (filesModel->hasRunLines() && buildPrefs() != lastRunPrefs)
        filesModel->clearRunLines();
    compareDidChange();
}

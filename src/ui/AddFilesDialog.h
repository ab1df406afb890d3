// SPDX-License-Identifier: GPL-3.0-or-later
// The open dialog of the file list: several files and folders at once, only folders and
// JPEG files shown.
#pragma once

#include <QFileDialog>
#include <QStringList>

class AddFilesDialog : public QFileDialog
{
    Q_OBJECT
public:
    explicit AddFilesDialog(QWidget* parent);

    // The files and folders selected when the dialog was confirmed.
    QStringList chosenPaths() const { return chosen; }

signals:
    void pathsChosen(const QStringList& paths);

protected:
    void accept() override;

private:
    QStringList chosen;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// A batch run's windows as widgets: the window-modal progress window, the replace
// question with its apply-to-all box, the unprocessed-files window (which stays open
// after the run) and the main window's status bar at the end.
#pragma once

#include "processing/ProcessWindows.h"

#include <QPointer>

class QDialog;
class QLabel;
class QMainWindow;
class QProgressBar;

class ProcessWindowsUi : public brelin::ProcessWindows
{
public:
    explicit ProcessWindowsUi(QMainWindow* mainWindow);
    ~ProcessWindowsUi() override;

    brelin::ReplaceAnswer askReplace(const QString& question) override;
    void showProgress(int maximum, std::function<void()> cancel) override;
    void setProgress(int value, int inProgress, const QString& fileName) override;
    void closeProgress() override;
    void showUnprocessed(const QList<brelin::UnprocessedFile>& rows) override;
    void runDidEnd(const brelin::RunSummary& summary) override;

private:
    QMainWindow* mainWindow;
    QPointer<QDialog> progressWindow;
    QProgressBar* progressBar = nullptr;
    QLabel* progressField = nullptr;
    QLabel* progressFileField = nullptr;
};

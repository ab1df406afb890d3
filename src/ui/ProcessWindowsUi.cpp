// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProcessWindowsUi.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace brelin;

ProcessWindowsUi::ProcessWindowsUi(QMainWindow* mainWindow) : mainWindow(mainWindow) {}

ProcessWindowsUi::~ProcessWindowsUi()
{
    delete progressWindow;
}

ReplaceAnswer ProcessWindowsUi::askReplace(const QString& question)
{
    QDialog alertWindow(mainWindow);
    alertWindow.setObjectName(QStringLiteral("alertWindow"));
    alertWindow.setWindowTitle(QCoreApplication::translate("ProcessWindowsUi", "Replace File"));
    auto* layout = new QGridLayout(&alertWindow);
    auto* icon = new QLabel;
    const int side = alertWindow.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon->setPixmap(alertWindow.style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(side));
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    auto* alertField = new QLabel(question);
    alertField->setObjectName(QStringLiteral("alertField"));
    alertField->setWordWrap(true);
    alertField->setTextFormat(Qt::PlainText);
    alertField->setMinimumWidth(380);
    layout->addWidget(alertField, 0, 1);
    auto* applyToAll =
        new QCheckBox(QCoreApplication::translate("ProcessWindowsUi", "Apply to all"));
    applyToAll->setObjectName(QStringLiteral("applyToAll"));
    layout->addWidget(applyToAll, 1, 1);
    auto* buttons = new QDialogButtonBox;
    QPushButton* yes = buttons->addButton(
        QCoreApplication::translate("ProcessWindowsUi", "Replace"), QDialogButtonBox::AcceptRole);
    buttons
        ->addButton(QCoreApplication::translate("ProcessWindowsUi", "Don't Replace"),
                    QDialogButtonBox::RejectRole)
        ->setDefault(true);
    yes->setAutoDefault(false);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &alertWindow, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &alertWindow, &QDialog::reject);
    layout->addWidget(buttons, 2, 0, 1, 2);
    const bool replace = alertWindow.exec() == QDialog::Accepted;
    return {replace, applyToAll->isChecked()};
}

void ProcessWindowsUi::showProgress(int maximum, std::function<void()> cancel)
{
    progressWindow = new QDialog(mainWindow);
    progressWindow->setObjectName(QStringLiteral("progressWindow"));
    progressWindow->setWindowTitle(QCoreApplication::translate("ProcessWindowsUi", "Processing"));
    progressWindow->setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(progressWindow);
    progressField =
        new QLabel(QCoreApplication::translate("ProcessWindowsUi", "Processing the images…"));
    progressField->setObjectName(QStringLiteral("progressField"));
    layout->addWidget(progressField);
    progressBar = new QProgressBar;
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, maximum);
    progressBar->setValue(0);
    progressBar->setFormat(QCoreApplication::translate("ProcessWindowsUi", "%v of %m"));
    layout->addWidget(progressBar);
    progressFileField = new QLabel;
    progressFileField->setObjectName(QStringLiteral("progressFileField"));
    progressFileField->setTextFormat(Qt::PlainText);
    progressFileField->setMinimumWidth(360);
    layout->addWidget(progressFileField);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    // Escape and closing the window cancel as the button does.
    QObject::connect(buttons, &QDialogButtonBox::rejected, progressWindow, cancel);
    QObject::connect(progressWindow, &QDialog::rejected, progressWindow, cancel);
    layout->addWidget(buttons);
    progressWindow->show();
    progressWindow->raise();
    progressWindow->activateWindow();
}

void ProcessWindowsUi::setProgress(int value, int inProgress, const QString& fileName)
{
    if (!progressWindow)
        return;
    progressBar->setValue(value);
    // "12 of 42 (2 in progress)": the bar's own text, with the files in flight when more
    // than one is.
    progressBar->setFormat(
        inProgress > 1
            ? QCoreApplication::translate("ProcessWindowsUi", "%v of %m (%1 in progress)")
                  .arg(inProgress)
            : QCoreApplication::translate("ProcessWindowsUi", "%v of %m"));
    progressFileField->setText(fileName);
}

void ProcessWindowsUi::closeProgress()
{
    if (!progressWindow)
        return;
    // Taken away first: closing sends `rejected`, which would cancel once more.
    QDialog* window = progressWindow;
    progressWindow = nullptr;
    QObject::disconnect(window, &QDialog::rejected, nullptr, nullptr);
    window->hide();
    window->deleteLater();
}

void ProcessWindowsUi::showUnprocessed(const QList<UnprocessedFile>& rows)
{
    // Not modal and not owned by the run: it stays open until the user closes it.
    auto* unprocessedWindow = new QWidget(mainWindow, Qt::Window);
    unprocessedWindow->setObjectName(QStringLiteral("unprocessedWindow"));
    unprocessedWindow->setAttribute(Qt::WA_DeleteOnClose);
    unprocessedWindow->setWindowTitle(
        QCoreApplication::translate("ProcessWindowsUi", "Files Not Processed"));
    auto* layout = new QVBoxLayout(unprocessedWindow);
    auto* label = new QLabel(
        QCoreApplication::translate("ProcessWindowsUi", "These files could not be processed:"));
    layout->addWidget(label);
    auto* table = new QTableWidget(int(rows.size()), 3);
    table->setObjectName(QStringLiteral("unprocessedTable"));
    table->setHorizontalHeaderLabels({QCoreApplication::translate("ProcessWindowsUi", "Name"),
                                      QCoreApplication::translate("ProcessWindowsUi", "Path"),
                                      QCoreApplication::translate("ProcessWindowsUi", "Reason")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    for (int r = 0; r < rows.size(); ++r) {
        table->setItem(r, 0, new QTableWidgetItem(rows[r].name));
        table->setItem(r, 1, new QTableWidgetItem(rows[r].path));
        table->setItem(r, 2, new QTableWidgetItem(rows[r].reason));
        table->item(r, 1)->setToolTip(rows[r].path);
        table->item(r, 2)->setToolTip(rows[r].reason);
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, unprocessedWindow, &QWidget::close);
    layout->addWidget(buttons);
    unprocessedWindow->resize(760, 320);
    unprocessedWindow->show();
    unprocessedWindow->raise();
    unprocessedWindow->activateWindow();
}

void ProcessWindowsUi::runDidEnd(const RunSummary& summary)
{
    mainWindow->statusBar()->showMessage(summaryText(summary));
}

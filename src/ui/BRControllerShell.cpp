// SPDX-License-Identifier: GPL-3.0-or-later
// BRController: files handed over by the desktop, the window's close, the menus' state,
// and the links of the Help menu.
#include "ui/BRController.h"

#include "filelist/BRFileListModel.h"
#include "settings/UserDefaults.h"
#include "ui/BRInfoController.h"

#include <QAction>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QUrlQuery>

using namespace brelin;

bool BRController::openFile(const QString& path)
{
    if (!defaultIsOn(*userPrefs, defaults::ProcessNow)) {
        addFile(path);
        return true;
    }
    dropOnIcon = true;
    const BRFileURLPtr node = BRFileURL::makeWithPath(path);
    if (!node)
        return false;
    // A folder stands for its files, as it does in a run started from the list.
    runBatch(node->allFiles());
    return true;
}

void BRController::openFiles(const QStringList& paths)
{
    pendingOpens.append(paths);
    if (opening)
        return; // the open under way takes these next, in order
    opening = true;
    // Each open waits for a run to end before the next begins.
    while (!pendingOpens.isEmpty() && !processing) {
        const QString path = pendingOpens.takeFirst();
        if (!openFile(path))
            mainWindow->statusBar()->showMessage(
                tr("“%1” is not a JPEG file or a folder.").arg(QFileInfo(path).fileName()));
    }
    opening = false;
    if (!pendingOpens.isEmpty()) // a run from the list is under way: after it
        QTimer::singleShot(200, this, [this] { openFiles({}); });
}

bool BRController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mainWindow.get() && event->type() == QEvent::Close)
        windowShouldClose();
    return QObject::eventFilter(watched, event);
}

bool BRController::windowShouldClose()
{
    infoDrawer->close();
    return true;
}

void BRController::setUpInfoDrawer()
{
    infoDrawer = new QDockWidget(tr("Info"), mainWindow.get());
    infoDrawer->setObjectName(QStringLiteral("infoDrawer"));
    infoController = new BRInfoController(infoDrawer);
    infoController->setObjectName(QStringLiteral("infoController"));
    infoDrawer->setWidget(infoController);
    mainWindow->addDockWidget(Qt::RightDockWidgetArea, infoDrawer);
    infoDrawer->hide();
    answer(actionShowInfo, &BRController::toggleInfos);
    connect(filesOutline->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BRController::outlineViewSelectionDidChange);
    filesOutline->setPreviewController(this);
    answer(actionPreview, [this] { filesOutline->togglePreviewPanel(); });
    answer(actionHomepage, &BRController::visitHomepage);
    answer(actionContact, &BRController::contactMe);
    answer(actionDonate, &BRController::donate);
    for (QMenu* menu : mainWindow->menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &BRController::validateMenus);
    mainWindow->installEventFilter(this);
}

void BRController::toggleInfos()
{
    infoDrawer->setVisible(!infoDrawer->isVisible());
}

void BRController::outlineViewSelectionDidChange()
{
    // Changes that come while a file is being read (an arrow key held down) are taken
    // together: the panel shows where the selection stands, and the keys never queue up.
    compareDidChange();
    if (infoUpdatePending)
        return;
    infoUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        infoUpdatePending = false;
        showSelectionInfo();
    });
}

void BRController::showSelectionInfo()
{
    const QModelIndexList rows = filesOutline->selectionModel()->selectedRows();
    BRFileURL* node = rows.size() == 1 ? filesModel->nodeAt(rows.first()) : nullptr;
    if (node)
        infoController->setCurrentFile(*node);
    else
        infoController->clearInfo();
    // The open preview follows the selection.
    if (previewPanel && previewPanel->isVisible())
        previewPanel->reloadData();
}

bool BRController::acceptsPreviewPanelControl(BRPreviewPanel*)
{
    return true;
}

void BRController::beginPreviewPanelControl(BRPreviewPanel* panel)
{
    previewPanel = panel;
}

void BRController::endPreviewPanelControl(BRPreviewPanel*)
{
    previewPanel = nullptr;
}

int BRController::numberOfPreviewItemsInPreviewPanel(BRPreviewPanel*)
{
    return int(filesOutline->selectionModel()->selectedRows().size());
}

BRFileURLPtr BRController::previewItemAtIndex(BRPreviewPanel*, int index)
{
    QModelIndexList rows = filesOutline->selectionModel()->selectedRows();
    // In the order the rows stand on screen, whatever the order they were selected in.
    std::sort(rows.begin(), rows.end(), [this](const QModelIndex& a, const QModelIndex& b) {
        return filesOutline->visualRect(a).top() < filesOutline->visualRect(b).top();
    });
    if (index < 0 || index >= rows.size())
        return nullptr;
    BRFileURL* node = filesModel->nodeAt(rows[index]);
    return node ? node->shared_from_this() : nullptr;
}

bool BRController::previewPanelHandleEvent(BRPreviewPanel*, QKeyEvent* event)
{
    QCoreApplication::sendEvent(filesOutline, event);
    return true;
}

QRect BRController::sourceFrameOnScreenForPreviewItem(BRPreviewPanel*, const BRFileURL& item)
{
    QModelIndex row;
    for (const QModelIndex& index : filesOutline->selectionModel()->selectedRows())
        if (BRFileURL* node = filesModel->nodeAt(index); node && *node == item)
            row = index;
    const QRect cell = row.isValid() ? filesOutline->visualRect(row) : QRect();
    if (!cell.intersects(filesOutline->viewport()->rect()))
        return {};
    return QRect(filesOutline->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

void BRController::validateMenuItem(QAction* item)
{
    if (item == actionPreview) {
        // Asking first whether the panel exists keeps validation from making it.
        const bool shown = BRPreviewPanel::sharedPreviewPanelExists() &&
                           BRPreviewPanel::sharedPreviewPanel(nullptr)->isVisible();
        item->setText(shown ? tr("Close Quick Look panel") : tr("Open Quick Look panel"));
        item->setEnabled(true);
        return;
    }
    if (item->menu() || item->isSeparator())
        return;
    // An item that nothing answers stays off; the others keep the state their owner gave.
    if (!operations.contains(item))
        item->setEnabled(false);
}

void BRController::validateMenus()
{
    for (QMenu* menu : mainWindow->menuBar()->findChildren<QMenu*>())
        for (QAction* item : menu->actions())
            validateMenuItem(item);
}

QUrl BRController::homepageUrl()
{
    return QUrl(QStringLiteral(BRELIN_HOMEPAGE));
}

QUrl BRController::contactUrl()
{
    QUrl url(QStringLiteral("mailto:") + QStringLiteral(BRELIN_CONTACT));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("Subject"), QStringLiteral("Brelin"));
    url.setQuery(query);
    return url;
}

QUrl BRController::donateUrl()
{
    QUrl url(QStringLiteral(BRELIN_DONATE));
    // The keys in the order the payment form documents them; the last two are sent
    // percent-encoded as they stand.
    const QString query =
        QStringLiteral("cmd=_xclick&business=") +
        QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral(BRELIN_DONATE_ACCOUNT))) +
        QStringLiteral("&item_name=Brelin&no_shipping=0&no_note=1&tax=0&currency_code=EUR"
                       "&bn=PP%2dDonationsBF&charset=UTF%2d8");
    url.setQuery(query, QUrl::StrictMode);
    return url;
}

void BRController::visitHomepage()
{
    QDesktopServices::openUrl(homepageUrl());
}

void BRController::contactMe()
{
    QDesktopServices::openUrl(contactUrl());
}

void BRController::donate()
{
    QDesktopServices::openUrl(donateUrl());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BROutlineView.h"

#include "ui/BRPreviewPanel.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

BROutlineView::BROutlineView(QWidget* parent) : QTreeView(parent)
{
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setSortingEnabled(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setHeaderHidden(false);
    setIconSize(QSize(32, 32));
    setAcceptDrops(true);
    setDragEnabled(false);
    setDragDropMode(DropOnly);
    setDropIndicatorShown(false);
}

void BROutlineView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (model() && model()->rowCount(rootIndex()) > 0)
        return;
    // An empty list says how to fill it.
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(24, 24, -24, -24),
                     Qt::AlignCenter | Qt::TextWordWrap, tr("Drop photos and folders here"));
}

void BROutlineView::keyPressEvent(QKeyEvent* event)
{
    // The space bar, whatever modifiers are held, opens and closes the preview.
    if (event->key() == Qt::Key_Space || event->text() == QLatin1String(" ")) {
        togglePreviewPanel();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        emit removeRequested();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void BROutlineView::togglePreviewPanel()
{
    if (BRPreviewPanel::sharedPreviewPanelExists() &&
        BRPreviewPanel::sharedPreviewPanel(this)->isVisible()) {
        BRPreviewPanel::sharedPreviewPanel(this)->orderOut();
        return;
    }
    BRPreviewPanel* panel = BRPreviewPanel::sharedPreviewPanel(this);
    panel->setController(previewController);
    panel->makeKeyAndOrderFront();
}

bool BROutlineView::acceptsDrag(const QMimeData* data, bool fromThisApplication)
{
    // File names from other applications only: plain text is refused, and so are rows
    // dragged within Brelin, so the list cannot be rearranged.
    return data && data->hasUrls() && !fromThisApplication;
}

void BROutlineView::dragEnterEvent(QDragEnterEvent* event)
{
    if (acceptsDrag(event->mimeData(), event->source() != nullptr)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void BROutlineView::dragMoveEvent(QDragMoveEvent* event)
{
    if (acceptsDrag(event->mimeData(), event->source() != nullptr)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void BROutlineView::dropEvent(QDropEvent* event)
{
    const bool taken = acceptsDrag(event->mimeData(), event->source() != nullptr) && dropHandler &&
                       dropHandler(event->mimeData()->urls());
    if (taken) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

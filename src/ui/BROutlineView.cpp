#include "ui/BROutlineView.h"

#include <QPainter>

BROutlineView::BROutlineView(QWidget* parent) : QTreeView(parent)
{
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setSortingEnabled(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setAllColumnsShowFocus(true);
}

void BROutlineView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (model() && model()->rowCount(rootIndex()) > 0)
        return;
    // An empty list says how to fill it.
    QPainter painter(viewport());
    QColor colour = palette().color(QPalette::PlaceholderText);
    painter.setPen(colour);
    painter.drawText(viewport()->rect().adjusted(24, 24, -24, -24),
                     Qt::AlignCenter | Qt::TextWordWrap, tr("Drop photos and folders here"));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InfoCell.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>

void InfoCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                     const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString value = opt.text;
    opt.text.clear();
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, option.widget);

    QFont first = option.font;
    first.setPointSizeF(option.font.pointSizeF() * 14.0 / 12.0);
    const QFont second = option.font;
    const QString subtitle = tr("Subtitle");
    const qreal h1 = QFontMetricsF(first).height();
    const qreal h2 = QFontMetricsF(second).height();
    const QRectF r = QRectF(option.rect).adjusted(10, 0, -10, 0);
    const float block = float(h1 + h2 + 5);
    const qreal middle = r.y() + r.height() * 0.5;
    const qreal split = (middle - block * 0.5) + block * 0.5;
    // The text starts 10 from the list's own left edge, as the cell always has.
    const qreal tw = r.width() - 10;
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setFont(first);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRectF(10, split - h1, tw, h1), Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetricsF(first).elidedText(value, Qt::ElideRight, tw));
    painter->setFont(second);
    painter->setPen(
        option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
    painter->drawText(QRectF(10, split, tw, h2), Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetricsF(second).elidedText(subtitle, Qt::ElideRight, tw));
    painter->restore();
}

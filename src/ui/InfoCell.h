// SPDX-License-Identifier: GPL-3.0-or-later
// A two-line cell without icon: the value over a fixed second line "Subtitle". No
// column of the main window uses it.
#pragma once

#include <QStyledItemDelegate>

class InfoCell : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

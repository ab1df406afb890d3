// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NameCell.h"

#include "filelist/BRFileListModel.h"
#include "filelist/BRFileURL.h"
#include "platform/IconStore.h"
#include "ui/PhotoFactsLoader.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFontMetricsF>
#include <QPainter>

NameCell::Layout NameCell::layout(const QRectF& frame, const QSizeF& icon, qreal h1, qreal h2)
{
    const QRectF r = frame.adjusted(10, 0, -10, 0);
    const qreal middle = r.y() + r.height() * 0.5;
    Layout out;
    out.icon = QRectF(r.x(), middle - icon.height() * 0.5, icon.width(), icon.height());
    const qreal tx = r.x() + icon.width() + 10;
    const qreal tw = r.width() - icon.width() - 10;
    const float block = float(h1 + h2 + 5);
    const qreal split = (middle - block * 0.5) + block * 0.5;
    out.name = QRectF(tx, split - h1, tw, h1);
    out.subtitle = QRectF(tx, split, tw, h2);
    return out;
}

QFont NameCell::nameFont(const QFont& base)
{
    return base;
}

QFont NameCell::subtitleFont(const QFont& base)
{
    QFont f = base;
    f.setPointSizeF(base.pointSizeF() * 0.8);
    return f;
}

NameCell::NameCell(QObject* parent) : QStyledItemDelegate(parent), icons(makeDesktopIconStore()) {}

NameCell::~NameCell() = default;

QIcon NameCell::iconFor(const BRFileURL& node) const
{
    auto cached = customIcons.constFind(node.path());
    if (cached == customIcons.constEnd()) {
        const QString custom = icons->customIcon(node.path());
        cached = customIcons.insert(node.path(), custom.isEmpty() ? QIcon() : QIcon(custom));
    }
    if (!cached->isNull() && !cached->availableSizes().isEmpty())
        return *cached;
    if (loader && node.isFile())
        if (const QPixmap thumbnail = loader->thumbnail(node.path()); !thumbnail.isNull())
            return QIcon(thumbnail);
    // One icon per kind: asking the desktop per file would cost a look-up per row.
    static QFileIconProvider provider;
    static const QIcon folder = provider.icon(QAbstractFileIconProvider::Folder);
    static const QIcon image = QIcon::fromTheme(QStringLiteral("image-jpeg"),
                                                provider.icon(QAbstractFileIconProvider::File));
    return node.isDirectory() ? folder : image;
}

void NameCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                     const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // The row's background and selection are the style's; the cell draws its content.
    opt.text.clear();
    opt.icon = QIcon();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const auto* node =
        static_cast<const BRFileURL*>(index.data(BRFileListModel::NodeRole).value<void*>());
    if (!node)
        return;
    const QFont first = nameFont(option.font);
    const QFont second = subtitleFont(option.font);
    const QString name = node->filename();
    // A row first drawn asks for its photo's facts; it is drawn again when they come.
    if (loader)
        loader->request(*const_cast<BRFileURL*>(node));
    const QVariant runLine = index.data(BRFileListModel::RunLineRole);
    const bool failed = index.data(BRFileListModel::RunFailedRole).toBool();
    const QString info = runLine.isValid() ? runLine.toString() : node->additionalInformation();
    const qreal h1 = QFontMetricsF(first).height();
    const qreal h2 = QFontMetricsF(second).height();
    const QIcon icon = iconFor(*node);
    const QSizeF iconSize = icon.isNull() ? QSizeF(0, 0) : QSizeF(kIconSize, kIconSize);
    const Layout l = layout(option.rect, iconSize, h1, h2);

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    const QColor nameColour =
        selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
    QColor infoColour = selected ? pal.color(QPalette::HighlightedText)
                        : failed ? QColor::fromRgb(kFailureColour)
                                 : pal.color(QPalette::PlaceholderText);

    painter->save();
    if (!icon.isNull())
        icon.paint(painter, l.icon.toAlignedRect());
    painter->setFont(first);
    painter->setPen(nameColour);
    painter->drawText(l.name, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetricsF(first).elidedText(name, Qt::ElideRight, l.name.width()));
    painter->setFont(second);
    painter->setPen(infoColour);
    painter->drawText(l.subtitle, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetricsF(second).elidedText(info, Qt::ElideRight, l.subtitle.width()));
    painter->restore();
}

QSize NameCell::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(kRowHeight);
    return s;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a row of the file list: the entry's icon (its custom icon, else its thumbnail),
// its name and below it, smaller, its subtitle ("JPEG image · 4080 × 3072 · 4.6 MB",
// "Directory with 3 file(s)"), or after a run what became of it, a failure in red.
#pragma once

#include <QHash>
#include <QIcon>
#include <QRectF>
#include <QSizeF>
#include <QStyledItemDelegate>

#include <memory>

class BRFileURL;
class IconStore;
class PhotoFactsLoader;

class NameCell : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit NameCell(QObject* parent = nullptr);
    ~NameCell() override;

    struct Layout
    {
        QRectF icon;
        QRectF name;
        QRectF subtitle;
    };
    // Where the parts of a row go in `frame`: insets of 10, the icon at its own size
    // centred vertically, the text 10 beyond it, the two lines split at the row's centre.
    static Layout layout(const QRectF& frame, const QSizeF& icon, qreal nameHeight,
                         qreal subtitleHeight);

    static QFont nameFont(const QFont& base);
    static QFont subtitleFont(const QFont& base);
    static constexpr int kRowHeight = 40;
    static constexpr int kIconSize = 32;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where rows ask for their photos' facts and thumbnails; none: the plain lines.
    void setLoader(PhotoFactsLoader* loader) { this->loader = loader; }
    // The custom icon at `path` may have changed: it is looked up again.
    void forgetIcon(const QString& path) { customIcons.remove(path); }
    // A failure's red, readable on light and dark themes alike.
    static constexpr QRgb kFailureColour = 0xffc01c28;

private:
    QIcon iconFor(const BRFileURL& node) const;

    std::unique_ptr<IconStore> icons;
    PhotoFactsLoader* loader = nullptr;
    // Custom icons by path: looked up once, as a node's icon is taken once.
    mutable QHash<QString, QIcon> customIcons;
};

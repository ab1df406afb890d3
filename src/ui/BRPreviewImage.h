// SPDX-License-Identifier: GPL-3.0-or-later
// The info panel's thumbnail: the picture fitted into the view, its pixels replicated
// rather than smoothed, on an opaque light grey.
#pragma once

#include <QImage>
#include <QWidget>

class BRPreviewImage : public QWidget
{
    Q_OBJECT
public:
    explicit BRPreviewImage(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return mImage; }

    // The smallest rectangle with whole-number edges around the image fitted into
    // `bounds`: as high as the bounds when they are relatively wider, else as wide,
    // centred the other way.
    static QRect boundsRectToFitImage(const QRectF& bounds, QSize image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage mImage;
};

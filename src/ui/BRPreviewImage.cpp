// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BRPreviewImage.h"

#include <QPainter>

#include <cmath>

BRPreviewImage::BRPreviewImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BRPreviewImage::setImage(const QImage& image)
{
    mImage = image;
    update();
}

QRect BRPreviewImage::boundsRectToFitImage(const QRectF& b, QSize image)
{
    const float iw = float(image.width());
    const float ih = float(image.height());
    const float imageRatio = iw / ih;
    const double viewRatio = b.width() / b.height();
    double x = b.x(), y = b.y(), w = b.width(), h = b.height();
    if (viewRatio > double(imageRatio)) {
        const double newWidth = float(double(iw) * h / double(ih));
        x += (w - newWidth) * 0.5;
        w = newWidth;
    } else {
        const double newHeight = float(double(ih) * w / double(iw));
        y += (h - newHeight) * 0.5;
        h = newHeight;
    }
    // Outward to whole numbers, as the drawing system does for crisp edges.
    const int left = int(std::floor(x)), top = int(std::floor(y));
    return QRect(left, top, int(std::ceil(x + w)) - left, int(std::ceil(y + h)) - top);
}

void BRPreviewImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgbF(0.95f, 0.95f, 0.95f, 1.0f));
    if (mImage.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(boundsRectToFitImage(QRectF(rect()), mImage.size()), mImage);
}

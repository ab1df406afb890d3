// SPDX-License-Identifier: GPL-3.0-or-later
// The original and the result of one photo, side by side or over each other with a
// divider, zoomed and panned in step. Zoom 1 is one pixel of the result per pixel of the
// screen, also where the desktop is scaled.
// What is drawn comes from pixmaps made at the current zoom for the part in view, so a
// paint only copies pixels.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QWidget>

class CompareView : public QWidget
{
    Q_OBJECT
public:
    enum class Mode { SideBySide, Divider };

    explicit CompareView(QWidget* parent = nullptr);

    // The two images, of one size; a null result shows `resultText` in its place.
    void setImages(const QImage& original, const QImage& result, const QString& resultText = {});
    // Nothing to show but `text`.
    void clear(const QString& text);

    void setMode(Mode mode);
    Mode mode() const { return mode_; }
    // Zoom to fit the images in view (never above 1), follows the view's size.
    void zoomToFit();
    // A fixed zoom, the point at the view's centre kept.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    bool fits() const { return fit_; }
    // The image point at the centre of each half, in the images' pixels.
    QPointF centre() const { return centre_; }
    // The divider's place, a share of the view's width.
    double divider() const { return divider_; }

    static constexpr double kMinZoom = 0.05;
    static constexpr double kMaxZoom = 8.0;

signals:
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The rectangles the images are drawn in: two halves, or the whole view.
    QRect leftPane() const;
    QRect rightPane() const;
    QSize imageSize() const;
    double fitZoom() const;
    // Widget units per image pixel: the zoom over the screen's device pixel ratio.
    double scale() const;
    // Zooms so that the image point under `at` (view coordinates) stays under it.
    void zoomAround(double zoom, QPointF at);
    void panBy(QPointF viewPixels);
    void keepCentreInside();
    // The pixmaps cover the part of the images in view, with a margin, at the zoom.
    void ensurePixmaps();
    int dividerX() const;
    bool nearDivider(QPointF at) const;

    QImage original_;
    QImage result_;
    QString text_;
    Mode mode_ = Mode::SideBySide;
    double zoom_ = 1.0;
    bool fit_ = true;
    QPointF centre_;
    double divider_ = 0.5;

    // The cache: which part of the images, at which zoom.
    QPixmap originalPixmap_;
    QPixmap resultPixmap_;
    QRect cachedPart_;
    double cachedZoom_ = 0;
    qint64 originalKey_ = 0; // of the images the pixmaps were made from
    qint64 resultKey_ = 0;

    enum class Drag { None, Pan, Divider } drag_ = Drag::None;
    QPointF lastMouse_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CompareView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGap = 2;             // between the halves side by side
constexpr double kWheelStep = 1.25; // the zoom of one wheel notch or key press
// Up to this many screen pixels, the whole image is kept at the zoom; above, the part in
// view and a margin of half a view around it.
constexpr qint64 kWholeImagePixels = 16 << 20;
const QColor kBackground(0x30, 0x30, 0x30);

bool isViewKey(const QKeyEvent* key)
{
    const auto mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus:
    case Qt::Key_0:
    case Qt::Key_1:
    case Qt::Key_2:
        return true;
    default:
        return false;
    }
}

// The middle of a pane, between pixels when its side is even.
QPointF middleOf(const QRect& pane)
{
    return QPointF(pane.topLeft()) + QPointF(pane.width(), pane.height()) / 2;
}

} // namespace

CompareView::CompareView(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    setCursor(Qt::OpenHandCursor);
}

void CompareView::setImages(const QImage& original, const QImage& result, const QString& resultText)
{
    const QSize before = imageSize();
    original_ = original;
    result_ = result;
    text_ = resultText;
    const QSize after = imageSize();
    if (after != before) {
        cachedZoom_ = 0;
        // A photo of another size: the same place of it stays in view.
        if (before.isValid() && !before.isEmpty())
            centre_ = QPointF(centre_.x() * after.width() / before.width(),
                              centre_.y() * after.height() / before.height());
        else
            centre_ = QPointF(after.width() / 2.0, after.height() / 2.0);
        if (fit_)
            zoomToFit();
    }
    keepCentreInside();
    update();
}

void CompareView::clear(const QString& text)
{
    setImages({}, {}, text);
}

void CompareView::setMode(Mode mode)
{
    if (mode == mode_)
        return;
    mode_ = mode;
    cachedZoom_ = 0;
    if (fit_)
        zoomToFit();
    keepCentreInside();
    update();
}

QSize CompareView::imageSize() const
{
    return original_.isNull() ? result_.size() : original_.size();
}

QRect CompareView::leftPane() const
{
    if (mode_ == Mode::Divider)
        return rect();
    return QRect(0, 0, (width() - kGap) / 2, height());
}

QRect CompareView::rightPane() const
{
    if (mode_ == Mode::Divider)
        return rect();
    const QRect left = leftPane();
    return QRect(left.right() + 1 + kGap, 0, left.width(), height());
}

double CompareView::fitZoom() const
{
    const QSize image = imageSize();
    if (image.isEmpty())
        return 1.0;
    const QRect pane = leftPane();
    const double logical =
        std::min(double(pane.width()) / image.width(), double(pane.height()) / image.height());
    return std::clamp(logical * devicePixelRatioF(), kMinZoom, 1.0);
}

double CompareView::scale() const
{
    return zoom_ / devicePixelRatioF();
}

void CompareView::zoomToFit()
{
    fit_ = true;
    zoom_ = fitZoom();
    const QSize image = imageSize();
    centre_ = QPointF(image.width() / 2.0, image.height() / 2.0);
    update();
    emit zoomChanged(zoom_);
}

void CompareView::setZoom(double zoom)
{
    zoomAround(zoom, middleOf(leftPane()));
}

void CompareView::zoomAround(double zoom, QPointF at)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    // The point under `at`, in the pane it is in (side by side both show the same).
    const QRect pane =
        mode_ == Mode::SideBySide && rightPane().contains(at.toPoint()) ? rightPane() : leftPane();
    const QPointF paneCentre = middleOf(pane);
    const QPointF under = centre_ + (at - paneCentre) / scale();
    fit_ = false;
    zoom_ = zoom;
    centre_ = under - (at - paneCentre) / scale();
    keepCentreInside();
    update();
    emit zoomChanged(zoom_);
}

void CompareView::panBy(QPointF viewPixels)
{
    centre_ -= viewPixels / scale();
    keepCentreInside();
    update();
}

void CompareView::keepCentreInside()
{
    const QSize image = imageSize();
    const QRect pane = leftPane();
    // An axis that fits is centred; one that does not is kept from showing beyond its edges.
    const auto clampAxis = [&](double c, int length, int paneLength) {
        const double half = paneLength / 2.0 / scale();
        if (length * scale() <= paneLength)
            return length / 2.0;
        return std::clamp(c, half, length - half);
    };
    centre_.setX(clampAxis(centre_.x(), image.width(), pane.width()));
    centre_.setY(clampAxis(centre_.y(), image.height(), pane.height()));
}

void CompareView::ensurePixmaps()
{
    const QSize image = imageSize();
    if (image.isEmpty())
        return;
    const QRect pane = leftPane();
    const QRect whole(QPoint(0, 0), image);
    const auto partAround = [&](double margin) {
        const QPointF half = QPointF(pane.width(), pane.height()) * (0.5 + margin) / scale();
        return QRectF(centre_ - half, centre_ + half).toAlignedRect().intersected(whole);
    };
    const QRect inView = partAround(0);
    const bool moved = cachedZoom_ != zoom_ || !cachedPart_.contains(inView);
    if (moved) {
        const bool small =
            qint64(image.width() * zoom_) * qint64(image.height() * zoom_) <= kWholeImagePixels;
        cachedPart_ = small ? whole : partAround(0.5);
        cachedZoom_ = zoom_;
    }
    const QRect part = cachedPart_;
    const QSize size(std::max(1, int(std::lround(part.width() * zoom_))),
                     std::max(1, int(std::lround(part.height() * zoom_))));
    // Reduced smoothly; enlarged with sharp pixels, which is what one looks for at 200 %.
    const Qt::TransformationMode how =
        zoom_ < 1.0 ? Qt::SmoothTransformation : Qt::FastTransformation;
    // Only an image that changed is made again: the original stays while the quality moves.
    const auto render = [&](const QImage& from, QPixmap& pixmap, qint64& key) {
        if (!moved && key == from.cacheKey())
            return;
        key = from.cacheKey();
        if (from.isNull() || !whole.contains(part)) {
            pixmap = QPixmap();
            return;
        }
        const QImage piece = part == whole ? from : from.copy(part);
        pixmap = QPixmap::fromImage(zoom_ == 1.0 ? piece
                                                 : piece.scaled(size, Qt::IgnoreAspectRatio, how));
        // Its pixels are the screen's, whatever the scale of the desktop.
        pixmap.setDevicePixelRatio(devicePixelRatioF());
    };
    render(original_, originalPixmap_, originalKey_);
    render(result_, resultPixmap_, resultKey_);
}

int CompareView::dividerX() const
{
    return int(std::lround(divider_ * width()));
}

bool CompareView::nearDivider(QPointF at) const
{
    return mode_ == Mode::Divider && std::abs(at.x() - dividerX()) <= 6;
}

void CompareView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setPen(Qt::white);
    if (imageSize().isEmpty()) {
        painter.drawText(rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                         text_);
        return;
    }
    ensurePixmaps();
    const auto draw = [&](const QPixmap& pixmap, const QRect& pane, const QRect& clip) {
        painter.save();
        painter.setClipRect(clip);
        if (pixmap.isNull()) {
            painter.drawText(clip.adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                             text_);
        } else {
            const QPointF at =
                middleOf(pane) + (QPointF(cachedPart_.topLeft()) - centre_) * scale();
            painter.drawPixmap(QPoint(int(std::floor(at.x())), int(std::floor(at.y()))), pixmap);
        }
        painter.restore();
    };
    if (mode_ == Mode::SideBySide) {
        draw(originalPixmap_, leftPane(), leftPane());
        draw(resultPixmap_, rightPane(), rightPane());
        return;
    }
    const int x = dividerX();
    draw(originalPixmap_, rect(), QRect(0, 0, x, height()));
    draw(resultPixmap_, rect(), QRect(x, 0, width() - x, height()));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, height()));
    painter.setBrush(kBackground);
    painter.drawEllipse(QPointF(x + 0.5, height() / 2.0), 7, 7);
}

void CompareView::resizeEvent(QResizeEvent*)
{
    cachedZoom_ = 0;
    if (fit_)
        zoomToFit();
    keepCentreInside();
}

void CompareView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomAround(zoom_ * std::pow(kWheelStep, notches), event->position());
    event->accept();
}

void CompareView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    drag_ = nearDivider(event->position()) ? Drag::Divider : Drag::Pan;
    lastMouse_ = event->position();
    if (drag_ == Drag::Pan)
        setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void CompareView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    if (drag_ == Drag::Divider) {
        divider_ = std::clamp(at.x() / std::max(1, width()), 0.0, 1.0);
        update();
    } else if (drag_ == Drag::Pan) {
        panBy(at - lastMouse_);
    } else {
        setCursor(nearDivider(at) ? Qt::SplitHCursor : Qt::OpenHandCursor);
    }
    lastMouse_ = at;
}

void CompareView::mouseReleaseEvent(QMouseEvent* event)
{
    drag_ = Drag::None;
    setCursor(nearDivider(event->position()) ? Qt::SplitHCursor : Qt::OpenHandCursor);
}

void CompareView::keyPressEvent(QKeyEvent* event)
{
    if (!isViewKey(event))
        return QWidget::keyPressEvent(event);
    const QRect pane = leftPane();
    const double stepX = pane.width() / 8.0;
    const double stepY = pane.height() / 8.0;
    switch (event->key()) {
    case Qt::Key_Left:
        panBy({stepX, 0});
        break;
    case Qt::Key_Right:
        panBy({-stepX, 0});
        break;
    case Qt::Key_Up:
        panBy({0, stepY});
        break;
    case Qt::Key_Down:
        panBy({0, -stepY});
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setZoom(zoom_ * kWheelStep);
        break;
    case Qt::Key_Minus:
        setZoom(zoom_ / kWheelStep);
        break;
    case Qt::Key_0:
        zoomToFit();
        break;
    case Qt::Key_1:
        setZoom(1.0);
        break;
    case Qt::Key_2:
        setZoom(2.0);
        break;
    default:
        break;
    }
    event->accept();
}

bool CompareView::event(QEvent* event)
{
    // The view's keys are its own while it has the focus, whatever the menus bind them to.
    if (event->type() == QEvent::ShortcutOverride && isViewKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

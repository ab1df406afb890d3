// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BRPreviewPanel.h"

#include "platform/ByteSpan.h"
#include "processing/Thumbnail.h"
#include "ui/BitmapImage.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileIconProvider>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

QPointer<BRPreviewPanel> BRPreviewPanel::shared_;

namespace {

constexpr int kZoomMs = 180;

} // namespace

BRPreviewPanel* BRPreviewPanel::sharedPreviewPanel(QWidget* owner)
{
    if (!shared_)
        shared_ = new BRPreviewPanel(owner ? owner->window() : nullptr);
    return shared_;
}

bool BRPreviewPanel::sharedPreviewPanelExists()
{
    return !shared_.isNull();
}

BRPreviewPanel::BRPreviewPanel(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("previewPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("previewTitle"));
    title_->setAlignment(Qt::AlignCenter);
    previous_ = new QToolButton(this);
    previous_->setArrowType(Qt::LeftArrow);
    previous_->setFocusPolicy(Qt::NoFocus);
    next_ = new QToolButton(this);
    next_->setArrowType(Qt::RightArrow);
    next_->setFocusPolicy(Qt::NoFocus);
    connect(previous_, &QToolButton::clicked, this,
            [this] { setCurrentPreviewItemIndex(current_ - 1); });
    connect(next_, &QToolButton::clicked, this,
            [this] { setCurrentPreviewItemIndex(current_ + 1); });
    auto* bar = new QHBoxLayout;
    bar->addWidget(previous_);
    bar->addWidget(title_, 1);
    bar->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addLayout(bar);

    const QRect screen =
        (owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen())
            ->availableGeometry();
    resize(screen.size() * 0.6);
    move(screen.center() - rect().center());
    folderIcon_ = QFileIconProvider().icon(QFileIconProvider::Folder);
    decoder_ = std::thread([this] { decodeLoop(); });
}

BRPreviewPanel::~BRPreviewPanel()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    decoder_.join();
}

void BRPreviewPanel::makeKeyAndOrderFront()
{
    if (!controlled_ && controller_ && controller_->acceptsPreviewPanelControl(this)) {
        controller_->beginPreviewPanelControl(this);
        controlled_ = true;
    }
    reloadData();
    const QRect target = geometry();
    const QRect from = sourceFrame();
    show();
    raise();
    activateWindow();
    setFocus();
    if (from.isEmpty())
        return; // nowhere to grow from: the panel simply appears
    auto* zoom = new QPropertyAnimation(this, "geometry", this);
    zoom->setDuration(kZoomMs);
    zoom->setStartValue(from);
    zoom->setEndValue(target);
    zoom->start(QAbstractAnimation::DeleteWhenStopped);
}

void BRPreviewPanel::orderOut()
{
    const QRect into = sourceFrame();
    const QRect restore = geometry();
    const auto done = [this, restore] {
        hide();
        setGeometry(restore);
        // The keys go back to the list's window, also where no window manager says so.
        if (parentWidget())
            parentWidget()->window()->activateWindow();
        if (controlled_ && controller_)
            controller_->endPreviewPanelControl(this);
        controlled_ = false;
    };
    if (into.isEmpty() || !isVisible()) {
        done();
        return;
    }
    auto* zoom = new QPropertyAnimation(this, "geometry", this);
    zoom->setDuration(kZoomMs);
    zoom->setStartValue(restore);
    zoom->setEndValue(into);
    connect(zoom, &QPropertyAnimation::finished, this, done);
    zoom->start(QAbstractAnimation::DeleteWhenStopped);
}

void BRPreviewPanel::closeEvent(QCloseEvent* event)
{
    // The window's own close button: hidden like orderOut, and control ends.
    event->ignore();
    orderOut();
}

void BRPreviewPanel::reloadData()
{
    const BRFileURLPtr was = item_;
    count_ = controller_ ? controller_->numberOfPreviewItemsInPreviewPanel(this) : 0;
    int keep = 0;
    for (int i = 0; was && i < count_; ++i)
        if (auto it = controller_->previewItemAtIndex(this, i); it && *it == *was)
            keep = i;
    current_ = -1;
    setCurrentPreviewItemIndex(keep);
}

void BRPreviewPanel::setCurrentPreviewItemIndex(int index)
{
    if (count_ == 0) {
        current_ = 0;
        item_.reset();
    } else {
        index = std::clamp(index, 0, count_ - 1);
        BRFileURLPtr item = controller_->previewItemAtIndex(this, index);
        if (index == current_ && item && item_ && *item == *item_)
            return;
        current_ = index;
        item_ = std::move(item);
    }
    showItem();
}

void BRPreviewPanel::showItem()
{
    previous_->setVisible(count_ > 1);
    next_->setVisible(count_ > 1);
    previous_->setEnabled(current_ > 0);
    next_->setEnabled(current_ + 1 < count_);
    picture_ = QImage();
    if (!item_) {
        title_->setText(tr("No selection"));
        setWindowTitle(tr("Preview"));
    } else {
        QString text = item_->previewItemTitle();
        if (item_->isDirectory())
            text += QStringLiteral(" — ") + item_->additionalInformation();
        if (count_ > 1)
            text += QStringLiteral("  (%1/%2)").arg(current_ + 1).arg(count_);
        title_->setText(text);
        setWindowTitle(item_->previewItemTitle());
    }
    requestDecode();
    update();
}

void BRPreviewPanel::requestDecode()
{
    {
        std::lock_guard lock(mutex_);
        ++generation_;
        request_ = item_ && item_->isFile() ? item_->path() : QString();
        requestSize_ = imageArea().size() * devicePixelRatioF();
    }
    wake_.notify_one();
}

void BRPreviewPanel::decodeLoop()
{
    quint64 done = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return quit_ || generation_ != done; });
        if (quit_)
            return;
        done = generation_;
        const QString path = request_;
        const int side = std::max(64, std::max(requestSize_.width(), requestSize_.height()));
        if (path.isEmpty())
            continue;
        lock.unlock();
        QImage image;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            const auto bitmap = brelin::thumbnailOf(brelin::bytesOf(bytes), side, {}, 0.85);
            if (bitmap)
                image = toQImage(*bitmap);
        }
        lock.lock();
        if (generation_ != done)
            continue; // the panel has moved on: a newer request waits
        QMetaObject::invokeMethod(this, [this, image, done] {
            std::unique_lock current(mutex_);
            if (done == generation_) {
                current.unlock();
                picture_ = image;
                update();
            }
        });
    }
}

QRect BRPreviewPanel::imageArea() const
{
    return rect().adjusted(12, 12, -12, -(title_->sizeHint().height() + 24));
}

QRect BRPreviewPanel::sourceFrame() const
{
    if (!controller_ || !item_)
        return {};
    return controller_->sourceFrameOnScreenForPreviewItem(const_cast<BRPreviewPanel*>(this),
                                                          *item_);
}

void BRPreviewPanel::keyPressEvent(QKeyEvent* event)
{
    if (controller_ && controller_->previewPanelHandleEvent(this, event)) {
        if (isVisible())
            reloadData(); // the list's selection may have moved
        return;
    }
    QWidget::keyPressEvent(event);
}

void BRPreviewPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isVisible() && item_ && item_->isFile())
        requestDecode();
}

void BRPreviewPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect area = imageArea();
    if (!picture_.isNull()) {
        QSize size = picture_.size();
        size.scale(area.size().boundedTo(picture_.size() / devicePixelRatioF()),
                   Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), size);
        target.moveCenter(area.center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, picture_);
    } else if (item_ && item_->isDirectory()) {
        const int side = std::min(256, std::min(area.width(), area.height()));
        QRect target(0, 0, side, side);
        target.moveCenter(area.center());
        folderIcon_.paint(&painter, target);
    }
}

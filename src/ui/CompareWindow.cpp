// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CompareWindow.h"

#include "ui/BitmapImage.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

CompareWindow::CompareWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Compare"));
    resize(1000, 680);

    const auto button = [this](const QString& text, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(tip);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    sideBySide_ =
        button(tr("Side by Side"), tr("The original on the left, the result on the right"));
    divider_ = button(tr("Divider"),
                      tr("The original left of the divider, the result right of it; drag the "
                         "divider to move it"));
    for (QToolButton* b : {sideBySide_, divider_})
        b->setCheckable(true);
    sideBySide_->setChecked(true);
    auto* modes = new QButtonGroup(this);
    modes->addButton(sideBySide_);
    modes->addButton(divider_);
    QToolButton* fit = button(tr("Fit"), tr("Zoom to fit (0)"));
    QToolButton* actual = button(tr("100 %"), tr("One pixel of the result per screen pixel (1)"));
    QToolButton* twice = button(tr("200 %"), tr("Two screen pixels per pixel of the result (2)"));
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setMinimumWidth(
        zoomLabel_->fontMetrics().horizontalAdvance(QStringLiteral("800 %")));
    status_ = new QLabel(this);
    view_ = new CompareView(this);
    originalCaption_ = new QLabel(this);
    resultCaption_ = new QLabel(this);
    for (QLabel* caption : {originalCaption_, resultCaption_}) {
        caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
        caption->setMinimumWidth(1);
    }

    auto* bar = new QHBoxLayout;
    bar->addWidget(sideBySide_);
    bar->addWidget(divider_);
    bar->addSpacing(12);
    bar->addWidget(fit);
    bar->addWidget(actual);
    bar->addWidget(twice);
    bar->addWidget(zoomLabel_);
    bar->addStretch(1);
    bar->addWidget(status_);
    auto* captions = new QHBoxLayout;
    captions->addWidget(originalCaption_, 1);
    captions->addWidget(resultCaption_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(view_, 1);
    layout->addLayout(captions);

    connect(sideBySide_, &QToolButton::toggled, this, [this](bool on) {
        view_->setMode(on ? CompareView::Mode::SideBySide : CompareView::Mode::Divider);
        placeCaptions();
    });
    connect(fit, &QToolButton::clicked, view_, &CompareView::zoomToFit);
    connect(actual, &QToolButton::clicked, view_, [this] { view_->setZoom(1.0); });
    connect(twice, &QToolButton::clicked, view_, [this] { view_->setZoom(2.0); });
    connect(view_, &CompareView::zoomChanged, this, &CompareWindow::showZoom);
    showZoom(view_->zoom());
    placeCaptions();
    // Closed as a viewer window closes.
    for (const QKeySequence& keys :
         {QKeySequence(QKeySequence::Close), QKeySequence(Qt::Key_Escape)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    view_->setFocus();
}

void CompareWindow::showZoom(double zoom)
{
    zoomLabel_->setText(tr("%1 %").arg(std::lround(zoom * 100)));
}

void CompareWindow::placeCaptions()
{
    // Side by side each caption is under its half; over each other, at the side of the
    // divider its image is on.
    const bool apart = view_->mode() == CompareView::Mode::SideBySide;
    originalCaption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    resultCaption_->setAlignment((apart ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
}

void CompareWindow::showComparison(std::shared_ptr<const brelin::Comparison> comparison)
{
    comparison_ = std::move(comparison);
    const brelin::Comparison& c = *comparison_;
    if (c.original != originalBitmap_) {
        originalBitmap_ = c.original;
        original_ = c.original ? toQImage(*c.original) : QImage();
    }
    const QImage result = c.result ? toQImage(*c.result) : QImage();
    const QString why =
        c.outcome.processed() ? tr("The result cannot be shown.") : c.outcome.reason;
    if (original_.isNull() && result.isNull())
        view_->clear(why);
    else
        view_->setImages(original_, result, why);
    originalCaption_->setText(brelin::originalCaption(c));
    resultCaption_->setText(brelin::resultCaption(c));
    setWindowTitle(tr("Compare \u2014 %1").arg(QFileInfo(c.source).fileName()));
    setUpdating(false);
    emit comparisonShown();
}

void CompareWindow::showMessage(const QString& text)
{
    comparison_.reset();
    originalBitmap_.reset();
    original_ = QImage();
    view_->clear(text);
    originalCaption_->clear();
    resultCaption_->clear();
    setWindowTitle(tr("Compare"));
    setUpdating(false);
}

void CompareWindow::setUpdating(bool on)
{
    updating_ = on;
    status_->setText(on ? tr("Updating\u2026") : QString());
}

void CompareWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The compare window: the selected photo and what the settings make of it, with the
// controls of the view and a caption under each half.
#pragma once

#include "compare/PhotoComparison.h"
#include "ui/CompareView.h"

#include <QWidget>

#include <memory>

class QLabel;
class QToolButton;

class CompareWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CompareWindow(QWidget* parent = nullptr);

    // Shows a comparison; the result shown is the current one.
    void showComparison(std::shared_ptr<const brelin::Comparison> comparison);
    // Nothing to compare, and why.
    void showMessage(const QString& text);
    // While on, the result shown is not the current settings' one.
    void setUpdating(bool on);
    bool isUpdating() const { return updating_; }
    // The comparison shown; none while a message is.
    const brelin::Comparison* shown() const { return comparison_.get(); }

    CompareView* view() const { return view_; }

signals:
    void closed();
    // A comparison is shown; the view draws it at its next paint.
    void comparisonShown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showZoom(double zoom);
    void placeCaptions();

    CompareView* view_ = nullptr;
    QToolButton* sideBySide_ = nullptr;
    QToolButton* divider_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* originalCaption_ = nullptr;
    QLabel* resultCaption_ = nullptr;
    std::shared_ptr<const brelin::Comparison> comparison_;
    QImage original_; // as drawn, kept while the comparison's bitmap is the same
    std::shared_ptr<const Bitmap> originalBitmap_;
    bool updating_ = false;
};

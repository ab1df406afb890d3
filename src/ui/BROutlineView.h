// SPDX-License-Identifier: GPL-3.0-or-later
// The file list of the main window: a tree of the files and folders to process. It
// takes file drops from other applications and never starts a drag of its own.
#pragma once

#include <QList>
#include <QTreeView>
#include <QUrl>
#include <functional>

class BROutlineView : public QTreeView
{
    Q_OBJECT
public:
    explicit BROutlineView(QWidget* parent = nullptr);

    // Accepts a drop of these URLs; the answer says whether anything was taken.
    using DropHandler = std::function<bool(const QList<QUrl>&)>;
    void setDropHandler(DropHandler handler) { dropHandler = std::move(handler); }

    // Who takes control of the preview panel when it opens.
    void setPreviewController(class BRPreviewPanelController* controller)
    {
        previewController = controller;
    }
    // Closes the preview panel when it is on screen, else opens it.
    void togglePreviewPanel();

    // Whether a drag with this data, from inside this application or not, would be taken.
    static bool acceptsDrag(const QMimeData* data, bool fromThisApplication);

signals:
    // Delete or Backspace: the selected rows are to go.
    void removeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    DropHandler dropHandler;
    BRPreviewPanelController* previewController = nullptr;
};

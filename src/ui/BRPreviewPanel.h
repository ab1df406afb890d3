// SPDX-License-Identifier: GPL-3.0-or-later
// The preview panel: the list's selected entries, one at a time, fitted and upright, in a
// window of its own that grows from the entry's row and shrinks back into it. The list
// stays in charge: keys pressed in the panel go to the list, and the panel follows its
// selection.
#pragma once

#include "filelist/BRFileURL.h"

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <condition_variable>
#include <mutex>
#include <thread>

class BRPreviewPanel;
class QKeyEvent;
class QLabel;
class QToolButton;

// What the panel asks of whoever controls it (the application's controller).
class BRPreviewPanelController
{
public:
    virtual ~BRPreviewPanelController() = default;
    virtual bool acceptsPreviewPanelControl(BRPreviewPanel* panel) = 0;
    virtual void beginPreviewPanelControl(BRPreviewPanel* panel) = 0;
    virtual void endPreviewPanelControl(BRPreviewPanel* panel) = 0;
    // Data source.
    virtual int numberOfPreviewItemsInPreviewPanel(BRPreviewPanel* panel) = 0;
    virtual BRFileURLPtr previewItemAtIndex(BRPreviewPanel* panel, int index) = 0;
    // Delegate: a key the panel gets is offered here first.
    virtual bool previewPanelHandleEvent(BRPreviewPanel* panel, QKeyEvent* event) = 0;
    // The item's row on the screen; an empty rectangle when it is not in view.
    virtual QRect sourceFrameOnScreenForPreviewItem(BRPreviewPanel* panel,
                                                    const BRFileURL& item) = 0;
};

class BRPreviewPanel : public QWidget
{
    Q_OBJECT
public:
    // The one panel, made on first use beside `owner`'s window.
    static BRPreviewPanel* sharedPreviewPanel(QWidget* owner);
    static bool sharedPreviewPanelExists();
    ~BRPreviewPanel() override;

    void setController(BRPreviewPanelController* controller) { controller_ = controller; }
    // Shows the panel, growing from the current item's row, and takes the keys.
    void makeKeyAndOrderFront();
    // Hides it, shrinking into the current item's row.
    void orderOut();
    // Asks the controller for the items again, keeping the current one when it is there.
    void reloadData();

    int currentPreviewItemIndex() const { return current_; }
    const BRFileURLPtr& currentPreviewItem() const { return item_; }
    void setCurrentPreviewItemIndex(int index);
    // The picture shown (none for a folder, or while it is being decoded).
    const QImage& picture() const { return picture_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit BRPreviewPanel(QWidget* owner);
    void showItem();
    void requestDecode();
    void decodeLoop();
    QRect imageArea() const;
    QRect sourceFrame() const;

    static QPointer<BRPreviewPanel> shared_;
    BRPreviewPanelController* controller_ = nullptr;
    bool controlled_ = false;
    int count_ = 0;
    int current_ = 0;
    BRFileURLPtr item_;
    QImage picture_;
    QIcon folderIcon_;
    QLabel* title_;
    QToolButton* previous_;
    QToolButton* next_;

    // One decoding thread: it takes the newest request only, so that a held arrow key
    // never queues work, and hands the picture back to the window's thread.
    std::thread decoder_;
    std::mutex mutex_;
    std::condition_variable wake_;
    QString request_;
    QSize requestSize_;
    quint64 generation_ = 0;
    bool quit_ = false;
};

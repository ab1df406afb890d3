// The file list of the main window: a tree of the files and folders to process.
#pragma once

#include <QTreeView>

class BROutlineView : public QTreeView
{
    Q_OBJECT
public:
    explicit BROutlineView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

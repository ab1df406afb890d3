// SPDX-License-Identifier: GPL-3.0-or-later
// The info panel: the selected file's thumbnail, name, path, type, size and every
// property of the image, its JPEG comment included. Nothing here changes a file.
#pragma once

#include <QUrl>
#include <QWidget>

class BRFileURL;
class BRPreviewImage;
class QLabel;
class QTreeWidget;

class BRInfoController : public QWidget
{
    Q_OBJECT
public:
    explicit BRInfoController(QWidget* parent = nullptr);

    // Shows the node's name, then its file (setURL).
    void setCurrentFile(const BRFileURL& node);
    // Loads and shows a file's information; the file already shown is not read again.
    void setURL(const QUrl& url);
    // Empties the panel but the name, and forgets the file, so that it is read again.
    void clearInfo();
    // The file's JPEG comments as rdjpgcom prints them, trimmed; "" when there are none.
    static QString getCOMforURL(const QUrl& url);

private:
    BRPreviewImage* mThumbView;
    QLabel* filename;
    QLabel* mFilePath;
    QLabel* mFileType;
    QLabel* mFileSize;
    QTreeWidget* mTree;
    QUrl mUrl;
};

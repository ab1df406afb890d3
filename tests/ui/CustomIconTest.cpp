// SPDX-License-Identifier: GPL-3.0-or-later
// A file's custom icon, set the way file managers set it (gio and gvfs on the session
// bus), is the icon of its row.
#include "filelist/BRFileListModel.h"
#include "filelist/TreeFixture.h"
#include "platform/IconStore.h"
#include "support/JpegFiles.h"
#include "ui/NameCell.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace brelin::test;

TEST(CustomIcon, TheRowShowsTheFilesOwnIcon)
{
    Tree t;
    const QString photo = t.file(QStringLiteral("with icon.jpg"));
    const QString plain = t.file(QStringLiteral("plain.jpg"));
    const QString iconPath = t.path(QStringLiteral("icon.png"));
    QImage red(64, 64, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(iconPath));
    const RunResult set = run(QStringLiteral("gio"), {QStringLiteral("set"), photo,
                                                      QStringLiteral("metadata::custom-icon"),
                                                      QUrl::fromLocalFile(iconPath).toString()});
    ASSERT_EQ(set.status, 0) << set.err.toStdString();

    const auto store = makeDesktopIconStore();
    EXPECT_EQ(store->customIcon(photo), iconPath);
    EXPECT_EQ(store->customIcon(plain), QString());
    EXPECT_EQ(store->customIcon(t.path(QStringLiteral("missing.jpg"))), QString());

    BRFileListModel model;
    ASSERT_TRUE(model.addFile(photo));
    ASSERT_TRUE(model.addFile(plain));
    NameCell cell;
    const auto redInIcon = [&](int row) {
        QImage image(300, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 300, 40);
        option.font = QApplication::font();
        option.state = QStyle::State_Enabled;
        cell.paint(&painter, option, model.index(row, 0));
        painter.end();
        int reds = 0;
        for (int y = 4; y < 36; ++y)
            for (int x = 10; x < 42; ++x)
                reds += image.pixelColor(x, y) == QColor(Qt::red);
        return reds;
    };
    EXPECT_EQ(redInIcon(0), 32 * 32);
    EXPECT_LT(redInIcon(1), 32 * 32 / 2);
}

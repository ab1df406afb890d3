// SPDX-License-Identifier: GPL-3.0-or-later
// The application shell: files handed over by the desktop, the info panel, the menus'
// state and the Help links.
#include "filelist/BRFileListModel.h"
#include "platform/Resources.h"
#include "settings/UserDefaults.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"
#include "ui/BRController.h"
#include "ui/BRPreviewImage.h"
#include "ui/BRPreviewPanel.h"

#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUrlQuery>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

double meanLevel(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width() * 3; ++x)
            sum += rgb.constScanLine(y)[x];
    return sum / (3.0 * rgb.width() * rgb.height());
}

class Shell : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    BRController controller;

    QString photo(const QString& name, const QString& from = QStringLiteral("Canon_40D.jpg"))
    {
        QFile::copy(dataDir() + QStringLiteral("/photos/") + from, dir.filePath(name));
        return dir.filePath(name);
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
    template <typename T>
    T* find(const char* name)
    {
        return controller.window()->findChild<T*>(QLatin1String(name));
    }
    void select(const std::vector<int>& rows)
    {
        QTreeView* list = find<QTreeView>("filesOutline");
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCoreApplication::processEvents(); // the panels follow once the changes are in
    }
    // Top-level labels of the property tree, and the value of one of them.
    QStringList labels()
    {
        QStringList out;
        QTreeWidget* tree = find<QTreeWidget>("mTree");
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            out << tree->topLevelItem(i)->text(0);
        return out;
    }
    QString value(const QString& label)
    {
        QTreeWidget* tree = find<QTreeWidget>("mTree");
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->text(0) == label)
                return tree->topLevelItem(i)->text(1);
        return QStringLiteral("(none)");
    }
};

TEST(PreviewImage, TheThumbnailIsFittedToWholePixels)
{
    const struct
    {
        QRectF view;
        QSize image;
        QRect drawn;
    } rows[] = {
        {{0, 0, 128, 128}, {400, 100}, {0, 48, 128, 32}},
        {{0, 0, 128, 128}, {100, 400}, {48, 0, 32, 128}},
        {{0, 0, 128, 128}, {50, 50}, {0, 0, 128, 128}},
        {{0, 0, 100, 100}, {3, 2}, {0, 16, 100, 68}},
        {{10, 20, 100, 50}, {2, 1}, {10, 20, 100, 50}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(BRPreviewImage::boundsRectToFitImage(row.view, row.image), row.drawn)
            << row.image.width() << "x" << row.image.height();
}

TEST_F(Shell, OpenedFilesJoinTheListOrAreProcessedAtOnce)
{
    auto prefs = userDefaults();
    prefs->setValue(defaults::EmptyList, 1);
    const QString kept = photo(QStringLiteral("kept.jpg"));
    QDir().mkpath(dir.filePath(QStringLiteral("folder")));
    QFile::copy(kept, dir.filePath(QStringLiteral("folder/inner.jpg")));
    writeBytes(dir.filePath(QStringLiteral("notes.txt")), "not a photo");
    const struct
    {
        QVariant processNow; // invalid: not set
        const char* open;
        bool answer;
        int listed; // files in the list afterwards
        const char* made;
    } rows[] = {
        {QVariant(), "a.jpg", true, 2, nullptr}, {0, "b.jpg", true, 2, nullptr},
        {2, "c.jpg", true, 2, nullptr},          {0, "notes.txt", true, 1, nullptr},
        {1, "d.jpg", true, 1, "d-small.jpg"},    {1, "folder", true, 1, "folder/inner-small.jpg"},
        {1, "notes.txt", false, 1, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.open);
        controller.removeAll();
        controller.addFile(kept);
        if (row.processNow.isValid())
            prefs->setValue(defaults::ProcessNow, row.processNow);
        else
            prefs->remove(defaults::ProcessNow);
        prefs->sync();
        const QString path = QString::fromLatin1(row.open).endsWith(QLatin1String(".jpg"))
                                 ? photo(QString::fromLatin1(row.open))
                                 : dir.filePath(QString::fromLatin1(row.open));
        EXPECT_EQ(controller.openFile(path), row.answer);
        // A run for an opened file leaves the list alone, "Empty List" or not.
        EXPECT_EQ(int(controller.fileList()->allfiles().size()), row.listed);
        if (row.made) {
            EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromLatin1(row.made))));
        }
    }
    EXPECT_EQ(files().filter(QStringLiteral("-small")), QStringList{QStringLiteral("d-small.jpg")});
}

TEST_F(Shell, TheInfoPanelShowsTheOneSelectedFile)
{
    // A comment with blanks before and empty lines after.
    const QString a = photo(QStringLiteral("a.jpg"));
    const QString payload = dir.filePath(QStringLiteral("comment.txt"));
    writeBytes(payload, "  \tA comment  \n\n\n");
    const RunResult commented = run(toolPath(QStringLiteral("wrjpgcom")),
                                    {QStringLiteral("-cfile"), payload}, readBytes(a));
    writeBytes(a, commented.out);
    photo(QStringLiteral("b.jpg"), QStringLiteral("large_with_exif.jpg"));
    writeBytes(dir.filePath(QStringLiteral("c.jpg")), "damaged");
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        controller.addFile(dir.filePath(QLatin1String(name)));

    select({0});
    EXPECT_EQ(find<QLabel>("filename")->text(), QStringLiteral("a.jpg"));
    EXPECT_EQ(find<QLabel>("mFilePath")->text(), a);
    EXPECT_EQ(find<QLabel>("mFileType")->text(), QStringLiteral("JPEG image"));
    EXPECT_EQ(value(QStringLiteral("Comment")), QStringLiteral("A comment"));
    EXPECT_EQ(value(QStringLiteral("Pixel Width")), QStringLiteral("100"));
    EXPECT_FALSE(find<BRPreviewImage>("mThumbView")->image().isNull());
    // Names in upper case, then lower case, then the groups in braces.
    const QStringList top = labels();
    EXPECT_LT(top.indexOf(QStringLiteral("Pixel Width")), top.indexOf(QStringLiteral("Exif")));
    EXPECT_EQ(top.mid(top.size() - 4),
              (QStringList{QStringLiteral("Exif"), QStringLiteral("GPS"), QStringLiteral("JFIF"),
                           QStringLiteral("TIFF")}));

    select({0, 1});
    EXPECT_TRUE(labels().isEmpty());
    EXPECT_TRUE(find<QLabel>("mFilePath")->text().isEmpty());
    select({1});
    EXPECT_EQ(value(QStringLiteral("Comment")), QStringLiteral("(none)"));
    // A large photo's thumbnail: 128 pixels across, the photo's colours.
    const QImage thumbnail = find<BRPreviewImage>("mThumbView")->image();
    EXPECT_EQ(thumbnail.size(), QSize(128, 96));
    QImage source;
    source.loadFromData(decodeWithDjpeg(dir.filePath(QStringLiteral("b.jpg"))));
    EXPECT_NEAR(meanLevel(thumbnail), meanLevel(source), 2.0);
    select({0});
    EXPECT_EQ(value(QStringLiteral("Comment")), QStringLiteral("A comment"));
    // What cannot be read leaves its name alone.
    select({2});
    EXPECT_EQ(find<QLabel>("filename")->text(), QStringLiteral("c.jpg"));
    EXPECT_TRUE(labels().isEmpty());
    EXPECT_TRUE(find<BRPreviewImage>("mThumbView")->image().isNull());

    controller.toggleInfos();
    EXPECT_FALSE(find<QDockWidget>("infoDrawer")->isHidden());
    controller.window()->close();
    EXPECT_TRUE(find<QDockWidget>("infoDrawer")->isHidden());
}

TEST_F(Shell, ThePreviewShowsTheSelectionInRowOrderAndFollowsIt)
{
    for (int i = 0; i < 10; ++i)
        controller.addFile(photo(QStringLiteral("p%1.jpg").arg(i)));
    QAction* item = find<QAction>("actionPreview");
    QTreeView* list = find<QTreeView>("filesOutline");
    const auto title = [&] {
        controller.validateMenuItem(item);
        return item->text();
    };
    EXPECT_EQ(title(), QStringLiteral("Open Quick Look panel"));
    EXPECT_FALSE(BRPreviewPanel::sharedPreviewPanelExists()) << "validation made the panel";

    select({5, 2, 9});
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Space, Qt::ShiftModifier);
    BRPreviewPanel* panel = BRPreviewPanel::sharedPreviewPanel(nullptr);
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(title(), QStringLiteral("Close Quick Look panel"));
    QStringList items;
    for (int i = 0; i < controller.numberOfPreviewItemsInPreviewPanel(panel); ++i)
        items << controller.previewItemAtIndex(panel, i)->filename();
    EXPECT_EQ(items.join(QLatin1Char(' ')), QStringLiteral("p2.jpg p5.jpg p9.jpg"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->picture().isNull(); }));

    // Keys pressed in the panel move the list's selection, and the panel follows.
    list->setCurrentIndex(list->model()->index(3, 0));
    QTest::keyClick(panel, Qt::Key_Down);
    EXPECT_EQ(panel->currentPreviewItem()->filename(), QStringLiteral("p4.jpg"));
    QTest::keyClick(panel, Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->isVisible(); }));
    EXPECT_EQ(title(), QStringLiteral("Open Quick Look panel"));
}

TEST_F(Shell, MenusAndLinks)
{
    QMenu* help = controller.window()->menuBar()->findChildren<QMenu*>().last();
    QAction* stray = help->addAction(QStringLiteral("Nothing behind it"));
    emit help->aboutToShow();
    EXPECT_FALSE(stray->isEnabled());
    EXPECT_TRUE(find<QAction>("actionDonate")->isEnabled());

    const QUrl mail = BRController::contactUrl();
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(QUrlQuery(mail).queryItemValue(QStringLiteral("Subject")), QStringLiteral("Brelin"));
    QStringList keys;
    for (const auto& [k, v] : QUrlQuery(BRController::donateUrl()).queryItems())
        keys << k;
    EXPECT_EQ(keys.join(QLatin1Char(',')),
              QStringLiteral("cmd,business,item_name,no_shipping,no_note,tax,currency_code,bn,"
                             "charset"));
    EXPECT_EQ(BRController::donateUrl().scheme(), QStringLiteral("https"));
}

} // namespace

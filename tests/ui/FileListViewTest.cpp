// SPDX-License-Identifier: GPL-3.0-or-later
// The file list in the main window: drops, the keys, the add dialog, the row cells,
// and a window that keeps answering while a folder is read.
#include "filelist/BRFileListModel.h"
#include "filelist/TreeFixture.h"
#include "ui/AddFilesDialog.h"
#include "ui/BRController.h"
#include "ui/BROutlineView.h"
#include "ui/ModalHelper.h"
#include "ui/NameCell.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace brelin::test;

namespace {

class FileListView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.file(QStringLiteral("drop/folder/inside.jpg"));
        t.file(QStringLiteral("drop/a.jpg"));
        t.file(QStringLiteral("drop/b.png"));
        t.file(QStringLiteral("drop/c.JPEG"));
        view = controller.window()->findChild<BROutlineView*>(QStringLiteral("filesOutline"));
        controller.window()->resize(1100, 700);
        controller.window()->show();
    }
    QList<QUrl> urls(const QStringList& rels) const
    {
        QList<QUrl> out;
        for (const QString& r : rels)
            out << QUrl::fromLocalFile(t.path(r));
        return out;
    }
    // Sends a real drop of `data` to the list, as a drag from another application would.
    bool drop(QMimeData* data)
    {
        QWidget* target = view->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }
    QStringList topNames() const
    {
        QStringList n;
        for (const auto& node : controller.fileList()->list())
            n << node->filename();
        return n;
    }

    Tree t;
    BRController controller;
    BROutlineView* view = nullptr;
};

} // namespace

TEST_F(FileListView, DropsOfFileNamesOnly)
{
    QMimeData mixed;
    mixed.setUrls(urls({QStringLiteral("drop/folder"), QStringLiteral("drop/a.jpg"),
                        QStringLiteral("drop/b.png"), QStringLiteral("drop/c.JPEG")}));
    EXPECT_TRUE(drop(&mixed));
    EXPECT_EQ(topNames(), (QStringList{QStringLiteral("folder"), QStringLiteral("a.jpg"),
                                       QStringLiteral("c.JPEG")}));

    QMimeData png;
    png.setUrls(urls({QStringLiteral("drop/b.png")}));
    EXPECT_FALSE(drop(&png));

    QMimeData text;
    text.setText(t.path(QStringLiteral("drop/a.jpg")));
    EXPECT_FALSE(drop(&text));
    EXPECT_EQ(controller.fileList()->list().size(), 3u);

    // Rows dragged inside Brelin are refused, so the list cannot be rearranged.
    EXPECT_FALSE(BROutlineView::acceptsDrag(&mixed, true));
    EXPECT_TRUE(BROutlineView::acceptsDrag(&mixed, false));
}

TEST_F(FileListView, KeysAndDoubleClicks)
{
    controller.addFile(t.path(QStringLiteral("drop")));
    controller.addFile(t.path(QStringLiteral("drop/a.jpg"))); // refused: already listed
    ASSERT_EQ(controller.fileList()->list().size(), 1u);
    const QModelIndex folder = view->model()->index(0, 0);

    // A double click on a folder row opens and closes it; no row ever enters editing.
    const QPoint at = view->visualRect(folder).center();
    // A double click is a click, then the second press.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(view->isExpanded(folder));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(view->isExpanded(folder));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(view->isExpanded(folder));
    EXPECT_EQ(view->indexWidget(folder), nullptr) << "no editor";
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);

    view->expand(folder);
    const QModelIndex first = view->model()->index(0, 0, folder);
    const QString gone = controller.fileList()->nodeAt(first)->filename();
    view->selectionModel()->select(first,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(controller.fileList()->list()[0]->contents().size(), 2u);
    for (const auto& f : controller.fileList()->allfiles())
        EXPECT_NE(f->filename(), gone);
    EXPECT_TRUE(view->selectionModel()->selectedRows().isEmpty());

    view->selectionModel()->select(folder,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_TRUE(controller.fileList()->list().empty());
    EXPECT_TRUE(controller.fileList()->allfiles().empty());
}

TEST_F(FileListView, TheAddDialogTakesFilesAndFoldersTogether)
{
    for (bool confirm : {false, true}) {
        controller.addFileButton();
        auto* dialog = controller.window()->findChild<AddFilesDialog*>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
        dialog->setDirectory(t.path(QStringLiteral("drop")));
        // Let the dialog list the folder, then select a folder and a file in its view.
        QAbstractItemView* list = nullptr;
        const auto listed = [&] {
            for (QAbstractItemView* v : dialog->findChildren<QAbstractItemView*>())
                if (v->isVisible() &&
                    v->model() == static_cast<QAbstractItemModel*>(dialog->proxyModel()) &&
                    v->model()->rowCount(v->rootIndex()) >= 3)
                    list = v;
            return list != nullptr;
        };
        ASSERT_TRUE(QTest::qWaitFor(listed, 5000));
        QStringList shown;
        for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r) {
            const QModelIndex i = list->model()->index(r, 0, list->rootIndex());
            shown << i.data().toString();
            if (i.data().toString() != QLatin1String("a.jpg") &&
                i.data().toString() != QLatin1String("folder"))
                continue;
            list->selectionModel()->select(i,
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        shown.sort();
        EXPECT_EQ(shown, (QStringList{QStringLiteral("a.jpg"), QStringLiteral("c.JPEG"),
                                      QStringLiteral("folder")}))
            << "only folders and JPEG files are shown";
        if (confirm)
            static_cast<QDialog*>(dialog)->accept();
        else
            dialog->reject();
        QApplication::processEvents();
        delete controller.window()->findChild<AddFilesDialog*>();
        QStringList expected;
        if (confirm)
            expected << QStringLiteral("a.jpg") << QStringLiteral("folder");
        QStringList got = topNames();
        got.sort();
        EXPECT_EQ(got, expected) << confirm;
    }
}

TEST_F(FileListView, TheWindowAnswersWhileAFolderIsRead)
{
    for (int i = 0; i < 2000; ++i)
        t.file(QStringLiteral("big/f%1/p%2.jpg").arg(i / 100).arg(i));
    bool answered = false;
    // Added while the big folder is being read: it comes after it, in order.
    QTimer::singleShot(0, &controller, [&] {
        answered = true;
        controller.addFile(t.path(QStringLiteral("drop/a.jpg")));
        EXPECT_TRUE(controller.fileList()->list().empty()) << "not before the folder";
    });
    controller.addFile(t.path(QStringLiteral("big")));
    EXPECT_TRUE(answered);
    EXPECT_EQ(topNames(), (QStringList{QStringLiteral("big"), QStringLiteral("a.jpg")}));
    EXPECT_EQ(controller.fileList()->allfiles().size(), 2001u);
}

TEST(NameCell, GeometryOfAFortyPointRow)
{
    const NameCell::Layout l = NameCell::layout(QRectF(0, 0, 300, 40), QSizeF(32, 32), 15, 11);
    EXPECT_EQ(l.icon, QRectF(10, 4, 32, 32));
    EXPECT_EQ(l.name.left(), 52);
    EXPECT_EQ(l.subtitle.left(), 52);
    EXPECT_EQ(l.name.width(), 300 - 20 - 32 - 10);
    EXPECT_DOUBLE_EQ(l.name.bottom(), 20);
    EXPECT_DOUBLE_EQ(l.subtitle.top(), 20);
    EXPECT_DOUBLE_EQ(l.name.height(), 15);
    EXPECT_DOUBLE_EQ(l.subtitle.height(), 11);
    // Without an icon the text starts 10 beyond the inset.
    EXPECT_EQ(NameCell::layout(QRectF(5, 80, 300, 40), QSizeF(0, 0), 15, 11).name.left(), 25);
}

TEST(NameCell, ColoursAndEllipsis)
{
    Tree t;
    BRFileListModel model;
    const QString longName = QString(120, QLatin1Char('n')) + QStringLiteral(".jpg");
    ASSERT_TRUE(model.addFile(t.file(longName)));
    NameCell cell;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 400, 40);
    option.font = QApplication::font();
    option.palette.setColor(QPalette::Text, Qt::green);
    option.palette.setColor(QPalette::PlaceholderText, Qt::blue);
    option.palette.setColor(QPalette::HighlightedText, Qt::red);
    option.palette.setColor(QPalette::Highlight, Qt::black);
    const auto render = [&](bool selected) {
        QImage image(400, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        option.state =
            QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
        cell.paint(&painter, option, model.index(0, 0));
        return image;
    };
    const auto hasColour = [](const QImage& img, QRect area, QColor c) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor p = img.pixelColor(x, y);
                if (qAbs(p.red() - c.red()) < 40 && qAbs(p.green() - c.green()) < 40 &&
                    qAbs(p.blue() - c.blue()) < 40)
                    return true;
            }
        return false;
    };
    const QImage plain = render(false);
    EXPECT_TRUE(hasColour(plain, QRect(52, 0, 340, 20), Qt::green)) << "the name";
    EXPECT_TRUE(hasColour(plain, QRect(52, 21, 340, 18), Qt::blue)) << "the subtitle";
    // The long name ends in an ellipsis within the row: nothing drawn past the inset.
    EXPECT_FALSE(hasColour(plain, QRect(391, 0, 9, 40), Qt::green));
    const QImage selected = render(true);
    EXPECT_TRUE(hasColour(selected, QRect(52, 0, 340, 20), Qt::red));
    EXPECT_TRUE(hasColour(selected, QRect(52, 21, 340, 18), Qt::red));
    EXPECT_FALSE(hasColour(selected, QRect(52, 0, 340, 40), Qt::green));
}

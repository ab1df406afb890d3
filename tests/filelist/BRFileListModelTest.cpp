// SPDX-License-Identifier: GPL-3.0-or-later
// The list and the flat list of files: duplicates, removal inside folders, removal of
// several rows, and the model as views see it.
#include "filelist/BRFileListModel.h"
#include "filelist/TreeFixture.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace brelin::test;

namespace {

QStringList paths(const std::vector<BRFileURLPtr>& nodes, const QString& root)
{
    QStringList out;
    for (const auto& n : nodes)
        out << QDir(root).relativeFilePath(n->path());
    return out;
}

class FileList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.file(QStringLiteral("album/a.jpg"));
        t.file(QStringLiteral("album/b.jpg"));
        t.file(QStringLiteral("album/sub/c.jpg"));
        t.file(QStringLiteral("loose.jpg"));
    }
    QStringList files() const
    {
        QStringList p = paths(model.allfiles(), t.root());
        p.sort();
        return p;
    }
    QStringList top() const { return paths(model.list(), t.root()); }
    BRFileURL* child(BRFileURL* folder, const QString& name)
    {
        for (const auto& c : folder->contents())
            if (c->filename() == name)
                return c.get();
        return nullptr;
    }

    Tree t;
    BRFileListModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

} // namespace

TEST_F(FileList, DuplicateRules)
{
    const QString file = t.path(QStringLiteral("album/a.jpg"));
    const QString folder = t.path(QStringLiteral("album"));

    // The same file twice: once.
    EXPECT_TRUE(model.addFile(file));
    EXPECT_FALSE(model.addFile(file));
    EXPECT_EQ(top(), QStringList{QStringLiteral("album/a.jpg")});
    EXPECT_EQ(files(), QStringList{QStringLiteral("album/a.jpg")});

    // A file, then its folder: the folder is added and the file then stands twice.
    EXPECT_TRUE(model.addFile(folder));
    EXPECT_EQ(files(),
              (QStringList{QStringLiteral("album/a.jpg"), QStringLiteral("album/a.jpg"),
                           QStringLiteral("album/b.jpg"), QStringLiteral("album/sub/c.jpg")}));

    // A folder, then one of its files: refused.
    EXPECT_FALSE(model.addFile(t.path(QStringLiteral("album/sub/c.jpg"))));

    // The same folder twice stands twice; removing either takes both and all their files.
    EXPECT_TRUE(model.addFile(folder));
    EXPECT_EQ(top(), (QStringList{QStringLiteral("album/a.jpg"), QStringLiteral("album"),
                                  QStringLiteral("album")}));
    EXPECT_EQ(model.allfiles().size(), 7u);
    model.removeNodes({model.list()[2].get()});
    EXPECT_EQ(top(), QStringList{QStringLiteral("album/a.jpg")});
    EXPECT_TRUE(files().isEmpty()) << "equal entries go too, the lone a.jpg among them";

    // Refused paths add nothing.
    EXPECT_FALSE(model.addFile(t.file(QStringLiteral("notes.txt"))));
    EXPECT_FALSE(model.addFile(QString()));
}

TEST_F(FileList, RemovingInsideAFolder)
{
    ASSERT_TRUE(model.addFile(t.path(QStringLiteral("album"))));
    BRFileURL* album = model.list()[0].get();
    BRFileURL* sub = child(album, QStringLiteral("sub"));
    ASSERT_TRUE(sub);

    model.removeNodes({child(album, QStringLiteral("a.jpg"))});
    EXPECT_EQ(album->additionalInformation(), QStringLiteral("Directory with 2 file(s)"));
    EXPECT_EQ(files(),
              (QStringList{QStringLiteral("album/b.jpg"), QStringLiteral("album/sub/c.jpg")}));

    // The last entry of a folder goes: the folder row stays, empty.
    model.removeNodes({child(sub, QStringLiteral("c.jpg"))});
    EXPECT_TRUE(sub->contents().empty());
    EXPECT_EQ(sub->additionalInformation(), QStringLiteral("Directory with 0 file(s)"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("album/b.jpg")});
    EXPECT_EQ(top(), QStringList{QStringLiteral("album")});
}

TEST_F(FileList, SeveralRowsFromTheBottomUp)
{
    ASSERT_TRUE(model.addFile(t.path(QStringLiteral("album"))));
    ASSERT_TRUE(model.addFile(t.path(QStringLiteral("loose.jpg"))));
    BRFileURL* album = model.list()[0].get();
    // A folder and entries of it selected together: as if the folder went alone.
    BRFileURL* sub = child(album, QStringLiteral("sub"));
    model.removeNodes({model.list()[1].get(), child(sub, QStringLiteral("c.jpg")), sub, album});
    EXPECT_TRUE(model.list().empty());
    EXPECT_TRUE(model.allfiles().empty());
    EXPECT_FALSE(model.isListed(*BRFileURL::makeWithPath(t.path(QStringLiteral("loose.jpg")))));

    // Nothing selected: nothing changes.
    ASSERT_TRUE(model.addFile(t.path(QStringLiteral("loose.jpg"))));
    model.removeNodes({});
    EXPECT_EQ(top(), QStringList{QStringLiteral("loose.jpg")});
    model.removeAll();
    EXPECT_TRUE(model.list().empty() && model.allfiles().empty());
    EXPECT_TRUE(model.addFile(t.path(QStringLiteral("loose.jpg"))))
        << "the duplicate test forgets too";
}

TEST_F(FileList, TheModelShowsTheTree)
{
    ASSERT_TRUE(model.addFile(t.path(QStringLiteral("album"))));
    ASSERT_TRUE(model.addFile(t.path(QStringLiteral("loose.jpg"))));
    EXPECT_EQ(model.rowCount(), 2);
    const QModelIndex album = model.index(0, 0);
    EXPECT_EQ(model.rowCount(album), 3);
    EXPECT_TRUE(model.hasChildren(album));
    EXPECT_FALSE(model.hasChildren(model.index(1, 0)));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(),
              QStringLiteral("loose.jpg"));
    EXPECT_FALSE(model.flags(album) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(album) & Qt::ItemIsDragEnabled);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Name"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(model.parent(model.index(i, 0, album)), album);
}

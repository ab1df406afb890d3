// SPDX-License-Identifier: GPL-3.0-or-later
// Nodes of the file list: the filter, the tree read from the disk, subtitles, sizes.
#include "filelist/BRFileURL.h"
#include "filelist/BRUtils.h"
#include "filelist/TreeFixture.h"
#include "processing/PhotoFacts.h"
#include "support/TestEnv.h"

#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace brelin;
using namespace brelin::test;

namespace {

QStringList names(const std::vector<BRFileURLPtr>& nodes)
{
    QStringList n;
    for (const auto& node : nodes)
        n << node->filename();
    return n;
}

} // namespace

TEST(BRFileURL, TheFilterTakesFoldersAndJpegNames)
{
    Tree t;
    struct Case
    {
        QString path;
        bool accepted;
        bool folder;
    };
    const Case cases[] = {
        {t.file(QStringLiteral("photo.JPG")), true, false},
        {t.file(QStringLiteral("photo.jpeg")), true, false},
        {t.file(QStringLiteral("photo.Jpeg")), true, false},
        {t.file(QStringLiteral("photo.jpe")), false, false},
        {t.file(QStringLiteral("photo.png")), false, false},
        {t.file(QStringLiteral("photo.tiff")), false, false},
        {t.file(QStringLiteral("photo")), false, false},
        {t.folder(QStringLiteral("album.jpg")), true, true},
        {t.folder(QStringLiteral("plain folder")), true, true},
        {t.path(QStringLiteral("missing.jpg")), true, false},
        {t.path(QStringLiteral("missing.png")), false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BRUtils::filterAcceptFile(c.path), c.accepted) << c.path.toStdString();
        const BRFileURLPtr node = BRFileURL::makeWithPath(c.path);
        ASSERT_EQ(node != nullptr, c.accepted) << c.path.toStdString();
        if (node) {
            EXPECT_EQ(node->isDirectory(), c.folder) << c.path.toStdString();
            EXPECT_EQ(node->isFile(), !c.folder);
        }
    }
    EXPECT_EQ(BRUtils::allowedExtensions(),
              (QStringList{QStringLiteral("jpg"), QStringLiteral("jpeg")}));
    // A file that cannot be read is a file node without a snapshot.
    const BRFileURLPtr missing = BRFileURL::makeWithPath(t.path(QStringLiteral("missing.jpg")));
    EXPECT_FALSE(missing->hasSnapshot());
    EXPECT_EQ(missing->additionalInformation(), QStringLiteral("JPEG file"));
    // A node reads nothing itself: its photo's facts are read elsewhere and handed to it.
    const QString hdr = dataDir() + QStringLiteral("/hdr/pixel_ultrahdr.jpg");
    const BRFileURLPtr photo = BRFileURL::makeWithPath(hdr);
    EXPECT_EQ(photo->additionalInformation(), QStringLiteral("JPEG file"));
    const PhotoFacts facts = readPhotoFacts(hdr, 0);
    ASSERT_TRUE(facts.readable && facts.hdr);
    photo->setFacts(
        BRFileURL::Facts{facts.size.width(), facts.size.height(), facts.bytes, facts.hdr});
    EXPECT_EQ(
        photo->additionalInformation(),
        QStringLiteral("JPEG image (HDR) \u00b7 4080 \u00d7 3072 \u00b7 %1")
            .arg(QLocale().formattedDataSize(QFileInfo(hdr).size(), 1, QLocale::DataSizeSIFormat)));
}

TEST(BRFileURL, AFolderHoldsItsAcceptedEntriesToAnyDepth)
{
    Tree t;
    t.file(QStringLiteral("top/a.jpg"));
    t.file(QStringLiteral("top/b.png"));
    t.file(QStringLiteral("top/sub/c.jpeg"));
    t.file(QStringLiteral("top/sub/deeper/still/d.JPG"));
    t.file(QStringLiteral("top/.hidden.jpg"));
    t.folder(QStringLiteral("empty"));

    const BRFileURLPtr top = BRFileURL::makeWithPath(t.path(QStringLiteral("top")));
    ASSERT_TRUE(top && top->isDirectory());
    QStringList children = names(top->contents());
    EXPECT_EQ(children.size(), 3);
    children.sort();
    EXPECT_EQ(children, (QStringList{QStringLiteral(".hidden.jpg"), QStringLiteral("a.jpg"),
                                     QStringLiteral("sub")}));
    EXPECT_EQ(top->additionalInformation(), QStringLiteral("Directory with 3 file(s)"));
    for (const auto& child : top->contents()) {
        EXPECT_EQ(child->parent(), top.get());
        EXPECT_EQ(top->contents()[size_t(child->row())], child);
    }
    // Depth first, a subfolder's files where the subfolder stands among its siblings.
    QStringList expected;
    for (const auto& child : top->contents()) {
        if (child->isFile())
            expected << child->filename();
        else
            expected << QStringLiteral("c.jpeg") << QStringLiteral("d.JPG");
    }
    EXPECT_EQ(names(top->allFiles()), expected);
    EXPECT_EQ(names(top->contents()[0]->allFiles()).size(), top->contents()[0]->isFile() ? 1 : 2);

    const BRFileURLPtr empty = BRFileURL::makeWithPath(t.path(QStringLiteral("empty")));
    EXPECT_TRUE(empty->contents().empty());
    EXPECT_TRUE(empty->allFiles().empty());
    EXPECT_EQ(empty->additionalInformation(), QStringLiteral("Directory with 0 file(s)"));

    // Read again from the disk.
    t.file(QStringLiteral("empty/new.jpg"));
    empty->generateContents();
    EXPECT_EQ(names(empty->allFiles()), QStringList{QStringLiteral("new.jpg")});
}

TEST(BRFileURL, LinksAreFollowedButNeverInACircle)
{
    Tree t;
    t.file(QStringLiteral("album/a.jpg"));
    t.file(QStringLiteral("elsewhere/b.jpg"));
    ASSERT_EQ(symlink(qPrintable(t.path(QStringLiteral("album"))),
                      qPrintable(t.path(QStringLiteral("album/loop")))),
              0);
    ASSERT_EQ(symlink("..", qPrintable(t.path(QStringLiteral("album/up")))), 0);
    ASSERT_EQ(symlink(qPrintable(t.path(QStringLiteral("elsewhere"))),
                      qPrintable(t.path(QStringLiteral("album/other")))),
              0);
    ASSERT_EQ(symlink(qPrintable(t.path(QStringLiteral("album/a.jpg"))),
                      qPrintable(t.path(QStringLiteral("album/alias.jpg")))),
              0);

    const BRFileURLPtr album = BRFileURL::makeWithPath(t.path(QStringLiteral("album")));
    ASSERT_TRUE(album);
    QStringList files = names(album->allFiles());
    files.sort();
    // The link to another folder is walked; the ones back into the tree stop there
    // (up/ reaches album/ again through the parent, and goes no further).
    // up/ is the folder above album/: its elsewhere/ is read, its album/ is not again.
    EXPECT_EQ(files, (QStringList{QStringLiteral("a.jpg"), QStringLiteral("alias.jpg"),
                                  QStringLiteral("b.jpg"), QStringLiteral("b.jpg")}));
    for (const auto& child : album->contents())
        if (child->filename() == QLatin1String("loop")) {
            EXPECT_TRUE(child->isDirectory());
            EXPECT_TRUE(child->contents().empty());
        }
}

TEST(BRFileURL, NodesAreEqualByTheirUrl)
{
    Tree t;
    const QString file = t.file(QStringLiteral("x/photo.jpg"));
    const BRFileURLPtr a = BRFileURL::makeWithPath(file);
    const BRFileURLPtr b = BRFileURL::makeWithURL(QUrl::fromLocalFile(file));
    const BRFileURLPtr c = BRFileURL::makeWithPath(t.path(QStringLiteral("x/../x/./photo.jpg")));
    EXPECT_TRUE(*a == *b);
    EXPECT_TRUE(*a == *c);
    EXPECT_EQ(a->url(), QUrl::fromLocalFile(file));
    EXPECT_EQ(a->previewItemTitle(), QStringLiteral("photo.jpg"));
    EXPECT_EQ(a->previewItemURL(), QUrl::fromLocalFile(file));
    const BRFileURLPtr moved =
        a->fileURLByReplacingParentBy(QUrl::fromLocalFile(t.folder(QStringLiteral("y"))));
    EXPECT_EQ(moved->path(), t.path(QStringLiteral("y/photo.jpg")));
}

TEST(BRUtils, HumanSizesAtEachBoundary)
{
    struct Case
    {
        uint64_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {0, "0 Bytes"},
        {512, "512 Bytes"},
        {1023, "1023 Bytes"},
        {1024, "1.0 kBytes"},
        {1536, "1.5 kBytes"},
        {1048575, "1024.0 kBytes"},
        {1048576, "1.00 MBytes"},
        {5000000, "4.77 MBytes"},
        {1073741823, "1.00 GBytes"}, // the single-precision value rounds up to 2^30
        {1073741824, "1.00 GBytes"},
        {3221225472ull, "3.00 GBytes"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BRUtils::getHumanSize(c.bytes), QString::fromLatin1(c.text)) << c.bytes;
}

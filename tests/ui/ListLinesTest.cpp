// SPDX-License-Identifier: GPL-3.0-or-later
// The list's second lines: a photo's pixel size and bytes once read off the interface
// thread, then after a run what became of each photo and folder, until a setting changes.
#include "filelist/BRFileListModel.h"
#include "platform/ByteSpan.h"
#include "processing/PhotoFacts.h"
#include "settings/SettingsRecord.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"
#include "ui/BRController.h"
#include "ui/NameCell.h"
#include "ui/PhotoFactsLoader.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

class ListLines : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    BRController controller;

    QString copy(const QString& from, const QString& name)
    {
        QDir().mkpath(QFileInfo(dir.filePath(name)).path());
        QFile::copy(from, dir.filePath(name));
        return dir.filePath(name);
    }
    // The line the list shows for the row of `path`, and whether it is a failure's.
    std::pair<QString, bool> lineOf(const QString& path) const
    {
        BRFileListModel* model = controller.fileList();
        std::function<QModelIndex(const QModelIndex&)> find = [&](const QModelIndex& parent) {
            for (int row = 0; row < model->rowCount(parent); ++row) {
                const QModelIndex at = model->index(row, 0, parent);
                if (model->nodeAt(at)->path() == path)
                    return at;
                if (const QModelIndex below = find(at); below.isValid())
                    return below;
            }
            return QModelIndex();
        };
        const QModelIndex at = find({});
        if (!at.isValid())
            return {};
        const QVariant line = at.data(BRFileListModel::RunLineRole);
        return {line.isValid() ? line.toString() : model->nodeAt(at)->additionalInformation(),
                at.data(BRFileListModel::RunFailedRole).toBool()};
    }
    // Every listed photo's facts, read as drawing the rows would ask for them.
    void readFacts()
    {
        for (const BRFileURLPtr& file : controller.fileList()->allfiles())
            controller.photoFacts()->request(*file);
        controller.photoFacts()->waitForReads();
    }
    void runWith(const QVariantMap& changes)
    {
        QVariantMap record = controller.buildPrefs();
        for (auto it = changes.begin(); it != changes.end(); ++it)
            record.insert(it.key(), it.value());
        controller.setValuesFrom(record);
        controller.process();
    }
};

QString sizeText(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

QSize sizeOfFile(const QString& path)
{
    return uprightPixelSize(bytesOf(readBytes(path)));
}

TEST_F(ListLines, EachRowSaysWhatItsPhotoBecame)
{
    const QString photos = dataDir() + QStringLiteral("/photos/");
    const QString single = copy(photos + QStringLiteral("large_with_exif.jpg"), "single.jpg");
    const QString a = copy(photos + QStringLiteral("Canon_40D.jpg"), "album/a.jpg");
    const QString b = copy(photos + QStringLiteral("Nikon_D70.jpg"), "album/b.jpg");
    const QString damaged = copy(corruptedPhoto(), "album/c.jpg");
    const QString text = dir.filePath(QStringLiteral("album/d.jpg"));
    writeBytes(text, "not a photo\n");
    controller.addFile(single);
    controller.addFile(dir.filePath(QStringLiteral("album")));
    readFacts();
    const QSize shape = sizeOfFile(single);
    EXPECT_EQ(lineOf(single).first, QStringLiteral("JPEG image \u00b7 %1 \u00d7 %2 \u00b7 %3")
                                        .arg(shape.width())
                                        .arg(shape.height())
                                        .arg(sizeText(QFileInfo(single).size())));
    EXPECT_EQ(lineOf(text).first, QStringLiteral("JPEG file")) << "it has no header";

    // Fitted into 64 pixels: re-encoded, failed, and the folder's total.
    runWith({{key::ScalingType, ScaleToLength},
             {key::ScalingFixedType, FixedLongerSide},
             {key::ScalingFixedValue, 64}});
    const auto resultLine = [&](const QString& source) {
        const QString made = QFileInfo(source).path() + QLatin1Char('/') +
                             QFileInfo(source).completeBaseName() + QStringLiteral("-small.jpg");
        const QSize size = sizeOfFile(made);
        const double change = 100.0 * double(QFileInfo(made).size() - QFileInfo(source).size()) /
                              double(QFileInfo(source).size());
        return QStringLiteral("\u2192 %1 \u00d7 %2 \u00b7 %3 (\u2212%4 %)")
            .arg(size.width())
            .arg(size.height())
            .arg(sizeText(QFileInfo(made).size()))
            .arg(std::lround(-change));
    };
    const qint64 before = QFileInfo(a).size() + QFileInfo(b).size();
    const qint64 after = QFileInfo(dir.filePath(QStringLiteral("album/a-small.jpg"))).size() +
                         QFileInfo(dir.filePath(QStringLiteral("album/b-small.jpg"))).size();
    // After the size, how it was made where that is more than the quality asked.
    const struct
    {
        QString path;
        QString line;
        bool failed;
    } rows[] = {
        {single, resultLine(single), false},
        {a, resultLine(a) + QStringLiteral(" \u00b7 quality 65, the photo's own"), false},
        {damaged, QStringLiteral("The image data are damaged."), true},
        {dir.filePath(QStringLiteral("album")),
         QStringLiteral("Directory with 4 file(s) \u00b7 %1 \u2192 %2 (\u2212%3 %) \u00b7 2 not "
                        "processed")
             .arg(sizeText(before), sizeText(after))
             .arg(std::lround(100.0 * double(before - after) / double(before))),
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        EXPECT_EQ(lineOf(row.path).first, row.line);
        EXPECT_EQ(lineOf(row.path).second, row.failed);
    }

    // At its own size and quality 100, re-encoding makes it larger: the data are kept.
    for (const QString& made :
         QDir(dir.filePath(QStringLiteral("album"))).entryList({QStringLiteral("*-small.jpg")}))
        QFile::remove(dir.filePath(QStringLiteral("album/") + made));
    QFile::remove(dir.filePath(QStringLiteral("single-small.jpg")));
    runWith({{key::ScalingType, KeepSize}, {key::Quality, 100}, {key::AllowHigherQuality, 1}});
    EXPECT_TRUE(lineOf(a).first.endsWith(QStringLiteral(" \u00b7 kept its image data, "
                                                        "losslessly optimised")) ||
                lineOf(a).first.endsWith(QStringLiteral(" \u00b7 kept its image data")))
        << lineOf(a).first.toStdString();

    // A change of a setting ends the lines; the facts come back.
    QVariantMap record = controller.buildPrefs();
    record.insert(key::Quality, 50);
    controller.setValuesFrom(record);
    EXPECT_EQ(lineOf(text), std::make_pair(QStringLiteral("JPEG file"), false));
    EXPECT_TRUE(lineOf(single).first.startsWith(QStringLiteral("JPEG image \u00b7 ")));
}

} // namespace

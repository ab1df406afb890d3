// SPDX-License-Identifier: GPL-3.0-or-later
// A run started from the main window: the Process controls, the replace question, the
// progress window's Cancel, the unprocessed-files window and the status bar.
#include "filelist/BRFileListModel.h"
#include "settings/UserDefaults.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"
#include "ui/BRController.h"
#include "ui/ModalHelper.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brelin;
using namespace brelin::test;

namespace {

class ProcessRun : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    BRController controller;

    QString photo(const QString& name)
    {
        QFile::copy(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"), dir.filePath(name));
        return dir.filePath(name);
    }
    QPushButton* processButton()
    {
        return controller.window()->findChild<QPushButton*>(QStringLiteral("processButton"));
    }
    QAction* processAction()
    {
        return controller.window()->findChild<QAction*>(QStringLiteral("actionProcess"));
    }
    QWidget* unprocessedWindow()
    {
        return controller.window()->findChild<QWidget*>(QStringLiteral("unprocessedWindow"));
    }
};

TEST_F(ProcessRun, ProcessIsEnabledWhileTheListHoldsFiles)
{
    QDir().mkpath(dir.filePath(QStringLiteral("empty")));
    const struct
    {
        const char* add;
        bool enabled;
    } rows[] = {{nullptr, false}, {"empty", false}, {"a.jpg", true}};
    photo(QStringLiteral("a.jpg"));
    for (const auto& row : rows) {
        if (row.add)
            controller.addFile(dir.filePath(QString::fromLatin1(row.add)));
        EXPECT_EQ(processButton()->isEnabled(), row.enabled) << (row.add ? row.add : "");
        EXPECT_EQ(processAction()->isEnabled(), row.enabled) << (row.add ? row.add : "");
    }
    controller.removeAll();
    EXPECT_FALSE(processButton()->isEnabled());
}

TEST_F(ProcessRun, AReplaceQuestionThenTheUnprocessedWindowAndTheStatusBar)
{
    photo(QStringLiteral("a.jpg"));
    photo(QStringLiteral("b.jpg"));
    writeBytes(dir.filePath(QStringLiteral("b-small.jpg")), "old");
    writeBytes(dir.filePath(QStringLiteral("c.jpg")), "not a JPEG");
    controller.addFile(dir.filePath(QStringLiteral("a.jpg")));
    controller.addFile(dir.filePath(QStringLiteral("b.jpg")));
    controller.addFile(dir.filePath(QStringLiteral("c.jpg")));
    QString question;
    whenShown(QStringLiteral("alertWindow"), [&](QWidget* alert) {
        question = alert->findChild<QLabel*>(QStringLiteral("alertField"))->text();
        clickButton(alert, QStringLiteral("Replace"));
    });
    processButton()->click();

    EXPECT_EQ(question, QStringLiteral("Are you sure you want to replace  b-small.jpg  with the "
                                       "new processed file ?"));
    EXPECT_NE(readBytes(dir.filePath(QStringLiteral("b-small.jpg"))), QByteArray("old"));
    QWidget* window = unprocessedWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    const auto* table = window->findChild<QTableWidget*>();
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("c.jpg"));
    EXPECT_EQ(table->item(0, 1)->text(), dir.filePath(QStringLiteral("c.jpg")));
    EXPECT_FALSE(table->item(0, 2)->text().isEmpty());
    EXPECT_TRUE(controller.window()->statusBar()->currentMessage().startsWith(
        QStringLiteral("2 files processed, ")))
        << controller.window()->statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(controller.window()->statusBar()->currentMessage().endsWith(
        QStringLiteral("1 not processed")));
    EXPECT_EQ(controller.fileList()->allfiles().size(), 3u); // "Empty List" is off
}

TEST_F(ProcessRun, CancelInTheProgressWindowAndEmptyList)
{
    for (int i = 0; i < 12; ++i)
        controller.addFile(photo(QStringLiteral("%1.jpg").arg(i, 2, 10, QLatin1Char('0'))));
    userDefaults()->setValue(defaults::EmptyList, 1);
    int maximum = 0;
    whenShown(QStringLiteral("progressWindow"), [&](QWidget* progress) {
        EXPECT_EQ(progress->windowModality(), Qt::WindowModal);
        maximum = progress->findChild<QProgressBar*>()->maximum();
        clickButton(progress, QStringLiteral("Cancel"));
    });
    controller.process();
    userDefaults()->remove(defaults::EmptyList);

    EXPECT_EQ(maximum, 12);
    const int made = QDir(dir.path()).entryList({QStringLiteral("*-small.jpg")}).size();
    EXPECT_GE(made, 1);
    EXPECT_LT(made, 12);
    EXPECT_TRUE(controller.window()->statusBar()->currentMessage().contains(
        QStringLiteral("%1 not started").arg(12 - made)));
    EXPECT_EQ(unprocessedWindow(), nullptr);
    EXPECT_TRUE(controller.fileList()->allfiles().empty());
}

TEST_F(ProcessRun, SeveralPhotosAtOnceWriteWhatOneAtATimeWrites)
{
    // Photos of every kind the tests hold, a damaged one among them.
    QStringList sources;
    for (const QString& from : readableCorpusPhotos()) {
        sources << dir.filePath(QFileInfo(from).fileName());
        QFile::copy(from, sources.last());
    }
    QFile::copy(corruptedPhoto(), dir.filePath(QStringLiteral("zz-damaged.jpg")));
    sources << dir.filePath(QStringLiteral("zz-damaged.jpg"));
    for (const QString& source : sources)
        controller.addFile(source);
    const auto resultsOf = [&](int jobs) {
        userDefaults()->setValue(defaults::Jobs, jobs);
        controller.process();
        userDefaults()->remove(defaults::Jobs);
        QMap<QString, QByteArray> results;
        for (const QString& name : QDir(dir.path()).entryList({QStringLiteral("*-small.jpg")})) {
            results[name] = readBytes(dir.filePath(name));
            QFile::remove(dir.filePath(name));
        }
        results[QStringLiteral("status bar")] =
            controller.window()->statusBar()->currentMessage().toUtf8();
        return results;
    };
    const auto one = resultsOf(1);
    EXPECT_EQ(one.size(), sources.size()) << "every photo but the damaged one, and the status";
    EXPECT_TRUE(one == resultsOf(3));
}

} // namespace

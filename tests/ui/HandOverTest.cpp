// SPDX-License-Identifier: GPL-3.0-or-later
// A second `brelin FILE…` hands its files to the Brelin already running, over the session
// bus or, without one, a local socket; with "Process Now" on, the first one processes them.
#include "settings/UserDefaults.h"
#include "support/JpegFiles.h"
#include "support/TestEnv.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace brelin;
using namespace brelin::test;

namespace {

bool waitFor(const std::function<bool()>& condition)
{
    const QDeadlineTimer deadline(20000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

TEST(HandOver, ASecondStartHandsItsFilesToTheFirst)
{
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
    auto prefs = userDefaults();
    prefs->setValue(defaults::ProcessNow, 1);
    prefs->sync();
    const QString socket = QDir::tempPath() + QStringLiteral("/brelin-%1").arg(getuid());
    for (const bool bus : {true, false}) {
        SCOPED_TRACE(bus ? "session bus" : "local socket");
        QTemporaryDir dir;
        for (const char* name : {"a.jpg", "b.jpg"})
            QFile::copy(dataDir() + QStringLiteral("/photos/Canon_40D.jpg"),
                        dir.filePath(QLatin1String(name)));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!bus)
            env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        QFile::remove(socket);

        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(BRELIN_APP), {});
        ASSERT_TRUE(first.waitForStarted());
        ASSERT_TRUE(waitFor([&] {
            return bus ? QDBusConnection::sessionBus().interface()->isServiceRegistered(
                             QStringLiteral("org.brelin.Brelin"))
                       : QFile::exists(socket);
        }));

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(BRELIN_APP), {dir.filePath(QStringLiteral("a.jpg")),
                                                  dir.filePath(QStringLiteral("b.jpg"))});
        ASSERT_TRUE(second.waitForFinished(20000));
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().constData();
        EXPECT_TRUE(waitFor([&] {
            return QFile::exists(dir.filePath(QStringLiteral("a-small.jpg"))) &&
                   QFile::exists(dir.filePath(QStringLiteral("b-small.jpg")));
        })) << QDir(dir.path()).entryList().join(QLatin1Char(' ')).toStdString();
        first.terminate();
        first.waitForFinished();
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// Child processes and chains: exit statuses are read, every child is reaped, and no
// pipe end leaks into a child.
#include "processing/ProcessChain.h"
#include "platform/ChildProcess.h"
#include "platform/Resources.h"
#include "support/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace brelin;

namespace {

// True when this process has no child left, reaped or not.
bool noChildren()
{
    errno = 0;
    return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

} // namespace

TEST(ChildProcess, ExitStatusesAreRead)
{
    struct Case
    {
        std::string program;
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {"/bin/true", {}, 0},
        {"/bin/false", {}, 1},
        {"/bin/sh", {"-c", "exit 7"}, 7},
        {"/bin/sh", {"-c", "kill -9 $$"}, 128 + 9},
    };
    for (const Case& c : cases) {
        auto child = ChildProcess::start(c.program, c.args, -1, -1);
        ASSERT_TRUE(child.has_value()) << c.program;
        EXPECT_EQ(child->wait(), c.status) << c.program;
        EXPECT_EQ(child->wait(), c.status) << "a second wait answers the same";
    }
    EXPECT_TRUE(noChildren());
}

TEST(ChildProcess, OnlyAbsolutePathsOfRealPrograms)
{
    std::string error;
    EXPECT_FALSE(ChildProcess::start("cat", {}, -1, -1, &error).has_value());
    EXPECT_NE(error.find("absolute"), std::string::npos);
    EXPECT_FALSE(ChildProcess::start("/nonexistent/tool", {}, -1, -1, &error).has_value());
    EXPECT_NE(error.find("/nonexistent/tool"), std::string::npos);
    EXPECT_TRUE(noChildren());
}

TEST(ChildProcess, PipeEndsDoNotLeakIntoChildren)
{
    auto unrelated = makePipe();
    ASSERT_TRUE(unrelated.has_value());
    struct stat st
    {
    };
    ASSERT_EQ(fstat(unrelated->readEnd, &st), 0);
    // The child lists its open descriptors: our other pipe is not among them.
    const auto listing = runAndRead(QStringLiteral("/bin/sh"),
                                    {QStringLiteral("-c"), QStringLiteral("ls -l /proc/$$/fd")});
    ASSERT_TRUE(listing.has_value());
    EXPECT_TRUE(listing->contains("1 -> pipe:")) << listing->toStdString();
    const QByteArray ours = "pipe:[" + QByteArray::number(qulonglong(st.st_ino)) + "]";
    EXPECT_FALSE(listing->contains(ours)) << listing->toStdString();
    closeFd(unrelated->readEnd);
    closeFd(unrelated->writeEnd);
}

TEST(ProcessChain, StreamsThroughEveryStageAndReapsThemAll)
{
    ProcessChain chain;
    const QString photo = test::dataDir() + QStringLiteral("/photos/Canon_40D.jpg");
    ASSERT_TRUE(chain.append(QStringLiteral("/bin/cat"), {photo}));
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(chain.append(QStringLiteral("/bin/cat"), {}));
    const auto bytes = chain.finish();
    ASSERT_TRUE(bytes.has_value());
    QFile file(photo);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(*bytes, file.readAll());
    EXPECT_TRUE(noChildren());
}

TEST(ProcessChain, AFailedStageFailsTheChain)
{
    const QString wr = toolPath(QStringLiteral("wrjpgcom"));
    struct Case
    {
        const char* what;
        std::vector<std::pair<QString, QStringList>> stages;
    };
    const Case cases[] = {
        {"the head fails", {{QStringLiteral("/bin/cat"), {QStringLiteral("/nonexistent.jpg")}}}},
        {"a middle stage fails",
         {{QStringLiteral("/bin/echo"), {QStringLiteral("not a jpeg")}},
          {wr, {QStringLiteral("-app1"), QStringLiteral("/dev/null")}},
          {QStringLiteral("/bin/cat"), {}}}},
        {"a stage cannot start",
         {{QStringLiteral("/bin/echo"), {QStringLiteral("x")}},
          {QStringLiteral("/nonexistent/tool"), {}}}},
        {"the last stage fails",
         {{QStringLiteral("/bin/echo"), {QStringLiteral("x")}},
          {QStringLiteral("/bin/false"), {}}}},
    };
    for (const Case& c : cases) {
        ProcessChain chain;
        for (const auto& [program, args] : c.stages)
            chain.append(program, args);
        EXPECT_FALSE(chain.finish().has_value()) << c.what;
        EXPECT_FALSE(chain.failure().isEmpty()) << c.what;
        EXPECT_TRUE(noChildren()) << c.what;
    }
}

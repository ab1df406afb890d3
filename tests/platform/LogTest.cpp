// SPDX-License-Identifier: GPL-3.0-or-later
// The log writes the fixed text, unchanged, to standard error.
#include "platform/BRLog.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

using namespace brelin;

TEST(Log, FixedTextReachesStandardErrorAndTheObserver)
{
    std::vector<std::string> seen;
    auto previous = setLogObserver([&](std::string_view line) { seen.emplace_back(line); });

    FILE* capture = std::tmpfile();
    ASSERT_NE(capture, nullptr);
    std::fflush(stderr);
    const int saved = dup(fileno(stderr));
    dup2(fileno(capture), fileno(stderr));
    brLog("Could not create the temporary folder");
    brLog(QString::fromUtf8("Fichier « été ».jpg"));
    std::fflush(stderr);
    dup2(saved, fileno(stderr));
    close(saved);
    setLogObserver(std::move(previous));

    std::rewind(capture);
    std::string written;
    char buffer[256];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, capture))
        written.append(buffer, n);
    std::fclose(capture);

    EXPECT_EQ(written,
              "Brelin: Could not create the temporary folder\nBrelin: Fichier « été ».jpg\n");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "Could not create the temporary folder");
    EXPECT_EQ(seen[1], "Fichier « été ».jpg");
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Test entry point for widget tests: a QApplication on the platform CTest chose
// (offscreen by default).
#include <QApplication>
#include <gtest/gtest.h>

#include "support/TestEnv.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelin"));
    // The test images (tests/data) are part of many tests.
    if (!QDir(brelin::test::dataDir()).exists()) {
        std::fprintf(stderr, "test images not found: %s\n", qPrintable(brelin::test::dataDir()));
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

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
    // The camera files beside the repository are part of many tests.
    if (!QDir(brelin::test::corpusDir()).exists()) {
        std::fprintf(stderr, "test corpus not found: %s\n", qPrintable(brelin::test::corpusDir()));
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Test entry point for the engine: a QCoreApplication, no widgets.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "support/TestEnv.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brelin"));
    // The camera files beside the repository are part of many tests.
    if (!QDir(brelin::test::corpusDir()).exists()) {
        std::fprintf(stderr, "test corpus not found: %s\n", qPrintable(brelin::test::corpusDir()));
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

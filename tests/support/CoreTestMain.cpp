// Test entry point for the engine: a QCoreApplication, no widgets.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brelin"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

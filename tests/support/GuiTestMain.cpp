// Test entry point for widget tests: a QApplication on the platform CTest chose
// (offscreen by default).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brelin"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

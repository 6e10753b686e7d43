#include <QApplication>

#include <gtest/gtest.h>

// One QApplication on the offscreen platform for every test program, so that widget tests
// and tests of code that uses Qt's event loop run without a display.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

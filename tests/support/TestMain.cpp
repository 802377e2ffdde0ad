#include <QApplication>

#include <gtest/gtest.h>

// Every suite runs with a QApplication on the offscreen platform, so windows can be built and
// driven without a display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

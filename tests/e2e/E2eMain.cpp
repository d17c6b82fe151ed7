#include <QGuiApplication>

#include <gtest/gtest.h>

// A GUI application without a display of its own: the suites read images
// (screenshots) but show nothing; the editor runs in its own process.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

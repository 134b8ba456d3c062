#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole run.
// Test discovery runs without the test environment, so default to the
// offscreen platform here too.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

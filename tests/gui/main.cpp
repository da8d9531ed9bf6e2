#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Runs the GUI tests inside one application object, on Qt's offscreen
// platform unless another is asked for, with Qt's standard locations moved
// to a test folder.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

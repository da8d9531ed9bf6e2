#include "scenewright/Application1.h"
#include "scenewright/DisplayCheck.h"
#include "scenewright/core/Version.h"

#include <QApplication>
#include <QIcon>

#include <iostream>

// Starts Scenewright. Command-line arguments are ignored.
int main(int argc, char* argv[])
{
    if (!scenewright::DisplayCheck::hasDisplay()) {
        std::cerr << scenewright::DisplayCheck::noDisplayMessage << std::endl;
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("scenewright");
    QApplication::setApplicationVersion(scenewright::core::Version::text);
    QApplication::setWindowIcon(QIcon(":/scenewright.png"));
    QApplication::setDesktopFileName("scenewright");
    scenewright::Application1 start;
    return QApplication::exec();
}

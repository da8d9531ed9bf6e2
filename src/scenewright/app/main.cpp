#include "scenewright/app/Application.h"
#include "scenewright/app/DisplayCheck.h"
#include "scenewright/app/ProgramOptions.h"
#include "scenewright/core/Version.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <iostream>

namespace {

constexpr int kUsageError = 2;

std::vector<std::string> toStrings(const QStringList& list)
{
    std::vector<std::string> strings;
    for (const QString& item : list)
        strings.push_back(item.toStdString());
    return strings;
}

} // namespace

// Starts Scenewright, opening the project file given as the argument.
int main(int argc, char* argv[])
{
    using scenewright::app::ProgramOptions;
    // The help and the version are answered without a display.
    const ProgramOptions early = ProgramOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    if (early.request == ProgramOptions::Request::Help) {
        std::cout << ProgramOptions::usage();
        return 0;
    }
    if (early.request == ProgramOptions::Request::Version) {
        std::cout << "scenewright " << scenewright::core::Version::text << "\n";
        return 0;
    }
    if (!scenewright::app::DisplayCheck::hasDisplay()) {
        std::cerr << scenewright::app::DisplayCheck::noDisplayMessage << std::endl;
        return kUsageError;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("scenewright");
    QApplication::setApplicationVersion(scenewright::core::Version::text);
    QApplication::setDesktopFileName("org.scenewright.Scenewright");

    // What Qt left after taking its own options.
    const ProgramOptions options = ProgramOptions::parse(toStrings(QApplication::arguments().mid(1)));
    if (options.request == ProgramOptions::Request::UsageError) {
        std::cerr << "scenewright: " << options.error << "\n" << ProgramOptions::usage();
        return kUsageError;
    }
    std::optional<QString> project;
    if (options.project)
        project = QString::fromStdString(*options.project);
    scenewright::app::Application start(project);
    // The window's own icon, for task bars and window lists; desktops that
    // follow the desktop file take the installed icons, up to 256 pixels.
    // Reading the picture waits until the window is up, so that it does not
    // hold back the first sight of the window.
    QTimer::singleShot(0, [] { QApplication::setWindowIcon(QIcon(":/org.scenewright.Scenewright.png")); });
    return QApplication::exec();
}

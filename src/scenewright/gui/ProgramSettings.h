#pragma once

#include <memory>

class QMainWindow;
class QSettings;

namespace scenewright::gui {

// The user's settings file of the program: the recent projects and the
// main window's place and size.
class ProgramSettings {
public:
    // The settings, named here rather than taken from the application,
    // whose organisation name is left empty so that its data folder stays
    // where earlier versions put it.
    static std::unique_ptr<QSettings> open();

    static void saveWindow(const QMainWindow& window);
    // False, with the window left as it is, when nothing was saved.
    static bool restoreWindow(QMainWindow& window);
};

} // namespace scenewright::gui

#pragma once

#include <QList>

#include <memory>

class QMainWindow;
class QSettings;
class QSplitter;

namespace scenewright::gui {

// The user's settings file of the program: the recent projects and the
// main window's place and size, with the places of its dividers.
class ProgramSettings {
public:
    // The settings, named here rather than taken from the application,
    // whose organisation name is left empty so that its data folder stays
    // where earlier versions put it.
    static std::unique_ptr<QSettings> open();

    // The dividers are kept under their object names.
    static void saveWindow(const QMainWindow& window, const QList<QSplitter*>& dividers = {});
    // False, with the window left as it is, when nothing was saved.
    static bool restoreWindow(QMainWindow& window);
    // False, with the dividers left as they are, unless every one was saved.
    static bool restoreDividers(const QList<QSplitter*>& dividers);
};

} // namespace scenewright::gui

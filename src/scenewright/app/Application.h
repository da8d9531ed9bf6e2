#pragma once

#include "scenewright/app/ProgramChoices.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/gui/QtStandardDialogs.h"

#include <QString>

#include <memory>
#include <optional>

namespace scenewright::app {

class MainWindow;

// Starts the program: builds the main window with the program's id
// counter and choices, gives it its size and place on the screen, shows it, offers any
// work left unsaved and then opens the project file given, if any.
class Application {
public:
    explicit Application(const std::optional<QString>& project = std::nullopt);
    ~Application();

private:
    gui::QtStandardDialogs dialogs_;
    // Numbers generated names for every project of the run.
    core::IdCounter ids_;
    // Whether scripts are synchronised, whatever project is open.
    ProgramChoices choices_;
    std::unique_ptr<MainWindow> frame_;
};

} // namespace scenewright::app

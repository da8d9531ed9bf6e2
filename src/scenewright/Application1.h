#pragma once

#include "scenewright/core/IdCounter.h"
#include "scenewright/gui/QtStandardDialogs.h"

#include <QString>

#include <memory>
#include <optional>

namespace scenewright {

class Frame1;

// Starts the program: builds the main window with the program's id
// counter, gives it its size and place on the screen, shows it, offers any
// work left unsaved and then opens the project file given, if any.
class Application1 {
public:
    explicit Application1(const std::optional<QString>& project = std::nullopt);
    ~Application1();

private:
    gui::QtStandardDialogs dialogs_;
    // Numbers generated names for every project of the run.
    core::IdCounter ids_;
    std::unique_ptr<Frame1> frame_;
};

} // namespace scenewright

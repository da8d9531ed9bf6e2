#pragma once

#include "scenewright/core/IdCounter.h"
#include "scenewright/gui/QtStandardDialogs.h"

#include <memory>

namespace scenewright {

class Frame1;

// Starts the program: builds the main window with the program's id
// counter, gives it its size and place on the screen and shows it.
class Application1 {
public:
    Application1();
    ~Application1();

private:
    gui::QtStandardDialogs dialogs_;
    // Numbers generated names for every project of the run.
    core::IdCounter ids_;
    std::unique_ptr<Frame1> frame_;
};

} // namespace scenewright

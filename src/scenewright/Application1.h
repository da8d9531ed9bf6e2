#pragma once

#include "scenewright/gui/QtStandardDialogs.h"

#include <memory>

namespace scenewright {

class Frame1;

// Starts the program: builds the main window, links it to the project
// manager, gives it its size and place on the screen and shows it.
class Application1 {
public:
    Application1();
    ~Application1();

private:
    gui::QtStandardDialogs dialogs_;
    std::unique_ptr<Frame1> frame_;
};

} // namespace scenewright

#pragma once

namespace scenewright::core {

// The program's main window as the core sees it: the project manager keeps
// the link so that editors can reach the window, without the core knowing
// the widget toolkit. The GUI's window implements this interface and the
// GUI casts it back to its own window type.
class IMainFrame {
public:
    virtual ~IMainFrame() = default;
};

} // namespace scenewright::core

#pragma once

namespace scenewright::core {

// The window's indicator of the project's save state.
class ISaveStateLabel {
public:
    virtual ~ISaveStateLabel() = default;
    // Shown in black when saved, in red otherwise.
    virtual void showSaved(bool saved) = 0;
};

} // namespace scenewright::core

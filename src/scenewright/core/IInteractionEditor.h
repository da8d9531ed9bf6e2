#pragma once

namespace scenewright::core {

// An editor panel for one kind of interaction, as the core sees it: the
// interaction registry hands such panels out without knowing the widget
// toolkit; the GUI's panels implement this interface and the GUI casts them
// back to its own panel type.
class IInteractionEditor {
public:
    virtual ~IInteractionEditor() = default;
};

} // namespace scenewright::core

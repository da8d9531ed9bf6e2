#pragma once

namespace scenewright::gui {

// Registers the editors of the interaction kinds that have their own: the
// proximity trigger, the move and the texture animation. Registering again
// replaces the same entries, so it is safe on every use.
class InteractionEditors {
public:
    static void registerAll();
};

} // namespace scenewright::gui

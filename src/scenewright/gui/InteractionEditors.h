#pragma once

#include <functional>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>

class QWidget;

namespace scenewright::core::action {
class AtmoInteraction;
}

namespace scenewright::gui {

// The editors of the interaction kinds that have their own (the proximity
// trigger, the move and the texture animation), by the exact class of the
// interaction; the host panels fall back to the generic editors for the
// others.
class InteractionEditors {
public:
    // Makes a new editor; the caller owns it.
    using Factory = std::function<QWidget*()>;

    // Holds the editors of the standard kinds.
    InteractionEditors();

    // Records (or replaces) the factory for exactly this interaction class;
    // subclasses are not covered.
    void registerFor(const std::type_info& interactionClass, Factory factory);
    // A new editor for the interaction's exact class, or null when none is
    // registered or the factory fails (the failure is reported on the error
    // stream).
    QWidget* create(const core::action::AtmoInteraction& interaction) const;

private:
    std::unordered_map<std::type_index, Factory> factories_;
};

} // namespace scenewright::gui

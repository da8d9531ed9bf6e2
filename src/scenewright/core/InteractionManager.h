#pragma once

#include "scenewright/core/IInteractionEditor.h"

#include <functional>
#include <memory>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace scenewright::core {

namespace action {
class AtmoAction;
class AtmoInteraction;
class AtmoTrigger;
} // namespace action

// The catalogue of interaction kinds: one prototype of every standard action
// and of every trigger, in the order the editors offer them, and the editor
// registry that maps an interaction class to a factory of its specialised
// editor panel. The editors ask a prototype whether it is allowed for an
// object and create the real interaction with its newInstance.
//
// The registry keeps factories rather than panel classes so that the core
// needs no widget toolkit: the GUI registers a factory per specialised panel
// when it starts. Until it does, the registry is empty.
class InteractionManager {
public:
    using ActionPrototype = std::shared_ptr<const action::AtmoAction>;
    using TriggerPrototype = std::shared_ptr<const action::AtmoTrigger>;
    // Makes a new editor panel; the caller owns it.
    using EditorFactory = std::function<std::unique_ptr<IInteractionEditor>()>;

    // Built on first use; building the prototypes takes numbers from the
    // shared id counter, actions first, then triggers.
    static InteractionManager& getInstance();

    int getStandardActionSize() const { return static_cast<int>(standardActions_.size()); }
    const ActionPrototype& getStandardAction(int index) const { return standardActions_.at(index); }
    // A new list holding the action prototypes in order.
    std::vector<ActionPrototype> getStandardActions() const { return standardActions_; }

    int getTriggersSize() const { return static_cast<int>(triggers_.size()); }
    const TriggerPrototype& getTrigger(int index) const { return triggers_.at(index); }
    void addTrigger(TriggerPrototype trigger);
    // The prototype of the action or trigger class of that name (as in
    // "ProximityTrigger"), or null.
    const action::AtmoAction* findStandardAction(std::string_view className) const;
    const action::AtmoTrigger* findTrigger(std::string_view className) const;
    // Removes the first entry that is this very trigger.
    void removeTrigger(const action::AtmoTrigger* trigger);

    // Records (or replaces) the editor factory for exactly this interaction
    // class; subclasses are not covered.
    void registerGUIFor(const std::type_info& interactionClass, EditorFactory factory);
    // The same, for the exact class of the given interaction.
    void registerGUIFor(const action::AtmoInteraction& interaction, EditorFactory factory);
    // A new editor panel for the interaction's exact class, or null when none
    // is registered or the factory fails (the failure is reported on the
    // error stream).
    std::unique_ptr<IInteractionEditor> getRegisteredGUIFor(const action::AtmoInteraction& interaction) const;

    // Drops the instance, so that the next getInstance builds a fresh one.
    // Only tests use it.
    static void resetForTesting();

private:
    InteractionManager();

    std::vector<ActionPrototype> standardActions_;
    std::vector<TriggerPrototype> triggers_;
    std::unordered_map<std::type_index, EditorFactory> editors_;

    // Held by pointer rather than as a function-local static so that tests
    // can rebuild it: building it takes counter numbers.
    static std::unique_ptr<InteractionManager> manager_;
};

} // namespace scenewright::core

#pragma once

#include <memory>
#include <string_view>
#include <vector>

namespace scenewright::core {

namespace action {
class AtmoAction;
class AtmoTrigger;
} // namespace action

// The catalogue of interaction kinds: one prototype of every standard action
// and of every trigger, in the order the editors offer them. The editors ask
// a prototype whether it is allowed for an object, and documents make the
// real interactions with its newInstance. Prototypes never appear in a
// scene; the numbers they hold are their own.
class InteractionCatalogue {
public:
    using ActionPrototype = std::shared_ptr<const action::AtmoAction>;
    using TriggerPrototype = std::shared_ptr<const action::AtmoTrigger>;

    InteractionCatalogue();

    int getStandardActionSize() const { return static_cast<int>(standardActions_.size()); }
    const ActionPrototype& getStandardAction(int index) const { return standardActions_.at(index); }
    // A new list holding the action prototypes in order.
    std::vector<ActionPrototype> getStandardActions() const { return standardActions_; }

    int getTriggersSize() const { return static_cast<int>(triggers_.size()); }
    const TriggerPrototype& getTrigger(int index) const { return triggers_.at(index); }
    void addTrigger(TriggerPrototype trigger);
    // Removes the first entry that is this very trigger.
    void removeTrigger(const action::AtmoTrigger* trigger);
    // The prototype of the action or trigger class of that name (as in
    // "ProximityTrigger"), or null.
    const action::AtmoAction* findStandardAction(std::string_view className) const;
    const action::AtmoTrigger* findTrigger(std::string_view className) const;

private:
    std::vector<ActionPrototype> standardActions_;
    std::vector<TriggerPrototype> triggers_;
};

} // namespace scenewright::core

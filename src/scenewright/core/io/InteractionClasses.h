#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace scenewright::core {
class IAtmoObject;
namespace action {
class AtmoAction;
class AtmoTrigger;
} // namespace action
} // namespace scenewright::core

namespace scenewright::core::io {

// The interaction classes a project file may name, with how to make a new
// one and the prefixes of the generated names its numbers fix (in the order
// of its numbers).
class InteractionClasses {
public:
    struct ActionClass {
        std::string_view name;
        std::function<std::shared_ptr<action::AtmoAction>(IAtmoObject*)> create;
        std::vector<std::string_view> namePrefixes;
    };
    struct TriggerClass {
        std::string_view name;
        std::function<std::shared_ptr<action::AtmoTrigger>(IAtmoObject*)> create;
    };

    static const ActionClass* findAction(std::string_view name);
    static const TriggerClass* findTrigger(std::string_view name);
    // The prefix of the generated name every trigger's number fixes.
    static constexpr std::string_view triggerNamePrefix = "synchtrigger";
};

} // namespace scenewright::core::io

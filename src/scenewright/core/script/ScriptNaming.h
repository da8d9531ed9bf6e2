#pragma once

#include <memory>
#include <vector>

namespace scenewright::core {
class IAtmoObject;
class IdCounter;
} // namespace scenewright::core

namespace scenewright::core::script {

// The step before a script is generated: every scripted object that has no
// number yet takes one, in the order of the object list, which is the order
// in which their declarations took them before naming was a step of its own.
// Interactions take their numbers when they are made.
class ScriptNaming {
public:
    ScriptNaming() = delete;

    // How many objects have no number yet.
    static long long unnamedCount(const std::vector<std::shared_ptr<IAtmoObject>>& objects);
    // Numbers the objects that have none. When too few numbers are left, it
    // throws IdsExhausted and numbers none.
    static void nameObjects(const std::vector<std::shared_ptr<IAtmoObject>>& objects, IdCounter& ids);
};

} // namespace scenewright::core::script

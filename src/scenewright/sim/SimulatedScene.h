#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace scenewright::core {
class SceneDocument;
namespace script {
struct ScriptOptions;
}
} // namespace scenewright::core

namespace scenewright::sim {

// What a simulated run needs of a project: its generated script, the
// objects the world holds besides the world and the actor (name and type,
// in the order of the object list), and, for a localised script, the name of
// the object it is attached to (empty: the world).
struct SimulatedScene {
    std::string script;
    std::vector<std::pair<std::string, std::string>> objects;
    bool localised = false;
    std::string attachedTo;

    // The scene of the document, its objects named and its script generated
    // with the options. A localised script is attached to the first
    // primitive, solid object or viewpoint object, the object it scripts as
    // "this"; without one, to the world. When too few numbers are left to
    // name the objects it throws IdsExhausted.
    static SimulatedScene fromDocument(core::SceneDocument& document, const core::script::ScriptOptions& options);

    bool hasObject(const std::string& name) const
    {
        if (name == "world" || name == "actor")
            return true;
        return std::any_of(objects.begin(), objects.end(), [&](const auto& object) { return object.first == name; });
    }
};

} // namespace scenewright::sim

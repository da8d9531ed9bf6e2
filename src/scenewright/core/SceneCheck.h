#pragma once

#include <memory>
#include <string>
#include <vector>

namespace scenewright::core {

class IAtmoObject;

// Looks through a scene for what would make its script do less than the
// builder meant: triggers that fire nothing, active actions that nothing
// fires, required fields left empty, actions the object does not allow, and
// object names that are not usable or that clash. The findings are warnings;
// the script can be generated and saved all the same.
class SceneCheck {
public:
    struct Problem {
        std::shared_ptr<IAtmoObject> object;
        // The object's position in the checked list.
        int objectIndex;
        std::string text;
    };

    // The problems of the objects (world, actor, user objects), in the order
    // of the list and, for each object, name, triggers, actions, sounds.
    // `localised` is whether the script is generated localised.
    static std::vector<Problem> check(const std::vector<std::shared_ptr<IAtmoObject>>& objects, bool localised);
    // The same for the registry's scene and the current project's choice.
    static std::vector<Problem> checkCurrentScene();
};

} // namespace scenewright::core

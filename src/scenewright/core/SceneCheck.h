#pragma once

#include <memory>
#include <string>
#include <vector>

namespace scenewright::core {

class IAtmoObject;

// Looks through a scene for what would make its script do less than the
// builder meant: triggers that fire nothing, active actions that nothing
// fires, required fields left empty, actions the object does not allow, and
// object names that are not usable or that clash, and objects a localised
// script's triggers cannot reach. The findings are warnings; the script can
// be generated and saved all the same.
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
    // `localised` is whether the script is generated localised,
    // `synchronised` whether triggers are synchronised.
    static std::vector<Problem> check(const std::vector<std::shared_ptr<IAtmoObject>>& objects, bool localised,
                                      bool synchronised);

    // Only the objects that triggers cannot reach (each entry under the
    // trigger's object): what a test run warns about before it starts.
    static std::vector<Problem> unreachable(const std::vector<std::shared_ptr<IAtmoObject>>& objects, bool localised,
                                            bool synchronised);
};

} // namespace scenewright::core

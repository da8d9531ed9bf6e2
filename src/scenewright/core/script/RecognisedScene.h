#pragma once

#include "scenewright/core/action/FieldTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace scenewright::core::script {

// What a generated script says about the scene it was generated from, as
// plain data in the words of the project file: objects in order (the world,
// the actor, then the user's objects), their interactions with the fields
// and numbers the script shows, which actions each trigger fires, the
// world's settings and the options the script was generated with. What the
// script does not show is left out, so that it takes its default.

// Named values in the order they were found: an interaction's fields, a
// physical model, the fog, one sound.
using RecognisedFields = std::vector<std::pair<std::string, action::FieldValue>>;

struct RecognisedInteraction {
    std::string className;
    bool active = true;
    // The numbers that fix its generated names; none when the script shows
    // none of them.
    std::optional<std::vector<int>> ids;
    RecognisedFields fields;
};

// An action of some object's pool, by positions.
struct RecognisedActionPlace {
    std::size_t object = 0;
    std::size_t action = 0;
};

struct RecognisedTrigger {
    RecognisedInteraction interaction;
    // The actions it fires, in firing order.
    std::vector<RecognisedActionPlace> actions;
};

struct RecognisedObject {
    // "world", "actor", or a user object's type.
    std::string type;
    std::string name;
    // The number of a user object's global name (modelobj12), when shown.
    std::optional<int> id;
    // Values of the object itself: a model's "tobeloaded", a primitive's
    // "solidObjectIndex", the world's welcome message and switches.
    RecognisedFields fields;
    // Records of the object: "pm" of a model or viewpoint object, the
    // world's "fog" and "glare".
    std::vector<std::pair<std::string, RecognisedFields>> records;
    // The world's sounds, in order.
    std::vector<RecognisedFields> sounds;
    // The action pool, in order; the actor's first is its own move action.
    std::vector<RecognisedInteraction> actions;
    std::vector<RecognisedTrigger> triggers;
};

struct RecognisedScene {
    bool localised = false;
    bool synchronised = false;
    std::vector<RecognisedObject> objects;
};

} // namespace scenewright::core::script

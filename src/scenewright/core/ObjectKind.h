#pragma once

#include <array>
#include <memory>
#include <span>
#include <string_view>

namespace scenewright::core {

class ScriptedObject;
struct ObjectMember;

// A kind of object a world builder adds, described once: the type text the
// add dialog lists and the project file holds, the prefix of the object's
// generated variable ("modelobj12"), whether a localised script reaches it
// through "this", how to make one, and the members of its own that its
// objects keep in the project file, in file order.
struct ObjectKind {
    const char* type;
    const char* prefix;
    bool localisable;
    std::shared_ptr<ScriptedObject> (*make)();
    std::span<const ObjectMember> members;

    // Every kind, in the order the add dialog lists them.
    static const std::array<ObjectKind, 4>& all();
    // The kind of that type text; null for any other text (the world and
    // the actor are not added by the user).
    static const ObjectKind* find(std::string_view type);
    // The kind whose variables start with that prefix; null for any other.
    static const ObjectKind* withPrefix(std::string_view prefix);
};

} // namespace scenewright::core

#pragma once

#include "scenewright/core/PhysicalModel.h"
#include "scenewright/core/ScriptedObject.h"

#include <optional>
#include <string>
#include <type_traits>
#include <variant>

namespace scenewright::core {

// One member that objects of one kind keep in the project file besides the
// type, name, id, actions and triggers every user object has: its key and
// where it lives. The project reader and writer both walk a kind's members,
// so a key is written once and the file's member order is the kind's order.
struct ObjectMember {
    // The member of the kind's class, reached from the common base; it is
    // only ever applied to objects of that kind.
    using Place = std::variant<bool ScriptedObject::*, std::optional<std::string> ScriptedObject::*,
                               PhysicalModel ScriptedObject::*>;

    const char* key;
    Place place;

    // The place of a member of the kind's own class.
    template <class Kind, class Value>
    static constexpr Place of(Value Kind::*member)
    {
        static_assert(std::is_base_of_v<ScriptedObject, Kind>);
        return static_cast<Value ScriptedObject::*>(member);
    }
};

} // namespace scenewright::core

#pragma once

#include "scenewright/core/ScriptedObject.h"

#include <optional>
#include <string>

namespace scenewright::core {

// A primitive, found by name in the root primitive of one solid object.
class PrimitiveObj : public ScriptedObject {
public:
    PrimitiveObj();

    // The solid object holding the primitive: an index, or a name when the
    // text is not an integer.
    std::optional<std::string> solidObjectIndex = std::string("0");

    std::string getAtmoObjectDeclaration(const script::ScriptContext& context) const override;
};

} // namespace scenewright::core

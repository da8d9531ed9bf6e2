#pragma once

#include "scenewright/core/AtmoObject.h"

namespace scenewright::core {

// The user's avatar. It comes with every project, declares nothing and
// holds its own move action from the start.
class Actor : public AtmoObject {
public:
    // The move action takes its numbers from `ids`.
    explicit Actor(IdCounter& ids);

    std::string updateStatus() const override { return getName() + "\t========  "; }
    using AtmoObject::getInnerScriptName;
    std::string getInnerScriptName(const script::ScriptContext&, bool) const override { return "theActor"; }
    std::string getAtmoObjectScriptName(const script::ScriptContext&) const override { return "theActor"; }
    std::string getAtmoObjectDeclaration(const script::ScriptContext&) const override { return {}; }
};

} // namespace scenewright::core

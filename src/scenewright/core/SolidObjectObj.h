#pragma once

#include "scenewright/core/PhysicalModel.h"
#include "scenewright/core/ScriptedObject.h"

namespace scenewright::core {

// A solid object of the stage, addressed by index when its name is an
// integer and by name otherwise.
class SolidObjectObj : public ScriptedObject {
public:
    SolidObjectObj();

    // Kept with the object; it does not enter the script.
    PhysicalModel pm;

    std::string getAtmoObjectDeclaration(const script::ScriptContext& context) const override;
};

} // namespace scenewright::core

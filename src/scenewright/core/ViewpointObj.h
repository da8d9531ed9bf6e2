#pragma once

#include "scenewright/core/PhysicalModel.h"
#include "scenewright/core/ScriptedObject.h"

namespace scenewright::core {

// A viewpoint object of the stage, with its time-element animations.
class ViewpointObj : public ScriptedObject {
public:
    ViewpointObj();

    PhysicalModel pm;

    std::string getAtmoObjectDeclaration(const script::ScriptContext& context) const override;
};

} // namespace scenewright::core

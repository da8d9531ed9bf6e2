#pragma once

#include "scenewright/core/PhysicalModel.h"
#include "scenewright/core/ScriptedObject.h"

namespace scenewright::core {

// A model: a scene group loaded from a file, or one found in the stage's
// root primitive. Models are never localised.
class ModelObj : public ScriptedObject {
public:
    ModelObj();

    PhysicalModel pm;
    // Load the model as a new scene group (true) or find it in the stage.
    bool tobeloaded = true;

    std::string getAtmoObjectDeclaration(const script::ScriptContext& context) const override;
};

} // namespace scenewright::core

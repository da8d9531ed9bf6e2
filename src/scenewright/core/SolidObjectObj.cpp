#include "scenewright/core/SolidObjectObj.h"

#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core {

using script::ScriptText;

SolidObjectObj::SolidObjectObj() : ScriptedObject(TYPE_SOLIDOBJECT, "solidobject", true) {}

std::string SolidObjectObj::getAtmoObjectDeclaration()
{
    const std::string global = globalName();
    if (isLocalised()) {
        scriptname = "this";
        return {};
    }
    scriptname = global;
    const std::string& n = getName();
    std::string solidObject = ScriptText::isIntegerName(n) ? n : "'" + ScriptText::literal(n) + "'";
    return global + " = " + ObjectManager::stageName + ".getSolidObject(" + solidObject + ");\n";
}

} // namespace scenewright::core

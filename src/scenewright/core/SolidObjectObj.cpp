#include "scenewright/core/SolidObjectObj.h"

#include "scenewright/core/ObjectKind.h"

#include "scenewright/core/script/ScriptContext.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core {

using script::ScriptText;

SolidObjectObj::SolidObjectObj() : ScriptedObject(*ObjectKind::find(TYPE_SOLIDOBJECT)) {}

std::string SolidObjectObj::getAtmoObjectDeclaration(const script::ScriptContext& context) const
{
    if (isLocalised(context))
        return {};
    const std::string global = globalName();
    const std::string& n = getName();
    std::string solidObject = ScriptText::isIntegerName(n) ? n : "'" + ScriptText::literal(n) + "'";
    return global + " = " + script::ScriptText::stageName + ".getSolidObject(" + solidObject + ");\n";
}

} // namespace scenewright::core

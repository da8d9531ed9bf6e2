#include "scenewright/core/PrimitiveObj.h"

#include "scenewright/core/ObjectKind.h"

#include "scenewright/core/script/ScriptContext.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core {

using script::ScriptText;

PrimitiveObj::PrimitiveObj() : ScriptedObject(*ObjectKind::find(TYPE_PRIMITIVE)) {}

std::string PrimitiveObj::getAtmoObjectDeclaration(const script::ScriptContext& context) const
{
    if (isLocalised(context))
        return {};
    const std::string global = globalName();
    std::string solidObject = solidObjectIndex && ScriptText::isIntegerName(*solidObjectIndex)
                                  ? *solidObjectIndex
                                  : "'" + ScriptText::literal(solidObjectIndex) + "'";
    return global + " = " + script::ScriptText::stageName + ".getSolidObject(" + solidObject
           + ").rootPrimitive.find('.../" + ScriptText::literal(getName()) + "');\n";
}

} // namespace scenewright::core

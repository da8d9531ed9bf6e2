#include "scenewright/core/ModelObj.h"

#include "scenewright/core/ObjectKind.h"

#include "scenewright/core/script/ScriptContext.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core {

using script::ScriptText;

ModelObj::ModelObj() : ScriptedObject(*ObjectKind::find(TYPE_MODEL)) {}

std::string ModelObj::getAtmoObjectDeclaration(const script::ScriptContext& context) const
{
    const std::string v = globalName();
    const std::string n = ScriptText::literal(getName());

    std::string out = "if(typeof(" + v + ")=='undefined') {\n" + v;
    if (tobeloaded)
        out += " = SceneGroup('" + n + "').add();\n";
    else
        out += " = theStage.getSolidObject(0).rootPrimitive.find('.../" + n + "');\n";
    int count = appendOnLoadScripts(context, out, v + ".onLoad = function() {\n", pm.active);
    if (pm.active)
        out += pm.block(v, toString(), ScriptText::number(pm.initialmass));
    if (count > 0)
        out += "this.onLoad = undefined;\nremoveAnimator(this);\n}\naddAnimator(" + v + ");\n";
    out += "}\n";
    return out;
}

} // namespace scenewright::core

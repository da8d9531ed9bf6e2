#include "scenewright/core/ViewpointObj.h"

#include "scenewright/core/ObjectKind.h"

#include "scenewright/core/script/ScriptContext.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core {

using script::ScriptText;

ViewpointObj::ViewpointObj() : ScriptedObject(*ObjectKind::find(TYPE_VIEWPOINT)) {}

std::string ViewpointObj::getAtmoObjectDeclaration(const script::ScriptContext& context) const
{
    std::string out;
    if (!isLocalised(context))
        out += globalName() + " = theStage.getViewpointObject('" + ScriptText::literal(getName()) + "');\n";
    const std::string v = getAtmoObjectScriptName(context);
    int count
        = appendOnLoadScripts(context, out, "if(!" + v + ".loaded) {\n" + v + ".onLoad = function() {\n", pm.active);
    // A viewpoint object's mass never enters the script.
    if (pm.active)
        out += pm.block(v, toString(), "10");
    if (count > 0)
        out += "this.onLoad = undefined;\nremoveAnimator(this);\n}\naddAnimator(" + v + ");\n}\n";
    return out;
}

} // namespace scenewright::core

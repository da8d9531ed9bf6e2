#include "scenewright/core/action/WorldFirstLoadsTrigger.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/SolidObjectObj.h"

namespace scenewright::core::action {

WorldFirstLoadsTrigger::WorldFirstLoadsTrigger(IdCounter& ids, IAtmoObject* triggerObject)
    : AtmoTrigger(ids, triggerObject)
{
    WorldFirstLoadsTrigger::fieldTable().writeDefaults(*this);
    static const Texts texts{"When world first loads", std::nullopt};
    useKindTexts(texts);
}

std::shared_ptr<AtmoTrigger> WorldFirstLoadsTrigger::newInstance(IAtmoObject* object, IdCounter& ids) const
{
    return std::make_shared<WorldFirstLoadsTrigger>(ids, object);
}

std::string WorldFirstLoadsTrigger::getPreActionScript(const script::ScriptContext& context) const
{
    const IAtmoObject* object = getTriggerObject();
    const std::string s = object->getAtmoObjectScriptName(context);
    std::string out;
    out.reserve(1000);
    out += "// The following scripts are run as the world is first loading...\n";
    if (context.localised())
        out += s + "." + object->getInnerScriptName(context, true) + " = " + s + ";\n";
    out += s + ".firstload = function() {\n";
    return out;
}

std::string WorldFirstLoadsTrigger::getPostActionScript(const script::ScriptContext&) const
{
    return "}\n// End of first load scripts\n";
}

std::string WorldFirstLoadsTrigger::doOnLoadTrigger(const script::ScriptContext& context) const
{
    // Without actions the trigger writes no firstload function, so there is
    // nothing to wait for.
    if (getActionSize() == 0)
        return {};
    const IAtmoObject* object = getTriggerObject();
    const std::string s = object->getAtmoObjectScriptName(context);
    const std::string i = object->getInnerScriptName(context);
    std::string out;
    out += "// Waiting for objects to load before triggering world first loads trigger...\n";
    out += s + ".worldfirstloads = Object();\n";
    if (context.localised())
        out += s + ".worldfirstloads." + object->getInnerScriptName(context, true) + "=" + s + ";\n";
    out += s + ".worldfirstloads.timestep = function() { \n";
    out += "// Check whether all the objects required for actions & triggers are loaded...\n"
           "// May produce some redundancies! \n";
    out += "if(";
    out += dynamic_cast<const SolidObjectObj*>(object) ? "true" : i + ".loaded";
    for (const auto& action : getActionList()) {
        const IAtmoObject* owner = action->getOwnerObject();
        if (owner && !dynamic_cast<const SolidObjectObj*>(owner) && !dynamic_cast<const Actor*>(owner))
            out += " && " + owner->getInnerScriptName(context) + ".loaded";
    }
    out += "){\n" + i + ".firstload();\nremoveAnimator(this);\n}\n}\naddAnimator(" + s + ".worldfirstloads);\n";
    return out;
}

} // namespace scenewright::core::action

#include "scenewright/core/action/ProximityTrigger.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

ProximityTrigger::ProximityTrigger(IdCounter& ids, IAtmoObject* triggerObject) : AtmoTrigger(ids, triggerObject)
{
    ProximityTrigger::fieldTable().writeDefaults(*this);
    // The description names the object, so each trigger holds its own.
    static const Texts texts{"Proximity trigger", std::nullopt};
    useKindTexts(texts);
    setDescription("You can set up actions to be set off whenever your Avatar comes close to '"
                   + (triggerObject ? triggerObject->toString() : std::string("null")) + "'");
}

const FieldTable& ProximityTrigger::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("distance", &ProximityTrigger::distance, 5.0)
                                        .add("continuous", &ProximityTrigger::continuous, true)
                                        .append(baseFields());
    return table;
}

std::shared_ptr<AtmoTrigger> ProximityTrigger::newInstance(IAtmoObject* object, IdCounter& ids) const
{
    return std::make_shared<ProximityTrigger>(ids, object);
}

std::string ProximityTrigger::getPreActionScript(const script::ScriptContext& context) const
{
    const IAtmoObject* object = getTriggerObject();
    const std::string s = object->getAtmoObjectScriptName(context);
    const std::string i = object->getInnerScriptName(context);
    std::string out;
    out.reserve(300);
    ScriptText::append(out, s, ".prox = Object();\n");
    ScriptText::append(out, s, ".prox.fired = false;\n");
    if (context.localised())
        ScriptText::append(out, s, ".prox.", object->getInnerScriptName(context, true), " = ", s, ";\n");
    ScriptText::append(out, s, ".prox.timestep = function() {\n");
    ScriptText::append(out, "if(actor.dist(", i, ".", ScriptText::positionName, ") < ", ScriptText::number(distance),
                       ") {\n  if(!this.fired) {\n     this.fired = true;\n");
    if (!continuous)
        out += "removeAnimator(this);\n";
    return out;
}

std::string ProximityTrigger::getPostActionScript(const script::ScriptContext&) const
{
    return "  }\n} else { \n if(this.fired) {\n";
}

std::string ProximityTrigger::getFinalTriggerScript(const script::ScriptContext& context) const
{
    std::string out;
    out.reserve(80);
    ScriptText::append(out, "  }\n  this.fired = false;\n  }\n}\naddAnimator(",
                       getTriggerObject()->getAtmoObjectScriptName(context), ".prox);\n");
    return out;
}

} // namespace scenewright::core::action

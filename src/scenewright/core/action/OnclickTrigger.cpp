#include "scenewright/core/action/OnclickTrigger.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

OnclickTrigger::OnclickTrigger(IdCounter& ids, IAtmoObject* triggerObject) : AtmoTrigger(ids, triggerObject)
{
    OnclickTrigger::fieldTable().writeDefaults(*this);
    static const Texts texts{"On click trigger", std::nullopt};
    useKindTexts(texts);
}

std::shared_ptr<AtmoTrigger> OnclickTrigger::newInstance(IAtmoObject* object, IdCounter& ids) const
{
    return std::make_shared<OnclickTrigger>(ids, object);
}

std::string OnclickTrigger::getPreActionScript(const script::ScriptContext& context) const
{
    const IAtmoObject* object = getTriggerObject();
    const std::string s = object->getAtmoObjectScriptName(context);
    std::string out;
    out.reserve(200);
    ScriptText::append(out, "// on click trigger for '", ScriptText::comment(object->toString()), "'\n");
    ScriptText::append(out, s, ".mouse = MouseEventHandler();\n");
    ScriptText::append(out, s, ".mouse.setFilterOnClick(", s, ");\n");
    if (context.localised())
        ScriptText::append(out, s, ".mouse.", object->getInnerScriptName(context, true), " = ", s, ";\n");
    ScriptText::append(out, s, ".mouse.onEvent = function(ev,obj) {\n");
    return out;
}

std::string OnclickTrigger::getPostActionScript(const script::ScriptContext&) const
{
    return "}\n // end of onclick trigger script\n";
}

} // namespace scenewright::core::action

#include "scenewright/core/ScriptedObject.h"

#include "scenewright/core/ObjectKind.h"

#include "scenewright/core/script/ScriptContext.h"
#include "scenewright/core/action/AtmoAction.h"

namespace scenewright::core {

namespace {

bool isBlank(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}

} // namespace

ScriptedObject::ScriptedObject(const ObjectKind& kind)
    : AtmoObject("", kind.type), kind_(kind), prefix_(kind.prefix)
{
}

void ScriptedObject::setGlobalId(int id)
{
    globalId_ = id;
    scriptname = prefix_ + std::to_string(id);
}

bool ScriptedObject::isLocalised(const script::ScriptContext& context) const
{
    return kind_.localisable && context.localised();
}

std::string ScriptedObject::getAtmoObjectScriptName(const script::ScriptContext& context) const
{
    return isLocalised(context) ? "this" : globalName();
}

std::string ScriptedObject::getInnerScriptName(const script::ScriptContext& context, bool bare) const
{
    if (isLocalised(context))
        return bare ? "localisedparent" : "this.localisedparent";
    return globalName();
}

int ScriptedObject::appendOnLoadScripts(const script::ScriptContext& context, std::string& out,
                                        const std::string& opening, bool physicalModelActive) const
{
    int count = 0;
    for (const auto& action : getAtmoActionListData()) {
        const std::string onLoad = action->getOnLoadScript(context);
        if (!((action->getActive() && !onLoad.empty()) || physicalModelActive))
            continue;
        if (count == 0)
            out += opening;
        ++count;
        if (!isBlank(onLoad))
            out += onLoad + "\n";
    }
    return count;
}

} // namespace scenewright::core

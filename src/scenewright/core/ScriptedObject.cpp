#include "scenewright/core/ScriptedObject.h"

#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/ProjectManager.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/script/ScriptText.h"

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

ScriptedObject::ScriptedObject(std::string type, std::string prefix, bool localisable)
    : AtmoObject("", std::move(type)), prefix_(std::move(prefix)), localisable_(localisable)
{
}

void ScriptedObject::setGlobalId(int id)
{
    globalId_ = id;
}

std::string ScriptedObject::globalName()
{
    if (!globalId_)
        globalId_ = ObjectManager::nextid();
    return prefix_ + std::to_string(*globalId_);
}

bool ScriptedObject::isLocalised() const
{
    return localisable_ && ProjectManager::getInstance().isCurrentLocalised();
}

std::string ScriptedObject::getAtmoObjectScriptName() const
{
    return script::ScriptText::orNull(scriptname);
}

std::string ScriptedObject::getInnerScriptName(bool bare) const
{
    if (isLocalised())
        return bare ? "localisedparent" : "this.localisedparent";
    return script::ScriptText::orNull(scriptname);
}

int ScriptedObject::appendOnLoadScripts(std::string& out, const std::string& opening, bool physicalModelActive) const
{
    int count = 0;
    for (const auto& action : getAtmoActionListData()) {
        const std::string onLoad = action->getOnLoadScript();
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

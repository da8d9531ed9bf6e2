#include "scenewright/core/action/AtmoTrigger.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>

namespace scenewright::core::action {

AtmoTrigger::AtmoTrigger(IdCounter& ids, IAtmoObject* triggerObject)
    : AtmoInteraction(ids, 1), actions_(std::make_shared<ActionList>()), triggerObject_(triggerObject)
{
}

const FieldTable& AtmoTrigger::baseFields()
{
    static const FieldTable table = FieldTable().add("usesSynch", &AtmoTrigger::usesSynch, true);
    return table;
}

bool AtmoTrigger::removeAction(const AtmoAction* action)
{
    auto end = std::remove_if(actions_->begin(), actions_->end(),
                              [action](const std::shared_ptr<AtmoAction>& a) { return a.get() == action; });
    bool removed = end != actions_->end();
    actions_->erase(end, actions_->end());
    return removed;
}

std::string AtmoTrigger::synchTriggerName() const
{
    return "synchtrigger" + std::to_string(id(0));
}

std::shared_ptr<AtmoTrigger> AtmoTrigger::cloneit(IAtmoObject* object) const
{
    std::shared_ptr<AtmoTrigger> copy = clone();
    copy->triggerObject_ = object;
    return copy;
}

std::string AtmoTrigger::toString() const
{
    std::string text = AtmoInteraction::toString();
    if (triggerObject_)
        text += " (" + triggerObject_->toString() + ")";
    return text;
}

std::string AtmoTrigger::doScript(script::ScriptContext& context) const
{
    if (actions_->empty())
        return "// No Actions added for trigger: " + script::ScriptText::comment(script::ScriptText::orNull(getName()))
               + "\n";

    script::SynchronisationTable& synch = context.synchronisation();
    const bool synchronised = usesSynch && context.synchronised();
    const std::string synchName = synchTriggerName();
    std::string out;
    out.reserve(200);
    out += getPreActionScript(context);
    if (synchronised) {
        synch.removeSynchsForTrigger(synchName);
        out += synch.getSynchTriggerScript(synchName);
    }
    for (const auto& action : *actions_) {
        if (!action->getActive())
            continue;
        if (synchronised)
            synch.appendSynchForAction(synchName, "running", "true", action->doTriggerScript(context));
        else
            out += action->doTriggerScript(context);
    }
    out += getPostActionScript(context);

    const std::string finalScript = getFinalTriggerScript(context);
    const bool exitBranch = finalScript.size() > 2 && hasExitTrigger();
    if (synchronised && exitBranch)
        out += synch.getSynchExitTriggerScript(synchName);
    for (const auto& action : *actions_) {
        if (!action->getActive())
            continue;
        if (synchronised)
            synch.appendSynchForAction(synchName, "running", "false", action->exitTriggerScript(context));
        else if (exitBranch)
            out += action->exitTriggerScript(context);
    }
    out += finalScript;
    return out;
}

} // namespace scenewright::core::action

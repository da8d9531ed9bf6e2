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
    std::string out;
    appendScript(context, out);
    return out;
}

void AtmoTrigger::appendScript(script::ScriptContext& context, std::string& out) const
{
    if (actions_->empty()) {
        script::ScriptText::append(out, "// No Actions added for trigger: ",
                                   script::ScriptText::comment(script::ScriptText::orNull(getName())), "\n");
        return;
    }

    script::SynchronisationTable& synch = context.synchronisation();
    const bool synchronised = usesSynch && context.synchronised();
    const std::string synchName = synchronised ? synchTriggerName() : std::string();
    // A synchronised trigger's actions run in the shared-property handler,
    // which gets a start and an exit branch when any action is active.
    const bool branches = synchronised && std::any_of(actions_->begin(), actions_->end(), [](const auto& action) {
                              return action->getActive();
                          });
    out += getPreActionScript(context);
    if (synchronised) {
        synch.replaceTriggerBranches(*this, synchName, branches);
        synch.appendSynchTriggerScript(synchName, out);
    } else {
        appendActionScripts(context, false, out);
    }
    out += getPostActionScript(context);

    const std::string finalScript = getFinalTriggerScript(context);
    const bool exitBranch = finalScript.size() > 2 && hasExitTrigger();
    if (exitBranch && synchronised)
        synch.appendSynchExitTriggerScript(synchName, out);
    else if (exitBranch)
        appendActionScripts(context, true, out);
    out += finalScript;
}

namespace {

// Appends the start or exit code of the active ones among the actions.
template <typename Actions>
void appendActiveActionScripts(const script::ScriptContext& context, bool exitCode, const Actions& actions,
                               std::string& out)
{
    for (const auto& action : actions)
        if (action->getActive())
            out += exitCode ? action->exitTriggerScript(context) : action->doTriggerScript(context);
}

} // namespace

void AtmoTrigger::appendActionScripts(const script::ScriptContext& context, bool exitCode, std::string& out) const
{
    appendActiveActionScripts(context, exitCode, *actions_, out);
}

void AtmoTrigger::appendActionScripts(const script::ScriptContext& context, bool exitCode,
                                      std::span<const AtmoAction* const> actions, std::string& out)
{
    appendActiveActionScripts(context, exitCode, actions, out);
}

} // namespace scenewright::core::action

#include "scenewright/core/AtmoObject.h"

#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>
#include <unordered_map>

namespace scenewright::core {

namespace {

// The number of characters in UTF-8 text: every byte that does not continue
// a multi-byte sequence starts one.
std::size_t characterCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

AtmoObject::AtmoObject(std::string name, std::string type) : name_(std::move(name)), type_(std::move(type)) {}

void AtmoObject::setName(std::string name)
{
    if (name.rfind("./", 0) == 0)
        name.erase(0, 2);
    else if (name.rfind(".../", 0) == 0)
        name.erase(0, 4);
    name_ = std::move(name);
}

IAtmoObject::TriggerPtr AtmoObject::getAtmoTrigger(const std::type_info& kind) const
{
    for (const auto& trigger : triggers_)
        if (const auto& t = *trigger; typeid(t) == kind)
            return trigger;
    return nullptr;
}

IAtmoObject::ActionPtr AtmoObject::getAtmoAction(const std::type_info& kind) const
{
    for (const auto& action : actions_)
        if (const auto& a = *action; typeid(a) == kind)
            return action;
    return nullptr;
}

void AtmoObject::addAtmoTrigger(TriggerPtr trigger)
{
    const action::AtmoTrigger& added = *trigger;
    if (!getAtmoTrigger(typeid(added)))
        triggers_.push_back(std::move(trigger));
}

void AtmoObject::addAtmoAction(ActionPtr action)
{
    const action::AtmoAction& added = *action;
    if (!getAtmoAction(typeid(added)))
        actions_.push_back(std::move(action));
}

void AtmoObject::removeActionReferences(const action::AtmoAction* action)
{
    for (const auto& trigger : triggers_)
        trigger->removeAction(action);
}

void AtmoObject::appendAtmoScript(script::ScriptContext& context, std::string& out) const
{
    for (const auto& trigger : triggers_)
        if (trigger->getActive())
            trigger->appendScript(context, out);
}

void AtmoObject::copy(const IAtmoObject& source, IdCounter& ids)
{
    // Copying an object onto itself changes nothing; clearing first would
    // lose everything it holds.
    if (&source == this)
        return;

    // Each source action a trigger refers to gets one clone (or none, when
    // this object does not allow its kind); fresh numbers keep the clones'
    // generated names apart from the source's. Numbers are taken in the
    // order the clones are made: actions first, then triggers. The clones
    // replace what the object holds only once all are made, so running out
    // of numbers leaves the object as it was.
    std::vector<ActionPtr> actions;
    std::vector<TriggerPtr> triggers;
    std::unordered_map<const action::AtmoAction*, ActionPtr> cloneOf;
    for (const auto& trigger : source.getAtmoTriggerListData()) {
        for (const auto& sourceAction : trigger->getActionList()) {
            if (!sourceAction || cloneOf.count(sourceAction.get()))
                continue;
            ActionPtr clone;
            if (sourceAction->allowedForAtmoObject(this)) {
                clone = sourceAction->cloneit(this);
                clone->takeFreshIds(ids);
                actions.push_back(clone);
            }
            cloneOf.emplace(sourceAction.get(), clone);
        }
    }
    for (const auto& sourceTrigger : source.getAtmoTriggerListData()) {
        TriggerPtr clone = sourceTrigger->cloneit(this);
        clone->setActionList(std::make_shared<action::AtmoTrigger::ActionList>());
        clone->takeFreshIds(ids);
        for (const auto& sourceAction : sourceTrigger->getActionList()) {
            auto found = sourceAction ? cloneOf.find(sourceAction.get()) : cloneOf.end();
            if (found != cloneOf.end() && found->second)
                clone->addAction(found->second);
        }
        triggers.push_back(clone);
    }
    actions_ = std::move(actions);
    triggers_ = std::move(triggers);
}

std::string AtmoObject::triggerStatus() const
{
    std::string out = name_;
    const std::string pad = characterCount(name_) > 8 ? "\t" : "";
    bool wroteTrigger = false;
    for (const auto& trigger : triggers_) {
        if (!trigger->getActive())
            continue;
        if (wroteTrigger)
            out += pad;
        wroteTrigger = true;
        out += "\t==Trigger ==>  " + script::ScriptText::orNull(trigger->getName()) + "\t== Actions ==>  ";
        if (trigger->getActionSize() == 0) {
            out += "No Actions Defined";
        } else {
            bool wroteAction = false;
            for (const auto& action : trigger->getActionList()) {
                if (!action->getActive())
                    continue;
                out += wroteAction ? ", " : "[";
                wroteAction = true;
                out += action->toString();
            }
            if (wroteAction)
                out += "]";
        }
        out += "\n";
    }
    if (!wroteTrigger)
        out += "\t==Trigger ==>  No Triggers Defined";
    return out;
}

} // namespace scenewright::core

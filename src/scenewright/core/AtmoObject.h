#pragma once

#include "scenewright/core/IAtmoObject.h"

#include <array>
#include <string>
#include <vector>

namespace scenewright::core {

// The common base of scene objects: name, type, the action pool and the
// trigger list, the naming and status questions every kind answers alike.
class AtmoObject : public IAtmoObject {
public:
    // The kinds a user may add (the actor and the world come with every project).

    std::string toString() const override { return getDisplayName(); }
    void setType(std::string type) override { type_ = std::move(type); }
    // Drops one leading "./" or ".../" from the name.
    void setName(std::string name) override;
    void restoreName(std::string name) override { name_ = std::move(name); }
    const std::string& getType() const override { return type_; }
    const std::string& getName() const override { return name_; }
    std::string getInnerScriptName(const script::ScriptContext& context) const override
    {
        return getInnerScriptName(context, false);
    }
    using IAtmoObject::getInnerScriptName;
    std::string getDisplayName() const override { return name_ + " <" + type_ + ">"; }

    int getAtmoTriggerSize() const override { return static_cast<int>(triggers_.size()); }
    const std::vector<TriggerPtr>& getAtmoTriggerListData() const override { return triggers_; }
    TriggerPtr getAtmoTrigger(const std::type_info& kind) const override;
    TriggerPtr getAtmoTrigger(int index) const override { return triggers_.at(index); }

    int getAtmoActionSize() const override { return static_cast<int>(actions_.size()); }
    const std::vector<ActionPtr>& getAtmoActionListData() const override { return actions_; }
    ActionPtr getAtmoAction(const std::type_info& kind) const override;
    ActionPtr getAtmoAction(int index) const override { return actions_.at(index); }

    void appendAtmoScript(script::ScriptContext& context, std::string& out) const override;
    void copy(const IAtmoObject& source, IdCounter& ids) override;
    void addAtmoTrigger(TriggerPtr trigger) override;
    void addAtmoAction(ActionPtr action) override;
    void appendAtmoAction(ActionPtr action) override { actions_.push_back(std::move(action)); }
    void appendAtmoTrigger(TriggerPtr trigger) override { triggers_.push_back(std::move(trigger)); }
    void removeActionReferences(const action::AtmoAction* action) override;
    void swapInteractions(std::vector<ActionPtr>& actions, std::vector<TriggerPtr>& triggers) override
    {
        actions_.swap(actions);
        triggers_.swap(triggers);
    }

protected:
    AtmoObject(std::string name, std::string type);
    AtmoObject(const AtmoObject&) = delete;
    AtmoObject& operator=(const AtmoObject&) = delete;

    // The status text shared by models, primitives, solid objects and
    // viewpoint objects: the name, then a line per active trigger.
    std::string triggerStatus() const;

private:
    std::string name_;
    std::string type_;
    std::vector<ActionPtr> actions_;
    std::vector<TriggerPtr> triggers_;
};

} // namespace scenewright::core

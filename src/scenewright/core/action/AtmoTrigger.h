#pragma once

#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoInteraction.h"
#include "scenewright/core/script/ScriptContext.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace scenewright::core {
class IAtmoObject;
}

namespace scenewright::core::action {

// When something happens. A trigger watches its trigger object and fires,
// in order, the actions of its action list; its fragment wraps their trigger
// (and exit) fragments between its own fixed texts.
class AtmoTrigger : public AtmoInteraction {
public:
    using ActionList = std::vector<std::shared_ptr<AtmoAction>>;

    // Takes the trigger's number from `ids`. The trigger
    // object is not owned.
    AtmoTrigger(IdCounter& ids, IAtmoObject* triggerObject);

    // Whether the trigger takes part in shared-object synchronisation when
    // that is switched on.
    bool usesSynch;

    // A new default trigger of the same class watching the object, numbered
    // from `ids`.
    virtual std::shared_ptr<AtmoTrigger> newInstance(IAtmoObject* object, IdCounter& ids) const = 0;
    virtual bool hasExitTrigger() const = 0;
    IAtmoObject* getTriggerObject() const { return triggerObject_; }
    virtual std::string getPreActionScript(const script::ScriptContext& context) const = 0;
    virtual std::string getPostActionScript(const script::ScriptContext& context) const = 0;
    virtual std::string getFinalTriggerScript(const script::ScriptContext& context) const = 0;

    int getActionSize() const { return static_cast<int>(actions_->size()); }
    const ActionList& getActionList() const { return *actions_; }
    // The list itself, which a clone may share with its source.
    const std::shared_ptr<ActionList>& sharedActionList() const { return actions_; }
    const std::shared_ptr<AtmoAction>& getAction(int index) const { return actions_->at(index); }
    void addAction(std::shared_ptr<AtmoAction> action) { actions_->push_back(std::move(action)); }
    void clearActions() { actions_->clear(); }
    // Removes every reference to the action; true if there was one.
    bool removeAction(const AtmoAction* action);
    // Gives the trigger its own action list (a clone shares its source's).
    void setActionList(std::shared_ptr<ActionList> actions) { actions_ = std::move(actions); }

    // The trigger's whole fragment; a synchronised trigger registers its
    // actions' code in the context's table instead of writing it.
    std::string doScript(script::ScriptContext& context) const;
    // Appends the same fragment to `out`.
    void appendScript(script::ScriptContext& context, std::string& out) const;
    // Appends the start code (or, with `exitCode`, the exit code) of the
    // active actions, in order.
    void appendActionScripts(const script::ScriptContext& context, bool exitCode, std::string& out) const;
    // The same for a trigger's actions listed elsewhere.
    static void appendActionScripts(const script::ScriptContext& context, bool exitCode,
                                    std::span<const AtmoAction* const> actions, std::string& out);
    virtual std::string doOnLoadTrigger(const script::ScriptContext&) const { return {}; }
    // A field-by-field copy watching the given object; it shares this
    // trigger's action list until given its own.
    std::shared_ptr<AtmoTrigger> cloneit(IAtmoObject* object) const;
    bool canBeSynchronised() const { return true; }

    // The trigger's key in the synchronisation tables: "synchtrigger" + its number.
    std::string synchTriggerName() const;
    std::vector<std::string> generatedNames() const override { return {synchTriggerName()}; }

    std::string toString() const override;

protected:
    // A copy of this trigger, made with the concrete class's copy constructor.
    virtual std::shared_ptr<AtmoTrigger> clone() const = 0;
    // The fields every trigger has, for the concrete classes' tables.
    static const FieldTable& baseFields();

private:
    std::shared_ptr<ActionList> actions_;
    IAtmoObject* triggerObject_;
};

} // namespace scenewright::core::action

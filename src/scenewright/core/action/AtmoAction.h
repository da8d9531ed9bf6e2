#pragma once

#include "scenewright/core/action/AtmoInteraction.h"
#include "scenewright/core/script/ScriptContext.h"

#include <memory>
#include <string>
#include <vector>

namespace scenewright::core {
class IAtmoObject;
}

namespace scenewright::core::action {

// What happens when a trigger fires. An action acts on its owner object and
// yields three fragments: its declaration (doScript), the code run when its
// trigger fires and the code run when the trigger's exit condition fires.
class AtmoAction : public AtmoInteraction {
public:
    // The owner is not owned: the scene object owns its actions. An action
    // without generated names takes no numbers.
    explicit AtmoAction(IAtmoObject* owner) : AtmoInteraction(), ownerObject_(owner) {}
    // The action takes `idCount` numbers from `ids` for its generated names.
    AtmoAction(IAtmoObject* owner, IdCounter& ids, int idCount) : AtmoInteraction(ids, idCount), ownerObject_(owner) {}

    // A new, default-valued action of the same class owned by the object,
    // numbered from `ids`.
    virtual std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const = 0;
    IAtmoObject* getOwnerObject() const { return ownerObject_; }
    virtual std::string getOnLoadScript(const script::ScriptContext&) const { return {}; }
    // The fields the generic editor shows, in its order: those of the field
    // table that it marks so.
    std::vector<std::string> getFields() const;
    virtual std::string exitTriggerScript(const script::ScriptContext& context) const = 0;
    virtual std::string doTriggerScript(const script::ScriptContext& context) const = 0;
    // The declaration fragment, written once after its owner's declaration.
    virtual std::string doScript(const script::ScriptContext& context) const = 0;
    // A field-by-field copy (same name, flags and generated names) owned by
    // the given object.
    std::shared_ptr<AtmoAction> cloneit(IAtmoObject* owner) const;
    virtual bool allowedForAtmoObject(const IAtmoObject* object) const;
    // Whether the code run when its trigger fires or exits names the owner
    // object; a localised script reaches another object by no name.
    virtual bool namesOwner() const { return true; }

    std::string toString() const override;

protected:
    // A copy of this action, made with the concrete class's copy constructor.
    virtual std::shared_ptr<AtmoAction> clone() const = 0;

private:
    IAtmoObject* ownerObject_;
};

} // namespace scenewright::core::action

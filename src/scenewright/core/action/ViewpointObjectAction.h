#pragma once

#include "scenewright/core/action/AtmoAction.h"

#include <optional>
#include <string>

namespace scenewright::core::action {

// Plays time-element animations of a viewpoint object: one when the trigger
// fires and one when its exit condition fires (proximity triggers only).
class ViewpointObjectAction : public AtmoAction {
public:
    // Takes its numbers from `ids`.
    explicit ViewpointObjectAction(IdCounter& ids, IAtmoObject* owner = nullptr);

    // The time element played when the trigger fires.
    std::optional<std::string> triggerTimeElem;
    double setTrigSpeed;
    bool setTrigPlayOnce;
    // The time element played when the trigger's exit condition fires.
    std::optional<std::string> exitTriggerTimeElem;
    double setExitSpeed;
    bool setExitPlayOnce;

    const char* className() const override { return "ViewpointObjectAction"; }
    const FieldTable& fieldTable() const override;
    // The number is taken like any other, though no fragment uses it.

    std::vector<std::string> generatedNames() const override { return {"vpobj" + std::to_string(id(0))}; }
    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string getOnLoadScript(const script::ScriptContext& context) const override;
    std::string exitTriggerScript(const script::ScriptContext& context) const override;
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext&) const override { return {}; }
    bool allowedForAtmoObject(const IAtmoObject* object) const override;

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<ViewpointObjectAction>(*this); }

private:
};

} // namespace scenewright::core::action

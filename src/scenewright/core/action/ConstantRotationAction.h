#pragma once

#include "scenewright/core/action/AtmoAction.h"

namespace scenewright::core::action {

// Spins the owner at given revolutions per minute about the X, Y and Z axes,
// optionally for a limited time after each trigger.
class ConstantRotationAction : public AtmoAction {
public:
    // Takes its numbers from `ids`.
    explicit ConstantRotationAction(IdCounter& ids, IAtmoObject* owner = nullptr);

    double xrevolutions;
    double yrevolutions;
    double zrevolutions;
    // Seconds the rotation lasts after each trigger; 0 or less: no limit.
    double maxtime;

    const char* className() const override { return "ConstantRotationAction"; }
    const FieldTable& fieldTable() const override;

    std::vector<std::string> generatedNames() const override { return {animatorSuffix()}; }
    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string exitTriggerScript(const script::ScriptContext& context) const override;
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext& context) const override;
    bool allowedForAtmoObject(const IAtmoObject* object) const override;

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<ConstantRotationAction>(*this); }

private:
    // The suffix that makes the rotation animator's variable unique.
    std::string animatorSuffix() const { return ".revanim" + std::to_string(id(0)); }

};

} // namespace scenewright::core::action

#pragma once

#include "scenewright/core/action/AtmoTrigger.h"

namespace scenewright::core::action {

// Fires when the avatar comes within a distance of the object, and fires the
// exit branch when it leaves again.
class ProximityTrigger : public AtmoTrigger {
public:
    // Takes its numbers from `ids`.
    explicit ProximityTrigger(IdCounter& ids, IAtmoObject* triggerObject = nullptr);

    // The trigger radius.
    double distance;
    // Whether the trigger re-arms after firing.
    bool continuous;

    const char* className() const override { return "ProximityTrigger"; }
    const FieldTable& fieldTable() const override;
    std::shared_ptr<AtmoTrigger> newInstance(IAtmoObject* object, IdCounter& ids) const override;
    bool hasExitTrigger() const override { return true; }
    std::string getPreActionScript(const script::ScriptContext& context) const override;
    std::string getPostActionScript(const script::ScriptContext& context) const override;
    std::string getFinalTriggerScript(const script::ScriptContext& context) const override;

protected:
    std::shared_ptr<AtmoTrigger> clone() const override { return std::make_shared<ProximityTrigger>(*this); }
};

} // namespace scenewright::core::action

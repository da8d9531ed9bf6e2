#pragma once

#include "scenewright/core/action/AtmoTrigger.h"

namespace scenewright::core::action {

// Fires when the object is clicked.
class OnclickTrigger : public AtmoTrigger {
public:
    // Takes its numbers from `ids`.
    explicit OnclickTrigger(IdCounter& ids, IAtmoObject* triggerObject = nullptr);

    const char* className() const override { return "OnclickTrigger"; }
    const FieldTable& fieldTable() const override { return baseFields(); }
    std::shared_ptr<AtmoTrigger> newInstance(IAtmoObject* object, IdCounter& ids) const override;
    bool hasExitTrigger() const override { return false; }
    std::string getPreActionScript(const script::ScriptContext& context) const override;
    std::string getPostActionScript(const script::ScriptContext& context) const override;
    std::string getFinalTriggerScript(const script::ScriptContext&) const override { return {}; }

protected:
    std::shared_ptr<AtmoTrigger> clone() const override { return std::make_shared<OnclickTrigger>(*this); }
};

} // namespace scenewright::core::action

#pragma once

#include "scenewright/core/action/AtmoTrigger.h"

namespace scenewright::core::action {

// Fires once, after the world and every object its actions need have loaded.
class WorldFirstLoadsTrigger : public AtmoTrigger {
public:
    // Takes its numbers from `ids`.
    explicit WorldFirstLoadsTrigger(IdCounter& ids, IAtmoObject* triggerObject = nullptr);

    const char* className() const override { return "WorldFirstLoadsTrigger"; }
    const FieldTable& fieldTable() const override { return baseFields(); }
    std::shared_ptr<AtmoTrigger> newInstance(IAtmoObject* object, IdCounter& ids) const override;
    bool hasExitTrigger() const override { return false; }
    std::string getPreActionScript(const script::ScriptContext& context) const override;
    std::string getPostActionScript(const script::ScriptContext& context) const override;
    std::string getFinalTriggerScript(const script::ScriptContext&) const override { return {}; }
    // Waits, frame by frame, until everything the actions need has loaded,
    // then calls the firstload function once.
    std::string doOnLoadTrigger(const script::ScriptContext& context) const override;

protected:
    std::shared_ptr<AtmoTrigger> clone() const override { return std::make_shared<WorldFirstLoadsTrigger>(*this); }
};

} // namespace scenewright::core::action

#pragma once

#include "scenewright/core/action/AtmoAction.h"

#include <optional>
#include <string>

namespace scenewright::core::action {

// Sends the avatar to another world when it is close enough to the owner.
class GotoNewWorldAction : public AtmoAction {
public:
    explicit GotoNewWorldAction(IAtmoObject* owner = nullptr);

    // The address of the target world.
    std::optional<std::string> aerURLLocation;
    // The avatar must be nearer to the owner than this.
    double distance;

    const char* className() const override { return "GotoNewWorldAction"; }
    const FieldTable& fieldTable() const override;

    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string exitTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext&) const override { return {}; }

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<GotoNewWorldAction>(*this); }
};

} // namespace scenewright::core::action

#pragma once

#include "scenewright/core/action/AtmoAction.h"

#include <string>

namespace scenewright::core::action {

// Sets the owner's opacity while the world loads and, when triggered, fades
// it (or jumps) to a final value. Works on models, viewpoint objects and
// solid objects.
class OpacityAction : public AtmoAction {
public:
    // Takes its numbers from `ids`.
    explicit OpacityAction(IdCounter& ids, IAtmoObject* owner = nullptr);

    // Opacity set while the world loads.
    double initialOpacity;
    // Opacity reached when triggered.
    double finalOpacity;
    // Fade gradually (true) or jump at once (false).
    bool fadeInOpacity;

    const char* className() const override { return "OpacityAction"; }
    const FieldTable& fieldTable() const override;

    std::vector<std::string> generatedNames() const override { return {animatorName()}; }
    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string getOnLoadScript(const script::ScriptContext& context) const override;
    std::string exitTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext& context) const override;
    bool allowedForAtmoObject(const IAtmoObject* object) const override;

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<OpacityAction>(*this); }

private:
    // The name of the fade animator's variable.
    std::string animatorName() const { return "obj" + std::to_string(id(0)); }
    // Appends the line that lets the fade animator reach the owner through
    // the inner name, when the script is localised.
    void appendLocalisedParentLine(const script::ScriptContext& context, const std::string& animator,
                                   std::string& out) const;
    // Appends the per-frame opacity step and the test that ends the fade.
    void appendFadeStep(const script::ScriptContext& context, std::string& out) const;
};

} // namespace scenewright::core::action

#pragma once

#include "scenewright/core/action/AtmoAction.h"

#include <optional>
#include <string>

namespace scenewright::core::action {

// Declares a sound and plays it at the owner's position, optionally with an
// on/off button in the control panel.
class EmitSoundAction : public AtmoAction {
public:
    // Only an action with an owner gets a name; the registry's prototype has
    // none.
    // Takes its numbers from `ids`.
    explicit EmitSoundAction(IdCounter& ids, IAtmoObject* owner = nullptr);

    // The sound file's address (.wav or .mp3).
    std::optional<std::string> filename;
    // Distance at which the volume is at its maximum.
    double near;
    // Distance at which the sound is no longer heard.
    double far;
    // How often the sound repeats; 0 repeats forever.
    int repeats;
    double volume;
    // Adds an on/off button for the sound to the control panel.
    bool controlPanelBtns;

    const char* className() const override { return "EmitSoundAction"; }
    const FieldTable& fieldTable() const override;

    std::vector<std::string> generatedNames() const override { return {soundName()}; }
    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string exitTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext& context) const override;

    // The sound's variable name, "esnd" + its number.
    std::string toString() const override { return soundName(); }

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<EmitSoundAction>(*this); }

private:
    std::string soundName() const { return "esnd" + std::to_string(id(0)); }
    // The sound as trigger code reaches it.
    std::string innerSound(const script::ScriptContext& context) const;
};

} // namespace scenewright::core::action

#pragma once

#include "scenewright/core/action/AtmoAction.h"

#include <optional>
#include <string>
#include <vector>

namespace scenewright::core::action {

// Cycles a list of texture images over chosen faces of a primitive, or of
// one primitive inside a model.
class AnimateTextureAction : public AtmoAction {
public:
    // Takes its numbers from `ids`.
    explicit AnimateTextureAction(IdCounter& ids, IAtmoObject* owner = nullptr);

    // Addresses of the images to cycle, in order.
    std::vector<std::string> textures;
    // Seconds between two images.
    double animateDelay;
    // Passes through the list before stopping; 0 or less: endless.
    int maxrevolutions;
    // For a model owner: the primitive inside the model whose faces change.
    std::optional<std::string> primitiveName;
    // Face numbers to animate; none (or an empty list) selects by texture.
    std::optional<std::vector<int>> findfaces;
    // Animates the faces whose current texture has this address; used only
    // when no face numbers are given.
    std::optional<std::string> findtextureurl;

    const char* className() const override { return "AnimateTextureAction"; }
    const FieldTable& fieldTable() const override;

    std::vector<std::string> generatedNames() const override { return {triggername()}; }
    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string exitTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext& context) const override;
    bool allowedForAtmoObject(const IAtmoObject* object) const override;

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<AnimateTextureAction>(*this); }

private:
    // The name of the texture-list variable.
    std::string triggername() const { return "triggerlist" + std::to_string(id(0)); }
    // The condition that picks a face of `face` (a primitive's variable),
    // with its leading " && "; empty when every textured face is taken.
    std::string faceSelection(const std::string& face) const;

};

} // namespace scenewright::core::action

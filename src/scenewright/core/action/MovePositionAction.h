#pragma once

#include "scenewright/core/action/AtmoAction.h"

#include <string>
#include <vector>

namespace scenewright::core::action {

// Moves the owner by a fixed vector relative to its current position, or
// along a list of named anchor primitives at a given speed.
class MovePositionAction : public AtmoAction {
public:
    // Takes its numbers from `ids`.
    explicit MovePositionAction(IdCounter& ids, IAtmoObject* owner = nullptr);

    double xdirection;
    double ydirection;
    double zdirection;
    // Travel speed along the anchors, in distance units per second.
    double speed;
    // Names of the anchor primitives to visit, in order.
    std::vector<std::string> anchors;
    bool usesAnchors;
    // Selects between the two layouts of the vector move.
    bool smoothTransition;

    const char* className() const override { return "MovePositionAction"; }
    const FieldTable& fieldTable() const override;

    std::vector<std::string> generatedNames() const override { return {beginAnchorName(), moveAnchorName()}; }
    std::shared_ptr<AtmoAction> newInstance(IAtmoObject* owner, IdCounter& ids) const override;
    std::string exitTriggerScript(const script::ScriptContext&) const override { return {}; }
    std::string doTriggerScript(const script::ScriptContext& context) const override;
    std::string doScript(const script::ScriptContext& context) const override;
    bool allowedForAtmoObject(const IAtmoObject* object) const override;
    bool namesOwner() const override { return !movesAlongNoAnchors(); }
    // Whether it moves along a list of anchors; the tour is declared on the
    // object the script runs for.
    bool toursAnchors() const { return usesAnchors && !anchors.empty(); }

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<MovePositionAction>(*this); }

private:
    std::string beginAnchorName() const { return "beginanch" + std::to_string(id(0)); }
    std::string moveAnchorName() const { return "moveanch" + std::to_string(id(1)); }
    bool ownerIsActor() const;
    // An anchor tour without anchors would fail at load; it writes nothing.
    bool movesAlongNoAnchors() const { return usesAnchors && anchors.empty(); }

};

} // namespace scenewright::core::action

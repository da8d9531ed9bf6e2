#pragma once

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/action/AtmoAction.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scenewright::test {

// A model whose script names are all `name`, as if it had declared itself
// under that name; models are never localised.
inline std::shared_ptr<core::ModelObj> modelNamed(const std::string& name)
{
    auto model = std::make_shared<core::ModelObj>();
    model->setName(name);
    model->scriptname = name;
    return model;
}

// A primitive named `name` whose script variable is `scriptname`.
inline std::shared_ptr<core::PrimitiveObj> primitiveNamed(const std::string& name, const std::string& scriptname)
{
    auto primitive = std::make_shared<core::PrimitiveObj>();
    primitive->setName(name);
    primitive->scriptname = scriptname;
    return primitive;
}

// An action with easily recognised fragments ("fire_" / "leave_" plus its
// label) and an int field, for tests of what triggers and the field access
// do with any action.
class MarkerAction : public core::action::AtmoAction {
public:
    explicit MarkerAction(std::string label, core::IAtmoObject* owner = nullptr) : AtmoAction(owner)
    {
        MarkerAction::fieldTable().writeDefaults(*this);
        this->label = std::move(label);
        setName(std::string("Marker"));
        setActive(true);
    }

    int repeats;
    std::optional<std::string> label;

    const char* className() const override { return "MarkerAction"; }
    const core::action::FieldTable& fieldTable() const override
    {
        static const core::action::FieldTable table = core::action::FieldTable()
                                                          .add("repeats", &MarkerAction::repeats, 1)
                                                          .add("label", &MarkerAction::label, std::nullopt);
        return table;
    }
    std::shared_ptr<AtmoAction> newInstance(core::IAtmoObject* owner, core::IdCounter&) const override
    {
        return std::make_shared<MarkerAction>("new", owner);
    }
    std::string exitTriggerScript(const core::script::ScriptContext&) const override
    {
        return "leave_" + label.value_or("null") + "();\n";
    }
    std::string doTriggerScript(const core::script::ScriptContext&) const override
    {
        return "fire_" + label.value_or("null") + "();\n";
    }
    std::string doScript(const core::script::ScriptContext&) const override { return {}; }

protected:
    std::shared_ptr<AtmoAction> clone() const override { return std::make_shared<MarkerAction>(*this); }
};

} // namespace scenewright::test

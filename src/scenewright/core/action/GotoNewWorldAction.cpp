#include "scenewright/core/action/GotoNewWorldAction.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

GotoNewWorldAction::GotoNewWorldAction(IAtmoObject* owner) : AtmoAction(owner)
{
    GotoNewWorldAction::fieldTable().writeDefaults(*this);
    static const Texts texts{
        "Goto new Atmo world",
        "Set the location of .aer world you wish to go to. Distance is the minimum distance "
        "from which the player must be to trigger this action"};
    useKindTexts(texts);
}

const FieldTable& GotoNewWorldAction::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("aerURLLocation", &GotoNewWorldAction::aerURLLocation, std::nullopt, FieldShown::InGenericEditor, "world address")
                                        .add("distance", &GotoNewWorldAction::distance, 5.0);
    return table;
}

std::shared_ptr<AtmoAction> GotoNewWorldAction::newInstance(IAtmoObject* owner, IdCounter&) const
{
    return std::make_shared<GotoNewWorldAction>(owner);
}

std::string GotoNewWorldAction::doTriggerScript(const script::ScriptContext& context) const
{
    return "if(actor.dist(" + getOwnerObject()->getInnerScriptName(context) + "." + script::ScriptText::positionName
           + ") < " + ScriptText::number(distance) + ") {\nchat.input('/goto " + ScriptText::literal(aerURLLocation)
           + "');\n}\n";
}

} // namespace scenewright::core::action

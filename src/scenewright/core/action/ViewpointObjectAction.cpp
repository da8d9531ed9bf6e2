#include "scenewright/core/action/ViewpointObjectAction.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

namespace {

// Binds the named time element of the viewpoint `s` to `s` + `property`,
// with its speed and play-once flag; a missing element is reported in the
// chat window when the world loads.
std::string bindTimeElement(const std::string& s, const std::string& property, const std::string& element,
                            double speed, bool playOnce)
{
    const std::string name = ScriptText::literal(element);
    const std::string bound = s + property;
    return bound + " = " + s + ".scene.getTimeElem('" + name + "');\n" + "if(" + bound
           + " == undefined) { chat.print('No timeelem trigger exists with the name \\'" + name + "\\'');\n}\n"
           + bound + ".setSpeed(" + ScriptText::number(speed) + ");\n" + bound + ".setPlayOnce("
           + ScriptText::boolean(playOnce) + ");\n";
}

bool isNamed(const std::optional<std::string>& element)
{
    return element && !element->empty();
}

} // namespace

ViewpointObjectAction::ViewpointObjectAction(IdCounter& ids, IAtmoObject* owner) : AtmoAction(owner, ids, 1)
{
    ViewpointObjectAction::fieldTable().writeDefaults(*this);
    static const Texts texts{
        "Do Viewpoint Animations",
        "Set an viewpoint animation to be triggered. You can make 2 animations per trigger: "
        "on the trigger start, & on the exit trigger (for Proximity trigger only). "};
    useKindTexts(texts);
}

const FieldTable& ViewpointObjectAction::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("triggerTimeElem", &ViewpointObjectAction::triggerTimeElem, std::nullopt)
                                        .add("setTrigSpeed", &ViewpointObjectAction::setTrigSpeed, 1.0)
                                        .add("setTrigPlayOnce", &ViewpointObjectAction::setTrigPlayOnce, true)
                                        .add("exitTriggerTimeElem", &ViewpointObjectAction::exitTriggerTimeElem, std::nullopt)
                                        .add("setExitSpeed", &ViewpointObjectAction::setExitSpeed, 1.0)
                                        .add("setExitPlayOnce", &ViewpointObjectAction::setExitPlayOnce, true);
    return table;
}

std::shared_ptr<AtmoAction> ViewpointObjectAction::newInstance(IAtmoObject* owner, IdCounter& ids) const
{
    return std::make_shared<ViewpointObjectAction>(ids, owner);
}

bool ViewpointObjectAction::allowedForAtmoObject(const IAtmoObject* object) const
{
    return dynamic_cast<const ViewpointObj*>(object) != nullptr;
}

std::string ViewpointObjectAction::getOnLoadScript(const script::ScriptContext& context) const
{
    const IAtmoObject* owner = getOwnerObject();
    const std::string s = owner->getAtmoObjectScriptName(context);
    std::string out = "\t// Setting the Viewpoint Object animations for " + ScriptText::comment(owner->getName()) + "\n";
    if (isNamed(triggerTimeElem))
        out += bindTimeElement(s, ".trig", *triggerTimeElem, setTrigSpeed, setTrigPlayOnce);
    if (isNamed(exitTriggerTimeElem))
        out += bindTimeElement(s, ".etrig", *exitTriggerTimeElem, setExitSpeed, setExitPlayOnce);
    out += "// Done setting Viewpoint Object animations\n";
    return out;
}

// Trigger code runs with "this" bound to the trigger's own object, so the
// viewpoint is reached through its inner name (its script name is "this"
// when localised).
std::string ViewpointObjectAction::doTriggerScript(const script::ScriptContext& context) const
{
    return getOwnerObject()->getInnerScriptName(context) + ".trig.trigger();\n";
}

std::string ViewpointObjectAction::exitTriggerScript(const script::ScriptContext& context) const
{
    return getOwnerObject()->getInnerScriptName(context) + ".etrig.trigger();\n";
}

} // namespace scenewright::core::action

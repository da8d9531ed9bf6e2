#include "scenewright/core/action/ConstantRotationAction.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

ConstantRotationAction::ConstantRotationAction(IdCounter& ids, IAtmoObject* owner) : AtmoAction(owner, ids, 1)
{
    ConstantRotationAction::fieldTable().writeDefaults(*this);
    static const Texts texts{
        "Rotate constantly",
        "Set your object to constantly rotate. x/y/zrevolutions measures the speed of the rotation (revolutions "
        "per minute). Eg \"yrevolution=5.0\" means 5 revolutions per minute around Y axis. Maxtime is the maximum "
        "time in seconds the rotation will go for. (zero = forever)."};
    useKindTexts(texts);
}

const FieldTable& ConstantRotationAction::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("xrevolutions", &ConstantRotationAction::xrevolutions, 0.0)
                                        .add("yrevolutions", &ConstantRotationAction::yrevolutions, 5.0)
                                        .add("zrevolutions", &ConstantRotationAction::zrevolutions, 0.0)
                                        .add("maxtime", &ConstantRotationAction::maxtime, 0.0);
    return table;
}

std::shared_ptr<AtmoAction> ConstantRotationAction::newInstance(IAtmoObject* owner, IdCounter& ids) const
{
    return std::make_shared<ConstantRotationAction>(ids, owner);
}

bool ConstantRotationAction::allowedForAtmoObject(const IAtmoObject* object) const
{
    return !dynamic_cast<const PrimitiveObj*>(object);
}

std::string ConstantRotationAction::doScript(const script::ScriptContext& context) const
{
    const IAtmoObject* owner = getOwnerObject();
    const std::string s = owner->getAtmoObjectScriptName(context);
    const std::string i = owner->getInnerScriptName(context);
    const std::string suffix = animatorSuffix();
    std::string rotation;
    ScriptText::append(rotation, "Rotation('XYZ',", ScriptText::number(xrevolutions), "*this.thetime*(0.10471),",
                       ScriptText::number(yrevolutions), "*this.thetime*(0.10471),",
                       ScriptText::number(zrevolutions), "*this.thetime*(0.10471) );\n");
    std::string out;
    out.reserve(900);
    ScriptText::append(out, "// Here, we attach a timestep to the revanim object which runs the rotation for ",
                       ScriptText::comment(owner->toString()), "\n");
    ScriptText::append(out, s, suffix, " = Object();\n");
    ScriptText::append(out, s, suffix, ".thetime=0;\n");
    if (maxtime > 0)
        ScriptText::append(out, s, suffix, ".maxtime = ", ScriptText::number(maxtime), ";\n");
    ScriptText::append(out, s, suffix, ".", owner->getInnerScriptName(context, true), "=", s, ";\n");
    ScriptText::append(out, s, suffix, ".timestep=function(w,d) {\n  ");
    ScriptText::append(out, i, suffix, ".thetime+=d;\n  ");
    ScriptText::append(out, "if(", i, ".getPhysicalModel()==undefined) {\n");
    ScriptText::append(out, i, ".worldSpaceOrientation = ", rotation);
    out += "} else {\n";
    ScriptText::append(out, i, ".getPhysicalModel().worldSpaceOrientation = ", rotation);
    out += "}\n";
    if (maxtime > 0)
        out += "if(this.maxtime>0) {\n  this.sincetime+=d;\n if(this.sincetime > this.maxtime) removeAnimator(this);}\n";
    out += "}\n";
    return out;
}

std::string ConstantRotationAction::doTriggerScript(const script::ScriptContext& context) const
{
    const std::string i = getOwnerObject()->getInnerScriptName(context);
    const std::string suffix = animatorSuffix();
    std::string out;
    out.reserve(150);
    out += "// Fires the constant rotation action\n";
    ScriptText::append(out, i, suffix, ".sincetime=0;\n");
    ScriptText::append(out, "addAnimator(", i, suffix, ");\n");
    return out;
}

std::string ConstantRotationAction::exitTriggerScript(const script::ScriptContext& context) const
{
    std::string q = getOwnerObject()->getInnerScriptName(context);
    q += animatorSuffix();
    std::string out;
    out.reserve(160);
    ScriptText::append(out, "if(", q, ".maxtime>0) { if(", q, ".sincetime < ", q, ".maxtime) removeAnimator(", q,
                       ");}\nelse removeAnimator(", q, ");");
    return out;
}

} // namespace scenewright::core::action

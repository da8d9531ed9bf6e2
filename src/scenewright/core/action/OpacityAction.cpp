#include "scenewright/core/action/OpacityAction.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

namespace {

const char* const fadeComment = "// Starts the opacity fade....\n";

bool isModel(const IAtmoObject* object)
{
    return dynamic_cast<const ModelObj*>(object) != nullptr;
}

bool isViewpoint(const IAtmoObject* object)
{
    return dynamic_cast<const ViewpointObj*>(object) != nullptr;
}

bool isSolidObject(const IAtmoObject* object)
{
    return dynamic_cast<const SolidObjectObj*>(object) != nullptr;
}

} // namespace

OpacityAction::OpacityAction(IdCounter& ids, IAtmoObject* owner) : AtmoAction(owner, ids, 1)
{
    OpacityAction::fieldTable().writeDefaults(*this);
    static const Texts texts{
        "Set Opacity",
        "Set your object transparency. Upon being triggered, the Opacity will fade from "
        "initialOpacity to finalOpacity. Opacity must be between 0 and 1 inclusive."};
    useKindTexts(texts);
}

const FieldTable& OpacityAction::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("initialOpacity", &OpacityAction::initialOpacity, 1.0)
                                        .add("finalOpacity", &OpacityAction::finalOpacity, 0.5)
                                        .add("fadeInOpacity", &OpacityAction::fadeInOpacity, true);
    return table;
}

std::shared_ptr<AtmoAction> OpacityAction::newInstance(IAtmoObject* owner, IdCounter& ids) const
{
    return std::make_shared<OpacityAction>(ids, owner);
}

bool OpacityAction::allowedForAtmoObject(const IAtmoObject* object) const
{
    return isModel(object) || isViewpoint(object) || isSolidObject(object);
}

std::string OpacityAction::getOnLoadScript(const script::ScriptContext& context) const
{
    const IAtmoObject* owner = getOwnerObject();
    const std::string s = owner->getAtmoObjectScriptName(context);
    const std::string initial = ScriptText::number(initialOpacity);
    std::string out;
    out.reserve(200);
    if (isModel(owner))
        ScriptText::append(out, "for(j=0;j<", s, ".getSolidObjectCount();j++) {\n", s, ".getSolidObject(j).opacity=",
                           initial, ";\n}\n");
    else if (isViewpoint(owner))
        ScriptText::append(out, "for(j=0;j<", s, ".scene.getInstanceCount();j++) {\n", s,
                           ".scene.getInstance(j).opacity=", initial, ";\n}\n");
    else if (isSolidObject(owner))
        ScriptText::append(out, s, ".opacity = ", initial, ";\n");
    return out;
}

std::string OpacityAction::doTriggerScript(const script::ScriptContext& context) const
{
    const IAtmoObject* owner = getOwnerObject();
    // Trigger code runs with "this" bound to the trigger's own object, so a
    // localisable owner is reached through its inner name; a model is never
    // localised and keeps its global name.
    const std::string s = owner->getAtmoObjectScriptName(context);
    const std::string i = owner->getInnerScriptName(context);
    const std::string f = ScriptText::number(finalOpacity);
    std::string out;
    out.reserve(400);
    out += fadeComment;
    if (fadeInOpacity) {
        std::string x;
        if (context.localised())
            ScriptText::append(x, owner->getInnerScriptName(context), ".");
        x += animatorName();
        ScriptText::append(out, "if(!", x, ".added) {\naddAnimator(", x, ");\n}\n");
    } else if (isModel(owner)) {
        ScriptText::append(out, "for(j=0;j<", s, ".getSolidObjectCount();j++) {\n", s, ".getSolidObject(j).opacity=",
                           f, ";\n}\n");
        ScriptText::append(out, "for(j=0;j<", s, ".getViewpointObjectCount();j++) {\n", "vpooj=", s,
                           ".getViewpointObject(j);\n",
                           "for(d=0;d<vpooj.scene.getInstanceCount();d++) {\nvpooj.scene.getInstance(d).opacity=", f,
                           ";\n}\n", "}\n");
    } else if (isViewpoint(owner)) {
        ScriptText::append(out, "for(j=0;j<", i, ".scene.getInstanceCount();j++) {\n", i,
                           ".scene.getInstance(j).opacity=", f, ";\n}\n");
    } else if (isSolidObject(owner)) {
        ScriptText::append(out, i, ".opacity = ", f, ";\n");
    } else {
        // The line feed keeps the comment from swallowing the next line.
        out += "// Couldn't assign opacity to Atmo object - primitive\n";
    }
    return out;
}

void OpacityAction::appendLocalisedParentLine(const script::ScriptContext& context, const std::string& animator,
                                              std::string& out) const
{
    const IAtmoObject* owner = getOwnerObject();
    ScriptText::append(out, animator, ".", owner->getInnerScriptName(context, true), "=");
    if (isSolidObject(owner)) {
        // The fade animator finds a localised solid object the way its
        // declaration would: by index when the name is an integer.
        const std::string& name = owner->getName();
        if (ScriptText::isIntegerName(name))
            ScriptText::append(out, "theStage.getSolidObject(", name, ")");
        else
            ScriptText::append(out, "theStage.getSolidObject('", ScriptText::literal(name), "')");
    } else {
        out += owner->getAtmoObjectScriptName(context);
    }
    out += ";\n";
}

void OpacityAction::appendFadeStep(const script::ScriptContext& context, std::string& out) const
{
    const IAtmoObject* owner = getOwnerObject();
    const std::string s = owner->getAtmoObjectScriptName(context);
    const std::string i = owner->getInnerScriptName(context);
    auto stepped = [&out](std::string_view target, std::string_view element) {
        ScriptText::append(out, target, element, ".opacity = this.fadestep(", target, element, ".opacity);\n");
    };
    out += "this.reached = false;\n";
    if (isModel(owner)) {
        ScriptText::append(out, "for(j=0; j<", s, ".getSolidObjectCount(); j++) {\n");
        stepped(s, ".getSolidObject(j)");
        out += "}\n";
        ScriptText::append(out, "for(j=0;j<", s, ".getViewpointObjectCount();j++) {\n", "vpooj=", s,
                           ".getViewpointObject(j);\n", "for(d=0;d<vpooj.scene.getInstanceCount();d++) {\n");
        stepped("vpooj.scene.getInstance(d)", "");
        out += "}\n}\n";
    } else if (isViewpoint(owner)) {
        ScriptText::append(out, "for(j=0;j<", i, ".scene.getInstanceCount();j++) {\n");
        stepped(i, ".scene.getInstance(j)");
        out += "}\n";
    } else {
        // A solid object.
        stepped(i, "");
    }
    out += "if(this.reached) {\n removeAnimator(this);\nthis.added = false;\n}\n";
}

std::string OpacityAction::doScript(const script::ScriptContext& context) const
{
    const IAtmoObject* owner = getOwnerObject();
    std::string x;
    if (context.localised())
        ScriptText::append(x, isModel(owner) ? owner->getAtmoObjectScriptName(context) : std::string("this"), ".");
    x += animatorName();

    std::string out;
    out.reserve(1000);
    ScriptText::append(out, x, "= Object();\n");
    ScriptText::append(out, x, ".currtime=0;\n");
    ScriptText::append(out, x, ".divbit = ", ScriptText::number((finalOpacity - initialOpacity) / 10.0), ";\n");
    ScriptText::append(out, x, ".added = false;\n");
    // Only the owners the action is allowed for have an opacity to fade.
    const bool fades = allowedForAtmoObject(owner);
    if (fades) {
        // Steps of a tenth rarely add up to the final value exactly: the step
        // that comes within half a step of it, or passes it, sets it exactly
        // and ends the fade.
        ScriptText::append(out, x, ".finalopacity = ", ScriptText::number(finalOpacity), ";\n");
        ScriptText::append(out, x, ".fadestep = function(o) {\nvar next = o + this.divbit;\n",
                           "if((this.finalopacity - next) * this.divbit <= this.divbit * this.divbit / 2) {\n",
                           "this.reached = true;\nreturn this.finalopacity;\n}\nreturn next;\n}\n");
    }
    if (context.localised())
        appendLocalisedParentLine(context, x, out);
    ScriptText::append(out, x, ".timestep = function(w,d) {\n", "this.currtime+=d;\nif(this.currtime>0.5){\nthis.currtime=0;\n",
                       "if(", owner->getInnerScriptName(context), ".loaded) {\n", "this.added = true;\n");
    if (fades)
        appendFadeStep(context, out);
    out += "}\n";
    out += "}\n}\n";
    return out;
}

} // namespace scenewright::core::action

#include "scenewright/core/action/MovePositionAction.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

namespace {

const std::string sp8(8, ' ');
const std::string sp16(16, ' ');
const std::string sp24(24, ' ');
const std::string sp32(32, ' ');

// Sets the transform directly when the object has no physical model, else
// through the physical model.
std::string setTransform(const std::string& inner, const std::string& value, const std::string& indent)
{
    return "if(" + inner + ".getPhysicalModel()==undefined) {\n" + indent + inner + ".worldSpaceTransform = " + value
           + ";\n" + "} else { \n" + inner + ".getPhysicalModel().worldSpaceTransform = " + value + ";\n" + "}\n";
}

} // namespace

MovePositionAction::MovePositionAction(IdCounter& ids, IAtmoObject* owner) : AtmoAction(owner, ids, 2)
{
    MovePositionAction::fieldTable().writeDefaults(*this);
    static const Texts texts{
        "Move to a position/direction",
        "Select the postion(s) or direction to move the when triggered. "};
    useKindTexts(texts);
}

const FieldTable& MovePositionAction::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("xdirection", &MovePositionAction::xdirection, 0.0)
                                        .add("ydirection", &MovePositionAction::ydirection, 0.0)
                                        .add("zdirection", &MovePositionAction::zdirection, 0.0)
                                        .add("speed", &MovePositionAction::speed, 1.0, FieldShown::InOwnEditorOnly)
                                        .add("anchors", &MovePositionAction::anchors, {}, FieldShown::InOwnEditorOnly)
                                        .add("usesAnchors", &MovePositionAction::usesAnchors, false)
                                        .add("smoothTransition", &MovePositionAction::smoothTransition, true);
    return table;
}

std::shared_ptr<AtmoAction> MovePositionAction::newInstance(IAtmoObject* owner, IdCounter& ids) const
{
    return std::make_shared<MovePositionAction>(ids, owner);
}

bool MovePositionAction::allowedForAtmoObject(const IAtmoObject* object) const
{
    return !dynamic_cast<const PrimitiveObj*>(object);
}

bool MovePositionAction::ownerIsActor() const
{
    return dynamic_cast<const Actor*>(getOwnerObject()) != nullptr;
}

std::string MovePositionAction::doTriggerScript(const script::ScriptContext& context) const
{
    if (movesAlongNoAnchors())
        return {};
    const IAtmoObject* owner = getOwnerObject();
    const std::string i = owner->getInnerScriptName(context);
    std::string out;
    out.reserve(150);
    if (usesAnchors) {
        const std::string b = context.localised() ? i + "." + beginAnchorName() : beginAnchorName();
        out += "// Move object via anchors to its new position\n";
        out += "if(!" + b + ".started) {\n" + b + ".start();\n}\n";
        return out;
    }
    const std::string v = ".add([" + ScriptText::number(xdirection) + "," + ScriptText::number(ydirection) + ","
                          + ScriptText::number(zdirection) + "]);\n";
    const std::string comment = "// Move object directly to a new position relative to its current position\n";
    const std::string position = i + ".worldSpacePosition" + v;
    if (!smoothTransition)
        out += comment;
    if (ownerIsActor()) {
        out += i + ".worldSpacePosition = " + i + "." + script::ScriptText::positionName + v;
        return out;
    }
    out += "if(" + i + ".getPhysicalModel()==undefined) {\n";
    if (smoothTransition)
        out += comment;
    out += i + ".worldSpacePosition = " + position;
    out += "} else {\n";
    out += i + ".getPhysicalModel().worldSpacePosition = " + position;
    out += "} \n";
    return out;
}

std::string MovePositionAction::doScript(const script::ScriptContext& context) const
{
    if (!usesAnchors || movesAlongNoAnchors())
        return {};
    const IAtmoObject* owner = getOwnerObject();
    const bool localised = context.localised();
    const bool actor = ownerIsActor();
    const bool direct = actor || dynamic_cast<const PrimitiveObj*>(owner);
    const std::string s = owner->getAtmoObjectScriptName(context);
    const std::string i = owner->getInnerScriptName(context);
    const std::string m = moveAnchorName();
    const std::string b = localised ? "this." + beginAnchorName() : beginAnchorName();
    const std::string a = "this." + m;
    const std::string blend = "this.currtrans.blend(this.transform, (this.time/this.distance))";

    std::string out;
    out.reserve(200);
    out += "// Convinience method to get the anchor. Anchor could be located in 2 places\n";
    out += "this.getAnchor=function(anchname) {\n";
    out += sp8 + "var ret = theStage.getPrimitive(anchname);\n";
    out += sp8 + "if(ret!=undefined) return ret;\n";
    out += sp8 + "ret = theStage.getChild(anchname);\n";
    out += sp8 + "if(ret!=undefined) return ret;\n";
    out += sp8 + "chat.print('Could not find anchor by the name \\''+anchname+'\\'');\n";
    out += sp8 + "return undefined;\n";
    out += "}\n";
    out += "\n// Maintains an array of the anchors used to transport the object\n";
    out += a + " = [";
    for (std::size_t k = 0; k < anchors.size(); ++k) {
        if (k > 0)
            out += ",";
        out += "'" + ScriptText::literal(std::string_view(anchors[k])) + "'";
    }
    out += "];\n";
    out += a + ".speed = " + ScriptText::number(speed) + ";\n";
    out += b + " = Object();\n";
    out += b + ".transform = this.getAnchor(" + a + "[0]).transform;\n";
    out += b + ".worldSpacePosition = " + b + "." + "transform" + ".translation;\n";
    if (!actor)
        out += "measuredist=function(posa, posb) { return "
               "Math.sqrt((posa.x-posb.x)*(posa.x-posb.x)+(posa.y-posb.y)*(posa.y-posb.y)+(posa.z-posb.z)*(posa.z-"
               "posb.z)); }\n";
    out += "this.setup" + m + "=function(theanch,nextid) {\n";
    if (localised)
        out += "theanch." + owner->getInnerScriptName(context, true) + " = " + s + ";\n";
    out += "theanch.ba = " + b + ";\n";
    out += sp8 + "theanch.start = function() {\n";
    out += sp16 + "this.ba.started = true;\n";
    if (actor)
        out += sp16 + "this.distance = actor.dist(this.worldSpacePosition);\n";
    else
        out += sp16 + "this.distance = measuredist(" + i + ".worldSpacePosition," + "this.worldSpacePosition);\n";
    out += sp16 + "this.time = 0;\n";
    out += sp16 + "this.currtrans = " + i + "." + script::ScriptText::transformName + ";\n";
    out += sp16 + "addAnimator(this);\n";
    out += sp8 + "}\n";
    out += "theanch.speed = " + a + ".speed;\n";
    out += sp8 + "theanch.timestep = function(w,d) {\n";
    if (actor) {
        out += sp16 + "actor.forcedGravitySetting = false;\n";
        out += sp16 + "actor.ignoreGravityPreference = true;\n";
    }
    out += sp16 + "this.time+=(d*this.speed);\n";
    out += sp16 + "if (this.time >= this.distance) {\n";
    if (direct)
        out += sp24 + s + ".worldSpaceTransform" + " = this.transform;\n";
    else
        out += setTransform(i, "this.transform", "");
    out += sp24 + "removeAnimator(this);\n";
    out += sp24 + "if(this.next!=undefined) {\n";
    out += sp32 + "this.next.start();\n";
    out += sp24 + "} else {\n";
    if (actor)
        out += sp32 + "actor.ignoreGravityPreference = false;\n";
    out += sp24 + "this.ba.started = false;\n";
    out += sp24 + "}\n";
    out += sp16 + "}\n";
    out += sp16 + "else {\n";
    if (direct)
        out += sp24 + s + ".worldSpaceTransform = " + blend + ";\n";
    else
        out += setTransform(i, blend, sp24);
    out += sp16 + "}\n";
    out += sp8 + "}\n";
    out += sp8 + "if(nextid < " + a + ".length) {\n";
    out += sp16 + "theanch.next = this.getAnchor(" + a + "[nextid++]);\n";
    out += sp16 + "this.setup" + m + "(theanch.next, nextid);\n";
    out += sp8 + "} else return;\n";
    out += "}\n";
    out += "this.setup" + m + "(" + b + ",1);\n\n";
    return out;
}

} // namespace scenewright::core::action

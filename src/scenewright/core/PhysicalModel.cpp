#include "scenewright/core/PhysicalModel.h"

#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core {

using script::ScriptText;

std::string PhysicalModel::block(const std::string& variable, const std::string& objectText,
                                 const std::string& massText) const
{
    const std::string& v = variable;
    std::string out = "// We initialise the physical model for " + ScriptText::comment(objectText) + " here\n";
    out += "if(" + v + ".getPhysicalModel()==undefined) {\n";
    out += v + ".pm = " + v + ".createPhysicalModel(" + massText + ");\n";
    out += v + ".pm.collide = " + ScriptText::boolean(collisions) + ";\n";
    out += v + ".pm.fixed = " + ScriptText::boolean(fixed) + ";\n";
    out += v + ".pm.friction = " + ScriptText::number(friction) + ";\n";
    out += v + ".pm.inertia = " + ScriptText::number(inertia) + ";\n";
    out += v + ".pm.useForOverlaps = " + ScriptText::boolean(useForOverlaps) + ";\n";
    out += "}\n";
    return out;
}

} // namespace scenewright::core

#include "scenewright/core/script/Sounds.h"

#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::script {

std::string Sounds::doScript() const
{
    const std::string v = toString();
    std::string out;
    out += v + " = Sound('" + ScriptText::literal(filename) + "')" + endline;
    out += v + ".active=true" + endline;
    out += v + ".volume = " + ScriptText::number(volume) + endline;
    out += v + ".repeats= " + ScriptText::number(repeats) + endline;
    out += v + ".near = " + ScriptText::number(near) + endline;
    out += v + ".far = " + ScriptText::number(far) + endline;
    if (enablePositions)
        out += v + ".position = Vector(" + ScriptText::number(x) + "," + ScriptText::number(y) + ","
               + ScriptText::number(z) + ")" + endline;
    if (addControlPanelButtons) {
        out += "btn" + v + " = Toggle(\"Sound " + std::to_string(id) + " On/Off\").add()" + endline;
        out += "btn" + v + ".state = true" + endline;
        // The handler ends its statement, so the play() call below starts a
        // statement of its own.
        out += "btn" + v + ".onClick = function(state) { \nif(state && !" + v + ".active) {" + v + ".play();}\nelse "
               + v + ".stop();\n" + "}" + endline;
    }
    out += v + ".play()" + endline;
    return out;
}

} // namespace scenewright::core::script

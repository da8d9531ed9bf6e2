#include "scenewright/core/action/EmitSoundAction.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/script/IScript.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

EmitSoundAction::EmitSoundAction(IdCounter& ids, IAtmoObject* owner) : AtmoAction(owner, ids, 1)
{
    EmitSoundAction::fieldTable().writeDefaults(*this);
    // An action made without an object, as a kind's example, has no name.
    static const std::optional<std::string> description{
        "Have sound emit from an object. 'filename' is the location of your sound file (Nb: only .wav or .mp3). "
        "Near is the distance at which volume is at a maximum. Far is the distance at which volume is inaudible. "
        "Repeats determines how many repeats the sound will play for - if repeats is zero, sound repeats forever. "
        "Volume must be between 0.0 and 1.0"};
    static const Texts ownedTexts{"Emit sound from your object", description};
    static const Texts unownedTexts{std::nullopt, description};
    useKindTexts(owner ? ownedTexts : unownedTexts);
}

const FieldTable& EmitSoundAction::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("filename", &EmitSoundAction::filename, "", FieldShown::InGenericEditor, "file name")
                                        .add("near", &EmitSoundAction::near, 1.0)
                                        .add("far", &EmitSoundAction::far, 50.0)
                                        .add("repeats", &EmitSoundAction::repeats, 0)
                                        .add("volume", &EmitSoundAction::volume, 0.5)
                                        .add("controlPanelBtns", &EmitSoundAction::controlPanelBtns, false);
    return table;
}

std::shared_ptr<AtmoAction> EmitSoundAction::newInstance(IAtmoObject* owner, IdCounter& ids) const
{
    return std::make_shared<EmitSoundAction>(ids, owner);
}

std::string EmitSoundAction::innerSound(const script::ScriptContext& context) const
{
    return context.localised() ? getOwnerObject()->getInnerScriptName(context) + "." + soundName() : soundName();
}

std::string EmitSoundAction::doScript(const script::ScriptContext& context) const
{
    const IAtmoObject* owner = getOwnerObject();
    const bool localised = context.localised();
    const std::string s = owner->getAtmoObjectScriptName(context);
    const std::string button = "btn" + soundName();
    const std::string e = localised ? s + "." + soundName() : soundName();
    const std::string bk = localised ? s + "." + button : button;
    const std::string x = innerSound(context);

    std::string out;
    out.reserve(200);
    out += "// Loads the sound object...\n";
    out += e + " = Sound('" + ScriptText::literal(filename) + "')" + script::IScript::endline;
    out += e + ".active=false" + script::IScript::endline;
    out += e + ".volume = " + ScriptText::number(volume) + ";\n";
    out += e + ".repeats= " + ScriptText::number(repeats) + ";\n";
    out += e + ".near = " + ScriptText::number(near) + ";\n";
    out += e + ".far = " + ScriptText::number(far) + ";\n";
    if (controlPanelBtns) {
        out += bk + " = Toggle(\"Sound " + std::to_string(id(0)) + " On/Off\").add()" + script::IScript::endline;
        if (localised)
            out += bk + "." + owner->getInnerScriptName(context, true) + " = " + s + ";\n";
        out += bk + ".state = true" + script::IScript::endline;
        out += bk + ".onClick = function(state) { \nif(state && !" + x + ".active) {\n" + x + ".play();\n} else {\n" + x
               + ".stop();\n}\n}\n";
    }
    return out;
}

std::string EmitSoundAction::doTriggerScript(const script::ScriptContext& context) const
{
    const std::string i = getOwnerObject()->getInnerScriptName(context);
    const std::string x = innerSound(context);
    std::string out;
    out.reserve(150);
    out += "// Play the sound file \n";
    out += x + ".position = Vector(" + i + ".position.x," + i + ".position.y," + i + ".position.z)"
           + script::IScript::endline;
    out += "if(!" + x + ".active) {\n  " + x + ".active=true;\n  " + x + ".play();\n}\n";
    return out;
}

} // namespace scenewright::core::action

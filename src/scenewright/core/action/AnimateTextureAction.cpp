#include "scenewright/core/action/AnimateTextureAction.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/script/ScriptText.h"

namespace scenewright::core::action {

using script::ScriptText;

AnimateTextureAction::AnimateTextureAction(IdCounter& ids, IAtmoObject* owner) : AtmoAction(owner, ids, 1)
{
    AnimateTextureAction::fieldTable().writeDefaults(*this);
    static const Texts texts{
        "Animate textures on object",
        "Enter a set of textures that you wish to use in an animation on your object. Order of textures is "
        "important. Texture URLs may be of the form http://www.yoursite.com/textures/texture1.jpg or "
        "./textures/texture1.jpg. Currently, only .jpg and .gif formats are supported. If you are using a Model "
        "Object (.aer), then you can specify the 'name' of the primitive object below. The script will search for "
        "the primitive in the model's SolidObjects. If you are using a Primitive, leave this blank.  It is "
        "important to note: textures can only be animated on surfaces which already have a texture. Thus, in the "
        "Atmosphere Builder/Authoring tool, place a texture on the face of a primitive you wish to animate.Next, "
        "set the 'Find face number', or 'Find texture url' below to find the face to animate. Note - you can "
        "animate more than one face at a time. Eg. 'Find face number'=2, 3, 5. If you set neither of these 2 "
        "fields, texture animation will occur on all possible faces."};
    useKindTexts(texts);
}

const FieldTable& AnimateTextureAction::fieldTable() const
{
    static const FieldTable table = FieldTable()
                                        .add("textures", &AnimateTextureAction::textures, {}, FieldShown::InOwnEditorOnly, "textures")
                                        .add("animateDelay", &AnimateTextureAction::animateDelay, 0.05, FieldShown::InOwnEditorOnly)
                                        .add("maxrevolutions", &AnimateTextureAction::maxrevolutions, 0, FieldShown::InOwnEditorOnly)
                                        .add("primitiveName", &AnimateTextureAction::primitiveName, "", FieldShown::InOwnEditorOnly)
                                        .add("findfaces", &AnimateTextureAction::findfaces, std::nullopt, FieldShown::InOwnEditorOnly)
                                        .add("findtextureurl", &AnimateTextureAction::findtextureurl, "", FieldShown::InOwnEditorOnly);
    return table;
}

std::shared_ptr<AtmoAction> AnimateTextureAction::newInstance(IAtmoObject* owner, IdCounter& ids) const
{
    return std::make_shared<AnimateTextureAction>(ids, owner);
}

bool AnimateTextureAction::allowedForAtmoObject(const IAtmoObject* object) const
{
    return dynamic_cast<const PrimitiveObj*>(object) || dynamic_cast<const ModelObj*>(object);
}

std::string AnimateTextureAction::faceSelection(const std::string& face) const
{
    // An empty face list would write " && ()", which does not parse; it
    // selects nothing, like an absent one.
    if (findfaces && !findfaces->empty()) {
        std::string out = " && (";
        for (std::size_t k = 0; k < findfaces->size(); ++k) {
            if (k > 0)
                out += " || ";
            out += ScriptText::number((*findfaces)[k]) + "==i";
        }
        return out + ")";
    }
    if (findtextureurl && !findtextureurl->empty())
        return " && " + face + ".getFace(i).getSurfaceTexture().texture.URL=='" + ScriptText::literal(findtextureurl)
               + "'";
    return {};
}

std::string AnimateTextureAction::doTriggerScript(const script::ScriptContext& context) const
{
    const IAtmoObject* owner = getOwnerObject();
    const std::string list = owner->getInnerScriptName(context) + "." + triggername();
    return "// Trigger " + ScriptText::comment(owner->toString()) + " texture animation here...\n" + "if(!" + list
           + ".added) {\naddAnimator(" + list + ");\n}\n";
}

std::string AnimateTextureAction::doScript(const script::ScriptContext& context) const
{
    const IAtmoObject* owner = getOwnerObject();
    const std::string s = owner->getAtmoObjectScriptName(context);
    const std::string list = s + "." + triggername();

    std::string out;
    out += "// Texture animation for " + ScriptText::comment(owner->toString()) + ". Loading textures....\n";
    out += list + "=Array(" + ScriptText::number(static_cast<int>(textures.size())) + ");\n";
    for (std::size_t k = 0; k < textures.size(); ++k) {
        const std::string entry = list + "[" + std::to_string(k) + "]";
        out += entry + " = Texture();\n";
        out += entry + ".URL = '" + ScriptText::literal(textures[k]) + "';\n";
    }
    out += "// .texturelist.faces is an array of faces to texture animate\n" + list + ".faces = [];\n";
    out += "// .texturelist.thetime maintains time since last animation\n" + list + ".thetime=0;\n";
    out += "// .texturelist.ind maintains current image texture \n" + list + ".ind=0;\n";
    if (maxrevolutions > 0)
        out += list + ".maxrevolutions = 0;\n";
    if (context.localised())
        out += list + "." + owner->getInnerScriptName(context, true) + " = " + s + ";\n";
    // Inside the per-frame function "this" is the texture list, so the
    // owner is reached through its inner name (a localised owner's "this"
    // would name the list).
    out += "// .texturelist.timestep runs the whole animation sequence\n" + list + ".timestep = function(w,d) {\n"
           + "this.added = true;\n" + "// Assemble the faces to animate first...\n" + "if(this.faces.length==0 && "
           + owner->getInnerScriptName(context) + ".loaded) {\n";

    // A model's faces are those of the named primitive inside it.
    const bool model = dynamic_cast<const ModelObj*>(owner) != nullptr;
    const std::string face = model ? "prim" : owner->getInnerScriptName(context);
    if (model)
        out += "var prim = " + s + ".getPrimitive('" + ScriptText::literal(primitiveName) + "');\n";
    out += "for(i=0; i < " + face + ".getFaceCount(); i++) {\n";
    out += "if(" + face + ".getFace(i).getSurfaceTexture()!=undefined" + faceSelection(face) + ") {\nthis.faces.push("
           + face + ".getFace(i).getSurfaceTexture());\n}\n}\n";

    out += "// Do the animation of the textures on the this.faces list \n";
    out += "}\nif(this.faces.length>0) { \nthis.thetime+=d;\nif(this.thetime>" + ScriptText::number(animateDelay)
           + ") {\nthis.thetime = 0.0;\nif(this.ind==this.length-1) {\nthis.ind=0;\n";
    if (maxrevolutions > 0)
        out += "this.maxrevolutions++;\nif(this.maxrevolutions>=" + ScriptText::number(maxrevolutions)
               + ") { this.maxrevolutions=0;\nremoveAnimator(this);\nthis.added = false;\nreturn;\n}\n";
    out += " } else {\nthis.ind++;\n}\nfor(i=0;i<this.faces.length;i++) { \nthis.faces[i].texture = "
           "this[this.ind];\n}\n}\n}\n}\n";
    return out;
}

} // namespace scenewright::core::action

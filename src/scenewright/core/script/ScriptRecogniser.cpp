#include "scenewright/core/script/ScriptRecogniser.h"

#include "scenewright/core/ObjectKind.h"
#include "scenewright/core/script/SceneAssembly.h"
#include "scenewright/core/script/ScriptCursor.h"
#include "scenewright/core/script/ScriptText.h"

#include <string_view>

namespace scenewright::core::script {

namespace {

using Kind = ScriptObjectName::Kind;

// The three names a fragment uses for its object: S, by which other script
// reaches it, I, inside trigger and action code, and J, the bare inner name.
struct Names {
    std::string s;
    std::string i;
    std::string j;
};

Names namesOf(const ScriptObjectName& name)
{
    switch (name.kind) {
    case Kind::World: return {"theWorld", "theWorld", "theWorld"};
    case Kind::Actor: return {"theActor", "theActor", "theActor"};
    case Kind::This: return {"this", "this.localisedparent", "localisedparent"};
    case Kind::Global: break;
    }
    const std::string global = name.prefix + std::to_string(name.number);
    return {global, global, global};
}

constexpr std::string_view kTimeElementComment = "// Setting the Viewpoint Object animations for ";

// The text after `prefix` in a comment, if it starts so.
std::optional<std::string> after(std::string_view comment, std::string_view prefix)
{
    if (comment.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    return std::string(comment.substr(prefix.size()));
}

// The object name a viewpoint animation's comment shows, if it is one; a
// name of spaces only may have gone with the space before it when the
// script was re-indented.
std::optional<std::string> timeElementName(std::string_view comment)
{
    if (comment == kTimeElementComment.substr(0, kTimeElementComment.size() - 1))
        return std::string();
    return after(comment, kTimeElementComment);
}

// The class of the trigger without actions that the comment stands for
// ("// No Actions added for trigger: Proximity trigger"), if it is one.
const char* isActionlessTrigger(std::string_view comment)
{
    std::optional<std::string> name = after(comment, "// No Actions added for trigger: ");
    if (!name)
        return nullptr;
    while (!name->empty() && (name->back() == ' ' || name->back() == '\t'))
        name->pop_back();
    return *name == "Proximity trigger"        ? "ProximityTrigger"
           : *name == "When world first loads" ? "WorldFirstLoadsTrigger"
           : *name == "On click trigger"       ? "OnclickTrigger"
                                               : nullptr;
}

// Reads the fragments of a generated script in the order the generator
// writes them and tells the assembly what each says.
class Reader {
public:
    Reader(const CompressedScript& script, SceneAssembly& assembly)
        : script_(script), c_(script.text()), assembly_(assembly)
    {
    }

    void read()
    {
        declarations();
        while (firstLoadWait()) {
        }
        synchronisedNames();
        worldScript();
        triggers();
        if (c_.lookingAt("connect=Object();"))
            sharedObjects();
        if (!c_.atEnd())
            c_.fail(c_.position() == 0 ? "a script Scenewright generated"
                                       : "the end of the script, or another fragment Scenewright writes");
    }

private:
    // ------------------------------------------------------------------
    // Names

    std::optional<ScriptObjectName> acceptName()
    {
        if (acceptWord("this.localisedparent") || acceptWord("this") || acceptWord("localisedparent"))
            return ScriptObjectName{Kind::This, {}, 0};
        if (acceptWord("theWorld"))
            return ScriptObjectName{Kind::World, {}, 0};
        if (acceptWord("theActor"))
            return ScriptObjectName{Kind::Actor, {}, 0};
        for (const ObjectKind& kind : ObjectKind::all())
            if (std::optional<int> number = c_.acceptName(kind.prefix))
                return ScriptObjectName{Kind::Global, kind.prefix, *number};
        return std::nullopt;
    }

    ScriptObjectName expectName()
    {
        if (std::optional<ScriptObjectName> name = acceptName())
            return *name;
        c_.fail("the name of an object of the scene");
    }

    // The word, when no name character follows it.
    bool acceptWord(std::string_view word)
    {
        const std::size_t start = c_.position();
        if (!c_.accept(word))
            return false;
        const std::string_view rest = c_.text().substr(c_.position());
        if (!rest.empty() && rest[0] != '.' && rest[0] != '=' && rest[0] != ')' && rest[0] != ','
            && rest[0] != ';') {
            c_.moveTo(start);
            return false;
        }
        return true;
    }

    // The names S, I or J of a fragment's object, whichever is written.
    void expectNames(const std::string& written) { c_.expect(written); }

    // ------------------------------------------------------------------
    // Values

    bool boolean()
    {
        if (c_.accept("true"))
            return true;
        if (c_.accept("false"))
            return false;
        c_.fail("true or false");
    }

    // A string that may be null: the script writes a null string as null
    // between the quotes, like the text "null". Where the field's default is
    // null, that text is taken for null.
    static action::FieldValue text(std::string value, bool nullByDefault)
    {
        if (nullByDefault && value == "null")
            return std::optional<std::string>();
        return std::optional<std::string>(std::move(value));
    }

    std::optional<std::string> commentAfter(std::size_t at, std::string_view prefix) const
    {
        for (const CompressedScript::Comment& comment : script_.commentsAt(at))
            if (std::optional<std::string> rest = after(comment.text, prefix))
                return rest;
        return std::nullopt;
    }

    // An object's text form, "name <type>", in a comment that ends with
    // `suffix`.
    std::optional<std::string> objectTextAfter(std::size_t at, std::string_view prefix, std::string_view suffix) const
    {
        std::optional<std::string> rest = commentAfter(at, prefix);
        if (!rest)
            return std::nullopt;
        // Beautifying trims the blanks a comment ends with.
        while (!rest->empty() && (rest->back() == ' ' || rest->back() == '\t'))
            rest->pop_back();
        std::string_view trimmedSuffix = suffix;
        while (!trimmedSuffix.empty() && trimmedSuffix.back() == ' ')
            trimmedSuffix.remove_suffix(1);
        if (rest->size() < trimmedSuffix.size()
            || rest->compare(rest->size() - trimmedSuffix.size(), trimmedSuffix.size(), trimmedSuffix) != 0)
            return std::nullopt;
        rest->resize(rest->size() - trimmedSuffix.size());
        return rest;
    }

    // The empty lines of the trigger section before the place: after the
    // banner that opens the section, before the one that opens the shared
    // objects' code.
    int emptyLinesInGap(std::size_t at) const
    {
        int count = 0;
        for (const CompressedScript::Comment& comment : script_.commentsAt(at)) {
            count += comment.emptyLinesBefore;
            // A trigger without actions counts the lines before it itself.
            if (comment.text.starts_with("// Trigger actions") || isActionlessTrigger(comment.text))
                count = 0;
            else if (comment.text.starts_with("// Shared Objects"))
                return count;
        }
        return count + script_.emptyLinesBefore(at);
    }

    // ------------------------------------------------------------------
    // Object declarations and the actions' set-up code

    void declarations()
    {
        for (;;) {
            const std::size_t at = c_.position();
            if (c_.accept("if(typeof(")) {
                model(at);
            } else if (declares("primitiveobj", "=theStage.getSolidObject(")) {
                primitive(at);
            } else if (declares("solidobject", "=theStage.getSolidObject(")) {
                solidObject(at);
            } else if (declares("viewptobj", "=theStage.getViewpointObject(")) {
                viewpoint(at);
            } else if (c_.lookingAt("if(!this.loaded){") || c_.lookingAt("if(this.getPhysicalModel()==undefined){")) {
                // A localised viewpoint object declares no name, only its
                // on-load code.
                ObjectSighting object{"viewpoint", {Kind::This, {}, 0}, {}, false, {}, false, at};
                assembly_.setLocalised();
                viewpointOnLoad(object, namesOf(object.name));
            } else if (c_.lookingAt("this.getAnchor=function(anchname){")) {
                moveAlongAnchors(at);
            } else if (!actionDeclaration(at)) {
                return;
            }
            // Text that only starts like a declaration (a localised object's
            // on-load code that holds nothing) would be read again and again,
            // one more object each time.
            if (c_.position() == at)
                ScriptCursor::failAt(at, "a localised object's on-load code");
        }
    }

    // Whether a global name and what follows it start here.
    bool declares(std::string_view prefix, std::string_view next)
    {
        const std::size_t start = c_.position();
        const bool found = c_.acceptName(prefix) && c_.lookingAt(next);
        c_.moveTo(start);
        return found;
    }

    void model(std::size_t at)
    {
        const int number = c_.expectName("modelobj");
        const Names v = namesOf({Kind::Global, "modelobj", number});
        c_.expect(")=='undefined'){" + v.s + "=");
        ObjectSighting object{"model.aer/.atmo", {Kind::Global, "modelobj", number}, {}, true, {}, false, at};
        if (c_.accept("SceneGroup(")) {
            object.objectName = c_.literal();
            c_.expect(").add();");
            object.fields.emplace_back("tobeloaded", true);
        } else {
            c_.expect("theStage.getSolidObject(0).rootPrimitive.find(");
            object.objectName = foundName();
            c_.expect(");");
            object.fields.emplace_back("tobeloaded", false);
        }
        object.onLoad = c_.accept(v.s + ".onLoad=function(){");
        assembly_.declareObject(object);
        while (c_.lookingAt("for(j=0;j<" + v.s + ".getSolidObjectCount();j++){")) {
            const std::size_t itemAt = c_.position();
            c_.expect("for(j=0;j<" + v.s + ".getSolidObjectCount();j++){" + v.s + ".getSolidObject(j).opacity=");
            const double initial = c_.number();
            c_.expect(";}");
            assembly_.onLoadOpacity(initial, itemAt);
        }
        physicalModelBlock(v.s, true);
        if (object.onLoad)
            c_.expect("this.onLoad=undefined;removeAnimator(this);};addAnimator(" + v.s + ");");
        c_.expect("}");
    }

    // The name in ".../name", as a primitive or a model found in the world.
    std::string foundName()
    {
        const std::size_t at = c_.position();
        std::string found = c_.literal();
        if (found.substr(0, 4) != ".../")
            ScriptCursor::failAt(at, "a name after \".../\"");
        return found.substr(4);
    }

    void physicalModelBlock(const std::string& v, bool model)
    {
        const std::size_t at = c_.position();
        if (!c_.lookingAt("if(" + v + ".getPhysicalModel()==undefined){"))
            return;
        std::optional<std::string> objectText = objectTextAfter(at, "// We initialise the physical model for ", " here");
        assembly_.declarePhysicalModel(physicalModel(v, model), objectText);
    }

    RecognisedFields physicalModel(const std::string& v, bool model)
    {
        RecognisedFields pm;
        c_.expect("if(" + v + ".getPhysicalModel()==undefined){" + v + ".pm=" + v + ".createPhysicalModel(");
        if (model)
            pm.emplace_back("initialmass", c_.number());
        else
            c_.expect("10");
        c_.expect(");" + v + ".pm.collide=");
        pm.emplace_back("collisions", boolean());
        c_.expect(";" + v + ".pm.fixed=");
        pm.emplace_back("fixed", boolean());
        c_.expect(";" + v + ".pm.friction=");
        pm.emplace_back("friction", c_.number());
        c_.expect(";" + v + ".pm.inertia=");
        pm.emplace_back("inertia", c_.number());
        c_.expect(";" + v + ".pm.useForOverlaps=");
        pm.emplace_back("useForOverlaps", boolean());
        c_.expect(";}");
        pm.emplace_back("active", true);
        return pm;
    }

    // An index or a name: a whole number as it stands, else a literal.
    std::string indexOrName()
    {
        if (std::optional<std::string> number = c_.acceptIntegerText())
            return *number;
        return c_.literal();
    }

    void primitive(std::size_t at)
    {
        const int number = c_.expectName("primitiveobj");
        const Names v = namesOf({Kind::Global, "primitiveobj", number});
        c_.expect("=theStage.getSolidObject(");
        ObjectSighting object{"primitive", {Kind::Global, "primitiveobj", number}, {}, true, {}, false, at};
        object.fields.emplace_back("solidObjectIndex", std::optional<std::string>(indexOrName()));
        c_.expect(").rootPrimitive.find(");
        object.objectName = foundName();
        c_.expect(");");
        assembly_.declareObject(object);
    }

    void solidObject(std::size_t at)
    {
        const int number = c_.expectName("solidobject");
        c_.expect("=theStage.getSolidObject(");
        ObjectSighting object{"solid-object", {Kind::Global, "solidobject", number}, {}, true, {}, false, at};
        object.objectName = indexOrName();
        c_.expect(");");
        assembly_.declareObject(object);
    }

    void viewpoint(std::size_t at)
    {
        const int number = c_.expectName("viewptobj");
        const ScriptObjectName name{Kind::Global, "viewptobj", number};
        const Names v = namesOf(name);
        c_.expect("=theStage.getViewpointObject(");
        ObjectSighting object{"viewpoint", name, c_.literal(), true, {}, false, at};
        c_.expect(");");
        viewpointOnLoad(object, v);
    }

    // The on-load code of a viewpoint object: the on-load code of its
    // actions, its physical model, in the order the generator writes them.
    void viewpointOnLoad(ObjectSighting& object, const Names& v)
    {
        object.onLoad = c_.accept("if(!" + v.s + ".loaded){" + v.s + ".onLoad=function(){");
        assembly_.declareObject(object);
        const std::string opacity = "for(j=0;j<" + v.s + ".scene.getInstanceCount();j++){" + v.s
                                    + ".scene.getInstance(j).opacity=";
        for (;;) {
            const std::size_t at = c_.position();
            // A viewpoint animation starts its on-load code with a comment
            // naming the object; without time elements it writes comments only.
            std::vector<std::string> named;
            for (const CompressedScript::Comment& comment : script_.commentsAt(at))
                if (std::optional<std::string> name = timeElementName(comment.text))
                    named.push_back(*name);
            const bool bound = c_.lookingAt(v.s + ".trig=") || c_.lookingAt(v.s + ".etrig=");
            for (std::size_t k = 0; k + (bound && !named.empty() ? 1 : 0) < named.size(); ++k)
                assembly_.onLoadTimeElements({}, named[k], at);
            if (bound) {
                RecognisedFields fields;
                if (c_.lookingAt(v.s + ".trig="))
                    timeElement(v.s, ".trig", "triggerTimeElem", "setTrigSpeed", "setTrigPlayOnce", fields);
                if (c_.lookingAt(v.s + ".etrig="))
                    timeElement(v.s, ".etrig", "exitTriggerTimeElem", "setExitSpeed", "setExitPlayOnce", fields);
                assembly_.onLoadTimeElements(fields, named.empty() ? std::optional<std::string>() : named.back(), at);
            } else if (c_.accept(opacity)) {
                const double initial = c_.number();
                c_.expect(";}");
                assembly_.onLoadOpacity(initial, at);
            } else {
                break;
            }
        }
        physicalModelBlock(v.s, false);
        if (object.onLoad)
            c_.expect("this.onLoad=undefined;removeAnimator(this);};addAnimator(" + v.s + ");}");
    }

    void timeElement(const std::string& s, const std::string& property, const char* nameField, const char* speedField,
                     const char* playOnceField, RecognisedFields& fields)
    {
        const std::string bound = s + property;
        c_.expect(bound + "=" + s + ".scene.getTimeElem(");
        const std::string element = c_.literal();
        c_.expect(");if(" + bound + "==undefined){chat.print(");
        c_.literal();
        c_.expect(");}" + bound + ".setSpeed(");
        const double speed = c_.number();
        c_.expect(");" + bound + ".setPlayOnce(");
        const bool playOnce = boolean();
        c_.expect(");");
        fields.emplace_back(nameField, std::optional<std::string>(element));
        fields.emplace_back(speedField, speed);
        fields.emplace_back(playOnceField, playOnce);
    }

    // The set-up code of an active action, after its object's declaration.
    bool actionDeclaration(std::size_t at)
    {
        // Sounds and fades of a global script name no object.
        if (std::optional<int> number = c_.acceptName("esnd")) {
            c_.expect("=Sound(");
            sound(at, std::nullopt, *number);
            return true;
        }
        if (std::optional<int> number = c_.acceptName("obj")) {
            c_.expect("=Object();");
            opacity(at, std::nullopt, *number);
            return true;
        }
        const std::size_t start = c_.position();
        std::optional<ScriptObjectName> owner = acceptName();
        if (!owner)
            return false;
        if (std::optional<int> number = c_.acceptName(".revanim")) {
            rotation(at, *owner, *number);
            return true;
        }
        if (std::optional<int> number = c_.acceptName(".triggerlist")) {
            texture(at, *owner, *number);
            return true;
        }
        if (std::optional<int> number = c_.acceptName(".obj")) {
            c_.expect("=Object();");
            assembly_.setLocalised();
            opacity(at, owner, *number);
            return true;
        }
        if (std::optional<int> number = c_.acceptName(".esnd")) {
            c_.expect("=Sound(");
            assembly_.setLocalised();
            sound(at, owner, *number);
            return true;
        }
        c_.moveTo(start);
        return false;
    }

    void rotation(std::size_t at, const ScriptObjectName& owner, int number)
    {
        const Names o = namesOf(owner);
        const std::string suffix = ".revanim" + std::to_string(number);
        const std::string p = o.s + suffix;
        const std::string q = o.i + suffix;
        ActionSighting action = sighting("ConstantRotationAction", owner, "revanim" + std::to_string(number), std::vector<int>{number}, at);
        action.ownerText = objectTextAfter(at, "// Here, we attach a timestep to the revanim object which runs the rotation for ", "");
        c_.expect("=Object();" + p + ".thetime=0;");
        if (c_.accept(p + ".maxtime=")) {
            action.fields.emplace_back("maxtime", c_.number());
            c_.expect(";");
        }
        c_.expect(p + "." + o.j + "=" + o.s + ";" + p + ".timestep=function(w,d){" + q + ".thetime+=d;if(" + o.i
                  + ".getPhysicalModel()==undefined){" + o.i + ".worldSpaceOrientation=Rotation('XYZ',");
        const double x = c_.number();
        c_.expect("*this.thetime*(0.10471),");
        const double y = c_.number();
        c_.expect("*this.thetime*(0.10471),");
        const double z = c_.number();
        c_.expect("*this.thetime*(0.10471));}else{" + o.i + ".getPhysicalModel().worldSpaceOrientation=Rotation('XYZ',");
        for (int k = 0; k < 3; ++k) {
            c_.number();
            c_.expect(k < 2 ? "*this.thetime*(0.10471)," : "*this.thetime*(0.10471));}");
        }
        c_.accept("if(this.maxtime>0){this.sincetime+=d;if(this.sincetime>this.maxtime)removeAnimator(this);}");
        c_.expect("}~");
        action.fields.emplace_back("xrevolutions", x);
        action.fields.emplace_back("yrevolutions", y);
        action.fields.emplace_back("zrevolutions", z);
        if (owner.kind == Kind::This)
            action.ownerKinds = kViewpoint | kSolidObject;
        assembly_.declareAction(action);
    }

    ActionSighting sighting(const char* className, std::optional<ScriptObjectName> owner, std::string key,
                            std::optional<std::vector<int>> ids, std::size_t at)
    {
        ActionSighting action;
        action.className = className;
        action.owner = std::move(owner);
        action.key = std::move(key);
        action.ids = std::move(ids);
        action.at = at;
        if (action.owner && action.owner->kind == Kind::This)
            assembly_.setLocalised();
        return action;
    }

    void moveAlongAnchors(std::size_t at)
    {
        c_.expect("this.getAnchor=function(anchname){var ret=theStage.getPrimitive(anchname);if(ret!=undefined)return "
                  "ret;ret=theStage.getChild(anchname);if(ret!=undefined)return ret;chat.print('Could not find "
                  "anchor by the name \\''+anchname+'\\'');return undefined;};this.moveanch");
        const int m = c_.nameNumber();
        const std::string a = "this.moveanch" + std::to_string(m);
        c_.expect("=[");
        std::vector<std::string> anchors;
        while (!c_.accept("];")) {
            if (!anchors.empty())
                c_.expect(",");
            anchors.push_back(c_.literal());
        }
        c_.expect(a + ".speed=");
        const double speed = c_.number();
        c_.expect(";");
        const bool localised = c_.accept("this.");
        if (localised)
            assembly_.setLocalised();
        const int b = c_.expectName("beginanch");
        const std::string begin = (localised ? "this.beginanch" : "beginanch") + std::to_string(b);
        c_.expect("=Object();" + begin + ".transform=this.getAnchor(" + a + "[0]).transform;" + begin
                  + ".worldSpacePosition=" + begin + ".transform.translation;");
        const bool actor = !c_.accept("measuredist=function(posa,posb){return "
                                      "Math.sqrt((posa.x-posb.x)*(posa.x-posb.x)+(posa.y-posb.y)*(posa.y-posb.y)+(posa."
                                      "z-posb.z)*(posa.z-posb.z));};");
        c_.expect("this.setupmoveanch" + std::to_string(m) + "=function(theanch,nextid){");
        std::optional<ScriptObjectName> named;
        if (!c_.lookingAt("theanch.ba=")) {
            c_.expect("theanch.");
            expectName();
            c_.expect("=");
            named = expectName();
            c_.expect(";");
            assembly_.setLocalised();
        }
        c_.expect("theanch.ba=" + begin + ";theanch.start=function(){this.ba.started=true;");
        ScriptObjectName owner{Kind::Actor, {}, 0};
        if (actor) {
            c_.expect("this.distance=actor.dist(this.worldSpacePosition);");
        } else {
            c_.expect("this.distance=measuredist(");
            owner = expectName();
            c_.expect(".worldSpacePosition,this.worldSpacePosition);");
        }
        const Names o = namesOf(owner);
        c_.expect("this.time=0;this.currtrans=" + o.i + ".worldSpaceTransform;addAnimator(this);};theanch.speed=" + a
                  + ".speed;theanch.timestep=function(w,d){");
        if (actor)
            c_.expect("actor.forcedGravitySetting=false;actor.ignoreGravityPreference=true;");
        c_.expect("this.time+=(d*this.speed);if(this.time>=this.distance){");
        const std::string blend = "this.currtrans.blend(this.transform,(this.time/this.distance))";
        const bool direct = actor || c_.lookingAt(o.s + ".worldSpaceTransform=");
        if (direct)
            c_.expect(o.s + ".worldSpaceTransform=this.transform;");
        else
            physicalTransform(o.i, "this.transform");
        c_.expect("removeAnimator(this);if(this.next!=undefined){this.next.start();}else{");
        if (actor)
            c_.expect("actor.ignoreGravityPreference=false;");
        c_.expect("this.ba.started=false;}}else{");
        if (direct)
            c_.expect(o.s + ".worldSpaceTransform=" + blend + ";");
        else
            physicalTransform(o.i, blend);
        c_.expect("}};if(nextid<" + a + ".length){theanch.next=this.getAnchor(" + a + "[nextid++]);this.setupmoveanch"
                  + std::to_string(m) + "(theanch.next,nextid);}else return;};this.setupmoveanch" + std::to_string(m)
                  + "(" + begin + ",1);");
        ActionSighting action =
            sighting("MovePositionAction", owner, "beginanch" + std::to_string(b), std::vector<int>{b, m}, at);
        if (direct && !actor)
            action.ownerKinds = kPrimitive;
        else if (owner.kind == Kind::This)
            action.ownerKinds = kViewpoint | kSolidObject;
        action.fields.emplace_back("speed", speed);
        action.fields.emplace_back("anchors", anchors);
        action.fields.emplace_back("usesAnchors", true);
        (void)named;
        assembly_.declareAction(action);
    }

    void physicalTransform(const std::string& i, const std::string& value)
    {
        c_.expect("if(" + i + ".getPhysicalModel()==undefined){" + i + ".worldSpaceTransform=" + value + ";}else{" + i
                  + ".getPhysicalModel().worldSpaceTransform=" + value + ";}");
    }

    void texture(std::size_t at, const ScriptObjectName& owner, int number)
    {
        const Names o = namesOf(owner);
        const std::string list = o.s + ".triggerlist" + std::to_string(number);
        ActionSighting action =
            sighting("AnimateTextureAction", owner, "triggerlist" + std::to_string(number), std::vector<int>{number}, at);
        action.ownerText = objectTextAfter(at, "// Texture animation for ", ". Loading textures....");
        c_.expect("=Array(");
        const int count = c_.integer();
        c_.expect(");");
        std::vector<std::string> textures;
        for (int k = 0; k < count; ++k) {
            const std::string entry = list + "[" + std::to_string(k) + "]";
            c_.expect(entry + "=Texture();" + entry + ".URL=");
            textures.push_back(c_.literal());
            c_.expect(";");
        }
        c_.expect(list + ".faces=[];" + list + ".thetime=0;" + list + ".ind=0;");
        const bool endless = !c_.accept(list + ".maxrevolutions=0;");
        if (c_.accept(list + "." + o.j + "=" + o.s + ";"))
            assembly_.setLocalised();
        c_.expect(list + ".timestep=function(w,d){this.added=true;if(this.faces.length==0&&" + o.i + ".loaded){");
        std::string face = o.i;
        const bool model = owner.kind == Kind::Global && owner.prefix == "modelobj";
        if (model) {
            c_.expect("var prim=" + o.s + ".getPrimitive(");
            action.fields.emplace_back("primitiveName", std::optional<std::string>(c_.literal()));
            c_.expect(");");
            face = "prim";
        }
        c_.expect("for(i=0;i<" + face + ".getFaceCount();i++){if(" + face + ".getFace(i).getSurfaceTexture()!=undefined");
        if (c_.accept("&&(")) {
            std::vector<int> faces;
            do {
                faces.push_back(c_.integer());
                c_.expect("==i");
            } while (c_.accept("||"));
            c_.expect(")");
            action.fields.emplace_back("findfaces", std::optional<std::vector<int>>(faces));
        } else if (c_.accept("&&" + face + ".getFace(i).getSurfaceTexture().texture.URL==")) {
            action.fields.emplace_back("findtextureurl", std::optional<std::string>(c_.literal()));
        }
        c_.expect("){this.faces.push(" + face
                  + ".getFace(i).getSurfaceTexture());}}}if(this.faces.length>0){this.thetime+=d;if(this.thetime>");
        action.fields.emplace_back("animateDelay", c_.number());
        c_.expect("){this.thetime=0.0;if(this.ind==this.length-1){this.ind=0;");
        if (!endless) {
            c_.expect("this.maxrevolutions++;if(this.maxrevolutions>=");
            action.fields.emplace_back("maxrevolutions", c_.integer());
            c_.expect("){this.maxrevolutions=0;removeAnimator(this);this.added=false;return;}");
        }
        c_.expect("}else{this.ind++;}for(i=0;i<this.faces.length;i++){this.faces[i].texture=this[this.ind];}}}}~");
        action.fields.emplace_back("textures", textures);
        if (owner.kind == Kind::This)
            action.ownerKinds = kPrimitive;
        assembly_.declareAction(action);
    }

    void opacity(std::size_t at, std::optional<ScriptObjectName> named, int number)
    {
        const std::string animator = "obj" + std::to_string(number);
        const std::string x = named ? namesOf(*named).s + "." + animator : animator;
        c_.expect(x + ".currtime=0;" + x + ".divbit=");
        const double step = c_.numberOrInfinity();
        c_.expect(";" + x + ".added=false;" + x + ".finalopacity=");
        const double final = c_.number();
        c_.expect(";" + x + ".fadestep=function(o){var next=o+this.divbit;if((this.finalopacity-next)*this.divbit<=this."
                  "divbit*this.divbit/2){this.reached=true;return this.finalopacity;}return next;};");
        unsigned kinds = kAnyLocalisable;
        std::optional<std::string> solidName;
        if (!c_.lookingAt(x + ".timestep=")) {
            // A localised animator reaches its owner by a name of its own.
            c_.expect(x + ".");
            expectName();
            c_.expect("=");
            if (c_.accept("theStage.getSolidObject(")) {
                solidName = indexOrName();
                c_.expect(")");
                kinds = kSolidObject;
            } else {
                expectName();
            }
            c_.expect(";");
        }
        c_.expect(x + ".timestep=function(w,d){this.currtime+=d;if(this.currtime>0.5){this.currtime=0;if(");
        const ScriptObjectName owner = expectName();
        const Names o = namesOf(owner);
        c_.expect(".loaded){this.added=true;this.reached=false;");
        if (c_.lookingAt("for(j=0;j<" + o.s + ".getSolidObjectCount();")) {
            c_.expect("for(j=0;j<" + o.s + ".getSolidObjectCount();j++){" + o.s + ".getSolidObject(j).opacity=this."
                      "fadestep(" + o.s + ".getSolidObject(j).opacity);}for(j=0;j<" + o.s
                      + ".getViewpointObjectCount();j++){vpooj=" + o.s
                      + ".getViewpointObject(j);for(d=0;d<vpooj.scene.getInstanceCount();d++){vpooj.scene."
                        "getInstance(d).opacity=this.fadestep(vpooj.scene.getInstance(d).opacity);}}");
        } else if (c_.lookingAt("for(j=0;j<")) {
            c_.expect("for(j=0;j<" + o.i + ".scene.getInstanceCount();j++){" + o.i
                      + ".scene.getInstance(j).opacity=this.fadestep(" + o.i + ".scene.getInstance(j).opacity);}");
            kinds &= kViewpoint;
        } else {
            c_.expect(o.i + ".opacity=this.fadestep(" + o.i + ".opacity);");
            kinds &= kSolidObject;
        }
        c_.expect("if(this.reached){removeAnimator(this);this.added=false;}}}}~");
        ActionSighting action = sighting("OpacityAction", owner, animator, std::vector<int>{number}, at);
        action.ownerKinds = kinds;
        action.fields.emplace_back("finalOpacity", final);
        action.fadeStep = step;
        if (solidName)
            action.ownerName = *solidName;
        assembly_.declareAction(action);
    }

    void sound(std::size_t at, std::optional<ScriptObjectName> named, int number)
    {
        const std::string sound = "esnd" + std::to_string(number);
        const std::string e = named ? namesOf(*named).s + "." + sound : sound;
        const std::string bk = named ? namesOf(*named).s + ".btn" + sound : "btn" + sound;
        const std::string x = named ? namesOf(*named).i + "." + sound : sound;
        ActionSighting action = sighting("EmitSoundAction", named, sound, std::vector<int>{number}, at);
        action.fields.emplace_back("filename", text(c_.literal(), false));
        c_.expect(");" + e + ".active=false;" + e + ".volume=");
        action.fields.emplace_back("volume", c_.number());
        c_.expect(";" + e + ".repeats=");
        action.fields.emplace_back("repeats", c_.integer());
        c_.expect(";" + e + ".near=");
        action.fields.emplace_back("near", c_.number());
        c_.expect(";" + e + ".far=");
        action.fields.emplace_back("far", c_.number());
        c_.expect(";");
        const bool buttons = c_.accept(bk + "=Toggle(");
        if (buttons) {
            const std::size_t captionAt = c_.position();
            if (c_.literal() != "Sound " + std::to_string(number) + " On/Off")
                ScriptCursor::failAt(captionAt, "\"Sound " + std::to_string(number) + " On/Off\"");
            c_.expect(").add();");
            if (named) {
                const Names o = namesOf(*named);
                c_.expect(bk + "." + o.j + "=" + o.s + ";");
            }
            c_.expect(bk + ".state=true;" + bk + ".onClick=function(state){if(state&&!" + x + ".active){" + x
                      + ".play();}else{" + x + ".stop();}}~");
        }
        action.fields.emplace_back("controlPanelBtns", buttons);
        assembly_.declareAction(action);
    }

    // ------------------------------------------------------------------
    // First-load waits, synchronised names, the world

    bool firstLoadWait()
    {
        const std::size_t at = c_.position();
        const std::size_t start = c_.position();
        std::optional<ScriptObjectName> object = acceptName();
        if (!object || !c_.accept(".worldfirstloads=Object();")) {
            c_.moveTo(start);
            return false;
        }
        const Names o = namesOf(*object);
        FirstLoadWait wait{*object, false, {}, at};
        if (c_.accept(o.s + ".worldfirstloads." + o.j + "=" + o.s + ";"))
            assembly_.setLocalised();
        c_.expect(o.s + ".worldfirstloads.timestep=function(){if(");
        if (c_.accept("true"))
            wait.solidObject = true;
        else
            c_.expect(o.i + ".loaded");
        while (c_.accept("&&")) {
            wait.owners.push_back(expectName());
            c_.expect(".loaded");
        }
        c_.expect("){" + o.i + ".firstload();removeAnimator(this);}};addAnimator(" + o.s + ".worldfirstloads);");
        if (object->kind == Kind::This)
            assembly_.setLocalised();
        assembly_.firstLoadWait(wait);
        return true;
    }

    void synchronisedNames()
    {
        if (!c_.accept("triggernames=["))
            return;
        assembly_.setSynchronised();
        std::vector<int> numbers;
        while (!c_.accept("];")) {
            if (!numbers.empty())
                c_.expect(",");
            numbers.push_back(synchronisationName());
        }
        c_.expect("triggerrunning=[];");
        assembly_.synchronisedNames(std::move(numbers));
    }

    // 'synchtrigger12', the name a synchronised trigger is known by.
    int synchronisationName()
    {
        const std::size_t at = c_.position();
        const std::string name = c_.literal();
        ScriptCursor names(name);
        std::optional<int> number;
        try {
            number = names.acceptName("synchtrigger");
        } catch (const ScriptCursor::Mismatch&) {
        }
        if (!number || !names.atEnd())
            ScriptCursor::failAt(at, "a synchronised trigger's name ('synchtrigger' and a number)");
        return *number;
    }

    void worldScript()
    {
        while (c_.accept("chat.print(")) {
            assembly_.welcomeLine(c_.literal());
            c_.expect(");");
        }
        int tail = 0;
        if (c_.accept("fog.active=true;fog.color=[")) {
            RecognisedFields fog = colour();
            c_.expect(";fog.near=");
            fog.emplace_back("near", c_.number());
            c_.expect(";fog.far=");
            fog.emplace_back("far", c_.number());
            c_.expect(";");
            fog.emplace_back("addControlPanelButtonOffOn", toggle("fog", "Fog On/Off"));
            tail = std::get<bool>(fog.back().second) ? 1 : 2;
            assembly_.worldRecord("fog", std::move(fog));
        }
        if (c_.accept("glareEffect.active=true;glareEffect.color=[")) {
            RecognisedFields glare = colour();
            c_.expect(";glareEffect.brightness=");
            glare.emplace_back("brightness", c_.number());
            c_.expect(";glareEffect.radius=");
            glare.emplace_back("radius", c_.number());
            c_.expect(";glareEffect.nonlinearity=");
            glare.emplace_back("nonlinear", c_.number());
            c_.expect(";");
            glare.emplace_back("addControlPanelButtonOffOn", toggle("glareEffect", "Glare On/Off"));
            tail = std::get<bool>(glare.back().second) ? 1 : 2;
            assembly_.worldRecord("glare", std::move(glare));
        }
        while (std::optional<int> number = c_.acceptName("snd")) {
            worldSound(*number);
            tail = 2;
        }
        assembly_.setWorldTail(tail);
    }

    RecognisedFields colour()
    {
        RecognisedFields fields;
        fields.emplace_back("colourr", c_.number());
        c_.expect(",");
        fields.emplace_back("colourg", c_.number());
        c_.expect(",");
        fields.emplace_back("colourb", c_.number());
        c_.expect("]");
        return fields;
    }

    bool toggle(const std::string& v, const std::string& caption)
    {
        if (!c_.accept("btn" + v + "=Toggle(\"" + caption + "\").add();"))
            return false;
        c_.expect("btn" + v + ".state=true;btn" + v + ".onClick=function(state){" + v + ".active=state;}~");
        return true;
    }

    void worldSound(int number)
    {
        const std::string v = "snd" + std::to_string(number);
        RecognisedFields sound;
        sound.emplace_back("id", number);
        c_.expect("=Sound(");
        sound.emplace_back("filename", text(c_.literal(), false));
        c_.expect(");" + v + ".active=true;" + v + ".volume=");
        sound.emplace_back("volume", c_.number());
        c_.expect(";" + v + ".repeats=");
        sound.emplace_back("repeats", c_.integer());
        c_.expect(";" + v + ".near=");
        sound.emplace_back("near", c_.number());
        c_.expect(";" + v + ".far=");
        sound.emplace_back("far", c_.number());
        c_.expect(";");
        const bool positioned = c_.accept(v + ".position=Vector(");
        if (positioned) {
            sound.emplace_back("x", c_.number());
            c_.expect(",");
            sound.emplace_back("y", c_.number());
            c_.expect(",");
            sound.emplace_back("z", c_.number());
            c_.expect(");");
        }
        sound.emplace_back("enablePositions", positioned);
        const bool buttons = c_.accept("btn" + v + "=Toggle(\"Sound " + std::to_string(number) + " On/Off\").add();");
        if (buttons)
            c_.expect("btn" + v + ".state=true;btn" + v + ".onClick=function(state){if(state&&!" + v + ".active){" + v
                      + ".play();}else " + v + ".stop();};");
        sound.emplace_back("addControlPanelButtons", buttons);
        c_.expect(v + ".play();");
        assembly_.worldSound(std::move(sound));
    }

    // ------------------------------------------------------------------
    // Triggers

    void triggers()
    {
        for (;;) {
            actionlessTriggers(c_.position());
            const std::size_t at = c_.position();
            const std::size_t start = c_.position();
            std::optional<ScriptObjectName> object = acceptName();
            if (!object)
                break;
            const Names o = namesOf(*object);
            TriggerSighting trigger;
            trigger.object = *object;
            trigger.at = at;
            trigger.emptyLinesBefore = emptyLinesInGap(at);
            if (c_.accept(".mouse=MouseEventHandler();")) {
                onClick(trigger, o);
            } else if (c_.accept(".prox=Object();")) {
                proximity(trigger, o);
            } else if (c_.accept(".firstload=function(){") || localisedFirstLoad(o)) {
                firstLoad(trigger, o);
            } else {
                c_.moveTo(start);
                break;
            }
            if (object->kind == Kind::This)
                assembly_.setLocalised();
            assembly_.trigger(std::move(trigger));
        }
        assembly_.setEmptyLinesAfterTriggers(emptyLinesInGap(c_.position()));
    }

    // "// No Actions added for trigger: Proximity trigger" is all a trigger
    // without actions writes.
    void actionlessTriggers(std::size_t at)
    {
        // The empty lines before it, counted as for a trigger with code.
        int emptyLines = 0;
        for (const CompressedScript::Comment& comment : script_.commentsAt(at)) {
            emptyLines += comment.emptyLinesBefore;
            if (comment.text.starts_with("// Trigger actions"))
                emptyLines = 0;
            if (const char* className = isActionlessTrigger(comment.text)) {
                assembly_.actionlessTrigger(className, emptyLines, at);
                emptyLines = 0;
            }
        }
    }

    // A localised first-load trigger binds its object first: "S.J=S;".
    bool localisedFirstLoad(const Names& o)
    {
        const std::size_t start = c_.position();
        // A localised object's binding starts with its inner name, which was
        // read as the object's name: "this.localisedparent=this;".
        const bool inner = o.s == "this" && c_.text().substr(0, start).ends_with(o.i);
        const std::string binding = inner ? "=" + o.s + ";" : "." + o.j + "=" + o.s + ";";
        if (c_.accept(binding + o.s + ".firstload=function(){")) {
            assembly_.setLocalised();
            return true;
        }
        c_.moveTo(start);
        return false;
    }

    void onClick(TriggerSighting& trigger, const Names& o)
    {
        trigger.className = "OnclickTrigger";
        trigger.objectText = objectTextAfter(trigger.at, "// on click trigger for '", "'");
        c_.expect(o.s + ".mouse.setFilterOnClick(" + o.s + ");");
        if (c_.accept(o.s + ".mouse." + o.j + "=" + o.s + ";"))
            assembly_.setLocalised();
        c_.expect(o.s + ".mouse.onEvent=function(ev,obj){");
        body(trigger, false);
        c_.expect("}~");
    }

    void proximity(TriggerSighting& trigger, const Names& o)
    {
        trigger.className = "ProximityTrigger";
        c_.expect(o.s + ".prox.fired=false;");
        if (c_.accept(o.s + ".prox." + o.j + "=" + o.s + ";"))
            assembly_.setLocalised();
        c_.expect(o.s + ".prox.timestep=function(){if(actor.dist(" + o.i + ".worldSpacePosition)<");
        trigger.fields.emplace_back("distance", c_.number());
        c_.expect("){if(!this.fired){this.fired=true;");
        trigger.fields.emplace_back("continuous", !c_.accept("removeAnimator(this);"));
        body(trigger, false);
        c_.expect("}}else{if(this.fired){");
        if (trigger.synchronisedId)
            synchronisedExit(*trigger.synchronisedId);
        else
            exitBody();
        c_.expect("}this.fired=false;}};addAnimator(" + o.s + ".prox);");
    }

    void firstLoad(TriggerSighting& trigger, const Names&)
    {
        trigger.className = "WorldFirstLoadsTrigger";
        body(trigger, false);
        c_.expect("}~");
    }

    // The code a trigger runs: its actions' trigger code, or the code that
    // sets its shared property when it is synchronised.
    void body(TriggerSighting& trigger, bool)
    {
        if (c_.lookingAt("for(i=0;i<triggernames.length;i++){if(triggernames[i]==")) {
            trigger.synchronisedId = synchronisedStart();
            return;
        }
        while (std::optional<ActionSighting> action = actionTrigger())
            trigger.actions.push_back(std::move(*action));
    }

    int synchronisedStart()
    {
        c_.expect("for(i=0;i<triggernames.length;i++){if(triggernames[i]==");
        const int number = synchronisationName();
        const std::string n = "'synchtrigger" + std::to_string(number) + "'";
        c_.expect("){if(!triggerrunning[i]){prop=chat.getSharedProperty(" + n + ",'running');if(chat.isConnected){chat."
                  "setSharedProperty(" + n + ",'running','true');}else{if(!triggernames.waiting){triggernames.waiting=true;"
                  "waitalittlewhileforchat=Object();waitalittlewhileforchat.timestep=function(){if(chat.isConnected&&"
                  "triggernames.ok){chat.setSharedProperty(" + n + ",'running','true');triggernames.waiting=false;"
                  "removeAnimator(waitalittlewhileforchat);}};addAnimator(waitalittlewhileforchat);}}}break;}}");
        return number;
    }

    void synchronisedExit(int number)
    {
        const std::string n = "'synchtrigger" + std::to_string(number) + "'";
        c_.expect("for(i=0;i<triggernames.length;i++){if(triggernames[i]==" + n
                  + "){if(triggerrunning[i]){prop=chat.getSharedProperty(" + n
                  + ",'running');if(chat.isConnected){chat.setSharedProperty(" + n
                  + ",'running','false');}}break;}}");
    }

    // The exit code of the actions: only rotations and viewpoint animations
    // write any, and which actions run is known from the trigger code.
    void exitBody()
    {
        while (exitAction()) {
        }
    }

    bool exitAction()
    {
        const std::size_t start = c_.position();
        if (c_.accept("if(")) {
            std::optional<ScriptObjectName> owner = acceptName();
            std::optional<int> number = owner ? c_.acceptName(".revanim") : std::nullopt;
            if (number) {
                const std::string q = namesOf(*owner).i + ".revanim" + std::to_string(*number);
                c_.expect(".maxtime>0){if(" + q + ".sincetime<" + q + ".maxtime)removeAnimator(" + q
                          + ");}else removeAnimator(" + q + ");");
                return true;
            }
            c_.moveTo(start);
            return false;
        }
        std::optional<ScriptObjectName> owner = acceptName();
        if (owner && c_.accept(".etrig.trigger();"))
            return true;
        c_.moveTo(start);
        return false;
    }

    // One action's trigger code, or nothing when none starts here.
    std::optional<ActionSighting> actionTrigger()
    {
        const std::size_t at = c_.position();
        if (c_.accept("chat.print(")) {
            ActionSighting action = sighting("ChatPrintMessageAction", std::nullopt, {}, std::nullopt, at);
            action.fields.emplace_back("message", std::optional<std::string>(c_.literal()));
            c_.expect(");");
            action.key = "chat|" + std::get<std::optional<std::string>>(action.fields.back().second).value();
            return action;
        }
        if (c_.accept("sendJS("))
            return popup(at);
        if (c_.accept("if(actor.dist("))
            return gotoWorld(at);
        if (c_.lookingAt("for(j=0;j<"))
            return opacityAtOnce(at);
        if (c_.accept("if(!"))
            return started(at);
        if (c_.lookingAt("if("))
            return moveByVector(at);
        if (c_.lookingAt("esnd"))
            return soundTrigger(at, std::nullopt);
        const std::size_t start = c_.position();
        std::optional<ScriptObjectName> owner = acceptName();
        if (!owner)
            return std::nullopt;
        if (std::optional<int> number = c_.acceptName(".revanim")) {
            const std::string q = namesOf(*owner).i + ".revanim" + std::to_string(*number);
            c_.expect(".sincetime=0;addAnimator(" + q + ");");
            return sighting("ConstantRotationAction", owner, "revanim" + std::to_string(*number), std::nullopt, at);
        }
        if (c_.lookingAt(".esnd")) {
            c_.moveTo(start);
            return soundTrigger(at, owner);
        }
        if (c_.accept(".opacity=")) {
            ActionSighting action = sighting("OpacityAction", owner, {}, std::nullopt, at);
            action.fields.emplace_back("finalOpacity", c_.number());
            action.fields.emplace_back("fadeInOpacity", false);
            action.ownerKinds = kSolidObject;
            c_.expect(";");
            return action;
        }
        if (c_.accept(".trig.trigger();")) {
            ActionSighting action = sighting("ViewpointObjectAction", owner, {}, std::nullopt, at);
            action.ownerKinds = kViewpoint;
            return action;
        }
        if (owner->kind == Kind::Actor && c_.accept(".worldSpacePosition=theActor.worldSpacePosition.add([")) {
            ActionSighting action = sighting("MovePositionAction", owner, {}, std::nullopt, at);
            vector(action);
            c_.expect(";");
            // Only the moves that are not smooth write a comment here.
            action.fields.emplace_back("smoothTransition",
                                       !commentAfter(at, "// Move object directly to a new position").has_value());
            return action;
        }
        c_.moveTo(start);
        return std::nullopt;
    }

    void vector(ActionSighting& action)
    {
        action.fields.emplace_back("xdirection", c_.number());
        c_.expect(",");
        action.fields.emplace_back("ydirection", c_.number());
        c_.expect(",");
        action.fields.emplace_back("zdirection", c_.number());
        c_.expect("])");
    }

    ActionSighting popup(std::size_t at)
    {
        const std::size_t literalAt = c_.position();
        const std::string sent = c_.literal();
        c_.expect(");");
        // The page's own script, which holds the address in a literal of its own.
        ScriptCursor page(sent);
        ActionSighting action = sighting("URLpopup", std::nullopt, {}, std::nullopt, at);
        try {
            page.expect("window.open(");
            action.fields.emplace_back("url", text(page.literal(), true));
            page.expect(",'newinst','");
            for (const char* feature : {"menubar", "toolbar", "location", "status", "scrollbars", "resizable"}) {
                if (std::string_view(feature) != "menubar")
                    page.expect(",");
                page.expect(std::string(feature) + "=");
                bool yes = page.accept("yes");
                if (!yes)
                    page.expect("no");
                action.fields.emplace_back(feature, yes);
            }
            page.expect(",width=");
            action.fields.emplace_back("width", page.integer());
            page.expect(",height=");
            action.fields.emplace_back("height", page.integer());
            page.expect("')");
            if (!page.atEnd())
                page.fail("the end of the page's script");
        } catch (const ScriptCursor::Mismatch& mismatch) {
            ScriptCursor::failAt(literalAt, std::string("a pop-up's window.open call (") + mismatch.what() + ")");
        }
        action.key = "popup|" + sent;
        return action;
    }

    ActionSighting gotoWorld(std::size_t at)
    {
        const ScriptObjectName owner = expectName();
        c_.expect(".worldSpacePosition)<");
        ActionSighting action = sighting("GotoNewWorldAction", owner, {}, std::nullopt, at);
        const double distance = c_.number();
        c_.expect("){chat.input(");
        const std::size_t literalAt = c_.position();
        std::string command = c_.literal();
        if (command.substr(0, 6) != "/goto ")
            ScriptCursor::failAt(literalAt, "'/goto ' and a world's address");
        c_.expect(");}");
        action.fields.emplace_back("aerURLLocation", text(command.substr(6), true));
        action.fields.emplace_back("distance", distance);
        action.key = "goto|" + command + "|" + std::to_string(distance);
        return action;
    }

    ActionSighting opacityAtOnce(std::size_t at)
    {
        c_.expect("for(j=0;j<");
        const ScriptObjectName owner = expectName();
        const Names o = namesOf(owner);
        ActionSighting action = sighting("OpacityAction", owner, {}, std::nullopt, at);
        if (c_.accept(".getSolidObjectCount();j++){" + o.s + ".getSolidObject(j).opacity=")) {
            const double final = c_.number();
            c_.expect(";}for(j=0;j<" + o.s + ".getViewpointObjectCount();j++){vpooj=" + o.s
                      + ".getViewpointObject(j);for(d=0;d<vpooj.scene.getInstanceCount();d++){vpooj.scene.getInstance(d)"
                        ".opacity=");
            c_.number();
            c_.expect(";}}");
            action.fields.emplace_back("finalOpacity", final);
        } else {
            c_.expect(".scene.getInstanceCount();j++){" + o.i + ".scene.getInstance(j).opacity=");
            action.fields.emplace_back("finalOpacity", c_.number());
            c_.expect(";}");
            action.ownerKinds = kViewpoint;
        }
        action.fields.emplace_back("fadeInOpacity", false);
        return action;
    }

    // "if(!X.started)" of an anchor tour, "if(!X.added)" of a fade or a
    // texture animation.
    ActionSighting started(std::size_t at)
    {
        std::optional<ScriptObjectName> owner;
        const std::size_t start = c_.position();
        if (!c_.lookingAt("beginanch") && !c_.lookingAt("obj")) {
            owner = expectName();
            c_.expect(".");
        }
        if (std::optional<int> number = c_.acceptName("beginanch")) {
            const std::string b = (owner ? namesOf(*owner).i + "." : std::string()) + "beginanch" + std::to_string(*number);
            c_.expect(".started){" + b + ".start();}");
            ActionSighting action =
                sighting("MovePositionAction", owner, "beginanch" + std::to_string(*number), std::nullopt, at);
            action.owner.reset();
            return action;
        }
        if (std::optional<int> number = c_.acceptName("obj")) {
            const std::string x = (owner ? namesOf(*owner).i + "." : std::string()) + "obj" + std::to_string(*number);
            c_.expect(".added){addAnimator(" + x + ");}");
            ActionSighting action = sighting("OpacityAction", std::nullopt, "obj" + std::to_string(*number),
                                             std::nullopt, at);
            action.fields.emplace_back("fadeInOpacity", true);
            return action;
        }
        if (owner) {
            if (std::optional<int> number = c_.acceptName("triggerlist")) {
                const std::string list = namesOf(*owner).i + ".triggerlist" + std::to_string(*number);
                c_.expect(".added){addAnimator(" + list + ");}");
                ActionSighting action = sighting("AnimateTextureAction", owner, "triggerlist" + std::to_string(*number),
                                                 std::nullopt, at);
                action.ownerText = objectTextAfter(at, "// Trigger ", " texture animation here...");
                return action;
            }
        }
        c_.moveTo(start);
        c_.fail("an anchor tour, a fade or a texture animation");
    }

    ActionSighting moveByVector(std::size_t at)
    {
        c_.expect("if(");
        const ScriptObjectName owner = expectName();
        const Names o = namesOf(owner);
        c_.expect(".getPhysicalModel()==undefined){" + o.i + ".worldSpacePosition=" + o.i + ".worldSpacePosition.add([");
        ActionSighting action = sighting("MovePositionAction", owner, {}, std::nullopt, at);
        vector(action);
        c_.expect(";}else{" + o.i + ".getPhysicalModel().worldSpacePosition=" + o.i + ".worldSpacePosition.add([");
        for (int k = 0; k < 3; ++k) {
            c_.number();
            if (k < 2)
                c_.expect(",");
        }
        c_.expect("]);}");
        // A smooth move writes its comment inside the test, the other
        // before it.
        action.fields.emplace_back("smoothTransition",
                                   !commentAfter(at, "// Move object directly to a new position").has_value());
        if (owner.kind == Kind::This)
            action.ownerKinds = kViewpoint | kSolidObject;
        return action;
    }

    ActionSighting soundTrigger(std::size_t at, std::optional<ScriptObjectName> named)
    {
        std::string x;
        if (named) {
            expectName();
            c_.expect(".");
            x = namesOf(*named).i + ".";
        }
        const int number = c_.expectName("esnd");
        x += "esnd" + std::to_string(number);
        c_.expect(".position=Vector(");
        const ScriptObjectName owner = expectName();
        const Names o = namesOf(owner);
        c_.expect(".position.x," + o.i + ".position.y," + o.i + ".position.z);if(!" + x + ".active){" + x + ".active=true;"
                  + x + ".play();}");
        return sighting("EmitSoundAction", owner, "esnd" + std::to_string(number), std::nullopt, at);
    }

    // ------------------------------------------------------------------
    // The shared-object handler

    void sharedObjects()
    {
        assembly_.setSynchronised();
        c_.expect("connect=Object();connect.timestep=function(){if(chat.isConnected){for(i=0;i<triggernames.length;i++){"
                  "triggerrunning[i]=false;try{chat.createSharedObject(triggernames[i]);}catch(oerror){chat.print('"
                  "SharedObj - ',oerror.name,': ',oerror.message);}}triggernames.ok=true;removeAnimator(this);}};"
                  "addAnimator(connect);chat.onSharedPropertyChange=function(objname,property,value){if(objname!="
                  "undefined&&property!=undefined&&value!=undefined){");
        bool first = true;
        while (!c_.accept("}}")) {
            if (!first)
                c_.expect("else ");
            first = false;
            const std::size_t at = c_.position();
            c_.expect("if(objname==");
            const int number = synchronisationName();
            c_.expect("&&property=='running'&&value==");
            const std::size_t valueAt = c_.position();
            const std::string value = c_.literal();
            if (value != "true" && value != "false")
                ScriptCursor::failAt(valueAt, "'true' or 'false'");
            const bool running = value == "true";
            c_.expect("){");
            std::vector<ActionSighting> actions;
            if (running) {
                while (std::optional<ActionSighting> action = actionTrigger())
                    actions.push_back(std::move(*action));
            } else {
                exitBody();
            }
            if (c_.accept("triggerrunning[")) {
                c_.integer();
                c_.expect(running ? "]=true;" : "]=false;");
            }
            c_.expect("}");
            assembly_.branch(number, running, std::move(actions), at);
        }
    }

    const CompressedScript& script_;
    ScriptCursor c_;
    SceneAssembly& assembly_;
};

} // namespace

SceneAssembly ScriptRecogniser::read(const CompressedScript& script, bool generatorLayout)
{
    SceneAssembly assembly(generatorLayout);
    Reader(script, assembly).read();
    return assembly;
}

} // namespace scenewright::core::script

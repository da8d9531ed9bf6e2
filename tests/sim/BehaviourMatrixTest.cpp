#include "SimScene.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/InteractionCatalogue.h"
#include "scenewright/core/SceneCheck.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

// Every action each object kind allows, in every mode, fired by every
// trigger kind on its own object and on another one, in a global and a
// localised script, synchronised or not: each combination runs in the
// simulated world, and what the action does there is checked. What a
// localised script cannot do by its nature must be warned about instead,
// and must indeed fail.
namespace scenewright::test {
namespace {

using namespace core;
using action::FieldValue;

enum class Kind { Model, Primitive, Solid, Viewpoint, Actor };
const char* const kindNames[] = {"statue", "door", "3", "gate", "actor"}; // the solid object by index
const char* const triggerClasses[] = {"ProximityTrigger", "OnclickTrigger", "WorldFirstLoadsTrigger"};
enum Fire { Proximity, Click, FirstLoad };

// A call the log must hold `times` times (-1: at least once) after the
// trigger fired, or, for a proximity trigger, after the actor left (the
// frame that notices it included or not). A line matches when it is the
// call, or the call and its arguments; a call ending in "*" matches every
// line it starts. "$owner" stands for the owner's
// name, "$target" for each thing whose opacity it has, "$surface" for
// what shows its textures (a model's primitive "screen") and "$moved" for
// its place once moved by (1, 2, 3).
enum Window { Fired, Leaving, Left };
struct Expect {
    std::string call;
    int times;
    Window window = Fired;
};

struct ActionCase {
    const char* name;
    const char* className;
    std::vector<std::pair<const char*, FieldValue>> fields;
    std::vector<Kind> kinds;
    // How long it takes to finish once fired.
    double seconds;
    std::vector<Expect> expects;
};

const std::vector<Kind> everyUserKind = {Kind::Model, Kind::Primitive, Kind::Solid, Kind::Viewpoint};
const std::vector<Kind> movable = {Kind::Model, Kind::Solid, Kind::Viewpoint, Kind::Actor};
const std::vector<Kind> faded = {Kind::Model, Kind::Solid, Kind::Viewpoint};
const std::vector<Kind> textured = {Kind::Model, Kind::Primitive};
const std::vector<std::string> anchors = {"a1", "a2"};
std::optional<std::string> text(const char* value) { return std::string(value); }

const std::vector<ActionCase> actionCases = {
    {"rotation", "ConstantRotationAction", {}, faded, 1,
     {{"$owner.worldSpaceOrientation=", -1}, {"$owner.worldSpaceOrientation=", 0, Left}}},
    {"move smoothly", "MovePositionAction", {{"xdirection", 1.0}, {"ydirection", 2.0}, {"zdirection", 3.0}}, movable,
     1, {{"$owner.worldSpacePosition= $moved", 1}, {"$owner.worldSpacePosition=", 1}}},
    {"move directly", "MovePositionAction",
     {{"xdirection", 1.0}, {"ydirection", 2.0}, {"zdirection", 3.0}, {"smoothTransition", false}}, movable, 1,
     {{"$owner.worldSpacePosition= $moved", 1}, {"$owner.worldSpacePosition=", 1}}},
    // The anchors are parts of the world at (10, 0, 10) and (20, 0, 10); the
    // actor starts 1000 units away.
    {"move along anchors", "MovePositionAction", {{"usesAnchors", true}, {"anchors", anchors}, {"speed", 400.0}},
     movable, 3, {{"$owner.worldSpaceTransform= Transform(Vector(20,0,10))", -1}}},
    {"opacity at once", "OpacityAction", {{"finalOpacity", 0.2}, {"fadeInOpacity", false}}, faded, 1,
     {{"$target.opacity= 0.2", 1}}},
    // From 1.0 to 0.2 in steps of -0.08, one every half second: the tenth
    // step sets 0.2 exactly and the fade ends.
    {"opacity fading", "OpacityAction", {{"finalOpacity", 0.2}}, faded, 6,
     {{"$target.opacity= 0.28", 1}, {"$target.opacity= 0.2", 1}, {"$target.opacity= 0.12", 0}}},
    {"texture by face number", "AnimateTextureAction",
     {{"textures", std::vector<std::string>{"a.jpg", "b.jpg"}}, {"animateDelay", 0.1}, {"primitiveName", text("screen")},
      {"findfaces", std::optional<std::vector<int>>(std::vector<int>{1})}},
     textured, 1, {{"$surface.face(1).texture= Texture('b.jpg')", -1}}},
    {"texture by texture address", "AnimateTextureAction",
     {{"textures", std::vector<std::string>{"a.jpg", "b.jpg"}}, {"animateDelay", 0.1}, {"primitiveName", text("screen")},
      {"findtextureurl", text("face2.jpg")}},
     textured, 1, {{"$surface.face(2).texture= Texture('b.jpg')", -1}, {"$surface.face(1).texture=", 0}}},
    {"chat message", "ChatPrintMessageAction", {{"message", text("hello")}}, everyUserKind, 1,
     {{"chat.print 'hello'", 1}}},
    {"sound", "EmitSoundAction", {{"filename", text("knock.wav")}}, everyUserKind, 1,
     {{"Sound('knock.wav').play", 1}}},
    {"goto", "GotoNewWorldAction", {{"aerURLLocation", text("other.aer")}, {"distance", 5000.0}}, everyUserKind, 1,
     {{"chat.input '/goto other.aer'", 1}}},
    {"URL pop-up", "URLpopup", {{"url", text("page.html")}}, everyUserKind, 1,
     {{"sendJS \"window.open('page.html'*", 1}}},
    {"viewpoint animation", "ViewpointObjectAction",
     {{"triggerTimeElem", text("open")}, {"exitTriggerTimeElem", text("close")}}, {Kind::Viewpoint}, 1,
     {{"$owner.timeElem('open').trigger", 1}, {"$owner.timeElem('close').trigger", 1, Leaving}}},
};

struct Row {
    const ActionCase* action;
    Kind kind;
    Fire fire;
    bool other;
    bool localised;
    bool synchronised;

    std::string owner() const { return kindNames[static_cast<int>(kind)]; }
    // The trigger sits on the owner or on a model named lamp.
    std::string holder() const { return other ? "lamp" : owner(); }

    std::string label() const
    {
        return std::string(action->name) + " on " + owner() + ", " + triggerClasses[fire] + " on " + holder()
               + (localised ? ", localised" : ", global") + (synchronised ? ", synchronised" : "");
    }

    // What a localised script cannot run by its nature: another primitive,
    // solid object or viewpoint object is "this" in its own script; the
    // first-load trigger waits for the owners of its actions; an anchor tour
    // is declared on "this" but started through the name of a model or the
    // actor; synchronised actions run in the chat's handler. Chat lines and
    // pop-ups name no object.
    bool expectsWarning() const
    {
        const bool thisInItsScript = kind == Kind::Primitive || kind == Kind::Solid || kind == Kind::Viewpoint;
        const bool namesOwner = std::string(action->className) != "ChatPrintMessageAction"
                                && std::string(action->className) != "URLpopup";
        const bool tour = std::string(action->name) == "move along anchors";
        return localised
               && ((other && thisInItsScript && namesOwner)
                   || (fire == FirstLoad && other && (kind == Kind::Primitive || kind == Kind::Viewpoint))
                   || (tour && (kind == Kind::Model || kind == Kind::Actor))
                   || (synchronised && thisInItsScript && namesOwner));
    }

    // The expected calls with their placeholders filled in.
    std::vector<Expect> expects() const
    {
        const std::string moved = kind != Kind::Actor ? "Vector(41,2,3)" // the owner stands at (40, 0, 0)
                                  : fire == Proximity ? "Vector(41,2,2)" // a unit before the lamp
                                                      : "Vector(1,2,-997)";
        std::vector<std::string> targets = {owner()};
        if (kind == Kind::Model)
            targets = {owner() + ".solidObject(0)", owner() + ".viewpointObject(0).scene.instance(0)"};
        else if (kind == Kind::Viewpoint)
            targets = {owner() + ".scene.instance(0)"};
        auto fill = [](std::string call, const std::string& placeholder, const std::string& value) {
            if (auto at = call.find(placeholder); at != std::string::npos)
                call.replace(at, placeholder.size(), value);
            return call;
        };
        std::vector<Expect> out;
        for (Expect expect : action->expects) {
            // Only a proximity trigger has an exit to wait for.
            if (expect.window != Fired && fire != Proximity)
                continue;
            expect.call = fill(fill(fill(expect.call, "$owner", owner()), "$moved", moved), "$surface",
                               kind == Kind::Model ? owner() + ".primitive('screen')" : owner());
            const bool perTarget = expect.call.find("$target") != std::string::npos;
            for (const std::string& target : perTarget ? targets : std::vector<std::string>{""})
                out.push_back({fill(expect.call, "$target", target), expect.times, expect.window});
        }
        return out;
    }
};

std::vector<Row> matrix()
{
    std::vector<Row> rows;
    for (const ActionCase& action : actionCases)
        for (Kind kind : action.kinds)
            for (Fire fire : {Proximity, Click, FirstLoad})
                for (bool other : {false, true})
                    for (bool localised : {false, true})
                        for (bool synchronised : {false, true})
                            // The actor holds no triggers of its own.
                            if (other || kind != Kind::Actor)
                                rows.push_back({&action, kind, fire, other, localised, synchronised});
    return rows;
}

std::shared_ptr<IAtmoObject> addObject(SceneDocument& document, Kind kind, const std::string& name)
{
    std::shared_ptr<AtmoObject> object;
    switch (kind) {
    case Kind::Model: object = std::make_shared<ModelObj>(); break;
    case Kind::Primitive: {
        auto door = std::make_shared<PrimitiveObj>();
        door->solidObjectIndex = "x'y"; // a solid object of the world, by a quoted name
        object = door;
        break;
    }
    case Kind::Solid: object = std::make_shared<SolidObjectObj>(); break;
    case Kind::Viewpoint: object = std::make_shared<ViewpointObj>(); break;
    case Kind::Actor: return document.actor();
    }
    object->setName(name);
    document.appendObject(object);
    return object;
}

// The row's scene, in a fresh program state.
std::shared_ptr<SceneDocument> buildScene(IdCounter& ids, const Row& row)
{
    auto document = SceneDocument::createDefault(ids);
    document->setLocaliseScript(row.localised);

    const auto owner = addObject(*document, row.kind, row.owner());
    const auto holder = row.other ? addObject(*document, Kind::Model, row.holder()) : owner;
    const InteractionCatalogue& kinds = document->catalogue();
    // The actor's action is its own move action.
    auto action = row.kind == Kind::Actor
                      ? owner->getAtmoAction(0)
                      : kinds.findStandardAction(row.action->className)->newInstance(owner.get(), ids);
    for (const auto& [field, value] : row.action->fields)
        EXPECT_TRUE(action->setValue(field, value)) << field;
    action->setActive(true);
    if (row.kind != Kind::Actor)
        owner->addAtmoAction(action);
    auto trigger = kinds.findTrigger(triggerClasses[row.fire])->newInstance(holder.get(), ids);
    trigger->setActive(true);
    trigger->addAction(action);
    holder->addAtmoTrigger(trigger);
    return document;
}

// Runs the scene: the objects load, the trigger fires (the actor comes
// within a unit, a click, or the world's first load), the action has the
// time it takes, and for a proximity trigger the actor leaves again. Returns
// what went wrong.
std::vector<std::string> runScene(SceneDocument& document, const Row& row)
{
    sim::SimulatedWorld world(sim::SimulatedScene::fromDocument(document, {row.localised, row.synchronised}));
    const QString holder = QString::fromStdString(row.holder());
    world.runSeconds(0.5);
    // The first-load trigger fires as the objects load.
    std::size_t marks[] = {row.fire == FirstLoad ? 0 : world.log().size(), 0, 0};
    if (row.fire == Click)
        world.click(holder);
    else if (row.fire == Proximity)
        world.approach(holder, 1);
    world.runSeconds(row.action->seconds);
    if (row.fire == Proximity) {
        marks[Leaving] = world.log().size();
        world.approach(holder, 1000);
        world.step();
        marks[Left] = world.log().size();
        world.runSeconds(0.5);
    }
    const std::vector<std::string> lines = calls(world);
    auto count = [&lines](const std::string& call, std::size_t from) {
        const bool prefix = call.back() == '*';
        const std::string start = prefix ? call.substr(0, call.size() - 1) : call + " ";
        return std::count_if(lines.begin() + static_cast<long>(from), lines.end(), [&](const std::string& line) {
            return line.rfind(start, 0) == 0 || (!prefix && line == call);
        });
    };
    std::vector<std::string> failures;
    if (world.hadScriptError())
        failures.push_back("a script error");
    for (const Expect& expect : row.expects()) {
        const auto found = count(expect.call, marks[expect.window]);
        if (expect.times < 0 ? found == 0 : found != expect.times)
            failures.push_back(expect.call + ": " + std::to_string(found) + " times");
    }
    if (!failures.empty())
        for (const std::string& line : lines)
            failures.push_back("  " + line);
    return failures;
}

class BehaviourMatrixTest : public SimTest {};

TEST_F(BehaviourMatrixTest, EveryActionDoesWhatItsFragmentSaysOrIsWarnedAbout)
{
    const auto started = std::chrono::steady_clock::now();
    const std::vector<Row> rows = matrix();
    int warned = 0;
    int passed = 0;
    for (const Row& row : rows) {
        IdCounter ids;
        const auto document = buildScene(ids, row);
        const bool warning = !SceneCheck::unreachable(document->objects(), row.localised, row.synchronised).empty();
        const std::vector<std::string> failures = runScene(*document, row);
        warned += row.expectsWarning();
        if (warning != row.expectsWarning())
            ADD_FAILURE() << row.label() << (warning ? ": warned about" : ": not warned about");
        else if (row.expectsWarning() && failures.empty())
            ADD_FAILURE() << row.label() << ": works, although warned about";
        else if (!row.expectsWarning() && !failures.empty())
            ADD_FAILURE() << row.label() << ":\n" << ::testing::PrintToString(failures);
        else
            ++passed;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("Behaviour matrix: %zu combinations (%d warned about as unable to work), %d passed, %.1f s\n",
                rows.size(), warned, passed, seconds);
}

TEST_F(BehaviourMatrixTest, TheTableOffersEveryActionAKindAllowsAndNoOther)
{
    for (const ActionCase& action : actionCases) {
        for (Kind kind : {Kind::Model, Kind::Primitive, Kind::Solid, Kind::Viewpoint, Kind::Actor}) {
            IdCounter ids;
            const auto document = buildScene(ids, {&action, Kind::Model, Click, false, false, false});
            const bool listed = std::find(action.kinds.begin(), action.kinds.end(), kind) != action.kinds.end();
            // The actor takes only its move action.
            const bool allowed = (kind != Kind::Actor || std::string(action.className) == "MovePositionAction")
                                 && InteractionCatalogue()
                                        .findStandardAction(action.className)
                                        ->allowedForAtmoObject(addObject(*document, kind, "other").get());
            EXPECT_EQ(listed, allowed) << action.name << " on " << kindNames[static_cast<int>(kind)];
        }
    }
}

} // namespace
} // namespace scenewright::test

#include "SimScene.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SceneCheck.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/EmitSoundAction.h"
#include "scenewright/core/action/GotoNewWorldAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/OpacityAction.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/URLpopup.h"
#include "scenewright/core/action/ViewpointObjectAction.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

// Every action each object kind allows, in every mode, fired by every
// trigger kind on its own object and on another one, in a global and a
// localised script, synchronised or not: each combination runs in the
// simulated world, and what the action does there is checked. What a
// localised script cannot do by its nature must be warned about instead.
namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

enum class Kind { Model, Primitive, Solid, Viewpoint, Actor };
enum class Fire { Proximity, Click, FirstLoad };

// The objects of a scene, named as the log names them. The owner comes
// first (40 units along x), the other object second (80 units).
const char* ownerName(Kind kind)
{
    switch (kind) {
    case Kind::Model: return "statue";
    case Kind::Primitive: return "door";
    case Kind::Solid: return "3"; // addressed by index
    case Kind::Viewpoint: return "gate";
    case Kind::Actor: return "actor";
    }
    return "";
}
const std::string otherName = "lamp";

// What a run left in the log, and when the trigger fired and let go.
struct Outcome {
    Kind kind;
    Fire fire;
    std::vector<std::string> calls;
    std::size_t fired = 0;
    // When the actor leaves a proximity trigger's radius, and once the frame
    // that notices it has run.
    std::size_t leaving = 0;
    std::size_t left = 0;
    bool hadError = false;

    std::string owner() const { return ownerName(kind); }
    int count(const std::string& prefix, std::size_t from = 0) const
    {
        return static_cast<int>(std::count_if(calls.begin() + static_cast<long>(std::min(from, calls.size())),
                                              calls.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
    }
    std::vector<std::string> values(const std::string& call) const
    {
        std::vector<std::string> found;
        for (const std::string& line : calls)
            if (line.rfind(call + " ", 0) == 0)
                found.push_back(line.substr(call.size() + 1));
        return found;
    }
};

using Failures = std::vector<std::string>;

void expectCount(const Outcome& run, const std::string& prefix, int expected, Failures& failures, std::size_t from = 0)
{
    if (int n = run.count(prefix, from); n != expected)
        failures.push_back(prefix + ": " + std::to_string(n) + " times, not " + std::to_string(expected));
}

// The things whose opacity an action on the owner sets.
std::vector<std::string> opacityTargets(const Outcome& run)
{
    if (run.kind == Kind::Model)
        return {run.owner() + ".solidObject(0)", run.owner() + ".viewpointObject(0).scene.instance(0)"};
    if (run.kind == Kind::Viewpoint)
        return {run.owner() + ".scene.instance(0)"};
    return {run.owner()};
}

// Where the owner stands once moved by (1, 2, 3): a user object stands at
// (40, 0, 0), the actor where the last approach put it (a unit before the
// other object, which stands at (40, 0, 0) when the actor owns the action).
std::string movedBy123(const Outcome& run)
{
    if (run.kind != Kind::Actor)
        return "Vector(41,2,3)";
    return run.fire == Fire::Proximity ? "Vector(41,2,2)" : "Vector(1,2,-997)";
}

void checkMoved(const Outcome& run, Failures& failures)
{
    if (run.values(run.owner() + ".worldSpacePosition=") != std::vector<std::string>{movedBy123(run)})
        failures.push_back("it did not move once to " + movedBy123(run));
}

struct ActionCase {
    const char* name;
    std::vector<Kind> kinds;
    // How long it takes to finish once fired.
    double seconds;
    // Whether the code it runs when fired names its owner.
    bool namesOwner;
    bool toursAnchors;
    std::function<std::shared_ptr<AtmoAction>(IAtmoObject*)> make;
    std::function<void(const Outcome&, Failures&)> check;
};

template <class Action>
std::shared_ptr<Action> made(IAtmoObject* owner)
{
    return std::make_shared<Action>(owner);
}

std::shared_ptr<AtmoAction> move(IAtmoObject* owner, bool smooth, bool anchors)
{
    auto action = made<MovePositionAction>(owner);
    action->xdirection = 1;
    action->ydirection = 2;
    action->zdirection = 3;
    action->smoothTransition = smooth;
    action->usesAnchors = anchors;
    action->anchors = {"a1", "a2"};
    // The actor starts 1000 units away from the first anchor.
    action->speed = 400;
    return action;
}

std::shared_ptr<AtmoAction> opacity(IAtmoObject* owner, bool fade)
{
    auto action = made<OpacityAction>(owner);
    action->initialOpacity = 1.0;
    action->finalOpacity = 0.2;
    action->fadeInOpacity = fade;
    return action;
}

std::shared_ptr<AtmoAction> texture(IAtmoObject* owner, bool byAddress)
{
    auto action = made<AnimateTextureAction>(owner);
    action->textures = {"a.jpg", "b.jpg"};
    action->animateDelay = 0.1;
    action->primitiveName = std::string("screen");
    if (byAddress)
        action->findtextureurl = std::string("face2.jpg");
    else
        action->findfaces = std::vector<int>{1};
    return action;
}

void checkTexture(const Outcome& run, int face, Failures& failures)
{
    const std::string surface = run.kind == Kind::Model ? run.owner() + ".primitive('screen')" : run.owner();
    if (run.count(surface + ".face(" + std::to_string(face) + ").texture= Texture('b.jpg')", run.fired) == 0)
        failures.push_back("face " + std::to_string(face) + " of " + surface + " never showed b.jpg");
}

const std::vector<Kind> everyUserKind = {Kind::Model, Kind::Primitive, Kind::Solid, Kind::Viewpoint};
const std::vector<Kind> movable = {Kind::Model, Kind::Solid, Kind::Viewpoint, Kind::Actor};
const std::vector<Kind> faded = {Kind::Model, Kind::Solid, Kind::Viewpoint};

const std::vector<ActionCase> actionCases = {
    {"rotation", faded, 1, true, false,
     [](IAtmoObject* owner) { return made<ConstantRotationAction>(owner); },
     [](const Outcome& run, Failures& failures) {
         const std::string turn = run.owner() + ".worldSpaceOrientation=";
         if (run.count(turn, run.fired) == 0)
             failures.push_back("it never turned");
         if (run.fire == Fire::Proximity && run.count(turn, run.left) > 0)
             failures.push_back("it kept turning after the actor left");
     }},
    {"move smoothly", movable, 1, true, false, [](IAtmoObject* owner) { return move(owner, true, false); },
     checkMoved},
    {"move directly", movable, 1, true, false, [](IAtmoObject* owner) { return move(owner, false, false); },
     checkMoved},
    {"move along anchors", movable, 3, true, true, [](IAtmoObject* owner) { return move(owner, true, true); },
     [](const Outcome& run, Failures& failures) {
         // The anchors a1 and a2 are parts of the world at (10, 0, 10) and (20, 0, 10).
         const auto steps = run.values(run.owner() + ".worldSpaceTransform=");
         if (steps.empty() || steps.back() != "Transform(Vector(20,0,10))")
             failures.push_back("it did not end at the last anchor");
     }},
    {"opacity at once", faded, 1, true, false, [](IAtmoObject* owner) { return opacity(owner, false); },
     [](const Outcome& run, Failures& failures) {
         for (const std::string& target : opacityTargets(run))
             expectCount(run, target + ".opacity= 0.2", 1, failures, run.fired);
     }},
    // Ten steps, one every half second (every 16 frames).
    {"opacity fading", faded, 6, true, false, [](IAtmoObject* owner) { return opacity(owner, true); },
     [](const Outcome& run, Failures& failures) {
         // From 1.0 to 0.2 in ten steps of -0.08, the last exactly 0.2.
         for (const std::string& target : opacityTargets(run)) {
             auto steps = run.values(target + ".opacity=");
             steps.erase(std::remove(steps.begin(), steps.end(), "1"), steps.end());
             if (steps.size() != 10 || steps.back() != "0.2")
                 failures.push_back(target + " did not fade to 0.2 in ten steps");
         }
     }},
    {"texture by face number", {Kind::Model, Kind::Primitive}, 1, true, false,
     [](IAtmoObject* owner) { return texture(owner, false); },
     [](const Outcome& run, Failures& failures) { checkTexture(run, 1, failures); }},
    {"texture by texture address", {Kind::Model, Kind::Primitive}, 1, true, false,
     [](IAtmoObject* owner) { return texture(owner, true); },
     [](const Outcome& run, Failures& failures) { checkTexture(run, 2, failures); }},
    {"chat message", everyUserKind, 1, false, false,
     [](IAtmoObject* owner) {
         auto action = made<ChatPrintMessageAction>(owner);
         action->message = std::string("hello");
         return action;
     },
     [](const Outcome& run, Failures& failures) { expectCount(run, "chat.print 'hello'", 1, failures); }},
    {"sound", everyUserKind, 1, true, false,
     [](IAtmoObject* owner) {
         auto action = made<EmitSoundAction>(owner);
         action->filename = std::string("knock.wav");
         return action;
     },
     [](const Outcome& run, Failures& failures) { expectCount(run, "Sound('knock.wav').play", 1, failures); }},
    {"goto", everyUserKind, 1, true, false,
     [](IAtmoObject* owner) {
         auto action = made<GotoNewWorldAction>(owner);
         action->aerURLLocation = std::string("other.aer");
         action->distance = 5000;
         return action;
     },
     [](const Outcome& run, Failures& failures) { expectCount(run, "chat.input '/goto other.aer'", 1, failures); }},
    {"URL pop-up", everyUserKind, 1, false, false,
     [](IAtmoObject* owner) {
         auto action = made<URLpopup>(owner);
         action->url = std::string("page.html");
         return action;
     },
     [](const Outcome& run, Failures& failures) { expectCount(run, "sendJS \"window.open('page.html'", 1, failures); }},
    {"viewpoint animation", {Kind::Viewpoint}, 1, true, false,
     [](IAtmoObject* owner) {
         auto action = made<ViewpointObjectAction>(owner);
         action->triggerTimeElem = std::string("open");
         action->exitTriggerTimeElem = std::string("close");
         return action;
     },
     [](const Outcome& run, Failures& failures) {
         expectCount(run, run.owner() + ".timeElem('open').trigger", 1, failures);
         if (run.fire == Fire::Proximity)
             expectCount(run, run.owner() + ".timeElem('close').trigger", 1, failures, run.leaving);
     }},
};

struct Row {
    const ActionCase* action;
    Kind kind;
    Fire fire;
    bool other;
    bool localised;
    bool synchronised;

    std::string label() const
    {
        static const char* fires[] = {"proximity", "click", "first load"};
        return std::string(action->name) + " on " + ownerName(kind) + ", " + fires[static_cast<int>(fire)]
               + (other ? " on another object" : " on its own object") + (localised ? ", localised" : ", global")
               + (synchronised ? ", synchronised" : "");
    }

    // The combinations a localised script cannot run by its nature: another
    // primitive, solid object or viewpoint object is "this" in its own
    // script, the first-load trigger waits for the owners of its actions,
    // an anchor tour is declared on "this" but started through the name of
    // a model or the actor, and synchronised actions run in the chat's handler.
    bool expectsWarning() const
    {
        const bool localisable = kind == Kind::Primitive || kind == Kind::Solid || kind == Kind::Viewpoint;
        if (!localised)
            return false;
        return (other && localisable && action->namesOwner)
               || (fire == Fire::FirstLoad && other && (kind == Kind::Primitive || kind == Kind::Viewpoint))
               || (action->toursAnchors && (kind == Kind::Model || kind == Kind::Actor))
               || (synchronised && localisable && action->namesOwner);
    }
};

std::vector<Row> matrix()
{
    std::vector<Row> rows;
    for (const ActionCase& action : actionCases)
        for (Kind kind : action.kinds)
            for (Fire fire : {Fire::Proximity, Fire::Click, Fire::FirstLoad})
                for (bool other : {false, true})
                    for (bool localised : {false, true})
                        for (bool synchronised : {false, true})
                            // The actor holds no triggers of its own.
                            if (other || kind != Kind::Actor)
                                rows.push_back({&action, kind, fire, other, localised, synchronised});
    return rows;
}

std::shared_ptr<IAtmoObject> addOwner(Kind kind)
{
    ObjectManager& registry = ObjectManager::getInstance();
    std::shared_ptr<IAtmoObject> owner;
    switch (kind) {
    case Kind::Model: owner = std::make_shared<ModelObj>(); break;
    case Kind::Primitive: {
        auto door = std::make_shared<PrimitiveObj>();
        door->solidObjectIndex = std::string("x'y"); // a solid object of the world, by a quoted name
        owner = door;
        break;
    }
    case Kind::Solid: owner = std::make_shared<SolidObjectObj>(); break;
    case Kind::Viewpoint: owner = std::make_shared<ViewpointObj>(); break;
    case Kind::Actor: return registry.getActor();
    }
    owner->setName(ownerName(kind));
    registry.addAtmoObject(owner);
    return owner;
}

std::shared_ptr<AtmoTrigger> makeTrigger(Fire fire, IAtmoObject* object)
{
    switch (fire) {
    case Fire::Proximity: return std::make_shared<ProximityTrigger>(object);
    case Fire::Click: return std::make_shared<OnclickTrigger>(object);
    case Fire::FirstLoad: return std::make_shared<WorldFirstLoadsTrigger>(object);
    }
    return nullptr;
}

// A new program state with a default project.
void freshProject(bool localised, bool synchronised)
{
    ObjectManager::resetForTesting();
    SharedObjectsManager::resetForTesting();
    ProjectManager::resetForTesting();
    InteractionManager::resetForTesting();
    ProjectManager::getInstance().createDefaultProject()->setLocaliseScript(localised);
    SharedObjectsManager::getInstance().setActive(synchronised);
}

// Builds the row's scene as the current project: the owner with its action,
// and the trigger on the owner or on a model named lamp.
void buildScene(const Row& row)
{
    freshProject(row.localised, row.synchronised);

    std::shared_ptr<IAtmoObject> owner = addOwner(row.kind);
    std::shared_ptr<IAtmoObject> holder = owner;
    if (row.other) {
        holder = std::make_shared<ModelObj>();
        holder->setName(otherName);
        ObjectManager::getInstance().addAtmoObject(holder);
    }
    std::shared_ptr<AtmoAction> action;
    if (row.kind == Kind::Actor) {
        // The actor's own move action, set up like a new one.
        action = owner->getAtmoAction(0);
        auto& own = static_cast<MovePositionAction&>(*action);
        const auto made = row.action->make(nullptr);
        const auto& like = static_cast<const MovePositionAction&>(*made);
        own.xdirection = like.xdirection;
        own.ydirection = like.ydirection;
        own.zdirection = like.zdirection;
        own.smoothTransition = like.smoothTransition;
        own.usesAnchors = like.usesAnchors;
        own.anchors = like.anchors;
        own.speed = like.speed;
    } else {
        action = row.action->make(owner.get());
        owner->addAtmoAction(action);
    }
    action->setActive(true);
    auto trigger = makeTrigger(row.fire, holder.get());
    trigger->setActive(true);
    trigger->addAction(action);
    holder->addAtmoTrigger(trigger);
}

// Runs the scene: the objects load, the trigger fires (a click, the actor
// comes within a unit, or the world's first load), the action has the time
// it takes, and for a proximity trigger the actor leaves again.
Outcome runScene(const Row& row)
{
    sim::SimulatedWorld world(sim::SimulatedScene::fromCurrentProject());
    const QString trigger = QString::fromStdString(row.other ? otherName : ownerName(row.kind));
    world.runSeconds(0.5);
    Outcome run{row.kind, row.fire, {}};
    const std::size_t beforeFiring = world.log().size();
    if (row.fire == Fire::Click)
        world.click(trigger);
    else if (row.fire == Fire::Proximity)
        world.approach(trigger, 1);
    world.runSeconds(row.action->seconds);
    std::size_t leaving = 0;
    std::size_t left = 0;
    if (row.fire == Fire::Proximity) {
        leaving = world.log().size();
        world.approach(trigger, 1000);
        world.step();
        left = world.log().size();
        world.runSeconds(0.5);
    }
    run.calls = calls(world);
    // The first-load trigger fires as the objects load.
    run.fired = row.fire == Fire::FirstLoad ? 0 : beforeFiring;
    run.leaving = leaving;
    run.left = left;
    run.hadError = world.hadScriptError();
    return run;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += "\n    " + line;
    return out;
}

class BehaviourMatrixTest : public SimTest {};

TEST_F(BehaviourMatrixTest, EveryActionDoesWhatItsFragmentSaysOrIsWarnedAbout)
{
    const auto started = std::chrono::steady_clock::now();
    const std::vector<Row> rows = matrix();
    int warned = 0;
    int passed = 0;
    for (const Row& row : rows) {
        buildScene(row);
        const bool warning = !SceneCheck::unreachableInCurrentScene().empty();
        const Outcome outcome = runScene(row);
        Failures failures;
        if (outcome.hadError)
            failures.push_back("a script error: " + joined(outcome.calls));
        row.action->check(outcome, failures);

        bool ok = warning == row.expectsWarning();
        if (!ok)
            ADD_FAILURE() << row.label() << (warning ? ": warned about" : ": not warned about");
        if (row.expectsWarning()) {
            ++warned;
            // A warning is only right where the script indeed cannot work.
            if (failures.empty()) {
                ok = false;
                ADD_FAILURE() << row.label() << ": works although warned about";
            }
        } else if (!failures.empty()) {
            ok = false;
            ADD_FAILURE() << row.label() << ":" << joined(failures);
        }
        passed += ok;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("Behaviour matrix: %zu combinations (%d warned about as unable to work), %d passed, %.1f s\n",
                rows.size(), warned, passed, seconds);
    EXPECT_EQ(passed, static_cast<int>(rows.size()));
}

TEST_F(BehaviourMatrixTest, TheTableOffersEveryActionAKindAllowsAndNoOther)
{
    for (const ActionCase& action : actionCases) {
        for (Kind kind : {Kind::Model, Kind::Primitive, Kind::Solid, Kind::Viewpoint, Kind::Actor}) {
            freshProject(false, false);
            const auto owner = addOwner(kind);
            const bool listed = std::find(action.kinds.begin(), action.kinds.end(), kind) != action.kinds.end();
            const bool actorOwnsOnlyMoves = kind != Kind::Actor || dynamic_cast<MovePositionAction*>(action.make(nullptr).get());
            EXPECT_EQ(listed, action.make(nullptr)->allowedForAtmoObject(owner.get()) && actorOwnsOnlyMoves)
                << action.name << " on " << ownerName(kind);
        }
    }
}

} // namespace
} // namespace scenewright::test

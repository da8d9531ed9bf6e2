#include "SimScene.h"

namespace scenewright::test {
namespace {

using sim::SimulatedWorld;

// A door (primitive) whose click fires the given actions (JSON, its pool).
std::string door(const std::string& actions, int count, const std::string& trigger = "OnclickTrigger",
                 const std::string& triggerFields = "{ \"usesSynch\": true }")
{
    std::string refs;
    for (int i = 0; i < count; ++i)
        refs += (i ? ", " : "") + std::string("{ \"object\": 2, \"action\": ") + std::to_string(i) + " }";
    return "{ \"type\": \"primitive\", \"name\": \"door\", \"solidObjectIndex\": \"0\", \"actions\": [ " + actions +
           " ], \"triggers\": [ { \"class\": \"" + trigger + "\", \"active\": true, \"fields\": " + triggerFields +
           ", \"actions\": [ " + refs + " ] } ] }";
}

// A model named statue.aer at position 2 whose trigger fires its actions.
std::string statue(const std::string& actions, int count, const std::string& trigger, const std::string& fields)
{
    return "{" + door(actions, count, trigger, fields).substr(1).replace(
                     0, std::string(" \"type\": \"primitive\", \"name\": \"door\", \"solidObjectIndex\": \"0\"").size(),
                     " \"type\": \"model.aer/.atmo\", \"name\": \"statue.aer\", \"tobeloaded\": true");
}

const std::string chatAction = R"({ "class": "ChatPrintMessageAction", "active": true, "fields": { "message": "The door is locked" } })";
const std::string rotation = R"({ "class": "ConstantRotationAction", "active": true, "fields": { "yrevolutions": 1.0 } })";
const std::string proximity = R"({ "distance": 5.0, "continuous": true, "usesSynch": false })";

class SimulatedWorldTest : public SimTest, public ::testing::WithParamInterface<bool> {
protected:
    bool localised() const { return GetParam(); }
};

TEST_P(SimulatedWorldTest, ClickingTheDoorPrintsItsMessageOnceItHasLoaded)
{
    auto world = run(projectText(door(chatAction, 1)), localised(), "door");
    world->click("door");
    EXPECT_EQ(count(*world, "chat.print"), 0) << "the door is not there before it loads";
    world->runSeconds(0.5);
    EXPECT_EQ(world->time(), 0.5);
    EXPECT_EQ(count(*world, "world.loaded"), 1);
    const std::size_t before = world->log().size();
    world->click("door");
    EXPECT_EQ(calls(*world, before), (std::vector<std::string>{"user.click 'door'", "chat.print 'The door is locked'"}));
    EXPECT_EQ(world->log().back().text().toStdString(), "t=0.50 chat.print 'The door is locked'");
    EXPECT_FALSE(world->hadScriptError());
}

TEST_P(SimulatedWorldTest, ApproachingStartsTheRotationAndLeavingStopsIt)
{
    auto world = run(projectText(statue(rotation, 1, "ProximityTrigger", proximity)), localised(), "statue.aer");
    world->runSeconds(1);
    EXPECT_EQ(count(*world, "statue.aer.worldSpaceOrientation="), 0);
    world->approach("statue.aer", 4);
    EXPECT_NEAR(world->actorDistance("statue.aer"), 4.0, 1e-9);
    world->runSeconds(1);
    EXPECT_EQ(count(*world, "addAnimator statue.aer.revanim"), 1);
    EXPECT_EQ(count(*world, "statue.aer.worldSpaceOrientation="), 29);
    // One revolution per minute about y: 0.10471 rad per second.
    EXPECT_EQ(last(*world, "statue.aer.worldSpaceOrientation="),
              "statue.aer.worldSpaceOrientation= Rotation('XYZ',0,0.1012,0)");

    world->approach("statue.aer", 6);
    world->step();
    EXPECT_EQ(count(*world, "removeAnimator statue.aer.revanim"), 1);
    const std::size_t left = world->log().size();
    world->runSeconds(1);
    EXPECT_EQ(count(*world, "statue.aer.worldSpaceOrientation=", left), 0);
    EXPECT_FALSE(world->hadScriptError());
}

TEST_P(SimulatedWorldTest, FirstLoadTriggerFiresOnceWhenEveryObjectHasLoaded)
{
    // The world's trigger prints the world's welcome line and, in a global
    // script, the door's message too: it waits for the door to load.
    const bool withDoor = !localised();
    std::string world = R"("actions": [ { "class": "ChatPrintMessageAction", "active": true, "fields": { "message": "Welcome" } } ],
        "triggers": [ { "class": "WorldFirstLoadsTrigger", "active": true, "fields": { "usesSynch": false },
        "actions": [ { "object": 0, "action": 0 })" + std::string(withDoor ? R"(, { "object": 2, "action": 0 })" : "") + " ] } ]";
    std::string doorWithoutTrigger = R"({ "type": "primitive", "name": "door", "solidObjectIndex": "0",
        "actions": [ )" + chatAction + R"( ], "triggers": [] })";
    auto sim = run(projectText(doorWithoutTrigger, world), localised());
    sim->runSeconds(0.45);
    EXPECT_EQ(count(*sim, "chat.print"), 0);
    sim->runSeconds(2);
    EXPECT_EQ(count(*sim, "chat.print 'Welcome'"), 1);
    EXPECT_EQ(count(*sim, "chat.print 'The door is locked'"), withDoor ? 1 : 0);
    EXPECT_EQ(last(*sim, "removeAnimator"), "removeAnimator world.worldfirstloads");
    EXPECT_FALSE(sim->hadScriptError());
}

TEST_P(SimulatedWorldTest, MessagingActionsReachTheChatTheBrowserAndTheSpeakers)
{
    std::string actions = R"({ "class": "URLpopup", "active": true, "fields": { "url": "http://example.com/" } },
        { "class": "GotoNewWorldAction", "active": true, "fields": { "aerURLLocation": "http://x/y.aer", "distance": 3.0 } },
        { "class": "EmitSoundAction", "active": true, "fields": { "filename": "knock.wav" } })";
    auto world = run(projectText(door(actions, 3, "OnclickTrigger", R"({ "usesSynch": false })")), localised(), "door");
    world->runSeconds(0.5);
    world->click("door");
    EXPECT_EQ(count(*world, "sendJS \"window.open('http://example.com/','newinst',"), 1);
    EXPECT_EQ(count(*world, "chat.input"), 0) << "the actor is too far away to go";
    // The door is the first object of the scene, at (40, 0, 0).
    EXPECT_EQ(count(*world, "Sound('knock.wav').play at Vector(40,0,0)"), 1);

    world->approach("door", 2);
    world->click("door");
    EXPECT_EQ(count(*world, "chat.input '/goto http://x/y.aer'"), 1);
    EXPECT_EQ(count(*world, "Sound('knock.wav').play"), 1) << "a sound still playing is not started again";
    EXPECT_FALSE(world->hadScriptError());
}

TEST_P(SimulatedWorldTest, TexturesCycleAndStopAfterTheirRevolutions)
{
    std::string textures = R"({ "class": "AnimateTextureAction", "active": true, "fields": { "textures": ["a.jpg", "b.jpg"],
        "animateDelay": 0.5, "maxrevolutions": 2, "primitiveName": "door", "findfaces": [1] } })";
    auto world = run(projectText(door(textures, 1, "OnclickTrigger", R"({ "usesSynch": false })")), localised(), "door");
    world->runSeconds(0.5);
    world->click("door");
    world->runSeconds(3);
    std::vector<std::string> swaps;
    for (const std::string& line : calls(*world))
        if (line.rfind("door.face(", 0) == 0)
            swaps.push_back(line);
    EXPECT_EQ(swaps, (std::vector<std::string>{"door.face(1).texture= Texture('b.jpg')",
                                               "door.face(1).texture= Texture('a.jpg')",
                                               "door.face(1).texture= Texture('b.jpg')"}));
    EXPECT_EQ(count(*world, "removeAnimator door.triggerlist"), 1);
    EXPECT_FALSE(world->hadScriptError());
}

TEST_P(SimulatedWorldTest, OpacityFadesToItsFinalValueAndStops)
{
    std::string fade = R"({ "class": "OpacityAction", "active": true, "fields": { "initialOpacity": 1.0,
        "finalOpacity": 0.0, "fadeInOpacity": true } })";
    auto world = run(projectText(statue(fade, 1, "OnclickTrigger", R"({ "usesSynch": false })")), localised(), "statue.aer");
    world->runSeconds(0.5);
    world->click("statue.aer");
    // A step of -0.1 every 16 frames: the tenth comes within half a step of
    // 0 and sets it exactly.
    world->runSeconds(6);
    EXPECT_EQ(count(*world, "statue.aer.solidObject(0).opacity="), 11) << "the initial value and ten steps";
    EXPECT_EQ(last(*world, "statue.aer.solidObject(0).opacity="), "statue.aer.solidObject(0).opacity= 0");
    EXPECT_EQ(last(*world, "removeAnimator").find("obj"), std::string("removeAnimator ").size() +
                                                              (localised() ? std::string("statue.aer.").size() : 0));
    const std::size_t stopped = world->log().size();
    world->runSeconds(2);
    EXPECT_EQ(count(*world, "statue.aer.solidObject(0).opacity=", stopped), 0);
    EXPECT_FALSE(world->hadScriptError());
}

TEST_P(SimulatedWorldTest, MoveAlongAnchorsEndsAtTheLastAnchor)
{
    std::string move = R"({ "class": "MovePositionAction", "active": true, "fields": { "speed": 20.0,
        "anchors": ["a1", "a2"], "usesAnchors": true, "smoothTransition": true } })";
    auto world = run(projectText(statue(move, 1, "OnclickTrigger", R"({ "usesSynch": false })")), localised(), "statue.aer");
    world->runSeconds(0.5);
    world->click("statue.aer");
    world->runSeconds(5);
    // The anchors are parts of the world at (10, 0, 10) and (20, 0, 10).
    EXPECT_EQ(last(*world, "statue.aer.worldSpaceTransform="),
              "statue.aer.worldSpaceTransform= Transform(Vector(20,0,10))");
    EXPECT_EQ(count(*world, "removeAnimator a2"), 1);
    EXPECT_FALSE(world->hadScriptError());
}

TEST_P(SimulatedWorldTest, ViewpointTimeElementsPlayOnEntryAndExit)
{
    std::string gate = R"({ "type": "viewpoint", "name": "gate", "actions": [ { "class": "ViewpointObjectAction",
        "active": true, "fields": { "triggerTimeElem": "open", "exitTriggerTimeElem": "close" } } ],
        "triggers": [ { "class": "ProximityTrigger", "active": true, "fields": { "distance": 4.0, "continuous": false,
        "usesSynch": false }, "actions": [ { "object": 2, "action": 0 } ] } ] })";
    auto world = run(projectText(gate), localised(), "gate");
    world->runSeconds(0.5);
    EXPECT_EQ(count(*world, "gate.timeElem('open').setSpeed 1"), 1);
    world->approach("gate", 1);
    world->step();
    EXPECT_EQ(count(*world, "gate.timeElem('open').trigger"), 1);
    EXPECT_FALSE(world->hadScriptError());
}

TEST_P(SimulatedWorldTest, ControlPanelTogglesSwitchTheWorldsEffects)
{
    std::string fog = R"("fogEnabled": true, "fog": { "dropOff": 1, "colourr": 0.8, "colourg": 0.8, "colourb": 1.0,
        "near": 10.0, "far": 100.0, "addControlPanelButtonOffOn": true })";
    auto world = run(projectText("", fog), localised());
    EXPECT_EQ(count(*world, "fog.active= true"), 1);
    ASSERT_EQ(world->toggles(), (std::vector<std::pair<QString, bool>>{{"Fog On/Off", true}}));
    EXPECT_TRUE(world->setToggle("Fog On/Off", false));
    EXPECT_EQ(last(*world, "fog.active="), "fog.active= false");
    EXPECT_FALSE(world->toggles().front().second);
    EXPECT_FALSE(world->setToggle("Glare On/Off", true));
}

TEST_P(SimulatedWorldTest, SynchronisedTriggersRunTheirActionsThroughTheSharedPropertyHandler)
{
    auto world = run(projectText(door(chatAction, 1)), localised(), "door", true);
    world->runSeconds(0.5);
    EXPECT_EQ(count(*world, "chat.createSharedObject 'synchtrigger"), 1);
    world->click("door");
    EXPECT_EQ(count(*world, "chat.setSharedProperty 'synchtrigger"), 1);
    EXPECT_EQ(count(*world, "chat.print 'The door is locked'"), 1);

    // Unconnected, the click waits for the chat and goes through once it is back.
    world->setConnected(false);
    const std::size_t offline = world->log().size();
    world->click("door");
    world->runSeconds(1);
    EXPECT_EQ(count(*world, "chat.print", offline), 0);
    world->setConnected(true);
    world->step();
    EXPECT_EQ(count(*world, "chat.print 'The door is locked'", offline), 1);
    EXPECT_FALSE(world->hadScriptError());
}

INSTANTIATE_TEST_SUITE_P(GlobalAndLocalised, SimulatedWorldTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Localised" : "Global"; });

class ScriptErrorTest : public SimTest {};

sim::SimulatedScene scriptScene(const std::string& script)
{
    sim::SimulatedScene scene;
    scene.script = script;
    return scene;
}

TEST_F(ScriptErrorTest, SyntaxErrorsAreReportedWithTheirLine)
{
    SimulatedWorld world(scriptScene("chat.print('a');\n\nvar x = ;\n"));
    ASSERT_TRUE(world.hadScriptError());
    EXPECT_EQ(world.log().back().line, 3);
    EXPECT_EQ(count(world, "chat.print"), 0) << "a script that does not parse does not run";
}

TEST_F(ScriptErrorTest, RunTimeErrorsAreReportedOnceWithTheLineTheyRoseOn)
{
    SimulatedWorld world(scriptScene("a = Object();\na.timestep = function(w, d) {\n"
                                     "  nothing.here = d;\n}\naddAnimator(a);\n"));
    EXPECT_FALSE(world.hadScriptError());
    world.runFrames(10);
    ASSERT_TRUE(world.hadScriptError());
    EXPECT_EQ(count(world, "error line 3: ReferenceError"), 1);
    EXPECT_EQ(world.log().back().line, 3);
}

TEST_F(ScriptErrorTest, ResetStartsTheRunAgain)
{
    SimulatedWorld world(scriptScene("chat.print('start');\nb = Object();\nb.timestep = function() { chat.print(1); };\n"
                                     "addAnimator(b);\n"));
    world.runFrames(3);
    EXPECT_EQ(count(world, "chat.print 1"), 3);
    world.reset();
    EXPECT_EQ(world.time(), 0.0);
    EXPECT_EQ(calls(world), (std::vector<std::string>{"chat.print 'start'", "addAnimator b"}));
}

// The world's objects stay strict, and animators keep the order and the
// once-per-frame calls of a set, however they come and go.
TEST_F(ScriptErrorTest, WorldObjectsAreStrictAndAnimatorsRunOncePerFrame)
{
    struct Case {
        const char* script;
        int frames;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"x = theActor.nothing;\n", 0, {"error line 1: TypeError: actor has no member nothing"}},
        {"v = Vector(1, 2, 3);\nchat.print(v.x);\ny = v.w;\n", 0,
         {"chat.print 1", "error line 3: TypeError: Vector(1,2,3) has no member w"}},
        {"y = theStage.getChild('door').worldSpacePosition.w;\n", 0,
         {"error line 1: TypeError: Vector(40,0,0) has no member w"}},
        // A member the script sets somewhere reads undefined before it is set.
        {"if (theActor.next == undefined) chat.print('none');\ntheActor.next = 1;\n", 0, {"chat.print 'none'"}},
        // Added twice: called once a frame. Removed and added again while
        // a frame runs: still called in that frame, then after the others.
        {"a = Object();\na.timestep = function() { chat.print('a'); removeAnimator(a); addAnimator(a); };\n"
         "b = Object();\nb.timestep = function() { chat.print('b'); };\naddAnimator(a);\naddAnimator(b);\n"
         "addAnimator(a);\n",
         2,
         {"addAnimator a", "addAnimator b", "addAnimator a", "chat.print 'a'", "removeAnimator a", "addAnimator a",
          "chat.print 'b'", "chat.print 'b'", "chat.print 'a'", "removeAnimator a", "addAnimator a"}},
        // Removed by another animator before its turn: not called.
        {"a = Object();\na.timestep = function() { chat.print('a'); removeAnimator(b); };\n"
         "b = Object();\nb.timestep = function() { chat.print('b'); };\naddAnimator(a);\naddAnimator(b);\n",
         1, {"addAnimator a", "addAnimator b", "chat.print 'a'", "removeAnimator b"}},
        // A number is held like any animator, and logged as it is.
        {"addAnimator(7);\nremoveAnimator(7);\n", 1, {"addAnimator 7", "removeAnimator 7"}},
    };
    for (const Case& c : cases) {
        sim::SimulatedScene scene = scriptScene(c.script);
        scene.objects.emplace_back("door", "primitive");
        SimulatedWorld world(scene);
        world.runFrames(c.frames);
        std::vector<std::string> seen = calls(world);
        std::erase_if(seen, [](const std::string& call) { return call.starts_with("world.loaded"); });
        EXPECT_EQ(seen, c.calls) << c.script;
    }
}

} // namespace
} // namespace scenewright::test

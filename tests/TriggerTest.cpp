#include "FreshProgramTest.h"
#include "InteractionFixtures.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"
#include "scenewright/core/script/ScriptNaming.h"

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

class TriggerTest : public FreshProgramTest {
protected:
    // A scene with every trigger kind, hostile object names and real actions.
    void buildTriggerScene();
};

const std::string doorProximityStart = "door.prox = Object();\n"
                                       "door.prox.fired = false;\n"
                                       "door.prox.timestep = function() {\n"
                                       "if(actor.dist(door.worldSpacePosition) < 5.0) {\n"
                                       "  if(!this.fired) {\n"
                                       "     this.fired = true;\n";
const std::string proximityMiddle = "  }\n} else { \n if(this.fired) {\n";
const std::string doorProximityEnd = "  }\n  this.fired = false;\n  }\n}\naddAnimator(door.prox);\n";

const std::string doorOnclickStart = "// on click trigger for 'door <primitive>'\n"
                                     "door.mouse = MouseEventHandler();\n"
                                     "door.mouse.setFilterOnClick(door);\n"
                                     "door.mouse.onEvent = function(ev,obj) {\n";
const std::string onclickEnd = "}\n // end of onclick trigger script\n";

// Adds marker actions labelled a, b and c to the trigger; b is inactive.
void addMarkers(AtmoTrigger& trigger, IAtmoObject* owner)
{
    for (const char* label : {"a", "b", "c"})
        trigger.addAction(std::make_shared<MarkerAction>(label, owner));
    trigger.getAction(1)->setActive(false);
}

TEST_F(TriggerTest, TriggerWithoutActionsOnlySaysSo)
{
    auto door = modelNamed("door");
    ProximityTrigger trigger(ids, door.get());
    EXPECT_EQ(triggerScript(trigger), "// No Actions added for trigger: Proximity trigger\n");
    trigger.setName(std::nullopt);
    EXPECT_EQ(triggerScript(trigger), "// No Actions added for trigger: null\n");
    trigger.setName(std::string("a\nb\r\nc\xE2\x80\xA8" "d"));
    EXPECT_EQ(triggerScript(trigger), "// No Actions added for trigger: a b  c d\n");
}

TEST_F(TriggerTest, TriggerWithOnlyInactiveActionsKeepsItsFixedTexts)
{
    auto door = modelNamed("door");
    ProximityTrigger trigger(ids, door.get());
    trigger.addAction(std::make_shared<MarkerAction>("a", door.get()));
    trigger.getAction(0)->setActive(false);
    EXPECT_EQ(triggerScript(trigger), doorProximityStart + proximityMiddle + doorProximityEnd);
}

TEST_F(TriggerTest, ProximityWrapsActiveActionsAndTheirExitFragmentsInOrder)
{
    auto door = modelNamed("door");
    ProximityTrigger trigger(ids, door.get());
    addMarkers(trigger, door.get());
    EXPECT_EQ(triggerScript(trigger), doorProximityStart + "fire_a();\nfire_c();\n" + proximityMiddle
                                          + "leave_a();\nleave_c();\n" + doorProximityEnd);
}

TEST_F(TriggerTest, OnclickNeverWritesExitFragments)
{
    auto door = primitiveNamed("door", "door");
    OnclickTrigger trigger(ids, door.get());
    addMarkers(trigger, door.get());
    EXPECT_EQ(triggerScript(trigger), doorOnclickStart + "fire_a();\nfire_c();\n" + onclickEnd);
}

TEST_F(TriggerTest, SynchronisedProximityRunsTheSharedPropertyCodeInsteadOfItsActions)
{
    synchronise = true;
    const script::SynchronisationTable synch;
    auto door = modelNamed("door");
    ProximityTrigger trigger(ids, door.get());
    addMarkers(trigger, door.get());
    EXPECT_EQ(triggerScript(trigger), doorProximityStart + synch.getSynchTriggerScript("synchtrigger0")
                                          + proximityMiddle + synch.getSynchExitTriggerScript("synchtrigger0")
                                          + doorProximityEnd);
}

TEST_F(TriggerTest, SynchronisedOnclickGetsTheStartCodeButNoExitCode)
{
    synchronise = true;
    const script::SynchronisationTable synch;
    auto door = primitiveNamed("door", "door");
    OnclickTrigger trigger(ids, door.get());
    addMarkers(trigger, door.get());
    EXPECT_EQ(triggerScript(trigger), doorOnclickStart + synch.getSynchTriggerScript("synchtrigger0") + onclickEnd);
}

TEST_F(TriggerTest, TriggerThatOptsOutOfSynchronisationRunsItsActionsItself)
{
    synchronise = true;
    auto door = modelNamed("door");
    ProximityTrigger trigger(ids, door.get());
    trigger.usesSynch = false;
    addMarkers(trigger, door.get());
    EXPECT_EQ(triggerScript(trigger), doorProximityStart + "fire_a();\nfire_c();\n" + proximityMiddle
                                          + "leave_a();\nleave_c();\n" + doorProximityEnd);
}

TEST_F(TriggerTest, NonContinuousProximityWithRotationReadsAsAWhole)
{
    auto door = modelNamed("door");
    ProximityTrigger trigger(ids, door.get());
    trigger.distance = 12.5;
    trigger.continuous = false;
    auto rotation = std::make_shared<ConstantRotationAction>(ids, door.get());
    rotation->setActive(true);
    trigger.addAction(rotation);
    EXPECT_EQ(triggerScript(trigger),
              "door.prox = Object();\n"
              "door.prox.fired = false;\n"
              "door.prox.timestep = function() {\n"
              "if(actor.dist(door.worldSpacePosition) < 12.5) {\n"
              "  if(!this.fired) {\n"
              "     this.fired = true;\n"
              "removeAnimator(this);\n"
              "// Fires the constant rotation action\n"
              "door.revanim1.sincetime=0;\n"
              "addAnimator(door.revanim1);\n"
              "  }\n"
              "} else { \n"
              " if(this.fired) {\n"
              "if(door.revanim1.maxtime>0) { if(door.revanim1.sincetime < door.revanim1.maxtime) "
              "removeAnimator(door.revanim1);}\n"
              "else removeAnimator(door.revanim1);  }\n"
              "  this.fired = false;\n"
              "  }\n"
              "}\n"
              "addAnimator(door.prox);\n");
}

TEST_F(TriggerTest, ProximityDistanceIsWrittenAsADouble)
{
    auto door = modelNamed("door");
    ProximityTrigger trigger(ids, door.get());
    EXPECT_NE(trigger.getPreActionScript(sceneContext()).find("< 5.0) {\n"), std::string::npos);
    trigger.set("distance", "1e2");
    EXPECT_NE(trigger.getPreActionScript(sceneContext()).find("< 100.0) {\n"), std::string::npos);
    trigger.distance = 0.0001;
    EXPECT_NE(trigger.getPreActionScript(sceneContext()).find("< 1.0E-4) {\n"), std::string::npos);
}

TEST_F(TriggerTest, LocalisedProximityAddsOneLineAndUsesTheInnerName)
{
    localiseScript();
    auto door = std::make_shared<PrimitiveObj>();
    door->setName("door");
    script::ScriptNaming::nameObjects({door}, ids);
    ProximityTrigger trigger(ids, door.get());
    EXPECT_EQ(trigger.getPreActionScript(sceneContext()),
              "this.prox = Object();\n"
              "this.prox.fired = false;\n"
              "this.prox.localisedparent = this;\n"
              "this.prox.timestep = function() {\n"
              "if(actor.dist(this.localisedparent.worldSpacePosition) < 5.0) {\n"
              "  if(!this.fired) {\n"
              "     this.fired = true;\n");
    EXPECT_EQ(trigger.getFinalTriggerScript(sceneContext()),
              "  }\n  this.fired = false;\n  }\n}\naddAnimator(this.prox);\n");
}

TEST_F(TriggerTest, LocalisedOnclickAddsOneLine)
{
    localiseScript();
    auto door = std::make_shared<PrimitiveObj>();
    door->setName("door");
    script::ScriptNaming::nameObjects({door}, ids);
    OnclickTrigger trigger(ids, door.get());
    EXPECT_EQ(trigger.getPreActionScript(sceneContext()), "// on click trigger for 'door <primitive>'\n"
                                                          "this.mouse = MouseEventHandler();\n"
                                                          "this.mouse.setFilterOnClick(this);\n"
                                                          "this.mouse.localisedparent = this;\n"
                                                          "this.mouse.onEvent = function(ev,obj) {\n");
    EXPECT_EQ(trigger.getPostActionScript(sceneContext()), onclickEnd);
    EXPECT_EQ(trigger.getFinalTriggerScript(sceneContext()), "");
}

TEST_F(TriggerTest, OnclickCommentCannotBeEndedByTheObjectName)
{
    auto door = primitiveNamed("door'\nalert(1);\r//\xE2\x80\xA9x", "door");
    OnclickTrigger trigger(ids, door.get());
    EXPECT_EQ(
        trigger.getPreActionScript(sceneContext()).substr(0, trigger.getPreActionScript(sceneContext()).find('\n') + 1),
        "// on click trigger for 'door' alert(1); // x <primitive>'\n");
}

TEST_F(TriggerTest, WorldFirstLoadsWrapsItsActionsInAFirstloadFunction)
{
    auto m = modelNamed("m");
    WorldFirstLoadsTrigger trigger(ids, m.get());
    addMarkers(trigger, m.get());
    EXPECT_EQ(triggerScript(trigger), "// The following scripts are run as the world is first loading...\n"
                                      "m.firstload = function() {\n"
                                      "fire_a();\n"
                                      "fire_c();\n"
                                      "}\n"
                                      "// End of first load scripts\n");
}

TEST_F(TriggerTest, WorldFirstLoadsWaitsForTheOwnersOfAllItsActions)
{
    auto m = modelNamed("m");
    auto p = primitiveNamed("p", "p");
    WorldFirstLoadsTrigger trigger(ids, m.get());
    trigger.addAction(std::make_shared<MarkerAction>("a", p.get()));
    trigger.addAction(std::make_shared<MarkerAction>("b", p.get()));
    trigger.getAction(1)->setActive(false);
    EXPECT_EQ(trigger.doOnLoadTrigger(sceneContext()),
              "// Waiting for objects to load before triggering world first loads trigger...\n"
              "m.worldfirstloads = Object();\n"
              "m.worldfirstloads.timestep = function() { \n"
              "// Check whether all the objects required for actions & triggers are loaded...\n"
              "// May produce some redundancies! \n"
              "if(m.loaded && p.loaded && p.loaded){\n"
              "m.firstload();\n"
              "removeAnimator(this);\n"
              "}\n"
              "}\n"
              "addAnimator(m.worldfirstloads);\n");
}

TEST_F(TriggerTest, WorldFirstLoadsDoesNotWaitForSolidObjectsOrTheActor)
{
    auto solid = std::make_shared<SolidObjectObj>();
    solid->scriptname = "s";
    Actor actor(ids);
    auto q = modelNamed("q");
    WorldFirstLoadsTrigger onSolid(ids, solid.get());
    onSolid.addAction(std::make_shared<MarkerAction>("a", &actor));
    EXPECT_NE(onSolid.doOnLoadTrigger(sceneContext()).find("\nif(true){\ns.firstload();\n"), std::string::npos);

    auto m = modelNamed("m");
    WorldFirstLoadsTrigger onModel(ids, m.get());
    onModel.addAction(std::make_shared<MarkerAction>("a", &actor));
    onModel.addAction(std::make_shared<MarkerAction>("b", solid.get()));
    onModel.addAction(std::make_shared<MarkerAction>("c", q.get()));
    EXPECT_NE(onModel.doOnLoadTrigger(sceneContext()).find("\nif(m.loaded && q.loaded){\n"), std::string::npos);
}

TEST_F(TriggerTest, WorldFirstLoadsWithoutActionsWaitsForNothing)
{
    auto m = modelNamed("m");
    WorldFirstLoadsTrigger trigger(ids, m.get());
    EXPECT_EQ(trigger.doOnLoadTrigger(sceneContext()), "");
    EXPECT_EQ(triggerScript(trigger), "// No Actions added for trigger: When world first loads\n");
}

TEST_F(TriggerTest, LocalisedWorldFirstLoadsAddsOneLineToEachFragment)
{
    localiseScript();
    auto p = std::make_shared<PrimitiveObj>();
    p->setName("p");
    script::ScriptNaming::nameObjects({p}, ids);
    WorldFirstLoadsTrigger trigger(ids, p.get());
    trigger.addAction(std::make_shared<MarkerAction>("a", p.get()));
    EXPECT_EQ(trigger.getPreActionScript(sceneContext()),
              "// The following scripts are run as the world is first loading...\n"
              "this.localisedparent = this;\n"
              "this.firstload = function() {\n");
    EXPECT_EQ(trigger.doOnLoadTrigger(sceneContext()),
              "// Waiting for objects to load before triggering world first loads trigger...\n"
              "this.worldfirstloads = Object();\n"
              "this.worldfirstloads.localisedparent=this;\n"
              "this.worldfirstloads.timestep = function() { \n"
              "// Check whether all the objects required for actions & triggers are loaded...\n"
              "// May produce some redundancies! \n"
              "if(this.localisedparent.loaded && this.localisedparent.loaded){\n"
              "this.localisedparent.firstload();\n"
              "removeAnimator(this);\n"
              "}\n"
              "}\n"
              "addAnimator(this.worldfirstloads);\n");
}

void TriggerTest::buildTriggerScene()
{
    core::SceneDocument& registry = document();

    auto fan = std::make_shared<ModelObj>();
    fan->setName("fan'); alert('x\n");
    auto rotation = std::make_shared<ConstantRotationAction>(ids, fan.get());
    rotation->setActive(true);
    fan->addAtmoAction(rotation);
    auto proximity = std::make_shared<ProximityTrigger>(ids, fan.get());
    proximity->setActive(true);
    proximity->addAction(rotation);
    fan->addAtmoTrigger(proximity);
    registry.appendObject(fan);

    auto door = std::make_shared<SolidObjectObj>();
    door->setName("door\\\xE2\x80\xA8*/");
    auto move = std::make_shared<MovePositionAction>(ids, door.get());
    move->setActive(true);
    move->xdirection = 1.5;
    door->addAtmoAction(move);
    auto onclick = std::make_shared<OnclickTrigger>(ids, door.get());
    onclick->setActive(true);
    onclick->addAction(move);
    door->addAtmoTrigger(onclick);
    registry.appendObject(door);

    auto camera = std::make_shared<ViewpointObj>();
    camera->setName("cam\r");
    auto spin = std::make_shared<ConstantRotationAction>(ids, camera.get());
    spin->setActive(true);
    spin->maxtime = 30.0;
    camera->addAtmoAction(spin);
    auto firstLoads = std::make_shared<WorldFirstLoadsTrigger>(ids, camera.get());
    firstLoads->setActive(true);
    firstLoads->addAction(spin);
    firstLoads->addAction(registry.actor()->getAtmoAction(0));
    camera->addAtmoTrigger(firstLoads);
    auto empty = std::make_shared<OnclickTrigger>(ids, camera.get());
    empty->setActive(true);
    camera->addAtmoTrigger(empty);
    registry.appendObject(camera);

    registry.actor()->getAtmoAction(0)->setActive(true);
}

TEST_F(TriggerTest, SceneWithEveryTriggerKindAndHostileNamesParsesGlobalAndLocalised)
{
    auto project = createDefaultProject();
    buildTriggerScene();
    for (bool localised : {false, true}) {
        project->setLocaliseScript(localised);
        const std::string script = generateAtmoScript();
        std::string diagnostics;
        EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << "localised " << localised << "\n"
                                                       << diagnostics << script;
        EXPECT_NE(script.find("SceneGroup('fan\\'); alert(\\'x\\n').add();\n"), std::string::npos);
        EXPECT_NE(script.find("rotation for fan'); alert('x  <model.aer/.atmo>\n"), std::string::npos);
    }
}

} // namespace
} // namespace scenewright::test

#include "FreshProgramTest.h"
#include "InteractionFixtures.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/script/ScriptNaming.h"

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

using MotionActionTest = FreshProgramTest;

const std::string fanRotation = "Rotation('XYZ',0.0*this.thetime*(0.10471),5.0*this.thetime*(0.10471),"
                                "0.0*this.thetime*(0.10471) );\n";

std::shared_ptr<ConstantRotationAction> rotationNumbered7(core::IdCounter& ids, IAtmoObject* owner)
{
    ids.advanceTo(7);
    return std::make_shared<ConstantRotationAction>(ids, owner);
}

TEST_F(MotionActionTest, RotationTriggerAndExitFragmentsUseTheAnimatorOfTheirNumber)
{
    auto fan = modelNamed("fan");
    auto rotation = rotationNumbered7(ids, fan.get());
    EXPECT_EQ(rotation->doTriggerScript(sceneContext()), "// Fires the constant rotation action\n"
                                                         "fan.revanim7.sincetime=0;\n"
                                                         "addAnimator(fan.revanim7);\n");
    EXPECT_EQ(rotation->exitTriggerScript(sceneContext()), "if(fan.revanim7.maxtime>0) { if(fan.revanim7.sincetime < "
                                                           "fan.revanim7.maxtime) removeAnimator(fan.revanim7);}\n"
                                                           "else removeAnimator(fan.revanim7);");
}

TEST_F(MotionActionTest, RotationWithoutTimeLimitDeclaresAnEndlessAnimator)
{
    auto fan = modelNamed("fan");
    auto rotation = rotationNumbered7(ids, fan.get());
    EXPECT_EQ(rotation->doScript(sceneContext()),
              "// Here, we attach a timestep to the revanim object which runs the rotation for fan <model.aer/.atmo>\n"
              "fan.revanim7 = Object();\n"
              "fan.revanim7.thetime=0;\n"
              "fan.revanim7.fan=fan;\n"
              "fan.revanim7.timestep=function(w,d) {\n"
              "  fan.revanim7.thetime+=d;\n"
              "  if(fan.getPhysicalModel()==undefined) {\n"
              "fan.worldSpaceOrientation = "
                  + fanRotation + "} else {\n" + "fan.getPhysicalModel().worldSpaceOrientation = " + fanRotation
                  + "}\n"
                    "}\n");
}

TEST_F(MotionActionTest, RotationWithTimeLimitStoresItAndStopsItself)
{
    auto fan = modelNamed("fan");
    auto rotation = rotationNumbered7(ids, fan.get());
    rotation->maxtime = 30.0;
    EXPECT_EQ(rotation->doScript(sceneContext()),
              "// Here, we attach a timestep to the revanim object which runs the rotation for fan <model.aer/.atmo>\n"
              "fan.revanim7 = Object();\n"
              "fan.revanim7.thetime=0;\n"
              "fan.revanim7.maxtime = 30.0;\n"
              "fan.revanim7.fan=fan;\n"
              "fan.revanim7.timestep=function(w,d) {\n"
              "  fan.revanim7.thetime+=d;\n"
              "  if(fan.getPhysicalModel()==undefined) {\n"
              "fan.worldSpaceOrientation = "
                  + fanRotation + "} else {\n" + "fan.getPhysicalModel().worldSpaceOrientation = " + fanRotation
                  + "}\n"
                    "if(this.maxtime>0) {\n"
                    "  this.sincetime+=d;\n"
                    " if(this.sincetime > this.maxtime) removeAnimator(this);}\n"
                    "}\n");
    rotation->maxtime = -1.0;
    EXPECT_EQ(rotation->doScript(sceneContext()).find("maxtime"), std::string::npos);
}

TEST_F(MotionActionTest, LocalisedRotationDeclaresOnThisAndRunsOnTheLocalisedParent)
{
    localiseScript();
    auto solid = std::make_shared<SolidObjectObj>();
    solid->setName("wheel");
    script::ScriptNaming::nameObjects({solid}, ids);
    auto rotation = rotationNumbered7(ids, solid.get());
    rotation->xrevolutions = 1.5;
    rotation->yrevolutions = -2.0;
    rotation->zrevolutions = 1e7;
    const std::string turn = "Rotation('XYZ',1.5*this.thetime*(0.10471),-2.0*this.thetime*(0.10471),"
                             "1.0E7*this.thetime*(0.10471) );\n";
    EXPECT_EQ(rotation->doScript(sceneContext()),
              "// Here, we attach a timestep to the revanim object which runs the rotation for wheel <solid-object>\n"
              "this.revanim7 = Object();\n"
              "this.revanim7.thetime=0;\n"
              "this.revanim7.localisedparent=this;\n"
              "this.revanim7.timestep=function(w,d) {\n"
              "  this.localisedparent.revanim7.thetime+=d;\n"
              "  if(this.localisedparent.getPhysicalModel()==undefined) {\n"
              "this.localisedparent.worldSpaceOrientation = "
                  + turn + "} else {\n" + "this.localisedparent.getPhysicalModel().worldSpaceOrientation = " + turn
                  + "}\n"
                    "}\n");
    EXPECT_EQ(rotation->doTriggerScript(sceneContext()), "// Fires the constant rotation action\n"
                                                         "this.localisedparent.revanim7.sincetime=0;\n"
                                                         "addAnimator(this.localisedparent.revanim7);\n");
}

const std::string directMoveComment = "// Move object directly to a new position relative to its current position\n";

std::shared_ptr<MovePositionAction> moveBy(core::IdCounter& ids, IAtmoObject* owner, bool smooth)
{
    auto move = std::make_shared<MovePositionAction>(ids, owner);
    move->xdirection = 1.5;
    move->zdirection = -2.0;
    move->smoothTransition = smooth;
    return move;
}

TEST_F(MotionActionTest, ActorMovesItsPositionDirectlyInBothLayouts)
{
    Actor actor(ids);
    const std::string step = "theActor.worldSpacePosition = theActor.worldSpacePosition.add([1.5,0.0,-2.0]);\n";
    EXPECT_EQ(moveBy(ids, &actor, true)->doTriggerScript(sceneContext()), step);
    EXPECT_EQ(moveBy(ids, &actor, false)->doTriggerScript(sceneContext()), directMoveComment + step);
}

TEST_F(MotionActionTest, OtherOwnersMoveThroughTheirPhysicalModelWhenTheyHaveOne)
{
    auto box = modelNamed("box");
    const std::string branches = "box.worldSpacePosition = box.worldSpacePosition.add([1.5,0.0,-2.0]);\n"
                                 "} else {\n"
                                 "box.getPhysicalModel().worldSpacePosition = "
                                 "box.worldSpacePosition.add([1.5,0.0,-2.0]);\n"
                                 "} \n";
    EXPECT_EQ(moveBy(ids, box.get(), true)->doTriggerScript(sceneContext()),
              "if(box.getPhysicalModel()==undefined) {\n" + directMoveComment + branches);
    EXPECT_EQ(moveBy(ids, box.get(), false)->doTriggerScript(sceneContext()),
              directMoveComment + "if(box.getPhysicalModel()==undefined) {\n" + branches);
}

TEST_F(MotionActionTest, VectorMoveDeclaresNothing)
{
    auto box = modelNamed("box");
    auto move = moveBy(ids, box.get(), true);
    move->anchors = {"a1"};
    EXPECT_EQ(move->doScript(sceneContext()), "");
}

TEST_F(MotionActionTest, AnchorMoveStartsTheTourUnlessItIsUnderWay)
{
    auto box = modelNamed("box");
    MovePositionAction move(ids, box.get());
    move.usesAnchors = true;
    move.anchors = {"a1"};
    EXPECT_EQ(move.doTriggerScript(sceneContext()), "// Move object via anchors to its new position\n"
                                                    "if(!beginanch0.started) {\n"
                                                    "beginanch0.start();\n"
                                                    "}\n");
}

TEST_F(MotionActionTest, LocalisedAnchorMoveReachesTheTourThroughTheInnerName)
{
    localiseScript();
    auto solid = std::make_shared<SolidObjectObj>();
    solid->setName("lift");
    script::ScriptNaming::nameObjects({solid}, ids);
    MovePositionAction move(ids, solid.get());
    move.usesAnchors = true;
    move.anchors = {"a1"};
    EXPECT_EQ(move.doTriggerScript(sceneContext()), "// Move object via anchors to its new position\n"
                                                    "if(!this.localisedparent.beginanch3.started) {\n"
                                                    "this.localisedparent.beginanch3.start();\n"
                                                    "}\n");
}

// The lines that look an anchor up by name and list the anchors a1 and a2.
const std::string anchorLookup =
    "// Convinience method to get the anchor. Anchor could be located in 2 places\n"
    "this.getAnchor=function(anchname) {\n"
    "        var ret = theStage.getPrimitive(anchname);\n"
    "        if(ret!=undefined) return ret;\n"
    "        ret = theStage.getChild(anchname);\n"
    "        if(ret!=undefined) return ret;\n"
    "        chat.print('Could not find anchor by the name \\''+anchname+'\\'');\n"
    "        return undefined;\n"
    "}\n"
    "\n"
    "// Maintains an array of the anchors used to transport the object\n";

const std::string measuredist =
    "measuredist=function(posa, posb) { return Math.sqrt((posa.x-posb.x)*(posa.x-posb.x)+(posa.y-posb.y)*"
    "(posa.y-posb.y)+(posa.z-posb.z)*(posa.z-posb.z)); }\n";

TEST_F(MotionActionTest, AnchorTourOfAModelMovesItThroughItsPhysicalModel)
{
    auto box = modelNamed("box");
    MovePositionAction move(ids, box.get());
    move.usesAnchors = true;
    move.anchors = {"a1", "a2"};
    move.speed = 2.5;
    EXPECT_EQ(move.doScript(sceneContext()),
              anchorLookup
                  + "this.moveanch1 = ['a1','a2'];\n"
                    "this.moveanch1.speed = 2.5;\n"
                    "beginanch0 = Object();\n"
                    "beginanch0.transform = this.getAnchor(this.moveanch1[0]).transform;\n"
                    "beginanch0.worldSpacePosition = beginanch0.transform.translation;\n"
                  + measuredist
                  + "this.setupmoveanch1=function(theanch,nextid) {\n"
                    "theanch.ba = beginanch0;\n"
                    "        theanch.start = function() {\n"
                    "                this.ba.started = true;\n"
                    "                this.distance = measuredist(box.worldSpacePosition,this.worldSpacePosition);\n"
                    "                this.time = 0;\n"
                    "                this.currtrans = box.worldSpaceTransform;\n"
                    "                addAnimator(this);\n"
                    "        }\n"
                    "theanch.speed = this.moveanch1.speed;\n"
                    "        theanch.timestep = function(w,d) {\n"
                    "                this.time+=(d*this.speed);\n"
                    "                if (this.time >= this.distance) {\n"
                    "if(box.getPhysicalModel()==undefined) {\n"
                    "box.worldSpaceTransform = this.transform;\n"
                    "} else { \n"
                    "box.getPhysicalModel().worldSpaceTransform = this.transform;\n"
                    "}\n"
                    "                        removeAnimator(this);\n"
                    "                        if(this.next!=undefined) {\n"
                    "                                this.next.start();\n"
                    "                        } else {\n"
                    "                        this.ba.started = false;\n"
                    "                        }\n"
                    "                }\n"
                    "                else {\n"
                    "if(box.getPhysicalModel()==undefined) {\n"
                    "                        box.worldSpaceTransform = this.currtrans.blend(this.transform, "
                    "(this.time/this.distance));\n"
                    "} else { \n"
                    "box.getPhysicalModel().worldSpaceTransform = this.currtrans.blend(this.transform, "
                    "(this.time/this.distance));\n"
                    "}\n"
                    "                }\n"
                    "        }\n"
                    "        if(nextid < this.moveanch1.length) {\n"
                    "                theanch.next = this.getAnchor(this.moveanch1[nextid++]);\n"
                    "                this.setupmoveanch1(theanch.next, nextid);\n"
                    "        } else return;\n"
                    "}\n"
                    "this.setupmoveanch1(beginanch0,1);\n\n");
}

TEST_F(MotionActionTest, AnchorTourOfTheActorSuspendsGravityAndMovesItDirectly)
{
    createDefaultProject();
    auto move = std::dynamic_pointer_cast<MovePositionAction>(document().actor()->getAtmoAction(0));
    ASSERT_NE(move, nullptr);
    move->usesAnchors = true;
    move->anchors = {"a1", "a2"};
    EXPECT_EQ(move->doScript(sceneContext()),
              anchorLookup
                  + "this.moveanch1 = ['a1','a2'];\n"
                    "this.moveanch1.speed = 1.0;\n"
                    "beginanch0 = Object();\n"
                    "beginanch0.transform = this.getAnchor(this.moveanch1[0]).transform;\n"
                    "beginanch0.worldSpacePosition = beginanch0.transform.translation;\n"
                    "this.setupmoveanch1=function(theanch,nextid) {\n"
                    "theanch.ba = beginanch0;\n"
                    "        theanch.start = function() {\n"
                    "                this.ba.started = true;\n"
                    "                this.distance = actor.dist(this.worldSpacePosition);\n"
                    "                this.time = 0;\n"
                    "                this.currtrans = theActor.worldSpaceTransform;\n"
                    "                addAnimator(this);\n"
                    "        }\n"
                    "theanch.speed = this.moveanch1.speed;\n"
                    "        theanch.timestep = function(w,d) {\n"
                    "                actor.forcedGravitySetting = false;\n"
                    "                actor.ignoreGravityPreference = true;\n"
                    "                this.time+=(d*this.speed);\n"
                    "                if (this.time >= this.distance) {\n"
                    "                        theActor.worldSpaceTransform = this.transform;\n"
                    "                        removeAnimator(this);\n"
                    "                        if(this.next!=undefined) {\n"
                    "                                this.next.start();\n"
                    "                        } else {\n"
                    "                                actor.ignoreGravityPreference = false;\n"
                    "                        this.ba.started = false;\n"
                    "                        }\n"
                    "                }\n"
                    "                else {\n"
                    "                        theActor.worldSpaceTransform = "
                    "this.currtrans.blend(this.transform, "
                    "(this.time/this.distance));\n"
                    "                }\n"
                    "        }\n"
                    "        if(nextid < this.moveanch1.length) {\n"
                    "                theanch.next = this.getAnchor(this.moveanch1[nextid++]);\n"
                    "                this.setupmoveanch1(theanch.next, nextid);\n"
                    "        } else return;\n"
                    "}\n"
                    "this.setupmoveanch1(beginanch0,1);\n\n");
}

TEST_F(MotionActionTest, AnchorTourOfAPrimitiveSetsItsTransformDirectly)
{
    auto door = primitiveNamed("door", "door");
    MovePositionAction move(ids, door.get());
    move.usesAnchors = true;
    move.anchors = {"a1"};
    const std::string declaration = move.doScript(sceneContext());
    EXPECT_NE(declaration.find(measuredist), std::string::npos);
    EXPECT_NE(declaration.find("                if (this.time >= this.distance) {\n"
                               "                        door.worldSpaceTransform = this.transform;\n"
                               "                        removeAnimator(this);\n"),
              std::string::npos);
    EXPECT_NE(declaration.find("                else {\n"
                               "                        door.worldSpaceTransform = "
                               "this.currtrans.blend(this.transform, (this.time/this.distance));\n"
                               "                }\n"),
              std::string::npos);
    EXPECT_EQ(declaration.find("getPhysicalModel"), std::string::npos);
}

TEST_F(MotionActionTest, LocalisedAnchorTourHangsOnThisAndTellsEachAnchorItsParent)
{
    localiseScript();
    auto lift = std::make_shared<SolidObjectObj>();
    lift->setName("lift");
    script::ScriptNaming::nameObjects({lift}, ids);
    MovePositionAction move(ids, lift.get());
    move.usesAnchors = true;
    move.anchors = {"a1", "a2"};
    EXPECT_EQ(move.doScript(sceneContext()),
              anchorLookup
                  + "this.moveanch4 = ['a1','a2'];\n"
                    "this.moveanch4.speed = 1.0;\n"
                    "this.beginanch3 = Object();\n"
                    "this.beginanch3.transform = this.getAnchor(this.moveanch4[0]).transform;\n"
                    "this.beginanch3.worldSpacePosition = this.beginanch3.transform.translation;\n"
                  + measuredist
                  + "this.setupmoveanch4=function(theanch,nextid) {\n"
                    "theanch.localisedparent = this;\n"
                    "theanch.ba = this.beginanch3;\n"
                    "        theanch.start = function() {\n"
                    "                this.ba.started = true;\n"
                    "                this.distance = measuredist(this.localisedparent.worldSpacePosition,"
                    "this.worldSpacePosition);\n"
                    "                this.time = 0;\n"
                    "                this.currtrans = this.localisedparent.worldSpaceTransform;\n"
                    "                addAnimator(this);\n"
                    "        }\n"
                    "theanch.speed = this.moveanch4.speed;\n"
                    "        theanch.timestep = function(w,d) {\n"
                    "                this.time+=(d*this.speed);\n"
                    "                if (this.time >= this.distance) {\n"
                    "if(this.localisedparent.getPhysicalModel()==undefined) {\n"
                    "this.localisedparent.worldSpaceTransform = this.transform;\n"
                    "} else { \n"
                    "this.localisedparent.getPhysicalModel().worldSpaceTransform = this.transform;\n"
                    "}\n"
                    "                        removeAnimator(this);\n"
                    "                        if(this.next!=undefined) {\n"
                    "                                this.next.start();\n"
                    "                        } else {\n"
                    "                        this.ba.started = false;\n"
                    "                        }\n"
                    "                }\n"
                    "                else {\n"
                    "if(this.localisedparent.getPhysicalModel()==undefined) {\n"
                    "                        this.localisedparent.worldSpaceTransform = "
                    "this.currtrans.blend(this.transform, (this.time/this.distance));\n"
                    "} else { \n"
                    "this.localisedparent.getPhysicalModel().worldSpaceTransform = "
                    "this.currtrans.blend(this.transform, (this.time/this.distance));\n"
                    "}\n"
                    "                }\n"
                    "        }\n"
                    "        if(nextid < this.moveanch4.length) {\n"
                    "                theanch.next = this.getAnchor(this.moveanch4[nextid++]);\n"
                    "                this.setupmoveanch4(theanch.next, nextid);\n"
                    "        } else return;\n"
                    "}\n"
                    "this.setupmoveanch4(this.beginanch3,1);\n\n");
}

TEST_F(MotionActionTest, AnchorTourWithoutAnchorsContributesNothing)
{
    auto box = modelNamed("box");
    MovePositionAction move(ids, box.get());
    move.usesAnchors = true;
    move.setActive(true);
    EXPECT_EQ(move.doScript(sceneContext()), "");
    EXPECT_EQ(move.doTriggerScript(sceneContext()), "");
    EXPECT_EQ(move.exitTriggerScript(sceneContext()), "");

    move.usesAnchors = false;
    EXPECT_NE(move.doTriggerScript(sceneContext()), "");
}

TEST_F(MotionActionTest, SceneWithAnEmptyAnchorTourParses)
{
    createDefaultProject();
    auto box = std::make_shared<ModelObj>();
    box->setName("box");
    auto move = std::make_shared<MovePositionAction>(ids, box.get());
    move->usesAnchors = true;
    move->setActive(true);
    box->addAtmoAction(move);
    auto trigger = std::make_shared<ProximityTrigger>(ids, box.get());
    trigger->setActive(true);
    trigger->addAction(move);
    box->addAtmoTrigger(trigger);
    document().appendObject(box);

    const std::string script = generateAtmoScript();
    EXPECT_EQ(script.find("anch"), std::string::npos);
    EXPECT_NE(script.find("this.fired = true;\n  }\n} else { \n if(this.fired) {\n  }\n"), std::string::npos);
    EXPECT_TRUE(nodeAccepts(script));
}

TEST_F(MotionActionTest, HostileAnchorNamesStayInsideTheirLiterals)
{
    createDefaultProject();
    auto move = std::dynamic_pointer_cast<MovePositionAction>(document().actor()->getAtmoAction(0));
    ASSERT_NE(move, nullptr);
    move->usesAnchors = true;
    move->setActive(true);
    move->anchors = {"a'b", "c\\", "d\ne", "f\r\xE2\x80\xA8\xE2\x80\xA9g", "'];alert(1);//"};

    const std::string script = generateAtmoScript();
    EXPECT_NE(script.find("this.moveanch1 = ['a\\'b','c\\\\','d\\ne','f\\r\\u2028\\u2029g','\\'];alert(1);//'];\n"),
              std::string::npos);
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics << script;
}

TEST_F(MotionActionTest, MotionActionsAreNotAllowedForPrimitives)
{
    Actor actor(ids);
    World world;
    PrimitiveObj primitive;
    ModelObj model;
    ViewpointObj viewpoint;
    SolidObjectObj solid;
    ConstantRotationAction rotation(ids);
    MovePositionAction move(ids);
    const std::vector<const AtmoAction*> actions = {&rotation, &move};
    const std::vector<const IAtmoObject*> allowed = {&model, &viewpoint, &solid, &actor, &world, nullptr};
    for (const AtmoAction* action : actions) {
        EXPECT_FALSE(action->allowedForAtmoObject(&primitive)) << action->className();
        for (const IAtmoObject* object : allowed)
            EXPECT_TRUE(action->allowedForAtmoObject(object)) << action->className();
    }
}

} // namespace
} // namespace scenewright::test

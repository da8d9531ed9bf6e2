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
#include "scenewright/core/script/ScriptOutput.h"

#include <thread>
#include <vector>

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

using SynchronisationTest = FreshProgramTest;

const std::string triggerNamesComment = "// set the Shared Objects Synchronisation trigger names here...\n";

const std::string handlerOpening =
    "// *********************************************\n"
    "// Shared Objects\n"
    "// *********************************************\n\n"
    "connect = Object();\n"
    "connect.timestep = function() {\n"
    "        if(chat.isConnected) {\t\t\n"
    "                for(i=0; i<triggernames.length; i++) {\n"
    "                        triggerrunning[i] = false;\n"
    "                        try { \n"
    "                                chat.createSharedObject(triggernames[i]);\n"
    "                        } catch (oerror) {\n"
    "                                chat.print('SharedObj - ',oerror.name,': ',oerror.message);\n"
    "                        }\t\n"
    "                }\n"
    "                triggernames.ok = true;\n"
    "                removeAnimator(this);\n"
    "        }\n"
    "}\n"
    "addAnimator(connect);\n"
    "chat.onSharedPropertyChange = function(objname, property, value) {\n"
    "\t       if(objname!=undefined && property!=undefined && value!=undefined) {\n";
const std::string handlerClosing = "       }\n}\n";

// One handler branch, without its closing brace.
std::string branch(const std::string& trigger, const std::string& value, const std::string& code)
{
    return "    if(objname=='" + trigger + "' && property=='running' && value=='" + value + "') {\n" + code;
}

std::string running(int index, const std::string& value)
{
    return "\n    triggerrunning[" + std::to_string(index) + "] = " + value + ";\n";
}

// The whole shared-object handler with these branches.
std::string handler(const std::vector<std::string>& branches)
{
    std::string text = handlerOpening;
    for (std::size_t k = 0; k < branches.size(); ++k)
        text += (k > 0 ? " else " : "") + branches[k] + "}";
    return text + handlerClosing;
}

std::string rotationFires(const std::string& animator)
{
    return "// Fires the constant rotation action\n" + animator + ".sincetime=0;\naddAnimator(" + animator + ");\n";
}

std::string rotationStops(const std::string& animator)
{
    return "if(" + animator + ".maxtime>0) { if(" + animator + ".sincetime < " + animator
           + ".maxtime) removeAnimator(" + animator + ");}\nelse removeAnimator(" + animator + ");";
}

std::shared_ptr<ModelObj> addModel(core::SceneDocument& document, const std::string& name)
{
    auto model = std::make_shared<ModelObj>();
    model->setName(name);
    document.appendObject(model);
    return model;
}

std::shared_ptr<AtmoAction> addRotation(core::IdCounter& ids, AtmoObject& object)
{
    auto rotation = std::make_shared<ConstantRotationAction>(ids, &object);
    rotation->setActive(true);
    object.addAtmoAction(rotation);
    return rotation;
}

std::shared_ptr<AtmoTrigger> addTrigger(AtmoObject& object, std::shared_ptr<AtmoTrigger> trigger,
                                        const std::vector<std::shared_ptr<AtmoAction>>& actions)
{
    trigger->setActive(true);
    for (const auto& action : actions)
        trigger->addAction(action);
    object.addAtmoTrigger(trigger);
    return trigger;
}

// A fan that turns when the actor comes near and a door that turns when
// clicked.
void addFanAndDoor(core::SceneDocument& document, core::IdCounter& ids)
{
    auto fan = addModel(document, "fan");
    auto fanRotation = addRotation(ids, *fan);
    addTrigger(*fan, std::make_shared<ProximityTrigger>(ids, fan.get()), {fanRotation});
    auto door = addModel(document, "door");
    auto doorRotation = addRotation(ids, *door);
    addTrigger(*door, std::make_shared<OnclickTrigger>(ids, door.get()), {doorRotation});
}

// The text between the trigger-name list's comment and the end of its line.
std::string triggerNameList(const std::string& script)
{
    std::size_t begin = script.find(triggerNamesComment);
    if (begin == std::string::npos)
        return "(none)";
    begin += triggerNamesComment.size();
    return script.substr(begin, script.find('\n', begin) + 1 - begin);
}

std::string handlerOf(const std::string& script)
{
    std::size_t begin = script.find("// *********************************************\n// Shared Objects\n");
    return begin == std::string::npos ? "(none)" : script.substr(begin);
}

TEST_F(SynchronisationTest, StartCodeSetsTheSharedPropertyOrWaitsOnceForTheChat)
{
    EXPECT_EQ(
        script::SynchronisationTable().getSynchTriggerScript("synchtrigger4"),
        "    // IF SHARED PROPERTY EXISTS.. CHANGE SHARED VARIABLE \n"
        "    for(i=0;i<triggernames.length;i++) {\n"
        "            if(triggernames[i]=='synchtrigger4') {\n"
        "                    if(!triggerrunning[i]) {\n"
        "                            prop = chat.getSharedProperty('synchtrigger4', 'running');\n"
        "                            if(chat.isConnected) {\n"
        "                                    chat.setSharedProperty('synchtrigger4','running','true');\n"
        "          } else {\n"
        "                                          if(!triggernames.waiting) {\n"
        "                                                  triggernames.waiting = true;\n"
        "                                                  waitalittlewhileforchat = Object();\n"
        "                                                  waitalittlewhileforchat.timestep = function() {\n"
        "                                                          if(chat.isConnected && triggernames.ok) {\n"
        "                                                                  "
        "chat.setSharedProperty('synchtrigger4','running','true');\n"
        "                                                                  triggernames.waiting = false;\n"
        "                                                                  removeAnimator(waitalittlewhileforchat);\n"
        "                                                          }\n"
        "                                                  }\n"
        "                                                  addAnimator(waitalittlewhileforchat);\n"
        "                                          }\n"
        "                            }\n"
        "                    }\n"
        "                    break;\n"
        "            }\n"
        "    }\n"
        "    // END SHARED PROPERTY\n");
}

TEST_F(SynchronisationTest, ExitCodeClearsTheSharedPropertyOnlyWhenConnected)
{
    EXPECT_EQ(script::SynchronisationTable().getSynchExitTriggerScript("synchtrigger4"),
              "    // IF SHARED PROPERTY EXISTS.. CHANGE SHARED VARIABLE \n"
              "    for(i=0;i<triggernames.length;i++) {\n"
              "            if(triggernames[i]=='synchtrigger4') {\n"
              "                    if(triggerrunning[i]) {\n"
              "                            prop = chat.getSharedProperty('synchtrigger4', 'running');\n"
              "                            if(chat.isConnected) {\n"
              "                                    chat.setSharedProperty('synchtrigger4','running','false');\n"
              "                            }\n"
              "                    }\n"
              "                    break;\n"
              "            }\n"
              "    }\n"
              "    // END SHARED PROPERTY\n");
}

// The shared-property handler the table writes for no objects.
std::string handlerOf(const script::SynchronisationTable& synch)
{
    std::string text;
    script::ScriptOutput out(text);
    synch.doScript({}, script::ScriptContext(), out);
    return text;
}

TEST_F(SynchronisationTest, TableKeepsBranchesInTheOrderTheirKeysWereFirstStored)
{
    script::SynchronisationTable synch;
    synch.appendSynchForAction("synchtrigger10", "running", "true", "a();\n");
    synch.appendSynchForAction("synchtrigger1", "running", "true", "b();\n");
    synch.appendSynchForAction("synchtrigger10", "running", "false", "c();\n");
    synch.appendSynchForAction("synchtrigger10", "running", "true", "d();\n");
    synch.setSynchForAction("synchtrigger1", "running", "true", "e();\n");
    EXPECT_EQ(handlerOf(synch),
              handler({branch("synchtrigger10", "true", "a();\nd();\n"), branch("synchtrigger1", "true", "e();\n"),
                       branch("synchtrigger10", "false", "c();\n")}));

    synch.removeSynchsForTrigger("synchtrigger1");
    EXPECT_EQ(handlerOf(synch),
              handler({branch("synchtrigger10", "true", "a();\nd();\n"), branch("synchtrigger10", "false", "c();\n")}));

    synch.appendSynchForAction("synchtrigger1", "running", "true", "f();\n");
    synch.removeSynchsForTrigger("synchtrigger10");
    EXPECT_EQ(handlerOf(synch), handler({branch("synchtrigger1", "true", "f();\n")}));

    synch.clearAttributes();
    EXPECT_EQ(handlerOf(synch), handler({}));

    // Enough names that the table's index grows several times, each then
    // stored to again: every key still finds its own branch.
    std::vector<std::string> expected;
    for (int i = 0; i < 100; ++i)
        synch.appendSynchForAction("synchtrigger" + std::to_string(i), "running", "true", "a();\n");
    for (int i = 0; i < 100; ++i) {
        synch.appendSynchForAction("synchtrigger" + std::to_string(i), "running", "true", "b();\n");
        expected.push_back(branch("synchtrigger" + std::to_string(i), "true", "a();\nb();\n"));
    }
    EXPECT_EQ(handlerOf(synch), handler(expected));
}

TEST_F(SynchronisationTest, SwitchedOnWithoutSynchronisedTriggersWritesAnEmptyListAndHandler)
{
    createDefaultProject();
    synchronise = true;
    EXPECT_EQ(generateAtmoScript(), "// ***************************************\n"
                                    "// Object declarations \n"
                                    "// ***************************************\n"
                                        + triggerNamesComment + "triggernames = [];\ntriggerrunning = [];\n"
                                        + "\n"
                                          "// ***************************************\n"
                                          "// Trigger actions \n"
                                          "// ***************************************\n"
                                          "\n\n\n"
                                        + handler({}));
}

TEST_F(SynchronisationTest, SwitchedOffWritesNeitherTheListNorTheHandler)
{
    createDefaultProject();
    auto fan = addModel(document(), "fan");
    auto fanRotation = addRotation(ids, *fan);
    addTrigger(*fan, std::make_shared<ProximityTrigger>(ids, fan.get()), {fanRotation});
    const std::string script = generateAtmoScript();
    EXPECT_EQ(script.find("triggernames"), std::string::npos);
    EXPECT_EQ(script.find("Shared Objects"), std::string::npos);
    EXPECT_NE(script.find("addAnimator(modelobj4.revanim2);"), std::string::npos);
}

TEST_F(SynchronisationTest, HandlerRunsEachTriggersCodeAndTracksRunningOnlyForExitTriggers)
{
    createDefaultProject();
    synchronise = true;
    addFanAndDoor(document(), ids);

    const std::string script = generateAtmoScript();
    EXPECT_EQ(triggerNameList(script), "triggernames = ['synchtrigger3','synchtrigger5'];\n");
    EXPECT_LT(script.find(triggerNamesComment), script.find("// Trigger actions \n"));
    EXPECT_EQ(handlerOf(script),
              handler({branch("synchtrigger3", "true", rotationFires("modelobj6.revanim2") + running(0, "true")),
                       branch("synchtrigger3", "false", rotationStops("modelobj6.revanim2") + running(0, "false")),
                       branch("synchtrigger5", "true", rotationFires("modelobj7.revanim4")),
                       branch("synchtrigger5", "false", rotationStops("modelobj7.revanim4"))}));
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics << script;
}

TEST_F(SynchronisationTest, InactiveAndOptedOutTriggersAreNotListedAndShiftNoIndex)
{
    createDefaultProject();
    synchronise = true;
    auto a = addModel(document(), "a");
    auto aRotation = addRotation(ids, *a);
    addTrigger(*a, std::make_shared<ProximityTrigger>(ids, a.get()), {aRotation})->setActive(false);
    auto b = addModel(document(), "b");
    auto bRotation = addRotation(ids, *b);
    addTrigger(*b, std::make_shared<ProximityTrigger>(ids, b.get()), {bRotation});
    auto c = addModel(document(), "c");
    auto cRotation = addRotation(ids, *c);
    addTrigger(*c, std::make_shared<OnclickTrigger>(ids, c.get()), {cRotation})->usesSynch = false;
    auto d = addModel(document(), "d");
    auto dRotation = addRotation(ids, *d);
    addTrigger(*d, std::make_shared<ProximityTrigger>(ids, d.get()), {dRotation});

    const std::string script = generateAtmoScript();
    EXPECT_EQ(triggerNameList(script), "triggernames = ['synchtrigger5','synchtrigger9'];\n");
    EXPECT_EQ(handlerOf(script),
              handler({branch("synchtrigger5", "true", rotationFires("modelobj11.revanim4") + running(0, "true")),
                       branch("synchtrigger5", "false", rotationStops("modelobj11.revanim4") + running(0, "false")),
                       branch("synchtrigger9", "true", rotationFires("modelobj13.revanim8") + running(1, "true")),
                       branch("synchtrigger9", "false", rotationStops("modelobj13.revanim8") + running(1, "false"))}));
    EXPECT_NE(script.find(".mouse.onEvent = function(ev,obj) {\n" + rotationFires("modelobj12.revanim6")),
              std::string::npos);
    EXPECT_TRUE(nodeAccepts(script));
}

// Triggers that share a number (which no project file allows) share their
// name: the later one's branches replace the earlier one's, and both track
// running through them.
TEST_F(SynchronisationTest, TriggersSharingANumberShareTheLaterTriggersBranches)
{
    createDefaultProject();
    synchronise = true;
    // One statement per interaction, so that they take their numbers in
    // the same order whatever the compiler.
    auto a = addModel(document(), "a");
    auto firstRotation = addRotation(ids, *a);
    auto first = addTrigger(*a, std::make_shared<ProximityTrigger>(ids, a.get()), {firstRotation});
    auto b = addModel(document(), "b");
    auto secondRotation = addRotation(ids, *b);
    auto second = addTrigger(*b, std::make_shared<ProximityTrigger>(ids, b.get()), {secondRotation});
    ASSERT_TRUE(second->setNumbers(first->numbers()));

    const std::string script = generateAtmoScript();
    EXPECT_EQ(triggerNameList(script), "triggernames = ['synchtrigger3','synchtrigger3'];\n");
    EXPECT_EQ(handlerOf(script),
              handler({branch("synchtrigger3", "true",
                              rotationFires("modelobj7.revanim4") + running(0, "true") + running(1, "true")),
                       branch("synchtrigger3", "false",
                              rotationStops("modelobj7.revanim4") + running(0, "false") + running(1, "false"))}));
}

TEST_F(SynchronisationTest, ActionsOfOneTriggerShareABranchInTheirOrder)
{
    createDefaultProject();
    synchronise = true;
    auto fan = addModel(document(), "fan");
    auto rotation = addRotation(ids, *fan);
    auto move = std::make_shared<MovePositionAction>(ids, fan.get());
    move->setActive(true);
    move->smoothTransition = false;
    fan->addAtmoAction(move);
    addTrigger(*fan, std::make_shared<ProximityTrigger>(ids, fan.get()), {rotation, move});

    const std::string script = generateAtmoScript();
    const std::string moveCode = "// Move object directly to a new position relative to its current position\n"
                                 "if(modelobj6.getPhysicalModel()==undefined) {\n"
                                 "modelobj6.worldSpacePosition = modelobj6.worldSpacePosition.add([0.0,0.0,0.0]);\n"
                                 "} else {\n"
                                 "modelobj6.getPhysicalModel().worldSpacePosition = "
                                 "modelobj6.worldSpacePosition.add([0.0,0.0,0.0]);\n"
                                 "} \n";
    EXPECT_EQ(handlerOf(script),
              handler({branch("synchtrigger5", "true",
                              rotationFires("modelobj6.revanim2") + moveCode + running(0, "true")),
                       branch("synchtrigger5", "false", rotationStops("modelobj6.revanim2") + running(0, "false"))}));
    EXPECT_TRUE(nodeAccepts(script));
}

TEST_F(SynchronisationTest, GeneratingTwiceOrOnTwoThreadsAtOnceGivesTheSameScript)
{
    createDefaultProject();
    synchronise = true;
    addFanAndDoor(document(), ids);
    const std::string first = generateAtmoScript();
    EXPECT_EQ(generateAtmoScript(), first);

    // A second program's document, of other triggers, localised: each
    // generation keeps its synchronisation table to itself, so neither
    // script takes anything of the other.
    IdCounter otherIds;
    auto other = SceneDocument::createDefault(otherIds);
    other->setLocaliseScript(true);
    auto lamp = addModel(*other, "lamp");
    auto lampRotation = addRotation(otherIds, *lamp);
    addTrigger(*lamp, std::make_shared<WorldFirstLoadsTrigger>(otherIds, lamp.get()), {lampRotation});
    other->nameObjects();
    const script::ScriptOptions otherOptions{true, true, script::ScriptLayout::Compressed};
    const std::string otherFirst = script::ScriptGenerator::generate(other->objects(), otherOptions);
    ASSERT_NE(otherFirst, first);

    constexpr int kRounds = 20;
    std::vector<std::string> scripts(kRounds);
    std::vector<std::string> otherScripts(kRounds);
    const script::ScriptOptions options{false, true};
    {
        std::thread one([&] {
            for (std::string& script : scripts)
                script = script::ScriptGenerator::generate(document().objects(), options);
        });
        std::thread two([&] {
            for (std::string& script : otherScripts)
                script = script::ScriptGenerator::generate(other->objects(), otherOptions);
        });
        one.join();
        two.join();
    }
    EXPECT_EQ(scripts, std::vector<std::string>(kRounds, first));
    EXPECT_EQ(otherScripts, std::vector<std::string>(kRounds, otherFirst));
}

TEST_F(SynchronisationTest, SynchronisedSceneOfEveryTriggerKindParsesGlobalAndLocalised)
{
    auto project = createDefaultProject();
    synchronise = true;
    core::SceneDocument& registry = document();

    auto fan = addModel(document(), "fan\n'");
    auto fanRotation = addRotation(ids, *fan);
    addTrigger(*fan, std::make_shared<ProximityTrigger>(ids, fan.get()), {fanRotation});

    auto lift = std::make_shared<SolidObjectObj>();
    lift->setName("3");
    auto move = std::make_shared<MovePositionAction>(ids, lift.get());
    move->setActive(true);
    move->usesAnchors = true;
    move->anchors = {"a1", "a'2"};
    lift->addAtmoAction(move);
    addTrigger(*lift, std::make_shared<OnclickTrigger>(ids, lift.get()), {move});
    addTrigger(*lift, std::make_shared<ProximityTrigger>(ids, lift.get()), {move});
    registry.appendObject(lift);

    auto camera = std::make_shared<ViewpointObj>();
    camera->setName("cam");
    auto spin = addRotation(ids, *camera);
    addTrigger(*camera, std::make_shared<WorldFirstLoadsTrigger>(ids, camera.get()),
               {spin, registry.actor()->getAtmoAction(0)});
    registry.appendObject(camera);
    registry.actor()->getAtmoAction(0)->setActive(true);

    for (bool localised : {false, true}) {
        project->setLocaliseScript(localised);
        const std::string script = generateAtmoScript();
        EXPECT_EQ(triggerNameList(script),
                  "triggernames = ['synchtrigger3','synchtrigger6','synchtrigger7','synchtrigger9'];\n");
        std::string diagnostics;
        EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << "localised " << localised << "\n"
                                                       << diagnostics << script;
    }
}

} // namespace
} // namespace scenewright::test

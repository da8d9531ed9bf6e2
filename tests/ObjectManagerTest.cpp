#include "FreshProgramTest.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"

#include <memory>
#include <sstream>
#include <string>

namespace scenewright::test {
namespace {

using namespace core;
using action::ConstantRotationAction;
using action::MovePositionAction;
using action::OnclickTrigger;
using action::ProximityTrigger;
using action::WorldFirstLoadsTrigger;

const std::string kDeclarationsBanner = "// ***************************************\n"
                                        "// Object declarations \n"
                                        "// ***************************************\n";
const std::string kTriggersBanner = "// ***************************************\n"
                                    "// Trigger actions \n"
                                    "// ***************************************\n";

template <class Kind>
std::shared_ptr<Kind> addNamed(core::SceneDocument& document, const std::string& name)
{
    auto object = std::make_shared<Kind>();
    object->setName(name);
    document.appendObject(object);
    return object;
}

template <class Kind>
std::shared_ptr<Kind> addTrigger(core::IdCounter& ids, IAtmoObject& object)
{
    auto trigger = std::make_shared<Kind>(ids, &object);
    trigger->setActive(true);
    object.addAtmoTrigger(trigger);
    return trigger;
}

std::shared_ptr<ConstantRotationAction> addRotation(core::IdCounter& ids, IAtmoObject& object)
{
    auto rotation = std::make_shared<ConstantRotationAction>(ids, &object);
    rotation->setActive(true);
    object.addAtmoAction(rotation);
    return rotation;
}

class ObjectManagerTest : public FreshProgramTest {
protected:
    // A world in which every kind of object, and every world setting that
    // carries text, holds line breaks, quotes and backslashes.
    void buildHostileWorld();
};

TEST_F(ObjectManagerTest, NextIdCountsOnAcrossClearsAndProjects)
{
    EXPECT_EQ(ids.next(), 0);
    EXPECT_EQ(ids.next(), 1);
    EXPECT_EQ(ids.peek(), 2);
    core::SceneDocument another(ids); // a new, empty document
    EXPECT_EQ(ids.next(), 2);
    createDefaultProject(); // the actor's move action takes 3 and 4
    EXPECT_EQ(ids.next(), 5);
    createDefaultProject();
    EXPECT_EQ(ids.next(), 8);
}

TEST_F(ObjectManagerTest, ScriptOfOnePrimitiveWithAnOnClickTrigger)
{
    createDefaultProject();
    auto move = document().actor()->getAtmoAction(0);
    move->setActive(true);
    move->set("zdirection", "1.5");
    auto door = addNamed<PrimitiveObj>(document(), "door");
    addTrigger<OnclickTrigger>(ids, *door)->addAction(move);

    const std::string script = generateAtmoScript();
    EXPECT_EQ(script, kDeclarationsBanner
                          + "primitiveobj3 = theStage.getSolidObject(0).rootPrimitive.find('.../door');\n"
                            "\n"
                          + kTriggersBanner
                          + "\n"
                            "\n"
                            "\n"
                            "// on click trigger for 'door <primitive>'\n"
                            "primitiveobj3.mouse = MouseEventHandler();\n"
                            "primitiveobj3.mouse.setFilterOnClick(primitiveobj3);\n"
                            "primitiveobj3.mouse.onEvent = function(ev,obj) {\n"
                            "theActor.worldSpacePosition = theActor.worldSpacePosition.add([0.0,0.0,1.5]);\n"
                            "}\n // end of onclick trigger script\n"
                            "\n");
    EXPECT_TRUE(nodeAccepts(script));
}

TEST_F(ObjectManagerTest, AssemblesDeclarationsThenOnLoadTriggersThenWorldThenTriggersOfActiveParts)
{
    createDefaultProject();
    World& world = *document().world();
    world.setWelcomeEnabled(true);
    world.setWelcomeMessage(std::string("hi"));
    auto fan = addNamed<ModelObj>(document(), "fan");
    auto rotation = addRotation(ids, *fan);
    auto idleMove = std::make_shared<MovePositionAction>(ids, fan.get());
    idleMove->usesAnchors = true;
    idleMove->anchors = {"a1"};
    fan->addAtmoAction(idleMove);
    auto firstLoad = addTrigger<WorldFirstLoadsTrigger>(ids, *fan);
    firstLoad->addAction(rotation);
    auto idleNear = addTrigger<ProximityTrigger>(ids, *fan);
    idleNear->addAction(rotation);
    idleNear->setActive(false);
    auto box = addNamed<SolidObjectObj>(document(), "box");
    auto idleFirstLoad = addTrigger<WorldFirstLoadsTrigger>(ids, *box);
    idleFirstLoad->addAction(rotation);
    idleFirstLoad->setActive(false);
    auto click = addTrigger<OnclickTrigger>(ids, *box);
    click->addAction(rotation);

    const std::string script = generateAtmoScript();
    const std::string expected = kDeclarationsBanner + fan->getAtmoObjectDeclaration(sceneContext())
                                 + rotation->doScript(sceneContext()) + box->getAtmoObjectDeclaration(sceneContext())
                                 + firstLoad->doOnLoadTrigger(sceneContext()) + "\n" + kTriggersBanner
                                 + "chat.print('hi');\n" + "\n" + "\n" + "\n" + triggerScript(*firstLoad) + "\n"
                                 + triggerScript(*click) + "\n";
    EXPECT_EQ(script, expected);
    EXPECT_EQ(script.find(idleMove->doScript(sceneContext())), std::string::npos);
    EXPECT_EQ(script.find(".prox"), std::string::npos);
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics;
}

TEST_F(ObjectManagerTest, GeneratingTwiceGivesTheSameTextWithAndWithoutSynchronisation)
{
    createDefaultProject();
    auto fan = addNamed<ModelObj>(document(), "fan");
    auto rotation = addRotation(ids, *fan);
    addTrigger<ProximityTrigger>(ids, *fan)->addAction(rotation);
    addTrigger<OnclickTrigger>(ids, *addNamed<PrimitiveObj>(document(), "door"))->addAction(rotation);

    const std::string first = generateAtmoScript();
    EXPECT_EQ(generateAtmoScript(), first);
    EXPECT_TRUE(nodeAccepts(first));
    synchronise = true;
    const std::string synchronised = generateAtmoScript();
    EXPECT_NE(synchronised, first);
    EXPECT_EQ(generateAtmoScript(), synchronised);
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(synchronised, &diagnostics)) << diagnostics;
}

TEST_F(ObjectManagerTest, SynchronisationTextsStandBeforeTheTriggerBannerAndAtTheEnd)
{
    createDefaultProject();
    auto fan = addNamed<ModelObj>(document(), "fan");
    auto rotation = addRotation(ids, *fan);
    addTrigger<WorldFirstLoadsTrigger>(ids, *fan)->addAction(rotation);
    addTrigger<OnclickTrigger>(ids, *fan)->addAction(rotation);
    synchronise = true;

    const std::string script = generateAtmoScript();
    const auto& objects = document().objects();
    script::ScriptContext context = sceneContext();
    script::SynchronisationTable::Triggers synchronised;
    for (const auto& object : objects) {
        object->generateAtmoScript(context);
        for (const auto& trigger : object->getAtmoTriggerListData())
            if (trigger->getActive() && trigger->usesSynch)
                synchronised.push_back(trigger.get());
    }
    const std::string names = script::SynchronisationTable::getTriggerNames(synchronised);
    std::string handler;
    script::ScriptOutput handlerText(handler);
    context.synchronisation().doScript(synchronised, context, handlerText);
    ASSERT_FALSE(names.empty());
    ASSERT_FALSE(handler.empty());
    const std::string onLoad = fan->getAtmoTrigger(0)->doOnLoadTrigger(sceneContext());
    EXPECT_NE(script.find(onLoad + names + "\n" + kTriggersBanner), std::string::npos);
    ASSERT_GE(script.size(), handler.size());
    EXPECT_EQ(script.substr(script.size() - handler.size()), handler);
    EXPECT_TRUE(nodeAccepts(script));
}

TEST_F(ObjectManagerTest, RemovingAnObjectRemovesItsActionsFromTheRemainingTriggers)
{
    createDefaultProject();
    core::SceneDocument& registry = document();
    auto move = registry.actor()->getAtmoAction(0);
    move->setActive(true);
    auto fan = addNamed<ModelObj>(document(), "fan");
    auto rotation = addRotation(ids, *fan);
    auto door = addNamed<PrimitiveObj>(document(), "door");
    auto click = addTrigger<OnclickTrigger>(ids, *door);
    click->addAction(rotation);
    click->addAction(move);
    click->addAction(rotation);
    auto firstLoad = addTrigger<WorldFirstLoadsTrigger>(ids, *registry.world());
    firstLoad->addAction(rotation);

    registry.removeObject(2);

    ASSERT_EQ(registry.objectCount(), 3);
    EXPECT_EQ(registry.object(2), door);
    EXPECT_EQ(click->getActionList(), action::AtmoTrigger::ActionList{move});
    EXPECT_EQ(firstLoad->getActionSize(), 0);
    const std::string script = generateAtmoScript();
    EXPECT_EQ(script.find("modelobj"), std::string::npos);
    EXPECT_EQ(script.find("revanim"), std::string::npos);
    EXPECT_TRUE(nodeAccepts(script));
}

TEST_F(ObjectManagerTest, CopiedTriggersAndActionsGenerateNamesOfTheirOwn)
{
    createDefaultProject();
    auto fan = addNamed<ModelObj>(document(), "fan");
    auto rotation = addRotation(ids, *fan);
    addTrigger<ProximityTrigger>(ids, *fan)->addAction(rotation);
    auto box = addNamed<SolidObjectObj>(document(), "box");
    box->copy(*fan, ids);
    synchronise = true;

    const std::string script = generateAtmoScript();
    EXPECT_NE(script.find("modelobj6.revanim2 = Object();"), std::string::npos);
    EXPECT_NE(script.find("solidobject7.revanim4 = Object();"), std::string::npos);
    EXPECT_NE(script.find("synchtrigger3"), std::string::npos);
    EXPECT_NE(script.find("synchtrigger5"), std::string::npos);
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics;
}

void ObjectManagerTest::buildHostileWorld()
{
    const std::string hostile = "x'); alert('\\\n\r\u2028\u2029y";
    createDefaultProject();
    core::SceneDocument& registry = document();
    World& world = *registry.world();
    world.setWelcomeEnabled(true);
    world.setWelcomeMessage(hostile + "\n" + hostile);
    auto sound = std::make_shared<script::Sounds>();
    sound->filename = hostile;
    sound->addControlPanelButtons = true;
    world.addSound(sound);
    auto move = registry.actor()->getAtmoAction(0);
    move->setActive(true);

    auto loaded = addNamed<ModelObj>(document(), hostile);
    loaded->pm.active = true;
    auto found = addNamed<ModelObj>(document(), hostile);
    found->tobeloaded = false;
    auto door = addNamed<PrimitiveObj>(document(), hostile);
    door->solidObjectIndex = hostile;
    auto box = addNamed<SolidObjectObj>(document(), hostile);
    auto cam = addNamed<ViewpointObj>(document(), hostile);
    cam->pm.active = true;
    for (const auto& object : registry.objects()) {
        if (object == registry.world() || object == registry.actor())
            continue;
        auto click = addTrigger<OnclickTrigger>(ids, *object);
        click->addAction(move);
        auto near = addTrigger<ProximityTrigger>(ids, *object);
        if (object != door) {
            auto rotation = addRotation(ids, *object);
            near->addAction(rotation);
            click->addAction(rotation);
        }
    }
}

// Whether the injected call appears anywhere but in a whole-line comment.
bool injectionEscapes(const std::string& script)
{
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);)
        if (line.find("alert('") != std::string::npos && line.rfind("//", 0) != 0)
            return true;
    return false;
}

TEST_F(ObjectManagerTest, HostileNamesCannotBreakOutOfTheGlobalScript)
{
    buildHostileWorld();
    const std::string script = generateAtmoScript();
    const std::string literal = "x\\'); alert(\\'\\\\\\n\\r\\u2028\\u2029y";
    const std::string comment = "x'); alert('\\  " + std::string("  y");
    EXPECT_NE(script.find("getSolidObject('" + literal + "').rootPrimitive.find('.../" + literal + "')"),
              std::string::npos);
    EXPECT_NE(script.find("// on click trigger for '" + comment + " <primitive>'\n"), std::string::npos);
    EXPECT_NE(script.find("physical model for " + comment + " <viewpoint> here\n"), std::string::npos);
    EXPECT_NE(script.find("Sound('" + literal + "')"), std::string::npos);
    EXPECT_FALSE(injectionEscapes(script));
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics;
}

TEST_F(ObjectManagerTest, HostileNamesCannotBreakOutOfTheLocalisedOrSynchronisedScript)
{
    buildHostileWorld();
    currentDocument()->setLocaliseScript(true);
    std::string diagnostics;
    const std::string localised = generateAtmoScript();
    EXPECT_FALSE(injectionEscapes(localised));
    EXPECT_TRUE(nodeAccepts(localised, &diagnostics)) << diagnostics;
    synchronise = true;
    const std::string synchronised = generateAtmoScript();
    EXPECT_FALSE(injectionEscapes(synchronised));
    EXPECT_TRUE(nodeAccepts(synchronised, &diagnostics)) << diagnostics;
}

} // namespace
} // namespace scenewright::test

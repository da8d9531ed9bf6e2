#include "FreshProgramTest.h"
#include "TestScene.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/InteractionManager.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"

#include <stdexcept>

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

using InteractionManagerTest = FreshProgramTest;

// A panel as the GUI would register one.
class TestPanel : public IInteractionEditor {
public:
    explicit TestPanel(std::string kind) : kind(std::move(kind)) {}
    std::string kind;
};

InteractionManager::EditorFactory panelFactory(const std::string& kind)
{
    return [kind] { return std::make_unique<TestPanel>(kind); };
}

std::string panelKind(const std::unique_ptr<IInteractionEditor>& panel)
{
    auto* testPanel = dynamic_cast<TestPanel*>(panel.get());
    return testPanel ? testPanel->kind : "none";
}

TEST_F(InteractionManagerTest, HoldsThePrototypesInOrderAndBuildsThemOnFirstUse)
{
    EXPECT_EQ(ObjectManager::peekNextId(), 0);
    InteractionManager& registry = InteractionManager::getInstance();

    struct Expected {
        std::string className;
        std::optional<std::string> name;
        std::vector<int> ids;
    };
    const std::vector<Expected> actions = {
        {"URLpopup", "Open URL up in new window", {}},
        {"ChatPrintMessageAction", "Print message in chat window", {}},
        {"EmitSoundAction", std::nullopt, {0}},
        {"GotoNewWorldAction", "Goto new Atmo world", {}},
        {"MovePositionAction", "Move to a position/direction", {1, 2}},
        {"ConstantRotationAction", "Rotate constantly", {3}},
        {"OpacityAction", "Set Opacity", {4}},
        {"ViewpointObjectAction", "Do Viewpoint Animations", {5}},
        {"AnimateTextureAction", "Animate textures on object", {6}},
    };
    ASSERT_EQ(registry.getStandardActionSize(), 9);
    for (int k = 0; k < 9; ++k) {
        const auto& prototype = registry.getStandardAction(k);
        EXPECT_EQ(prototype->className(), actions[k].className);
        EXPECT_EQ(prototype->getName(), actions[k].name) << actions[k].className;
        EXPECT_EQ(prototype->getIds(), actions[k].ids) << actions[k].className;
        EXPECT_EQ(prototype->getOwnerObject(), nullptr);
        EXPECT_FALSE(prototype->getActive());
    }
    EXPECT_EQ(registry.getStandardAction(2)->toString(), "esnd0");

    const std::vector<std::pair<std::string, std::string>> triggers = {
        {"OnclickTrigger", "On click trigger"},
        {"ProximityTrigger", "Proximity trigger"},
        {"WorldFirstLoadsTrigger", "When world first loads"},
    };
    ASSERT_EQ(registry.getTriggersSize(), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(registry.getTrigger(k)->className(), triggers[k].first);
        EXPECT_EQ(registry.getTrigger(k)->getName(), std::optional<std::string>(triggers[k].second));
        EXPECT_EQ(registry.getTrigger(k)->getIds(), std::vector<int>{7 + k});
        EXPECT_EQ(registry.getTrigger(k)->getTriggerObject(), nullptr);
    }

    EXPECT_EQ(ObjectManager::peekNextId(), 10);
    EXPECT_EQ(&InteractionManager::getInstance(), &registry);
    EXPECT_EQ(ObjectManager::peekNextId(), 10);
}

TEST_F(InteractionManagerTest, HandsOutANewListOfTheActionPrototypes)
{
    InteractionManager& registry = InteractionManager::getInstance();
    auto prototypes = registry.getStandardActions();
    ASSERT_EQ(prototypes.size(), 9u);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(prototypes[k], registry.getStandardAction(k));
    prototypes.clear();
    EXPECT_EQ(registry.getStandardActionSize(), 9);
}

TEST_F(InteractionManagerTest, AddsAndRemovesTriggerPrototypes)
{
    InteractionManager& registry = InteractionManager::getInstance();
    auto extra = std::make_shared<ProximityTrigger>();
    registry.addTrigger(extra);
    registry.addTrigger(extra);
    ASSERT_EQ(registry.getTriggersSize(), 5);
    EXPECT_EQ(registry.getTrigger(3), extra);

    registry.removeTrigger(extra.get());
    ASSERT_EQ(registry.getTriggersSize(), 4);
    EXPECT_EQ(registry.getTrigger(3), extra);

    // Only that very trigger is removed, not another of the same class.
    const ProximityTrigger stranger;
    registry.removeTrigger(&stranger);
    EXPECT_EQ(registry.getTriggersSize(), 4);

    registry.removeTrigger(registry.getTrigger(0).get());
    ASSERT_EQ(registry.getTriggersSize(), 3);
    EXPECT_STREQ(registry.getTrigger(0)->className(), "ProximityTrigger");
}

TEST_F(InteractionManagerTest, MakesANewEditorPanelForExactlyTheRegisteredClass)
{
    InteractionManager& registry = InteractionManager::getInstance();
    const ProximityTrigger proximity;
    const OnclickTrigger onclick;
    const AnimateTextureAction texture;

    EXPECT_EQ(registry.getRegisteredGUIFor(proximity), nullptr);

    registry.registerGUIFor(typeid(ProximityTrigger), panelFactory("proximity"));
    registry.registerGUIFor(texture, panelFactory("texture"));
    auto first = registry.getRegisteredGUIFor(proximity);
    auto second = registry.getRegisteredGUIFor(proximity);
    EXPECT_EQ(panelKind(first), "proximity");
    EXPECT_EQ(panelKind(second), "proximity");
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(panelKind(registry.getRegisteredGUIFor(AnimateTextureAction())), "texture");
    EXPECT_EQ(registry.getRegisteredGUIFor(onclick), nullptr);

    // A registration for a base class covers none of its subclasses.
    registry.registerGUIFor(typeid(AtmoTrigger), panelFactory("any trigger"));
    EXPECT_EQ(registry.getRegisteredGUIFor(onclick), nullptr);

    // A later registration replaces the earlier one.
    registry.registerGUIFor(proximity, panelFactory("replaced"));
    EXPECT_EQ(panelKind(registry.getRegisteredGUIFor(proximity)), "replaced");
}

TEST_F(InteractionManagerTest, PanelThatCannotBeBuiltYieldsNothing)
{
    InteractionManager& registry = InteractionManager::getInstance();
    registry.registerGUIFor(typeid(ProximityTrigger), []() -> std::unique_ptr<IInteractionEditor> {
        throw std::runtime_error("no display");
    });
    registry.registerGUIFor(typeid(OnclickTrigger), InteractionManager::EditorFactory());
    EXPECT_EQ(registry.getRegisteredGUIFor(ProximityTrigger()), nullptr);
    EXPECT_EQ(registry.getRegisteredGUIFor(OnclickTrigger()), nullptr);
}

TEST_F(InteractionManagerTest, ResetForgetsRegistrationsAndRebuildsThePrototypes)
{
    InteractionManager::getInstance().registerGUIFor(typeid(ProximityTrigger), panelFactory("proximity"));
    InteractionManager::resetForTesting();
    ObjectManager::resetForTesting();
    InteractionManager& registry = InteractionManager::getInstance();
    EXPECT_EQ(registry.getRegisteredGUIFor(ProximityTrigger()), nullptr);
    EXPECT_EQ(registry.getStandardAction(2)->getIds(), std::vector<int>{0});
}

// Which object kinds each standard action may be attached to.
TEST_F(InteractionManagerTest, PrototypesAllowTheirActionsOnTheRightObjects)
{
    const std::vector<std::shared_ptr<IAtmoObject>> objects = {
        std::make_shared<World>(),          std::make_shared<Actor>(),         std::make_shared<ModelObj>(),
        std::make_shared<PrimitiveObj>(),   std::make_shared<SolidObjectObj>(), std::make_shared<ViewpointObj>()};
    // Columns: world, actor, model, primitive, solid object, viewpoint.
    const std::vector<std::pair<std::string, std::string>> allowed = {
        {"URLpopup", "111111"},
        {"ChatPrintMessageAction", "111111"},
        {"EmitSoundAction", "111111"},
        {"GotoNewWorldAction", "111111"},
        {"MovePositionAction", "111011"},
        {"ConstantRotationAction", "111011"},
        {"OpacityAction", "001011"},
        {"ViewpointObjectAction", "000001"},
        {"AnimateTextureAction", "001100"},
    };
    InteractionManager& registry = InteractionManager::getInstance();
    for (int k = 0; k < registry.getStandardActionSize(); ++k) {
        const auto& prototype = registry.getStandardAction(k);
        ASSERT_EQ(prototype->className(), allowed[k].first);
        std::string row;
        for (const auto& object : objects)
            row += prototype->allowedForAtmoObject(object.get()) ? '1' : '0';
        EXPECT_EQ(row, allowed[k].second) << allowed[k].first;
    }
}

// Every standard action, made from its prototype, on every object that
// allows it, fired on click and by proximity: the whole script parses,
// global and localised, with and without synchronisation.
class EveryActionScriptTest : public FreshProgramTest,
                              public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

TEST_P(EveryActionScriptTest, WholeScriptParses)
{
    const auto [localised, synchronised] = GetParam();
    startProject(localised);
    ProjectManager::getInstance().setSynchronise(synchronised);
    ObjectManager& registry = ObjectManager::getInstance();
    const std::vector<IAtmoObject*> objects = {
        registry.getWorld().get(),
        registry.getActor().get(),
        addObject<ModelObj>("ship", 3).get(),
        addObject<PrimitiveObj>("door", 4).get(),
        addObject<SolidObjectObj>("7", 5).get(),
        addObject<ViewpointObj>("view", 6).get(),
    };
    const InteractionManager& interactions = InteractionManager::getInstance();
    int fired = 0;
    for (IAtmoObject* object : objects) {
        for (const auto& prototype : interactions.getStandardActions()) {
            if (!prototype->allowedForAtmoObject(object))
                continue;
            auto action = prototype->newInstance(object);
            if (fired++ % 2 == 0)
                fire<ProximityTrigger>(action);
            else
                fire<OnclickTrigger>(action);
        }
    }
    EXPECT_EQ(fired, 40);

    const std::string script = registry.generateAtmoScript();
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics << script;
}

INSTANTIATE_TEST_SUITE_P(GlobalAndLocalisedWithAndWithoutSynchronisation, EveryActionScriptTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

} // namespace
} // namespace scenewright::test

#include "FreshProgramTest.h"
#include "TestScene.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/InteractionCatalogue.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

using InteractionCatalogueTest = FreshProgramTest;

TEST_F(InteractionCatalogueTest, HoldsThePrototypesInOrderAndTheirFirstUseMovesTheCounter)
{
    EXPECT_EQ(ids.peek(), 0);
    const InteractionCatalogue registry;
    EXPECT_EQ(ids.peek(), 0);
    ids.passCatalogueNumbers();

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
        EXPECT_EQ(prototype->numbers(), actions[k].ids) << actions[k].className;
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
        EXPECT_EQ(registry.getTrigger(k)->numbers(), std::vector<int>{7 + k});
        EXPECT_EQ(registry.getTrigger(k)->getTriggerObject(), nullptr);
    }

    EXPECT_EQ(ids.peek(), 10);
    ids.passCatalogueNumbers();
    EXPECT_EQ(ids.peek(), 10);
    // Documents use it the first time they offer an object its interactions.
    createDefaultProject();
    EXPECT_EQ(ids.peek(), 12);
    document().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    EXPECT_EQ(ids.peek(), 12);
}

TEST_F(InteractionCatalogueTest, HandsOutANewListOfTheActionPrototypes)
{
    InteractionCatalogue registry;
    auto prototypes = registry.getStandardActions();
    ASSERT_EQ(prototypes.size(), 9u);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(prototypes[k], registry.getStandardAction(k));
    prototypes.clear();
    EXPECT_EQ(registry.getStandardActionSize(), 9);
}

TEST_F(InteractionCatalogueTest, AddsAndRemovesTriggerPrototypes)
{
    InteractionCatalogue registry;
    auto extra = std::make_shared<ProximityTrigger>(ids);
    registry.addTrigger(extra);
    registry.addTrigger(extra);
    ASSERT_EQ(registry.getTriggersSize(), 5);
    EXPECT_EQ(registry.getTrigger(3), extra);

    registry.removeTrigger(extra.get());
    ASSERT_EQ(registry.getTriggersSize(), 4);
    EXPECT_EQ(registry.getTrigger(3), extra);

    // Only that very trigger is removed, not another of the same class.
    const ProximityTrigger stranger(ids);
    registry.removeTrigger(&stranger);
    EXPECT_EQ(registry.getTriggersSize(), 4);

    registry.removeTrigger(registry.getTrigger(0).get());
    ASSERT_EQ(registry.getTriggersSize(), 3);
    EXPECT_STREQ(registry.getTrigger(0)->className(), "ProximityTrigger");
}

// Which object kinds each standard action may be attached to.
TEST_F(InteractionCatalogueTest, PrototypesAllowTheirActionsOnTheRightObjects)
{
    const std::vector<std::shared_ptr<IAtmoObject>> objects
        = {std::make_shared<World>(),        std::make_shared<Actor>(ids),       std::make_shared<ModelObj>(),
           std::make_shared<PrimitiveObj>(), std::make_shared<SolidObjectObj>(), std::make_shared<ViewpointObj>()};
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
    InteractionCatalogue registry;
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
    synchronise = synchronised;
    core::SceneDocument& registry = document();
    const std::vector<IAtmoObject*> objects = {
        registry.world().get(),
        registry.actor().get(),
        addObject<ModelObj>("ship", 3).get(),
        addObject<PrimitiveObj>("door", 4).get(),
        addObject<SolidObjectObj>("7", 5).get(),
        addObject<ViewpointObj>("view", 6).get(),
    };
    const InteractionCatalogue interactions;
    int fired = 0;
    for (IAtmoObject* object : objects) {
        for (const auto& prototype : interactions.getStandardActions()) {
            if (!prototype->allowedForAtmoObject(object))
                continue;
            auto action = prototype->newInstance(object, ids);
            if (fired++ % 2 == 0)
                fire<ProximityTrigger>(action);
            else
                fire<OnclickTrigger>(action);
        }
    }
    EXPECT_EQ(fired, 40);

    const std::string script = generateAtmoScript();
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics << script;
}

INSTANTIATE_TEST_SUITE_P(GlobalAndLocalisedWithAndWithoutSynchronisation, EveryActionScriptTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

} // namespace
} // namespace scenewright::test

#include "FreshProgramTest.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "TestScene.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
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

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

// Text that tries every way out of a literal or a comment, and the
// characters the formatter splits at.
const std::string kHostile = "it's; {a} \\ \"q\" // no\r\n*/ \xE2\x80\xA8 end";

class GeneratedScriptFormattingTest : public FreshProgramTest,
                                      public ::testing::WithParamInterface<std::tuple<bool, bool>> {
protected:
    // A scene with every trigger and action kind, hostile text in every string.
    void buildEveryFragmentKind(bool localised);
};

void GeneratedScriptFormattingTest::buildEveryFragmentKind(bool localised)
{
    startProject(localised);
    auto world = document().world();
    world->setWelcomeMessage(kHostile + "\nsecond line");
    world->setWelcomeEnabled(true);
    world->setFogEnabled(true);
    world->getFog().addControlPanelButtonOffOn = true;
    world->setGlareEnabled(true);
    auto sound = std::make_shared<script::Sounds>();
    sound->filename = kHostile;
    sound->addControlPanelButtons = true;
    sound->enablePositions = true;
    world->addSound(sound);

    auto model = addObject<ModelObj>(kHostile, 1);
    model->pm.active = true;
    auto door = addObject<PrimitiveObj>(kHostile, 2);
    door->solidObjectIndex = kHostile;
    auto solid = addObject<SolidObjectObj>("7", 3);
    auto view = addObject<ViewpointObj>(kHostile, 4);
    view->pm.active = true;

    auto rotation = std::make_shared<ConstantRotationAction>(ids, model.get());
    rotation->maxtime = 3;
    fire<ProximityTrigger>(rotation);
    auto move = std::make_shared<MovePositionAction>(ids, model.get());
    move->usesAnchors = true;
    move->anchors = {kHostile, "a2"};
    fire<OnclickTrigger>(move);
    auto texture = std::make_shared<AnimateTextureAction>(ids, door.get());
    texture->textures = {kHostile, "b.gif"};
    texture->findtextureurl = kHostile;
    texture->maxrevolutions = 2;
    fire<OnclickTrigger>(texture);
    auto chat = std::make_shared<ChatPrintMessageAction>(door.get());
    chat->message = kHostile;
    fire<OnclickTrigger>(chat);
    auto emit = std::make_shared<EmitSoundAction>(ids, door.get());
    emit->filename = kHostile;
    emit->controlPanelBtns = true;
    fire<ProximityTrigger>(emit);
    auto popup = std::make_shared<URLpopup>(solid.get());
    popup->url = kHostile;
    fire<OnclickTrigger>(popup);
    auto gotoWorld = std::make_shared<GotoNewWorldAction>(solid.get());
    gotoWorld->aerURLLocation = kHostile;
    fire<ProximityTrigger>(gotoWorld);
    auto opacity = std::make_shared<OpacityAction>(ids, solid.get());
    fire<WorldFirstLoadsTrigger>(opacity);
    auto animation = std::make_shared<ViewpointObjectAction>(ids, view.get());
    animation->triggerTimeElem = kHostile;
    animation->exitTriggerTimeElem = kHostile;
    fire<ProximityTrigger>(animation);
    auto fade = std::make_shared<OpacityAction>(ids, view.get());
    fade->fadeInOpacity = false;
    fire<WorldFirstLoadsTrigger>(fade);
}

TEST_P(GeneratedScriptFormattingTest, BeautifyAndCompressKeepTheProgram)
{
    const auto [localised, synchronised] = GetParam();
    buildEveryFragmentKind(localised);
    synchronise = synchronised;
    const std::string script = generateAtmoScript();
    ASSERT_TRUE(nodeAccepts(script));

    const std::string beautified = core::script::ScriptFormatter::beautify(script);
    const std::string compressed = core::script::ScriptFormatter::compress(script);
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(beautified, &diagnostics)) << diagnostics;
    EXPECT_TRUE(nodeAccepts(compressed, &diagnostics)) << diagnostics;
    EXPECT_EQ(compressed.find('\n'), std::string::npos);
    EXPECT_EQ(core::script::ScriptFormatter::compress(compressed), compressed);

    const auto sameBeautified = sameSyntaxTree(script, beautified);
    const auto sameCompressed = sameSyntaxTree(script, compressed);
    if (!sameBeautified || !sameCompressed)
        GTEST_SKIP() << "acorn is not available to compare syntax trees";
    EXPECT_TRUE(*sameBeautified);
    EXPECT_TRUE(*sameCompressed);
    EXPECT_EQ(sameSyntaxTree(beautified, core::script::ScriptFormatter::beautify(compressed)), true);
}

INSTANTIATE_TEST_SUITE_P(GlobalAndLocalised, GeneratedScriptFormattingTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

} // namespace
} // namespace scenewright::test

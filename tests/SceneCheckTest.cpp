#include "FreshProgramTest.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/SceneCheck.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/EmitSoundAction.h"
#include "scenewright/core/action/GotoNewWorldAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/URLpopup.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class SceneCheckTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        project_ = createDefaultProject();
    }

    template <class Kind>
    std::shared_ptr<Kind> add(const std::string& name)
    {
        auto object = std::make_shared<Kind>();
        object->setName(name);
        document().appendObject(object);
        return object;
    }

    // The action, active, fired by the object's active trigger of the kind.
    template <class Trigger = OnclickTrigger>
    std::shared_ptr<AtmoAction> fire(IAtmoObject& object, std::shared_ptr<AtmoAction> action)
    {
        action->setActive(true);
        object.appendAtmoAction(action);
        auto trigger = object.getAtmoTrigger(typeid(Trigger));
        if (!trigger) {
            trigger = std::make_shared<Trigger>(ids, &object);
            trigger->setActive(true);
            object.addAtmoTrigger(trigger);
        }
        trigger->addAction(action);
        return action;
    }

    // Each problem as "position: text".
    std::vector<std::string> found()
    {
        std::vector<std::string> texts;
        for (const auto& problem : SceneCheck::check(document().objects(), document().localiseScript(), synchronise)) {
            EXPECT_EQ(document().object(problem.objectIndex), problem.object);
            texts.push_back(std::to_string(problem.objectIndex) + ": " + problem.text);
        }
        return texts;
    }

    std::shared_ptr<core::SceneDocument> project_;
};

TEST_F(SceneCheckTest, AFreshOrSoundSceneHasNoProblems)
{
    EXPECT_THAT(found(), IsEmpty());

    auto door = add<PrimitiveObj>("door");
    auto message = std::make_shared<ChatPrintMessageAction>(door.get());
    message->message = "hello";
    fire(*door, message);
    auto fan = add<ModelObj>("fan.aer");
    fire(*fan, std::make_shared<ConstantRotationAction>(ids, fan.get()));
    // Inactive interactions make no script and are not looked at.
    auto idle = std::make_shared<ProximityTrigger>(ids, fan.get());
    fan->addAtmoTrigger(idle);
    fan->appendAtmoAction(std::make_shared<URLpopup>(fan.get()));
    EXPECT_THAT(found(), IsEmpty());
}

TEST_F(SceneCheckTest, ActiveTriggersThatFireNothingAreReported)
{
    auto door = add<PrimitiveObj>("door");
    auto empty = std::make_shared<OnclickTrigger>(ids, door.get());
    empty->setName("On click");
    empty->setActive(true);
    door->addAtmoTrigger(empty);
    auto lamp = add<PrimitiveObj>("lamp");
    auto message = fire(*lamp, std::make_shared<ChatPrintMessageAction>(lamp.get()));
    std::static_pointer_cast<ChatPrintMessageAction>(message)->message = "on";
    lamp->getAtmoTrigger(0)->setName("Click");
    message->setActive(false);

    EXPECT_THAT(found(), ElementsAre("2: The trigger \"On click\" has no actions.",
                                     "3: The trigger \"Click\" fires no active action."));
}

TEST_F(SceneCheckTest, ActiveActionsThatNoActiveTriggerFiresAreReported)
{
    auto door = add<PrimitiveObj>("door");
    auto loose = std::make_shared<ChatPrintMessageAction>(door.get());
    loose->message = "hi";
    loose->setName("Say hi");
    loose->setActive(true);
    door->appendAtmoAction(loose);
    auto lamp = add<PrimitiveObj>("lamp");
    auto silenced = fire(*lamp, std::make_shared<ChatPrintMessageAction>(lamp.get()));
    std::static_pointer_cast<ChatPrintMessageAction>(silenced)->message = "on";
    silenced->setName("Say on");
    lamp->getAtmoTrigger(0)->setActive(false);

    EXPECT_THAT(found(), ElementsAre("2: The action \"Say hi\" is active, but no active trigger fires it.",
                                     "3: The action \"Say on\" is active, but no active trigger fires it."));
}

TEST_F(SceneCheckTest, EmptyRequiredFieldsAreReported)
{
    auto fan = add<ModelObj>("fan.aer");
    fire(*fan, std::make_shared<URLpopup>(fan.get()))->setName("Popup");
    fire(*fan, std::make_shared<GotoNewWorldAction>(fan.get()))->setName("Goto");
    fire(*fan, std::make_shared<EmitSoundAction>(ids, fan.get()))->setName("Sound");
    fire(*fan, std::make_shared<AnimateTextureAction>(ids, fan.get()))->setName("Textures");
    auto sound = std::make_shared<script::Sounds>();
    document().world()->addSound(sound);

    EXPECT_THAT(found(), ElementsAre("0: The sound snd0 has no file name.", "2: The action \"Popup\" has no url.",
                                     "2: The action \"Goto\" has no world address.",
                                     "2: The action \"Sound\" has no file name.",
                                     "2: The action \"Textures\" has no textures."));

    std::static_pointer_cast<URLpopup>(fan->getAtmoAction(0))->url = "page.html";
    std::static_pointer_cast<GotoNewWorldAction>(fan->getAtmoAction(1))->aerURLLocation = "castle.aer";
    std::static_pointer_cast<EmitSoundAction>(fan->getAtmoAction(2))->filename = "bell.wav";
    std::static_pointer_cast<AnimateTextureAction>(fan->getAtmoAction(3))->textures = {"a.jpg"};
    sound->filename = "wind.mp3";
    EXPECT_THAT(found(), IsEmpty());
}

TEST_F(SceneCheckTest, ActionsTheObjectDoesNotAllowAreReported)
{
    auto door = add<PrimitiveObj>("door");
    fire(*door, std::make_shared<ConstantRotationAction>(ids, door.get()))->setName("Spin");
    auto fan = add<ModelObj>("fan.aer");
    fire(*fan, std::make_shared<ConstantRotationAction>(ids, fan.get()));

    EXPECT_THAT(found(), ElementsAre("2: The action \"Spin\" is not allowed for an object of type primitive."));
}

TEST_F(SceneCheckTest, NamesTheWorldCannotFindAreReported)
{
    add<ModelObj>("");
    add<ModelObj>("  ");
    add<ModelObj>(" fan.aer");
    add<ModelObj>("two\nlines");
    add<SolidObjectObj>("007");
    add<SolidObjectObj>("3");
    add<PrimitiveObj>("door")->solidObjectIndex = " ";
    add<PrimitiveObj>("lid")->solidObjectIndex = "01";
    add<PrimitiveObj>("hatch")->solidObjectIndex = std::nullopt;

    EXPECT_THAT(found(),
                ElementsAre("2: The name is empty.", "3: The name is empty.",
                            "4: The name \" fan.aer\" starts or ends with a blank; the world's object will not be "
                            "found by it.",
                            "5: The name \"two\nlines\" holds a line break or another control character.",
                            "6: The name \"007\" looks like an index but is looked up as a name.",
                            "8: The solid object index or name is empty.",
                            "9: The solid object index \"01\" looks like an index but is looked up as a name.",
                            "10: The solid object index or name is empty."));
}

TEST_F(SceneCheckTest, ObjectsThatStandForTheSameWorldThingClash)
{
    add<PrimitiveObj>("door");
    add<ModelObj>("door");                              // another kind: another thing
    add<PrimitiveObj>("door")->solidObjectIndex = "1";  // in another solid object
    add<PrimitiveObj>("door");
    add<ModelObj>("door");

    EXPECT_THAT(found(), ElementsAre("5: The name clashes with door <primitive>: both stand for the same thing in "
                                     "the world.",
                                     "6: The name clashes with door <model.aer/.atmo>: both stand for the same "
                                     "thing in the world."));
}

TEST_F(SceneCheckTest, ALocalisedScriptHasRoomForOneObjectScriptedAsThis)
{
    add<ModelObj>("fan.aer");
    add<PrimitiveObj>("door");
    add<ViewpointObj>("camera");
    EXPECT_THAT(found(), IsEmpty());

    project_->setLocaliseScript(true);
    EXPECT_THAT(found(), ElementsAre("4: The script is localised, so this object and door <primitive> are both "
                                     "scripted as \"this\"."));
}

TEST_F(SceneCheckTest, ObjectsALocalisedScriptCannotReachAreReportedUnderTheTrigger)
{
    auto fan = add<ModelObj>("fan.aer");
    auto rock = add<SolidObjectObj>("rock");
    auto spin = fire(*rock, std::make_shared<ConstantRotationAction>(ids, rock.get()));
    fire(*fan, std::make_shared<ChatPrintMessageAction>(fan.get()));
    fan->getAtmoTrigger(0)->addAction(spin);
    EXPECT_THAT(found(), IsEmpty());

    project_->setLocaliseScript(true);
    const std::string cannotReach = "The trigger \"On click trigger\" cannot reach rock <solid-object> in a localised";
    EXPECT_THAT(found(), ElementsAre("2: " + cannotReach + " script; use a global script."));
    synchronise = true;
    EXPECT_THAT(found(), ElementsAre("2: " + cannotReach + " script; use a global script.",
                                     "3: " + cannotReach
                                         + " and synchronised script; use a global script or switch synchronisation off."));
}

} // namespace
} // namespace scenewright::test

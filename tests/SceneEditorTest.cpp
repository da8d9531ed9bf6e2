#include "FreshProgramTest.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace scenewright::test {
namespace {

using namespace core;

class SceneEditorTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        project_ = createDefaultProject();
        label_ = std::make_unique<RecordingLabel>(*project_);
        project_->setState(core::SceneDocument::STATE_SAVED);
        label_->shown.clear();
    }
    void TearDown() override
    {
        label_.reset();
        FreshProgramTest::TearDown();
    }

    core::SceneDocument& editor() { return document(); }
    World& world() { return *document().world(); }

    std::shared_ptr<core::SceneDocument> project_;
    std::unique_ptr<RecordingLabel> label_;
};

TEST_F(SceneEditorTest, EveryChangeOfTheSceneMarksTheProjectUnsaved)
{
    auto door = editor().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    auto fan = editor().addObject("fan", IAtmoObject::TYPE_MODEL);
    auto message = std::make_shared<action::ChatPrintMessageAction>(door.get());
    door->addAtmoAction(message);
    auto click = std::make_shared<action::OnclickTrigger>(ids, door.get());
    door->addAtmoTrigger(click);
    auto sound = std::make_shared<script::Sounds>();
    editor().addSound(world(), sound);

    const std::vector<std::pair<std::string, std::function<void()>>> changes = {
        {"add", [&] { editor().addObject("lamp", IAtmoObject::TYPE_VIEWPOINT); }},
        {"remove", [&] { editor().removeObject(document().objectCount() - 1); }},
        {"rename", [&] { editor().renameObject(*door, "gate"); }},
        {"solid object", [&] { editor().setSolidObjectIndex(static_cast<PrimitiveObj&>(*door), "2"); }},
        {"physical model", [&] { editor().setPhysicalModel(*fan, static_cast<ModelObj&>(*fan).pm, PhysicalModel{}); }},
        {"copy", [&] { editor().copyInteractions(*door, *fan); }},
        {"active", [&] { editor().setActive(*message, true); }},
        {"text field", [&] { editor().setField(*message, "message", "hello"); }},
        {"boolean field", [&] { editor().setField(*click, "usesSynch", false); }},
        {"field value", [&] { editor().setFieldValue(*message, "message", std::optional<std::string>("hi")); }},
        {"trigger actions", [&] { editor().setTriggerActions(*click, {message}); }},
        {"welcome", [&] { editor().setWelcomeMessage(world(), "Hello"); }},
        {"welcome on", [&] { editor().setWelcomeEnabled(world(), true); }},
        {"fog on", [&] { editor().setFogEnabled(world(), true); }},
        {"glare on", [&] { editor().setGlareEnabled(world(), true); }},
        {"fog", [&] { editor().setFog(world(), World::Fog{}); }},
        {"glare", [&] { editor().setGlare(world(), World::Glare{}); }},
        {"add sound", [&] { editor().addSound(world(), std::make_shared<script::Sounds>()); }},
        {"edit sound", [&] { editor().setSound(world(), *sound, script::Sounds{}); }},
        {"remove sound", [&] { editor().removeSound(world(), 0); }},
        {"localise", [&] { editor().setLocaliseScript(true); }},
    };
    int notified = 0;
    const int handle = editor().addChangeListener([&](const DocumentChange& change) {
        if (change.changesScene())
            ++notified;
    });
    for (const auto& [what, change] : changes) {
        project_->setState(core::SceneDocument::STATE_SAVED);
        label_->shown.clear();
        notified = 0;
        change();
        EXPECT_EQ(project_->state(), core::SceneDocument::STATE_UNSAVED) << what;
        EXPECT_EQ(label_->shown, std::vector<bool>{false}) << what;
        EXPECT_EQ(notified, 1) << what;
    }
    editor().removeChangeListener(handle);
    editor().addObject("after", IAtmoObject::TYPE_MODEL);
    EXPECT_EQ(notified, 1) << "a removed listener is not called";
}

TEST_F(SceneEditorTest, RefusedChangesLeaveTheProjectSaved)
{
    auto door = editor().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    auto near = std::make_shared<action::ProximityTrigger>(ids, door.get());
    project_->setState(core::SceneDocument::STATE_SAVED);

    EXPECT_FALSE(editor().removeObject(0));
    EXPECT_FALSE(editor().removeObject(1));
    EXPECT_FALSE(editor().removeObject(-1));
    EXPECT_FALSE(editor().removeObject(3));
    EXPECT_THROW(editor().setField(*near, "distance", "far"), std::invalid_argument);
    EXPECT_FALSE(editor().setFieldValue(*near, "distance", std::string("far")));
    editor().removeSound(world(), 0);

    EXPECT_EQ(document().objectCount(), 3);
    EXPECT_TRUE(project_->isSaved());
}

TEST_F(SceneEditorTest, AddedObjectsTakeTheClassOfTheirTypeAndGoLast)
{
    const std::vector<std::pair<std::string, const std::type_info*>> kinds = {
        {IAtmoObject::TYPE_MODEL, &typeid(ModelObj)},
        {IAtmoObject::TYPE_PRIMITIVE, &typeid(PrimitiveObj)},
        {IAtmoObject::TYPE_VIEWPOINT, &typeid(ViewpointObj)},
        {IAtmoObject::TYPE_SOLIDOBJECT, &typeid(SolidObjectObj)},
        {"anything else", &typeid(SolidObjectObj)},
    };
    for (const auto& [type, kind] : kinds) {
        auto object = editor().addObject("./thing", type);
        const AtmoObject& added = *object;
        EXPECT_EQ(typeid(added), *kind) << type;
        EXPECT_EQ(object->getName(), "thing");
        EXPECT_EQ(object->getType(), type);
        EXPECT_EQ(document().objects().back(), object);
    }
}

TEST_F(SceneEditorTest, RemovingAnObjectDropsTheReferencesOtherTriggersHeld)
{
    auto door = editor().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    auto lamp = editor().addObject("lamp", IAtmoObject::TYPE_PRIMITIVE);
    auto message = std::make_shared<action::ChatPrintMessageAction>(door.get());
    door->addAtmoAction(message);
    auto click = std::make_shared<action::OnclickTrigger>(ids, lamp.get());
    lamp->addAtmoTrigger(click);
    click->addAction(message);

    EXPECT_TRUE(editor().removeObject(2));
    EXPECT_EQ(document().object(2), lamp);
    EXPECT_EQ(click->getActionSize(), 0);
}

TEST_F(SceneEditorTest, AttachingTheStandardInteractionsIsNotAChange)
{
    auto door = editor().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    project_->setState(core::SceneDocument::STATE_SAVED);
    const std::string before = generateAtmoScript();
    label_->shown.clear();

    editor().attachStandardInteractions(*door);

    EXPECT_TRUE(project_->isSaved());
    EXPECT_TRUE(label_->shown.empty());
    const InteractionCatalogue& interactions = document().catalogue();
    EXPECT_EQ(door->getAtmoTriggerSize(), interactions.getTriggersSize());
    int allowed = 0;
    for (const auto& prototype : interactions.getStandardActions())
        allowed += prototype->allowedForAtmoObject(door.get()) ? 1 : 0;
    EXPECT_EQ(door->getAtmoActionSize(), allowed);
    EXPECT_LT(allowed, interactions.getStandardActionSize());
    for (const auto& action : door->getAtmoActionListData())
        EXPECT_FALSE(action->getActive());
    EXPECT_EQ(generateAtmoScript(), before);

    const auto actions = door->getAtmoActionListData();
    editor().attachStandardInteractions(*door);
    EXPECT_EQ(door->getAtmoActionListData(), actions);
    EXPECT_EQ(door->getAtmoTriggerSize(), interactions.getTriggersSize());
}

TEST_F(SceneEditorTest, NewTriggerActionsLeaveATriggerThatSharedTheListAlone)
{
    auto door = editor().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    auto message = std::make_shared<action::ChatPrintMessageAction>(door.get());
    action::OnclickTrigger source(ids, door.get());
    source.addAction(message);
    auto clone = source.cloneit(door.get());

    editor().setTriggerActions(*clone, {});

    EXPECT_EQ(clone->getActionSize(), 0);
    EXPECT_EQ(source.getActionSize(), 1);
}

TEST_F(SceneEditorTest, AnEditedSoundKeepsItsId)
{
    auto sound = std::make_shared<script::Sounds>();
    editor().addSound(world(), sound);
    const int id = sound->id;
    script::Sounds values;
    values.filename = std::string("rain.wav");
    values.id = id + 7;

    editor().setSound(world(), *sound, values);

    EXPECT_EQ(sound->id, id);
    EXPECT_EQ(sound->filename, std::optional<std::string>("rain.wav"));
}

TEST_F(SceneEditorTest, TheLocalisedChoiceBelongsToItsDocument)
{
    editor().setLocaliseScript(true);
    EXPECT_TRUE(document().localiseScript());
    createDefaultProject();
    editor().setLocaliseScript(false);
    EXPECT_TRUE(project_->localiseScript());
}

} // namespace
} // namespace scenewright::test

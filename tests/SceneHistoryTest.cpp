#include "FreshProgramTest.h"

#include "scenewright/core/ISceneHistory.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/ProximityTrigger.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace scenewright::test {
namespace {

using namespace core;

// Keeps the recorded changes in order, as an undo stack would.
class RecordedHistory : public ISceneHistory {
public:
    std::vector<SceneChange> changes;
    void record(SceneChange change) override { changes.push_back(std::move(change)); }
};

// A project with a door (a primitive whose active click trigger prints an
// active message), a fan model, and a world with a sound.
class SceneHistoryTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        project_ = createDefaultProject();
        door_ = editor().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
        fan_ = editor().addObject("fan", IAtmoObject::TYPE_MODEL);
        message_ = std::make_shared<action::ChatPrintMessageAction>(door_.get());
        message_->message = "Welcome in";
        message_->setActive(true);
        door_->addAtmoAction(message_);
        click_ = std::make_shared<action::OnclickTrigger>(ids, door_.get());
        click_->setActive(true);
        click_->addAction(message_);
        door_->addAtmoTrigger(click_);
        sound_ = std::make_shared<script::Sounds>();
        sound_->filename = "rain.wav";
        editor().addSound(world(), sound_);
        project_->setState(core::SceneDocument::STATE_SAVED);
        editor().setHistory(&history_);
    }
    void TearDown() override
    {
        editor().setHistory(nullptr);
        // The base's TearDown would run this fixture's SetUp again.
        FreshProgramTest::SetUp();
    }

    core::SceneDocument& editor() { return document(); }
    World& world() { return *document().world(); }
    std::string script() { return generateAtmoScript(); }

    std::shared_ptr<core::SceneDocument> project_;
    std::shared_ptr<AtmoObject> door_;
    std::shared_ptr<AtmoObject> fan_;
    std::shared_ptr<action::ChatPrintMessageAction> message_;
    std::shared_ptr<action::OnclickTrigger> click_;
    std::shared_ptr<script::Sounds> sound_;
    RecordedHistory history_;
};

TEST_F(SceneHistoryTest, UndoAndRedoOfEveryKindOfChangeRestoreTheExactScript)
{
    PrimitiveObj& door = static_cast<PrimitiveObj&>(*door_);
    PhysicalModel& model = static_cast<ModelObj&>(*fan_).pm;
    PhysicalModel heavy;
    heavy.active = true;
    heavy.initialmass = 99.0;
    World::Fog fog;
    fog.near = 3.0;
    World::Glare glare;
    glare.radius = 4.0;
    script::Sounds loud = *sound_;
    loud.volume = 0.25;

    const std::vector<std::pair<std::string, std::function<void()>>> changes = {
        {"add", [&] { editor().addObject("lamp", IAtmoObject::TYPE_VIEWPOINT); }},
        {"remove", [&] { editor().removeObject(document().objectCount() - 1); }},
        {"rename", [&] { editor().renameObject(door, "gate"); }},
        {"rename keeping a leading ./", [&] { editor().renameObject(door, "././gate"); }},
        {"solid object", [&] { editor().setSolidObjectIndex(door, "2"); }},
        {"physical model", [&] { editor().setPhysicalModel(*fan_, model, heavy); }},
        {"copy", [&] { editor().copyInteractions(*door_, *fan_); }},
        {"inactive", [&] { editor().setActive(*message_, false); }},
        {"active", [&] { editor().setActive(*message_, true); }},
        {"text field", [&] { editor().setField(*message_, "message", "hello"); }},
        {"boolean field", [&] { editor().setField(*click_, "usesSynch", false); }},
        {"field value", [&] { editor().setFieldValue(*message_, "message", std::optional<std::string>("hi")); }},
        {"trigger actions", [&] { editor().setTriggerActions(*click_, {}); }},
        {"welcome on", [&] { editor().setWelcomeEnabled(world(), true); }},
        {"welcome", [&] { editor().setWelcomeMessage(world(), "Hello"); }},
        {"fog on", [&] { editor().setFogEnabled(world(), true); }},
        {"glare on", [&] { editor().setGlareEnabled(world(), true); }},
        {"fog", [&] { editor().setFog(world(), fog); }},
        {"glare", [&] { editor().setGlare(world(), glare); }},
        {"add sound", [&] { editor().addSound(world(), std::make_shared<script::Sounds>()); }},
        {"edit sound", [&] { editor().setSound(world(), *sound_, loud); }},
        {"remove sound", [&] { editor().removeSound(world(), 0); }},
        {"localise", [&] { editor().setLocaliseScript(true); }},
    };
    // With synchronisation on, a trigger's synchronisation flag shows in the script.
    synchronise = true;
    // A welcome message shows only when switched on, and switching shows only with a message.
    world().setWelcomeMessage("Hi");
    for (const auto& [what, change] : changes) {
        const std::string before = script();
        const std::string beforeName = door.getName();
        history_.changes.clear();
        change();
        const std::string after = script();
        ASSERT_EQ(history_.changes.size(), 1u) << what;
        EXPECT_NE(before + beforeName, after + door.getName()) << what << " changed nothing to compare";

        editor().undo(history_.changes.back());
        EXPECT_EQ(script(), before) << what;
        EXPECT_EQ(door.getName(), beforeName) << what;
        editor().redo(history_.changes.back());
        EXPECT_EQ(script(), after) << what;
    }
}

TEST_F(SceneHistoryTest, UndoAndRedoMarkTheProjectAndTellTheListeners)
{
    editor().renameObject(*door_, "gate");
    project_->setState(core::SceneDocument::STATE_SAVED);
    int notified = 0;
    const int handle = editor().addChangeListener([&](const DocumentChange& change) {
        if (change.changesScene())
            ++notified;
    });
    editor().undo(history_.changes.back());
    EXPECT_EQ(project_->state(), core::SceneDocument::STATE_UNSAVED);
    editor().redo(history_.changes.back());
    EXPECT_EQ(notified, 2);
    editor().removeChangeListener(handle);
}

TEST_F(SceneHistoryTest, RefusedAndUnknownFieldsRecordNothing)
{
    auto near = std::make_shared<action::ProximityTrigger>(ids, fan_.get());
    editor().setField(*message_, "nosuchfield", "x");
    EXPECT_FALSE(editor().setFieldValue(*message_, "message", 3.0)) << "a value of another type";
    EXPECT_THROW(editor().setField(*near, "distance", "far"), std::invalid_argument);
    EXPECT_EQ(editor().setFieldText(*near, "distance", "far"), "distance must contain an real number");
    action::MovePositionAction move(ids, fan_.get());
    const core::SceneDocument::TypedField texts[] = {{"xdirection", "3"}, {"ydirection", "up"}};
    EXPECT_EQ(editor().setFieldTexts(move, texts), "ydirection must contain an real number");
    EXPECT_DOUBLE_EQ(move.xdirection, 0.0) << "fields that stand together are stored together or not at all";
    EXPECT_TRUE(history_.changes.empty());
    EXPECT_DOUBLE_EQ(near->distance, action::ProximityTrigger(ids, fan_.get()).distance);
}

TEST_F(SceneHistoryTest, ATypedFieldIsParsedByItsTableAndUndoneInOneStep)
{
    auto near = std::make_shared<action::ProximityTrigger>(ids, fan_.get());
    const double before = near->distance;
    EXPECT_EQ(editor().setFieldText(*near, "distance", "12.5"), std::nullopt);
    EXPECT_DOUBLE_EQ(near->distance, 12.5);
    ASSERT_EQ(history_.changes.size(), 1u);
    editor().undo(history_.changes.back());
    EXPECT_DOUBLE_EQ(near->distance, before);
    editor().redo(history_.changes.back());
    EXPECT_DOUBLE_EQ(near->distance, 12.5);
}

TEST_F(SceneHistoryTest, AStepIsOneChangeAlsoWhenItStopsEarly)
{
    const std::string before = script();
    auto saveStoppingAtSecondField = [&] {
        const auto step = editor().step("Save Action");
        editor().setField(*message_, "message", "first");
        editor().setActive(*click_, false);
        throw std::invalid_argument("refused field");
    };
    EXPECT_THROW(saveStoppingAtSecondField(), std::invalid_argument);
    ASSERT_EQ(history_.changes.size(), 1u);
    EXPECT_EQ(history_.changes[0].text(), "Save Action");
    const std::string after = script();

    editor().undo(history_.changes[0]);
    EXPECT_EQ(script(), before);
    EXPECT_EQ(message_->message, "Welcome in");
    EXPECT_TRUE(click_->getActive());
    editor().redo(history_.changes[0]);
    EXPECT_EQ(script(), after);
}

TEST_F(SceneHistoryTest, NestedStepsAreOneChangeAndAnEmptyStepLeavesNone)
{
    {
        const auto outer = editor().step("Copy Triggers and Actions");
        {
            const auto inner = editor().step("inner");
            editor().setActive(*message_, false);
        }
        EXPECT_TRUE(history_.changes.empty()) << "recorded before the outer step ended";
        editor().setActive(*click_, false);
    }
    ASSERT_EQ(history_.changes.size(), 1u);
    EXPECT_EQ(history_.changes[0].text(), "Copy Triggers and Actions");
    {
        const auto empty = editor().step("nothing");
    }
    EXPECT_EQ(history_.changes.size(), 1u);
}

TEST_F(SceneHistoryTest, UndoingARemovePutsBackTheObjectAndOtherTriggersReferencesToItsActions)
{
    // The fan's proximity trigger fires the door's message, as the trigger
    // editor allows; its list is shared with a clone, which must get the
    // reference back too.
    auto near = std::make_shared<action::ProximityTrigger>(ids, fan_.get());
    near->setActive(true);
    near->addAction(message_);
    fan_->addAtmoTrigger(near);
    auto sharing = near->cloneit(fan_.get());
    const std::string before = script();

    ASSERT_TRUE(editor().removeObject(2));
    const std::string after = script();
    EXPECT_TRUE(near->getActionList().empty());

    editor().undo(history_.changes.back());
    EXPECT_EQ(document().object(2), door_);
    EXPECT_EQ(near->getActionList(), action::AtmoTrigger::ActionList{message_});
    EXPECT_EQ(sharing->getActionList(), action::AtmoTrigger::ActionList{message_});
    EXPECT_EQ(near->sharedActionList(), sharing->sharedActionList());
    EXPECT_EQ(script(), before);

    editor().redo(history_.changes.back());
    EXPECT_EQ(script(), after);
    EXPECT_TRUE(near->getActionList().empty());
}

TEST_F(SceneHistoryTest, RedoingACopyReusesTheClonesAndTheNumbersTheyTook)
{
    editor().copyInteractions(*door_, *fan_);
    const std::string after = script();
    const auto clones = fan_->getAtmoTriggerListData();
    const int next = ids.peek();

    editor().undo(history_.changes.back());
    EXPECT_TRUE(fan_->getAtmoTriggerListData().empty());
    editor().redo(history_.changes.back());
    EXPECT_EQ(fan_->getAtmoTriggerListData(), clones);
    EXPECT_EQ(ids.peek(), next) << "redo took no new numbers";
    EXPECT_EQ(script(), after);
}

TEST_F(SceneHistoryTest, UndoingAnAddTakesTheObjectOutAndRedoPutsTheSameOneBack)
{
    auto lamp = editor().addObject("lamp", IAtmoObject::TYPE_PRIMITIVE);
    editor().undo(history_.changes.back());
    EXPECT_EQ(document().objectCount(), 4);
    editor().redo(history_.changes.back());
    ASSERT_EQ(document().objectCount(), 5);
    EXPECT_EQ(document().object(4), lamp);
}

TEST_F(SceneHistoryTest, ChangesOfOneControlMergeAndOthersDoNot)
{
    PhysicalModel& model = static_cast<ModelObj&>(*fan_).pm;
    const PhysicalModel original = model;
    for (double friction : {0.1, 0.2, 0.3}) {
        PhysicalModel values = model;
        values.friction = friction;
        editor().setPhysicalModel(*fan_, model, values, "friction");
    }
    PhysicalModel other = model;
    other.inertia = 2.0;
    editor().setPhysicalModel(*fan_, model, other, "inertia");
    ASSERT_EQ(history_.changes.size(), 4u);

    SceneChange merged = history_.changes[0];
    EXPECT_TRUE(merged.mergeWith(history_.changes[1]));
    EXPECT_TRUE(merged.mergeWith(history_.changes[2]));
    EXPECT_FALSE(merged.mergeWith(history_.changes[3])) << "another slider";
    SceneChange unkeyed(
        "Rename Object", [&] {}, [&] {});
    EXPECT_FALSE(unkeyed.mergeWith(unkeyed)) << "changes without a key never merge";

    editor().undo(history_.changes[3]);
    editor().undo(merged);
    EXPECT_EQ(model.friction, original.friction);
    editor().redo(merged);
    EXPECT_EQ(model.friction, 0.3);
}

} // namespace
} // namespace scenewright::test

#include "EditorTest.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/InteractionManager.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/gui/AnimateTexturePanel.h"
#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/MovePostionActionPanel.h"
#include "scenewright/gui/ProximityTriggerPanel.h"

#include <QAction>

namespace scenewright::test {
namespace {

QStringList textsOf(const std::vector<QCheckBox*>& boxes)
{
    QStringList texts;
    for (const QCheckBox* box : boxes)
        texts << box->text();
    return texts;
}

TEST_F(EditorTest, FirstSelectionAttachesOneOfEachAllowedKindWithoutMarkingTheProject)
{
    const auto door = frame_->addObject("door", core::IAtmoObject::TYPE_PRIMITIVE);
    markSaved();
    selectObject("door <primitive>");

    auto* actions = hostPanel<gui::ObjectClickBasePanel>();
    auto* triggers = hostPanel<gui::AtmoTriggerBasePanel>();
    ASSERT_NE(actions, nullptr);
    ASSERT_NE(triggers, nullptr);
    EXPECT_FALSE(unsaved());
    EXPECT_EQ(textsOf(triggers->checkBoxes()),
              QStringList({"On click trigger", "Proximity trigger", "When world first loads"}));
    EXPECT_EQ(door->getAtmoTriggerSize(), 3);

    // A primitive does not allow every kind: those are neither listed nor attached.
    const auto& interactions = core::InteractionManager::getInstance();
    int allowed = 0;
    for (int i = 0; i < interactions.getStandardActionSize(); ++i)
        allowed += interactions.getStandardAction(i)->allowedForAtmoObject(door.get()) ? 1 : 0;
    EXPECT_LT(allowed, interactions.getStandardActionSize());
    EXPECT_EQ(door->getAtmoActionSize(), allowed);
    EXPECT_EQ(static_cast<int>(actions->checkBoxes().size()), allowed);
    EXPECT_FALSE(door->getAtmoAction(typeid(core::action::MovePositionAction)));
    for (QCheckBox* box : actions->checkBoxes())
        EXPECT_FALSE(box->isChecked());

    const QStringList listed = textsOf(actions->checkBoxes());
    selectObject("world <world>");
    selectObject("door <primitive>");
    EXPECT_EQ(door->getAtmoActionSize(), allowed);
    EXPECT_EQ(door->getAtmoTriggerSize(), 3);
    EXPECT_EQ(textsOf(hostPanel<gui::ObjectClickBasePanel>()->checkBoxes()), listed);
}

TEST_F(EditorTest, TheInteractionRegistryIsBuiltOnTheFirstSelectionOfAnObject)
{
    frame_->addObject("door", core::IAtmoObject::TYPE_PRIMITIVE);
    const int before = core::ObjectManager::peekNextId();
    selectObject("actor <actor>");
    EXPECT_EQ(core::ObjectManager::peekNextId(), before);
    // Its prototypes take counter numbers before the door's own interactions do.
    selectObject("door <primitive>");
    const auto& registry = core::InteractionManager::getInstance();
    const auto& door = *core::ObjectManager::getInstance().getAtmoObject(2);
    const int lastPrototype = registry.getTrigger(registry.getTriggersSize() - 1)->getIds().front();
    EXPECT_GT(door.getAtmoTrigger(0)->getIds().front(), lastPrototype);
}

TEST_F(EditorTest, ModelsGetTheRegisteredEditorsAndTheGenericOnesOtherwise)
{
    const auto fan = frame_->addObject("fan", core::IAtmoObject::TYPE_MODEL);
    selectObject("fan <model.aer/.atmo>");
    auto* actions = hostPanel<gui::ObjectClickBasePanel>();
    EXPECT_EQ(static_cast<int>(actions->checkBoxes().size()), fan->getAtmoActionSize());
    for (QCheckBox* box : actions->checkBoxes()) {
        QWidget* editor = actions->editorOf(box);
        if (box->text() == "Move to a position/direction")
            EXPECT_NE(qobject_cast<gui::MovePostionActionPanel*>(editor), nullptr);
        else if (box->text() == "Animate textures on object")
            EXPECT_NE(qobject_cast<gui::AnimateTexturePanel*>(editor), nullptr);
        else
            EXPECT_NE(qobject_cast<gui::DefaultAtmoActionPanel*>(editor), nullptr) << box->text().toStdString();
    }
    auto* triggers = hostPanel<gui::AtmoTriggerBasePanel>();
    EXPECT_NE(qobject_cast<gui::ProximityTriggerPanel*>(triggers->editorOf(triggers->checkBoxes()[1])), nullptr);
}

TEST_F(EditorTest, TheActorsPanelListsItsActionsEditedByTheMoveEditor)
{
    selectObject("actor <actor>");
    auto* panel = hostPanel<gui::ActorBasePanel>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(hostPanel<gui::ObjectClickBasePanel>(), nullptr);
    const auto actor = core::ObjectManager::getInstance().getActor();
    ASSERT_EQ(static_cast<int>(panel->checkBoxes().size()), actor->getAtmoActionSize());
    for (int i = 0; i < actor->getAtmoActionSize(); ++i)
        EXPECT_EQ(panel->checkBoxes()[i]->text().toStdString(), actor->getAtmoAction(i)->getName().value_or(""));

    click(panel->checkBoxes()[0]);
    EXPECT_TRUE(actor->getAtmoAction(0)->getActive());
    EXPECT_NE(farEditor<gui::MovePostionActionPanel>(), nullptr);
    EXPECT_TRUE(unsaved());
}

TEST_F(EditorTest, SelectionEnablesTheObjectDialogsByKind)
{
    frame_->addObject("fan", core::IAtmoObject::TYPE_MODEL);
    frame_->addObject("door", core::IAtmoObject::TYPE_PRIMITIVE);
    selectObject("fan <model.aer/.atmo>");
    EXPECT_TRUE(menuItem("Physical Properties")->isEnabled());
    EXPECT_TRUE(menuItem("Object Properties")->isEnabled());
    selectObject("door <primitive>");
    EXPECT_FALSE(menuItem("Physical Properties")->isEnabled());
    EXPECT_TRUE(menuItem("Object Properties")->isEnabled());
    selectObject("actor <actor>");
    EXPECT_FALSE(menuItem("Physical Properties")->isEnabled());
    EXPECT_FALSE(menuItem("Object Properties")->isEnabled());
}

} // namespace
} // namespace scenewright::test

#include "EditorTest.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/gui/AnimateTexturePanel.h"
#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/MovePositionActionPanel.h"
#include "scenewright/gui/ProximityTriggerPanel.h"
#include "scenewright/gui/SceneUndoStack.h"
#include "scenewright/gui/WorldBasePanel.h"

#include <QAction>
#include <QApplication>
#include <QToolButton>

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
    const core::InteractionCatalogue& interactions = document().catalogue();
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
    const int before = ids.peek();
    selectObject("actor <actor>");
    EXPECT_EQ(ids.peek(), before);
    // Its prototypes take counter numbers before the door's own interactions do.
    selectObject("door <primitive>");
    const core::InteractionCatalogue& registry = document().catalogue();
    const auto& door = *document().object(2);
    const int lastPrototype = registry.getTrigger(registry.getTriggersSize() - 1)->numbers().front();
    EXPECT_GT(door.getAtmoTrigger(0)->numbers().front(), lastPrototype);
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
            EXPECT_NE(qobject_cast<gui::MovePositionActionPanel*>(editor), nullptr);
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
    const auto actor = document().actor();
    ASSERT_EQ(static_cast<int>(panel->checkBoxes().size()), actor->getAtmoActionSize());
    for (int i = 0; i < actor->getAtmoActionSize(); ++i)
        EXPECT_EQ(panel->checkBoxes()[i]->text().toStdString(), actor->getAtmoAction(i)->getName().value_or(""));

    click(panel->checkBoxes()[0]);
    EXPECT_TRUE(actor->getAtmoAction(0)->getActive());
    EXPECT_NE(farEditor<gui::MovePositionActionPanel>(), nullptr);
    EXPECT_TRUE(unsaved());
}

// The "Edit" button and a double-click on the caption open the editor of a
// ticked or unticked check box and change neither the tick nor the project;
// a single click on the caption still ticks, once no second click follows.
TEST_F(EditorTest, EditOrADoubleClickOnTheCaptionOpensTheEditorWithoutChangingTheTick)
{
    frame_->addObject("door", core::IAtmoObject::TYPE_PRIMITIVE);
    selectObject("door <primitive>");
    auto* triggers = hostPanel<gui::AtmoTriggerBasePanel>();
    ASSERT_NE(triggers, nullptr);
    const auto caption = [](QCheckBox* box) { return QPoint(box->width() / 2, box->height() / 2); };
    const std::vector<std::pair<const char*, std::function<void(QCheckBox*)>>> ways = {
        {"Edit", [triggers](QCheckBox* box) { click(triggers->editButtonOf(box)); }},
        {"double-click", [&caption](QCheckBox* box) { QTest::mouseDClick(box, Qt::LeftButton, {}, caption(box)); }}};
    const auto trigger = document().object(2)->getAtmoTrigger(1);
    const int settleTime = QApplication::doubleClickInterval() + 100;

    for (const auto& [way, open] : ways) {
        for (const bool ticked : {false, true}) {
            SCOPED_TRACE(std::string(way) + (ticked ? " ticked" : " unticked"));
            QCheckBox* box = interactionBox("Proximity trigger");
            if (box->isChecked() != ticked)
                click(box);
            frame_->setFarPanel(nullptr, true);
            markSaved();
            const int steps = frame_->undoStack()->count();

            open(box);
            // A click on the caption that was not the start of a
            // double-click would tick by now.
            QTest::qWait(settleTime);
            EXPECT_EQ(frame_->getFarPanelAttachment(), triggers->editorOf(box));
            EXPECT_EQ(box->isChecked(), ticked);
            EXPECT_EQ(trigger->getActive(), ticked);
            EXPECT_FALSE(unsaved());
            EXPECT_EQ(frame_->undoStack()->count(), steps);
        }
    }

    QCheckBox* box = interactionBox("Proximity trigger");
    const bool before = box->isChecked();
    QTest::mouseClick(box, Qt::LeftButton, {}, caption(box));
    EXPECT_EQ(box->isChecked(), before);
    QTest::qWait(settleTime);
    EXPECT_NE(box->isChecked(), before);
    EXPECT_NE(trigger->getActive(), before);

    // The world's switches open their editors the same way.
    selectObject("world <world>");
    auto* world = frame_->findChild<gui::WorldBasePanel*>();
    ASSERT_NE(world, nullptr);
    click(world->fogBox()->parentWidget()->findChild<QToolButton*>());
    EXPECT_EQ(frame_->getFarPanelAttachment(), world->fogPanel());
    EXPECT_FALSE(world->fogBox()->isChecked());
    EXPECT_FALSE(document().world()->getFogEnabled());
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

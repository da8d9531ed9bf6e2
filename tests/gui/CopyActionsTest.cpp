#include "EditorTest.h"

#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/gui/CopyActionsToPanel.h"
#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/DefaultAtmoTriggerPanel.h"
#include "scenewright/gui/ScriptPanel.h"

#include <QComboBox>

namespace scenewright::test {
namespace {

using core::action::ChatPrintMessageAction;
using core::action::OnclickTrigger;

class CopyActionsTest : public EditorTest {
protected:
    gui::CopyActionsToPanel* openCopyDialog()
    {
        menuItem("Copy object triggers to..")->trigger();
        return openPanel<gui::CopyActionsToPanel>();
    }
    // A clickable door that prints a message, built in the editors.
    void buildDoor()
    {
        door_ = frame_->addObject("door", core::IAtmoObject::TYPE_PRIMITIVE);
        selectObject("door <primitive>");
        click(interactionBox("Print message in chat window"));
        auto* chat = farEditor<gui::DefaultAtmoActionPanel>();
        typeInto(qobject_cast<QLineEdit*>(chat->fieldWidgets()[0]), "Knock knock");
        click(chat, "Save & Close");
        fireFirstActionOnClick("door <primitive>");
    }

    std::shared_ptr<core::AtmoObject> door_;
};

TEST_F(CopyActionsTest, OffersNothingBesidesTheWorldAndTheActor)
{
    auto* panel = openCopyDialog();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->sourceBox()->count(), 0);
    EXPECT_EQ(panel->targetList()->count(), 0);
    click(panel, "Copy >>");
    EXPECT_EQ(panel->results(), QStringList({"No object to copy"}));
}

TEST_F(CopyActionsTest, ASourceWithoutTargetsCopiesNothing)
{
    buildDoor();
    frame_->addObject("gate", core::IAtmoObject::TYPE_PRIMITIVE);
    auto* panel = openCopyDialog();
    EXPECT_EQ(panel->sourceBox()->count(), 2);
    click(panel, "Copy >>");
    EXPECT_EQ(panel->results(), QStringList({"Nothing to copy to"}));
}

TEST_F(CopyActionsTest, CopiedTriggersWorkOnTheTargetsAndTheSourceIsNeverItsOwnTarget)
{
    buildDoor();
    const auto gate = frame_->addObject("gate", core::IAtmoObject::TYPE_PRIMITIVE);
    frame_->addObject("hatch", core::IAtmoObject::TYPE_PRIMITIVE);
    selectObject("gate <primitive>");
    markSaved();

    auto* panel = openCopyDialog();
    panel->sourceBox()->setCurrentText("door <primitive>");
    for (int row : {0, 1})
        pickRow(panel->targetList(), row);
    click(panel, "Copy >>");
    EXPECT_EQ(panel->results(),
              QStringList({"door <primitive> is the source and was skipped", "gate <primitive> was copied to"}));
    EXPECT_TRUE(unsaved());

    // The door keeps its own trigger and action.
    ASSERT_TRUE(door_->getAtmoTrigger(typeid(OnclickTrigger)));
    EXPECT_EQ(door_->getAtmoTrigger(typeid(OnclickTrigger))->getActionSize(), 1);
    const auto trigger = gate->getAtmoTrigger(typeid(OnclickTrigger));
    ASSERT_TRUE(trigger);
    EXPECT_TRUE(trigger->getActive());
    ASSERT_EQ(trigger->getActionSize(), 1);
    EXPECT_EQ(trigger->getAction(0)->getOwnerObject(), gate.get());

    // The gate, on show, lists its new trigger ticked.
    EXPECT_TRUE(interactionBox("On click trigger")->isChecked());
    EXPECT_TRUE(interactionBox("Print message in chat window")->isChecked());

    click(panel, "Close");
    frame_->openScriptView();
    auto* view = openPanel<gui::ScriptPanel>();
    click(view, "Generate Script");
    const QByteArray script = view->scriptText();
    EXPECT_EQ(script.count("Knock knock"), 2) << script.toStdString();
    EXPECT_TRUE(nodeAccepts(script));
}

} // namespace
} // namespace scenewright::test

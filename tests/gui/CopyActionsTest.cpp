#include "EditorTest.h"

#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/gui/CopyActionsToPanel.h"
#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/DefaultAtmoTriggerPanel.h"
#include "scenewright/gui/ScriptPanel.h"
#include "scenewright/gui/ScriptPreview.h"
#include "scenewright/gui/TestRunDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <fstream>

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

// A file whose numbers reach the last one opens, but every step that needs
// a new number says so once and changes nothing; the preview shows why in
// place of the script, without a message at each refresh.
TEST_F(CopyActionsTest, WhenNoNumberIsLeftEachStepSaysSoOnce)
{
    const QString file = path("full.scw");
    std::ofstream(file.toStdString()) << R"({"format": "scenewright-project", "version": 1, "objects": [
        {"type": "world", "name": "world"},
        {"type": "actor", "name": "actor", "actions": [{"class": "MovePositionAction", "ids": [1, 2147483646]}]},
        {"type": "primitive", "name": "door", "id": 2, "actions": [{"class": "ChatPrintMessageAction", "active": true}],
         "triggers": [{"class": "OnclickTrigger", "active": true, "ids": [3], "actions": [{"object": 2, "action": 0}]}]},
        {"type": "primitive", "name": "gate"}]})";
    dialogs_.paths << file;
    frame_->openProject();
    ASSERT_EQ(document().objectCount(), 4) << dialogs_.errors.join("\n").toStdString();

    menuItem("Live Script Preview")->trigger();
    auto* preview = frame_->findChild<gui::ScriptPreview*>("scriptPreview");
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->message()->isVisible(); }, 5000));
    preview->refresh();
    EXPECT_TRUE(preview->message()->text().startsWith("No number is left"));
    EXPECT_FALSE(preview->scriptArea()->isVisible());
    EXPECT_TRUE(dialogs_.errors.isEmpty());

    gui::ScriptPanel::createInDialog(frame_.get(), dialogs_, frame_->scriptSource())->generateScript();
    EXPECT_EQ(dialogs_.errors.size(), 1);
    EXPECT_EQ(frame_->addObject("hatch", core::IAtmoObject::TYPE_PRIMITIVE), nullptr);
    EXPECT_EQ(dialogs_.errors.size(), 2);
    EXPECT_EQ(document().objectCount(), 4);

    auto* panel = openCopyDialog();
    panel->sourceBox()->setCurrentText("door <primitive>");
    pickRow(panel->targetList(), "gate <primitive>");
    click(panel, "Copy >>");
    EXPECT_EQ(panel->results(), QStringList({"gate <primitive> was not copied to"}));
    EXPECT_EQ(dialogs_.errors.size(), 3);

    menuItem("Test Run...")->trigger();
    EXPECT_TRUE(frame_->findChildren<gui::TestRunDialog*>().isEmpty());
    menuItem("New Project")->trigger();
    EXPECT_EQ(document().objectCount(), 4);
    ASSERT_EQ(dialogs_.errors.size(), 5);
    for (const QString& error : dialogs_.errors)
        EXPECT_TRUE(error.startsWith("No number is left for a generated name")) << error.toStdString();
}

} // namespace
} // namespace scenewright::test

#include "EditorTest.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/gui/CopyActionsToPanel.h"
#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/DefaultAtmoTriggerPanel.h"
#include "scenewright/gui/ObjectPropertiesPanel.h"
#include "scenewright/gui/PropertiesPanel.h"
#include "scenewright/gui/SceneUndoStack.h"
#include "scenewright/gui/WorldBasePanel.h"

#include <QMenuBar>
#include <QRadioButton>
#include <QSlider>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace scenewright::test {
namespace {

using core::IAtmoObject;

// A saved project holding a clickable door that prints a message and a fan,
// built in the editors; the changes are then undone with the Edit menu.
class UndoTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        door_ = frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
        fan_ = frame_->addObject("fan", IAtmoObject::TYPE_MODEL);
        selectObject("door <primitive>");
        click(interactionBox("Print message in chat window"));
        typeInto(textField(farEditor<gui::DefaultAtmoActionPanel>(), 0), "Knock knock");
        click(farEditor<gui::DefaultAtmoActionPanel>(), "Save & Close");
        fireFirstActionOnClick("door <primitive>");
        save();
    }

    void save()
    {
        dialogs_.paths << path("scene.scw");
        frame_->saveProjectAs();
        ASSERT_EQ(project().state(), core::SceneDocument::STATE_SAVED);
    }
    void undo() { menuItem("Undo")->trigger(); }
    void redo() { menuItem("Redo")->trigger(); }
    static QLineEdit* textField(gui::DefaultAtmoActionPanel* editor, int index)
    {
        return qobject_cast<QLineEdit*>(editor->fieldWidgets().at(index));
    }
    gui::WorldBasePanel* worldPanel() const { return hostPanel<gui::WorldBasePanel>(); }
    QDialog* openDialog() const
    {
        for (QDialog* dialog : frame_->findChildren<QDialog*>())
            if (dialog->isVisible())
                return dialog;
        return nullptr;
    }

    // The change, made through the widgets, is one undo step: undoing it
    // gives back the script and the saved state from before, redoing it the
    // script from after.
    void expectOneUndoStep(const std::string& what, const std::function<void()>& change, bool showsInScript = true)
    {
        save();
        const std::string before = generatedScript();
        change();
        const std::string after = generatedScript();
        if (showsInScript) {
            EXPECT_NE(after, before) << what << ": the change shows in the script";
        }
        EXPECT_EQ(project().state(), core::SceneDocument::STATE_UNSAVED) << what;

        undo();
        EXPECT_EQ(generatedScript(), before) << what;
        EXPECT_EQ(project().state(), core::SceneDocument::STATE_SAVED) << what;
        EXPECT_TRUE(frame_->undoStack()->isClean()) << what;
        redo();
        EXPECT_EQ(generatedScript(), after) << what;
        EXPECT_EQ(project().state(), core::SceneDocument::STATE_UNSAVED) << what;
    }

    std::shared_ptr<core::AtmoObject> door_;
    std::shared_ptr<core::AtmoObject> fan_;
};

TEST_F(UndoTest, TheEditMenuStandsBetweenFileAndJavascriptAndFollowsTheStack)
{
    QStringList menus;
    for (QAction* menu : frame_->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus.mid(0, 3), QStringList({"File", "Edit", "Javascript"}));
    EXPECT_EQ(menuItem("Undo")->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(menuItem("Redo")->shortcut(), QKeySequence(QKeySequence::Redo));

    EXPECT_TRUE(menuItem("Undo")->isEnabled()) << "the door was built";
    EXPECT_FALSE(menuItem("Redo")->isEnabled());
    undo();
    EXPECT_TRUE(menuItem("Redo")->isEnabled());

    frame_->newProject();
    EXPECT_FALSE(menuItem("Undo")->isEnabled()) << "a new project starts a new history";
    EXPECT_FALSE(menuItem("Redo")->isEnabled());
    EXPECT_EQ(project().state(), core::SceneDocument::STATE_NEW);
    frame_->addObject("lamp", IAtmoObject::TYPE_MODEL);
    undo();
    EXPECT_EQ(project().state(), core::SceneDocument::STATE_NEW) << "undone back to a project never saved";
}

TEST_F(UndoTest, TheShortcutsUndoAndRedo)
{
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    objectList()->setFocus();
    const std::string before = generatedScript();
    frame_->addObject("lamp", IAtmoObject::TYPE_MODEL);
    QTest::keySequence(objectList(), QKeySequence::Undo);
    EXPECT_EQ(generatedScript(), before);
    EXPECT_EQ(objectList()->count(), 4);
    QTest::keySequence(objectList(), QKeySequence::Redo);
    EXPECT_EQ(objectList()->count(), 5);
}

TEST_F(UndoTest, ObjectChangesUndoAndRedo)
{
    expectOneUndoStep("add", [&] { addObjectByDialog("lamp", IAtmoObject::TYPE_MODEL); });
    expectOneUndoStep("remove", [&] {
        selectObject("lamp <model.aer/.atmo>");
        click(frame_.get(), "Remove Object");
    });
    expectOneUndoStep("rename", [&] {
        selectObject("door <primitive>");
        menuItem("Object Properties")->trigger();
        auto* panel = openPanel<gui::ObjectPropertiesPanel>();
        ASSERT_NE(panel, nullptr);
        typeInto(panel->nameField(), "gate");
        click(panel, "Save");
    });
    EXPECT_EQ(objectList()->item(2)->text(), "gate <primitive>") << "the list shows the name after redo";
    expectOneUndoStep("physical model", [&] {
        selectObject("fan <model.aer/.atmo>");
        menuItem("Physical Properties")->trigger();
        auto* panel = openPanel<gui::PropertiesPanel>();
        ASSERT_NE(panel, nullptr);
        click(panel, "enable physical model");
        click(panel, "Close Window");
    });
}

TEST_F(UndoTest, InteractionChangesUndoAndRedoAndTheOpenEditorFollows)
{
    selectObject("door <primitive>");
    expectOneUndoStep("untick", [&] { click(interactionBox("On click trigger")); });
    EXPECT_FALSE(interactionBox("On click trigger")->isChecked()) << "the box follows the redo";
    undo();
    EXPECT_TRUE(interactionBox("On click trigger")->isChecked()) << "the box follows the undo";

    // Clicking a box switches the interaction as it opens the editor.
    click(interactionBox("Print message in chat window"));
    click(interactionBox("Print message in chat window"));
    expectOneUndoStep("editor save", [&] {
        typeInto(textField(farEditor<gui::DefaultAtmoActionPanel>(), 0), "Who is there");
        click(farEditor<gui::DefaultAtmoActionPanel>(), "Save & Close");
    });
    click(interactionBox("Print message in chat window"));
    click(interactionBox("Print message in chat window"));
    auto* chat = farEditor<gui::DefaultAtmoActionPanel>();
    ASSERT_NE(chat, nullptr);
    undo();
    undo();
    undo();
    EXPECT_EQ(textField(chat, 0)->text(), "Knock knock") << "the open editor shows the undone field";
    EXPECT_EQ(statusText()->toPlainText(), "  " + QString::fromStdString(door_->updateStatus()));
    redo();
    redo();
    redo();

    click(interactionBox("On click trigger"));
    click(interactionBox("On click trigger"));
    expectOneUndoStep("trigger actions", [&] {
        auto* trigger = farEditor<gui::DefaultAtmoTriggerPanel>();
        pickRow(trigger->triggerActionList(), 0);
        click(trigger, "<<");
        click(trigger, "Save & Close");
    });
}

TEST_F(UndoTest, ASaveStoppedAtARefusedFieldIsOneStep)
{
    selectObject("fan <model.aer/.atmo>");
    click(interactionBox("Rotate constantly"));
    save();
    const std::string before = generatedScript();
    auto* editor = farEditor<gui::DefaultAtmoActionPanel>();
    ASSERT_NE(editor, nullptr);
    const QString shownBefore = textField(editor, 0)->text();
    const int steps = frame_->undoStack()->count();
    typeInto(textField(editor, 0), "1.25");
    typeInto(textField(editor, 1), "half");
    click(editor, "Save & Close");
    ASSERT_EQ(frame_->getFarPanelAttachment(), editor) << "refused";
    EXPECT_NE(generatedScript(), before) << "the first field was written";
    EXPECT_EQ(frame_->undoStack()->count(), steps + 1);

    undo();
    EXPECT_EQ(generatedScript(), before);
    EXPECT_EQ(textField(editor, 0)->text(), shownBefore) << "the open editor shows the field undone";
    EXPECT_EQ(project().state(), core::SceneDocument::STATE_SAVED);
}

TEST_F(UndoTest, MovesOfOneSliderMergeIntoOneStep)
{
    selectObject("fan <model.aer/.atmo>");
    auto& model = std::static_pointer_cast<core::ModelObj>(fan_)->pm;
    const double friction = model.friction;
    menuItem("Physical Properties")->trigger();
    auto* panel = openPanel<gui::PropertiesPanel>();
    ASSERT_NE(panel, nullptr);
    const int steps = frame_->undoStack()->count();
    panel->frictionSlider()->setFocus();
    for (int move = 0; move < 5; ++move)
        QTest::keyClick(panel->frictionSlider(), Qt::Key_Right);
    EXPECT_EQ(frame_->undoStack()->count(), steps + 1);
    click(panel, "Close Window");
    EXPECT_EQ(frame_->undoStack()->count(), steps + 1) << "closing wrote the same values";
    EXPECT_NE(model.friction, friction);
    undo();
    EXPECT_EQ(model.friction, friction);
}

TEST_F(UndoTest, RedoingACopyReusesItsNumbersAndUndoingARemoveRestoresReferences)
{
    expectOneUndoStep("copy", [&] {
        menuItem("Copy object triggers to..")->trigger();
        auto* panel = openPanel<gui::CopyActionsToPanel>();
        ASSERT_NE(panel, nullptr);
        panel->sourceBox()->setCurrentText("door <primitive>");
        pickRow(panel->targetList(), "fan <model.aer/.atmo>");
        click(panel, "Copy >>");
        click(panel, "Close");
    });
    const int next = ids.peek();
    undo();
    redo();
    EXPECT_EQ(ids.peek(), next) << "redo took no new numbers";

    // The fan's click trigger fires the door's message; removing the door
    // drops that reference, and undoing the removal gives it back.
    selectObject("fan <model.aer/.atmo>");
    fireFirstActionOnClick("door <primitive>");
    const auto fanClick = fan_->getAtmoTrigger(typeid(core::action::OnclickTrigger));
    ASSERT_EQ(fanClick->getActionSize(), 2);
    expectOneUndoStep("remove door", [&] {
        selectObject("door <primitive>");
        click(frame_.get(), "Remove Object");
    });
    EXPECT_EQ(fanClick->getActionSize(), 1);
    undo();
    EXPECT_EQ(fanClick->getActionSize(), 2);

    selectObject("door <primitive>");
    click(frame_.get(), "Remove Object");
    undo();
    EXPECT_EQ(frame_->selectedObject(), door_) << "the restored object is selected again";
    EXPECT_TRUE(interactionBox("On click trigger")->isChecked());
}

TEST_F(UndoTest, WorldChangesUndoAndRedo)
{
    selectObject("world <world>");
    expectOneUndoStep("fog on", [&] { click(worldPanel()->fogBox()); });
    expectOneUndoStep("fog", [&] {
        typeInto(worldPanel()->fogPanel()->numberField(gui::FogPanel::ROW_NEAR), "7");
        click(worldPanel()->fogPanel(), "Ok");
    });
    expectOneUndoStep("glare on", [&] { click(worldPanel()->glareBox()); });
    // Switched on without a message, the welcome adds nothing to the script yet.
    expectOneUndoStep("welcome on", [&] { click(worldPanel()->welcomeBox()); }, false);
    expectOneUndoStep("welcome", [&] {
        worldPanel()->welcomePanel()->messageArea()->setPlainText("Hello");
        click(worldPanel()->welcomePanel(), "Save and Close");
    });
    expectOneUndoStep("add sound", [&] {
        auto* sound = worldPanel()->soundPanel();
        for (QAbstractButton* candidate : worldPanel()->findChildren<QAbstractButton*>())
            if (candidate->text() == "Add Sound" && !sound->isAncestorOf(candidate))
                click(candidate);
        typeInto(sound->field(gui::SoundPanel::FIELD_FILENAME), "rain.wav");
        click(sound, "Add Sound");
    });
    EXPECT_EQ(worldPanel()->soundList()->count(), 1) << "the sound list follows the redo";
    undo();
    EXPECT_EQ(worldPanel()->soundList()->count(), 0) << "the sound list follows the undo";
    undo();
    undo();
    EXPECT_FALSE(worldPanel()->welcomeBox()->isChecked()) << "the switch follows the undo";
}

TEST_F(UndoTest, TheLocalisedChoiceUndoesAndRedoesAndTheScriptViewFollows)
{
    menuItem("Generate Scipt")->trigger();
    QDialog* view = openDialog();
    ASSERT_NE(view, nullptr);
    expectOneUndoStep("localise", [&] { click(view, "Localise Script"); });
    undo();
    EXPECT_TRUE(button<QRadioButton>(view, "Global Variables")->isChecked());
    EXPECT_FALSE(project().localiseScript()) << "showing the scope did not write it back";
    redo();
    EXPECT_TRUE(button<QRadioButton>(view, "Localise Script")->isChecked());
}

} // namespace
} // namespace scenewright::test

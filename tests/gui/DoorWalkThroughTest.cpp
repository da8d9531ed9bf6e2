#include "EditorTest.h"

#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/DefaultAtmoTriggerPanel.h"
#include "scenewright/gui/ScriptPanel.h"

namespace scenewright::test {
namespace {

// A new user's first scene: a door that prints a line in the chat when
// clicked, built with the mouse and the keyboard only.
TEST_F(EditorTest, TheClickableDoorReachesTheStatusBarAndTheGeneratedScript)
{
    addObjectByDialog("door", core::IAtmoObject::TYPE_PRIMITIVE);
    selectObject("door <primitive>");

    click(interactionBox("Print message in chat window"));
    auto* actionEditor = farEditor<gui::DefaultAtmoActionPanel>();
    ASSERT_NE(actionEditor, nullptr);
    ASSERT_EQ(actionEditor->fieldWidgets().size(), 1u);
    typeInto(qobject_cast<QLineEdit*>(actionEditor->fieldWidgets()[0]), "The door is locked");
    click(actionEditor, "Save & Close");
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);

    click(interactionBox("On click trigger"));
    auto* triggerEditor = farEditor<gui::DefaultAtmoTriggerPanel>();
    ASSERT_NE(triggerEditor, nullptr);
    pickRow(triggerEditor->objectList(), "door <primitive>");
    ASSERT_EQ(triggerEditor->actionList()->count(), 1);
    pickRow(triggerEditor->actionList(), 0);
    click(triggerEditor, ">>");
    click(triggerEditor, "Save & Close");
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);

    const QString status = statusText()->toPlainText();
    EXPECT_TRUE(status.contains("On click trigger")) << status.toStdString();
    EXPECT_TRUE(status.contains("Print message in chat window")) << status.toStdString();
    EXPECT_TRUE(unsaved());

    frame_->openScriptView();
    auto* view = openPanel<gui::ScriptPanel>();
    ASSERT_NE(view, nullptr);
    click(view, "Generate Script");
    const QByteArray script = view->scriptText();
    EXPECT_TRUE(script.contains("The door is locked")) << script.toStdString();
    EXPECT_TRUE(script.contains("MouseEventHandler")) << script.toStdString();
    EXPECT_TRUE(nodeAccepts(script));
}

} // namespace
} // namespace scenewright::test

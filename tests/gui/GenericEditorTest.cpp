#include "EditorTest.h"

#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/URLpopup.h"
#include "scenewright/gui/DefaultAtmoActionPanel.h"
#include "scenewright/gui/DefaultAtmoTriggerPanel.h"

#include <QLabel>

namespace scenewright::test {
namespace {

using core::action::AtmoAction;
using core::action::AtmoTrigger;

// The generic editors on a model named fan, whose actions and triggers the
// host panels have attached.
class GenericEditorTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        fan_ = frame_->addObject("fan", core::IAtmoObject::TYPE_MODEL);
        selectObject("fan <model.aer/.atmo>");
        markSaved();
    }

    template <class Kind>
    std::shared_ptr<Kind> actionOf(const core::IAtmoObject& object) const
    {
        return std::dynamic_pointer_cast<Kind>(object.getAtmoAction(typeid(Kind)));
    }
    // Ticks the interaction and returns the editor it opened.
    template <class Editor>
    Editor* open(const QString& interaction)
    {
        click(interactionBox(interaction));
        return farEditor<Editor>();
    }
    static QLineEdit* textField(gui::DefaultAtmoActionPanel* editor, int index)
    {
        return qobject_cast<QLineEdit*>(editor->fieldWidgets().at(index));
    }

    std::shared_ptr<core::AtmoObject> fan_;
};

TEST_F(GenericEditorTest, LoadsOneRowPerFieldWithCheckBoxesForBooleans)
{
    auto* editor = open<gui::DefaultAtmoActionPanel>("Open URL up in new window");
    ASSERT_NE(editor, nullptr);
    const auto action = actionOf<core::action::URLpopup>(*fan_);
    const auto fields = action->getFields();
    ASSERT_EQ(editor->fieldWidgets().size(), fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString name = QString::fromStdString(fields[i]);
        if (auto* box = qobject_cast<QCheckBox*>(editor->fieldWidgets()[i]))
            EXPECT_EQ(box->text(), name);
        else
            EXPECT_NE(qobject_cast<QLineEdit*>(editor->fieldWidgets()[i]), nullptr) << name.toStdString();
    }
    EXPECT_EQ(qobject_cast<QLineEdit*>(editor->fieldWidgets()[1])->text(),
              QString::number(std::get<int>(action->get("width"))));
    EXPECT_EQ(editor->findChild<QLabel*>("description")->text().toStdString(),
              action->getDescription().value_or(""));
}

TEST_F(GenericEditorTest, TickingSwitchesTheActionAtOnceAndUntickingStillOpensTheEditor)
{
    QCheckBox* box = interactionBox("Rotate constantly");
    click(box);
    const auto rotation = actionOf<core::action::ConstantRotationAction>(*fan_);
    EXPECT_TRUE(rotation->getActive());
    EXPECT_TRUE(unsaved());
    frame_->setFarPanel(nullptr, true);
    click(box);
    EXPECT_FALSE(rotation->getActive());
    EXPECT_NE(farEditor<gui::DefaultAtmoActionPanel>(), nullptr);
    EXPECT_TRUE(statusText()->toPlainText().startsWith("  "));
}

TEST_F(GenericEditorTest, AFieldThatFailsStopsTheSaveAfterTheEarlierFieldsAreWritten)
{
    auto* editor = open<gui::DefaultAtmoActionPanel>("Rotate constantly");
    ASSERT_NE(editor, nullptr);
    const auto rotation = actionOf<core::action::ConstantRotationAction>(*fan_);
    const auto fields = rotation->getFields();
    ASSERT_GE(fields.size(), 3u);
    const auto thirdBefore = rotation->get(fields[2]);
    typeInto(textField(editor, 0), "1.25");
    typeInto(textField(editor, 1), "half");
    typeInto(textField(editor, 2), "2.75");
    click(editor, "Save & Close");

    EXPECT_EQ(editor->errorLabel()->text().toStdString(), *rotation->verifyField(fields[1], "half"));
    EXPECT_EQ(frame_->getFarPanelAttachment(), editor);
    EXPECT_EQ(std::get<double>(rotation->get(fields[0])), 1.25);
    EXPECT_EQ(rotation->get(fields[2]), thirdBefore);

    typeInto(textField(editor, 1), "0.5");
    click(editor, "Save & Close");
    EXPECT_EQ(editor->errorLabel()->text(), "");
    EXPECT_EQ(std::get<double>(rotation->get(fields[2])), 2.75);
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(GenericEditorTest, EachFieldTypeIsVerifiedWithItsOwnMessage)
{
    auto* editor = open<gui::DefaultAtmoActionPanel>("Open URL up in new window");
    const auto popup = actionOf<core::action::URLpopup>(*fan_);
    typeInto(textField(editor, 1), "12.5");
    click(editor, "Save & Close");
    EXPECT_EQ(editor->errorLabel()->text(), "width must contain an integer");

    auto* rotation = open<gui::DefaultAtmoActionPanel>("Rotate constantly");
    typeInto(textField(rotation, 0), "1,5");
    click(rotation, "Save & Close");
    EXPECT_EQ(rotation->errorLabel()->text(), "xrevolutions must contain an real number");

    auto* chat = open<gui::DefaultAtmoActionPanel>("Print message in chat window");
    typeInto(textField(chat, 0), "anything at all, 1.5");
    click(chat, "Save & Close");
    EXPECT_EQ(chat->errorLabel()->text(), "");
    EXPECT_EQ(actionOf<core::action::ChatPrintMessageAction>(*fan_)->message, "anything at all, 1.5");
}

TEST_F(GenericEditorTest, CancelWritesNothing)
{
    auto* chat = open<gui::DefaultAtmoActionPanel>("Print message in chat window");
    typeInto(textField(chat, 0), "never saved");
    markSaved();
    click(chat, "Cancel");
    EXPECT_EQ(actionOf<core::action::ChatPrintMessageAction>(*fan_)->message, std::nullopt);
    EXPECT_FALSE(unsaved());
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(GenericEditorTest, TriggerListsOfferEveryObjectButTheWorldAndOnlyActiveActions)
{
    click(interactionBox("Print message in chat window"));
    auto* editor = open<gui::DefaultAtmoTriggerPanel>("On click trigger");
    ASSERT_NE(editor, nullptr);
    QStringList objects;
    for (int row = 0; row < editor->objectList()->count(); ++row)
        objects << editor->objectList()->item(row)->text();
    EXPECT_EQ(objects, QStringList({"actor <actor>", "fan <model.aer/.atmo>"}));

    pickRow(editor->objectList(), "fan <model.aer/.atmo>");
    ASSERT_EQ(editor->actionList()->count(), 1);
    EXPECT_TRUE(editor->actionList()->item(0)->text().startsWith("Print message in chat window"));

    // The keyboard moves through the objects as well as the pointer.
    editor->objectList()->setFocus();
    QTest::keyClick(editor->objectList(), Qt::Key_Up);
    EXPECT_EQ(editor->objectList()->currentRow(), 0);
    EXPECT_EQ(editor->actionList()->count(), 0);
}

TEST_F(GenericEditorTest, AddingTheSameActionTwiceGivesTwoReferencesAndRemovingTakesOne)
{
    click(interactionBox("Print message in chat window"));
    const auto chat = actionOf<core::action::ChatPrintMessageAction>(*fan_);
    auto* editor = open<gui::DefaultAtmoTriggerPanel>("On click trigger");
    const auto trigger = fan_->getAtmoTrigger(typeid(core::action::OnclickTrigger));
    pickRow(editor->objectList(), "fan <model.aer/.atmo>");
    pickRow(editor->actionList(), 0);
    click(editor, ">>");
    click(editor, ">>");
    EXPECT_EQ(editor->triggerActionList()->count(), 2);
    EXPECT_EQ(trigger->getActionSize(), 0);

    click(editor, "Save");
    ASSERT_EQ(trigger->getActionSize(), 2);
    EXPECT_EQ(trigger->getAction(0), chat);
    EXPECT_EQ(trigger->getAction(1), chat);
    EXPECT_EQ(frame_->getFarPanelAttachment(), editor);

    pickRow(editor->triggerActionList(), 1);
    click(editor, "<<");
    click(editor, "Save & Close");
    EXPECT_EQ(trigger->getActionSize(), 1);
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(GenericEditorTest, InactiveActionsAreDroppedOnSaveAndCloseKeepsTheListButNotTheSynchronisation)
{
    QCheckBox* chatBox = interactionBox("Print message in chat window");
    click(chatBox);
    auto* editor = open<gui::DefaultAtmoTriggerPanel>("On click trigger");
    pickRow(editor->objectList(), "fan <model.aer/.atmo>");
    pickRow(editor->actionList(), 0);
    click(editor, ">>");
    click(editor, "Save");
    const auto trigger = fan_->getAtmoTrigger(typeid(core::action::OnclickTrigger));
    ASSERT_EQ(trigger->getActionSize(), 1);

    click(chatBox);
    editor = open<gui::DefaultAtmoTriggerPanel>("On click trigger");
    EXPECT_EQ(editor->triggerActionList()->count(), 0);
    EXPECT_TRUE(editor->synchBox()->isChecked());
    click(editor->synchBox());
    click(editor, "Close");
    EXPECT_FALSE(trigger->usesSynch);
    EXPECT_EQ(trigger->getActionSize(), 1);

    editor = open<gui::DefaultAtmoTriggerPanel>("On click trigger");
    click(editor, "Save");
    EXPECT_EQ(trigger->getActionSize(), 0);
}

} // namespace
} // namespace scenewright::test

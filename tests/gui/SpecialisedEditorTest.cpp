#include "EditorTest.h"

#include "scenewright/gui/InteractionEditors.h"

#include "scenewright/core/AtmoObject.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/gui/AnimateTexturePanel.h"
#include "scenewright/gui/MovePositionActionPanel.h"
#include "scenewright/gui/ProximityTriggerPanel.h"

#include <QLabel>

namespace scenewright::test {
namespace {

using core::action::AnimateTextureAction;
using core::action::MovePositionAction;
using core::action::ProximityTrigger;

// The specialised editors, opened from the host panels of a model named fan.
class SpecialisedEditorTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        fan_ = frame_->addObject("fan", core::IAtmoObject::TYPE_MODEL);
        selectObject("fan <model.aer/.atmo>");
    }
    template <class Editor>
    Editor* open(const QString& interaction)
    {
        click(interactionBox(interaction));
        return farEditor<Editor>();
    }
    std::shared_ptr<MovePositionAction> move() const
    {
        return std::dynamic_pointer_cast<MovePositionAction>(fan_->getAtmoAction(typeid(MovePositionAction)));
    }
    std::shared_ptr<AnimateTextureAction> texture() const
    {
        return std::dynamic_pointer_cast<AnimateTextureAction>(fan_->getAtmoAction(typeid(AnimateTextureAction)));
    }
    static QStringList rows(const QListWidget* list)
    {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }

    std::shared_ptr<core::AtmoObject> fan_;
};

TEST_F(SpecialisedEditorTest, TheRegistryHandsOutANewProximityEditorEachTime)
{
    const gui::InteractionEditors registry;
    ProximityTrigger proximity(ids);
    std::unique_ptr<QWidget> first(registry.create(proximity));
    std::unique_ptr<QWidget> second(registry.create(proximity));
    EXPECT_NE(dynamic_cast<gui::ProximityTriggerPanel*>(first.get()), nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(registry.create(core::action::OnclickTrigger(ids)), nullptr);
}

TEST_F(SpecialisedEditorTest, AProximityDistanceThatFailsSavesNeitherDistanceNorActions)
{
    click(interactionBox("Rotate constantly"));
    auto* editor = open<gui::ProximityTriggerPanel>("Proximity trigger");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->synchBox()->text(), "Enable Shared Objects Synchronisation");
    EXPECT_EQ(editor->distanceField()->text(), "5.0");
    const auto trigger = std::dynamic_pointer_cast<ProximityTrigger>(fan_->getAtmoTrigger(typeid(ProximityTrigger)));
    pickRow(editor->objectList(), "fan <model.aer/.atmo>");
    pickRow(editor->actionList(), 0);
    click(editor, ">>");
    typeInto(editor->distanceField(), "near");
    click(editor->continuousBox());
    click(editor, "Save & Close");
    EXPECT_EQ(editor->errorLabel()->text().toStdString(), *trigger->verifyField("distance", "near"));
    EXPECT_EQ(trigger->getActionSize(), 0);
    EXPECT_TRUE(trigger->continuous);
    EXPECT_EQ(frame_->getFarPanelAttachment(), editor);

    typeInto(editor->distanceField(), "12.5");
    click(editor, "Save & Close");
    EXPECT_EQ(trigger->distance, 12.5);
    EXPECT_FALSE(trigger->continuous);
    EXPECT_EQ(trigger->getActionSize(), 1);
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(SpecialisedEditorTest, TheMoveModesEnableTheirOwnControls)
{
    auto* editor = open<gui::MovePositionActionPanel>("Move to a position/direction");
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->directionButton()->isChecked());
    EXPECT_TRUE(editor->xField()->isEnabled());
    EXPECT_TRUE(editor->smoothBox()->isEnabled());
    EXPECT_FALSE(editor->anchorList()->isEnabled());
    EXPECT_FALSE(editor->speedField()->isEnabled());
    click(editor->anchorsButton());
    EXPECT_FALSE(editor->xField()->isEnabled());
    EXPECT_FALSE(editor->smoothBox()->isEnabled());
    EXPECT_TRUE(editor->anchorNameField()->isEnabled());
    EXPECT_TRUE(editor->speedField()->isEnabled());
    EXPECT_FALSE(move()->usesAnchors);
}

TEST_F(SpecialisedEditorTest, DirectionMoveWritesNothingWhenADirectionFails)
{
    auto* editor = open<gui::MovePositionActionPanel>("Move to a position/direction");
    typeInto(editor->xField(), "3");
    typeInto(editor->yField(), "up");
    click(editor, "Save & close");
    EXPECT_EQ(editor->errorLabel()->text().toStdString(), *move()->verifyField("ydirection", "up"));
    EXPECT_EQ(move()->xdirection, 0.0);

    typeInto(editor->yField(), "4");
    typeInto(editor->zField(), "-5.5");
    click(editor->smoothBox());
    click(editor, "Save & close");
    EXPECT_EQ(move()->xdirection, 3.0);
    EXPECT_EQ(move()->ydirection, 4.0);
    EXPECT_EQ(move()->zdirection, -5.5);
    EXPECT_FALSE(move()->smoothTransition);
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(SpecialisedEditorTest, AnchorMoveSetsTheModeBeforeItsChecksAndNeedsAnAnchor)
{
    auto* editor = open<gui::MovePositionActionPanel>("Move to a position/direction");
    click(editor->anchorsButton());
    typeInto(editor->speedField(), "fast");
    click(editor, "Save & close");
    EXPECT_EQ(editor->errorLabel()->text().toStdString(), *move()->verifyField("speed", "fast"));
    EXPECT_TRUE(move()->usesAnchors);

    typeInto(editor->speedField(), "2");
    click(editor, "Save & close");
    EXPECT_EQ(editor->errorLabel()->text(), "Must specify at least one anchor name to move to");
    EXPECT_EQ(move()->speed, 1.0) << "a refused save stores nothing after the mode";

    // A direction field that does not parse is left alone in anchor mode.
    typeInto(editor->xField(), "");
    typeInto(editor->anchorNameField(), "anch1");
    click(editor, "Add new Anchor (name)");
    click(editor, "Save & close");
    EXPECT_EQ(move()->speed, 2.0);
    EXPECT_EQ(move()->xdirection, 0.0);
    EXPECT_EQ(move()->anchors, std::vector<std::string>({"anch1"}));
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(SpecialisedEditorTest, AnchorsChangeAtOnceAndAreRemovedByPosition)
{
    auto* editor = open<gui::MovePositionActionPanel>("Move to a position/direction");
    click(editor->anchorsButton());
    for (const char* name : {"a", "b", "a"}) {
        typeInto(editor->anchorNameField(), name);
        click(editor, "Add new Anchor (name)");
    }
    typeInto(editor->anchorNameField(), "   ");
    click(editor, "Add new Anchor (name)");
    EXPECT_EQ(rows(editor->anchorList()), QStringList({"a", "b", "a"}));
    pickRow(editor->anchorList(), 2);
    click(editor, "Remove selected anchor");
    click(editor, "Cancel changes");
    EXPECT_EQ(move()->anchors, std::vector<std::string>({"a", "b"}));
}

TEST_F(SpecialisedEditorTest, TextureEditorAsksAModelForItsPrimitiveName)
{
    auto* editor = open<gui::AnimateTexturePanel>("Animate textures on object");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->delayField()->text(), "0.05");
    typeInto(editor->delayField(), "0.2");
    click(editor, "Save and Close");
    EXPECT_EQ(editor->errorLabel()->text(),
              "For your current model 'fan <model.aer/.atmo>', you must set a 'Primitive name'");
    EXPECT_EQ(texture()->animateDelay, 0.05);
}

TEST_F(SpecialisedEditorTest, TextureEditorStopsAtEachBadNumberAfterTheEarlierWrites)
{
    auto* editor = open<gui::AnimateTexturePanel>("Animate textures on object");
    typeInto(editor->primitiveNameField(), "blade");
    typeInto(editor->delayField(), "soon");
    click(editor, "Save and Close");
    EXPECT_EQ(editor->errorLabel()->text(), "Animate delay must be a real number");
    EXPECT_EQ(texture()->primitiveName, "blade");

    typeInto(editor->delayField(), "0.5");
    typeInto(editor->revolutionsField(), "1.5");
    click(editor, "Save and Close");
    EXPECT_EQ(editor->errorLabel()->text(), "Max revolutions must be an whole number");
    EXPECT_EQ(texture()->animateDelay, 0.5);

    typeInto(editor->revolutionsField(), "3");
    typeInto(editor->findFacesField(), "1;4");
    click(editor, "Save and Close");
    EXPECT_EQ(editor->errorLabel()->text(), "'Find faces' must be numbers. eg. '1, 4, 5' or '2', etc.");
    EXPECT_EQ(texture()->maxrevolutions, 3);

    typeInto(editor->findFacesField(), " , ,");
    click(editor, "Save and Close");
    EXPECT_EQ(editor->errorLabel()->text(), "'Find faces' must be numbers. eg. '1, 4, 5' or '2', etc.");

    typeInto(editor->findFacesField(), "1, 4,5");
    click(editor, "Save and Close");
    EXPECT_EQ(texture()->findfaces, std::vector<int>({1, 4, 5}));
    EXPECT_EQ(texture()->findtextureurl, "");
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(SpecialisedEditorTest, TheTextureUrlWinsOverFaceNumbers)
{
    auto* editor = open<gui::AnimateTexturePanel>("Animate textures on object");
    typeInto(editor->primitiveNameField(), "blade");
    typeInto(editor->findFacesField(), "2");
    typeInto(editor->findTextureUrlField(), "a.jpg");
    click(editor, "Save and Close");
    EXPECT_EQ(texture()->findtextureurl, "a.jpg");
    EXPECT_FALSE(texture()->findfaces && !texture()->findfaces->empty());
}

TEST_F(SpecialisedEditorTest, TexturesAreWrittenOnlyBySavingAndEachLoadShowsItsOwn)
{
    auto* editor = open<gui::AnimateTexturePanel>("Animate textures on object");
    typeInto(editor->primitiveNameField(), "blade");
    for (const char* url : {"one.jpg", "two.jpg", "three.jpg"}) {
        typeInto(editor->urlField(), url);
        click(editor, "Add Texture URL");
    }
    pickRow(editor->textureList(), 1);
    click(editor, "Remove texture from list");
    click(editor, "Close");
    EXPECT_TRUE(texture()->textures.empty());

    editor = open<gui::AnimateTexturePanel>("Animate textures on object");
    EXPECT_EQ(editor->textureList()->count(), 0);
    typeInto(editor->primitiveNameField(), "blade");
    typeInto(editor->urlField(), "one.jpg");
    click(editor, "Add Texture URL");
    click(editor, "Save and Close");
    EXPECT_EQ(texture()->textures, std::vector<std::string>({"one.jpg"}));

    // Another object's animation starts from its own, empty, list.
    const auto other = frame_->addObject("vane", core::IAtmoObject::TYPE_MODEL);
    selectObject("vane <model.aer/.atmo>");
    editor = open<gui::AnimateTexturePanel>("Animate textures on object");
    EXPECT_EQ(editor->textureList()->count(), 0);
    editor->setAction(texture());
    EXPECT_EQ(rows(editor->textureList()), QStringList({"one.jpg"}));
    editor->setAction(other->getAtmoAction(typeid(AnimateTextureAction)));
    EXPECT_EQ(editor->textureList()->count(), 0);
}

} // namespace
} // namespace scenewright::test

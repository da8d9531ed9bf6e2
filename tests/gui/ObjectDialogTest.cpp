#include "EditorTest.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/gui/ObjectPropertiesPanel.h"
#include "scenewright/gui/PropertiesPanel.h"

#include <QLabel>
#include <QSlider>

namespace scenewright::test {
namespace {

class ObjectDialogTest : public EditorTest {
protected:
    QDialog* openDialog() const
    {
        for (QDialog* dialog : frame_->findChildren<QDialog*>())
            if (dialog->isVisible())
                return dialog;
        return nullptr;
    }
    int objectCount() const { return document().objectCount(); }
};

TEST_F(ObjectDialogTest, AddObjectRefusesAnEmptyNameAndAPrimitiveWithoutSolidObject)
{
    click(frame_.get(), "Add Object");
    auto* popup = openPanel<gui::AddObjectPopup>();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(openDialog()->windowTitle(), "Add Model/Viewpoint/Primitive/Solid Object");
    EXPECT_FALSE(popup->solidObjectField()->isEnabled());
    EXPECT_FALSE(popup->solidObjectLabel()->isEnabled());
    EXPECT_EQ(popup->errorLabel()->text(), " ");

    typeInto(popup->nameField(), "   ");
    click(popup, "Ok");
    EXPECT_EQ(popup->errorLabel()->text(), "Name cannot be empty");

    typeInto(popup->nameField(), "door");
    popup->typeBox()->setCurrentText("primitive");
    EXPECT_TRUE(popup->solidObjectField()->isEnabled());
    EXPECT_EQ(popup->solidObjectField()->text(), "0");
    typeInto(popup->solidObjectField(), " ");
    click(popup, "Ok");
    EXPECT_EQ(popup->errorLabel()->text(), "Must specify a solid object index or name");
    EXPECT_EQ(objectCount(), 2);

    popup->typeBox()->setCurrentText("viewpoint");
    EXPECT_FALSE(popup->solidObjectField()->isEnabled());
    click(popup, "Ok");
    EXPECT_EQ(objectCount(), 3);
    EXPECT_EQ(openDialog(), nullptr);
    EXPECT_TRUE(objectList()->findItems("door <viewpoint>", Qt::MatchExactly).size() == 1);
    EXPECT_TRUE(unsaved());
}

TEST_F(ObjectDialogTest, AddedPrimitiveKeepsItsTrimmedSolidObjectAndTheNameAsTyped)
{
    click(frame_.get(), "Add Object");
    auto* popup = openPanel<gui::AddObjectPopup>();
    typeInto(popup->nameField(), " door");
    popup->typeBox()->setCurrentText("primitive");
    typeInto(popup->solidObjectField(), "  house ");
    click(popup, "Ok");
    const auto door = std::dynamic_pointer_cast<core::PrimitiveObj>(document().object(2));
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->getName(), " door");
    EXPECT_EQ(door->solidObjectIndex, "house");
}

TEST_F(ObjectDialogTest, RenamingRefusesBlanksKeepsLeadingBlanksAndShowsTheNewName)
{
    frame_->addObject("fan", core::IAtmoObject::TYPE_MODEL);
    selectObject("fan <model.aer/.atmo>");
    markSaved();
    menuItem("Object Properties")->trigger();
    auto* panel = openPanel<gui::ObjectPropertiesPanel>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(openDialog()->windowTitle(), "Object Properties");
    EXPECT_EQ(panel->nameField()->text(), "fan");

    typeInto(panel->nameField(), " \t ");
    click(panel, "Save");
    EXPECT_EQ(panel->errorLabel()->text(), "Name cannot be empty");
    EXPECT_FALSE(unsaved());

    typeInto(panel->nameField(), "  big fan");
    click(panel, "Save");
    EXPECT_EQ(frame_->selectedObject()->getName(), "  big fan");
    EXPECT_EQ(openDialog(), nullptr);
    EXPECT_EQ(objectList()->item(2)->text(), "  big fan <model.aer/.atmo>");
    EXPECT_TRUE(unsaved());
}

class PhysicalPropertiesTest : public ObjectDialogTest {
protected:
    void SetUp() override
    {
        ObjectDialogTest::SetUp();
        fan_ = std::dynamic_pointer_cast<core::ModelObj>(frame_->addObject("fan", core::IAtmoObject::TYPE_MODEL));
        selectObject("fan <model.aer/.atmo>");
        menuItem("Physical Properties")->trigger();
        panel_ = openPanel<gui::PropertiesPanel>();
        ASSERT_NE(panel_, nullptr);
        markSaved();
    }
    std::shared_ptr<core::ModelObj> fan_;
    gui::PropertiesPanel* panel_ = nullptr;
};

TEST_F(PhysicalPropertiesTest, ShowsTheModelsValuesAndWritesSlidersAndBoxesAtOnce)
{
    EXPECT_EQ(openDialog()->windowTitle(), "Physical Model Properties");
    EXPECT_EQ(panel_->frictionField()->text(), "0.5");
    EXPECT_EQ(panel_->inertiaField()->text(), "1.0");
    EXPECT_EQ(panel_->massField()->text(), "10.0");
    EXPECT_EQ(panel_->frictionSlider()->value(), 50);

    panel_->frictionSlider()->setFocus();
    QTest::keyClick(panel_->frictionSlider(), Qt::Key_Right);
    EXPECT_EQ(panel_->frictionField()->text(), "0.51");
    EXPECT_DOUBLE_EQ(fan_->pm.friction, 0.51);
    click(panel_, "enable physical model");
    EXPECT_TRUE(fan_->pm.active);
    EXPECT_TRUE(unsaved());
}

TEST_F(PhysicalPropertiesTest, RefusesANegativeInertiaAndKeepsTheDialogOpen)
{
    typeInto(panel_->inertiaField(), "-1");
    click(panel_, "Close Window");
    EXPECT_EQ(panel_->errorLabel()->text(), "Inertia should be a number >= 0.0");
    EXPECT_EQ(fan_->pm.inertia, 1.0);
    EXPECT_NE(openDialog(), nullptr);
    EXPECT_FALSE(unsaved());
}

TEST_F(PhysicalPropertiesTest, StoresTheValuesBeforeTheFirstRefusal)
{
    typeInto(panel_->inertiaField(), "0");
    typeInto(panel_->frictionField(), "abc");
    click(panel_, "Close Window");
    EXPECT_EQ(panel_->errorLabel()->text(), "Friction should be a number >= 0.0");
    EXPECT_EQ(fan_->pm.inertia, 0.0);
    EXPECT_EQ(fan_->pm.friction, 0.5);
    EXPECT_NE(openDialog(), nullptr);
}

TEST_F(PhysicalPropertiesTest, InitialMassMustBeAboveZero)
{
    typeInto(panel_->massField(), "0");
    EXPECT_FALSE(panel_->onClose());
    EXPECT_EQ(panel_->errorLabel()->text(), "Initial mass should be a number > 0.0");
    EXPECT_EQ(fan_->pm.initialmass, 10.0);
    typeInto(panel_->massField(), "0.001");
    click(panel_, "Close Window");
    EXPECT_EQ(fan_->pm.initialmass, 0.001);
    EXPECT_EQ(openDialog(), nullptr);
}

} // namespace
} // namespace scenewright::test

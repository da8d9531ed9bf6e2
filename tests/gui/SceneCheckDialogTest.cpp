#include "GuiTest.h"

#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/URLpopup.h"
#include "scenewright/gui/SceneCheckDialog.h"
#include "scenewright/gui/ScriptPanel.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace scenewright::test {
namespace {

using core::IAtmoObject;
using gui::SceneCheckDialog;

class SceneCheckDialogTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        frame_->newProject();
    }

    // The check dialog shown last; null when none is shown.
    SceneCheckDialog* shownCheck() const
    {
        SceneCheckDialog* shown = nullptr;
        for (auto* dialog : frame_->findChildren<SceneCheckDialog*>())
            if (dialog->isVisible())
                shown = dialog;
        return shown;
    }

    // Each entry as "object | problem".
    static QStringList entries(SceneCheckDialog* dialog)
    {
        QStringList texts;
        QTreeWidget* list = dialog->problemList();
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts << list->topLevelItem(row)->text(0) + " | " + list->topLevelItem(row)->text(1);
        return texts;
    }

    static QString summary(SceneCheckDialog* dialog) { return dialog->findChild<QLabel*>("summary")->text(); }

    // A scene with one problem of each kind: a trigger with no actions, an
    // active action nothing fires, an empty url, an action the object does
    // not allow, and two objects of one name.
    void buildFaultyScene()
    {
        core::SceneDocument& scene = document();
        auto door = frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
        scene.attachStandardInteractions(*door);
        const auto click = door->getAtmoTrigger(0);
        scene.setActive(*click, true);

        auto fan = frame_->addObject("fan.aer", IAtmoObject::TYPE_MODEL);
        scene.attachStandardInteractions(*fan);
        const auto popup = fan->getAtmoAction(typeid(core::action::URLpopup));
        scene.setActive(*popup, true);

        auto lid = frame_->addObject("lid", IAtmoObject::TYPE_PRIMITIVE);
        auto spin = std::make_shared<core::action::ConstantRotationAction>(ids, lid.get());
        spin->setName("Spin");
        lid->appendAtmoAction(spin);
        scene.attachStandardInteractions(*lid);
        scene.setActive(*spin, true);
        scene.setTriggerActions(*lid->getAtmoTrigger(0), {spin});
        scene.setActive(*lid->getAtmoTrigger(0), true);

        frame_->addObject("fan.aer", IAtmoObject::TYPE_MODEL);
    }

    QListWidget* objectList() const { return frame_->findChild<QListWidget*>("objectList"); }
};

TEST_F(SceneCheckDialogTest, ListsEachProblemBesideItsObject)
{
    buildFaultyScene();
    QAction* item = menuItem("Check Scene");
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    SceneCheckDialog* dialog = shownCheck();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Check Scene");
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(entries(dialog).join("\n").toStdString(),
              QStringList({"door <primitive> | The trigger \"On click trigger\" has no actions.",
                           "fan.aer <model.aer/.atmo> | The action \"Open URL up in new window\" is active, but no "
                           "active trigger fires it.",
                           "fan.aer <model.aer/.atmo> | The action \"Open URL up in new window\" has no url.",
                           "lid <primitive> | The action \"Spin\" is not allowed for an object of type primitive.",
                           "fan.aer <model.aer/.atmo> | The name clashes with fan.aer <model.aer/.atmo>: both stand "
                           "for the same thing in the world."})
                  .join("\n")
                  .toStdString());
    EXPECT_TRUE(summary(dialog).startsWith("5 problems found."));
    EXPECT_NE(button(dialog, "Close"), nullptr);
}

TEST_F(SceneCheckDialogTest, OneProblemIsCountedInTheSingular)
{
    auto door = frame_->addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    document().attachStandardInteractions(*door);
    document().setActive(*door->getAtmoTrigger(0), true);
    frame_->checkScene();
    SceneCheckDialog* dialog = shownCheck();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(summary(dialog), "1 problem found. Double-click it to select its object.");
}

TEST_F(SceneCheckDialogTest, DoubleClickingAProblemSelectsItsObject)
{
    buildFaultyScene();
    frame_->checkScene();
    SceneCheckDialog* dialog = shownCheck();
    ASSERT_NE(dialog, nullptr);
    QTreeWidget* list = dialog->problemList();
    emit list->itemDoubleClicked(list->topLevelItem(3), 0);
    EXPECT_EQ(objectList()->currentRow(), 4);
    EXPECT_EQ(frame_->selectedObject()->getName(), "lid");

    // An object removed since the check selects nothing.
    document().removeObject(2);
    objectList()->clearSelection();
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    EXPECT_TRUE(objectList()->selectedItems().isEmpty());
}

TEST_F(SceneCheckDialogTest, ASoundSceneSaysSoAndIsOnlyCheckedWithAProject)
{
    frame_->checkScene();
    SceneCheckDialog* dialog = shownCheck();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(summary(dialog), "No problems found.");
    EXPECT_FALSE(dialog->problemList()->isVisibleTo(dialog));
    dialog->close();

    frame_->closeProject();
    EXPECT_FALSE(menuItem("Check Scene")->isEnabled());
}

class SavingScriptTest : public SceneCheckDialogTest {
protected:
    gui::ScriptPanel* openView()
    {
        frame_->openScriptView();
        auto* panel = frame_->findChild<gui::ScriptPanel*>();
        panel->generateScript();
        return panel;
    }
};

TEST_F(SavingScriptTest, ProblemsAreShownBeforeSavingAndTheUserMaySaveAnyway)
{
    buildFaultyScene();
    gui::ScriptPanel* panel = openView();
    dialogs_.paths << path("castle.js");

    button(panel, "Save As..")->click();
    SceneCheckDialog* check = panel->findChild<SceneCheckDialog*>();
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->isVisible());
    EXPECT_EQ(entries(check).size(), 5);
    EXPECT_TRUE(summary(check).endsWith("The script can be saved all the same."));
    EXPECT_TRUE(dialogs_.fileRequests.empty());

    button(check, "Save Anyway")->click();
    ASSERT_EQ(dialogs_.fileRequests.size(), 1u);
    EXPECT_EQ(panel->currentFile(), path("castle.js"));
    EXPECT_EQ(contentOf(path("castle.js")), panel->scriptText());
}

TEST_F(SavingScriptTest, CancellingTheCheckSavesNothing)
{
    buildFaultyScene();
    gui::ScriptPanel* panel = openView();
    dialogs_.paths << path("castle.js");

    // "Save File" before any save goes the way of "Save As..".
    button(panel, "Save File")->click();
    SceneCheckDialog* check = panel->findChild<SceneCheckDialog*>();
    ASSERT_NE(check, nullptr);
    button(check, "Cancel")->click();
    EXPECT_TRUE(dialogs_.fileRequests.empty());
    EXPECT_TRUE(panel->currentFile().isEmpty());
    EXPECT_FALSE(QFile::exists(path("castle.js")));
}

TEST_F(SavingScriptTest, ASoundSceneSavesWithoutAQuestion)
{
    gui::ScriptPanel* panel = openView();
    dialogs_.paths << path("castle.js");
    button(panel, "Save As..")->click();
    EXPECT_EQ(panel->findChild<SceneCheckDialog*>(), nullptr);
    EXPECT_EQ(panel->currentFile(), path("castle.js"));
}

} // namespace
} // namespace scenewright::test

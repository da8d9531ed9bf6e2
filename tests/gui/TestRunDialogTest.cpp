#include "GuiTest.h"

#include "scenewright/gui/ScriptPanel.h"
#include "scenewright/gui/TestRunDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTextBlock>

#include <fstream>

namespace scenewright::test {
namespace {

// A localised script (for the door): a door that prints when clicked, a
// statue that tours anchors when the actor comes near (a tour a localised
// script cannot start), and fog with a control-panel toggle.
const char* castle = R"({ "format": "scenewright-project", "version": 1, "name": "castle", "localiseScript": true,
  "objects": [ { "type": "world", "name": "world", "fogEnabled": true, "fog": { "dropOff": 1, "colourr": 0.8,
      "colourg": 0.8, "colourb": 1.0, "near": 10.0, "far": 100.0, "addControlPanelButtonOffOn": true } },
    { "type": "actor", "name": "actor", "actions": [], "triggers": [] },
    { "type": "primitive", "name": "door", "solidObjectIndex": "0",
      "actions": [ { "class": "ChatPrintMessageAction", "active": true, "fields": { "message": "Locked" } } ],
      "triggers": [ { "class": "OnclickTrigger", "active": true, "actions": [ { "object": 2, "action": 0 } ] } ] },
    { "type": "model.aer/.atmo", "name": "statue.aer", "tobeloaded": true,
      "actions": [ { "class": "MovePositionAction", "active": true, "fields": { "usesAnchors": true,
                                                                               "anchors": [ "a1" ] } } ],
      "triggers": [ { "class": "ProximityTrigger", "active": true, "fields": { "distance": 5.0 },
                      "actions": [ { "object": 3, "action": 0 } ] } ] } ] })";

class TestRunDialogTest : public GuiTest {
protected:
    void openCastle()
    {
        const QString file = path("castle.scw");
        std::ofstream(file.toStdString()) << castle;
        dialogs_.paths << file;
        frame_->openProject();
        ASSERT_TRUE(frame_->document());
    }

    QStringList logLines(const gui::TestRunDialog& dialog) const
    {
        QStringList lines;
        for (int i = 0; i < dialog.logList()->count(); ++i)
            lines << dialog.logList()->item(i)->text();
        return lines;
    }
};

TEST_F(TestRunDialogTest, TheMenuItemFollowsTheProject)
{
    EXPECT_FALSE(menuItem("Test Run...")->isEnabled());
    openCastle();
    ASSERT_TRUE(menuItem("Test Run...")->isEnabled());
    menuItem("Test Run...")->trigger();
    auto dialogs = frame_->findChildren<gui::TestRunDialog*>();
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_TRUE(dialogs.front()->isVisible());
    EXPECT_EQ(dialogs.front()->windowTitle(), "Test Run");
    frame_->closeProject();
    EXPECT_FALSE(menuItem("Test Run...")->isEnabled());
}

TEST_F(TestRunDialogTest, ClicksStepsAndTogglesShowUpInTheLog)
{
    openCastle();
    gui::TestRunDialog dialog(frame_.get(), dialogs_, frame_->scriptSource());
    EXPECT_EQ(dialog.timeLabel()->text(), "t=0.00 s");
    EXPECT_EQ(logLines(dialog).first(), "warning: statue.aer <model.aer/.atmo>: The trigger \"Proximity trigger\" cannot "
                                        "reach statue.aer <model.aer/.atmo> in a localised script; use a global script.");
    EXPECT_TRUE(logLines(dialog).contains("t=0.00 fog.active= true"));
    EXPECT_EQ(dialog.clickButton("world") != nullptr, true);
    EXPECT_EQ(dialog.clickButton("actor"), nullptr) << "the actor is moved by the sliders, not clicked";

    dialog.stepButton()->click();
    EXPECT_EQ(dialog.timeLabel()->text(), "t=0.03 s");
    dialog.runButton()->click();
    EXPECT_EQ(dialog.timeLabel()->text(), "t=1.03 s");
    dialog.clickButton("door")->click();
    EXPECT_EQ(logLines(dialog).last(), "t=1.03 chat.print 'Locked'");

    QCheckBox* fog = dialog.toggleBox("Fog On/Off");
    ASSERT_TRUE(fog);
    EXPECT_TRUE(fog->isChecked());
    fog->click();
    EXPECT_EQ(logLines(dialog).last(), "t=1.03 fog.active= false");

    dialog.resetButton()->click();
    EXPECT_EQ(dialog.timeLabel()->text(), "t=0.00 s");
    EXPECT_FALSE(logLines(dialog).join("\n").contains("Locked"));
    EXPECT_TRUE(logLines(dialog).first().startsWith("warning: ")) << "the warnings stay at the top";
    EXPECT_TRUE(dialog.toggleBox("Fog On/Off")->isChecked());
}

TEST_F(TestRunDialogTest, SlidersMoveTheActorAndErrorsLeadToTheirScriptLine)
{
    openCastle();
    gui::TestRunDialog dialog(frame_.get(), dialogs_, frame_->scriptSource());
    QSlider* statue = dialog.distanceSlider("statue.aer");
    ASSERT_TRUE(statue);
    EXPECT_EQ(statue->value(), gui::TestRunDialog::kSliderReach);
    dialog.runButton()->click();
    statue->setValue(2);
    EXPECT_TRUE(logLines(dialog).contains("t=1.00 user.approach 'statue.aer', 2"));
    // The other objects' sliders follow the actor.
    EXPECT_EQ(dialog.distanceSlider("door")->value(), 40);
    dialog.stepButton()->click();

    QListWidgetItem* error = nullptr;
    for (int i = 0; i < dialog.logList()->count(); ++i)
        if (dialog.logList()->item(i)->text().contains(" error line "))
            error = dialog.logList()->item(i);
    ASSERT_TRUE(error) << logLines(dialog).join("\n").toStdString();
    const int line = dialog.world().log().back().line;
    ASSERT_GT(line, 0);
    emit dialog.logList()->itemDoubleClicked(error);
    auto panels = dialog.findChildren<gui::ScriptPanel*>();
    ASSERT_EQ(panels.size(), 1);
    QPlainTextEdit* area = panels.front()->scriptArea();
    EXPECT_EQ(area->textCursor().blockNumber(), line - 1);
    EXPECT_TRUE(area->textCursor().block().text().contains("beginanch"));
}

} // namespace
} // namespace scenewright::test

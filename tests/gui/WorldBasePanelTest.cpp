#include "WorldEditorsTest.h"

#include "FreshProgramTest.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/script/Sounds.h"
#include "scenewright/gui/FogPanel.h"
#include "scenewright/gui/GlarePanel.h"
#include "scenewright/gui/SoundPanel.h"
#include "scenewright/gui/WelcomeMessagePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

namespace scenewright::test {
namespace {

using core::World;
using core::script::Sounds;
using gui::SoundPanel;

class WorldBasePanelTest : public WorldEditorsTest {
protected:
    SoundPanel* sounds() const { return worldPanel()->soundPanel(); }

    // A button of the world panel itself; its editors, while not shown,
    // are its children too, and the sound editor has an "Add Sound" of its own.
    QAbstractButton* worldButton(const QString& text) const
    {
        for (QAbstractButton* candidate : worldPanel()->findChildren<QAbstractButton*>())
            if (candidate->text() == text && !sounds()->isAncestorOf(candidate))
                return candidate;
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }

    QStringList listedSounds() const
    {
        QStringList texts;
        for (int i = 0; i < worldPanel()->soundList()->count(); ++i)
            texts << worldPanel()->soundList()->itemText(i);
        return texts;
    }

    // Picks the entry as the user does.
    void pickSound(int index)
    {
        worldPanel()->soundList()->setCurrentIndex(index);
        emit worldPanel()->soundList()->activated(index);
    }

    // Fills the sound editor: file name, volume, repeats, near, far, x, y, z.
    void fillSound(const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            sounds()->field(static_cast<SoundPanel::Field>(i))->setText(texts[i]);
    }

    void addSound(const QStringList& texts, bool positioned, bool controlPanel)
    {
        worldButton("Add Sound")->click();
        fillSound(texts);
        sounds()->positionedBox()->setChecked(positioned);
        sounds()->controlPanelBox()->setChecked(controlPanel);
        button(sounds(), "Add Sound")->click();
    }

    QString soundError() const { return sounds()->errorLabel()->text(); }
};

TEST_F(WorldBasePanelTest, SelectingTheWorldShowsItsSwitchesAsTheFirstRowUnderItsName)
{
    ASSERT_NE(worldPanel(), nullptr);
    EXPECT_EQ(frame_->middleAreaRowCount(), 2);
    EXPECT_EQ(worldPanel()->fogBox()->text(), "Fog");
    EXPECT_EQ(worldPanel()->glareBox()->text(), "Glare");
    EXPECT_EQ(worldPanel()->welcomeBox()->text(), "Welcome message");
    EXPECT_FALSE(worldPanel()->fogBox()->isChecked());
    EXPECT_EQ(worldPanel()->soundList()->count(), 0);
    EXPECT_NE(worldButton("Remove Sound"), nullptr);

    document().setGlareEnabled(world(), true);
    document().setWelcomeEnabled(world(), true);
    gui::WorldBasePanel* first = worldPanel();
    selectWorld();
    EXPECT_EQ(worldPanel(), first);
    EXPECT_EQ(frame_->middleAreaRowCount(), 2);
    EXPECT_FALSE(worldPanel()->fogBox()->isChecked());
    EXPECT_TRUE(worldPanel()->glareBox()->isChecked());
    EXPECT_TRUE(worldPanel()->welcomeBox()->isChecked());
}

TEST_F(WorldBasePanelTest, ASwitchSetsTheWorldAndOpensItsEditorUnlessAlreadyOpen)
{
    worldPanel()->fogBox()->click();
    EXPECT_TRUE(world().getFogEnabled());
    EXPECT_EQ(frame_->getFarPanelAttachment(), worldPanel()->fogPanel());
    EXPECT_EQ(statusText(), "  " + QString::fromStdString(world().updateStatus()));
    EXPECT_TRUE(statusText().contains("Fog Enabled"));
    EXPECT_FALSE(projectSaved());

    // Unticking with the editor open changes the switch, not the status.
    worldPanel()->fogBox()->click();
    EXPECT_FALSE(world().getFogEnabled());
    EXPECT_TRUE(statusText().contains("Fog Enabled"));

    // Unticking opens the editor too.
    worldPanel()->glareBox()->click();
    worldPanel()->glareBox()->click();
    EXPECT_FALSE(world().getGlareEnabled());
    EXPECT_EQ(frame_->getFarPanelAttachment(), worldPanel()->glarePanel());

    worldPanel()->welcomeBox()->click();
    EXPECT_TRUE(world().getWelcomeEnabled());
    EXPECT_EQ(frame_->getFarPanelAttachment(), worldPanel()->welcomePanel());
    EXPECT_TRUE(statusText().contains("Welcome Message Enabled"));
}

TEST_F(WorldBasePanelTest, AfterNewOrOpenThePanelWorksOnTheNewWorld)
{
    addSound({"old.wav", "0.5", "0", "1", "50", "0", "0", "0"}, false, false);
    const auto oldWorld = document().world();

    frame_->newProject();
    selectWorld();
    ASSERT_NE(&world(), oldWorld.get());
    EXPECT_EQ(worldPanel()->world().get(), &world());
    EXPECT_TRUE(listedSounds().isEmpty());

    // It shows as the first row again, not below the row it had before.
    auto* middle = static_cast<QGridLayout*>(frame_->findChild<QWidget*>("middleArea")->layout());
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    middle->getItemPosition(middle->indexOf(worldPanel()), &row, &column, &rowSpan, &columnSpan);
    EXPECT_EQ(row, 1);

    worldPanel()->fogBox()->click();
    EXPECT_TRUE(world().getFogEnabled());
    EXPECT_FALSE(oldWorld->getFogEnabled());
    worldButton("Remove Sound")->click();
    EXPECT_EQ(oldWorld->getSoundSize(), 1);
    EXPECT_EQ(world().getSoundSize(), 0);
}

TEST_F(WorldBasePanelTest, WelcomeMessageLoadsAndSavesTheWorldsText)
{
    document().setWelcomeMessage(world(), "Hello");
    worldPanel()->welcomeBox()->click();
    gui::WelcomeMessagePanel* panel = worldPanel()->welcomePanel();
    EXPECT_EQ(panel->messageArea()->toPlainText(), "Hello");
    QStringList labels;
    for (QLabel* label : panel->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Welcome Message"));
    EXPECT_TRUE(labels.contains("This is the first message users who enter your Atmosphere world will see. "
                                "Message appears in the chat window."));

    panel->messageArea()->setPlainText("Welcome to Bob's place\nEnjoy");
    button(panel, "Save and Close")->click();
    EXPECT_EQ(world().getWelcomeMessage(), "Welcome to Bob's place\nEnjoy");
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);
}

TEST_F(WorldBasePanelTest, AddingSavingPickingAndRemovingSounds)
{
    worldButton("Add Sound")->click();
    EXPECT_EQ(frame_->getFarPanelAttachment(), sounds());
    EXPECT_EQ(sounds()->field(SoundPanel::FIELD_VOLUME)->text(), "0.5");
    EXPECT_EQ(sounds()->field(SoundPanel::FIELD_REPEATS)->text(), "0");
    EXPECT_EQ(sounds()->field(SoundPanel::FIELD_FAR)->text(), "50.0");
    EXPECT_EQ(world().getSoundSize(), 0);
    button(sounds(), "Cancel")->click();
    EXPECT_EQ(world().getSoundSize(), 0);
    EXPECT_EQ(frame_->getFarPanelAttachment(), nullptr);

    addSound({"rain.wav", "0.25", "0", "1", "50", "0", "0", "0"}, false, false);
    addSound({"bird.mp3", "1", "2", "5", "40", "1.5", "2", "-3"}, true, true);
    EXPECT_EQ(listedSounds(), QStringList({"snd0", "snd1"}));
    EXPECT_EQ(worldPanel()->soundList()->currentIndex(), 0);
    EXPECT_TRUE(statusText().contains("Enabled Sounds [snd0 - snd1]"));
    const Sounds& bird = *world().getSound(1);
    EXPECT_EQ(bird.filename, "bird.mp3");
    EXPECT_EQ(bird.volume, 1.0);
    EXPECT_EQ(bird.repeats, 2);
    EXPECT_EQ(bird.z, -3.0);
    EXPECT_TRUE(bird.enablePositions);
    EXPECT_TRUE(bird.addControlPanelButtons);

    // A picked sound loads into the editor; saving it again keeps one entry.
    pickSound(1);
    EXPECT_EQ(sounds()->sound(), world().getSound(1));
    EXPECT_EQ(sounds()->field(SoundPanel::FIELD_FILENAME)->text(), "bird.mp3");
    EXPECT_EQ(sounds()->field(SoundPanel::FIELD_VOLUME)->text(), "1.0");
    EXPECT_EQ(sounds()->field(SoundPanel::FIELD_X)->text(), "1.5");
    EXPECT_TRUE(sounds()->positionedBox()->isChecked());
    // While an editor has been opened, removing does nothing.
    worldButton("Remove Sound")->click();
    EXPECT_EQ(world().getSoundSize(), 2);
    sounds()->field(SoundPanel::FIELD_FILENAME)->setText("birds.mp3");
    button(sounds(), "Add Sound")->click();
    EXPECT_EQ(listedSounds(), QStringList({"snd0", "snd1"}));
    EXPECT_EQ(world().getSound(1)->filename, "birds.mp3");

    // After the refill it removes the selected entry, the first one.
    worldButton("Remove Sound")->click();
    EXPECT_EQ(listedSounds(), QStringList({"snd1"}));
    worldButton("Remove Sound")->click();
    EXPECT_TRUE(listedSounds().isEmpty());
    worldButton("Remove Sound")->click();
    EXPECT_EQ(world().getSoundSize(), 0);
    EXPECT_FALSE(projectSaved());
}

TEST_F(WorldBasePanelTest, TheSoundEditorRefusesAFieldWithItsMessage)
{
    worldButton("Add Sound")->click();
    const QStringList good = {"rain.wav", "0.5", "1", "1", "50", "0", "0", "0"};
    const std::vector<std::pair<int, std::pair<QString, QString>>> refusals = {
        {0, {"  ", "File name cannot be emtpy. Please enter a value "}},
        {1, {"", "Volume cannot be emtpy. Please enter a value "}},
        {1, {"abc", "Volume must be between 0.0 and 1.0"}},
        {1, {"5", "Volume must be between 0.0 and 1.0"}},
        {1, {"-0.5", "Volume must be between 0.0 and 1.0"}},
        {2, {"2.5", "'Repeats' must be a whole number"}},
        {3, {"\t", "Near cannot be emtpy. Please enter a value "}},
        {3, {"x", "'Near' must be a number"}},
        {4, {"far", "'Far' must be a number"}},
        {5, {"", "X Pos cannot be emtpy. Please enter a value "}},
        {5, {"1,5", "'X Pos' must be a number"}},
        {6, {"y", "'Y Pos' must be a number"}},
        {7, {"z", "'Z Pos' must be a number"}},
    };
    for (const auto& [field, refusal] : refusals) {
        fillSound(good);
        sounds()->field(static_cast<SoundPanel::Field>(field))->setText(refusal.first);
        button(sounds(), "Add Sound")->click();
        EXPECT_EQ(soundError(), refusal.second) << field << " " << refusal.first.toStdString();
        EXPECT_EQ(frame_->getFarPanelAttachment(), sounds());
    }
    EXPECT_EQ(world().getSoundSize(), 0);

    // The fields before the refused one are kept in the sound.
    fillSound({"rain.wav", "0.75", "2.5"});
    button(sounds(), "Add Sound")->click();
    EXPECT_EQ(sounds()->sound()->volume, 0.75);
    // A refused volume is not stored.
    fillSound({"rain.wav", "5"});
    button(sounds(), "Add Sound")->click();
    EXPECT_EQ(sounds()->sound()->volume, 0.75);
    EXPECT_EQ(sounds()->sound()->filename, "");

    EXPECT_EQ(SoundPanel::checkTextfield("Volume", nullptr), "Volume cannot be emtpy. Please enter a value ");
    fillSound(good);
    button(sounds(), "Add Sound")->click();
    EXPECT_EQ(soundError(), " ");
    EXPECT_EQ(world().getSoundSize(), 1);
}

TEST_F(WorldBasePanelTest, TheVolumeSliderWritesTheVolumeField)
{
    worldButton("Add Sound")->click();
    QSlider* slider = sounds()->volumeSlider();
    EXPECT_EQ(slider->maximum(), 100);
    EXPECT_EQ(slider->size(), QSize(100, 24));
    const std::vector<std::pair<int, QString>> steps = {{75, "0.75"}, {100, "1.0"}, {0, "0.0"}, {50, "0.5"}};
    for (const auto& [value, text] : steps) {
        slider->setValue(value);
        EXPECT_EQ(sounds()->field(SoundPanel::FIELD_VOLUME)->text(), text);
    }
}

TEST_F(WorldBasePanelTest, AWorldSetUpInTheEditorsGeneratesItsScriptAndSurvivesSaveAndOpen)
{
    worldPanel()->fogBox()->click();
    auto* fog = worldPanel()->fogPanel();
    fog->numberField(gui::FogPanel::ROW_NEAR)->setText("20");
    fog->controlPanelBox()->setChecked(true);
    button(fog, "Ok")->click();
    worldPanel()->glareBox()->click();
    auto* glare = worldPanel()->glarePanel();
    glare->slider(gui::GlarePanel::ROW_BRIGHTNESS)->setValue(150);
    button(glare, "Ok")->click();
    worldPanel()->welcomeBox()->click();
    worldPanel()->welcomePanel()->messageArea()->setPlainText("Hi, it's Bob\nHave fun");
    button(worldPanel()->welcomePanel(), "Save and Close")->click();
    addSound({"rain.wav", "0.25", "0", "2", "60", "0", "0", "0"}, false, true);
    addSound({"sounds/bird.mp3", "0.75", "3", "5", "40", "1.5", "2", "-3"}, true, false);

    const std::string script = generatedScript();
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics << script;
    for (const char* line : {"chat.print('Hi, it`s Bob');", "chat.print('Have fun');", "fog.near = 20.0;",
                             "btnfog = Toggle(\"Fog On/Off\").add();", "glareEffect.brightness = 1.5;",
                             "snd0 = Sound('rain.wav');", "btnsnd0 = Toggle(\"Sound 0 On/Off\").add();",
                             "snd1 = Sound('sounds/bird.mp3');", "snd1.position = Vector(1.5,2.0,-3.0);"})
        EXPECT_NE(script.find(line), std::string::npos) << line;

    dialogs_.paths << path("castle");
    frame_->saveProjectAs();
    frame_->newProject();
    dialogs_.paths << path("castle.scw");
    frame_->openProject();
    ASSERT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
    EXPECT_EQ(generatedScript(), script);
    EXPECT_TRUE(world().getFog().addControlPanelButtonOffOn);
    EXPECT_EQ(world().getGlare().brightness, 1.5);
    EXPECT_EQ(world().getWelcomeMessage(), "Hi, it's Bob\nHave fun");
    ASSERT_EQ(world().getSoundSize(), 2);
    EXPECT_EQ(world().getSound(1)->repeats, 3);

    // The reopened world shows in its editors, and new sounds go on from
    // the ids it had.
    selectWorld();
    EXPECT_TRUE(worldPanel()->fogBox()->isChecked());
    EXPECT_EQ(listedSounds(), QStringList({"snd0", "snd1"}));
    addSound({"wind.wav", "0.5", "0", "1", "50", "0", "0", "0"}, false, false);
    EXPECT_EQ(listedSounds(), QStringList({"snd0", "snd1", "snd2"}));
}

} // namespace
} // namespace scenewright::test

#include "FreshProgramTest.h"

#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/World.h"
#include "scenewright/core/script/Sounds.h"

#include <memory>
#include <optional>
#include <string>

namespace scenewright::test {
namespace {

using core::World;
using core::script::Sounds;

const std::string kDefaultFog = "fog.active = true;\n"
                                "fog.color = [0.8,0.8,1.0];\n"
                                "fog.near = 10.0;\n"
                                "fog.far = 100.0;\n";
const std::string kDefaultGlare = "glareEffect.active = true;\n"
                                  "glareEffect.color = [0.5,0.7,1.0];\n"
                                  "glareEffect.brightness = 1.0;\n"
                                  "glareEffect.radius = 16.0;\n"
                                  "glareEffect.nonlinearity = 0.5;\n";
const std::string kDefaultSound0Settings = "snd0 = Sound('');\n"
                                           "snd0.active=true;\n"
                                           "snd0.volume = 0.5;\n"
                                           "snd0.repeats= 0;\n"
                                           "snd0.near = 1.0;\n"
                                           "snd0.far = 50.0;\n";
const std::string kDefaultSound0 = kDefaultSound0Settings + "snd0.play();\n";

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n') + 1);
}

std::string welcomeScript(const std::optional<std::string>& message, bool enabled = true)
{
    World world;
    world.setWelcomeMessage(message);
    world.setWelcomeEnabled(enabled);
    return world.doScript();
}

using WorldTest = FreshProgramTest;

TEST_F(WorldTest, NewWorldWritesNothingAndShowsOnlyItsName)
{
    World world;
    EXPECT_FALSE(world.getWelcomeMessage());
    EXPECT_EQ(world.doScript(), "");
    EXPECT_EQ(world.updateStatus(), "world\t========  ");
}

TEST_F(WorldTest, FogDropOffNeverReachesTheScript)
{
    World world;
    for (int dropOff : {0, 2, -5}) {
        world.getFog().dropOff = dropOff;
        EXPECT_EQ(world.getFog().doScript(), kDefaultFog);
    }
}

TEST_F(WorldTest, FogAndGlareValuesUseTheScriptNumberForms)
{
    World world;
    World::Fog& fog = world.getFog();
    fog.colourr = 0.0;
    fog.colourg = 1.0;
    fog.colourb = 0.125;
    fog.near = 1.0e-4;
    fog.far = 2.0e7;
    EXPECT_EQ(fog.doScript(), "fog.active = true;\nfog.color = [0.0,1.0,0.125];\nfog.near = 1.0E-4;\nfog.far = 2.0E7;\n");
    World::Glare& glare = world.getGlare();
    glare.brightness = 2.0;
    glare.radius = 0.5;
    glare.nonlinear = 0.0;
    EXPECT_EQ(glare.doScript(), "glareEffect.active = true;\nglareEffect.color = [0.5,0.7,1.0];\n"
                                "glareEffect.brightness = 2.0;\nglareEffect.radius = 0.5;\n"
                                "glareEffect.nonlinearity = 0.0;\n");
}

TEST_F(WorldTest, ControlPanelButtonsAddThreeStatementsEndingInTheClosingBrace)
{
    World world;
    world.setFogEnabled(true);
    world.setGlareEnabled(true);
    world.getFog().addControlPanelButtonOffOn = true;
    world.getGlare().addControlPanelButtonOffOn = true;
    const std::string script = world.doScript();
    EXPECT_EQ(script, kDefaultFog
                          + "btnfog = Toggle(\"Fog On/Off\").add();\n"
                            "btnfog.state = true;\n"
                            "btnfog.onClick = function(state) { \n"
                            "fog.active = state;\n"
                            "}\n\n"
                          + kDefaultGlare
                          + "btnglareEffect = Toggle(\"Glare On/Off\").add();\n"
                            "btnglareEffect.state = true;\n"
                            "btnglareEffect.onClick = function(state) { \n"
                            "glareEffect.active = state;\n"
                            "}\n\n");
    EXPECT_TRUE(nodeAccepts(script));
}

TEST_F(WorldTest, WelcomeMessageBecomesOneChatPrintPerLineWithGraveAccents)
{
    EXPECT_EQ(welcomeScript("it's 'ok'"), "chat.print('it`s `ok`');\n");
    EXPECT_EQ(welcomeScript("one\ntwo\r\nthree\rfour\n"),
              "chat.print('one');\nchat.print('two');\nchat.print('three');\nchat.print('four');\n");
    EXPECT_EQ(welcomeScript("a\n\nb\r\n"), "chat.print('a');\nchat.print('');\nchat.print('b');\n");
    EXPECT_EQ(welcomeScript("\n"), "chat.print('');\n");
    EXPECT_EQ(welcomeScript(""), "");
}

TEST_F(WorldTest, WelcomeMessageNeedsBothTheFlagAndAText)
{
    EXPECT_EQ(welcomeScript(std::nullopt), "");
    EXPECT_EQ(welcomeScript("hello", false), "");
}

TEST_F(WorldTest, WelcomeLinesAreEscapedInTheScriptOnly)
{
    const std::string message = "it's a\\b\u2028c\u2029d";
    World world;
    world.setWelcomeEnabled(true);
    world.setWelcomeMessage(message);
    const std::string script = world.doScript();
    EXPECT_EQ(script, "chat.print('it`s a\\\\b\\u2028c\\u2029d');\n");
    EXPECT_EQ(world.getWelcomeMessage(), message);
    EXPECT_TRUE(nodeAccepts(script));
}

TEST_F(WorldTest, WorldScriptWritesWelcomeFogGlareAndSoundsInOrder)
{
    World world;
    world.setWelcomeEnabled(true);
    world.setWelcomeMessage(std::string("hi"));
    world.setGlareEnabled(true);
    world.setFogEnabled(true);
    world.addSound(std::make_shared<Sounds>());
    auto second = std::make_shared<Sounds>();
    second->filename = "b.wav";
    world.addSound(second);
    const std::string script = world.doScript();
    EXPECT_EQ(script, "chat.print('hi');\n" + kDefaultFog + "\n\n" + kDefaultGlare + "\n\n" + kDefaultSound0 + "\n\n"
                          + second->doScript() + "\n\n");
    EXPECT_TRUE(nodeAccepts(script));
}

TEST_F(WorldTest, SoundIdsAreNeverReused)
{
    World world;
    auto first = std::make_shared<Sounds>();
    auto second = std::make_shared<Sounds>();
    world.addSound(first);
    world.addSound(second);
    world.addSound(first);
    ASSERT_EQ(world.getSoundSize(), 2);
    EXPECT_EQ(first->id, 0);
    EXPECT_EQ(second->id, 1);

    world.removeSound(0);
    auto third = std::make_shared<Sounds>();
    world.addSound(third);
    ASSERT_EQ(world.getSoundSize(), 2);
    EXPECT_EQ(world.getSound(0), second);
    EXPECT_EQ(second->id, 1);
    EXPECT_EQ(third->id, 2);
    EXPECT_EQ(world.soundId(), 3);

    // After the last number no sound is added, and none shares a number.
    world.setSoundId(2147483646);
    world.addSound(std::make_shared<Sounds>());
    EXPECT_EQ(world.getSound(2)->id, 2147483646);
    EXPECT_THROW(world.addSound(std::make_shared<Sounds>()), core::IdsExhausted);
    EXPECT_EQ(world.getSoundSize(), 3);
}

TEST_F(WorldTest, StatusNamesTheEnabledEffectsAndTheSounds)
{
    World world;
    world.setFogEnabled(true);
    world.setGlareEnabled(true);
    world.setWelcomeEnabled(true);
    EXPECT_EQ(world.updateStatus(), "world\t========  Fog Enabled - Glare Enabled - Welcome Message Enabled");
    world.setGlareEnabled(false);
    for (int i = 0; i < 3; ++i)
        world.addSound(std::make_shared<Sounds>());
    world.removeSound(0);
    EXPECT_EQ(world.updateStatus(), "world\t========  Fog Enabled - Welcome Message Enabled\n"
                                    "\t========  Enabled Sounds [snd1 - snd2]");
}

TEST_F(WorldTest, SoundWritesItsDefaults)
{
    World world;
    auto sound = std::make_shared<Sounds>();
    EXPECT_EQ(sound->toString(), "snd-1");
    EXPECT_EQ(firstLine(sound->doScript()), "snd-1 = Sound('');\n");
    world.addSound(sound);
    EXPECT_EQ(sound->toString(), "snd0");
    EXPECT_EQ(sound->doScript(), kDefaultSound0);
}

TEST_F(WorldTest, SoundWritesPositionOnlyWhenEnabled)
{
    Sounds sound;
    sound.id = 4;
    sound.x = 1.0;
    sound.y = 2.5;
    sound.z = -3.0;
    sound.volume = 0.25;
    sound.repeats = 7;
    sound.filename = "a.wav";
    const std::string ambient = "snd4 = Sound('a.wav');\nsnd4.active=true;\nsnd4.volume = 0.25;\nsnd4.repeats= 7;\n"
                                "snd4.near = 1.0;\nsnd4.far = 50.0;\n";
    EXPECT_EQ(sound.doScript(), ambient + "snd4.play();\n");
    sound.enablePositions = true;
    EXPECT_EQ(sound.doScript(), ambient + "snd4.position = Vector(1.0,2.5,-3.0);\nsnd4.play();\n");
}

TEST_F(WorldTest, SoundButtonHandlerEndsItsStatementBeforeThePlayCall)
{
    World world;
    auto sound = std::make_shared<Sounds>();
    sound->addControlPanelButtons = true;
    world.addSound(sound);
    const std::string expected = kDefaultSound0Settings
                                 + "btnsnd0 = Toggle(\"Sound 0 On/Off\").add();\n"
                                   "btnsnd0.state = true;\n"
                                   "btnsnd0.onClick = function(state) { \n"
                                   "if(state && !snd0.active) {snd0.play();}\n"
                                   "else snd0.stop();\n"
                                   "};\n"
                                   "snd0.play();\n";
    EXPECT_EQ(sound->doScript(), expected);
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(world.doScript(), &diagnostics)) << diagnostics;
}

TEST_F(WorldTest, SoundFileNamesAreEscaped)
{
    Sounds sound;
    sound.id = 0;
    sound.filename = "C:\\sounds\\it's\n.wav";
    EXPECT_EQ(firstLine(sound.doScript()), "snd0 = Sound('C:\\\\sounds\\\\it\\'s\\n.wav');\n");
    EXPECT_TRUE(nodeAccepts(sound.doScript()));
    sound.filename = std::nullopt;
    EXPECT_EQ(firstLine(sound.doScript()), "snd0 = Sound('null');\n");
}

} // namespace
} // namespace scenewright::test

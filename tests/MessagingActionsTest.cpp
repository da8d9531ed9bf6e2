#include "FreshProgramTest.h"
#include "TestScene.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/EmitSoundAction.h"
#include "scenewright/core/action/GotoNewWorldAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/URLpopup.h"
#include "scenewright/core/action/ViewpointObjectAction.h"

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;

using MessagingActionsTest = FreshProgramTest;

// Text with every character that could end a literal or a comment.
const std::string hostile = "it's \\ \"odd\"\nline\r\xE2\x80\xA8\xE2\x80\xA9 // end";

TEST_F(MessagingActionsTest, ChatMessageShowsApostrophesAsGraveAccentsButKeepsWhatWasTyped)
{
    ChatPrintMessageAction action;
    EXPECT_EQ(action.doTriggerScript(sceneContext()), "");
    action.message = std::string("It's here");
    EXPECT_EQ(action.doTriggerScript(sceneContext()), "chat.print('It`s here');\n");
    EXPECT_EQ(action.message, std::optional<std::string>("It's here"));
    action.message = std::string("a\\b\nc\xE2\x80\xA8");
    EXPECT_EQ(action.doTriggerScript(sceneContext()), "chat.print('a\\\\b\\nc\\u2028');\n");
    EXPECT_EQ(action.doScript(sceneContext()), "");
    EXPECT_EQ(action.exitTriggerScript(sceneContext()), "");
}

TEST_F(MessagingActionsTest, UrlPopupOpensTheWindowThroughTheBrowser)
{
    URLpopup action;
    action.url = std::string("page.html");
    EXPECT_EQ(action.doTriggerScript(sceneContext()),
              "sendJS(\"window.open('page.html','newinst','menubar=no,toolbar=no,location=no,status=no,"
              "scrollbars=no,resizable=yes,width=600,height=400')\");\n");
    action.menubar = action.toolbar = action.location = action.status = action.scrollbars = true;
    action.resizable = false;
    action.width = 320;
    action.height = 200;
    action.url.reset();
    EXPECT_EQ(action.doTriggerScript(sceneContext()),
              "sendJS(\"window.open('null','newinst','menubar=yes,toolbar=yes,location=yes,status=yes,"
              "scrollbars=yes,resizable=no,width=320,height=200')\");\n");
    // Escaped for the inner literal, then for the outer one.
    action.url = std::string("a'b\\c\"d\ne");
    EXPECT_NE(action.doTriggerScript(sceneContext()).find("window.open('a\\\\'b\\\\\\\\c\\\"d\\\\ne','newinst'"),
              std::string::npos);
}

TEST_F(MessagingActionsTest, HostileTextsArriveUnchangedWhereTheScriptUsesThem)
{
    startProject(false);
    auto door = addObject<PrimitiveObj>("door", 12);
    URLpopup popup(door.get());
    popup.url = hostile;
    ChatPrintMessageAction chat(door.get());
    chat.message = hostile;
    GotoNewWorldAction go(door.get());
    go.aerURLLocation = hostile;
    go.distance = 1e9;

    // Stand-ins for the platform that write what the script hands them.
    const std::string platform = "var primitiveobj12 = { worldSpacePosition: 0 };\n"
                                 "var actor = { dist: function(p) { return 0; } };\n"
                                 "var chat = { print: function(t) { process.stdout.write('print:' + t + '|'); },\n"
                                 "             input: function(t) { process.stdout.write('input:' + t + '|'); } };\n"
                                 "var window = { open: function(u, n, f) { process.stdout.write('open:' + u + '|'); } };\n"
                                 "function sendJS(code) { eval(code); }\n";
    const auto output = nodeOutput(platform + popup.doTriggerScript(sceneContext())
                                   + chat.doTriggerScript(sceneContext()) + go.doTriggerScript(sceneContext()));
    ASSERT_TRUE(output.has_value());
    std::string shown = hostile;
    std::replace(shown.begin(), shown.end(), '\'', '`');
    EXPECT_EQ(*output, "open:" + hostile + "|print:" + shown + "|input:/goto " + hostile + "|");
}

TEST_F(MessagingActionsTest, SoundIsDeclaredWithItsButtonAndPlayedAtTheOwner)
{
    startProject(false);
    auto door = addObject<PrimitiveObj>("door", 12);
    EmitSoundAction action(ids, door.get());
    action.setNumbers({3});
    action.controlPanelBtns = true;

    EXPECT_EQ(action.doScript(sceneContext()),
              lines({"// Loads the sound object...", "esnd3 = Sound('');", "esnd3.active=false;", "esnd3.volume = 0.5;",
                     "esnd3.repeats= 0;", "esnd3.near = 1.0;", "esnd3.far = 50.0;",
                     "btnesnd3 = Toggle(\"Sound 3 On/Off\").add();", "btnesnd3.state = true;",
                     "btnesnd3.onClick = function(state) { ", "if(state && !esnd3.active) {", "esnd3.play();",
                     "} else {", "esnd3.stop();", "}", "}"}));
    EXPECT_EQ(action.doTriggerScript(sceneContext()),
              lines({"// Play the sound file ",
                     "esnd3.position = Vector(primitiveobj12.position.x,primitiveobj12.position.y,"
                     "primitiveobj12.position.z);",
                     "if(!esnd3.active) {", "  esnd3.active=true;", "  esnd3.play();", "}"}));
    EXPECT_EQ(action.exitTriggerScript(sceneContext()), "");
    EXPECT_EQ(action.getOnLoadScript(sceneContext()), "");
    EXPECT_EQ(action.toString(), "esnd3");
    EXPECT_EQ(action.getName(), std::optional<std::string>("Emit sound from your object"));
}

TEST_F(MessagingActionsTest, LocalisedSoundHangsOnItsOwner)
{
    startProject(true);
    auto view = addObject<ViewpointObj>("view", 4);
    EmitSoundAction action(ids, view.get());
    action.setNumbers({3});
    action.filename = std::string("o'clock.wav");
    action.repeats = 2;
    action.controlPanelBtns = true;

    EXPECT_EQ(
        action.doScript(sceneContext()),
        lines({"// Loads the sound object...", "this.esnd3 = Sound('o\\'clock.wav');", "this.esnd3.active=false;",
               "this.esnd3.volume = 0.5;", "this.esnd3.repeats= 2;", "this.esnd3.near = 1.0;", "this.esnd3.far = 50.0;",
               "this.btnesnd3 = Toggle(\"Sound 3 On/Off\").add();", "this.btnesnd3.localisedparent = this;",
               "this.btnesnd3.state = true;", "this.btnesnd3.onClick = function(state) { ",
               "if(state && !this.localisedparent.esnd3.active) {", "this.localisedparent.esnd3.play();", "} else {",
               "this.localisedparent.esnd3.stop();", "}", "}"}));
    EXPECT_EQ(action.doTriggerScript(sceneContext()),
              lines({"// Play the sound file ",
                     "this.localisedparent.esnd3.position = Vector(this.localisedparent.position.x,"
                     "this.localisedparent.position.y,this.localisedparent.position.z);",
                     "if(!this.localisedparent.esnd3.active) {", "  this.localisedparent.esnd3.active=true;",
                     "  this.localisedparent.esnd3.play();", "}"}));
}

TEST_F(MessagingActionsTest, PrototypeSoundHasNoNameAndPrintsAsItsVariable)
{
    EmitSoundAction prototype(ids);
    EXPECT_EQ(prototype.getName(), std::nullopt);
    EXPECT_EQ(prototype.toString(), "esnd0");
    EXPECT_EQ(prototype.getDescription()->substr(0, 32), "Have sound emit from an object. ");
}

TEST_F(MessagingActionsTest, GotoWorldWhenTheAvatarIsNear)
{
    startProject(false);
    auto door = addObject<PrimitiveObj>("door", 12);
    GotoNewWorldAction action(door.get());
    EXPECT_EQ(action.doTriggerScript(sceneContext()),
              lines({"if(actor.dist(primitiveobj12.worldSpacePosition) < 5.0) {", "chat.input('/goto null');", "}"}));
    action.aerURLLocation = std::string("http://x/o'w.aer");
    EXPECT_NE(action.doTriggerScript(sceneContext()).find("chat.input('/goto http://x/o\\'w.aer');\n"),
              std::string::npos);
    EXPECT_EQ(action.doScript(sceneContext()), "");
    EXPECT_EQ(action.exitTriggerScript(sceneContext()), "");
}

TEST_F(MessagingActionsTest, ViewpointAnimationsAreBoundOnLoadAndPlayedOnTriggerAndExit)
{
    startProject(false);
    auto view = addObject<ViewpointObj>("view", 4);
    ViewpointObjectAction action(ids, view.get());
    EXPECT_EQ(action.getOnLoadScript(sceneContext()), "\t// Setting the Viewpoint Object animations for view\n"
                                                      "// Done setting Viewpoint Object animations\n");
    EXPECT_EQ(action.doTriggerScript(sceneContext()), "viewptobj4.trig.trigger();\n");
    EXPECT_EQ(action.exitTriggerScript(sceneContext()), "viewptobj4.etrig.trigger();\n");
    EXPECT_EQ(action.doScript(sceneContext()), "");

    action.triggerTimeElem = std::string("open");
    action.setTrigSpeed = 2.5;
    action.setTrigPlayOnce = false;
    action.exitTriggerTimeElem = std::string("shut's");
    EXPECT_EQ(action.getOnLoadScript(sceneContext()),
              lines({"\t// Setting the Viewpoint Object animations for view",
                     "viewptobj4.trig = viewptobj4.scene.getTimeElem('open');",
                     "if(viewptobj4.trig == undefined) { chat.print('No timeelem trigger exists with the name "
                     "\\'open\\'');",
                     "}", "viewptobj4.trig.setSpeed(2.5);", "viewptobj4.trig.setPlayOnce(false);",
                     "viewptobj4.etrig = viewptobj4.scene.getTimeElem('shut\\'s');",
                     "if(viewptobj4.etrig == undefined) { chat.print('No timeelem trigger exists with the name "
                     "\\'shut\\'s\\'');",
                     "}", "viewptobj4.etrig.setSpeed(1.0);", "viewptobj4.etrig.setPlayOnce(true);",
                     "// Done setting Viewpoint Object animations"}));

    action.triggerTimeElem = std::string();
    action.exitTriggerTimeElem.reset();
    view->setName("two\nlines");
    EXPECT_EQ(action.getOnLoadScript(sceneContext()), "\t// Setting the Viewpoint Object animations for two lines\n"
                                                      "// Done setting Viewpoint Object animations\n");
}

TEST_F(MessagingActionsTest, LocalisedViewpointIsReachedThroughTheInnerNameWhenTriggered)
{
    startProject(true);
    auto view = addObject<ViewpointObj>("view", 4);
    ViewpointObjectAction action(ids, view.get());
    action.triggerTimeElem = std::string("open");
    // The on-load code runs with "this" bound to the viewpoint itself.
    EXPECT_NE(action.getOnLoadScript(sceneContext()).find("this.trig = this.scene.getTimeElem('open');\n"),
              std::string::npos);
    EXPECT_EQ(action.doTriggerScript(sceneContext()), "this.localisedparent.trig.trigger();\n");
    EXPECT_EQ(action.exitTriggerScript(sceneContext()), "this.localisedparent.etrig.trigger();\n");
}

TEST_F(MessagingActionsTest, OnlyTheViewpointActionIsLimitedToViewpointObjects)
{
    const std::vector<std::shared_ptr<IAtmoObject>> others
        = {std::make_shared<ModelObj>(), std::make_shared<PrimitiveObj>(), std::make_shared<SolidObjectObj>(),
           std::make_shared<Actor>(ids), std::make_shared<World>()};
    const auto viewpoint = std::make_shared<ViewpointObj>();

    const ViewpointObjectAction viewpointAction(ids);
    EXPECT_TRUE(viewpointAction.allowedForAtmoObject(viewpoint.get()));
    EXPECT_FALSE(viewpointAction.allowedForAtmoObject(nullptr));
    for (const auto& other : others)
        EXPECT_FALSE(viewpointAction.allowedForAtmoObject(other.get())) << other->getType();

    const std::vector<std::shared_ptr<AtmoAction>> unlimited
        = {std::make_shared<ChatPrintMessageAction>(), std::make_shared<EmitSoundAction>(ids),
           std::make_shared<GotoNewWorldAction>(), std::make_shared<URLpopup>()};
    for (const auto& action : unlimited) {
        EXPECT_TRUE(action->allowedForAtmoObject(nullptr)) << action->className();
        EXPECT_TRUE(action->allowedForAtmoObject(viewpoint.get())) << action->className();
        for (const auto& other : others)
            EXPECT_TRUE(action->allowedForAtmoObject(other.get())) << action->className() << other->getType();
    }
}

TEST_F(MessagingActionsTest, FieldsAreListedInDisplayOrderAndReachableByName)
{
    struct Case {
        std::shared_ptr<AtmoAction> action;
        std::vector<std::string> fields;
        std::vector<FieldType> types;
    };
    using T = FieldType;
    const std::vector<Case> cases = {
        {std::make_shared<ChatPrintMessageAction>(), {"message"}, {T::String}},
        {std::make_shared<EmitSoundAction>(ids),
         {"filename", "near", "far", "repeats", "volume", "controlPanelBtns"},
         {T::String, T::Double, T::Double, T::Int, T::Double, T::Boolean}},
        {std::make_shared<GotoNewWorldAction>(), {"aerURLLocation", "distance"}, {T::String, T::Double}},
        {std::make_shared<URLpopup>(),
         {"url", "width", "height", "menubar", "toolbar", "location", "status", "scrollbars", "resizable"},
         {T::String, T::Int, T::Int, T::Boolean, T::Boolean, T::Boolean, T::Boolean, T::Boolean, T::Boolean}},
        {std::make_shared<ViewpointObjectAction>(ids),
         {"triggerTimeElem", "setTrigSpeed", "setTrigPlayOnce", "exitTriggerTimeElem", "setExitSpeed",
          "setExitPlayOnce"},
         {T::String, T::Double, T::Boolean, T::String, T::Double, T::Boolean}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.action->getFields(), c.fields) << c.action->className();
        for (std::size_t k = 0; k < c.fields.size(); ++k)
            EXPECT_EQ(c.action->getType(c.fields[k]), c.types[k]) << c.fields[k];
    }

    URLpopup popup;
    EXPECT_EQ(popup.verifyField("width", "wide"), "width must contain an integer");
    EXPECT_EQ(popup.verifyField("url", "anything"), std::nullopt);
    popup.set("height", "250");
    popup.set("url", "a.html");
    popup.set("menubar", true);
    EXPECT_EQ(popup.height, 250);
    EXPECT_EQ(popup.url, std::optional<std::string>("a.html"));
    EXPECT_TRUE(popup.menubar);

    EmitSoundAction sound(ids);
    EXPECT_EQ(sound.verifyField("repeats", "2.5"), "repeats must contain an integer");
    EXPECT_EQ(sound.verifyField("volume", "loud"), "volume must contain an real number");
    sound.set("repeats", "7");
    sound.set("far", "1e2");
    EXPECT_EQ(sound.repeats, 7);
    EXPECT_EQ(sound.far, 100.0);
}

TEST_F(MessagingActionsTest, NumberedActionsKeepTheirNumbersAndTheOthersTakeNone)
{
    for (const std::shared_ptr<AtmoAction>& action :
         {std::shared_ptr<AtmoAction>(std::make_shared<ChatPrintMessageAction>()),
          std::shared_ptr<AtmoAction>(std::make_shared<GotoNewWorldAction>()),
          std::shared_ptr<AtmoAction>(std::make_shared<URLpopup>())}) {
        EXPECT_TRUE(action->numbers().empty()) << action->className();
        EXPECT_TRUE(action->setNumbers({}));
        EXPECT_FALSE(action->setNumbers({1}));
    }
    EXPECT_EQ(ids.peek(), 0);

    EmitSoundAction sound(ids);
    ViewpointObjectAction viewpoint(ids);
    EXPECT_EQ(sound.numbers(), std::vector<int>{0});
    EXPECT_EQ(viewpoint.numbers(), std::vector<int>{1});
    EXPECT_FALSE(viewpoint.setNumbers({}));

    ViewpointObj owner;
    auto copy = sound.cloneit(&owner);
    EXPECT_EQ(copy->toString(), "esnd0");
    copy->takeFreshIds(ids);
    EXPECT_EQ(copy->toString(), "esnd2");
}

// Every messaging action on every object it is allowed for, fired by a
// proximity trigger (so exit fragments are written too) and by an on-click
// trigger, with hostile strings, inside a whole script.
class MessagingScriptTest : public FreshProgramTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MessagingScriptTest, WholeScriptParses)
{
    startProject(GetParam());
    core::SceneDocument& registry = document();
    std::vector<IAtmoObject*> owners = {registry.world().get(), registry.actor().get()};
    owners.push_back(addObject<ModelObj>(hostile, 3).get());
    owners.push_back(addObject<PrimitiveObj>(hostile, 4).get());
    owners.push_back(addObject<SolidObjectObj>(hostile, 5).get());
    owners.push_back(addObject<ViewpointObj>(hostile, 6).get());

    for (IAtmoObject* owner : owners) {
        auto chat = std::make_shared<ChatPrintMessageAction>(owner);
        chat->message = hostile;
        fire<ProximityTrigger>(chat);
        auto sound = std::make_shared<EmitSoundAction>(ids, owner);
        sound->filename = hostile;
        sound->controlPanelBtns = true;
        fire<OnclickTrigger>(sound);
        auto go = std::make_shared<GotoNewWorldAction>(owner);
        go->aerURLLocation = hostile;
        fire<ProximityTrigger>(go);
        auto popup = std::make_shared<URLpopup>(owner);
        popup->url = hostile;
        fire<OnclickTrigger>(popup);
        auto viewpoint = std::make_shared<ViewpointObjectAction>(ids, owner);
        if (viewpoint->allowedForAtmoObject(owner)) {
            viewpoint->triggerTimeElem = hostile;
            viewpoint->exitTriggerTimeElem = hostile;
            fire<ProximityTrigger>(viewpoint);
        }
    }

    const std::string script = generateAtmoScript();
    std::string diagnostics;
    EXPECT_TRUE(nodeAccepts(script, &diagnostics)) << diagnostics << script;
}

INSTANTIATE_TEST_SUITE_P(GlobalAndLocalised, MessagingScriptTest, ::testing::Bool());

} // namespace
} // namespace scenewright::test

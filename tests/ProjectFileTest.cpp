#include "FreshProgramTest.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/EmitSoundAction.h"
#include "scenewright/core/action/GotoNewWorldAction.h"
#include "scenewright/core/action/OpacityAction.h"
#include "scenewright/core/action/URLpopup.h"
#include "scenewright/core/action/ViewpointObjectAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"
#include "scenewright/core/io/FileOperations.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;
namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::HasSubstr;

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class ProjectFileTest : public FreshProgramInDirectoryTest {
protected:
    fs::path file(const std::string& name) const { return directory_ / name; }
    core::SceneDocument& registry() { return document(); }

    template <class Object>
    std::shared_ptr<Object> add(const std::string& name)
    {
        auto object = std::make_shared<Object>();
        object->setName(name);
        registry().appendObject(object);
        return object;
    }

    // A scene that uses every object kind, cross-object references, the same
    // action referred to twice and hostile strings.
    void buildScene()
    {
        auto project = createDefaultProject();
        project->setName("hostile 'name' \\ \n\xE2\x80\xA8 ü");
        auto world = registry().world();
        world->setWelcomeMessage(std::string("Welcome to Bob's\nworld \\o/"));
        world->setWelcomeEnabled(true);
        world->setFogEnabled(true);
        world->getFog().colourr = 0.25;
        world->getFog().addControlPanelButtonOffOn = true;
        world->getGlare().radius = 1e7;
        auto sound = std::make_shared<script::Sounds>();
        sound->filename = std::string("it's\\a.wav");
        sound->addControlPanelButtons = true;
        world->addSound(sound);
        world->addSound(std::make_shared<script::Sounds>());
        world->removeSound(0);

        auto model = add<ModelObj>("fan's");
        model->pm.active = true;
        model->pm.initialmass = 2.5;
        model->tobeloaded = false;
        auto rotation = std::make_shared<ConstantRotationAction>(ids, model.get());
        rotation->setActive(true);
        rotation->maxtime = 30;
        model->addAtmoAction(rotation);

        auto door = add<PrimitiveObj>("door\r\n");
        door->solidObjectIndex = std::nullopt;
        auto click = std::make_shared<OnclickTrigger>(ids, door.get());
        click->setActive(true);
        click->addAction(rotation);
        click->addAction(rotation);
        door->addAtmoTrigger(click);

        auto solid = add<SolidObjectObj>("3");
        solid->pm.fixed = true;
        auto viewpoint = add<ViewpointObj>("././view"); // kept as ./view, also when reopened
        auto move = std::make_shared<MovePositionAction>(ids, viewpoint.get());
        move->usesAnchors = true;
        move->anchors = {"a'1", "a\\2"};
        move->setActive(true);
        viewpoint->addAtmoAction(move);
        auto proximity = std::make_shared<ProximityTrigger>(ids, viewpoint.get());
        proximity->setActive(true);
        proximity->distance = 12.5;
        proximity->continuous = false;
        proximity->usesSynch = false;
        proximity->addAction(move);
        proximity->addAction(registry().actor()->getAtmoAction(0));
        viewpoint->addAtmoTrigger(proximity);
        auto load = std::make_shared<WorldFirstLoadsTrigger>(ids, world.get());
        load->setActive(true);
        load->addAction(move);
        world->addAtmoTrigger(load);
        registry().actor()->getAtmoAction(0)->setActive(true);
        registry().actor()->getAtmoAction(0)->setName(std::nullopt);

        // Every other action kind, with null and hostile strings.
        auto opacity = std::make_shared<OpacityAction>(ids, model.get());
        opacity->setActive(true);
        opacity->fadeInOpacity = false;
        model->addAtmoAction(opacity);
        auto texture = std::make_shared<AnimateTextureAction>(ids, door.get());
        texture->setActive(true);
        texture->textures = {"./t'1.jpg", "http://x/\\t2.gif"};
        texture->findfaces = std::vector<int>{2, 3, -5};
        texture->maxrevolutions = 4;
        door->addAtmoAction(texture);
        auto chat = std::make_shared<ChatPrintMessageAction>(door.get());
        chat->setActive(true);
        chat->message = std::string("it's \"here\"\r\nâ© done");
        door->addAtmoAction(chat);
        auto emit = std::make_shared<EmitSoundAction>(ids, door.get());
        emit->setActive(true);
        emit->filename = std::nullopt;
        emit->controlPanelBtns = true;
        door->addAtmoAction(emit);
        auto gotoWorld = std::make_shared<GotoNewWorldAction>(door.get());
        gotoWorld->setActive(true);
        door->addAtmoAction(gotoWorld);
        auto popup = std::make_shared<URLpopup>(door.get());
        popup->setActive(true);
        popup->url = std::string("http://x/?a='b'&c=\"d\"");
        popup->scrollbars = true;
        door->addAtmoAction(popup);
        auto animation = std::make_shared<ViewpointObjectAction>(ids, viewpoint.get());
        animation->setActive(true);
        animation->triggerTimeElem = std::string("open");
        viewpoint->addAtmoAction(animation);
        for (const std::shared_ptr<AtmoAction>& action :
             std::vector<std::shared_ptr<AtmoAction>>{texture, chat, emit, gotoWorld, popup})
            click->addAction(action);
        proximity->addAction(animation);
        proximity->addAction(opacity);
    }

    std::shared_ptr<core::SceneDocument> open(const fs::path& path, std::string& error)
    {
        return openProject(path.string(), error);
    }

};

TEST_F(ProjectFileTest, SaveThenOpenGivesTheSameScriptAndTheSameBytes)
{
    buildScene();
    const std::string script = generateAtmoScript();
    ASSERT_TRUE(nodeAccepts(script));
    auto project = currentDocument();
    project->setFileLocation(file("scene.scw").string());
    ASSERT_EQ(project->save(), std::nullopt);
    EXPECT_TRUE(project->isSaved());
    const std::string saved = fileContent(file("scene.scw"));
    EXPECT_EQ(saved.back(), '\n');
    EXPECT_THAT(saved, HasSubstr("\n  \"format\": \"scenewright-project\",\n  \"version\": 1,"));

    const int counter = ids.peek();
    std::string error;
    auto reopened = open(file("scene.scw"), error);
    ASSERT_NE(reopened, nullptr) << error;
    EXPECT_EQ(reopened->name(), project->name());
    EXPECT_GE(ids.peek(), counter);
    EXPECT_EQ(generateAtmoScript(), script);

    reopened->setFileLocation(file("again.scw").string());
    ASSERT_EQ(reopened->save(), std::nullopt);
    EXPECT_EQ(fileContent(file("again.scw")), saved);
}

TEST_F(ProjectFileTest, SavingHandsOutNoNumbersAndUndeclaredObjectsOpenUndeclared)
{
    createDefaultProject();
    add<PrimitiveObj>("door");
    auto project = currentDocument();
    project->setFileLocation(file("fresh.scw").string());
    const int counter = ids.peek();
    ASSERT_EQ(project->save(), std::nullopt);
    EXPECT_EQ(ids.peek(), counter);
    EXPECT_THAT(fileContent(file("fresh.scw")), ::testing::Not(HasSubstr("\"id\"")));

    std::string error;
    ASSERT_NE(open(file("fresh.scw"), error), nullptr) << error;
    auto door = std::dynamic_pointer_cast<PrimitiveObj>(registry().object(2));
    ASSERT_NE(door, nullptr);
    EXPECT_FALSE(door->globalId());
}

TEST_F(ProjectFileTest, AnEmptyFileOpensAsTheDefaultProject)
{
    writeFile(file("old.scw"), "");
    std::string error;
    auto project = open(file("old.scw"), error);
    ASSERT_NE(project, nullptr) << error;
    EXPECT_EQ(project->name(), "default");
    EXPECT_EQ(registry().objectCount(), 2);
}

TEST_F(ProjectFileTest, OpeningMovesTheCounterPastEveryNumberOfTheFileAndNeverBack)
{
    writeFile(file("numbers.scw"), R"({"format": "scenewright-project", "version": 1, "objects": [
        {"type": "world", "name": "world"},
        {"type": "actor", "name": "actor", "actions": [{"class": "MovePositionAction", "ids": [40, 41]}]},
        {"type": "primitive", "name": "p", "id": 500,
         "triggers": [{"class": "OnclickTrigger"}]}]})");
    std::string error;
    ASSERT_NE(open(file("numbers.scw"), error), nullptr) << error;
    // The trigger without numbers took a fresh one past the file's.
    const auto trigger = registry().object(2)->getAtmoTrigger(0);
    EXPECT_GT(trigger->numbers()[0], 500);
    EXPECT_GT(ids.peek(), trigger->numbers()[0]);

    for (int i = 0; i < 1000; ++i)
        ids.next();
    const int counter = ids.peek();
    ASSERT_NE(open(file("numbers.scw"), error), nullptr) << error;
    EXPECT_GE(ids.peek(), counter);
}

TEST_F(ProjectFileTest, InteractionsWithoutNumbersTakeFreshOnesActionsFirstInTheOrderRead)
{
    // The actor lists no actions, or an empty list: its own move action
    // takes fresh numbers among the other actions, in object order.
    for (const char* actorActions : {"", R"(, "actions": [])"}) {
        writeFile(file("fresh-order.scw"), std::string(R"({"format": "scenewright-project", "version": 1, "objects": [
            {"type": "world", "name": "world"},
            {"type": "actor", "name": "actor")") + actorActions + R"(},
            {"type": "model.aer/.atmo", "name": "p", "id": 30,
             "actions": [{"class": "ConstantRotationAction"}, {"class": "OpacityAction", "ids": [31]}],
             "triggers": [{"class": "OnclickTrigger"}, {"class": "ProximityTrigger", "ids": [32]}]},
            {"type": "model.aer/.atmo", "name": "q", "id": 33,
             "actions": [{"class": "ConstantRotationAction"}], "triggers": [{"class": "OnclickTrigger"}]}]})");
        std::string error;
        ASSERT_NE(open(file("fresh-order.scw"), error), nullptr) << error;
        const auto& p = registry().object(2);
        const auto& q = registry().object(3);
        const std::vector<int> taken{registry().actor()->getAtmoAction(0)->numbers()[0],
                                     registry().actor()->getAtmoAction(0)->numbers()[1],
                                     p->getAtmoAction(0)->numbers()[0],
                                     q->getAtmoAction(0)->numbers()[0],
                                     p->getAtmoTrigger(0)->numbers()[0],
                                     q->getAtmoTrigger(0)->numbers()[0]};
        EXPECT_GT(taken.front(), 33) << actorActions;
        for (std::size_t i = 1; i < taken.size(); ++i)
            EXPECT_EQ(taken[i], taken[i - 1] + 1) << actorActions << " at " << i;
        EXPECT_EQ(p->getAtmoAction(1)->numbers()[0], 31);
        EXPECT_EQ(p->getAtmoTrigger(1)->numbers()[0], 32);
    }
}

TEST_F(ProjectFileTest, FieldNamesWrittenWithEscapesReadAsTheNamesTheyStandFor)
{
    writeFile(file("escaped.scw"), R"({"\u0066ormat": "scenewright-project", "versio\u006e": 1, "objects": [
        {"type": "world", "n\u0061me": "world"},
        {"\u0074\u0079\u0070\u0065": "actor", "name": "actor"},
        {"type": "primitive", "name": "p\"", "i\u0064": 7, "triggers": [{"class": "OnclickTrigger",
         "fields": {"usesS\u0079nch": true}}]}]})");
    std::string error;
    ASSERT_NE(open(file("escaped.scw"), error), nullptr) << error;
    const auto p = std::dynamic_pointer_cast<PrimitiveObj>(registry().object(2));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->getName(), "p\"");
    EXPECT_EQ(p->globalId(), 7);
    EXPECT_EQ(p->getAtmoTrigger(0)->get("usesSynch"), core::action::FieldValue(true));
}

TEST_F(ProjectFileTest, AFileUpToTheLastNumberOpensAndNoNumberIsHandedOutTwice)
{
    const std::string head = R"({"format": "scenewright-project", "version": 1, "objects": [
        {"type": "world", "name": "world"},
        {"type": "actor", "name": "actor", "actions": [{"class": "MovePositionAction", "ids": [7, 8]}]},
        {"type": "primitive", "name": "p", "id": 2147483646,
         "triggers": [{"class": "OnclickTrigger", "ids": [2147483645]}]})";
    // Its own numbers are fine: an object that declares itself later does
    // not keep it from opening.
    writeFile(file("largest.scw"), head + R"(, {"type": "primitive", "name": "q"}]})");
    std::string error;
    ASSERT_NE(open(file("largest.scw"), error), nullptr) << error;
    EXPECT_EQ(ids.peek(), 2147483647);
    EXPECT_THROW(ids.next(), IdsExhausted);
    EXPECT_THROW(generateAtmoScript(), IdsExhausted) << "q has no number left to take";

    // Each step that needs a number is refused and changes nothing.
    const auto& p = registry().object(2);
    EXPECT_THROW(document().addObject("r", IAtmoObject::TYPE_PRIMITIVE), IdsExhausted);
    EXPECT_EQ(registry().objectCount(), 4);
    EXPECT_THROW(document().copyInteractions(*p, *registry().object(3)), IdsExhausted);
    EXPECT_EQ(registry().object(3)->getAtmoTriggerSize(), 0);
    EXPECT_FALSE(document().attachStandardInteractions(*p));
    EXPECT_EQ(p->getAtmoTriggerSize(), 1);
    EXPECT_THROW(createDefaultProject(), IdsExhausted);
    EXPECT_EQ(registry().objectCount(), 4);

    // A file whose interactions need new numbers at once is refused.
    writeFile(file("unnumbered.scw"), head + R"(, {"type": "model.aer/.atmo", "name": "m",
        "actions": [{"class": "OpacityAction"}]}]})");
    EXPECT_EQ(open(file("unnumbered.scw"), error), nullptr);
    EXPECT_THAT(error, AllOf(HasSubstr("unnumbered.scw"), HasSubstr("No number is left")));
}

TEST_F(ProjectFileTest, NumbersAtTheEdgesOfADoubleLoadAndTooSmallOnesReadAsZero)
{
    writeFile(file("edges.scw"), R"({"format": "scenewright-project", "version": 1, "objects": [
        {"type": "world", "name": "world"}, {"type": "actor", "name": "actor"},
        {"type": "model.aer/.atmo", "name": "m",
         "pm": {"friction": 1e-400, "inertia": -0.0000001e-400, "initialmass": 1.7976931348623157E+308}}]})");
    std::string error;
    ASSERT_NE(open(file("edges.scw"), error), nullptr) << error;
    const auto model = std::dynamic_pointer_cast<ModelObj>(registry().object(2));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->pm.friction, 0.0);
    EXPECT_EQ(model->pm.inertia, 0.0);
    EXPECT_TRUE(std::signbit(model->pm.inertia));
    EXPECT_EQ(model->pm.initialmass, 1.7976931348623157e308);
}

struct Refused {
    const char* what;
    std::string content;
    std::string message;
};

class RefusedFileTest : public ProjectFileTest, public ::testing::WithParamInterface<Refused> {};

constexpr const char* kHead = R"({"format": "scenewright-project", "version": 1, "objects": [)"
                              R"({"type": "world", "name": "world"}, {"type": "actor", "name": "actor"})";

std::string withObjects(const std::string& more)
{
    return std::string(kHead) + more + "]}";
}

TEST_P(RefusedFileTest, LeavesTheOpenProjectUntouchedAndSaysWhy)
{
    auto project = createDefaultProject();
    add<PrimitiveObj>("keep");
    const auto before = registry().objects();

    const std::string content = GetParam().content;
    writeFile(file("bad.scw"), content.rfind(",", 0) == 0 ? withObjects(content) : content);
    std::string error;
    EXPECT_EQ(open(file("bad.scw"), error), nullptr);
    EXPECT_THAT(error, AllOf(HasSubstr(file("bad.scw").string() + ": line "), HasSubstr(GetParam().message)));
    // Text from the file is quoted, escaped and cut short: the message is one
    // line of printable text of a bounded length.
    EXPECT_TRUE(std::none_of(error.begin(), error.end(), [](char c) { return c >= 0 && c < 0x20; })) << error;
    EXPECT_LT(error.size(), file("bad.scw").string().size() + 400) << error;
    EXPECT_EQ(currentDocument(), project);
    EXPECT_EQ(registry().objects(), before);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRefusal, RefusedFileTest,
    ::testing::Values(
        Refused{"malformed", "{\n  \"format\": \"scenewright-project\",\n  \"version\": 1,,\n}", "line 3, column 16"},
        Refused{"other format", R"({"format": "something-else", "version": 1, "objects": []})",
                "not a Scenewright project file"},
        Refused{"newer version", R"({"format": "scenewright-project", "version": 2, "objects": []})",
                "newer Scenewright"},
        Refused{"no world first",
                R"({"format": "scenewright-project", "version": 1, "objects": [{"type": "actor", "name": "a"}]})",
                "the first object must be the world"},
        Refused{"world only", R"({"format": "scenewright-project", "version": 1,
                "objects": [{"type": "world", "name": "w"}]})",
                "world and the actor"},
        Refused{"second actor", ",{\"type\": \"actor\", \"name\": \"a\"}", "only the first object is the world"},
        Refused{"unknown type", ",{\"type\": \"teapot\", \"name\": \"t\"}", "unknown object type \"teapot\""},
        Refused{"unknown class", ",{\"type\": \"model.aer/.atmo\", \"name\": \"m\", \"actions\": [{\"class\": \"Nope\"}]}",
                "unknown action class \"Nope\""},
        Refused{"unknown field",
                ",{\"type\": \"model.aer/.atmo\", \"name\": \"m\", \"actions\": [{\"class\": "
                "\"ConstantRotationAction\", \"fields\": {\"spin\": 1}}]}",
                "unknown field \"spin\""},
        Refused{"field of another kind", ",{\"type\": \"primitive\", \"name\": \"p\", \"pm\": {}}",
                "unknown field \"pm\""},
        Refused{"wrong type", ",{\"type\": \"primitive\", \"name\": 7}", "objects[2].name: expected a string"},
        Refused{"int given as 2.0",
                R"({"format": "scenewright-project", "version": 1, "objects": [
                {"type": "world", "name": "w", "fog": {"dropOff": 2.0}}, {"type": "actor", "name": "a"}]})",
                "objects[0].fog.dropOff: expected a whole number"},
        Refused{"boolean given as 1",
                ",{\"type\": \"model.aer/.atmo\", \"name\": \"m\", \"pm\": {\"active\": 1}}", "expected true or false"},
        Refused{"infinite number",
                ",{\"type\": \"model.aer/.atmo\", \"name\": \"m\", \"pm\": {\"friction\": 1e999}}",
                "objects[2].pm.friction: number out of range"},
        Refused{"id out of range", ",{\"type\": \"primitive\", \"name\": \"p\", \"id\": 2147483647}", "out of range"},
        Refused{"id past every whole number", ",{\"type\": \"primitive\", \"name\": \"p\", \"id\": 18446744073709551616}",
                "objects[2].id: number out of range 0 to 2147483646"},
        Refused{"id of 5000 digits", ",{\"type\": \"primitive\", \"name\": \"p\", \"id\": 1" + std::string(5000, '0') + "}",
                "objects[2].id: number out of range 0 to 2147483646"},
        Refused{"huge version", R"({"format": "scenewright-project", "version": 99999999999999999999999, "objects": []})",
                "line 1, column 46: version: number out of range"},
        Refused{"text after the project", withObjects("") + std::string("\n\0garbage{{{", 12),
                "line 2, column 1: unexpected text after the project"},
        Refused{"a second document", withObjects("") + "\n\n {}", "line 3, column 2: unexpected text after the project"},
        Refused{"blanks only", " \n  ", "line 2, column 3: expected a value, found the end of the file"},
        Refused{"not a value", "{\"format\": tru}", "line 1, column 12: expected a value"},
        Refused{"comma before a closing bracket", "{\"objects\": [{},\n]}", "line 2, column 1: expected a value"},
        Refused{"unquoted field name", "{format: 1}", "line 1, column 2: expected a field name in double quotes"},
        Refused{"tab inside a string", "{\"name\": \"a\tb\"}", "line 1, column 12: a control character inside a string"},
        Refused{"half a surrogate pair", "{\"name\": \"x\\ud800\"}", "line 1, column 12: half a surrogate pair"},
        Refused{"string cut off", "{\"name\": \"abc", "line 1, column 14: the file ends inside a string"},
        Refused{"leading zero", "{\"version\": 01}", "line 1, column 13: a number with a leading zero"},
        Refused{"version given twice, newer last",
                "{\"format\": \"scenewright-project\", \"version\": 1,\n \"version\": 2, \"objects\": []}",
                "line 2, column 2: the field \"version\" is given twice"},
        Refused{"version given twice, newer first",
                "{\"format\": \"scenewright-project\", \"version\": 2,\n \"version\": 1, \"objects\": []}",
                "line 2, column 2: the field \"version\" is given twice"},
        Refused{"field given twice in a physical model",
                ",{\"type\": \"model.aer/.atmo\", \"name\": \"m\", \"pm\": {\"fixed\": true, \"fixed\": false}}",
                "objects[2].pm: the field \"fixed\" is given twice"},
        Refused{"interaction field given twice",
                ",{\"type\": \"primitive\", \"name\": \"p\", \"triggers\": [{\"class\": \"OnclickTrigger\", "
                "\"fields\": {\"usesSynch\": true, \"usesS\\u0079nch\": false}}]}",
                "objects[2].triggers[0].fields: the field \"usesSynch\" is given twice"},
        Refused{"escape codes in a class name",
                ",{\"type\": \"primitive\", \"name\": \"p\", \"actions\": [{\"class\": "
                "\"\\u001b]0;owned\\u0007\\u001b[2J\\r\\nfake: line 1\\u009b\\u202e\"}]}",
                "unknown action class \"\\x1b]0;owned\\x07\\x1b[2J\\r\\nfake: line 1\\x9b\\u202e\""},
        Refused{"a type longer than a message shows",
                ",{\"type\": \"" + std::string(300, 'A') + "\\\"\", \"name\": \"t\"}",
                "unknown object type \"" + std::string(200, 'A') + "\xE2\x80\xA6\""},
        Refused{"missing object",
                ",{\"type\": \"primitive\", \"name\": \"p\", \"triggers\": [{\"class\": \"OnclickTrigger\", "
                "\"actions\": [{\"object\": 9, \"action\": 0}]}]}",
                "refers to object 9"},
        Refused{"missing action",
                ",{\"type\": \"primitive\", \"name\": \"p\", \"triggers\": [{\"class\": \"OnclickTrigger\", "
                "\"actions\": [{\"object\": 1, \"action\": 3}]}]}",
                "refers to action 3 of object 1"},
        Refused{"same generated name",
                ",{\"type\": \"primitive\", \"name\": \"p\", \"triggers\": [{\"class\": \"OnclickTrigger\", "
                "\"ids\": [5]}, {\"class\": \"ProximityTrigger\", \"ids\": [5]}]}",
                "synchtrigger5 is claimed twice"},
        Refused{"not allowed",
                ",{\"type\": \"primitive\", \"name\": \"p\", \"actions\": [{\"class\": \"ConstantRotationAction\"}]}",
                "is not allowed on a primitive"},
        Refused{"actor action",
                R"({"format": "scenewright-project", "version": 1, "objects": [{"type": "world", "name": "w"},
                {"type": "actor", "name": "a", "actions": [{"class": "ConstantRotationAction"}]}]})",
                "the actor takes only move actions"}),
    [](const ::testing::TestParamInfo<Refused>& info) {
        std::string name;
        for (char c : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST_F(ProjectFileTest, ManyNamesOnFewObjectsAreAllClaimedAndAClashIsFoundAmongThem)
{
    // Far more names than a file of so few objects usually claims.
    std::string triggers;
    for (int i = 0; i < 500; ++i)
        triggers += std::string(i ? ", " : "") + R"({"class": "OnclickTrigger", "ids": [)" + std::to_string(100 + i) + "]}";
    for (const bool clash : {false, true}) {
        const std::string last = clash ? R"(, {"class": "OnclickTrigger", "ids": [105]})" : "";
        writeFile(file("many.scw"), withObjects(R"(, {"type": "primitive", "name": "p", "id": 7, "triggers": [)"
                                                + triggers + last + "]}"));
        std::string error;
        const auto opened = open(file("many.scw"), error);
        EXPECT_EQ(opened == nullptr, clash) << error;
        if (clash) {
            EXPECT_THAT(error, HasSubstr("synchtrigger105 is claimed twice"));
        }
    }
}

TEST_F(ProjectFileTest, AFileThatCannotBeReadIsReportedWithItsPath)
{
    std::string error;
    EXPECT_EQ(open(file("missing.scw"), error), nullptr);
    EXPECT_THAT(error, AllOf(HasSubstr(file("missing.scw").string()), HasSubstr("No such file")));
}

// Operations that fail at one chosen step.
class FailingOperations : public io::FileOperations {
public:
    enum class Step { Write, Flush, Rename };
    explicit FailingOperations(Step step) : step_(step) {}

    ssize_t write(int fd, const void* data, std::size_t size) override
    {
        if (step_ == Step::Write) {
            errno = ENOSPC;
            return -1;
        }
        return FileOperations::write(fd, data, size);
    }
    int fsync(int fd) override
    {
        if (step_ == Step::Flush) {
            errno = EIO;
            return -1;
        }
        return FileOperations::fsync(fd);
    }
    int rename(const char* from, const char* to) override
    {
        if (step_ == Step::Rename) {
            errno = EXDEV;
            return -1;
        }
        return FileOperations::rename(from, to);
    }

private:
    Step step_;
};

TEST_F(ProjectFileTest, AFailedSaveKeepsTheOldFileAndTheUnsavedState)
{
    const fs::path path = file("keep.scw");
    writeFile(path, "old content");
    auto project = createDefaultProject();
    project->setFileLocation(path.string());

    const std::pair<FailingOperations::Step, const char*> steps[] = {
        {FailingOperations::Step::Write, "No space left"},
        {FailingOperations::Step::Flush, "Input/output error"},
        {FailingOperations::Step::Rename, "cross-device"},
    };
    for (const auto& [step, reason] : steps) {
        FailingOperations failing(step);
        project->setState(core::SceneDocument::STATE_UNSAVED);
        auto error = project->save(failing);
        ASSERT_TRUE(error.has_value());
        EXPECT_THAT(*error, AllOf(HasSubstr(path.string()), HasSubstr(reason)));
        EXPECT_FALSE(project->isSaved());
        EXPECT_EQ(fileContent(path), "old content");
    }
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 1);
}

TEST_F(ProjectFileTest, SavingIntoAMissingDirectoryFails)
{
    auto project = createDefaultProject();
    project->setFileLocation(file("no/such/dir.scw").string());
    auto error = project->save();
    ASSERT_TRUE(error.has_value());
    EXPECT_THAT(*error, HasSubstr(file("no/such/dir.scw").string()));
    EXPECT_FALSE(project->isSaved());
}

TEST_F(ProjectFileTest, SavingThroughALinkReplacesTheLinkedFileAndKeepsItsPermissions)
{
    const fs::path target = file("real.scw");
    const fs::path link = file("link.scw");
    writeFile(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    fs::create_symlink("real.scw", link);

    auto project = createDefaultProject();
    project->setFileLocation(link.string());
    ASSERT_EQ(project->save(), std::nullopt);

    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_THAT(fileContent(target), HasSubstr("scenewright-project"));
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

} // namespace
} // namespace scenewright::test

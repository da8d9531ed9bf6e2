#include "FreshProgramTest.h"
#include "TestScene.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/EmitSoundAction.h"
#include "scenewright/core/action/GotoNewWorldAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/OpacityAction.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/URLpopup.h"
#include "scenewright/core/action/ViewpointObjectAction.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptText.h"
#include "scenewright/core/script/Sounds.h"

#include <gmock/gmock.h>

#include <fstream>
#include <functional>
#include <random>

// Text a user types or a hand-edited file holds, put into every place that
// reaches the generated script or the project file. Each script must parse,
// and each value must read back, when node evaluates its literal, as the text
// that was typed. Bytes that are not UTF-8 cannot be part of a JavaScript
// string; the script holds U+FFFD in their place, as any UTF-8 reader of the
// script would show them.

namespace scenewright::test {
namespace {

using namespace core;
using namespace core::action;
namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string kReplacement = "\xEF\xBF\xBD";

struct Hostile {
    const char* what;
    std::string text;
    // What a literal of the text evaluates to.
    std::string reads;
};

Hostile same(const char* what, std::string text)
{
    return Hostile{what, text, text};
}

const std::vector<Hostile>& hostileTexts()
{
    static const std::vector<Hostile> texts = {
        same("empty", ""),
        same("apostrophe", "Bob's"),
        same("double quotes", "say \"hi\""),
        same("backslashes", "a\\b\\"),
        same("escape look-alikes", "\\n \\u2028 \\x41 \\'"),
        same("line feed", "one\ntwo"),
        same("carriage return", "one\rtwo"),
        same("CR LF", "one\r\ntwo\r\n"),
        same("line separator", "a\xE2\x80\xA8z"),
        same("paragraph separator", "a\xE2\x80\xA9z"),
        same("comment ends", "*/ x /* y // z"),
        same("markup", "</script><!-- -->"),
        same("NUL", std::string("a\0b", 3)),
        same("breaking out of a literal", "');\nHIJACK=1;//"),
        same("breaking out past an escape", "\\');HIJACK=2;('"),
        same("template syntax", "${HIJACK}`"),
        same("non-ASCII", "Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9D\x84\x9E"),
        same("terminal commands", "\x1B]0;owned\x07\x1B[2J\r\nfake: line 1\xC2\x9B\xE2\x80\xAE"),
        same("number ending in its point", "1.\nvar y = 2"),
        same("escaped name", "\\u{61} = 1"),
        same("let at a line end", "let\n''"),
        same("hashbang after a vertical tab", "\v#!\v#]`ZZ!ZZ\n`"),
        Hostile{"lone invalid byte", "a\xFFz", "a" + kReplacement + "z"},
        Hostile{"truncated sequence at the end", "a\xC3", "a" + kReplacement},
        Hostile{"cut line separator", "\xE2\x80z", kReplacement + "z"},
        Hostile{"encoded surrogate", "\xED\xA0\x80", kReplacement + kReplacement + kReplacement},
        Hostile{"overlong slash", "\xC0\xAF", kReplacement + kReplacement},
        Hostile{"past U+10FFFF", "\xF4\x90\x80\x80", kReplacement + kReplacement + kReplacement + kReplacement},
    };
    return texts;
}

// A value carrying a marker, so its literal can be found in the script.
struct Marked {
    std::string marker;
    std::string text;
    std::string reads;
};

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 0xF];
    }
    return out;
}

// Checks scripts in one node run: each file is UTF-8 and compiles (as a
// script, the compile node --check makes); the string
// literals of each (and those of scripts held in a literal, such as the code
// handed to the browser) are collected; every marked value must appear in
// a literal that ends with exactly what it reads as, and no literal may hold
// it in another form. No identifier HIJACK may appear outside a literal.
// Prints one line per problem, nothing when all is well.
std::string checkerProgram(const std::vector<fs::path>& scripts, const std::vector<Marked>& values)
{
    std::string program = "const scripts = [";
    for (const fs::path& script : scripts)
        program += "'" + script.string() + "',";
    program += "];\nconst expected = [";
    for (const Marked& value : values)
        program += "['" + hex(value.marker) + "','" + hex(value.reads) + "'],";
    program += "];\n";
    program += R"JS(
const fs = require('fs');
const vm = require('vm');
let acorn;
try { acorn = require('acorn'); } catch (e) { acorn = require('/usr/share/nodejs/acorn'); }
const parse = (text) => acorn.parse(text, { ecmaVersion: 'latest', sourceType: 'script' });
const problems = [];
const strings = [];
function walk(node, visit) {
  if (!node || typeof node !== 'object') return;
  if (Array.isArray(node)) { node.forEach((n) => walk(n, visit)); return; }
  visit(node);
  for (const key of Object.keys(node)) walk(node[key], visit);
}
function literalsOf(tree) {
  const found = [];
  walk(tree, (n) => { if (n.type === 'Literal' && typeof n.value === 'string') found.push(n.value); });
  return found;
}
for (const file of scripts) {
  const bytes = fs.readFileSync(file);
  const text = bytes.toString('utf8');
  if (!Buffer.from(text, 'utf8').equals(bytes)) problems.push(file + ': not UTF-8');
  try { new vm.Script(text, { filename: file }); } catch (e) { problems.push(file + ': ' + e.message); continue; }
  const tree = parse(text);
  walk(tree, (n) => { if (n.type === 'Identifier' && n.name.startsWith('HIJACK')) problems.push(file + ': code ' + n.name); });
  for (const value of literalsOf(tree)) {
    let inner = [];
    try { inner = literalsOf(parse(value)); } catch (e) {}
    strings.push(...(inner.length > 0 ? inner : [value]));
  }
}
for (const [markerHex, readsHex] of expected) {
  const marker = Buffer.from(markerHex, 'hex').toString('utf8');
  const want = marker + Buffer.from(readsHex, 'hex').toString('utf8');
  const holding = strings.filter((s) => s.includes(marker));
  if (!holding.some((s) => s.endsWith(want)))
    problems.push(marker + ': no literal ends with ' + JSON.stringify(want) + ' in ' + JSON.stringify(holding));
  for (const s of holding)
    if (!s.slice(s.indexOf(marker)).startsWith(want))
      problems.push(marker + ': ' + JSON.stringify(s) + ' does not read ' + JSON.stringify(want));
}
process.stdout.write(problems.join('\n'));
)JS";
    return program;
}

// How a place shows what was typed, before the literal is evaluated.
using Shown = std::function<std::string(const std::string&)>;

std::string asTyped(const std::string& text)
{
    return text;
}

// Chat lines show apostrophes as grave accents.
std::string asChatLine(const std::string& text)
{
    std::string out = text;
    std::replace(out.begin(), out.end(), '\'', '`');
    return out;
}

// The welcome message is printed line by line; its first line holds the marker.
std::string asFirstWelcomeLine(const std::string& text)
{
    return asChatLine(text.substr(0, text.find_first_of("\r\n")));
}

class HostileInputTest : public FreshProgramInDirectoryTest {
protected:
    core::SceneDocument& registry() { return document(); }
    core::SceneDocument& editor() { return document(); }

    void SetUp() override
    {
        FreshProgramInDirectoryTest::SetUp();
        createDefaultProject();
    }

    template <class Kind>
    std::shared_ptr<Kind> add(const std::string& name)
    {
        auto object = std::make_shared<Kind>();
        object->setName(name);
        registry().appendObject(object);
        return object;
    }

    // Every hostile text under a marker of its own, as the place shows it.
    std::vector<Marked> marked(const std::string& place, const Shown& shown = asTyped)
    {
        std::vector<Marked> out;
        const auto& texts = hostileTexts();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::string marker = "@" + place + std::to_string(i) + "@";
            // The place's own change touches only ASCII, so it may be applied
            // to what the text reads as.
            out.push_back(Marked{marker, marker + texts[i].text, shown(texts[i].reads)});
        }
        return out;
    }

    std::string generate(bool localised, bool synchronised)
    {
        currentDocument()->setLocaliseScript(localised);
        synchronise = synchronised;
        return generateAtmoScript();
    }

    fs::path writeScript(const std::string& script)
    {
        const fs::path path = directory_ / ("script" + std::to_string(written_++) + ".js");
        std::ofstream(path, std::ios::binary) << script;
        return path;
    }

    // Generates the scene's script global and localised, synchronised and
    // not; each must pass node --check, and the checker must find every
    // value in each, and in each beautified and compressed.
    void expectEveryScriptReads(const std::vector<Marked>& values)
    {
        std::vector<fs::path> scripts;
        for (bool localised : {false, true}) {
            for (bool synchronised : {false, true}) {
                const std::string script = generate(localised, synchronised);
                std::string diagnostics;
                EXPECT_TRUE(nodeAccepts(script, &diagnostics))
                    << (localised ? "localised" : "global") << (synchronised ? ", synchronised" : "") << "\n"
                    << diagnostics;
                scripts.push_back(writeScript(script));
                scripts.push_back(writeScript(script::ScriptFormatter::beautify(script)));
                scripts.push_back(writeScript(script::ScriptFormatter::compress(script)));
            }
        }
        expectCheckerFindsNoProblem(scripts, values);
    }

    void expectCheckerFindsNoProblem(const std::vector<fs::path>& scripts, const std::vector<Marked>& values)
    {
        const auto problems = nodeOutput(checkerProgram(scripts, values));
        ASSERT_TRUE(problems.has_value()) << "the checker did not run";
        EXPECT_THAT(*problems, IsEmpty());
    }

private:
    int written_ = 0;
};

TEST_F(HostileInputTest, ObjectNamesAndSolidObjectIndicesReadBackFromEveryScript)
{
    const auto names = marked("N");
    const auto indices = marked("I");
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto model = add<ModelObj>("model");
        editor().renameObject(*model, names[i].text);
        fire<OnclickTrigger>(std::make_shared<AnimateTextureAction>(ids, model.get()));
        auto primitive = add<PrimitiveObj>("primitive");
        editor().renameObject(*primitive, names[i].text);
        editor().setSolidObjectIndex(*primitive, indices[i].text);
        fire<ProximityTrigger>(std::make_shared<ChatPrintMessageAction>(primitive.get()));
        auto viewpoint = add<ViewpointObj>("viewpoint");
        editor().renameObject(*viewpoint, names[i].text);
        auto animation = std::make_shared<ViewpointObjectAction>(ids, viewpoint.get());
        animation->triggerTimeElem = std::string("open");
        fire<ProximityTrigger>(animation);
        auto solid = add<SolidObjectObj>("solid");
        editor().renameObject(*solid, names[i].text);
        fire<OnclickTrigger>(std::make_shared<OpacityAction>(ids, solid.get()));
    }
    std::vector<Marked> values = names;
    values.insert(values.end(), indices.begin(), indices.end());
    expectEveryScriptReads(values);
}

TEST_F(HostileInputTest, ChatMessagesGotoAddressesAndUrlsReadBackFromEveryScript)
{
    // An object holds one action of each kind: one door per text.
    const auto messages = marked("M", asChatLine);
    const auto addresses = marked("G");
    const auto urls = marked("U");
    for (std::size_t i = 0; i < messages.size(); ++i) {
        auto door = add<PrimitiveObj>("door");
        auto chat = std::make_shared<ChatPrintMessageAction>(door.get());
        editor().setField(*chat, "message", messages[i].text);
        fire<OnclickTrigger>(chat);
        auto go = std::make_shared<GotoNewWorldAction>(door.get());
        editor().setField(*go, "aerURLLocation", addresses[i].text);
        fire<ProximityTrigger>(go);
        auto popup = std::make_shared<URLpopup>(door.get());
        editor().setField(*popup, "url", urls[i].text);
        fire<OnclickTrigger>(popup);
    }
    std::vector<Marked> values = messages;
    values.insert(values.end(), addresses.begin(), addresses.end());
    values.insert(values.end(), urls.begin(), urls.end());
    expectEveryScriptReads(values);
}

TEST_F(HostileInputTest, TexturesPrimitiveNamesAndAnchorsReadBackFromEveryScript)
{
    auto view = add<ViewpointObj>("view");
    const auto textures = marked("T");
    const auto primitiveNames = marked("P");
    const auto faceTextures = marked("F");
    const auto anchors = marked("A");
    std::vector<std::string> allAnchors;
    for (std::size_t i = 0; i < textures.size(); ++i) {
        auto model = add<ModelObj>("fan");
        auto door = add<PrimitiveObj>("door");
        auto onModel = std::make_shared<AnimateTextureAction>(ids, model.get());
        editor().setFieldValue(*onModel, "textures", std::vector<std::string>{textures[i].text, "plain.jpg"});
        editor().setField(*onModel, "primitiveName", primitiveNames[i].text);
        fire<OnclickTrigger>(onModel);
        auto onDoor = std::make_shared<AnimateTextureAction>(ids, door.get());
        editor().setFieldValue(*onDoor, "findfaces", std::optional<std::vector<int>>());
        editor().setField(*onDoor, "findtextureurl", faceTextures[i].text);
        fire<OnclickTrigger>(onDoor);
        allAnchors.push_back(anchors[i].text);
    }
    auto move = std::make_shared<MovePositionAction>(ids, view.get());
    editor().setField(*move, "usesAnchors", true);
    editor().setFieldValue(*move, "anchors", allAnchors);
    fire<ProximityTrigger>(move);

    std::vector<Marked> values = textures;
    for (const auto* more : {&primitiveNames, &faceTextures, &anchors})
        values.insert(values.end(), more->begin(), more->end());
    expectEveryScriptReads(values);
}

TEST_F(HostileInputTest, SoundFilesAndTimeElementsReadBackFromEveryScript)
{
    auto world = registry().world();
    const auto worldSounds = marked("W");
    const auto emitted = marked("E");
    const auto entered = marked("V");
    const auto left = marked("X");
    for (std::size_t i = 0; i < worldSounds.size(); ++i) {
        auto door = add<PrimitiveObj>("door");
        auto view = add<ViewpointObj>("view");
        auto sound = std::make_shared<script::Sounds>();
        sound->filename = worldSounds[i].text;
        editor().addSound(*world, sound);
        auto emit = std::make_shared<EmitSoundAction>(ids, door.get());
        editor().setField(*emit, "filename", emitted[i].text);
        fire<OnclickTrigger>(emit);
        auto animation = std::make_shared<ViewpointObjectAction>(ids, view.get());
        editor().setField(*animation, "triggerTimeElem", entered[i].text);
        editor().setField(*animation, "exitTriggerTimeElem", left[i].text);
        fire<ProximityTrigger>(animation);
    }
    std::vector<Marked> values = worldSounds;
    for (const auto* more : {&emitted, &entered, &left})
        values.insert(values.end(), more->begin(), more->end());
    expectEveryScriptReads(values);
}

TEST_F(HostileInputTest, EveryWelcomeMessageLineReadsBackAndTheRestStaysText)
{
    // The world holds one welcome message: one script per text, checked in
    // one run. Its lines are split at line breaks; the first holds the marker.
    auto world = registry().world();
    editor().setWelcomeEnabled(*world, true);
    const auto messages = marked("H", asFirstWelcomeLine);
    std::vector<fs::path> scripts;
    for (const Marked& message : messages) {
        editor().setWelcomeMessage(*world, message.text);
        const std::string script = generate(false, false);
        scripts.push_back(writeScript(script));
        scripts.push_back(writeScript(script::ScriptFormatter::compress(script)));
        scripts.push_back(writeScript(generate(true, true)));
    }
    EXPECT_TRUE(nodeAccepts(generate(true, true)));
    expectCheckerFindsNoProblem(scripts, messages);
}

TEST_F(HostileInputTest, CommentsNeverEndEarlyAndStayUtf8)
{
    using script::ScriptText;
    EXPECT_EQ(ScriptText::comment("a\r\nb\xE2\x80\xA8" "c\xE2\x80\xA9"), "a  b c ");
    EXPECT_EQ(ScriptText::comment("x\xFF\xC0\xAFy\xE2\x80"), "x" + kReplacement + kReplacement + kReplacement + "y"
                                                                 + kReplacement);
    // A separator cut short is not a separator: it is ill-formed, then text.
    EXPECT_EQ(ScriptText::literal(std::string("\xE2\x80'")), kReplacement + "\\'");
    EXPECT_EQ(ScriptText::literal(std::string("\0", 1)), std::string("\0", 1));
}

TEST_F(HostileInputTest, IllFormedBytesBecomeWhatAUtf8ReaderSees)
{
    // Random byte strings, mostly of bytes that start or continue UTF-8
    // sequences; each written into a comment must read, as UTF-8 text,
    // exactly as node reads the raw bytes (line breaks aside, which a
    // comment writes as blanks).
    std::mt19937 random(7);
    const std::string alphabet = "a\x80\x8F\x90\x9F\xA0\xA8\xBF\xC0\xC1\xC2\xDF\xE0\xE2\xED\xEF\xF0\xF4\xF5\xFF";
    std::string cases = "const cases = [";
    for (int n = 0; n < 500; ++n) {
        std::string raw;
        for (int length = static_cast<int>(random() % 9); length > 0; --length)
            raw += alphabet[random() % alphabet.size()];
        cases += "['" + hex(raw) + "','" + hex(script::ScriptText::comment(raw)) + "'],";
    }
    cases += "];\n";
    const auto problems = nodeOutput(cases + R"JS(
for (const [raw, written] of cases) {
  const bytes = Buffer.from(written, 'hex');
  const read = Buffer.from(raw, 'hex').toString('utf8').replace(/[\u2028\u2029]/g, ' ');
  if (!Buffer.from(bytes.toString('utf8'), 'utf8').equals(bytes)) console.log(raw + ': not UTF-8 ' + written);
  else if (bytes.toString('utf8') !== read) console.log(raw + ': ' + written + ' is not ' + Buffer.from(read).toString('hex'));
}
)JS");
    ASSERT_TRUE(problems.has_value());
    EXPECT_THAT(*problems, IsEmpty());
}

// ---- the project file ----

class HostileProjectFileTest : public HostileInputTest {
protected:
    std::shared_ptr<core::SceneDocument> open(const fs::path& path, std::string& error)
    {
        return openProject(path.string(), error);
    }

    std::optional<std::string> saveAs(const fs::path& path)
    {
        auto project = currentDocument();
        project->setFileLocation(path.string());
        return project->save();
    }
};

TEST_F(HostileProjectFileTest, InvalidUtf8InAFileIsRefusedWithTheFileAndTheProblem)
{
    auto project = currentDocument();
    struct Broken {
        const char* what;
        std::string content;
        const char* message;
    };
    const Broken files[] = {
        {"in a name",
         R"({"format": "scenewright-project", "version": 1, "name": "bad)" "\xFF"
         R"(", "objects": [{"type": "world", "name": "w"}, {"type": "actor", "name": "a"}]})",
         "line 1, column 61: not UTF-8 text (byte 0xFF)"},
        {"an encoded surrogate on a later line",
         "{\"format\": \"scenewright-project\",\n \"name\": \"\xED\xA0\x80\"}", "line 2, column 11: not UTF-8 text (byte 0xED)"},
        {"outside a string", "{\xC3\x28}", "line 1, column 2: not UTF-8 text (byte 0xC3)"},
        {"Latin-1 text", "{\"name\": \"Caf\xE9\"}", "line 1, column 14: not UTF-8 text (byte 0xE9)"},
    };
    for (const auto& [what, content, message] : files) {
        SCOPED_TRACE(what);
        const fs::path path = directory_ / "broken.scw";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
        std::string error;
        EXPECT_EQ(open(path, error), nullptr);
        EXPECT_EQ(error, path.string() + ": " + message);
        EXPECT_EQ(currentDocument(), project);
        // The message itself is text the window can show unchanged.
        EXPECT_EQ(script::ScriptText::comment(error), error);
    }
}

TEST_F(HostileProjectFileTest, TruncatedAndMergedFilesAreRefusedAndLeaveTheOpenProjectAlone)
{
    // A saved scene with every kind of text in it.
    for (const Hostile& each : hostileTexts()) {
        auto door = add<PrimitiveObj>(each.text);
        auto chat = std::make_shared<ChatPrintMessageAction>(door.get());
        chat->message = each.text;
        fire<OnclickTrigger>(chat);
    }
    ASSERT_EQ(saveAs(directory_ / "whole.scw"), std::nullopt);
    const std::string whole = fileContent(directory_ / "whole.scw");
    auto project = currentDocument();
    const auto objects = registry().objects();

    const fs::path cut = directory_ / "cut.scw";
    std::string error;
    // Lengths short of the whole, the empty file aside (an old, empty save
    // that opens as the default project). Each cut is a new file: rewriting
    // one file over and over makes the file system flush it every time.
    for (std::size_t length = 1; length + 1 < whole.size(); length += 7) {
        std::ofstream(cut, std::ios::binary) << whole.substr(0, length);
        ASSERT_EQ(open(cut, error), nullptr) << "opened when cut to " << length << " bytes";
        ASSERT_THAT(error, HasSubstr(cut.string() + ": line "));
        fs::remove(cut);
    }
    // A file left with the markers of a merge that went wrong.
    const std::size_t middle = whole.find("\n", whole.size() / 2) + 1;
    std::ofstream(cut, std::ios::binary | std::ios::trunc)
        << whole.substr(0, middle) << "<<<<<<< HEAD\n=======\n>>>>>>> other\n" << whole.substr(middle);
    EXPECT_EQ(open(cut, error), nullptr);
    EXPECT_THAT(error, HasSubstr(cut.string() + ": line "));
    EXPECT_EQ(currentDocument(), project);
    EXPECT_EQ(registry().objects(), objects);

    // The whole file less its final line feed still is the whole document.
    std::ofstream(cut, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() - 1);
    EXPECT_NE(open(cut, error), nullptr) << error;
}

TEST_F(HostileProjectFileTest, ADirectoryOpenedAsAProjectIsRefusedWithAMessage)
{
    // Opening succeeds on a directory on this system; only the reading fails.
    auto project = currentDocument();
    fs::create_directory(directory_ / "folder.scw");
    std::string error;
    EXPECT_EQ(open(directory_ / "folder.scw", error), nullptr);
    EXPECT_EQ(error, "Cannot open " + (directory_ / "folder.scw").string() + ": Is a directory");
    EXPECT_EQ(currentDocument(), project);
}

TEST_F(HostileProjectFileTest, NonAsciiTextIsKeptByteForByte)
{
    const std::string text = "Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9D\x84\x9E \xE2\x80\xA8 'x' \"y\" \\ \r\n";
    currentDocument()->setName(text);
    auto door = add<PrimitiveObj>(text);
    auto chat = std::make_shared<ChatPrintMessageAction>(door.get());
    chat->message = text + std::string("\0", 1);
    fire<OnclickTrigger>(chat);
    editor().setWelcomeMessage(*registry().world(), text);
    const std::string script = generate(false, false);

    ASSERT_EQ(saveAs(directory_ / "text.scw"), std::nullopt);
    const std::string saved = fileContent(directory_ / "text.scw");
    EXPECT_THAT(saved, HasSubstr("Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9D\x84\x9E"));

    std::string error;
    auto reopened = open(directory_ / "text.scw", error);
    ASSERT_NE(reopened, nullptr) << error;
    EXPECT_EQ(reopened->name(), text);
    EXPECT_EQ(registry().object(2)->getName(), text);
    auto reopenedChat = std::dynamic_pointer_cast<ChatPrintMessageAction>(registry().object(2)->getAtmoAction(0));
    ASSERT_NE(reopenedChat, nullptr);
    EXPECT_EQ(reopenedChat->message, text + std::string("\0", 1));
    EXPECT_EQ(registry().world()->getWelcomeMessage(), text);
    EXPECT_EQ(generate(false, false), script);
}

TEST_F(HostileProjectFileTest, TypedInvalidUtf8IsSavedAsReplacementCharactersAndReopens)
{
    // The file must stay JSON (UTF-8): ill-formed bytes are written as U+FFFD,
    // the character the script already shows for them.
    const std::string typed = "door\xFF\xC0\xAF'\xE2\x80";
    auto door = add<PrimitiveObj>("door");
    editor().renameObject(*door, typed);
    auto chat = std::make_shared<ChatPrintMessageAction>(door.get());
    editor().setField(*chat, "message", typed);
    fire<OnclickTrigger>(chat);
    const std::string script = generate(true, true);

    ASSERT_EQ(saveAs(directory_ / "typed.scw"), std::nullopt);
    std::string error;
    ASSERT_NE(open(directory_ / "typed.scw", error), nullptr) << error;
    const std::string readsAs = "door" + kReplacement + kReplacement + kReplacement + "'" + kReplacement;
    EXPECT_EQ(registry().object(2)->getName(), readsAs);
    EXPECT_EQ(generate(true, true), script);

    ASSERT_EQ(saveAs(directory_ / "again.scw"), std::nullopt);
    EXPECT_EQ(fileContent(directory_ / "again.scw"), fileContent(directory_ / "typed.scw"));
}

} // namespace
} // namespace scenewright::test

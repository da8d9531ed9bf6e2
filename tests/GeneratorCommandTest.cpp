#include "FreshProgramTest.h"

#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/Version.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/Actor.h"
#include "scenewright/core/script/ScriptFormatter.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sys/wait.h>

namespace scenewright::test {
namespace {

using namespace core;
namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& argument)
{
    std::string out = "'";
    for (char c : argument)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs the built generator in the test's directory with the arguments (and
// the text, or the file, on standard input), as a user would from a shell.
class GeneratorCommandTest : public FreshProgramInDirectoryTest {
protected:
    CommandRun run(const std::vector<std::string>& arguments, const std::string& input = "",
                   const std::optional<fs::path>& inputFile = std::nullopt)
    {
        const fs::path in = inputFile.value_or(directory_ / "stdin");
        const fs::path out = directory_ / "stdout";
        const fs::path err = directory_ / "stderr";
        if (!inputFile)
            std::ofstream(in, std::ios::binary) << input;
        std::string command = "cd " + quoted(directory_) + " && " + quoted(SCENEWRIGHT_GEN);
        for (const auto& argument : arguments)
            command += " " + quoted(argument);
        command += " <" + quoted(in) + " >" + quoted(out) + " 2>" + quoted(err);
        CommandRun result;
        int status = std::system(command.c_str());
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = fileContent(out);
        result.err = fileContent(err);
        return result;
    }

    // A saved project with a clicked door and a proximity trigger on it;
    // returns its path and leaves the scene in the registry.
    std::string savedProject()
    {
        auto project = createDefaultProject();
        auto door = std::make_shared<PrimitiveObj>();
        door->setName("door's");
        document().appendObject(door);
        auto move = document().actor()->getAtmoAction(0);
        move->setActive(true);
        auto click = std::make_shared<action::OnclickTrigger>(ids, door.get());
        click->setActive(true);
        click->addAction(move);
        door->addAtmoTrigger(click);
        auto near = std::make_shared<action::ProximityTrigger>(ids, door.get());
        near->setActive(true);
        near->addAction(move);
        door->addAtmoTrigger(near);
        generateAtmoScript();
        const std::string path = (directory_ / "scene.scw").string();
        project->setFileLocation(path);
        EXPECT_EQ(project->save(), std::nullopt);
        return path;
    }

    std::string generated(bool localise, bool synchronised)
    {
        currentDocument()->setLocaliseScript(localise);
        synchronise = synchronised;
        std::string script = generateAtmoScript();
        synchronise = false;
        currentDocument()->setLocaliseScript(false);
        return script;
    }

};

TEST_F(GeneratorCommandTest, PrintsExactlyTheScriptOfTheProject)
{
    const std::string path = savedProject();
    const std::string script = generated(false, false);

    CommandRun plain = run({path});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, script);
    EXPECT_TRUE(nodeAccepts(plain.out));

    CommandRun localised = run({"--localise", path});
    EXPECT_EQ(localised.out, generated(true, false));
    EXPECT_NE(localised.out, script);

    CommandRun synchronised = run({"--synchronise", "--global", path});
    EXPECT_EQ(synchronised.out, generated(false, true));
    EXPECT_THAT(synchronised.out, HasSubstr("triggernames = ["));
    EXPECT_TRUE(nodeAccepts(synchronised.out));

    EXPECT_EQ(run({"--beautify", path}).out, script::ScriptFormatter::beautify(script));
    CommandRun compressed = run({"--compress", path});
    EXPECT_EQ(compressed.out, script::ScriptFormatter::compress(script));
    EXPECT_TRUE(nodeAccepts(compressed.out));
}

TEST_F(GeneratorCommandTest, WritesTheScriptToAFileWhenAsked)
{
    const std::string path = savedProject();
    const fs::path output = directory_ / "world.js";
    CommandRun result = run({"-o", output.string(), path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(fileContent(output), generated(false, false));

    CommandRun unwritable = run({"-o", (directory_ / "missing" / "world.js").string(), path});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_THAT(unwritable.err, HasSubstr("missing/world.js"));
}

TEST_F(GeneratorCommandTest, FormatsAScriptFileOrStandardInput)
{
    const std::string text = "a = 1;\nif(a) {\nb();\n}\n";
    std::ofstream(directory_ / "hand.js") << text;
    CommandRun beautified = run({"--beautify", "--script", (directory_ / "hand.js").string()});
    EXPECT_EQ(beautified.status, 0);
    EXPECT_EQ(beautified.out, script::ScriptFormatter::beautify(text));

    CommandRun compressed = run({"--compress", "--script", "-"}, text);
    EXPECT_EQ(compressed.status, 0);
    EXPECT_EQ(compressed.out, script::ScriptFormatter::compress(text));

    CommandRun missing = run({"--compress", "--script", (directory_ / "none.js").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("none.js"));

    CommandRun folder = run({"--compress", "--script", directory_.string()});
    EXPECT_EQ(folder.status, 1);
    EXPECT_THAT(folder.err, HasSubstr("Is a directory"));
}

TEST_F(GeneratorCommandTest, RefusedProjectsAndUsageErrorsHaveTheirOwnStatus)
{
    std::ofstream(directory_ / "bad.scw") << "{ not json";
    CommandRun refused = run({(directory_ / "bad.scw").string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr("bad.scw: line 1, column 3: expected a field name in double quotes"));
    EXPECT_EQ(refused.out, "");

    EXPECT_EQ(run({(directory_ / "none.scw").string()}).status, 1);
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{}, {"--frobnicate", "x.scw"}, {"--localise", "--global", "x.scw"},
          {"--beautify", "--compress", "x.scw"}, {"a.scw", "b.scw"}, {"-o"}, {"--script", "x.js"},
          {"--compress", "--synchronise", "--script", "x.js"}}) {
        CommandRun result = run(usage);
        EXPECT_EQ(result.status, 2) << ::testing::PrintToString(usage);
        EXPECT_THAT(result.err, HasSubstr("Usage: scenewright-gen"));
    }

    CommandRun version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("scenewright-gen ") + core::Version::text + "\n");
    CommandRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, HasSubstr("--synchronise"));
}

TEST_F(GeneratorCommandTest, NeverReplacesTheProjectAndStopsReadingAtTheLimit)
{
    const std::string project = savedProject();
    const std::string saved = fileContent(project);
    const std::string script = generated(false, false);
    const std::string hand = "a = 1;\nif(a) {\nb();\n}\n";
    fs::create_symlink("scene.scw", directory_ / "link.scw");
    fs::create_hard_link(project, directory_ / "hard.scw");
    fs::copy_file(project, directory_ / "-x.scw");
    fs::create_symlink("loop.js", directory_ / "loop.js");
    std::ofstream(directory_ / "hand.js") << hand;
    // Sparse: larger than the limit without taking the space.
    for (const char* big : {"big.scw", "big.js"}) {
        std::ofstream(directory_ / big);
        fs::resize_file(directory_ / big, 300u << 20);
    }

    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        int status;
        std::string err;
        std::string out;
        std::optional<fs::path> input = std::nullopt;
    };
    const std::vector<Case> cases = {
        {"-o the project", {"-o", "scene.scw", "scene.scw"}, 1, "-o scene.scw names the project file itself", ""},
        {"-o a link to the project", {"-o", "link.scw", "scene.scw"}, 1, "names the project file itself", ""},
        {"-o a hard link to it", {"--compress", "scene.scw", "-o", "hard.scw"}, 1, "names the project file itself", ""},
        {"-o a loop of links", {"-o", "loop.js", "scene.scw"}, 1,
         "Cannot save loop.js: Too many levels of symbolic links", ""},
        {"a script formatted in place", {"--beautify", "--script", "hand.js", "-o", "hand.js"}, 0, "", ""},
        {"a project named like an option after --", {"--", "-x.scw"}, 0, "", script},
        {"the same without --", {"-x.scw"}, 2, "unknown option -x.scw", ""},
        {"--help after --", {"--", "--help"}, 1, "Cannot open --help: No such file or directory", ""},
        {"two projects after --", {"--", "scene.scw", "-x.scw"}, 2, "more than one project file given", ""},
        {"a project larger than the limit", {"big.scw"}, 1,
         "Cannot read big.scw: larger than 256 MiB, the most Scenewright reads", ""},
        {"a script larger than the limit", {"--compress", "--script", "big.js"}, 1,
         "Cannot read big.js: larger than 256 MiB", ""},
        {"an endless device as the project", {"/dev/zero"}, 1, "Cannot read /dev/zero: larger than 256 MiB", ""},
        {"endless standard input", {"--compress", "--script", "-"}, 1, "Cannot read standard input: larger than 256 MiB",
         "", fs::path("/dev/zero")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CommandRun result = run(c.arguments, "", c.input);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_THAT(result.err, HasSubstr(c.err));
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(fileContent(project), saved);
        EXPECT_TRUE(fs::is_symlink(directory_ / "loop.js"));
        for (const auto& entry : fs::directory_iterator(directory_))
            EXPECT_NE(entry.path().filename().string()[0], '.') << "left behind: " << entry.path();
    }
    EXPECT_EQ(fileContent(directory_ / "hand.js"), script::ScriptFormatter::beautify(hand));
}

TEST_F(GeneratorCommandTest, ImportsAScriptBackIntoItsProjectOrRefusesItWhole)
{
    const std::string project = savedProject();
    const std::string script = generated(true, true);
    std::ofstream(directory_ / "castle.js") << script;

    CommandRun imported = run({"--import", "castle.js", "-o", "castle.scw"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.err, "localised, synchronised, plain\n");
    EXPECT_EQ(imported.out, "");
    EXPECT_THAT(fileContent(directory_ / "castle.scw"), HasSubstr("\"name\": \"castle\""));
    EXPECT_EQ(run({"--synchronise", "castle.scw"}).out, script);
    CommandRun piped = run({"--import", "-"}, script::ScriptFormatter::compress(script));
    EXPECT_EQ(piped.err, "localised, synchronised, compressed\n");
    EXPECT_THAT(piped.out, HasSubstr("\"name\": \"default\""));

    // A refused script writes nothing: the message names the file, the line
    // and column and what the generator writes there.
    struct Case {
        const char* what;
        std::string text;
        std::string err;
    };
    const std::size_t click = script.find("this.mouse.onEvent");
    const std::vector<Case> cases = {
        {"a script of another program", "var a = 1;\n",
         "hand.js: line 1, column 1: expected a script Scenewright generated"},
        {"a value of the wrong kind", std::string(script).replace(script.find(") < ") + 3, 0, "'"),
         "expected a number"},
        {"code changed by hand", std::string(script).replace(click, 10, "that.mouse"), "expected"},
        {"a fragment added at the end", script + "alert(1);\n",
         "expected the end of the script, or another fragment Scenewright writes"},
        {"a truncated script", script.substr(0, script.size() / 2), "hand.js: line "},
        {"bytes that are not UTF-8", "a\xff", "hand.js: line 1, column 2: not UTF-8 text"},
        {"the start of on-load code alone", "if(!this.loaded){\n",
         "hand.js: line 1, column 1: expected a localised object's on-load code"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(directory_ / "hand.js", std::ios::trunc) << c.text;
        CommandRun refused = run({"--import", "hand.js", "-o", "hand.scw"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_THAT(refused.err, HasSubstr(c.err));
        EXPECT_FALSE(fs::exists(directory_ / "hand.scw"));
    }

    CommandRun itself = run({"--import", "castle.js", "-o", "castle.js"});
    EXPECT_EQ(itself.status, 1);
    EXPECT_THAT(itself.err, HasSubstr("-o castle.js names the script itself"));
    EXPECT_EQ(fileContent(directory_ / "castle.js"), script);
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{"--import", "castle.js", "--compress"}, {"--import", "castle.js", project},
          {"--synchronise", "--import", "castle.js"}, {"--import"}}) {
        CommandRun result = run(usage);
        EXPECT_EQ(result.status, 2) << ::testing::PrintToString(usage);
        EXPECT_THAT(result.err, HasSubstr("Usage: scenewright-gen"));
    }
}

TEST_F(GeneratorCommandTest, AProjectThatNeedsANumberWhenNoneIsLeftFails)
{
    std::ofstream(directory_ / "full.scw") << R"({"format": "scenewright-project", "version": 1, "objects": [
        {"type": "world", "name": "world"},
        {"type": "actor", "name": "actor", "actions": [{"class": "MovePositionAction", "ids": [1, 2147483646]}]},
        {"type": "primitive", "name": "door"}]})";
    CommandRun full = run({(directory_ / "full.scw").string()});
    EXPECT_EQ(full.status, 1);
    EXPECT_THAT(full.err, HasSubstr("No number is left for a generated name"));
    EXPECT_EQ(full.out, "");
}

} // namespace
} // namespace scenewright::test

#include "SimScene.h"

#include "SimulatorCommand.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace scenewright::test {
namespace {

using tools::SimulatorCommand;

// Each sample world, the steps that show what it does, and a line the run
// must print.
struct Example {
    std::string name;
    std::vector<std::string> steps;
    std::string shows;
};

const std::vector<Example> examples = {
    {"door-greeting", {"--seconds", "1", "--click", "door"},
     "t=1.00 chat.print 'Welcome, traveller! Come in and look around.'\n"},
    {"statue-turning", {"--seconds", "1", "--approach", "statue.aer", "3", "--seconds", "1", "--approach",
                        "statue.aer", "20", "--frames", "1"},
     "removeAnimator statue.aer.revanim"},
    {"lift-along-anchors", {"--seconds", "1", "--click", "lift.aer", "--seconds", "6"},
     "t=5.17 addAnimator lift-top\n"},
    {"foggy-welcome", {"--seconds", "1", "--toggle", "Fog On/Off", "--toggle", "Sound 0 On/Off"},
     "t=1.00 Sound('wind.wav').stop\n"},
};

std::string examplePath(const std::string& name, const char* suffix)
{
    return std::string(SCENEWRIGHT_EXAMPLES) + "/" + name + suffix;
}

std::string fileContent(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using ExamplesTest = SimTest;

TEST_F(ExamplesTest, EachScriptBesideItsProjectIsWhatTheProjectGenerates)
{
    for (const Example& example : examples) {
        core::IdCounter programIds;
        std::string error;
        auto document = core::SceneDocument::open(examplePath(example.name, ".scw"), programIds, error);
        ASSERT_TRUE(document) << error;
        document->nameObjects();
        EXPECT_EQ(core::script::ScriptGenerator::generate(document->objects(), {document->localiseScript()}),
                  fileContent(examplePath(example.name, ".js")))
            << example.name << ": regenerate it with scenewright-gen -o " << example.name << ".js " << example.name
            << ".scw";
    }
}

TEST_F(ExamplesTest, EachRunsInTheSimulatedWorldWithoutAScriptError)
{
    for (const Example& example : examples) {
        std::vector<std::string> arguments = example.steps;
        arguments.push_back(examplePath(example.name, ".scw"));
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(SimulatorCommand::run(arguments, out, err), SimulatorCommand::kSuccess)
            << example.name << "\n" << out.str() << err.str();
        EXPECT_NE(out.str().find(example.shows), std::string::npos) << example.name << "\n" << out.str();
    }
}

TEST_F(ExamplesTest, EverySampleWorldIsChecked)
{
    std::set<std::string> listed;
    for (const auto& entry : std::filesystem::directory_iterator(SCENEWRIGHT_EXAMPLES))
        if (entry.path().extension() == ".scw")
            listed.insert(entry.path().stem().string());
    std::set<std::string> checked;
    for (const Example& example : examples)
        checked.insert(example.name);
    EXPECT_EQ(listed, checked);
}

} // namespace
} // namespace scenewright::test

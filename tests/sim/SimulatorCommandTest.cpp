#include "SimScene.h"

#include "SimulatorCommand.h"

#include <sstream>

namespace scenewright::test {
namespace {

using tools::SimulatorCommand;

class SimulatorCommandTest : public SimTest {
protected:
    int runCommand(std::vector<std::string> arguments)
    {
        out_.str("");
        err_.str("");
        return SimulatorCommand::run(arguments, out_, err_);
    }

    std::ostringstream out_;
    std::ostringstream err_;
};

const std::string doorScene = projectText(R"({ "type": "primitive", "name": "door", "solidObjectIndex": "0",
    "actions": [ { "class": "ChatPrintMessageAction", "active": true, "fields": { "message": "Locked" } } ],
    "triggers": [ { "class": "OnclickTrigger", "active": true, "fields": { "usesSynch": true },
    "actions": [ { "object": 2, "action": 0 } ] } ] })");

TEST_F(SimulatorCommandTest, RunsTheStepsInOrderAndPrintsOneLinePerCall)
{
    const std::string project = writeProject(doorScene);
    EXPECT_EQ(runCommand({"--click", "door", "--seconds", "0.5", "--click", "door", project}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "t=0.00 user.click 'door'\n"
                          "t=0.50 world.loaded 3 objects\n"
                          "t=0.50 user.click 'door'\n"
                          "t=0.50 chat.print 'Locked'\n");
    EXPECT_EQ(runCommand({"--synchronise", "--localise", "--attach", "door", "--frames", "15", "--click", "door", project}),
              0) << err_.str();
    EXPECT_NE(out_.str().find("t=0.50 chat.setSharedProperty 'synchtrigger"), std::string::npos) << out_.str();
    EXPECT_NE(out_.str().find("t=0.50 chat.print 'Locked'"), std::string::npos);
    EXPECT_EQ(runCommand({"--click", "door", "--", project}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "t=0.00 user.click 'door'\n");
}

TEST_F(SimulatorCommandTest, UsageErrorsExitWithTwo)
{
    const std::string project = writeProject(doorScene);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {},
             {"--frames", "2.5", project},
             {"--seconds", "soon", project},
             {"--approach", "door", project},
             {"--localise", "--global", project},
             {"--bogus", project},
             {project, project},
             {"--click", "window", project},
             {"--attach", "nothing", "--localise", project},
             {"--toggle", "Fog On/Off", project},
             {"--frames", "2147483648", project},
             {"--seconds", "1e9", project},
             {"--", project, "--click"}}) {
        EXPECT_EQ(runCommand(arguments), SimulatorCommand::kUsageError) << arguments.size();
        EXPECT_FALSE(err_.str().empty());
    }
    EXPECT_EQ(runCommand({"--help"}), 0);
    EXPECT_EQ(out_.str(), SimulatorCommand::usage());
}

TEST_F(SimulatorCommandTest, RefusedProjectsAndScriptErrorsExitWithOne)
{
    EXPECT_EQ(runCommand({writeProject("{ \"format\": \"other\" }", "bad.scw")}), SimulatorCommand::kFailure);
    EXPECT_NE(err_.str().find("bad.scw"), std::string::npos) << err_.str();
    // After "--", "--help" is the name of a project file.
    EXPECT_EQ(runCommand({"--", "--help"}), SimulatorCommand::kFailure);
    EXPECT_NE(err_.str().find("Cannot open --help"), std::string::npos) << err_.str();

    // Localised and synchronised, the rock's rotation runs in the chat's
    // handler, which cannot reach the rock: a warning first, then the error.
    const std::string rock = projectText(R"({ "type": "solid-object", "name": "rock",
        "actions": [ { "class": "ConstantRotationAction", "active": true } ], "triggers": [ { "class": "OnclickTrigger",
        "active": true, "actions": [ { "object": 2, "action": 0 } ] } ] })");
    EXPECT_EQ(runCommand({"--localise", "--synchronise", "--attach", "rock", "--seconds", "1", "--click", "rock",
                          writeProject(rock)}),
              SimulatorCommand::kFailure);
    EXPECT_EQ(err_.str(), "scenewright-sim: warning: rock <solid-object>: The trigger \"On click trigger\" cannot reach "
                          "rock <solid-object> in a localised and synchronised script; use a global script or switch "
                          "synchronisation off.\n");
    EXPECT_NE(out_.str().find("t=1.00 error line "), std::string::npos) << out_.str();
}

TEST_F(SimulatorCommandTest, NamesPrintEscapedSoThatEveryCallIsOneLine)
{
    const std::string name = "a\nt=0.00 chat.print 'forged'\u2028\\";
    const std::string forger = projectText(R"({ "type": "model.aer/.atmo", "name": "a\nt=0.00 chat.print 'forged'\u2028\\",
        "actions": [ { "class": "OpacityAction", "active": true, "fields": { "fadeInOpacity": false } },
        { "class": "ChatPrintMessageAction", "active": true, "fields": { "message": "one\rtwo" } } ],
        "triggers": [ { "class": "OnclickTrigger", "active": true, "fields": { "usesSynch": false },
        "actions": [ { "object": 2, "action": 0 }, { "object": 2, "action": 1 } ] } ] })");
    EXPECT_EQ(runCommand({"--seconds", "0.5", "--click", name, writeProject(forger)}), 0) << err_.str();
    const std::string escaped = "a\\nt=0.00 chat.print 'forged'\\u2028\\\\";
    std::istringstream lines(out_.str());
    std::vector<std::string> calls;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("t=0.", 0), 0u) << line;
        calls.push_back(line);
    }
    EXPECT_EQ(calls.size(), 9u) << out_.str();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "t=0.50 " + escaped + ".solidObject(0).opacity= 0.5"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "t=0.50 user.click \"" + escaped + "\""), calls.end());
    EXPECT_EQ(calls.back(), "t=0.50 chat.print 'one\\rtwo'");
}

} // namespace
} // namespace scenewright::test

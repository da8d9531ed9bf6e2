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

    // Setting a model's opacity at once walks its viewpoint objects with a
    // call they do not have: the run reports the line and fails.
    const std::string statue = projectText(R"({ "type": "model.aer/.atmo", "name": "statue.aer", "tobeloaded": true,
        "actions": [ { "class": "OpacityAction", "active": true, "fields": { "initialOpacity": 1.0, "finalOpacity": 0.5,
        "fadeInOpacity": false } } ], "triggers": [ { "class": "OnclickTrigger", "active": true,
        "fields": { "usesSynch": false }, "actions": [ { "object": 2, "action": 0 } ] } ] })");
    EXPECT_EQ(runCommand({"--seconds", "1", "--click", "statue.aer", writeProject(statue)}), SimulatorCommand::kFailure);
    EXPECT_NE(out_.str().find("t=1.00 error line "), std::string::npos) << out_.str();
}

} // namespace
} // namespace scenewright::test

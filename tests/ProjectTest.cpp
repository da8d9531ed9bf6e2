#include "FreshProgramTest.h"

#include "scenewright/core/ISaveStateLabel.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/Project.h"
#include "scenewright/core/World.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace scenewright::test {
namespace {

using namespace core;
namespace fs = std::filesystem;

// Records what the label was asked to show: true for black, false for red.
class RecordingLabel : public ISaveStateLabel {
public:
    std::vector<bool> shown;
    void showSaved(bool saved) override { shown.push_back(saved); }
};

using ProjectTest = FreshProgramInDirectoryTest;

void expectDefaultProject(const std::shared_ptr<Project>& project)
{
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(ProjectManager::getInstance().getCurrentProject(), project);
    EXPECT_EQ(project->getName(), "default");
    EXPECT_EQ(project->getState(), Project::STATE_NEW);
    EXPECT_FALSE(project->getLocaliseScript());
    ObjectManager& registry = ObjectManager::getInstance();
    ASSERT_EQ(registry.getAtmoObjectSize(), 2);
    EXPECT_EQ(registry.getAtmoObject(0)->getType(), "world");
    EXPECT_EQ(registry.getAtmoObject(1)->getType(), IAtmoObject::TYPE_ACTOR);
}

TEST_F(ProjectTest, FreshManagerHasNoProjectAndIsNotLocalised)
{
    ProjectManager& manager = ProjectManager::getInstance();
    EXPECT_EQ(manager.getCurrentProject(), nullptr);
    EXPECT_FALSE(manager.isCurrentLocalised());
    EXPECT_FALSE(manager.getLastDirectoryProjectSave());
    EXPECT_FALSE(manager.getLastDirectoryScriptSave());
}

TEST_F(ProjectTest, DefaultProjectReplacesTheRegistryAndLeavesTheOldLabelAlone)
{
    ProjectManager& manager = ProjectManager::getInstance();
    auto first = manager.createDefaultProject();
    RecordingLabel label;
    first->setUpdateLabel(&label);
    first->setState(Project::STATE_UNSAVED);
    auto fan = std::make_shared<ModelObj>();
    ObjectManager::getInstance().addAtmoObject(fan);
    auto oldWorld = ObjectManager::getInstance().getWorld();

    auto second = manager.createDefaultProject();

    expectDefaultProject(second);
    EXPECT_NE(second, first);
    EXPECT_NE(ObjectManager::getInstance().getWorld(), oldWorld);
    EXPECT_EQ(label.shown, std::vector<bool>{false});
}

TEST_F(ProjectTest, LocalisedFlagFollowsTheCurrentProject)
{
    ProjectManager& manager = ProjectManager::getInstance();
    auto project = manager.createDefaultProject();
    EXPECT_FALSE(manager.isCurrentLocalised());
    project->setLocaliseScript(true);
    EXPECT_TRUE(manager.isCurrentLocalised());
    manager.setCurrentProject(nullptr);
    EXPECT_FALSE(manager.isCurrentLocalised());
}

TEST_F(ProjectTest, SetStateShowsBlackOnlyForSaved)
{
    Project project;
    project.setState(Project::STATE_UNSAVED);
    EXPECT_EQ(project.getState(), Project::STATE_UNSAVED);
    EXPECT_FALSE(project.isSaved());

    RecordingLabel label;
    project.setUpdateLabel(&label);
    project.setState(Project::STATE_UNSAVED);
    project.setState(Project::STATE_NEW);
    project.setState(Project::STATE_SAVED);
    EXPECT_EQ(label.shown, (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(project.isSaved());
}

TEST_F(ProjectTest, SaveReplacesTheFileWithTheProjectAndMarksItSaved)
{
    const fs::path file = directory_ / "world.scw";
    std::ofstream(file) << "old content";
    auto project = ProjectManager::getInstance().createDefaultProject();
    RecordingLabel label;
    project->setUpdateLabel(&label);
    project->setFileLocation(file.string());

    testing::internal::CaptureStdout();
    const std::optional<std::string> failure = project->save();
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_FALSE(failure) << *failure;
    EXPECT_EQ(out, "Saving project to " + file.string() + "\n");
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fileContent(file).rfind("{\n  \"format\": \"scenewright-project\",", 0), 0u);
    EXPECT_TRUE(project->isSaved());
    EXPECT_TRUE(label.shown.empty());
}

TEST_F(ProjectTest, FailedSaveIsReportedWithPathAndReasonAndLeavesTheProjectUnsaved)
{
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {directory_ / "missing" / "world.scw", "No such file or directory"},
        {directory_, "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        auto project = ProjectManager::getInstance().createDefaultProject();
        project->setFileLocation(path.string());

        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const std::optional<std::string> failure = project->save();
        const std::string out = testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();

        ASSERT_TRUE(failure) << path;
        EXPECT_NE(failure->find(path.string()), std::string::npos) << *failure;
        EXPECT_NE(failure->find(reason), std::string::npos) << *failure;
        EXPECT_EQ(out, "Saving project to " + path.string() + "\n");
        EXPECT_EQ(project->getState(), Project::STATE_NEW);
        EXPECT_FALSE(project->isSaved());
    }
}

TEST_F(ProjectTest, SaveWithoutAFileLocationFails)
{
    auto project = ProjectManager::getInstance().createDefaultProject();
    testing::internal::CaptureStdout();
    const std::optional<std::string> failure = project->save();
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(failure);
    EXPECT_FALSE(project->isSaved());
}

} // namespace
} // namespace scenewright::test

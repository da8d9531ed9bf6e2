#include "FreshProgramTest.h"

#include "scenewright/core/ModelObj.h"
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

class ProjectTest : public FreshProgramInDirectoryTest {
protected:
    void expectDefaultProject(const std::shared_ptr<core::SceneDocument>& project);
};

void ProjectTest::expectDefaultProject(const std::shared_ptr<core::SceneDocument>& project)
{
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(currentDocument(), project);
    EXPECT_EQ(project->name(), "default");
    EXPECT_EQ(project->state(), core::SceneDocument::STATE_NEW);
    EXPECT_FALSE(project->localiseScript());
    core::SceneDocument& registry = document();
    ASSERT_EQ(registry.objectCount(), 2);
    EXPECT_EQ(registry.object(0)->getType(), "world");
    EXPECT_EQ(registry.object(1)->getType(), IAtmoObject::TYPE_ACTOR);
}

TEST_F(ProjectTest, AFreshDocumentIsNewEmptyAndNotLocalised)
{
    SceneDocument fresh(ids);
    EXPECT_EQ(fresh.objectCount(), 0);
    EXPECT_EQ(fresh.state(), SceneDocument::STATE_NEW);
    EXPECT_FALSE(fresh.localiseScript());
    EXPECT_EQ(fresh.fileLocation(), std::nullopt);
}

TEST_F(ProjectTest, DefaultProjectReplacesTheRegistryAndLeavesTheOldLabelAlone)
{
    auto first = createDefaultProject();
    RecordingLabel label(*first);
    first->setState(core::SceneDocument::STATE_UNSAVED);
    auto fan = std::make_shared<ModelObj>();
    document().appendObject(fan);
    auto oldWorld = document().world();

    auto second = createDefaultProject();

    expectDefaultProject(second);
    EXPECT_NE(second, first);
    EXPECT_NE(document().world(), oldWorld);
    EXPECT_EQ(label.shown, std::vector<bool>{false});
}

TEST_F(ProjectTest, LocalisedFlagFollowsTheCurrentProject)
{
    auto project = createDefaultProject();
    EXPECT_FALSE(sceneContext().localised());
    project->setLocaliseScript(true);
    EXPECT_TRUE(sceneContext().localised());
    EXPECT_FALSE(createDefaultProject()->localiseScript());
    EXPECT_FALSE(sceneContext().localised());
}

TEST_F(ProjectTest, SetStateShowsBlackOnlyForSaved)
{
    SceneDocument project(ids);
    project.setState(core::SceneDocument::STATE_UNSAVED);
    EXPECT_EQ(project.state(), core::SceneDocument::STATE_UNSAVED);
    EXPECT_FALSE(project.isSaved());

    RecordingLabel label(project);
    project.setState(core::SceneDocument::STATE_UNSAVED);
    project.setState(core::SceneDocument::STATE_NEW);
    project.setState(core::SceneDocument::STATE_SAVED);
    EXPECT_EQ(label.shown, (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(project.isSaved());
}

TEST_F(ProjectTest, SaveReplacesTheFileWithTheProjectAndMarksItSaved)
{
    const fs::path file = directory_ / "world.scw";
    std::ofstream(file) << "old content";
    auto project = createDefaultProject();
    RecordingLabel label(*project);
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
        auto project = createDefaultProject();
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
        EXPECT_EQ(project->state(), core::SceneDocument::STATE_NEW);
        EXPECT_FALSE(project->isSaved());
    }
}

TEST_F(ProjectTest, SaveWithoutAFileLocationFails)
{
    auto project = createDefaultProject();
    testing::internal::CaptureStdout();
    const std::optional<std::string> failure = project->save();
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(failure);
    EXPECT_FALSE(project->isSaved());
}

} // namespace
} // namespace scenewright::test

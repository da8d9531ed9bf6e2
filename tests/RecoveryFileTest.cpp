#include "FreshProgramTest.h"

#include "scenewright/core/Project.h"
#include "scenewright/core/SceneEditor.h"
#include "scenewright/core/io/RecoveryFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace scenewright::test {
namespace {

using namespace core;
namespace fs = std::filesystem;

using RecoveryFileTest = FreshProgramInDirectoryTest;

TEST_F(RecoveryFileTest, ReopensTheSceneUnsavedAtItsOriginalLocation)
{
    auto project = ProjectManager::getInstance().createDefaultProject();
    project->setName("castle");
    project->setFileLocation("/home/builder/castle.scw");
    SceneEditor::getInstance().addObject("door", IAtmoObject::TYPE_PRIMITIVE);
    SceneEditor::getInstance().setLocaliseScript(true);
    const std::string script = ObjectManager::getInstance().generateAtmoScript();
    io::RecoveryFile recovery((directory_ / "deeper").string());

    ASSERT_FALSE(recovery.exists());
    ASSERT_EQ(recovery.write(*project), std::nullopt);
    EXPECT_EQ(project->getState(), Project::STATE_UNSAVED);
    ProjectManager::getInstance().createDefaultProject();

    ASSERT_TRUE(recovery.exists());
    std::string error;
    auto reopened = recovery.reopen(error);
    ASSERT_NE(reopened, nullptr) << error;
    EXPECT_EQ(reopened->getName(), "castle");
    EXPECT_EQ(reopened->getFileLocation(), std::optional<std::string>("/home/builder/castle.scw"));
    EXPECT_EQ(reopened->getState(), Project::STATE_UNSAVED);
    EXPECT_TRUE(reopened->getLocaliseScript());
    EXPECT_EQ(ObjectManager::getInstance().generateAtmoScript(), script);

    recovery.forget();
    EXPECT_FALSE(recovery.exists());
}

TEST_F(RecoveryFileTest, AProjectWithoutAFileReopensWithoutOne)
{
    auto project = ProjectManager::getInstance().createDefaultProject();
    io::RecoveryFile recovery(directory_.string());
    ASSERT_EQ(recovery.write(*project), std::nullopt);
    std::string error;
    auto reopened = recovery.reopen(error);
    ASSERT_NE(reopened, nullptr) << error;
    EXPECT_EQ(reopened->getFileLocation(), std::nullopt);
}

TEST_F(RecoveryFileTest, AnUnwritableFolderIsReported)
{
    auto project = ProjectManager::getInstance().createDefaultProject();
    const fs::path blocker = directory_ / "file";
    std::ofstream{blocker};
    io::RecoveryFile recovery((blocker / "inside").string());
    const auto failure = recovery.write(*project);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find(blocker.string()), std::string::npos) << *failure;
    EXPECT_FALSE(recovery.exists());
}

} // namespace
} // namespace scenewright::test

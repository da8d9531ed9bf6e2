#include "FreshProgramTest.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/Project.h"
#include "scenewright/core/ProjectManager.h"
#include "scenewright/core/World.h"

namespace scenewright::test {
namespace {

using namespace core;

using DefaultProjectTest = FreshProgramTest;

TEST_F(DefaultProjectTest, HoldsTheWorldThenTheActorAndGeneratesOnlyTheBanners)
{
    auto project = ProjectManager::getInstance().createDefaultProject();
    ObjectManager& registry = ObjectManager::getInstance();
    ASSERT_EQ(registry.getAtmoObjectSize(), 2);
    EXPECT_NE(registry.getWorld(), nullptr);
    EXPECT_NE(registry.getActor(), nullptr);
    EXPECT_EQ(project->getState(), Project::STATE_NEW);
    EXPECT_EQ(project->getName(), "default");

    const std::string script = registry.generateAtmoScript();
    EXPECT_EQ(script, "// ***************************************\n"
                      "// Object declarations \n"
                      "// ***************************************\n"
                      "\n"
                      "// ***************************************\n"
                      "// Trigger actions \n"
                      "// ***************************************\n"
                      "\n\n\n");
    EXPECT_TRUE(nodeAccepts(script));
}

} // namespace
} // namespace scenewright::test

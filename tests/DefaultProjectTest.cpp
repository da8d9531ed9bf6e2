#include "FreshProgramTest.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"

namespace scenewright::test {
namespace {

using namespace core;

using DefaultProjectTest = FreshProgramTest;

TEST_F(DefaultProjectTest, HoldsTheWorldThenTheActorAndGeneratesOnlyTheBanners)
{
    auto project = createDefaultProject();
    core::SceneDocument& registry = document();
    ASSERT_EQ(registry.objectCount(), 2);
    EXPECT_NE(registry.world(), nullptr);
    EXPECT_NE(registry.actor(), nullptr);
    EXPECT_EQ(project->state(), core::SceneDocument::STATE_NEW);
    EXPECT_EQ(project->name(), "default");

    const std::string script = generateAtmoScript();
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

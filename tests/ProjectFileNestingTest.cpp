#include "FreshProgramTest.h"

#include "scenewright/core/io/ProjectFileReader.h"

#include <gmock/gmock.h>

#include <string>

namespace scenewright::test {
namespace {

using core::io::ProjectFileReader;
using ::testing::HasSubstr;
using ::testing::Not;

class ProjectFileNestingTest : public FreshProgramTest {
protected:
    std::string refusal(const std::string& text)
    {
        std::string error;
        EXPECT_FALSE(ProjectFileReader::read(text, "deep.scw", ids, error));
        return error;
    }
};

TEST_F(ProjectFileNestingTest, DeeplyNestedFilesAreRefusedWhereTheyPassTheLimit)
{
    // A small file must not build a tree of a hundred thousand empty arrays.
    EXPECT_EQ(refusal(std::string(100000, '[')),
              "deep.scw: line 1, column 65: arrays and objects nested more than 64 deep");

    std::string objects = "{\"format\": \"scenewright-project\",\n\"objects\":\n";
    for (int i = 0; i < 70; ++i)
        objects += "{\"a\": ";
    EXPECT_THAT(refusal(objects), HasSubstr("deep.scw: line 3, column 379: arrays and objects nested"));
}

TEST_F(ProjectFileNestingTest, NestingWithinTheLimitGetsTheUsualChecks)
{
    const std::string deepest = std::string(64, '[') + std::string(64, ']');
    EXPECT_THAT(refusal(deepest), Not(HasSubstr("nested")));
    // What is closed no longer counts.
    std::string closed = "[";
    for (int i = 0; i < 100; ++i)
        closed += "[],";
    EXPECT_THAT(refusal(closed + std::string(64, '[')), HasSubstr("column 365: arrays and objects nested"));
}

TEST_F(ProjectFileNestingTest, BracketsInsideStringsDoNotCount)
{
    const std::string name = std::string(200, '[') + "\\\"{{{\\\\";
    const std::string text = R"({"format": "scenewright-project", "version": 1, "name": ")" + name
                             + R"(", "objects": [{"type": "world", "name": "world"}, {"type": "actor", "name": "actor"}]})";
    std::string error;
    auto project = ProjectFileReader::read(text, "brackets.scw", ids, error);
    ASSERT_TRUE(project) << error;
    EXPECT_EQ(project->name, std::string(200, '[') + "\"{{{\\");
}

} // namespace
} // namespace scenewright::test

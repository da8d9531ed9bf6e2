#include "FreshProgramTest.h"

#include "scenewright/core/action/ProximityTrigger.h"

namespace scenewright::test {
namespace {

using namespace core::action;

using FieldAccessTest = FreshProgramTest;

// A string literal must reach the text overload, not turn into a boolean.
TEST_F(FieldAccessTest, SetsFieldsFromStringLiteralsAsText)
{
    ProximityTrigger trigger;
    trigger.set("distance", "1e2");
    EXPECT_EQ(trigger.distance, 100.0);
    trigger.set("continuous", false);
    EXPECT_FALSE(trigger.continuous);
    EXPECT_THROW(trigger.set("distance", "far"), std::invalid_argument);
    EXPECT_EQ(trigger.distance, 100.0);
}

} // namespace
} // namespace scenewright::test

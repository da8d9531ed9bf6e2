#pragma once

#include "scenewright/core/InteractionManager.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/ProjectManager.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/script/ScriptContext.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <optional>
#include <string>
#include <vector>

namespace scenewright::test {

// A test that starts from the state of a freshly started program: no
// project, an empty registry, the id counter at 0, synchronisation off,
// and no interaction registry yet.
class FreshProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        core::ObjectManager::resetForTesting();
        core::ProjectManager::resetForTesting();
        core::InteractionManager::resetForTesting();
    }
    // Not the virtual SetUp: a derived fixture's would set up again.
    void TearDown() override { FreshProgramTest::SetUp(); }
};

// The context in which the current project and the synchronisation switch
// generate a script, for tests that ask objects for their fragments.
inline core::script::ScriptContext sceneContext()
{
    const core::ProjectManager& projects = core::ProjectManager::getInstance();
    return core::script::ScriptContext(projects.isCurrentLocalised(), projects.isSynchronised());
}

// The trigger's whole fragment, generated in a context of its own (see
// sceneContext).
inline std::string triggerScript(const core::action::AtmoTrigger& trigger)
{
    core::script::ScriptContext context = sceneContext();
    return trigger.doScript(context);
}

// A fresh program state with an empty temporary directory of the test's
// own, removed again afterwards.
class FreshProgramInDirectoryTest : public FreshProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The names of the files in the directory, sorted.
    std::vector<std::string> entries() const;

    std::filesystem::path directory_;
};

// The bytes of a file; empty when it cannot be read.
std::string fileContent(const std::filesystem::path& path);

// Whether `node --check` accepts the script; on refusal node's message is
// written to `diagnostics` when given.
bool nodeAccepts(const std::string& script, std::string* diagnostics = nullptr);

// What node writes to standard output when it runs the script; no value
// when node fails.
std::optional<std::string> nodeOutput(const std::string& script);

// Whether both scripts parse to the same syntax tree, source positions
// aside (acorn, latest ECMAScript). Empty when acorn cannot be loaded; false
// when either does not parse.
std::optional<bool> sameSyntaxTree(const std::string& a, const std::string& b);

} // namespace scenewright::test

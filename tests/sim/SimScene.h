#pragma once

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/sim/SimulatedScene.h"
#include "scenewright/sim/SimulatedWorld.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <string>

namespace scenewright::test {

// A project file around the given user objects (JSON, comma-separated),
// after a plain world and actor. `worldParts` goes into the world object.
inline std::string projectText(const std::string& objects, const std::string& worldParts = "")
{
    return "{ \"format\": \"scenewright-project\", \"version\": 1, \"name\": \"t\", \"localiseScript\": false,\n"
           "  \"objects\": [ { \"type\": \"world\", \"name\": \"world\"" +
           (worldParts.empty() ? "" : ", " + worldParts) +
           " },\n"
           "  { \"type\": \"actor\", \"name\": \"actor\", \"actions\": [], \"triggers\": [] }" +
           (objects.empty() ? "" : ",\n" + objects) + " ] }\n";
}

// A program's id counter of its own for every test, and a directory for
// project files.
class SimTest : public ::testing::Test {
protected:
    core::IdCounter ids;

    std::string writeProject(const std::string& text, const std::string& name = "scene.scw")
    {
        const std::string path = QDir(directory_.path()).filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Opens the project and starts a simulated run of its script.
    std::unique_ptr<sim::SimulatedWorld> run(const std::string& text, bool localised = false,
                                            const std::string& attachedTo = "", bool synchronised = false)
    {
        std::string error;
        auto project = core::SceneDocument::open(writeProject(text), ids, error);
        if (!project) {
            ADD_FAILURE() << error;
            return nullptr;
        }
        project->setLocaliseScript(localised);
        sim::SimulatedScene scene = sim::SimulatedScene::fromDocument(*project, {localised, synchronised});
        scene.attachedTo = attachedTo;
        return std::make_unique<sim::SimulatedWorld>(std::move(scene));
    }

    QTemporaryDir directory_;
};

// The log's lines, from entry `from` on, each without its time.
inline std::vector<std::string> calls(const sim::SimulatedWorld& world, std::size_t from = 0)
{
    std::vector<std::string> out;
    for (std::size_t i = from; i < world.log().size(); ++i) {
        const sim::SimLogEntry& entry = world.log()[i];
        out.push_back((entry.call + (entry.arguments.isEmpty() ? "" : " " + entry.arguments)).toStdString());
    }
    return out;
}

// How many log lines, from entry `from` on, start with `prefix`.
inline int count(const sim::SimulatedWorld& world, const std::string& prefix, std::size_t from = 0)
{
    int n = 0;
    for (const std::string& line : calls(world, from))
        n += line.rfind(prefix, 0) == 0;
    return n;
}

// The text of the last log line starting with `prefix`; empty when none.
inline std::string last(const sim::SimulatedWorld& world, const std::string& prefix)
{
    std::string found;
    for (const std::string& line : calls(world))
        if (line.rfind(prefix, 0) == 0)
            found = line;
    return found;
}

} // namespace scenewright::test

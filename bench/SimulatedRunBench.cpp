#include "SceneBuilder.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/script/ScriptGenerator.h"

#include "scenewright/sim/SimulatedScene.h"
#include "scenewright/sim/SimulatedWorld.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace scenewright::bench {
namespace {

// The JavaScript engine wants an application object.
void startApplication()
{
    static int argc = 1;
    static char name[] = "scenewright_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// Loads the script of a scene into a fresh simulated world and runs ten
// simulated seconds, the actor standing far from every object.
void simulateTenSeconds(benchmark::State& state)
{
    startApplication();

    core::IdCounter ids;
    const auto document = buildScene(ids, static_cast<int>(state.range(0)));
    const sim::SimulatedScene scene = sim::SimulatedScene::fromDocument(*document, {});
    for (auto _ : state) {
        sim::SimulatedWorld world(scene);
        world.runSeconds(10.0);
        benchmark::DoNotOptimize(world.log().size());
    }
    state.counters["objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(simulateTenSeconds)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Starts a fresh simulated world on a scene's script, up to the world's
// first frame: the cost should grow with the script, no faster.
void loadSimulatedWorld(benchmark::State& state)
{
    startApplication();

    core::IdCounter ids;
    const auto document = buildScene(ids, static_cast<int>(state.range(0)));
    const sim::SimulatedScene scene = sim::SimulatedScene::fromDocument(*document, {});
    for (auto _ : state) {
        sim::SimulatedWorld world(scene);
        benchmark::DoNotOptimize(world.log().size());
    }
    state.counters["objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(loadSimulatedWorld)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace scenewright::bench

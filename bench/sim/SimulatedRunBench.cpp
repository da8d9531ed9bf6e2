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

// Starts a fresh simulated world on the script of a benchmark scene of the
// state's size as many times as the state asks, and runs `seconds` of it
// each time, the actor standing far from every object.
void simulate(benchmark::State& state, double seconds)
{
    // The JavaScript engine wants an application object.
    static int argc = 1;
    static char name[] = "scenewright_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);

    core::IdCounter ids;
    const auto document = buildScene(ids, static_cast<int>(state.range(0)));
    const sim::SimulatedScene scene = sim::SimulatedScene::fromDocument(*document, {});
    for (auto _ : state) {
        sim::SimulatedWorld world(scene);
        world.runSeconds(seconds);
        benchmark::DoNotOptimize(world.log().size());
    }
    state.counters["objects"] = static_cast<double>(state.range(0));
}

void simulateTenSeconds(benchmark::State& state)
{
    simulate(state, 10.0);
}
BENCHMARK(simulateTenSeconds)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Up to the world's first frame: the cost should grow with the script, no
// faster.
void loadSimulatedWorld(benchmark::State& state)
{
    simulate(state, 0.0);
}
BENCHMARK(loadSimulatedWorld)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace scenewright::bench

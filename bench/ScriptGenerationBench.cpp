#include "SceneBuilder.h"

#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/SharedObjectsManager.h"

#include <benchmark/benchmark.h>

namespace scenewright::bench {
namespace {

using namespace core;

// Generates the whole script of scenes of growing size, with half of the
// triggers synchronised.
void generateScript(benchmark::State& state)
{
    buildScene(static_cast<int>(state.range(0)));
    SharedObjectsManager::getInstance().setActive(true);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string script = ObjectManager::getInstance().generateAtmoScript();
        bytes += script.size();
        benchmark::DoNotOptimize(script);
    }
    SharedObjectsManager::getInstance().setActive(false);
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(generateScript)->Arg(500)->Arg(1000)->Arg(5000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scenewright::bench

#include "SceneBuilder.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/ScriptImport.h"
#include "scenewright/core/script/ScriptGenerator.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace scenewright::bench {
namespace {

using namespace core;

// Imports the synchronised script of scenes of growing size (the scenes of
// the generation benchmark), from its plain form back to a project.
void importScript(benchmark::State& state)
{
    IdCounter ids;
    const auto document = buildScene(ids, static_cast<int>(state.range(0)));
    const std::string script =
        script::ScriptGenerator::generate(document->objects(), {document->localiseScript(), true});
    std::size_t bytes = 0;
    for (auto _ : state) {
        IdCounter counter;
        std::string error;
        auto imported = io::ScriptImport::read(script, "bench.js", counter, error);
        if (!imported)
            throw std::runtime_error(error);
        bytes += script.size();
        benchmark::DoNotOptimize(imported);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(importScript)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scenewright::bench

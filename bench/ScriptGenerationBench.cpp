#include "SceneBuilder.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/script/ScriptGenerator.h"

#include <benchmark/benchmark.h>

namespace scenewright::bench {
namespace {

using namespace core;

// Generates the whole script of scenes of growing size, with half of the
// triggers synchronised.
void generateScript(benchmark::State& state)
{
    IdCounter ids;
    const auto document = buildScene(ids, static_cast<int>(state.range(0)));
    const script::ScriptOptions options{document->localiseScript(), true};
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string script = script::ScriptGenerator::generate(document->objects(), options);
        bytes += script.size();
        benchmark::DoNotOptimize(script);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(generateScript)->Arg(500)->Arg(1000)->Arg(5000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

// The same scripts handed on in blocks as they are generated, as
// scenewright-gen writes them to a file, without holding them whole.
void streamScript(benchmark::State& state)
{
    IdCounter ids;
    const auto document = buildScene(ids, static_cast<int>(state.range(0)));
    const script::ScriptOptions options{document->localiseScript(), true};
    std::size_t bytes = 0;
    for (auto _ : state)
        script::ScriptGenerator::write(document->objects(), options, [&bytes](std::string_view block) {
            benchmark::DoNotOptimize(block.data());
            bytes += block.size();
        });
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(streamScript)->Arg(500)->Arg(5000)->Arg(40000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scenewright::bench

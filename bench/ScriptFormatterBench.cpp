#include "scenewright/core/script/ScriptFormatter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using scenewright::core::script::ScriptFormatter;

// About 10 MB in the shape of a generated script: declarations, handler
// functions with nested blocks, for loops, comments and quoted strings.
const std::string& generatedScript()
{
    static const std::string script = [] {
        constexpr std::size_t kTargetSize = 10 * 1024 * 1024;
        std::string s;
        s.reserve(kTargetSize + 4096);
        for (int id = 0; s.size() < kTargetSize; ++id) {
            const std::string n = std::to_string(id);
            s += "// Object door" + n + " - primitive\n";
            s += "var door" + n + " = theStage.getObjectByName('door" + n + "');\n";
            s += "var animator" + n + " = new Object();\n";
            s += "var sound" + n + " = new Sound('sounds/door" + n + ".wav');\n";
            s += "door" + n + ".opacity = 0.5;\n";
            s += "function onClick" + n + "(event) {\n";
            s += "\tif (actor.getPosition().distance(door" + n + ".getPosition()) < 12.5) {\n";
            s += "\t\tchat.print('Welcome to room " + n + ", please come in');\n";
            s += "\t\tsound" + n + ".play();\n";
            s += "\t}\n";
            s += "\telse {\n";
            s += "\t\tremoveAnimator(animator" + n + ");\n";
            s += "\t}\n";
            s += "\tfor(var i = 0; i < 10; i++) {\n";
            s += "\t\tdoor" + n + ".rotation = new Rotation(0.0, 1.0, 0.0, i / 2);\n";
            s += "\t}\n";
            s += "}\n";
            s += "door" + n + ".addEventHandler(new MouseEventHandler(onClick" + n + "));\n\n";
        }
        return s;
    }();
    return script;
}

void beautify(benchmark::State& state)
{
    const std::string& script = generatedScript();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScriptFormatter::beautify(script));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(script.size()));
}

void compress(benchmark::State& state)
{
    const std::string& script = generatedScript();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScriptFormatter::compress(script));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(script.size()));
}

BENCHMARK(beautify)->Unit(benchmark::kMillisecond);
BENCHMARK(compress)->Unit(benchmark::kMillisecond);

} // namespace

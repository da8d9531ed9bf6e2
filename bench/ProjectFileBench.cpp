#include "SceneBuilder.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/RecoveryFile.h"
#include "scenewright/core/io/SaveFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace scenewright::bench {
namespace {

using namespace core;

constexpr int kObjects = 10000;

std::string projectText(const SceneDocument& document)
{
    return io::ProjectFileWriter::write("bench", false, document.objects());
}

// A file of this run's own in the temporary directory.
std::string temporaryFile(const std::string& suffix)
{
    return (std::filesystem::temp_directory_path() / ("scenewright-bench-" + std::to_string(::getpid()) + suffix))
        .string();
}

// Writes a project of 10,000 objects to disk, atomically, as Save does.
void saveProject(benchmark::State& state)
{
    IdCounter ids;
    const auto document = buildScene(ids, kObjects);
    const std::string path = temporaryFile(".scw");
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = projectText(*document);
        io::SaveFile file(path);
        if (!file.save(text))
            state.SkipWithError(file.errorString().c_str());
        bytes += text.size();
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(saveProject)->Unit(benchmark::kMillisecond);

// Opens a project file of 10,000 objects, as Open does: the file read,
// checked and made into a document. Letting the document go is not timed.
void openProject(benchmark::State& state)
{
    IdCounter ids;
    const auto document = buildScene(ids, kObjects);
    const std::string text = projectText(*document);
    const std::string path = temporaryFile(".scw");
    if (!io::SaveFile(path).save(text))
        state.SkipWithError("cannot write the project file");
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string error;
        auto opened = SceneDocument::open(path, ids, error);
        if (!opened)
            state.SkipWithError(error.c_str());
        bytes += text.size();
        state.PauseTiming();
        opened.reset();
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(openProject)->Unit(benchmark::kMillisecond);

// The recovery of unsaved work on a scene of 1,000 objects: the snapshot,
// taken on the window's thread, and the text and atomic write, done on
// another.
void recoverySnapshot(benchmark::State& state)
{
    IdCounter ids;
    const auto document = buildScene(ids, 1000);
    const SceneDocument& project = *document;
    for (auto _ : state) {
        io::RecoverySnapshot snapshot = io::RecoveryFile::snapshot(project);
        // The program lets it go on the writing thread.
        state.PauseTiming();
        snapshot = {};
        state.ResumeTiming();
    }
}
BENCHMARK(recoverySnapshot)->Unit(benchmark::kMillisecond);

void recoveryWrite(benchmark::State& state)
{
    IdCounter ids;
    const auto document = buildScene(ids, 1000);
    const SceneDocument& project = *document;
    const io::RecoverySnapshot snapshot = io::RecoveryFile::snapshot(project);
    const io::RecoveryFile file(temporaryFile(".recovery"));
    for (auto _ : state)
        if (const auto failure = file.write(snapshot))
            state.SkipWithError(failure->c_str());
    file.remove();
}
BENCHMARK(recoveryWrite)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scenewright::bench

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/ProjectFileReader.h"
#include "scenewright/core/io/ProjectFileWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s\n%s\n", what, detail.c_str());
    std::abort();
}

} // namespace

// Any bytes either open as a project or are refused with a message; nothing
// throws past the reader. A project that opens saves and reopens to the same
// text. Each input starts from a fresh program state so that a finding
// reproduces from its input alone.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace scenewright::core;

    IdCounter ids;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto project = io::ProjectFileReader::read(text, "fuzz.scw", ids, error);
    if (!project) {
        if (error.empty())
            fail("refused without a message", text);
        return 0;
    }
    const std::string saved = io::ProjectFileWriter::write(project->name, project->localiseScript, project->objects);
    auto reopened = io::ProjectFileReader::read(saved, "fuzz.scw", ids, error);
    if (!reopened)
        fail("a saved project does not reopen", error + "\n" + saved);
    const std::string savedAgain =
        io::ProjectFileWriter::write(reopened->name, reopened->localiseScript, reopened->objects);
    if (savedAgain != saved)
        fail("a reopened project saves differently", saved + "\n----\n" + savedAgain);
    return 0;
}

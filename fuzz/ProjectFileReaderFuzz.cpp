#include "scenewright/core/io/ProjectFileReader.h"
#include "scenewright/core/io/ProjectFileWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>

// Any bytes either open as a project or are refused with a message; a
// project that opens saves and reopens to the same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace scenewright::core;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto project = io::ProjectFileReader::read(text, "fuzz.scw", error);
    if (!project) {
        if (error.empty())
            std::abort();
        return 0;
    }
    const std::string saved = io::ProjectFileWriter::write(project->name, project->localiseScript, project->objects);
    auto reopened = io::ProjectFileReader::read(saved, "fuzz.scw", error);
    if (!reopened)
        std::abort();
    if (io::ProjectFileWriter::write(reopened->name, reopened->localiseScript, reopened->objects) != saved)
        std::abort();
    return 0;
}

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
// throws past the reader. A message names the file, a line and a column, and
// is one short line of printable text, whatever the file holds. A project
// that opens saves and reopens to the same text. Each input starts from a
// fresh program state so that a finding reproduces from its input alone.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace scenewright::core;

    IdCounter ids;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto project = io::ProjectFileReader::read(text, "fuzz.scw", ids, error);
    if (!project) {
        if (error.rfind("fuzz.scw: line ", 0) != 0)
            fail("refused without the file and a position", error);
        // 200 characters of quoted text, each escaped in at most 6 bytes
        // ("\u202e"), and the rest of the message.
        if (error.size() > 1600)
            fail("a message too long", error);
        for (char c : error)
            if (c >= 0 && c < 0x20)
                fail("a control character in a message", error);
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

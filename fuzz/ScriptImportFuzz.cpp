#include "RandomScene.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/ScriptImport.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptGenerator.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

// Imports scripts and checks that the import never crashes, hangs or half
// imports: a script is either refused with a message that names the file, a
// line and a column, or it imports to a project whose own script imports to
// a project that generates that script again byte for byte. The scripts are
// - the bytes themselves (first byte even), or
// - the script of a random scene (every object kind, trigger and action,
//   hostile texts and extreme numbers, localised or global, synchronised or
//   not), plain, beautified or compressed, with a few bytes of it replaced,
//   inserted or cut, so that the import meets scripts that are nearly right.

namespace {

using namespace scenewright::core;
using io::ScriptImport;
using script::ScriptFormatter;

[[noreturn]] void fail(const std::string& what, std::string_view script)
{
    std::fwrite(what.data(), 1, what.size(), stderr);
    std::fputs("\n--- script\n", stderr);
    std::fwrite(script.data(), 1, script.size(), stderr);
    std::fputc('\n', stderr);
    std::abort();
}

std::string generate(SceneDocument& document, bool synchronise)
{
    document.nameObjects();
    return script::ScriptGenerator::generate(document.objects(), {document.localiseScript(), synchronise});
}

std::string projectFile(const SceneDocument& document)
{
    return io::ProjectFileWriter::write(document.name(), document.localiseScript(), document.objects());
}

// The script of a random scene in one of its forms, with a few changes.
std::string nearlyRightScript(FuzzedDataProvider& data)
{
    scenewright::fuzz::RandomScene scene(data, false);
    scene.build();
    std::string script = generate(scene.document(), data.ConsumeBool());
    switch (data.ConsumeIntegralInRange(0, 2)) {
    case 1: script = ScriptFormatter::beautify(script); break;
    case 2: script = ScriptFormatter::compress(script); break;
    default: break;
    }
    const int changes = data.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < changes && !script.empty(); ++i) {
        const std::size_t at = data.ConsumeIntegralInRange<std::size_t>(0, script.size() - 1);
        const std::string bytes = data.ConsumeRandomLengthString(4);
        switch (data.ConsumeIntegralInRange(0, 2)) {
        case 0: script.replace(at, bytes.size(), bytes); break;
        case 1: script.insert(at, bytes); break;
        default: script.erase(at, data.ConsumeIntegralInRange<std::size_t>(1, 16)); break;
        }
    }
    return script;
}

// Each import has a counter of its own, which its document numbers from while
// it lives: numbers the script does not show are alike for every import.
std::optional<ScriptImport::Imported> import(std::string_view script, IdCounter& ids)
{
    std::string error;
    std::optional<ScriptImport::Imported> imported = ScriptImport::read(script, "fuzz.js", ids, error);
    if (!imported && (error.rfind("fuzz.js: line ", 0) != 0 || error.find(", column ") == std::string::npos))
        fail("a refusal that names no line and column: " + error, script);
    return imported;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string script;
    if (data[0] % 2 == 0) {
        script.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
    } else {
        FuzzedDataProvider provider(data + 1, size - 1);
        script = nearlyRightScript(provider);
    }

    IdCounter ids;
    std::optional<ScriptImport::Imported> imported = import(script, ids);
    if (!imported)
        return 0;
    // The imported project's own script comes back byte for byte.
    const std::string project = projectFile(*imported->document);
    const std::string again = generate(*imported->document, imported->synchronised);
    IdCounter againIds;
    std::optional<ScriptImport::Imported> reimported = import(again, againIds);
    if (!reimported)
        fail("the script of an imported project is refused\n--- imported\n" + project, again);
    if (reimported->synchronised != imported->synchronised
        || generate(*reimported->document, reimported->synchronised) != again)
        fail("the script of an imported project imports to a project with another script\n--- imported\n" + project
                 + "\n--- then\n" + projectFile(*reimported->document),
             again);
    return 0;
}

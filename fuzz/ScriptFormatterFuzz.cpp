#include "scenewright/core/script/ScriptFormatter.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any text formats without failing, and compressing is stable: compressing
// what compress wrote gives the same text again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using scenewright::core::script::ScriptFormatter;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ScriptFormatter::beautify(text);
    const std::string compressed = ScriptFormatter::compress(text);
    if (ScriptFormatter::compress(compressed) != compressed)
        std::abort();
    return 0;
}

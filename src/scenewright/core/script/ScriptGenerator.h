#pragma once

#include "scenewright/core/script/ScriptOutput.h"

#include <memory>
#include <string>
#include <vector>

namespace scenewright::core {
class IAtmoObject;
}

namespace scenewright::core::script {

// How the script is laid out: as generated, beautified or compressed.
enum class ScriptLayout { AsGenerated, Beautified, Compressed };

// The choices a script is generated with.
struct ScriptOptions {
    // Localised to the one object the script is attached to, or global.
    bool localise = false;
    // Triggers synchronised between users through the chat's shared objects.
    bool synchronise = false;
    ScriptLayout layout = ScriptLayout::AsGenerated;
};

// Writes the whole script of a scene. Generation changes nothing and reads
// nothing but its arguments, so scenes can be generated on several threads
// at once; the objects must be named first (ScriptNaming).
class ScriptGenerator {
public:
    using Objects = std::vector<std::shared_ptr<IAtmoObject>>;

    ScriptGenerator() = delete;

    // The script of the objects (the world first, the actor second, then the
    // user's objects), in the options' layout.
    static std::string generate(const Objects& objects, const ScriptOptions& options);
    // The same script handed to `write` piece by piece, in order; as
    // generated, the pieces go out while the rest is made, so the script
    // is never held whole.
    static void write(const Objects& objects, const ScriptOptions& options, const ScriptOutput::Writer& write);
};

} // namespace scenewright::core::script

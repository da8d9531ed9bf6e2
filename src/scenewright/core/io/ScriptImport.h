#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace scenewright::core {
class IdCounter;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::core::io {

// Rebuilds the project a generated script came from. The script may be in
// any of its forms (global or localised, synchronised or not, plain,
// beautified, compressed or re-indented); what it holds comes back, and the
// rest takes its defaults. Generating the rebuilt project with the options
// found gives the script again: the import checks that it does, and refuses
// a script for which it does not.
class ScriptImport {
public:
    // How the script is laid out.
    enum class Layout { Plain, Beautified, Compressed, Reindented };

    struct Imported {
        // A new, unsaved document named after the script.
        std::shared_ptr<SceneDocument> document;
        bool synchronised = false;
        Layout layout = Layout::Plain;
    };

    // The project of the script, named after the file (the path's last part
    // without ".js"), or nothing with `error` set to a message that names the
    // file, the line and column, and what was expected there. Numbers the
    // script does not show come from the counter, which ends past every
    // number the script uses; the document numbers from it, so it must
    // outlive the document.
    static std::optional<Imported> read(std::string_view script, const std::string& path, IdCounter& ids,
                                        std::string& error);

    // The options found, as in "localised, synchronised, compressed".
    static std::string describe(const Imported& imported);
};

} // namespace scenewright::core::io

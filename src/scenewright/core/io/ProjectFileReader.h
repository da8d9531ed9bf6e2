#pragma once

#include "scenewright/core/IAtmoObject.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenewright::core {
class IdCounter;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::core::io {

// What a project file holds, rebuilt: the project's name and localised flag
// and the objects in order (world, actor, user objects).
struct LoadedProject {
    std::string name;
    bool localiseScript = false;
    std::vector<std::shared_ptr<IAtmoObject>> objects;

    // A new document holding the project, which gives its objects up.
    std::shared_ptr<SceneDocument> toDocument(IdCounter& ids);
};

// Reads a project file (format 1). It checks the whole file before anything
// is handed back, so a refused file changes no project; the only lasting
// effect of reading is that the program's id counter stands past every
// number the file uses.
class ProjectFileReader {
public:
    // The project in the text, or nothing with `error` set to a message that
    // names the file, the line and column, and what is wrong in plain words;
    // text from the file in it is quoted and escaped.
    static std::optional<LoadedProject> read(std::string_view text, const std::string& path, IdCounter& ids,
                                             std::string& error);
};

} // namespace scenewright::core::io

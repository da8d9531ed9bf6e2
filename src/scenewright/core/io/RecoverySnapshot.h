#pragma once

#include "scenewright/core/io/ProjectDocument.h"

#include <cstdint>
#include <optional>
#include <string>

namespace scenewright::core::io {

// Unsaved work as a recovery file keeps it: the scene as its project file
// holds it, the project file it belongs to (none for a project never saved)
// and when it was taken.
struct RecoverySnapshot {
    ProjectDocument project;
    std::optional<std::string> projectFile;
    // Seconds since the epoch.
    std::int64_t keptAt = 0;
};

} // namespace scenewright::core::io

#pragma once

#include "scenewright/core/io/ProjectFileReader.h"
#include "scenewright/core/io/RecoveryLock.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scenewright::core {
class IdCounter;
class SceneDocument;
} // namespace scenewright::core

namespace scenewright::core::io {

// The unsaved work a program left when it ended, read and checked. Its files
// stay locked for this program while it is held, so no other program offers
// the same work at the same time.
class RecoveredWork {
public:
    RecoveredWork(RecoveryLock lock, std::vector<std::string> files, std::optional<std::string> projectFile,
                  std::int64_t keptAt, LoadedProject project);

    // The project file the work belongs to; none for a project never saved.
    const std::optional<std::string>& projectFile() const { return projectFile_; }
    // When it was last kept, in seconds since the epoch.
    std::int64_t keptAt() const { return keptAt_; }

    // The work as a document, once: the scene as it was kept, unsaved,
    // attached to its project file (and named after it) so that Save writes
    // back there.
    std::shared_ptr<SceneDocument> reopen(IdCounter& ids);
    // Removes the files that held the work, so it is offered only once.
    void forget();

private:
    RecoveryLock lock_;
    std::vector<std::string> files_;
    std::optional<std::string> projectFile_;
    std::int64_t keptAt_;
    LoadedProject project_;
};

} // namespace scenewright::core::io

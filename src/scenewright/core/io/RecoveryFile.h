#pragma once

#include "scenewright/core/io/FileOperations.h"
#include "scenewright/core/io/RecoverySnapshot.h"

#include <cstdint>
#include <optional>
#include <string>

namespace scenewright::core {
class SceneDocument;
}

namespace scenewright::core::io {

// One file of unsaved work: a first line naming the project file the work
// belongs to and when it was kept, then the scene as a project file holds it.
// It is replaced atomically, so it is always the whole of one snapshot.
class RecoveryFile {
public:
    // What a recovery file keeps, as read back.
    struct Contents {
        // Not yet checked; its lines are numbered as in the file.
        std::string projectText;
        std::optional<std::string> projectFile;
        // Seconds since the epoch.
        std::int64_t keptAt = 0;
    };

    explicit RecoveryFile(std::string path) : path_(std::move(path)) {}

    // The document as it is now. Taken on the thread that edits the scene;
    // the rest of the work can go elsewhere.
    static RecoverySnapshot snapshot(const SceneDocument& document);

    // Null on success, else the message naming the file and the reason.
    std::optional<std::string> write(const RecoverySnapshot& snapshot,
                                     FileOperations& operations = FileOperations::system()) const;
    // Nothing, with `error` set, when the file cannot be read or is not one
    // of these.
    std::optional<Contents> read(std::string& error) const;
    void remove() const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace scenewright::core::io

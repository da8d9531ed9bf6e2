#pragma once

#include "scenewright/core/io/RecoverySnapshot.h"

#include <optional>
#include <string>

namespace scenewright::core {
class Project;
}

namespace scenewright::core::io {

// One file of unsaved work: a first line naming the project file the work
// belongs to and when it was kept, then the scene as a project file holds it.
// It is replaced atomically, so it is always the whole of one snapshot.
class RecoveryFile {
public:
    explicit RecoveryFile(std::string path) : path_(std::move(path)) {}

    // The project and the registry's objects as they are now. Taken on the
    // thread that edits the scene; the rest of the work can go elsewhere.
    static RecoverySnapshot snapshot(const Project& project);

    // Null on success, else the message naming the file and the reason.
    std::optional<std::string> write(const RecoverySnapshot& snapshot) const;
    // What the file keeps, with the project text not yet checked (its lines
    // numbered as in this file); nothing, with `error` set, when the file
    // cannot be read or is not one of these.
    std::optional<RecoverySnapshot> read(std::string& error) const;
    void remove() const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace scenewright::core::io

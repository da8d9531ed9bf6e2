#pragma once

#include "scenewright/core/io/RecoveredWork.h"

#include <string>
#include <vector>

namespace scenewright::core {
class IdCounter;
}

namespace scenewright::core::io {

// The folder in which every running program keeps its unsaved work: a
// recovery file of its own ("unsaved-<tag>.recovery") beside a lock file
// ("unsaved-<tag>.lock") that it holds while it runs. Work whose lock can be
// taken belongs to a program that has ended. The folder may also hold the
// work that earlier versions kept on exit, recovered.scw with the project
// file's location in recovered.location.
class RecoveryFolder {
public:
    // A recovery file that could not be read, renamed with its date so that
    // it is not offered again.
    struct Unreadable {
        std::string path;
        std::string error;
        // Empty when it could not be renamed.
        std::string setAsidePath;
    };

    explicit RecoveryFolder(std::string directory) : directory_(std::move(directory)) {}

    const std::string& directory() const { return directory_; }
    // Where the program with the tag keeps its work, and its lock file.
    std::string recoveryPath(const std::string& tag) const;
    std::string lockPath(const std::string& tag) const;
    // A tag for a new program, used by no recovery file here.
    std::string newTag() const;

    // The work of programs that are no longer running, newest first, each
    // locked for this program while it is held. Files that cannot be read are
    // set aside and listed in `unreadable`; lock files left without work are
    // removed.
    std::vector<RecoveredWork> leftWork(IdCounter& ids, std::vector<Unreadable>& unreadable) const;

private:
    std::string directory_;
};

} // namespace scenewright::core::io

#pragma once

#include <memory>
#include <optional>
#include <string>

namespace scenewright::core {
class Project;
}

namespace scenewright::core::io {

// Keeps the work of a program that ends with unsaved changes: the project
// and the scene, written as a project file into a folder of the user's, with
// a note of the file the project belongs to, so that the next run can bring
// both back.
class RecoveryFile {
public:
    explicit RecoveryFile(std::string directory);

    // Writes the project with the registry's objects, and its file location.
    // The project itself is left as it is. Null on success, else the message.
    std::optional<std::string> write(const Project& project) const;
    bool exists() const;
    // Opens the recovered project as the current one, with the file location
    // it had and unsaved. Null, with `error` set, when it cannot be read.
    std::shared_ptr<Project> reopen(std::string& error) const;
    // Removes what was written, so it is offered only once.
    void forget() const;

    const std::string& projectPath() const { return projectPath_; }

private:
    std::string directory_;
    std::string projectPath_;
    std::string locationPath_;
};

} // namespace scenewright::core::io

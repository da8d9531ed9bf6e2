#include "scenewright/core/io/RecoveryFile.h"

#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/Project.h"
#include "scenewright/core/ProjectManager.h"
#include "scenewright/core/io/FileReader.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/SaveFile.h"

#include <filesystem>
#include <system_error>

namespace scenewright::core::io {

namespace fs = std::filesystem;

RecoveryFile::RecoveryFile(std::string directory)
    : directory_(std::move(directory)),
      projectPath_((fs::path(directory_) / "recovered.scw").string()),
      locationPath_((fs::path(directory_) / "recovered.location").string())
{
}

std::optional<std::string> RecoveryFile::write(const Project& project) const
{
    std::error_code failure;
    fs::create_directories(directory_, failure);
    if (failure)
        return "Cannot create " + directory_ + ": " + failure.message();

    // The location goes first: a project file without its note would
    // reopen without a location, which is the safe way to be wrong.
    SaveFile location(locationPath_);
    if (!location.save(project.getFileLocation().value_or("")))
        return location.errorString();
    SaveFile file(projectPath_);
    const std::string text = ProjectFileWriter::write(project.getName(), project.getLocaliseScript(),
                                                      ObjectManager::getInstance().getAtmoObjectListData());
    if (!file.save(text))
        return file.errorString();
    return std::nullopt;
}

bool RecoveryFile::exists() const
{
    std::error_code ignored;
    return fs::is_regular_file(projectPath_, ignored);
}

std::shared_ptr<Project> RecoveryFile::reopen(std::string& error) const
{
    auto project = ProjectManager::getInstance().openProject(projectPath_, error);
    if (!project)
        return nullptr;
    // Without a readable location the project reopens without one.
    std::string unread;
    const std::string location = FileReader::read(locationPath_, unread).value_or(std::string());
    project->setFileLocation(location.empty() ? std::nullopt : std::optional<std::string>(location));
    project->setState(Project::STATE_UNSAVED);
    return project;
}

void RecoveryFile::forget() const
{
    std::error_code ignored;
    fs::remove(projectPath_, ignored);
    fs::remove(locationPath_, ignored);
}

} // namespace scenewright::core::io

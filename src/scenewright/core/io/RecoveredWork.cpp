#include "scenewright/core/io/RecoveredWork.h"

#include "scenewright/core/SceneDocument.h"

#include <filesystem>
#include <system_error>

namespace scenewright::core::io {

RecoveredWork::RecoveredWork(RecoveryLock lock, std::vector<std::string> files,
                             std::optional<std::string> projectFile, std::int64_t keptAt, LoadedProject project)
    : lock_(std::move(lock)),
      files_(std::move(files)),
      projectFile_(std::move(projectFile)),
      keptAt_(keptAt),
      project_(std::move(project))
{
}

std::shared_ptr<SceneDocument> RecoveredWork::reopen(IdCounter& ids)
{
    auto project = project_.toDocument(ids);
    project_ = {};
    // Named after its file, as an opened project is.
    if (projectFile_)
        project->setName(std::filesystem::path(*projectFile_).stem().string());
    project->setFileLocation(projectFile_);
    project->setState(SceneDocument::STATE_UNSAVED);
    return project;
}

void RecoveredWork::forget()
{
    for (const std::string& file : files_) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
    lock_.removeFile();
}

} // namespace scenewright::core::io

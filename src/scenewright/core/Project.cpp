#include "scenewright/core/Project.h"

#include "scenewright/core/ISaveStateLabel.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/SaveFile.h"

#include <iostream>

namespace scenewright::core {

void Project::setState(int state)
{
    if (updatelbl_)
        updatelbl_->showSaved(state == STATE_SAVED);
    state_ = state;
}

std::optional<std::string> Project::save()
{
    std::cout << "Saving project to " << filelocation_.value_or("null") << std::endl;
    if (!filelocation_)
        return std::string("Cannot save the project: it has no file location");

    const std::string text = io::ProjectFileWriter::write(
        name_, localiseScript_, ObjectManager::getInstance().getAtmoObjectListData());
    io::SaveFile file(*filelocation_);
    if (!file.save(text)) {
        std::cerr << file.errorString() << "\n";
        return file.errorString();
    }
    state_ = STATE_SAVED;
    return std::nullopt;
}

} // namespace scenewright::core

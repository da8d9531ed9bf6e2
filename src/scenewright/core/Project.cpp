#include "scenewright/core/Project.h"

#include "scenewright/core/ISaveStateLabel.h"

#include <cerrno>
#include <cstring>
#include <fstream>
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
    const std::string path = filelocation_.value_or("");
    std::cout << "Saving project to " << (filelocation_ ? *filelocation_ : "null") << std::endl;
    if (!filelocation_)
        return std::string("Cannot save the project: it has no file location");

    std::ofstream file(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (file)
        file.flush();
    if (file)
        file.close();
    if (!file) {
        std::string message = "Cannot save the project to " + path + ": " + std::strerror(errno);
        std::cerr << message << "\n";
        return message;
    }
    state_ = STATE_SAVED;
    return std::nullopt;
}

} // namespace scenewright::core

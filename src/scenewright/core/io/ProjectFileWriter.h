#pragma once

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/io/ProjectDocument.h"

#include <memory>
#include <string>
#include <vector>

namespace scenewright::core::io {

// Writes a project as a project file (format 1): indented JSON, in a fixed
// order, so the same scene always gives the same bytes. Writing never hands
// out numbers: an object that has not declared itself is written without id.
class ProjectFileWriter {
public:
    static std::string write(const std::string& projectName, bool localiseScript,
                             const std::vector<std::shared_ptr<IAtmoObject>>& objects);
    // The same, before it is turned into text.
    static ProjectDocument document(const std::string& projectName, bool localiseScript,
                                    const std::vector<std::shared_ptr<IAtmoObject>>& objects);
};

} // namespace scenewright::core::io

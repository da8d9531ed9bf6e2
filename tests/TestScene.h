#pragma once

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"

#include <memory>
#include <string>
#include <vector>

namespace scenewright::test {

// Small scenes for the action tests (a default project, objects with fixed
// global numbers, actions fired by triggers) are made by FreshProgramTest's
// startProject, addObject and fire.

// Joins lines, each given without its line feed, into one text with a line
// feed after every line.
inline std::string lines(const std::vector<std::string>& each)
{
    std::string out;
    for (const std::string& line : each)
        out += line + "\n";
    return out;
}

} // namespace scenewright::test

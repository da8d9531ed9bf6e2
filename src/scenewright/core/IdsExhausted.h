#pragma once

#include <stdexcept>

namespace scenewright::core {

// Thrown by a step that needs a number for a generated name when every
// number has been handed out; the step changes nothing.
class IdsExhausted : public std::runtime_error {
public:
    IdsExhausted()
        : std::runtime_error("No number is left for a generated name: every number up to 2147483646 is "
                             "taken. Open a project that uses smaller numbers in a new Scenewright.")
    {
    }
};

} // namespace scenewright::core

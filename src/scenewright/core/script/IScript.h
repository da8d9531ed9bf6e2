#pragma once

#include <string>

namespace scenewright::core::script {

// Anything that yields a fragment of the generated script.
class IScript {
public:
    // The statement end that action fragments append.
    static constexpr const char* endline = ";\n";

    virtual ~IScript() = default;
    virtual std::string doScript() const = 0;
};

} // namespace scenewright::core::script

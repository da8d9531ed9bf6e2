#pragma once

#include <optional>
#include <string>
#include <vector>

namespace scenewright::app {

// The desktop program's command line: an optional project file to open, or
// a request for the help or the version, which need no display.
class ProgramOptions {
public:
    enum class Request { Run, Help, Version, UsageError };

    // Reads the arguments (without the program name). Qt takes its own
    // options (-platform, -style...) out of the arguments only when the
    // application object is built, which needs a display: read the raw
    // arguments first to answer --help and --version, and the arguments Qt
    // leaves for the rest.
    static ProgramOptions parse(const std::vector<std::string>& arguments);
    static const char* usage();

    Request request = Request::Run;
    // The project file to open once the window is up.
    std::optional<std::string> project;
    // What is wrong with a command line that is a usage error.
    std::string error;
};

} // namespace scenewright::app

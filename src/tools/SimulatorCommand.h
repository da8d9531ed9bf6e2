#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace scenewright::tools {

// The command-line test run: generates a project's script, runs it against
// the simulated world through the steps given, in order, and prints one line
// per call the script makes to the world.
class SimulatorCommand {
public:
    static constexpr int kSuccess = 0;
    // A script error (syntax or run time) or a refused project.
    static constexpr int kFailure = 1;
    static constexpr int kUsageError = 2;

    // Runs the command with its arguments (without the program name);
    // returns the exit status. Needs a QCoreApplication.
    static int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

    static const char* usage();
};

} // namespace scenewright::tools

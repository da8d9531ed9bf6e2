#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace scenewright::core {
class SceneDocument;
}

namespace scenewright::tools {

// The command-line generator: prints (or writes to a file) the whole script
// of a project, or formats a script file.
class GeneratorCommand {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 1;
    static constexpr int kUsageError = 2;

    // Runs the command with its arguments (without the program name);
    // returns the exit status. Given `keep`, the project's document is left
    // there rather than freed, for a caller that ends the process next.
    static int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
                   std::ostream& err, std::shared_ptr<core::SceneDocument>* keep = nullptr);

    static const char* usage();
};

} // namespace scenewright::tools

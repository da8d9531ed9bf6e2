#include "scenewright/app/ProgramOptions.h"

namespace scenewright::app {

const char* ProgramOptions::usage()
{
    return "Usage: scenewright [--] [PROJECT.scw]\n"
           "\n"
           "Opens the Scenewright window, in which the things of an Atmosphere 3D web world,\n"
           "their triggers and actions and the world's settings are edited and the world's\n"
           "script is generated. With a project file, opens it once any work a previous run\n"
           "left unsaved has been offered.\n"
           "\n"
           "  --help     show this help\n"
           "  --version  show the version\n"
           "  --         end of the options: the next argument is the project file\n"
           "\n"
           "Qt's own options, such as -platform or -style, are accepted too.\n"
           "\n"
           "Exit status: 0 when the window is closed, 2 on a usage error or when there is no\n"
           "display to open the window on.\n";
}

ProgramOptions ProgramOptions::parse(const std::vector<std::string>& arguments)
{
    ProgramOptions options;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--help")
            return {Request::Help, std::nullopt, {}};
        if (!optionsEnded && argument == "--version")
            return {Request::Version, std::nullopt, {}};
        if (options.request == Request::UsageError)
            continue;
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            options.request = Request::UsageError;
            options.error = "unknown option " + argument;
        } else if (options.project) {
            options.request = Request::UsageError;
            options.error = "more than one project file given";
        } else {
            options.project = argument;
        }
    }
    return options;
}

} // namespace scenewright::app

#include "FreshProgramTest.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace scenewright::test {

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct NodeRun {
    bool succeeded = false;
    std::string output;
    std::string errors;
};

// Runs node with the option on the script (written to a temporary file).
NodeRun runNode(const std::string& option, const std::string& script)
{
    NodeRun run;
    char path[] = "/tmp/scenewright-check-XXXXXX.js";
    int fd = mkstemps(path, 3);
    if (fd < 0)
        return run;
    close(fd);
    {
        std::ofstream out(path, std::ios::binary);
        out << script;
    }
    const std::string output = std::string(path) + ".out";
    const std::string errors = std::string(path) + ".err";
    const std::string command =
        std::string(SCENEWRIGHT_NODE) + " " + option + " " + path + " >" + output + " 2>" + errors;
    run.succeeded = std::system(command.c_str()) == 0;
    run.output = readFile(output);
    run.errors = readFile(errors);
    std::remove(path);
    std::remove(output.c_str());
    std::remove(errors.c_str());
    return run;
}

} // namespace

bool nodeAccepts(const std::string& script, std::string* diagnostics)
{
    NodeRun run = runNode("--check", script);
    if (diagnostics)
        *diagnostics = run.errors;
    return run.succeeded;
}

std::optional<std::string> nodeOutput(const std::string& script)
{
    NodeRun run = runNode("", script);
    if (!run.succeeded)
        return std::nullopt;
    return run.output;
}

} // namespace scenewright::test

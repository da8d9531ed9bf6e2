#include "FreshProgramTest.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace scenewright::test {

bool nodeAccepts(const std::string& script, std::string* diagnostics)
{
    char path[] = "/tmp/scenewright-check-XXXXXX.js";
    int fd = mkstemps(path, 3);
    if (fd < 0)
        return false;
    close(fd);
    {
        std::ofstream out(path, std::ios::binary);
        out << script;
    }
    const std::string errors = std::string(path) + ".err";
    const std::string command = std::string(SCENEWRIGHT_NODE) + " --check " + path + " 2>" + errors;
    int status = std::system(command.c_str());
    if (diagnostics) {
        std::ifstream in(errors);
        diagnostics->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::remove(path);
    std::remove(errors.c_str());
    return status == 0;
}

} // namespace scenewright::test

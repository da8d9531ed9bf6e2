#include "FreshProgramTest.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/wait.h>
#include <vector>
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
    int status = -1;
    std::string output;
    std::string errors;
};

// A file in the temporary directory, removed again when it goes out of scope.
class TemporaryScript {
public:
    explicit TemporaryScript(const std::string& content)
    {
        char pattern[] = "/tmp/scenewright-check-XXXXXX.js";
        int fd = mkstemps(pattern, 3);
        if (fd < 0)
            return;
        close(fd);
        path_ = pattern;
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TemporaryScript()
    {
        if (!path_.empty())
            std::remove(path_.c_str());
    }
    TemporaryScript(const TemporaryScript&) = delete;
    TemporaryScript& operator=(const TemporaryScript&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Runs node with the option on the first script, handing it the others'
// file names as arguments.
NodeRun runNode(const std::string& option, const std::vector<std::string>& scripts)
{
    NodeRun run;
    std::vector<std::unique_ptr<TemporaryScript>> files;
    std::string command = std::string(SCENEWRIGHT_NODE) + " " + option;
    for (const std::string& script : scripts) {
        files.push_back(std::make_unique<TemporaryScript>(script));
        if (files.back()->path().empty())
            return run;
        command += " " + files.back()->path();
    }
    const TemporaryScript output("");
    const TemporaryScript errors("");
    command += " >" + output.path() + " 2>" + errors.path();
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.succeeded = run.status == 0;
    run.output = readFile(output.path());
    run.errors = readFile(errors.path());
    return run;
}

// Parses two files with acorn and compares the trees without positions.
// Exit 0: same tree; 1: different or a parse error; 3: no acorn.
constexpr const char* kCompareTrees = R"JS(
let acorn;
try { acorn = require('acorn'); } catch (e) {
  try { acorn = require('/usr/share/nodejs/acorn'); } catch (e2) { process.exit(3); }
}
const fs = require('fs');
const options = { ecmaVersion: 'latest', sourceType: 'script', allowHashBang: true };
const skip = new Set(['start', 'end', 'loc', 'range']);
const tree = (file) => JSON.stringify(acorn.parse(fs.readFileSync(file, 'latin1'), options),
  (key, value) => skip.has(key) ? undefined : (typeof value === 'bigint' ? value.toString() + 'n' : value));
try {
  process.exit(tree(process.argv[2]) === tree(process.argv[3]) ? 0 : 1);
} catch (e) {
  process.exit(1);
}
)JS";

} // namespace

void FreshProgramInDirectoryTest::SetUp()
{
    FreshProgramTest::SetUp();
    char pattern[] = "/tmp/scenewright-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
}

void FreshProgramInDirectoryTest::TearDown()
{
    std::filesystem::remove_all(directory_);
    FreshProgramTest::TearDown();
}

std::vector<std::string> FreshProgramInDirectoryTest::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string fileContent(const std::filesystem::path& path)
{
    return readFile(path.string());
}

bool nodeAccepts(const std::string& script, std::string* diagnostics)
{
    NodeRun run = runNode("--check", {script});
    if (diagnostics)
        *diagnostics = run.errors;
    return run.succeeded;
}

std::optional<std::string> nodeOutput(const std::string& script)
{
    NodeRun run = runNode("", {script});
    if (!run.succeeded)
        return std::nullopt;
    return run.output;
}

std::optional<bool> sameSyntaxTree(const std::string& a, const std::string& b)
{
    NodeRun run = runNode("", {kCompareTrees, a, b});
    if (run.status == 3)
        return std::nullopt;
    return run.succeeded;
}

} // namespace scenewright::test

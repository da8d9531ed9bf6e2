#include "FreshProgramTest.h"
#include "RandomScene.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/ProjectFileReader.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/ScriptImport.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptGenerator.h"

#include <gmock/gmock.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace scenewright::test {
namespace {

using namespace core;
using io::ScriptImport;
using script::ScriptFormatter;
using ::testing::HasSubstr;

std::string generate(SceneDocument& document, bool synchronise)
{
    document.nameObjects();
    return script::ScriptGenerator::generate(document.objects(), {document.localiseScript(), synchronise});
}

std::string projectFile(const SceneDocument& document)
{
    return io::ProjectFileWriter::write(document.name(), document.localiseScript(), document.objects());
}

// The forms a script is kept in, each with the layout the import reports.
struct Form {
    const char* name;
    std::function<std::string(const std::string&)> apply;
    ScriptImport::Layout layout;
};

const std::vector<Form>& forms()
{
    static const std::vector<Form> all{
        {"plain", [](const std::string& s) { return s; }, ScriptImport::Layout::Plain},
        {"beautified", [](const std::string& s) { return ScriptFormatter::beautify(s); },
         ScriptImport::Layout::Beautified},
        {"compressed", [](const std::string& s) { return ScriptFormatter::compress(s); },
         ScriptImport::Layout::Compressed},
    };
    return all;
}

// The script re-indented by hand, with comments of its own: every line
// indented by a tab and a block comment, and a line comment after each line
// of code; empty lines stay empty.
std::string reworded(const std::string& script)
{
    std::string out = "/* kept by hand */\n";
    std::size_t start = 0;
    while (start < script.size()) {
        std::size_t end = script.find('\n', start);
        std::string_view line(script.data() + start, (end == std::string::npos ? script.size() : end) - start);
        start = end == std::string::npos ? script.size() : end + 1;
        const bool cr = !line.empty() && line.back() == '\r';
        if (cr)
            line.remove_suffix(1);
        if (line.empty()) {
            out += "\t\n";
            continue;
        }
        out += "\t/* note */ ";
        out += line;
        // A comment of the script keeps its text.
        out += line.find("//") == std::string_view::npos ? " // noted\n" : "\n";
    }
    return out;
}

class ScriptImportTest : public FreshProgramTest {
protected:
    // Each import has a counter of its own, which its document numbers from
    // while it lives, so that numbers the script does not show are alike
    // for every import.
    std::optional<ScriptImport::Imported> import(const std::string& text, IdCounter& counter, std::string& error)
    {
        return ScriptImport::read(text, "scene.js", counter, error);
    }

    // What is wrong with the import of the script of `saved` in every form;
    // empty when nothing is.
    std::string roundTrip(SceneDocument& saved, bool synchronise)
    {
        const std::string script = generate(saved, synchronise);
        // The project the plain script imports to.
        std::string imported;
        for (const Form& form : forms()) {
            const std::string text = form.apply(script);
            const std::string how = std::string(form.name) + ": ";
            std::string error;
            IdCounter counter;
            auto project = import(text, counter, error);
            if (!project)
                return how + "refused: " + error;
            if (project->synchronised != synchronise || project->document->name() != "scene")
                return how + "found the options " + ScriptImport::describe(*project) + " in a script of "
                       + project->document->name();
            if (project->layout != (text == script ? ScriptImport::Layout::Plain : form.layout))
                return how + "found the layout " + ScriptImport::describe(*project);
            if (imported.empty())
                imported = projectFile(*project->document);
            if (form.apply(generate(*project->document, project->synchronised)) != text)
                return how + "generates another script:\n" + projectFile(*project->document);
        }
        std::string error;
        IdCounter counter;
        auto project = import(reworded(script), counter, error);
        if (!project)
            return "re-indented: refused: " + error;
        if (project->layout != ScriptImport::Layout::Reindented)
            return "re-indented: found the layout " + ScriptImport::describe(*project);
        if (projectFile(*project->document) != imported)
            return "re-indented: imports to another project:\n" + projectFile(*project->document);
        return {};
    }
};

// The heart of the import: random scenes (every object kind, trigger and
// action, hostile texts, extreme numbers, every flag) generated with and
// without synchronisation come back from each form of their script so that
// generating them again gives that form byte for byte, and a script changed
// only in white space and comments imports to the same project.
TEST_F(ScriptImportTest, RandomProjectsComeBackFromEveryFormOfTheirScript)
{
    constexpr int kProjects = 400;
    std::mt19937 random(20);
    const auto started = std::chrono::steady_clock::now();
    for (int n = 0; n < kProjects; ++n) {
        std::vector<std::uint8_t> bytes(std::uniform_int_distribution<std::size_t>(0, 800)(random));
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        FuzzedDataProvider provider(bytes.data(), bytes.size());
        fuzz::RandomScene scene(provider, false);
        scene.build();
        // The scene as its project file keeps it.
        const SceneDocument& built = scene.document();
        const std::string original = io::ProjectFileWriter::write("scene", built.localiseScript(), built.objects());
        std::string error;
        IdCounter counter;
        auto saved = io::ProjectFileReader::read(original, "scene.scw", counter, error);
        ASSERT_TRUE(saved) << error;
        const bool synchronise = n % 2 == 1;
        const std::string problem = roundTrip(*saved->toDocument(counter), synchronise);
        ASSERT_EQ(problem, "") << "project " << n << (synchronise ? ", synchronised" : "") << "\n" << original;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%d random projects round-tripped in %.2f s\n", kProjects, seconds);
}

} // namespace
} // namespace scenewright::test

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
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <tuple>
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

// The project file of the next random scene (every object kind, trigger and
// action, hostile texts, extreme numbers, every flag) the generator makes.
std::string randomProject(std::mt19937& random)
{
    std::vector<std::uint8_t> bytes(std::uniform_int_distribution<std::size_t>(0, 800)(random));
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    FuzzedDataProvider provider(bytes.data(), bytes.size());
    fuzz::RandomScene scene(provider, false);
    scene.build();
    const SceneDocument& built = scene.document();
    return io::ProjectFileWriter::write("scene", built.localiseScript(), built.objects());
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

    // What is wrong with the import of the project's script, generated
    // with synchronisation for odd numbers as the random projects are.
    std::string roundTripOf(const std::string& project, int n)
    {
        std::string error;
        IdCounter counter;
        auto saved = io::ProjectFileReader::read(project, "scene.scw", counter, error);
        if (!saved)
            return "unreadable project: " + error;
        return roundTrip(*saved->toDocument(counter), n % 2 == 1);
    }
};

// The heart of the import: random scenes (every object kind, trigger and
// action, hostile texts, extreme numbers, every flag) generated with and
// without synchronisation come back from each form of their script so that
// generating them again gives that form byte for byte, and a script changed
// only in white space and comments imports to the same project. The run
// takes 400 projects from seed 20; SCENEWRIGHT_IMPORT_SEED and
// SCENEWRIGHT_IMPORT_COUNT choose others, for longer runs by hand.
TEST_F(ScriptImportTest, RandomProjectsComeBackFromEveryFormOfTheirScript)
{
    const auto setting = [](const char* name, unsigned long fallback) {
        const char* value = std::getenv(name);
        return value && *value ? std::stoul(value) : fallback;
    };
    const int kProjects = static_cast<int>(setting("SCENEWRIGHT_IMPORT_COUNT", 400));
    std::mt19937 random(static_cast<std::mt19937::result_type>(setting("SCENEWRIGHT_IMPORT_SEED", 20)));
    int failed = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int n = 0; n < kProjects; ++n) {
        const std::string original = randomProject(random);
        const std::string problem = roundTripOf(original, n);
        failed += problem.empty() ? 0 : 1;
        EXPECT_EQ(problem, "") << "project " << n << (n % 2 == 1 ? ", synchronised" : "") << "\n" << original;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%d random projects round-tripped in %.2f s, %d failed\n", kProjects, seconds, failed);
}

// Random projects of other seeds that once came back wrong, each for a way
// the script leaves its project open.
TEST_F(ScriptImportTest, ProjectsThatOnceCameBackWrongComeBack)
{
    struct Once {
        unsigned seed;
        int project;
        const char* what;
    };
    // By seed and project, in order.
    const Once cases[] = {
        {1, 517, "an action a first-load trigger fires twice without naming its owner"},
        {1, 680, "an action a first-load wait leaves out, on a localised object it names"},
        {1, 1310, "a comment showing a name with a line break as a space"},
        {1, 1403, "a viewpoint animation without time elements fired from another object"},
        {1, 1565, "a synchronised first-load trigger whose branch shows nothing"},
        {1, 2495, "a solid object's first-load trigger firing a set-up action"},
        {1, 3095, "a comment naming another kind of object than the one declared before"},
        {1, 3298, "a localised action a first-load trigger fires twice, waited for never"},
        {1, 4443, "a trigger known from its comment before localised triggers"},
        {2, 114, "a trigger naming a solid object after a first-load trigger"},
        {2, 477, "an action two first-load triggers fire without naming its owner"},
        {2, 668, "a name in code and in a comment with a space for a line break"},
        {2, 719, "a first-load wait leaving out the localised owner of its action"},
        {2, 4197, "a first-load wait with a localised owner no declaration shows"},
        {2, 4631, "a name ending in spaces that re-indenting takes from a comment"},
        {3, 473, "a localised action fired by two objects' triggers"},
        {3, 658, "a localised action another object's trigger fires twice"},
        {4, 658, "a localised trigger whose first fitting object a first-load wait contradicts"},
        {4, 756, "a localised trigger whose first fitting object a first-load wait contradicts"},
        {5, 4021, "a solid object's own action declared before another object's"},
        {6, 2490, "a localised action a first-load trigger fires twice, waited for both times"},
        {7, 1966, "a localised trigger whose first fitting object a first-load wait contradicts"},
        {8, 2110, "a viewpoint animation's comment re-indenting took the name of spaces from"},
        {9, 1772, "a declared localised object whose first free place gives other empty lines"},
        {12, 1697, "a sound whose declaration names no object, split from a viewpoint to a solid object"},
        {12, 4654, "a localised trigger's comment naming an object the first reading merges with another"},
        {16, 1584, "a localised trigger whose first fitting object puts later triggers out of order"},
        {18, 2545, "a rotation and a sound declared together whose first-load wait names the sound's owner once"},
        {18, 2673, "a declared localised object whose first free place gives other empty lines"},
        {18, 2715, "a declared localised object whose first free place gives other empty lines"},
        {18, 3581, "a localised trigger whose first fitting object puts later triggers out of order"},
        {19, 3405, "a declared localised object whose first free place gives other empty lines"},
        {20, 1832, "a declared localised object whose first free place gives other empty lines"},
        {20, 4951, "a localised trigger whose first fitting object a first-load wait contradicts"},
        {21, 3505, "a compressed viewpoint animation without time elements on an object whose opacity loads"},
        {21, 4274, "a localised action a first-load trigger fires twice, whose guessed owner gives it up to a solid object"},
        {26, 18, "a solid object's opacity set at once beside a localised viewpoint's of the same value"},
    };
    std::optional<unsigned> seed;
    std::mt19937 random;
    int next = 0;
    for (const Once& once : cases) {
        if (seed != once.seed) {
            seed = once.seed;
            random.seed(once.seed);
            next = 0;
        }
        ASSERT_LE(next, once.project) << "the table is in order";
        std::string project;
        for (; next <= once.project; ++next)
            project = randomProject(random);
        EXPECT_EQ(roundTripOf(project, once.project), "") << once.what << ": seed " << once.seed << ", project "
                                                           << once.project;
    }
}

// Where the script leaves the project open, the import still picks one
// that writes the same script in every form: here a localised trigger
// firing its own object's action twice, which shows no number, and a
// localised action another object's trigger fires after a first-load
// trigger fired it beside a solid object's action of the same class, and a
// solid object's action that three triggers fire, which the empty lines
// show to be one action, not two on objects of their own.
TEST_F(ScriptImportTest, OpenScenesComeBackToTheSameScript)
{
    const char* const projects[] = {
        R"({"format":"scenewright-project","version":1,"name":"scene","localiseScript":true,"objects":[
{"type":"world","name":"world","actions":[],"triggers":[]},{"type":"actor","name":"actor","actions":[],"triggers":[]},
{"type":"viewpoint","name":"door","actions":[{"class":"MovePositionAction","active":true,"ids":[4,5],
"fields":{"zdirection":-6.5}}],"triggers":[{"class":"ProximityTrigger","active":true,"ids":[11],"fields":{},
"actions":[{"object":2,"action":0},{"object":2,"action":0}]}]},
{"type":"model.aer/.atmo","name":"hall","actions":[],"triggers":[]}]})",
        R"({"format":"scenewright-project","version":1,"name":"scene","localiseScript":true,"objects":[
{"type":"world","name":"world","actions":[],"triggers":[]},{"type":"actor","name":"actor","actions":[],"triggers":[]},
{"type":"primitive","name":"","id":19,"actions":[],"triggers":[{"class":"WorldFirstLoadsTrigger","active":true,"ids":[8],
"fields":{"usesSynch":true},"actions":[{"object":5,"action":0},{"object":3,"action":0}]}]},
{"type":"primitive","name":"","id":20,"actions":[{"class":"GotoNewWorldAction","active":true,"ids":[],
"fields":{"aerURLLocation":"hall","distance":38.0}}],"triggers":[]},
{"type":"model.aer/.atmo","name":"lamp","id":16,"actions":[],"triggers":[{"class":"ProximityTrigger","active":true,
"ids":[10],"fields":{"usesSynch":true},"actions":[{"object":3,"action":0}]}]},
{"type":"solid-object","name":"","id":21,"actions":[{"class":"GotoNewWorldAction","active":true,"ids":[],
"fields":{"aerURLLocation":"cellar","distance":5.0}}],"triggers":[]}]})",
        R"({"format":"scenewright-project","version":1,"name":"scene","localiseScript":true,"objects":[
{"type":"world","name":"world","actions":[],"triggers":[{"class":"OnclickTrigger","active":true,"ids":[8],"fields":{},
"actions":[{"object":2,"action":0}]}]},
{"type":"actor","name":"actor","actions":[],"triggers":[{"class":"WorldFirstLoadsTrigger","active":true,"ids":[9],
"fields":{},"actions":[{"object":2,"action":0}]}]},
{"type":"solid-object","name":"","id":21,"actions":[{"class":"GotoNewWorldAction","active":true,"ids":[],
"fields":{"aerURLLocation":"hall","distance":5.0}}],"triggers":[]},
{"type":"model.aer/.atmo","name":"gate","id":16,"actions":[],"triggers":[{"class":"OnclickTrigger","active":true,
"ids":[10],"fields":{},"actions":[{"object":2,"action":0},{"object":4,"action":0}]}]},
{"type":"primitive","name":"","id":20,"actions":[{"class":"GotoNewWorldAction","active":true,"ids":[],
"fields":{"aerURLLocation":"cellar","distance":3.0}}],"triggers":[]}]})",
    };
    for (const char* project : projects)
        for (const bool synchronise : {false, true}) {
            std::string error;
            IdCounter counter;
            auto saved = io::ProjectFileReader::read(project, "scene.scw", counter, error);
            ASSERT_TRUE(saved) << error;
            EXPECT_EQ(roundTrip(*saved->toDocument(counter), synchronise), "") << project;
        }
}

// A statue that turns and fades while someone is near, shared with the
// other visitors: its script holds every fragment earlier versions wrote
// in another form.
constexpr const char* kFadingStatue = R"({"format":"scenewright-project","version":1,"name":"statue",
"localiseScript":false,"objects":[{"type":"world","name":"world","actions":[],"triggers":[]},
{"type":"actor","name":"actor","actions":[],"triggers":[]},
{"type":"model.aer/.atmo","name":"statue.aer","id":4,"tobeloaded":true,"actions":[
{"class":"ConstantRotationAction","active":true,"ids":[2],"fields":{"yrevolutions":10.0}},
{"class":"OpacityAction","active":true,"ids":[5],"fields":{"finalOpacity":0.5,"fadeInOpacity":false}}],"triggers":[
{"class":"ProximityTrigger","active":true,"ids":[3],"fields":{"continuous":true,"usesSynch":true},
"actions":[{"object":2,"action":0},{"object":2,"action":1}]}]}]})";
// Rain with a button on the control panel.
constexpr const char* kRain = R"({"format":"scenewright-project","version":1,"name":"rain",
"localiseScript":false,"objects":[{"type":"world","name":"world","actions":[],"triggers":[],"soundid":1,"sounds":[
{"id":0,"filename":"rain.wav","volume":0.5,"repeats":0,"near":1.0,"far":50.0,"x":0.0,"y":0.0,"z":0.0,
"addControlPanelButtons":true,"enablePositions":false}]},{"type":"actor","name":"actor","actions":[],"triggers":[]}]})";

std::string replacedAll(std::string text, const std::string& today, const std::string& older)
{
    for (std::size_t at = text.find(today); at != std::string::npos; at = text.find(today, at + older.size()))
        text.replace(at, today.size(), older);
    return text;
}

// Scripts of earlier versions, today's script with older fragments put
// in, import to the project that generates today's script in every form;
// an older fragment where no version wrote one is still refused.
TEST_F(ScriptImportTest, OlderScriptsComeBackAsTodaysProject)
{
    struct Older {
        const char* project;
        const char* today;
        const char* older;
        bool imports;
    };
    const Older cases[] = {
        {kFadingStatue, "triggerrunning = [];\n", "", true},
        {kFadingStatue, "if(!triggerrunning[i])", "if(!triggernames[i].running)", true},
        {kFadingStatue, "if(triggerrunning[i])", "if(triggernames[i].running)", true},
        {kFadingStatue, "triggerrunning[i] = false;", "triggernames[i].running = false;", true},
        {kFadingStatue, "triggerrunning[0] = true;", "triggernames[0].running = true;", true},
        {kFadingStatue, "vpooj.scene.getInstance(d).opacity=0.5", "vpooj.getInstance(d).opacity=0.5", true},
        {kFadingStatue, "triggerrunning[0] = true;", "triggernames[0].running = false;", false},
        {kFadingStatue, "vpooj.scene.getInstance(d).opacity = this", "vpooj.getInstance(d).opacity = this", false},
        // Never parsed; repaired by hand with a line break or left as it was.
        {kRain, "else snd0.stop();\n};\n", "else snd0.stop();\n}\n", true},
        {kRain, "else snd0.stop();\n};\n", "else snd0.stop();\n}", true},
    };
    const auto todayOf = [](const char* project) {
        std::string error;
        IdCounter counter;
        auto saved = io::ProjectFileReader::read(project, "older.scw", counter, error);
        EXPECT_TRUE(saved) << error;
        return saved ? generate(*saved->toDocument(counter), true) : std::string();
    };
    // Every older fragment of the statue at once, then each alone.
    const std::string statue = todayOf(kFadingStatue);
    std::string allOlder = statue;
    for (const Older& older : cases)
        if (older.project == kFadingStatue && older.imports)
            allOlder = replacedAll(allOlder, older.today, older.older);
    // Each script, today's script it imports to, and whether it does.
    std::vector<std::tuple<std::string, std::string, bool>> scripts{{allOlder, statue, true}};
    for (const Older& older : cases) {
        const std::string today = todayOf(older.project);
        ASSERT_THAT(today, HasSubstr(older.today));
        scripts.emplace_back(replacedAll(today, older.today, older.older), today, older.imports);
    }
    std::string error;
    for (const auto& [script, today, imports] : scripts)
        for (const Form& form : forms()) {
            const std::string text = form.apply(script);
            IdCounter ids;
            auto project = import(text, ids, error);
            ASSERT_EQ(project.has_value(), imports) << form.name << ": " << error << "\n" << text;
            if (!imports)
                continue;
            EXPECT_TRUE(project->synchronised);
            // Only the compressed form of an older script is one that is
            // written today.
            EXPECT_EQ(project->layout, form.layout == ScriptImport::Layout::Compressed
                                           ? form.layout
                                           : ScriptImport::Layout::Reindented)
                << form.name;
            EXPECT_EQ(generate(*project->document, true), today) << form.name << "\n" << text;
        }
}

} // namespace
} // namespace scenewright::test

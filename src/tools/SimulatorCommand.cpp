#include "SimulatorCommand.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/SceneCheck.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/Version.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/sim/SimulatedScene.h"
#include "scenewright/sim/SimulatedWorld.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <optional>

namespace scenewright::tools {

namespace {

using sim::SimulatedWorld;

enum class Localisation { FromProject, Localise, Global };

struct Step {
    enum Kind { Click, Approach, Frames, Seconds, Toggle, Connect, Disconnect } kind;
    std::string name;
    double number = 0.0;
};

struct Options {
    bool synchronise = false;
    Localisation localisation = Localisation::FromProject;
    std::optional<std::string> attach;
    std::optional<std::string> project;
    std::vector<Step> steps;
};

std::optional<double> parseNumber(const std::string& text)
{
    try {
        std::size_t used = 0;
        double value = std::stod(text, &used);
        if (used != text.size() || !std::isfinite(value))
            return std::nullopt;
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Parses the arguments; a usage error leaves its message in `error`.
std::optional<Options> parse(const std::vector<std::string>& arguments, std::string& error)
{
    Options options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // After "--" every argument is a file name, even one starting with "-".
        if (argument == "--" && !optionsEnded) {
            optionsEnded = true;
            continue;
        }
        auto value = [&](const char* what) -> std::optional<std::string> {
            if (i + 1 >= arguments.size()) {
                error = argument + " needs " + what;
                return std::nullopt;
            }
            return arguments[++i];
        };
        auto number = [&](const char* what, bool whole) -> std::optional<double> {
            std::optional<std::string> text = value(what);
            if (!text)
                return std::nullopt;
            std::optional<double> parsed = parseNumber(*text);
            if (!parsed || *parsed < 0 || (whole && std::floor(*parsed) != *parsed)) {
                error = argument + " needs " + what + ", not " + *text;
                return std::nullopt;
            }
            return parsed;
        };
        if (optionsEnded) {
            if (options.project) {
                error = "more than one project file given";
                return std::nullopt;
            }
            options.project = argument;
        } else if (argument == "--synchronise") {
            options.synchronise = true;
        } else if (argument == "--localise" || argument == "--global") {
            Localisation chosen = argument == "--localise" ? Localisation::Localise : Localisation::Global;
            if (options.localisation != Localisation::FromProject && options.localisation != chosen) {
                error = "conflicting option " + argument;
                return std::nullopt;
            }
            options.localisation = chosen;
        } else if (argument == "--attach") {
            std::optional<std::string> name = value("an object name");
            if (!name)
                return std::nullopt;
            if (options.attach) {
                error = "--attach given twice";
                return std::nullopt;
            }
            options.attach = *name;
        } else if (argument == "--click") {
            std::optional<std::string> name = value("an object name");
            if (!name)
                return std::nullopt;
            options.steps.push_back({Step::Click, *name});
        } else if (argument == "--approach") {
            std::optional<std::string> name = value("an object name and a distance");
            if (!name)
                return std::nullopt;
            std::optional<double> distance = number("a distance", false);
            if (!distance)
                return std::nullopt;
            options.steps.push_back({Step::Approach, *name, *distance});
        } else if (argument == "--frames") {
            std::optional<double> frames = number("a whole number of frames", true);
            if (!frames)
                return std::nullopt;
            if (*frames > std::numeric_limits<int>::max()) {
                error = argument + " needs at most " + std::to_string(std::numeric_limits<int>::max())
                        + " frames, not " + arguments[i];
                return std::nullopt;
            }
            options.steps.push_back({Step::Frames, {}, *frames});
        } else if (argument == "--seconds") {
            std::optional<double> seconds = number("a number of seconds", false);
            if (!seconds)
                return std::nullopt;
            if (!SimulatedWorld::framesIn(*seconds)) {
                error = argument + " needs at most " + std::to_string(SimulatedWorld::kLongestRun)
                        + " seconds, not " + arguments[i];
                return std::nullopt;
            }
            options.steps.push_back({Step::Seconds, {}, *seconds});
        } else if (argument == "--toggle") {
            std::optional<std::string> label = value("a toggle label");
            if (!label)
                return std::nullopt;
            options.steps.push_back({Step::Toggle, *label});
        } else if (argument == "--connect") {
            options.steps.push_back({Step::Connect, {}});
        } else if (argument == "--disconnect") {
            options.steps.push_back({Step::Disconnect, {}});
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument;
            return std::nullopt;
        } else if (options.project) {
            error = "more than one project file given";
            return std::nullopt;
        } else {
            options.project = argument;
        }
    }
    if (!options.project) {
        error = "no project file given";
        return std::nullopt;
    }
    return options;
}

// The first object a step or --attach names that the scene does not hold.
std::optional<std::string> unknownObject(const Options& options, const sim::SimulatedScene& scene)
{
    if (options.attach && !scene.hasObject(*options.attach))
        return options.attach;
    for (const Step& step : options.steps) {
        if ((step.kind == Step::Click || step.kind == Step::Approach) && !scene.hasObject(step.name))
            return step.name;
    }
    return std::nullopt;
}

} // namespace

const char* SimulatorCommand::usage()
{
    return "Usage: scenewright-sim [--synchronise] [--localise | --global] [--attach NAME]\n"
           "                       [STEP ...] PROJECT.scw\n"
           "\n"
           "Runs the generated script of a Scenewright project against a simulated world and\n"
           "prints one line per call the script makes to the world: \"t=SECONDS CALL ARGUMENTS\".\n"
           "The world moves in frames of 1/30 s; its objects load 0.5 s after the start.\n"
           "\n"
           "  --synchronise        synchronise triggers between users through shared objects\n"
           "  --localise           localise the script to the object it is attached to\n"
           "  --global             write a global script (overrides the project's setting)\n"
           "  --attach NAME        the object a localised script is attached to (default: the first\n"
           "                       primitive, solid object or viewpoint object, else the world)\n"
           "\n"
           "Steps, run in the order given:\n"
           "  --frames N           run N frames\n"
           "  --seconds S          run the frames of S seconds\n"
           "  --click NAME         click the object\n"
           "  --approach NAME DIST put the actor at distance DIST from the object\n"
           "  --toggle LABEL       switch the control-panel toggle with that label\n"
           "  --connect            connect the chat\n"
           "  --disconnect         disconnect the chat (it starts connected)\n"
           "\n"
           "  --help               show this help\n"
           "  --version            show the version\n"
           "\n"
           "Exit status: 0 when the run had no script error, 1 on a script error or a refused\n"
           "project, 2 on a usage error.\n";
}

int SimulatorCommand::run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    for (const std::string& argument : arguments) {
        if (argument == "--")
            break;
        if (argument == "--help") {
            out << usage();
            return kSuccess;
        }
        if (argument == "--version") {
            out << "scenewright-sim " << core::Version::text << "\n";
            return kSuccess;
        }
    }
    std::string error;
    std::optional<Options> options = parse(arguments, error);
    if (!options) {
        err << "scenewright-sim: " << error << "\n" << usage();
        return kUsageError;
    }

    core::IdCounter ids;
    auto document = core::SceneDocument::open(*options->project, ids, error);
    if (!document) {
        err << "scenewright-sim: " << error << "\n";
        return kFailure;
    }
    core::script::ScriptOptions scriptOptions;
    scriptOptions.localise = options->localisation == Localisation::FromProject
                                 ? document->localiseScript()
                                 : options->localisation == Localisation::Localise;
    scriptOptions.synchronise = options->synchronise;

    sim::SimulatedScene scene;
    try {
        scene = sim::SimulatedScene::fromDocument(*document, scriptOptions);
    } catch (const core::IdsExhausted& exhausted) {
        err << "scenewright-sim: " << exhausted.what() << "\n";
        return kFailure;
    }
    if (std::optional<std::string> name = unknownObject(*options, scene)) {
        err << "scenewright-sim: the project has no object named " << *name << "\n";
        return kUsageError;
    }
    if (options->attach)
        scene.attachedTo = *options->attach;
    // What the script cannot do by its nature, said before it shows.
    for (const core::SceneCheck::Problem& problem :
         core::SceneCheck::unreachable(document->objects(), scriptOptions.localise, scriptOptions.synchronise))
        err << "scenewright-sim: warning: " << problem.object->getDisplayName() << ": " << problem.text << "\n";

    SimulatedWorld world(std::move(scene));
    std::size_t printed = 0;
    auto print = [&] {
        for (; printed < world.log().size(); ++printed)
            out << world.log()[printed].text().toStdString() << "\n";
    };
    print();
    for (const Step& step : options->steps) {
        const QString name = QString::fromStdString(step.name);
        switch (step.kind) {
        case Step::Click: world.click(name); break;
        case Step::Approach: world.approach(name, step.number); break;
        case Step::Frames: world.runFrames(static_cast<int>(step.number)); break;
        case Step::Seconds: world.runSeconds(step.number); break;
        case Step::Connect: world.setConnected(true); break;
        case Step::Disconnect: world.setConnected(false); break;
        case Step::Toggle: {
            const auto toggles = world.toggles();
            auto found = std::find_if(toggles.begin(), toggles.end(), [&](const auto& t) { return t.first == name; });
            if (found == toggles.end()) {
                print();
                err << "scenewright-sim: the world has no control-panel toggle labelled " << step.name << "\n";
                return kUsageError;
            }
            world.setToggle(name, !found->second);
            break;
        }
        }
        print();
    }
    out.flush();
    return world.hadScriptError() ? kFailure : kSuccess;
}

} // namespace scenewright::tools

#include "GeneratorCommand.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/Version.h"
#include "scenewright/core/io/FileReader.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/SaveFile.h"
#include "scenewright/core/io/ScriptImport.h"
#include "scenewright/core/script/MessageText.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptGenerator.h"

#include <functional>
#include <iostream>
#include <optional>
#include <sys/stat.h>

namespace scenewright::tools {

namespace {

using namespace scenewright::core;

enum class Format { None, Beautify, Compress };
enum class Localisation { FromProject, Localise, Global };

struct Options {
    bool synchronise = false;
    Localisation localisation = Localisation::FromProject;
    Format format = Format::None;
    std::optional<std::string> output;
    std::optional<std::string> script;
    std::optional<std::string> importScript;
    std::optional<std::string> project;
};

// Parses the arguments; a usage error leaves its message in `error`.
std::optional<Options> parse(const std::vector<std::string>& arguments, std::string& error)
{
    Options options;
    auto setOnce = [&error](auto& slot, auto value, const std::string& argument) {
        if (slot != decltype(value){} && slot != value) {
            error = "conflicting option " + argument;
            return false;
        }
        slot = value;
        return true;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto takeValue = [&](std::optional<std::string>& slot) {
            if (i + 1 >= arguments.size()) {
                error = argument + " needs a file name";
                return false;
            }
            if (slot) {
                error = argument + " given twice";
                return false;
            }
            slot = arguments[++i];
            return true;
        };
        // After "--" every argument is a file name, even one starting with "-".
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (options.project) {
                error = "more than one project file given";
                return std::nullopt;
            }
            options.project = argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        bool ok = true;
        if (argument == "--synchronise")
            options.synchronise = true;
        else if (argument == "--localise")
            ok = setOnce(options.localisation, Localisation::Localise, argument);
        else if (argument == "--global")
            ok = setOnce(options.localisation, Localisation::Global, argument);
        else if (argument == "--beautify")
            ok = setOnce(options.format, Format::Beautify, argument);
        else if (argument == "--compress")
            ok = setOnce(options.format, Format::Compress, argument);
        else if (argument == "-o")
            ok = takeValue(options.output);
        else if (argument == "--script")
            ok = takeValue(options.script);
        else if (argument == "--import")
            ok = takeValue(options.importScript);
        else {
            error = "unknown option " + argument;
            ok = false;
        }
        if (!ok)
            return std::nullopt;
    }
    if (options.importScript) {
        if (options.script || options.project || options.synchronise
            || options.localisation != Localisation::FromProject || options.format != Format::None) {
            error = "--import takes no project and no other option but -o";
            return std::nullopt;
        }
    } else if (options.script) {
        if (options.format == Format::None) {
            error = "--script needs --beautify or --compress";
            return std::nullopt;
        }
        if (options.project || options.synchronise || options.localisation != Localisation::FromProject) {
            error = "--script takes no project and no project options";
            return std::nullopt;
        }
    } else if (!options.project) {
        error = "no project file given";
        return std::nullopt;
    }
    return options;
}

std::string formatted(const std::string& script, Format format)
{
    switch (format) {
    case Format::Beautify: return script::ScriptFormatter::beautify(script);
    case Format::Compress: return script::ScriptFormatter::compress(script);
    case Format::None: break;
    }
    return script;
}

bool readScript(const std::string& path, std::istream& in, std::string& text, std::string& error)
{
    std::optional<std::string> content =
        path == "-" ? io::FileReader::read(in, "standard input", error) : io::FileReader::read(path, error);
    if (!content)
        return false;
    text = std::move(*content);
    return true;
}

// Whether both paths name one existing file, links followed.
bool sameFile(const std::string& one, const std::string& other)
{
    struct stat first {};
    struct stat second {};
    return stat(one.c_str(), &first) == 0 && stat(other.c_str(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

script::ScriptLayout layoutOf(Format format)
{
    switch (format) {
    case Format::Beautify: return script::ScriptLayout::Beautified;
    case Format::Compress: return script::ScriptLayout::Compressed;
    case Format::None: break;
    }
    return script::ScriptLayout::AsGenerated;
}

using Writer = std::function<void(std::string_view)>;

// Writes the text `produce` makes, as it makes it, to the file (replaced
// atomically) or to standard output.
int deliver(const io::SaveFile::Producer& produce, const std::optional<std::string>& output, std::ostream& out,
            std::ostream& err)
{
    if (output) {
        io::SaveFile file(*output);
        if (!file.save(produce)) {
            err << "scenewright-gen: " << file.errorString() << "\n";
            return GeneratorCommand::kFailure;
        }
        return GeneratorCommand::kSuccess;
    }
    produce([&out](std::string_view piece) { out.write(piece.data(), static_cast<std::streamsize>(piece.size())); });
    out.flush();
    if (!out) {
        err << "scenewright-gen: cannot write to standard output\n";
        return GeneratorCommand::kFailure;
    }
    return GeneratorCommand::kSuccess;
}

// Writes the text to the file (replaced atomically), or to standard output.
int writeOut(const std::string& text, const std::optional<std::string>& output, std::ostream& out, std::ostream& err)
{
    return deliver([&text](const Writer& write) { write(text); }, output, out, err);
}

int importScript(const std::string& path, const std::optional<std::string>& output, std::istream& in,
                 std::ostream& out, std::ostream& err)
{
    // The project would replace the script it is rebuilt from.
    if (output && path != "-" && sameFile(*output, path)) {
        err << "scenewright-gen: -o " << script::MessageText::escaped(*output)
            << " names the script itself; the project would replace it\n";
        return GeneratorCommand::kFailure;
    }
    std::string text;
    std::string error;
    if (!readScript(path, in, text, error)) {
        err << "scenewright-gen: " << error << "\n";
        return GeneratorCommand::kFailure;
    }
    core::IdCounter ids;
    std::optional<io::ScriptImport::Imported> imported = io::ScriptImport::read(text, path, ids, error);
    if (!imported) {
        err << "scenewright-gen: " << error << "\n";
        return GeneratorCommand::kFailure;
    }
    err << io::ScriptImport::describe(*imported) << "\n";
    const core::SceneDocument& document = *imported->document;
    return writeOut(io::ProjectFileWriter::write(document.name(), document.localiseScript(), document.objects()),
                    output, out, err);
}

} // namespace

const char* GeneratorCommand::usage()
{
    return "Usage: scenewright-gen [--synchronise] [--localise | --global] [--beautify | --compress]\n"
           "                       [-o FILE] PROJECT.scw\n"
           "       scenewright-gen (--beautify | --compress) [-o FILE] --script SCRIPT.js\n"
           "       scenewright-gen --import SCRIPT.js [-o PROJECT.scw]\n"
           "\n"
           "Prints the generated Atmosphere script of a Scenewright project, or writes it to FILE.\n"
           "\n"
           "  --synchronise  synchronise triggers between users through shared objects\n"
           "  --localise     localise the script to the object it is attached to\n"
           "  --global       write a global script (overrides the project's setting)\n"
           "  --beautify     re-indent the script\n"
           "  --compress     squeeze the script into one line\n"
           "  -o FILE        write to FILE (replaced atomically) instead of standard output\n"
           "  --script FILE  format FILE (- for standard input) instead of generating a script\n"
           "  --import FILE  rebuild the project a generated script FILE (- for standard input)\n"
           "                 came from; prints the options it was generated with on standard error\n"
           "  --help         show this help\n"
           "  --version      show the version\n";
}

int GeneratorCommand::run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
                          std::ostream& err, std::shared_ptr<core::SceneDocument>* keep)
{
    for (const std::string& argument : arguments) {
        if (argument == "--")
            break;
        if (argument == "--help") {
            out << usage();
            return kSuccess;
        }
        if (argument == "--version") {
            out << "scenewright-gen " << Version::text << "\n";
            return kSuccess;
        }
    }
    std::string error;
    std::optional<Options> options = parse(arguments, error);
    if (!options) {
        err << "scenewright-gen: " << error << "\n" << usage();
        return kUsageError;
    }

    if (options->importScript)
        return importScript(*options->importScript, options->output, in, out, err);

    // The script would replace the project it is generated from.
    if (options->output && options->project && sameFile(*options->output, *options->project)) {
        err << "scenewright-gen: -o " << script::MessageText::escaped(*options->output)
            << " names the project file itself; the script would replace the project\n";
        return kFailure;
    }

    if (options->script) {
        std::string text;
        if (!readScript(*options->script, in, text, error)) {
            err << "scenewright-gen: " << error << "\n";
            return kFailure;
        }
        return writeOut(formatted(text, options->format), options->output, out, err);
    }

    core::IdCounter ids;
    auto document = core::SceneDocument::open(*options->project, ids, error);
    if (keep)
        *keep = document;
    if (!document) {
        err << "scenewright-gen: " << error << "\n";
        return kFailure;
    }
    script::ScriptOptions scriptOptions;
    scriptOptions.localise = options->localisation == Localisation::FromProject
                                 ? document->localiseScript()
                                 : options->localisation == Localisation::Localise;
    scriptOptions.synchronise = options->synchronise;
    scriptOptions.layout = layoutOf(options->format);
    try {
        document->nameObjects();
    } catch (const core::IdsExhausted& exhausted) {
        err << "scenewright-gen: " << exhausted.what() << "\n";
        return kFailure;
    }
    // The script goes out as it is generated.
    return deliver(
        [&](const Writer& write) { script::ScriptGenerator::write(document->objects(), scriptOptions, write); },
        options->output, out, err);
}

} // namespace scenewright::tools

#include "scenewright/core/io/ScriptImport.h"

#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/io/ProjectFileReader.h"
#include "scenewright/core/io/ProjectKey.h"
#include "scenewright/core/io/TextPosition.h"
#include "scenewright/core/script/CompressedScript.h"
#include "scenewright/core/script/MessageText.h"
#include "scenewright/core/script/OlderFragments.h"
#include "scenewright/core/script/ScriptCursor.h"
#include "scenewright/core/script/ScriptFormatter.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/core/script/ScriptRecogniser.h"
#include "scenewright/core/script/Utf8Text.h"

#include <nlohmann/json.hpp>

namespace scenewright::core::io {

namespace {

using Json = nlohmann::ordered_json;
using script::CompressedScript;
using script::MessageText;
using script::RecognisedFields;
using script::RecognisedScene;

Json valueJson(const action::FieldValue& value)
{
    return std::visit(
        [](const auto& v) -> Json {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::monostate>)
                return nullptr;
            else if constexpr (std::is_same_v<V, std::optional<std::string>> || std::is_same_v<V, std::optional<std::vector<int>>>)
                return v ? Json(*v) : Json(nullptr);
            else
                return v;
        },
        value);
}

Json fieldsJson(const RecognisedFields& fields)
{
    Json out = Json::object();
    for (const auto& [name, value] : fields)
        out[name] = valueJson(value);
    return out;
}

Json interactionJson(const script::RecognisedInteraction& interaction)
{
    Json out{{ProjectKey::className, interaction.className}, {ProjectKey::active, interaction.active}};
    if (interaction.ids)
        out[ProjectKey::ids] = *interaction.ids;
    out[ProjectKey::fields] = fieldsJson(interaction.fields);
    return out;
}

// The scene as a project file, for the project file reader to build: the
// one place where scenes are made from data.
std::string projectText(const RecognisedScene& scene, const std::string& name)
{
    Json objects = Json::array();
    for (const script::RecognisedObject& object : scene.objects) {
        Json out{{ProjectKey::type, object.type}, {ProjectKey::name, object.name}};
        if (object.id)
            out[ProjectKey::id] = *object.id;
        for (const auto& [key, value] : object.fields)
            out[key] = valueJson(value);
        for (const auto& [key, fields] : object.records)
            out[key] = fieldsJson(fields);
        if (!object.sounds.empty()) {
            Json sounds = Json::array();
            for (const RecognisedFields& sound : object.sounds)
                sounds.push_back(fieldsJson(sound));
            out[ProjectKey::sounds] = std::move(sounds);
        }
        Json actions = Json::array();
        for (const auto& action : object.actions)
            actions.push_back(interactionJson(action));
        out[ProjectKey::actions] = std::move(actions);
        Json triggers = Json::array();
        for (const auto& trigger : object.triggers) {
            Json entry = interactionJson(trigger.interaction);
            Json references = Json::array();
            for (const auto& place : trigger.actions)
                references.push_back(Json{{ProjectKey::object, place.object}, {ProjectKey::action, place.action}});
            entry[ProjectKey::actions] = std::move(references);
            triggers.push_back(std::move(entry));
        }
        out[ProjectKey::triggers] = std::move(triggers);
        objects.push_back(std::move(out));
    }
    const Json document{{ProjectKey::format, ProjectKey::formatName},
                        {ProjectKey::version, ProjectKey::formatVersion},
                        {ProjectKey::name, name},
                        {ProjectKey::localiseScript, scene.localised},
                        {ProjectKey::objects, std::move(objects)}};
    return document.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string projectName(const std::string& path)
{
    if (path == "-")
        return "default";
    std::string name = path.substr(path.find_last_of('/') + 1);
    if (name.size() > 3 && name.compare(name.size() - 3, 3, ".js") == 0)
        name.resize(name.size() - 3);
    return name.empty() ? "default" : name;
}

// The regenerated text from the place where it differs, cut at a length a
// message can show.
std::string excerpt(std::string_view text, std::size_t at)
{
    constexpr std::size_t kLength = 60;
    if (at >= text.size())
        return "the end of the script";
    std::size_t end = std::min(text.size(), at + kLength);
    // Cut at a character's start.
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    std::string shown(text.substr(at, end - at));
    return MessageText::quoted(shown) + (end < text.size() ? " and on" : "");
}

} // namespace

namespace {

// Where and why a script is refused.
struct Refusal {
    std::size_t offset = 0;
    std::string what;
};

// How closely a script generated again is the script: only in its tokens,
// also in the comments, or also in the empty lines (the same form, or the
// same re-indented with comments added).
enum class Likeness { Tokens, Comments, Layout };

// The project of the scene, checked by generating it again; nothing, with
// the refusal set, when that gives another script; `likeness`, where
// asked for, tells how close the script generated again is.
std::optional<ScriptImport::Imported> rebuildScene(std::string_view script, const CompressedScript& compressed,
                                                   const RecognisedScene& scene, const std::string& path,
                                                   IdCounter& ids, Refusal& refusal, Likeness* likeness)
{
    ScriptImport::Imported imported;
    imported.synchronised = scene.synchronised;
    std::string buildError;
    std::optional<LoadedProject> project =
        ProjectFileReader::read(projectText(scene, projectName(path)), "", ids, buildError);
    if (!project) {
        const std::size_t what = buildError.find(": ", buildError.find("column"));
        refusal = {0, "a scene that can be rebuilt ("
                          + (what == std::string::npos ? buildError : buildError.substr(what + 2)) + ")"};
        return std::nullopt;
    }
    imported.document = project->toDocument(ids);

    std::string regenerated;
    try {
        imported.document->nameObjects();
        regenerated = script::ScriptGenerator::generate(
            imported.document->objects(), {imported.document->localiseScript(), imported.synchronised});
    } catch (const IdsExhausted& exhausted) {
        refusal = {0, exhausted.what()};
        return std::nullopt;
    }
    // The same script byte for byte needs no compressing to compare.
    const bool plain = regenerated == script;
    const std::string again = plain ? std::string() : script::ScriptFormatter::compress(regenerated);
    const std::string& text = compressed.text();
    if (!plain && again != text) {
        const auto mismatch = std::mismatch(again.begin(), again.end(), text.begin(), text.end());
        const auto at = static_cast<std::size_t>(mismatch.second - text.begin());
        refusal = {compressed.scriptOffset(at),
                   "expected " + excerpt(again, static_cast<std::size_t>(mismatch.first - again.begin()))};
        return std::nullopt;
    }
    using Layout = ScriptImport::Layout;
    if (plain)
        imported.layout = Layout::Plain;
    else if (compressed.text() == script)
        imported.layout = Layout::Compressed;
    else if (script::ScriptFormatter::beautify(regenerated) == script)
        imported.layout = Layout::Beautified;
    else
        imported.layout = Layout::Reindented;
    if (likeness && imported.layout == Layout::Reindented) {
        const CompressedScript again(regenerated);
        *likeness = !compressed.keepsCommentsOf(again)                               ? Likeness::Tokens
                   : compressed.emptyLinesByPlace() == again.emptyLinesByPlace() ? Likeness::Layout
                                                                                   : Likeness::Comments;
    }
    return imported;
}

// The project of the script as the recogniser reads it, with or without
// taking its empty lines for the generator's; nothing, with the refusal of
// the first try set, when no try gives the script back. Where the first
// placing of triggers and objects fails, or gives the script back only up
// to its comments or empty lines, the tries pass over one choice of a place,
// then two, and so on, a bounded number so that hostile scripts stay fast;
// the first project that gives the script back most closely wins.
std::optional<ScriptImport::Imported> rebuild(std::string_view script, const CompressedScript& compressed,
                                              bool generatorLayout, const std::string& path, IdCounter& ids,
                                              Refusal& refusal)
{
    std::optional<script::SceneAssembly> read;
    try {
        read = script::ScriptRecogniser::read(compressed, generatorLayout);
    } catch (const script::ScriptCursor::Mismatch& mismatch) {
        refusal = {compressed.scriptOffset(mismatch.at), mismatch.what()};
        return std::nullopt;
    }
    // The first reading, then each choice passed over alone, then each of
    // those with one more: passing over a choice may lead to choices the
    // first reading never met, such as lending an action to one more
    // trigger, so each try adds those it met after its own last detour.
    constexpr std::size_t kMostDetours = 8;
    // Each try reads the whole scene and generates it again: a large
    // script gets fewer.
    constexpr std::size_t kTriedBytes = std::size_t{32} << 20;
    const std::size_t mostTries = std::clamp<std::size_t>(kTriedBytes / (compressed.text().size() + 1), 1, 24);
    std::vector<std::vector<std::size_t>> tries{{}};
    std::optional<ScriptImport::Imported> closest;
    Likeness closestLikeness = Likeness::Tokens;
    for (std::size_t t = 0; t < tries.size() && t < mostTries; ++t) {
        script::SceneAssembly assembly = *read;
        assembly.setDetours(tries[t]);
        Refusal refused;
        std::optional<RecognisedScene> scene;
        try {
            scene = assembly.scene();
        } catch (const script::ScriptCursor::Mismatch& mismatch) {
            refused = {compressed.scriptOffset(mismatch.at), mismatch.what()};
        }
        const std::size_t choices = std::min(assembly.placeChoices(), kMostDetours);
        for (std::size_t d = tries[t].empty() ? 0 : tries[t].back() + 1; d < choices && tries.size() < mostTries;
             ++d) {
            std::vector<std::size_t> further = tries[t];
            further.push_back(d);
            tries.push_back(std::move(further));
        }
        // With no other try, any project that gives the script back will do.
        Likeness likeness = Likeness::Layout;
        std::optional<ScriptImport::Imported> imported;
        if (scene)
            imported = rebuildScene(script, compressed, *scene, path, ids, refused,
                                    tries.size() > 1 ? &likeness : nullptr);
        if (t == 0)
            refusal = refused;
        // Without the layout, empty lines tell nothing.
        if (imported && (likeness == Likeness::Layout || (!generatorLayout && likeness == Likeness::Comments)))
            return imported;
        if (imported && (!closest || likeness > closestLikeness)) {
            closest = std::move(imported);
            closestLikeness = likeness;
        }
    }
    return closest;
}

// The project of a script of an earlier version, read and compared in
// today's form; nothing when the script holds no older fragment or is not
// an older script either.
std::optional<ScriptImport::Imported> rebuildOlder(std::string_view script, const CompressedScript& compressed,
                                                   const std::string& path, IdCounter& ids)
{
    const std::string today = script::OlderFragments::modernised(compressed.text());
    if (today == compressed.text())
        return std::nullopt;
    const CompressedScript todayCompressed(today);
    Refusal ignored;
    std::optional<ScriptImport::Imported> imported = rebuild(today, todayCompressed, false, path, ids, ignored);
    if (!imported)
        return std::nullopt;
    // No form today's generator writes is the older text, so only a
    // compressed one keeps its name.
    imported->layout = compressed.text() == script ? ScriptImport::Layout::Compressed : ScriptImport::Layout::Reindented;
    return imported;
}

} // namespace

std::optional<ScriptImport::Imported> ScriptImport::read(std::string_view script, const std::string& path,
                                                         IdCounter& ids, std::string& error)
{
    const auto refuse = [&](const Refusal& refusal) -> std::optional<Imported> {
        error = MessageText::escaped(path) + ": " + TextPosition::of(script, refusal.offset).describe() + ": "
                + refusal.what;
        return std::nullopt;
    };
    if (const std::size_t broken = script::Utf8Text::firstIllFormed(script); broken != std::string_view::npos)
        return refuse({broken, "not UTF-8 text"});

    const CompressedScript compressed(script);
    // The empty lines of a script with the generator's line breaks tell how
    // many objects lie between triggers; a script re-indented by hand may
    // have others, so it is read without them if it must.
    const bool generatorLayout = compressed.text() != script && script.find("\r\n") == std::string_view::npos;
    Refusal refusal;
    std::optional<Imported> imported = rebuild(script, compressed, generatorLayout, path, ids, refusal);
    Refusal withoutLayout;
    if (!imported && generatorLayout)
        imported = rebuild(script, compressed, false, path, ids, withoutLayout);
    if (!imported)
        imported = rebuildOlder(script, compressed, path, ids);
    if (!imported)
        return refuse(refusal);
    return imported;
}

std::string ScriptImport::describe(const Imported& imported)
{
    static const char* const layouts[] = {"plain", "beautified", "compressed", "re-indented"};
    return std::string(imported.document->localiseScript() ? "localised" : "global") + ", "
           + (imported.synchronised ? "synchronised" : "not synchronised") + ", "
           + layouts[static_cast<int>(imported.layout)];
}

} // namespace scenewright::core::io

#include "scenewright/core/io/ProjectFileWriter.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/ScriptedObject.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"

#include <nlohmann/json.hpp>

#include <unordered_map>

namespace scenewright::core::io {

using Json = nlohmann::ordered_json;
using action::AtmoInteraction;
using action::FieldValue;

namespace {

Json text(const std::optional<std::string>& value)
{
    return value ? Json(*value) : Json(nullptr);
}

Json fieldJson(const FieldValue& value)
{
    return std::visit(
        [](const auto& v) -> Json {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::monostate>)
                return nullptr;
            else if constexpr (std::is_same_v<V, std::optional<std::string>>)
                return text(v);
            else if constexpr (std::is_same_v<V, std::optional<std::vector<int>>>)
                return v ? Json(*v) : Json(nullptr);
            else
                return v;
        },
        value);
}

Json interactionJson(const AtmoInteraction& interaction)
{
    Json fields = Json::object();
    for (const auto& field : interaction.fieldTable().fields())
        fields[field.name] = fieldJson(field.read(interaction));
    Json out;
    out["class"] = interaction.className();
    out["active"] = interaction.getActive();
    out["ids"] = interaction.getIds();
    out["fields"] = std::move(fields);
    return out;
}

Json physicalModelJson(const PhysicalModel& pm)
{
    return Json{{"friction", pm.friction},       {"inertia", pm.inertia}, {"initialmass", pm.initialmass},
                {"active", pm.active},           {"collisions", pm.collisions}, {"fixed", pm.fixed},
                {"useForOverlaps", pm.useForOverlaps}};
}

void addWorldSettings(Json& out, const World& world)
{
    const World::Fog& fog = world.getFog();
    const World::Glare& glare = world.getGlare();
    out["welcomeMessage"] = text(world.getWelcomeMessage());
    out["welcomeEnabled"] = world.getWelcomeEnabled();
    out["fogEnabled"] = world.getFogEnabled();
    out["glareEnabled"] = world.getGlareEnabled();
    out["fog"] = Json{{"dropOff", fog.dropOff}, {"colourr", fog.colourr}, {"colourg", fog.colourg},
                      {"colourb", fog.colourb}, {"near", fog.near},       {"far", fog.far},
                      {"addControlPanelButtonOffOn", fog.addControlPanelButtonOffOn}};
    out["glare"] = Json{{"brightness", glare.brightness}, {"colourr", glare.colourr}, {"colourg", glare.colourg},
                        {"colourb", glare.colourb},       {"radius", glare.radius},   {"nonlinear", glare.nonlinear},
                        {"addControlPanelButtonOffOn", glare.addControlPanelButtonOffOn}};
    out["soundid"] = world.getSoundId();
    Json sounds = Json::array();
    for (const auto& sound : world.getSoundList()) {
        sounds.push_back(Json{{"id", sound->id},
                              {"filename", text(sound->filename)},
                              {"volume", sound->volume},
                              {"repeats", sound->repeats},
                              {"near", sound->near},
                              {"far", sound->far},
                              {"x", sound->x},
                              {"y", sound->y},
                              {"z", sound->z},
                              {"addControlPanelButtons", sound->addControlPanelButtons},
                              {"enablePositions", sound->enablePositions}});
    }
    out["sounds"] = std::move(sounds);
}

} // namespace

struct ProjectDocument::Tree {
    Json json;
};

ProjectDocument::ProjectDocument() = default;
ProjectDocument::ProjectDocument(std::unique_ptr<Tree> tree) : tree_(std::move(tree)) {}
ProjectDocument::ProjectDocument(ProjectDocument&& other) noexcept = default;
ProjectDocument& ProjectDocument::operator=(ProjectDocument&& other) noexcept = default;
ProjectDocument::~ProjectDocument() = default;

std::string ProjectDocument::text() const
{
    if (!tree_)
        return {};
    return tree_->json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string ProjectFileWriter::write(const std::string& projectName, bool localiseScript,
                                     const std::vector<std::shared_ptr<IAtmoObject>>& objects)
{
    return document(projectName, localiseScript, objects).text();
}

ProjectDocument ProjectFileWriter::document(const std::string& projectName, bool localiseScript,
                                            const std::vector<std::shared_ptr<IAtmoObject>>& objects)
{
    // Where each action lives, for the triggers' references.
    std::unordered_map<const action::AtmoAction*, std::pair<int, int>> place;
    for (std::size_t o = 0; o < objects.size(); ++o) {
        const auto& pool = objects[o]->getAtmoActionListData();
        for (std::size_t a = 0; a < pool.size(); ++a)
            place.emplace(pool[a].get(), std::make_pair(static_cast<int>(o), static_cast<int>(a)));
    }

    Json list = Json::array();
    for (const auto& object : objects) {
        Json out;
        out["type"] = object->getType();
        out["name"] = object->getName();
        if (auto* scripted = dynamic_cast<const ScriptedObject*>(object.get()); scripted && scripted->getGlobalId())
            out["id"] = *scripted->getGlobalId();
        if (auto* primitive = dynamic_cast<const PrimitiveObj*>(object.get()))
            out["solidObjectIndex"] = text(primitive->solidObjectIndex);
        if (auto* model = dynamic_cast<const ModelObj*>(object.get())) {
            out["tobeloaded"] = model->tobeloaded;
            out["pm"] = physicalModelJson(model->pm);
        }
        if (auto* solid = dynamic_cast<const SolidObjectObj*>(object.get()))
            out["pm"] = physicalModelJson(solid->pm);
        if (auto* viewpoint = dynamic_cast<const ViewpointObj*>(object.get()))
            out["pm"] = physicalModelJson(viewpoint->pm);

        Json actions = Json::array();
        for (const auto& action : object->getAtmoActionListData())
            actions.push_back(interactionJson(*action));
        out["actions"] = std::move(actions);

        Json triggers = Json::array();
        for (const auto& trigger : object->getAtmoTriggerListData()) {
            Json entry = interactionJson(*trigger);
            Json references = Json::array();
            for (const auto& action : trigger->getActionList()) {
                auto found = place.find(action.get());
                if (found != place.end())
                    references.push_back(Json{{"object", found->second.first}, {"action", found->second.second}});
            }
            entry["actions"] = std::move(references);
            triggers.push_back(std::move(entry));
        }
        out["triggers"] = std::move(triggers);

        if (auto* world = dynamic_cast<const World*>(object.get()))
            addWorldSettings(out, *world);
        list.push_back(std::move(out));
    }

    auto tree = std::make_unique<ProjectDocument::Tree>();
    Json& document = tree->json;
    document["format"] = "scenewright-project";
    document["version"] = 1;
    document["name"] = projectName;
    document["localiseScript"] = localiseScript;
    document["objects"] = std::move(list);
    return ProjectDocument(std::move(tree));
}

} // namespace scenewright::core::io

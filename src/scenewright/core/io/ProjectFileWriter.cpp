#include "scenewright/core/io/ProjectFileWriter.h"

#include "scenewright/core/ObjectKind.h"
#include "scenewright/core/ObjectMember.h"
#include "scenewright/core/ScriptedObject.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/io/JsonTextWriter.h"
#include "scenewright/core/io/RecordField.h"

#include <unordered_map>

namespace scenewright::core::io {

using action::AtmoInteraction;
using action::FieldValue;

namespace {

void text(JsonTextWriter& json, const std::optional<std::string>& value)
{
    if (value)
        json.string(*value);
    else
        json.null();
}

void numbers(JsonTextWriter& json, const std::vector<int>& values)
{
    json.beginArray();
    for (int value : values)
        json.number(static_cast<long long>(value));
    json.endArray();
}

void field(JsonTextWriter& json, const FieldValue& value)
{
    std::visit(
        [&json](const auto& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::monostate>) {
                json.null();
            } else if constexpr (std::is_same_v<V, std::optional<std::string>>) {
                text(json, v);
            } else if constexpr (std::is_same_v<V, std::optional<std::vector<int>>>) {
                if (v)
                    numbers(json, *v);
                else
                    json.null();
            } else if constexpr (std::is_same_v<V, std::vector<std::string>>) {
                json.beginArray();
                for (const std::string& each : v)
                    json.string(each);
                json.endArray();
            } else if constexpr (std::is_same_v<V, bool>) {
                json.boolean(v);
            } else if constexpr (std::is_same_v<V, int>) {
                json.number(static_cast<long long>(v));
            } else {
                json.number(v);
            }
        },
        value);
}

// An interaction's members; the caller closes the object, a trigger after
// its action references.
void beginInteraction(JsonTextWriter& json, const AtmoInteraction& interaction)
{
    json.beginObject();
    json.key("class");
    json.string(interaction.className());
    json.key("active");
    json.boolean(interaction.getActive());
    json.key("ids");
    numbers(json, interaction.numbers());
    json.key("fields");
    json.beginObject();
    for (const auto& each : interaction.fieldTable().fields()) {
        json.key(each.name);
        field(json, each.read(interaction));
    }
    json.endObject();
}

void whole(JsonTextWriter& json, const char* name, int value)
{
    json.key(name);
    json.number(static_cast<long long>(value));
}

void flag(JsonTextWriter& json, const char* name, bool value)
{
    json.key(name);
    json.boolean(value);
}

template <class Record, std::size_t N>
void record(JsonTextWriter& json, const Record& value, const std::array<RecordField<Record>, N>& fields);

// One member's value, written as its type calls for.
template <class Value>
void member(JsonTextWriter& json, const Value& value)
{
    if constexpr (std::is_same_v<Value, int>)
        json.number(static_cast<long long>(value));
    else if constexpr (std::is_same_v<Value, bool>)
        json.boolean(value);
    else if constexpr (std::is_same_v<Value, double>)
        json.number(value);
    else if constexpr (std::is_same_v<Value, PhysicalModel>)
        record(json, value, physicalModelFields);
    else
        text(json, value);
}

// A value record as one JSON object, its members in the table's order.
template <class Record, std::size_t N>
void record(JsonTextWriter& json, const Record& value, const std::array<RecordField<Record>, N>& fields)
{
    json.beginObject();
    for (const RecordField<Record>& field : fields) {
        json.key(field.key);
        std::visit([&](auto pointer) { member(json, value.*pointer); }, field.member);
    }
    json.endObject();
}

// The id and the members of the object's own kind.
void kindMembers(JsonTextWriter& json, const ScriptedObject& object)
{
    if (object.globalId())
        whole(json, "id", *object.globalId());
    for (const ObjectMember& each : object.kind().members) {
        json.key(each.key);
        std::visit([&](auto place) { member(json, object.*place); }, each.place);
    }
}

void worldSettings(JsonTextWriter& json, const World& world)
{
    json.key("welcomeMessage");
    text(json, world.getWelcomeMessage());
    flag(json, "welcomeEnabled", world.getWelcomeEnabled());
    flag(json, "fogEnabled", world.getFogEnabled());
    flag(json, "glareEnabled", world.getGlareEnabled());
    json.key("fog");
    record(json, world.getFog(), fogFields);
    json.key("glare");
    record(json, world.getGlare(), glareFields);
    whole(json, "soundid", world.soundId());
    json.key("sounds");
    json.beginArray();
    for (const auto& sound : world.getSoundList())
        record(json, *sound, soundFields);
    json.endArray();
}

// The text of a project file, written straight from the scene.
std::string projectText(const std::string& projectName, bool localiseScript,
                        const std::vector<std::shared_ptr<IAtmoObject>>& objects)
{
    // Where each action lives, for the triggers' references.
    std::unordered_map<const action::AtmoAction*, std::pair<int, int>> place;
    for (std::size_t o = 0; o < objects.size(); ++o) {
        const auto& pool = objects[o]->getAtmoActionListData();
        for (std::size_t a = 0; a < pool.size(); ++a)
            place.emplace(pool[a].get(), std::make_pair(static_cast<int>(o), static_cast<int>(a)));
    }

    std::string out;
    // About what an object with a few interactions takes, so that the text
    // is seldom moved as it grows.
    out.reserve(2048 * objects.size());
    JsonTextWriter json(out);
    json.beginObject();
    json.key("format");
    json.string("scenewright-project");
    whole(json, "version", 1);
    json.key("name");
    json.string(projectName);
    flag(json, "localiseScript", localiseScript);
    json.key("objects");
    json.beginArray();
    for (const auto& object : objects) {
        json.beginObject();
        json.key("type");
        json.string(object->getType());
        json.key("name");
        json.string(object->getName());
        if (auto* scripted = dynamic_cast<const ScriptedObject*>(object.get()))
            kindMembers(json, *scripted);

        json.key("actions");
        json.beginArray();
        for (const auto& action : object->getAtmoActionListData()) {
            beginInteraction(json, *action);
            json.endObject();
        }
        json.endArray();

        json.key("triggers");
        json.beginArray();
        for (const auto& trigger : object->getAtmoTriggerListData()) {
            beginInteraction(json, *trigger);
            json.key("actions");
            json.beginArray();
            for (const auto& action : trigger->getActionList()) {
                auto found = place.find(action.get());
                if (found == place.end())
                    continue;
                json.beginObject();
                whole(json, "object", found->second.first);
                whole(json, "action", found->second.second);
                json.endObject();
            }
            json.endArray();
            json.endObject();
        }
        json.endArray();

        if (auto* world = dynamic_cast<const World*>(object.get()))
            worldSettings(json, *world);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    out += '\n';
    return out;
}

} // namespace

std::string ProjectFileWriter::write(const std::string& projectName, bool localiseScript,
                                     const std::vector<std::shared_ptr<IAtmoObject>>& objects)
{
    return projectText(projectName, localiseScript, objects);
}

ProjectDocument ProjectFileWriter::document(const std::string& projectName, bool localiseScript,
                                            const std::vector<std::shared_ptr<IAtmoObject>>& objects)
{
    return ProjectDocument(projectText(projectName, localiseScript, objects));
}

} // namespace scenewright::core::io

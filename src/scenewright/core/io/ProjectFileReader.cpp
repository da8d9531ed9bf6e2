#include "scenewright/core/io/ProjectFileReader.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/InteractionCatalogue.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/script/Utf8Text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <unordered_set>

namespace scenewright::core::io {

using Json = nlohmann::json;
using action::AtmoAction;
using action::AtmoInteraction;
using action::AtmoTrigger;
using action::FieldType;
using action::FieldValue;

namespace {

constexpr int kMaxNumber = 2147483646;
constexpr const char* kFormat = "scenewright-project";
constexpr int kVersion = 1;

// Why a file is refused; `where` is the path of the offending value.
struct Refusal : std::runtime_error {
    Refusal(const std::string& where, const std::string& what)
        : std::runtime_error(where.empty() ? what : where + ": " + what)
    {
    }
};

std::string describe(const Json& value)
{
    switch (value.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::boolean: return "a boolean";
    case Json::value_t::string: return "a string";
    case Json::value_t::array: return "an array";
    case Json::value_t::object: return "an object";
    case Json::value_t::number_float: return "a number with a fraction";
    default: return "a number";
    }
}

// The value checks every part of the file shares.
class Values {
public:
    static void expectObject(const Json& value, const std::string& where, std::initializer_list<const char*> keys)
    {
        if (!value.is_object())
            throw Refusal(where, "expected an object, found " + describe(value));
        for (const auto& item : value.items())
            if (std::find_if(keys.begin(), keys.end(), [&](const char* k) { return item.key() == k; }) == keys.end())
                throw Refusal(where, "unknown field \"" + item.key() + "\"");
    }

    static const Json& member(const Json& object, const char* key, const std::string& where)
    {
        auto found = object.find(key);
        if (found == object.end())
            throw Refusal(where, std::string("missing field \"") + key + "\"");
        return *found;
    }

    static const Json& array(const Json& value, const std::string& where)
    {
        if (!value.is_array())
            throw Refusal(where, "expected an array, found " + describe(value));
        return value;
    }

    static long long integer(const Json& value, const std::string& where, long long low, long long high)
    {
        if (!value.is_number_integer())
            throw Refusal(where, "expected a whole number, found " + describe(value));
        if (value.is_number_unsigned() ? value.get<unsigned long long>() > static_cast<unsigned long long>(high)
                                       : (value.get<long long>() < low || value.get<long long>() > high))
            throw Refusal(where, "number out of range " + std::to_string(low) + " to " + std::to_string(high));
        return value.is_number_unsigned() ? static_cast<long long>(value.get<unsigned long long>())
                                          : value.get<long long>();
    }

    static int intValue(const Json& value, const std::string& where)
    {
        return static_cast<int>(
            integer(value, where, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }

    static int number(const Json& value, const std::string& where)
    {
        return static_cast<int>(integer(value, where, 0, kMaxNumber));
    }

    static double real(const Json& value, const std::string& where)
    {
        if (!value.is_number())
            throw Refusal(where, "expected a number, found " + describe(value));
        double result = value.get<double>();
        if (!std::isfinite(result))
            throw Refusal(where, "number out of range");
        return result;
    }

    static bool boolean(const Json& value, const std::string& where)
    {
        if (!value.is_boolean())
            throw Refusal(where, "expected true or false, found " + describe(value));
        return value.get<bool>();
    }

    static std::string string(const Json& value, const std::string& where)
    {
        if (!value.is_string())
            throw Refusal(where, "expected a string, found " + describe(value));
        return value.get<std::string>();
    }

    static std::optional<std::string> nullableString(const Json& value, const std::string& where)
    {
        if (value.is_null())
            return std::nullopt;
        return string(value, where);
    }
};

// Sets the listed fields of a value record whose keys are all optional.
template <class Record>
class RecordFields {
public:
    using Setter = std::function<void(Record&, const Json&, const std::string&)>;

    RecordFields& real(const char* key, double Record::*member)
    {
        entries_.push_back({key, [member](Record& r, const Json& v, const std::string& w) {
                                r.*member = Values::real(v, w);
                            }});
        return *this;
    }
    RecordFields& integer(const char* key, int Record::*member)
    {
        entries_.push_back({key, [member](Record& r, const Json& v, const std::string& w) {
                                r.*member = Values::intValue(v, w);
                            }});
        return *this;
    }
    RecordFields& number(const char* key, int Record::*member)
    {
        entries_.push_back({key, [member](Record& r, const Json& v, const std::string& w) {
                                r.*member = Values::number(v, w);
                            }});
        return *this;
    }
    RecordFields& text(const char* key, std::optional<std::string> Record::*member)
    {
        entries_.push_back({key, [member](Record& r, const Json& v, const std::string& w) {
                                r.*member = Values::nullableString(v, w);
                            }});
        return *this;
    }
    RecordFields& boolean(const char* key, bool Record::*member)
    {
        entries_.push_back({key, [member](Record& r, const Json& v, const std::string& w) {
                                r.*member = Values::boolean(v, w);
                            }});
        return *this;
    }

    void read(Record& record, const Json& value, const std::string& where) const
    {
        if (!value.is_object())
            throw Refusal(where, "expected an object, found " + describe(value));
        for (const auto& item : value.items()) {
            auto entry = std::find_if(entries_.begin(), entries_.end(),
                                      [&](const Entry& e) { return item.key() == e.key; });
            if (entry == entries_.end())
                throw Refusal(where, "unknown field \"" + item.key() + "\"");
            entry->set(record, item.value(), where + "." + item.key());
        }
    }

private:
    struct Entry {
        const char* key;
        Setter set;
    };
    std::vector<Entry> entries_;
};

const RecordFields<PhysicalModel>& physicalModelFields()
{
    static const RecordFields<PhysicalModel> fields = RecordFields<PhysicalModel>()
                                                          .real("friction", &PhysicalModel::friction)
                                                          .real("inertia", &PhysicalModel::inertia)
                                                          .real("initialmass", &PhysicalModel::initialmass)
                                                          .boolean("active", &PhysicalModel::active)
                                                          .boolean("collisions", &PhysicalModel::collisions)
                                                          .boolean("fixed", &PhysicalModel::fixed)
                                                          .boolean("useForOverlaps", &PhysicalModel::useForOverlaps);
    return fields;
}

const RecordFields<World::Fog>& fogFields()
{
    static const RecordFields<World::Fog> fields =
        RecordFields<World::Fog>()
            .integer("dropOff", &World::Fog::dropOff)
            .real("colourr", &World::Fog::colourr)
            .real("colourg", &World::Fog::colourg)
            .real("colourb", &World::Fog::colourb)
            .real("near", &World::Fog::near)
            .real("far", &World::Fog::far)
            .boolean("addControlPanelButtonOffOn", &World::Fog::addControlPanelButtonOffOn);
    return fields;
}

const RecordFields<World::Glare>& glareFields()
{
    static const RecordFields<World::Glare> fields =
        RecordFields<World::Glare>()
            .real("brightness", &World::Glare::brightness)
            .real("colourr", &World::Glare::colourr)
            .real("colourg", &World::Glare::colourg)
            .real("colourb", &World::Glare::colourb)
            .real("radius", &World::Glare::radius)
            .real("nonlinear", &World::Glare::nonlinear)
            .boolean("addControlPanelButtonOffOn", &World::Glare::addControlPanelButtonOffOn);
    return fields;
}

const RecordFields<script::Sounds>& soundFields()
{
    static const RecordFields<script::Sounds> fields =
        RecordFields<script::Sounds>()
            .number("id", &script::Sounds::id)
            .text("filename", &script::Sounds::filename)
            .real("volume", &script::Sounds::volume)
            .integer("repeats", &script::Sounds::repeats)
            .real("near", &script::Sounds::near)
            .real("far", &script::Sounds::far)
            .real("x", &script::Sounds::x)
            .real("y", &script::Sounds::y)
            .real("z", &script::Sounds::z)
            .boolean("addControlPanelButtons", &script::Sounds::addControlPanelButtons)
            .boolean("enablePositions", &script::Sounds::enablePositions);
    return fields;
}

std::string at(const std::string& where, std::size_t index)
{
    return where + "[" + std::to_string(index) + "]";
}

// Builds the objects of one file, checking every value on the way.
class Builder {
public:
    Builder(LoadedProject& project, IdCounter& ids) : project_(project), ids_(ids) {}

    void build(const Json& document)
    {
        Values::expectObject(document, "", {"format", "version", "name", "localiseScript", "objects"});
        auto format = document.find("format");
        if (format == document.end() || !format->is_string() || format->get<std::string>() != kFormat)
            throw Refusal("", "not a Scenewright project file");
        int version = Values::intValue(Values::member(document, "version", ""), "version");
        if (version > kVersion)
            throw Refusal("", "written by a newer Scenewright (format version " + std::to_string(version)
                                  + "); this version reads format " + std::to_string(kVersion));
        if (version < kVersion)
            throw Refusal("version", "unknown format version " + std::to_string(version));
        if (auto name = document.find("name"); name != document.end())
            project_.name = Values::string(*name, "name");
        if (auto localise = document.find("localiseScript"); localise != document.end())
            project_.localiseScript = Values::boolean(*localise, "localiseScript");

        const Json& objects = Values::array(Values::member(document, "objects", ""), "objects");
        // The first use of the catalogue moves the counter as it always has,
        // before a file's numbers can bring the counter to its end.
        ids_.passCatalogueNumbers();
        // New interactions without numbers of their own must not take any the
        // file uses.
        ids_.advanceTo(static_cast<int>(highestNumber(objects) + 1));

        // The interactions are made with numbers of a counter of their own,
        // which the file's numbers replace, so that a file whose numbers
        // reach the last one still opens; those the file gives no numbers
        // take fresh ones of the program's counter once all are read.
        for (std::size_t i = 0; i < objects.size(); ++i)
            project_.objects.push_back(buildObject(objects[i], i, at("objects", i)));
        if (project_.objects.size() < 2)
            throw Refusal("objects", "a project holds the world and the actor first");
        for (std::size_t i = 0; i < objects.size(); ++i)
            linkTriggers(objects[i], *project_.objects[i], at("objects", i));
        try {
            for (AtmoInteraction* interaction : unnumbered())
                interaction->takeFreshIds(ids_);
        } catch (const IdsExhausted& exhausted) {
            throw Refusal("objects", exhausted.what());
        }
    }

private:
    // The highest number the file's objects and interactions use, or -1.
    static long long highestNumber(const Json& objects)
    {
        long long highest = -1;
        // Values out of range are refused later; here they are passed over.
        auto note = [&highest](const Json& value) {
            if (value.is_number_unsigned() && value.get<unsigned long long>() <= kMaxNumber)
                highest = std::max<long long>(highest, static_cast<long long>(value.get<unsigned long long>()));
        };
        auto noteIds = [&note](const Json& interactions) {
            if (!interactions.is_array())
                return;
            for (const Json& interaction : interactions)
                if (interaction.is_object())
                    if (auto ids = interaction.find("ids"); ids != interaction.end() && ids->is_array())
                        for (const Json& id : *ids)
                            note(id);
        };
        for (const Json& object : objects) {
            if (!object.is_object())
                continue;
            if (auto id = object.find("id"); id != object.end())
                note(*id);
            if (auto actions = object.find("actions"); actions != object.end())
                noteIds(*actions);
            if (auto triggers = object.find("triggers"); triggers != object.end())
                noteIds(*triggers);
        }
        return highest;
    }

    void claim(const std::string& generatedName, const std::string& where)
    {
        if (!claimed_.insert(generatedName).second)
            throw Refusal(where, "the generated name " + generatedName + " is claimed twice");
    }

    std::shared_ptr<IAtmoObject> buildObject(const Json& value, std::size_t index, const std::string& where)
    {
        if (!value.is_object())
            throw Refusal(where, "expected an object, found " + describe(value));
        const std::string type = Values::string(Values::member(value, "type", where), where + ".type");
        if (index == 0 && type != "world")
            throw Refusal(where, "the first object must be the world");
        if (index == 1 && type != IAtmoObject::TYPE_ACTOR)
            throw Refusal(where, "the second object must be the actor");
        if (index > 1 && (type == "world" || type == IAtmoObject::TYPE_ACTOR))
            throw Refusal(where, "only the first object is the world and only the second the actor");

        std::shared_ptr<IAtmoObject> object;
        if (type == "world") {
            Values::expectObject(value, where,
                                 {"type", "name", "actions", "triggers", "welcomeMessage", "welcomeEnabled",
                                  "fogEnabled", "glareEnabled", "fog", "glare", "soundid", "sounds"});
            auto world = std::make_shared<World>();
            readWorldSettings(*world, value, where);
            object = world;
        } else if (type == IAtmoObject::TYPE_ACTOR) {
            Values::expectObject(value, where, {"type", "name", "actions", "triggers"});
            object = std::make_shared<Actor>(scratch_);
        } else if (type == IAtmoObject::TYPE_MODEL) {
            Values::expectObject(value, where, {"type", "name", "id", "tobeloaded", "pm", "actions", "triggers"});
            auto model = std::make_shared<ModelObj>();
            if (auto tobeloaded = value.find("tobeloaded"); tobeloaded != value.end())
                model->tobeloaded = Values::boolean(*tobeloaded, where + ".tobeloaded");
            readPhysicalModel(model->pm, value, where);
            object = readGlobalId(model, value, where, "modelobj");
        } else if (type == IAtmoObject::TYPE_PRIMITIVE) {
            Values::expectObject(value, where, {"type", "name", "id", "solidObjectIndex", "actions", "triggers"});
            auto primitive = std::make_shared<PrimitiveObj>();
            if (auto index = value.find("solidObjectIndex"); index != value.end())
                primitive->solidObjectIndex = Values::nullableString(*index, where + ".solidObjectIndex");
            object = readGlobalId(primitive, value, where, "primitiveobj");
        } else if (type == IAtmoObject::TYPE_VIEWPOINT) {
            Values::expectObject(value, where, {"type", "name", "id", "pm", "actions", "triggers"});
            auto viewpoint = std::make_shared<ViewpointObj>();
            readPhysicalModel(viewpoint->pm, value, where);
            object = readGlobalId(viewpoint, value, where, "viewptobj");
        } else if (type == IAtmoObject::TYPE_SOLIDOBJECT) {
            Values::expectObject(value, where, {"type", "name", "id", "pm", "actions", "triggers"});
            auto solid = std::make_shared<SolidObjectObj>();
            readPhysicalModel(solid->pm, value, where);
            object = readGlobalId(solid, value, where, "solidobject");
        } else {
            throw Refusal(where + ".type", "unknown object type \"" + type + "\"");
        }
        // The name is kept as the file has it: only typing a name tidies it.
        object->restoreName(Values::string(Values::member(value, "name", where), where + ".name"));
        readActions(*object, value, where);
        return object;
    }

    std::shared_ptr<IAtmoObject> readGlobalId(const std::shared_ptr<ScriptedObject>& object, const Json& value,
                                              const std::string& where, const char* prefix)
    {
        if (auto id = value.find("id"); id != value.end()) {
            object->setGlobalId(Values::number(*id, where + ".id"));
            claim(prefix + std::to_string(*object->getGlobalId()), where + ".id");
        }
        return object;
    }

    static void readPhysicalModel(PhysicalModel& pm, const Json& value, const std::string& where)
    {
        if (auto found = value.find("pm"); found != value.end())
            physicalModelFields().read(pm, *found, where + ".pm");
    }

    void readWorldSettings(World& world, const Json& value, const std::string& where)
    {
        if (auto message = value.find("welcomeMessage"); message != value.end())
            world.setWelcomeMessage(Values::nullableString(*message, where + ".welcomeMessage"));
        if (auto enabled = value.find("welcomeEnabled"); enabled != value.end())
            world.setWelcomeEnabled(Values::boolean(*enabled, where + ".welcomeEnabled"));
        if (auto enabled = value.find("fogEnabled"); enabled != value.end())
            world.setFogEnabled(Values::boolean(*enabled, where + ".fogEnabled"));
        if (auto enabled = value.find("glareEnabled"); enabled != value.end())
            world.setGlareEnabled(Values::boolean(*enabled, where + ".glareEnabled"));
        if (auto fog = value.find("fog"); fog != value.end())
            fogFields().read(world.getFog(), *fog, where + ".fog");
        if (auto glare = value.find("glare"); glare != value.end())
            glareFields().read(world.getGlare(), *glare, where + ".glare");
        if (auto sounds = value.find("sounds"); sounds != value.end()) {
            const std::string soundsWhere = where + ".sounds";
            Values::array(*sounds, soundsWhere);
            for (std::size_t i = 0; i < sounds->size(); ++i) {
                const Json& entry = (*sounds)[i];
                const std::string soundWhere = at(soundsWhere, i);
                auto sound = std::make_shared<script::Sounds>();
                soundFields().read(*sound, entry, soundWhere);
                Values::member(entry, "id", soundWhere);
                claim("snd" + std::to_string(sound->id), soundWhere + ".id");
                world.restoreSound(sound);
            }
        }
        if (auto soundid = value.find("soundid"); soundid != value.end())
            world.setSoundId(std::max(world.getSoundId(), Values::number(*soundid, where + ".soundid")));
    }

    // Gives the interaction the numbers the file names; without them it
    // keeps those it took when made, which are past every number of the file.
    void readIds(AtmoInteraction& interaction, const Json& value, const std::string& where)
    {
        if (auto found = value.find("ids"); found != value.end()) {
            const std::string idsWhere = where + ".ids";
            Values::array(*found, idsWhere);
            std::vector<int> ids;
            for (std::size_t i = 0; i < found->size(); ++i)
                ids.push_back(Values::number((*found)[i], at(idsWhere, i)));
            if (!interaction.setIds(ids))
                throw Refusal(idsWhere, std::string("a ") + interaction.className() + " takes "
                                            + std::to_string(interaction.getIds().size()) + " numbers");
            numbered_.insert(&interaction);
            // Fresh numbers lie past every number of the file: only the
            // file's own can clash.
            for (const std::string& name : interaction.getGeneratedNames())
                claim(name, where + ".ids");
        }
    }

    // The interactions holding numbers of the scratch counter: those the
    // file gives no numbers, the actor's own move action among them when the
    // file lists none.
    std::vector<AtmoInteraction*> unnumbered() const
    {
        std::vector<AtmoInteraction*> found;
        auto note = [&found, this](AtmoInteraction& interaction) {
            if (!interaction.getIds().empty() && !numbered_.count(&interaction))
                found.push_back(&interaction);
        };
        // In the order they were read: every object's actions, then triggers.
        for (const auto& object : project_.objects)
            for (const auto& action : object->getAtmoActionListData())
                note(*action);
        for (const auto& object : project_.objects)
            for (const auto& trigger : object->getAtmoTriggerListData())
                note(*trigger);
        return found;
    }

    static FieldValue fieldValue(FieldType type, const Json& value, const std::string& where)
    {
        switch (type) {
        case FieldType::Int: return Values::intValue(value, where);
        case FieldType::Double: return Values::real(value, where);
        case FieldType::Boolean: return Values::boolean(value, where);
        case FieldType::String: return Values::nullableString(value, where);
        case FieldType::StringList: {
            std::vector<std::string> list;
            for (std::size_t i = 0; i < Values::array(value, where).size(); ++i)
                list.push_back(Values::string(value[i], at(where, i)));
            return list;
        }
        case FieldType::IntList: {
            if (value.is_null())
                return std::optional<std::vector<int>>();
            std::vector<int> list;
            for (std::size_t i = 0; i < Values::array(value, where).size(); ++i)
                list.push_back(Values::intValue(value[i], at(where, i)));
            return std::optional<std::vector<int>>(std::move(list));
        }
        }
        throw Refusal(where, "unsupported field");
    }

    static void readFields(AtmoInteraction& interaction, const Json& value, const std::string& where)
    {
        auto found = value.find("fields");
        if (found == value.end())
            return;
        const std::string fieldsWhere = where + ".fields";
        if (!found->is_object())
            throw Refusal(fieldsWhere, "expected an object, found " + describe(*found));
        for (const auto& item : found->items()) {
            const auto* field = interaction.fieldTable().find(item.key());
            if (!field)
                throw Refusal(fieldsWhere, std::string("unknown field \"") + item.key() + "\" of a "
                                               + interaction.className());
            field->write(interaction, fieldValue(field->type, item.value(), fieldsWhere + "." + item.key()));
        }
    }

    static void readActive(AtmoInteraction& interaction, const Json& value, const std::string& where)
    {
        if (auto active = value.find("active"); active != value.end())
            interaction.setActive(Values::boolean(*active, where + ".active"));
    }

    void readActions(IAtmoObject& object, const Json& value, const std::string& where)
    {
        auto found = value.find("actions");
        if (found == value.end())
            return;
        const std::string actionsWhere = where + ".actions";
        Values::array(*found, actionsWhere);
        const bool actor = dynamic_cast<Actor*>(&object) != nullptr;
        for (std::size_t i = 0; i < found->size(); ++i) {
            const Json& entry = (*found)[i];
            const std::string actionWhere = at(actionsWhere, i);
            Values::expectObject(entry, actionWhere, {"class", "active", "ids", "fields"});
            const std::string className =
                Values::string(Values::member(entry, "class", actionWhere), actionWhere + ".class");
            const AtmoAction* prototype = catalogue_.findStandardAction(className);
            if (!prototype)
                throw Refusal(actionWhere + ".class", "unknown action class \"" + className + "\"");
            if (actor && className != "MovePositionAction")
                throw Refusal(actionWhere, "the actor takes only move actions, not a " + className);

            // The actor's first action is its own move action: the file fills it.
            std::shared_ptr<AtmoAction> action
                = actor && i == 0 ? object.getAtmoAction(0) : prototype->newInstance(&object, scratch_);
            if (!action->allowedForAtmoObject(&object))
                throw Refusal(actionWhere, "a " + className + " is not allowed on a " + object.getType());
            readActive(*action, entry, actionWhere);
            readIds(*action, entry, actionWhere);
            readFields(*action, entry, actionWhere);
            if (!(actor && i == 0))
                object.appendAtmoAction(action);
        }
    }

    void linkTriggers(const Json& value, IAtmoObject& object, const std::string& where)
    {
        auto found = value.find("triggers");
        if (found == value.end())
            return;
        const std::string triggersWhere = where + ".triggers";
        Values::array(*found, triggersWhere);
        for (std::size_t i = 0; i < found->size(); ++i) {
            const Json& entry = (*found)[i];
            const std::string triggerWhere = at(triggersWhere, i);
            Values::expectObject(entry, triggerWhere, {"class", "active", "ids", "fields", "actions"});
            const std::string className =
                Values::string(Values::member(entry, "class", triggerWhere), triggerWhere + ".class");
            const AtmoTrigger* prototype = catalogue_.findTrigger(className);
            if (!prototype)
                throw Refusal(triggerWhere + ".class", "unknown trigger class \"" + className + "\"");
            std::shared_ptr<AtmoTrigger> trigger = prototype->newInstance(&object, scratch_);
            readActive(*trigger, entry, triggerWhere);
            readIds(*trigger, entry, triggerWhere);
            readFields(*trigger, entry, triggerWhere);
            if (auto references = entry.find("actions"); references != entry.end())
                readReferences(*trigger, *references, triggerWhere + ".actions");
            object.appendAtmoTrigger(trigger);
        }
    }

    void readReferences(AtmoTrigger& trigger, const Json& references, const std::string& where)
    {
        Values::array(references, where);
        for (std::size_t i = 0; i < references.size(); ++i) {
            const Json& reference = references[i];
            const std::string referenceWhere = at(where, i);
            Values::expectObject(reference, referenceWhere, {"object", "action"});
            int objectIndex = Values::intValue(Values::member(reference, "object", referenceWhere),
                                               referenceWhere + ".object");
            int actionIndex = Values::intValue(Values::member(reference, "action", referenceWhere),
                                               referenceWhere + ".action");
            if (objectIndex < 0 || objectIndex >= static_cast<int>(project_.objects.size()))
                throw Refusal(referenceWhere, "refers to object " + std::to_string(objectIndex)
                                                  + ", which does not exist");
            const IAtmoObject& target = *project_.objects[objectIndex];
            if (actionIndex < 0 || actionIndex >= target.getAtmoActionSize())
                throw Refusal(referenceWhere, "refers to action " + std::to_string(actionIndex) + " of object "
                                                  + std::to_string(objectIndex) + ", which does not exist");
            trigger.addAction(target.getAtmoAction(actionIndex));
        }
    }

    LoadedProject& project_;
    IdCounter& ids_;
    // Numbers the interactions while they are read; the file's numbers or
    // fresh ones of ids_ replace them.
    IdCounter scratch_;
    const InteractionCatalogue catalogue_;
    std::set<const AtmoInteraction*> numbered_;
    std::set<std::string> claimed_;
};

// "line L, column C" of the byte at the position, as an editor shows them.
std::string lineAndColumn(std::string_view text, std::size_t position)
{
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < position && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string syntaxError(std::string_view text, const Json::parse_error& error)
{
    // The byte position counts from 1.
    std::size_t position = error.byte == 0 ? 0 : std::min<std::size_t>(error.byte - 1, text.size());
    std::string what = error.what();
    // Keep nlohmann's own explanation, without its error-number prefix.
    if (auto colon = what.find(": "); colon != std::string::npos)
        what = what.substr(colon + 2);
    return lineAndColumn(text, position) + ": " + what;
}

// A file that is not UTF-8 is refused before parsing: the parser's message
// would quote the broken bytes, which no window can show.
std::string notUtf8Error(std::string_view text, std::size_t position)
{
    static const char digits[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(text[position]);
    return lineAndColumn(text, position) + ": not UTF-8 text (byte 0x" + digits[byte >> 4] + digits[byte & 0xF]
           + ")";
}

// A project file nests a few levels deep; the limit leaves ample room for
// that and keeps a small hostile file from building a huge tree of empty
// arrays or objects while it is parsed.
constexpr int kMaxNesting = 64;

// Where the text opens its array or object past the nesting limit, as "line
// L, column C: ...", or empty when it stays within it. Brackets inside strings
// do not count; text that is not JSON is left to the parser's own message.
std::string nestingError(std::string_view text)
{
    int depth = 0;
    bool inString = false;
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
        case '"': inString = true; break;
        case '\n':
            ++line;
            lineStart = i + 1;
            break;
        case '[':
        case '{':
            if (++depth > kMaxNesting)
                return "line " + std::to_string(line) + ", column " + std::to_string(i - lineStart + 1)
                       + ": arrays and objects nested more than " + std::to_string(kMaxNesting) + " deep";
            break;
        case ']':
        case '}':
            if (depth > 0)
                --depth;
            break;
        default: break;
        }
    }
    return {};
}

} // namespace

std::optional<LoadedProject> ProjectFileReader::read(std::string_view text, const std::string& path, IdCounter& ids,
                                                     std::string& error)
{
    if (const std::size_t broken = script::Utf8Text::firstIllFormed(text); broken != std::string_view::npos) {
        error = path + ": " + notUtf8Error(text, broken);
        return std::nullopt;
    }
    if (std::string nesting = nestingError(text); !nesting.empty()) {
        error = path + ": " + nesting;
        return std::nullopt;
    }
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::parse_error& parseError) {
        error = path + ": " + syntaxError(text, parseError);
        return std::nullopt;
    } catch (const Json::exception& valueError) {
        // A number too large for any field.
        std::string what = valueError.what();
        error = path + ": " + what.substr(what.find(' ') + 1);
        return std::nullopt;
    }
    LoadedProject project;
    project.name = "default";
    try {
        Builder(project, ids).build(document);
    } catch (const Refusal& refusal) {
        error = path + ": " + refusal.what();
        return std::nullopt;
    }
    return project;
}

} // namespace scenewright::core::io

namespace scenewright::core::io {

std::shared_ptr<SceneDocument> LoadedProject::toDocument(IdCounter& ids)
{
    auto document = std::make_shared<SceneDocument>(ids);
    document->setName(std::move(name));
    document->setLocaliseScript(localiseScript);
    for (auto& object : objects)
        document->appendObject(std::move(object));
    objects.clear();
    // Built, not edited: the document is new.
    document->setState(SceneDocument::STATE_NEW);
    return document;
}

} // namespace scenewright::core::io

#include "scenewright/core/io/ProjectFileReader.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/InteractionCatalogue.h"
#include "scenewright/core/ObjectKind.h"
#include "scenewright/core/ObjectMember.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/io/JsonChecker.h"
#include "scenewright/core/io/JsonValue.h"
#include "scenewright/core/io/RecordField.h"
#include "scenewright/core/io/TextPosition.h"
#include "scenewright/core/script/MessageText.h"
#include "scenewright/core/script/Utf8Text.h"

#include <algorithm>
#include <bitset>
#include <limits>
#include <unordered_set>
#include <stdexcept>

namespace scenewright::core::io {

using action::AtmoAction;
using action::AtmoInteraction;
using action::AtmoTrigger;
using action::FieldType;
using action::FieldValue;
using script::MessageText;

namespace {

constexpr int kMaxNumber = 2147483646;
constexpr const char* kFormat = "scenewright-project";
constexpr int kVersion = 1;

// Where a value stands in the document, by its path ("objects[2].name").
// Each step refers to the one it is in and is written out only when a
// refusal names it, so reading a valid file builds no paths.
class Where {
public:
    // A member of the document itself ("" for the document).
    Where(const char* name) : name_(name) {}
    // A member of an object.
    Where(const Where& outer, std::string_view name) : outer_(&outer), name_(name) {}
    // An element of an array.
    Where(const Where& outer, std::size_t index) : outer_(&outer), index_(index) {}

    std::string text() const
    {
        if (!outer_)
            return std::string(name_);
        const std::string outer = outer_->text();
        if (index_ != kNoIndex)
            return outer + "[" + std::to_string(index_) + "]";
        return outer.empty() ? std::string(name_) : outer + "." + std::string(name_);
    }

private:
    static constexpr std::size_t kNoIndex = std::numeric_limits<std::size_t>::max();
    const Where* outer_ = nullptr;
    std::string_view name_;
    std::size_t index_ = kNoIndex;
};

// Why a file is refused: what is wrong, `where` it is by its path in the
// document, and the byte it is found at.
struct Refusal : std::runtime_error {
    Refusal(std::size_t offset, const Where& where, const std::string& what)
        : std::runtime_error(where.text().empty() ? what : where.text() + ": " + what), offset(offset)
    {
    }
    std::size_t offset;
};

std::string describe(const JsonValue& value)
{
    switch (value.kind()) {
    case JsonValue::Kind::Null: return "null";
    case JsonValue::Kind::Boolean: return "a boolean";
    case JsonValue::Kind::String: return "a string";
    case JsonValue::Kind::Array: return "an array";
    case JsonValue::Kind::Object: return "an object";
    case JsonValue::Kind::Number: break;
    }
    return value.isWholeNumber() ? "a number" : "a number with a fraction";
}

std::string duplicate(const JsonValue::Member& member)
{
    return "the field " + MessageText::quoted(member.name) + " is given twice";
}

// The value checks every part of the file shares.
class Values {
public:
    // Calls `visit(member, index)` for each member of the object in turn, with
    // the place of its name among the known names as `indexOf` gives it
    // (nothing for an unknown name, below 64 for a known one); an unknown name
    // and a name given twice are refused.
    template <class IndexOf, class Visit>
    static void knownMembers(const JsonValue& value, const Where& where, IndexOf indexOf, Visit visit)
    {
        if (value.kind() != JsonValue::Kind::Object)
            throw Refusal(value.offset(), where, "expected an object, found " + describe(value));
        std::bitset<64> seen;
        for (const JsonValue::Member& member : value.members()) {
            const std::optional<std::size_t> index = indexOf(member.name);
            if (!index)
                throw Refusal(member.nameOffset, where, "unknown field " + MessageText::quoted(member.name));
            if (seen[*index])
                throw Refusal(member.nameOffset, where, duplicate(member));
            seen[*index] = true;
            visit(member, *index);
        }
    }

    static void expectObject(const JsonValue& value, const Where& where, std::initializer_list<const char*> keys)
    {
        const auto indexOf = [&](const std::string& name) -> std::optional<std::size_t> {
            const auto* key = std::find_if(keys.begin(), keys.end(), [&](const char* k) { return name == k; });
            return key == keys.end() ? std::nullopt : std::optional(static_cast<std::size_t>(key - keys.begin()));
        };
        knownMembers(value, where, indexOf, [](const JsonValue::Member&, std::size_t) {});
    }

    static JsonValue member(const JsonValue& object, const char* key, const Where& where)
    {
        std::optional<JsonValue> found = object.find(key);
        if (!found)
            throw Refusal(object.offset(), where, std::string("missing field \"") + key + "\"");
        return *found;
    }

    static const JsonValue& array(const JsonValue& value, const Where& where)
    {
        if (value.kind() != JsonValue::Kind::Array)
            throw Refusal(value.offset(), where, "expected an array, found " + describe(value));
        return value;
    }

    static long long integer(const JsonValue& value, const Where& where, long long low, long long high)
    {
        if (value.kind() != JsonValue::Kind::Number || !value.isWholeNumber())
            throw Refusal(value.offset(), where, "expected a whole number, found " + describe(value));
        const std::optional<long long> number = value.wholeNumber();
        if (!number || *number < low || *number > high)
            throw Refusal(value.offset(), where,
                          "number out of range " + std::to_string(low) + " to " + std::to_string(high));
        return *number;
    }

    static int intValue(const JsonValue& value, const Where& where)
    {
        return static_cast<int>(
            integer(value, where, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }

    static int number(const JsonValue& value, const Where& where)
    {
        return static_cast<int>(integer(value, where, 0, kMaxNumber));
    }

    static double real(const JsonValue& value, const Where& where)
    {
        if (value.kind() != JsonValue::Kind::Number)
            throw Refusal(value.offset(), where, "expected a number, found " + describe(value));
        const std::optional<double> result = value.real();
        if (!result)
            throw Refusal(value.offset(), where, "number out of range");
        return *result;
    }

    static bool boolean(const JsonValue& value, const Where& where)
    {
        if (value.kind() != JsonValue::Kind::Boolean)
            throw Refusal(value.offset(), where, "expected true or false, found " + describe(value));
        return value.boolean();
    }

    static std::string string(const JsonValue& value, const Where& where)
    {
        if (value.kind() != JsonValue::Kind::String)
            throw Refusal(value.offset(), where, "expected a string, found " + describe(value));
        return value.string();
    }

    static std::optional<std::string> nullableString(const JsonValue& value, const Where& where)
    {
        if (value.kind() == JsonValue::Kind::Null)
            return std::nullopt;
        return string(value, where);
    }
};

template <class Record, std::size_t N>
void readRecord(Record& record, const std::array<RecordField<Record>, N>& fields, const JsonValue& value,
                const Where& where);

// Reads one member's value into `target` as its type calls for; `isId`: a
// whole number that names something, which could never be negative.
template <class Target>
void readMember(Target& target, const JsonValue& value, const Where& at, bool isId = false)
{
    if constexpr (std::is_same_v<Target, double>)
        target = Values::real(value, at);
    else if constexpr (std::is_same_v<Target, bool>)
        target = Values::boolean(value, at);
    else if constexpr (std::is_same_v<Target, int>)
        target = isId ? Values::number(value, at) : Values::intValue(value, at);
    else if constexpr (std::is_same_v<Target, PhysicalModel>)
        readRecord(target, physicalModelFields, value, at);
    else
        target = Values::nullableString(value, at);
}

// Sets the listed fields of a value record whose keys are all optional.
template <class Record, std::size_t N>
void readRecord(Record& record, const std::array<RecordField<Record>, N>& fields, const JsonValue& value,
                const Where& where)
{
    const auto indexOf = [&](const std::string& name) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < N; ++i)
            if (name == fields[i].key)
                return i;
        return std::nullopt;
    };
    Values::knownMembers(value, where, indexOf, [&](const JsonValue::Member& member, std::size_t index) {
        const RecordField<Record>& field = fields[index];
        std::visit([&](auto pointer) { readMember(record.*pointer, member.value, Where(where, member.name), field.isId); },
                   field.member);
    });
}

// Builds the objects of one file, checking every value on the way.
class Builder {
public:
    Builder(LoadedProject& project, IdCounter& ids) : project_(project), ids_(ids) {}

    void build(const JsonValue& document)
    {
        Values::expectObject(document, "", {"format", "version", "name", "localiseScript", "objects"});
        std::optional<JsonValue> format = document.find("format");
        if (!format || format->kind() != JsonValue::Kind::String || format->string() != kFormat)
            throw Refusal(format ? format->offset() : document.offset(), "", "not a Scenewright project file");
        const JsonValue versionValue = Values::member(document, "version", "");
        int version = Values::intValue(versionValue, "version");
        if (version > kVersion)
            throw Refusal(versionValue.offset(), "",
                          "written by a newer Scenewright (format version " + std::to_string(version)
                              + "); this version reads format " + std::to_string(kVersion));
        if (version < kVersion)
            throw Refusal(versionValue.offset(), "version", "unknown format version " + std::to_string(version));
        if (auto name = document.find("name"))
            project_.name = Values::string(*name, "name");
        if (auto localise = document.find("localiseScript"))
            project_.localiseScript = Values::boolean(*localise, "localiseScript");

        const JsonValue objects = Values::array(Values::member(document, "objects", ""), "objects");
        // The first use of the catalogue moves the counter as it always has,
        // before a file's numbers can bring the counter to its end.
        ids_.passCatalogueNumbers();
        // New interactions without numbers of their own must not take any the
        // file uses.
        ids_.advanceTo(static_cast<int>(highestNumber(objects) + 1));
        // About what objects as the benchmark builds them claim and number,
        // so that the tables are seldom rebuilt as they grow.
        std::size_t count = 0;
        for (auto it = objects.elements().begin(); it != objects.elements().end(); ++it)
            ++count;
        claimed_.reserve(8 * count);
        numbered_.reserve(6 * count);

        // The interactions are made with numbers of a counter of their own,
        // which the file's numbers replace, so that a file whose numbers
        // reach the last one still opens; those the file gives no numbers
        // take fresh ones of the program's counter once all are read.
        for (const JsonValue& object : objects.elements()) {
            const std::size_t index = project_.objects.size();
            project_.objects.push_back(buildObject(object, index, Where("objects", index)));
        }
        if (project_.objects.size() < 2)
            throw Refusal(objects.offset(), "objects", "a project holds the world and the actor first");
        std::size_t index = 0;
        for (const JsonValue& object : objects.elements()) {
            linkTriggers(object, *project_.objects[index], Where("objects", index));
            ++index;
        }
        try {
            for (AtmoInteraction* interaction : unnumbered())
                interaction->takeFreshIds(ids_);
        } catch (const IdsExhausted& exhausted) {
            throw Refusal(objects.offset(), "objects", exhausted.what());
        }
    }

private:
    // The highest number the file's objects and interactions use, or -1.
    static long long highestNumber(const JsonValue& objects)
    {
        long long highest = -1;
        // Values out of range are refused later; here they are passed over.
        auto note = [&highest](const JsonValue& value) {
            if (value.kind() != JsonValue::Kind::Number || !value.isWholeNumber())
                return;
            if (std::optional<long long> number = value.wholeNumber(); number && *number >= 0 && *number <= kMaxNumber)
                highest = std::max(highest, *number);
        };
        auto noteIds = [&note](const JsonValue& interactions) {
            if (interactions.kind() != JsonValue::Kind::Array)
                return;
            for (const JsonValue& interaction : interactions.elements())
                if (interaction.kind() == JsonValue::Kind::Object)
                    if (auto ids = interaction.find("ids"); ids && ids->kind() == JsonValue::Kind::Array)
                        for (const JsonValue& id : ids->elements())
                            note(id);
        };
        for (const JsonValue& object : objects.elements()) {
            if (object.kind() != JsonValue::Kind::Object)
                continue;
            if (auto id = object.find("id"))
                note(*id);
            if (auto actions = object.find("actions"))
                noteIds(*actions);
            if (auto triggers = object.find("triggers"))
                noteIds(*triggers);
        }
        return highest;
    }

    void claim(const std::string& generatedName, const JsonValue& value, const Where& where)
    {
        if (!claimed_.insert(generatedName).second)
            throw Refusal(value.offset(), where, "the generated name " + generatedName + " is claimed twice");
    }

    std::shared_ptr<IAtmoObject> buildObject(const JsonValue& value, std::size_t index, const Where& where)
    {
        if (value.kind() != JsonValue::Kind::Object)
            throw Refusal(value.offset(), where, "expected an object, found " + describe(value));
        const JsonValue typeValue = Values::member(value, "type", where);
        const std::string type = Values::string(typeValue, Where(where, "type"));
        if (index == 0 && type != "world")
            throw Refusal(typeValue.offset(), where, "the first object must be the world");
        if (index == 1 && type != IAtmoObject::TYPE_ACTOR)
            throw Refusal(typeValue.offset(), where, "the second object must be the actor");
        if (index > 1 && (type == "world" || type == IAtmoObject::TYPE_ACTOR))
            throw Refusal(typeValue.offset(), where,
                          "only the first object is the world and only the second the actor");

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
        } else if (const ObjectKind* kind = ObjectKind::find(type)) {
            expectKindMembers(value, where, *kind);
            std::shared_ptr<ScriptedObject> scripted = kind->make();
            readKindMembers(*scripted, value, where);
            readGlobalId(*scripted, value, where);
            object = std::move(scripted);
        } else {
            throw Refusal(typeValue.offset(), Where(where, "type"), "unknown object type " + MessageText::quoted(type));
        }
        // The name is kept as the file has it: only typing a name tidies it.
        object->restoreName(Values::string(Values::member(value, "name", where), Where(where, "name")));
        readActions(*object, value, where);
        return object;
    }

    // Refuses a member that no object of the kind has, and one given twice.
    static void expectKindMembers(const JsonValue& value, const Where& where, const ObjectKind& kind)
    {
        static constexpr std::array<const char*, 5> common{"type", "name", "id", "actions", "triggers"};
        const auto indexOf = [&](const std::string& name) -> std::optional<std::size_t> {
            for (std::size_t i = 0; i < common.size(); ++i)
                if (name == common[i])
                    return i;
            for (std::size_t i = 0; i < kind.members.size(); ++i)
                if (name == kind.members[i].key)
                    return common.size() + i;
            return std::nullopt;
        };
        Values::knownMembers(value, where, indexOf, [](const JsonValue::Member&, std::size_t) {});
    }

    // The members of the object's own kind, in the kind's order.
    static void readKindMembers(ScriptedObject& object, const JsonValue& value, const Where& where)
    {
        for (const ObjectMember& member : object.kind().members) {
            std::optional<JsonValue> found = value.find(member.key);
            if (!found)
                continue;
            std::visit([&](auto place) { readMember(object.*place, *found, Where(where, member.key)); }, member.place);
        }
    }

    void readGlobalId(ScriptedObject& object, const JsonValue& value, const Where& where)
    {
        if (auto id = value.find("id")) {
            object.setGlobalId(Values::number(*id, Where(where, "id")));
            claim(object.prefix() + std::to_string(*object.globalId()), *id, Where(where, "id"));
        }
    }

    void readWorldSettings(World& world, const JsonValue& value, const Where& where)
    {
        if (auto message = value.find("welcomeMessage"))
            world.setWelcomeMessage(Values::nullableString(*message, Where(where, "welcomeMessage")));
        if (auto enabled = value.find("welcomeEnabled"))
            world.setWelcomeEnabled(Values::boolean(*enabled, Where(where, "welcomeEnabled")));
        if (auto enabled = value.find("fogEnabled"))
            world.setFogEnabled(Values::boolean(*enabled, Where(where, "fogEnabled")));
        if (auto enabled = value.find("glareEnabled"))
            world.setGlareEnabled(Values::boolean(*enabled, Where(where, "glareEnabled")));
        if (auto fog = value.find("fog"))
            readRecord(world.getFog(), fogFields, *fog, Where(where, "fog"));
        if (auto glare = value.find("glare"))
            readRecord(world.getGlare(), glareFields, *glare, Where(where, "glare"));
        if (auto sounds = value.find("sounds")) {
            const Where soundsWhere(where, "sounds");
            std::size_t i = 0;
            for (const JsonValue& entry : Values::array(*sounds, soundsWhere).elements()) {
                const Where soundWhere(soundsWhere, i++);
                auto sound = std::make_shared<script::Sounds>();
                readRecord(*sound, soundFields, entry, soundWhere);
                claim("snd" + std::to_string(sound->id), Values::member(entry, "id", soundWhere), Where(soundWhere, "id"));
                world.restoreSound(sound);
            }
        }
        if (auto soundid = value.find("soundid"))
            world.setSoundId(std::max(world.soundId(), Values::number(*soundid, Where(where, "soundid"))));
    }

    // Gives the interaction the numbers the file names; without them it
    // keeps those it took when made, which are past every number of the file.
    void readIds(AtmoInteraction& interaction, const JsonValue& value, const Where& where)
    {
        std::optional<JsonValue> found = value.find("ids");
        if (!found)
            return;
        const Where idsWhere(where, "ids");
        std::vector<int> ids;
        for (const JsonValue& id : Values::array(*found, idsWhere).elements())
            ids.push_back(Values::number(id, Where(idsWhere, ids.size())));
        if (!interaction.setNumbers(ids))
            throw Refusal(found->offset(), idsWhere,
                          std::string("a ") + interaction.className() + " takes "
                              + std::to_string(interaction.numbers().size()) + " numbers");
        numbered_.insert(&interaction);
        // Fresh numbers lie past every number of the file: only the file's
        // own can clash.
        for (const std::string& name : interaction.generatedNames())
            claim(name, *found, idsWhere);
    }

    // The interactions holding numbers of the scratch counter: those the
    // file gives no numbers, the actor's own move action among them when the
    // file lists none.
    std::vector<AtmoInteraction*> unnumbered() const
    {
        std::vector<AtmoInteraction*> found;
        auto note = [&found, this](AtmoInteraction& interaction) {
            if (!interaction.numbers().empty() && !numbered_.count(&interaction))
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

    static FieldValue fieldValue(FieldType type, const JsonValue& value, const Where& where)
    {
        switch (type) {
        case FieldType::Int: return Values::intValue(value, where);
        case FieldType::Double: return Values::real(value, where);
        case FieldType::Boolean: return Values::boolean(value, where);
        case FieldType::String: return Values::nullableString(value, where);
        case FieldType::StringList: {
            std::vector<std::string> list;
            for (const JsonValue& element : Values::array(value, where).elements())
                list.push_back(Values::string(element, Where(where, list.size())));
            return list;
        }
        case FieldType::IntList: {
            if (value.kind() == JsonValue::Kind::Null)
                return std::optional<std::vector<int>>();
            std::vector<int> list;
            for (const JsonValue& element : Values::array(value, where).elements())
                list.push_back(Values::intValue(element, Where(where, list.size())));
            return std::optional<std::vector<int>>(std::move(list));
        }
        }
        throw Refusal(value.offset(), where, "unsupported field");
    }

    static void readFields(AtmoInteraction& interaction, const JsonValue& value, const Where& where)
    {
        std::optional<JsonValue> found = value.find("fields");
        if (!found)
            return;
        const Where fieldsWhere(where, "fields");
        if (found->kind() != JsonValue::Kind::Object)
            throw Refusal(found->offset(), fieldsWhere, "expected an object, found " + describe(*found));
        std::vector<const action::FieldTable::Field*> seen;
        for (const JsonValue::Member& member : found->members()) {
            const auto* field = interaction.fieldTable().find(member.name);
            if (!field)
                throw Refusal(member.nameOffset, fieldsWhere,
                              "unknown field " + MessageText::quoted(member.name) + " of a "
                                  + interaction.className());
            if (std::find(seen.begin(), seen.end(), field) != seen.end())
                throw Refusal(member.nameOffset, fieldsWhere, duplicate(member));
            seen.push_back(field);
            field->write(interaction, fieldValue(field->type, member.value, Where(fieldsWhere, member.name)));
        }
    }

    static void readActive(AtmoInteraction& interaction, const JsonValue& value, const Where& where)
    {
        if (auto active = value.find("active"))
            interaction.setActive(Values::boolean(*active, Where(where, "active")));
    }

    void readActions(IAtmoObject& object, const JsonValue& value, const Where& where)
    {
        std::optional<JsonValue> found = value.find("actions");
        if (!found)
            return;
        const Where actionsWhere(where, "actions");
        const bool actor = dynamic_cast<Actor*>(&object) != nullptr;
        std::size_t i = 0;
        for (const JsonValue& entry : Values::array(*found, actionsWhere).elements()) {
            const Where actionWhere(actionsWhere, i);
            Values::expectObject(entry, actionWhere, {"class", "active", "ids", "fields"});
            const JsonValue classValue = Values::member(entry, "class", actionWhere);
            const std::string className = Values::string(classValue, Where(actionWhere, "class"));
            const AtmoAction* prototype = catalogue_.findStandardAction(className);
            if (!prototype)
                throw Refusal(classValue.offset(), Where(actionWhere, "class"),
                              "unknown action class " + MessageText::quoted(className));
            if (actor && className != "MovePositionAction")
                throw Refusal(classValue.offset(), actionWhere,
                              "the actor takes only move actions, not a " + className);

            // The actor's first action is its own move action: the file fills it.
            const bool builtIn = actor && i == 0;
            std::shared_ptr<AtmoAction> action
                = builtIn ? object.getAtmoAction(0) : prototype->newInstance(&object, scratch_);
            if (!action->allowedForAtmoObject(&object))
                throw Refusal(classValue.offset(), actionWhere,
                              "a " + className + " is not allowed on a " + object.getType());
            readActive(*action, entry, actionWhere);
            readIds(*action, entry, actionWhere);
            readFields(*action, entry, actionWhere);
            if (!builtIn)
                object.appendAtmoAction(action);
            ++i;
        }
    }

    void linkTriggers(const JsonValue& value, IAtmoObject& object, const Where& where)
    {
        std::optional<JsonValue> found = value.find("triggers");
        if (!found)
            return;
        const Where triggersWhere(where, "triggers");
        std::size_t i = 0;
        for (const JsonValue& entry : Values::array(*found, triggersWhere).elements()) {
            const Where triggerWhere(triggersWhere, i++);
            Values::expectObject(entry, triggerWhere, {"class", "active", "ids", "fields", "actions"});
            const JsonValue classValue = Values::member(entry, "class", triggerWhere);
            const std::string className = Values::string(classValue, Where(triggerWhere, "class"));
            const AtmoTrigger* prototype = catalogue_.findTrigger(className);
            if (!prototype)
                throw Refusal(classValue.offset(), Where(triggerWhere, "class"),
                              "unknown trigger class " + MessageText::quoted(className));
            std::shared_ptr<AtmoTrigger> trigger = prototype->newInstance(&object, scratch_);
            readActive(*trigger, entry, triggerWhere);
            readIds(*trigger, entry, triggerWhere);
            readFields(*trigger, entry, triggerWhere);
            if (auto references = entry.find("actions"))
                readReferences(*trigger, *references, Where(triggerWhere, "actions"));
            object.appendAtmoTrigger(trigger);
        }
    }

    void readReferences(AtmoTrigger& trigger, const JsonValue& references, const Where& where)
    {
        std::size_t i = 0;
        for (const JsonValue& reference : Values::array(references, where).elements()) {
            const Where referenceWhere(where, i++);
            Values::expectObject(reference, referenceWhere, {"object", "action"});
            const JsonValue objectValue = Values::member(reference, "object", referenceWhere);
            const JsonValue actionValue = Values::member(reference, "action", referenceWhere);
            const int objectIndex = Values::intValue(objectValue, Where(referenceWhere, "object"));
            const int actionIndex = Values::intValue(actionValue, Where(referenceWhere, "action"));
            if (objectIndex < 0 || objectIndex >= static_cast<int>(project_.objects.size()))
                throw Refusal(objectValue.offset(), referenceWhere,
                              "refers to object " + std::to_string(objectIndex) + ", which does not exist");
            const IAtmoObject& target = *project_.objects[objectIndex];
            if (actionIndex < 0 || actionIndex >= target.getAtmoActionSize())
                throw Refusal(actionValue.offset(), referenceWhere,
                              "refers to action " + std::to_string(actionIndex) + " of object "
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
    std::unordered_set<const AtmoInteraction*> numbered_;
    std::unordered_set<std::string> claimed_;
};

} // namespace

std::optional<LoadedProject> ProjectFileReader::read(std::string_view text, const std::string& path, IdCounter& ids,
                                                     std::string& error)
{
    const auto refuse = [&](std::size_t offset, const std::string& what) -> std::optional<LoadedProject> {
        error = MessageText::escaped(path) + ": " + TextPosition::of(text, offset).describe() + ": " + what;
        return std::nullopt;
    };
    // Text that is not UTF-8 is refused before anything else: no message
    // could show the broken bytes.
    if (const std::size_t broken = script::Utf8Text::firstIllFormed(text); broken != std::string_view::npos) {
        static const char digits[] = "0123456789ABCDEF";
        const auto byte = static_cast<unsigned char>(text[broken]);
        return refuse(broken, std::string("not UTF-8 text (byte 0x") + digits[byte >> 4] + digits[byte & 0xF] + ")");
    }
    JsonValue::Tape tape;
    if (std::optional<JsonChecker::Error> syntax = JsonChecker::check(text, tape))
        return refuse(syntax->offset, syntax->message);
    LoadedProject project;
    project.name = "default";
    try {
        Builder(project, ids).build(JsonValue::root(text, tape));
    } catch (const Refusal& refusal) {
        return refuse(refusal.offset, refusal.what());
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

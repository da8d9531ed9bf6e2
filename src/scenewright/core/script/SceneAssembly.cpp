#include "scenewright/core/script/SceneAssembly.h"

#include "scenewright/core/InteractionCatalogue.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/ObjectKind.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/script/ScriptCursor.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <utility>

namespace scenewright::core::script {

namespace {

using Kind = ScriptObjectName::Kind;

// Kinds beyond the localisable ones, for the rules of which object may hold
// which action.
constexpr unsigned kModel = 8;
constexpr unsigned kWorld = 16;
constexpr unsigned kActor = 32;

unsigned kindOfType(const std::string& type)
{
    if (type == IAtmoObject::TYPE_PRIMITIVE)
        return kPrimitive;
    if (type == IAtmoObject::TYPE_VIEWPOINT)
        return kViewpoint;
    if (type == IAtmoObject::TYPE_SOLIDOBJECT)
        return kSolidObject;
    if (type == IAtmoObject::TYPE_MODEL)
        return kModel;
    if (type == "world")
        return kWorld;
    if (type == IAtmoObject::TYPE_ACTOR)
        return kActor;
    return 0;
}

std::string typeOfKinds(unsigned kinds)
{
    // Of the kinds left open, the first in the order the editors offer them.
    if (kinds & kPrimitive)
        return IAtmoObject::TYPE_PRIMITIVE;
    if (kinds & kViewpoint)
        return IAtmoObject::TYPE_VIEWPOINT;
    return IAtmoObject::TYPE_SOLIDOBJECT;
}

// The kinds of object an action class is allowed on, as the actions
// themselves and the project file say.
unsigned allowedKinds(const std::string& className)
{
    static const InteractionCatalogue catalogue;
    static const World world;
    static const ModelObj model;
    static const PrimitiveObj primitive;
    static const ViewpointObj viewpoint;
    static const SolidObjectObj solid;
    const action::AtmoAction* prototype = catalogue.findStandardAction(className);
    if (!prototype)
        return 0;
    unsigned kinds = 0;
    const std::pair<const IAtmoObject*, unsigned> probes[] = {
        {&world, kWorld}, {&model, kModel}, {&primitive, kPrimitive}, {&viewpoint, kViewpoint}, {&solid, kSolidObject}};
    for (const auto& [probe, kind] : probes)
        if (prototype->allowedForAtmoObject(probe))
            kinds |= kind;
    // The actor holds move actions only.
    if (className == "MovePositionAction")
        kinds |= kActor;
    return kinds;
}

// Splits "name <type>" into its name and type.
std::optional<std::pair<std::string, std::string>> splitObjectText(const std::string& text)
{
    for (const ObjectKind& kind : ObjectKind::all()) {
        const std::string type = kind.type;
        const std::string suffix = " <" + type + ">";
        if (text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
            return std::make_pair(text.substr(0, text.size() - suffix.size()), type);
    }
    return std::nullopt;
}

// Whether two names may be the same object's: comments show a name with
// its line breaks as spaces, and a comment that ends a line may have lost
// the spaces it ended with to re-indenting.
bool sameName(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    std::string shownA = ScriptText::comment(a);
    std::string shownB = ScriptText::comment(b);
    for (std::string* shown : {&shownA, &shownB})
        while (!shown->empty() && (shown->back() == ' ' || shown->back() == '\t'))
            shown->pop_back();
    return shownA == shownB;
}

const action::FieldValue* field(const RecognisedFields& fields, const std::string& name)
{
    for (const auto& [key, value] : fields)
        if (key == name)
            return &value;
    return nullptr;
}

void setField(RecognisedFields& fields, const std::string& name, action::FieldValue value)
{
    for (auto& [key, held] : fields)
        if (key == name) {
            held = std::move(value);
            return;
        }
    fields.emplace_back(name, std::move(value));
}

// The first opacity that a fade from it to `final` in steps of `step` would
// start at: the step is (final - initial) / 10, so the first opacity is found
// near final - 10 * step, among the doubles that give exactly that step.
double firstOpacity(double final, double step)
{
    if (std::isinf(step)) {
        // Only a difference too large for a double gives an infinite step.
        const double far = step > 0 ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
        return (final - far) / 10.0 == step ? far : final;
    }
    const double guess = final - 10.0 * step;
    if (std::isfinite(guess)) {
        double below = guess;
        double above = guess;
        for (int k = 0; k < 256; ++k) {
            if ((final - below) / 10.0 == step)
                return below;
            if ((final - above) / 10.0 == step)
                return above;
            below = std::nextafter(below, -std::numeric_limits<double>::infinity());
            above = std::nextafter(above, std::numeric_limits<double>::infinity());
        }
    }
    return guess;
}

} // namespace

SceneAssembly::SceneAssembly(bool generatorLayout) : generatorLayout_(generatorLayout)
{
    Object world;
    world.type = "world";
    world.name = "world";
    world.kinds = kWorld;
    objects_.push_back(world);
    Object actor;
    actor.type = "actor";
    actor.name = "actor";
    actor.kinds = kActor;
    objects_.push_back(actor);
    // The actor's own move action is always there; the first move the script
    // shows for the actor is it.
    Action move;
    move.interaction.className = "MovePositionAction";
    move.interaction.active = false;
    move.owner = 1;
    actions_.push_back(move);
    objects_[1].actions.push_back(0);
}

// ---------------------------------------------------------------------------
// Objects

std::size_t SceneAssembly::newObject(std::string type, bool localised, std::size_t at)
{
    Object object;
    object.kinds = type.empty() ? kAnyLocalisable : kindOfType(type);
    object.type = std::move(type);
    object.localised = localised;
    object.at = at;
    objects_.push_back(std::move(object));
    return objects_.size() - 1;
}

void SceneAssembly::insertObject(std::size_t index, Object object)
{
    objects_.insert(objects_.begin() + static_cast<std::ptrdiff_t>(index), std::move(object));
    auto shift = [index](std::size_t& place) {
        if (place >= index)
            ++place;
    };
    for (Action& action : actions_)
        if (action.owner)
            shift(*action.owner);
    for (Trigger& trigger : triggers_)
        if (trigger.object)
            shift(*trigger.object);
    if (current_ >= index && current_ != 0)
        shift(current_);
}

std::size_t SceneAssembly::objectNamed(const ScriptObjectName& name, std::size_t at) const
{
    switch (name.kind) {
    case Kind::World: return 0;
    case Kind::Actor: return 1;
    case Kind::This: break;
    case Kind::Global: {
        const ObjectKind* kind = ObjectKind::withPrefix(name.prefix);
        const unsigned kinds = kind ? kindOfType(kind->type) : 0;
        const auto isNamed = [&](std::size_t k) {
            return k >= 2 && k < objects_.size() && !objects_[k].localised && objects_[k].id == name.number
                   && objects_[k].kinds == kinds;
        };
        // Where the name was found last, while the objects have not moved.
        const std::pair<unsigned, int> key{kinds, name.number};
        if (const auto found = namedAt_.find(key); found != namedAt_.end() && isNamed(found->second))
            return found->second;
        for (std::size_t k = 2; k < objects_.size(); ++k)
            if (isNamed(k)) {
                namedAt_[key] = k;
                return k;
            }
        break;
    }
    }
    ScriptCursor::failAt(at, "the name of an object declared at the start of the script");
}

void SceneAssembly::giveText(Object& object, const std::string& text) const
{
    std::optional<std::pair<std::string, std::string>> split = splitObjectText(text);
    if (!split)
        return;
    // A comment with the type after the name keeps the spaces the name
    // ends with.
    if (!object.nameShown
        || (!object.nameExact && split->first.size() > object.name.size() && sameName(split->first, object.name)))
        object.name = split->first;
    object.nameShown = true;
    if (object.localised)
        object.kinds &= kindOfType(split->second);
}

void SceneAssembly::declareObject(const ObjectSighting& sighting)
{
    if (sighting.name.kind == Kind::Global) {
        for (std::size_t k = 2; k < objects_.size(); ++k)
            if (!objects_[k].localised && objects_[k].id == sighting.name.number
                && objects_[k].type == sighting.type)
                ScriptCursor::failAt(sighting.at, "a name no other object of the script has");
    }
    const std::size_t index = newObject(sighting.type, sighting.name.kind == Kind::This, sighting.at);
    Object& object = objects_[index];
    if (sighting.name.kind == Kind::Global)
        object.id = sighting.name.number;
    if (sighting.nameShown) {
        object.name = sighting.objectName;
        object.nameShown = true;
        object.nameExact = true;
    }
    object.fields = sighting.fields;
    object.onLoad = sighting.onLoad;
    current_ = index;
}

void SceneAssembly::declarePhysicalModel(RecognisedFields fields, const std::optional<std::string>& objectText)
{
    Object& object = objects_[current_];
    object.physicalModel = std::move(fields);
    if (objectText)
        giveText(object, *objectText);
}

// An action the on-load code of the object shows; inactive until its set-up
// code or a trigger shows it is active.
std::size_t SceneAssembly::onLoadAction(const std::string& className, RecognisedFields fields)
{
    Action action;
    action.interaction.className = className;
    action.interaction.active = false;
    action.interaction.fields = std::move(fields);
    action.owner = current_;
    actions_.push_back(std::move(action));
    objects_[current_].onLoadActions.push_back(actions_.size() - 1);
    return actions_.size() - 1;
}

// Puts the object's on-load actions up to the given one (all of them for
// npos) in its pool.
void SceneAssembly::flushOnLoadActions(Object& object, std::size_t upTo)
{
    std::size_t count = 0;
    while (count < object.onLoadActions.size() && (count == 0 || object.onLoadActions[count - 1] != upTo))
        ++count;
    // Without a physical model only active actions write on-load code.
    if (!object.physicalModel)
        for (std::size_t k = 0; k < count; ++k)
            actions_[object.onLoadActions[k]].interaction.active = true;
    object.actions.insert(object.actions.end(), object.onLoadActions.begin(),
                          object.onLoadActions.begin() + static_cast<std::ptrdiff_t>(count));
    object.onLoadActions.erase(object.onLoadActions.begin(),
                               object.onLoadActions.begin() + static_cast<std::ptrdiff_t>(count));
}

void SceneAssembly::onLoadOpacity(double initialOpacity, std::size_t)
{
    onLoadAction("OpacityAction", {{"initialOpacity", initialOpacity}});
}

void SceneAssembly::onLoadTimeElements(const RecognisedFields& fields, const std::optional<std::string>& objectName,
                                       std::size_t)
{
    onLoadAction("ViewpointObjectAction", fields);
    Object& object = objects_[current_];
    if (objectName && !object.nameShown) {
        object.name = *objectName;
        object.nameShown = true;
    }
}

bool SceneAssembly::mayOwn(const Object& object, const std::string& className) const
{
    return (allowedKinds(className) & object.kinds) != 0;
}

bool SceneAssembly::holds(const Object& object, const std::string& className) const
{
    const auto held = [&](std::size_t a) { return actions_[a].interaction.className == className; };
    return std::any_of(object.actions.begin(), object.actions.end(), held)
           || std::any_of(object.onLoadActions.begin(), object.onLoadActions.end(), held);
}

std::size_t SceneAssembly::actionOwner(const ActionSighting& action)
{
    if (!action.owner)
        return current_;
    if (action.owner->kind != Kind::This) {
        const std::size_t index = objectNamed(*action.owner, action.at);
        if (index < current_)
            ScriptCursor::failAt(action.at, "the set-up code of the actions after their object's declaration");
        current_ = index;
        return index;
    }
    // A localised object: the one the declarations are at, while it can
    // hold the action, else the next one.
    Object& at = objects_[current_];
    bool fits = at.localised && mayOwn(at, action.className) && (at.kinds & action.ownerKinds) != 0
                && !holds(at, action.className);
    if (fits && action.ownerText) {
        std::optional<std::pair<std::string, std::string>> split = splitObjectText(*action.ownerText);
        fits = !split
               || ((!at.nameShown || sameName(split->first, at.name)) && (kindOfType(split->second) & at.kinds) != 0);
    }
    if (fits && action.ownerName && at.nameShown)
        fits = sameName(*action.ownerName, at.name);
    if (!fits)
        current_ = newObject("", true, action.at);
    return current_;
}

std::size_t SceneAssembly::addAction(const ActionSighting& sighting, std::optional<std::size_t> owner, bool active)
{
    // The actor's first move is its own move action.
    if (owner == 1u && sighting.className == "MovePositionAction" && !actorMoveTaken_) {
        actorMoveTaken_ = true;
        Action& move = actions_[0];
        move.interaction.active = active;
        move.interaction.ids = sighting.ids;
        for (const auto& [name, value] : sighting.fields)
            setField(move.interaction.fields, name, value);
        move.at = sighting.at;
        if (!sighting.key.empty())
            keyed_[sighting.key] = 0;
        return 0;
    }
    Action action;
    action.interaction.className = sighting.className;
    action.interaction.active = active;
    action.interaction.ids = sighting.ids;
    action.interaction.fields = sighting.fields;
    action.ownerText = sighting.ownerText;
    action.fadeStep = sighting.fadeStep;
    action.owner = owner;
    action.at = sighting.at;
    actions_.push_back(std::move(action));
    const std::size_t index = actions_.size() - 1;
    if (owner) {
        Object& object = objects_[*owner];
        object.actions.push_back(index);
        if (object.localised) {
            object.kinds &= allowedKinds(sighting.className) & sighting.ownerKinds;
            if (sighting.ownerText)
                giveText(object, *sighting.ownerText);
            // The name in code is exact where a comment's may have spaces
            // for line breaks.
            if (sighting.ownerName && (!object.nameShown || !object.nameExact)) {
                object.name = *sighting.ownerName;
                object.nameShown = true;
                object.nameExact = true;
            }
        }
    }
    if (!sighting.key.empty())
        keyed_[sighting.key] = index;
    return index;
}

std::optional<std::size_t> SceneAssembly::pendingOnLoadOpacity(const Object& object) const
{
    for (std::size_t a : object.onLoadActions)
        if (actions_[a].interaction.className == "OpacityAction")
            return a;
    return std::nullopt;
}

void SceneAssembly::takeOnLoadOpacity(Object& object, std::size_t a, const ActionSighting& sighting)
{
    flushOnLoadActions(object, a);
    Action& action = actions_[a];
    action.interaction.active = true;
    action.interaction.ids = sighting.ids;
    for (const auto& [name, value] : sighting.fields)
        setField(action.interaction.fields, name, value);
    action.fadeStep = sighting.fadeStep;
    action.at = sighting.at;
    keyed_[sighting.key] = a;
}

void SceneAssembly::declareAction(const ActionSighting& sighting)
{
    if (keyed_.count(sighting.key))
        ScriptCursor::failAt(sighting.at, "a generated name no other action of the script has");
    // An opacity action's on-load code came first.
    if (sighting.className == "OpacityAction" && sighting.owner && sighting.owner->kind != Kind::This) {
        Object& object = objects_[objectNamed(*sighting.owner, sighting.at)];
        if (std::optional<std::size_t> a = pendingOnLoadOpacity(object)) {
            actionOwner(sighting);
            takeOnLoadOpacity(object, *a, sighting);
            return;
        }
    } else if (sighting.className == "OpacityAction" && objects_[current_].localised) {
        Object& object = objects_[current_];
        if (std::optional<std::size_t> a = pendingOnLoadOpacity(object)) {
            takeOnLoadOpacity(object, *a, sighting);
            object.kinds &= sighting.ownerKinds;
            return;
        }
    }
    const std::size_t owner = actionOwner(sighting);
    if (!mayOwn(objects_[owner], sighting.className))
        ScriptCursor::failAt(sighting.at, "an action its object may hold");
    addAction(sighting, owner, true);
}

void SceneAssembly::worldRecord(const std::string& key, RecognisedFields fields)
{
    worldRecords_.emplace_back(key, std::move(fields));
}

// ---------------------------------------------------------------------------
// Triggers

void SceneAssembly::trigger(const TriggerSighting& sighting)
{
    Trigger trigger;
    trigger.interaction.className = sighting.className;
    trigger.interaction.fields = sighting.fields;
    trigger.objectText = sighting.objectText;
    trigger.emptyLinesBefore = sighting.emptyLinesBefore;
    trigger.at = sighting.at;
    if (sighting.object.kind == Kind::This)
        trigger.localisedObject = true;
    else
        trigger.object = objectNamed(sighting.object, sighting.at);
    trigger.synchronisedId = sighting.synchronisedId;
    if (sighting.synchronisedId) {
        synchronisedTriggers_.emplace(*sighting.synchronisedId, triggers_.size());
        trigger.interaction.ids = std::vector<int>{*sighting.synchronisedId};
        trigger.usesSynchKnown = true;
    } else {
        trigger.branch = sighting.actions;
        trigger.branchRead = true;
        // In a synchronised script, a trigger that runs its actions itself
        // is not synchronised.
        if (synchronised_) {
            setField(trigger.interaction.fields, "usesSynch", false);
            trigger.usesSynchKnown = true;
        }
    }
    triggers_.push_back(std::move(trigger));
}

void SceneAssembly::actionlessTrigger(const std::string& className, int emptyLinesBefore, std::size_t at)
{
    Trigger trigger;
    trigger.interaction.className = className;
    trigger.actionless = true;
    trigger.branchRead = true;
    trigger.emptyLinesBefore = emptyLinesBefore;
    trigger.at = at;
    triggers_.push_back(std::move(trigger));
}

void SceneAssembly::branch(int synchronisedId, bool running, std::vector<ActionSighting> actions, std::size_t at)
{
    const auto found = synchronisedTriggers_.find(synchronisedId);
    if (found == synchronisedTriggers_.end())
        ScriptCursor::failAt(at, "a branch for a synchronised trigger of the script");
    if (running) {
        Trigger& trigger = triggers_[found->second];
        trigger.branch = std::move(actions);
        trigger.branchRead = true;
        trigger.hasBranch = true;
    }
}

// ---------------------------------------------------------------------------
// Putting it together

RecognisedScene SceneAssembly::scene()
{
    solidOwnersByWaits();
    placeTriggers();
    addActionlessSynchronised();
    resolveBranches();
    alignFirstLoadWaits();
    giveOwners();
    completeActions();
    settleKinds();
    return build();
}

// A first-load wait that names no localised object shows that the localised
// owners of the trigger's set-up actions are solid objects, which it does
// not wait for; the triggers are placed knowing it. Where the wait names a
// localised object, a set-up action whose localised owner is not known to
// be a solid object may still belong to one declared next to it: a choice
// a detour takes.
void SceneAssembly::solidOwnersByWaits()
{
    std::size_t w = 0;
    for (const Trigger& trigger : triggers_) {
        if (trigger.interaction.className != "WorldFirstLoadsTrigger" || trigger.actionless)
            continue;
        if (w >= waits_.size())
            return;
        const std::vector<ScriptObjectName>& owners = waits_[w++].owners;
        const auto localised = [](const ScriptObjectName& name) { return name.kind == Kind::This; };
        const bool waitsForLocalised = std::any_of(owners.begin(), owners.end(), localised);
        for (const ActionSighting& sighting : trigger.branch) {
            const std::optional<std::size_t> a = setUpAction(sighting);
            if (!a || !actions_[*a].owner || !objects_[*actions_[*a].owner].localised)
                continue;
            Object& owner = objects_[*actions_[*a].owner];
            if (waitsForLocalised) {
                // Two choices: with those set up after it, or before it.
                if (owner.kinds == kSolidObject || !(allowedKinds(sighting.className) & kSolidObject))
                    continue;
                const bool withLater = detourHere();
                const bool withEarlier = detourHere();
                if (withLater || withEarlier)
                    splitAtAction(*actions_[*a].owner, *a, withEarlier);
            } else if (owner.kinds & kSolidObject) {
                owner.kinds &= kSolidObject;
            } else {
                splitAtAction(*actions_[*a].owner, *a);
            }
        }
    }
}

// The declarations gave a localised object an action that belongs to one
// of a kind it cannot be: the action belongs to a solid object declared
// next to it, with those set up after it, or, where the object declares
// nothing before its actions, with those set up before it.
void SceneAssembly::splitAtAction(std::size_t o, std::size_t a, bool withEarlier)
{
    std::vector<std::size_t>& held = objects_[o].actions;
    const auto at = std::find(held.begin(), held.end(), a);
    if (at == held.end())
        return;
    const auto solidMay = [&](std::size_t b) {
        return (allowedKinds(actions_[b].interaction.className) & kSolidObject) != 0;
    };
    Object solid;
    solid.localised = true;
    solid.kinds = kSolidObject;
    solid.at = actions_[a].at;
    std::size_t index = o + 1;
    if (!withEarlier && std::all_of(at, held.end(), solidMay)) {
        solid.actions.assign(at, held.end());
        held.erase(at, held.end());
    } else if (std::all_of(held.begin(), at + 1, solidMay) && !objects_[o].onLoad && !objects_[o].physicalModel
               && objects_[o].onLoadActions.empty()) {
        solid.actions.assign(held.begin(), at + 1);
        held.erase(held.begin(), at + 1);
        index = o;
    } else {
        return;
    }
    insertObject(index, std::move(solid));
    for (std::size_t b : objects_[index].actions)
        actions_[b].owner = index;
}

void SceneAssembly::placeTriggers()
{
    if (!(generatorLayout_ && placeByLayout()))
        placeInOrder();
    for (std::size_t t = 0; t < triggers_.size(); ++t)
        objects_[*triggers_[t].object].triggers.push_back(t);
}

// Places the triggers by the empty lines of the generator's layout, which
// count the objects between them.
bool SceneAssembly::placeByLayout()
{
    std::vector<long long> slot(triggers_.size());
    long long count = 0;
    if (triggers_.empty()) {
        count = static_cast<long long>(emptyLinesAtEnd_) - worldTail_ - 1;
    } else {
        long long at = static_cast<long long>(triggers_[0].emptyLinesBefore) - worldTail_ - 1;
        for (std::size_t t = 0; t < triggers_.size(); ++t) {
            if (t > 0)
                at += triggers_[t].emptyLinesBefore;
            slot[t] = at;
        }
        count = at + emptyLinesAtEnd_;
    }
    // Each object the script does not show stands for one empty line: a
    // hostile script of empty lines must not make millions of them.
    constexpr long long kMostUnshownObjects = 100'000;
    if (count < 2 || count < static_cast<long long>(objects_.size())
        || count - static_cast<long long>(objects_.size()) > kMostUnshownObjects)
        return false;

    // What each place holds, from the triggers: a named object, a localised
    // one, or nothing known.
    constexpr std::size_t kFree = std::numeric_limits<std::size_t>::max();
    constexpr std::size_t kLocalised = kFree - 1;
    std::vector<std::size_t> place(static_cast<std::size_t>(count), kFree);
    place[0] = 0;
    place[1] = 1;
    std::vector<std::optional<std::string>> placeText(place.size());
    // The kinds the triggers at each place allow their localised object.
    const std::vector<unsigned> allowed = kindsByWaits();
    std::vector<unsigned> placeKinds(place.size(), kAnyLocalisable);
    for (std::size_t t = 0; t < triggers_.size(); ++t) {
        if (slot[t] < 0 || slot[t] >= count)
            return false;
        const auto s = static_cast<std::size_t>(slot[t]);
        const Trigger& trigger = triggers_[t];
        if (trigger.object) {
            if (place[s] != kFree && place[s] != *trigger.object)
                return false;
            place[s] = *trigger.object;
        } else if (trigger.localisedObject) {
            if (place[s] != kFree && place[s] != kLocalised)
                return false;
            place[s] = kLocalised;
            placeKinds[s] &= allowed[t];
            if (trigger.objectText) {
                if (placeText[s] && placeText[s] != trigger.objectText)
                    return false;
                placeText[s] = trigger.objectText;
            }
        }
    }
    // The last place of each object's triggers.
    std::vector<std::optional<std::size_t>> lastPlace(objects_.size());
    for (std::size_t s = 0; s < place.size(); ++s)
        if (place[s] < objects_.size())
            lastPlace[place[s]] = s;
    // The declared objects keep their order; each takes the first place
    // that suits it.
    std::vector<std::size_t> order(place.size(), kFree);
    order[0] = 0;
    order[1] = 1;
    std::size_t next = 2;
    for (std::size_t o = 2; o < objects_.size(); ++o) {
        const Object& object = objects_[o];
        bool passOver = object.localised && detourHere();
        std::size_t s = next;
        for (; s < place.size(); ++s) {
            if (place[s] == o)
                break;
            if (object.localised) {
                bool suits = place[s] == kFree;
                if (place[s] == kLocalised && (placeKinds[s] & object.kinds)) {
                    std::optional<std::pair<std::string, std::string>> split =
                        placeText[s] ? splitObjectText(*placeText[s]) : std::nullopt;
                    suits = !split
                            || ((kindOfType(split->second) & object.kinds)
                                && (!object.nameShown || sameName(split->first, object.name)));
                }
                if (suits && !std::exchange(passOver, false))
                    break;
            } else if (place[s] == kFree) {
                // A named object without triggers; its own place, if it has
                // triggers, comes first.
                if (!lastPlace[o] || *lastPlace[o] < s)
                    break;
            }
        }
        if (s >= place.size())
            return false;
        // Skipping the place of a named object's triggers would lose it.
        for (std::size_t skipped = next; skipped < s; ++skipped)
            if (place[skipped] != kFree && place[skipped] != kLocalised && place[skipped] != o)
                return false;
        order[s] = o;
        next = s + 1;
    }
    for (std::size_t s = 0; s < place.size(); ++s)
        if (place[s] != kFree && place[s] != kLocalised && order[s] != place[s])
            return false;
    // The rest are localised objects the declarations do not show: only a
    // localised script leaves objects out.
    if (!localised_ && std::count(order.begin(), order.end(), kFree) > 0) {
        const bool globalLocalisable = std::any_of(objects_.begin(), objects_.end(), [](const Object& object) {
            return !object.localised && (kindOfType(object.type) & kAnyLocalisable);
        });
        if (globalLocalisable)
            return false;
        localised_ = true;
    }

    std::vector<Object> placed;
    std::vector<std::size_t> newIndex(objects_.size());
    for (std::size_t s = 0; s < order.size(); ++s) {
        if (order[s] == kFree) {
            Object object;
            object.localised = true;
            placed.push_back(std::move(object));
        } else {
            newIndex[order[s]] = placed.size();
            placed.push_back(std::move(objects_[order[s]]));
        }
    }
    objects_ = std::move(placed);
    for (Action& action : actions_)
        if (action.owner)
            action.owner = newIndex[*action.owner];
    for (std::size_t t = 0; t < triggers_.size(); ++t) {
        triggers_[t].object = static_cast<std::size_t>(slot[t]);
        if (triggers_[t].objectText)
            giveText(objects_[*triggers_[t].object], *triggers_[t].objectText);
    }
    return true;
}

// Places each trigger without an object named by the script on the first
// object at or after the one of the trigger before it that can take it.
void SceneAssembly::placeInOrder()
{
    const std::vector<unsigned> allowed = kindsByWaits();
    // The trigger classes each object holds so far.
    std::vector<std::vector<std::string>> classes(objects_.size());
    std::size_t at = 0;
    for (std::size_t t = 0; t < triggers_.size(); ++t) {
        Trigger& trigger = triggers_[t];
        if (trigger.object) {
            if (*trigger.object < at)
                ScriptCursor::failAt(trigger.at, "the triggers in the order of their objects");
            at = *trigger.object;
            classes.resize(objects_.size());
            classes[at].push_back(trigger.interaction.className);
            continue;
        }
        // Up to the object of the next trigger the script names.
        std::size_t limit = objects_.size() - 1;
        // A localised trigger before it comes before that object, and so
        // does a trigger the script knows only from its comment.
        bool localisedBefore = false;
        for (std::size_t later = t + 1; later < triggers_.size(); ++later) {
            if (triggers_[later].object) {
                limit = *triggers_[later].object;
                break;
            }
            localisedBefore = localisedBefore || triggers_[later].localisedObject;
        }
        classes.resize(objects_.size());
        std::optional<std::size_t> chosen;
        bool passOver = detourHere();
        for (std::size_t o = at; o <= limit && o < objects_.size(); ++o) {
            const Object& object = objects_[o];
            if (trigger.localisedObject && (!object.localised || !(object.kinds & allowed[t])))
                continue;
            if (trigger.actionless && localisedBefore && o == limit && !object.localised)
                continue;
            if (std::find(classes[o].begin(), classes[o].end(), trigger.interaction.className) != classes[o].end())
                continue;
            if (trigger.objectText) {
                std::optional<std::pair<std::string, std::string>> split = splitObjectText(*trigger.objectText);
                if (split
                    && ((object.nameShown && !sameName(split->first, object.name))
                        || !(kindOfType(split->second) & object.kinds)))
                    continue;
            }
            if (std::exchange(passOver, false))
                continue;
            chosen = o;
            break;
        }
        if (!chosen) {
            if (localised_) {
                // A localised object the declarations do not show.
                std::size_t index = limit;
                bool limitHasTriggers = false;
                for (std::size_t later = t + 1; later < triggers_.size(); ++later)
                    limitHasTriggers = limitHasTriggers || triggers_[later].object == limit;
                if (!limitHasTriggers)
                    index = objects_.size();
                // After the one before, and never before the actor.
                index = std::max(index, std::max<std::size_t>(at + 1, 2));
                Object object;
                object.localised = true;
                object.at = trigger.at;
                insertObject(index, std::move(object));
                classes.insert(classes.begin() + static_cast<std::ptrdiff_t>(index), std::vector<std::string>());
                chosen = index;
            } else {
                chosen = at;
            }
        }
        trigger.object = *chosen;
        at = *chosen;
        classes[at].push_back(trigger.interaction.className);
        // The kinds its wait allows hold for the triggers placed after it.
        if (objects_[at].localised)
            objects_[at].kinds &= allowed[t];
        if (trigger.objectText)
            giveText(objects_[at], *trigger.objectText);
    }
}

std::vector<unsigned> SceneAssembly::kindsByWaits() const
{
    // A first-load trigger's wait tells whether its object is a solid
    // object ("if(true") or one that loads; the waits come in the order of
    // the triggers.
    std::vector<unsigned> kinds(triggers_.size(), kAnyLocalisable);
    std::size_t w = 0;
    for (std::size_t t = 0; t < triggers_.size() && w < waits_.size(); ++t)
        if (triggers_[t].interaction.className == "WorldFirstLoadsTrigger" && !triggers_[t].actionless)
            kinds[t] = waits_[w++].solidObject ? kSolidObject : (kPrimitive | kViewpoint);
    return kinds;
}

void SceneAssembly::addActionlessSynchronised()
{
    if (!synchronisedNames_)
        return;
    const std::vector<int>& names = *synchronisedNames_;
    std::size_t listed = 0;
    for (std::size_t t = 0; t <= triggers_.size(); ++t) {
        // Listed names before this synchronised trigger's own are those of
        // triggers without actions.
        std::optional<int> own = t < triggers_.size() ? triggers_[t].synchronisedId : std::nullopt;
        if (t < triggers_.size() && !own) {
            // A trigger known from its comment takes the next listed name
            // that no trigger's code claims.
            Trigger& trigger = triggers_[t];
            if (trigger.actionless && listed < names.size()) {
                bool claimed = false;
                for (std::size_t later = t + 1; later < triggers_.size(); ++later)
                    claimed = claimed || triggers_[later].synchronisedId == names[listed];
                if (!claimed) {
                    trigger.synchronisedId = names[listed++];
                    trigger.interaction.ids = std::vector<int>{*trigger.synchronisedId};
                    trigger.usesSynchKnown = true;
                    continue;
                }
            }
            if (trigger.actionless) {
                setField(trigger.interaction.fields, "usesSynch", false);
                trigger.usesSynchKnown = true;
            }
            continue;
        }
        while (listed < names.size() && (!own || names[listed] != *own)) {
            // A synchronised trigger without actions, of which the script
            // shows nothing but its name.
            const std::size_t object = t > 0 ? *triggers_[t - 1].object : (t < triggers_.size() ? *triggers_[t].object : 0);
            Trigger trigger;
            trigger.object = object;
            trigger.actionless = true;
            trigger.branchRead = true;
            trigger.synchronisedId = names[listed];
            trigger.interaction.ids = std::vector<int>{names[listed]};
            trigger.usesSynchKnown = true;
            std::vector<std::string> held;
            for (std::size_t other : objects_[object].triggers)
                held.push_back(triggers_[other].interaction.className);
            trigger.interaction.className = "OnclickTrigger";
            for (const char* className : {"OnclickTrigger", "ProximityTrigger", "WorldFirstLoadsTrigger"})
                if (std::find(held.begin(), held.end(), className) == held.end()) {
                    trigger.interaction.className = className;
                    break;
                }
            triggers_.insert(triggers_.begin() + static_cast<std::ptrdiff_t>(t), std::move(trigger));
            // Keep the objects' lists pointing at the same triggers.
            for (Object& o : objects_)
                for (std::size_t& index : o.triggers)
                    if (index >= t)
                        ++index;
            auto& list = objects_[object].triggers;
            const auto position = std::find_if(list.begin(), list.end(), [t](std::size_t index) { return index > t; });
            list.insert(position, t);
            ++listed;
            ++t;
        }
        if (t < triggers_.size()) {
            if (listed >= names.size())
                ScriptCursor::failAt(triggers_[t].at, "a trigger the list of synchronised triggers names");
            ++listed;
        }
    }
}

std::optional<std::size_t> SceneAssembly::fittingLocalised(const ActionSighting& sighting,
                                                            std::size_t triggerObject) const
{
    auto fits = [&](std::size_t o) {
        const Object& object = objects_[o];
        return object.localised && mayOwn(object, sighting.className) && (object.kinds & sighting.ownerKinds) != 0
               && !holds(object, sighting.className);
    };
    if (fits(triggerObject))
        return triggerObject;
    for (std::size_t o = 2; o < objects_.size(); ++o)
        if (fits(o))
            return o;
    return std::nullopt;
}

std::size_t SceneAssembly::localisedOwner(const ActionSighting& sighting, std::size_t triggerObject)
{
    if (const std::optional<std::size_t> fitting = fittingLocalised(sighting, triggerObject))
        return *fitting;
    Object object;
    object.localised = true;
    object.at = sighting.at;
    // After the trigger's object, and never before the actor.
    const std::size_t index = std::max<std::size_t>(triggerObject + 1, 2);
    insertObject(index, std::move(object));
    return index;
}

std::optional<std::size_t> SceneAssembly::setUpAction(const ActionSighting& sighting) const
{
    if (sighting.key.empty() || sighting.className == "ChatPrintMessageAction" || sighting.className == "URLpopup"
        || sighting.className == "GotoNewWorldAction")
        return std::nullopt;
    const auto found = keyed_.find(sighting.key);
    if (found == keyed_.end())
        ScriptCursor::failAt(sighting.at, "the trigger code of an action set up among the declarations");
    return found->second;
}

std::size_t SceneAssembly::useAction(const ActionSighting& sighting, std::size_t triggerObject,
                                     const std::vector<std::size_t>& fired)
{
    if (const std::optional<std::size_t> setUp = setUpAction(sighting)) {
        Action& action = actions_[*setUp];
        for (const auto& [name, value] : sighting.fields)
            setField(action.interaction.fields, name, value);
        if (sighting.ownerText && action.owner)
            giveText(objects_[*action.owner], *sighting.ownerText);
        return *setUp;
    }
    // Opacity set at once: the owner's opacity action.
    if (sighting.className == "OpacityAction") {
        const double final = std::get<double>(*field(sighting.fields, "finalOpacity"));
        std::optional<std::size_t> any;
        for (std::size_t a = 0; a < actions_.size(); ++a) {
            Action& action = actions_[a];
            if (action.interaction.className != "OpacityAction" || !action.owner)
                continue;
            const Object& owner = objects_[*action.owner];
            // A localised owner must also be of a kind the code allows: a
            // solid object's opacity is set directly, a viewpoint's through
            // its instances.
            const bool named = sighting.owner->kind == Kind::This
                                   ? owner.localised && (owner.kinds & sighting.ownerKinds) != 0
                                   : *action.owner == objectNamed(*sighting.owner, sighting.at);
            if (!named)
                continue;
            const action::FieldValue* fade = field(action.interaction.fields, "fadeInOpacity");
            if (fade && std::get<bool>(*fade))
                continue;
            const action::FieldValue* held = field(action.interaction.fields, "finalOpacity");
            if (held && std::get<double>(*held) == final) {
                setField(action.interaction.fields, "fadeInOpacity", false);
                return a;
            }
            any = any ? any : std::optional<std::size_t>(a);
        }
        if (!any)
            ScriptCursor::failAt(sighting.at, "the trigger code of an opacity action set up among the declarations");
        setField(actions_[*any].interaction.fields, "fadeInOpacity", false);
        return *any;
    }
    // A viewpoint animation: the owner's, whose time elements its on-load
    // code shows.
    if (sighting.className == "ViewpointObjectAction") {
        const auto held = [&](std::size_t owner) -> std::optional<std::size_t> {
            const Object& object = objects_[owner];
            for (const std::vector<std::size_t>* list : {&object.actions, &object.onLoadActions})
                for (std::size_t a : *list)
                    if (actions_[a].interaction.className == sighting.className) {
                        actions_[a].interaction.active = true;
                        return a;
                    }
            return std::nullopt;
        };
        if (sighting.owner->kind != Kind::This) {
            if (std::optional<std::size_t> a = held(objectNamed(*sighting.owner, sighting.at)))
                return *a;
        } else {
            // Every active animation of a localised object writes on-load
            // code, so it is one that code shows: the trigger's object's,
            // else the first such.
            std::vector<std::size_t> candidates{triggerObject};
            for (std::size_t o = 2; o < objects_.size(); ++o)
                candidates.push_back(o);
            for (std::size_t o : candidates)
                if (objects_[o].localised)
                    if (std::optional<std::size_t> a = held(o))
                        return *a;
            // An animation without time elements shows only an on-load
            // function with nothing in it (its comments gone when
            // compressed): the animation of such an object, else of one
            // whose on-load function also sets its opacity, which hides it.
            for (const bool withOpacity : {false, true})
                for (std::size_t o : candidates) {
                    const Object& object = objects_[o];
                    if (object.localised && object.onLoad && !object.physicalModel
                        && mayOwn(object, sighting.className) && holds(object, "OpacityAction") == withOpacity) {
                        ActionSighting animation = sighting;
                        animation.key.clear();
                        return addAction(animation, o, true);
                    }
                }
            if (std::optional<std::size_t> a = held(localisedOwner(sighting, triggerObject)))
                return *a;
        }
    }
    // Actions without generated names: the same fields on the same owner
    // are the same action.
    std::optional<std::size_t> owner;
    std::string key = sighting.key;
    if (sighting.owner) {
        // A trigger that fires a localised object's action twice shows the
        // same code twice: the second time is that action again, not
        // another object's.
        if (sighting.owner->kind == Kind::This) {
            const auto same = [&](std::size_t a) {
                const Action& action = actions_[a];
                return a != 0 && action.owner && objects_[*action.owner].localised
                       && action.interaction.className == sighting.className && action.interaction.active
                       && action.interaction.fields == sighting.fields;
            };
            for (const std::vector<std::size_t>* list : {&std::as_const(objects_[triggerObject].actions), &fired})
                if (const auto found = std::find_if(list->begin(), list->end(), same); found != list->end())
                    return *found;
            // Where no localised object can take another, one that holds
            // the same action lends it rather than the scene growing by one;
            // where one can, lending it is another reading, which an action
            // fired from other objects' triggers may need.
            for (std::size_t a = 1; a < actions_.size(); ++a)
                if (same(a) && (!fittingLocalised(sighting, triggerObject) || detourHere()))
                    return a;
        }
        owner = sighting.owner->kind == Kind::This ? localisedOwner(sighting, triggerObject)
                                                   : objectNamed(*sighting.owner, sighting.at);
        for (const auto& [name, value] : sighting.fields) {
            key += "|" + name;
            if (const double* number = std::get_if<double>(&value))
                key += "=" + std::to_string(*number);
            else if (const bool* flag = std::get_if<bool>(&value))
                key += *flag ? "=1" : "=0";
        }
        for (std::size_t a : objects_[*owner].actions) {
            const Action& action = actions_[a];
            if (action.interaction.className != sighting.className)
                continue;
            // The actor's own move action until the script shows it.
            if (a == 0 && !actorMoveTaken_)
                return addAction(sighting, owner, true);
            if (action.interaction.fields == sighting.fields && action.interaction.active)
                return a;
        }
    } else {
        auto found = keyed_.find(key);
        if (found != keyed_.end())
            return found->second;
    }
    if (owner && !mayOwn(objects_[*owner], sighting.className))
        ScriptCursor::failAt(sighting.at, "an action its object may hold");
    ActionSighting unnamed = sighting;
    unnamed.key = owner ? std::string() : key;
    const std::size_t added = addAction(unnamed, owner, true);
    actions_[added].ownerGuessed = sighting.owner && sighting.owner->kind == Kind::This;
    return added;
}

void SceneAssembly::resolveBranches()
{
    for (Trigger& trigger : triggers_) {
        if (!trigger.branchRead && trigger.synchronisedId) {
            // A synchronised trigger whose actions are all inactive has no
            // branch in the handler.
            trigger.branchRead = true;
        }
        for (const ActionSighting& sighting : trigger.branch)
            trigger.actions.push_back(useAction(sighting, *trigger.object, trigger.actions));
        trigger.branch.clear();
    }
}

// A first-load trigger waits for the owner of each of its actions, active or
// not, unless the owner is a solid object or the actor: the waits show the
// inactive actions, and the owners of actions whose code names none.
namespace {

// A way of reading a wait that cannot be.
constexpr int kNever = std::numeric_limits<int>::max() / 4;

} // namespace

// Which owners each action's wait names: a fixed owner names itself unless
// it is a solid object or the actor; an action without an owner yet, or
// with a localised one, may name a wait or none. Each way of reading the
// wait costs the localised objects it must add.
int SceneAssembly::planWait(const FirstLoadWait& wait, const std::vector<std::size_t>& actions,
                            const ChosenOwners& chosen, WaitPlan& plan) const
{
    const std::vector<ScriptObjectName>& owners = wait.owners;
    const auto matchCost = [&](std::size_t a, const ScriptObjectName& name) {
        const Action& action = actions_[a];
        if (const auto found = chosen.find(a); found != chosen.end() && found->second != name)
            return kNever;
        if (!action.owner) {
            if (name.kind == Kind::Actor)
                return kNever;
            if (mayOwnNamed(name, action.interaction.className))
                return 0;
            // A localised owner the declarations do not show.
            return name.kind == Kind::This && (allowedKinds(action.interaction.className) & (kPrimitive | kViewpoint))
                       ? 1
                       : kNever;
        }
        const Object& owner = objects_[*action.owner];
        if (owner.localised)
            return name.kind == Kind::This && (owner.kinds & (kPrimitive | kViewpoint)) ? 0 : kNever;
        return name.kind != Kind::This && objectNamed(name, wait.at) == *action.owner && owner.type != "solid-object"
                       && owner.type != "actor"
                   ? 0
                   : kNever;
    };
    const auto noneCost = [&](std::size_t a) {
        const Action& action = actions_[a];
        const int solidCost = solidObjectFor(action.interaction.className) ? 0 : 1;
        if (const auto found = chosen.find(a); found != chosen.end() && found->second)
            return kNever;
        if (!action.owner) {
            // A localised script may leave out the solid object altogether.
            return solidCost == 0 || (localised_ && (allowedKinds(action.interaction.className) & kSolidObject))
                       ? solidCost
                       : kNever;
        }
        const Object& owner = objects_[*action.owner];
        if (owner.localised) {
            // Making a localised object a solid object may take it from a
            // wait that names it.
            if (owner.kinds & kSolidObject)
                return owner.kinds & (kPrimitive | kViewpoint) ? 1 : 0;
            // A localised owner the trigger code only guessed may give the
            // action up to a solid object.
            return action.ownerGuessed && (allowedKinds(action.interaction.className) & kSolidObject) ? solidCost
                                                                                                       : kNever;
        }
        return owner.type == "solid-object" || owner.type == "actor" ? 0 : kNever;
    };
    const std::size_t n = actions.size();
    const std::size_t m = owners.size();
    plan.match.assign(n, std::vector<int>(m));
    plan.none.assign(n, 0);
    plan.fill.assign(m, 0);
    for (std::size_t i = 0; i < n; ++i) {
        plan.none[i] = noneCost(actions[i]);
        for (std::size_t j = 0; j < m; ++j)
            plan.match[i][j] = matchCost(actions[i], owners[j]);
    }
    for (std::size_t j = 0; j < m; ++j)
        plan.fill[j] = owners[j].kind == Kind::This && !mayOwnNamed(owners[j], "ChatPrintMessageAction") ? 1 : 0;
    // cost[i][j]: the fewest objects to add so that actions from i and
    // waits from j match, with inactive actions added for waits no action
    // names.
    plan.cost.assign(n + 1, std::vector<int>(m + 1, kNever));
    plan.cost[n][m] = 0;
    for (std::size_t i = n + 1; i-- > 0;) {
        for (std::size_t j = m + 1; j-- > 0;) {
            if (i == n && j == m)
                continue;
            int best = kNever;
            if (i < n && j < m)
                best = std::min(best, plan.match[i][j] + plan.cost[i + 1][j + 1]);
            if (i < n)
                best = std::min(best, plan.none[i] + plan.cost[i + 1][j]);
            if (j < m)
                best = std::min(best, plan.fill[j] + plan.cost[i][j + 1]);
            plan.cost[i][j] = std::min(best, kNever);
        }
    }
    return plan.cost[0][0];
}

// An action without an owner, or with a localised one that may be a solid
// object or not, that first-load triggers fire more than once waits for the
// same owner each time: each such action takes the owner (or none) that
// costs all the waits together least, within a number of tries a hostile
// script cannot make large.
SceneAssembly::ChosenOwners SceneAssembly::chooseSharedOwners(const std::vector<std::size_t>& firstLoads) const
{
    // Actions without an owner, those of a localised object that may still
    // be a solid object or not, and those whose localised owner the trigger
    // code only guessed, which may give them up to a solid object.
    const auto open = [&](std::size_t a) {
        const Action& action = actions_[a];
        if (!action.owner)
            return true;
        const Object& owner = objects_[*action.owner];
        return owner.localised
               && (((owner.kinds & kSolidObject) && (owner.kinds & (kPrimitive | kViewpoint)))
                   || (action.ownerGuessed && (allowedKinds(action.interaction.className) & kSolidObject)));
    };
    std::map<std::size_t, std::vector<std::size_t>> firedBy;
    for (std::size_t w = 0; w < firstLoads.size(); ++w)
        for (std::size_t a : triggers_[firstLoads[w]].actions)
            if (open(a))
                firedBy[a].push_back(w);
    ChosenOwners chosen;
    WaitPlan plan;
    // The places of the cost tables the tries may fill.
    long long placesLeft = 1LL << 22;
    for (auto& [a, waits] : firedBy) {
        if (waits.size() < 2)
            continue;
        // At equal cost a name the wait shows rather than none, which
        // may take a localised object another wait names.
        std::vector<std::optional<ScriptObjectName>> candidates;
        for (std::size_t w : waits)
            for (const ScriptObjectName& name : waits_[w].owners)
                if ((!actions_[a].owner || name.kind == Kind::This)
                    && std::find(candidates.begin(), candidates.end(), name) == candidates.end())
                    candidates.emplace_back(name);
        candidates.emplace_back(std::nullopt);
        waits.erase(std::unique(waits.begin(), waits.end()), waits.end());
        std::optional<std::optional<ScriptObjectName>> cheapest;
        int least = kNever;
        long long places = 0;
        for (std::size_t w : waits)
            places += static_cast<long long>(triggers_[firstLoads[w]].actions.size() + 1)
                      * static_cast<long long>(waits_[w].owners.size() + 1);
        for (const std::optional<ScriptObjectName>& candidate : candidates) {
            placesLeft -= places;
            if (placesLeft < 0)
                break;
            chosen[a] = candidate;
            int total = 0;
            for (std::size_t w : waits)
                total = std::min(kNever, total + planWait(waits_[w], triggers_[firstLoads[w]].actions, chosen, plan));
            if (total < least) {
                least = total;
                cheapest = candidate;
            }
        }
        if (cheapest)
            chosen[a] = *cheapest;
        else
            chosen.erase(a);
    }
    return chosen;
}

// A first-load trigger waits for the owner of each of its actions, active or
// not, unless the owner is a solid object or the actor: the waits show the
// inactive actions, and the owners of actions whose code names none.
void SceneAssembly::alignFirstLoadWaits()
{
    std::vector<std::size_t> firstLoads;
    for (std::size_t t = 0; t < triggers_.size(); ++t)
        if (triggers_[t].interaction.className == "WorldFirstLoadsTrigger" && !triggers_[t].actionless)
            firstLoads.push_back(t);
    if (firstLoads.size() != waits_.size()) {
        const std::size_t at = waits_.size() > firstLoads.size() ? waits_[firstLoads.size()].at
                                                                 : triggers_[firstLoads[waits_.size()]].at;
        ScriptCursor::failAt(at, "as many waits for objects to load as first-load triggers");
    }
    for (std::size_t w = 0; w < waits_.size(); ++w) {
        const FirstLoadWait& wait = waits_[w];
        Object& object = objects_[*triggers_[firstLoads[w]].object];
        if (wait.object.kind == Kind::This ? !object.localised
                                           : objectNamed(wait.object, wait.at) != *triggers_[firstLoads[w]].object)
            ScriptCursor::failAt(wait.at, "the wait of the first-load trigger of the same object");
        if (object.localised)
            object.kinds &= wait.solidObject ? kSolidObject : (kPrimitive | kViewpoint);
        else if (wait.solidObject != (object.type == "solid-object"))
            ScriptCursor::failAt(wait.at, wait.solidObject ? "a wait for the trigger's own object" : "true");
    }
    const ChosenOwners chosen = chooseSharedOwners(firstLoads);
    // The waits that name fewest owners leave their actions least choice,
    // so they choose first.
    std::vector<std::size_t> order(waits_.size());
    for (std::size_t w = 0; w < order.size(); ++w)
        order[w] = w;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return waits_[a].owners.size() < waits_[b].owners.size(); });
    WaitPlan plan;
    for (std::size_t w : order) {
        const FirstLoadWait& wait = waits_[w];
        Trigger& trigger = triggers_[firstLoads[w]];
        const std::vector<std::size_t>& actions = trigger.actions;
        const std::vector<ScriptObjectName>& owners = wait.owners;
        const std::size_t n = actions.size();
        const std::size_t m = owners.size();
        if (planWait(wait, actions, chosen, plan) >= kNever)
            ScriptCursor::failAt(wait.at, "a wait for the owners of the trigger's actions");
        // The cheapest way, as planned before any is taken.
        const auto& [match, none, fill, cost] = plan;
        std::set<std::size_t> owning;
        for (std::size_t a : actions)
            if (actions_[a].owner)
                owning.insert(*actions_[a].owner);
        std::vector<std::size_t> aligned;
        std::size_t i = 0;
        std::size_t j = 0;
        while (i < n || j < m) {
            if (i < n && j < m && match[i][j] + cost[i + 1][j + 1] == cost[i][j]) {
                Action& action = actions_[actions[i]];
                if (!action.owner) {
                    action.owner = ownerNamed(owners[j], *trigger.object, action.interaction.className);
                    objects_[*action.owner].actions.push_back(actions[i]);
                } else if (objects_[*action.owner].localised) {
                    objects_[*action.owner].kinds &= kPrimitive | kViewpoint;
                }
                aligned.push_back(actions[i]);
                ++i;
                ++j;
            } else if (i < n && none[i] + cost[i + 1][j] == cost[i][j]) {
                Action& action = actions_[actions[i]];
                if (action.owner && objects_[*action.owner].localised
                    && !(objects_[*action.owner].kinds & kSolidObject)) {
                    std::erase(objects_[*action.owner].actions, actions[i]);
                    action.owner.reset();
                }
                if (!action.owner) {
                    std::optional<std::size_t> solid = solidObjectFor(action.interaction.className);
                    // Not a localised object that another action the wait
                    // names may need as another kind.
                    if (solid && objects_[*solid].localised && (objects_[*solid].kinds & (kPrimitive | kViewpoint))
                        && owning.count(*solid))
                        solid.reset();
                    action.owner = solid ? *solid : newObject("", true, wait.at);
                    objects_[*action.owner].actions.push_back(actions[i]);
                }
                if (objects_[*action.owner].localised)
                    objects_[*action.owner].kinds &= kSolidObject;
                aligned.push_back(actions[i]);
                ++i;
            } else if (j < m && fill[j] + cost[i][j + 1] == cost[i][j]) {
                const std::size_t owner = ownerNamed(owners[j], *trigger.object, "ChatPrintMessageAction");
                // A branch in the handler shows that the trigger fires an
                // active action, though it writes nothing.
                const bool active = trigger.hasBranch && i == n
                                    && std::none_of(aligned.begin(), aligned.end(), [&](std::size_t a) {
                                           return actions_[a].interaction.active;
                                       });
                aligned.push_back(active ? emptyMessage(owner) : filler(owner));
                ++j;
            } else {
                ScriptCursor::failAt(wait.at, "a wait for the owners of the trigger's actions");
            }
        }
        trigger.actions = std::move(aligned);
    }
}

bool SceneAssembly::mayOwnNamed(const ScriptObjectName& name, const std::string& className) const
{
    if (name.kind == Kind::This) {
        for (const Object& object : objects_)
            if (object.localised && mayOwn(object, className) && (object.kinds & (kPrimitive | kViewpoint)))
                return true;
        return false;
    }
    return mayOwn(objects_[objectNamed(name, 0)], className);
}

std::size_t SceneAssembly::ownerNamed(const ScriptObjectName& name, std::size_t triggerObject,
                                      const std::string& className)
{
    if (name.kind != Kind::This)
        return objectNamed(name, 0);
    auto fits = [&](std::size_t o) {
        const Object& object = objects_[o];
        return object.localised && mayOwn(object, className) && (object.kinds & (kPrimitive | kViewpoint));
    };
    std::size_t chosen = triggerObject;
    if (!fits(chosen)) {
        chosen = objects_.size();
        for (std::size_t o = 2; o < objects_.size(); ++o)
            if (fits(o)) {
                chosen = o;
                break;
            }
    }
    // Without a layout to show them, the localised objects the script
    // names only so go last.
    if (chosen == objects_.size())
        newObject("", true, 0);
    objects_[chosen].kinds &= kPrimitive | kViewpoint;
    return chosen;
}

std::optional<std::size_t> SceneAssembly::solidObjectFor(const std::string& className) const
{
    if (!(allowedKinds(className) & kSolidObject))
        return std::nullopt;
    // A solid object first, then a localised object that holds nothing that
    // may want it another kind, then any that may still be one.
    const auto solid = [](const Object& object) {
        return object.localised ? (object.kinds & kAnyLocalisable) == kSolidObject : object.type == "solid-object";
    };
    const auto empty = [](const Object& object) {
        return object.localised && (object.kinds & kSolidObject) && object.actions.empty();
    };
    for (std::size_t o = 2; o < objects_.size(); ++o)
        if (solid(objects_[o]))
            return o;
    for (std::size_t o = 2; o < objects_.size(); ++o)
        if (empty(objects_[o]))
            return o;
    for (std::size_t o = 2; o < objects_.size(); ++o)
        if (objects_[o].localised && (objects_[o].kinds & kSolidObject))
            return o;
    return std::nullopt;
}

// An inactive action of the object, for a trigger that must fire one: one
// it holds already, else a new message that prints nothing.
std::size_t SceneAssembly::filler(std::size_t owner)
{
    for (std::size_t a : objects_[owner].actions)
        if (!actions_[a].interaction.active)
            return a;
    ActionSighting chat;
    chat.className = owner == 1 ? "MovePositionAction" : "ChatPrintMessageAction";
    const std::size_t index = addAction(chat, owner, false);
    return index;
}

std::size_t SceneAssembly::emptyMessage(std::size_t owner)
{
    ActionSighting message;
    message.className = "ChatPrintMessageAction";
    return addAction(message, owner, true);
}

bool SceneAssembly::safeToAdd(const Object& object) const
{
    // A physical model makes every action write an on-load function; an
    // object whose script has none holds no action.
    const bool physical = object.physicalModel.has_value();
    return !(physical && !object.onLoad && (object.type == IAtmoObject::TYPE_MODEL || object.type == IAtmoObject::TYPE_VIEWPOINT))
           && object.type != "actor";
}

void SceneAssembly::giveOwners()
{
    // The object of the first trigger that fires each action.
    std::vector<std::optional<std::size_t>> firstTriggerObject(actions_.size());
    for (const Trigger& trigger : triggers_)
        for (std::size_t a : trigger.actions)
            if (a < firstTriggerObject.size() && !firstTriggerObject[a])
                firstTriggerObject[a] = trigger.object;
    for (std::size_t a = 0; a < actions_.size(); ++a) {
        if (actions_[a].owner)
            continue;
        const std::string& className = actions_[a].interaction.className;
        // The trigger's object first, then every object in order: one that
        // holds no such action yet, else any that may hold it.
        const auto firstOf = [&](auto&& fits) -> std::optional<std::size_t> {
            if (const std::optional<std::size_t> o = firstTriggerObject[a]; o && fits(objects_[*o]))
                return o;
            for (std::size_t o = 0; o < objects_.size(); ++o)
                if (fits(objects_[o]))
                    return o;
            return std::nullopt;
        };
        const auto mayTake = [&](const Object& object) { return safeToAdd(object) && mayOwn(object, className); };
        std::optional<std::size_t> chosen =
            firstOf([&](const Object& object) { return mayTake(object) && !holds(object, className); });
        if (!chosen)
            chosen = firstOf(mayTake);
        actions_[a].owner = chosen.value_or(0);
        objects_[*actions_[a].owner].actions.push_back(a);
    }
}

void SceneAssembly::completeActions()
{
    for (std::size_t o = 0; o < objects_.size(); ++o) {
        Object& object = objects_[o];
        const bool physical = object.physicalModel.has_value();
        // Without a physical model only active actions write on-load code.
        for (std::size_t a : object.onLoadActions)
            if (!physical)
                actions_[a].interaction.active = true;
        flushOnLoadActions(object, std::string::npos);
        // An on-load function with nothing to show for it: a viewpoint
        // animation without time elements, or, with a physical model, any
        // action.
        if (object.onLoad && object.actions.empty()) {
            ActionSighting animation;
            animation.className = physical || object.type != "viewpoint" ? "ChatPrintMessageAction"
                                                                          : "ViewpointObjectAction";
            if (object.localised && !physical)
                object.kinds &= kViewpoint;
            addAction(animation, o, !physical);
        } else if (object.onLoad && !physical) {
            bool qualifies = false;
            for (std::size_t a : object.actions) {
                const std::string& className = actions_[a].interaction.className;
                qualifies = qualifies
                            || (actions_[a].interaction.active
                                && (className == "OpacityAction" || className == "ViewpointObjectAction"));
            }
            if (!qualifies) {
                ActionSighting animation;
                animation.className = "ViewpointObjectAction";
                addAction(animation, o, true);
            }
        }
    }
    // Fades whose first opacity no on-load code shows: from their step.
    for (Action& action : actions_) {
        if (!action.fadeStep || field(action.interaction.fields, "initialOpacity"))
            continue;
        const double final = std::get<double>(*field(action.interaction.fields, "finalOpacity"));
        setField(action.interaction.fields, "initialOpacity", firstOpacity(final, *action.fadeStep));
    }
    // A trigger with code but no action to show fires inactive ones.
    for (Trigger& trigger : triggers_) {
        if (trigger.actionless || !trigger.actions.empty())
            continue;
        std::size_t owner = *trigger.object;
        if (!safeToAdd(objects_[owner]) || owner == 1)
            owner = 0;
        // A first-load trigger waits for the owners of its actions, but never
        // for the actor.
        if (trigger.interaction.className == "WorldFirstLoadsTrigger")
            owner = 1;
        if (trigger.hasBranch) {
            // A branch in the handler with nothing in it: an active action
            // that writes nothing, on an object a first-load trigger does
            // not wait for, a solid object.
            if (owner == 1) {
                std::optional<std::size_t> solid = solidObjectFor("ChatPrintMessageAction");
                if (!solid && localised_) {
                    solid = newObject("", true, trigger.at);
                    objects_[*solid].kinds = kSolidObject;
                }
                owner = solid.value_or(0);
                if (objects_[owner].localised)
                    objects_[owner].kinds &= kSolidObject;
            }
            trigger.actions.push_back(emptyMessage(owner));
        } else {
            trigger.actions.push_back(filler(owner));
        }
    }
}

void SceneAssembly::settleKinds()
{
    for (std::size_t o = 2; o < objects_.size(); ++o) {
        Object& object = objects_[o];
        if (!object.localised)
            continue;
        for (std::size_t a : object.actions)
            object.kinds &= allowedKinds(actions_[a].interaction.className) | ~kAnyLocalisable;
        if (object.type.empty() || !(kindOfType(object.type) & object.kinds))
            object.type = typeOfKinds(object.kinds & kAnyLocalisable ? object.kinds : kAnyLocalisable);
    }
}

RecognisedScene SceneAssembly::build() const
{
    RecognisedScene scene;
    scene.localised = localised_;
    scene.synchronised = synchronised_;
    std::vector<std::pair<std::size_t, std::size_t>> place(actions_.size());
    for (std::size_t o = 0; o < objects_.size(); ++o)
        for (std::size_t k = 0; k < objects_[o].actions.size(); ++k)
            place[objects_[o].actions[k]] = {o, k};
    for (std::size_t o = 0; o < objects_.size(); ++o) {
        const Object& object = objects_[o];
        RecognisedObject out;
        out.type = object.type;
        out.name = object.name;
        out.id = object.id;
        out.fields = object.fields;
        if (object.physicalModel)
            out.records.emplace_back("pm", *object.physicalModel);
        for (std::size_t a : object.actions) {
            RecognisedInteraction interaction = actions_[a].interaction;
            interaction.fields.erase(std::remove_if(interaction.fields.begin(), interaction.fields.end(),
                                                    [](const auto& entry) { return entry.first == "divbit"; }),
                                     interaction.fields.end());
            out.actions.push_back(std::move(interaction));
        }
        for (std::size_t t : object.triggers) {
            RecognisedTrigger trigger;
            trigger.interaction = triggers_[t].interaction;
            for (std::size_t a : triggers_[t].actions)
                trigger.actions.push_back({place[a].first, place[a].second});
            out.triggers.push_back(std::move(trigger));
        }
        if (o == 0) {
            if (!welcomeLines_.empty()) {
                std::string message;
                for (std::size_t k = 0; k < welcomeLines_.size(); ++k)
                    message += (k > 0 ? "\n" : "") + welcomeLines_[k];
                // A last empty line needs a line end of its own.
                if (welcomeLines_.back().empty())
                    message += "\n";
                out.fields.emplace_back("welcomeMessage", std::optional<std::string>(message));
                out.fields.emplace_back("welcomeEnabled", true);
            }
            for (const auto& [key, fields] : worldRecords_) {
                out.fields.emplace_back(key + "Enabled", true);
                out.records.emplace_back(key, fields);
            }
            out.sounds = sounds_;
        }
        scene.objects.push_back(std::move(out));
    }
    return scene;
}

} // namespace scenewright::core::script

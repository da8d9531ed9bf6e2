#include "scenewright/core/SceneCheck.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/ScriptedObject.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace scenewright::core {

using action::AtmoAction;
using action::AtmoInteraction;
using action::FieldValue;

namespace {

bool isEmpty(const FieldValue& value)
{
    if (const auto* text = std::get_if<std::optional<std::string>>(&value))
        return !*text || text->value().empty();
    if (const auto* list = std::get_if<std::vector<std::string>>(&value))
        return list->empty();
    return false;
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string nameOf(const AtmoInteraction& interaction)
{
    return quoted(script::ScriptText::orNull(interaction.getName()));
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

// Whether the text is written like a number (an optional minus, then digits)
// without being one the script can use as an index, as "007" or a number
// beyond int range: such a text is looked up as a name, not as an index.
bool looksLikeIndexButIsNot(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return !script::ScriptText::isIntegerName(text);
}

// What a user object's name must be for the world's lookup to find it.
void checkName(const IAtmoObject& object, std::vector<std::string>& found)
{
    const std::string& name = object.getName();
    if (std::all_of(name.begin(), name.end(), isBlank)) {
        found.push_back("The name is empty.");
        return;
    }
    if (hasControlCharacter(name))
        found.push_back("The name " + quoted(name) + " holds a line break or another control character.");
    if (isBlank(name.front()) || isBlank(name.back()))
        found.push_back("The name " + quoted(name) + " starts or ends with a blank; the world's object will not be found by it.");
    if (object.getType() == IAtmoObject::TYPE_SOLIDOBJECT && looksLikeIndexButIsNot(name))
        found.push_back("The name " + quoted(name) + " looks like an index but is looked up as a name.");

    if (const auto* primitive = dynamic_cast<const PrimitiveObj*>(&object)) {
        const auto& index = primitive->solidObjectIndex;
        if (!index || std::all_of(index->begin(), index->end(), isBlank))
            found.push_back("The solid object index or name is empty.");
        else if (looksLikeIndexButIsNot(*index))
            found.push_back("The solid object index " + quoted(*index) + " looks like an index but is looked up as a name.");
    }
}

// What the world's lookup finds the object by: its type, its name and, for a
// primitive, the solid object it sits in.
std::string worldAddress(const IAtmoObject& object)
{
    std::string address = object.getType() + '\n' + object.getName();
    if (const auto* primitive = dynamic_cast<const PrimitiveObj*>(&object))
        address += '\n' + script::ScriptText::orNull(primitive->solidObjectIndex);
    return address;
}

bool isLocalisable(const IAtmoObject& object)
{
    const std::string& type = object.getType();
    return type == IAtmoObject::TYPE_PRIMITIVE || type == IAtmoObject::TYPE_SOLIDOBJECT
        || type == IAtmoObject::TYPE_VIEWPOINT;
}

// The active actions of the whole scene that an active trigger fires.
std::set<const AtmoAction*> firedActions(const std::vector<std::shared_ptr<IAtmoObject>>& objects)
{
    std::set<const AtmoAction*> fired;
    for (const auto& object : objects)
        for (const auto& trigger : object->getAtmoTriggerListData())
            if (trigger->getActive())
                for (const auto& action : trigger->getActionList())
                    fired.insert(action.get());
    return fired;
}

void checkTriggers(const IAtmoObject& object, std::vector<std::string>& found)
{
    for (const auto& trigger : object.getAtmoTriggerListData()) {
        if (!trigger->getActive())
            continue;
        const auto& actions = trigger->getActionList();
        if (actions.empty())
            found.push_back("The trigger " + nameOf(*trigger) + " has no actions.");
        else if (std::none_of(actions.begin(), actions.end(), [](const auto& action) { return action->getActive(); }))
            found.push_back("The trigger " + nameOf(*trigger) + " fires no active action.");
    }
}

void checkActions(const IAtmoObject& object, const std::set<const AtmoAction*>& fired, std::vector<std::string>& found)
{
    for (const auto& action : object.getAtmoActionListData()) {
        if (!action->getActive())
            continue;
        const std::string name = nameOf(*action);
        if (!action->allowedForAtmoObject(&object))
            found.push_back("The action " + name + " is not allowed for an object of type " + object.getType() + ".");
        if (!fired.count(action.get()))
            found.push_back("The action " + name + " is active, but no active trigger fires it.");
        // A page to pop up, a world to go to, a sound file, textures: without
        // them the action's script does nothing useful.
        for (const auto& field : action->fieldTable().fields())
            if (!field.requiredAs.empty() && isEmpty(field.read(*action)))
                found.push_back("The action " + name + " has no " + field.requiredAs + ".");
    }
}

// The objects a trigger's code cannot reach in a localised script. There
// every primitive, solid object and viewpoint object is "this", which trigger
// code reaches only as its own object's "this.localisedparent"; inside the
// chat's handler, where synchronised triggers run their actions, "this" is
// the chat. An anchor tour is declared on "this" but started through the
// global name of a model or the actor, so it is never found.
void checkReach(const IAtmoObject& object, bool synchronised, std::vector<std::string>& found)
{
    for (const auto& trigger : object.getAtmoTriggerListData()) {
        if (!trigger->getActive())
            continue;
        const bool inChatHandler = synchronised && trigger->usesSynch;
        const bool waitsForOwners = dynamic_cast<const action::WorldFirstLoadsTrigger*>(trigger.get()) != nullptr;
        // Each object once, the localised reason before the synchronised one.
        std::vector<std::pair<const IAtmoObject*, bool>> unreachable;
        auto note = [&unreachable](const IAtmoObject* owner, bool onlyInChatHandler) {
            for (auto& listed : unreachable) {
                if (listed.first == owner) {
                    listed.second = listed.second && onlyInChatHandler;
                    return;
                }
            }
            unreachable.emplace_back(owner, onlyInChatHandler);
        };
        for (const auto& action : trigger->getActionList()) {
            const IAtmoObject* owner = action ? action->getOwnerObject() : nullptr;
            if (!owner)
                continue;
            const bool other = owner != &object;
            // The first-load trigger waits for every action's owner but solid objects.
            if (waitsForOwners && other && isLocalisable(*owner) && !dynamic_cast<const SolidObjectObj*>(owner))
                note(owner, false);
            if (!action->getActive() || !action->namesOwner())
                continue;
            const auto* move = dynamic_cast<const action::MovePositionAction*>(action.get());
            if (isLocalisable(*owner) ? other : move && move->toursAnchors())
                note(owner, false);
            else if (inChatHandler && isLocalisable(*owner))
                note(owner, true);
        }
        for (const auto& [owner, onlyInChatHandler] : unreachable)
            found.push_back("The trigger " + nameOf(*trigger) + " cannot reach " + owner->getDisplayName()
                            + (onlyInChatHandler ? " in a localised and synchronised script; use a global script "
                                                   "or switch synchronisation off."
                                                 : " in a localised script; use a global script."));
    }
}

void checkSounds(const IAtmoObject& object, std::vector<std::string>& found)
{
    const auto* world = dynamic_cast<const World*>(&object);
    if (!world)
        return;
    for (const auto& sound : world->getSoundList())
        if (!sound->filename || sound->filename->empty())
            found.push_back("The sound " + sound->toString() + " has no file name.");
}

} // namespace

std::vector<SceneCheck::Problem> SceneCheck::check(const std::vector<std::shared_ptr<IAtmoObject>>& objects,
                                                   bool localised, bool synchronised)
{
    const std::set<const AtmoAction*> fired = firedActions(objects);
    std::vector<Problem> problems;
    for (std::size_t index = 0; index < objects.size(); ++index) {
        const IAtmoObject& object = *objects[index];
        std::vector<std::string> found;

        // Only the objects the user names are looked up by name; the world
        // and the actor are always there.
        if (dynamic_cast<const ScriptedObject*>(&object)) {
            checkName(object, found);
            const std::string address = worldAddress(object);
            for (std::size_t earlier = 0; earlier < index; ++earlier) {
                if (dynamic_cast<const ScriptedObject*>(objects[earlier].get())
                    && worldAddress(*objects[earlier]) == address) {
                    found.push_back("The name clashes with " + objects[earlier]->getDisplayName()
                                    + ": both stand for the same thing in the world.");
                    break;
                }
            }
            // A localised script reaches the one object it is attached to
            // through "this": a second such object would share the name.
            if (localised && isLocalisable(object)) {
                for (std::size_t earlier = 0; earlier < index; ++earlier) {
                    if (isLocalisable(*objects[earlier])) {
                        found.push_back("The script is localised, so this object and "
                                        + objects[earlier]->getDisplayName() + " are both scripted as \"this\".");
                        break;
                    }
                }
            }
        }
        checkTriggers(object, found);
        if (localised)
            checkReach(object, synchronised, found);
        checkActions(object, fired, found);
        checkSounds(object, found);

        for (std::string& text : found)
            problems.push_back({objects[index], static_cast<int>(index), std::move(text)});
    }
    return problems;
}

std::vector<SceneCheck::Problem> SceneCheck::unreachable(const std::vector<std::shared_ptr<IAtmoObject>>& objects,
                                                         bool localised, bool synchronised)
{
    std::vector<Problem> problems;
    if (!localised)
        return problems;
    for (std::size_t index = 0; index < objects.size(); ++index) {
        std::vector<std::string> found;
        checkReach(*objects[index], synchronised, found);
        for (std::string& text : found)
            problems.push_back({objects[index], static_cast<int>(index), std::move(text)});
    }
    return problems;
}

} // namespace scenewright::core

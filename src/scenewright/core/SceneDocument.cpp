#include "scenewright/core/SceneDocument.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ISceneHistory.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/ObjectKind.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"
#include "scenewright/core/io/FileReader.h"
#include "scenewright/core/io/ProjectFileReader.h"
#include "scenewright/core/io/ProjectFileWriter.h"
#include "scenewright/core/io/SaveFile.h"
#include "scenewright/core/script/ScriptNaming.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <typeinfo>
#include <utility>

namespace scenewright::core {

using Kind = DocumentChange::Kind;

SceneDocument::SceneDocument(IdCounter& ids) : ids_(ids)
{
    objects_.reserve(40);
}

std::shared_ptr<SceneDocument> SceneDocument::createDefault(IdCounter& ids)
{
    auto document = std::make_shared<SceneDocument>(ids);
    document->appendObject(std::make_shared<World>());
    document->appendObject(std::make_shared<Actor>(ids));
    return document;
}

std::shared_ptr<SceneDocument> SceneDocument::open(const std::string& path, IdCounter& ids, std::string& error)
{
    std::optional<std::string> text = io::FileReader::read(path, error);
    if (!text)
        return nullptr;
    // Files of older saves are empty: they open as the default project.
    if (text->empty()) {
        try {
            return createDefault(ids);
        } catch (const IdsExhausted& exhausted) {
            error = path + ": " + exhausted.what();
            return nullptr;
        }
    }
    std::optional<io::LoadedProject> loaded = io::ProjectFileReader::read(*text, path, ids, error);
    if (!loaded)
        return nullptr;
    return loaded->toDocument(ids);
}

int SceneDocument::indexOf(const IAtmoObject* object) const
{
    for (std::size_t i = 0; i < objects_.size(); ++i)
        if (objects_[i].get() == object)
            return static_cast<int>(i);
    return -1;
}

std::shared_ptr<World> SceneDocument::world() const
{
    return objects_.empty() ? nullptr : std::dynamic_pointer_cast<World>(objects_[0]);
}

std::shared_ptr<Actor> SceneDocument::actor() const
{
    return objects_.size() < 2 ? nullptr : std::dynamic_pointer_cast<Actor>(objects_[1]);
}

void SceneDocument::setState(int state)
{
    state_ = state;
    notify({Kind::SavedStateChanged});
}

std::optional<std::string> SceneDocument::save(io::FileOperations& operations)
{
    std::cout << "Saving project to " << fileLocation_.value_or("null") << std::endl;
    if (!fileLocation_)
        return std::string("Cannot save the project: it has no file location");

    const std::string text = io::ProjectFileWriter::write(name_, localiseScript_, objects_);
    io::SaveFile file(*fileLocation_, operations);
    if (!file.save(text)) {
        std::cerr << file.errorString() << "\n";
        return file.errorString();
    }
    // Whoever saved tells the views, once it has done the rest of its work.
    state_ = STATE_SAVED;
    return std::nullopt;
}

void SceneDocument::nameObjects()
{
    script::ScriptNaming::nameObjects(objects_, ids_);
}

void SceneDocument::changed(const DocumentChange& change)
{
    setState(STATE_UNSAVED);
    notify(change);
}

void SceneDocument::notify(const DocumentChange& change)
{
    // A copy, so a listener may add or remove listeners while being called.
    const auto listeners = listeners_;
    for (const auto& [handle, listener] : listeners)
        listener(change);
}

SceneDocument::Step::Step(SceneDocument& document, std::string text) : document_(document)
{
    if (document_.openSteps_++ == 0)
        document_.stepText_ = std::move(text);
}

SceneDocument::Step::~Step()
{
    document_.endStep();
}

SceneDocument::Step SceneDocument::step(std::string text)
{
    return Step(*this, std::move(text));
}

void SceneDocument::endStep()
{
    if (--openSteps_ > 0 || stepChanges_.empty())
        return;
    std::vector<SceneChange> changes;
    changes.swap(stepChanges_);
    if (history_)
        history_->record(SceneChange::group(stepText_, std::move(changes)));
}

void SceneDocument::record(SceneChange change, const DocumentChange& what)
{
    change.setTouched({what});
    if (!history_)
        return;
    if (openSteps_ > 0)
        stepChanges_.push_back(std::move(change));
    else
        history_->record(std::move(change));
}

void SceneDocument::undo(const SceneChange& change)
{
    change.undo();
    setState(STATE_UNSAVED);
    // Undoing an addition removes, undoing a removal adds; the rest is told
    // as it was.
    for (auto touched = change.touched().rbegin(); touched != change.touched().rend(); ++touched) {
        DocumentChange told = *touched;
        if (told.kind == Kind::ObjectAdded)
            told.kind = Kind::ObjectRemoved;
        else if (told.kind == Kind::ObjectRemoved)
            told.kind = Kind::ObjectAdded;
        notify(told);
    }
}

void SceneDocument::redo(const SceneChange& change)
{
    change.redo();
    setState(STATE_UNSAVED);
    for (const DocumentChange& told : change.touched())
        notify(told);
}

int SceneDocument::addChangeListener(ChangeListener listener)
{
    const int handle = nextListenerHandle_++;
    listeners_.emplace(handle, std::move(listener));
    return handle;
}

void SceneDocument::removeChangeListener(int handle)
{
    listeners_.erase(handle);
}

namespace {

// A trigger's action list as it stood, to put back in place: the list may be
// shared with the trigger's clones, which get their references back with it.
struct HeldActionList {
    std::shared_ptr<action::AtmoTrigger> trigger;
    action::AtmoTrigger::ActionList actions;

    void restore() const
    {
        trigger->clearActions();
        for (const auto& action : actions)
            trigger->addAction(action);
    }
};

// The triggers of the other listed objects that refer to an action of the
// object about to be removed, with their lists as they are.
std::vector<HeldActionList> referencesTo(const std::vector<SceneDocument::ObjectPtr>& objects,
                                         const IAtmoObject& removed)
{
    const auto& pool = removed.getAtmoActionListData();
    auto inPool = [&pool](const std::shared_ptr<action::AtmoAction>& action) {
        return std::find(pool.begin(), pool.end(), action) != pool.end();
    };
    std::vector<HeldActionList> held;
    for (const auto& object : objects) {
        if (object.get() == &removed)
            continue;
        for (const auto& trigger : object->getAtmoTriggerListData()) {
            const auto& actions = trigger->getActionList();
            if (std::any_of(actions.begin(), actions.end(), inPool))
                held.push_back({trigger, actions});
        }
    }
    return held;
}

// A change that sets a value through `apply`: undo applies the value before,
// redo the value after.
template <class T, class ApplyValue>
SceneChange valueChange(std::string text, T before, T after, ApplyValue apply, std::string mergeKey = {})
{
    return SceneChange(
        std::move(text), [apply, before] { apply(before); }, [apply, after] { apply(after); }, std::move(mergeKey));
}

// Names one control's changes of one thing, for merging.
std::string mergeKeyOf(std::string_view control, const void* target)
{
    if (control.empty())
        return {};
    return std::string(control) + "@" + std::to_string(reinterpret_cast<std::uintptr_t>(target));
}

} // namespace

void SceneDocument::insertObject(int index, ObjectPtr object)
{
    objects_.insert(objects_.begin() + index, std::move(object));
}

void SceneDocument::removeObjectAt(int index)
{
    ObjectPtr removed = objects_.at(index);
    objects_.erase(objects_.begin() + index);
    for (const auto& action : removed->getAtmoActionListData())
        for (const auto& object : objects_)
            object->removeActionReferences(action.get());
}

DocumentChange SceneDocument::interactionChange(const action::AtmoInteraction& interaction) const
{
    const IAtmoObject* object = nullptr;
    if (const auto* trigger = dynamic_cast<const action::AtmoTrigger*>(&interaction))
        object = trigger->getTriggerObject();
    else if (const auto* action = dynamic_cast<const action::AtmoAction*>(&interaction))
        object = action->getOwnerObject();
    return {Kind::InteractionChanged, object};
}

std::shared_ptr<AtmoObject> SceneDocument::addObject(const std::string& name, const std::string& type)
{
    // A type text of no kind makes a solid object under that type.
    const ObjectKind* kind = ObjectKind::find(type);
    std::shared_ptr<AtmoObject> object = (kind ? *kind : ObjectKind::all().back()).make();
    object->setName(name);
    object->setType(type);
    // The object is offered every standard interaction as soon as it shows.
    ids_.passCatalogueNumbers();
    if (!ids_.hasLeft(numbersToAttach(*object)))
        throw IdsExhausted();
    const int index = objectCount();
    appendObject(object);
    const DocumentChange what{Kind::ObjectAdded, object.get(), index};
    record(SceneChange(
               "Add Object", [this, index] { removeObjectAt(index); },
               [this, index, object] { insertObject(index, object); }),
           what);
    changed(what);
    return object;
}

bool SceneDocument::removeObject(int index)
{
    if (index < 0 || index >= objectCount())
        return false;
    const ObjectPtr object = objects_[index];
    if (typeid(*object) == typeid(World) || typeid(*object) == typeid(Actor))
        return false;
    std::vector<HeldActionList> references = referencesTo(objects_, *object);
    removeObjectAt(index);
    const DocumentChange what{Kind::ObjectRemoved, object.get(), index};
    record(SceneChange(
               "Remove Object",
               [this, index, object, references] {
                   insertObject(index, object);
                   for (const HeldActionList& held : references)
                       held.restore();
               },
               [this, index] { removeObjectAt(index); }),
           what);
    changed(what);
    return true;
}

void SceneDocument::renameObject(IAtmoObject& object, std::string name)
{
    // A name given back unchanged is not retyped: "./door" stays as it is.
    if (name == object.getName())
        return;
    const std::string before = object.getName();
    object.setName(std::move(name));
    const DocumentChange what{Kind::ObjectRenamed, &object};
    record(valueChange("Rename Object", before, object.getName(),
                       [target = &object](const std::string& value) { target->restoreName(value); }),
           what);
    changed(what);
}

void SceneDocument::setSolidObjectIndex(PrimitiveObj& primitive, std::optional<std::string> index)
{
    std::optional<std::string> before = primitive.solidObjectIndex;
    primitive.solidObjectIndex = std::move(index);
    const DocumentChange what{Kind::ObjectChanged, &primitive};
    record(valueChange(
               "Set Solid Object Index", std::move(before), primitive.solidObjectIndex,
               [target = &primitive](const std::optional<std::string>& value) { target->solidObjectIndex = value; }),
           what);
    changed(what);
}

void SceneDocument::setPhysicalModel(IAtmoObject& object, PhysicalModel& model, const PhysicalModel& values,
                                     std::string_view control)
{
    const PhysicalModel before = model;
    model = values;
    const DocumentChange what{Kind::ObjectChanged, &object};
    record(valueChange(
               "Change Physical Properties", before, values,
               [target = &model](const PhysicalModel& value) { *target = value; }, mergeKeyOf(control, &model)),
           what);
    changed(what);
}

void SceneDocument::copyInteractions(const IAtmoObject& source, IAtmoObject& target)
{
    auto actions = std::make_shared<std::vector<IAtmoObject::ActionPtr>>(target.getAtmoActionListData());
    auto triggers = std::make_shared<std::vector<IAtmoObject::TriggerPtr>>(target.getAtmoTriggerListData());
    target.copy(source, ids_);
    // Undo and redo both exchange the held lists with the object's, so redo
    // puts back the very clones the copy made, with the numbers they took.
    auto exchange = [object = &target, actions, triggers] { object->swapInteractions(*actions, *triggers); };
    const DocumentChange what{Kind::ObjectChanged, &target};
    record(SceneChange("Copy Triggers and Actions", exchange, exchange), what);
    changed(what);
}

long long SceneDocument::numbersToAttach(const IAtmoObject& object) const
{
    long long count = 0;
    for (int i = 0; i < catalogue_.getStandardActionSize(); ++i) {
        const auto& prototype = *catalogue_.getStandardAction(i);
        if (!object.getAtmoAction(typeid(prototype)))
            count += static_cast<long long>(prototype.numbers().size());
    }
    for (int i = 0; i < catalogue_.getTriggersSize(); ++i) {
        const auto& prototype = *catalogue_.getTrigger(i);
        if (!object.getAtmoTrigger(typeid(prototype)))
            count += static_cast<long long>(prototype.numbers().size());
    }
    return count;
}

bool SceneDocument::attachStandardInteractions(IAtmoObject& object)
{
    ids_.passCatalogueNumbers();
    if (!ids_.hasLeft(numbersToAttach(object)))
        return false;
    for (int i = 0; i < catalogue_.getStandardActionSize(); ++i) {
        const auto& prototype = *catalogue_.getStandardAction(i);
        if (object.getAtmoAction(typeid(prototype)))
            continue;
        // The instance is made before the question is asked: making it takes
        // counter numbers, and generated names depend on that order.
        auto action = prototype.newInstance(&object, ids_);
        if (action->allowedForAtmoObject(&object))
            object.addAtmoAction(std::move(action));
    }
    for (int i = 0; i < catalogue_.getTriggersSize(); ++i) {
        const auto& prototype = *catalogue_.getTrigger(i);
        if (!object.getAtmoTrigger(typeid(prototype)))
            object.addAtmoTrigger(prototype.newInstance(&object, ids_));
    }
    return true;
}

void SceneDocument::setActive(action::AtmoInteraction& interaction, bool active)
{
    const bool before = interaction.getActive();
    interaction.setActive(active);
    const DocumentChange what = interactionChange(interaction);
    record(valueChange(active ? "Activate" : "Deactivate", before, active,
                       [target = &interaction](bool value) { target->setActive(value); }),
           what);
    changed(what);
}

void SceneDocument::storeField(action::AtmoInteraction& interaction, const action::FieldTable::Field& field,
                               action::FieldValue value)
{
    action::FieldValue before = field.read(interaction);
    field.write(interaction, value);
    // The tables live as long as the program, so the step keeps the field.
    record(valueChange("Set Field", std::move(before), std::move(value),
                       [target = &interaction, &field](const action::FieldValue& stored) {
                           field.write(*target, stored);
                       }),
           interactionChange(interaction));
}

std::optional<std::string> SceneDocument::setFieldText(action::AtmoInteraction& interaction, std::string_view field,
                                                       std::string_view text)
{
    const TypedField one[] = {{field, text}};
    return setFieldTexts(interaction, one);
}

std::optional<std::string> SceneDocument::setFieldTexts(action::AtmoInteraction& interaction,
                                                        std::span<const TypedField> fieldTexts)
{
    std::vector<std::pair<const action::FieldTable::Field*, action::FieldValue>> accepted;
    accepted.reserve(fieldTexts.size());
    for (const auto& [field, text] : fieldTexts) {
        const action::FieldTable::Field* found = interaction.field(field);
        if (!found)
            continue;
        action::ParsedField parsed = found->parse(text);
        if (parsed.refusal)
            return parsed.refusal;
        if (std::holds_alternative<std::monostate>(parsed.value)) {
            std::cerr << "scenewright: field '" << field << "' of " << interaction.className()
                      << " cannot be set from text\n";
            continue;
        }
        accepted.emplace_back(found, std::move(parsed.value));
    }
    for (auto& [field, value] : accepted) {
        storeField(interaction, *field, std::move(value));
        changed(interactionChange(interaction));
    }
    return std::nullopt;
}

void SceneDocument::setField(action::AtmoInteraction& interaction, std::string_view field, std::string_view text)
{
    if (const auto refusal = setFieldText(interaction, field, text))
        throw std::invalid_argument(*refusal);
}

void SceneDocument::setField(action::AtmoInteraction& interaction, std::string_view field, bool value)
{
    setFieldValue(interaction, field, value);
}

bool SceneDocument::setFieldValue(action::AtmoInteraction& interaction, std::string_view field,
                                  const action::FieldValue& value)
{
    const action::FieldTable::Field* found = interaction.field(field);
    if (!found)
        return false;
    if (!found->accepts(value)) {
        std::cerr << "scenewright: field '" << field << "' of " << interaction.className()
                  << " takes a value of type " << action::fieldTypeName(found->type) << "\n";
        return false;
    }
    storeField(interaction, *found, value);
    changed(interactionChange(interaction));
    return true;
}

void SceneDocument::setTriggerActions(action::AtmoTrigger& trigger,
                                      std::vector<std::shared_ptr<action::AtmoAction>> actions)
{
    const auto before = trigger.sharedActionList();
    // A cloned trigger may share its list with its source; a new list keeps
    // the source as it is.
    trigger.setActionList(std::make_shared<action::AtmoTrigger::ActionList>(std::move(actions)));
    const DocumentChange what = interactionChange(trigger);
    record(valueChange("Set Trigger Actions", before, trigger.sharedActionList(),
                       [target = &trigger](const std::shared_ptr<action::AtmoTrigger::ActionList>& list) {
                           target->setActionList(list);
                       }),
           what);
    changed(what);
}

void SceneDocument::setWelcomeMessage(World& world, std::optional<std::string> message)
{
    std::optional<std::string> before = world.getWelcomeMessage();
    world.setWelcomeMessage(std::move(message));
    const DocumentChange what{Kind::WorldChanged, &world};
    record(
        valueChange("Set Welcome Message", std::move(before), world.getWelcomeMessage(),
                    [target = &world](const std::optional<std::string>& value) { target->setWelcomeMessage(value); }),
        what);
    changed(what);
}

void SceneDocument::setWelcomeEnabled(World& world, bool enabled)
{
    const bool before = world.getWelcomeEnabled();
    world.setWelcomeEnabled(enabled);
    const DocumentChange what{Kind::WorldChanged, &world};
    record(valueChange("Switch Welcome Message", before, enabled,
                       [target = &world](bool value) { target->setWelcomeEnabled(value); }),
           what);
    changed(what);
}

void SceneDocument::setFogEnabled(World& world, bool enabled)
{
    const bool before = world.getFogEnabled();
    world.setFogEnabled(enabled);
    const DocumentChange what{Kind::WorldChanged, &world};
    record(valueChange("Switch Fog", before, enabled, [target = &world](bool value) { target->setFogEnabled(value); }),
           what);
    changed(what);
}

void SceneDocument::setGlareEnabled(World& world, bool enabled)
{
    const bool before = world.getGlareEnabled();
    world.setGlareEnabled(enabled);
    const DocumentChange what{Kind::WorldChanged, &world};
    record(
        valueChange("Switch Glare", before, enabled, [target = &world](bool value) { target->setGlareEnabled(value); }),
        what);
    changed(what);
}

void SceneDocument::setFog(World& world, const World::Fog& fog)
{
    const World::Fog before = world.getFog();
    world.getFog() = fog;
    const DocumentChange what{Kind::WorldChanged, &world};
    record(valueChange("Change Fog", before, fog,
                       [target = &world](const World::Fog& value) { target->getFog() = value; }),
           what);
    changed(what);
}

void SceneDocument::setGlare(World& world, const World::Glare& glare)
{
    const World::Glare before = world.getGlare();
    world.getGlare() = glare;
    const DocumentChange what{Kind::WorldChanged, &world};
    record(valueChange("Change Glare", before, glare,
                       [target = &world](const World::Glare& value) { target->getGlare() = value; }),
           what);
    changed(what);
}

void SceneDocument::addSound(World& world, World::SoundPtr sound)
{
    const int index = world.getSoundSize();
    world.addSound(sound);
    const DocumentChange what{Kind::WorldChanged, &world};
    // A sound listed already (by its id) is not added again.
    if (world.getSoundSize() > index)
        record(SceneChange(
                   "Add Sound", [target = &world, index] { target->removeSound(index); },
                   [target = &world, index, sound] { target->insertSound(index, sound); }),
               what);
    changed(what);
}

void SceneDocument::setSound(World& world, script::Sounds& sound, const script::Sounds& values)
{
    const script::Sounds before = sound;
    const int id = sound.id;
    sound = values;
    sound.id = id;
    const DocumentChange what{Kind::WorldChanged, &world};
    record(
        valueChange("Change Sound", before, sound, [target = &sound](const script::Sounds& value) { *target = value; }),
        what);
    changed(what);
}

void SceneDocument::removeSound(World& world, int index)
{
    if (index < 0 || index >= world.getSoundSize())
        return;
    World::SoundPtr sound = world.getSound(index);
    world.removeSound(index);
    const DocumentChange what{Kind::WorldChanged, &world};
    record(SceneChange(
               "Remove Sound", [target = &world, index, sound] { target->insertSound(index, sound); },
               [target = &world, index] { target->removeSound(index); }),
           what);
    changed(what);
}

void SceneDocument::setLocaliseScript(bool localise)
{
    const bool before = localiseScript_;
    localiseScript_ = localise;
    const DocumentChange what{Kind::FlagsChanged};
    record(valueChange("Choose Script Scope", before, localise, [this](bool value) { localiseScript_ = value; }), what);
    changed(what);
}

} // namespace scenewright::core

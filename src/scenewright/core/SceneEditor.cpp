#include "scenewright/core/SceneEditor.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ISceneHistory.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/InteractionManager.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/PrimitiveObj.h"
#include "scenewright/core/Project.h"
#include "scenewright/core/ProjectManager.h"
#include "scenewright/core/SolidObjectObj.h"
#include "scenewright/core/ViewpointObj.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"

#include <algorithm>
#include <cstdint>
#include <typeinfo>
#include <utility>

namespace scenewright::core {

SceneEditor& SceneEditor::getInstance()
{
    static SceneEditor editor;
    return editor;
}

void SceneEditor::markChanged()
{
    if (const auto& project = ProjectManager::getInstance().getCurrentProject())
        project->setState(Project::STATE_UNSAVED);
    // A copy, so a listener may add or remove listeners while being called.
    const auto listeners = listeners_;
    for (const auto& [handle, listener] : listeners)
        listener();
}

SceneEditor::Step::Step(SceneEditor& editor, std::string text) : editor_(editor)
{
    if (editor_.openSteps_++ == 0)
        editor_.stepText_ = std::move(text);
}

SceneEditor::Step::~Step()
{
    editor_.endStep();
}

SceneEditor::Step SceneEditor::step(std::string text)
{
    return Step(*this, std::move(text));
}

void SceneEditor::endStep()
{
    if (--openSteps_ > 0 || stepChanges_.empty())
        return;
    std::vector<SceneChange> changes;
    changes.swap(stepChanges_);
    if (history_)
        history_->record(SceneChange::group(stepText_, std::move(changes)));
}

void SceneEditor::record(SceneChange change)
{
    if (!history_)
        return;
    if (openSteps_ > 0)
        stepChanges_.push_back(std::move(change));
    else
        history_->record(std::move(change));
}

void SceneEditor::undo(const SceneChange& change)
{
    change.undo();
    markChanged();
}

void SceneEditor::redo(const SceneChange& change)
{
    change.redo();
    markChanged();
}

int SceneEditor::addChangeListener(ChangeListener listener)
{
    const int handle = nextListenerHandle_++;
    listeners_.emplace(handle, std::move(listener));
    return handle;
}

void SceneEditor::removeChangeListener(int handle)
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
std::vector<HeldActionList> referencesTo(const IAtmoObject& removed)
{
    const auto& pool = removed.getAtmoActionListData();
    auto inPool = [&pool](const std::shared_ptr<action::AtmoAction>& action) {
        return std::find(pool.begin(), pool.end(), action) != pool.end();
    };
    std::vector<HeldActionList> held;
    for (const auto& object : ObjectManager::getInstance().getAtmoObjectListData()) {
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
        std::move(text), [apply, before] { apply(before); }, [apply, after] { apply(after); },
        std::move(mergeKey));
}

// Names one control's changes of one thing, for merging.
std::string mergeKeyOf(std::string_view control, const void* target)
{
    if (control.empty())
        return {};
    return std::string(control) + "@" + std::to_string(reinterpret_cast<std::uintptr_t>(target));
}

} // namespace

std::shared_ptr<AtmoObject> SceneEditor::addObject(const std::string& name, const std::string& type)
{
    std::shared_ptr<AtmoObject> object;
    if (type == IAtmoObject::TYPE_MODEL)
        object = std::make_shared<ModelObj>();
    else if (type == IAtmoObject::TYPE_PRIMITIVE)
        object = std::make_shared<PrimitiveObj>();
    else if (type == IAtmoObject::TYPE_VIEWPOINT)
        object = std::make_shared<ViewpointObj>();
    else
        object = std::make_shared<SolidObjectObj>();
    object->setName(name);
    object->setType(type);
    // The object is offered every standard interaction as soon as it shows.
    if (!ObjectManager::hasIdsLeft(numbersToAttach(*object)))
        throw IdsExhausted();
    ObjectManager& registry = ObjectManager::getInstance();
    const int index = registry.getAtmoObjectSize();
    registry.addAtmoObject(object);
    record(SceneChange(
        "Add Object", [index] { ObjectManager::getInstance().removeAtmoObject(index); },
        [index, object] { ObjectManager::getInstance().insertAtmoObject(index, object); }));
    markChanged();
    return object;
}

bool SceneEditor::removeObject(int index)
{
    ObjectManager& registry = ObjectManager::getInstance();
    if (index < 0 || index >= registry.getAtmoObjectSize())
        return false;
    const ObjectManager::ObjectPtr object = registry.getAtmoObject(index);
    if (typeid(*object) == typeid(World) || typeid(*object) == typeid(Actor))
        return false;
    std::vector<HeldActionList> references = referencesTo(*object);
    registry.removeAtmoObject(index);
    record(SceneChange(
        "Remove Object",
        [index, object, references] {
            ObjectManager::getInstance().insertAtmoObject(index, object);
            for (const HeldActionList& held : references)
                held.restore();
        },
        [index] { ObjectManager::getInstance().removeAtmoObject(index); }));
    markChanged();
    return true;
}

void SceneEditor::renameObject(IAtmoObject& object, std::string name)
{
    // A name given back unchanged is not retyped: "./door" stays as it is.
    if (name == object.getName())
        return;
    const std::string before = object.getName();
    object.setName(std::move(name));
    record(valueChange("Rename Object", before, object.getName(),
                       [target = &object](const std::string& value) { target->restoreName(value); }));
    markChanged();
}

void SceneEditor::setSolidObjectIndex(PrimitiveObj& primitive, std::optional<std::string> index)
{
    std::optional<std::string> before = primitive.solidObjectIndex;
    primitive.solidObjectIndex = std::move(index);
    record(valueChange("Set Solid Object Index", std::move(before), primitive.solidObjectIndex,
                       [target = &primitive](const std::optional<std::string>& value) {
                           target->solidObjectIndex = value;
                       }));
    markChanged();
}

void SceneEditor::setPhysicalModel(PhysicalModel& model, const PhysicalModel& values, std::string_view control)
{
    const PhysicalModel before = model;
    model = values;
    record(valueChange(
        "Change Physical Properties", before, values,
        [target = &model](const PhysicalModel& value) { *target = value; }, mergeKeyOf(control, &model)));
    markChanged();
}

void SceneEditor::copyInteractions(const IAtmoObject& source, IAtmoObject& target)
{
    auto actions = std::make_shared<std::vector<IAtmoObject::ActionPtr>>(target.getAtmoActionListData());
    auto triggers = std::make_shared<std::vector<IAtmoObject::TriggerPtr>>(target.getAtmoTriggerListData());
    target.copy(source);
    // Undo and redo both exchange the held lists with the object's, so redo
    // puts back the very clones the copy made, with the numbers they took.
    auto exchange = [object = &target, actions, triggers] { object->swapInteractions(*actions, *triggers); };
    record(SceneChange("Copy Triggers and Actions", exchange, exchange));
    markChanged();
}

long long SceneEditor::numbersToAttach(const IAtmoObject& object)
{
    const InteractionManager& interactions = InteractionManager::getInstance();
    long long count = 0;
    for (int i = 0; i < interactions.getStandardActionSize(); ++i) {
        const auto& prototype = *interactions.getStandardAction(i);
        if (!object.getAtmoAction(typeid(prototype)))
            count += static_cast<long long>(prototype.getIds().size());
    }
    for (int i = 0; i < interactions.getTriggersSize(); ++i) {
        const auto& prototype = *interactions.getTrigger(i);
        if (!object.getAtmoTrigger(typeid(prototype)))
            count += static_cast<long long>(prototype.getIds().size());
    }
    return count;
}

bool SceneEditor::attachStandardInteractions(IAtmoObject& object)
{
    if (!ObjectManager::hasIdsLeft(numbersToAttach(object)))
        return false;
    const InteractionManager& interactions = InteractionManager::getInstance();
    for (int i = 0; i < interactions.getStandardActionSize(); ++i) {
        const auto& prototype = *interactions.getStandardAction(i);
        if (object.getAtmoAction(typeid(prototype)))
            continue;
        // The instance is made before the question is asked: making it takes
        // counter numbers, and generated names depend on that order.
        auto action = prototype.newInstance(&object);
        if (action->allowedForAtmoObject(&object))
            object.addAtmoAction(std::move(action));
    }
    for (int i = 0; i < interactions.getTriggersSize(); ++i) {
        const auto& prototype = *interactions.getTrigger(i);
        if (!object.getAtmoTrigger(typeid(prototype)))
            object.addAtmoTrigger(prototype.newInstance(&object));
    }
    return true;
}

void SceneEditor::setActive(action::AtmoInteraction& interaction, bool active)
{
    const bool before = interaction.getActive();
    interaction.setActive(active);
    record(valueChange(active ? "Activate" : "Deactivate", before, active,
                       [target = &interaction](bool value) { target->setActive(value); }));
    markChanged();
}

template <class Store>
bool SceneEditor::storeField(action::AtmoInteraction& interaction, std::string_view field, Store store)
{
    // An unknown field is reported by the interaction and changes nothing.
    if (!interaction.getType(field))
        return store();
    action::FieldValue before = interaction.get(field);
    if (!store())
        return false;
    record(valueChange("Set Field", std::move(before), interaction.get(field),
                       [target = &interaction, name = std::string(field)](const action::FieldValue& value) {
                           target->setValue(name, value);
                       }));
    return true;
}

void SceneEditor::setField(action::AtmoInteraction& interaction, std::string_view field, std::string_view text)
{
    storeField(interaction, field, [&] {
        interaction.set(field, text);
        return true;
    });
    markChanged();
}

void SceneEditor::setField(action::AtmoInteraction& interaction, std::string_view field, bool value)
{
    storeField(interaction, field, [&] {
        interaction.set(field, value);
        return true;
    });
    markChanged();
}

bool SceneEditor::setFieldValue(action::AtmoInteraction& interaction, std::string_view field,
                                const action::FieldValue& value)
{
    if (!storeField(interaction, field, [&] { return interaction.setValue(field, value); }))
        return false;
    markChanged();
    return true;
}

void SceneEditor::setTriggerActions(action::AtmoTrigger& trigger,
                                    std::vector<std::shared_ptr<action::AtmoAction>> actions)
{
    const auto before = trigger.getSharedActionList();
    // A cloned trigger may share its list with its source; a new list keeps
    // the source as it is.
    trigger.setActionList(std::make_shared<action::AtmoTrigger::ActionList>(std::move(actions)));
    record(valueChange("Set Trigger Actions", before, trigger.getSharedActionList(),
                       [target = &trigger](const std::shared_ptr<action::AtmoTrigger::ActionList>& list) {
                           target->setActionList(list);
                       }));
    markChanged();
}

void SceneEditor::setWelcomeMessage(World& world, std::optional<std::string> message)
{
    std::optional<std::string> before = world.getWelcomeMessage();
    world.setWelcomeMessage(std::move(message));
    record(valueChange(
        "Set Welcome Message", std::move(before), world.getWelcomeMessage(),
        [target = &world](const std::optional<std::string>& value) { target->setWelcomeMessage(value); }));
    markChanged();
}

void SceneEditor::setWelcomeEnabled(World& world, bool enabled)
{
    const bool before = world.getWelcomeEnabled();
    world.setWelcomeEnabled(enabled);
    record(valueChange("Switch Welcome Message", before, enabled,
                       [target = &world](bool value) { target->setWelcomeEnabled(value); }));
    markChanged();
}

void SceneEditor::setFogEnabled(World& world, bool enabled)
{
    const bool before = world.getFogEnabled();
    world.setFogEnabled(enabled);
    record(valueChange("Switch Fog", before, enabled, [target = &world](bool value) { target->setFogEnabled(value); }));
    markChanged();
}

void SceneEditor::setGlareEnabled(World& world, bool enabled)
{
    const bool before = world.getGlareEnabled();
    world.setGlareEnabled(enabled);
    record(valueChange("Switch Glare", before, enabled,
                       [target = &world](bool value) { target->setGlareEnabled(value); }));
    markChanged();
}

void SceneEditor::setFog(World& world, const World::Fog& fog)
{
    const World::Fog before = world.getFog();
    world.getFog() = fog;
    record(valueChange("Change Fog", before, fog,
                       [target = &world](const World::Fog& value) { target->getFog() = value; }));
    markChanged();
}

void SceneEditor::setGlare(World& world, const World::Glare& glare)
{
    const World::Glare before = world.getGlare();
    world.getGlare() = glare;
    record(valueChange("Change Glare", before, glare,
                       [target = &world](const World::Glare& value) { target->getGlare() = value; }));
    markChanged();
}

void SceneEditor::addSound(World& world, World::SoundPtr sound)
{
    const int index = world.getSoundSize();
    world.addSound(sound);
    // A sound listed already (by its id) is not added again.
    if (world.getSoundSize() > index)
        record(SceneChange(
            "Add Sound", [target = &world, index] { target->removeSound(index); },
            [target = &world, index, sound] { target->insertSound(index, sound); }));
    markChanged();
}

void SceneEditor::setSound(script::Sounds& sound, const script::Sounds& values)
{
    const script::Sounds before = sound;
    const int id = sound.id;
    sound = values;
    sound.id = id;
    record(valueChange("Change Sound", before, sound,
                       [target = &sound](const script::Sounds& value) { *target = value; }));
    markChanged();
}

void SceneEditor::removeSound(World& world, int index)
{
    if (index < 0 || index >= world.getSoundSize())
        return;
    World::SoundPtr sound = world.getSound(index);
    world.removeSound(index);
    record(SceneChange(
        "Remove Sound", [target = &world, index, sound] { target->insertSound(index, sound); },
        [target = &world, index] { target->removeSound(index); }));
    markChanged();
}

void SceneEditor::setLocaliseScript(bool localise)
{
    const auto& project = ProjectManager::getInstance().getCurrentProject();
    if (!project)
        return;
    const bool before = project->getLocaliseScript();
    project->setLocaliseScript(localise);
    record(valueChange("Choose Script Scope", before, localise,
                       [target = project](bool value) { target->setLocaliseScript(value); }));
    markChanged();
}

} // namespace scenewright::core

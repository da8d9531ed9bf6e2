#include "scenewright/core/SceneEditor.h"

#include "scenewright/core/Actor.h"
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

#include <typeinfo>

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
    ObjectManager::getInstance().addAtmoObject(object);
    markChanged();
    return object;
}

bool SceneEditor::removeObject(int index)
{
    ObjectManager& registry = ObjectManager::getInstance();
    if (index < 0 || index >= registry.getAtmoObjectSize())
        return false;
    const IAtmoObject& object = *registry.getAtmoObject(index);
    if (typeid(object) == typeid(World) || typeid(object) == typeid(Actor))
        return false;
    registry.removeAtmoObject(index);
    markChanged();
    return true;
}

void SceneEditor::renameObject(IAtmoObject& object, std::string name)
{
    object.setName(std::move(name));
    markChanged();
}

void SceneEditor::setSolidObjectIndex(PrimitiveObj& primitive, std::optional<std::string> index)
{
    primitive.solidObjectIndex = std::move(index);
    markChanged();
}

void SceneEditor::setPhysicalModel(PhysicalModel& model, const PhysicalModel& values)
{
    model = values;
    markChanged();
}

void SceneEditor::copyInteractions(const IAtmoObject& source, IAtmoObject& target)
{
    target.copy(source);
    markChanged();
}

void SceneEditor::attachStandardInteractions(IAtmoObject& object)
{
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
}

void SceneEditor::setActive(action::AtmoInteraction& interaction, bool active)
{
    interaction.setActive(active);
    markChanged();
}

void SceneEditor::setField(action::AtmoInteraction& interaction, std::string_view field, std::string_view text)
{
    interaction.set(field, text);
    markChanged();
}

void SceneEditor::setField(action::AtmoInteraction& interaction, std::string_view field, bool value)
{
    interaction.set(field, value);
    markChanged();
}

bool SceneEditor::setFieldValue(action::AtmoInteraction& interaction, std::string_view field,
                                const action::FieldValue& value)
{
    if (!interaction.setValue(field, value))
        return false;
    markChanged();
    return true;
}

void SceneEditor::setTriggerActions(action::AtmoTrigger& trigger,
                                    std::vector<std::shared_ptr<action::AtmoAction>> actions)
{
    // A cloned trigger may share its list with its source; a new list keeps
    // the source as it is.
    trigger.setActionList(std::make_shared<action::AtmoTrigger::ActionList>(std::move(actions)));
    markChanged();
}

void SceneEditor::setWelcomeMessage(World& world, std::optional<std::string> message)
{
    world.setWelcomeMessage(std::move(message));
    markChanged();
}

void SceneEditor::setWelcomeEnabled(World& world, bool enabled)
{
    world.setWelcomeEnabled(enabled);
    markChanged();
}

void SceneEditor::setFogEnabled(World& world, bool enabled)
{
    world.setFogEnabled(enabled);
    markChanged();
}

void SceneEditor::setGlareEnabled(World& world, bool enabled)
{
    world.setGlareEnabled(enabled);
    markChanged();
}

void SceneEditor::setFog(World& world, const World::Fog& fog)
{
    world.getFog() = fog;
    markChanged();
}

void SceneEditor::setGlare(World& world, const World::Glare& glare)
{
    world.getGlare() = glare;
    markChanged();
}

void SceneEditor::addSound(World& world, World::SoundPtr sound)
{
    world.addSound(std::move(sound));
    markChanged();
}

void SceneEditor::setSound(script::Sounds& sound, const script::Sounds& values)
{
    const int id = sound.id;
    sound = values;
    sound.id = id;
    markChanged();
}

void SceneEditor::removeSound(World& world, int index)
{
    if (index < 0 || index >= world.getSoundSize())
        return;
    world.removeSound(index);
    markChanged();
}

void SceneEditor::setLocaliseScript(bool localise)
{
    const auto& project = ProjectManager::getInstance().getCurrentProject();
    if (!project)
        return;
    project->setLocaliseScript(localise);
    markChanged();
}

} // namespace scenewright::core

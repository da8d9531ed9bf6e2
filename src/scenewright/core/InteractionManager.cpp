#include "scenewright/core/InteractionManager.h"

#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/EmitSoundAction.h"
#include "scenewright/core/action/GotoNewWorldAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/OpacityAction.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/URLpopup.h"
#include "scenewright/core/action/ViewpointObjectAction.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"

#include <algorithm>
#include <exception>
#include <iostream>

namespace scenewright::core {

using namespace action;

std::unique_ptr<InteractionManager> InteractionManager::manager_;

InteractionManager::InteractionManager()
{
    // Each prototype is made in its own statement, so the counter numbers
    // are taken in exactly this order.
    standardActions_.push_back(std::make_shared<URLpopup>());
    standardActions_.push_back(std::make_shared<ChatPrintMessageAction>());
    standardActions_.push_back(std::make_shared<EmitSoundAction>());
    standardActions_.push_back(std::make_shared<GotoNewWorldAction>());
    standardActions_.push_back(std::make_shared<MovePositionAction>());
    standardActions_.push_back(std::make_shared<ConstantRotationAction>());
    standardActions_.push_back(std::make_shared<OpacityAction>());
    standardActions_.push_back(std::make_shared<ViewpointObjectAction>());
    standardActions_.push_back(std::make_shared<AnimateTextureAction>());

    triggers_.push_back(std::make_shared<OnclickTrigger>());
    triggers_.push_back(std::make_shared<ProximityTrigger>());
    triggers_.push_back(std::make_shared<WorldFirstLoadsTrigger>());
}

InteractionManager& InteractionManager::getInstance()
{
    if (!manager_)
        manager_.reset(new InteractionManager());
    return *manager_;
}

void InteractionManager::resetForTesting()
{
    manager_.reset();
}

const AtmoAction* InteractionManager::findStandardAction(std::string_view className) const
{
    for (const auto& prototype : standardActions_)
        if (prototype->className() == className)
            return prototype.get();
    return nullptr;
}

const AtmoTrigger* InteractionManager::findTrigger(std::string_view className) const
{
    for (const auto& prototype : triggers_)
        if (prototype->className() == className)
            return prototype.get();
    return nullptr;
}

void InteractionManager::addTrigger(TriggerPrototype trigger)
{
    triggers_.push_back(std::move(trigger));
}

void InteractionManager::removeTrigger(const AtmoTrigger* trigger)
{
    auto found = std::find_if(triggers_.begin(), triggers_.end(),
                              [trigger](const TriggerPrototype& listed) { return listed.get() == trigger; });
    if (found != triggers_.end())
        triggers_.erase(found);
}

void InteractionManager::registerGUIFor(const std::type_info& interactionClass, EditorFactory factory)
{
    editors_[std::type_index(interactionClass)] = std::move(factory);
}

void InteractionManager::registerGUIFor(const AtmoInteraction& interaction, EditorFactory factory)
{
    registerGUIFor(typeid(interaction), std::move(factory));
}

std::unique_ptr<IInteractionEditor> InteractionManager::getRegisteredGUIFor(const AtmoInteraction& interaction) const
{
    auto found = editors_.find(std::type_index(typeid(interaction)));
    if (found == editors_.end())
        return nullptr;
    try {
        return found->second();
    } catch (const std::exception& failure) {
        std::cerr << "scenewright: could not build the editor for " << interaction.className() << ": "
                  << failure.what() << "\n";
        return nullptr;
    }
}

} // namespace scenewright::core

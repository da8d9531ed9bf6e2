#pragma once

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/Project.h"
#include "scenewright/core/ProjectManager.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"

#include <memory>
#include <string>
#include <vector>

namespace scenewright::test {

// Small scenes for the action tests: a default project, objects with fixed
// global numbers, and actions fired by triggers.

// Makes a default project current, its script localised or not.
inline void startProject(bool localised)
{
    core::ProjectManager::getInstance().createDefaultProject()->setLocaliseScript(localised);
}

// An object of the kind with the name and global number (which gives it its
// script names), added to the registry.
template <class Kind>
std::shared_ptr<Kind> addObject(const std::string& name, int id)
{
    auto object = std::make_shared<Kind>();
    object->setName(name);
    object->setGlobalId(id);
    core::ObjectManager::getInstance().addAtmoObject(object);
    return object;
}

// Makes the action active, puts it in its owner's pool and has the owner's
// active trigger of the given kind (added when missing) fire it.
template <class Trigger>
void fire(const std::shared_ptr<core::action::AtmoAction>& action)
{
    core::IAtmoObject* owner = action->getOwnerObject();
    action->setActive(true);
    owner->addAtmoAction(action);
    auto trigger = owner->getAtmoTrigger(typeid(Trigger));
    if (!trigger) {
        trigger = std::make_shared<Trigger>(owner);
        trigger->setActive(true);
        owner->addAtmoTrigger(trigger);
    }
    trigger->addAction(action);
}

// Joins lines, each given without its line feed, into one text with a line
// feed after every line.
inline std::string lines(const std::vector<std::string>& each)
{
    std::string out;
    for (const std::string& line : each)
        out += line + "\n";
    return out;
}

} // namespace scenewright::test

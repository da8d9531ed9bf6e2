#include "scenewright/core/ObjectManager.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ProjectManager.h"
#include "scenewright/core/World.h"
#include "scenewright/core/script/ScriptGenerator.h"
#include "scenewright/core/script/ScriptNaming.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"

#include <algorithm>

namespace scenewright::core {

IdCounter ObjectManager::ids_;
int ObjectManager::placeholderScopes_ = 0;

ObjectManager::ObjectManager()
{
    list_.reserve(40);
}

ObjectManager& ObjectManager::getInstance()
{
    static ObjectManager manager;
    return manager;
}

int ObjectManager::nextid()
{
    if (placeholderScopes_ > 0)
        return kPlaceholderId;
    return ids_.next();
}

bool ObjectManager::hasIdsLeft(long long count)
{
    return ids_.hasLeft(count);
}

int ObjectManager::peekNextId()
{
    return ids_.peek();
}

void ObjectManager::advanceNextIdTo(int id)
{
    ids_.advanceTo(id);
}

void ObjectManager::resetForTesting()
{
    getInstance().clearObjects();
    ids_ = IdCounter();
}

void ObjectManager::removeAtmoObject(int index)
{
    ObjectPtr removed = list_.at(index);
    list_.erase(list_.begin() + index);
    for (const auto& action : removed->getAtmoActionListData())
        for (const auto& object : list_)
            object->removeActionReferences(action.get());
}

std::shared_ptr<World> ObjectManager::getWorld() const
{
    return list_.empty() ? nullptr : std::dynamic_pointer_cast<World>(list_[0]);
}

std::shared_ptr<Actor> ObjectManager::getActor() const
{
    return list_.size() < 2 ? nullptr : std::dynamic_pointer_cast<Actor>(list_[1]);
}

std::string ObjectManager::generateAtmoScript() const
{
    script::ScriptNaming::nameObjects(list_, ids_);
    const ProjectManager& projects = ProjectManager::getInstance();
    return script::ScriptGenerator::generate(list_, {projects.isCurrentLocalised(), projects.isSynchronised()});
}

} // namespace scenewright::core

#include "scenewright/core/ObjectManager.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/SharedObjectsManager.h"
#include "scenewright/core/World.h"
#include "scenewright/core/action/AtmoAction.h"
#include "scenewright/core/action/AtmoTrigger.h"

#include <algorithm>

namespace scenewright::core {

int ObjectManager::next_ = 0;
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
    // Only a project file using the very largest numbers brings the counter
    // here; handing out a number again would give two things one name.
    if (next_ > kLastId)
        throw IdsExhausted();
    return next_++;
}

bool ObjectManager::hasIdsLeft(long long count)
{
    return count <= static_cast<long long>(kLastId) + 1 - next_;
}

int ObjectManager::peekNextId()
{
    return next_;
}

void ObjectManager::advanceNextIdTo(int id)
{
    next_ = std::max(next_, id);
}

void ObjectManager::resetForTesting()
{
    getInstance().clearObjects();
    next_ = 0;
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
    SharedObjectsManager& synch = SharedObjectsManager::getInstance();
    synch.clearAttributes();

    std::string out;
    out.reserve(2000);
    out += "// ***************************************\n";
    out += "// Object declarations \n";
    out += "// ***************************************\n";
    for (const auto& object : list_) {
        out += object->getAtmoObjectDeclaration();
        for (const auto& action : object->getAtmoActionListData())
            if (action->getActive())
                out += action->doScript();
    }
    for (const auto& object : list_)
        for (const auto& trigger : object->getAtmoTriggerListData())
            if (trigger->getActive())
                out += trigger->doOnLoadTrigger();
    if (synch.getActive())
        out += synch.getTriggerNames();

    out += "\n";
    out += "// ***************************************\n";
    out += "// Trigger actions \n";
    out += "// ***************************************\n";
    if (auto world = getWorld())
        out += world->doScript();
    out += "\n";
    for (const auto& object : list_) {
        out += object->generateAtmoScript();
        out += "\n";
    }
    if (synch.getActive())
        out += synch.doScript();
    return out;
}

} // namespace scenewright::core

#include "scenewright/core/Actor.h"

#include "scenewright/core/action/MovePositionAction.h"

namespace scenewright::core {

Actor::Actor(IdCounter& ids) : AtmoObject("actor", TYPE_ACTOR)
{
    addAtmoAction(std::make_shared<action::MovePositionAction>(ids, this));
}

} // namespace scenewright::core

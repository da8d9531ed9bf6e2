#include "scenewright/core/action/AtmoAction.h"

#include "scenewright/core/IAtmoObject.h"

namespace scenewright::core::action {

std::shared_ptr<AtmoAction> AtmoAction::cloneit(IAtmoObject* owner) const
{
    std::shared_ptr<AtmoAction> copy = clone();
    copy->ownerObject_ = owner;
    return copy;
}

bool AtmoAction::allowedForAtmoObject(const IAtmoObject*) const
{
    return true;
}

std::string AtmoAction::toString() const
{
    std::string text = AtmoInteraction::toString();
    if (ownerObject_)
        text += " (" + ownerObject_->toString() + ")";
    return text;
}

} // namespace scenewright::core::action

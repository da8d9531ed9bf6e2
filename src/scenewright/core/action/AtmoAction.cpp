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

std::vector<std::string> AtmoAction::getFields() const
{
    std::vector<std::string> names;
    for (const FieldTable::Field& field : fieldTable().fields())
        if (field.shown == FieldShown::InGenericEditor)
            names.push_back(field.name);
    return names;
}

} // namespace scenewright::core::action

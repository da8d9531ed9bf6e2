#include "scenewright/core/action/AtmoInteraction.h"

#include "scenewright/core/NumberParser.h"
#include "scenewright/core/IdCounter.h"
#include "scenewright/core/script/ScriptText.h"

#include <iostream>
#include <stdexcept>

namespace scenewright::core::action {

AtmoInteraction::AtmoInteraction(IdCounter& ids, int idCount)
{
    for (int i = 0; i < idCount; ++i)
        ids_.push_back(ids.next());
}

bool AtmoInteraction::setIds(const std::vector<int>& ids)
{
    if (ids.size() != ids_.size())
        return false;
    ids_ = ids;
    return true;
}

void AtmoInteraction::takeFreshIds(IdCounter& ids)
{
    for (int& id : ids_)
        id = ids.next();
}

std::string AtmoInteraction::toString() const
{
    return script::ScriptText::orNull(name_);
}

const FieldTable::Field* AtmoInteraction::lookUp(std::string_view field) const
{
    const FieldTable::Field* found = fieldTable().find(field);
    if (!found)
        std::cerr << "scenewright: " << className() << " has no field '" << field << "'\n";
    return found;
}

std::optional<std::string> AtmoInteraction::verifyField(std::string_view field, std::string_view value) const
{
    const FieldTable::Field* found = fieldTable().find(field);
    if (!found)
        return std::nullopt;
    if (found->type == FieldType::Int && !NumberParser::parseInt(value))
        return std::string(field) + " must contain an integer";
    if (found->type == FieldType::Double && !NumberParser::parseDouble(value))
        return std::string(field) + " must contain an real number";
    return std::nullopt;
}

void AtmoInteraction::set(std::string_view field, bool value)
{
    setValue(field, value);
}

void AtmoInteraction::set(std::string_view field, std::string_view value)
{
    const FieldTable::Field* found = lookUp(field);
    if (!found)
        return;
    switch (found->type) {
    case FieldType::Int: {
        auto parsed = NumberParser::parseInt(value);
        if (!parsed)
            throw std::invalid_argument(std::string(field) + ": not an integer: " + std::string(value));
        found->write(*this, *parsed);
        break;
    }
    case FieldType::Double: {
        auto parsed = NumberParser::parseDouble(value);
        if (!parsed)
            throw std::invalid_argument(std::string(field) + ": not a number: " + std::string(value));
        found->write(*this, *parsed);
        break;
    }
    case FieldType::String:
        found->write(*this, std::optional<std::string>(std::string(value)));
        break;
    default:
        std::cerr << "scenewright: field '" << field << "' of " << className()
                  << " cannot be set from text\n";
    }
}

bool AtmoInteraction::setValue(std::string_view field, const FieldValue& value)
{
    const FieldTable::Field* found = lookUp(field);
    if (!found)
        return false;
    bool fits = false;
    switch (found->type) {
    case FieldType::Int: fits = std::holds_alternative<int>(value); break;
    case FieldType::Double: fits = std::holds_alternative<double>(value); break;
    case FieldType::Boolean: fits = std::holds_alternative<bool>(value); break;
    case FieldType::String: fits = std::holds_alternative<std::optional<std::string>>(value); break;
    case FieldType::StringList: fits = std::holds_alternative<std::vector<std::string>>(value); break;
    case FieldType::IntList: fits = std::holds_alternative<std::optional<std::vector<int>>>(value); break;
    }
    if (!fits) {
        std::cerr << "scenewright: field '" << field << "' of " << className() << " takes a value of type "
                  << fieldTypeName(found->type) << "\n";
        return false;
    }
    found->write(*this, value);
    return true;
}

std::optional<FieldType> AtmoInteraction::getType(std::string_view field) const
{
    const FieldTable::Field* found = lookUp(field);
    if (!found)
        return std::nullopt;
    return found->type;
}

std::string AtmoInteraction::getSaveString() const
{
    return std::string("class scenewright.core.action.") + className() + "\n";
}

FieldValue AtmoInteraction::get(std::string_view field) const
{
    const FieldTable::Field* found = lookUp(field);
    if (!found)
        return std::monostate{};
    return found->read(*this);
}

} // namespace scenewright::core::action

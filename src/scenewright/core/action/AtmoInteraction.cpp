#include "scenewright/core/action/AtmoInteraction.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/script/ScriptText.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace scenewright::core::action {

AtmoInteraction::AtmoInteraction(IdCounter& ids, int idCount)
{
    if (idCount < 0 || idCount > kMaxNumbers)
        throw std::logic_error("an interaction takes at most " + std::to_string(kMaxNumbers) + " numbers");
    for (int i = 0; i < idCount; ++i)
        ids_[i] = ids.next();
    idCount_ = static_cast<std::uint8_t>(idCount);
}

const AtmoInteraction::Texts AtmoInteraction::kNoTexts;

AtmoInteraction::AtmoInteraction(const AtmoInteraction& other)
{
    *this = other;
}

AtmoInteraction& AtmoInteraction::operator=(const AtmoInteraction& other)
{
    if (this != &other) {
        active_ = other.active_;
        idCount_ = other.idCount_;
        ids_ = other.ids_;
        // Shared texts stay shared; texts of its own are copied.
        useKindTexts(*other.texts_);
        if (other.ownTexts_)
            ownTexts();
    }
    return *this;
}

void AtmoInteraction::useKindTexts(const Texts& texts)
{
    ownTexts_.reset();
    texts_ = &texts;
}

AtmoInteraction::Texts& AtmoInteraction::ownTexts()
{
    if (!ownTexts_) {
        ownTexts_ = std::make_unique<Texts>(*texts_);
        texts_ = ownTexts_.get();
    }
    return *ownTexts_;
}

bool AtmoInteraction::setNumbers(const std::vector<int>& ids)
{
    if (ids.size() != idCount_)
        return false;
    std::copy(ids.begin(), ids.end(), ids_.begin());
    return true;
}

void AtmoInteraction::takeFreshIds(IdCounter& ids)
{
    for (int i = 0; i < idCount_; ++i)
        ids_[i] = ids.next();
}

std::string AtmoInteraction::toString() const
{
    return script::ScriptText::orNull(texts_->name);
}

const FieldTable::Field* AtmoInteraction::field(std::string_view name) const
{
    const FieldTable::Field* found = fieldTable().find(name);
    if (!found)
        std::cerr << "scenewright: " << className() << " has no field '" << name << "'\n";
    return found;
}

std::optional<std::string> AtmoInteraction::verifyField(std::string_view name, std::string_view value) const
{
    const FieldTable::Field* found = fieldTable().find(name);
    return found ? found->parse(value).refusal : std::nullopt;
}

void AtmoInteraction::set(std::string_view name, bool value)
{
    setValue(name, value);
}

void AtmoInteraction::set(std::string_view name, std::string_view value)
{
    const FieldTable::Field* found = field(name);
    if (!found)
        return;
    ParsedField parsed = found->parse(value);
    if (parsed.refusal)
        throw std::invalid_argument(std::string(name) + (found->type == FieldType::Int ? ": not an integer: " : ": not a number: ")
                                    + std::string(value));
    if (std::holds_alternative<std::monostate>(parsed.value)) {
        std::cerr << "scenewright: field '" << name << "' of " << className() << " cannot be set from text\n";
        return;
    }
    found->write(*this, parsed.value);
}

bool AtmoInteraction::setValue(std::string_view name, const FieldValue& value)
{
    const FieldTable::Field* found = field(name);
    if (!found)
        return false;
    if (!found->accepts(value)) {
        std::cerr << "scenewright: field '" << name << "' of " << className() << " takes a value of type "
                  << fieldTypeName(found->type) << "\n";
        return false;
    }
    found->write(*this, value);
    return true;
}

std::optional<FieldType> AtmoInteraction::getType(std::string_view field) const
{
    const FieldTable::Field* found = this->field(field);
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
    const FieldTable::Field* found = this->field(field);
    if (!found)
        return std::monostate{};
    return found->read(*this);
}

} // namespace scenewright::core::action
